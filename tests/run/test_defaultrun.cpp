// The default run through run control, from "Marche" to its natural end, then
// a second run without "Arrêt": run length, refresh cadence and what the
// charts receive.
#include "runbench.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <bit>

using namespace calidor;
using namespace calidor::testing;

TEST(RunLength, DefaultRunTakes75001StepsAndRefreshes1875Times) {
    QLocale::setDefault(QLocale::c());
    Bench b;
    QString firstTime;
    b.window.onRefresh = [&] {
        if (firstTime.isEmpty())
            firstTime = b.window.timeText;
    };
    b.control->start();
    EXPECT_FALSE(b.window.startEnabled);
    EXPECT_FALSE(b.window.representationEnabled);
    EXPECT_FALSE(b.window.lengthEnabled);
    ASSERT_TRUE(waitFor([&] { return b.window.startEnabled; }));
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));

    EXPECT_EQ(b.nstep(), 75001);
    EXPECT_EQ(bits(b.time()), bits(300.00399999997626));
    EXPECT_EQ(b.window.refreshes, 1875);
    EXPECT_EQ(firstTime, QStringLiteral("0.160  "));
    EXPECT_EQ(b.window.timeText, QStringLiteral("300.000  "));
    for (SeriesId s :
         {SeriesId::Series5, SeriesId::Series7, SeriesId::Series9, SeriesId::Series11, SeriesId::Series3})
        EXPECT_EQ(b.window.points(s).size(), 1875u);
    for (SeriesId s : {SeriesId::Series1, SeriesId::Series2, SeriesId::Series4})
        EXPECT_EQ(b.window.points(s).size(), 101u);
    for (SeriesId s : {SeriesId::Series6, SeriesId::Series8, SeriesId::Series10})
        EXPECT_EQ(b.window.points(s).size(), 1u);
    // The profiles run from x = 0 to x = Lech; the markers sit on the newest point.
    EXPECT_EQ(b.window.points(SeriesId::Series1).front().x, 0.0);
    EXPECT_EQ(b.window.points(SeriesId::Series1).back().x, 1.0);
    EXPECT_EQ(b.window.points(SeriesId::Series6).front().x, b.window.points(SeriesId::Series5).back().x);
    EXPECT_EQ(b.window.points(SeriesId::Series8).front().y, b.window.points(SeriesId::Series7).back().y);
    // Powers in kW: both near 2 kW at the steady state, hot and cold nearly equal.
    EXPECT_NEAR(b.window.points(SeriesId::Series11).back().y, 2.0395, 1e-3);
    EXPECT_NEAR(b.window.points(SeriesId::Series3).back().y, 2.0395, 1e-3);
    // The three charts repaint in the order profiles, far end, balances.
    ASSERT_GE(b.window.chartRepaints.size(), 3u);
    EXPECT_EQ(b.window.chartRepaints[0], ChartId::Chart1);
    EXPECT_EQ(b.window.chartRepaints[1], ChartId::Chart3);
    EXPECT_EQ(b.window.chartRepaints[2], ChartId::Chart2);

    // A second run without "Arrêt": nstep goes on from 75001, so the first
    // refresh comes after 39 steps, and its points interleave with the first
    // run's, ordered by time.
    b.setField(Field::Tmmaxbox, "1");
    std::int32_t firstRefreshStep = 0;
    b.window.onRefresh = [&] {
        if (!firstRefreshStep)
            firstRefreshStep = b.model->nstep;
    };
    b.control->start();
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    EXPECT_EQ(firstRefreshStep, 75040);
    EXPECT_EQ(b.nstep(), 75001 + 250);                                // 250 additions of 0.004 reach 1
    EXPECT_EQ(b.window.points(SeriesId::Series5).size(), 1875u + 6u); // nstep 75040 to 75240
    EXPECT_TRUE(sortedByX(b.window.points(SeriesId::Series5)));
    EXPECT_TRUE(sortedByX(b.window.points(SeriesId::Series11)));
}
