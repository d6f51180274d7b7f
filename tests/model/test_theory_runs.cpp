// The textbook beside the model's own runs: the steady state the model ends
// in against effectiveness–NTU, the energy balance, the steady entropy
// production and the closed-form profiles; and the time-step limit against
// runs on both sides of it.
#include "modeltest.h"

#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/stability.h"
#include "model/steadyprofile.h"
#include "model/theory.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

using namespace calidor;
using namespace calidor::test;

namespace {

// The default run's parameters, stepped 120 simulated seconds: long settled
// (the outlets stop moving after about 40 s). Made once per arrangement.
const ModelState& steadyRun(int cocourant) {
    static std::array<std::unique_ptr<ModelState>, 2> runs;
    std::unique_ptr<ModelState>& m = runs[cocourant];
    if (!m) {
        m = newModel();
        m->params.cocourant = cocourant;
        m->params.tmax = 120;
        etat_initial(*m);
        runToEnd(*m);
    }
    return *m;
}

class SteadyState : public ::testing::TestWithParam<int> {};

TEST_P(SteadyState, MatchesTheTextbook) {
    const ModelState& m = steadyRun(GetParam());
    const ExchangerTheory theory = exchangerTheory(m.params);
    const Terminals t = terminals(m);
    const double modelEpsilon = modelEffectiveness(theory, t);
    std::printf("co=%d  effectiveness model %.5f theory %.5f (%.3f %%)  Pc %.4f Pf %.4f W  Sgen %.6f steady "
                "formula %.6f W/K\n",
                GetParam(), modelEpsilon, theory.effectiveness,
                100 * (modelEpsilon - theory.effectiveness) / theory.effectiveness, m.Pc, m.Pf, m.Sgen,
                steadyEntropyProduction(theory, t));
    EXPECT_NEAR(modelEpsilon, theory.effectiveness, 0.01 * theory.effectiveness);
    EXPECT_NEAR(m.Pc, m.Pf, 1e-6 * m.Pc); // the balance closes
    EXPECT_NEAR(steadyEntropyProduction(theory, t), m.Sgen, 0.01 * m.Sgen);
}

TEST_P(SteadyState, ClosedFormProfilesLieOnTheModel) {
    const ModelState& m = steadyRun(GetParam());
    const std::vector<SteadyPoint> profile = steadyProfile(m.params, 2 * N + 1);
    ASSERT_EQ(profile.size(), std::size_t(2 * N + 1));
    double worst = 0;
    for (int i = 0; i <= N; ++i) {
        const SteadyPoint& s = profile[static_cast<std::size_t>(2 * i)];
        const NodeRecord& r = m.newNodes[i];
        EXPECT_EQ(s.x, static_cast<double>(static_cast<long double>(i) * m.dx)); // on the model's nodes
        // The counter-current cold fluid leaves the model at node 1; node 0 is its extra end cell.
        if (i == 0 && GetParam() == 0)
            continue;
        worst = std::max({worst, std::fabs(s.Tc - r.Tc), std::fabs(s.Tf - r.Tf), std::fabs(s.Tp - r.Tp)});
    }
    const double inletGap = m.params.Tec - m.params.Tef;
    std::printf("co=%d  largest gap to the closed form %.4f K = %.3f %% of the inlet difference\n",
                GetParam(), worst, 100 * worst / inletGap);
    EXPECT_LT(worst, 0.02 * inletGap);
}

INSTANTIATE_TEST_SUITE_P(BothArrangements, SteadyState, ::testing::Values(1, 0));

// ---- The time-step limit predicts the fault ----

// Steps from the initial state with the given dt; the number of steps before
// a fault, or `steps` if none.
long stepsWithoutFault(ModelParameters p, double dt, long steps) {
    auto m = newModel();
    p.dt = dt;
    m->params = p;
    etat_initial(*m);
    BeginRun(*m);
    for (long k = 0; k < steps; ++k) {
        try {
            oneStep(*m);
        } catch (const ArithmeticFault&) {
            return k;
        }
    }
    return steps;
}

ModelParameters stiffFluids() {
    ModelParameters p; // lighter fluids, better convection, a heavier wall, counter-current
    p.cocourant = 0;
    p.Mc = p.Mf = 0.02;
    p.Kc = p.Kf = 6000;
    p.Mp = 0.05;
    return p;
}

ModelParameters lopsided() {
    ModelParameters p; // unequal sides and a longer exchanger
    p.Kc = 500;
    p.sigmaf = 0.3;
    p.debf = 0.04;
    p.Lech = 2;
    p.Mp = 0.004;
    return p;
}

ModelParameters fastFluids() {
    ModelParameters p; // fluids swept through fast: their transport sets the pace, not the wall
    p.debc = p.debf = 0.1;
    p.Mc = p.Mf = 0.02;
    return p;
}

class StabilityLimit : public ::testing::TestWithParam<int> {};

TEST_P(StabilityLimit, PredictsTheFault) {
    const ModelParameters cases[] = {ModelParameters{}, stiffFluids(), lopsided(), fastFluids()};
    const ModelParameters& p = cases[GetParam()];
    const double limit = stableTimeStep(p);
    ASSERT_TRUE(std::isfinite(limit) && limit > 0);
    const long below = stepsWithoutFault(p, 0.95 * limit, 20000);
    const long above = stepsWithoutFault(p, 1.2 * limit, 20000);
    std::printf(
        "case %d  dtStable %.6g s (eigenvalues %.6g, transport %.6g)  dtPositive %.6g s  0.95x: %ld steps "
        "without fault  1.2x: fault after %ld steps\n",
        GetParam(), limit, eigenvalueTimeStep(p), transportTimeStep(p), positiveTimeStep(p), below, above);
    EXPECT_EQ(below, 20000);
    EXPECT_LT(above, 20000);
}

INSTANTIATE_TEST_SUITE_P(FourParameterSets, StabilityLimit, ::testing::Values(0, 1, 2, 3));

} // namespace
