// Runs through run control, with a window made of plain data: run length and
// refresh cadence, pause and resume, stop, faults, and the end of the program
// in every state.
#include "runbench.h"

#include "model/arithmeticfault.h"
#include "model/balances.h"
#include "model/timestep.h"
#include "run/modellock.h"
#include "run/runcontrol.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

using namespace calidor;
using namespace calidor::testing;

// --- Run length and what the charts receive ------------------------------------

TEST(RunLength, TmaxZeroTakesOneStepWithoutRefresh) {
    Bench b;
    b.start("0");
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    EXPECT_EQ(b.nstep(), 1);
    EXPECT_EQ(b.window.refreshes, 0);
    EXPECT_EQ(b.window.timeText, QStringLiteral("0"));
    ASSERT_TRUE(waitFor([&] { return b.window.startEnabled; }));
}

TEST(RunLength, EntropyProductionGoesToSeries11InKilowattsPerKelvin) {
    Bench b;
    b.window.shown = Representation::EntropyProduction;
    b.setField(Field::Tmmaxbox, "1");
    double sgenAtRefresh = 0;
    // The worker waits while the display refreshes: the state is between two steps.
    b.window.onRefresh = [&] { sgenAtRefresh = b.model->Sgen; };
    b.control->start();
    EXPECT_EQ(b.window.titles[int(ChartId::Chart2)],
              QString::fromUtf8("Production entropique totale : kW/K"));
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    ASSERT_EQ(b.window.points(SeriesId::Series11).size(), 6u);
    EXPECT_TRUE(b.window.points(SeriesId::Series3).empty());
    EXPECT_GT(sgenAtRefresh, 0);
    EXPECT_EQ(b.window.points(SeriesId::Series11).back().y, static_cast<double>(sgenAtRefresh / 1000.0L));
}

TEST(RunLength, CounterCurrentColdCurveShowsTheColdOutlet) {
    Bench b;
    b.window.checked = false;
    b.setField(Field::Tmmaxbox, "1");
    double outlet = 0, farEnd = 0;
    b.window.onRefresh = [&] {
        outlet = b.model->newNodes[1].Tf;
        farEnd = b.model->newNodes[N].Tf;
    };
    b.control->start();
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    EXPECT_EQ(b.model->params.cocourant, 0);
    EXPECT_NE(outlet, farEnd);
    EXPECT_EQ(b.window.points(SeriesId::Series9).back().y, outlet);
    EXPECT_EQ(b.window.points(SeriesId::Series10).front().y, outlet);
}

TEST(RunLength, TimeLabelUsesTheLocaleDecimalSeparator) {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(sym::timeText(300.00399999997626), QStringLiteral("300,004  "));
    EXPECT_EQ(sym::timeText(0.16), QStringLiteral("0,160  "));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(sym::timeText(0.16), QStringLiteral("0.160  "));
    EXPECT_EQ(sym::timeText(1234.5), QStringLiteral("1234.500  "));
}

// --- Pause, resume and stop ---------------------------------------------------

TEST(PauseAndStop, PauseActualisePauseContinuesFromTheHaltedStepWithTheNewValues) {
    Bench b;
    b.start("2");
    ASSERT_TRUE(waitFor([&] { return b.window.refreshes >= 2; }));
    b.control->pause();
    ASSERT_TRUE(waitFor([&] { return b.halted(); }));
    EXPECT_EQ(b.control->simu()->en_marche, 0);
    const std::int32_t haltedAt = b.nstep();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(b.nstep(), haltedAt) << "a halted worker takes no step";

    b.setField(Field::Mfbox, "0.0300");
    b.control->pause(); // acquisition, then the worker continues
    EXPECT_EQ(b.control->simu()->en_marche, 1);
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    EXPECT_EQ(b.model->params.Mf, 0.03);
    const std::int32_t steps = b.nstep();
    EXPECT_EQ(steps, 500);

    // The same run without a window: the change at the same step gives the
    // same state, bit for bit, so no step was lost or computed twice.
    auto reference = headlessReplay("2", steps, {{haltedAt, Field::Mfbox, "0.0300"}});
    EXPECT_EQ(std::memcmp(reference->newNodes.data(), b.model->newNodes.data(), sizeof(NodeArray)), 0);
    EXPECT_EQ(bits(reference->Sgen), bits(b.model->Sgen));
}

