#include "app/windows/mesh_delta_graph.h"

#include <QCursor>
#include <QGraphicsItem>
#include <QPolygonF>
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

#include "app/window_texts.h"
#include "app/windows/window_prompts.h"
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

// The quality words in the interface language.
TQualityWording Wording() {
    TQualityWording w;
    const std::pair<TWindowString, std::string*> entries[] = {
        {wsQualityNoCells, &w.NoCells},         {wsQualityOneCell, &w.OneCell},
        {wsQualityCells, &w.Cells},             {wsQualityRatio, &w.Ratio},
        {wsQualityInfinite, &w.Infinite},       {wsQualityOneRedPoint, &w.OneRedPoint},
        {wsQualityRedPoints, &w.RedPoints},     {wsQualityDeltaPoint, &w.DeltaPoint},
        {wsQualityDelta2Point, &w.Delta2Point}};
    for (const auto& [entry, text] : entries) *text = WindowString(entry, *text);
    return w;
}

}  // namespace

// The black stretches of a Delta line, drawn over it with one path whatever their number (a line
// series takes one colour, and a series per stretch makes a large alternating axis crawl). It
// takes no mouse, so hovering reaches the line below.
class TfrmMeshDeltaGraph::TStretches : public QGraphicsItem {
public:
    TStretches(QChart* chart, QLineSeries* series) : QGraphicsItem(chart), chart_(chart), series_(series) {
        setAcceptedMouseButtons(Qt::NoButton);
        setAcceptHoverEvents(false);
        // Above the chart's series, clipped to its plot area when painted.
        setZValue(1000);
    }

    void SetStretches(std::vector<TQualityStretch> stretches) {
        stretches_ = std::move(stretches);
        Place();
    }
    const std::vector<TQualityStretch>& Stretches() const { return stretches_; }

    // The lines in the chart's present geometry.
    void Place() {
        prepareGeometryChange();
        lines_.clear();
        lines_.reserve(stretches_.size());
        for (const TQualityStretch& stretch : stretches_) {
            QPolygonF& line = lines_.emplace_back();
            line.reserve(qsizetype(stretch.size()));
            for (const auto& [x, y] : stretch) line.append(chart_->mapToPosition(QPointF(x, y), series_));
        }
        bounds_ = chart_->plotArea().adjusted(-kDeltaWidth, -kDeltaWidth, kDeltaWidth, kDeltaWidth);
        update();
    }

    QRectF boundingRect() const override { return bounds_; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        if (lines_.empty()) return;
        painter->save();
        painter->setClipRect(chart_->plotArea());
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(kDeltaBlack, kDeltaWidth));
        painter->setBrush(Qt::NoBrush);
        // One small line at a time: the rasteriser's work follows each line's own extent, where a
        // single path of thousands of pieces makes it sweep the whole plot for every piece.
        const QRectF exposed = chart_->plotArea();
        for (const QPolygonF& line : lines_)
            if (line.boundingRect().adjusted(-kDeltaWidth, -kDeltaWidth, kDeltaWidth, kDeltaWidth).intersects(exposed))
                painter->drawPolyline(line);
        painter->restore();
    }

private:
    QChart* chart_;
    QLineSeries* series_;
    std::vector<TQualityStretch> stretches_;
    std::vector<QPolygonF> lines_;
    QRectF bounds_;
};

TfrmMeshDeltaGraph::~TfrmMeshDeltaGraph() = default;

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
    axis.AxisX->setObjectName(name == "chrtDX" ? "axsPosicionX" : "axsPosicionY");
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

    axis.Black = new TStretches(axis.Chart, axis.Delta);
    TStretches* black = axis.Black;
    connect(axis.Chart, &QChart::plotAreaChanged, axis.Chart, [black] { black->Place(); });
    for (QValueAxis* a : {axis.AxisX, axis.AxisDelta})
        connect(a, &QValueAxis::rangeChanged, axis.Chart, [black] { black->Place(); });

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
    axis.Delta->replace(delta);
    axis.Delta2->replace(delta2);
    // Markers are hidden, so these colours show only through the black stretches below; they
    // keep each point's colour with the series for whoever reads it. One call each: a call per
    // point redraws the chart each time.
    QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> colours, greens;
    colours.reserve(qsizetype(quality.Delta.size()));
    for (std::size_t k = 0; k < quality.Delta.size(); ++k)
        colours[int(k)][QXYSeries::PointConfiguration::Color] = PointColor(quality.Delta[k].Color);
    for (std::size_t k = 0; k < quality.Delta2.size(); ++k)
        greens[int(k)][QXYSeries::PointConfiguration::Color] = kDelta2Green;
    axis.Delta->setPointsConfiguration(colours);
    axis.Delta2->setPointsConfiguration(greens);

    SetRange(axis.AxisX, quality.Delta, true);
    SetRange(axis.AxisDelta, quality.Delta, false);
    SetRange(axis.AxisDelta2, quality.Delta2, false);
    axis.Black->SetStretches(BlackStretches(quality));
    axis.Summary->setText(Text(SummaryLine(SummariseAxis(quality), Wording())));
}

const std::vector<TQualityStretch>& TfrmMeshDeltaGraph::DrawnStretches(bool AlongX) const {
    return (AlongX ? chartX_ : chartY_).Black->Stretches();
}

void TfrmMeshDeltaGraph::ShowTooltip(const TAxisQuality& quality, const QPointF& point, bool delta2) {
    const std::vector<TQualityPoint>& points = delta2 ? quality.Delta2 : quality.Delta;
    if (points.empty()) return;
    const std::size_t k = Nearest(points, point.x());
    const TQualityWording wording = Wording();
    QToolTip::showText(QCursor::pos(),
                       Text(delta2 ? Delta2PointText(quality, k, wording) : DeltaPointText(quality, k, wording)), this);
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
    const QString file = QFileDialog::getSaveFileName(this, DialogTitle(btnGuardarImagen_->text()), "calidad-malla.png",
                                                      FileFilter("PNG", "*.png"));
    if (!file.isEmpty()) SaveImage(file);
}

void TfrmMeshDeltaGraph::btnExportarCsvClick() {
    const QString file = QFileDialog::getSaveFileName(this, DialogTitle(btnExportarCsv_->text()), "calidad-malla.csv",
                                                      FileFilter("CSV", "*.csv"));
    if (!file.isEmpty()) ExportCsv(file);
}

}  // namespace nerim
