#include "geometry/relations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace sakuzu {
namespace {

Vec2 Minus(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
double Distance(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

Judgement Judge(double deviation, double tolerance, bool degenerate) {
  if (degenerate || !std::isfinite(deviation)) return {Verdict::kDegenerate, 0};
  double excess = deviation / tolerance;
  if (!(tolerance > 0)) excess = deviation > 0 ? std::numeric_limits<double>::infinity() : 0;
  return {deviation <= tolerance ? Verdict::kHolds : Verdict::kFails, excess};
}

// The smallest height of triangle abc (twice its area over its longest
// side) and its shortest side.
struct TriangleShape {
  double height = 0;
  double shortest = 0;
};

TriangleShape Shape(Vec2 a, Vec2 b, Vec2 c) {
  const double ab = Distance(a, b), bc = Distance(b, c), ca = Distance(c, a);
  const double longest = std::max({ab, bc, ca});
  TriangleShape s;
  s.shortest = std::min({ab, bc, ca});
  if (longest > 0) s.height = std::fabs(Cross(Minus(b, a), Minus(c, a))) / longest;
  return s;
}

// Circumcentre and radius, worked out from a so that far-out triangles
// keep their digits; the triangle must not be flat.
Circle2 CircleThrough(Vec2 a, Vec2 b, Vec2 c) {
  const Vec2 u = Minus(b, a), v = Minus(c, a);
  const double d = 2 * Cross(u, v);
  const double uu = Dot(u, u), vv = Dot(v, v);
  const Vec2 o{(v.y * uu - u.y * vv) / d, (u.x * vv - v.x * uu) / d};
  return Circle2{{a.x + o.x, a.y + o.y}, std::hypot(o.x, o.y), true};
}

double DistanceToLine(Vec2 p, const Line2& l) { return std::fabs(Cross(l.d, Minus(p, l.p1))); }

// The unsigned angle between rays b->a and b->c, in radians.
double AngleAt(Vec2 a, Vec2 b, Vec2 c) {
  const Vec2 u = Minus(a, b), v = Minus(c, b);
  return std::atan2(std::fabs(Cross(u, v)), Dot(u, v));
}

}  // namespace

Judgement PointOnLine(Vec2 p, const Line2& l, const RelationTolerance& t) {
  return Judge(DistanceToLine(p, l), t.length, false);
}

Judgement PointOnCircle(Vec2 p, const Circle2& c, const RelationTolerance& t) {
  const double r = std::fabs(c.r);
  return Judge(std::fabs(Distance(p, c.c) - r), t.length, r <= t.degenerate);
}

Judgement Collinear(Vec2 a, Vec2 b, Vec2 c, const RelationTolerance& t) {
  // Two points together make any third collinear with them.
  const TriangleShape s = Shape(a, b, c);
  return Judge(s.height, t.length, s.shortest <= t.degenerate);
}

Judgement Concyclic(Vec2 a, Vec2 b, Vec2 c, Vec2 d, const RelationTolerance& t) {
  const std::array<Vec2, 4> p{a, b, c, d};
  for (size_t i = 0; i < p.size(); ++i) {
    for (size_t j = i + 1; j < p.size(); ++j) {
      if (Distance(p[i], p[j]) <= t.degenerate) return Judge(0, t.length, true);
    }
  }
  // The circle through the roundest three of the four, and the distance of
  // the fourth from it: a flat triangle would give a huge, shaky circle.
  size_t left = 0;
  double best = -1;
  for (size_t omit = 0; omit < p.size(); ++omit) {
    std::array<Vec2, 3> q;
    for (size_t i = 0, k = 0; i < p.size(); ++i) {
      if (i != omit) q[k++] = p[i];
    }
    const double h = Shape(q[0], q[1], q[2]).height;
    if (h > best) best = h, left = omit;
  }
  if (best <= t.degenerate) return Judge(0, t.length, true);  // four points on a line
  std::array<Vec2, 3> q;
  for (size_t i = 0, k = 0; i < p.size(); ++i) {
    if (i != left) q[k++] = p[i];
  }
  const Circle2 circle = CircleThrough(q[0], q[1], q[2]);
  return Judge(std::fabs(Distance(p[left], circle.c) - circle.r), t.length, false);
}

Judgement Parallel(const Line2& l, const Line2& m, const RelationTolerance& t) {
  // The directions are unit vectors: |sin| of the angle between the lines.
  return Judge(std::fabs(Cross(l.d, m.d)), t.angle, false);
}

Judgement Perpendicular(const Line2& l, const Line2& m, const RelationTolerance& t) {
  return Judge(std::fabs(Dot(l.d, m.d)), t.angle, false);
}

Judgement LineTangentToCircle(const Line2& l, const Circle2& c, const RelationTolerance& t) {
  const double r = std::fabs(c.r);
  return Judge(std::fabs(DistanceToLine(c.c, l) - r), t.length, r <= t.degenerate);
}

Judgement CirclesTangent(const Circle2& c, const Circle2& k, const RelationTolerance& t) {
  const double r = std::fabs(c.r), s = std::fabs(k.r);
  const double d = Distance(c.c, k.c);
  const double outside = std::fabs(d - (r + s)), inside = std::fabs(d - std::fabs(r - s));
  // A point circle, or one circle twice, touches nothing in particular.
  const bool degenerate =
      std::min(r, s) <= t.degenerate || (d <= t.degenerate && std::fabs(r - s) <= t.degenerate);
  return Judge(std::min(outside, inside), t.length, degenerate);
}

Judgement EqualLengths(double a, double b, const RelationTolerance& t) {
  return Judge(std::fabs(a - b), t.length, std::min(a, b) <= t.degenerate);
}

Judgement EqualAngles(Vec2 a, Vec2 b, Vec2 c, Vec2 d, Vec2 e, Vec2 f, const RelationTolerance& t) {
  const double shortestArm =
      std::min({Distance(a, b), Distance(c, b), Distance(d, e), Distance(f, e)});
  return Judge(std::fabs(AngleAt(a, b, c) - AngleAt(d, e, f)), t.angle,
               shortestArm <= t.degenerate);
}

Judgement EqualNumbers(double a, double b, const RelationTolerance& t) {
  const double scale = std::max({std::fabs(a), std::fabs(b), 1.0});
  return Judge(std::fabs(a - b), t.relative * scale, false);
}

}  // namespace sakuzu
