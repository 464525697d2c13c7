#include "text/encoding.h"

#include <gtest/gtest.h>

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

TEST(Encoding, RejectsMalformedBytes) {
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));      // cut short
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
  // Neither UTF-8 nor CP932: a lone lead byte at the end.
  EXPECT_FALSE(DecodeFileText("abc\x81").has_value());
}

}  // namespace
}  // namespace sakuzu
