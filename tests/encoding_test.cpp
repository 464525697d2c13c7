#include "text/encoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace sakuzu {
namespace {

TEST(Encoding, ChoosesCp932WhenEverythingFitsElseUtf8WithBom) {
  std::string japanese = "三角形ＡＢＣ";
  std::string bytes = EncodeFileText(japanese);
  EXPECT_EQ(bytes, *Utf8ToCp932(japanese));
  EXPECT_FALSE(IsValidUtf8(bytes));
  EXPECT_EQ(DecodeFileText(bytes), japanese);

  std::string outside = "点😀";  // not in CP932
  std::string utf8 = EncodeFileText(outside);
  EXPECT_EQ(utf8, "\xEF\xBB\xBF" + outside);
  EXPECT_EQ(DecodeFileText(utf8), outside);
  EXPECT_EQ(DecodeFileText(outside), outside);  // UTF-8 without BOM

  // A character that CP932 holds only one way must not change on saving.
  std::string waveDash = "\xE3\x80\x9C";  // U+301C
  if (Utf8ToCp932(waveDash)) {
    EXPECT_EQ(DecodeFileText(EncodeFileText(waveDash)), waveDash);
  }
}

// In CP932 half-width katakana can also be valid UTF-8: "ﾃｽ" is C3 BD,
// which is "ý". Whatever is written reads back identical, and a file from
// an older program with such bytes reads as its katakana.
TEST(Encoding, HalfWidthKatakanaSurviveBothWays) {
  std::vector<std::string> kana;
  for (unsigned c = 0xFF61; c <= 0xFF9F; ++c) {
    kana.push_back({'\xEF', static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))});
  }
  int changed = 0;
  std::string firstChanged;
  for (const std::string& a : kana) {
    for (const std::string& b : kana) {
      std::string text = "\"P" + a + b + "\"\r\n";
      std::string bytes = EncodeFileText(text);
      if (DecodeFileText(bytes) == text && DecodeFileLines(bytes)[0] == "\"P" + a + b + "\"") {
        continue;
      }
      if (changed++ == 0) firstChanged = text;
    }
  }
  EXPECT_EQ(changed, 0) << firstChanged;
  // Katakana whose bytes cannot pass for UTF-8 still go out as CP932.
  EXPECT_EQ(EncodeFileText("ｱｲ"), "\xB1\xB2");

  EXPECT_EQ(DecodeFileText("\"\xC3\xBD\"\r\n\"\xCE\xBC\"\r\n"), "\"ﾃｽ\"\r\n\"ﾎｼ\"\r\n");
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF\xC3\xBD"), "ý");  // the BOM says UTF-8
  // UTF-8 with kana stays UTF-8, though CP932 could read it ("縺ｱ").
  EXPECT_EQ(DecodeFileText("ぱ"), "ぱ");
}

TEST(Encoding, RejectsMalformedBytes) {
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));      // cut short
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
  // Neither UTF-8 nor CP932: a lone lead byte at the end.
  EXPECT_FALSE(DecodeFileText("abc\x81").has_value());
  // Line by line only the bad line is lost; a BOM holds for every line.
  auto lines = DecodeFileLines(
      "\xEF\xBB\xBF"
      "a\r\nb\x81\r\n\xC3\xBD\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_FALSE(lines[1].has_value());
  EXPECT_EQ(lines[2], "ý");
  EXPECT_EQ(DecodeFileLines("\x95\xD3\r\n\xC3\xBD")[1], "ﾃｽ");
}

}  // namespace
}  // namespace sakuzu
