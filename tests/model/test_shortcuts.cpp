// The step's shortcuts against the plain path, bit for bit: two states live
// the same randomised session (runs, inlets, flows, other parameters and the
// arrangement changed mid-run, etat_initial, faults), one with the shortcuts
// and one without; after every step both hold the same bits everywhere.
#include "modeltest.h"

#include "model/acquisition.h"
#include "model/arithmeticfault.h"

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace calidor;
using namespace calidor::test;

namespace {

bool sameState(const ModelState& a, const ModelState& b, bool everyRecord) {
    const int last = everyRecord ? NodeCapacity - 1 : N + 1;
    return sameRecords(a.oldNodes, b.oldNodes, 0, last) && sameRecords(a.newNodes, b.newNodes, 0, last) &&
           bits(a.time) == bits(b.time) && bits(a.dx) == bits(b.dx) && bits(a.Pc) == bits(b.Pc) &&
           bits(a.Pf) == bits(b.Pf) && bits(a.Sgen) == bits(b.Sgen) && a.nstep == b.nstep;
}

// The phase of the fault that `operation` raised, if any.
template <class Operation> std::optional<std::string> faultPhase(Operation operation) {
    try {
        operation();
    } catch (const ArithmeticFault& e) {
        return e.phase() + " / " + e.description();
    }
    return std::nullopt;
}

// Two states that live the same session: one takes the shortcuts, the other
// the plain path.
struct Twins {
    std::unique_ptr<ModelState> fast = newModel(), plain = newModel();

    Twins() { plain->cache.enabled = false; }

    template <class Change> void both(Change change) {
        change(*fast);
        change(*plain);
    }

