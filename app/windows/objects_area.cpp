#include "app/windows/objects_area.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_area.h"
#include "app/windows/object_editor.h"
#include "app/windows/view_tools.h"
#include "app/windows/window_controls.h"
#include "app/working_set.h"
#include "mesh/tamrix_mesh.h"
#include "objects/ce_ellipse.h"
#include "objects/material_color.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "widgets/qmt_edit.h"

namespace nerim {
namespace {

// A small square of the material's colour, as the object is drawn.
QIcon Swatch(TColor color) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(ToQColor(color));
    painter.drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}

QToolButton* MakeObjectButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    QToolButton* button = NamedToolButton(parent, name, caption, hint);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

TQmtEdit* MakeVertexField(QWidget* parent, QHBoxLayout* row, const char* name, const char* labelName,
                          const QString& caption, const QString& hint) {
    TQmtEdit* field = NamedField(parent, name, typDouble, caption, hint);
    field->setEnabled(false);
    field->setMinimumWidth(60);
    row->addWidget(NamedLabel(parent, labelName, caption, hint, field));
    row->addWidget(field, 1);
    return field;
}

}  // namespace

TObjectsArea::TObjectsArea(TfrmNerim& Window, QWidget* Parent) : QObject(Parent), window_(Window) {
    panel_ = new QWidget(Parent);
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);

    const QString listHint = QStringLiteral("Objetos del dominio; haga clic en uno para editarlo");
    lbxObjects_ = new QListWidget(panel_);
    lbxObjects_->setObjectName(QStringLiteral("lbxObjects"));
    lbxObjects_->setToolTip(listHint);
    column->addWidget(NamedLabel(panel_, "lblObjetos", QStringLiteral("Objetos"), listHint, lbxObjects_));
    auto* listRow = new QHBoxLayout;
    column->addLayout(listRow, 1);
    listRow->addWidget(lbxObjects_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    listRow->addLayout(buttons);
    const QString click = QStringLiteral(": haga clic en la vista para cada vértice y doble clic para terminar");
    auto* btnObstaculo = MakeObjectButton(panel_, "btnObstaculo", QStringLiteral("Obstáculo"),
                                          QStringLiteral("Nuevo obstáculo impermeable") + click);
    btnObstaculo->setIcon(Swatch(clYellow));
    auto* btnPoroso = MakeObjectButton(panel_, "btnPoroso", QStringLiteral("Poroso"),
                                       QStringLiteral("Nuevo medio poroso") + click);
    btnPoroso->setIcon(Swatch(clRed));
    auto* btnAgua =
        MakeObjectButton(panel_, "btnAgua", QStringLiteral("Agua"), QStringLiteral("Nueva zona de agua") + click);
    btnAgua->setIcon(Swatch(clAqua));
    auto* btnBorrar =
        MakeObjectButton(panel_, "btnBorrar", QStringLiteral("Borrar"), QStringLiteral("Borrar el objeto seleccionado"));
    for (QToolButton* button : {btnObstaculo, btnPoroso, btnAgua, btnBorrar}) buttons->addWidget(button);
    buttons->addStretch(1);

    auto* vertexRow = new QHBoxLayout;
    column->addLayout(vertexRow);
    edtPolylineX_ = MakeVertexField(panel_, vertexRow, "edtPolylineX", "lblPolylineX", QStringLiteral("X"),
                                    QStringLiteral("Coordenada X del vértice seleccionado (m)"));
    edtPolylineY_ =
        MakeVertexField(panel_, vertexRow, "edtPolylineY", "lblPolylineY", QStringLiteral("Y"),
                        QStringLiteral("Coordenada Y del vértice seleccionado, hacia arriba desde el borde inferior (m)"));
    auto* btnPolylinPointOk = NamedButton(panel_, "btnPolylinPointOk", QStringLiteral("Ok"),
                                          QStringLiteral("Mover el vértice seleccionado a estas coordenadas"));
    vertexRow->addWidget(btnPolylinPointOk);

    const QString porousHint = QStringLiteral("Modelo de fricción de los medios porosos");
    cbxTipoPoroso_ = new QComboBox(panel_);
    cbxTipoPoroso_->setObjectName(QStringLiteral("cbxTipoPoroso"));
    cbxTipoPoroso_->setToolTip(porousHint);
    cbxTipoPoroso_->addItems({QStringLiteral("Sin medio poroso"), QStringLiteral("Fricción lineal"),
                              QStringLiteral("Fricción no lineal")});
    auto* porousRow = new QHBoxLayout;
    column->addLayout(porousRow);
    porousRow->addWidget(NamedLabel(panel_, "lblTipoPoroso", QStringLiteral("Tipo de medio poroso"), porousHint,
                                    cbxTipoPoroso_));
    porousRow->addWidget(cbxTipoPoroso_, 1);

    // Present but never shown.
    auto* btnNuevoPoligono = NamedButton(panel_, "btnNuevoPoligono", QStringLiteral("Poligono"), QStringLiteral("Nuevo polígono"));
    btnNuevoPoligono->hide();
    auto* btnElipse = NamedButton(panel_, "btnElipse", QStringLiteral("Elipse"), QStringLiteral("Nueva elipse"));
    btnElipse->hide();

    connect(btnObstaculo, &QToolButton::clicked, this, [this] { btnNewObjectClick(mkObstacle); });
    connect(btnPoroso, &QToolButton::clicked, this, [this] { btnNewObjectClick(mkPorous); });
    connect(btnAgua, &QToolButton::clicked, this, [this] { btnNewObjectClick(mkWater); });
    connect(btnBorrar, &QToolButton::clicked, this, &TObjectsArea::btnBorrarClick);
    connect(lbxObjects_, &QListWidget::itemClicked, this, &TObjectsArea::lbxObjectsClick);
    connect(lbxObjects_, &QListWidget::currentRowChanged, this, &TObjectsArea::lbxObjectsClick);
    connect(btnPolylinPointOk, &QPushButton::clicked, this, &TObjectsArea::btnPolylinPointOkClick);
    connect(btnNuevoPoligono, &QPushButton::clicked, this, &TObjectsArea::btnNuevoPoligonoClick);
    connect(btnElipse, &QPushButton::clicked, this, &TObjectsArea::btnElipseClick);
}

