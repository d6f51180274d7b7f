// Series longer than their point limit: the bound, what thinning keeps, the chart drawn from the thinned
// points, emptying, and points of a second run arriving among thinned ones.
#include "charts/chartview.h"
#include "charts/pointlist.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

using calidor::charts::AxisRange;
using calidor::charts::ChartView;
using calidor::charts::PointList;
using calidor::charts::Series;

// A slow wave with fast wiggles: the groups' first, lowest, highest and last points all differ.
double wave(double x) {
    return std::sin(x * 0.0007) + 0.3 * std::sin(x * 1.7) * std::cos(x * 0.013);
}

TEST(Thinning, TheBoundHoldsAndEndsExtremesAndNewestPointsStay) {
    PointList list;
    list.setPointLimit(4096);
    std::size_t largest = 0;
    double low = 0, high = 0;
    constexpr std::size_t added = 400000;
    for (std::size_t i = 0; i < added; ++i) {
        list.add(static_cast<double>(i), wave(static_cast<double>(i)));
        largest = std::max(largest, list.size());
        low = std::min(low, wave(static_cast<double>(i)));
        high = std::max(high, wave(static_cast<double>(i)));
    }
    EXPECT_LE(largest, 4096u);
    EXPECT_TRUE(list.thinned());
    EXPECT_EQ(list.addedCount(), added);
    EXPECT_LE(list.memoryUsed(), 3 * 4097 * sizeof(double)); // x, y and at most a group record a point
    bool lowKept = false, highKept = false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) {
            ASSERT_LT(list.x(i - 1), list.x(i));
        }
        lowKept = lowKept || list.y(i) == low;
        highKept = highKept || list.y(i) == high;
    }
    EXPECT_TRUE(lowKept && highKept);
    EXPECT_EQ(list.x(0), 0);
    for (std::size_t k = 1; k <= 4096 / 4; ++k)
        ASSERT_EQ(list.x(list.size() - k), static_cast<double>(added - k)) << "the newest quarter is whole";
    EXPECT_EQ(list.yBounds().min, low);
    EXPECT_EQ(list.yBounds().max, high);

    // Non-finite values break the line and are kept as breaks, but not at the cost of the bound.
    PointList broken;
    broken.setPointLimit(256);
    for (int i = 0; i < 20000; ++i)
        broken.add(i, i % 7 == 0 ? std::nan("") : wave(i));
    EXPECT_LE(broken.size(), 256u);

    // Emptying gives the memory back; a short list (a profile refilled at every refresh) keeps its own.
    PointList longList;
    for (int i = 0; i < 200000; ++i)
        longList.add(i, i);
    EXPECT_GT(longList.memoryUsed(), 3'000'000u);
    longList.clear();
    EXPECT_EQ(longList.memoryUsed(), 0u);
    EXPECT_FALSE(longList.thinned());
    list.clear();
    EXPECT_FALSE(list.thinned());
    EXPECT_EQ(list.size(), 0u);
}

// Fixes the bottom axis so that each pixel column of the plot holds exactly `perColumn` whole x units
// (a power of two, so the mapping is exact), and returns the axis length.
double alignBottomAxis(ChartView& view, int perColumn) {
    double length = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        const double columns = view.plotArea().width() - 8; // the data inset on either side
        if (columns * perColumn == length)
            break;
        length = columns * perColumn;
        view.setBottomAxis({false, false, 0, length});
    }
    return length;
}

// The curve drawn from a thinned series is the curve drawn from all its points, pixel for pixel, when
// every group lies within a pixel column. The test suite also runs at device pixel ratio 2.
TEST(Thinning, TheChartDrawsTheThinnedSeriesAsTheWholeOne) {
    for (const QSize size : {QSize(420, 260), QSize(713, 331)}) {
        ChartView whole, thinned;
        for (ChartView* view : {&whole, &thinned}) {
            view->resize(size);
            view->setLeftAxis({false, false, -1.5, 1.5});
        }
        const double length = alignBottomAxis(whole, 512);
        ASSERT_EQ(alignBottomAxis(thinned, 512), length);
        Series* all = whole.addSeries("Series5", {QColor(255, 0, 0)});
        Series* few = thinned.addSeries("Series5", {QColor(255, 0, 0)});
        few->setPointLimit(8192);
        for (double x = 0; x < length; ++x) {
            all->addXY(x, wave(x));
            few->addXY(x, wave(x));
        }
        // A second run drawn into the same curves: its points go in among the first run's.
        for (double x = 100.5; x < length; x += length / 150) {
            all->addXY(x, -wave(x));
            few->addXY(x, -wave(x));
        }
        ASSERT_TRUE(few->thinned());
        ASSERT_FALSE(all->thinned());
        EXPECT_LE(few->count(), 8192);
        EXPECT_GT(all->count(), 20 * few->count());
        const QImage a = whole.grab().toImage(), b = thinned.grab().toImage();
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(a.devicePixelRatio(), whole.devicePixelRatioF());
        std::printf("%dx%d at device pixel ratio %g\n", size.width(), size.height(), a.devicePixelRatio());
        int differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                differing += a.pixel(x, y) != b.pixel(x, y);
        EXPECT_EQ(differing, 0) << size.width() << "x" << size.height() << " at " << a.devicePixelRatio();
        if (differing && qEnvironmentVariableIsSet("CHART_TEST_DUMP")) {
            a.save("/tmp/thinning-whole.png");
            b.save("/tmp/thinning-thinned.png");
        }
    }
}

} // namespace
