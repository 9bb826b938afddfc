#include "app/windows/result_viewer.h"

#include <QButtonGroup>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "app/window_texts.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/window_prompts.h"
#include "app/windows/view_tools.h"
#include "app/windows/window_controls.h"
#include "mesh/tamrix_mesh.h"

namespace nerim {
namespace {

constexpr char kLetters[] = {'U', 'W', 'T', 'P', 'K'};
const char* const kHints[] = {"Resultados de la velocidad horizontal U", "Resultados de la velocidad vertical W",
                              "Resultados de la variable T", "Resultados de la presión P", "Resultados de la variable K"};

}  // namespace

TResultViewer::TResultViewer(TfrmNerim& Window, QWidget* Parent) : QObject(Parent), window_(Window) {
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QToolButton(Parent);
        button->setObjectName(QStringLiteral("sbt") + QChar(kLetters[i]));
        button->setText(QString(QChar(kLetters[i])));
        button->setToolTip(QString::fromUtf8(kHints[i]));
        button->setCheckable(true);
        button->hide();
        group->addButton(button);
        buttons_[i] = button;
        connect(button, &QToolButton::clicked, this, &TResultViewer::sbtWClick);
    }
    buttons_[4]->setChecked(true);
    SpinEdit1_ = NamedSpin(Parent, "SpinEdit1", 0, 9999, 0,
                           QStringLiteral("Número del paso de los resultados (archivo letra + cuatro cifras + .dat)"));
    SpinEdit1_->hide();
    auto* button1 = NamedButton(Parent, "Button1", QStringLiteral("Abrir"), QStringLiteral("Cargar el archivo de resultados"));
    button1->hide();
    connect(SpinEdit1_, &QSpinBox::valueChanged, this, &TResultViewer::SpinEdit1Change);
    connect(button1, &QPushButton::clicked, this, &TResultViewer::Button1Click);
}

char TResultViewer::Letter() const {
    for (int i = 0; i < 5; ++i)
        if (buttons_[i]->isChecked()) return kLetters[i];
    return kLetters[4];
}

QString TResultViewer::ResultsFile() const {
    return QFile::decodeName(
        ResultsFileName(LocalPath(window_.FileName()).string(), Letter(), SpinEdit1_->value()).c_str());
}

void TResultViewer::LoadAndShow() {
    TCETamrixMesh& mesh = window_.Mesh();
    mesh.LoadResults(LocalPath(ResultsFile()));
    // First no variable, then Results, so that the view repaints even when Results was shown.
    window_.ViewTools().ShowNoVariable();
    window_.ViewTools().ShowVariable(QStringLiteral("Results"));
}

void TResultViewer::Button1Click() { LoadAndShow(); }
void TResultViewer::SpinEdit1Change() { LoadAndShow(); }
void TResultViewer::sbtWClick() { LoadAndShow(); }

}  // namespace nerim
