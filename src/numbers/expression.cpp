#include "numbers/expression.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr int kMaxScannedOccurrences = 1000;
constexpr double kSmallestDivisor = 0.01;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool IsOperator(char c) { return kOperators.find(c) != std::string_view::npos; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t FirstCharLength(std::string_view text) {
  if (text.empty()) return 0;
  size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return n;
}

// Reads a number from the start of the text the way operand tokens are
// read: blanks are skipped anywhere, and reading stops at the first
// character that cannot continue the number.
double ReadLeadingNumber(std::string_view text) {
  std::string clean;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean += text[i++];
  bool point = false;
  bool digits = false;
  for (skipBlanks(); i < text.size(); skipBlanks()) {
    char c = text[i];
    if (IsDigit(c)) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    clean += c;
    ++i;
  }
  if (!digits) return 0;
  if (i < text.size() && (LowerAscii(text[i]) == 'e' || LowerAscii(text[i]) == 'd')) {
    std::string exponent = "e";
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    bool expDigits = false;
    while (j < text.size() && IsDigit(text[j])) exponent += text[j++], expDigits = true;
    if (expDigits) clean += exponent;
  }
  const char* begin = clean.data();
  if (*begin == '+') ++begin;
  double value = 0;
  auto result = ReadDouble(begin, clean.data() + clean.size(), value);
  if (result.ec == std::errc::result_out_of_range) return HUGE_VAL;
  return value;
}

bool IsNumberIndex(const Figure& fig, int index) {
  return index >= 1 && index <= fig.ObjectCounts[kNumberClass] && index <= fig.Numbers.UpperBound();
}

// The stored value of the number an operand token names.
std::optional<double> OperandValue(const Figure& fig, std::string_view token) {
  int index = OperandIndex(token);
  if (!IsNumberIndex(fig, index)) return std::nullopt;
  double value = fig.Numbers[index].value;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// Operator positions (1-based, ascending), gathered per operator kind in
// the order + - * / ^ and then sorted, with an entry 0 in front.
std::vector<int> OperatorPositions(std::string_view expression) {
  std::vector<int> positions{0};
  for (char op : kOperators) {
    std::string_view opText(&op, 1);
    int count = CountOccurrences(expression, opText);
    for (int i = 1; i <= count; ++i) positions.push_back(OccurrencePosition(expression, opText, i));
  }
  std::sort(positions.begin() + 1, positions.end());
  return positions;
}

std::string OperandDisplay(const Figure& fig, std::string_view token) {
  int index = OperandIndex(token);
  if (!IsNumberIndex(fig, index)) return Trim(token);
  const NumberRecord& number = fig.Numbers[index];
  std::string name = TrimRight(number.name);
  if (!name.empty()) return name;
  return FormatNumberSigned(number.value);
}

}  // namespace

int CountOccurrences(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return 0;
  std::string haystack = LowerText(text);
  std::string needle = LowerText(pattern);
  int count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

int OccurrencePosition(std::string_view text, std::string_view pattern, int n) {
  if (pattern.empty()) return 0;
  std::string haystack = LowerText(text);
  std::string needle = LowerText(pattern);
  int limit = n <= 0 ? kMaxScannedOccurrences : n;
  int position = 0;
  size_t from = 0;
  for (int found = 0; found < limit; ++found) {
    size_t at = haystack.find(needle, from);
    if (at == std::string::npos) break;
    position = static_cast<int>(at) + 1;
    from = at + needle.size();
  }
  return position;
}

int CountOperators(std::string_view text) {
  int count = 0;
  for (char op : kOperators) count += CountOccurrences(text, std::string_view(&op, 1));
  return count;
}

int OperandIndex(std::string_view token) {
  std::string_view rest = token;
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  rest.remove_prefix(FirstCharLength(rest));
  double value = std::nearbyint(ReadLeadingNumber(rest));  // ties to even
  if (!(value >= INT_MIN && value <= INT_MAX)) return -1;
  return static_cast<int>(value);
}

std::string NextSubexpression(std::string_view reducedText) {
  size_t p = std::string_view::npos;
  for (char op : std::string_view("^/*-+")) {
    p = reducedText.find(op);
    if (p != std::string_view::npos) break;
  }
  if (p == std::string_view::npos) return std::string(reducedText);
  std::string_view before = reducedText.substr(0, p);
  size_t leftStart = before.find_last_of(kOperators);
  leftStart = leftStart == std::string_view::npos ? 0 : leftStart + 1;
  std::string_view after = reducedText.substr(p + 1);
  size_t rightEnd = after.find_first_of(kOperators);
  return std::string(before.substr(leftStart)) + reducedText[p] +
         std::string(after.substr(0, rightEnd));
}

std::optional<double> EvaluateBinary(std::string_view subexpression, const WorkingValues& values) {
  std::string left = NthField(subexpression, kOperators, 1);
  std::string right = NthField(subexpression, kOperators, 2);
  if (left.size() >= subexpression.size()) return std::nullopt;  // no operator
  char op = subexpression[left.size()];
  int i = OperandIndex(left);
  int j = OperandIndex(right);
  if (i < 0 || i >= kWorkingSlots || j < 0 || j >= kWorkingSlots) return std::nullopt;
  double a = values[static_cast<size_t>(i)];
  double b = values[static_cast<size_t>(j)];
  double result = 0;
  switch (op) {
    case '+':
      result = a + b;
      break;
    case '-':
      result = a - b;
      break;
    case '*':
      result = a * b;
      break;
    case '^':
      result = std::pow(a, b);
      break;
    case '/':
      // A divisor near zero gives 0 rather than a huge value.
      result = std::fabs(b) < kSmallestDivisor ? 0 : a / b;
      break;
    default:
      return std::nullopt;
  }
  if (!std::isfinite(result)) return std::nullopt;
  return result;
}

std::optional<double> ReduceExpression(std::string& reducedText, WorkingValues& values) {
  int m = CountOccurrences(reducedText, "x");
  if (CountOperators(reducedText) == 0) {
    if (m == 0) return 0.0;
    int index = OperandIndex(reducedText);
    if (index < 0 || index >= kWorkingSlots) return std::nullopt;
    return values[static_cast<size_t>(index)];
  }
  do {
    std::string sub = NextSubexpression(reducedText);
    std::optional<double> v = EvaluateBinary(sub, values);
    if (!v) return std::nullopt;
    int at = OccurrencePosition(reducedText, sub, 1);
    if (at == 0 || ++m >= kWorkingSlots) return std::nullopt;
    values[static_cast<size_t>(m)] = *v;
    size_t start = static_cast<size_t>(at - 1);
    reducedText = reducedText.substr(0, start) + "x" + std::to_string(m) +
                  reducedText.substr(start + sub.size());
  } while (CountOperators(reducedText) != 0);
  return values[static_cast<size_t>(m)];
}

std::optional<double> EvaluateExpression(const Figure& fig, std::string_view expression) {
  std::string text = CutToChars(expression, kExpressionLength);
  if (Trim(text).empty()) return std::nullopt;
  std::vector<int> positions = OperatorPositions(text);
  int k = static_cast<int>(positions.size()) - 1;
  // Each operand takes a slot and each operator one more for its result.
  if (2 * k + 1 >= kWorkingSlots) return std::nullopt;
  WorkingValues values{};
  std::string reduced;
  for (int i = 1; i <= k; ++i) {
    size_t from = static_cast<size_t>(positions[static_cast<size_t>(i - 1)]);
    size_t to = static_cast<size_t>(positions[static_cast<size_t>(i)]);
    std::optional<double> value = OperandValue(fig, std::string_view(text).substr(from, to - from));
    if (!value) return std::nullopt;
    values[static_cast<size_t>(i)] = *value;
    reduced += "x" + std::to_string(i) + text[to - 1];
  }
  std::string_view last = std::string_view(text).substr(static_cast<size_t>(positions.back()));
  std::optional<double> lastValue = OperandValue(fig, last);
  if (!lastValue) return std::nullopt;
  values[static_cast<size_t>(k + 1)] = *lastValue;
  reduced += "x" + std::to_string(k + 1);
  return ReduceExpression(reduced, values);
}

void ComputeExpressionNumber(Figure& fig, int step) {
  if (step < 1 || step > fig.StepCount) return;
  ObjectRef out = fig.StepOutputs[step][1];
  if (out.ObjectClassCode() != kNumberClass || !IsNumberIndex(fig, out.index)) return;
  NumberRecord& number = fig.Numbers[out.index];
  std::optional<double> value = EvaluateExpression(fig, number.expression);
  if (!value) {
    number.exists = kFalse;
    return;
  }
  number.value = *value;
  number.exists = kTrue;
}

std::string ExpressionDisplayText(const Figure& fig, std::string_view expression) {
  std::string text = TrimRight(expression);
  if (TrimLeft(text).empty()) return {};
  std::string rest = text;
  std::string out;
  std::string token;
  for (;;) {
    token = NthField(rest, kOperators, 1);
    if (token == rest) break;
    out += OperandDisplay(fig, token) + rest[token.size()];
    rest.erase(0, token.size() + 1);
    if (rest.empty()) break;
  }
  if (!IsOperator(text.back())) out += OperandDisplay(fig, token);
  return out;
}

void InstallExpressionEvaluator(Engine& engine) {
  engine.computeExpression = ComputeExpressionNumber;
}

}  // namespace sakuzu
