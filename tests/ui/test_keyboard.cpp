// The main window from the keyboard and what it shows of long texts: the keys
// that open the background menu, the step key, the run keys from the balance
// window, the focus outline, a field the program writes a long text into,
// and the model document that nothing can open.
#include "mainwindowtest.h"

#include "run/modellock.h"
#include "ui/help.h"
#include "ui/lessons.h"
#include "ui/shellopen.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QToolTip>

using namespace calidor;
using namespace calidor::test;

namespace {

class KeyboardTest : public ActiveMainWindowTest {
protected:
    QMenu* backgroundMenu() const { return control<QMenu>("backgroundMenu"); }
    bool ended() const {
        const auto& run = form->runControl().simu();
        return run && run->disposed();
    }
    // What the platform sends to the focused control for the Menu key or Shift+F10.
    static void pressMenuKey(QWidget* focused) {
        focused->setFocus(Qt::TabFocusReason);
        const QPoint centre = focused->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, focused->mapToGlobal(centre));
        QApplication::sendEvent(focused, &event);
    }
    static void closePopups() {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
};

} // namespace

TEST_F(KeyboardTest, MenuKeyOutsideAFieldAndF10AnywhereOpenTheBackgroundMenu) {
    for (const char* name : {"Button2", "TrackBar_TEF", "CheckBox1"}) {
        pressMenuKey(control(name));
        EXPECT_TRUE(backgroundMenu()->isVisible()) << name;
        closePopups();
    }
    // In a field the Menu key keeps the field's own edit menu...
    pressMenuKey(field("Cpcbox"));
    EXPECT_FALSE(backgroundMenu()->isVisible());
    closePopups();
    // ...and F10 opens the window's menu there, beside the field.
    QTest::keyClick(field("Cpcbox"), Qt::Key_F10);
    ASSERT_TRUE(backgroundMenu()->isVisible());
    const QPoint fieldCentre = field("Cpcbox")->mapToGlobal(field("Cpcbox")->rect().center());
    EXPECT_EQ(backgroundMenu()->pos().y(), fieldCentre.y());
    closePopups();

    // The menu says which keys open it, and shows the step key.
    const QList<QAction*> entries = backgroundMenu()->actions();
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_TRUE(entries.front()->isSeparator());
    EXPECT_TRUE(entries.front()->text().contains(QStringLiteral("F10")));
    EXPECT_TRUE(entries.contains(action("stepOneRefresh")));
    EXPECT_EQ(action("stepOneRefresh")->shortcut(), QKeySequence(Qt::Key_F8));
}

TEST_F(KeyboardTest, StepKeyAdvancesOneRefreshOnlyWhilePaused) {
    field("Tmmaxbox")->setText(QStringLiteral("100000"));
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F5));
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F8)); // running: nothing to step
    EXPECT_FALSE(form->runControl().pausedByUser());
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F6));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->runControl().simu()->isHalted(); }));
    long halted = 0;
    {
        ModelLock lock(modelMutex());
        halted = model->nstep;
    }
    for (int press = 1; press <= 2; ++press) {
        QTest::keySequence(form.get(), QKeySequence(Qt::Key_F8));
        const long expected = (halted / RefreshPeriod + press) * RefreshPeriod;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            ModelLock lock(modelMutex());
            return form->runControl().simu()->isHalted() && model->nstep == expected;
        })) << "press "
            << press;
    }
    EXPECT_TRUE(form->runControl().pausedByUser());
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F6));
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F7));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended(); }));
}

TEST_F(KeyboardTest, RunKeysActFromTheBalanceWindowAndCtrlQQuits) {
    QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::Key_B));
    auto* bilan = form->findChild<QWidget*>(QStringLiteral("Bilan"));
    ASSERT_NE(bilan, nullptr);
    ASSERT_TRUE(bilan->isVisible());
    bilan->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bilan));

    field("Tmmaxbox")->setText(QStringLiteral("100000"));
    QTest::keySequence(bilan, QKeySequence(Qt::Key_F5));
    ASSERT_TRUE(form->runControl().simu() && !ended()) << "F5 from the balance window starts a run";
    QTest::keySequence(bilan, QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(form->runControl().pausedByUser());
    QTest::keySequence(bilan, QKeySequence(Qt::Key_F6));
    EXPECT_FALSE(form->runControl().pausedByUser());
    QTest::keySequence(bilan, QKeySequence(Qt::CTRL | Qt::Key_B)); // already shown: stays
    EXPECT_TRUE(bilan->isVisible());

    QTest::keySequence(bilan, QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ended());
}

