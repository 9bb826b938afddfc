#include "app/windows/view_tools.h"

#include <climits>

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "app/fit_view.h"
#include "app/window_texts.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/map_tools.h"
#include "app/windows/status_readout.h"
#include "app/windows/window_controls.h"
#include "app/working_set.h"
#include "canvas/widget/canvax_view.h"
#include "mesh/tamrix_mesh.h"

namespace nerim {
namespace {

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    QToolButton* button = NamedToolButton(parent, name, caption, hint);
    button->setAutoRaise(true);
    return button;
}

QSpinBox* MakeCellSpin(QWidget* parent, const char* name, const QString& hint) {
    QSpinBox* spin = NamedSpin(parent, name, INT_MIN, INT_MAX, 0, hint);
    spin->setMinimumWidth(64);
    spin->setMaximumWidth(90);
    return spin;
}

}  // namespace

TViewTools::TViewTools(TfrmNerim& Window, QWidget* Parent) : QObject(Parent), window_(Window) {
    strip_ = new QWidget(Parent);
    auto* row = new QHBoxLayout(strip_);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(3);

    btnZoom_ = MakeToolButton(strip_, "btnZoom", QString(), QStringLiteral("Zoom: clic izquierdo acerca, clic derecho aleja"));
    btnZoom_->setIcon(ZoomGlyph());
    btnPan_ = MakeToolButton(strip_, "btnPan", QString(), QStringLiteral("Desplazar: arrastre la vista con el ratón"));
    btnPan_->setIcon(PanGlyph());
    for (QToolButton* mode : {btnZoom_, btnPan_}) {
        mode->setCheckable(true);
        mode->setIconSize(QSize(20, 20));
        row->addWidget(mode);
    }
    auto* btnAdjustView =
        MakeToolButton(strip_, "btnAdjustView", QStringLiteral("Ajustar vista"), QStringLiteral("Mostrar todo el dominio"));
    btnAdjustView->setAutoRaise(false);
    row->addWidget(btnAdjustView);
    row->addSpacing(8);

    btnMallaVisible_ = MakeToolButton(strip_, "btnMallaVisible", QStringLiteral("Malla"), QStringLiteral("Mostrar u ocultar la malla"));
    btnObjetos_ = MakeToolButton(strip_, "btnObjetos", QStringLiteral("Objetos"), QStringLiteral("Mostrar u ocultar los objetos"));
    for (QToolButton* toggle : {btnMallaVisible_, btnObjetos_}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
        row->addWidget(toggle);
    }
    row->addSpacing(8);

    const QString variableHint = QStringLiteral(
        "Matriz de celdas dibujada sobre la malla: AC, AR, AT fracciones abiertas de la celda y de sus caras derecha y "
        "superior, VOF fracción de agua, Noc obstáculo, Npc tipo de medio poroso");
    cbxVariableList_ = new QComboBox(strip_);
    cbxVariableList_->setObjectName(QStringLiteral("cbxVariableList"));
    cbxVariableList_->setToolTip(variableHint);
    cbxVariableList_->setMinimumContentsLength(7);
    row->addWidget(NamedLabel(strip_, "lblVariable", QStringLiteral("Variable:"), variableHint, cbxVariableList_));
    row->addWidget(cbxVariableList_);
    row->addSpacing(4);
    edtI_ = MakeCellSpin(strip_, "edtI", QStringLiteral("Índice i (columna) de la celda marcada en la vista"));
    edtJ_ = MakeCellSpin(strip_, "edtJ", QStringLiteral("Índice j (fila) de la celda marcada en la vista"));
    for (QSpinBox* spin : {edtI_, edtJ_}) {
        // Unnamed: "i" and "j" read the same in every language.
        auto* label = new QLabel(spin == edtI_ ? QStringLiteral("i:") : QStringLiteral("j:"), strip_);
        label->setBuddy(spin);
        row->addWidget(label);
        row->addWidget(spin);
    }
    row->addStretch(1);
    lblInfo_ = new QLabel(strip_);
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setToolTip(
        QStringLiteral("Posición del ratón en coordenadas del modelo (Y hacia arriba desde el borde inferior)"));
    lblInfo_->setMinimumWidth(lblInfo_->fontMetrics().horizontalAdvance(QStringLiteral("X: -0000.0000, Y: -0000.0000")));
    lblInfo_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(lblInfo_);

    connect(btnZoom_, &QToolButton::clicked, this, &TViewTools::btnZoomClick);
    connect(btnPan_, &QToolButton::clicked, this, &TViewTools::btnPanClick);
    connect(btnAdjustView, &QToolButton::clicked, this, &TViewTools::btnAdjustViewClick);
    connect(btnMallaVisible_, &QToolButton::clicked, this, &TViewTools::btnMallaVisibleClick);
    connect(btnObjetos_, &QToolButton::clicked, this, &TViewTools::btnObjetosClick);
    connect(cbxVariableList_, &QComboBox::currentIndexChanged, this, &TViewTools::cbxVariableListChange);
    connect(edtI_, &QSpinBox::valueChanged, this, &TViewTools::edtIChange);
    connect(edtJ_, &QSpinBox::valueChanged, this, &TViewTools::edtIChange);
}

