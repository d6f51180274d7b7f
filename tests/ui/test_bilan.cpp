// "Bilan et théorie" on the real main window: reached from every chart's
// menu, hidden at rest, following a run to its steady state with values that
// agree with the textbook, warning when dt passes the stability limit; the
// model's figures withheld while no state of the parameters in force is
// known; and the steady profiles on the profile chart, off by default.
#include "bilantest.h"

#include "model/stability.h"

#include <QAction>

namespace calidor::test {
namespace {

TEST_F(Bilan, HiddenAtRestAndReachedFromEveryChart) {
    ASSERT_NE(bilan(), nullptr);
    EXPECT_FALSE(bilan()->isVisible());
    for (const char* name : {"Chart1", "Chart2", "Chart3"}) {
        QStringList actions;
        for (QAction* a : chart(name)->actions())
            actions << a->objectName();
        EXPECT_EQ(actions.mid(0, 3), (QStringList{"copyImage", "copyData", "showBalance"})) << name;
    }
    // The profile chart's steady profiles are off: the chart holds its three curves alone.
    QAction* profile = bilan()->profileAction();
    ASSERT_NE(profile, nullptr);
    EXPECT_TRUE(chart("Chart1")->actions().contains(profile));
    EXPECT_TRUE(profile->isCheckable());
    EXPECT_FALSE(profile->isChecked());
    EXPECT_EQ(chart("Chart1")->seriesList().size(), 3);

    chart("Chart3")->showBalanceAction()->trigger();
    EXPECT_TRUE(bilan()->isVisible());
    EXPECT_FALSE(bilan()->isModal());
    // The copied tables name their columns in French with their units.
    EXPECT_EQ(chart("Chart3")->dataText(), "Temps (s)\tParoi (°C)\tFluide chaud (°C)\tFluide froid (°C)\n");
    EXPECT_EQ(chart("Chart1")->dataText(),
              "Position (m)\tFluide chaud (°C)\tFluide froid (°C)\tParoi (°C)\n");
}

TEST_F(Bilan, FollowsTheRunToTheTextbookSteadyState) {
    bilan()->show();
    startRun();
    runFor(2);
    bilan()->settle();
    const ExchangerTheory theory = exchangerTheory(model->params);
    EXPECT_NEAR(value("Cc"), 62.7, 1e-9);
    EXPECT_NEAR(value("Cf"), 62.7, 1e-9);
    EXPECT_EQ(value("Cr"), 1);
    EXPECT_EQ(value("UA"), 100);
    EXPECT_NEAR(value("NTU"), theory.NTU, 1e-4);
    EXPECT_NEAR(value("effectivenessTheory"), theory.effectiveness, 1e-4);
    // The transient: the balance does not close, and the window says why.
    EXPECT_GT(std::fabs(value("powerGap")), 100);
    EXPECT_TRUE(text("powerNote").startsWith(QStringLiteral("Régime transitoire")));
    EXPECT_FALSE(bilan()->steady());
    EXPECT_NEAR(value("dtStable"), stableTimeStep(model->params), 1e-6);
    EXPECT_NEAR(value("dtPositive"), 0.005, 1e-9);
    EXPECT_NEAR(value("dtRatio"), 0.004 / stableTimeStep(model->params), 1e-3);
    EXPECT_FALSE(bilan()->findChild<QLabel*>(QStringLiteral("stabilityWarning"))->isVisible());

    runFor(58);
    bilan()->settle();
    EXPECT_TRUE(bilan()->steady());
    EXPECT_TRUE(text("steadyState").endsWith(QStringLiteral("régime permanent atteint")));
    EXPECT_NEAR(value("effectivenessModel"), theory.effectiveness, 0.01 * theory.effectiveness);
    EXPECT_NEAR(value("Pc"), value("Pf"), 0.11);
    EXPECT_NEAR(value("SgenSteady"), value("Sgen"), 0.01 * value("Sgen"));
    EXPECT_TRUE(text("powerNote").startsWith(QStringLiteral("Régime permanent")));
    // The model's point sits on its curve.
    auto* effectiveness = bilan()->findChild<charts::ChartView*>(QStringLiteral("effectivenessChart"));
    ASSERT_NE(effectiveness, nullptr);
    const charts::Series* point = effectiveness->series(QStringLiteral("modelPoint"));
    ASSERT_EQ(point->count(), 1);
    EXPECT_NEAR(point->x(0), theory.NTU, 1e-12);
    EXPECT_NEAR(point->y(0), theory.effectiveness, 0.01 * theory.effectiveness);
}

TEST_F(Bilan, WarnsWhenDtPassesTheStabilityLimit) {
    bilan()->show();
    typeInto("dtbox", QStringLiteral("0.01"));
    actualise(); // an acquisition: the window follows at once
    bilan()->settle();
    EXPECT_GT(value("dtRatio"), 1);
    EXPECT_TRUE(bilan()->findChild<QLabel*>(QStringLiteral("stabilityWarning"))->isVisible());
    typeInto("dtbox", QStringLiteral("0.002"));
    actualise();
    bilan()->settle();
    EXPECT_LT(value("dtRatio"), 1);
    EXPECT_FALSE(bilan()->findChild<QLabel*>(QStringLiteral("stabilityWarning"))->isVisible());
}

// A real run in its worker: the window follows the refreshes and the
// acquisitions that the sliders set off while the run computes.
TEST_F(Bilan, FollowsARealRunWhileTheSlidersMove) {
    bilan()->show();
    bilan()->profileAction()->setChecked(true);
    typeInto("Tmmaxbox", QStringLiteral("6"));
    QTest::mouseClick(control<QPushButton>("Button1"), Qt::LeftButton);
    for (int position : {40, 60, 55}) {
        QTest::qWait(30);
        dragTo(slider("TrackBar_debf"), position);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return control<QPushButton>("Button1")->isEnabled(); }, 60000));
    bilan()->settle();
    const ExchangerTheory theory = exchangerTheory(model->params);
    EXPECT_NEAR(value("Cf"), theory.Cf, 1e-3);
    // The last refresh came up to 39 steps before the run's end.
    EXPECT_NEAR(value("Pc"), model->Pc, 0.02 * std::fabs(model->Pc));
    EXPECT_NEAR(value("Sgen"), model->Sgen, 0.02 * std::fabs(model->Sgen));
    EXPECT_EQ(chart("Chart1")->series(QStringLiteral("steadyCold"))->y(0), model->params.Tef);
}

