#include "numbers/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace sakuzu {
namespace {

// Numbers 1..n with the given values (existing, unnamed), then a "CALC"
// step whose output is evaluated.
struct Calc {
  Figure fig;

  explicit Calc(std::vector<double> values) {
    for (double v : values) {
      int i = AddObject(fig, kNumberClass);
      fig.Numbers[i].value = v;
      fig.Numbers[i].exists = kTrue;
      fig.Numbers[i].independent = -1;
    }
  }
  NumberRecord& Run(const std::string& expression) {
    int s = AppendStep(fig);
    fig.StepKind[s] = "CALC";
    int n = AddObject(fig, kNumberClass);
    fig.Numbers[n].expression = expression;
    fig.Numbers[n].value = 777;
    fig.StepOutputs[s][1] = {kNumberClass, static_cast<int16_t>(n)};
    ComputeExpressionNumber(fig, s);
    return fig.Numbers[n];
  }
  double Value(const std::string& expression) {
    NumberRecord& r = Run(expression);
    EXPECT_EQ(r.exists, kTrue) << expression;
    return r.value;
  }
  bool Exists(const std::string& expression) { return Run(expression).exists != kFalse; }
};

TEST(Expression, PrecedenceAndChaining) {
  EXPECT_EQ(Calc({0, 0, 4.25}).Value("N3"), 4.25);
  EXPECT_EQ(Calc({10, 3, 2}).Value("N1-N2-N3"), 5);
  EXPECT_EQ(Calc({8, 2, 2}).Value("N1/N2/N3"), 2);
  EXPECT_EQ(Calc({2, 3, 2}).Value("N1^N2^N3"), 64);
  EXPECT_EQ(Calc({1, 2, 3}).Value("N1+N2*N3"), 7);
  EXPECT_EQ(Calc({2, 3, 2}).Value("N1*N2^N3"), 18);
  // "/" binds before "*": x1*(x2/x3), and (x1/x2)*x3. The small-divisor
  // rule makes the order visible.
  EXPECT_EQ(Calc({100, 1, 0.005}).Value("N1*N2/N3"), 0);
  EXPECT_DOUBLE_EQ(Calc({1, 0.1, 0.05}).Value("N1/N2*N3"), 0.5);
  // "-" binds before "+": 0.1+(0.2-0.3) differs in the last bit from (0.1+0.2)-0.3.
  EXPECT_EQ(Calc({0.1, 0.2, 0.3}).Value("N1+N2-N3"), 0.1 + (0.2 - 0.3));
  EXPECT_EQ(Calc({1.5, 2.5, 0.5, 4}).Value("N1-N2*N3^N4+N1/N4"),
            1.5 - 2.5 * std::pow(0.5, 4) + 1.5 / 4);
  EXPECT_EQ(Calc({2.5, -1.25}).Value("n1*n2"), -3.125);  // letter case is free
}

TEST(Expression, DivisionRuleAndOperandReading) {
  EXPECT_EQ(Calc({7, 0.005}).Value("N1/N2"), 0);
  EXPECT_EQ(Calc({7, -0.00999}).Value("N1/N2"), 0);
  EXPECT_DOUBLE_EQ(Calc({7, -0.01}).Value("N1/N2"), -700);
  EXPECT_DOUBLE_EQ(Calc({7, 0.01}).Value("N1/N2"), 700);
  std::vector<double> twelve(12, 1.0);
  twelve[11] = 2.75;
  twelve[2] = 4;
  twelve[0] = 100;
  EXPECT_EQ(Calc(twelve).Value("N12*N3"), 11);
  // A number that does not exist still gives its stored value.
  Calc gone({3, 5});
  gone.fig.Numbers[2].exists = kFalse;
  EXPECT_EQ(gone.Value("N1+N2"), 8);
  // The longest expression that fits: 23 operands.
  std::string sum = "N1";
  for (int i = 0; i < 22; ++i) sum += "+N1";
  EXPECT_EQ(Calc({0.5}).Value(sum), 11.5);
}

TEST(Expression, UndefinedValuesMakeNoNumber) {
  Calc c({-8, 1.0 / 3, 0, -1, 10, 400, 2});
  EXPECT_FALSE(c.Exists("N1^N2"));       // negative base, non-integral exponent
  EXPECT_EQ(c.Run("N1^N2").value, 777);  // value left as it was
  EXPECT_FALSE(c.Exists("N3^N4"));       // 0 to a negative power
  EXPECT_FALSE(c.Exists("N5^N6"));       // overflow
  EXPECT_FALSE(c.Exists("N5^N6*N3"));    // an infinite intermediate
  EXPECT_EQ(c.Value("N1^N7"), 64);       // integral exponent of a negative base
  EXPECT_EQ(c.Value("N3^N3"), 1);
  // Texts that the dialog never stores.
  EXPECT_FALSE(c.Exists(""));
  EXPECT_FALSE(c.Exists("   "));
  EXPECT_FALSE(c.Exists("N99"));
  EXPECT_FALSE(c.Exists("N1+N0"));
  EXPECT_FALSE(c.Exists("N1+"));
  EXPECT_FALSE(c.Exists("+N1"));
  EXPECT_FALSE(c.Exists("N1++N2"));
  EXPECT_FALSE(c.Exists("N-1"));
  EXPECT_FALSE(c.Exists(std::string(70, '+')));
  c.fig.Numbers[2].value = NAN;  // a damaged operand
  EXPECT_FALSE(c.Exists("N2+N1"));
  // Bad steps or outputs are ignored.
  ComputeExpressionNumber(c.fig, 0);
  ComputeExpressionNumber(c.fig, c.fig.StepCount + 1);
  c.fig.StepOutputs[1][1] = {kNumberClass, 999};
  ComputeExpressionNumber(c.fig, 1);
}

TEST(Expression, TextRoutines) {
  EXPECT_EQ(CountOccurrences("x1+X2*x3", "x"), 3);
  EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
  EXPECT_EQ(CountOccurrences("abc", ""), 0);
  EXPECT_EQ(OccurrencePosition("N1+N2+N3", "+", 1), 3);
  EXPECT_EQ(OccurrencePosition("N1+N2+N3", "+", 2), 6);
  EXPECT_EQ(OccurrencePosition("N1+N2+N3", "+", 0), 6);
  EXPECT_EQ(OccurrencePosition("N1+N2+N3", "+", 5), 6);
  EXPECT_EQ(OccurrencePosition("N1+N2+N3", "n", 2), 4);
  EXPECT_EQ(OccurrencePosition("N1", "*", 1), 0);
  EXPECT_EQ(CountOperators("N1+N2-N3*N4/N5^N6"), 5);
  EXPECT_EQ(OperandIndex("N12+"), 12);
  EXPECT_EQ(OperandIndex("x12"), 12);
  EXPECT_EQ(OperandIndex("  N3    "), 3);
  EXPECT_EQ(OperandIndex("N2.5"), 2);  // ties to even
  EXPECT_EQ(OperandIndex("N3.5"), 4);
  EXPECT_EQ(OperandIndex("N"), 0);
  EXPECT_EQ(OperandIndex(""), 0);
  EXPECT_EQ(OperandIndex("N1E3*"), 1000);
  EXPECT_EQ(OperandIndex("N99999999999999"), -1);
  EXPECT_EQ(NextSubexpression("x1+x2*x3"), "x2*x3");
  EXPECT_EQ(NextSubexpression("x1*x2/x3"), "x2/x3");
  EXPECT_EQ(NextSubexpression("x1-x2^x3-x4"), "x2^x3");
  EXPECT_EQ(NextSubexpression("x7"), "x7");

  WorkingValues w{};
  w[1] = 1, w[2] = 2, w[3] = 3;
  std::string t = "x1+x2*x3";
  EXPECT_EQ(ReduceExpression(t, w), 7);
  EXPECT_EQ(t, "x5");
  EXPECT_EQ(w[4], 6);
  EXPECT_EQ(EvaluateBinary("x1^x3", w), 1);
  EXPECT_FALSE(EvaluateBinary("x1+x77", w).has_value());
  std::string empty;
  EXPECT_EQ(ReduceExpression(empty, w), 0);
}

TEST(Expression, DisplayTextAndInstall) {
  Calc c({1, 1, 2, -1.5});
  c.fig.Numbers[1].name = "AB";
  c.fig.Numbers[2].name = "BC";
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N1+N2*N3"), "AB+BC* 2");
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N4^N1"), "-1.5^AB");
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N3"), " 2");
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N1-"), "AB-");  // as the dialog builds it
  EXPECT_EQ(ExpressionDisplayText(c.fig, "  "), "");
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N1/N42"), "AB/N42");

  Engine engine;
  InstallExpressionEvaluator(engine);
  ASSERT_TRUE(engine.computeExpression);
  int s = AppendStep(c.fig);
  c.fig.StepKind[s] = "CALC";
  int n = AddObject(c.fig, kNumberClass);
  c.fig.Numbers[n].expression = "N3*N4";
  c.fig.StepOutputs[s][1] = {kNumberClass, static_cast<int16_t>(n)};
  engine.computeExpression(c.fig, s);
  EXPECT_EQ(c.fig.Numbers[n].value, -3);
  EXPECT_EQ(c.fig.Numbers[n].exists, kTrue);
}

}  // namespace
}  // namespace sakuzu
