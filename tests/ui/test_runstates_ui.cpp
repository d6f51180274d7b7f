// The run buttons on the real window: "Arrêt" ends a paused run and frees
// the length and the representation; a fault ends the run and F5 starts the
// next one.
#include "mainwindowtest.h"

#include <QTest>

using namespace calidor;
using namespace calidor::test;

namespace {

class RunStates : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->activateWindow(); // the run keys act in the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    bool lengthEnabled() const { return field("Edit_long")->isEnabled(); }
    bool representationEnabled() const { return control<QGroupBox>("RadioGroup1")->isEnabled(); }
    int points(const char* series) const { return control<charts::Series>(series)->count(); }
    QString timeText() const { return control<QLabel>("timebox")->text(); }
    bool live() const {
        const auto& run = form->runControl().simu();
        return run && !run->disposed();
    }
    static bool waitUntil(const std::function<bool()>& done) { return QTest::qWaitFor(done, 60000); }

    static constexpr const char* AllSeries[] = {"Series1", "Series2",  "Series3", "Series4",
                                                "Series5", "Series6",  "Series7", "Series8",
                                                "Series9", "Series10", "Series11"};
};

TEST_F(RunStates, ArretOnAPausedRunEndsItEmptiesEveryCurveAndFreesTheLength) {
    typeInto("Tmmaxbox", "100000");
    button("Button1")->click();
    EXPECT_FALSE(button("Button1")->isEnabled());
    EXPECT_FALSE(lengthEnabled());
    EXPECT_FALSE(representationEnabled());
    ASSERT_TRUE(waitUntil([&] { return points("Series6") == 1; }));

    button("Button3")->click();
    ASSERT_TRUE(waitUntil([&] { return form->runControl().simu()->isHalted(); }));
    QWidget* cue = control<QWidget>("pauseCue");
    EXPECT_TRUE(cue->isVisible());

    button("Button2")->click();
    EXPECT_FALSE(cue->isVisible());
    EXPECT_TRUE(button("Button1")->isEnabled());
    EXPECT_TRUE(lengthEnabled());
    EXPECT_TRUE(representationEnabled());
    for (const char* name : AllSeries)
        EXPECT_EQ(points(name), 0) << name;
    ASSERT_TRUE(waitUntil([&] { return !live(); }));

    // "Pause" has nothing left to resume.
    const QString time = timeText();
    button("Button3")->click();
    QTest::qWait(100);
    EXPECT_EQ(timeText(), time);
    EXPECT_FALSE(cue->isVisible());
    for (const char* name : AllSeries)
        EXPECT_EQ(points(name), 0) << name;

    // A new length is taken by the next run, which fixes it again.
    typeInto("Edit_long", "2");
    button("Button1")->click();
    EXPECT_EQ(model->params.Lech, 2);
    EXPECT_FALSE(lengthEnabled());
    EXPECT_FALSE(representationEnabled());
    button("Button2")->click();
}

TEST_F(RunStates, AFaultEndsTheRunKeepsTheCurvesAndF5StartsANewOne) {
    typeInto("Tmmaxbox", "100000");
    typeInto("dtbox",
             "0.0065"); // unstable: the temperatures diverge over a few refreshes, then a step faults
    button("Button1")->click();
    ASSERT_TRUE(waitUntil([&] { return messages.size() == 1 && !live(); }));
    EXPECT_TRUE(messages.front().contains(QString::fromUtf8("La marche est terminée")))
        << messages.front().toStdString();
    ASSERT_TRUE(waitUntil([&] { return button("Button1")->isEnabled(); }));
    EXPECT_GT(points("Series1"), 0) << "the charts keep the last refresh";
    EXPECT_FALSE(lengthEnabled());
    EXPECT_FALSE(representationEnabled());

    typeInto("dtbox", "0.004");
    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(live());
    EXPECT_FALSE(button("Button1")->isEnabled());
    const QString time = timeText();
    ASSERT_TRUE(waitUntil([&] { return timeText() != time; })) << "the new run computes";
    EXPECT_EQ(messages.size(), 1);

    QTest::keySequence(form.get(), QKeySequence(Qt::Key_F7));
    EXPECT_TRUE(lengthEnabled());
    EXPECT_TRUE(representationEnabled());
}

} // namespace
