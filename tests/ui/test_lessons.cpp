// The teacher's means on the main window: the keys, Enter in a field, the
// background menu with the pace and one refresh forward, the pause cue, and
// the lesson scenarios, each run to its end (or its fault).
#include "mainwindowtest.h"

#include "run/modellock.h"
#include "tests/common/startup_expectations.h"
#include "ui/apropos.h"
#include "ui/lessons.h"
#include "ui/shellopen.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>

using namespace calidor;
using namespace calidor::test;

namespace {

class LessonsTest : public ActiveMainWindowTest {
protected:
    void key(QKeyCombination keys) const { QTest::keySequence(form.get(), QKeySequence(keys)); }
    bool running() const {
        const auto& run = form->runControl().simu();
        return run && !run->disposed();
    }
    bool ended() const {
        const auto& run = form->runControl().simu();
        return run && run->disposed();
    }
    bool waitUntil(const std::function<bool()>& done, int milliseconds = 60000) const {
        return QTest::qWaitFor(done, milliseconds);
    }
    QWidget* pauseCue() const { return control<QWidget>("pauseCue"); }
};

} // namespace

TEST_F(LessonsTest, RunKeysAndTheirPlaceInTheBackgroundMenu) {
    const std::pair<const char*, QKeySequence> keys[] = {{"runStart", QKeySequence(Qt::Key_F5)},
                                                         {"runPause", QKeySequence(Qt::Key_F6)},
                                                         {"runStop", QKeySequence(Qt::Key_F7)},
                                                         {"runQuit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
                                                         {"modelDocument", QKeySequence(Qt::Key_F1)}};
    auto* menu = form->findChild<QMenu*>(QStringLiteral("backgroundMenu"));
    ASSERT_NE(menu, nullptr);
    for (const auto& [name, sequence] : keys) {
        EXPECT_EQ(action(name)->shortcut(), sequence) << name;
        EXPECT_TRUE(menu->actions().contains(action(name))) << name;
    }

    field("Tmmaxbox")->setText(QStringLiteral("100000"));
    key(Qt::Key_F5);
    EXPECT_TRUE(running());
    EXPECT_FALSE(control<QPushButton>("Button1")->isEnabled());
    EXPECT_FALSE(pauseCue()->isVisible()) << "no cue while computing";

    key(Qt::Key_F6);
    EXPECT_TRUE(form->runControl().pausedByUser());
    EXPECT_TRUE(pauseCue()->isVisible());
    EXPECT_TRUE(pauseCue()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(pauseCue()->parentWidget(), control<QWidget>("Chart1"));
    EXPECT_TRUE(action("stepOneRefresh")->isEnabled());

    key(Qt::Key_F6);
    EXPECT_FALSE(form->runControl().pausedByUser());
    EXPECT_FALSE(pauseCue()->isVisible());
    EXPECT_FALSE(action("stepOneRefresh")->isEnabled());

    key(Qt::Key_F7);
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return ended(); }));

    QString opened;
    setShellOpener([&](const QString& address) {
        opened = address;
        return true;
    });
    key(Qt::Key_F1);
    setShellOpener({});
    EXPECT_EQ(opened, builtInAddresses().modelDocument);

    key(Qt::Key_F5);
    ASSERT_TRUE(running());
    key(Qt::CTRL | Qt::Key_Q); // "quiter" ends the run and closes the window
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ended());
}

TEST_F(LessonsTest, EnterInAFieldTakesTheValues) {
    typeInto("Mfbox", QStringLiteral("0.0300"));
    QTest::keyClick(field("Mfbox"), Qt::Key_Return);
    EXPECT_EQ(model->params.Mf, 0.03);
    typeInto("Tefbox", QStringLiteral("20.5"));
    QTest::keyClick(field("Tefbox"), Qt::Key_Enter);
    EXPECT_EQ(slider("TrackBar_TEF")->value(), 20);
    EXPECT_EQ(model->params.Tef, 20);
}

