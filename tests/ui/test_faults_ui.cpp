// Arithmetic faults inside the window's handlers: one French message, the
// window goes on, and what the handler stored before the fault stays. Any
// text at all in any field is read without harm, or refused with a message.
#include "mainwindowtest.h"

#include <array>
#include <cmath>

using namespace calidor;
using namespace calidor::test;

namespace {

using Faults = MainWindowTest;

bool allFinite(const ModelParameters& p) {
    for (double v : {p.Tef, p.Tec, p.Tinit, p.Cpf, p.Cpc, p.Cpp, p.debf, p.debc, p.Mf, p.Mc, p.Mp, p.tmax,
                     p.dt, p.Kf, p.Kc, p.sigmaf, p.sigmac, p.Lech})
        if (!std::isfinite(v))
            return false;
    return true;
}

std::array<double, 18> valuesOf(const ModelParameters& p) {
    return {p.Tef, p.Tec, p.Tinit, p.Cpf, p.Cpc, p.Cpp, p.debf,   p.debc,   p.Mf,
            p.Mc,  p.Mp,  p.tmax,  p.dt,  p.Kf,  p.Kc,  p.sigmaf, p.sigmac, p.Lech};
}

bool inletsFinite(const ModelState& m) {
    for (const NodeArray* nodes : {&m.oldNodes, &m.newNodes})
        for (int i : {0, N + 1})
            for (double v : {(*nodes)[i].Tc, (*nodes)[i].Tf, (*nodes)[i].sc, (*nodes)[i].sf})
                if (!std::isfinite(v))
                    return false;
    return true;
}

TEST_F(Faults, InletBelowAbsoluteZeroKeepsWhatWasStoredBefore) {
    // Counter-current, the hot slider at 0 so that -300 moves nothing, and
    // new values waiting in fields read before and after the hot inlet.
    QTest::mouseClick(checkBox(), Qt::LeftButton, Qt::NoModifier, QPoint(8, checkBox()->height() / 2));
    ASSERT_FALSE(checkBox()->isChecked());
    dragTo(slider("TrackBar_TEC"), 0);
    ASSERT_EQ(model->params.Tec, 0);
    const double scBefore = model->oldNodes[0].sc;
    typeInto("tecbox", "-300");
    typeInto("tinitbox", "7");
    typeInto("Cpfbox", "12");
    typeInto("Edit_long", "2.5");
    typeInto("Tmmaxbox", "250");
    typeInto("dtbox", "0.0005");
    ASSERT_TRUE(messages.isEmpty());

    actualise();

    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages.front().trimmed().isEmpty());
    EXPECT_TRUE(messages.front().contains(QLatin1String("Erreur"))) << messages.front().toStdString();

    // Every parameter was stored before the inlets were written.
    EXPECT_EQ(model->params.Tec, -300);
    EXPECT_EQ(model->params.Tinit, 7);
    EXPECT_EQ(model->params.Cpf, 12);
    EXPECT_EQ(model->params.Lech, 2.5);
    EXPECT_EQ(model->params.tmax, 250);
    EXPECT_EQ(model->params.dt, 0.0005);
    EXPECT_EQ(model->params.cocourant, 0);
    // The inlet temperatures come before the entropies, which fault first on
    // the hot inlet: the temperatures stay written, that entropy does not.
    for (const NodeArray* nodes : {&model->oldNodes, &model->newNodes}) {
        EXPECT_EQ((*nodes)[0].Tc, -300);
        EXPECT_EQ((*nodes)[0].Tf, 2);
        EXPECT_EQ((*nodes)[N + 1].Tf, 2);
    }
    EXPECT_EQ(model->oldNodes[0].sc, scBefore);
    EXPECT_TRUE(std::isfinite(model->newNodes[0].sc));
    // Nothing moved, nothing was rewritten.
    EXPECT_EQ(slider("TrackBar_TEC")->value(), 0);
    EXPECT_EQ(field("tecbox")->text(), "-300");

    // The window goes on: a valid value is taken as usual.
    typeInto("tecbox", "50");
    actualise();
    EXPECT_EQ(messages.size(), 1);
    expectTaken(HotInlet, 50, " 50  ", 50);
    EXPECT_EQ(model->newNodes[0].Tc, 50);
    EXPECT_DOUBLE_EQ(model->newNodes[0].sc, entropie(4180, 50));
}

