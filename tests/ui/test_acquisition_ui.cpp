// Taking the parameters through the window: "ACTUALISE", the sliders moved
// with the keyboard, the mouse or a drag, and the coupling of each slider
// with its field (a slider that moves rewrites its field, and a field whose
// value gives another position moves its slider).
#include "mainwindowtest.h"

#include "model/numbertext.h"
#include "tests/common/typed_flows.h"

#include <QSignalSpy>

#include <vector>

using namespace calidor;
using namespace calidor::test;
using calidor::testing::TypedFlow;
using calidor::testing::TypedFlows;

namespace {

using Actualise = MainWindowTest;

TEST_F(Actualise, DefaultsMoveNothingAndRewriteNothing) {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        spies.push_back(std::make_unique<QSignalSpy>(edit, &QLineEdit::textChanged));
    for (QSlider* s : form->findChildren<QSlider*>())
        spies.push_back(std::make_unique<QSignalSpy>(s, &QSlider::valueChanged));
    ASSERT_EQ(spies.size(), 18u + 4u);

    actualise();

    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0) << spy->signal().toStdString();
    const ModelParameters defaults;
    EXPECT_EQ(model->params.Tef, defaults.Tef);
    EXPECT_EQ(model->params.Tec, defaults.Tec);
    EXPECT_EQ(model->params.debf, defaults.debf);
    EXPECT_EQ(model->params.debc, defaults.debc);
    EXPECT_EQ(model->params.dt, defaults.dt);
    EXPECT_EQ(model->params.Lech, defaults.Lech);
    EXPECT_EQ(model->params.cocourant, 1);
    // The inlets are written even when nothing moved.
    EXPECT_EQ(model->oldNodes[0].Tc, 70);
    EXPECT_EQ(model->newNodes[0].Tf, 2);
    EXPECT_EQ(model->newNodes[N + 1].Tf, 2);
    EXPECT_TRUE(messages.isEmpty());
}

// ---------------------------------------------------------------------------
// Temperatures typed into a field
// ---------------------------------------------------------------------------

TEST_F(Actualise, TypedTemperatureMovesItsSliderAndTakesItsWholeValue) {
    typeInto("Tefbox", "20.5");
    actualise();
    expectTaken(ColdInlet, 20, " 20  ", 20);
    EXPECT_EQ(model->oldNodes[0].Tf, 20);
}

TEST_F(Actualise, TypedTemperatureStaysWhenItsSliderAlreadyMatches) {
    dragTo(slider("TrackBar_TEF"), 20);
    ASSERT_EQ(field("Tefbox")->text(), " 20  ");
    QSignalSpy moves(slider("TrackBar_TEF"), &QSlider::valueChanged);

    typeInto("Tefbox", "20.5");
    actualise();
    EXPECT_EQ(moves.count(), 0);
    expectTaken(ColdInlet, 20, "20.5", 20.5);
    EXPECT_EQ(model->newNodes[0].Tf, 20.5);
}

TEST_F(Actualise, TemperaturesOutsideTheSliderRangeAreClamped) {
    typeInto("tecbox", "150");
    actualise();
    expectTaken(HotInlet, 100, "100  ", 100);

    typeInto("Tefbox", "-10");
    actualise();
    expectTaken(ColdInlet, 0, "  0  ", 0);
    EXPECT_TRUE(messages.isEmpty());
}

// ---------------------------------------------------------------------------
// Flow rates typed into a field
// ---------------------------------------------------------------------------