TEST_F(LessonsTest, BackgroundMenuOffersThePaceAndOneRefreshForward) {
    auto* menu = form->findChild<QMenu*>(QStringLiteral("backgroundMenu"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(300, 300), form->mapToGlobal(QPoint(300, 300)));
    QApplication::sendEvent(control<QWidget>("client"), &click);
    EXPECT_TRUE(menu->isVisible()) << "a right click on the background opens it";
    menu->close();

    QAction* paces[] = {action("paceMax"), action("paceRealTime"), action("paceTenfold"),
                        action("paceTenth")};
    EXPECT_TRUE(paces[0]->isChecked());
    for (QAction* pace : paces) {
        EXPECT_TRUE(pace->isCheckable());
        ASSERT_NE(pace->actionGroup(), nullptr);
        EXPECT_TRUE(pace->actionGroup()->isExclusive());
    }
    paces[2]->trigger();
    EXPECT_EQ(form->runControl().pace(), Pace::Tenfold);
    EXPECT_FALSE(paces[0]->isChecked());
    paces[3]->trigger();
    EXPECT_EQ(form->runControl().pace(), Pace::Tenth);
    EXPECT_TRUE(control<QMenu>("paceMenu")->actions().contains(paces[3]));
    paces[0]->trigger();

    field("Tmmaxbox")->setText(QStringLiteral("100000"));
    control<QPushButton>("Button1")->click();
    control<QPushButton>("Button3")->click();
    ASSERT_TRUE(waitUntil([&] { return form->runControl().simu()->isHalted(); }));
    const QString before = control<QLabel>("timebox")->text();
    action("stepOneRefresh")->trigger();
    ASSERT_TRUE(waitUntil([&] {
        return form->runControl().simu()->isHalted() && control<QLabel>("timebox")->text() != before;
    }));
    {
        ModelLock lock(modelMutex());
        EXPECT_EQ(model->nstep % 40, 0);
    }
    EXPECT_TRUE(pauseCue()->isVisible());
    control<QPushButton>("Button2")->click();
}

TEST_F(LessonsTest, EveryScenarioRunsToItsEndOrItsFault) {
    int count = 0;
    const LessonScenario* scenarios = lessonScenarios(count);
    ASSERT_GE(count, 6);
    EXPECT_STREQ(scenarios[0].objectName, "scenario_defaults");
    for (int f = 0; f < FieldCount; ++f) // the first scenario gives the start-up texts back
        EXPECT_EQ(scenarios[0].texts[f], calidor::testing::StartupTexts[f]) << "field " << f;
    auto* menu = form->findChild<QMenu*>(QStringLiteral("scenarioMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->toolTipsVisible());

    // A run under way first: the scenario ends it as "Arrêt" does.
    field("Tmmaxbox")->setText(QStringLiteral("100000"));
    control<QPushButton>("Button1")->click();
    ASSERT_TRUE(waitUntil([&] { return control<QLabel>("timebox")->text() != QLatin1String("0"); }));
    for (int i = 0; i < count; ++i) {
        const LessonScenario& s = scenarios[i];
        SCOPED_TRACE(s.objectName);
        QAction* entry = action(s.objectName);
        EXPECT_TRUE(menu->actions().contains(entry));
        EXPECT_EQ(entry->toolTip(), QCoreApplication::translate("calidor::Lessons", s.sentence));
        messages.clear();
        entry->trigger();
        EXPECT_TRUE(waitUntil([&] { return !running(); })) << "the earlier run ends after its step";
        EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
        EXPECT_EQ(form->findChild<charts::Series*>(QStringLiteral("Series5"))->count(), 0);
        EXPECT_EQ(field("Edit_long")->text(), QString::fromLatin1(s.texts[int(Field::Edit_long)]));
        EXPECT_EQ(field("dtbox")->text(), QString::fromLatin1(s.texts[int(Field::dtbox)]));
        EXPECT_EQ(checkBox()->isChecked(), s.coCurrent);
        EXPECT_EQ(model->params.cocourant, s.coCurrent ? 1 : 0);
        EXPECT_TRUE(messages.isEmpty());

        const bool unstable = QLatin1String(s.objectName) == QLatin1String("scenario_unstable");
        if (!unstable) // short runs, but for the one that must reach its fault
            field("Tmmaxbox")->setText(QStringLiteral("2"));
        control<QPushButton>("Button1")->click();
        ASSERT_TRUE(waitUntil([&] { return ended(); }));
        QTest::qWait(10);
        if (unstable) {
            ASSERT_EQ(messages.size(), 1);
            EXPECT_TRUE(messages.front().contains(QString::fromUtf8("limite de stabilité")))
                << messages.front().toStdString();
        } else {
            EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
            EXPECT_GT(form->findChild<charts::Series*>(QStringLiteral("Series5"))->count(), 0);
        }
    }
    EXPECT_EQ(model->params.Lech, 1) << "the long exchanger's length is undone by the others";
    EXPECT_FALSE(field("Edit_long")->isEnabled()) << "and stays disabled for the user";
}

TEST_F(LessonsTest, BalancedCounterCurrentReachesItsSteadyStateWithinItsEndTime) {
    action("scenario_counterCurrent")->trigger();
    control<QPushButton>("Button1")->click();
    ASSERT_TRUE(waitUntil([&] { return ended(); }));
    ModelLock lock(modelMutex());
    // Effectiveness NTU / (1 + NTU) with NTU = 100 W/K / 62.7 W/K: the hot
    // outlet near 70 − 0.61 × 68; both powers equal once steady.
    EXPECT_NEAR(model->newNodes[N].Tc, 28.47, 0.05);
    EXPECT_NEAR(model->Pc, model->Pf, 1e-3 * model->Pc);
}
