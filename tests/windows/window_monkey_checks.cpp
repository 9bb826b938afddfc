// The invariants of the main window that the monkey checks after every action, and what each
// action did.
#include <algorithm>

#include <QAbstractButton>
#include <QListWidget>
#include <QSpinBox>

#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_area.h"
#include "app/windows/object_editor.h"
#include "app/windows/objects_area.h"
#include "app/windows/view_tools.h"
#include "app/working_set.h"
#include "canvas/widget/canvax_view.h"
#include "mesh/tamrix_mesh.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "tests/windows/window_monkey_driver.h"

namespace nerim::testing {

// ---- What an action did

TWindowMonkey::TSnapshot TWindowMonkey::Snapshot() const {
    TSnapshot s;
    s.Objects = window_->Set().Objects().size();
    s.Polygon = CurrentPolygon();
    if (s.Polygon) s.Vertices = s.Polygon->Line().Points();
    s.Scale = window_->View().RefX();
    s.Origin = window_->View().Origin();
    return s;
}

void TWindowMonkey::TellWhatChanged(const TSnapshot& before) {
    const TSnapshot after = Snapshot();
    if (after.Objects > before.Objects) ++report_.Done["objects drawn"];
    if (after.Objects < before.Objects) ++report_.Done["objects deleted"];
    if (before.Polygon && after.Polygon == before.Polygon && after.Objects == before.Objects) {
        if (after.Vertices.size() > before.Vertices.size()) ++report_.Done["vertices added"];
        if (after.Vertices.size() < before.Vertices.size()) ++report_.Done["vertices deleted"];
        if (after.Vertices.size() == before.Vertices.size() && after.Vertices != before.Vertices)
            ++report_.Done["vertices moved"];
    }
    if (after.Scale != before.Scale) ++report_.Done["views zoomed"];
    else if (after.Origin != before.Origin) ++report_.Done["views panned"];
}

// ---- Invariants

void TWindowMonkey::Check() {
    CheckObjects();
    CheckVertexSelection();
    CheckMesh();
    CheckControls();
    if (fileTouched_) CheckSavedFile();
    fileTouched_ = false;
}

void TWindowMonkey::CheckObjects() {
    const TObjectList& objects = window_->Set().Objects();
    QListWidget* list = window_->ObjectsArea().List();
    if (list->count() != static_cast<int>(objects.size())) {
        Fail("lbxObjects has " + std::to_string(list->count()) + " lines for " + std::to_string(objects.size()) +
             " objects");
        return;
    }
    const auto listed = [](const QListWidgetItem* item) {
        return reinterpret_cast<const TCENerimObject*>(item->data(Qt::UserRole).value<quintptr>());
    };
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const QListWidgetItem* item = list->item(static_cast<int>(i));
        if (listed(item) != objects[i].get()) Fail("line " + std::to_string(i) + " of lbxObjects is another object");
        const TNerimObjectDefinition* definition = objects[i]->Definition();
        if (!definition || item->text().toStdString() != definition->Name)
            Fail("line " + std::to_string(i) + " of lbxObjects shows '" + item->text().toStdString() +
                 "', not the object's name");
        if (objects[i]->Parent() != &window_->Set().ObjectsLayer())
            Fail("object " + std::to_string(i) + " is not in the layer Objetos");
    }
    const auto inList = [&](const TCanvaxElement* element) {
        return std::any_of(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == element; });
    };
    TCENerimObject* current = window_->ObjectsArea().CurrentObject();
    const QString page = window_->ObjectEditor().CurrentPage();
    if (current) {
        if (!inList(current)) {
            Fail("the current object is not in the object list");
            return;
        }
        const QListWidgetItem* item = list->currentItem();
        if (!item || listed(item) != current) Fail("lbxObjects does not show the current object as current");
        const TNerimObjectDefinition* definition = current->Definition();
        const char* expected = dynamic_cast<const TPorousMediumDef*>(definition) ? "tabPoroso"
                               : dynamic_cast<const TWaterDef*>(definition)     ? "tabWater"
                               : dynamic_cast<const TObstacleDef*>(definition)  ? "tabObstacle"
                                                                                : nullptr;
        if (expected && page != QLatin1String(expected))
            Fail("the editor shows " + page.toStdString() + " for an object that needs " + expected);
    } else if (page != QLatin1String("tabNoObject")) {
        Fail("the editor shows " + page.toStdString() + " without a current object");
    }
    const TCanvax& canvax = window_->Set().Canvax();
    for (const TCanvaxElement* element : {canvax.SelectedElement(), canvax.InsertingElement()})
        if (element && !inList(element) && element != &window_->Mesh())
            Fail("the drawing's selected or inserting element is not one of the window's objects");
    const TCENerimObject* meshSelected = window_->Mesh().SelectedObject();
    if (meshSelected && !inList(meshSelected)) Fail("the mesh's selected object is not in the object list");
}