TEST_F(Bilan, SteadyProfilesComeAndGoOnTheProfileChart) {
    startRun();
    runFor(1);
    QAction* profile = bilan()->profileAction();
    profile->setChecked(true);
    const QList<charts::Series*> series = chart("Chart1")->seriesList();
    ASSERT_EQ(series.size(), 6);
    for (int k = 3; k < 6; ++k) {
        EXPECT_EQ(series[k]->count(), 2 * N + 1);
        EXPECT_EQ(series[k]->style().penStyle, Qt::DashLine);
    }
    EXPECT_EQ(series[3]->y(0), model->params.Tec);
    // Copied with the model's profiles, the closed form's nodes share their rows.
    EXPECT_EQ(chart("Chart1")->dataText().count(QLatin1Char('\n')), 1 + 2 * N + 1);
    profile->setChecked(false);
    EXPECT_EQ(chart("Chart1")->seriesList().size(), 3);
}

// After a whole co-current run, unticking the box at rest leaves the old
// profile in the arrays: read at the counter-current outlets it gave an
// effectiveness of 0.0155 and a negative entropy production. The textbook
// follows at once; the model waits for a state computed in counter-current.
TEST_F(Bilan, AfterAChangeOfArrangementAtRestTheModelFiguresWait) {
    bilan()->show();
    expectNoModelFigures(); // nothing computed yet
    startRun();
    runFor(30);
    bilan()->settle();
    EXPECT_TRUE(bilan()->showsModelState());
    EXPECT_TRUE(saysSteady());
    EXPECT_FALSE(bilan()->findChild<QLabel*>(QStringLiteral("modelNote"))->isVisible());

    checkBox()->click();
    ASSERT_EQ(model->params.cocourant, 0);
    expectNoModelFigures();
    EXPECT_EQ(text("powerNote"), QStringLiteral("—"));
    ModelParameters counter = model->params;
    EXPECT_NEAR(value("effectivenessTheory"), exchangerTheory(counter).effectiveness, 1e-4);
    EXPECT_TRUE(text("effectivenessTheory").endsWith(QStringLiteral("(contre-courant)")));
    RefreshDisplay(*model, *form); // a refresh of the same old state changes nothing
    expectNoModelFigures();

    // Back to co-current: the state shown was computed with these parameters.
    checkBox()->click();
    bilan()->settle();
    EXPECT_TRUE(bilan()->showsModelState());
    EXPECT_TRUE(saysSteady());

    // A counter-current run brings the figures back, its own.
    checkBox()->click();
    expectNoModelFigures();
    startRun();
    runFor(1);
    runToNextRefresh();
    bilan()->settle();
    EXPECT_TRUE(bilan()->showsModelState());
    EXPECT_NEAR(value("Pc"), model->Pc, 0.05);
    EXPECT_EQ(modelPoint()->count(), 1);
}

