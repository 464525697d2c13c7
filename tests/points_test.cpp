#include "geometry/points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "test_figure.h"

namespace sakuzu {
namespace {

constexpr double kEps = 1e-9;

// A small figure built the way the construction commands build one.
struct Builder : TestFigure {
  // Appends a step with `outputs` new points; returns the step.
  int Step(const std::string& kind, std::initializer_list<ObjectRef> inputs, int outputs = 1) {
    return AppendWith(
        kind, inputs,
        outputs == 1 ? std::initializer_list<int>{kPointClass} : std::initializer_list<int>{1, 1});
  }
  PointRecord& Out(int step, int slot = 1) { return fig.Points[fig.StepOutputs[step][slot].index]; }
  PointRecord& Compute(int step, int slot = 1) {
    ComputePointStep(fig, step, engine);
    return Out(step, slot);
  }
  PointRecord& Make(const std::string& kind, std::initializer_list<ObjectRef> inputs) {
    return Compute(Step(kind, inputs));
  }
};

void ExpectAt(const PointRecord& p, double x, double y) {
  EXPECT_NE(p.exists, 0);
  EXPECT_NEAR(p.x, x, kEps);
  EXPECT_NEAR(p.y, y, kEps);
}

TEST(PointsTest, CentresOfTheThreeFourFiveTriangle) {
  Builder b;
  const ObjectRef a = b.Point(0, 0), p = b.Point(4, 0), c = b.Point(0, 3);
  const double expect[6][2] = {{2, 1.5}, {1, 1}, {4.0 / 3, 1}, {0, 0}, {6, 6}, {1, 0.75}};
  for (int k = 0; k < 6; ++k) {
    ExpectAt(b.Make("P" + std::to_string(k + 1), {a, p, c}), expect[k][0], expect[k][1]);
  }
  // Degenerate triangles, and a missing vertex.
  EXPECT_EQ(b.Make("P1", {a, p, b.Point(8, 0)}).exists, 0);
  ExpectAt(b.Make("P2", {c, c, c}), 0, 3);
  b.fig.Points[a.index].exists = kFalse;
  for (const char* kind : {"P1", "P2", "P3", "P4", "P5", "P6"}) {
    EXPECT_EQ(b.Make(kind, {a, p, c}).exists, 0) << kind;
  }
}

TEST(PointsTest, CentresOfAnAwkwardTriangleKeepTheirProperties) {
  const Vec2 a{-1.37, 0.42}, b{2.91, -0.83}, c{0.55, 3.18};
  const PointResult o = Circumcentre(a, b, c), h = Orthocentre(a, b, c),
                    n = NinePointCentre(a, b, c), e = Excentre(a, b, c);
  const Vec2 g = Centroid(a, b, c), i = Incentre(a, b, c);
  ASSERT_TRUE(o.exists && h.exists && n.exists && e.exists);
  // Euler line: O, G, H collinear with OH = 3 OG; N the midpoint of OH.
  EXPECT_LT(std::hypot(h.p.x - o.p.x - 3 * (g.x - o.p.x), h.p.y - o.p.y - 3 * (g.y - o.p.y)), kEps);
  EXPECT_LT(std::hypot(n.p.x - (o.p.x + h.p.x) / 2, n.p.y - (o.p.y + h.p.y) / 2), kEps);
  // In- and excentre are equally far from the three sides; the excentre
  // lies on the far side of BC from A.
  const Line2 sides[3] = {LineThroughPoints(b, c), LineThroughPoints(a, b),
                          LineThroughPoints(c, a)};
  for (const Line2& side : sides) {
    EXPECT_NEAR(PointLineDistance(i, side).value, PointLineDistance(i, sides[0]).value, kEps);
    EXPECT_NEAR(PointLineDistance(e.p, side).value, PointLineDistance(e.p, sides[0]).value, kEps);
  }
  const LineEquation eq = LineCoefficients(sides[0]);
  EXPECT_LT((eq.a * a.x + eq.b * a.y + eq.c) * (eq.a * e.p.x + eq.b * e.p.y + eq.c), 0);
}

TEST(PointsTest, RatioAndCoordinatePoints) {
  Builder b;
  const ObjectRef a = b.Point(1.5, -2), p = b.Point(0.25, 3);
  const ObjectRef one = b.Number(1), two = b.Number(2), minusOne = b.Number(-1);
  ExpectAt(b.Make("PN", {a, p, one, one}), 0.875, 0.5);
  ExpectAt(b.Make("PN", {a, p, two, minusOne}), -1, 8);
  EXPECT_EQ(b.Make("PN", {a, p, one, minusOne}).exists, 0);
  ExpectAt(b.Make("PEXT", {a, p, b.Number(0)}), 0.25, 3);
  ExpectAt(b.Make("PEXT", {a, p, minusOne}), 1.5, -2);
  ExpectAt(b.Make("PXY", {two, minusOne}), 2, -1);
  b.fig.Numbers[two.index].exists = kFalse;
  EXPECT_EQ(b.Make("PXY", {two, minusOne}).exists, 0);
  // Inputs or outputs outside the tables: nothing exists, nothing breaks.
  EXPECT_EQ(b.Make("PEXT", {a, {kPointClass, 77}, {kNumberClass, 30000}}).exists, 0);
  const int hostile = b.Step("P3", {a, p, a});
  b.fig.StepOutputs[hostile][1] = {kPointClass, 999};
  ComputePointStep(b.fig, hostile, b.engine);
  ComputePointStep(b.fig, b.fig.StepCount + 5, b.engine);
}

TEST(PointsTest, IntersectionPointsFollowContinuity) {
  Builder b;
  const ObjectRef lineRef = b.Line(0, 0, 1, 0), c0 = b.Circle(0, 0, 5), c1 = b.Circle(4, 0, 3);
  const int line = lineRef.index;
  const int pc2 = b.Step("PC2", {lineRef, c0}, 2);
  const int pc3 = b.Step("PC3", {c0, c1}, 2);
  EXPECT_EQ(b.Make("PC1", {lineRef, lineRef}).exists, 0);
  ExpectAt(b.Compute(pc2, 1), 5, 0);
  ExpectAt(b.Out(pc2, 2), -5, 0);
  ExpectAt(b.Compute(pc3, 1), 4, 3);  // Q1 left of the way from centre to centre
  ExpectAt(b.Out(pc3, 2), 4, -3);

  // A figure saved with the flag set (its outputs stored exchanged) keeps
  // flag and labels however often unchanged input is recomputed.
  b.fig.StepReversed[pc3] = kTrue;
  std::swap(b.Out(pc3, 1), b.Out(pc3, 2));
  CopyToPrevious(b.fig);
  for (int k = 0; k < 3; ++k) {
    ExpectAt(b.Compute(pc3, 1), 4, -3);
    EXPECT_EQ(b.fig.StepReversed[pc3], kTrue);
  }
  // The line is redrawn from its other end: the raw candidates come back
  // crosswise, the flag flips and the labels stay where they were.
  for (int16_t expected : {kTrue, kFalse}) {
    std::swap(b.fig.Lines[line].x1, b.fig.Lines[line].x2);
    b.fig.Lines[line].dx = -b.fig.Lines[line].dx;
    ExpectAt(b.Compute(pc2, 1), 5, 0);
    EXPECT_EQ(b.fig.StepReversed[pc2], expected);
    CopyToPrevious(b.fig);
    b.Compute(pc2);
    EXPECT_EQ(b.fig.StepReversed[pc2], expected);
  }
  // Without a previous position to match (a far jump) the raw order wins.
  b.fig.Circles[c0.index].cx = 30;
  ExpectAt(b.Compute(pc2, 1), 35, 0);

  // Disjoint circles: neither point, and the flag stays.
  const int16_t flag = b.fig.StepReversed[pc3];
  b.fig.Circles[c1.index].cx = 20;
  EXPECT_FALSE(b.Compute(pc3, 1).exists || b.Out(pc3, 2).exists);
  EXPECT_EQ(b.fig.StepReversed[pc3], flag);
}

TEST(PointsTest, BoundPointsStayOnTheirHosts) {
  Builder b;
  RecordingShell& shell = b.shell;
  const int e = b.Point(4, 5).index, circle = b.Circle(0.5, -0.5, 1).index;
  // A full line, a segment and a ray from (1, 1) through E.
  const int full = b.Line(1, 1, 4, 5).index, segment = b.Line(1, 1, 4, 5).index;
  const int ray = b.Line(1, 1, 4, 5).index;
  b.fig.Lines[segment].lineKind = 1, b.fig.Lines[ray].lineKind = 2;
  const int p = b.Point(0, 0).index;
  PointRecord& pt = b.fig.Points[p];
  pt.independent = kTrue;
  auto place = [&](int kind, int host, double parameter) {
    pt.bindKind = static_cast<int16_t>(kind), pt.bindIndex = static_cast<int16_t>(host);
    pt.parameter = parameter;
    BoundPointPosition(b.fig, p, b.engine);
  };

  place(2, segment, 7);  // clamped to P2 with a beep
  ExpectAt(pt, 4, 5);
  EXPECT_TRUE(pt.parameter == 5 && shell.beeps == 1);
  place(2, segment, 2.5);
  ExpectAt(pt, 2.5, 3);
  place(2, ray, -3);  // a ray stops at P1
  ExpectAt(pt, 1, 1);
  EXPECT_EQ(shell.beeps, 2);
  place(2, full, -3);  // a full line takes any parameter
  ExpectAt(pt, -0.8, -1.4);
  EXPECT_EQ(shell.beeps, 2);
  EXPECT_NEAR(BoundPointParameter(b.fig, p), -3, 1e-12);

  place(3, circle, 7);
  EXPECT_NEAR(pt.parameter, 7 - kTwoPi, 1e-12);
  ExpectAt(pt, 0.5 + std::cos(7 - kTwoPi), -0.5 + std::sin(7 - kTwoPi));
  place(3, circle, -1);
  EXPECT_NEAR(pt.parameter, kTwoPi - 1, 1e-12);
  EXPECT_NEAR(BoundPointParameter(b.fig, p), kTwoPi - 1, 1e-9);
  b.fig.Circles[circle].radius = 2.5;  // parameter is arc length
  place(3, circle, 2.5 * kPi / 2);
  ExpectAt(pt, 0.5, 2);
  pt.x = 0.5, pt.y = -0.5, BoundPointParameter(b.fig, p);  // at the centre
  EXPECT_EQ(pt.exists, 0);

  place(1, e, 0);
  EXPECT_EQ(pt.x, 4);
  // Hosts that do not exist or lie outside the tables.
  b.fig.Lines[full].exists = kFalse;
  for (auto [kind, host] : {std::pair{2, full}, {3, 40}, {1, -2}}) {
    place(kind, host, 1);
    EXPECT_EQ(pt.exists, 0) << kind;
  }
  BoundPointPosition(b.fig, 999, b.engine);
}

}  // namespace
}  // namespace sakuzu