TViewTools::~TViewTools() = default;

void TViewTools::AttachView() {
    TCanvaxView& view = window_.View();
    view.OnMouseDown = [this](TCanvaxViewport&, TMouseButton button, TShiftState, int x, int y) {
        cvwMainMouseDown(button, x, y);
    };
    view.OnMouseMove = [this](TCanvaxViewport&, TShiftState, int x, int y) { cvwMainMouseMove(x, y); };
    view.OnMouseUp = [this](TCanvaxViewport&, TMouseButton button, TShiftState, int x, int y) {
        cvwMainMouseUp(button, x, y);
    };
    navigator_ = new TViewNavigator(view);
    navigator_->OnPointer = [this](int x, int y) { cvwMainMouseMove(x, y); };
}

void TViewTools::FillVariableList() {
    const QSignalBlocker blocker(cbxVariableList_);
    cbxVariableList_->clear();
    const std::vector<TMeshVariable>& variables = window_.Mesh().Variables();
    for (std::size_t i = 0; i < variables.size(); ++i)
        cbxVariableList_->addItem(QString::fromStdString(variables[i].Name), static_cast<int>(i));
    cbxVariableList_->setCurrentIndex(-1);
}

int TViewTools::MouseMode() const { return tool_ ? tool_->Mode() : 0; }

void TViewTools::SetMouseMode(int Mode) {
    TCanvaxView& view = window_.View();
    if (Mode == 1)
        tool_ = std::make_unique<TZoomTool>(view);
    else if (Mode == 3)
        tool_ = std::make_unique<TPanTool>(view);
    else
        tool_.reset();
    if (Mode != 0) window_.Set().Canvax().SelectElement(nullptr);
    // While a tool is in force the mouse is the tool's alone.
    view.SetMouseActive(!tool_);
    view.setCursor(tool_ ? tool_->Cursor() : CursorFromId(view.CursorId()));
    btnZoom_->setChecked(Mode == 1);
    btnPan_->setChecked(Mode == 3);
}

void TViewTools::FitView() {
    nerim::FitView(window_.View(), window_.Mesh().Width(), window_.Mesh().Height());
}

void TViewTools::ShowNoVariable() {
    window_.Mesh().SetShownVariable({});
    const QSignalBlocker blocker(cbxVariableList_);
    cbxVariableList_->setCurrentIndex(-1);
}

void TViewTools::ShowVariable(const QString& Name) {
    const int index = cbxVariableList_->findText(Name);
    if (index == cbxVariableList_->currentIndex())
        cbxVariableListChange(index);
    else
        cbxVariableList_->setCurrentIndex(index);
}

void TViewTools::btnZoomClick() { SetMouseMode(1); }
void TViewTools::btnPanClick() { SetMouseMode(3); }
void TViewTools::btnAdjustViewClick() { FitView(); }

void TViewTools::btnMallaVisibleClick() {
    if (btnMallaVisible_->isChecked())
        window_.Set().MeshLayer().Show();
    else
        window_.Set().MeshLayer().Hide();
}

void TViewTools::btnObjetosClick() {
    if (btnObjetos_->isChecked())
        window_.Set().ObjectsLayer().Show();
    else
        window_.Set().ObjectsLayer().Hide();
}

void TViewTools::cbxVariableListChange(int Index) {
    const std::vector<TMeshVariable>& variables = window_.Mesh().Variables();
    const int variable = Index < 0 ? -1 : cbxVariableList_->itemData(Index).toInt();
    window_.Mesh().SetShownVariable(variable < 0 || variable >= int(variables.size()) ? TMatrixRef{}
                                                                                       : variables[variable].Matrix);
}

void TViewTools::edtIChange() { window_.Mesh().SetPickedCell(edtI_->value(), edtJ_->value()); }

void TViewTools::cvwMainMouseDown(int Button, int X, int Y) {
    if (!tool_) return;
    tool_->Press(static_cast<TMouseButton>(Button), X, Y);
    if (tool_) window_.View().setCursor(tool_->Cursor());
}

void TViewTools::cvwMainMouseMove(int X, int Y) {
    const TPoint2D world = window_.View().ScreenToWorld({double(X), double(Y)});
    lblInfo_->setText(QString::fromStdString(MouseReadout(world, window_.Mesh().Height())));
    window_.Status().ShowCell(world);
    if (tool_) tool_->Move(X, Y);
}

void TViewTools::cvwMainMouseUp(int Button, int X, int Y) {
    if (!tool_) return;
    tool_->Release(static_cast<TMouseButton>(Button), X, Y);
    window_.View().setCursor(tool_->Cursor());
}

}  // namespace nerim
