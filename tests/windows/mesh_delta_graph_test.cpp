#include "app/windows/mesh_delta_graph.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <QtTest/QTest>
#include <functional>

#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

const std::vector<float> kInitialX = {0, 19, 33.5f, 43.5f, 49, 50, 51, 56.5f, 66.5f, 81, 100};
const std::vector<float> kInitialY = {0, 1.4f, 2.6f, 3.6f, 4.4f, 5, 5.6f, 6.4f, 7.4f, 8.6f, 10};

// Runs Check once the modal window is up, then presses "Cerrar"; a window still open a moment
// later is closed so that a failing test does not hang.
void WhileOpen(TfrmMeshDeltaGraph& form, bool& opened, std::function<void()> Check) {
    QTimer::singleShot(0, &form, [&form, &opened, Check] {
        opened = form.isVisible();
        Check();
        QTest::mouseClick(form.findChild<QPushButton*>("btnCerrar"), Qt::LeftButton);
    });
    QTimer::singleShot(5000, &form, [&form] { form.reject(); });
}

QLineSeries* Series(const TfrmMeshDeltaGraph& form, const char* chart, const char* name) {
    auto* view = form.findChild<QChartView*>(chart);
    if (!view) return nullptr;
    for (QAbstractSeries* s : view->chart()->series())
        if (s->objectName() == name) return qobject_cast<QLineSeries*>(s);
    return nullptr;
}

Qt::Alignment AxisSide(QLineSeries* series) {
    for (QAbstractAxis* axis : series->attachedAxes())
        if (axis->orientation() == Qt::Vertical) return axis->alignment();
    return {};
}

TEST(MeshDeltaGraph, ShowsBothAxesModallyAndClosesWithCerrar) {
    TfrmMeshDeltaGraph form;
    bool opened = false;
    WhileOpen(form, opened, [&] {
        EXPECT_TRUE(form.isModal());
        EXPECT_EQ(form.windowTitle(), "Calidad de la malla");
        EXPECT_EQ(form.objectName(), "frmMeshDeltaGraph");
        auto* dx = form.findChild<QChartView*>("chrtDX");
        auto* dy = form.findChild<QChartView*>("chrtDY");
        ASSERT_TRUE(dx && dy);
        EXPECT_EQ(dx->chart()->title(), "X");
        EXPECT_EQ(dy->chart()->title(), "Y");
        EXPECT_LT(dx->geometry().bottom(), dy->geometry().top());  // X above Y

        QLineSeries* delta = Series(form, "chrtDX", "serDX");
        QLineSeries* delta2 = Series(form, "chrtDX", "serDDX");
        ASSERT_TRUE(delta && delta2 && Series(form, "chrtDY", "serDY") && Series(form, "chrtDY", "serDDy"));
        EXPECT_EQ(delta->name(), "Delta X");
        EXPECT_EQ(delta2->name(), "Delta2 X");
        EXPECT_EQ(Series(form, "chrtDY", "serDY")->name(), "Delta Y");
        EXPECT_EQ(Series(form, "chrtDY", "serDDy")->name(), "Delta2 Y");
        EXPECT_EQ(delta->count(), 10);
        EXPECT_EQ(delta2->count(), 9);
        EXPECT_EQ(Series(form, "chrtDY", "serDY")->count(), 10);
        EXPECT_EQ(delta->at(0), QPointF(9.5, 19));
        EXPECT_EQ(delta2->at(0).y(), -4.5 / 16.75);
        EXPECT_EQ(delta->pen().color(), QColor(255, 0, 0));
        EXPECT_EQ(delta->pen().width(), 4);
        EXPECT_EQ(delta2->pen().color(), QColor(0, 128, 0));
        for (QLineSeries* s : {delta, delta2}) {
            EXPECT_FALSE(s->pointsVisible());
            EXPECT_FALSE(s->pointLabelsVisible());
        }
        EXPECT_EQ(AxisSide(delta), Qt::AlignLeft);
        EXPECT_EQ(AxisSide(delta2), Qt::AlignRight);
        for (int k = 0; k < 10; ++k) {
            const QColor c = delta->pointConfiguration(k).value(QXYSeries::PointConfiguration::Color).value<QColor>();
            EXPECT_EQ(c, k == 0 || k == 5 ? QColor(0, 0, 0) : QColor(255, 0, 0)) << k;
        }
        // The black points show on the line: the first from its start to halfway to the
        // second, the sixth from halfway after the fifth to halfway to the seventh; drawn over
        // the two series, which are all the chart has.
        EXPECT_EQ(dx->chart()->series().size(), 2);
        const std::vector<TQualityStretch>& stretches = form.DrawnStretches(true);
        ASSERT_EQ(stretches.size(), 2u);
        EXPECT_EQ(stretches[0], (TQualityStretch{{9.5, 19}, {(9.5 + 26.25) / 2, (19 + 14.5) / 2.0}}));
        EXPECT_EQ(stretches[1].size(), 3u);
        EXPECT_NE(form.findChild<QLabel*>("lblSummaryX")->text().indexOf("8 puntos rojos"), -1);
    });
    form.ShowMeshQuality(kInitialX, kInitialY);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// Where a Delta point lies in the view's picture.
QPoint PixelOf(const QChartView* view, QLineSeries* series, const QPointF& value) {
    return view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(value, series)));
}

