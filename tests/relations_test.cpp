#include "geometry/relations.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sakuzu {
namespace {

// Tight tolerances, as for a figure about 20 units across.
constexpr RelationTolerance kTight{2e-8, 1e-9, 1e-9, 2e-5};

Vec2 OnCircle(Vec2 c, double r, double angle) {
  return {c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
}

Line2 Through(Vec2 a, Vec2 b) { return LineThroughPoints(a, b); }

Verdict V(const Judgement& j) { return j.verdict; }

TEST(RelationsTest, CollinearAndOnLineAreWellConditioned) {
  // Points of one line, far from the origin too: rounding stays far below
  // the tolerance because the smallest height is measured.
  for (double offset : {0.0, 1e4}) {
    const Vec2 a{offset + 1.3, offset - 0.7}, d{0.6, 0.8};
    auto at = [&](double t) { return Vec2{a.x + t * d.x, a.y + t * d.y}; };
    EXPECT_EQ(V(Collinear(at(0), at(3.7), at(-12.1), kTight)), Verdict::kHolds) << offset;
    EXPECT_EQ(V(PointOnLine(at(9.5), Through(at(0), at(2)), kTight)), Verdict::kHolds);
  }
  // Off by 1e-4 in the normal direction: fails by 1e-4 over the tolerance.
  const Judgement off = Collinear({0, 0}, {10, 0}, {4, 1e-4}, kTight);
  EXPECT_EQ(off.verdict, Verdict::kFails);
  EXPECT_NEAR(off.excess, 1e-4 / kTight.length, 1);
  EXPECT_NEAR(PointOnLine({4, 0.25}, Through({0, 0}, {1, 0}), kTight).excess, 0.25 / 2e-8, 1);
  // Two points together: any third is "collinear" with them, which proves
  // nothing, and neither does a failure measured on such a pair.
  EXPECT_EQ(V(Collinear({1, 1}, {1 + 1e-6, 1}, {5, 9}, kTight)), Verdict::kDegenerate);
}

TEST(RelationsTest, ConcyclicUsesTheRoundestTriangle) {
  const Vec2 c{3, -2};
  const double r = 5;
  // Three of the points within a hair of each other: the circle through
  // them would be shaky, the one through the other three is not.
  const Vec2 p = OnCircle(c, r, 0.3), q = OnCircle(c, r, 0.3001), s = OnCircle(c, r, 0.3002);
  const Vec2 far = OnCircle(c, r, 2.5);
  EXPECT_EQ(V(Concyclic(p, q, s, far, kTight)), Verdict::kHolds);
  EXPECT_EQ(V(Concyclic(OnCircle(c, r, 1), OnCircle(c, r, 2), OnCircle(c, r, 4), OnCircle(c, r, 6),
                        kTight)),
            Verdict::kHolds);
  // A fourth point 1e-3 outside the circle: whichever three make the
  // circle, the odd one out misses it by about that much.
  const Judgement out = Concyclic(OnCircle(c, r, 1), OnCircle(c, r, 2), OnCircle(c, r, 4),
                                  OnCircle(c, r + 1e-3, 6), kTight);
  EXPECT_EQ(out.verdict, Verdict::kFails);
  EXPECT_GT(out.excess * kTight.length, 2e-4);
  EXPECT_LT(out.excess * kTight.length, 5e-3);
  // Four points of a line lie on no circle, and two coincident points on
  // every circle through the others: both tell nothing.
  EXPECT_EQ(V(Concyclic({0, 0}, {1, 1}, {2, 2}, {5, 5}, kTight)), Verdict::kDegenerate);
  EXPECT_EQ(V(Concyclic(p, p, far, OnCircle(c, r + 1, 4), kTight)), Verdict::kDegenerate);
}

TEST(RelationsTest, ParallelAndPerpendicularMeasureTheAngle) {
  const Line2 base = Through({-2, 1}, {5, 3.5});
  const double theta = std::atan2(2.5, 7);
  for (double turn : {0.0, kPi, kPi / 2, -kPi / 2}) {
    const Vec2 a{1, -4};
    const Line2 l = Through(a, OnCircle(a, 3, theta + turn));
    const bool parallel = std::fabs(std::sin(turn)) < 0.5;
    EXPECT_EQ(V(Parallel(base, l, kTight)), parallel ? Verdict::kHolds : Verdict::kFails) << turn;
    EXPECT_EQ(V(Perpendicular(base, l, kTight)), parallel ? Verdict::kFails : Verdict::kHolds);
  }
  // 1e-6 radians off parallel: about 1000 angle tolerances.
  const Line2 tilted = Through({0, 0}, OnCircle({0, 0}, 1, theta + 1e-6));
  EXPECT_NEAR(Parallel(base, tilted, kTight).excess, 1000, 1e-3);
}

TEST(RelationsTest, TangencyFromOutsideAndInside) {
  const Circle2 c{{1, 2}, 3, true};
  // The tangent at a point of the circle is perpendicular to the radius.
  const Vec2 t = OnCircle(c.c, 3, 0.7), radial{t.x - c.c.x, t.y - c.c.y};
  const Line2 tangent = Through(t, {t.x - radial.y, t.y + radial.x});
  EXPECT_EQ(V(LineTangentToCircle(tangent, c, kTight)), Verdict::kHolds);
  EXPECT_EQ(V(LineTangentToCircle(Through(c.c, t), c, kTight)), Verdict::kFails);
  EXPECT_EQ(V(PointOnCircle(t, c, kTight)), Verdict::kHolds);
  // Circles through t with centres on the radial line touch c there.
  const Circle2 outside{OnCircle(c.c, 3 + 2, 0.7), 2, true};
  const Circle2 inside{OnCircle(c.c, 3 - 1.2, 0.7), 1.2, true};
  const Circle2 around{OnCircle(c.c, 4 - 3, 0.7 + kPi), 4, true};  // c inside it
  for (const Circle2& k : {outside, inside, around}) {
    EXPECT_EQ(V(CirclesTangent(c, k, kTight)), Verdict::kHolds) << k.r;
    EXPECT_EQ(V(CirclesTangent(k, c, kTight)), Verdict::kHolds) << k.r;
  }
  EXPECT_EQ(V(CirclesTangent(c, Circle2{{2, 2}, 3, true}, kTight)), Verdict::kFails);
  EXPECT_EQ(V(CirclesTangent(c, Circle2{c.c, 1, true}, kTight)), Verdict::kFails);  // concentric
  // A circle twice, or one shrunk to a point, touches nothing in particular.
  EXPECT_EQ(V(CirclesTangent(c, c, kTight)), Verdict::kDegenerate);
  EXPECT_EQ(V(CirclesTangent(c, Circle2{t, 0, true}, kTight)), Verdict::kDegenerate);
  EXPECT_EQ(V(PointOnCircle(c.c, Circle2{c.c, 1e-7, true}, kTight)), Verdict::kDegenerate);
}

TEST(RelationsTest, EqualAnglesFollowTheInscribedAngleTheorem) {
  const Vec2 o{-1, 2};
  const Vec2 a = OnCircle(o, 4, 0.2), b = OnCircle(o, 4, 1.9);
  // On the same arc the angles over AB are equal; on the other arc they
  // make 180 degrees with them.
  const Vec2 p = OnCircle(o, 4, 3.0), q = OnCircle(o, 4, 4.4), other = OnCircle(o, 4, 1.0);
  EXPECT_EQ(V(EqualAngles(a, p, b, a, q, b, kTight)), Verdict::kHolds);
  EXPECT_EQ(V(EqualAngles(a, p, b, b, q, a, kTight)), Verdict::kHolds);  // the same angle
  const Judgement supplementary = EqualAngles(a, p, b, a, other, b, kTight);
  EXPECT_EQ(supplementary.verdict, Verdict::kFails);
  // The angle at the centre is twice the inscribed one: 1.7 against 0.85.
  EXPECT_NEAR(EqualAngles(a, o, b, a, p, b, kTight).excess * kTight.angle, 0.85, 1e-12);
  EXPECT_EQ(V(EqualAngles(a, a, b, a, q, b, kTight)), Verdict::kDegenerate);  // no arm
}

TEST(RelationsTest, LengthsAndNumbers) {
  EXPECT_EQ(V(EqualLengths(5, 5 + 1e-9, kTight)), Verdict::kHolds);
  EXPECT_EQ(V(EqualLengths(5, 5.01, kTight)), Verdict::kFails);
  EXPECT_EQ(V(EqualLengths(0, 3, kTight)), Verdict::kDegenerate);  // a segment of no length
  // Numbers compare relative to the larger, and to 1 near zero.
  EXPECT_EQ(V(EqualNumbers(2e6, 2e6 * (1 + 5e-10), kTight)), Verdict::kHolds);
  EXPECT_EQ(V(EqualNumbers(2e6, 2e6 + 0.01, kTight)), Verdict::kFails);
  EXPECT_EQ(V(EqualNumbers(0, 5e-10, kTight)), Verdict::kHolds);
  EXPECT_EQ(V(EqualNumbers(-1, 1, kTight)), Verdict::kFails);
}

}  // namespace
}  // namespace sakuzu
