#pragma once
// The arithmetic between the window's texts and slider positions and the
// model's numbers. Fields are always read and written with "." as decimal
// separator, whatever the desktop's locale.

#include <string>
#include <string_view>

namespace calidor {

/// Why a field's text is not read as a number.
enum class TextRefusal {
    None,           // the text is a number
    Empty,          // nothing, or blanks only
    NoDigits,       // a sign or a point without a digit ("-", ".", "+e3")
    Separators,     // more than one decimal separator ("1.2.3", "1,5.2")
    InnerBlank,     // a blank inside the number ("1 000")
    Character,      // a character that has no place in a number ("abc", "1.5x", "nan")
    ExponentDigits, // an exponent mark with no digit after it ("1e", "2E-")
    TooLarge        // beyond the largest double ("1e400")
};

/// What the reading of a field's text found.
struct NumberCheck {
    TextRefusal refusal = TextRefusal::None;
    std::string culprit; // the first character out of place (UTF-8), for Character
    double value = 0;    // the number, when the text is one

    bool accepted() const { return refusal == TextRefusal::None; }
};

/// Reads a field's text as the number the user meant, or says why it is not
/// one. Blanks (spaces, tabs, non-breaking spaces) before and after the
/// number are ignored, and a single comma as the only decimal separator reads
/// as a point ("12,5" is 12.5). What is left must have the number form: an
/// optional sign, digits with at most one point (at least one digit), then an
/// optional exponent ("E" or "e", an optional sign, at least one digit). Its
/// value is the digits as one whole number, scaled by an exact power of ten in
/// extended precision, then rounded once to double. Any other text is refused.
NumberCheck checkNumberText(std::string_view text);

/// The value of a text that checkNumberText accepts. Raises ArithmeticFault
/// (overflow) for a text too large for a double, and std::invalid_argument,
/// with the reason in French, for any other refused text.
double textToNumber(std::string_view text);

/// Why a text is refused, as a French phrase ("ce n'est pas un nombre : le
/// caractère « x » n'y a pas sa place"); empty for an accepted text.
std::string refusalReason(const NumberCheck& check);

/// The numbers a field accepts, as a French sentence.
extern const char* const AcceptedNumbers;

/// Slider position (0 to 100) of an inlet temperature in °C: truncated,
/// 0 at or below 0, 100 from 100 up.
int temperatureSliderPosition(double temperature);

/// Slider position (5 to 100) of a flow rate in kg/s: flow × 100 / 0.03 in
/// extended precision, rounded to double, clamped, truncated. Because of the
/// rounding some exact multiples of 0.0003 land one position lower.
int flowSliderPosition(double flow);

/// The text a temperature slider writes into its field: the position right
/// aligned in three characters, then two blanks ("  2  ", " 70  ", "100  ").
std::string temperatureSliderText(int position);

/// The flow rate of a flow slider position, position / 100 × 0.03 kg/s,
/// formed in extended precision and rounded to double.
double flowOfSliderPosition(int position);

/// The text a flow slider writes into its field: its flow with four decimals
/// ("0.0150" for 50).
std::string flowSliderText(int position);

/// Fixed-point text with `decimals` decimals and a "." separator, padded on
/// the left to at least `width` characters.
std::string fixedText(double value, int decimals, int width = 2);

} // namespace calidor
