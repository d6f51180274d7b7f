// The chart widget: series bookkeeping, automatic axes, and what actually reaches the screen: the lines
// where they belong, the texture behind them, clipping, and the cached drawing matching a fresh one.
#include "charts/chartview.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

using calidor::charts::AxisRange;
using calidor::charts::ChartView;
using calidor::charts::Series;
using calidor::charts::SeriesStyle;

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kFuchsia(255, 0, 255);
constexpr AxisRange kFixed0To100{false, false, 0, 100};
constexpr AxisRange kFixed0To10{false, false, 0, 10};

// Two greens in 4-pixel squares: nothing a series draws looks like them.
QPixmap checkerTile() {
    QImage tile(16, 8, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(40, 170, 70) : qRgb(120, 200, 90));
    return QPixmap::fromImage(tile);
}

bool reddish(QRgb c) {
    return qRed(c) > 190 && qGreen(c) < 110 && qBlue(c) < 110;
}
bool fuchsiaTinted(QRgb c) {
    return qRed(c) > 100 && qBlue(c) > 100 && qGreen(c) < qRed(c) - 60;
}

// Whether a strongly red pixel lies within one pixel of p.
bool redNear(const QImage& image, QPointF p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (reddish(image.pixel(static_cast<int>(p.x()) + dx, static_cast<int>(p.y()) + dy)))
                return true;
    return false;
}

std::unique_ptr<ChartView> makeChart(QSize size, AxisRange left, AxisRange bottom) {
    auto view = std::make_unique<ChartView>();
    view->resize(size);
    view->setBackgroundTile(checkerTile());
    view->setLeftAxis(left);
    view->setBottomAxis(bottom);
    return view;
}

// Counts the warnings Qt prints while it lives (a NaN reaching QPainter makes Qt warn).
class WarningCounter {
public:
    WarningCounter() { s_count = 0, s_previous = qInstallMessageHandler(&handle); }
    ~WarningCounter() { qInstallMessageHandler(s_previous); }
    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("propagateSizeHints"))
            ++s_count;
    }
    static inline int s_count = 0;
    static inline QtMessageHandler s_previous = nullptr;
};

// How many pixels differ between two pictures of the same size (all of them if the sizes differ). With
// CHART_TEST_DUMP set, a mismatch leaves both pictures in /tmp to look at.
int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    if (differing && qEnvironmentVariableIsSet("CHART_TEST_DUMP")) {
        a.save("/tmp/chart-test-a.png");
        b.save("/tmp/chart-test-b.png");
    }
    return differing;
}

void showAndWait(QWidget& widget) {
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
}

// --- Series bookkeeping and automatic axes -------------------------------------------------------------

TEST(ChartView, SeriesAreFoundByNameInTheOrderAdded) {
    ChartView view;
    Series* a = view.addSeries("Series5", {kFuchsia});
    Series* b = view.addSeries("Series6", {kFuchsia, 1, true});
    EXPECT_EQ(view.series("Series6"), b);
    EXPECT_EQ(view.findChild<Series*>("Series5"), a);
    EXPECT_EQ(view.series("Series99"), nullptr);
    EXPECT_EQ(view.seriesList(), (QList<Series*>{a, b}));
    delete a;
    EXPECT_EQ(view.seriesList(), QList<Series*>{b});
    view.grab(); // painting after a series went away must not touch it
}

TEST(ChartView, AutomaticAxesTakeInEverySeriesAndFixedOnesStay) {
    auto view = makeChart({400, 250}, {}, {});
    EXPECT_EQ(view->leftScale().min, 0); // no data: 0 to 1
    EXPECT_EQ(view->leftScale().max, 1);
    view->addSeries("up", {kRed})->addXY(1, 10);
    view->addSeries("down", {kBlue})->addXY(48.2, -5);
    EXPECT_LE(view->leftScale().min, -5);
    EXPECT_GE(view->leftScale().max, 10);
    EXPECT_LE(view->bottomScale().min, 1);
    EXPECT_GE(view->bottomScale().max, 48.2);
    view->setLeftAxis(kFixed0To100);
    view->setBottomAxis({false, true, 0, 0});
    EXPECT_EQ(view->leftScale().min, 0);
    EXPECT_EQ(view->leftScale().max, 100);
    EXPECT_EQ(view->bottomScale().min, 0);
}