void TWindowMonkey::CheckVertexSelection() {
    const TObjectsArea& area = window_->ObjectsArea();
    const TPLNode* node = area.SelectedNode();
    TCEPolyline* polygon = area.NodePolygon();
    if ((node == nullptr) != (polygon == nullptr)) {
        Fail("a selected vertex without its polygon, or a polygon without a vertex");
        return;
    }
    const bool enabled = Find<QWidget>("edtPolylineX")->isEnabled();
    if (enabled != (node != nullptr)) Fail("the vertex fields are enabled without a selected vertex, or the other way");
    if (!polygon) return;
    const TObjectList& objects = window_->Set().Objects();
    if (std::none_of(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == polygon; })) {
        Fail("the selected vertex's polygon is not in the object list");
        return;
    }
    bool found = false;
    for (const TPLNode* n = polygon->Line().Head(); n && !found; n = n->Next()) found = n == node;
    if (!found) Fail("the selected vertex is not a vertex of its polygon");
}

void TWindowMonkey::CheckMesh() {
    TCETamrixMesh& mesh = window_->Mesh();
    if (mesh.UpdateCount() != 0) Fail("a change bracket of the mesh was left open");
    for (const auto& [count, current, axis] :
         {std::tuple{mesh.SubZoneXCount(), mesh.CurrentSubZoneX(), "X"},
          std::tuple{mesh.SubZoneYCount(), mesh.CurrentSubZoneY(), "Y"}}) {
        if (count == 0 ? current != -1 && current != 0 : current < 0 || current >= count)
            Fail(std::string("the current ") + axis + " sub-zone " + std::to_string(current) + " lies outside " +
                 std::to_string(count) + " sub-zones");
    }
    if (!window_->MeshArea().HasGeneratedMesh()) return;
    const TIntPair sizes = MakeIntPair(mesh.DivisionXCount(), mesh.DivisionYCount());
    const TCellMatrices& cells = mesh.Cells();
    for (const TIntPair s : {cells.AC.Sizes(), cells.AR.Sizes(), cells.AT.Sizes(), cells.VOF.Sizes(),
                             cells.Noc.Sizes(), cells.Npc.Sizes()})
        if (s != sizes)
            Fail("a cell matrix of " + std::to_string(s.N0()) + " x " + std::to_string(s.N1()) + " for " +
                 std::to_string(sizes.N0()) + " x " + std::to_string(sizes.N1()) + " divisions");
    for (const std::vector<float>* divisions : {&mesh.DivisionsX(), &mesh.DivisionsY()})
        if (!std::is_sorted(divisions->begin(), divisions->end())) Fail("divisions out of order");
}

void TWindowMonkey::CheckControls() {
    const int mode = window_->ViewTools().MouseMode();
    if (Find<QAbstractButton>("btnZoom")->isChecked() != (mode == 1) ||
        Find<QAbstractButton>("btnPan")->isChecked() != (mode == 3))
        Fail("the mode buttons do not show mouse mode " + std::to_string(mode));
    if (window_->View().MouseActive() != (mode == 0)) Fail("the view takes the mouse in mouse mode " + std::to_string(mode));
    if (window_->MeshArea().Frame()->Shown() != window_->MeshArea().MeshEdited())
        Fail("the change frame does not tell whether the mesh fields hold edits");
    const bool star = window_->windowTitle().endsWith('*');
    if (star != window_->IsModified())
        Fail("the title '" + window_->windowTitle().toStdString() + "' does not tell whether the work changed");
    const TCETamrixMesh& mesh = window_->Mesh();
    const auto* spin = Find<QSpinBox>("sedtSubZonaX");
    if (mesh.SubZoneXCount() > 0 && spin->value() != mesh.CurrentSubZoneX() + 1)
        Fail("the X sub-zone spin shows " + std::to_string(spin->value()) + " for sub-zone " +
             std::to_string(mesh.CurrentSubZoneX() + 1));
}


}  // namespace nerim::testing
