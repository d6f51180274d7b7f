#pragma once
// The balance window on the real main window: its figures read as numbers,
// the model run by hand (steps and refreshes, no worker), and what a
// change of parameters leaves on screen.
#include "mainwindowtest.h"

#include "model/acquisition.h"
#include "model/balances.h"
#include "model/theory.h"
#include "model/timestep.h"
#include "run/refreshdisplay.h"
#include "ui/bilan.h"

namespace calidor::test {

class Bilan : public MainWindowTest {
protected:
    BilanWindow* bilan() const { return form->findChild<BilanWindow*>(QStringLiteral("Bilan")); }
    charts::ChartView* chart(const char* name) const { return control<charts::ChartView>(name); }

    // The number a value's text begins with (written with a point).
    double value(const char* name) const {
        auto* label = bilan()->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(label, nullptr) << name;
        const QString text = label ? label->text() : QString();
        bool ok = false;
        const double v = text.section(QLatin1Char(' '), 0, 0).toDouble(&ok);
        EXPECT_TRUE(ok) << name << ": " << text.toStdString();
        return v;
    }
    QString text(const char* name) const {
        return bilan()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

    // A run without the worker: the steps, and a display refresh every 40 of them.
    void runFor(double seconds) {
        const int steps = static_cast<int>(seconds / model->params.dt);
        for (int k = 0; k < steps; ++k) {
            AdvanceStep(*model);
            if (model->nstep % RefreshPeriod == 0)
                RefreshDisplay(*model, *form);
        }
    }
    // Steps up to the next refresh, and refreshes: the window then shows the model as it is.
    void runToNextRefresh() {
        do
            AdvanceStep(*model);
        while (model->nstep % RefreshPeriod != 0);
        RefreshDisplay(*model, *form);
    }
    void startRun() {
        etat_initial(*model);
        BeginRun(*model);
    }

    // The figures that come from the model's state, not from the parameters alone.
    static constexpr const char* ModelFigures[] = {
        "effectivenessModel", "Pc", "Pf", "powerGap", "Sgen", "SgenSteady", "steadyState"};
    // Whether every model figure reads "—" under its note, with no point on the chart.
    void expectNoModelFigures() const {
        bilan()->settle();
        for (const char* name : ModelFigures)
            EXPECT_EQ(text(name), QStringLiteral("—")) << name;
        EXPECT_TRUE(bilan()->findChild<QLabel*>(QStringLiteral("modelNote"))->isVisible());
        EXPECT_FALSE(bilan()->showsModelState());
        EXPECT_FALSE(bilan()->steady());
        EXPECT_EQ(modelPoint()->count(), 0);
    }
    const charts::Series* modelPoint() const {
        return bilan()
            ->findChild<charts::ChartView*>(QStringLiteral("effectivenessChart"))
            ->series(QStringLiteral("modelPoint"));
    }
    bool saysSteady() const {
        return text("steadyState").endsWith(QStringLiteral("régime permanent atteint"));
    }
};

} // namespace calidor::test