// --- What is painted ------------------------------------------------------------------------------------

TEST(ChartView, RepaintNowPaintsTheLineOverTheTexture) {
    auto view = makeChart({300, 200}, kFixed0To100, kFixed0To10);
    view->setTitle("Profil");
    view->setTitleColor(kBlue);
    Series* series = view->addSeries("Series1", {kRed});
    series->addXY(0, 50);
    series->addXY(10, 50);
    showAndWait(*view);

    const int paints = view->drawStats().paints;
    view->repaintNow();
    EXPECT_EQ(view->drawStats().paints, paints + 1) << "painted before repaintNow returned";

    const QImage image = view->grab().toImage();
    for (double x : {0.5, 5.0, 9.5})
        EXPECT_TRUE(redNear(image, view->mapToPixel(x, 50))) << x;
    EXPECT_FALSE(redNear(image, view->mapToPixel(5, 80)));

    // The back wall is transparent: most of the plot area shows the tile, aligned on the widget.
    const QImage tile = checkerTile().toImage();
    const QRect plot = view->plotArea();
    int same = 0, total = 0;
    for (int y = plot.top(); y <= plot.bottom(); y += 3)
        for (int x = plot.left(); x <= plot.right(); x += 3, ++total)
            same += image.pixel(x, y) == tile.pixel(x % tile.width(), y % tile.height());
    EXPECT_GT(same, total * 8 / 10);

    int blue = 0; // the title, above the plot
    for (int y = 0; y < plot.top(); ++y)
        for (int x = 0; x < image.width(); ++x)
            blue += qBlue(image.pixel(x, y)) > 150 && qRed(image.pixel(x, y)) < 100;
    EXPECT_GT(blue, 10);
}

TEST(ChartView, AChangedSeriesIsRepaintedByTheEventLoop) {
    auto view = makeChart({300, 200}, kFixed0To100, kFixed0To10);
    Series* series = view->addSeries("Series1", {kRed});
    series->addXY(0, 50);
    series->addXY(10, 50);
    showAndWait(*view);
    QCoreApplication::processEvents();
    const int paints = view->drawStats().paints;
    series->clear();
    for (int pass = 0; pass < 10 && view->drawStats().paints == paints; ++pass)
        QCoreApplication::processEvents();
    EXPECT_GT(view->drawStats().paints, paints);
    EXPECT_FALSE(redNear(view->grab().toImage(), view->mapToPixel(5, 50)));
}

TEST(ChartView, ValuesOutsideFixedAxesAreClippedToThePlotArea) {
    auto view = makeChart({300, 200}, kFixed0To100, kFixed0To10);
    Series* series = view->addSeries("Series1", {kRed, 3});
    for (auto [x, y] : {std::pair{-5.0, -40.0}, {2.0, 50.0}, {6.0, 180.0}, {15.0, 1e9}})
        series->addXY(x, y);
    const QImage image = view->grab().toImage();
    const QRect plot = view->plotArea();
    int inside = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (reddish(image.pixel(x, y)))
                ++(plot.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}

TEST(ChartView, AMarkerOnTheAxisCornerIsWhole) {
    // The newest point of a time series sits on the automatic maximum: its marker must not be cut.
    auto count = [](double x, double y) {
        auto view = makeChart({300, 200}, kFixed0To100, kFixed0To10);
        view->addSeries("Series6", {kFuchsia, 1, true, 5, 5})->addXY(x, y);
        const QImage image = view->grab().toImage();
        const QPointF c = view->mapToPixel(x, y);
        int tinted = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                tinted +=
                    fuchsiaTinted(image.pixel(static_cast<int>(c.x()) + dx, static_cast<int>(c.y()) + dy));
        return tinted;
    };
    const int free = count(5, 50);
    EXPECT_GE(free, 16);
    EXPECT_EQ(count(10, 100), free);
    EXPECT_EQ(count(0, 0), free);
}

TEST(ChartView, NonFiniteAndHugeValuesNeitherCrashNorHang) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    WarningCounter warnings;
    auto view = makeChart({300, 200}, {}, {});
    Series* series = view->addSeries("Series11", {kRed, 2, true});
    for (auto [x, y] : {std::pair{0.0, 1.0},
                        {nan, 2.0},
                        {1.0, inf},
                        {2.0, -inf},
                        {3.0, 1e308},
                        {4.0, -1e308},
                        {inf, 0.0},
                        {5.0, nan},
                        {6.0, 3.0}})
        series->addXY(x, y);
    view->grab();
    EXPECT_TRUE(std::isfinite(view->leftScale().min) && std::isfinite(view->leftScale().max));
    EXPECT_TRUE(std::isfinite(view->bottomScale().min) && std::isfinite(view->bottomScale().max));
    EXPECT_EQ(warnings.count(), 0);
}

