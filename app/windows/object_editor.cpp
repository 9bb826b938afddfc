#include "app/windows/object_editor.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/windows/frm_nerim.h"
#include "app/windows/objects_area.h"
#include "app/windows/window_controls.h"
#include "objects/ce_nerim_object.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "widgets/qmt_edit.h"

namespace nerim {

TObjectEditor::TObjectEditor(TfrmNerim& Window, QWidget* Parent) : QObject(Parent), window_(Window) {
    tabEditorObjetos_ = new QStackedWidget(Parent);
    tabEditorObjetos_->setObjectName(QStringLiteral("tabEditorObjetos"));
    tabEditorObjetos_->setToolTip(QStringLiteral("Material del objeto seleccionado"));
    tabEditorObjetos_->setFrameShape(QFrame::StyledPanel);

    tabPoroso_ = new QWidget(tabEditorObjetos_);
    tabPoroso_->setObjectName(QStringLiteral("tabPoroso"));
    tabPoroso_->setWindowTitle(QStringLiteral("Medio poroso"));
    tabPoroso_->setToolTip(QStringLiteral("Parámetros del medio poroso seleccionado"));
    tabEditorObjetos_->addWidget(tabPoroso_);
    auto* grid = new QGridLayout(tabPoroso_);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(6, 4, 6, 4);
    edtPermeability_ = AddField(tabPoroso_, 0, "edtPermeability", "lblPermeability", QStringLiteral("Permeabilidad"),
                                QStringLiteral("Permeabilidad del medio poroso"));
    edtPorosity_ = AddField(tabPoroso_, 1, "edtPorosity", "lblPorosity", QStringLiteral("Porosidad"),
                            QStringLiteral("Fracción de huecos del medio poroso, de 0 a 1"));
    edtLinearFricCoef_ = AddField(
        tabPoroso_, 2, "edtLinearFricCoef", "lblLinearFricCoef", QStringLiteral("Coeficiente de fricción lineal"),
        QStringLiteral("Coeficiente adimensional de la resistencia lineal (laminar) del flujo en el medio poroso"));
    edtNonLinearFricCoef_ =
        AddField(tabPoroso_, 3, "edtNonLinearFricCoef", "lblNonLinearFricCoef",
                 QStringLiteral("Coeficiente de fricción no lineal"),
                 QStringLiteral("Coeficiente adimensional de la resistencia no lineal (turbulenta) del flujo en el medio poroso"));
    edtAddedMassCoef_ =
        AddField(tabPoroso_, 4, "edtAddedMassCoef", "lblAddedMassCoef", QStringLiteral("Coeficiente de masa añadida"),
                 QStringLiteral("Coeficiente adimensional de la inercia del flujo no estacionario en el medio poroso"));
    edtD50_ = AddField(tabPoroso_, 5, "edtD50", "lblD50", QStringLiteral("D50"),
                       QStringLiteral("Diámetro medio de las piedras o del grano del medio poroso (m)"));
    // The permeability is kept in the material but not offered for editing.
    edtPermeability_->hide();
    tabPoroso_->findChild<QLabel*>(QStringLiteral("lblPermeability"))->hide();
    auto* btnObjectOK =
        NamedButton(tabPoroso_, "btnObjectOK", QStringLiteral("Ok"), QStringLiteral("Aplicar los parámetros del medio poroso"));
    grid->addWidget(btnObjectOK, 6, 1, Qt::AlignRight);
    grid->setRowStretch(7, 1);
    connect(btnObjectOK, &QPushButton::clicked, this, &TObjectEditor::btnObjectOKClick);

    tabWater_ = AddLabelPage("tabWater", QStringLiteral("Agua"), QStringLiteral("El objeto seleccionado es agua"),
                             "lblWater", QStringLiteral("Agua"));
    tabObstacle_ = AddLabelPage("tabObstacle", QStringLiteral("Obstáculo"),
                                QStringLiteral("El objeto seleccionado es un obstáculo impermeable"), "lblObstacle",
                                QStringLiteral("Obstáculo"));
    tabNoObject_ = AddLabelPage("tabNoObject", QStringLiteral("Sin objeto"), QStringLiteral("No hay ningún objeto seleccionado"),
                                "lblNoObject", QStringLiteral("No hay ningún objeto seleccionado"));
}

TQmtEdit* TObjectEditor::AddField(QWidget* Page, int Row, const char* Name, const char* LabelName,
                                  const QString& Caption, const QString& Hint) {
    auto* grid = static_cast<QGridLayout*>(Page->layout());
    auto* field = new TQmtEdit(Page);
    field->setObjectName(QString::fromLatin1(Name));
    // The two friction coefficients are real numbers too (1.1 by default): a field of integers
    // would show every value it is given as an error.
    field->SetValueType(typDouble);
    field->SetCaption(Caption);
    field->setToolTip(Hint);
    field->setMaximumWidth(90);
    auto* label = new QLabel(Caption, Page);
    // Long captions take two lines rather than the objects' room.
    label->setWordWrap(true);
    label->setObjectName(QString::fromLatin1(LabelName));
    label->setToolTip(Hint);
    label->setBuddy(field);
    grid->addWidget(label, Row, 0);
    grid->addWidget(field, Row, 1);
    return field;
}

QWidget* TObjectEditor::AddLabelPage(const char* Name, const QString& Title, const QString& Hint, const char* LabelName,
                                     const QString& Caption) {
    auto* page = new QWidget(tabEditorObjetos_);
    page->setObjectName(QString::fromLatin1(Name));
    page->setWindowTitle(Title);
    page->setToolTip(Hint);
    auto* layout = new QVBoxLayout(page);
    QLabel* label = NamedLabel(page, LabelName, Caption, QString());
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
    tabEditorObjetos_->addWidget(page);
    return page;
}

QString TObjectEditor::CurrentPage() const {
    const QWidget* page = tabEditorObjetos_->currentWidget();
    return page ? page->objectName() : QString();
}

void TObjectEditor::ShowObjectEditor(const TCENerimObject& Object) {
    const TNerimObjectDefinition* definition = Object.Definition();
    if (const auto* porous = dynamic_cast<const TPorousMediumDef*>(definition)) {
        tabEditorObjetos_->setCurrentWidget(tabPoroso_);
        edtPermeability_->SetAsFloat(porous->Permeability);
        edtPorosity_->SetAsFloat(porous->Porosity);
        edtLinearFricCoef_->SetAsFloat(porous->LinearFricCoef);
        edtNonLinearFricCoef_->SetAsFloat(porous->NonLinearFricCoef);
        edtAddedMassCoef_->SetAsFloat(porous->AddedMassCoef);
        edtD50_->SetAsFloat(porous->D50);
    } else if (dynamic_cast<const TWaterDef*>(definition)) {
        tabEditorObjetos_->setCurrentWidget(tabWater_);
    } else if (dynamic_cast<const TObstacleDef*>(definition)) {
        tabEditorObjetos_->setCurrentWidget(tabObstacle_);
    }
}

void TObjectEditor::ShowNoObject() { tabEditorObjetos_->setCurrentWidget(tabNoObject_); }

void TObjectEditor::ApplyObjectEditor(TCENerimObject* Object) {
    auto* porous = Object ? dynamic_cast<TPorousMediumDef*>(Object->Definition()) : nullptr;
    if (!porous) return;
    const double permeability = edtPermeability_->AsFloat();
    const double porosity = edtPorosity_->AsFloat();
    const double linear = edtLinearFricCoef_->AsFloat();
    const double nonLinear = edtNonLinearFricCoef_->AsFloat();
    const double addedMass = edtAddedMassCoef_->AsFloat();
    const double d50 = edtD50_->AsFloat();
    porous->Permeability = permeability;
    porous->Porosity = porosity;
    porous->LinearFricCoef = linear;
    porous->NonLinearFricCoef = nonLinear;
    porous->AddedMassCoef = addedMass;
    porous->D50 = d50;
    window_.ScheduleTitleUpdate();
}

void TObjectEditor::btnObjectOKClick() { ApplyObjectEditor(window_.ObjectsArea().CurrentObject()); }

}  // namespace nerim
