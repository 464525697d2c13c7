#include "geometry/primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace sakuzu {
namespace {

constexpr double kEps = 1e-9;

#define EXPECT_VEC_NEAR(v, ex, ey)  \
  do {                              \
    EXPECT_NEAR((v).x, (ex), kEps); \
    EXPECT_NEAR((v).y, (ey), kEps); \
  } while (0)

class MessageShell : public Shell {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

Circle2 Circle(double x, double y, double r) { return {{x, y}, r, true}; }

TEST(PrimitivesTest, LinesNeedPointsApartAndNonParallelDirections) {
  EXPECT_FALSE(LineThroughPoints({0, 0}, {0.005, 0}).exists);
  const Line2 l = LineThroughPoints({1, 1}, {1, 1.01});
  ASSERT_TRUE(l.exists);
  EXPECT_VEC_NEAR(l.d, 0, 1);

  const Line2 base = LineThroughPoints({0, 0}, {1, 0});
  const double half = DegreesToRadians(0.5), one = DegreesToRadians(1);
  EXPECT_FALSE(
      IntersectLines(base, LineThroughPoints({0, 1}, {std::cos(half), 1 + std::sin(half)})).exists);
  EXPECT_TRUE(
      IntersectLines(base, LineThroughPoints({0, 1}, {std::cos(one), 1 + std::sin(one)})).exists);

  // Awkward: y = 0.3x + 1.7 against y = -2.2x + 0.4 meet at x = -0.52.
  const PointResult p =
      IntersectLines(LineThroughPoints({0, 1.7}, {1, 2.0}), LineThroughPoints({0, 0.4}, {1, -1.8}));
  ASSERT_TRUE(p.exists);
  EXPECT_VEC_NEAR(p.p, -0.52, 1.7 - 0.3 * 0.52);
  EXPECT_FALSE(IntersectLines(Line2{}, base).exists);
}

TEST(PrimitivesTest, AuxiliaryLinesKeepTheirDefiningPoints) {
  const Line2 l = LineThroughPoints({1, 2}, {4, 6});  // direction (0.6, 0.8)
  const Line2 perp = PerpendicularFoot(l, {5, 0});
  ASSERT_TRUE(perp.exists);
  EXPECT_VEC_NEAR(perp.p1, 5, 0);
  EXPECT_VEC_NEAR(perp.d, -0.8, 0.6);
  EXPECT_VEC_NEAR(perp.p2, 1 + 0.6 * 0.8, 2 + 0.8 * 0.8);  // foot: t = (4, -2)·d = 0.8
  const Line2 onLine = PerpendicularFoot(l, {2.5, 4});
  EXPECT_VEC_NEAR(onLine.p2, 2.5, 4);

  const Line2 bis = PerpendicularBisector(l);
  EXPECT_VEC_NEAR(bis.p1, 2.5, 4);
  EXPECT_VEC_NEAR(bis.p2, 2.5 - 0.8, 4 + 0.6);

  const Line2 par = ParallelThrough(l, {-1, -1});
  EXPECT_VEC_NEAR(par.p2, -0.4, -0.2);

  // Coefficients: unit normal and signed distance; and back again.
  const LineEquation e = LineCoefficients(l);
  EXPECT_NEAR(e.a * 5 + e.b * 0 + e.c, 4.4, kEps);  // (5, 0) lies 4.4 to the right
  const Line2 back = LineFromCoefficients(e.a, e.b, e.c);
  ASSERT_TRUE(back.exists);
  EXPECT_NEAR(e.a * back.p1.x + e.b * back.p1.y + e.c, 0, kEps);
  EXPECT_VEC_NEAR(LineFromCoefficients(2, 0, -3).p1, 1.5, 0);
  EXPECT_VEC_NEAR(LineFromCoefficients(1, 4, -2).p1, 0, 0.5);
  EXPECT_FALSE(LineFromCoefficients(0, 0, 1).exists);
}

TEST(PrimitivesTest, LineCircleIntersectionOrderAndTangentBand) {
  const Circle2 unit = Circle(0, 0, 1);
  PointPair q = IntersectLineCircle(LineThroughPoints({0, 0}, {1, 0}), unit);
  ASSERT_TRUE(q.exists);
  EXPECT_VEC_NEAR(q.q1, 1, 0);
  EXPECT_VEC_NEAR(q.q2, -1, 0);

  for (double dist : {1.0, 1.00001}) {
    q = IntersectLineCircle(LineThroughPoints({-3, dist}, {3, dist}), unit);
    ASSERT_TRUE(q.exists) << dist;
    EXPECT_VEC_NEAR(q.q1, 0, dist);
    EXPECT_VEC_NEAR(q.q2, 0, dist);
  }
  EXPECT_FALSE(IntersectLineCircle(LineThroughPoints({-3, 1.0001}, {3, 1.0001}), unit).exists);

  // Awkward: a slanted line through (0.3, -0.7) and a circle off the origin.
  const Line2 l = LineThroughPoints({0.3, -0.7}, {2.3, 0.8});
  const Circle2 c = Circle(1.1, 0.4, 1.7);
  q = IntersectLineCircle(l, c);
  ASSERT_TRUE(q.exists);
  for (Vec2 p : {q.q1, q.q2}) EXPECT_NEAR(PointDistance(p, c.c), 1.7, kEps);
  EXPECT_GT((q.q1.x - q.q2.x) * l.d.x + (q.q1.y - q.q2.y) * l.d.y, 0);  // q1 farther along
}

TEST(PrimitivesTest, CircleCircleIntersectionOrder) {
  PointPair q = IntersectCircles(Circle(0, 0, 5), Circle(4, 0, 3));
  ASSERT_TRUE(q.exists);
  EXPECT_VEC_NEAR(q.q1, 4, 3);
  EXPECT_VEC_NEAR(q.q2, 4, -3);
  EXPECT_FALSE(IntersectCircles(Circle(1, 1, 2), Circle(1, 1, 2)).exists);
  EXPECT_FALSE(IntersectCircles(Circle(0, 0, 1), Circle(3, 0, 1)).exists);
  q = IntersectCircles(Circle(0, 0, 1), Circle(2, 0, 1));  // touching
  ASSERT_TRUE(q.exists);
  EXPECT_VEC_NEAR(q.q1, 1, 0);

  // Awkward radii: both points on both circles, q1 on the left.
  const Circle2 c0 = Circle(-0.4, 1.3, 2.35), c1 = Circle(1.9, -0.2, 1.45);
  q = IntersectCircles(c0, c1);
  ASSERT_TRUE(q.exists);
  for (Vec2 p : {q.q1, q.q2}) {
    EXPECT_NEAR(PointDistance(p, c0.c), 2.35, kEps);
    EXPECT_NEAR(PointDistance(p, c1.c), 1.45, kEps);
  }
  const double cross =
      (c1.c.x - c0.c.x) * (q.q1.y - c0.c.y) - (c1.c.y - c0.c.y) * (q.q1.x - c0.c.x);
  EXPECT_GT(cross, 0);
}

TEST(PrimitivesTest, ContinuityRuleTogglesOnlyOnCrosswiseMatch) {
  const PointPair q{{1, 0}, {-1, 0}, true};
  for (int16_t start : {kFalse, kTrue}) {
    // The previous outputs as the rule wrote them: never a toggle.
    int16_t reversed = start;
    const PointPair first = OrderByContinuity(q, {9, 9}, {8, 8}, reversed);
    EXPECT_EQ(reversed, start);
    for (int i = 0; i < 3; ++i) {
      const PointPair again = OrderByContinuity(q, first.q1, first.q2, reversed);
      EXPECT_EQ(reversed, start);
      EXPECT_VEC_NEAR(again.q1, first.q1.x, first.q1.y);
    }
  }
  // The candidates arrive crosswise: the flag flips and the labels stay.
  int16_t reversed = kFalse;
  const PointPair out = OrderByContinuity(q, {-1.0004, 0}, {1.0004, 0}, reversed);
  EXPECT_EQ(reversed, kTrue);
  EXPECT_VEC_NEAR(out.q1, -1, 0);
  // A tangent pair matches both ways and never flips.
  reversed = kFalse;
  OrderByContinuity({{0, 1}, {0, 1}, true}, {0, 1}, {0, 1}, reversed);
  EXPECT_EQ(reversed, kFalse);
}

TEST(PrimitivesTest, DistancesAndDrawnParts) {
  EXPECT_NEAR(PointDistance({1, 2}, {4, 6}), 5, kEps);
  Line2 l = LineThroughPoints({0, 0}, {4, 0});
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

TEST(PrimitivesTest, DivisionExtensionRotation) {
  EXPECT_FALSE(DivisionPoint({0, 0}, {1, 1}, 1, -1).exists);
  EXPECT_VEC_NEAR(DivisionPoint({1, 1}, {4, 7}, 1, 2).p, 2, 3);
  EXPECT_VEC_NEAR(DivisionPoint({1, 1}, {4, 7}, 2, -1).p, 7, 13);
  EXPECT_VEC_NEAR(ExtendPoint({1.5, -2}, {0.25, 3}, 0).p, 0.25, 3);
  EXPECT_VEC_NEAR(ExtendPoint({1.5, -2}, {0.25, 3}, -1).p, 1.5, -2);
  EXPECT_VEC_NEAR(ExtendPoint({1.5, -2}, {0.25, 3}, 1).p, -1, 8);
  EXPECT_FALSE(UnitStepPoint({1, 1}, {1.005, 1}).exists);
  EXPECT_VEC_NEAR(UnitStepPoint({1, 1}, {4, 5}).p, 1.6, 1.8);
  EXPECT_VEC_NEAR(RotatePoint({2, 1}, {1, 1}, 90), 1, 2);
  const Vec2 turned = RotatePoint({3.7, -0.4}, {0.2, 1.1}, 37.5);
  EXPECT_NEAR(PointDistance(turned, {0.2, 1.1}), PointDistance({3.7, -0.4}, {0.2, 1.1}), kEps);
  // The 15-digit pi shows in the conversion.
  EXPECT_DOUBLE_EQ(DegreesToRadians(180), 3.14159265358979);
  EXPECT_NE(DegreesToRadians(180), M_PI);
}

TEST(PrimitivesTest, AnglesAndTheirSigns) {
  MessageShell shell;
  Engine engine;
  engine.shell = &shell;
  EXPECT_NEAR(SignedAngle({1, 0}, {0, 0}, {0, 1}, engine), 90, 1e-6);
  EXPECT_NEAR(SignedAngle({1, 0}, {0, 0}, {0, -1}, engine), -90, 1e-6);
  EXPECT_EQ(SignedAngle({1, 0}, {0, 0}, {-1, 0}, engine), 180);
  EXPECT_EQ(UnsignedAngle({1, 0}, {1, 0}, {0, 1}), 0);
  // Every direction around an awkward vertex: the sign follows the turn.
  const Vec2 b{0.3, -1.2};
  for (int k = -179; k <= 179; k += 7) {
    const double phi = DegreesToRadians(k + 0.3);
    const Vec2 a{b.x + 2.1 * std::cos(0.4), b.y + 2.1 * std::sin(0.4)};
    const Vec2 c{b.x + 0.7 * std::cos(0.4 + phi), b.y + 0.7 * std::sin(0.4 + phi)};
    EXPECT_NEAR(SignedAngle(a, b, c, engine), k + 0.3, 1e-6) << k;
  }
  EXPECT_TRUE(shell.messages.empty());

  const Line2 h = LineThroughPoints({0, 0}, {1, 0});
  EXPECT_NEAR(LineAngle(h, LineThroughPoints({0, 0}, {0, 3})).value, 90, 1e-6);
  EXPECT_EQ(LineAngle(h, LineThroughPoints({5, 1}, {2, 1})).value, 0);
  EXPECT_NEAR(LineAngle(h, LineThroughPoints({0, 0}, {-1, std::sqrt(3.0)})).value, 60, 1e-6);
  EXPECT_NEAR(VectorArgument({0, -1}), -kPi / 2, kEps);
  EXPECT_NEAR(VectorArgument({-1, -1}), 1.25 * kPi, kEps);
  EXPECT_EQ(VectorArgument({0.001, 0}), 0);
}

TEST(PrimitivesTest, StoringAndSlotAccessGuardTheTables) {
  PointRecord r;
  r.x = 3;
  r.exists = kTrue;
  StorePoint(r, PointResult{{NAN, 1}, true});
  EXPECT_EQ(r.exists, kFalse);
  EXPECT_EQ(r.x, 3);  // a failed object keeps its last position
  LineRecord lr;
  lr.lineKind = 2;
  StoreLine(lr, LineThroughPoints({0, 0}, {2, 0}));
  EXPECT_EQ(lr.exists, kTrue);
  EXPECT_EQ(lr.lineKind, 2);
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
  EXPECT_EQ(StepInputPoint(fig, s, 2), nullptr);
  EXPECT_EQ(StepInputPoint(fig, s, 3), nullptr);
  EXPECT_EQ(StepInputPoint(fig, s + 1, 1), nullptr);
  EXPECT_EQ(StepInputPoint(fig, s, 6), nullptr);
  EXPECT_EQ(StepInputLine(fig, s, 1), nullptr);  // no line 1 yet
}

}  // namespace
}  // namespace sakuzu