// --- The cached drawing against a fresh one ---------------------------------------------------------------

// The far-end chart: three growing lines, each followed by a one-point marker series on its newest point.
struct FarEndChart {
    std::unique_ptr<ChartView> view = makeChart({393, 209}, kFixed0To100, {});
    Series* lines[3];
    Series* markers[3];

    FarEndChart() {
        view->setTitle("Températures de sortie");
        const QColor colours[3] = {kFuchsia, kRed, kBlue};
        for (int i = 0; i < 3; ++i) {
            lines[i] = view->addSeries(QString("line%1").arg(i), {colours[i]});
            markers[i] = view->addSeries(QString("marker%1").arg(i), {colours[i], 1, true});
        }
    }
    static double value(int i, double t) { return 20 + 25 * i + 15 * std::sin(t / (3 + i)); }
    void add(double t) {
        for (int i = 0; i < 3; ++i) {
            lines[i]->addXY(t, value(i, t));
            markers[i]->clear();
            markers[i]->addXY(t, value(i, t));
        }
    }
};

TEST(ChartView, IncrementalDrawingMatchesAFreshDrawing) {
    FarEndChart live;
    showAndWait(*live.view);
    // Few enough points that a whole drawing strokes every segment too (no reduction to columns).
    for (int k = 1; k <= 400; ++k) {
        live.add(k * 0.16);
        live.view->repaintNow();
    }
    const ChartView::DrawStats stats = live.view->drawStats();
    EXPECT_GT(stats.layerExtensions, 3 * 150) << "growing lines are drawn a segment at a time";
    EXPECT_LT(stats.backgroundBuilds, 40) << "the axes do not move at every point";

    FarEndChart fresh;
    for (int k = 1; k <= 400; ++k)
        fresh.add(k * 0.16);
    EXPECT_EQ(differingPixels(live.view->grab().toImage(), fresh.view->grab().toImage()), 0);

    // A second run draws into the same curves from time 0 again: its points go in among the first run's,
    // and the layers are mended around them rather than redrawn.
    const int redraws = live.view->drawStats().layerRedraws;
    for (int k = 1; k <= 150; ++k) {
        live.add(k * 0.16 - 0.07);
        fresh.add(k * 0.16 - 0.07);
        live.view->repaintNow();
    }
    EXPECT_EQ(live.view->drawStats().layerRedraws, redraws);
    EXPECT_EQ(live.view->drawStats().layerMends, 3 * 150);
    const QImage mended = live.view->grab().toImage();
    EXPECT_EQ(differingPixels(mended, fresh.view->grab().toImage()), 0);

    live.view->invalidateCache();
    EXPECT_EQ(differingPixels(live.view->grab().toImage(), mended), 0);
    EXPECT_EQ(live.view->drawStats().layerRedraws, redraws + 3);
}

TEST(ChartView, AVeryLongSeriesIsDrawnWithoutGaps) {
    auto view = makeChart({457, 233}, {}, {});
    Series* series = view->addSeries("Series11", {kRed});
    for (int i = 0; i < 100000; ++i)
        series->addXY(i * 0.16, std::sin(i * 0.01));
    const QImage image = view->grab().toImage();
    EXPECT_EQ(view->drawStats().layerRedraws, 1);
    const int first = static_cast<int>(std::ceil(view->mapToPixel(0, 0).x()));
    const int last = static_cast<int>(view->mapToPixel(99999 * 0.16, 0).x());
    const QRect plot = view->plotArea();
    for (int x = first; x <= last; ++x) {
        bool red = false;
        for (int y = plot.top(); y <= plot.bottom() && !red; ++y)
            red = reddish(image.pixel(x, y));
        EXPECT_TRUE(red) << "column " << x;
    }
}

} // namespace