TObjectsArea::~TObjectsArea() = default;

TCEPolyline::TVertexEvent TObjectsArea::VertexEvent() {
    return [this](TCEPolyline& polygon, TPLPolyLine& line, TPLNode* node) { OnNodeSelected(polygon, line, node); };
}

// ---- Objects

void TObjectsArea::btnNewObjectClick(TMaterialKind Kind) {
    TWorkingSet& set = window_.Set();
    ElementHandle<TCEPolyline> created = MakeElement<TCEPolyline>(set.Canvax());
    TCEPolyline& polygon = *created;
    set.Objects().push_back(std::move(created));
    std::unique_ptr<TNerimObjectDefinition> material;
    switch (Kind) {
        case mkObstacle: material = std::make_unique<TObstacleDef>(); break;
        case mkPorous: material = std::make_unique<TPorousMediumDef>(); break;
        case mkWater:
        case mkNone: material = std::make_unique<TWaterDef>(); break;
    }
    TNerimObjectDefinition& definition = *material;
    polygon.SetDefinition(std::move(material));
    polygon.SetColor(MaterialColor(definition));
    definition.SetDefaults();
    polygon.SetClosed(true);
    polygon.SetVertexEvent(VertexEvent());
    set.ObjectsLayer().AddChild(polygon);
    polygon.Show();
    SelectObject(&polygon);
    RefreshObjectList();
    window_.ScheduleTitleUpdate();
}

void TObjectsArea::SelectObject(TCENerimObject* Object) {
    window_.ViewTools().SetMouseMode(0);
    currentObject_ = Object;
    if (!Object) {
        window_.ObjectEditor().ShowNoObject();
        return;
    }
    if (Object->State() == esNormal) window_.Set().Canvax().SelectElement(Object);
    for (int row = 0; row < lbxObjects_->count(); ++row)
        if (lbxObjects_->item(row)->data(Qt::UserRole).value<quintptr>() == reinterpret_cast<quintptr>(Object)) {
            const QSignalBlocker blocker(lbxObjects_);
            lbxObjects_->setCurrentRow(row);
        }
    window_.ObjectEditor().ShowObjectEditor(*Object);
    window_.Mesh().SetSelectedObject(Object);
}

