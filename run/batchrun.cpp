#include "run/batchrun.h"

#include "model/arithmeticfault.h"
#include "model/balances.h"
#include "model/timestep.h"
#include "run/sym.h"

#include <QCoreApplication>

namespace calidor {

HeadlessForm::HeadlessForm(ModelState& model, const std::array<std::string, FieldCount>& texts,
                           bool coCurrent)
    : m_model(model), m_texts(texts), m_coCurrent(coCurrent) {
    // The sliders stand where the window's start-up puts them.
    const ModelParameters startup;
    for (Slider s :
         {Slider::TrackBar_TEF, Slider::TrackBar_TEC, Slider::TrackBar_debf, Slider::TrackBar_debc})
        m_sliders[static_cast<int>(s)] = sliderPositionOf(startup, s);
}

void HeadlessForm::setSliderPosition(Slider slider, int position) {
    int& current = m_sliders[static_cast<int>(slider)];
    if (current == position)
        return;
    current = position;
    sliderChanged(m_model, *this, slider);
}

namespace {

QString faultAt(double time, const QString& why) {
    return QCoreApplication::translate("calidor::batch", "La marche s'est arrêtée à t = %1 s.\n%2")
        .arg(sym::timeText(time).trimmed().replace(QLatin1Char(','), QLatin1Char('.')), why);
}

} // namespace

// The worker's loop (sym::body) without the pacing, the pause and the
// hand-off: a refresh every RefreshPeriod-th step of the process, the end
// time read afresh after each step.
BatchOutcome runWithoutWindow(ModelState& model, const std::array<std::string, FieldCount>& texts,
                              bool coCurrent, RunRecord& record,
                              const std::function<void(double, double)>& progress) {
    BatchOutcome outcome;
    HeadlessForm form(model, texts, coCurrent);
    record.begin(model.params);
    try {
        acquisition(model, form);
        etat_initial(model);
        record.begin(model.params);
        BeginRun(model);
        do {
            AdvanceStep(model);
            if (model.nstep % RefreshPeriod == 0) {
                record.add(model);
                if (progress)
                    progress(model.time, model.params.tmax);
            }
        } while (model.time < model.params.tmax);
    } catch (const ArithmeticFault& fault) {
        outcome.faulted = true;
        outcome.faultMessage = faultAt(model.time, faultExplanation(fault, model.params, model.dx));
    }
    outcome.time = model.time;
    return outcome;
}

} // namespace calidor