// During the transient: what has no meaning yet says so, and an acquisition
// that comes between a step and its refresh does not pass that refresh off
// as a state of the new parameters.
TEST_F(Bilan, DuringATransientAChangeWaitsForTheNextStep) {
    bilan()->show();
    startRun();
    runFor(2);
    bilan()->settle();
    ASSERT_TRUE(bilan()->showsModelState());
    EXPECT_EQ(text("SgenSteady"), QStringLiteral("sans objet"));
    EXPECT_TRUE(text("steadyState").startsWith(QStringLiteral("sans objet : moins de 5 s")));
    EXPECT_TRUE(text("powerNote").startsWith(QStringLiteral("Régime transitoire")));

    checkBox()->click();
    expectNoModelFigures();
    RefreshDisplay(*model, *form); // handed over before the change, shown after it
    expectNoModelFigures();
    runToNextRefresh();
    bilan()->settle();
    EXPECT_TRUE(bilan()->showsModelState());
    EXPECT_NEAR(value("Pf"), model->Pf, 0.05);
    EXPECT_EQ(text("SgenSteady"), QStringLiteral("sans objet"));
    // Another regime: the outlets are watched afresh.
    EXPECT_TRUE(text("steadyState").startsWith(QStringLiteral("sans objet")));

    // A slider move is a change of parameters as well; the end time is not.
    const double flow = model->params.debf;
    dragTo(slider("TrackBar_debf"), slider("TrackBar_debf")->value() + 10);
    ASSERT_NE(model->params.debf, flow);
    expectNoModelFigures();
    runToNextRefresh();
    typeInto("Tmmaxbox", QStringLiteral("500.00"));
    actualise();
    bilan()->settle();
    EXPECT_TRUE(bilan()->showsModelState());

    // A change undone once the run has stepped with it: the state shown is no longer the model's.
    checkBox()->click();
    AdvanceStep(*model);
    checkBox()->click();
    expectNoModelFigures();
}

// The arrangement and a flow changed again and again while a real run
// computes in its worker: each change withholds the model's figures at once,
// whatever refresh was already on its way (every set of parameters is new,
// so no state shown can be one of them), and the run's later refreshes bring
// them back for the parameters in force.
TEST_F(Bilan, ArrangementToggledWhileARealRunComputes) {
    bilan()->show();
    typeInto("Tmmaxbox", QStringLiteral("8"));
    // Ten times real time: the run outlasts the changes on any machine.
    form->findChild<QAction*>(QStringLiteral("paceTenfold"))->trigger();
    QTest::mouseClick(control<QPushButton>("Button1"), Qt::LeftButton);
    QSlider* flow = slider("TrackBar_debf");
    for (int k = 0; k < 12; ++k) {
        QTest::qWait(15);
        checkBox()->click();
        dragTo(flow, flow->value() + 1);
        bilan()->settle();
        EXPECT_EQ(text("Pc"), QStringLiteral("—")) << k;
        EXPECT_FALSE(bilan()->showsModelState()) << k;
    }
    ASSERT_FALSE(control<QPushButton>("Button1")->isEnabled()) << "the run ended before the last toggle";
    ASSERT_TRUE(QTest::qWaitFor([&] { return control<QPushButton>("Button1")->isEnabled(); }, 60000));
    bilan()->settle();
    EXPECT_TRUE(bilan()->showsModelState());
    EXPECT_EQ(model->params.cocourant, 1);
    EXPECT_TRUE(text("effectivenessTheory").endsWith(QStringLiteral("(co-courant)")));
    // The last refresh came up to 39 steps before the run's end.
    EXPECT_NEAR(value("Pc"), model->Pc, 0.02 * std::fabs(model->Pc));
}

} // namespace
} // namespace calidor::test
