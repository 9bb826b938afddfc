#include "app/windows/status_readout.h"

#include <QLabel>
#include <QStatusBar>

#include "app/window_texts.h"
#include "app/windows/frm_nerim.h"
#include "mesh/tamrix_mesh.h"

namespace nerim {

namespace {
constexpr int kMessageMilliseconds = 15000;
}

TStatusReadout::TStatusReadout(TfrmNerim& Window, QStatusBar* Bar) : QObject(Bar), window_(Window), bar_(Bar) {
    lblCellInfo_ = new QLabel(Bar);
    lblCellInfo_->setObjectName(QStringLiteral("lblCellInfo"));
    lblCellInfo_->setToolTip(QStringLiteral("Celda bajo el ratón y sus valores tras la última generación"));
    Bar->addWidget(lblCellInfo_, 1);
    lblMeshInfo_ = new QLabel(Bar);
    lblMeshInfo_->setObjectName(QStringLiteral("lblMeshInfo"));
    lblMeshInfo_->setToolTip(QStringLiteral("Celdas de la última malla generada y tiempo de la generación"));
    Bar->addPermanentWidget(lblMeshInfo_);
}

void TStatusReadout::ShowCell(const TPoint2D& World) {
    const TCETamrixMesh& mesh = window_.Mesh();
    lblCellInfo_->setText(QString::fromStdString(
        CellReadout(mesh.DivisionsX(), mesh.DivisionsY(), mesh.Cells(), mesh.Results(), World)));
}

void TStatusReadout::ShowGeneration(std::int32_t CellsX, std::int32_t CellsY, double Seconds) {
    lblMeshInfo_->setText(QString::fromStdString(GenerationSummary(CellsX, CellsY, Seconds)));
}

void TStatusReadout::ShowMessage(const std::string& Text) {
    bar_->showMessage(QString::fromStdString(Text), kMessageMilliseconds);
}

QString TStatusReadout::CellText() const { return lblCellInfo_->text(); }
QString TStatusReadout::GenerationText() const { return lblMeshInfo_->text(); }
QString TStatusReadout::MessageText() const { return bar_->currentMessage(); }

}  // namespace nerim
