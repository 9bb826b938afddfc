#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace nerim {

class TCEPolyline;
class TfrmNerim;
class TProjectActions;

// Objects from survey data, in the menu "Archivo": "Importar perfil del fondo..." makes an
// obstacle of a seabed profile (its points in order, closed down to the domain's bottom edge and
// clipped to the domain), "Importar contorno..." a closed polygon of a chosen material from an
// outline. The files are columns of X and Y in model coordinates (objects/core/point_file.h).
// The new object joins the project as one drawn by hand does: listed, selected, editable and
// saved with the project. The status bar says what was imported, and what was clipped.
class TSurveyActions : public QObject {
    Q_OBJECT

public:
    TSurveyActions(TfrmNerim& Window, TProjectActions& Project);

    // Imports without a dialog (the menu commands once the file, and the material, are known).
    // Return the new polygon; a file that cannot be read raises, and nothing is added.
    TCEPolyline& ImportProfile(const QString& File);
    TCEPolyline& ImportOutline(const QString& File, int MaterialIndex);

    // Handlers.
    void mniImportarPerfilClick();
    void mniImportarContornoClick();

private:
    TfrmNerim& window_;
    TProjectActions& project_;
};

}  // namespace nerim
