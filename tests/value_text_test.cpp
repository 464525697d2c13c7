#include "numbers/value_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sakuzu {
namespace {

TEST(ValueText, FormatValueColumnsAndRounding) {
  EXPECT_EQ(FormatValue(3.14159, 2), "   3.14");
  EXPECT_EQ(FormatValue(-12.5, 2), " -12.50");
  EXPECT_EQ(FormatValue(1234.5, 2), " 1234.50");
  EXPECT_EQ(FormatValue(3.7, 0), "   4.");
  EXPECT_EQ(FormatValue(-0.4, 0), "  -0.");
  EXPECT_EQ(FormatValue(999.996, 2), " 1000.00");  // the carry adds a digit
  EXPECT_EQ(FormatValue(-999.994, 2), "-999.99");
  // Halves round away from zero on the 15-digit form, so values that read
  // as a half in decimal round up although their binary form lies below.
  EXPECT_EQ(FormatValue(2.675, 2), "   2.68");
  EXPECT_EQ(FormatValue(-0.125, 2), "  -0.13");
  EXPECT_EQ(FormatValue(0.49999999999999956, 3), "   0.500");
  // Tiny and huge values.
  EXPECT_EQ(FormatValue(0.00052, 3), "   0.001");
  EXPECT_EQ(FormatValue(1.5e-30, 2), "   0.00");
  EXPECT_EQ(FormatValue(1.5e20, 1), " 150000000000000000000.0");
  // Twenty places show the 15 significant digits and zeros after them.
  EXPECT_EQ(FormatValue(1.0 / 3, 20), "   0.33333333333333300000");
  EXPECT_EQ(FormatValue(-2.0 / 3, 20), "  -0.66666666666666700000");
  EXPECT_EQ(FormatValue(0.5, 25), FormatValue(0.5, 20));  // clamped
  EXPECT_EQ(FormatValue(3.7, -1), FormatValue(3.7, 0));
}

TEST(ValueText, PointColumnIsFixedBelowAThousand) {
  for (int k : {0, 1, 2, 5, 20}) {
    for (double v : {0.0, 0.004, 7.25, -7.25, 12.345678, -99.5, 123.456, -999.4, 0.1 + 0.2}) {
      std::string text = FormatValue(v, k);
      ASSERT_EQ(text.find('.'), 4u) << v << " " << k;
      EXPECT_EQ(text.size(), 5u + static_cast<size_t>(k)) << v << " " << k;
      EXPECT_EQ(text.find('-') != std::string::npos, v < 0) << text;
    }
  }
}

TEST(ValueText, ListLines) {
  Figure fig;
  auto add = [&](double v, const std::string& name, int16_t independent, int16_t display = 0) {
    int i = AddObject(fig, kNumberClass);
    NumberRecord& n = fig.Numbers[i];
    n.value = v, n.name = name, n.independent = independent, n.display = display, n.exists = kTrue;
    return i;
  };
  const int ab = add(2.5, "AB", 0), freeNumber = add(4, "k", -1), hidden = add(1, "∠ABC", 0, 7),
            product = add(-0.125, "AB*k", 0), gone = add(3, "CD", 0);
  fig.Numbers[gone].exists = kFalse;
  // The dialogs' lines; the drawn list is checked with the number display.
  EXPECT_EQ(ValueListLine(fig, hidden, 1), " 3:∠ABC =    1.0");
  EXPECT_EQ(ValueListLine(fig, 99, 2), "");

  // The number being varied joins the list; a measurement that does not
  // exist at present keeps its line, so the lines stay put during a drag.
  const std::vector<int> varied = ListedNumbers(fig, freeNumber);
  EXPECT_EQ(varied, (std::vector<int>{ab, freeNumber, product, gone}));
  EXPECT_EQ(NameColumnWidth(fig, varied), 4);
  EXPECT_EQ(NumberLineBody(fig.Numbers[ab], 4, 2), "AB   =    2.50");
  fig.Numbers[hidden].display = 0;
  EXPECT_EQ(ListedNumbers(fig), (std::vector<int>{ab, hidden, product, gone}));
  EXPECT_EQ(NameColumnWidth(fig, ListedNumbers(fig)), 4);  // counted in characters
}

}  // namespace
}  // namespace sakuzu