TEST(PauseAndStop, StopWhilePausedEndsTheRunWithoutAnotherStep) {
    Bench b;
    const int threadsBefore = b.threadsAtRest();
    b.start("100000");
    ASSERT_TRUE(waitFor([&] { return b.window.refreshes >= 1; }));
    b.control->pause();
    ASSERT_TRUE(waitFor([&] { return b.halted(); }));
    const std::int64_t haltedAt = b.nstep();
    const int refreshes = b.window.refreshes;

    b.control->stop();
    EXPECT_TRUE(b.control->simu()->stopRequested());
    EXPECT_FALSE(b.control->pausedByUser()) << "the pause cue goes at once";
    EXPECT_TRUE(b.window.startEnabled);
    ASSERT_TRUE(waitFor([&] { return b.ended(); }, 10)) << "the halted worker is released and ends";
    EXPECT_EQ(b.nstep(), haltedAt);
    EXPECT_TRUE(waitFor([&] { return threadCount() == threadsBefore; }, 10)) << "no thread is left behind";

    // "Pause" has nothing to resume: no step, no refresh, the curves stay empty.
    b.control->pause();
    EXPECT_EQ(b.control->simu()->en_marche, 0);
    QTest::qWait(50);
    EXPECT_EQ(b.nstep(), haltedAt);
    EXPECT_EQ(b.window.refreshes, refreshes);
    for (const auto& points : b.window.series)
        EXPECT_TRUE(points.empty());
    EXPECT_TRUE(b.window.startEnabled);
}

TEST(PauseAndStop, StopDuringAStepForwardEndsTheRunBeforeItsRefresh) {
    Bench b;
    b.start("100000");
    b.control->pause();
    ASSERT_TRUE(waitFor([&] { return b.halted(); }));
    b.control->stepOneRefresh();
    b.control->stop();
    ASSERT_TRUE(waitFor([&] { return b.ended(); }, 10));
    QCoreApplication::processEvents();
    for (const auto& points : b.window.series)
        EXPECT_TRUE(points.empty());
    EXPECT_FALSE(b.control->pausedByUser());
}

TEST(PauseAndStop, StopEndsTheRunAfterItsStepAndEmptiesTheCurves) {
    Bench b;
    b.start("100000");
    ASSERT_TRUE(waitFor([&] { return b.window.refreshes >= 1; }));
    for (SeriesId marker : {SeriesId::Series6, SeriesId::Series8, SeriesId::Series10})
        ASSERT_EQ(b.window.points(marker).size(), 1u);
    b.control->stop();
    EXPECT_TRUE(b.window.startEnabled);
    for (const auto& points : b.window.series) // the markers with the curves
        EXPECT_TRUE(points.empty());
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    const std::int32_t last = b.nstep();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(b.nstep(), last);
}

// --- Decisions on the cases the buttons leave open ------------------------------

TEST(OpenCases, PauseAndStopBeforeTheFirstRun) {
    Bench b;
    b.control->pause();
    EXPECT_FALSE(b.control->simu());
    b.window.series[int(SeriesId::Series3)].push_back({1, 1});
    b.window.startEnabled = false;
    b.control->stop();
    EXPECT_TRUE(b.window.points(SeriesId::Series3).empty());
    EXPECT_TRUE(b.window.startEnabled);
}

TEST(OpenCases, PauseAfterTheRunHasEndedDoesNothing) {
    Bench b;
    b.start("0");
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    b.control->pause();
    EXPECT_EQ(b.control->simu()->en_marche, 1);
    b.control->stop();
    EXPECT_TRUE(b.window.startEnabled);
}

TEST(OpenCases, StartWhileAnEarlierWorkerComputesEndsItFirst) {
    Bench b;
    b.start("100000");
    b.control->stop(); // stopping: start is enabled again at once
    std::shared_ptr<sym> first = b.control->simu();
    b.control->start();
    EXPECT_TRUE(first->disposed()) << "the earlier worker ended before the new run was created";
    EXPECT_NE(first, b.control->simu());

    // A run halted by "Pause" and stopped is gone before the next one starts.
    b.control->pause();
    ASSERT_TRUE(waitFor([&] { return b.halted(); }));
    b.control->stop();
    std::shared_ptr<sym> halted = b.control->simu();
    b.control->start();
    EXPECT_TRUE(halted->disposed());
    b.control->stop();
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
}

TEST(OpenCases, RunCreationFaultStartsNothing) {
    Bench b;
    b.setField(Field::tinitbox, "-300");
    EXPECT_THROW(b.control->start(), ArithmeticFault);
    EXPECT_FALSE(b.control->simu());
    EXPECT_TRUE(b.window.startEnabled);
    EXPECT_TRUE(b.window.representationEnabled);
    EXPECT_TRUE(b.window.lengthEnabled);
}

// --- Faults in the worker -------------------------------------------------------

