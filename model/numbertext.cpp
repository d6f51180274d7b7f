#include "model/numbertext.h"

#include "model/arithmeticfault.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace calidor {

namespace {

using ext = long double;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Largest power of ten that the extended format holds exactly (5^27 < 2^64).
constexpr int ExactPowersOfTen = 27;
// Beyond this exponent any nonzero mantissa overflows or underflows anyway.
constexpr int ExponentLimit = 6000;
// A power of ten comfortably inside the extended range.
constexpr int LargestStage = 4000;
// The mantissa's whole number grows while it stays below this (a sixteenth of
// the largest extended value, so that ten times it plus a digit is finite);
// further digits only count as powers of ten, or not at all after the point.
constexpr ext LargestMantissa = std::numeric_limits<ext>::max() / 16;
// The exponent's digits stop counting at this value, which no text can bring
// back into range: the fraction digits that would make up for it would not
// fit in memory. Exponent, fraction digits and integer digits left out then
// add up in 64 bits without ever overflowing.
constexpr std::int64_t ExponentCap = 4'000'000'000'000'000'000;

ext powerOfTen(int k) {
    ext p = 1;
    if (k <= ExactPowersOfTen) {
        for (int i = 0; i < k; ++i)
            p *= 10;
        return p;
    }
    return std::pow(ext(10), ext(k));
}

// The parts of a text read by the number rule.
struct Reading {
    ext digits = 0;                  // mantissa digits as one whole number
    std::int64_t fractionDigits = 0; // how many of them came after the point
    std::int64_t leftOut = 0;        // integer digits past LargestMantissa: powers of ten
    std::int64_t exponent = 0;       // decimal exponent, saturated at ExponentCap
    bool negative = false;
};

Reading readNumber(std::string_view s) {
    Reading r;
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        r.negative = s[i++] == '-';
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (r.digits < LargestMantissa)
            r.digits = r.digits * 10 + (s[i] - '0');
        else
            ++r.leftOut;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            if (r.digits < LargestMantissa) {
                r.digits = r.digits * 10 + (s[i] - '0');
                ++r.fractionDigits;
            }
        }
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negativeExponent = s[i++] == '-';
        for (; i < s.size() && isDigit(s[i]); ++i)
            r.exponent = r.exponent >= ExponentCap / 10 ? ExponentCap : r.exponent * 10 + (s[i] - '0');
        if (negativeExponent)
            r.exponent = -r.exponent;
    }
    return r;
}

ext scaled(const Reading& r) {
    // |exponent| <= ExponentCap, and fraction digits and left-out digits are
    // fewer than the bytes of the text: the sum stays far inside 64 bits.
    const std::int64_t k = r.exponent + r.leftOut - r.fractionDigits;
    if (r.digits == 0)
        return 0;
    if (k >= 0)
        return r.digits * powerOfTen(static_cast<int>(std::min<std::int64_t>(k, ExponentLimit)));
    if (k < -ExponentLimit)
        return 0; // far below the smallest double: underflow, which passes silently
    // Past 10^4932 a power of ten overflows the extended type itself, so a
    // deep division goes in stages; what underflows on the way passes.
    ext value = r.digits;
    std::int64_t remaining = -k;
    for (; remaining > LargestStage; remaining -= LargestStage)
        value /= powerOfTen(LargestStage);
    return value / powerOfTen(static_cast<int>(remaining));
}

std::string padLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// The blanks a text may carry around its number: space, tab, and the two
// non-breaking spaces of French typography (U+00A0, U+202F), in UTF-8.
std::size_t blankLength(std::string_view s, std::size_t i) {
    for (std::string_view blank : {" ", "\t", "\xC2\xA0", "\xE2\x80\xAF"})
        if (s.substr(i, blank.size()) == blank)
            return blank.size();
    return 0;
}

std::string_view trimmed(std::string_view s) {
    std::size_t begin = 0;
    while (begin < s.size() && blankLength(s, begin) != 0)
        begin += blankLength(s, begin);
    std::size_t end = s.size();
    for (bool more = true; more && end > begin;) {
        more = false;
        for (std::size_t length = 1; length <= 3 && length <= end - begin; ++length)
            if (blankLength(s, end - length) == length) {
                end -= length;
                more = true;
                break;
            }
    }
    return s.substr(begin, end - begin);
}

// The character at i, whole (all its UTF-8 bytes).
std::string characterAt(std::string_view s, std::size_t i) {
    std::size_t end = i + 1;
    while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        ++end;
    return std::string(s.substr(i, end - i));
}

