#include "geometry/primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "test_figure.h"

namespace sakuzu {
namespace {

constexpr double kEps = 1e-9;

void ExpectVecNear(Vec2 v, double x, double y) {
  EXPECT_LT(std::hypot(v.x - x, v.y - y), kEps) << v.x << ", " << v.y;
}

Circle2 Circle(double x, double y, double r) { return {{x, y}, r, true}; }
Line2 Through(Vec2 a, Vec2 b) { return LineThroughPoints(a, b); }

TEST(PrimitivesTest, LinesNeedPointsApartAndNonParallelDirections) {
  EXPECT_FALSE(Through({0, 0}, {0.005, 0}).exists);
  ExpectVecNear(Through({1, 1}, {1, 1.01}).d, 0, 1);

  const Line2 base = Through({0, 0}, {1, 0});
  const double half = DegreesToRadians(0.5), one = DegreesToRadians(1);
  EXPECT_FALSE(IntersectLines(base, Through({0, 1}, {std::cos(half), 1 + std::sin(half)})).exists);
  EXPECT_TRUE(IntersectLines(base, Through({0, 1}, {std::cos(one), 1 + std::sin(one)})).exists);
  EXPECT_FALSE(IntersectLines(Line2{}, base).exists);
  // Awkward: y = 0.3x + 1.7 against y = -2.2x + 0.4 meet at x = -0.52.
  const PointResult p = IntersectLines(Through({0, 1.7}, {1, 2.0}), Through({0, 0.4}, {1, -1.8}));
  ASSERT_TRUE(p.exists);
  ExpectVecNear(p.p, -0.52, 1.7 - 0.3 * 0.52);
}

TEST(PrimitivesTest, LineCircleIntersectionOrderAndTangentBand) {
  const Circle2 unit = Circle(0, 0, 1);
  PointPair q = IntersectLineCircle(Through({0, 0}, {1, 0}), unit);
  ASSERT_TRUE(q.exists);
  ExpectVecNear(q.q1, 1, 0);
  ExpectVecNear(q.q2, -1, 0);
  for (double dist : {1.0, 1.00001}) {
    q = IntersectLineCircle(Through({-3, dist}, {3, dist}), unit);
    ASSERT_TRUE(q.exists) << dist;
    ExpectVecNear(q.q1, 0, dist);
    ExpectVecNear(q.q2, 0, dist);
  }
  EXPECT_FALSE(IntersectLineCircle(Through({-3, 1.0001}, {3, 1.0001}), unit).exists);

  // Awkward: a slanted line and a circle off the origin.
  const Line2 l = Through({0.3, -0.7}, {2.3, 0.8});
  const Circle2 c = Circle(1.1, 0.4, 1.7);
  q = IntersectLineCircle(l, c);
  ASSERT_TRUE(q.exists);
  for (Vec2 p : {q.q1, q.q2}) EXPECT_NEAR(PointDistance(p, c.c), 1.7, kEps);
  EXPECT_GT((q.q1.x - q.q2.x) * l.d.x + (q.q1.y - q.q2.y) * l.d.y, 0);  // q1 farther along
}

TEST(PrimitivesTest, CircleCircleIntersectionOrder) {
  EXPECT_FALSE(IntersectCircles(Circle(1, 1, 2), Circle(1, 1, 3)).exists);  // same centre
  EXPECT_FALSE(IntersectCircles(Circle(0, 0, 1), Circle(3, 0, 1)).exists);
  ExpectVecNear(IntersectCircles(Circle(0, 0, 1), Circle(2, 0, 1)).q1, 1, 0);  // touching

  // Awkward radii: both points on both circles, q1 on the left.
  const Circle2 c0 = Circle(-0.4, 1.3, 2.35), c1 = Circle(1.9, -0.2, 1.45);
  const PointPair q = IntersectCircles(c0, c1);
  ASSERT_TRUE(q.exists);
  for (Vec2 p : {q.q1, q.q2}) {
    EXPECT_NEAR(PointDistance(p, c0.c), 2.35, kEps);
    EXPECT_NEAR(PointDistance(p, c1.c), 1.45, kEps);
  }
  EXPECT_GT((c1.c.x - c0.c.x) * (q.q1.y - c0.c.y) - (c1.c.y - c0.c.y) * (q.q1.x - c0.c.x), 0);
}

// Crosswise candidates flip the flag; the outputs as the rule wrote them,
// or a tangent pair, never do.
TEST(PrimitivesTest, ContinuityRuleTogglesOnlyOnCrosswiseMatch) {
  // The candidates arrive crosswise: the flag flips and the labels stay.
  int16_t reversed = kFalse;
  const PointPair q{{1, 0}, {-1, 0}, true};
  ExpectVecNear(OrderByContinuity(q, {-1.0004, 0}, {1.0004, 0}, reversed).q1, -1, 0);
  EXPECT_EQ(reversed, kTrue);
  ExpectVecNear(OrderByContinuity(q, {-1, 0}, {1, 0}, reversed).q1, -1, 0);
  EXPECT_EQ(reversed, kTrue);
  // A tangent pair matches both ways and never flips.
  reversed = kFalse;
  OrderByContinuity({{0, 1}, {0, 1}, true}, {0, 1}, {0, 1}, reversed);
  EXPECT_EQ(reversed, kFalse);
}

TEST(PrimitivesTest, DistancesAndDrawnParts) {
  Line2 l = Through({0, 0}, {4, 0});
  EXPECT_NEAR(PointLineDistance({7, -2.5}, l).value, 2.5, kEps);
  EXPECT_FALSE(PointLineDistance({0, 0}, Line2{}).exists);
  const Vec2 p{6, 1};   // beyond P2
  const Vec2 r{-3, 4};  // before P1
  const double s5 = std::sqrt(5.0);
  const double expect[8][2] = {{1, 4}, {s5, 5}, {1, 5}, {s5, 4}, {s5, 5}, {s5, 5}, {s5, 5}, {1, 5}};
  for (int kind = 0; kind <= 7; ++kind) {
    l.lineKind = kind;
    EXPECT_NEAR(DrawnLineDistance(p, l).value, expect[kind][0], kEps) << kind;
    EXPECT_NEAR(DrawnLineDistance(r, l).value, expect[kind][1], kEps) << kind;
  }
}

TEST(PrimitivesTest, UnitStepRotationAndPi) {
  EXPECT_FALSE(UnitStepPoint({1, 1}, {1.005, 1}).exists);
  ExpectVecNear(UnitStepPoint({1, 1}, {4, 5}).p, 1.6, 1.8);
  ExpectVecNear(RotatePoint({2, 1}, {1, 1}, 90), 1, 2);
  // The 15-digit pi shows in the conversion.
  EXPECT_DOUBLE_EQ(DegreesToRadians(180), 3.14159265358979);
  EXPECT_NE(DegreesToRadians(180), M_PI);
}

TEST(PrimitivesTest, AnglesAndTheirSigns) {
  TestFigure t;
  Engine& engine = t.engine;
  EXPECT_NEAR(SignedAngle({1, 0}, {0, 0}, {0, 1}, engine), 90, 1e-6);
  EXPECT_NEAR(SignedAngle({1, 0}, {0, 0}, {0, -1}, engine), -90, 1e-6);
  EXPECT_EQ(SignedAngle({1, 0}, {0, 0}, {-1, 0}, engine), 180);
  // Every direction around an awkward vertex: the sign follows the turn.
  const Vec2 b{0.3, -1.2};
  for (int k = -179; k <= 179; k += 7) {
    const double phi = DegreesToRadians(k + 0.3);
    const Vec2 a{b.x + 2.1 * std::cos(0.4), b.y + 2.1 * std::sin(0.4)};
    const Vec2 c{b.x + 0.7 * std::cos(0.4 + phi), b.y + 0.7 * std::sin(0.4 + phi)};
    EXPECT_NEAR(SignedAngle(a, b, c, engine), k + 0.3, 1e-6) << k;
  }
  EXPECT_TRUE(t.shell.messages.empty());

  const Line2 h = Through({0, 0}, {1, 0});
  EXPECT_NEAR(LineAngle(h, Through({0, 0}, {0, 3})).value, 90, 1e-6);
  EXPECT_EQ(LineAngle(h, Through({5, 1}, {2, 1})).value, 0);
  EXPECT_NEAR(VectorArgument({0, -1}), -kPi / 2, kEps);
  EXPECT_NEAR(VectorArgument({-1, -1}), 1.25 * kPi, kEps);
}

TEST(PrimitivesTest, StoringAndSlotAccessGuardTheTables) {
  PointRecord r;
  r.x = 3, r.exists = kTrue;
  StorePoint(r, PointResult{{NAN, 1}, true});
  EXPECT_TRUE(r.exists == kFalse && r.x == 3);  // a failed object keeps its last position
  LineRecord lr;
  lr.lineKind = 2;
  StoreLine(lr, Through({0, 0}, {2, 0}));
  EXPECT_TRUE(lr.exists == kTrue && lr.lineKind == 2);  // the drawn part is the user's
  NumberRecord nr;
  StoreNumber(nr, {INFINITY, true});
  EXPECT_EQ(nr.exists, kFalse);

  Figure fig;
  CreateTables(fig, 10);
  const int p = AddObject(fig, kPointClass);
  const int s = AppendStep(fig);
  fig.StepInputs[s][1] = {kPointClass, static_cast<int16_t>(p)};
  fig.StepInputs[s][2] = {kPointClass, 9};  // within the table, beyond the count
  fig.StepInputs[s][3] = {kPointClass, -4};
  EXPECT_NE(StepInputPoint(fig, s, 1), nullptr);
  for (int slot : {2, 3, 6}) EXPECT_EQ(StepInputPoint(fig, s, slot), nullptr) << slot;
  EXPECT_EQ(StepInputPoint(fig, s + 1, 1), nullptr);
  EXPECT_EQ(StepInputLine(fig, s, 1), nullptr);  // no line 1 yet
}

}  // namespace
}  // namespace sakuzu