TEST(Faults, AFaultEndsTheRunAsItsEndTimeDoesAndMarcheStartsANewOne) {
    Bench b;
    b.setField(Field::Mcbox, "0");
    b.control->start();
    ASSERT_TRUE(waitFor([&] { return b.window.faults.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
    const QString message = b.window.faults.front();
    for (const char* says : {"La marche est terminée", "t = 0.000", "masse", "(F5)"})
        EXPECT_TRUE(message.contains(QString::fromUtf8(says))) << says << " in " << message.toStdString();
    EXPECT_TRUE(b.window.startEnabled);
    // As after a natural end, the curves may still be added to: the length
    // and the representation stay fixed.
    EXPECT_FALSE(b.window.lengthEnabled);
    EXPECT_FALSE(b.window.representationEnabled);
    b.control->pause(); // nothing to pause
    EXPECT_FALSE(b.control->pausedByUser());

    b.setField(Field::Mcbox, "0.05");
    b.start("100000");
    EXPECT_FALSE(b.window.startEnabled);
    ASSERT_TRUE(waitFor([&] { return b.window.refreshes >= 1; }));
    EXPECT_FALSE(b.ended());
    EXPECT_EQ(b.window.faults.size(), 1u);
    b.control->stop();
    ASSERT_TRUE(waitFor([&] { return b.ended(); }));
}

TEST(Controls, LengthAndRepresentationAreFreeOnlyOnceArretHasEmptiedTheCurves) {
    Bench b;
    const auto locked = [&] { return !b.window.lengthEnabled && !b.window.representationEnabled; };
    const auto unlocked = [&] { return b.window.lengthEnabled && b.window.representationEnabled; };
    b.start("0");
    EXPECT_TRUE(locked());
    ASSERT_TRUE(waitFor([&] { return b.ended() && b.window.startEnabled; }));
    EXPECT_TRUE(locked()) << "a natural end keeps the curves, which a new run adds to";
    b.control->stop();
    EXPECT_TRUE(unlocked());
    b.start("100000");
    EXPECT_TRUE(locked());
    b.control->pause();
    EXPECT_TRUE(locked());
    b.control->stop();
    EXPECT_TRUE(unlocked());
    b.setField(Field::dtbox, "0");
    b.start("100000");
    ASSERT_TRUE(waitFor([&] { return b.window.faults.size() == 1; }));
    EXPECT_TRUE(locked());
    b.control->stop();
    EXPECT_TRUE(unlocked());
}

TEST(Faults, TooLargeATimeStepDivergesIntoAFaultWithNothingNonFiniteDrawn) {
    Bench b;
    b.setField(Field::dtbox, "0.0065"); // diverges over a few refreshes, then faults
    b.start("100000");
    ASSERT_TRUE(waitFor([&] { return b.window.faults.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return b.ended() && b.window.startEnabled; }));
    EXPECT_FALSE(b.window.points(SeriesId::Series1).empty()) << "the charts keep the last refresh";
    for (const auto& points : b.window.series)
        EXPECT_TRUE(allFinite(points));
    ModelLock lock(modelMutex());
    for (const NodeRecord& r : b.model->newNodes)
        ASSERT_TRUE(std::isfinite(r.Tc) && std::isfinite(r.Tf) && std::isfinite(r.Tp) &&
                    std::isfinite(r.sc) && std::isfinite(r.sf) && std::isfinite(r.sp));
}

// --- The end of the program in every state ----------------------------------------

TEST(Shutdown, EndsWithoutHangInEveryState) {
    using Setup = std::function<void(Bench&)>;
    const std::pair<const char*, Setup> states[] = {
        {"idle", [](Bench&) {}},
        {"running", [](Bench& b) { b.control->start(); }},
        {"waiting for a refresh that the window never runs",
         [](Bench& b) {
             b.control->start();
             std::this_thread::sleep_for(std::chrono::milliseconds(30)); // no events processed
         }},
        {"paused",
         [](Bench& b) {
             b.control->start();
             b.control->pause();
         }},
        {"paused, then stopped",
         [](Bench& b) {
             b.control->start();
             b.control->pause();
             b.control->stop();
         }},
        {"stopping",
         [](Bench& b) {
             b.control->start();
             b.control->stop();
         }},
        {"ended", [](Bench& b) {
             b.start("0");
             waitFor([&] { return b.ended(); });
         }}};
    for (const auto& [name, setup] : states) {
        SCOPED_TRACE(name);
        Bench b;
        b.setField(Field::Tmmaxbox, "100000");
        setup(b);
        const auto start = std::chrono::steady_clock::now();
        b.control.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        QCoreApplication::processEvents(); // posted calls of a gone run are dropped
    }
}
