#include "text/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <utility>

namespace sakuzu {
namespace {

TEST(NumberText, GeneralForm) {
  EXPECT_EQ(FormatNumber(2), "2");
  EXPECT_EQ(FormatNumber(-0.5), "-0.5");
  EXPECT_EQ(FormatNumber(-0.0), "0");
  EXPECT_EQ(FormatNumber(1.5e20), "1.5E+20");
  EXPECT_EQ(FormatNumber(1e-5), "1E-05");
  EXPECT_EQ(FormatNumber(0.0001), "0.0001");
  EXPECT_EQ(FormatNumber(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatNumber(1e15), "1E+15");
  EXPECT_EQ(FormatNumber(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatNumber(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatNumber(1e300 * 10), "1E+301");
  EXPECT_EQ(FormatNumber(-1234.5678), "-1234.5678");
  // Rounding may carry into a new digit.
  EXPECT_EQ(FormatNumber(9.9999999999999999), "10");
  EXPECT_EQ(FormatNumberSigned(1.5), " 1.5");
  EXPECT_EQ(FormatNumberSigned(-1.5), "-1.5");
}

TEST(NumberText, ReadsEveryWrittenFormAndNothingElse) {
  const std::pair<const char*, double> good[] = {
      {"0.5", 0.5},      {".5", 0.5},         {"-.5", -0.5},
      {" 1E-05 ", 1e-5}, {"1.5e+20", 1.5e20}, {"4.94065645841247E-324", 4.94065645841247E-324}};
  for (auto [text, value] : good) EXPECT_EQ(ParseNumber(text), value) << text;
  for (const char* bad :
       {"", "-", ".", "1e", "abc", "1,5", "nan", "inf", "1E+400", "0x10", "1 2"}) {
    EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
  }
  // Answers and settings values: the leading number, blanks ignored.
  const std::pair<const char*, double> leading[] = {
      {" 1 2 ", 12}, {"12abc", 12}, {"-.5x", -0.5}, {"2e", 2}, {"1.5E+2pt", 150}};
  for (auto [text, value] : leading) EXPECT_EQ(LeadingNumber(text), value) << text;
  EXPECT_FALSE(LeadingNumber("abc").has_value() || LeadingNumber("-").has_value());
  EXPECT_EQ(ParseInt16("-1"), -1);
  EXPECT_EQ(ParseInt16(" 32767"), 32767);
  for (const char* bad : {"32768", "1.5", ""}) EXPECT_FALSE(ParseInt16(bad).has_value()) << bad;
}

TEST(NumberText, IgnoresTheDesktopLocale) {
  // A desktop with a decimal comma must not change the file's numbers.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
  EXPECT_EQ(FormatNumber(1.5), "1.5");
  EXPECT_EQ(ParseNumber("1.5"), 1.5);
  EXPECT_EQ(LeadingNumber("0.5"), 0.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace sakuzu
