#include "geometry/circles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "test_figure.h"

namespace sakuzu {
namespace {

constexpr double kTol = 1e-9;

struct Fixture : TestFigure {
  // Appends a step with one output circle, computes it and returns it.
  CircleRecord& Step(const char* kind, std::initializer_list<ObjectRef> inputs) {
    const int s = AppendWith(kind, inputs, {kCircleClass});
    ComputeCircleStep(fig, s, engine);
    return fig.Circles[fig.StepOutputs[s][1].index];
  }
};

void ExpectCircle(const CircleRecord& c, double cx, double cy, double r) {
  EXPECT_TRUE(c.exists && std::hypot(c.cx - cx, c.cy - cy) < kTol && std::fabs(c.radius - r) < kTol)
      << c.cx << ", " << c.cy << ", " << c.radius;
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
  const CircleRecord outer = f.Step("C3", {a, b, c}), nine = f.Step("C7", {a, b, c});
  const CircleRecord inner = f.Step("C5", {a, b, c}), ex = f.Step("C6", {a, b, c});
  ASSERT_TRUE(outer.exists && nine.exists && inner.exists && ex.exists);
  EXPECT_NEAR(nine.radius, outer.radius / 2, kTol);
  for (ObjectRef p : {a, b, c}) {
    const PointRecord& q = f.fig.Points[p.index];
    EXPECT_NEAR(std::hypot(q.x - outer.cx, q.y - outer.cy), outer.radius, kTol);
  }
  // Euler: |OI|^2 = R(R - 2r).
  const double oi = std::hypot(outer.cx - inner.cx, outer.cy - inner.cy);
  EXPECT_NEAR(oi * oi, outer.radius * (outer.radius - 2 * inner.radius), kTol);
  // The excircle opposite A touches line BC.
  const double bc = std::hypot(0.6 - 2.9, 3.1 + 0.7);
  EXPECT_NEAR(std::fabs((ex.cx - 2.9) * 3.8 - (ex.cy + 0.7) * -2.3) / bc, ex.radius, kTol);
}

TEST(CirclesTest, CentreRadiusAndDiameter) {
  Fixture f;
  ObjectRef o = f.Point(1.5, -2);
  ExpectCircle(f.Step("C1", {o, f.Number(0)}), 1.5, -2, 0);
  EXPECT_FALSE(f.Step("C1", {o, f.Number(-1)}).exists);
  ExpectCircle(f.Step("C2", {o, f.Point(2.5, 0.4)}), 1.5, -2, std::hypot(1, 2.4));
  ExpectCircle(f.Step("C4", {f.Line(0, 0, 2, 0)}), 1, 0, 1);
  ExpectCircle(f.Step("C4", {f.Line(-0.3, 1.1, 2.2, -0.9)}), 0.95, 0.1, std::hypot(1.25, 1));
}

TEST(CirclesTest, TransformedCircles) {
  Fixture f;
  ObjectRef k = f.Add(kCircleClass);
  f.fig.Circles[k.index] = {1, 0, 2, kTrue, 7, 0, ""};
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
  const int s = AppendStep(f.fig);
  f.fig.StepKind[s] = "CALC";
  ObjectRef n = f.Number(7);
  f.fig.StepOutputs[s][1] = n;
  ComputeCircleStep(f.fig, s, f.engine);
  EXPECT_TRUE(f.fig.Numbers[n.index].value == 7 && f.fig.Numbers[n.index].exists);
  EXPECT_FALSE(f.Step("C3", {f.Point(0, 0), {kPointClass, 99}, f.Point(1, 1)}).exists);
}

}  // namespace
}  // namespace sakuzu
