// The steady state the balance window announces, on the lesson scenario
// that takes longest to reach it: a whole run of several minutes.
#include "bilantest.h"

#include <QAction>

#include <cstdio>

namespace calidor::test {
namespace {

// The long exchanger's outlets creep by less than the watch's threshold long
// before its balances close (the window once said steady at t = 112 s with
// Pc − Pf at 3.5 W). "Régime permanent atteint" comes only once both close,
// and the scenario runs long enough to show it.
TEST_F(Bilan, LongScenarioIsSteadyOnlyOnceBothBalancesClose) {
    QAction* scenario = form->findChild<QAction*>(QStringLiteral("scenario_longExchanger"));
    ASSERT_NE(scenario, nullptr);
    scenario->trigger();
    const double tmax = model->params.tmax;
    ASSERT_EQ(model->params.cocourant, 0);
    bilan()->show();
    startRun();
    SteadyStateWatch outlets;
    double settledAt = -1, steadyAt = -1;
    while (model->time < tmax) {
        AdvanceStep(*model);
        if (model->nstep % RefreshPeriod != 0)
            continue;
        bilan()->displayRefreshed(*model); // what a refresh hands the window, without drawing the charts
        const Terminals t = terminals(*model);
        outlets.add(model->time, t.TcOut, t.TfOut);
        if (outlets.steady() && settledAt < 0) {
            settledAt = model->time;
            bilan()->settle();
            EXPECT_TRUE(text("steadyState").endsWith(QStringLiteral("régime transitoire"))) << settledAt;
        }
        if (!bilan()->steady()) {
            ASSERT_LT(steadyAt, 0) << "steady at " << steadyAt << " s, then no longer at " << model->time;
            continue;
        }
        if (steadyAt < 0) {
            steadyAt = model->time;
            bilan()->settle();
            EXPECT_TRUE(saysSteady());
            EXPECT_TRUE(text("powerNote").startsWith(QStringLiteral("Régime permanent")));
        }
        const double formula = steadyEntropyProduction(exchangerTheory(model->params), t);
        ASSERT_LE(std::fabs(model->Pc - model->Pf), 1e-3 * model->Pc) << model->time;
        ASSERT_LE(std::fabs(model->Sgen - formula), 1e-3 * formula) << model->time;
    }
    std::printf("long exchanger: outlets settled at %.1f s, steady at %.1f s, run ends at %.0f s\n",
                settledAt, steadyAt, tmax);
    EXPECT_GT(settledAt, 0);
    EXPECT_GT(steadyAt, settledAt + 60) << "settled outlets alone are not the steady state here";
    EXPECT_GT(steadyAt, 0) << "the scenario ends before its steady state";
    EXPECT_LT(steadyAt, tmax - 20) << "too little of the steady state to look at";
}

} // namespace
} // namespace calidor::test
