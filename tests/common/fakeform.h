#pragma once
// A main window without widgets, as acquisition sees it: the field texts, the
// four sliders and the check box, at their start-up values. Like the real
// sliders, setting a different position runs the slider's change handler
// (when the form knows its model) before returning; an equal position does
// nothing.

#include "model/acquisition.h"
#include "tests/common/startup_expectations.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace calidor::testing {

class FakeForm : public AcquisitionForm {
public:
    FakeForm() { std::copy(StartupTexts.begin(), StartupTexts.end(), texts.begin()); }
    explicit FakeForm(ModelState& handlersModel) : FakeForm() { model = &handlersModel; }

    std::array<std::string, FieldCount> texts;
    std::array<int, 4> sliders = StartupSliders;
    bool checked = true;
    ModelState* model = nullptr; // the slider handlers run on it; none without

    int depth = 0; // handlers running now
    int maxDepth = 0;
    int moves = 0; // positions set by acquisition that differed
    int fieldWrites = 0;
    int repaints = 0; // one per acquisition that reached its end

    struct BroughtIntoRange {
        Field field;
        double typed, taken;
    };
    std::vector<BroughtIntoRange> broughtIntoRange; // what the window was told, in order

    std::string& text(Field f) { return texts[static_cast<int>(f)]; }
    int& slider(Slider s) { return sliders[static_cast<int>(s)]; }

    std::string fieldText(Field f) const override { return texts[static_cast<int>(f)]; }
    void setFieldText(Field f, const std::string& t) override {
        ++fieldWrites;
        texts[static_cast<int>(f)] = t;
    }
    int sliderPosition(Slider s) const override { return sliders[static_cast<int>(s)]; }
    void setSliderPosition(Slider s, int position) override {
        if (slider(s) == position)
            return;
        slider(s) = position;
        ++moves;
        runHandler(s);
    }
    bool coCurrentChecked() const override { return checked; }
    void repaintNow() override { ++repaints; }
    void valueBroughtIntoRange(Field f, double typed, double taken) override {
        broughtIntoRange.push_back({f, typed, taken});
    }

    /// The user drags a slider: the handler runs even on an unchanged position.
    void drag(Slider s, int position) {
        slider(s) = position;
        runHandler(s);
    }

private:
    void runHandler(Slider s) {
        if (!model)
            return;
        struct Nesting {
            FakeForm& form;
            explicit Nesting(FakeForm& f) : form(f) {
                if (++form.depth > 20)
                    throw std::runtime_error("slider handlers nest without end");
                form.maxDepth = std::max(form.maxDepth, form.depth);
            }
            ~Nesting() { --form.depth; }
        } nesting(*this);
        sliderChanged(*model, *this, s);
    }
};

} // namespace calidor::testing
