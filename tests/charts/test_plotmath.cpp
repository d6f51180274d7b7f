// Axis ranges, ticks, the data-to-pixel mapping, segment clipping and the per-column reduction.
#include "charts/plotmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using calidor::charts::AxisRange;
using calidor::charts::AxisScale;
using calidor::charts::ValueBounds;

ValueBounds bounds(double lo, double hi) {
    ValueBounds b;
    b.include(lo);
    b.include(hi);
    return b;
}

constexpr AxisRange kAuto{};
constexpr AxisRange kFixed0To100{false, false, 0, 100};
constexpr AxisRange kFixedMin0{false, true, 0, 0};
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// --- Nice steps and automatic ranges ----------------------------------------------------------------------

TEST(NiceStep, RoundsUpToOneTwoOrFiveTimesAPowerOfTen) {
    const struct {
        double raw, step;
    } cases[] = {{1, 1}, {1.2, 2}, {2, 2}, {3, 5}, {7, 10}, {0.013, 0.02}, {450, 500}, {0, 0}, {-1, 0}};
    for (auto c : cases)
        EXPECT_DOUBLE_EQ(calidor::charts::niceStep(c.raw), c.step) << c.raw;
    EXPECT_EQ(calidor::charts::niceStep(kNaN), 0);
    EXPECT_EQ(calidor::charts::niceStep(kInf), 0);
}

TEST(ResolveAxis, FixedEndsStayAndAutomaticEndsRoundOutward) {
    const AxisScale fixed = calidor::charts::resolveAxis(kFixed0To100, bounds(-50, 250), 200, 28);
    EXPECT_EQ(fixed.min, 0);
    EXPECT_EQ(fixed.max, 100);
    EXPECT_GT(fixed.step, 0);

    const AxisScale automatic = calidor::charts::resolveAxis(kAuto, bounds(0.16, 48.3), 300, 56);
    EXPECT_LE(automatic.min, 0.16);
    EXPECT_GE(automatic.max, 48.3);
    EXPECT_DOUBLE_EQ(std::remainder(automatic.max, automatic.step), 0);
    EXPECT_LE((automatic.max - automatic.min) / automatic.step, 300 / 56 + 1);

    const AxisScale mixed = calidor::charts::resolveAxis(kFixedMin0, bounds(0, 1), 300, 56);
    EXPECT_EQ(mixed.min, 0);
    EXPECT_EQ(mixed.max, 1);
}

TEST(ResolveAxis, StaysStillWhileTheDataGrowsWithinATick) {
    // A time axis whose data gains 0.16 s per refresh changes range only when it crosses a tick.
    int changes = 0;
    AxisScale previous = calidor::charts::resolveAxis(kAuto, bounds(0.16, 0.16), 350, 56);
    for (int k = 2; k <= 1875; ++k) {
        const AxisScale now = calidor::charts::resolveAxis(kAuto, bounds(0.16, k * 0.16), 350, 56);
        changes += !(now == previous);
        previous = now;
    }
    EXPECT_LT(changes, 60);
}

TEST(ResolveAxis, DegenerateInputsGiveAUsableRange) {
    const struct {
        const char* what;
        AxisRange range;
        ValueBounds data;
    } cases[] = {
        {"no data", kAuto, ValueBounds{}},
        {"single value", kAuto, bounds(5, 5)},
        {"single zero", kAuto, bounds(0, 0)},
        {"data below a fixed minimum", kFixedMin0, bounds(-5, -2)},
        {"fixed ends equal", {false, false, 3, 3}, ValueBounds{}},
        {"fixed ends reversed", {false, false, 100, 0}, ValueBounds{}},
        {"fixed end not a number", {false, false, kNaN, kInf}, bounds(1, 2)},
        {"huge data", kAuto, bounds(-1e308, 1e308)},
        {"tiny span at a large value", kAuto, bounds(1e16, 1e16 + 2)},
        {"denormal", kAuto, bounds(1e-320, 1e-320)},
    };
    for (const auto& c : cases) {
        const AxisScale s = calidor::charts::resolveAxis(c.range, c.data, 300, 30);
        EXPECT_TRUE(std::isfinite(s.min) && std::isfinite(s.max) && s.max > s.min) << c.what;
        EXPECT_TRUE(std::isfinite(300 / (s.max - s.min))) << c.what;
        EXPECT_LE(calidor::charts::tickValues(s).size(), 201u) << c.what;
    }
    const AxisScale empty = calidor::charts::resolveAxis(kAuto, ValueBounds{}, 300, 30);
    EXPECT_EQ(empty.min, 0);
    EXPECT_EQ(empty.max, 1);
    const AxisScale reversed = calidor::charts::resolveAxis({false, false, 100, 0}, ValueBounds{}, 300, 30);
    EXPECT_EQ(reversed.min, 0);
    EXPECT_EQ(reversed.max, 100);
}

// --- Ticks and labels -------------------------------------------------------------------------------------

