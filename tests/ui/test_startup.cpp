// The main window as it opens, and the flow-arrangement check box.
#include "mainwindowtest.h"
#include "tests/common/startup_expectations.h"

#include <QAction>
#include <QRadioButton>

using namespace calidor;
using namespace calidor::test;

namespace {

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

using StartUp = MainWindowTest;

TEST_F(StartUp, FieldsShowTheDefaultsAndTheDesignTexts) {
    EXPECT_EQ(form->windowTitle(), "Calidor 1.2");
    // The parameters' defaults written at creation, and the design texts left alone.
    for (int f = 0; f < FieldCount; ++f)
        EXPECT_EQ(field(calidor::testing::FieldNames[f])->text(),
                  QString::fromLatin1(calidor::testing::StartupTexts[f]))
            << calidor::testing::FieldNames[f];
}

TEST_F(StartUp, SlidersCheckBoxRadioGroupTimeAndSeries) {
    for (int s = 0; s < 4; ++s)
        EXPECT_EQ(slider(calidor::testing::SliderNames[s])->value(), calidor::testing::StartupSliders[s])
            << calidor::testing::SliderNames[s];

    EXPECT_EQ(control<QLabel>("timebox")->text(), "0");

    // The box, its caption and the model's default agree from the start.
    EXPECT_TRUE(checkBox()->isChecked());
    EXPECT_EQ(checkBox()->text(), "CO-COURANT");
    EXPECT_EQ(model->params.cocourant, 1);

    auto* item0 = control<QRadioButton>("RadioGroup1_item0");
    auto* item1 = control<QRadioButton>("RadioGroup1_item1");
    EXPECT_TRUE(item0->isChecked());
    EXPECT_FALSE(item1->isChecked());
    EXPECT_EQ(form->representation(), Representation::Powers);

    const QList<charts::Series*> series = form->findChildren<charts::Series*>();
    EXPECT_EQ(series.size(), 11);
    for (const charts::Series* s : series)
        EXPECT_EQ(s->count(), 0) << s->objectName().toStdString();
}

TEST_F(StartUp, EveryControlIsEnabledAndVisible) {
    const char* names[] = {"Button1",       "Button2",     "Button3",      "Button4",      "Button5",
                           "CheckBox1",     "RadioGroup1", "TrackBar_TEF", "TrackBar_TEC", "TrackBar_debf",
                           "TrackBar_debc", "Edit_long",   "Edit_Kf",      "Tefbox",       "dtbox",
                           "Chart1",        "Chart2",      "Chart3"};
    for (const char* name : names) {
        QWidget* w = control(name);
        EXPECT_TRUE(w->isEnabled()) << name;
        EXPECT_TRUE(w->isVisible()) << name;
    }
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        EXPECT_TRUE(edit->isEnabled() && !edit->isReadOnly()) << edit->objectName().toStdString();
    EXPECT_TRUE(control<QAction>("APropos1")->isEnabled());
}

// ---------------------------------------------------------------------------
// Flow-arrangement check box
// ---------------------------------------------------------------------------

using FlowArrangement = MainWindowTest;

// Checked state, caption and the model's flag must tell the same story.
void expectAgreement(const QCheckBox* box, const ModelState& model, int step) {
    if (box->isChecked()) {
        EXPECT_EQ(box->text(), "CO-COURANT") << "after toggle " << step;
        EXPECT_EQ(model.params.cocourant, 1) << "after toggle " << step;
    } else {
        EXPECT_EQ(box->text(), "CONTRE-COURANT") << "after toggle " << step;
        EXPECT_EQ(model.params.cocourant, 0) << "after toggle " << step;
    }
}

QPoint clickPoint(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}

TEST_F(FlowArrangement, MouseClicksToggleCaptionAndFlag) {
    QCheckBox* box = checkBox();
    bool wasChecked = box->isChecked();
    for (int step = 1; step <= 4; ++step) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, clickPoint(box));
        EXPECT_NE(box->isChecked(), wasChecked) << "toggle " << step;
        wasChecked = box->isChecked();
        expectAgreement(box, *model, step);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FlowArrangement, SpaceBarTogglesCaptionAndFlag) {
    QCheckBox* box = checkBox();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
    expectAgreement(box, *model, 1);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    expectAgreement(box, *model, 2);
}

TEST_F(FlowArrangement, ToggleTakesEveryFieldLikeActualise) {
    // The box's handler runs a full acquisition: a value typed but not yet
    // taken is taken now, and the inlet nodes are written.
    typeInto("Cpcbox", "1234.5");
    typeInto("tecbox", "45");
    QTest::mouseClick(checkBox(), Qt::LeftButton, Qt::NoModifier, clickPoint(checkBox()));
    EXPECT_EQ(model->params.cocourant, 0);
    EXPECT_EQ(model->params.Cpc, 1234.5);
    expectTaken(HotInlet, 45, " 45  ", 45);
    EXPECT_EQ(model->oldNodes[0].Tc, 45);
    EXPECT_EQ(model->newNodes[0].Tc, 45);
}

} // namespace
