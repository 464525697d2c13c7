// Values as the number lists show them: a fixed number of decimals with
// the decimal point in the same column for every value below 1000, and
// the list lines "index:name = value".
#pragma once

#include <string>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 20;

// The value with `decimals` places (clamped to 0..20), rounded half away
// from zero on its 15-significant-digit form, a "-" or a blank for the
// sign, and blanks in front so that the point stands in column 5 for
// values below 1000: 3.14159 with 2 places is "   3.14", -12.5 " -12.50",
// 3.7 with 0 places "   4.".
std::string FormatValue(double value, int decimals);

// A line of the dialogs' number lists: " 3:AB =    2.50".
std::string ValueListLine(const Figure& fig, int number, int decimals);

// The numbers the on-screen list shows, in index order: computed numbers
// (`independent` neither -1 nor 7) that are shown (`display` 0), whether
// they exist at present or not, plus the free number being varied (0 for
// none).
std::vector<int> ListedNumbers(const Figure& fig, int variedNumber = 0);
// The width of the name column: the longest listed name, in characters.
int NameColumnWidth(const Figure& fig, const std::vector<int>& listed);
// The index part of an on-screen line, " 3:".
std::string NumberLineHead(int number);
// The rest of an on-screen line: the name ("*" shown as "×") padded to
// the column width, " = " and the value.
std::string NumberLineBody(const NumberRecord& record, int nameWidth, int decimals);
// The name as the list shows it: "*" as "×", trimmed.
std::string ListedName(const NumberRecord& record);

}  // namespace sakuzu
