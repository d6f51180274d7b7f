// What the fault messages of the model say: an overflowing text names its
// field by the label the user reads, and the temperature step, which takes
// no logarithm, does not speak of one.
#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/timestep.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

using namespace calidor;

namespace {

// The window's fields at their start-up texts; sliders never move here.
class Fields : public AcquisitionForm {
public:
    std::array<std::string, FieldCount> texts{"2.00",   "70.00",  "5.00", "4180.00", "4180.00", "500.00",
                                              "0.0500", "0.0500", "0.0100", "2000",  "2000",    "0.1",
                                              "0.1",    "1",      "0.0150", "0.0150", "300.00", "0.0040"};
    std::string fieldText(Field f) const override { return texts[int(f)]; }
    void setFieldText(Field f, const std::string& text) override { texts[int(f)] = text; }
    int sliderPosition(Slider s) const override { return std::array{2, 70, 50, 50}[int(s)]; }
    void setSliderPosition(Slider, int) override {}
    bool coCurrentChecked() const override { return true; }
    void repaintNow() override {}
};

} // namespace

TEST(Messages, AnOverflowingTextNamesItsFieldByItsLabel) {
    const std::pair<Field, const char*> cases[] = {
        {Field::Cpfbox, "Cp F (J/kg.K)"}, {Field::Edit_long, "Longueur de l'échangeur (m)"}, {Field::dtbox, "dt (s)"}};
    for (const auto& [field, label] : cases) {
        auto model = std::make_unique<ModelState>();
        Fields form;
        form.texts[int(field)] = "1e400";
        try {
            acquisition(*model, form);
            ADD_FAILURE() << label << ": no fault";
        } catch (const ArithmeticFault& e) {
            EXPECT_EQ(e.kind(), FaultKind::Overflow);
            EXPECT_NE(std::string(e.what()).find(std::string("« ") + label + " »"), std::string::npos) << e.what();
        }
    }
}

TEST(Messages, AZeroLengthInTheStepIsAnIndeterminateFormNotALogarithm) {
    auto model = std::make_unique<ModelState>();
    Fields form;
    form.texts[int(Field::Edit_long)] = "0";
    acquisition(*model, form);
    etat_initial(*model);
    BeginRun(*model);
    try {
        StepTemperatures(*model);
        ADD_FAILURE() << "no fault";
    } catch (const ArithmeticFault& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.find("logarithme"), std::string::npos) << what;
        EXPECT_NE(what.find("0/0"), std::string::npos) << what;
    }
}
