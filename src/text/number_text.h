// Every number-to-text rule of the program lives here, so that the figure
// file, the report, the value lists and the settings file agree.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sakuzu {

// General form: at most 15 significant digits, no trailing zeros, "0.5"
// with a leading zero, exponent form outside 1E-04 <= |v| < 1E+15
// ("1.5E+20", "1E-05"). Negative zero is "0". Non-finite values give
// "NaN", "Infinity" or "-Infinity" (never written to a figure file).
std::string FormatNumber(double value);

// The same with a leading blank for values that are not negative, the
// way numbers appear in listings (" 1.5", "-1.5").
std::string FormatNumberSigned(double value);

// Readers. Both accept surrounding blanks; the float reader takes "0.5",
// ".5", "-.5", "1E-05", "1.5e+20" and rejects anything else or a
// non-finite result. The integer reader takes decimal 16-bit values only.
std::optional<double> ParseNumber(std::string_view text);

// The number at the start of an input box answer or a settings value, the
// way the program has always read them: blanks anywhere are ignored, the
// number ends at the first character that cannot continue it ("12abc" is
// 12, "1 2" is 12), an exponent counts only with digits after it. Nothing
// when the text does not start with a number or the value is not finite.
std::optional<double> LeadingNumber(std::string_view text);
std::optional<int16_t> ParseInt16(std::string_view text);

// std::from_chars for a double, also where the standard library lacks it
// (the web viewer's): a decimal number whatever the C library's locale,
// out of range (value unchanged) when it overflows or underflows.
std::from_chars_result ReadDouble(const char* first, const char* last, double& value);
// The value in exponent form with `precision` digits after the point
// ("1.25e+03"), whatever the C library's locale.
std::string ScientificText(double value, int precision);
// The shortest text that reads back as this float, whatever the locale.
std::string ShortestFloatText(float value);

}  // namespace sakuzu
