// Point storage of a series: the ascending-x insertion rule, emptying, and what a drawing cache relies on.
#include "charts/pointlist.h"
#include "charts/series.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

using calidor::charts::PointList;
using Points = std::vector<std::pair<double, double>>;

Points contents(const PointList& list) {
    Points points;
    for (std::size_t i = 0; i < list.size(); ++i)
        points.emplace_back(list.x(i), list.y(i));
    return points;
}

PointList filled(const Points& points) {
    PointList list;
    for (auto [x, y] : points)
        list.add(x, y);
    return list;
}

// --- Ordered insertion --------------------------------------------------------------------------------

TEST(PointList, KeepsAscendingXWithEqualXAfterTheExistingOnes) {
    struct Case {
        const char* what;
        Points added;
        Points expected;
    };
    const Case cases[] = {
        {"in order", {{1, 10}, {2, 20}, {3, 30}}, {{1, 10}, {2, 20}, {3, 30}}},
        {"equal x at the end", {{1, 10}, {1, 11}, {1, 12}}, {{1, 10}, {1, 11}, {1, 12}}},
        {"below every x goes first", {{2, 20}, {3, 30}, {1, 10}}, {{1, 10}, {2, 20}, {3, 30}}},
        {"after the last equal x in the middle",
         {{1, 10}, {2, 20}, {2, 21}, {3, 30}, {2, 22}},
         {{1, 10}, {2, 20}, {2, 21}, {2, 22}, {3, 30}}},
        {"equal to the first x", {{1, 10}, {2, 20}, {1, 11}}, {{1, 10}, {1, 11}, {2, 20}}},
        {"negative x", {{0, 0}, {-1, 1}, {-2, 2}}, {{-2, 2}, {-1, 1}, {0, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(contents(filled(c.added)), c.expected) << c.what;
}

TEST(PointList, SecondRunInterleavesWithTheFirst) {
    // A second run adds its points from time 0 again, with another refresh phase; where two times are
    // equal, the second run's point follows the first run's.
    PointList list;
    for (double t : {0.16, 0.32, 0.48, 0.64})
        list.add(t, 1);
    for (double t : {0.04, 0.20, 0.32, 0.36, 0.80})
        list.add(t, 2);
    const Points expected = {{0.04, 2}, {0.16, 1}, {0.20, 2}, {0.32, 1}, {0.32, 2},
                             {0.36, 2}, {0.48, 1}, {0.64, 1}, {0.80, 2}};
    EXPECT_EQ(contents(list), expected);
}

TEST(PointList, AddReturnsTheIndexThePointTook) {
    PointList list = filled({{1, 0}, {3, 0}});
    EXPECT_EQ(list.add(4, 0), 2u);
    EXPECT_EQ(list.add(3, 0), 2u);
    EXPECT_EQ(list.add(0, 0), 0u);
}

// --- Emptying and change tracking -----------------------------------------------------------------------

TEST(PointList, RevisionChangesOnlyWhenHeldPointsMoveOrGo) {
    PointList list = filled({{1, 0}, {2, 0}});
    const auto start = list.revision();
    list.add(2, 5); // equal x: appended
    list.add(3, 5);
    EXPECT_EQ(list.revision(), start);
    list.add(1.5, 0);
    const auto afterInsert = list.revision();
    EXPECT_NE(afterInsert, start);
    list.clear();
    EXPECT_NE(list.revision(), afterInsert);
    EXPECT_TRUE(list.empty());
}

TEST(PointList, InsertionsSinceARevisionAreKnownOnlyWhileTheRecordReachesBack) {
    // A drawing made at some revision is mended around what was inserted since; if that cannot be told
    // exactly (a clear, or too many insertions to remember), the answer must be "unknown", never partial.
    PointList list = filled({{0, 0}, {10, 0}});
    const auto drawn = list.revision();
    list.add(11, 0);
    list.add(4, 0);
    list.add(2, 0);
    const auto known = list.insertionsSince(drawn);
    ASSERT_TRUE(known);
    EXPECT_EQ(known->count, 2u);
    EXPECT_EQ(known->minX, 2);
    EXPECT_EQ(known->maxX, 4);
    EXPECT_EQ(list.insertionsSince(list.revision())->count, 0u);

    const auto beforeMany = list.revision();
    for (int i = 0; i < 5000; ++i)
        list.add(5 + i * 1e-4, 0);
    EXPECT_FALSE(list.insertionsSince(beforeMany));
    const auto recent = list.revision();
    list.add(1, 0);
    ASSERT_TRUE(list.insertionsSince(recent));
    EXPECT_EQ(list.insertionsSince(recent)->count, 1u);

    list.clear();
    EXPECT_FALSE(list.insertionsSince(recent));
}

TEST(PointList, BoundsTakeFiniteValuesOnlyAndResetOnClear) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    PointList list = filled({{1, 5}, {2, -3}, {nan, inf}, {4, nan}});
    ASSERT_TRUE(list.xBounds().valid && list.yBounds().valid);
    EXPECT_EQ(list.xBounds().min, 1);
    EXPECT_EQ(list.xBounds().max, 4);
    EXPECT_EQ(list.yBounds().min, -3);
    EXPECT_EQ(list.yBounds().max, 5);
    list.clear();
    EXPECT_FALSE(list.xBounds().valid);
    EXPECT_FALSE(list.yBounds().valid);
}

TEST(PointList, NonFiniteXNeitherCrashesNorLosesPoints) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    PointList list = filled({{1, 0}, {nan, 0}, {0.5, 0}, {2, 0}, {-1, 0}});
    EXPECT_EQ(list.size(), 5u);
}

TEST(Series, HoldsItsPointsUnderItsNameAndSignalsChanges) {
    calidor::charts::Series series("Series5", {Qt::red, 2, false, 5, 5});
    QSignalSpy spy(&series, &calidor::charts::Series::changed);
    series.addXY(2, 20);
    series.addXY(1, 10);
    EXPECT_EQ(series.objectName(), "Series5");
    ASSERT_EQ(series.count(), 2);
    EXPECT_EQ(series.x(0), 1);
    EXPECT_EQ(series.y(1), 20);
    series.clear();
    EXPECT_EQ(series.count(), 0);
    EXPECT_EQ(spy.count(), 3);
}

} // namespace
