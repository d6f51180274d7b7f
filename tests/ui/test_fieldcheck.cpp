// Typed numbers through the window: a field that holds no number is marked
// while it does and looks as designed again once it holds one; while any
// field is refused, "ACTUALISE", Enter, "Marche", "Pause" and a slider take
// nothing and say why; a run goes on with its values; a value that its slider
// brings back into range is said.
#include "mainwindowtest.h"

#include "run/modellock.h"
#include "ui/fieldcheck.h"

#include <QImage>
#include <QLabel>

using namespace calidor;
using namespace calidor::test;

namespace {

class TypedNumbers : public MainWindowTest {
protected:
    QWidget* markOf(const char* name) const {
        return control<QWidget>((std::string(name) + "_mark").c_str());
    }
    // The field as it is drawn, without the focus and its blinking cursor.
    QImage look(const char* name) const {
        form->setFocus();
        field(name)->setCursorPosition(0);
        return field(name)->grab().toImage();
    }
    bool running() const {
        const auto& run = form->runControl().simu();
        return run && !run->disposed();
    }
    double simulatedTime() const {
        ModelLock lock(modelMutex());
        return model->time;
    }
    // Every message so far says that nothing was taken, naming these labels.
    void expectRefusals(int count, std::initializer_list<const char*> labels) const {
        ASSERT_EQ(messages.size(), count) << messages.join(QLatin1String(" | ")).toStdString();
        for (const QString& message : messages) {
            EXPECT_TRUE(message.startsWith(QString::fromUtf8("Rien n'a été pris en compte")))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QLatin1String("12,5"))) << "what would be accepted";
            for (const char* label : labels)
                EXPECT_TRUE(message.contains(QString::fromUtf8("« %1 »").arg(QString::fromUtf8(label))))
                    << label;
        }
    }
};

TEST_F(TypedNumbers, ARefusedTextIsMarkedWhileItLastsThenTheFieldLooksAsDesigned) {
    QLineEdit* dt = field("dtbox");
    const QString designedTip = dt->toolTip();
    const QPalette designedPalette = dt->palette();
    const QImage designed = look("dtbox");
    ASSERT_FALSE(markOf("dtbox")->isVisible());

    const struct {
        const char* text;
        bool refused;
        const char* said; // in the tooltip while refused
    } texts[] = {
        {"1.5x", true, "« x »"}, {"0,004", false, ""},          {"", true, "vide"},
        {"0.0040 ", false, ""},  {"1.2.3", true, "séparateur"}, {"-", true, "aucun chiffre"},
        {"4e-3", false, ""},     {"1 000", true, "blanc"},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.text);
        typeInto(dt, QString::fromUtf8(t.text));
        EXPECT_EQ(markOf("dtbox")->isVisible(), t.refused);
        if (t.refused) {
            EXPECT_TRUE(dt->toolTip().contains(QString::fromUtf8(t.said))) << dt->toolTip().toStdString();
            EXPECT_TRUE(dt->toolTip().contains(QLatin1String("12,5")));
            // The frame is drawn over the field's edge, in red.
            const QImage marked = dt->grab().toImage();
            EXPECT_EQ(marked.pixelColor(1, dt->height() / 2), QColor(Qt::red));
        } else {
            EXPECT_EQ(dt->toolTip(), designedTip);
        }
    }
    EXPECT_TRUE(messages.isEmpty()) << "marking says nothing in a box";

    // A refused text replaced by the program (a lesson, a slider) unmarks too.
    typeInto(dt, QStringLiteral("abc"));
    dt->setText(QStringLiteral("0.0040"));
    EXPECT_FALSE(markOf("dtbox")->isVisible());
    EXPECT_EQ(dt->toolTip(), designedTip);
    EXPECT_EQ(dt->palette(), designedPalette);
    EXPECT_TRUE(dt->styleSheet().isEmpty());
    EXPECT_EQ(look("dtbox"), designed);
}

