// "Marche", "Pause", "Arrêt", one refresh forward and the pace pressed in
// random order against the worker, with the window's events between them:
// what "Arrêt" promises must hold whenever it is pressed. The suite runs it
// under ThreadSanitizer too.
#include "runbench.h"

#include "run/runcontrol.h"
#include "tests/common/settle.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <random>

using namespace calidor;
using namespace calidor::testing;

namespace {

constexpr int SessionMilliseconds = test::sessionMilliseconds(4000, 8000);
using test::settle;

bool allEmpty(const FakeWindow& window) {
    for (const auto& points : window.series)
        if (!points.empty())
            return false;
    return true;
}

// One session: the window's state is checked after every action and after
// the events that follow it.
class Session {
public:
    explicit Session(unsigned seed) : m_random(seed) {}

    void start() {
        if (!b.window.startEnabled)
            return;
        const char* ends[] = {"0.2", "1", "3", "100000"}; // natural ends happen too
        b.start(ends[m_random() % 4]);
        m_stoppedSinceStart = false;
        m_steppedSincePause = false;
        EXPECT_FALSE(b.window.startEnabled);
        EXPECT_FALSE(b.window.lengthEnabled);
        EXPECT_FALSE(b.window.representationEnabled);
    }

    void pause() {
        b.control->pause();
        m_steppedSincePause = false;
    }

    void stepForward() {
        b.control->stepOneRefresh();
        m_steppedSincePause = true;
    }

    void stop() {
        // Halted at the gate with no step forward asked: nothing may wake it
        // but the stop, which ends it without a step.
        const bool haltedForGood = b.control->pausedByUser() && !m_steppedSincePause && b.halted();
        const std::int64_t before = b.nstep();
        b.control->stop();
        ++stops;
        m_stoppedSinceStart = true;
        EXPECT_TRUE(allEmpty(b.window));
        EXPECT_TRUE(b.window.startEnabled);
        EXPECT_TRUE(b.window.lengthEnabled);
        EXPECT_TRUE(b.window.representationEnabled);
        EXPECT_FALSE(b.control->pausedByUser());
        if (haltedForGood || m_random() % 3 == 0) {
            ASSERT_TRUE(waitFor([&] { return !b.control->simu() || b.ended(); }, 20)) << "Arrêt ends the run";
            if (haltedForGood) {
                ++haltedStops;
                EXPECT_EQ(b.nstep(), before) << "a halted run took a step after Arrêt";
            }
        }
        b.control->pause(); // a stopped run is never resumed
        EXPECT_FALSE(b.control->pausedByUser());
    }

    void setPace() {
        const Pace paces[] = {Pace::Max, Pace::Max, Pace::Tenfold};
        b.control->setPace(paces[m_random() % 3]);
    }

    void act() {
        switch (m_random() % 6) {
        case 0:
        case 1:
            start();
            break;
        case 2:
            pause();
            break;
        case 3:
            stepForward();
            break;
        case 4:
            stop();
            break;
        default:
            setPace();
            break;
        }
        settle(static_cast<int>(m_random() % 8));
        // No refresh lands on the curves that "Arrêt" emptied, and the
        // length and representation are free exactly while they are empty.
        if (m_stoppedSinceStart) {
            EXPECT_TRUE(allEmpty(b.window));
        }
        EXPECT_EQ(b.window.lengthEnabled, m_stoppedSinceStart);
        EXPECT_EQ(b.window.representationEnabled, m_stoppedSinceStart);
    }

    Bench b;
    int stops = 0, haltedStops = 0;

private:
    std::mt19937 m_random;
    bool m_stoppedSinceStart = true; // nothing drawn yet
    bool m_steppedSincePause = false;
};

} // namespace

TEST(RunStress, MarchePauseArretAndStepsInRandomOrder) {
    int actions = 0, stops = 0, haltedStops = 0, threadsBefore = 0;
    {
        Session session(20261218);
        threadsBefore = session.b.threadsAtRest();
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < SessionMilliseconds && !::testing::Test::HasFatalFailure()) {
            session.act();
            ++actions;
        }
        session.stop();
        EXPECT_TRUE(session.b.window.faults.empty());
        stops = session.stops;
        haltedStops = session.haltedStops;
    } // ends whatever is left, without a hang
    QCoreApplication::processEvents();
    EXPECT_TRUE(waitFor([&] { return threadCount() == threadsBefore; }, 10)) << "a worker thread was left";
    EXPECT_GT(haltedStops, 0) << "the session never stopped a halted run";
    RecordProperty("actions", actions);
    RecordProperty("stops", stops);
    RecordProperty("haltedStops", haltedStops);
}
