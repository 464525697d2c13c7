#include "model/figure.h"

#include <gtest/gtest.h>

namespace sakuzu {
namespace {

TEST(Figure, NewFigureAndDefaultNames) {
  Figure fig;
  EXPECT_EQ(fig.StepCount, 0);
  for (int16_t c : fig.ObjectCounts) EXPECT_EQ(c, 0);
  EXPECT_EQ(fig.Points.UpperBound(), 50);
  EXPECT_EQ(fig.StepKind.UpperBound(), 100);
  // Points run on from "Z" through the character table; a number is unnamed.
  std::string points;
  for (int i : {1, 26, 27, 50}) points += fig.Points[i].name;
  EXPECT_EQ(points, "AZ[r");
  EXPECT_EQ(DefaultName(kPointClass, 52), "t");
  EXPECT_EQ(DefaultName(kPointClass, 53), "53");
  EXPECT_EQ(fig.Lines[7].name + fig.Circles[12].name + fig.Numbers[3].name, "712");
  EXPECT_EQ(fig.Points[5].color, 7);
}

TEST(Figure, ObjectTablesGrowByTenWithDefaults) {
  Figure fig;
  for (int i = 1; i <= 50; ++i) ASSERT_EQ(AddObject(fig, kPointClass), i);
  fig.Points[50].x = 3;
  EXPECT_EQ(AddObject(fig, kPointClass), 51);
  EXPECT_EQ(fig.Points.UpperBound(), 60);
  EXPECT_EQ(fig.PrevPoints.UpperBound(), 60);
  EXPECT_EQ(fig.Points[50].x, 3);  // kept
  for (int i = 51; i <= 60; ++i) {
    EXPECT_EQ(fig.Points[i].color, 7);
    EXPECT_EQ(fig.Points[i].name, "");  // grown records start unnamed
  }
  EXPECT_EQ(fig.Lines.UpperBound(), 50);  // other classes untouched
  EXPECT_EQ(AddObject(fig, 4), 0);        // no such class
}

TEST(Figure, StepTablesGrowAsTheirOwnRulesSay) {
  Figure fig;
  for (int i = 1; i <= 100; ++i) ASSERT_EQ(AppendStep(fig), i);
  fig.StepKind[100] = "P1";
  EXPECT_EQ(AppendStep(fig), 101);
  // The kinds grow by one, the other step tables by ten.
  EXPECT_EQ(fig.StepKind.UpperBound(), 101);
  for (int bound : {fig.StepInputs.UpperBound(), fig.StepOutputs.UpperBound(),
                    fig.StepReversed.UpperBound(), fig.CurrentOutputs.UpperBound()}) {
    EXPECT_EQ(bound, 110);
  }
  EXPECT_EQ(fig.StepKind[100], "P1");
  EXPECT_TRUE(fig.StepInputs[101][1].IsEmpty());
  EXPECT_EQ(AppendStep(fig), 102);
  EXPECT_EQ(fig.StepKind.UpperBound(), 102);
  EXPECT_EQ(fig.StepInputs.UpperBound(), 110);
}

TEST(Figure, LimitsAreRefusedNotWrapped) {
  Figure fig;
  fig.ObjectCounts[kCircleClass] = kMaxCount;
  fig.StepCount = kMaxCount;
  EXPECT_EQ(AddObject(fig, kCircleClass), 0);
  EXPECT_EQ(AppendStep(fig), 0);
  EXPECT_EQ(fig.ObjectCounts[kCircleClass], kMaxCount);
  EXPECT_EQ(fig.StepCount, kMaxCount);
}

TEST(Figure, NamesAndResets) {
  Figure fig;
  AddObject(fig, kNumberClass);
  AddObject(fig, kPointClass);
  SetObjectName(fig, {kPointClass, 1}, "  三角形ＡＢＣの外心です");
  EXPECT_EQ(fig.Points[1].name, "三角形ＡＢＣの外心で");  // 10 characters, not bytes
  SetObjectName(fig, {kNumberClass, 1}, std::string(50, 'n'));
  EXPECT_EQ(fig.Numbers[1].name, std::string(40, 'n'));
  SetObjectName(fig, {kLineClass, 999}, "ignored");  // outside the table: no effect

  // A reset keeps a number's display and a point's mark.
  fig.Numbers[1].display = 7, fig.Numbers[1].value = 4;
  ResetObject(fig, {kNumberClass, 1});
  EXPECT_EQ(fig.Numbers[1], (NumberRecord{0, 0, "", 0, "", 7}));
  fig.Points[1].style = 3, fig.Points[1].color = 2, fig.Points[1].exists = kTrue;
  ResetObject(fig, {kPointClass, 1});
  EXPECT_EQ(fig.Points[1].name, "A");
  EXPECT_EQ(fig.Points[1].color, 7);
  EXPECT_EQ(fig.Points[1].exists, 0);
  EXPECT_EQ(fig.Points[1].style, 3);
}

}  // namespace
}  // namespace sakuzu
