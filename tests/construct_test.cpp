#include "interact/construct.h"

#include <gtest/gtest.h>

#include <cmath>

#include "interaction_fixture.h"

namespace sakuzu {
namespace {

using testing::Bench;
using Typed = testing::ScriptedNumbers::Typed;

const std::vector<int16_t> kStandardOnly{kModeStandard};

double Distance(const Figure& fig, int a, int b) {
  return std::hypot(fig.Points[a].x - fig.Points[b].x, fig.Points[a].y - fig.Points[b].y);
}

// Points placed by clicks, a circumcircle picked with the keyboard, the
// line part a command gives, and the modes back where they were.
TEST(Construct, PointsCircleAndLineParts) {
  Bench b;
  NewFreePoint(b.ws);
  b.Move(1, 1);  // the new point follows the mouse
  EXPECT_EQ(b.fig.Points[1].x, 1);
  b.Click(-3, 0);
  b.Key(kKeyRight);  // the next one, moved by the keyboard step
  b.Key(kKeyEnter);
  EXPECT_NEAR(b.fig.Points[2].x, 1.5, 1e-12);  // from the mouse at (1, 1), 10 px right
  b.Click(0, 4);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PNEW");
  EXPECT_EQ(b.fig.ObjectCounts[kPointClass], 3);
  EXPECT_EQ(b.fig.Points[1].style, kFreePointMark);  // a visible mark of its own
  EXPECT_EQ(b.Modes(), kStandardOnly);

  RunKindCommand(b.ws, "mnuCgaisetsu");
  for (int i = 0; i < 3; ++i) b.Key(kKeyEnter);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PNEW C3");
  EXPECT_EQ(b.fig.ObjectCounts[kCircleClass], 1);
  EXPECT_NE(b.fig.Circles[1].exists, 0);
  EXPECT_EQ(b.Modes(), kStandardOnly);

  RunKindCommand(b.ws, "mnuS2P");  // a segment
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.Lines[1].lineKind, 1);
  RunKindCommand(b.ws, "mnuCdiameter");  // needs a segment, finds one
  b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.ObjectCounts[kCircleClass], 2);
  EXPECT_EQ(b.shell.messages.size(), 0u);
}

// Not enough objects: the message names the construction and nothing stays.
TEST(Construct, NotEnoughObjects) {
  Bench b;
  b.PlacePoints({{0, 0}, {1, 0}});
  RunKindCommand(b.ws, "mnuPgaishin");
  ASSERT_EQ(b.shell.messages.size(), 1u);
  EXPECT_EQ(b.shell.messages[0],
            "「三角形の外心」の元にするものが足りません。まず,それを作ってください。");
  RunKindCommand(b.ws, "mnlL2P");  // a whole line: not a segment
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  RunKindCommand(b.ws, "mnuLperpendicular");
  EXPECT_EQ(b.shell.messages.size(), 2u);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW L1");
  EXPECT_EQ(b.Modes(), kStandardOnly);
  BoundedPoint(b.ws, kCircleClass);  // no circle
  EXPECT_EQ(b.shell.messages.back(), std::string(kNoHostMessage));
}

// Number inputs come from the number dialog; a cancel takes back the
// step and every number typed in for it.
TEST(Construct, NumbersAndCancel) {
  Bench b;
  b.PlacePoints({{0, 0}, {4, 0}});
  b.numbers.answers = {Typed{1}, Typed{3}};
  RunKindCommand(b.ws, "mnuPnaibun");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PN");
  EXPECT_NEAR(b.fig.Points[3].x, 1, 1e-12);  // 1 : 3
  EXPECT_EQ(b.numbers.requests.at(0).kind, "PN");
  EXPECT_EQ(b.fig.StepInputs[3][3], (ObjectRef{kNumberClass, 1}));

  b.numbers.answers = {Typed{2}, std::monostate{}};  // the second number cancelled
  RunKindCommand(b.ws, "mnuPnaibun");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PN");
  EXPECT_EQ(b.fig.ObjectCounts[kNumberClass], 2);
  RunKindCommand(b.ws, "mnuC2P");
  b.Key(kKeyEnter);
  b.Click(0, 0, MouseButton::kRight);  // the right button is Esc
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PN");
  EXPECT_EQ(b.Modes(), kStandardOnly);
  // A bound point cancelled leaves no point.
  BoundedPoint(b.ws, kPointClass);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.fig.ObjectCounts[kPointClass], 3);
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

