#pragma once
// A whole run without a window: the fields' texts taken by acquisition as
// the window takes them (the sliders follow their fields and their handlers
// rewrite the fields, exactly as on screen), the initial state, then the
// worker's loop on this thread, at full speed, recording every display
// refresh. A window run from the same texts records the same bits.

#include "model/acquisition.h"
#include "model/modelstate.h"
#include "run/runrecord.h"

#include <QString>

#include <array>
#include <functional>
#include <string>

namespace calidor {

/// The main window as acquisition sees it, without widgets: the field
/// texts, the four sliders (at the positions the texts give at start-up) and
/// the check box. A slider set to another position runs its change handler
/// on `model` before returning, as the window's sliders do.
class HeadlessForm : public AcquisitionForm {
public:
    HeadlessForm(ModelState& model, const std::array<std::string, FieldCount>& texts, bool coCurrent);

    std::string fieldText(Field field) const override { return m_texts[static_cast<int>(field)]; }
    void setFieldText(Field field, const std::string& text) override {
        m_texts[static_cast<int>(field)] = text;
    }
    int sliderPosition(Slider slider) const override { return m_sliders[static_cast<int>(slider)]; }
    void setSliderPosition(Slider slider, int position) override;
    bool coCurrentChecked() const override { return m_coCurrent; }
    void repaintNow() override {}

private:
    ModelState& m_model;
    std::array<std::string, FieldCount> m_texts;
    std::array<int, 4> m_sliders;
    bool m_coCurrent;
};

/// How a run without a window ended.
struct BatchOutcome {
    bool faulted = false;
    double time = 0;      ///< simulated time reached, s
    QString faultMessage; ///< why, in French, when faulted
};

/// Runs the set-up given by the texts and the arrangement on `model` (a
/// fresh state: its step counter sets the refresh rhythm, as in the
/// program) and fills `record`. `progress(time, tmax)` is called once per
/// refresh. Raises RefusedFields when a text is not a number; an arithmetic
/// fault, in acquisition or in a step, ends the run and is told in the
/// outcome.
BatchOutcome runWithoutWindow(ModelState& model, const std::array<std::string, FieldCount>& texts,
                              bool coCurrent, RunRecord& record,
                              const std::function<void(double time, double tmax)>& progress = {});

} // namespace calidor
