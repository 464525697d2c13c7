#include "interact/relation_words.h"

#include <gtest/gtest.h>

#include <string>

#include "japanese_text.h"
#include "lang/translate.h"
#include "test_figure.h"

namespace sakuzu {
namespace {

std::string English(const std::string& text) { return EnglishFor(text); }

struct Named : TestFigure {
  ObjectRef o = Name(Point(0, 0), "O"), g = Name(Point(1, 0), "G"), h = Name(Point(3, 0), "H");
  ObjectRef ab = Name(Line(0, 0, 1, 0), "AB"), ac = Name(Line(0, 0, 0, 1), "AC");
  ObjectRef circle = Name(Circle(0, 0, 2), "1"), unnamed = Name(Point(5, 5), "");
  ObjectRef r = Name(Number(4.2), "r");

  ObjectRef Name(ObjectRef ref, const char* name) {
    SetObjectName(fig, ref, name);
    return ref;
  }
};

RelationAnswer Answer(Relation relation, CheckOutcome outcome) {
  RelationAnswer a;
  a.relation = std::move(relation);
  a.outcome = outcome;
  a.now = NowState::kHolds;
  a.tried = a.existing = 10000;
  a.seed = 1;
  return a;
}

TEST(RelationWordsTest, AnswersReadAsTheTeachersAskedForThem) {
  Named f;
  RelationAnswer a = Answer({RelationKind::kCollinear, {f.o, f.g, f.h}}, CheckOutcome::kAlways);
  EXPECT_EQ(RelationAnswerText(f.fig, a),
            "O, G, H は常に一直線上にあります（10,000 通り中 10,000 通り、乱数の種 1）");
  EXPECT_EQ(RelationAnswerText(f.fig, a, English),
            "O, G and H are always collinear (10,000 of 10,000 positions, seed 1)");

  a = Answer({RelationKind::kPerpendicular, {f.ab, f.ac}}, CheckOutcome::kNotAlways);
  a.existing = 9990, a.failing = 9980;
  EXPECT_EQ(RelationAnswerText(f.fig, a),
            "今は AB ⊥ AC ですが、常にではありません（10,000 通り中 9,990 "
            "通りで存在、うち 9,980 通りで不成立、乱数の種 1）");
  EXPECT_EQ(
      RelationAnswerText(f.fig, a, English),
      "AB ⊥ AC now, but not always (fails in 9,980 of 9,990 positions; 10,000 tried; seed 1)");
  a.now = NowState::kFails;
  EXPECT_EQ(RelationAnswerText(f.fig, a, English).substr(0, 33),
            "AB and AC are not perpendicular (");

  // Places to four decimals; names made of digits get their class.
  a.counterexample = {{f.g, 1.234567, -3.5}, {f.r, 4.2}, {f.unnamed, 0.00004, 2}};
  EXPECT_EQ(CounterexampleText(f.fig, a), "反例：G = (1.2346, -3.5), r = 4.2, 点4 = (0, 2)");
  EXPECT_EQ(CounterexampleText(f.fig, a, English),
            "Counterexample: G = (1.2346, -3.5), r = 4.2, point 4 = (0, 2)");
  EXPECT_EQ(
      RelationAnswerText(
          f.fig, Answer({RelationKind::kOnCircle, {f.h, f.circle}}, CheckOutcome::kAlways), English)
          .substr(0, 27),
      "H always lies on circle 1 (");
}

TEST(RelationWordsTest, EveryAnswerIsWholeInBothLanguages) {
  Named f;
  const Relation relations[] = {
      {RelationKind::kOnLine, {f.o, f.ab}},
      {RelationKind::kConcyclic, {f.o, f.g, f.h, f.unnamed}},
      {RelationKind::kParallel, {f.ab, f.ac}},
      {RelationKind::kLineTangent, {f.ab, f.circle}},
      {RelationKind::kEqualDistances, {f.o, f.g, f.o, f.h}},
      {RelationKind::kEqualAngles, {f.o, f.g, f.h, f.g, f.h, f.o}},
  };
  const CheckOutcome outcomes[] = {CheckOutcome::kAlways,       CheckOutcome::kNotAlways,
                                   CheckOutcome::kFixedHolds,   CheckOutcome::kFixedFails,
                                   CheckOutcome::kNeverExists,  CheckOutcome::kAllDegenerate,
                                   CheckOutcome::kNotWellFormed};
  for (const Relation& r : relations) {
    for (CheckOutcome outcome : outcomes) {
      for (NowState now : {NowState::kHolds, NowState::kFails, NowState::kDegenerate}) {
        for (int tried : {0, 10000}) {
          RelationAnswer a = Answer(r, outcome);
          a.now = now, a.tried = tried, a.inconclusive = 3;
          if (outcome == CheckOutcome::kNeverExists) a.neverExisting = {r.objects[0]};
          const std::string ja = RelationAnswerText(f.fig, a);
          const std::string en = RelationAnswerText(f.fig, a, English);
          EXPECT_TRUE(test::HasJapanese(ja)) << ja;
          EXPECT_FALSE(test::HasJapanese(en)) << en;
          EXPECT_EQ(en.find('{'), std::string::npos) << en;
          EXPECT_EQ(ja.find('{'), std::string::npos) << ja;
        }
      }
    }
  }
  // A name with braces in it is not filled in a second time.
  f.Name(f.o, "{1}");
  const RelationAnswer a = Answer({RelationKind::kOnLine, {f.o, f.ab}}, CheckOutcome::kFixedHolds);
  EXPECT_EQ(RelationAnswerText(f.fig, a, English), "Fixed figure, nothing moves: {1} lies on AB");
}

TEST(RelationWordsTest, CountsAreGroupedByThousands) {
  EXPECT_EQ(GroupedCount(0), "0");
  EXPECT_EQ(GroupedCount(999), "999");
  EXPECT_EQ(GroupedCount(1000), "1,000");
  EXPECT_EQ(GroupedCount(1234567), "1,234,567");
  EXPECT_EQ(GroupedCount(-12345), "-12,345");
}

}  // namespace
}  // namespace sakuzu