// The groups: the steps inside, whole counts asked again, and deleting
// the last step removes a group as a whole.
TEST(Construct, GroupsAndDeleteLast) {
  Bench b;
  b.PlacePoints({{0, 0}, {3, 0}, {0, 3}});
  b.numbers.answers = {Typed{2.5}, Typed{1}, Typed{3}};  // 2.5 and 1 are refused
  RunKindCommand(b.ws, "mnuPtoubun");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.shell.messages, (std::vector<std::string>(2, "2 以上の整数を入力してください。")));
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PNEW PNEQ PN PN PNEQ");
  EXPECT_NEAR(b.fig.Points[4].x, 1, 1e-12);
  EXPECT_EQ(b.fig.Points[5].style, 1);

  b.numbers.answers = {Typed{5}};  // a regular pentagon on AB
  RunKindCommand(b.ws, "mnuSRegularPolygon");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.ObjectCounts[kLineClass], 5);
  const int pentagon[] = {1, 2, 6, 7, 8, 1};  // A, B and the three new vertices
  for (int v = 0; v < 5; ++v) {
    EXPECT_NEAR(Distance(b.fig, pentagon[v], pentagon[v + 1]), 3, 1e-9) << v;
  }
  DeleteLast(b.ws);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PNEW PNEQ PN PN PNEQ");
  EXPECT_EQ(b.fig.ObjectCounts[kPointClass], 5);
  EXPECT_EQ(b.fig.ObjectCounts[kLineClass], 0);

  // A polygon: three vertices picked one by one, the sides made at the end.
  b.numbers.answers = {Typed{3}};
  RunKindCommand(b.ws, "mnuSpolygon");
  b.Key(kKeyEnter);  // A, then the count, then B and C
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.ObjectCounts[kLineClass], 3);
  EXPECT_EQ(b.Modes(), kStandardOnly);
  // Too many vertices, and a polygon given up half way: nothing stays.
  int16_t steps = b.fig.StepCount;
  b.numbers.answers = {Typed{9}};
  RunKindCommand(b.ws, "mnuSpolygon");
  b.Key(kKeyEnter);
  EXPECT_EQ(b.shell.messages.back(), std::string(kTooFewVerticesMessage));
  b.numbers.answers = {Typed{4}};
  RunKindCommand(b.ws, "mnuSpolygon");
  b.Key(kKeyEnter), b.Key(kKeyEnter), b.Key(kKeyEscape);
  EXPECT_EQ(b.fig.StepCount, steps);
  EXPECT_EQ(b.Modes(), kStandardOnly);

  // The perpendicular foot; the n-section of an angle.
  RunKindCommand(b.ws, "mnuSPLperpendicular");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_TRUE(b.Kinds().ends_with(" L3+ L3 PC1 L3+"));
  b.numbers.answers = {Typed{3}};
  RunKindCommand(b.ws, "mnuHNsector");
  for (int i = 0; i < 3; ++i) b.Key(kKeyEnter);
  EXPECT_TRUE(b.Kinds().ends_with(" LH2+ LH2 LH2 LH2+"));
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

TEST(Construct, DeleteLastKeepsWhatIsNotItsOwn) {
  Bench b;
  DeleteLast(b.ws);
  EXPECT_EQ(b.shell.beeps, 1);  // an empty figure
  b.PlacePoints({{0, 0}, {2, 0}, {0, 2}});
  // A closing group step without its opening step: one step goes.
  int s = AppendStep(b.fig);
  b.fig.StepKind[s] = "LRGN";
  DeleteLast(b.ws);
  EXPECT_EQ(b.fig.StepCount, 3);
  // A matrix transformation and its continuation row go together.
  for (const char* kind : {"PT6", "PT62"}) b.fig.StepKind[AppendStep(b.fig)] = kind;
  DeleteLast(b.ws);
  EXPECT_EQ(b.fig.StepCount, 3);
  // A step naming an older object as its output leaves that object alone.
  s = AppendStep(b.fig);
  b.fig.StepKind[s] = "P1";
  b.fig.StepOutputs[s][1] = ObjectRef{kPointClass, 1};
  RemoveLastStep(b.fig);
  EXPECT_EQ(b.fig.ObjectCounts[kPointClass], 3);
  EXPECT_EQ(b.fig.Points[1].name, "A");
  // A reused row starts empty: the circle of a deleted step is not made again.
  RunKindCommand(b.ws, "mnuCgaisetsu");
  for (int i = 0; i < 3; ++i) b.Key(kKeyEnter);
  DeleteLast(b.ws);
  RunKindCommand(b.ws, "mnuMdis2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.ObjectCounts[kCircleClass], 0);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PNEW ND2P");
}

