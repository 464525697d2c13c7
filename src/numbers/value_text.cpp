#include "numbers/value_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr int kSignificantDigits = 15;
constexpr int kPointColumn = 4;  // the point's position in the digits for values below 1000

// The 15 significant digits of a positive value and the number of digits
// before the decimal point: value = 0.DDD... × 10^pointPos.
struct Digits {
  std::string mantissa;
  int pointPos = 0;
};

Digits SignificantDigits(double magnitude) {
  if (magnitude == 0) return {std::string(kSignificantDigits, '0'), 1};
  std::string text = ScientificText(magnitude, kSignificantDigits - 1);
  size_t e = text.find('e');
  Digits d;
  for (size_t i = 0; i < e; ++i) {
    if (text[i] != '.') d.mantissa += text[i];
  }
  d.pointPos = std::atoi(text.c_str() + e + 1) + 1;
  return d;
}

// Adds one unit in the last place of a digit string, growing it on carry.
void IncrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |value| with exactly `decimals` places, "0" before the point when the
// integer part is zero.
std::string FixedDigits(double magnitude, int decimals) {
  Digits d = SignificantDigits(magnitude);
  auto digitAt = [&](int i) {
    return (i >= 0 && i < kSignificantDigits) ? d.mantissa[static_cast<size_t>(i)] : '0';
  };
  std::string integer = d.pointPos > 0 ? "" : "0";
  for (int i = 0; i < d.pointPos; ++i) integer += digitAt(i);
  std::string all = integer;
  for (int j = 0; j < decimals; ++j) all += digitAt(d.pointPos + j);
  if (digitAt(d.pointPos + decimals) >= '5') IncrementDigits(all);
  size_t intLength = all.size() - static_cast<size_t>(decimals);
  return all.substr(0, intLength) + "." + all.substr(intLength);
}

std::string DisplayName(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c == '*') {
      out += "×";
    } else {
      out += c;
    }
  }
  return Trim(out);
}

}  // namespace

std::string FormatValue(double value, int decimals) {
  if (!std::isfinite(value)) return FormatNumberSigned(value);
  int k = std::clamp(decimals, kMinDecimals, kMaxDecimals);
  std::string sign = value < 0 ? "-" : " ";
  std::string digits = FixedDigits(std::fabs(value), k);
  int p = static_cast<int>(digits.find('.')) + 1;
  std::string blanks(static_cast<size_t>(std::max(0, kPointColumn - p)), ' ');
  return blanks + sign + digits;
}

std::string ValueListLine(const Figure& fig, int number, int decimals) {
  if (number < 1 || number > fig.Numbers.UpperBound()) return {};
  const NumberRecord& record = fig.Numbers[number];
  return NumberLineHead(number) + Trim(record.name) + " = " + FormatValue(record.value, decimals);
}

std::vector<int> ListedNumbers(const Figure& fig, int variedNumber) {
  // Existence is not consulted: the lines must stay put while a drag makes
  // a measurement come and go, or the overprinting erase would miss lines.
  std::vector<int> listed;
  int count = std::min<int>(fig.ObjectCounts[kNumberClass], fig.Numbers.UpperBound());
  for (int i = 1; i <= count; ++i) {
    const NumberRecord& r = fig.Numbers[i];
    bool shown = r.independent != -1 && r.independent != 7 && r.display == 0;
    if (shown || i == variedNumber) listed.push_back(i);
  }
  return listed;
}

int NameColumnWidth(const Figure& fig, const std::vector<int>& listed) {
  int width = 0;
  for (int i : listed) {
    if (i < 1 || i > fig.Numbers.UpperBound()) continue;
    width = std::max(width, CharCount(TrimRight(fig.Numbers[i].name)));
  }
  return width;
}

std::string NumberLineHead(int number) { return FormatNumberSigned(number) + ":"; }

std::string NumberLineBody(const NumberRecord& record, int nameWidth, int decimals) {
  return PadToChars(DisplayName(record.name), nameWidth) + " = " +
         FormatValue(record.value, decimals);
}

std::string ListedName(const NumberRecord& record) { return DisplayName(record.name); }

}  // namespace sakuzu