    // Steps both; false at the first difference.
    bool steps(int count) {
        for (int k = 0; k < count; ++k) {
            const auto fastFault = faultPhase([&] { oneStep(*fast); });
            const auto plainFault = faultPhase([&] { oneStep(*plain); });
            EXPECT_EQ(fastFault, plainFault) << "step " << k;
            if (!sameState(*fast, *plain, false)) {
                ADD_FAILURE() << "first difference after step " << k;
                return false;
            }
            if (fastFault)
                return true; // a fault ends the run
        }
        return true;
    }
};

// What a user may do between two stretches of steps; the draws are made once
// for both states.
void applyEvent(Twins& twins, int what, double value, bool hot, const std::function<int(int)>& pick) {
    switch (what) {
    case 0: // an inlet temperature, as a slider gives it, with the inlets rewritten
        twins.both([&](ModelState& m) {
            (hot ? m.params.Tec : m.params.Tef) = value / 2;
            writeInlets(m);
        });
        break;
    case 1: // a flow rate
        twins.both([&](ModelState& m) {
            (hot ? m.params.debc : m.params.debf) = 0.005 + value / 10000;
            writeInlets(m);
        });
        break;
    case 2: // the check box
        twins.both([&](ModelState& m) {
            m.params.cocourant = 1 - m.params.cocourant;
            writeInlets(m);
        });
        break;
    case 3: // the arrangement alone, without acquisition
        twins.both([&](ModelState& m) { m.params.cocourant = 1 - m.params.cocourant; });
        break;
    case 4: // a specific heat: every entropy's factor changes
        twins.both([&](ModelState& m) {
            m.params.Cpc = 3000 + 10 * value;
            writeInlets(m);
        });
        break;
    case 5: // a new run from the initial state
        twins.both([&](ModelState& m) {
            m.params.Tinit = value / 4;
            etat_initial(m);
            BeginRun(m);
        });
        break;
    case 6: // a new length, taken by the next run
        twins.both([&](ModelState& m) { m.params.Lech = 0.5 + value / 200; });
        break;
    case 8: // a new run from where the last one stopped
        twins.both([&](ModelState& m) { BeginRun(m); });
        break;
    case 7: // a fault (zero mass or zero time step), then the value back
        twins.both([&](ModelState& m) { (hot ? m.params.Mc : m.params.dt) = 0; });
        twins.steps(1 + pick(3));
        twins.both([&](ModelState& m) {
            m.params.Mc = 0.05;
            m.params.dt = 0.004;
        });
        break;
    default: // nothing changes: the run goes on
        break;
    }
}

// Both states live one session; returns the phases the fast one skipped.
std::int64_t liveSession(unsigned seed) {
    std::mt19937 random(seed);
    const std::function<int(int)> pick = [&](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    Twins twins;
    // A uniform exchanger is steady from its first step; a hot inlet is not.
    const double Tinit = pick(2) ? 5 : 40;
    const int cocourant = pick(2);
    twins.both([&](ModelState& m) {
        m.params.Tinit = m.params.Tec = m.params.Tef = Tinit;
        m.params.cocourant = cocourant;
        etat_initial(m);
        BeginRun(m);
    });
    for (int event = 0; event < 16; ++event) {
        SCOPED_TRACE("event " + std::to_string(event));
        const int what = pick(10);
        const double value = pick(200);
        const bool hot = pick(2) == 1;
        applyEvent(twins, what, value, hot, pick);
        if (!sameState(*twins.fast, *twins.plain, true) || !twins.steps(1 + pick(300)))
            break;
    }
    EXPECT_TRUE(sameState(*twins.fast, *twins.plain, true)) << "records above N + 1 included";
    EXPECT_TRUE(zeroRecords(twins.fast->oldNodes, N + 2, NodeCapacity - 1));
    EXPECT_TRUE(zeroRecords(twins.fast->newNodes, N + 2, NodeCapacity - 1));
    EXPECT_EQ(twins.plain->cache.skippedPhases, 0);
    return twins.fast->cache.skippedPhases;
}

TEST(Shortcuts, RandomisedSessionsGiveThePlainPathsBits) {
    std::int64_t skipped = 0;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        skipped += liveSession(seed);
        if (HasFailure())
            break;
    }
    EXPECT_GT(skipped, 500) << "the sessions never reached a state the shortcuts skip";
}

TEST(Shortcuts, EveryInputChangedAloneInASteadyStateIsTakenIntoAccount) {
    // The default co-current run no longer changes to the bit after 1693
    // steps: from there every phase is answered from memory. Each input of
    // the step is then changed alone, at one point of a step (between two
    // steps, or between the temperatures and the balances), and the next
    // steps must give the plain path's bits.
    auto steady = newModel();
    etat_initial(*steady);
    BeginRun(*steady);
    for (int k = 0; k < 1800; ++k)
        oneStep(*steady);
    const std::int64_t skippedBefore = steady->cache.skippedPhases;
    oneStep(*steady);
    ASSERT_EQ(steady->cache.skippedPhases, skippedBefore + 2);

    struct Change {
        std::string name;
        std::function<void(ModelState&)> apply;
        bool betweenPhases = false;
    };
    std::vector<Change> changes;
    for (const auto& [name, member] : NamedParameters)
        changes.push_back({name, [member = member](ModelState& m) { m.params.*member *= 1.25; }});
    changes.push_back({"cocourant", [](ModelState& m) { m.params.cocourant = 0; }});
    changes.push_back({"dx", [](ModelState& m) { m.dx = 0.0125; }});
    changes.push_back({"inlets", [](ModelState& m) {
                           m.params.Tec = 60;
                           writeInlets(m);
                       }});
    for (int i : {0, 1, 50, N, N + 1})
        for (int field = 0; field < 6; ++field) {
            const std::string at = std::to_string(i) + "." + std::to_string(field);
            auto nudge = [i, field](NodeArray& a) { (&a[i].Tc)[field] += 0.5; };
            changes.push_back({"old " + at, [=](ModelState& m) { nudge(m.oldNodes); }});
            changes.push_back({"new " + at, [=](ModelState& m) { nudge(m.newNodes); }});
            changes.push_back(
                {"new " + at + " between phases", [=](ModelState& m) { nudge(m.newNodes); }, true});
        }

    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        auto fast = copyOf(*steady), plain = copyOf(*steady);
        plain->cache.enabled = false;
        for (ModelState* m : {fast.get(), plain.get()}) {
            faultPhase([&] {
                if (!change.betweenPhases)
                    change.apply(*m);
                StepTemperatures(*m);
                if (change.betweenPhases)
                    change.apply(*m);
                ComputeBalances(*m);
                FinishStep(*m);
                for (int k = 0; k < 3; ++k)
                    oneStep(*m);
            });
        }
        EXPECT_TRUE(sameState(*fast, *plain, true));
    }
}

} // namespace
