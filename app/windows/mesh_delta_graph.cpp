#include "app/windows/mesh_delta_graph.h"

#include <QCursor>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "support/exception.h"

namespace nerim {
namespace {

const QColor kDeltaRed(255, 0, 0);
const QColor kDeltaBlack(0, 0, 0);
const QColor kDelta2Green(0, 128, 0);
constexpr int kDeltaWidth = 4;

QColor PointColor(TQualityColor color) {
    switch (color) {
        case qcRed: return kDeltaRed;
        case qcGreen: return kDelta2Green;
        default: return kDeltaBlack;
    }
}

QString Text(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// The range an axis shows: the values with a little room, or around the value when all are equal.
void SetRange(QValueAxis* axis, const std::vector<TQualityPoint>& points, bool alongX) {
    if (points.empty()) {
        axis->setRange(0, 1);
        return;
    }
    double lo = alongX ? points.front().X : points.front().Y, hi = lo;
    for (const TQualityPoint& p : points) {
        const double v = alongX ? p.X : p.Y;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    const double room = hi > lo ? (alongX ? 0.0 : 0.05 * (hi - lo)) : std::max(std::abs(lo) * 0.1, 1.0);
    axis->setRange(lo - room, hi + room);
    axis->applyNiceNumbers();
}

// The index of the point nearest to x (the points ascend in x).
std::size_t Nearest(const std::vector<TQualityPoint>& points, double x) {
    const auto after = std::lower_bound(points.begin(), points.end(), x,
                                        [](const TQualityPoint& p, double v) { return p.X < v; });
    if (after == points.begin()) return 0;
    if (after == points.end()) return points.size() - 1;
    const auto before = after - 1;
    return std::size_t((x - before->X <= after->X - x ? before : after) - points.begin());
}

}  // namespace

TfrmMeshDeltaGraph::TfrmMeshDeltaGraph(QWidget* parent) : QDialog(parent) {
    setObjectName("frmMeshDeltaGraph");
    setWindowTitle("Calidad de la malla");
    setModal(true);
    resize(900, 720);

    auto* layout = new QVBoxLayout(this);
    BuildChart(chartX_, "chrtDX", "X", "Delta X", "Delta2 X", "serDDX");
    BuildChart(chartY_, "chrtDY", "Y", "Delta Y", "Delta2 Y", "serDDy");
    for (TAxisChart* axis : {&chartX_, &chartY_}) {
        layout->addWidget(axis->View, 1);
        layout->addWidget(axis->Summary);
    }

    auto* buttons = new QHBoxLayout;
    btnGuardarImagen_ = new QPushButton("Guardar imagen...", this);
    btnGuardarImagen_->setObjectName("btnGuardarImagen");
    btnExportarCsv_ = new QPushButton("Exportar CSV...", this);
    btnExportarCsv_->setObjectName("btnExportarCsv");
    btnCerrar_ = new QPushButton("Cerrar", this);
    btnCerrar_->setObjectName("btnCerrar");
    btnCerrar_->setDefault(true);
    buttons->addWidget(btnGuardarImagen_);
    buttons->addWidget(btnExportarCsv_);
    buttons->addStretch(1);
    buttons->addWidget(btnCerrar_);
    layout->addLayout(buttons);

    connect(btnGuardarImagen_, &QPushButton::clicked, this, [this] { btnGuardarImagenClick(); });
    connect(btnExportarCsv_, &QPushButton::clicked, this, [this] { btnExportarCsvClick(); });
    connect(btnCerrar_, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmMeshDeltaGraph::BuildChart(TAxisChart& axis, const QString& name, const QString& title,
                                    const QString& deltaName, const QString& delta2Name, const QString& delta2Object) {
    axis.Chart = new QChart;
    axis.Chart->setObjectName(name);
    axis.Chart->setTitle(title);
    axis.Chart->legend()->setAlignment(Qt::AlignBottom);
    axis.View = new QChartView(axis.Chart, this);
    axis.View->setObjectName(name);
    axis.View->setRenderHint(QPainter::Antialiasing);
    axis.View->setMinimumHeight(220);

    axis.Delta = new QLineSeries;
    axis.Delta->setObjectName(name == "chrtDX" ? "serDX" : "serDY");
    axis.Delta->setName(deltaName);
    axis.Delta->setPen(QPen(kDeltaRed, kDeltaWidth));
    axis.Delta2 = new QLineSeries;
    axis.Delta2->setObjectName(delta2Object);
    axis.Delta2->setName(delta2Name);
    axis.Delta2->setPen(QPen(kDelta2Green, 2));
    for (QLineSeries* series : {axis.Delta, axis.Delta2}) {
        series->setPointsVisible(false);
        series->setPointLabelsVisible(false);
        axis.Chart->addSeries(series);
    }

    axis.AxisX = new QValueAxis;
    axis.AxisX->setTitleText("Posición");
    axis.AxisDelta = new QValueAxis;
    axis.AxisDelta->setTitleText(deltaName);
    axis.AxisDelta2 = new QValueAxis;
    axis.AxisDelta2->setTitleText(delta2Name);
    axis.Chart->addAxis(axis.AxisX, Qt::AlignBottom);
    axis.Chart->addAxis(axis.AxisDelta, Qt::AlignLeft);
    axis.Chart->addAxis(axis.AxisDelta2, Qt::AlignRight);
    axis.Delta->attachAxis(axis.AxisX);
    axis.Delta->attachAxis(axis.AxisDelta);
    axis.Delta2->attachAxis(axis.AxisX);
    axis.Delta2->attachAxis(axis.AxisDelta2);

    const TAxisQuality& quality = &axis == &chartX_ ? qualityX_ : qualityY_;
    const auto hover = [this, &quality](bool delta2) {
        return [this, &quality, delta2](const QPointF& p, bool state) {
            state ? ShowTooltip(quality, p, delta2) : QToolTip::hideText();
        };
    };
    connect(axis.Delta, &QXYSeries::hovered, this, hover(false));
    connect(axis.Delta2, &QXYSeries::hovered, this, hover(true));

    axis.Summary = new QLabel(this);
    axis.Summary->setObjectName(name == "chrtDX" ? "lblSummaryX" : "lblSummaryY");
    axis.Summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    axis.Summary->setWordWrap(true);
}

void TfrmMeshDeltaGraph::Fill(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY) {
    // Both axes first: a failing one leaves the window as it was.
    TAxisQuality x = AxisQuality(DivisionsX);
    TAxisQuality y = AxisQuality(DivisionsY);
    qualityX_ = std::move(x);
    qualityY_ = std::move(y);
    FillChart(chartX_, qualityX_);
    FillChart(chartY_, qualityY_);
}

void TfrmMeshDeltaGraph::FillChart(TAxisChart& axis, const TAxisQuality& quality) {
    QList<QPointF> delta, delta2;
    for (const TQualityPoint& p : quality.Delta) delta.append({p.X, p.Y});
    for (const TQualityPoint& p : quality.Delta2) delta2.append({p.X, p.Y});
    axis.Delta->clearPointsConfiguration();
    axis.Delta2->clearPointsConfiguration();
    axis.Delta->replace(delta);
    axis.Delta2->replace(delta2);
    // Markers are hidden, so these colours show only through the black stretches below; they
    // keep each point's colour with the series for whoever reads it.
    for (std::size_t k = 0; k < quality.Delta.size(); ++k)
        axis.Delta->setPointConfiguration(int(k), QXYSeries::PointConfiguration::Color,
                                          PointColor(quality.Delta[k].Color));
    for (std::size_t k = 0; k < quality.Delta2.size(); ++k)
        axis.Delta2->setPointConfiguration(int(k), QXYSeries::PointConfiguration::Color, kDelta2Green);
    AddBlackStretches(axis, quality);

    SetRange(axis.AxisX, quality.Delta, true);
    SetRange(axis.AxisDelta, quality.Delta, false);
    SetRange(axis.AxisDelta2, quality.Delta2, false);
    axis.Summary->setText(Text(SummaryLine(SummariseAxis(quality))));
}

// A line takes one colour, so the black points are drawn over the red line as black pieces of
// the same width: each run of black points from halfway to the point before it to halfway to
// the point after it.
void TfrmMeshDeltaGraph::AddBlackStretches(TAxisChart& axis, const TAxisQuality& quality) {
    for (QLineSeries* series : axis.BlackStretches) {
        axis.Chart->removeSeries(series);
        delete series;
    }
    axis.BlackStretches.clear();
    const std::vector<TQualityPoint>& d = quality.Delta;
    const auto mid = [&](std::size_t a, std::size_t b) { return QPointF((d[a].X + d[b].X) / 2, (d[a].Y + d[b].Y) / 2); };
    for (std::size_t k = 0; k < d.size();) {
        if (d[k].Color != qcBlack) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end + 1 < d.size() && d[end + 1].Color == qcBlack) ++end;
        QList<QPointF> points;
        if (k > 0) points.append(mid(k - 1, k));
        for (std::size_t i = k; i <= end; ++i) points.append({d[i].X, d[i].Y});
        if (end + 1 < d.size()) points.append(mid(end, end + 1));
        auto* series = new QLineSeries;
        series->setObjectName(axis.Delta->objectName() + "Black");
        series->setPen(QPen(kDeltaBlack, kDeltaWidth));
        series->setPointsVisible(false);
        series->setPointLabelsVisible(false);
        series->replace(points);
        axis.Chart->addSeries(series);
        series->attachAxis(axis.AxisX);
        series->attachAxis(axis.AxisDelta);
        for (QLegendMarker* marker : axis.Chart->legend()->markers(series)) marker->setVisible(false);
        const TAxisQuality* q = &quality;
        connect(series, &QXYSeries::hovered, this,
                [this, q](const QPointF& p, bool state) { state ? ShowTooltip(*q, p, false) : QToolTip::hideText(); });
        axis.BlackStretches.push_back(series);
        k = end + 1;
    }
}

void TfrmMeshDeltaGraph::ShowTooltip(const TAxisQuality& quality, const QPointF& point, bool delta2) {
    const std::vector<TQualityPoint>& points = delta2 ? quality.Delta2 : quality.Delta;
    if (points.empty()) return;
    const std::size_t k = Nearest(points, point.x());
    QToolTip::showText(QCursor::pos(), Text(delta2 ? Delta2PointText(quality, k) : DeltaPointText(quality, k)), this);
}

void TfrmMeshDeltaGraph::ShowMeshQuality(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY) {
    Fill(DivisionsX, DivisionsY);
    exec();
}

void TfrmMeshDeltaGraph::SaveImage(const QString& FileName) const {
    const QPixmap top = chartX_.View->grab();
    const QPixmap bottom = chartY_.View->grab();
    QImage image(std::max(top.width(), bottom.width()), top.height() + bottom.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, top);
    painter.drawPixmap(0, top.height(), bottom);
    painter.end();
    if (!image.save(FileName, "PNG"))
        throw EInOutError("Error de entrada/salida: no se puede guardar la imagen \"" + FileName.toStdString() + "\"");
}

void TfrmMeshDeltaGraph::ExportCsv(const QString& FileName) const {
    WriteQualityCsv(std::filesystem::path(FileName.toStdU16String()), qualityX_, qualityY_);
}

void TfrmMeshDeltaGraph::btnGuardarImagenClick() {
    const QString file = QFileDialog::getSaveFileName(this, "Guardar imagen", "calidad-malla.png", "Imágenes PNG (*.png)");
    if (!file.isEmpty()) SaveImage(file);
}

void TfrmMeshDeltaGraph::btnExportarCsvClick() {
    const QString file = QFileDialog::getSaveFileName(this, "Exportar CSV", "calidad-malla.csv", "Archivos CSV (*.csv)");
    if (!file.isEmpty()) ExportCsv(file);
}

}  // namespace nerim
