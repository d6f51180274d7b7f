// Arithmetic faults: a zero divisor, an overflow or a temperature below
// absolute zero abandons the operation under way with ArithmeticFault. What
// was stored before the faulting store stays, nothing after it is stored, and
// no infinity or NaN is ever left in the state.
#include "modeltest.h"

#include "model/acquisition.h"
#include "model/arithmeticfault.h"

#include <optional>
#include <string>

using namespace calidor;
using namespace calidor::test;

namespace {

// Runs `operation`, which must fault; checks the message and returns the fault.
template <class Operation> std::optional<ArithmeticFault> faultOf(Operation operation) {
    try {
        operation();
    } catch (const ArithmeticFault& e) {
        EXPECT_FALSE(e.phase().empty());
        EXPECT_NE(std::string(e.what()).find(e.phase()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(e.description()), std::string::npos) << e.what();
        return e;
    }
    ADD_FAILURE() << "no arithmetic fault";
    return std::nullopt;
}

const NodeRecord Sentinel{-1, -2, -3, -4, -5, -6};

// A co-current run with the default parameters, one of them changed (after
// `stepsBefore` steps, as a change made during a run), ready for its next
// step; the records the step writes hold a sentinel.
std::unique_ptr<ModelState> readyToStep(double ModelParameters::*member, double value, int stepsBefore = 0) {
    auto m = newModel();
    if (stepsBefore == 0)
        m->params.*member = value;
    etat_initial(*m);
    BeginRun(*m);
    for (int step = 0; step < stepsBefore; ++step)
        oneStep(*m);
    m->params.*member = value;
    for (int i = 1; i <= N + 1; ++i)
        m->newNodes[i] = Sentinel;
    return m;
}

// ---- The time step ----

TEST(StepFaults, ZeroMassStopsAtTheFirstFormulaThatDividesByIt) {
    struct Case {
        const char* name;
        double ModelParameters::*member;
        bool hotStored;  // cell 1's hot temperature comes first
        bool wallStored; // then its wall, then its cold fluid
    };
    const Case cases[] = {{"Mc", &ModelParameters::Mc, false, false},
                          {"Mp", &ModelParameters::Mp, true, false},
                          {"Mf", &ModelParameters::Mf, true, true},
                          {"Cpp", &ModelParameters::Cpp, true, false}};
    // On the first step the wall and fluid of cell 1 are at one temperature
    // (a zero capacity meets a zero bracket: 0/0); during a run the brackets
    // are not zero (an infinite factor times a finite bracket).
    for (int stepsBefore : {0, 20}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(stepsBefore) + " steps");
            auto m = readyToStep(c.member, 0, stepsBefore);
            auto ref = copyOf(*m);
            referenceStepTemperatures(*ref); // its faulty values stay in the copy
            const auto before = copyOf(*m);
            const auto fault = faultOf([&] { StepTemperatures(*m); });

            const NodeRecord& cell1 = m->newNodes[1];
            EXPECT_SAME_BITS(cell1.Tc, c.hotStored ? ref->newNodes[1].Tc : Sentinel.Tc);
            EXPECT_SAME_BITS(cell1.Tp, c.wallStored ? ref->newNodes[1].Tp : Sentinel.Tp);
            EXPECT_SAME_BITS(cell1.Tf, Sentinel.Tf);
            if (c.hotStored) {
                EXPECT_GT(cell1.Tc, 5.0);
                EXPECT_LT(cell1.Tc, 70.0);
            }
            EXPECT_TRUE(sameRecords(m->newNodes, before->newNodes, 2, NodeCapacity - 1));
            EXPECT_TRUE(sameRecords(m->newNodes, before->newNodes, 0, 0)); // wall ends not copied
            EXPECT_TRUE(sameRecords(m->oldNodes, before->oldNodes));
            EXPECT_EQ(nonFiniteCount(*m), 0);
        }
    }
}

TEST(StepFaults, ZeroLengthFaultsBeforeAnyStore) {
    auto m = readyToStep(&ModelParameters::Lech, 0);
    EXPECT_SAME_BITS(m->dx, 0.0);
    const auto before = copyOf(*m);
    const auto fault = faultOf([&] { StepTemperatures(*m); });
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->kind(), FaultKind::InvalidOperation); // dx / Lech is 0 / 0
    EXPECT_TRUE(sameRecords(m->newNodes, before->newNodes));
    EXPECT_EQ(nonFiniteCount(*m), 0);
}