TEST_F(Actualise, TypedFlowRates) {
    std::vector<TypedFlow> cases(std::begin(TypedFlows), std::end(TypedFlows));
    cases.push_back({"0.015", 50, "0.0150", 0.015}); // back to the start
    for (const Coupling& flow : {ColdFlow, HotFlow}) {
        for (const TypedFlow& c : cases) {
            SCOPED_TRACE(c.typed);
            typeInto(flow.field, QString::fromLatin1(c.typed));
            actualise();
            expectTaken(flow, c.position, c.text, c.flow);
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

// ---------------------------------------------------------------------------
// Sliders moved by the user
// ---------------------------------------------------------------------------

using SliderMove = MainWindowTest;

// Where a flow slider dragged to a position settles: the lowest positions
// give a flow that the slider takes back to 5, and a few exact multiples of
// 0.0003 fall just below their position once read back.
struct Settling {
    int draggedTo;
    int endsAt;
    const char* text;
};
const Settling FlowSettling[] = {
    {0, 5, "0.0015"},   {1, 5, "0.0015"},   {2, 5, "0.0015"},   {3, 5, "0.0015"},
    {4, 5, "0.0015"},   {8, 7, "0.0021"},   {15, 14, "0.0042"}, {16, 14, "0.0042"},
    {29, 28, "0.0084"}, {30, 28, "0.0084"}, {31, 28, "0.0084"}, {32, 28, "0.0084"},
    {58, 57, "0.0171"}, {60, 59, "0.0177"}, {62, 61, "0.0183"}, {64, 63, "0.0189"},
};

TEST_F(SliderMove, FlowSliderDraggedToAPositionThatDoesNotHold) {
    for (const char* name : {"TrackBar_debf", "TrackBar_debc"}) {
        const bool cold = std::string(name) == "TrackBar_debf";
        QSlider* s = slider(name);
        QLineEdit* edit = field(cold ? "debfbox" : "debcbox");
        for (const Settling& c : FlowSettling) {
            SCOPED_TRACE(std::string(name) + " dragged to " + std::to_string(c.draggedTo));
            dragTo(s, 50); // from somewhere else each time
            dragTo(s, c.draggedTo);
            EXPECT_EQ(s->value(), c.endsAt);
            EXPECT_EQ(edit->text(), QString::fromLatin1(c.text));
            EXPECT_NEAR(cold ? model->params.debf : model->params.debc, c.endsAt * 0.0003, 1e-15);
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SliderMove, EveryOtherFlowPositionHolds) {
    QSlider* s = slider("TrackBar_debf");
    for (int p = 5; p <= 100; ++p) {
        const bool settles = std::any_of(std::begin(FlowSettling), std::end(FlowSettling),
                                         [p](const Settling& c) { return c.draggedTo == p; });
        if (settles)
            continue;
        dragTo(s, p);
        EXPECT_EQ(s->value(), p) << p;
        EXPECT_EQ(field("debfbox")->text(), QString::number(p * 3 / 10000.0, 'f', 4)) << p;
        EXPECT_NEAR(model->params.debf, p * 0.0003, 1e-15) << p;
    }
}

TEST_F(SliderMove, ArrowKeysRewriteTheFieldAtEachStep) {
    QSlider* s = slider("TrackBar_TEF");
    s->setFocus();
    QTest::keyClick(s, Qt::Key_Right);
    expectTaken(ColdInlet, 3, "  3  ", 3);

    // Walked down to the bottom of a flow slider: 5 holds, 4 goes back to 5.
    QSlider* flow = slider("TrackBar_debf");
    dragTo(flow, 6);
    flow->setFocus();
    QTest::keyClick(flow, Qt::Key_Left);
    EXPECT_EQ(flow->value(), 5);
    QTest::keyClick(flow, Qt::Key_Left);
    EXPECT_EQ(flow->value(), 5);
    EXPECT_EQ(field("debfbox")->text(), "0.0015");
    EXPECT_NEAR(model->params.debf, 0.0015, 1e-15);
}

TEST_F(SliderMove, WritesTheInletNodesOfBothArrays) {
    dragTo(slider("TrackBar_TEC"), 90);
    expectTaken(HotInlet, 90, " 90  ", 90);
    for (const NodeArray* nodes : {&model->oldNodes, &model->newNodes}) {
        EXPECT_EQ((*nodes)[0].Tc, 90);
        EXPECT_EQ((*nodes)[0].Tf, 2);
        EXPECT_EQ((*nodes)[N + 1].Tf, 2);
        EXPECT_DOUBLE_EQ((*nodes)[0].sc, entropie(4180, 90));
        EXPECT_DOUBLE_EQ((*nodes)[N + 1].sf, entropie(4180, 2));
        // Only the inlets: the rest of the exchanger is untouched.
        EXPECT_EQ((*nodes)[1].Tc, 0);
        EXPECT_EQ((*nodes)[N].Tf, 0);
    }
}

TEST_F(SliderMove, TakesWhatWasTypedInOtherFields) {
    typeInto("Cpfbox", "12.5");
    typeInto("Tefbox", "30");
    typeInto("Edit_Kf", "1500");
    dragTo(slider("TrackBar_TEC"), 90);
    EXPECT_EQ(model->params.Tec, 90);
    EXPECT_EQ(model->params.Cpf, 12.5);
    EXPECT_EQ(model->params.Kf, 1500);
    // The other temperature's slider follows its new text.
    expectTaken(ColdInlet, 30, " 30  ", 30);
    EXPECT_EQ(model->oldNodes[0].Tf, 30);
}

TEST_F(SliderMove, PressAndReleaseOnTheHandleRunsTheHandler) {
    // A drag that ends where it began still ends: the slider's text replaces
    // whatever was typed into its field.
    QSlider* s = slider("TrackBar_TEF");
    typeInto("Tefbox", "33");
    QSignalSpy moves(s, &QSlider::valueChanged);
    const QPoint handle = handleCentre(s);
    QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, handle);
    ASSERT_TRUE(s->isSliderDown()) << "the press missed the handle";
    QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, handle);
    EXPECT_EQ(moves.count(), 0);
    expectTaken(ColdInlet, 2, "  2  ", 2);
}

TEST_F(SliderMove, MouseDragPastTheLeftEnd) {
    // A real drag with the mouse, past the end of the groove: the flow slider
    // passes through positions below 5 and settles at 5.
    QSlider* s = slider("TrackBar_debf");
    const QPoint handle = handleCentre(s);
    QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, handle);
    ASSERT_TRUE(s->isSliderDown()) << "the press missed the handle";
    for (int x = handle.x(); x >= -20; x -= 7)
        QTest::mouseMove(s, QPoint(x, handle.y()));
    QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(-20, handle.y()));
    EXPECT_EQ(s->value(), 5);
    EXPECT_EQ(field("debfbox")->text(), "0.0015");
    EXPECT_NEAR(model->params.debf, 0.0015, 1e-15);
}

TEST_F(SliderMove, ArrowKeyAtTheEndOfTheRangeRunsTheHandler) {
    QSlider* s = slider("TrackBar_TEF");
    dragTo(s, 0);
    ASSERT_EQ(field("Tefbox")->text(), "  0  ");
    typeInto("Tefbox", "7");
    s->setFocus();
    QTest::keyClick(s, Qt::Key_Left); // nowhere to go, but the key was pressed
    expectTaken(ColdInlet, 0, "  0  ", 0);

    QSlider* hot = slider("TrackBar_TEC");
    dragTo(hot, 100);
    typeInto("tecbox", "55");
    hot->setFocus();
    QTest::keyClick(hot, Qt::Key_End);
    expectTaken(HotInlet, 100, "100  ", 100);
}

} // namespace
