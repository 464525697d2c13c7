#include "text/number_text.h"

#include <locale.h>
#include <stdlib.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/text_util.h"

namespace sakuzu {
namespace {

// strtod_l in the C locale: the desktop's decimal separator never applies.
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

std::string_view StripBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string FormatNumber(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0) return "0";

  // Round to 15 significant digits first; the exponent of the rounded
  // value decides between fixed and exponent form.
  std::string s = ScientificText(value, 14);
  size_t ePos = s.find('e');
  int exponent = std::atoi(s.c_str() + ePos + 1);
  bool negative = s[0] == '-';
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < ePos; ++i) {
    if (s[i] != '.') digits += s[i];
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    char expText[16];
    std::snprintf(expText, sizeof expText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + expText;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    return out + digits;
  }
  size_t intLen = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= intLen) {
    out += digits;
    out.append(intLen - digits.size(), '0');
    return out;
  }
  return out + digits.substr(0, intLen) + "." + digits.substr(intLen);
}

std::string FormatNumberSigned(double value) {
  std::string text = FormatNumber(value);
  return text[0] == '-' ? text : " " + text;
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = StripBlanks(text);
  if (s.empty()) return std::nullopt;
  // Only plain decimal forms: digits, one point, an optional exponent.
  size_t i = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  size_t mantissaDigits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++mantissaDigits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  // from_chars ignores the desktop's decimal separator; it takes no '+'.
  std::string_view unsigned_ = s.front() == '+' ? s.substr(1) : s;
  double fast = 0;
  auto [p, ec] = ReadDouble(unsigned_.data(), unsigned_.data() + unsigned_.size(), fast);
  if (ec == std::errc() && p == unsigned_.data() + unsigned_.size()) return fast;
  // Subnormal values (which the writer may produce) are out of range for
  // from_chars; strtod_l with the C locale keeps them.
  std::string copy(s);
  char* end = nullptr;
  double v = strtod_l(copy.c_str(), &end, CLocale());
  if (end != copy.c_str() + copy.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<double> LeadingNumber(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t') compact += c;
  }
  size_t i = 0;
  auto digits = [&] {
    size_t start = i;
    while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) ++i;
    return i > start;
  };
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) ++i;
  bool whole = digits();
  bool fraction = false;
  if (i < compact.size() && compact[i] == '.') {
    ++i;
    fraction = digits();
  }
  if (!whole && !fraction) return std::nullopt;
  size_t mantissaEnd = i;
  if (i < compact.size() && (compact[i] == 'E' || compact[i] == 'e')) {
    ++i;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) ++i;
    if (!digits()) i = mantissaEnd;
  }
  return ParseNumber(std::string_view(compact).substr(0, i));
}

std::optional<int16_t> ParseInt16(std::string_view text) {
  std::string_view s = StripBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  int value = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int16_t>(value);
}

std::from_chars_result ReadDouble(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars)
  return std::from_chars(first, last, value);
#else
  // strtod would also take blanks, a '+', hexadecimal and "inf": only
  // what from_chars takes may reach it.
  const char* p = first;
  if (p < last && *p == '-') ++p;
  const char* digits = p;
  while (p < last && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '.')) ++p;
  if (p == digits || (p - digits == 1 && *digits == '.'))
    return {first, std::errc::invalid_argument};
  if (p < last && (*p == 'e' || *p == 'E')) {
    const char* exponent = p + 1;
    if (exponent < last && (*exponent == '+' || *exponent == '-')) ++exponent;
    const char* expDigits = exponent;
    while (exponent < last && std::isdigit(static_cast<unsigned char>(*exponent))) ++exponent;
    if (exponent > expDigits) p = exponent;
  }
  std::string copy(first, p);
  char* end = nullptr;
  errno = 0;
  double v = strtod_l(copy.c_str(), &end, CLocale());
  const char* stop = first + (end - copy.c_str());
  if (end == copy.c_str()) return {first, std::errc::invalid_argument};
  if (errno == ERANGE) return {stop, std::errc::result_out_of_range};
  value = v;
  return {stop, std::errc()};
#endif
}

std::string ScientificText(double value, int precision) {
  char buf[64];
#if defined(__cpp_lib_to_chars)
  // to_chars ignores the C locale (the window sets it from the desktop).
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision);
  return std::string(buf, res.ptr);
#else
  // Where to_chars lacks precision, printf has no locale to follow.
  int n = std::snprintf(buf, sizeof buf, "%.*e", precision, value);
  return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
#endif
}

std::string ShortestFloatText(float value) {
  char buf[64];
#if defined(__cpp_lib_to_chars)
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
#else
  int n = 0;
  for (int digits = 1; digits <= 9; ++digits) {
    n = std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(buf, nullptr) == value) break;
  }
  return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
#endif
}

}  // namespace sakuzu
