// One step of the exchanger and the steps that follow it: first steps in both
// arrangements, a uniform exchanger that stays uniform, the end-of-step copy,
// the counter-current end cell at node 0, and the bits of every stored value
// against a step written directly from the balance formulas.
#include "modeltest.h"

#include "model/acquisition.h"

#include <cmath>
#include <random>

using namespace calidor;
using namespace calidor::test;

namespace {

std::unique_ptr<ModelState> startedRun(int cocourant, double Tec, double Tef, double Tinit) {
    auto m = newModel();
    m->params.cocourant = cocourant;
    m->params.Tec = Tec;
    m->params.Tef = Tef;
    m->params.Tinit = Tinit;
    etat_initial(*m);
    BeginRun(*m);
    return m;
}

void expectWallEndsCopied(const ModelState& m) {
    EXPECT_SAME_BITS(m.newNodes[0].Tp, m.newNodes[1].Tp);
    EXPECT_SAME_BITS(m.newNodes[N + 1].Tp, m.newNodes[N].Tp);
}

// ---- First steps ----

TEST(FirstStep, CoCurrentOnlyTheFirstHotCellTakesInTheInlet) {
    auto m = startedRun(1, 70, 5, 5);
    const ModelParameters& p = m->params;
    EXPECT_SAME_BITS(m->time, 0.0);
    EXPECT_SAME_BITS(m->dx, 0.01);
    StepTemperatures(*m);
    ComputeBalances(*m);

    // Convection term zero (wall and fluid both at Tinit), then the inflow.
    const L zero = L(p.Kc) * p.sigmac * m->dx * (L(5) - 5);
    const double hot1 = static_cast<double>(5 + p.dt / (L(m->dx) / p.Lech * p.Mc * p.Cpc) *
                                                    (zero + L(p.debc) * p.Cpc * (L(70) - 5)));
    EXPECT_SAME_BITS(m->newNodes[1].Tc, hot1);
    EXPECT_GT(hot1, 5.0);
    for (int i = 1; i <= N; ++i) {
        SCOPED_TRACE(i);
        if (i > 1) {
            EXPECT_SAME_BITS(m->newNodes[i].Tc, 5.0);
        }
        EXPECT_SAME_BITS(m->newNodes[i].Tf, 5.0);
        EXPECT_SAME_BITS(m->newNodes[i].Tp, 5.0);
    }
    EXPECT_SAME_BITS(m->newNodes[0].Tf, 5.0); // the co-current cold inlet is not stepped
    expectWallEndsCopied(*m);
    EXPECT_SAME_BITS(m->Pc, static_cast<double>(L(p.debc) * p.Cpc * (L(70) - 5)));
    EXPECT_SAME_BITS(m->Pf, 0.0);
    EXPECT_GT(m->Sgen, 0.0); // hot fluid mixing into a colder cell
}

TEST(FirstStep, CounterCurrentTheLastColdCellAndTheEndCellMove) {
    auto m = startedRun(0, 5, 2, 5);
    const ModelParameters& p = m->params;
    StepTemperatures(*m);
    ComputeBalances(*m);

    const L coldFactor = p.dt / (L(m->dx) / p.Lech * p.Mf * p.Cpf);
    const L zero = L(p.Kf) * p.sigmaf * m->dx * (L(5) - 5);
    const L co = 0;
    // Cell N: fed by node N + 1, which holds Tef.
    const double coldN = static_cast<double>(
        5 + coldFactor * (zero + co * p.debf * p.Cpf * (L(5) - 5) + (1 - co) * p.debf * p.Cpf * (L(2) - 5)));
    // Node 0: set to Tef by the inlets, stepped towards node 1 and its wall.
    const double cold0 = static_cast<double>(
        2 + coldFactor * (L(p.Kf) * p.sigmaf * m->dx * (L(5) - 2) + (1 - co) * p.debf * p.Cpf * (L(5) - 2)));
    EXPECT_SAME_BITS(m->newNodes[N].Tf, coldN);
    EXPECT_SAME_BITS(m->newNodes[0].Tf, cold0);
    EXPECT_LT(coldN, 5.0);
    EXPECT_GT(cold0, 2.0);
    for (int i = 1; i <= N; ++i) {
        SCOPED_TRACE(i);
        EXPECT_SAME_BITS(m->newNodes[i].Tc, 5.0);
        if (i < N) {
            EXPECT_SAME_BITS(m->newNodes[i].Tf, 5.0);
        }
        EXPECT_SAME_BITS(m->newNodes[i].Tp, 5.0);
    }
    EXPECT_SAME_BITS(m->newNodes[N + 1].Tf, 2.0);
    expectWallEndsCopied(*m);
    EXPECT_SAME_BITS(m->Pc, 0.0);
    EXPECT_SAME_BITS(m->Pf, static_cast<double>(L(p.debf) * p.Cpf * (L(5) - 2)));
}

// ---- A uniform exchanger ----

TEST(UniformState, StaysExactlyUniformWithNoPowerNorProduction) {
    for (int co : {1, 0}) {
        SCOPED_TRACE(co);
        auto m = startedRun(co, 37.5, 37.5, 37.5);
        m->params.dt = 0.003;
        const auto initial = copyOf(*m);
        for (int step = 1; step <= 2000; ++step) {
            oneStep(*m);
            if (!sameRecords(m->newNodes, initial->newNodes) || bits(m->Pc) != 0 || bits(m->Pf) != 0 ||
                bits(m->Sgen) != 0) {
                ADD_FAILURE() << "the uniform state changed at step " << step << ": Pc " << m->Pc << " Pf "
                              << m->Pf << " Sgen " << m->Sgen;
                break;
            }
        }
        EXPECT_TRUE(sameRecords(m->oldNodes, initial->oldNodes));
        EXPECT_EQ(m->nstep, 2000);
    }
}

// ---- End of step ----

TEST(FinishStep, CopiesTheModelsRecordsAndAdvancesTimeAndCounter) {
    // Records above N + 1 are never written by the model, so the step copies
    // only 0 to N + 1; with the shortcuts off it copies every record.
    for (bool shortcuts : {true, false}) {
        SCOPED_TRACE(shortcuts);
        auto m = startedRun(1, 70, 2, 5);
        m->cache.enabled = shortcuts;
        StepTemperatures(*m);
        ComputeBalances(*m);
        m->newNodes[4000].Tc = 1.5;
        FinishStep(*m);
        EXPECT_TRUE(sameRecords(m->oldNodes, m->newNodes, 0, N + 1));
        EXPECT_SAME_BITS(m->oldNodes[4000].Tc, shortcuts ? 0.0 : 1.5);
        EXPECT_SAME_BITS(m->time, 0.004);
        EXPECT_EQ(m->nstep, 1);
    }
}

TEST(FinishStep, TimeSumIsRoundedFromExtended) {
    // A sum whose extended rounding lands on a tie between two doubles: the
    // tie then goes to even, one step above the directly rounded sum.
    auto m = newModel();
    m->time = 1 + 0x1p-52;
    m->params.dt = 0x1p-53 - 0x1p-70;
    ASSERT_NE(bits(static_cast<double>(L(m->time) + m->params.dt)), bits(m->time + m->params.dt));
    FinishStep(*m);
    EXPECT_SAME_BITS(m->time, 1 + 0x1p-51);
}

TEST(FinishStep, RecordsBeyondTheLastNodeStayZeroThroughRuns) {
    auto m = newModel();
    for (int co : {1, 0, 1}) {
        m->params.cocourant = co;
        m->params.tmax = 0.4;
        etat_initial(*m);
        runToEnd(*m);
    }
    EXPECT_GE(m->nstep, 300);
    EXPECT_TRUE(zeroRecords(m->oldNodes, N + 2, NodeCapacity - 1));
    EXPECT_TRUE(zeroRecords(m->newNodes, N + 2, NodeCapacity - 1));
    EXPECT_TRUE(sameRecords(m->oldNodes, m->newNodes));
}

// ---- Counter-current end cell ----

TEST(CounterCurrent, InletsPutTefBackIntoNodeZeroWhichIsSteppedAgain) {
    auto m = startedRun(0, 70, 2, 5);
    for (int step = 0; step < 50; ++step)
        oneStep(*m);
    ASSERT_NE(bits(m->newNodes[0].Tf), bits(2.0));
    writeInlets(*m); // what every acquisition does
    EXPECT_SAME_BITS(m->oldNodes[0].Tf, 2.0);
    EXPECT_SAME_BITS(m->newNodes[0].Tf, 2.0);

    const ModelParameters& p = m->params;
    const NodeArray& o = m->oldNodes;
    const double expected = static_cast<double>(
        2 + p.dt / (L(m->dx) / p.Lech * p.Mf * p.Cpf) *
                (L(p.Kf) * p.sigmaf * m->dx * (L(o[0].Tp) - 2) + L(1) * p.debf * p.Cpf * (L(o[1].Tf) - 2)));
    oneStep(*m);
    EXPECT_SAME_BITS(m->newNodes[0].Tf, expected);
    EXPECT_SAME_BITS(m->newNodes[N + 1].Tf, 2.0); // the inlet itself is never stepped
}

// ---- Every bit against the formulas ----

struct ReferenceCase {
    const char* name;
    ModelParameters params;
};

// Most parameters of the step away from their defaults.
const ModelParameters Unusual{.Tef = 11.5,
                              .Tec = 83.25,
                              .Tinit = 20,
                              .Cpc = 3900,
                              .Cpp = 450,
                              .debf = 0.018,
                              .debc = 0.012,
                              .Mf = 0.06,
                              .Mc = 0.04,
                              .Mp = 0.012,
                              .dt = 0.003,
                              .Kf = 2500,
                              .Kc = 1500,
                              .sigmaf = 0.09,
                              .sigmac = 0.12,
                              .Lech = 1.3};

TEST(StepArithmetic, EveryStoredValueHasTheBitsOfTheWrittenFormulas) {
    const ReferenceCase cases[] = {{"defaults", ModelParameters{}}, {"unusual", Unusual}};
    for (const ReferenceCase& c : cases) {
        for (int co : {1, 0}) {
            SCOPED_TRACE(std::string(c.name) + (co ? " co-current" : " counter-current"));
            auto m = newModel();
            m->params = c.params;
            m->params.cocourant = co;
            etat_initial(*m);
            BeginRun(*m);
            auto ref = copyOf(*m);
            for (int step = 1; step <= 1500; ++step) {
                if (step == 500) { // a change of inlet and flow during the run
                    for (ModelState* s : {m.get(), ref.get()}) {
                        s->params.Tec = 55.5;
                        s->params.debc = 0.021;
                        writeInlets(*s);
                    }
                }
                if (step == 1000) // the arrangement switched during the run
                    m->params.cocourant = ref->params.cocourant = 1 - co;
                oneStep(*m);
                referenceStep(*ref);
                const bool same = sameRecords(m->newNodes, ref->newNodes, 0, N + 1) &&
                                  sameRecords(m->oldNodes, ref->oldNodes, 0, N + 1) &&
                                  bits(m->Pc) == bits(ref->Pc) && bits(m->Pf) == bits(ref->Pf) &&
                                  bits(m->Sgen) == bits(ref->Sgen) && bits(m->time) == bits(ref->time) &&
                                  m->nstep == ref->nstep;
                if (!same) {
                    ADD_FAILURE() << "first difference at step " << step;
                    EXPECT_SAME_BITS(m->Pc, ref->Pc);
                    EXPECT_SAME_BITS(m->Pf, ref->Pf);
                    EXPECT_SAME_BITS(m->Sgen, ref->Sgen);
                    for (int i = 0; i <= N + 1; ++i) {
                        EXPECT_SAME_BITS(m->newNodes[i].Tc, ref->newNodes[i].Tc) << i;
                        EXPECT_SAME_BITS(m->newNodes[i].Tf, ref->newNodes[i].Tf) << i;
                        EXPECT_SAME_BITS(m->newNodes[i].Tp, ref->newNodes[i].Tp) << i;
                        EXPECT_SAME_BITS(m->newNodes[i].sc, ref->newNodes[i].sc) << i;
                        EXPECT_SAME_BITS(m->newNodes[i].sf, ref->newNodes[i].sf) << i;
                        EXPECT_SAME_BITS(m->newNodes[i].sp, ref->newNodes[i].sp) << i;
                    }
                    break;
                }
            }
            EXPECT_NE(bits(m->Sgen), 0u);
        }
    }
}

TEST(StepArithmetic, ArbitraryStatesHaveTheBitsOfTheWrittenFormulas) {
    // Temperatures and entropies scattered over many magnitudes, so that a
    // regrouped sum or a product rounded too early shows in the last bits.
    std::mt19937_64 random(424242);
    std::uniform_real_distribution<double> temperature(-200, 900), unit(-1, 1), exponent(-3, 18);
    auto scattered = [&] { return unit(random) * std::pow(10.0, exponent(random)); };
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        auto m = newModel();
        m->params = trial % 2 ? Unusual : ModelParameters{};
        m->params.cocourant = (trial / 2) % 2;
        m->params.dt = 1e-5 * (1 + trial);
        BeginRun(*m);
        for (int i = 0; i <= N + 1; ++i) {
            m->oldNodes[i] = NodeRecord{temperature(random), temperature(random), temperature(random),
                                        scattered(),         scattered(),         scattered()};
            m->newNodes[i] = m->oldNodes[i];
        }
        auto ref = copyOf(*m);
        StepTemperatures(*m);
        ComputeBalances(*m);
        referenceStepTemperatures(*ref);
        referenceBalances(*ref);
        EXPECT_TRUE(sameRecords(m->newNodes, ref->newNodes, 0, N + 1));
        EXPECT_SAME_BITS(m->Pc, ref->Pc);
        EXPECT_SAME_BITS(m->Pf, ref->Pf);
        EXPECT_SAME_BITS(m->Sgen, ref->Sgen);
        if (HasFailure())
            break;
    }
}

