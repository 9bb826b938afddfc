#include "app/windows/mesh_area.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/batch_run.h"
#include "app/window_texts.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_delta_graph.h"
#include "app/windows/status_readout.h"
#include "app/windows/view_tools.h"
#include "app/windows/window_controls.h"
#include "app/windows/window_prompts.h"
#include "app/working_set.h"
#include "mesh/tamrix_mesh.h"
#include "objects/information_box.h"
#include "support/format.h"
#include "support/string_table.h"
#include "widgets/qmt_edit.h"
#include "widgets/qmt_frame.h"

namespace nerim {
namespace {

const QColor kChangeColor(113, 99, 235);

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// The wait cursor while the mesh is generated; restored however the generation ends.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace

// ---- The change frame

TChangeFrame::TChangeFrame(QWidget* parent) : QFrame(parent) { setFrameShape(QFrame::NoFrame); }

void TChangeFrame::SetShown(bool Value) {
    if (Value == shown_) return;
    shown_ = Value;
    update();
}

void TChangeFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!shown_) return;
    QPainter painter(this);
    QPen pen(kChangeColor, kPenWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int half = kPenWidth / 2;
    painter.drawRect(rect().adjusted(half, half, -half - 1, -half - 1));
}

// ---- Building

TMeshArea::TMeshArea(TfrmNerim& Window, QWidget* Parent) : QObject(Parent), window_(Window) {
    shpChanges_ = new TChangeFrame(Parent);
    shpChanges_->setObjectName(QStringLiteral("shpChanges"));
    shpChanges_->setToolTip(QStringLiteral("Los campos de la malla tienen cambios sin aplicar: «Generar malla» los aplica"));
    // The fields keep their size; the objects beside them take the room a wider window gains.
    shpChanges_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto* column = new QVBoxLayout(shpChanges_);
    const int margin = TChangeFrame::kPenWidth + 3;
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(4);

    auto* extents = new QGridLayout;
    column->addLayout(extents);
    edtAnchura_ = AddMeshField(extents, 0, 0, "edtAnchura", "lblAnchura", QStringLiteral("Anchura"),
                               QStringLiteral("Anchura del dominio (m)"), false);
    edtAltura_ = AddMeshField(extents, 0, 2, "edtAltura", "lblAltura", QStringLiteral("Altura"),
                              QStringLiteral("Altura del dominio (m)"), false);
    extents->setColumnMinimumWidth(2, 60);
    extents->setColumnStretch(4, 1);

    auto* zones = new QGridLayout;
    zones->setHorizontalSpacing(4);
    column->addLayout(zones);
    BuildSubZoneEditor(axX, shpChanges_, zones, 0);
    BuildSubZoneEditor(axY, shpChanges_, zones, 1);

    auto* counts = new QHBoxLayout;
    column->addLayout(counts);
    lblNumSubzonas_ = new QLabel(shpChanges_);
    lblNumSubzonas_->setObjectName(QStringLiteral("lblNumSubzonas"));
    lblNumSubzonas_->setToolTip(QStringLiteral("Número de subzonas en cada eje"));
    counts->addWidget(lblNumSubzonas_, 1);
    const QString nxHint = QStringLiteral("Puntos de muestreo por celda en X para clasificar las celdas");
    const QString nyHint = QStringLiteral("Puntos de muestreo por celda en Y para clasificar las celdas");
    edtNX_ = NamedSpin(shpChanges_, "edtNX", 1, 99, 10, nxHint);
    edtNY_ = NamedSpin(shpChanges_, "edtNY", 1, 99, 10, nyHint);
    counts->addWidget(NamedLabel(shpChanges_, "lblNX", QStringLiteral("NX:"), nxHint, edtNX_));
    counts->addWidget(edtNX_);
    counts->addWidget(NamedLabel(shpChanges_, "lblNY", QStringLiteral("NY:"), nyHint, edtNY_));
    counts->addWidget(edtNY_);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    auto* btnCalidadMalla = NamedButton(shpChanges_, "btnCalidadMalla", QStringLiteral("Calidad malla"),
                                       QStringLiteral("Gráfico de cómo cambia el tamaño de celda a lo largo de cada eje"));
    auto* btnMeshInfo = NamedButton(shpChanges_, "btnMeshInfo", QStringLiteral("Información"),
                                   QStringLiteral("Número de divisiones de la malla generada en X y en Y"));
    auto* btnGuardarMallado =
        NamedButton(shpChanges_, "btnGuardarMallado", QStringLiteral("Exportar malla"),
                   QStringLiteral("Escribir Mesh.mes, la entrada del modelo, junto al proyecto"));
    auto* btnGenerateMesh =
        NamedButton(shpChanges_, "btnGenerateMesh", QStringLiteral("Generar malla"),
                   QStringLiteral("Generar las divisiones y clasificar cada celda según los objetos (F5)"));
    btnGenerateMesh->setShortcut(Qt::Key_F5);
    for (QPushButton* button : {btnCalidadMalla, btnMeshInfo, btnGuardarMallado, btnGenerateMesh})
        buttons->addWidget(button);
    btnOk_ = NamedButton(shpChanges_, "btnOk", QStringLiteral("Ok"), QStringLiteral("Aplicar los campos de la malla"));
    btnOk_->hide();

    for (TQmtEdit* field : shpChanges_->findChildren<TQmtEdit*>())
        connect(field, &TQmtEdit::Changed, this, &TMeshArea::edtMeshChange);
    connect(btnOk_, &QPushButton::clicked, this, &TMeshArea::btnOkClick);
    connect(btnGenerateMesh, &QPushButton::clicked, this, &TMeshArea::btnGenerateMeshClick);
    connect(btnMeshInfo, &QPushButton::clicked, this, &TMeshArea::btnMeshInfoClick);
    connect(btnCalidadMalla, &QPushButton::clicked, this, &TMeshArea::btnCalidadMallaClick);
    connect(btnGuardarMallado, &QPushButton::clicked, this, &TMeshArea::btnGuardarMalladoClick);
    connect(axes_[axX].Spin, &QSpinBox::valueChanged, this, &TMeshArea::sedtSubZonaXChange);
    connect(axes_[axY].Spin, &QSpinBox::valueChanged, this, &TMeshArea::sedtSubZonaYChange);
    connect(axes_[axX].Add, &QPushButton::clicked, this, &TMeshArea::btnAddSubzoneXClick);
    connect(axes_[axY].Add, &QPushButton::clicked, this, &TMeshArea::btnAddSubzoneYClick);
    connect(axes_[axX].Delete, &QPushButton::clicked, this, &TMeshArea::bntDelSubzoneXClick);
    connect(axes_[axY].Delete, &QPushButton::clicked, this, &TMeshArea::bntDelSubzoneYClick);
}

TQmtEdit* TMeshArea::AddMeshField(QGridLayout* Grid, int Row, int Column, const char* Name, const char* LabelName,
                                  const QString& Caption, const QString& Hint, bool Integer) {
    TQmtEdit* field = NamedField(Grid->parentWidget(), Name, Integer ? typInteger : typDouble, Caption, Hint);
    field->setMinimumWidth(60);
    field->setMaximumWidth(100);
    Grid->addWidget(NamedLabel(Grid->parentWidget(), LabelName, Caption, Hint, field), Row, Column);
    Grid->addWidget(field, Row, Column + 1);
    return field;
}

void TMeshArea::BuildSubZoneEditor(TAxis Axis, QWidget* Parent, QGridLayout* Grid, int Column) {
    const bool x = Axis == axX;
    const auto name = [x](const char* base) { return QString::fromLatin1(base) + (x ? "X" : "Y"); };
    const auto latin = [](const QString& text) { return text.toLatin1(); };
    TSubZoneFields& f = axes_[Axis];
    f.Frame = new TQmtFrame(x ? QStringLiteral("Subzonas en  X") : QStringLiteral("Subzonas en  Y"), Parent);
    f.Frame->setObjectName(name("pnlSubZonas"));
    f.Frame->SetCollapsable(false);
    f.Frame->setToolTip(QStringLiteral("Subzonas de refinamiento de la malla a lo largo del eje ") + (x ? "X" : "Y"));
    Grid->addWidget(f.Frame, 0, Column);
    auto* grid = new QGridLayout(f.Frame);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(4);

    const QString axis = x ? QStringLiteral("X") : QStringLiteral("Y");
    const QString spinHint = QStringLiteral("Subzona %1 que se muestra, contada desde 1").arg(axis);
    f.Spin = NamedSpin(f.Frame, latin(name("sedtSubZona")).constData(), 1, 1, 1, spinHint);
    grid->addWidget(NamedLabel(f.Frame, latin(name("lblSubZona")).constData(), QStringLiteral("Subzona:"), spinHint, f.Spin),
                    0, 0);
    grid->addWidget(f.Spin, 0, 1);

    const QString down = x ? QString() : QStringLiteral(", medida hacia abajo desde el borde superior");
    const QString above = x ? QString() : QStringLiteral(" (encima del centro)");
    const QString below = x ? QString() : QStringLiteral(" (debajo del centro)");
    f.Center = AddMeshField(grid, 1, 0, latin(name("edtCentro")).constData(), latin(name("lblCentro")).constData(),
                            QStringLiteral("Centro"),
                            QStringLiteral("Posición %1 de las celdas más finas de la subzona%2 (m)").arg(axis, down),
                            false);
    f.Division = AddMeshField(
        grid, 2, 0, latin(name("edtDivision")).constData(), latin(name("lblDivision")).constData(),
        QStringLiteral("Division"),
        QStringLiteral("Posición %1 donde empieza la subzona%2; la anterior termina ahí (m)").arg(axis, down), false);
    f.NumDivL = AddMeshField(grid, 3, 0, latin(name("edtNumDivL")).constData(), latin(name("lblNumDivL")).constData(),
                             x ? QStringLiteral("Nº celdas izq.") : QStringLiteral("Nº celdas arriba"),
                             QStringLiteral("Número de celdas entre el inicio de la subzona y su centro") + above, true);
    f.NumDivR = AddMeshField(grid, 4, 0, latin(name("edtlNumDivR")).constData(), latin(name("lblNumDivR")).constData(),
                             x ? QStringLiteral("Nº celdas dcha.") : QStringLiteral("Nº celdas abajo"),
                             QStringLiteral("Número de celdas entre el centro y el final de la subzona") + below, true);
    f.MaxSep = AddMeshField(grid, 5, 0, latin(name("edtMaxSep")).constData(), latin(name("lblMaxSep")).constData(),
                            QStringLiteral("Sep. máx. centro"),
                            QStringLiteral("Tamaño máximo de las celdas junto al centro (m)"), false);

    auto* buttons = new QHBoxLayout;
    grid->addLayout(buttons, 6, 0, 1, 2);
    f.Add = NamedButton(f.Frame, latin(name("btnAddSubzone")).constData(), QStringLiteral("Añadir"),
                       QStringLiteral("Añadir una subzona %1 detrás de la actual").arg(axis));
    f.Delete = NamedButton(f.Frame, latin(name("bntDelSubzone")).constData(), QStringLiteral("Borrar"),
                          QStringLiteral("Borrar la subzona %1 actual").arg(axis));
    buttons->addWidget(f.Add);
    buttons->addWidget(f.Delete);
}

void TMeshArea::SetPorousModelList(QComboBox* List) {
    cbxTipoPoroso_ = List;
    connect(List, &QComboBox::currentIndexChanged, this, &TMeshArea::cbxTipoPorosoChange);
}

TCETamrixMesh& TMeshArea::Mesh() const { return window_.Mesh(); }

std::int32_t TMeshArea::NX() const { return edtNX_->value(); }
std::int32_t TMeshArea::NY() const { return edtNY_->value(); }

bool TMeshArea::HasGeneratedMesh() const {
    return generated_ && Mesh().DivisionXCount() > 1 && Mesh().DivisionYCount() > 1;
}

void TMeshArea::ProjectOpened() {
    TCETamrixMesh& mesh = Mesh();
    const auto inRange = [](std::int32_t current, std::int32_t count) {
        return count <= 0 ? -1 : std::clamp(current, 0, count - 1);
    };
    mesh.SetCurrentSubZoneX(inRange(mesh.CurrentSubZoneX(), mesh.SubZoneXCount()));
    mesh.SetCurrentSubZoneY(inRange(mesh.CurrentSubZoneY(), mesh.SubZoneYCount()));
    ShowMeshParameters();
    generated_ = false;
    meshEdited_ = false;
    shpChanges_->SetShown(false);
}

// ---- Fields and mesh

void TMeshArea::ShowMeshParameters() {
    updating_ = true;
    try {
        TCETamrixMesh& mesh = Mesh();
        edtAnchura_->SetAsFloat(mesh.Width());
        edtAltura_->SetAsFloat(mesh.Height());
        ShowSubZone(axX);
        ShowSubZone(axY);
        lblNumSubzonas_->setText(Utf8(Format(StringTableEntry(wsSubZoneCounts),
                                             {static_cast<long long>(mesh.SubZoneXCount()),
                                              static_cast<long long>(mesh.SubZoneYCount())})));
        if (cbxTipoPoroso_) {
            const QSignalBlocker blocker(cbxTipoPoroso_);
            cbxTipoPoroso_->setCurrentIndex(mesh.PorousModel());
        }
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TMeshArea::ShowSubZoneSpin(TAxis Axis) {
    const TCETamrixMesh& mesh = Mesh();
    QSpinBox* spin = axes_[Axis].Spin;
    const std::int32_t count = Axis == axX ? mesh.SubZoneXCount() : mesh.SubZoneYCount();
    const std::int32_t current = Axis == axX ? mesh.CurrentSubZoneX() : mesh.CurrentSubZoneY();
    const QSignalBlocker blocker(spin);
    spin->setRange(1, count);
    spin->setValue(current + 1);
    spin->setEnabled(count > 1);
}

void TMeshArea::ShowSubZone(TAxis Axis) {
    TCETamrixMesh& mesh = Mesh();
    const TSubZoneFields& f = axes_[Axis];
    const std::int32_t count = Axis == axX ? mesh.SubZoneXCount() : mesh.SubZoneYCount();
    const std::int32_t current = Axis == axX ? mesh.CurrentSubZoneX() : mesh.CurrentSubZoneY();
    ShowSubZoneSpin(Axis);
    if (count > 0) {
        const TSubZone zone = Axis == axX ? mesh.GetSubZoneX(current) : mesh.GetSubZoneY(current);
        f.Center->SetAsFloat(zone.Center);
        f.Division->SetAsFloat(zone.Division);
        f.MaxSep->SetAsFloat(zone.MaxSep);
        f.NumDivL->SetAsInteger(zone.NumDivL);
        f.NumDivR->SetAsInteger(zone.NumDivR);
    } else {
        for (TQmtEdit* field : {f.Center, f.Division, f.MaxSep}) field->SetAsFloat(0);
        for (TQmtEdit* field : {f.NumDivL, f.NumDivR}) field->SetAsInteger(0);
    }
}

void TMeshArea::ApplyMeshParameters() {
    TCETamrixMesh& mesh = Mesh();
    mesh.BeginChanges();
    try {
        mesh.SetWidth(edtAnchura_->AsFloat());
        mesh.SetHeight(edtAltura_->AsFloat());
        ApplySubZone(axX);
        ApplySubZone(axY);
    } catch (...) {
        mesh.EndChanges();
        throw;
    }
    mesh.EndChanges();
}

void TMeshArea::ApplySubZone(TAxis Axis) {
    TCETamrixMesh& mesh = Mesh();
    const TSubZoneFields& f = axes_[Axis];
    if ((Axis == axX ? mesh.SubZoneXCount() : mesh.SubZoneYCount()) <= 0) return;
    f.Frame->setEnabled(true);
    const std::int32_t current = Axis == axX ? mesh.CurrentSubZoneX() : mesh.CurrentSubZoneY();
    TSubZone zone = Axis == axX ? mesh.GetSubZoneX(current) : mesh.GetSubZoneY(current);
    zone.Center = f.Center->AsFloat();
    zone.Division = f.Division->AsFloat();
    zone.NumDivL = f.NumDivL->AsInteger();
    zone.NumDivR = f.NumDivR->AsInteger();
    zone.MaxSep = f.MaxSep->AsFloat();
    if (Axis == axX)
        mesh.SetSubZoneX(current, zone);
    else
        mesh.SetSubZoneY(current, zone);
}

// ---- Handlers

void TMeshArea::edtMeshChange() {
    if (updating_) return;
    shpChanges_->SetShown(true);
    meshEdited_ = true;
    window_.ScheduleTitleUpdate();
}

void TMeshArea::btnOkClick() {
    if (!meshEdited_) return;
    window_.ViewTools().ShowNoVariable();
    ApplyMeshParameters();
    shpChanges_->SetShown(false);
    meshEdited_ = false;
    window_.ScheduleTitleUpdate();
}

void TMeshArea::btnGenerateMeshClick() {
    btnOkClick();
    const TWaitCursor wait;
    TCETamrixMesh& mesh = Mesh();
    const auto start = std::chrono::steady_clock::now();
    generated_ = false;
    mesh.GenerateDivisions();
    mesh.ClassifyCells(window_.Set().ObjectPointers(), NX(), NY());
    generated_ = true;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    window_.Status().ShowGeneration(std::max(mesh.DivisionXCount() - 1, 0), std::max(mesh.DivisionYCount() - 1, 0),
                                    seconds);
}

void TMeshArea::SubZoneSpinChange(TAxis Axis) {
    try {
        btnOkClick();
    } catch (...) {
        // The fields still show the sub-zone their edits belong to: so does the spin.
        ShowSubZoneSpin(Axis);
        throw;
    }
    const std::int32_t index = axes_[Axis].Spin->value() - 1;
    if (Axis == axX)
        Mesh().SetCurrentSubZoneX(index);
    else
        Mesh().SetCurrentSubZoneY(index);
    ShowMeshParameters();
}

void TMeshArea::sedtSubZonaXChange() { SubZoneSpinChange(axX); }
void TMeshArea::sedtSubZonaYChange() { SubZoneSpinChange(axY); }

void TMeshArea::AddSubZone(TAxis Axis) {
    btnOkClick();
    TCETamrixMesh& mesh = Mesh();
    if (Axis == axX) {
        const TSubZone zone = NextSubZone(mesh.Parameters().SubZonesX, mesh.CurrentSubZoneX(), mesh.Width());
        mesh.AddSubZoneX(zone.NumDivL, zone.NumDivR, zone.Division, zone.Center, zone.MaxSep);
    } else {
        const TSubZone zone = NextSubZone(mesh.Parameters().SubZonesY, mesh.CurrentSubZoneY(), mesh.Height());
        mesh.AddSubZoneY(zone.NumDivL, zone.NumDivR, zone.Division, zone.Center, zone.MaxSep);
    }
    ShowMeshParameters();
    window_.ScheduleTitleUpdate();
}

void TMeshArea::btnAddSubzoneXClick() { AddSubZone(axX); }
void TMeshArea::btnAddSubzoneYClick() { AddSubZone(axY); }

void TMeshArea::DeleteSubZone(TAxis Axis) {
    TCETamrixMesh& mesh = Mesh();
    if ((Axis == axX ? mesh.SubZoneXCount() : mesh.SubZoneYCount()) == 0) return;
    btnOkClick();
    if (Axis == axX) {
        mesh.DeleteSubZoneX(mesh.CurrentSubZoneX());
        if (mesh.CurrentSubZoneX() >= mesh.SubZoneXCount()) mesh.SetCurrentSubZoneX(mesh.CurrentSubZoneX() - 1);
    } else {
        mesh.DeleteSubZoneY(mesh.CurrentSubZoneY());
        if (mesh.CurrentSubZoneY() >= mesh.SubZoneYCount()) mesh.SetCurrentSubZoneY(mesh.CurrentSubZoneY() - 1);
    }
    ShowMeshParameters();
    window_.ScheduleTitleUpdate();
}

void TMeshArea::bntDelSubzoneXClick() { DeleteSubZone(axX); }
void TMeshArea::bntDelSubzoneYClick() { DeleteSubZone(axY); }

void TMeshArea::btnMeshInfoClick() {
    ShowInformation(Format(WindowString(wsMeshDivisions, "Div. X: %d, Div. Y: %d"),
                           {static_cast<long long>(Mesh().DivisionXCount()),
                            static_cast<long long>(Mesh().DivisionYCount())}));
}

void TMeshArea::btnCalidadMallaClick() {
    window_.QualityWindow().ShowMeshQuality(Mesh().DivisionsX(), Mesh().DivisionsY());
}

void TMeshArea::btnGuardarMalladoClick() {
    if (!HasGeneratedMesh()) {
        ShowInformation(WindowString(wsNothingToExport, "No hay ninguna malla generada que exportar"));
        return;
    }
    const std::filesystem::path project = LocalPath(window_.FileName());
    const std::filesystem::path output = DefaultMeshFile(project);
    Mesh().ExportMesh(output);
    const QString written = QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(output.c_str())));
    window_.Status().ShowMessage(Format(WindowString(wsMeshExported), {written.toStdString()}));
}

void TMeshArea::cbxTipoPorosoChange(int Index) {
    Mesh().SetPorousModel(static_cast<std::uint8_t>(std::max(Index, 0)));
    window_.ScheduleTitleUpdate();
}

}  // namespace nerim
