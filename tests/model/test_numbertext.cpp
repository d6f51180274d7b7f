// Reading field texts as numbers, slider positions from parameters, and the
// texts that sliders and the window write back.
#include "modeltest.h"

#include "model/arithmeticfault.h"
#include "model/numbertext.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>

using namespace calidor;
using namespace calidor::test;

namespace {

struct TextCase {
    const char* text;
    double value;
};

// ---- The text rule ----

TEST(TextToNumber, WholeNumbersAndTheirScaling) {
    const TextCase cases[] = {
        {" 3.5", 3.5},
        {"5.", 5},
        {".5", 0.5},
        {"1e3", 1000},
        {"1E+2", 100},
        {"-0.5", -0.5},
        {"+7", 7},
        {"  -12.25", -12.25},
        // Digits as one whole number scaled by an exact power of ten, in
        // extended precision, then rounded once more to double.
        {"2.5E-2", static_cast<double>(25.0L / 1000.0L)},
        {"0.30000000000000004", static_cast<double>(30000000000000004.0L / 1e17L)},
        // The window's default texts give the nearest doubles.
        {"0.1", 0.1},
        {"0.004", 0.004},
        {"0.015", 0.015},
        {"0.0150", 0.015},
        {"0.0500", 0.05},
        {"0.0100", 0.01},
        {"4180.00", 4180},
        {"300.00", 300},
        {"0.0040", 0.004},
        // Underflow passes silently.
        {"1e-400", 0},
    };
    for (const TextCase& c : cases)
        EXPECT_SAME_BITS(textToNumber(c.text), c.value) << '"' << c.text << '"';
}

// Blanks around the number, and a comma as the only decimal separator, give
// exactly the bits of the plain text with a point.
TEST(TextToNumber, BlanksAndACommaGiveTheBitsOfThePlainText) {
    const std::pair<const char*, const char*> cases[] = {
        {"12,5", "12.5"},
        {" 50  ", "50"},
        {"0.05 ", "0.05"},
        {"-3 ", "-3"},
        {"3.5 ", "3.5"},
        {"  2  ", "2"},
        {"100  ", "100"},
        {"0,02", "0.02"},
        {"2.5e-2 ", "2.5e-2"},
        {"0,004", "0.004"},
        {"\t0.0040\t", "0.0040"},
        {"1,5E3", "1.5E3"},
        {",5", ".5"},
        {"5,", "5."},
        {"-0,0100", "-0.0100"},
        {"\xC2\xA0"
         "12,5\xE2\x80\xAF",
         "12.5"}, // the non-breaking spaces of French typography
    };
    for (const auto& [text, plain] : cases)
        EXPECT_SAME_BITS(textToNumber(text), textToNumber(plain)) << '"' << text << '"';
}

TEST(TextToNumber, TextsThatAreNotNumbersAreRefusedWithTheirReason) {
    const struct {
        const char* text;
        TextRefusal refusal;
        const char* culprit;
    } cases[] = {
        {"", TextRefusal::Empty, ""},
        {"  \t ", TextRefusal::Empty, ""},
        {"abc", TextRefusal::Character, "a"},
        {"1.5x", TextRefusal::Character, "x"},
        {"nan", TextRefusal::Character, "n"},
        {"1e5x", TextRefusal::Character, "x"},
        {"\xE2\x88\x92"
         "3",
         TextRefusal::Character, "\xE2\x88\x92"}, // a typographic minus, whole
        {"-", TextRefusal::NoDigits, ""},
        {".", TextRefusal::NoDigits, ""},
        {"-.e3", TextRefusal::NoDigits, ""},
        {"1.2.3", TextRefusal::Separators, ""},
        {"1,5.2", TextRefusal::Separators, ""},
        {"1 000", TextRefusal::InnerBlank, ""},
        {"12,5 kg", TextRefusal::InnerBlank, ""},
        {"1e", TextRefusal::ExponentDigits, ""},
        {"1e400", TextRefusal::TooLarge, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const NumberCheck check = checkNumberText(c.text);
        EXPECT_EQ(check.refusal, c.refusal);
        EXPECT_EQ(check.culprit, c.culprit);
        EXPECT_FALSE(check.accepted());
        EXPECT_FALSE(refusalReason(check).empty());
        if (c.refusal == TextRefusal::TooLarge)
            EXPECT_THROW(textToNumber(c.text), ArithmeticFault);
        else
            EXPECT_THROW(textToNumber(c.text), std::invalid_argument);
    }
    // The reason names the character out of place.
    EXPECT_EQ(refusalReason(checkNumberText("1.5x")), "le caractère « x » n'a pas sa place dans un nombre");
    EXPECT_TRUE(refusalReason(checkNumberText("12.5")).empty());
}

TEST(TextToNumber, OverflowIsAFaultNotAnInfinity) {
    // 400 nines: the whole number itself is beyond the largest double.
    for (const std::string& text :
         {std::string("1e400"), std::string("-1e400"), std::string("1e5000"), std::string(400, '9'),
          std::string("0.") + std::string(400, '9') + "e400"}) {
        try {
            const double v = textToNumber(text);
            ADD_FAILURE() << text << " gave " << v;
        } catch (const ArithmeticFault& e) {
            EXPECT_EQ(e.kind(), FaultKind::Overflow) << text;
        }
    }
}

// An exponent far below the extended range must not make the power of ten
// overflow before the division: such a value underflows to 0, as "1e-400" does.
TEST(TextToNumber, DeepUnderflowGivesZero) {
    for (const char* text : {"1e-4940", "1e-5000", "7.5e-5999"}) {
        try {
            EXPECT_SAME_BITS(textToNumber(text), 0.0) << text;
        } catch (const ArithmeticFault& e) {
            ADD_FAILURE() << text << ": " << e.what();
        }
    }
}

// Exponents, integer runs and fraction runs of any length: the value the whole
// text stands for decides between a number, an overflow fault and 0.
TEST(TextToNumber, RunsOfAnyLengthGiveTheValueTheyStandFor) {
    const std::string zeros(70000, '0');
    const std::string nines(40, '9');
    for (const std::string& text :
         {"0." + zeros + "1e600000", std::string("1e600000"), std::string("-1e600000"), "1e" + nines,
          "1" + zeros, "1" + zeros + "e-69690"}) {
        try {
            const double v = textToNumber(text);
            ADD_FAILURE() << text.substr(0, 40) << "... gave " << v;
        } catch (const ArithmeticFault& e) {
            EXPECT_EQ(e.kind(), FaultKind::Overflow) << text.substr(0, 40);
        }
    }
    const std::pair<std::string, double> cases[] = {
        {"1e-600000", 0},
        {"1e-" + nines, 0},
        {"0e" + nines, 0},
        {"0." + zeros + "1e-600000", 0},
        {"1" + zeros + "e-" + nines, 0},
        // 10^-70001 × 10^70000 is read as "0.1" is.
        {"0." + zeros + "1e70000", textToNumber("0.1")},
        {"1e" + zeros + "5", 1e5},
    };
    for (const auto& [text, value] : cases)
        EXPECT_SAME_BITS(textToNumber(text), value) << text.substr(0, 40);
    // Past the extended range the mantissa keeps its leading digits; the rest
    // only scale it (integer digits) or are too small to count (fraction).
    EXPECT_DOUBLE_EQ(textToNumber("1" + zeros + "e-70000"), 1);
    EXPECT_DOUBLE_EQ(textToNumber("1." + zeros + "1"), 1);
    EXPECT_DOUBLE_EQ(textToNumber("-2" + zeros + "e-70300"), -2e-300);
}

// ---- Slider positions ----

TEST(SliderRules, TemperaturePositions) {
    const std::pair<double, int> cases[] = {{2.7, 2},     {-5, 0},    {150, 100}, {100, 100},   {0, 0},
                                            {99.999, 99}, {20.5, 20}, {-0.0, 0},  {1e300, 100}, {70, 70}};
    for (auto [temperature, position] : cases)
        EXPECT_EQ(temperatureSliderPosition(temperature), position) << temperature;
}

TEST(SliderRules, FlowPositions) {
    const std::pair<double, int> cases[] = {{0.015, 50},
                                            {0.05, 100},
                                            {0.001, 5},
                                            {0.02, 66},
                                            {0.03, 100},
                                            {0, 5},
                                            {-1, 5},
                                            {0.0015, 5},
                                            {0.0198, 66},
                                            {1e300, 100},
                                            // 0.0024 is 8 × 0.0003 but lands just below 8.
                                            {0.0024, 7},
                                            {0.0021, 7}};
    for (auto [flow, position] : cases)
        EXPECT_EQ(flowSliderPosition(flow), position) << flow;
}

// ---- Texts written into fields ----

TEST(SliderTexts, TemperatureAndFlowTexts) {
    // What a temperature slider and a flow slider write into their field.
    const struct {
        int position;
        const char* temperature;
        const char* flow;
    } named[] = {{0, "  0  ", "0.0000"},  {2, "  2  ", "0.0006"},  {50, " 50  ", "0.0150"},
                 {66, " 66  ", "0.0198"}, {70, " 70  ", "0.0210"}, {100, "100  ", "0.0300"}};
    for (const auto& c : named) {
        EXPECT_EQ(temperatureSliderText(c.position), c.temperature);
        EXPECT_EQ(flowSliderText(c.position), c.flow);
    }
    // Every position: "%3.f  " of the position, and "%2.4f" of its flow.
    for (int p = 0; p <= 100; ++p) {
        SCOPED_TRACE(p);
        char temperature[16];
        std::snprintf(temperature, sizeof temperature, "%3.f  ", static_cast<double>(p));
        EXPECT_EQ(temperatureSliderText(p), temperature);
        const double flow = static_cast<double>(L(p) / 100 * 0.03L);
        EXPECT_SAME_BITS(flowOfSliderPosition(p), flow);
        char flowText[32];
        std::snprintf(flowText, sizeof flowText, "%2.4f", flow);
        EXPECT_EQ(flowSliderText(p), flowText);
    }
}

TEST(SliderTexts, FixedTexts) {
    EXPECT_EQ(fixedText(2, 2), "2.00");
    EXPECT_EQ(fixedText(70, 2), "70.00");
    EXPECT_EQ(fixedText(0.015, 4), "0.0150");
    EXPECT_EQ(fixedText(0.004, 4), "0.0040");
    EXPECT_EQ(fixedText(4180, 2), "4180.00");
    EXPECT_EQ(fixedText(-1.25, 1), "-1.2"); // the binary value 1.25 is a tie: to even
    EXPECT_EQ(fixedText(5, 0), " 5");       // at least two characters
    EXPECT_EQ(fixedText(12345.6789, 3, 12), "   12345.679");
}

} // namespace