TEST(StepArithmetic, ProductionOfBothFluidsIsAddedBeforeTheWalls) {
    // Hot and cold productions that cancel exactly, beside a small wall
    // production: (hot + cold) + wall keeps the wall's share, which
    // hot + (cold + wall) would lose in the extended sum.
    auto m = startedRun(1, 0, 0, 0); // every temperature, so every new entropy, is 0
    m->oldNodes[1].sc = 1e20;
    m->oldNodes[1].sf = -1e20;
    m->oldNodes[1].sp = 1;
    StepTemperatures(*m);
    ComputeBalances(*m);
    const ModelParameters& p = m->params;
    EXPECT_SAME_BITS(m->Sgen, static_cast<double>(L(m->dx) / p.Lech * p.Mp * (L(0) - 1) / p.dt));
    EXPECT_LT(m->Sgen, -0.02);
}

// ---- Run length ----

TEST(RunLength, EveryRunTakesAtLeastOneStep) {
    for (double tmax : {0.0, -5.0}) {
        auto m = newModel();
        m->params.tmax = tmax;
        etat_initial(*m);
        const RunRecord r = runToEnd(*m);
        EXPECT_EQ(r.steps, 1);
        EXPECT_EQ(r.refreshes, 0);
        EXPECT_EQ(m->nstep, 1);
        EXPECT_SAME_BITS(m->time, 0.004);
    }
    // ... and refreshes when that step brings the counter to a multiple of 40.
    auto m = newModel();
    m->params.tmax = 0;
    m->nstep = 39;
    etat_initial(*m);
    EXPECT_EQ(runToEnd(*m).refreshes, 1);
}

} // namespace