TEST_F(KeyboardTest, FocusIsOutlinedOnceTheKeyboardMovesIt) {
    const QColor highlight = form->palette().color(QPalette::Active, QPalette::Highlight);
    QSlider* cold = slider("TrackBar_TEF");
    QWidget* start = control("Button1");
    const auto edgeColour = [](QWidget* w) { return w->grab().toImage().pixelColor(0, w->height() / 2); };

    // Focus given by the mouse, before any key: the window looks as designed.
    start->setFocus(Qt::MouseFocusReason);
    EXPECT_NE(edgeColour(start), highlight);
    cold->setFocus(Qt::MouseFocusReason);
    EXPECT_NE(edgeColour(cold), highlight);

    // Tab from the field before the slider.
    field("dtbox")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field("dtbox"), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), cold);
    EXPECT_EQ(edgeColour(cold), highlight);
    QTest::keyClick(cold, Qt::Key_Tab);
    EXPECT_NE(edgeColour(cold), highlight) << "the outline goes with the focus";

    start->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edgeColour(start), highlight);
    for (const char* name : {"Button5", "CheckBox1", "RadioGroup1_item0", "TrackBar_debc"}) {
        control(name)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(edgeColour(control(name)), highlight) << name;
    }
}

TEST_F(KeyboardTest, AProgramWrittenTextShowsItsStartAndTheWholeTextInTheTooltip) {
    QLineEdit* cp = field("Cpcbox");
    const QString designedTip = cp->toolTip();
    EXPECT_FALSE(textOverflows(cp));
    EXPECT_EQ(shownFieldToolTip(cp), designedTip) << "a text that fits adds nothing";

    int count = 0;
    const LessonScenario* scenarios = lessonScenarios(count);
    for (int i = 0; i < count; ++i)
        if (QLatin1String(scenarios[i].objectName) == QLatin1String("scenario_condenser"))
            form->findChild<Lessons*>()->applyScenario(scenarios[i]);
    ASSERT_EQ(cp->text(), QStringLiteral("418000.00"));
    EXPECT_EQ(cp->cursorPosition(), 0) << "the field shows 4180..., not ...8000.00";
    EXPECT_TRUE(textOverflows(cp));
    EXPECT_EQ(cp->toolTip(), designedTip);
    EXPECT_TRUE(shownFieldToolTip(cp).startsWith(designedTip));
    EXPECT_TRUE(shownFieldToolTip(cp).endsWith(QStringLiteral("418000.00")));

    // What the mouse brings up over the field.
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), cp->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(cp, &hover);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), shownFieldToolTip(cp));
    QToolTip::hideText();

    // A text typed by the user, then one the program writes: the start again.
    typeInto(cp, QStringLiteral("123456789.00"));
    EXPECT_EQ(cp->cursorPosition(), 12);
    form->setFieldText(Field::Cpcbox, "418000.00");
    EXPECT_EQ(cp->cursorPosition(), 0);
}

TEST_F(KeyboardTest, F1SaysWhereTheDocumentIsWhenNothingCanOpenIt) {
    QStringList asked;
    setShellOpener([&](const QString& address) {
        asked << address;
        return false; // no PDF reader on this desktop
    });
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F1));
    setShellOpener({});
    ASSERT_EQ(asked.size(), 1);
    auto* box = form->findChild<QMessageBox*>(QStringLiteral("documentNotOpened"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains(QDir::toNativeSeparators(asked.front()))) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QStringLiteral("PDF")));
    box->close();
    EXPECT_TRUE(form->isVisible());
}