TEST_F(TypedNumbers, EveryActionThatTakesTakesNothingWhileAFieldIsRefused) {
    typeInto("Tefbox", "30");  // would move its slider
    typeInto("Mcbox", "0,07"); // accepted, waits with the others
    typeInto("MPbox", "abc");
    typeInto("Cpcbox", "1,2,3");
    const ModelParameters before = model->params;
    const QStringList texts = [&] {
        QStringList all;
        for (QLineEdit* edit : form->findChildren<QLineEdit*>())
            all << edit->text();
        return all;
    }();
    const auto nothingTaken = [&] {
        EXPECT_EQ(model->params.Tef, before.Tef);
        EXPECT_EQ(model->params.Mc, before.Mc);
        EXPECT_EQ(model->params.Mp, before.Mp);
        EXPECT_EQ(model->params.Cpc, before.Cpc);
        EXPECT_EQ(slider("TrackBar_TEF")->value(), 2);
        EXPECT_EQ(slider("TrackBar_TEC")->value(), 70);
        QStringList now;
        for (QLineEdit* edit : form->findChildren<QLineEdit*>())
            now << edit->text();
        EXPECT_EQ(now, texts) << "what was typed stays";
        EXPECT_EQ(form->runControl().simu(), nullptr);
        EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
    };
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"ACTUALISE", [&] { actualise(); }},
        {"Enter", [&] { QTest::keyClick(field("Tefbox"), Qt::Key_Return); }},
        {"Marche", [&] { QTest::mouseClick(control<QPushButton>("Button1"), Qt::LeftButton); }},
        {"slider",
         [&] {
             slider("TrackBar_TEC")->setFocus();
             QTest::keyClick(slider("TrackBar_TEC"), Qt::Key_Right);
         }},
    };
    for (const auto& [name, act] : actions) {
        SCOPED_TRACE(name);
        messages.clear();
        act();
        expectRefusals(1, {"Masse P (kg)", "Cp C (J/kg.K)"});
        EXPECT_TRUE(messages.value(0).contains(QLatin1String("1,2,3")));
        nothingTaken();
    }

    // Corrected, all of it is taken at once.
    messages.clear();
    typeInto("MPbox", "1,5");
    typeInto("Cpcbox", "4000");
    actualise();
    EXPECT_TRUE(messages.isEmpty());
    expectTaken(ColdInlet, 30, " 30  ", 30);
    EXPECT_EQ(model->params.Mc, 0.07);
    EXPECT_EQ(model->params.Mp, 1.5);
}

TEST_F(TypedNumbers, ARunGoesOnWithItsValuesWhileAFieldIsRefused) {
    field("Tmmaxbox")->setText(QStringLiteral("100000"));
    actualise();
    QTest::mouseClick(control<QPushButton>("Button1"), Qt::LeftButton);
    ASSERT_TRUE(running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return simulatedTime() > 1; }, 60000));

    typeInto("Mcbox", "0.07x");
    // A slider moved with the keyboard, then dragged, while the worker computes.
    slider("TrackBar_TEC")->setFocus();
    QTest::keyClick(slider("TrackBar_TEC"), Qt::Key_Right);
    expectRefusals(1, {"Masse C (kg)"});
    dragTo(slider("TrackBar_TEC"), 90);
    EXPECT_GE(messages.size(), 2);
    expectRefusals(messages.size(), {"Masse C (kg)"});
    {
        ModelLock lock(modelMutex());
        EXPECT_EQ(model->params.Tec, 70);
        EXPECT_EQ(model->params.Mc, 0.05);
        EXPECT_EQ(model->oldNodes[0].Tc, 70);
    }
    EXPECT_EQ(slider("TrackBar_TEC")->value(), 70) << "back to the value in force";
    EXPECT_EQ(field("tecbox")->text(), QStringLiteral("70.00"));
    const double time = simulatedTime();
    EXPECT_TRUE(QTest::qWaitFor([&] { return simulatedTime() > time + 1; }, 60000)) << "the run goes on";
    EXPECT_TRUE(running());

    // Resuming a pause takes nothing either: the run stays halted.
    messages.clear();
    QTest::mouseClick(control<QPushButton>("Button3"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->runControl().simu()->isHalted(); }, 60000));
    QTest::mouseClick(control<QPushButton>("Button3"), Qt::LeftButton);
    expectRefusals(1, {"Masse C (kg)"});
    EXPECT_TRUE(form->runControl().pausedByUser());

    typeInto("Mcbox", "0,07");
    QTest::mouseClick(control<QPushButton>("Button3"), Qt::LeftButton);
    EXPECT_FALSE(form->runControl().pausedByUser());
    {
        ModelLock lock(modelMutex());
        EXPECT_EQ(model->params.Mc, 0.07);
    }
    QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(TypedNumbers, AValueBroughtBackIntoItsSliderRangeIsSaid) {
    auto* check = form->findChild<FieldCheck*>();
    ASSERT_NE(check, nullptr);
    QLineEdit* hot = field("tecbox");
    const QString designedTip = hot->toolTip();

    typeInto(hot, QStringLiteral("500"));
    actualise();
    expectTaken(HotInlet, 100, "100  ", 100);
    EXPECT_TRUE(messages.isEmpty()) << "a notice, not a box";
    for (const QString& said : {check->lastNotice(), hot->toolTip()}) {
        EXPECT_TRUE(said.contains(QString::fromUtf8("« T entrée C (°C) »"))) << said.toStdString();
        EXPECT_TRUE(said.contains(QLatin1String("500")) && said.contains(QLatin1String("100")))
            << said.toStdString();
    }
    EXPECT_TRUE(hot->toolTip().startsWith(designedTip));
    EXPECT_FALSE(markOf("tecbox")->isVisible());

    // The field's next change gives the tooltip back its design.
    typeInto(hot, QStringLiteral("80"));
    EXPECT_EQ(hot->toolTip(), designedTip);
}

} // namespace