// A fault raised in an acquisition nested inside another (a slider moved by
// the outer one) abandons the whole handler: one message, not one for each
// level of nesting.
TEST_F(Faults, FaultInANestedAcquisitionIsShownOnce) {
    dragTo(slider("TrackBar_TEC"), 0);
    typeInto("tecbox", "-300");
    typeInto("Tefbox", "30"); // moves TrackBar_TEF, whose handler nests an acquisition
    actualise();
    EXPECT_EQ(messages.size(), 1) << messages.join(QLatin1String(" | ")).toStdString();
    EXPECT_EQ(slider("TrackBar_TEF")->value(), 30);
    EXPECT_EQ(field("Tefbox")->text(), " 30  ");
    EXPECT_EQ(model->params.Tef, 30);
    EXPECT_EQ(model->oldNodes[0].Tc, -300);
    EXPECT_EQ(model->oldNodes[0].Tf, 30);

    // Two sliders moved, two levels of nesting: still one message.
    messages.clear();
    typeInto("Tefbox", "40");
    typeInto("debfbox", "0.02");
    actualise();
    EXPECT_EQ(messages.size(), 1) << messages.join(QLatin1String(" | ")).toStdString();
    EXPECT_EQ(slider("TrackBar_TEF")->value(), 40);
    EXPECT_EQ(slider("TrackBar_debf")->value(), 66);

    // A slider step made by the user reaches the same fault through its
    // handler, once.
    messages.clear();
    QSlider* flow = slider("TrackBar_debc");
    flow->setFocus();
    QTest::keyClick(flow, Qt::Key_Right);
    EXPECT_EQ(messages.size(), 1) << messages.join(QLatin1String(" | ")).toStdString();
    EXPECT_EQ(field("debcbox")->text(), "0.0153");
    EXPECT_NEAR(model->params.debc, 0.0153, 1e-15);
}

TEST_F(Faults, OverflowingTextAbandonsTheReading) {
    typeInto("tinitbox", "9"); // read before Cpf, and not taken either
    typeInto("Cpfbox", "1e400");
    typeInto("Mfbox", "0.07"); // read after Cpf
    actualise();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().contains(QLatin1String("Erreur"))) << messages.front().toStdString();
    EXPECT_TRUE(messages.front().contains(QString::fromUtf8("dépassement")))
        << messages.front().toStdString();
    EXPECT_EQ(model->params.Tinit, 5);
    EXPECT_EQ(model->params.Cpf, 4180); // never an infinity
    EXPECT_EQ(model->params.Mf, 0.05);  // not reached
    EXPECT_EQ(field("Cpfbox")->text(), "1e400");

    // A flow field that overflows moves no slider.
    messages.clear();
    typeInto("Cpfbox", "4180");
    typeInto("debfbox", "1e400");
    actualise();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(slider("TrackBar_debf")->value(), 50);
    EXPECT_EQ(model->params.debf, 0.015);
    EXPECT_TRUE(allFinite(model->params));
}

TEST_F(Faults, AnyTextInAnyFieldIsReadWithoutHarm) {
    const QString nines = QString(400, QLatin1Char('9'));
    const QString tiny = QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1");
    const QString huge = QStringLiteral("1") + QString(5000, QLatin1Char('0'));
    const QString longJunk = QStringLiteral("12345678901234567890123456789012345678901234567890x");
    const struct {
        QString text;
        bool refused; // one message, nothing taken
    } texts[] = {
        {QString(), true},
        {QStringLiteral(" "), true},
        {QStringLiteral("abc"), true},
        {QStringLiteral("1e99999"), true},
        {QStringLiteral("-"), true},
        {QStringLiteral("."), true},
        {QStringLiteral("+."), true},
        {QStringLiteral("1e"), true},
        {QStringLiteral("1e-99999"), false},
        {QStringLiteral("-0"), false},
        {nines, true},
        {tiny, false},
        {huge, true},
        {longJunk, true},
        {QString::fromUtf8("é°"), true},
        {QStringLiteral("12,5"), false},
    };
    const char* fields[] = {"Tefbox", "tecbox", "debfbox", "debcbox", "Cpfbox", "dtbox", "Edit_long"};
    for (const char* name : fields) {
        const QString original = field(name)->text();
        for (const auto& t : texts) {
            SCOPED_TRACE(std::string(name) + " <- \"" + t.text.left(20).toStdString() + "\"");
            messages.clear();
            if (t.text.size() > 100)
                pasteInto(field(name), t.text);
            else
                typeInto(name, t.text);
            const auto before = valuesOf(model->params);
            actualise();
            EXPECT_EQ(messages.size(), t.refused ? 1 : 0)
                << messages.join(QLatin1String(" | ")).toStdString();
            if (t.refused) {
                EXPECT_EQ(valuesOf(model->params), before);
                EXPECT_EQ(field(name)->text(), t.text); // what was typed stays
            }
            EXPECT_TRUE(allFinite(model->params));
            EXPECT_TRUE(inletsFinite(*model));
            for (QSlider* s : form->findChildren<QSlider*>()) {
                EXPECT_GE(s->value(), 0);
                EXPECT_LE(s->value(), 100);
            }
        }
        typeInto(name, original);
        actualise();
    }
    // Still the same window, back at its defaults.
    messages.clear();
    actualise();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(model->params.Tef, 2);
    EXPECT_EQ(model->params.Tec, 70);
    EXPECT_EQ(model->params.debf, 0.015);
    EXPECT_EQ(model->params.Lech, 1);
    EXPECT_EQ(slider("TrackBar_TEC")->value(), 70);
}

} // namespace