TEST(StepFaults, OverflowIsNeverStored) {
    auto m = readyToStep(&ModelParameters::dt, 1);
    m->oldNodes[1].Tp = 1e308; // a wall slice far out, with a step twenty times its capacity
    auto ref = copyOf(*m);
    referenceStepTemperatures(*ref);
    const auto fault = faultOf([&] { StepTemperatures(*m); });
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->kind(), FaultKind::Overflow);
    EXPECT_SAME_BITS(m->newNodes[1].Tc, ref->newNodes[1].Tc); // huge, finite and stored
    EXPECT_GT(m->newNodes[1].Tc, 1e307);
    EXPECT_SAME_BITS(m->newNodes[1].Tp, Sentinel.Tp);
    EXPECT_EQ(nonFiniteCount(*m), 0);
}

// ---- The balances ----

TEST(BalanceFaults, ZeroTimeStepFaultsAfterPowersAndEntropies) {
    auto m = readyToStep(&ModelParameters::dt, 0);
    StepTemperatures(*m); // a zero factor: every temperature stays
    for (int i = 1; i <= N; ++i) {
        m->newNodes[i].sc = m->newNodes[i].sf = m->newNodes[i].sp = 123;
        EXPECT_SAME_BITS(m->newNodes[i].Tc, 5.0);
    }
    m->Pc = m->Pf = m->Sgen = 456;
    auto ref = copyOf(*m);
    referenceBalances(*ref);
    const auto fault = faultOf([&] { ComputeBalances(*m); });
    ASSERT_TRUE(fault);

    EXPECT_SAME_BITS(m->Pc, ref->Pc);
    EXPECT_SAME_BITS(m->Pf, ref->Pf);
    EXPECT_GT(m->Pc, 0.0);
    for (int i = 1; i <= N; ++i) {
        EXPECT_SAME_BITS(m->newNodes[i].sc, ref->newNodes[i].sc) << i;
        EXPECT_SAME_BITS(m->newNodes[i].sp, ref->newNodes[i].sp) << i;
    }
    EXPECT_SAME_BITS(m->Sgen, 456.0);
    EXPECT_SAME_BITS(m->time, 0.0);
    EXPECT_EQ(m->nstep, 0);
    EXPECT_EQ(nonFiniteCount(*m), 0);

    // Its phase is not the step's.
    auto zeroMass = readyToStep(&ModelParameters::Mc, 0);
    const auto stepFault = faultOf([&] { StepTemperatures(*zeroMass); });
    ASSERT_TRUE(stepFault);
    EXPECT_NE(fault->phase(), stepFault->phase());
}

// ---- A whole run that diverges ----

TEST(RunFaults, TooLargeATimeStepEndsInAFaultWithEverythingFinite) {
    // dt × (Gf + Gc + 2 Gw) / wall capacity is 10 at dt = 0.05: the wall
    // temperatures oscillate with growing amplitude.
    for (int co : {1, 0}) {
        SCOPED_TRACE(co);
        auto m = newModel();
        m->params.dt = 0.05;
        m->params.cocourant = co;
        etat_initial(*m);
        BeginRun(*m);
        long steps = 0;
        const auto fault = faultOf([&] {
            while (steps < 100000) {
                ++steps;
                oneStep(*m);
            }
        });
        ASSERT_TRUE(fault);
        EXPECT_LT(steps, 100) << "the oscillation should have grown out of bounds within a few steps";
        EXPECT_EQ(m->nstep, steps - 1); // the faulting step did not finish
        EXPECT_EQ(nonFiniteCount(*m), 0);
        EXPECT_TRUE(zeroRecords(m->newNodes, N + 2, NodeCapacity - 1));
    }
}

// ---- The initial state ----

TEST(InitialStateFaults, TinitBelowAbsoluteZero) {
    auto m = newModel();
    m->params.Tinit = -300;
    const auto fault = faultOf([&] { etat_initial(*m); });
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->kind(), FaultKind::InvalidOperation);
    // Node 0's temperatures were written before its first entropy.
    EXPECT_SAME_BITS(m->oldNodes[0].Tc, -300.0);
    EXPECT_SAME_BITS(m->oldNodes[0].Tf, -300.0);
    EXPECT_SAME_BITS(m->oldNodes[0].Tp, -300.0);
    EXPECT_SAME_BITS(m->oldNodes[0].sc, 0.0);
    EXPECT_TRUE(zeroRecords(m->oldNodes, 1, NodeCapacity - 1));
    EXPECT_TRUE(zeroRecords(m->newNodes, 0, NodeCapacity - 1));
    EXPECT_EQ(nonFiniteCount(*m), 0);
}

} // namespace
