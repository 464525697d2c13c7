#include "geometry/lines.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "test_figure.h"

namespace sakuzu {
namespace {

constexpr double kTol = 1e-9;

struct Fixture : TestFigure {
  // Appends a step, computes it and returns the step number.
  int Step(const char* kind, std::initializer_list<ObjectRef> inputs,
           std::initializer_list<int> outputs = {kLineClass}) {
    const int s = AppendWith(kind, inputs, outputs);
    ComputeLineStep(fig, s, engine);
    return s;
  }
  int Pair(const char* kind, std::initializer_list<ObjectRef> inputs) {
    return Step(kind, inputs, {kLineClass, kLineClass});
  }
  LineRecord& Out(int step, int slot = 1) { return fig.Lines[fig.StepOutputs[step][slot].index]; }
};

// Distance of (x, y) from a line record, positive on the left of its direction.
double SignedDistance(const LineRecord& l, double x, double y) {
  return (x - l.x1) * -l.dy + (y - l.y1) * l.dx;
}

// P1 and the direction; P2 one unit along it unless the kind says otherwise.
void ExpectLine(const LineRecord& l, double x1, double y1, double dx, double dy,
                bool unitP2 = true) {
  ASSERT_TRUE(l.exists);
  EXPECT_LT(std::hypot(l.x1 - x1, l.y1 - y1), kTol) << l.x1 << ", " << l.y1;
  EXPECT_LT(std::hypot(l.dx - dx, l.dy - dy), kTol) << l.dx << ", " << l.dy;
  if (unitP2) {
    EXPECT_LT(std::hypot(l.x2 - x1 - dx, l.y2 - y1 - dy), kTol) << l.x2 << ", " << l.y2;
  }
}

TEST(LinesTest, TangentsFromAPoint) {
  Fixture f;
  ObjectRef c = f.Circle(0, 0, 3);
  int s = f.Pair("L5", {f.Point(5, 0), c});
  ExpectLine(f.Out(s, 1), 5, 0, 0.8, 0.6);
  ExpectLine(f.Out(s, 2), 5, 0, 0.8, -0.6);
  s = f.Pair("L5", {f.Point(3, 0), c});
  ExpectLine(f.Out(s, 1), 3, 0, 0, 1);
  ExpectLine(f.Out(s, 2), 3, 0, 0, -1);
  s = f.Pair("L5", {f.Point(1, 0.5), c});
  EXPECT_FALSE(f.Out(s, 1).exists || f.Out(s, 2).exists);

  // An awkward case: both lines touch the circle and point away from it.
  s = f.Pair("L5", {f.Point(2.3, -1.7), f.Circle(0.4, 0.9, 1.3)});
  for (int slot = 1; slot <= 2; ++slot) {
    const LineRecord& l = f.Out(s, slot);
    ASSERT_TRUE(l.exists);
    EXPECT_NEAR(std::fabs(SignedDistance(l, 0.4, 0.9)), 1.3, kTol);
    EXPECT_LT((0.4 - 2.3) * l.dx + (0.9 + 1.7) * l.dy, 0);
  }
  EXPECT_GT(SignedDistance(f.Out(s, 1), 0.4, 0.9), 0);  // the circle lies left of output 1
}

TEST(LinesTest, CommonTangents) {
  Fixture f;
  ObjectRef c1 = f.Circle(0, 0, 1), c2 = f.Circle(4, 0, 1);
  int ext = f.Pair("L6", {c1, c2});
  ExpectLine(f.Out(ext, 1), 0, 1, 1, 0);
  ExpectLine(f.Out(ext, 2), 0, -1, 1, 0);
  int in = f.Pair("L7", {c1, c2});
  EXPECT_LT(std::hypot(f.Out(in, 1).x1 - 0.5, f.Out(in, 1).y1 - std::sqrt(0.75)), kTol);
  EXPECT_NEAR(f.Out(in, 2).y1, -std::sqrt(0.75), kTol);
  // Overlapping circles keep their external tangents only.
  f.fig.Circles[c2.index].cx = 1.5;
  ComputeLineStep(f.fig, ext, f.engine), ComputeLineStep(f.fig, in, f.engine);
  EXPECT_TRUE(f.Out(ext, 1).exists && f.Out(ext, 2).exists);
  EXPECT_FALSE(f.Out(in, 1).exists || f.Out(in, 2).exists);

  // Unequal radii off the axes: every tangent touches both circles, the
  // external ones with both centres on one side, the internal ones between.
  ObjectRef a = f.Circle(-0.7, 0.3, 1.1), b = f.Circle(3.1, 1.9, 0.6);
  ext = f.Pair("L6", {a, b});
  in = f.Pair("L7", {a, b});
  for (int step : {ext, in}) {
    for (int slot = 1; slot <= 2; ++slot) {
      const LineRecord& l = f.Out(step, slot);
      ASSERT_TRUE(l.exists);
      const double d1 = SignedDistance(l, -0.7, 0.3), d2 = SignedDistance(l, 3.1, 1.9);
      EXPECT_NEAR(std::fabs(d1), 1.1, kTol);
      EXPECT_NEAR(std::fabs(d2), 0.6, kTol);
      EXPECT_EQ(d1 * d2 > 0, step == ext);
      EXPECT_NEAR(std::hypot(l.x1 + 0.7, l.y1 - 0.3), 1.1, kTol);  // P1 touches the first
    }
  }
  // Concentric circles have no common tangent at all.
  ext = f.Pair("L6", {a, f.Circle(-0.7, 0.3, 0.5)});
  EXPECT_FALSE(f.Out(ext, 1).exists || f.Out(ext, 2).exists);
}

TEST(LinesTest, Polar) {
  Fixture f;
  ExpectLine(f.Out(f.Step("L8", {f.Point(4, 0), f.Circle(0, 0, 2)})), 1, 0, 0, -1);
  EXPECT_FALSE(f.Out(f.Step("L8", {f.Point(0.004, 0.005), f.Circle(0, 0, 2)})).exists);
  // Off the axes: perpendicular to CP at distance r^2/|CP| from the centre.
  const LineRecord& l = f.Out(f.Step("L8", {f.Point(1.7, 2.9), f.Circle(0.3, -0.4, 1.1)}));
  ASSERT_TRUE(l.exists);
  EXPECT_NEAR(l.dx * 1.4 + l.dy * 3.3, 0, kTol);
  EXPECT_NEAR(std::fabs(SignedDistance(l, 0.3, -0.4)), 1.21 / std::hypot(1.4, 3.3), kTol);
  // P1 on the vertical through the centre.
  EXPECT_LT(std::hypot(l.x1 - 0.3, l.y1 + 0.4 - 1.21 / 3.3), kTol);
}

TEST(LinesTest, ParallelPerpendicularAndBisector) {
  Fixture f;
  ObjectRef base = f.Line(1, 1, 4, 5);  // direction (0.6, 0.8)
  ExpectLine(f.Out(f.Step("L2", {base, f.Point(-2, 0.5)})), -2, 0.5, 0.6, 0.8);
  ExpectLine(f.Out(f.Step("L4", {base})), 2.5, 3, -0.8, 0.6);
  // L3: the perpendicular from X ends at its foot, the second output.
  for (auto [x, y, fx, fy] : {std::array{1.0, 6.0, 3.4, 4.2}, {2.5, 3.0, 2.5, 3.0}}) {
    const int s = f.Step("L3", {base, f.Point(x, y)}, {kLineClass, kPointClass});
    ExpectLine(f.Out(s), x, y, -0.8, 0.6, false);
    EXPECT_NEAR(f.Out(s).x2, fx, kTol);
    const PointRecord& foot = f.fig.Points[f.fig.StepOutputs[s][2].index];
    EXPECT_TRUE(foot.exists && std::hypot(foot.x - fx, foot.y - fy) < kTol);
  }
}

TEST(LinesTest, AngleBisectorAndDivision) {
  Fixture f;
  ObjectRef a = f.Point(5, 1), b = f.Point(1, 1), c = f.Point(1, 4);
  int s = f.Step("LH2", {a, b, c, f.Number(3), f.Number(1)});
  ExpectLine(f.Out(s), 1, 1, std::cos(kPi / 6), 0.5, false);
  EXPECT_NEAR(std::hypot(f.Out(s).x2 - 1, f.Out(s).y2 - 1), 4, kTol);  // P2 = A turned
  ASSERT_EQ(f.engine.angleMarks.size(), 1u);  // the whole angle ABC, at B from BA
  EXPECT_TRUE(f.engine.angleMarks[0].vx == 1 && f.engine.angleMarks[0].px == 5);
  EXPECT_NEAR(f.engine.angleMarks[0].angle, 90, kTol);
  // Clockwise angle: the dividing line turns the other way.
  s = f.Step("LH2", {c, b, a, f.Number(3), f.Number(2)});
  EXPECT_LT(std::hypot(f.Out(s).dx - std::sin(kPi / 3), f.Out(s).dy - 0.5), kTol);
  EXPECT_FALSE(f.Out(f.Step("LH2", {a, b, c, f.Number(0), f.Number(1)})).exists);
  // n = 0 turns ray BA by nothing: the arm BA, from B through A.
  s = f.Step("LH2", {a, b, c, f.Number(2), f.Number(0)});
  ExpectLine(f.Out(s), 1, 1, 1, 0, false);
  EXPECT_EQ(f.Out(s).x2, 5);

  // LH1 passes through B; its direction halves the angle.
  const LineRecord& h =
      f.Out(f.Step("LH1", {f.Point(3.7, 0.2), f.Point(0.3, 0.1), f.Point(-1.2, 2.9)}));
  ASSERT_TRUE(h.exists);
  EXPECT_NEAR(h.x1, 0.3, kTol);
  const double a1 = std::atan2(h.dx * 0.1 - h.dy * 3.4, h.dx * 3.4 + h.dy * 0.1);
  const double a2 = std::atan2(h.dx * 2.8 + h.dy * 1.5, -h.dx * 1.5 + h.dy * 2.8);
  EXPECT_NEAR(a1, -a2, kTol);
}

TEST(LinesTest, TransformedLines) {
  Fixture f;
  ObjectRef l = f.Line(1, 2, 3.5, 2.7);
  const LineRecord original = f.fig.Lines[l.index];
  int s = f.Step("LHRO", {l, f.Number(0)});
  ExpectLine(f.Out(s), original.x1, original.y1, original.dx, original.dy, false);
  EXPECT_NEAR(f.Out(s).x2, original.x2, kTol);
  s = f.Step("LRO", {l, f.Point(1, 2), f.Number(180)});
  ExpectLine(f.Out(s), 1, 2, -original.dx, -original.dy, false);
  EXPECT_NEAR(f.Out(s).x2, -1.5, kTol);
  s = f.Step("LT1", {l, f.Line(0, 0, 1, 0)});
  EXPECT_LT(std::hypot(f.Out(s).y1 + 2, f.Out(s).y2 + 2.7), kTol);
}

TEST(LinesTest, MissingInputsAndForeignKinds) {
  Fixture f;
  ObjectRef a = f.Point(0, 0), b = f.Point(2, 0);
  int s = f.Step("L1", {a, b});
  f.Out(s).lineKind = 1;
  f.fig.Points[b.index].exists = kFalse;
  ComputeLineStep(f.fig, s, f.engine);
  EXPECT_FALSE(f.Out(s).exists);
  EXPECT_TRUE(f.Out(s).x2 == 2 && f.Out(s).lineKind == 1);  // keeps its last position
  // A reference past the table reads as a missing input, not a crash.
  EXPECT_FALSE(f.Out(f.Step("L2", {{kLineClass, 40}, a})).exists);
  EXPECT_FALSE(f.Out(f.Step("L3+", {f.Line(0, 0, 1, 1), a})).exists);  // a group kind
  ObjectRef n = f.Number(1);
  EXPECT_FALSE(f.Out(f.Step("LH2", {a, a, a, n, n})).exists);  // zero-length arms: angle 0
}

}  // namespace
}  // namespace sakuzu
