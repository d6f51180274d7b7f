#pragma once
// The arithmetic between the window's texts and slider positions and the
// model's numbers. Fields are always read and written with "." as decimal
// separator, whatever the desktop's locale.

#include <string>
#include <string_view>

namespace calidor {

/// Reads a field's text as a number; never rejects a text:
/// - leading spaces are skipped; then an optional sign, digits, an optional
///   "." with more digits, an optional exponent ("E" or "e", sign, digits);
/// - a text of that form gives its value: the digits as one whole number,
///   scaled by an exact power of ten in extended precision, then rounded;
/// - an empty or blank text gives 0;
/// - any other text gives the whole number formed by the mantissa digits read
///   before the first character that does not fit, point and sign ignored
///   ("12,5" gives 12, "0.05 " gives 5, "1.5x" gives 15, "abc" gives 0).
/// Raises ArithmeticFault when the value overflows a double ("1e400").
double textToNumber(std::string_view text);

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