void TObjectsArea::RefreshObjectList() {
    const QSignalBlocker blocker(lbxObjects_);
    lbxObjects_->clear();
    for (const auto& object : window_.Set().Objects()) {
        const TNerimObjectDefinition* definition = object->Definition();
        auto* item = new QListWidgetItem(QString::fromStdString(definition ? definition->Name : std::string()));
        item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(object.get())));
        lbxObjects_->addItem(item);
        if (object.get() == currentObject_) lbxObjects_->setCurrentItem(item);
    }
}

void TObjectsArea::lbxObjectsClick() {
    QListWidgetItem* item = lbxObjects_->currentItem();
    if (!item || !item->isSelected()) {
        SelectObject(nullptr);
        return;
    }
    const auto key = item->data(Qt::UserRole).value<quintptr>();
    for (const auto& object : window_.Set().Objects())
        if (reinterpret_cast<quintptr>(object.get()) == key) {
            SelectObject(object.get());
            return;
        }
    SelectObject(nullptr);
}

void TObjectsArea::btnBorrarClick() {
    TCENerimObject* object = currentObject_;
    if (object) {
        SelectObject(nullptr);
        if (nodePolygon_ == object) ClearVertexSelection();
        if (window_.Mesh().SelectedObject() == object) window_.Mesh().SetSelectedObject(nullptr);
        TObjectList& objects = window_.Set().Objects();
        const auto found = std::find_if(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == object; });
        if (found != objects.end()) objects.erase(found);
        window_.ScheduleTitleUpdate();
    }
    RefreshObjectList();
}

void TObjectsArea::ForgetObjects() {
    // As SelectObject(none), but the mouse mode stays: opening is not selecting.
    currentObject_ = nullptr;
    window_.ObjectEditor().ShowNoObject();
    ClearVertexSelection();
    window_.Mesh().SetSelectedObject(nullptr);
}

void TObjectsArea::ReleaseElements() {
    currentObject_ = nullptr;
    selectedNode_ = nullptr;
    nodePolygon_ = nullptr;
    ellipses_.clear();
}

// ---- Vertices

void TObjectsArea::ClearVertexSelection() {
    selectedNode_ = nullptr;
    nodePolygon_ = nullptr;
    edtPolylineX_->setEnabled(false);
    edtPolylineY_->setEnabled(false);
}

void TObjectsArea::OnNodeSelected(TCEPolyline& Polygon, TPLPolyLine& Line, TPLNode* Node) {
    selectedNode_ = Node;
    // Without a vertex the polygon is forgotten too: it reports so when it goes.
    nodePolygon_ = Node ? &Polygon : nullptr;
    edtPolylineX_->setEnabled(Node != nullptr);
    edtPolylineY_->setEnabled(Node != nullptr);
    if (Node) {
        const TPoint2D p = Line.GetPoint(Node);
        edtPolylineX_->SetAsFloat(p.X);
        edtPolylineY_->SetAsFloat(window_.Mesh().Height() - p.Y);
    }
    window_.ScheduleTitleUpdate();
}

void TObjectsArea::btnPolylinPointOkClick() {
    if (!selectedNode_ || !nodePolygon_) return;
    const double x = edtPolylineX_->AsFloat();
    const double y = window_.Mesh().Height() - edtPolylineY_->AsFloat();
    TCEPolyline& polygon = *nodePolygon_;
    polygon.Line().SetPoint(selectedNode_, {x, y});
    polygon.Redraw();
    window_.ScheduleTitleUpdate();
}

// ---- Hidden buttons

void TObjectsArea::btnNuevoPoligonoClick() { btnNewObjectClick(mkObstacle); }

void TObjectsArea::btnElipseClick() {
    TWorkingSet& set = window_.Set();
    const double width = set.Mesh().Width(), height = set.Mesh().Height();
    ElementHandle<TCEEllipse> ellipse =
        TCEEllipse::CreateAt(set.Canvax(), set.ObjectsLayer(), {width / 2, height / 2}, width / 10, height / 4);
    ellipse->Show();
    ellipses_.push_back(std::move(ellipse));
}

}  // namespace nerim
