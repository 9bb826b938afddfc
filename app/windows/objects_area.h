#pragma once

#include <memory>
#include <vector>

#include <QObject>

#include "canvas/canvax_element.h"
#include "mesh/core/cell_classification.h"
#include "objects/ce_polyline.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QWidget;

namespace nerim {

class TCEEllipse;
class TCENerimObject;
class TfrmNerim;
class TQmtEdit;

// The objects area: the list of the project's objects, the buttons that start a new obstacle,
// porous medium or water polygon and delete the current object, the coordinates of the selected
// vertex, and the porous model of the mesh.
//
// The current object is the one the editor shows; the selected vertex (SelectedNode of
// NodePolygon) is the one the vertex fields show, as the polygons report it through
// OnNodeSelected. Neither outlives its polygon: both are cleared before a polygon is freed.
class TObjectsArea : public QObject {
    Q_OBJECT

public:
    TObjectsArea(TfrmNerim& Window, QWidget* Parent);
    ~TObjectsArea() override;

    QWidget* Panel() const { return panel_; }
    QComboBox* PorousModelList() const { return cbxTipoPoroso_; }
    QListWidget* List() const { return lbxObjects_; }

    TCENerimObject* CurrentObject() const { return currentObject_; }
    TPLNode* SelectedNode() const { return selectedNode_; }
    TCEPolyline* NodePolygon() const { return nodePolygon_; }
    // The vertex-change event every polygon of the project gets.
    TCEPolyline::TVertexEvent VertexEvent();

    void SelectObject(TCENerimObject* Object);
    void RefreshObjectList();
    // Before every object goes (opening a project): no current object, no selected vertex.
    void ForgetObjects();
    // Before the drawing goes: the above, and the ellipses are freed.
    void ReleaseElements();

    // Handlers.
    void btnNewObjectClick(TMaterialKind Kind);
    void lbxObjectsClick();
    void btnBorrarClick();
    void OnNodeSelected(TCEPolyline& Polygon, TPLPolyLine& Line, TPLNode* Node);
    void btnPolylinPointOkClick();
    void btnNuevoPoligonoClick();
    void btnElipseClick();

private:
    void ClearVertexSelection();

    TfrmNerim& window_;
    QWidget* panel_ = nullptr;
    QListWidget* lbxObjects_ = nullptr;
    TQmtEdit* edtPolylineX_ = nullptr;
    TQmtEdit* edtPolylineY_ = nullptr;
    QComboBox* cbxTipoPoroso_ = nullptr;
    TCENerimObject* currentObject_ = nullptr;
    TPLNode* selectedNode_ = nullptr;
    TCEPolyline* nodePolygon_ = nullptr;
    // Ellipses exist only through the hidden "Elipse" button; they never join the project.
    std::vector<ElementHandle<TCEEllipse>> ellipses_;
};

}  // namespace nerim
