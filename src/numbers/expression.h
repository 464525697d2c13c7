// Expression numbers: a number whose value is an arithmetic combination of
// other numbers, stored as text such as "N1+N3*N2" (operands are number
// indices, operators + - * / ^, no parentheses, no blanks) and evaluated
// afresh from that text at every recalculation.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "geometry/engine.h"
#include "model/figure.h"

namespace sakuzu {

// Working values of one evaluation; operand k sits in slot k, every
// intermediate result takes the next free slot.
constexpr int kWorkingSlots = 51;
using WorkingValues = std::array<double, kWorkingSlots>;

// The five operator characters.
constexpr std::string_view kOperators = "+-*/^";

// Text routines; comparisons ignore the case of ASCII letters and positions
// are 1-based.
int CountOccurrences(std::string_view text, std::string_view pattern);
// The position of the n-th occurrence; n <= 0 asks for the last one (at
// most 1000 occurrences are scanned). With fewer than n occurrences the
// last one is given; 0 when there is none.
int OccurrencePosition(std::string_view text, std::string_view pattern, int n);
int CountOperators(std::string_view text);
// "N12+" and "x12" give 12: the token without leading blanks and without
// its first character, read as a number from its start and rounded (ties
// to even). -1 when the number is beyond the integer range.
int OperandIndex(std::string_view token);

// The binary sub-expression of a reduced text ("x1+x2*x3") to compute
// next: the leftmost "^", else "/", else "*", else "-", else "+", with its
// two neighbouring operands ("x2*x3").
std::string NextSubexpression(std::string_view reducedText);
// Computes one sub-expression over the working values. Nothing when an
// operand slot lies outside the table or the result is not finite. A
// divisor whose magnitude is below 0.01 gives 0.
std::optional<double> EvaluateBinary(std::string_view subexpression, const WorkingValues& values);
// Evaluates a reduced text, consuming it. Nothing when a step fails or the
// working table would overflow.
std::optional<double> ReduceExpression(std::string& reducedText, WorkingValues& values);

// The value of a stored expression over the figure's numbers as they stand
// (their existence is not consulted). Nothing for an empty text, an
// operand outside the number table or a result that is not finite.
std::optional<double> EvaluateExpression(const Figure& fig, std::string_view expression);

// Computes the expression number of a "CALC" step: its first output gets
// the value and exists; it does not exist when the value is undefined.
void ComputeExpressionNumber(Figure& fig, int step);

// The expression with each operand replaced by the number's name, or by
// its value (leading blank when not negative) when it has none:
// "AB+BC* 2". An operand outside the number table shows as written.
std::string ExpressionDisplayText(const Figure& fig, std::string_view expression);

// Lets the recalculation driver reach the evaluator.
void InstallExpressionEvaluator(Engine& engine);

}  // namespace sakuzu
