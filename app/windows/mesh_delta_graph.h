#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "mesh/core/mesh_quality.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

namespace nerim {

// "Calidad de la malla": how the cell size changes along each axis of the generated mesh, one
// chart per axis ("X" above "Y"). On each chart the Delta series (cell sizes at the cell
// midpoints, left axis) is a red line 4 pixels wide, black around the points whose slope to the
// previous cell is within 0.05, and the Delta2 series (the slopes between neighbouring cells,
// right axis) is green; each chart draws with these two series and one path of black stretches,
// whatever the number of cells. Hovering a point shows its label, cell, size and slope; a summary line
// under each chart names the smallest and largest cells, the largest size ratio between
// neighbours and the number of red points. The charts can be saved as one PNG image and the
// points exported as CSV. The summary, the tooltips and the file dialogs speak the interface
// language (the string table); the captions come from the translation list.
class TfrmMeshDeltaGraph : public QDialog {
    Q_OBJECT

public:
    explicit TfrmMeshDeltaGraph(QWidget* parent = nullptr);
    ~TfrmMeshDeltaGraph() override;

    // Fills both charts from the boundary lists (ascending 32-bit values) and shows the window
    // modally; returns when it is closed. Two cells with their midpoints in one place raise
    // EFloatingPointError and the window does not open.
    void ShowMeshQuality(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY);
    // The filling alone.
    void Fill(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY);

    const TAxisQuality& QualityX() const { return qualityX_; }
    const TAxisQuality& QualityY() const { return qualityY_; }

    // Both charts, one above the other, as a PNG file; EInOutError when it cannot be written.
    void SaveImage(const QString& FileName) const;
    // The points as CSV (see WriteQualityCsv).
    void ExportCsv(const QString& FileName) const;

    // The black stretches drawn over the Delta line of the X or the Y chart.
    const std::vector<TQualityStretch>& DrawnStretches(bool AlongX) const;

private:
    class TStretches;

    // The widgets and series of one axis.
    struct TAxisChart {
        QChartView* View = nullptr;
        QChart* Chart = nullptr;
        QLineSeries* Delta = nullptr;
        QLineSeries* Delta2 = nullptr;
        QValueAxis* AxisX = nullptr;
        QValueAxis* AxisDelta = nullptr;
        QValueAxis* AxisDelta2 = nullptr;
        TStretches* Black = nullptr;
        QLabel* Summary = nullptr;
    };

    void BuildChart(TAxisChart& axis, const QString& name, const QString& title, const QString& deltaName,
                    const QString& delta2Name, const QString& delta2Object);
    void FillChart(TAxisChart& axis, const TAxisQuality& quality);
    void ShowTooltip(const TAxisQuality& quality, const QPointF& point, bool delta2);
    void btnGuardarImagenClick();
    void btnExportarCsvClick();

    TAxisChart chartX_;
    TAxisChart chartY_;
    TAxisQuality qualityX_;
    TAxisQuality qualityY_;
    QPushButton* btnGuardarImagen_ = nullptr;
    QPushButton* btnExportarCsv_ = nullptr;
    QPushButton* btnCerrar_ = nullptr;
};

}  // namespace nerim
