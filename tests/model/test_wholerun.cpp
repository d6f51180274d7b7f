// Whole runs with the window's default parameters, in both arrangements: how
// long they last, and the physics they end in. Each default run takes 75001
// steps (a few seconds); each run is made once per test process and shared.
#include "modeltest.h"

#include "model/acquisition.h"

#include <array>
#include <cmath>
#include <cstdio>

using namespace calidor;
using namespace calidor::test;

namespace {

struct FinishedRun {
    std::unique_ptr<ModelState> model;
    RunRecord record;
};

const FinishedRun& defaultRun(int cocourant) {
    static std::array<std::unique_ptr<FinishedRun>, 2> runs;
    std::unique_ptr<FinishedRun>& run = runs[cocourant];
    if (!run) {
        run = std::make_unique<FinishedRun>();
        run->model = newModel();
        run->model->params.cocourant = cocourant;
        etat_initial(*run->model);
        run->record = runToEnd(*run->model);
    }
    return *run;
}

// ---- Run length ----

// The exact 17-digit text of the time after 75000 steps is 299.99999999997624;
// 299.99999999997626 names the same double (the spacing of doubles near 300
// is 5.7e-14).
static_assert(std::bit_cast<std::uint64_t>(299.99999999997624) ==
              std::bit_cast<std::uint64_t>(299.99999999997626));

TEST(DefaultRun, Takes75001StepsAndTheNextRunKeepsTheCounter) {
    const FinishedRun& run = defaultRun(1);
    EXPECT_EQ(run.record.steps, 75001);
    EXPECT_EQ(run.model->nstep, 75001);
    EXPECT_EQ(run.record.refreshes, 1875);
    EXPECT_EQ(run.record.lastRefreshNstep, 75000);

    // time is built by adding dt once per step, each sum formed in extended
    // precision and rounded: still just below 300 after 75000 additions.
    double t = 0;
    for (int k = 0; k < 75000; ++k)
        t = static_cast<double>(L(t) + 0.004);
    EXPECT_SAME_BITS(run.record.timeBeforeLastStep, t);
    EXPECT_SAME_BITS(run.record.timeBeforeLastStep, 299.99999999997624);
    EXPECT_LT(run.record.timeBeforeLastStep, 300.0);
    EXPECT_SAME_BITS(run.model->time, 300.00399999997626);
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", run.record.timeBeforeLastStep);
    EXPECT_STREQ(text, "299.99999999997624");
    std::snprintf(text, sizeof text, "%.17g", run.model->time);
    EXPECT_STREQ(text, "300.00399999997626");

    // A second run starts its time at 0 but keeps the step counter, so its
    // first refresh comes after 39 steps (75001 + 39 = 75040).
    auto next = copyOf(*run.model);
    etat_initial(*next);
    BeginRun(*next);
    EXPECT_SAME_BITS(next->time, 0.0);
    int steps = 0;
    do {
        oneStep(*next);
        ++steps;
    } while (next->nstep % RefreshPeriod != 0);
    EXPECT_EQ(steps, 39);
}

// ---- Bits of the results ----

TEST(DefaultRun, EndsOnTheSameBitsInBothArrangements) {
    struct Expected {
        int cocourant;
        std::uint64_t hash;
        double Pc, Pf, Sgen;
    };
    const Expected cases[] = {
        {1, 0x355c8ac0f5974a54ULL, 2039.5274603380224, 2039.5274603377466, 0.76158293503756536},
        {0, 0x636849892aed23e5ULL, 2603.7747396962523, 2603.7747396959858, 0.7263479922173276},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.cocourant);
        const ModelState& m = *defaultRun(e.cocourant).model;
        EXPECT_EQ(nodeHash(m.newNodes), e.hash);
        EXPECT_TRUE(zeroRecords(m.oldNodes, N + 2, NodeCapacity - 1));
        EXPECT_SAME_BITS(m.Pc, e.Pc);
        EXPECT_SAME_BITS(m.Pf, e.Pf);
        EXPECT_SAME_BITS(m.Sgen, e.Sgen);
        EXPECT_SAME_BITS(m.time, 300.00399999997626);
    }
}

// ---- Physics ----

// Effectiveness of the exchanger from the textbook ε–NTU relations with equal
// capacity rates (Cr = 1): UA from the two convection conductances in series
// over the whole length.
struct Textbook {
    double NTU;
    double parallel; // (1 − e^(−NTU(1 + Cr))) / (1 + Cr)
    double counter;  // NTU / (1 + NTU)
};

Textbook textbook(const ModelParameters& p) {
    const double UA = 1 / (1 / (p.Kc * p.sigmac * p.Lech) + 1 / (p.Kf * p.sigmaf * p.Lech));
    const double Cmin = std::min(p.debc * p.Cpc, p.debf * p.Cpf);
    const double NTU = UA / Cmin;
    return {NTU, (1 - std::exp(-2 * NTU)) / 2, NTU / (1 + NTU)};
}

void expectSteadyStateOfTheTextbook(int cocourant) {
    const ModelState& m = *defaultRun(cocourant).model;
    const ModelParameters& p = m.params;
    ASSERT_EQ(p.debc * p.Cpc, p.debf * p.Cpf);

    EXPECT_NEAR(m.Pc, m.Pf, 1e-9 * std::fabs(m.Pc)) << "not a steady state";
    EXPECT_GT(m.Pc, 0.0);
    EXPECT_GT(m.Sgen, 0.0);

    const double hotOut = m.newNodes[N].Tc;
    const double coldOut = m.newNodes[cocourant ? N : 1].Tf;
    const double hotEffectiveness = (p.Tec - hotOut) / (p.Tec - p.Tef);
    const double coldEffectiveness = (coldOut - p.Tef) / (p.Tec - p.Tef);
    const Textbook t = textbook(p);
    const double expected = cocourant ? t.parallel : t.counter;
    EXPECT_NEAR(hotEffectiveness, expected, 0.01 * expected);
    EXPECT_NEAR(coldEffectiveness, expected, 0.01 * expected);

    std::printf("%s: NTU %.6f, textbook effectiveness %.6f, from the outlets %.6f (hot) %.6f (cold), "
                "gap %+.3f %%; Pc %.6f W, Pf %.6f W, Sgen %.9f W/K\n",
                cocourant ? "co-current" : "counter-current", t.NTU, expected, hotEffectiveness,
                coldEffectiveness, 100 * (hotEffectiveness - expected) / expected, m.Pc, m.Pf, m.Sgen);
}

TEST(DefaultRun, CoCurrentEndsInTheParallelFlowSteadyState) {
    expectSteadyStateOfTheTextbook(1);
}

TEST(DefaultRun, CounterCurrentEndsInTheCounterFlowSteadyState) {
    expectSteadyStateOfTheTextbook(0);
}

} // namespace
