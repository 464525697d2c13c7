#include "geometry/primitives.h"

#include <cmath>
#include <utility>

namespace sakuzu {

namespace {

Vec2 Add(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 Sub(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
Vec2 Scale(Vec2 a, double k) { return {a.x * k, a.y * k}; }
double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
double Length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

bool Near(Vec2 u, Vec2 v) { return std::fabs(u.x - v.x) + std::fabs(u.y - v.y) < kContinuityMatch; }

}  // namespace

double DegreesToRadians(double degrees) { return degrees * kPi / 180; }
double RadiansToDegrees(double radians) { return radians * 180 / kPi; }

bool NormalizeVector(Vec2& v) {
  const double l = Length(v);
  if (!(l >= kShortVector)) return false;  // also refuses NaN
  v.x /= l;
  v.y /= l;
  return true;
}

Line2 LineThroughPoints(Vec2 a, Vec2 b) {
  Line2 l;
  l.p1 = a;
  l.p2 = b;
  LineDirection(l);
  return l;
}

void LineDirection(Line2& line) {
  Vec2 d = Sub(line.p2, line.p1);
  line.exists = NormalizeVector(d);
  if (line.exists) line.d = d;
}

PointPair SplitLine(const Line2& line) { return {line.p1, line.p2, line.exists}; }

Line2 ParallelThrough(const Line2& l, Vec2 x) {
  Line2 out;
  if (!l.exists) return out;
  out.p1 = x;
  out.d = l.d;
  out.p2 = Add(x, l.d);
  out.exists = true;
  return out;
}

Line2 PerpendicularFoot(const Line2& l, Vec2 x) {
  Line2 out;
  if (!l.exists) return out;
  out.p1 = x;
  out.d = {-l.d.y, l.d.x};
  out.exists = true;
  const PointResult foot = IntersectLines(l, out);
  // Only a line record without a unit direction can miss its own normal.
  if (!foot.exists) return Line2{};
  out.p2 = foot.p;
  return out;
}

Line2 PerpendicularBisector(const Line2& l) {
  if (!l.exists) return Line2{};
  const Vec2 m{(l.p1.x + l.p2.x) / 2, (l.p1.y + l.p2.y) / 2};
  Line2 out = PerpendicularFoot(l, m);
  if (!out.exists) return out;
  out.p2 = Add(m, out.d);
  return out;
}

Line2 LineFromCoefficients(double a, double b, double c) {
  Line2 out;
  if (a == 0 && b == 0) return out;
  Vec2 d{b, -a};
  if (!NormalizeVector(d)) return out;
  out.p1 = (b == 0) ? Vec2{-c / a, 0} : Vec2{0, -c / b};
  out.d = d;
  out.p2 = Add(out.p1, d);
  out.exists = true;
  return out;
}

LineEquation LineCoefficients(const Line2& l) {
  LineEquation e;
  if (!l.exists) return e;
  e.a = l.d.y;
  e.b = -l.d.x;
  e.c = -(e.a * l.p1.x + e.b * l.p1.y);
  e.exists = true;
  return e;
}

PointResult IntersectLines(const Line2& l1, const Line2& l2) {
  PointResult out;
  if (!l1.exists || !l2.exists) return out;
  const Vec2 d1 = l1.d, d2 = l2.d;
  // Columns d1 and -d2; the determinant is the sine of the angle between.
  const double det = d1.y * d2.x - d1.x * d2.y;
  if (!(std::fabs(det) >= kParallelDeterminant)) return out;
  const double inv11 = -d2.y / det;
  const double inv12 = d2.x / det;
  const Vec2 r = Sub(l2.p1, l1.p1);
  const double t = inv11 * r.x + inv12 * r.y;
  out.p = Add(l1.p1, Scale(d1, t));
  out.exists = IsFinite(out.p);
  return out;
}

PointPair IntersectLineCircle(const Line2& l, const Circle2& c) {
  PointPair out;
  if (!l.exists || !c.exists) return out;
  const Vec2 p1 = l.p1, d = l.d;
  const double h = (p1.y - c.c.y) * d.x - (p1.x - c.c.x) * d.y;
  double disc = c.r * c.r - h * h;
  if (!(disc >= -kDiscriminantTolerance)) return out;
  if (std::fabs(disc) < kDiscriminantTolerance) disc = 0;
  const double s = std::sqrt(disc);
  const double t0 = (c.c.x - p1.x) * d.x + (c.c.y - p1.y) * d.y;
  out.q1 = Add(p1, Scale(d, t0 + s));
  out.q2 = Add(p1, Scale(d, t0 - s));
  out.exists = IsFinite(out.q1) && IsFinite(out.q2);
  return out;
}

PointPair IntersectCircles(const Circle2& c0, const Circle2& c1) {
  PointPair out;
  if (!c0.exists || !c1.exists) return out;
  const double ex = c1.c.x - c0.c.x, ey = c1.c.y - c0.c.y;
  const double d2 = ex * ex + ey * ey;
  if (!(d2 > 0)) return out;
  const double r0s = c0.r * c0.r, r1s = c1.r * c1.r;
  const double diff = r1s - r0s;
  // Sixteen times the squared area of the triangle with sides d, r0, r1.
  double disc = 2 * d2 * (r0s + r1s) - d2 * d2 - diff * diff;
  if (!(disc >= -kDiscriminantTolerance)) return out;
  if (std::fabs(disc) < kDiscriminantTolerance) disc = 0;
  const double k = 1 / (2 * d2);
  const double t = 0.5 - k * diff;
  const Vec2 m{c0.c.x + t * ex, c0.c.y + t * ey};
  const double h = std::sqrt(disc) * k;
  out.q1 = {m.x - h * ey, m.y + h * ex};
  out.q2 = {m.x + h * ey, m.y - h * ex};
  out.exists = IsFinite(out.q1) && IsFinite(out.q2);
  return out;
}

PointPair OrderByContinuity(PointPair q, Vec2 r1, Vec2 r2, int16_t& reversed) {
  if (!q.exists) return q;
  if (reversed) std::swap(r1, r2);
  const bool a = Near(q.q1, r1), b = Near(q.q1, r2);
  const bool c = Near(q.q2, r1), e = Near(q.q2, r2);
  if (!a && !e && (b || c)) reversed = reversed ? kFalse : kTrue;
  if (reversed) std::swap(q.q1, q.q2);
  return q;
}

PointPair ApplyContinuity(Figure& fig, int step, PointPair q) {
  if (!q.exists || !IsValidStep(fig, step) || step > fig.StepReversed.UpperBound()) return q;
  const int o1 = StepOutputIndex(fig, step, 1, kPointClass);
  const int o2 = StepOutputIndex(fig, step, 2, kPointClass);
  int16_t& reversed = fig.StepReversed[step];
  const bool havePrevious =
      o1 && o2 && o1 <= fig.PrevPoints.UpperBound() && o2 <= fig.PrevPoints.UpperBound();
  if (!havePrevious) {
    if (reversed) std::swap(q.q1, q.q2);
    return q;
  }
  return OrderByContinuity(q, PointOf(fig.PrevPoints[o1]), PointOf(fig.PrevPoints[o2]), reversed);
}

double PointDistance(Vec2 a, Vec2 b) {
  const double dy = a.y - b.y, dx = a.x - b.x;
  return std::sqrt(dy * dy + dx * dx);
}

NumberResult PointLineDistance(Vec2 p, const Line2& l) {
  const Line2 perp = PerpendicularFoot(l, p);
  if (!perp.exists) return {};
  return {PointDistance(p, perp.p2), true};
}

NumberResult DrawnLineDistance(Vec2 p, const Line2& l) {
  const Line2 perp = PerpendicularFoot(l, p);
  if (!perp.exists) return {};
  const Vec2 f = perp.p2;
  const double d1 = PointDistance(p, l.p1), d2 = PointDistance(p, l.p2);
  const double dF = PointDistance(p, f);
  switch (l.lineKind) {
    case 1:
    case 4:
    case 5:
    case 6:
      if (Dot(Sub(l.p1, f), Sub(l.p2, f)) > 0) return {d1 >= d2 ? d2 : d1, true};
      return {dF, true};
    case 2:
    case 7:
      return {Dot(Sub(l.p2, l.p1), Sub(p, l.p1)) < 0 ? d1 : dF, true};
    case 3:
      return {Dot(Sub(l.p1, l.p2), Sub(p, l.p2)) < 0 ? d2 : dF, true};
    default:
      return {dF, true};
  }
}

PointResult DivisionPoint(Vec2 a, Vec2 b, double m, double n) {
  const double s = m + n;
  if (s == 0) return {};
  const Vec2 p{(n * a.x + m * b.x) / s, (n * a.y + m * b.y) / s};
  return {p, IsFinite(p)};
}

PointResult ExtendPoint(Vec2 a, Vec2 b, double k) { return DivisionPoint(a, b, k + 1, -k); }

PointResult UnitStepPoint(Vec2 a, Vec2 b) {
  Vec2 v = Sub(b, a);
  if (!NormalizeVector(v)) return {};
  return {Add(a, v), true};
}

Vec2 RotatePoint(Vec2 x, Vec2 o, double degrees) {
  const double phi = DegreesToRadians(degrees);
  const double c = std::cos(phi), s = std::sin(phi);
  const double rx = x.x - o.x, ry = x.y - o.y;
  return {rx * c - ry * s + o.x, rx * s + ry * c + o.y};
}

double ArcCosine(double c) {
  if (1 - c * c < kArcCosineClamp) c = 1;
  if (c == 0) return kPi / 2;
  return std::atan(std::sqrt(1 - c * c) / c);
}

double UnsignedAngle(Vec2 a, Vec2 b, Vec2 c) {
  Vec2 u = Sub(a, b), v = Sub(c, b);
  if (!NormalizeVector(u) || !NormalizeVector(v)) return 0;
  double theta = ArcCosine(Dot(u, v)) * 180 / kPi;
  if (theta < 0) theta += 180;
  return theta;
}

double SignedAngle(Vec2 a, Vec2 b, Vec2 c, Engine& engine) {
  const double theta = UnsignedAngle(a, b, c);
  const PointResult u = UnitStepPoint(b, a), v = UnitStepPoint(b, c);
  if (!u.exists || !v.exists) return theta;
  auto reaches = [&](double angle) {
    const Vec2 r = RotatePoint(u.p, b, angle);
    return std::fabs(r.x - v.p.x) < kAngleMatch && std::fabs(r.y - v.p.y) < kAngleMatch;
  };
  if (reaches(theta)) return theta;
  if (reaches(-theta)) return -theta;
  // The arc cosine reads a nearly straight angle as 0.
  if (std::fabs(theta) < kAngleMatch) return 180;
  engine.shell->ShowMessage(engine.T("Error in Angle"));
  return -theta;
}

NumberResult LineAngle(const Line2& l1, const Line2& l2) {
  if (!l1.exists || !l2.exists) return {};
  const double theta = std::fabs(ArcCosine(Dot(l1.d, l2.d)) * 180 / kPi);
  return {theta > 90 ? 180 - theta : theta, true};
}

double VectorArgument(Vec2 v) {
  if (!NormalizeVector(v)) return 0;
  if (v.x == 0) return v.y > 0 ? kPi / 2 : -kPi / 2;
  double theta = std::atan(v.y / v.x);
  if (v.x < 0) theta += kPi;
  if (theta < 0) theta += kTwoPi;
  return theta;
}

}  // namespace sakuzu