NumberCheck outOfPlace(std::string_view s, std::size_t i) {
    if (blankLength(s, i) != 0)
        return {TextRefusal::InnerBlank, {}, 0};
    return {TextRefusal::Character, characterAt(s, i), 0};
}

// Whether the text, separators already counted and a comma made a point,
// has the number form from its first character to its last.
NumberCheck checkForm(std::string_view s) {
    std::size_t i = 0;
    const auto digitsFrom = [&s, &i] {
        const std::size_t first = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        return i - first;
    };
    if (s[i] == '+' || s[i] == '-')
        ++i;
    std::size_t mantissaDigits = digitsFrom();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissaDigits += digitsFrom();
    }
    const bool atExponent = i < s.size() && (s[i] == 'e' || s[i] == 'E');
    if (mantissaDigits == 0)
        return i == s.size() || atExponent ? NumberCheck{TextRefusal::NoDigits, {}, 0} : outOfPlace(s, i);
    if (atExponent) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (digitsFrom() == 0 && i == s.size())
            return {TextRefusal::ExponentDigits, {}, 0};
    }
    if (i != s.size())
        return outOfPlace(s, i);
    return {};
}

// The value of a text of the number form.
double valueOf(std::string_view s) {
    fpu::clearFaults();
    const Reading r = readNumber(s);
    const ext value = scaled(r);
    return fpu::checked(r.negative ? -value : value, "lecture d'un nombre");
}

} // namespace

const char* const AcceptedNumbers =
    "un nombre, avec un point ou une virgule comme séparateur décimal et un exposant facultatif, "
    "par exemple 12.5, 12,5, -3 ou 4.2e-3 ; les blancs autour sont ignorés";

NumberCheck checkNumberText(std::string_view text) {
    const std::string_view core = trimmed(text);
    if (core.empty())
        return {TextRefusal::Empty, {}, 0};
    const auto points = std::count(core.begin(), core.end(), '.');
    const auto commas = std::count(core.begin(), core.end(), ',');
    if (points + commas > 1)
        return {TextRefusal::Separators, {}, 0};
    std::string number(core);
    std::replace(number.begin(), number.end(), ',', '.');
    NumberCheck check = checkForm(number);
    if (!check.accepted())
        return check;
    try {
        check.value = valueOf(number);
    } catch (const ArithmeticFault&) {
        check.refusal = TextRefusal::TooLarge;
    }
    return check;
}

double textToNumber(std::string_view text) {
    const NumberCheck check = checkNumberText(text);
    if (check.refusal == TextRefusal::TooLarge)
        return valueOf(std::string(trimmed(text))); // raises the overflow
    if (!check.accepted())
        throw std::invalid_argument(refusalReason(check));
    return check.value;
}

std::string refusalReason(const NumberCheck& check) {
    switch (check.refusal) {
    case TextRefusal::None:
        return {};
    case TextRefusal::Empty:
        return "le champ est vide";
    case TextRefusal::NoDigits:
        return "il n'y a aucun chiffre";
    case TextRefusal::Separators:
        return "il y a plus d'un séparateur décimal";
    case TextRefusal::InnerBlank:
        return "il y a un blanc au milieu du nombre";
    case TextRefusal::Character:
        return "le caractère « " + check.culprit + " » n'a pas sa place dans un nombre";
    case TextRefusal::ExponentDigits:
        return "l'exposant n'a pas de chiffres";
    case TextRefusal::TooLarge:
        return "le nombre est trop grand pour être calculé";
    }
    return {};
}

int temperatureSliderPosition(double temperature) {
    double v = temperature;
    if (!(v > 0))
        v = 0;
    if (v >= 100)
        v = 100;
    return static_cast<int>(v);
}

int flowSliderPosition(double flow) {
    fpu::clearFaults();
    double v = fpu::checked(ext(flow) * 100 / 0.03L, "position d'un curseur de débit");
    if (!(v > 5))
        v = 5;
    if (v >= 100)
        v = 100;
    return static_cast<int>(v);
}

std::string temperatureSliderText(int position) {
    return padLeft(std::to_string(position), 3) + "  ";
}

double flowOfSliderPosition(int position) {
    fpu::clearFaults();
    return fpu::checked(ext(position) / 100 * 0.03L, "débit d'un curseur");
}

std::string flowSliderText(int position) {
    return fixedText(flowOfSliderPosition(position), 4);
}

std::string fixedText(double value, int decimals, int width) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return padLeft("?", width);
    return padLeft(std::string(buffer, result.ptr), width);
}

} // namespace calidor
