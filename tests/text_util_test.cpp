#include "text/text_util.h"

#include <gtest/gtest.h>

#include <string>

namespace sakuzu {
namespace {

TEST(TextUtil, NthFieldPiecesAndMissingSeparators) {
  EXPECT_EQ(NthField("a=b=c", "=", 1), "a");
  EXPECT_EQ(NthField("a=b=c", "=", 3), "c");
  EXPECT_EQ(NthField("a=b=c", "=", 4), "");
  EXPECT_EQ(NthField("abc", "=", 1), "abc");
  EXPECT_EQ(NthField("abc", "=", 2), "");
  // Any of several separators; the earliest wins.
  EXPECT_EQ(NthField("x_y@z", "@_", 2), "y");
  EXPECT_EQ(NthField("", "=", 1), "");
}

TEST(TextUtil, NthFieldSeesSeparatorsBeforePosition100Only) {
  std::string at99 = std::string(98, 'a') + "=b";
  EXPECT_EQ(NthField(at99, "=", 1), std::string(98, 'a'));
  EXPECT_EQ(NthField(at99, "=", 2), "b");
  std::string at100 = std::string(99, 'a') + "=b";
  EXPECT_EQ(NthField(at100, "=", 1), at100);
  EXPECT_EQ(NthField(at100, "=", 2), "");
  // Positions count characters, not bytes: 98 kanji then "=".
  std::string kanji;
  for (int i = 0; i < 98; ++i) kanji += "点";
  EXPECT_EQ(NthField(kanji + "=x", "=", 2), "x");
  // The limit applies afresh to the text after a separator.
  std::string second = "a=" + std::string(98, 'b') + "=c";
  EXPECT_EQ(NthField(second, "=", 3), "c");
}

TEST(TextUtil, FixedLengthTextsCountCharacters) {
  EXPECT_EQ(CharCount("三角形の外心"), 6);
  EXPECT_EQ(CutToChars("あいうえおかきくけこさ", 10), "あいうえおかきくけこ");
  EXPECT_EQ(PadToChars("点A", 5), "点A   ");
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(TrimRight("  a  "), "  a");
}

}  // namespace
}  // namespace sakuzu
