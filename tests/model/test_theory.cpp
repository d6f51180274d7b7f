// The textbook relations against published values, and what the parameters
// alone give (capacity rates, UA, the time-step limits).
#include "model/stability.h"
#include "model/theory.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace calidor;

namespace {

// ---- Effectiveness–NTU ----

TEST(Effectiveness, PublishedValues) {
    EXPECT_NEAR(effectivenessParallel(2.5, 0.6), 0.6136, 5e-5);
    EXPECT_NEAR(effectivenessCounter(2, 0.5), 0.7746, 5e-5);
    EXPECT_NEAR(effectivenessCounter(2, 0.625), 0.7487, 5e-5);
    // Cr = 0: both arrangements are 1 − e^(−NTU).
    EXPECT_NEAR(effectivenessParallel(1.5, 0), 1 - std::exp(-1.5), 1e-15);
    EXPECT_NEAR(effectivenessCounter(1.5, 0), 1 - std::exp(-1.5), 1e-15);
}

TEST(Effectiveness, CounterFlowRunsSmoothlyIntoItsLimitAtCrOne) {
    for (double ntu : {0.1, 1.0, 1.595, 5.0, 40.0}) {
        const double limit = ntu / (1 + ntu);
        EXPECT_DOUBLE_EQ(effectivenessCounter(ntu, 1), limit) << ntu;
        // Near Cr = 1 the value moves by about dCr × ∂ε/∂Cr: no cliff, no noise from cancellation.
        for (double gap : {1e-3, 1e-6, 1e-9, 1e-12, 1e-15}) {
            const double e = effectivenessCounter(ntu, 1 - gap);
            EXPECT_GE(e, limit) << ntu << " " << gap;
            EXPECT_LE(e - limit, gap * ntu) << ntu << " " << gap;
        }
    }
    EXPECT_EQ(effectivenessCounter(0, 0.7), 0);
}

// ---- What the parameters give ----

TEST(ExchangerTheory, DefaultParameters) {
    const ModelParameters p;
    const ExchangerTheory t = exchangerTheory(p);
    EXPECT_DOUBLE_EQ(t.Cc, 0.015 * 4180);
    EXPECT_DOUBLE_EQ(t.Cf, 0.015 * 4180);
    EXPECT_DOUBLE_EQ(t.Cr, 1);
    // 200 W/K on each side over the metre, in series: 100 W/K.
    EXPECT_DOUBLE_EQ(t.UA, 100);
    EXPECT_DOUBLE_EQ(t.NTU, 100 / 62.7);
    EXPECT_DOUBLE_EQ(t.effectiveness, effectivenessParallel(t.NTU, 1));

    ModelParameters q;
    q.cocourant = 0;
    q.debf = 0.03;
    q.Kc = 1000;
    q.Lech = 2;
    const ExchangerTheory u = exchangerTheory(q);
    EXPECT_DOUBLE_EQ(u.Cmin, u.Cc);
    EXPECT_DOUBLE_EQ(u.Cr, 0.5);
    EXPECT_NEAR(u.UA, 1 / (1 / 200.0 + 1 / 400.0), 1e-12);
    EXPECT_DOUBLE_EQ(u.effectiveness, effectivenessCounter(u.NTU, 0.5));

    // Undefined comes back as NaN, for the window to show as undefined, never as a number.
    EXPECT_TRUE(std::isnan(modelEffectiveness(t, Terminals{5, 5, 5, 5})));
    EXPECT_TRUE(std::isnan(steadyEntropyProduction(t, Terminals{70, -300, 2, 32})));
    q.debc = 0;
    EXPECT_TRUE(std::isnan(exchangerTheory(q).NTU));
    EXPECT_TRUE(std::isnan(exchangerTheory(q).effectiveness));
}

TEST(SteadyStateWatch, NeedsAWholeQuietWindow) {
    SteadyStateWatch watch(0.01, 5);
    for (int k = 0; k <= 36; ++k) // 40 °C falling 1 °C a second until t = 5, then still
        watch.add(k * 0.25, 40 - std::min(k, 20) * 0.25, 10);
    EXPECT_TRUE(watch.covered());
    EXPECT_FALSE(watch.steady()); // at t = 9 the window still reaches back into the fall
    for (int k = 37; k <= 44; ++k)
        watch.add(k * 0.25, 35, 10);
    EXPECT_TRUE(watch.covered());
    EXPECT_TRUE(watch.steady());
    watch.add(0.16, 35, 10); // a new run
    EXPECT_FALSE(watch.covered());
    EXPECT_FALSE(watch.steady());
}

// The steady state needs settled outlets, a closed energy balance and Sgen on its formula, each on its own.
TEST(SteadyStateReached, EveryConditionIsNeeded) {
    SteadyStateWatch settled(0.01, 5);
    for (int k = 0; k <= 30; ++k)
        settled.add(k * 0.25, 37.5, 34.5);
    ASSERT_TRUE(settled.steady());
    EXPECT_TRUE(steadyStateReached(settled, 1000, 999.01, 0.5, 0.5005));
    EXPECT_FALSE(steadyStateReached(settled, 1000, 998.9, 0.5, 0.5)) << "Pc − Pf is 0.11 % of Pc";
    EXPECT_FALSE(steadyStateReached(settled, 1000, 1001.1, 0.5, 0.5)) << "a gap either way";
    EXPECT_FALSE(steadyStateReached(settled, 1000, 1000, 0.5006, 0.5)) << "Sgen 0.12 % off its formula";
    EXPECT_FALSE(steadyStateReached(settled, 1000, 1000, 0.5, -0.5)) << "a negative formula";
    EXPECT_FALSE(steadyStateReached(settled, 1000, 1000, 0.5, std::nan(""))) << "an undefined formula";
    SteadyStateWatch moving(0.01, 5);
    for (int k = 0; k <= 30; ++k)
        moving.add(k * 0.25, 37.5 + k * 0.01, 34.5);
    EXPECT_FALSE(steadyStateReached(moving, 1000, 1000, 0.5, 0.5)) << "outlets still moving";

    // With equal inlets everything is rounding noise around zero, and steady.
    EXPECT_TRUE(steadyStateReached(settled, 0, 1e-12, 3e-15, 0));
    EXPECT_TRUE(agreeWithin(-2000, -2001.9));
    EXPECT_FALSE(agreeWithin(-2000, -1997.9));
}

// ---- Time-step limits ----

TEST(TimeStepLimits, PositivityAndTheEigenvalueLimit) {
    ModelParameters p;
    // A wall cell holds 0.05 J/K and exchanges 2 + 2 + 3 + 3 = 10 W/K.
    EXPECT_NEAR(positiveTimeStep(p), 0.005, 1e-15);
    const double stable = stableTimeStep(p);
    // The stiffest wall mode sits near −(4 + 12) / 0.05 per second.
    EXPECT_GT(stable, 0.005);
    EXPECT_LT(stable, 2 / 300.0);
    p.cocourant = 0;
    EXPECT_GT(stableTimeStep(p), 0.005);

    ModelParameters zero;
    zero.Mp = 0; // the step divides by zero: no limit to show
    EXPECT_TRUE(std::isnan(stableTimeStep(zero)));
    EXPECT_TRUE(std::isnan(positiveTimeStep(zero)));
    ModelParameters growing;
    growing.Kc = -5000; // a negative conductance makes the system itself grow
    EXPECT_EQ(stableTimeStep(growing), 0);
    EXPECT_TRUE(
        sameStabilityParameters(ModelParameters{}, ModelParameters{.Tef = 10, .Tec = 90, .dt = 0.001}));
    EXPECT_FALSE(sameStabilityParameters(ModelParameters{}, ModelParameters{.debf = 0.02}));
}

} // namespace
