#include "geometry/circles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace sakuzu {
namespace {

constexpr double kTol = 1e-9;

struct Fixture {
  Figure fig;
  Engine engine;

  ObjectRef Point(double x, double y) {
    int i = AddObject(fig, kPointClass);
    fig.Points[i].x = x, fig.Points[i].y = y, fig.Points[i].exists = kTrue;
    return {kPointClass, static_cast<int16_t>(i)};
  }
  ObjectRef Number(double v) {
    int i = AddObject(fig, kNumberClass);
    fig.Numbers[i].value = v, fig.Numbers[i].exists = kTrue;
    return {kNumberClass, static_cast<int16_t>(i)};
  }
  ObjectRef Circle(double cx, double cy, double r) {
    int i = AddObject(fig, kCircleClass);
    CircleRecord& c = fig.Circles[i];
    c.cx = cx, c.cy = cy, c.radius = r, c.exists = kTrue;
    return {kCircleClass, static_cast<int16_t>(i)};
  }
  ObjectRef Line(double x1, double y1, double x2, double y2) {
    int i = AddObject(fig, kLineClass);
    LineRecord& l = fig.Lines[i];
    l.x1 = x1, l.y1 = y1, l.x2 = x2, l.y2 = y2, l.exists = kTrue;
    double len = std::hypot(x2 - x1, y2 - y1);
    l.dx = (x2 - x1) / len, l.dy = (y2 - y1) / len;
    return {kLineClass, static_cast<int16_t>(i)};
  }
  // Appends a step with one output circle, computes it and returns it.
  CircleRecord& Step(const char* kind, std::initializer_list<ObjectRef> inputs) {
    int s = AppendStep(fig);
    fig.StepKind[s] = kind;
    int j = 1;
    for (ObjectRef r : inputs) fig.StepInputs[s][j++] = r;
    int out = AddObject(fig, kCircleClass);
    fig.StepOutputs[s][1] = {kCircleClass, static_cast<int16_t>(out)};
    ComputeCircleStep(fig, s, engine);
    return fig.Circles[out];
  }
};

void ExpectCircle(const CircleRecord& c, double cx, double cy, double r) {
  ASSERT_TRUE(c.exists);
  EXPECT_NEAR(c.cx, cx, kTol);
  EXPECT_NEAR(c.cy, cy, kTol);
  EXPECT_NEAR(c.radius, r, kTol);
}

TEST(CirclesTest, TriangleCircles) {
  Fixture f;
  ObjectRef a = f.Point(0, 0), b = f.Point(4, 0), c = f.Point(0, 3);
  ExpectCircle(f.Step("C3", {a, b, c}), 2, 1.5, 2.5);
  ExpectCircle(f.Step("C5", {a, b, c}), 1, 1, 1);
  ExpectCircle(f.Step("C6", {a, b, c}), 6, 6, 6);
  ExpectCircle(f.Step("C7", {a, b, c}), 1, 0.75, 1.25);

  EXPECT_FALSE(f.Step("C3", {a, b, f.Point(8, 0)}).exists);      // collinear
  EXPECT_FALSE(f.Step("C5", {a, f.Point(0.005, 0), c}).exists);  // A and B too close
  f.fig.Points[c.index].exists = kFalse;
  for (const char* kind : {"C3", "C5", "C6", "C7"}) EXPECT_FALSE(f.Step(kind, {a, b, c}).exists);
}

TEST(CirclesTest, TriangleCircleProperties) {
  Fixture f;
  ObjectRef a = f.Point(-1.3, 0.4), b = f.Point(2.9, -0.7), c = f.Point(0.6, 3.1);
  CircleRecord outer = f.Step("C3", {a, b, c});
  CircleRecord nine = f.Step("C7", {a, b, c});
  CircleRecord inner = f.Step("C5", {a, b, c});
  CircleRecord ex = f.Step("C6", {a, b, c});
  ASSERT_TRUE(outer.exists && nine.exists && inner.exists && ex.exists);
  EXPECT_NEAR(nine.radius, outer.radius / 2, kTol);
  for (ObjectRef p : {a, b, c}) {
    const PointRecord& q = f.fig.Points[p.index];
    EXPECT_NEAR(std::hypot(q.x - outer.cx, q.y - outer.cy), outer.radius, kTol);
  }
  // Euler: |OI|^2 = R(R - 2r).
  double oi = std::hypot(outer.cx - inner.cx, outer.cy - inner.cy);
  EXPECT_NEAR(oi * oi, outer.radius * (outer.radius - 2 * inner.radius), 1e-9);
  // The excircle opposite A touches line BC: its centre is r_a from it.
  double bcx = 0.6 - 2.9, bcy = 3.1 + 0.7, len = std::hypot(bcx, bcy);
  double dist = std::fabs((ex.cx - 2.9) * bcy - (ex.cy + 0.7) * bcx) / len;
  EXPECT_NEAR(dist, ex.radius, kTol);
  // Heron: the excircle radius is area / (s - a).
  double la = len, lb = std::hypot(0.6 + 1.3, 3.1 - 0.4), lc = std::hypot(2.9 + 1.3, -0.7 - 0.4);
  double s = (la + lb + lc) / 2, area = std::sqrt(s * (s - la) * (s - lb) * (s - lc));
  EXPECT_NEAR(ex.radius, area / (s - la), 1e-9);
  EXPECT_NEAR(inner.radius, area / s, 1e-9);
}

TEST(CirclesTest, CentreRadiusAndDiameter) {
  Fixture f;
  ObjectRef o = f.Point(1.5, -2);
  ExpectCircle(f.Step("C1", {o, f.Number(0)}), 1.5, -2, 0);
  EXPECT_FALSE(f.Step("C1", {o, f.Number(-1)}).exists);
  ExpectCircle(f.Step("C1", {o, f.Number(2.25)}), 1.5, -2, 2.25);
  ExpectCircle(f.Step("C2", {o, f.Point(2.5, 0.4)}), 1.5, -2, std::hypot(1, 2.4));
  ExpectCircle(f.Step("C4", {f.Line(0, 0, 2, 0)}), 1, 0, 1);
  ExpectCircle(f.Step("C4", {f.Line(-0.3, 1.1, 2.2, -0.9)}), 0.95, 0.1, std::hypot(1.25, 1));
}

TEST(CirclesTest, TransformedCircles) {
  Fixture f;
  ObjectRef k = f.Circle(1, 0, 2);
  ExpectCircle(f.Step("CT2", {k, f.Point(0, 0)}), -1, 0, 2);
  ExpectCircle(f.Step("CRO", {k, f.Point(0, 0), f.Number(90)}), 0, 1, 2);
  ExpectCircle(f.Step("CT1", {k, f.Line(0, 1, 1, 2)}), -1, 2, 2);  // mirror y = x + 1
  ExpectCircle(f.Step("CT3", {k, f.Line(5, 5, 5.5, 4.25)}), 1.5, -0.75, 2);

  ObjectRef missing = f.Number(90);
  f.fig.Numbers[missing.index].exists = kFalse;
  EXPECT_FALSE(f.Step("CRO", {k, f.Point(0, 0), missing}).exists);
}

TEST(CirclesTest, OtherKindsLeaveTheOutputAlone) {
  Fixture f;
  int s = AppendStep(f.fig);
  f.fig.StepKind[s] = "CALC";
  int n = AddObject(f.fig, kNumberClass);
  f.fig.Numbers[n].value = 7, f.fig.Numbers[n].exists = kTrue;
  f.fig.StepOutputs[s][1] = {kNumberClass, static_cast<int16_t>(n)};
  ComputeCircleStep(f.fig, s, f.engine);
  EXPECT_EQ(f.fig.Numbers[n].value, 7);
  EXPECT_TRUE(f.fig.Numbers[n].exists);

  CircleRecord& wrong = f.Step("C3", {f.Point(0, 0), {kPointClass, 99}, f.Point(1, 1)});
  EXPECT_FALSE(wrong.exists);
}

}  // namespace
}  // namespace sakuzu
