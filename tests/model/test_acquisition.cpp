// Taking the parameters from the window, the coupling of fields and sliders
// (a slider that moves runs its handler at once, which runs acquisition again,
// nested), the inlet nodes, and the initial state of a run.
#include "modeltest.h"
#include "tests/common/fakeform.h"
#include "tests/common/typed_flows.h"

#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/numbertext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

using namespace calidor;
using namespace calidor::test;
using calidor::testing::FakeForm;
using calidor::testing::TypedFlow;
using calidor::testing::TypedFlows;

namespace {

struct Window {
    std::unique_ptr<ModelState> model = newModel();
    FakeForm form{*model};
};

// Every member of ModelParameters, for comparing two sets by bits.
void expectSameParameters(const ModelParameters& a, const ModelParameters& b) {
    const double ModelParameters::*members[] = {
        &ModelParameters::Tef,    &ModelParameters::Tec, &ModelParameters::Tinit, &ModelParameters::Cpf,
        &ModelParameters::Cpc,    &ModelParameters::Cpp, &ModelParameters::debf,  &ModelParameters::debc,
        &ModelParameters::Mf,     &ModelParameters::Mc,  &ModelParameters::Mp,    &ModelParameters::tmax,
        &ModelParameters::dt,     &ModelParameters::Kf,  &ModelParameters::Kc,    &ModelParameters::sigmaf,
        &ModelParameters::sigmac, &ModelParameters::Lech};
    for (int k = 0; k < 18; ++k)
        EXPECT_SAME_BITS(a.*members[k], b.*members[k]) << "member " << k;
    EXPECT_EQ(a.cocourant, b.cocourant);
}

// ---- Fields and sliders ----

TEST(Acquisition, DefaultTextsMoveNothingAndRewriteNothing) {
    Window w;
    acquisition(*w.model, w.form);
    EXPECT_EQ(w.form.moves, 0);
    EXPECT_EQ(w.form.fieldWrites, 0);
    EXPECT_EQ(w.form.repaints, 1);
    EXPECT_EQ(w.form.sliders, (std::array<int, 4>{2, 70, 50, 50}));
    expectSameParameters(w.model->params, ModelParameters{});
}

TEST(Acquisition, TemperatureFieldsFollowTheirSliderWhenItMoves) {
    struct Case {
        Field field;
        Slider slider;
        const char* typed;
        int sliderBefore;
        int sliderAfter;
        const char* textAfter;
        double value;
    };
    const Case cases[] = {
        {Field::Tefbox, Slider::TrackBar_TEF, "20.5", 2, 20, " 20  ", 20},
        {Field::Tefbox, Slider::TrackBar_TEF, "20.5", 20, 20, "20.5", 20.5}, // slider stays: value as typed
        {Field::tecbox, Slider::TrackBar_TEC, "150", 70, 100, "100  ", 100},
        {Field::Tefbox, Slider::TrackBar_TEF, "-10", 2, 0, "  0  ", 0},
        {Field::tecbox, Slider::TrackBar_TEC, "90", 70, 90, " 90  ", 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Window w;
        w.form.text(c.field) = c.typed;
        w.form.slider(c.slider) = c.sliderBefore;
        acquisition(*w.model, w.form);
        EXPECT_EQ(w.form.slider(c.slider), c.sliderAfter);
        EXPECT_EQ(w.form.text(c.field), c.textAfter);
        const double stored = c.field == Field::Tefbox ? w.model->params.Tef : w.model->params.Tec;
        EXPECT_SAME_BITS(stored, c.value);
        const bool moved = c.sliderBefore != c.sliderAfter;
        EXPECT_EQ(w.form.moves, moved ? 1 : 0);
        EXPECT_EQ(w.form.maxDepth, moved ? 1 : 0);
        EXPECT_EQ(w.form.repaints, moved ? 2 : 1); // the nested acquisition and the outer one
    }
}

TEST(Acquisition, FlowFieldsFollowTheirSliderWhenItMoves) {
    for (Field field : {Field::debfbox, Field::debcbox}) {
        const Slider slider = field == Field::debfbox ? Slider::TrackBar_debf : Slider::TrackBar_debc;
        for (const TypedFlow& c : TypedFlows) {
            SCOPED_TRACE(c.typed);
            Window w;
            w.form.text(field) = c.typed;
            acquisition(*w.model, w.form);
            EXPECT_EQ(w.form.slider(slider), c.position);
            EXPECT_EQ(w.form.text(field), c.text);
            const double stored = field == Field::debfbox ? w.model->params.debf : w.model->params.debc;
            EXPECT_SAME_BITS(stored, c.flow);
        }
    }
}

TEST(Acquisition, DraggedFlowSlidersSettleWhereTheirTextLeadsThem) {
    // Positions whose flow, read back from its four-decimal text, lands just
    // below the position: the slider moves down until it stays.
    const std::pair<int, int> settling[] = {{8, 7},   {15, 14}, {16, 14}, {29, 28}, {30, 28}, {31, 28},
                                            {32, 28}, {58, 57}, {60, 59}, {62, 61}, {64, 63}};
    auto settled = [&](int dragged) {
        for (auto [from, to] : settling)
            if (dragged == from)
                return to;
        return std::max(dragged, 5);
    };
    for (Slider slider : {Slider::TrackBar_debf, Slider::TrackBar_debc}) {
        const Field field = slider == Slider::TrackBar_debf ? Field::debfbox : Field::debcbox;
        for (int dragged = 0; dragged <= 100; ++dragged) {
            SCOPED_TRACE(dragged);
            Window w;
            w.form.drag(slider, dragged);
            const int expected = settled(dragged);
            EXPECT_EQ(w.form.slider(slider), expected);
            char text[16];
            std::snprintf(text, sizeof text, "%.4f", static_cast<double>(L(expected) / 100 * 0.03L));
            EXPECT_EQ(w.form.text(field), text);
            const double stored =
                slider == Slider::TrackBar_debf ? w.model->params.debf : w.model->params.debc;
            EXPECT_SAME_BITS(stored, std::strtod(text, nullptr));
            // A settling slider goes down one position per move (32, 31, 30,
            // 29, 28), each move nested in the one before, under the drag's
            // own handler; positions 0 to 4 jump to 5 at once.
            const int moves = dragged < 5 ? 1 : dragged - expected;
            EXPECT_EQ(w.form.moves, moves);
            EXPECT_EQ(w.form.maxDepth, 1 + moves);
        }
    }
}

TEST(Acquisition, MovingASliderTakesEveryFieldAgain) {
    Window w;
    ModelState& m = *w.model;
    etat_initial(m);
    w.form.text(Field::Mcbox) = "0.07"; // typed earlier, not yet taken
    w.form.drag(Slider::TrackBar_TEC, 90);
    EXPECT_EQ(w.form.text(Field::tecbox), " 90  ");
    EXPECT_SAME_BITS(m.params.Tec, 90.0);
    EXPECT_SAME_BITS(m.params.Mc, 0.07);
    EXPECT_SAME_BITS(m.oldNodes[0].Tc, 90.0);
    EXPECT_SAME_BITS(m.newNodes[0].Tc, 90.0);
    EXPECT_SAME_BITS(m.newNodes[0].sc, referenceEntropie(4180, 90));
}

TEST(Acquisition, CheckBoxGivesTheArrangement) {
    Window w;
    w.form.checked = false;
    acquisition(*w.model, w.form);
    EXPECT_EQ(w.model->params.cocourant, 0);
    w.form.checked = true;
    acquisition(*w.model, w.form);
    EXPECT_EQ(w.model->params.cocourant, 1);
}

// ---- Inlet nodes and the initial state ----

// The inlet nodes of one array: the hot and the cold inlet temperatures at
// node 0, the cold one again at node N + 1, with their specific entropies
// (both fluids at the default specific heat).
void expectInlets(const NodeArray& a, double hot, double cold) {
    EXPECT_SAME_BITS(a[0].Tc, hot);
    EXPECT_SAME_BITS(a[0].Tf, cold);
    EXPECT_SAME_BITS(a[0].sc, referenceEntropie(4180, hot));
    EXPECT_SAME_BITS(a[0].sf, referenceEntropie(4180, cold));
    EXPECT_SAME_BITS(a[N + 1].Tf, cold);
    EXPECT_SAME_BITS(a[N + 1].sf, referenceEntropie(4180, cold));
}

TEST(Acquisition, WritesBothInletNodesOfBothArraysWhateverTheArrangement) {
    for (bool checked : {true, false}) {
        Window w;
        ModelState& m = *w.model;
        for (NodeArray* nodes : {&m.oldNodes, &m.newNodes})
            for (int i : {0, 1, N, N + 1})
                (*nodes)[i] = NodeRecord{-1, -2, -3, -4, -5, -6};
        w.form.checked = checked;
        w.form.text(Field::Tefbox) = "10";
        w.form.text(Field::tecbox) = "60";
        w.form.slider(Slider::TrackBar_TEF) = 10;
        w.form.slider(Slider::TrackBar_TEC) = 60;
        acquisition(m, w.form);
        for (const NodeArray* nodes : {&m.oldNodes, &m.newNodes}) {
            const NodeArray& a = *nodes;
            expectInlets(a, 60, 10);
            // Nothing else of those nodes, nor of the cells.
            EXPECT_SAME_BITS(a[0].Tp, -3.0);
            EXPECT_SAME_BITS(a[0].sp, -6.0);
            EXPECT_SAME_BITS(a[N + 1].Tc, -1.0);
            EXPECT_SAME_BITS(a[N + 1].sc, -4.0);
            EXPECT_SAME_BITS(a[1].Tc, -1.0);
            EXPECT_SAME_BITS(a[N].Tf, -2.0);
        }
    }
}

TEST(EtatInitial, EveryNodeAtTinitThenTheInlets) {
    Window w;
    ModelState& m = *w.model;
    acquisition(m, w.form);
    const NodeRecord sentinel{7, 7, 7, 7, 7, 7};
    m.oldNodes[N + 2] = m.newNodes[N + 2] = m.newNodes[NodeCapacity - 1] = sentinel;
    m.time = 12;
    m.nstep = 34;
    m.Pc = 1;
    m.Pf = 2;
    m.Sgen = 3;
    etat_initial(m);

    for (const NodeArray* nodes : {&m.oldNodes, &m.newNodes}) {
        const NodeArray& a = *nodes;
        for (int i = 0; i <= N + 1; ++i) {
            SCOPED_TRACE(i);
            EXPECT_SAME_BITS(a[i].Tp, 5.0);
            EXPECT_SAME_BITS(a[i].sp, referenceEntropie(500, 5));
            if (i > 0 && i <= N) {
                EXPECT_SAME_BITS(a[i].Tc, 5.0);
                EXPECT_SAME_BITS(a[i].Tf, 5.0);
                EXPECT_SAME_BITS(a[i].sc, referenceEntropie(4180, 5));
                EXPECT_SAME_BITS(a[i].sf, referenceEntropie(4180, 5));
            }
        }
        expectInlets(a, 70, 2);
        EXPECT_SAME_BITS(a[N + 1].Tc, 5.0);
        EXPECT_SAME_BITS(a[N + 1].sc, referenceEntropie(4180, 5));
    }
    EXPECT_TRUE(sameRecords(m.oldNodes, m.newNodes, 0, N + 1));
    EXPECT_SAME_BITS(m.oldNodes[N + 2].Tc, 7.0);
    EXPECT_SAME_BITS(m.newNodes[NodeCapacity - 1].sp, 7.0);
    EXPECT_TRUE(zeroRecords(m.oldNodes, N + 3, NodeCapacity - 1));
    EXPECT_SAME_BITS(m.time, 12.0);
    EXPECT_EQ(m.nstep, 34);
    EXPECT_SAME_BITS(m.Pc, 1.0);
    EXPECT_SAME_BITS(m.Pf, 2.0);
    EXPECT_SAME_BITS(m.Sgen, 3.0);
}

TEST(Acquisition, AFaultKeepsWhatWasStoredBeforeIt) {
    // With its slider already at 0, a hot inlet below absolute zero is kept
    // as typed and reaches the inlet entropy.
    Window w;
    ModelState& m = *w.model;
    w.form.text(Field::tecbox) = "-300";
    w.form.slider(Slider::TrackBar_TEC) = 0;
    w.form.text(Field::dtbox) = "0.002";
    w.form.checked = false;
    EXPECT_THROW(acquisition(m, w.form), ArithmeticFault);
    EXPECT_SAME_BITS(m.params.Tec, -300.0);
    EXPECT_SAME_BITS(m.params.dt, 0.002); // the last field, read before the inlets
    EXPECT_EQ(m.params.cocourant, 0);
    EXPECT_EQ(w.form.slider(Slider::TrackBar_TEC), 0);
    EXPECT_EQ(w.form.repaints, 0);
    EXPECT_SAME_BITS(m.oldNodes[0].Tc, -300.0); // inlet temperatures come before the entropies
    EXPECT_SAME_BITS(m.newNodes[0].Tc, -300.0);
    EXPECT_SAME_BITS(m.oldNodes[0].sc, 0.0);
    EXPECT_EQ(nonFiniteCount(m), 0);
}

TEST(Acquisition, AnOverflowingTextTakesNothing) {
    // The fields are checked before anything is taken: a slider that a field
    // read earlier would have moved stays, with its field, and no parameter
    // read before the overflowing one changes.
    Window w;
    ModelState& m = *w.model;
    w.form.text(Field::Tefbox) = "20.5";
    w.form.text(Field::Mcbox) = "0.07";
    w.form.text(Field::dtbox) = "1e400";
    EXPECT_THROW(acquisition(m, w.form), ArithmeticFault);
    EXPECT_EQ(w.form.slider(Slider::TrackBar_TEF), 2);
    EXPECT_EQ(w.form.text(Field::Tefbox), "20.5");
    EXPECT_SAME_BITS(m.params.Tef, 2.0);
    EXPECT_SAME_BITS(m.params.Mc, 0.05);
    EXPECT_SAME_BITS(m.params.tmax, 300.0);
    EXPECT_SAME_BITS(m.params.dt, 0.004); // not replaced by anything
    EXPECT_EQ(w.form.repaints, 0);
    EXPECT_EQ(w.form.depth, 0);
    EXPECT_EQ(nonFiniteCount(m), 0);
}

// ---- Texts that are numbers, and texts that are not ----

TEST(Acquisition, BlanksAndACommaGiveTheBitsOfThePlainText) {
    const struct {
        Field field;
        const char* typed;
        double ModelParameters::*parameter;
        const char* plain;
    } cases[] = {
        {Field::MPbox, "0.0100 ", &ModelParameters::Mp, "0.0100"},
        {Field::dtbox, "0.0040 ", &ModelParameters::dt, "0.0040"},
        {Field::dtbox, "0,004", &ModelParameters::dt, "0.004"},
        {Field::Cpcbox, " 4180,5\t", &ModelParameters::Cpc, "4180.5"},
        {Field::tinitbox, "-3 ", &ModelParameters::Tinit, "-3"},
        {Field::Edit_long,
         "\xC2\xA0"
         "2,5e-1",
         &ModelParameters::Lech, "2.5e-1"},
        {Field::Tmmaxbox, "12,5", &ModelParameters::tmax, "12.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Window w;
        w.form.text(c.field) = c.typed;
        acquisition(*w.model, w.form);
        EXPECT_SAME_BITS(w.model->params.*c.parameter, textToNumber(c.plain));
        EXPECT_EQ(w.form.text(c.field), c.typed); // a field without a slider keeps its text
    }
}

TEST(Acquisition, ARefusedFieldTakesNothingFromAnyField) {
    Window w;
    ModelState& m = *w.model;
    etat_initial(m);
    const ModelParameters before = m.params;
    const NodeRecord inletBefore = m.oldNodes[0];
    // New values everywhere, with a slider to move, then texts that are not numbers.
    w.form.text(Field::Tefbox) = "30";
    w.form.text(Field::tecbox) = "500";
    w.form.text(Field::Mcbox) = "0.07";
    w.form.text(Field::debcbox) = "0.02";
    w.form.text(Field::MPbox) = "1.5x";
    w.form.text(Field::dtbox) = "";
    w.form.checked = false;
    const auto typed = w.form.texts;
    try {
        acquisition(m, w.form);
        ADD_FAILURE() << "nothing refused";
    } catch (const RefusedFields& refused) {
        ASSERT_EQ(refused.refusals().size(), 2u);
        EXPECT_EQ(refused.refusals()[0].field, Field::MPbox);
        EXPECT_EQ(refused.refusals()[0].check.culprit, "x");
        EXPECT_EQ(refused.refusals()[1].field, Field::dtbox);
        EXPECT_EQ(refused.refusals()[1].check.refusal, TextRefusal::Empty);
        const std::string what = refused.what();
        EXPECT_NE(what.find("« Masse P (kg) »"), std::string::npos) << what;
        EXPECT_NE(what.find("« dt (s) »"), std::string::npos) << what;
        EXPECT_NE(what.find("12,5"), std::string::npos) << what; // what would be accepted
    }
    expectSameParameters(m.params, before);
    EXPECT_EQ(w.form.texts, typed); // what the user typed stays
    EXPECT_EQ(w.form.sliders, (std::array<int, 4>{2, 70, 50, 50}));
    EXPECT_EQ(w.form.fieldWrites + w.form.moves + w.form.repaints, 0);
    EXPECT_SAME_BITS(m.oldNodes[0].Tf, inletBefore.Tf);
    EXPECT_SAME_BITS(m.oldNodes[0].sc, inletBefore.sc);
    EXPECT_TRUE(w.form.broughtIntoRange.empty());

    // Corrected, the same texts are taken whole.
    w.form.text(Field::MPbox) = "1.5";
    w.form.text(Field::dtbox) = "0,002";
    acquisition(m, w.form);
    EXPECT_SAME_BITS(m.params.Mp, 1.5);
    EXPECT_SAME_BITS(m.params.dt, textToNumber("0.002"));
    EXPECT_SAME_BITS(m.params.Tec, 100.0);
    EXPECT_EQ(m.params.cocourant, 0);
}

TEST(Acquisition, ASliderMovedWhileAFieldIsRefusedTakesNothing) {
    Window w;
    ModelState& m = *w.model;
    const ModelParameters before = m.params;
    w.form.text(Field::Tefbox) = "20.5"; // the slider's own field: rewritten only when taken
    w.form.text(Field::Edit_Kc) = "abc";
    EXPECT_THROW(w.form.drag(Slider::TrackBar_TEF, 30), RefusedFields);
    EXPECT_EQ(w.form.text(Field::Tefbox), "20.5");
    EXPECT_EQ(w.form.fieldWrites + w.form.repaints, 0);
    expectSameParameters(m.params, before);

    // A refused text in the slider's own field is replaced by the slider's.
    w.form.text(Field::Edit_Kc) = "2000";
    w.form.text(Field::Tefbox) = "abc";
    w.form.drag(Slider::TrackBar_TEF, 30);
    EXPECT_EQ(w.form.text(Field::Tefbox), " 30  ");
    EXPECT_SAME_BITS(m.params.Tef, 30.0);
}

TEST(Acquisition, AValueBroughtBackIntoItsSliderRangeIsReported) {
    const struct {
        Field field;
        const char* typed;
        int sliderBefore;
        bool reported;
        double typedValue, taken;
    } cases[] = {
        {Field::tecbox, "500", 70, true, 500, 100},
        {Field::Tefbox, "-10", 2, true, -10, 0},
        {Field::debfbox, "0.05", 50, true, 0.05, 0.03},
        {Field::debcbox, "0,001", 50, true, 0.001, flowOfSliderPosition(5)},
        {Field::tecbox, "90", 70, false, 0, 0},   // inside the range
        {Field::Tefbox, "20.5", 2, false, 0, 0},  // a whole number of degrees, not a range
        {Field::tecbox, "500", 100, false, 0, 0}, // the slider stays: the value as typed
        {Field::debfbox, "0.0015", 50, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Window w;
        const Slider slider = c.field == Field::Tefbox    ? Slider::TrackBar_TEF
                              : c.field == Field::tecbox  ? Slider::TrackBar_TEC
                              : c.field == Field::debfbox ? Slider::TrackBar_debf
                                                          : Slider::TrackBar_debc;
        w.form.slider(slider) = c.sliderBefore;
        w.form.text(c.field) = c.typed;
        acquisition(*w.model, w.form);
        ASSERT_EQ(w.form.broughtIntoRange.size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(w.form.broughtIntoRange[0].field, c.field);
            EXPECT_SAME_BITS(w.form.broughtIntoRange[0].typed, c.typedValue);
            EXPECT_SAME_BITS(w.form.broughtIntoRange[0].taken, c.taken);
        }
    }
}

} // namespace