TEST(Ticks, CoverTheRangeAtWholeStepsWithoutMinusZero) {
    const AxisScale s{-0.3, 0.3, 0.1, 1};
    const std::vector<double> ticks = calidor::charts::tickValues(s);
    ASSERT_EQ(ticks.size(), 7u);
    EXPECT_DOUBLE_EQ(ticks.front(), -0.3);
    EXPECT_DOUBLE_EQ(ticks.back(), 0.3);
    EXPECT_FALSE(std::signbit(ticks[3]));
    EXPECT_EQ(calidor::charts::tickLabel(ticks[3], s, QLocale::c()), "0.0");
    // A point whatever the locale, as the fields read it.
    EXPECT_EQ(calidor::charts::tickLabel(0.5, {0, 1, 0.5, 1}, QLocale(QLocale::French, QLocale::France)),
              "0.5");
    EXPECT_EQ(
        calidor::charts::tickLabel(-1.5e12, {-2e12, 0, 5e11, 0}, QLocale(QLocale::French, QLocale::France)),
        "-1.5e+12");
    EXPECT_EQ(calidor::charts::tickLabel(16000, {0, 20000, 5000, 0}, QLocale(QLocale::French)), "16000");
}

// --- Mapping, clipping and column reduction
// --------------------------------------------------------------------

TEST(Mapping, PutsTheAxisEndsOnTheRectangleEdges) {
    const calidor::charts::Mapping m(QRectF(10, 20, 100, 50), {0, 10, 1, 0}, {0, 100, 10, 0});
    EXPECT_EQ(m.map(0, 0), QPointF(10, 70));
    EXPECT_EQ(m.map(10, 100), QPointF(110, 20));
    EXPECT_EQ(m.map(5, 50), QPointF(60, 45));
}

TEST(ClipSegment, KeepsThePartInsideTheRectangle) {
    const QRectF r(0, 0, 10, 10);
    QPointF a(5, 5), b(7, 8);
    EXPECT_TRUE(calidor::charts::clipSegment(a, b, r));
    EXPECT_EQ(b, QPointF(7, 8));

    a = QPointF(-10, 5), b = QPointF(20, 5);
    EXPECT_TRUE(calidor::charts::clipSegment(a, b, r));
    EXPECT_EQ(a, QPointF(0, 5));
    EXPECT_EQ(b, QPointF(10, 5));

    a = QPointF(5, -1e300), b = QPointF(5, 1e300); // a huge value still clips, and stays finite
    EXPECT_TRUE(calidor::charts::clipSegment(a, b, r));
    EXPECT_EQ(a, QPointF(5, 0));
    EXPECT_EQ(b, QPointF(5, 10));

    a = QPointF(-5, -5), b = QPointF(-1, 20);
    EXPECT_FALSE(calidor::charts::clipSegment(a, b, r));
    a = QPointF(kNaN, 1), b = QPointF(2, 2);
    EXPECT_FALSE(calidor::charts::clipSegment(a, b, r));
    a = QPointF(-1e308, 1), b = QPointF(1e308, 2);
    EXPECT_FALSE(calidor::charts::clipSegment(a, b, r)); // the difference overflows: dropped, not drawn wild
}

TEST(ReduceToColumns, KeepsEveryColumnsExtremesInFewSegments) {
    // 10 000 points of a fast sine over 100 pixel columns.
    calidor::charts::PointList points;
    for (int i = 0; i < 10000; ++i)
        points.add(i, std::sin(i * 0.05));
    const calidor::charts::Mapping m(QRectF(0, 0, 100, 100), {0, 10000, 0, 0}, {-1, 1, 0, 0});
    std::vector<QLineF> lines;
    calidor::charts::reduceToColumns(points, m, lines);
    EXPECT_LE(lines.size(), 4u * 101);

    // Each column spans the highest and lowest point of its own data.
    for (int column = 0; column < 100; ++column) {
        double lo = 1e9, hi = -1e9;
        for (int i = column * 100; i < column * 100 + 100; ++i) {
            lo = std::min(lo, m.map(i, points.y(static_cast<std::size_t>(i))).y());
            hi = std::max(hi, m.map(i, points.y(static_cast<std::size_t>(i))).y());
        }
        double drawnLo = 1e9, drawnHi = -1e9;
        for (const QLineF& l : lines)
            for (QPointF p : {l.p1(), l.p2()})
                if (std::floor(p.x()) == column) {
                    drawnLo = std::min(drawnLo, p.y());
                    drawnHi = std::max(drawnHi, p.y());
                }
        EXPECT_DOUBLE_EQ(drawnLo, lo) << column;
        EXPECT_DOUBLE_EQ(drawnHi, hi) << column;
    }
}

TEST(ReduceToColumns, NonFinitePointBreaksTheLine) {
    calidor::charts::PointList points;
    for (double y : {0.0, 1.0, kNaN, 1.0, 0.0})
        points.add(points.size() * 10.0, y);
    const calidor::charts::Mapping m(QRectF(0, 0, 40, 10), {0, 40, 0, 0}, {0, 1, 0, 0});
    std::vector<QLineF> lines;
    calidor::charts::reduceToColumns(points, m, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], QLineF(0, 10, 10, 0));
    EXPECT_EQ(lines[1], QLineF(30, 0, 40, 10));
}

} // namespace
