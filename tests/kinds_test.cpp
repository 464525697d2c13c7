#include "model/kinds.h"

#include <gtest/gtest.h>

#include <set>

namespace sakuzu {
namespace {

TEST(Kinds, DisplayNames) {
  EXPECT_EQ(KindDisplayName(" p1 "), "三角形の外心");
  EXPECT_EQ(KindDisplayName("NA3M") + KindDisplayName("XYZ"), "");  // translated: English test
}

TEST(Kinds, CatalogueIsCompleteAndConsistent) {
  std::set<std::string> codes;
  std::set<std::string> controls;
  for (const KindInfo& k : AllKinds()) {
    EXPECT_TRUE(codes.insert(std::string(k.code)).second) << "duplicate " << k.code;
    EXPECT_LE(k.inputs.size(), 5u) << k.code;
    EXPECT_LE(k.outputs.size(), 5u) << k.code;
    for (int16_t c : k.inputs) EXPECT_TRUE(c == 1 || c == 2 || c == 3 || c == 100 || c == 200);
    // A group's take-over mark is its last input slot, and only groups have it.
    bool hasMark = !k.inputs.empty() && k.inputs.back() == kGroupMark;
    EXPECT_EQ(hasMark, k.group) << k.code;
    if (!k.outputs.empty() && k.code != "CALC" && k.code != "PT62") {
      int first = k.outputs[0] == kPendingNumberMark ? 0 : k.outputs[0];
      EXPECT_EQ(first, KindOutputClass(k.code)) << k.code;
    }
    for (const KindCommand& c : k.commands) {
      EXPECT_TRUE(controls.insert(std::string(c.control)).second) << c.control;
    }
  }
  EXPECT_EQ(codes.size(), 86u);  // every kind of the table, and "PT62"
  EXPECT_TRUE(IsGroupKind("LRGN") && !IsGroupKind("L3"));
  EXPECT_EQ(KindOutputClass("CALC"), kNumberClass);  // the one exception to the first letter
  EXPECT_EQ(FindKind("L1")->commands[2].outputLineKind, 1);  // segment form
  EXPECT_EQ(FindKind("C4")->commands[0].inputLineKind, 1);   // needs a segment
  EXPECT_EQ(NormaliseKind(" abcdefg"), "ABCDE");
}

}  // namespace
}  // namespace sakuzu
