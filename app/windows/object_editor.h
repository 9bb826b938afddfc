#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace nerim {

class TCENerimObject;
class TfrmNerim;
class TQmtEdit;

// The object editor "tabEditorObjetos": one page per kind of material of the current object. A
// porous medium shows its parameters, which "Ok" stores back; water and obstacles have nothing
// to edit; "No hay ningún objeto seleccionado" while there is no current object.
class TObjectEditor : public QObject {
    Q_OBJECT

public:
    TObjectEditor(TfrmNerim& Window, QWidget* Parent);

    QStackedWidget* Pages() const { return tabEditorObjetos_; }
    // The page shown: "tabPoroso", "tabWater", "tabObstacle" or "tabNoObject".
    QString CurrentPage() const;

    // The page of the object's material, with the porous parameters filled in; a material of
    // another class leaves the page as it is.
    void ShowObjectEditor(const TCENerimObject& Object);
    void ShowNoObject();
    // Stores the six porous fields into the object's material when it is a porous medium; an
    // empty field, "-" or "+" reads 0. All six are read before any is stored.
    void ApplyObjectEditor(TCENerimObject* Object);

    void btnObjectOKClick();

private:
    TQmtEdit* AddField(QWidget* Page, int Row, const char* Name, const char* LabelName, const QString& Caption,
                       const QString& Hint);
    QWidget* AddLabelPage(const char* Name, const QString& Title, const QString& Hint, const char* LabelName,
                          const QString& Caption);

    TfrmNerim& window_;
    QStackedWidget* tabEditorObjetos_ = nullptr;
    QWidget* tabPoroso_ = nullptr;
    QWidget* tabWater_ = nullptr;
    QWidget* tabObstacle_ = nullptr;
    QWidget* tabNoObject_ = nullptr;
    TQmtEdit* edtPermeability_ = nullptr;
    TQmtEdit* edtPorosity_ = nullptr;
    TQmtEdit* edtLinearFricCoef_ = nullptr;
    TQmtEdit* edtNonLinearFricCoef_ = nullptr;
    TQmtEdit* edtAddedMassCoef_ = nullptr;
    TQmtEdit* edtD50_ = nullptr;
};

}  // namespace nerim
