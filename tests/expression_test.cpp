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
      const int i = AddObject(fig, kNumberClass);
      fig.Numbers[i].value = v, fig.Numbers[i].exists = kTrue, fig.Numbers[i].independent = -1;
    }
  }
  NumberRecord& Run(const std::string& expression) {
    const int s = AppendStep(fig);
    fig.StepKind[s] = "CALC";
    const int n = AddObject(fig, kNumberClass);
    fig.Numbers[n].expression = expression;
    fig.Numbers[n].value = 777;
    fig.StepOutputs[s][1] = {kNumberClass, static_cast<int16_t>(n)};
    ComputeExpressionNumber(fig, s);
    return fig.Numbers[n];
  }
  double Value(const std::string& expression) {
    const NumberRecord& r = Run(expression);
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
  twelve[0] = 100, twelve[2] = 4, twelve[11] = 2.75;
  EXPECT_EQ(Calc(twelve).Value("N12*N3"), 11);  // number 12, not number 1
  // Operand indices are read as numbers and rounded, ties to even.
  EXPECT_EQ(Calc({1, 2, 3, 4}).Value("N2.5+N3.5"), 6);
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
  for (const char* text :
       {"", "   ", "N99", "N1+N0", "N1+", "+N1", "N1++N2", "N-1", "N1E3", "N99999999999999"}) {
    EXPECT_FALSE(c.Exists(text)) << text;
  }
  EXPECT_FALSE(c.Exists(std::string(70, '+')));
  c.fig.Numbers[2].value = NAN;  // a damaged operand
  EXPECT_FALSE(c.Exists("N2+N1"));
  // Bad steps or outputs are ignored.
  ComputeExpressionNumber(c.fig, 0);
  ComputeExpressionNumber(c.fig, c.fig.StepCount + 1);
  c.fig.StepOutputs[1][1] = {kNumberClass, 999};
  ComputeExpressionNumber(c.fig, 1);
}

TEST(Expression, DisplayTextAndInstall) {
  Calc c({1, 1, 2, -1.5});
  c.fig.Numbers[1].name = "AB";
  c.fig.Numbers[2].name = "BC";
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N1+N2*N3"), "AB+BC* 2");
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N4^N1"), "-1.5^AB");
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N1-"), "AB-");  // as the dialog builds it
  EXPECT_EQ(ExpressionDisplayText(c.fig, "N1/N42"), "AB/N42");

  // The recalculation driver reaches the evaluator through the engine.
  Engine engine;
  InstallExpressionEvaluator(engine);
  ASSERT_TRUE(engine.computeExpression);
  NumberRecord& product = c.Run("N3*N4");
  product.value = 0, product.exists = kFalse;
  engine.computeExpression(c.fig, c.fig.StepCount);
  EXPECT_TRUE(product.value == -3 && product.exists == kTrue);
}

}  // namespace
}  // namespace sakuzu
