#include "geometry/kind_code.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/kinds.h"

namespace sakuzu {
namespace {

using namespace std::string_literals;

// The per-kind dispatch switches on these codes, so two texts must share
// a code only when they are the same text.
TEST(KindCode, EqualCodesMeanEqualTexts) {
  for (const KindInfo& a : AllKinds()) {
    EXPECT_NE(KindCode(a.code), kNoKindCode) << a.code;
    for (const KindInfo& b : AllKinds()) {
      EXPECT_EQ(KindCode(a.code) == KindCode(b.code), a.code == b.code) << a.code << " " << b.code;
    }
  }
  // Texts that differ only by case, blanks or NUL bytes are other texts.
  EXPECT_NE(KindCode("P1"), KindCode("p1"));
  EXPECT_NE(KindCode("P1"), KindCode("P1 "));
  EXPECT_NE(KindCode("P1"), KindCode("P1\0"s));
  EXPECT_NE(KindCode("PO-"), KindCode("PO-1"));
  EXPECT_NE(KindCode("\xff"), KindCode("\xff\xff"));  // high bytes do not spill over
  // Nothing longer than seven bytes, nor the empty text, names a kind.
  EXPECT_NE(KindCode("1234567"), kNoKindCode);
  EXPECT_EQ(KindCode("12345678"), kNoKindCode);
  EXPECT_EQ(KindCode(""), kNoKindCode);
  static_assert(KindCode("NA3+") != KindCode("NA3*"));
  // Stored codes are trimmed of blanks only before the lookup.
  EXPECT_EQ(KindCode(TrimView(" CALC ")), KindCode("CALC"));
  EXPECT_EQ(TrimLeftView("  L1 "), "L1 ");
  EXPECT_EQ(TrimRightView("\tL1  "), "\tL1");
  EXPECT_EQ(TrimView("   "), "");
}

}  // namespace
}  // namespace sakuzu
