// What the fault messages of the model say: an overflowing text names its
// field by the label the user reads, and the temperature step, which takes
// no logarithm, does not speak of one.
#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/timestep.h"
#include "tests/common/fakeform.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

using namespace calidor;

namespace {

// The window's fields at their start-up texts; sliders never run a handler here.
using Fields = calidor::testing::FakeForm;

} // namespace

TEST(Messages, AnOverflowingTextNamesItsFieldByItsLabel) {
    const std::pair<Field, const char*> cases[] = {{Field::Cpfbox, "Cp F (J/kg.K)"},
                                                   {Field::Edit_long, "Longueur de l'échangeur (m)"},
                                                   {Field::dtbox, "dt (s)"}};
    for (const auto& [field, label] : cases) {
        auto model = std::make_unique<ModelState>();
        Fields form;
        form.texts[int(field)] = "1e400";
        try {
            acquisition(*model, form);
            ADD_FAILURE() << label << ": no fault";
        } catch (const ArithmeticFault& e) {
            EXPECT_EQ(e.kind(), FaultKind::Overflow);
            EXPECT_NE(std::string(e.what()).find(std::string("« ") + label + " »"), std::string::npos)
                << e.what();
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
