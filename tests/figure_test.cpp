#include "model/figure.h"

#include <gtest/gtest.h>

namespace sakuzu {
namespace {

TEST(Figure, NewFigureAndDefaultNames) {
  Figure fig;
  EXPECT_EQ(fig.StepCount, 0);
  for (int16_t c : fig.ObjectCounts) EXPECT_EQ(c, 0);
  EXPECT_EQ(fig.Points.UpperBound(), 50);
  EXPECT_EQ(fig.PrevCircles.UpperBound(), 50);
  EXPECT_EQ(fig.StepKind.UpperBound(), 100);
  EXPECT_EQ(fig.StepInputs.UpperBound(), 100);
  EXPECT_EQ(fig.Points[1].name, "A");
  EXPECT_EQ(fig.Points[26].name, "Z");
  EXPECT_EQ(fig.Points[27].name, "[");
  EXPECT_EQ(fig.Points[50].name, "r");
  EXPECT_EQ(DefaultName(kPointClass, 52), "t");
  EXPECT_EQ(DefaultName(kPointClass, 53), "53");
  EXPECT_EQ(fig.Lines[7].name, "7");
  EXPECT_EQ(fig.Circles[12].name, "12");
  EXPECT_EQ(fig.Numbers[3].name, "");
  EXPECT_EQ(fig.Points[5].color, 7);
}

TEST(Figure, ObjectTablesGrowByTenWithDefaults) {
  Figure fig;
  for (int i = 1; i <= 50; ++i) ASSERT_EQ(AddObject(fig, kPointClass), i);
  fig.Points[50].x = 3;
  EXPECT_EQ(fig.Points.UpperBound(), 50);
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
  EXPECT_EQ(fig.StepKind.UpperBound(), 101);
  EXPECT_EQ(fig.StepInputs.UpperBound(), 110);
  EXPECT_EQ(fig.StepOutputs.UpperBound(), 110);
  EXPECT_EQ(fig.StepReversed.UpperBound(), 110);
  EXPECT_EQ(fig.CurrentOutputs.UpperBound(), 110);
  EXPECT_EQ(fig.StepKind[100], "P1");
  EXPECT_TRUE(fig.StepInputs[101][1].IsEmpty());
  EXPECT_EQ(AppendStep(fig), 102);
  EXPECT_EQ(fig.StepKind.UpperBound(), 102);
  EXPECT_EQ(fig.StepInputs.UpperBound(), 110);
}

TEST(Figure, LimitsAreRefusedNotWrapped) {
  Figure fig;
  fig.ObjectCounts[kCircleClass] = kMaxCount;
  EXPECT_EQ(AddObject(fig, kCircleClass), 0);
  EXPECT_EQ(fig.ObjectCounts[kCircleClass], kMaxCount);
  fig.StepCount = kMaxCount;
  EXPECT_EQ(AppendStep(fig), 0);
  EXPECT_EQ(fig.StepCount, kMaxCount);
}

TEST(Figure, NamesAndResets) {
  Figure fig;
  AddObject(fig, kNumberClass);
  AddObject(fig, kPointClass);
  SetObjectName(fig, {kPointClass, 1}, "  三角形ＡＢＣの外心です");
  EXPECT_EQ(fig.Points[1].name, "三角形ＡＢＣの外心で");  // 10 characters, not bytes
  std::string longName(50, 'n');
  SetObjectName(fig, {kNumberClass, 1}, longName);
  EXPECT_EQ(fig.Numbers[1].name, std::string(40, 'n'));
  SetObjectName(fig, {kLineClass, 999}, "ignored");  // outside the table: no effect

  fig.Numbers[1].display = 7;
  fig.Numbers[1].value = 4;
  ResetObject(fig, {kNumberClass, 1});
  EXPECT_EQ(fig.Numbers[1].value, 0);
  EXPECT_EQ(fig.Numbers[1].name, "");
  EXPECT_EQ(fig.Numbers[1].display, 7);  // kept by the reset

  fig.Points[1].style = 3;
  fig.Points[1].color = 2;
  fig.Points[1].exists = kTrue;
  ResetObject(fig, {kPointClass, 1});
  EXPECT_EQ(fig.Points[1].name, "A");
  EXPECT_EQ(fig.Points[1].color, 7);
  EXPECT_EQ(fig.Points[1].exists, 0);
  EXPECT_EQ(fig.Points[1].style, 3);  // kept by the reset
}

}  // namespace
}  // namespace sakuzu
