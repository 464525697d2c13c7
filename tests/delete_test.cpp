// Deleting an object with everything built on it, checked against the
// same figure built without what went: groups go whole, expressions and
// bound points that stay keep reading the right objects, and the figure
// reads back from its file as it is.
#include "interact/delete.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "interaction_fixture.h"
#include "model/figure_file.h"

namespace sakuzu {
namespace {

using testing::Bench;
using Typed = testing::ScriptedNumbers::Typed;

ObjectRef Ref(int cls, int index) {
  return ObjectRef{static_cast<int16_t>(cls), static_cast<int16_t>(index)};
}

void Pick(Bench& b, ObjectRef ref) {
  for (int i = 0; i < 40 && b.ws.pick.current != ref; ++i) b.Key(kKeyDown);
  ASSERT_EQ(b.ws.pick.current, ref);
  b.Key(kKeyEnter);
}

void Build(Bench& b, const char* command, std::initializer_list<ObjectRef> picks) {
  ASSERT_TRUE(RunKindCommand(b.ws, command));
  for (ObjectRef ref : picks) Pick(b, ref);
}

// The segment CD, its length, twice its length as an expression, and a
// point bound to CD, on top of whatever came before.
void BuildKept(Bench& b, int c, int d) {
  Build(b, "mnuS2P", {Ref(kPointClass, c), Ref(kPointClass, d)});
  int cd = b.fig.ObjectCounts[kLineClass];
  Build(b, "mnuMdis2P", {Ref(kPointClass, c), Ref(kPointClass, d)});
  int length = b.fig.ObjectCounts[kNumberClass];
  b.numbers.expression = "N" + std::to_string(length) + "+N" + std::to_string(length);
  ExpressionCommand(b.ws);
  BoundedPoint(b.ws, kLineClass);
  Pick(b, Ref(kLineClass, cd));
  b.Key(kKeyRight);
  b.Key(kKeyEnter);
}

TEST(Delete, WhatStaysIsTheFigureBuiltWithoutWhatWent) {
  Bench whole;
  whole.PlacePoints({{0, 0}, {4, 0}, {1, 3}, {5, 5}});
  Build(whole, "mnuS2P", {Ref(kPointClass, 1), Ref(kPointClass, 2)});
  whole.numbers.answers.push_back(Typed{3});  // AB in three parts: a group
  Build(whole, "mnuPtoubun", {Ref(kPointClass, 1), Ref(kPointClass, 2)});
  Build(whole, "mnuMdis2P", {Ref(kPointClass, 1), Ref(kPointClass, 2)});
  BuildKept(whole, 3, 4);

  DeletionPlan plan = PlanDeletion(whole.fig, Ref(kPointClass, 1));
  ApplyDeletion(whole.fig, plan);
  Redraw(whole.r);

  Bench without;
  without.PlacePoints({{4, 0}, {1, 3}, {5, 5}});
  BuildKept(without, 2, 3);

  const Figure& a = whole.fig;
  const Figure& e = without.fig;
  ASSERT_EQ(a.ObjectCounts[kPointClass], e.ObjectCounts[kPointClass]);
  ASSERT_EQ(a.ObjectCounts[kLineClass], e.ObjectCounts[kLineClass]);
  for (int i = 1; i <= e.ObjectCounts[kPointClass]; ++i) {
    EXPECT_NEAR(a.Points[i].x, e.Points[i].x, 1e-12) << i;
    EXPECT_NEAR(a.Points[i].y, e.Points[i].y, 1e-12) << i;
    EXPECT_EQ(a.Points[i].bindKind, e.Points[i].bindKind);
    EXPECT_EQ(a.Points[i].bindIndex, e.Points[i].bindIndex);
  }
  EXPECT_NEAR(a.Lines[1].x1, e.Lines[1].x1, 1e-12);
  // The steps that stay, in order; the count the group was given stays
  // as a free number, as it does when the group is undone as the last step.
  std::string kinds, expected;
  for (int s = 1; s <= a.StepCount; ++s) kinds += a.StepKind[s] + " ";
  for (int s = 1; s <= e.StepCount; ++s) expected += e.StepKind[s] + " ";
  EXPECT_EQ(kinds, expected);
  // The expression reads the renumbered length, the number just before it.
  double cd = std::hypot(5 - 1, 5 - 3);
  int last = a.ObjectCounts[kNumberClass];
  std::string length = "N" + std::to_string(last - 1);
  EXPECT_EQ(a.Numbers[last].expression, length + "+" + length);
  EXPECT_NEAR(a.Numbers[last].value, 2 * cd, 1e-12);
  // The file takes it as it is.
  std::filesystem::path file = std::filesystem::temp_directory_path() / "sakuzu-delete-test.zk4";
  ASSERT_TRUE(ReadWriteFigure(whole.fig, file.string(), FigureFileMode::kWrite, {}, {}).ok);
  Figure back;
  ASSERT_TRUE(ReadWriteFigure(back, file.string(), FigureFileMode::kRead, {}, {}).ok);
  EXPECT_EQ(FigureText(back), FigureText(whole.fig));
  std::filesystem::remove(file);
}

TEST(Delete, AGroupGoesWholeFromAnyOfItsPartsAndTakesNothingBeforeIt) {
  Bench b;
  b.PlacePoints({{0, 0}, {6, 0}});
  b.numbers.answers.push_back(Typed{3});
  Build(b, "mnuPtoubun", {Ref(kPointClass, 1), Ref(kPointClass, 2)});
  ASSERT_EQ(b.fig.ObjectCounts[kPointClass], 4);
  // The second division point: the whole group goes, the ends stay.
  DeletionPlan plan = PlanDeletion(b.fig, Ref(kPointClass, 4));
  ApplyDeletion(b.fig, plan);
  EXPECT_EQ(b.fig.ObjectCounts[kPointClass], 2);
  EXPECT_EQ(b.fig.StepCount, 2);
  EXPECT_EQ(b.fig.StepKind[2], "PNEW");
  // A free point is made by its own step; nothing else reads it here.
  EXPECT_EQ(PlanDeletion(b.fig, Ref(kPointClass, 2)).steps, std::vector<int>{2});
  // An object no step made cannot be deleted.
  EXPECT_TRUE(PlanDeletion(b.fig, Ref(kPointClass, 9)).steps.empty());
}

}  // namespace
}  // namespace sakuzu