TEST(MeshDeltaGraph, BlackStretchesShowOnTheRedLineWithTwoSeriesWhateverTheAxis) {
    TfrmMeshDeltaGraph form;
    form.resize(900, 720);
    form.Fill(kInitialX, kInitialY);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* view = form.findChild<QChartView*>("chrtDX");
    QLineSeries* delta = Series(form, "chrtDX", "serDX");
    const QImage picture = view->grab().toImage();
    const QColor black = picture.pixelColor(PixelOf(view, delta, delta->at(5)));
    const QColor red = picture.pixelColor(PixelOf(view, delta, delta->at(8)));
    EXPECT_LT(black.value(), 60) << black.name().toStdString();
    EXPECT_GT(red.red(), 200) << red.name().toStdString();
    EXPECT_LT(red.green(), 60) << red.name().toStdString();

    // Many small sub-zones: the colours alternate along 10 000 cells; the charts still hold their
    // two series each, and the stretches are there to draw.
    std::vector<float> alternating = {0};
    for (int k = 0; k < 10000; ++k) alternating.push_back(alternating.back() + (k / 2 % 2 ? 1.2f : 1.0f));
    form.Fill(alternating, kInitialY);
    EXPECT_EQ(view->chart()->series().size(), 2);
    EXPECT_EQ(form.findChild<QChartView*>("chrtDY")->chart()->series().size(), 2);
    EXPECT_EQ(delta->count(), 10000);
    EXPECT_GT(form.DrawnStretches(true).size(), 4000u);
}

TEST(MeshDeltaGraph, EmptyAxesOpenWithoutPoints) {
    TfrmMeshDeltaGraph form;
    bool opened = false;
    WhileOpen(form, opened, [&] {
        EXPECT_EQ(Series(form, "chrtDX", "serDX")->count(), 0);
        EXPECT_EQ(Series(form, "chrtDY", "serDDy")->count(), 0);
        EXPECT_EQ(form.findChild<QLabel*>("lblSummaryY")->text(), "Sin celdas");
    });
    form.ShowMeshQuality({}, {0});
    EXPECT_TRUE(opened);
}

TEST(MeshDeltaGraph, ADivisionByZeroKeepsTheWindowShut) {
    TfrmMeshDeltaGraph form;
    bool opened = false;
    WhileOpen(form, opened, [] {});
    EXPECT_THROW(form.ShowMeshQuality(kInitialX, {0, 1, 1, 1, 2}), EFloatingPointError);
    QTest::qWait(20);  // the timer finds the window shut
    EXPECT_FALSE(opened);
}

TEST(MeshDeltaGraph, SavesBothChartsAsOneImageAndThePointsAsCsv) {
    TfrmMeshDeltaGraph form;
    form.Fill(kInitialX, kInitialY);
    form.resize(600, 600);
    testing::TempDir dir;
    const QString png = QString::fromStdString((dir / "quality.png").string());
    form.SaveImage(png);
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    const auto* view = form.findChild<QChartView*>("chrtDX");
    EXPECT_EQ(image.height(), 2 * view->height());
    form.ExportCsv(QString::fromStdString((dir / "quality.csv").string()));
    EXPECT_EQ(testing::ReadBytes(dir / "quality.csv"), QualityCsv(form.QualityX(), form.QualityY()));
    EXPECT_THROW(form.SaveImage(QString::fromStdString((dir / "none" / "q.png").string())), EInOutError);
}

}  // namespace
}  // namespace nerim