// Repeat: the last command on new inputs, with its line part; after a new
// point, new points; with nothing to repeat, a beep.
TEST(Construct, RepeatLast) {
  Bench b;
  RepeatLast(b.ws);
  EXPECT_EQ(b.shell.beeps, 1);
  b.PlacePoints({{0, 0}, {2, 0}});
  RepeatLast(b.ws);
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeNewPoint}));
  b.Click(0, 2);
  b.Key(kKeyEscape);
  RunKindCommand(b.ws, "mnuH2P");  // a ray
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  RepeatLast(b.ws);
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.Lines[2].lineKind, 2);
  // A segment from a figure file repeats as a segment too.
  b.fig.Lines[2].lineKind = 1;
  b.ws.build.lastKind.clear();
  RepeatLast(b.ws);
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  EXPECT_EQ(b.fig.Lines[3].lineKind, 1);
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

// A bound point: the host is picked, then the point is set on it.
TEST(Construct, BoundPointOnACircle) {
  Bench b;
  b.PlacePoints({{0, 0}, {2, 0}});
  RunKindCommand(b.ws, "mnuC2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  RunKindCommand(b.ws, "mnuPboundC");
  b.Key(kKeyEnter);
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModePlacePoint}));
  b.Click(0, 5);  // the nearest place on the circle
  EXPECT_NEAR(b.fig.Points[3].x, 0, 1e-9);
  EXPECT_NEAR(b.fig.Points[3].y, 2, 1e-9);
  b.Key(kKeyEnter);
  EXPECT_EQ(b.Modes(), kStandardOnly);
  EXPECT_EQ(b.fig.Points[3].bindIndex, 1);
  RepeatLast(b.ws);  // another point on a circle
  EXPECT_EQ(b.fig.StepInputs[b.fig.StepCount][1].cls, kCircleClass);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.Kinds(), "PNEW PNEW C2 PBND");
}

TEST(Construct, NewFigureAndExpression) {
  Bench b;
  NewFigure(b.ws);  // empty: placing points at once
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeNewPoint}));
  b.Click(1, 1);
  b.Key(kKeyEscape);
  NewFigure(b.ws);  // cancelled: unchanged
  EXPECT_EQ(b.fig.StepCount, 1);
  b.newFigureAnswer = NewFigureAnswer::kSave;
  NewFigure(b.ws);
  EXPECT_EQ(b.saves, 1);
  b.newFigureAnswer = NewFigureAnswer::kYes;
  b.fig.FigureFileName = "a.zk4";
  NewFigure(b.ws);
  EXPECT_EQ(b.fig.StepCount, 1);  // the new figure's first point is pending
  EXPECT_EQ(b.fig.FigureFileName, "untitled");
  b.Key(kKeyEscape);
  EXPECT_EQ(b.fig.StepCount, 0);

  // An expression: no step unless finished; its typed numbers go on cancel.
  b.numbers.typedValue = 2.5;
  ExpressionCommand(b.ws);
  EXPECT_EQ(b.fig.ObjectCounts[kNumberClass], 0);
  b.numbers.expression = "N1*N1";
  ExpressionCommand(b.ws);
  EXPECT_EQ(b.Kinds(), "CALC");
  EXPECT_DOUBLE_EQ(b.fig.Numbers[2].value, 6.25);
  EXPECT_EQ(b.fig.Numbers[2].name, "2.5* 2.5");
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

// Every command of the catalogue, finished and cancelled, leaves the mode
// stack as it found it.
TEST(Construct, EveryCommandLeavesTheModesBalanced) {
  for (bool finish : {true, false}) {
    for (const KindInfo& kind : AllKinds()) {
      for (const KindCommand& command : kind.commands) {
        Bench b;
        b.PlacePoints({{0, 0}, {3, 0}, {1, 2}, {-1, 1}});
        RunKindCommand(b.ws, "mnuS2P");
        b.Key(kKeyEnter), b.Key(kKeyEnter);
        RunKindCommand(b.ws, "mnuCgaisetsu");
        for (int i = 0; i < 3; ++i) b.Key(kKeyEnter);
        RunKindCommand(b.ws, "mnuC2P");
        b.Key(kKeyEnter), b.Key(kKeyEnter);
        for (int i = 0; i < 8; ++i) b.numbers.answers.push_back(Typed{3});
        b.numbers.expression = "N1";
        RunKindCommand(b.ws, command.control);
        for (int i = 0; i < 12 && b.Modes() != kStandardOnly; ++i) {
          bool placing = b.Modes().back() == kModeNewPoint;  // Enter places the next point
          b.Key(finish && !placing ? kKeyEnter : kKeyEscape);
        }
        EXPECT_EQ(b.Modes(), kStandardOnly) << command.control << (finish ? " finished" : "");
      }
    }
  }
}

}  // namespace
}  // namespace sakuzu
