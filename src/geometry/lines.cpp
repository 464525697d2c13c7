#include "geometry/lines.h"

#include <cmath>

#include "geometry/kind_code.h"
#include "geometry/points.h"
#include "geometry/transforms.h"

namespace sakuzu {
namespace {

// A point whose squared tangent length d^2 - r^2 lies below minus this is
// inside its circle and has no tangents.
constexpr double kInsideTolerance = 0.01;

Vec2 Add(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 Sub(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
Vec2 Scale(Vec2 a, double k) { return {a.x * k, a.y * k}; }

Line2 Missing() { return Line2{}; }

// A line from P1 and a unit direction, P2 one unit along it.
Line2 LineAlong(Vec2 p1, Vec2 d) {
  Line2 l;
  l.p1 = p1;
  l.d = d;
  l.p2 = Add(p1, d);
  l.exists = true;
  return l;
}

bool Exists(const PointRecord* p) { return p && p->exists != 0; }
bool Exists(const LineRecord* l) { return l && l->exists != 0; }
bool Exists(const CircleRecord* c) { return c && c->exists != 0; }
bool Exists(const NumberRecord* n) { return n && n->exists != 0; }

// The inputs of one step, read by slot; a slot outside its table reads as
// an object that does not exist.
struct Inputs {
  const Figure& fig;
  int step;
  const PointRecord* Point(int slot) const { return StepInputPoint(fig, step, slot); }
  const LineRecord* Line(int slot) const { return StepInputLine(fig, step, slot); }
  const CircleRecord* Circle(int slot) const { return StepInputCircle(fig, step, slot); }
  const NumberRecord* Number(int slot) const { return StepInputNumber(fig, step, slot); }
};

void StoreOutput(Figure& fig, int step, int slot, const Line2& l) {
  if (LineRecord* out = StepOutputLine(fig, step, slot)) StoreLine(*out, l);
}

// The line through the images of l's two defining points.
Line2 ImageOfLine(PointResult p1, PointResult p2) {
  if (!p1.exists || !p2.exists) return Missing();
  return LineThroughPoints(p1.p, p2.p);
}

Line2 ComputeL1(const Inputs& in) {
  auto a = in.Point(1), b = in.Point(2);
  if (!Exists(a) || !Exists(b)) return Missing();
  return LineThroughPoints(PointOf(*a), PointOf(*b));
}

Line2 ComputeL2(const Inputs& in) {
  auto l = in.Line(1);
  auto x = in.Point(2);
  if (!Exists(l) || !Exists(x)) return Missing();
  return ParallelThrough(LineOf(*l), PointOf(*x));
}

// The perpendicular and, as output 2, its foot on the base line.
void ComputeL3(Figure& fig, int step) {
  Inputs in{fig, step};
  auto l = in.Line(1);
  auto x = in.Point(2);
  Line2 m;
  PointResult foot;
  if (Exists(l) && Exists(x)) {
    Line2 base = LineOf(*l);
    m = PerpendicularFoot(base, PointOf(*x));
    foot = IntersectLines(base, m);
  }
  StoreOutput(fig, step, 1, m);
  if (PointRecord* out = StepOutputPoint(fig, step, 2)) StorePoint(*out, foot);
}

Line2 ComputeL4(const Inputs& in) {
  auto l = in.Line(1);
  if (!Exists(l)) return Missing();
  return PerpendicularBisector(LineOf(*l));
}

void ComputeL5(Figure& fig, int step) {
  Inputs in{fig, step};
  auto p = in.Point(1);
  auto c = in.Circle(2);
  std::pair<Line2, Line2> t;
  if (Exists(p) && Exists(c)) t = TangentsFromPoint(PointOf(*p), CircleOf(*c));
  StoreOutput(fig, step, 1, t.first);
  StoreOutput(fig, step, 2, t.second);
}

// Common tangents: external ones for "L6" (modes 1, 2), internal ones for
// "L7" (modes 3, 0).
void ComputeCommonTangents(Figure& fig, int step, int mode1, int mode2) {
  Inputs in{fig, step};
  auto c1 = in.Circle(1), c2 = in.Circle(2);
  Line2 t1, t2;
  if (Exists(c1) && Exists(c2)) {
    t1 = CommonTangent(CircleOf(*c1), CircleOf(*c2), mode1);
    t2 = CommonTangent(CircleOf(*c1), CircleOf(*c2), mode2);
  }
  StoreOutput(fig, step, 1, t1);
  StoreOutput(fig, step, 2, t2);
}

Line2 ComputeL8(const Inputs& in) {
  auto p = in.Point(1);
  auto c = in.Circle(2);
  if (!Exists(p) || !Exists(c)) return Missing();
  return PolarLine(PointOf(*p), CircleOf(*c));
}

Line2 ComputeLH1(const Inputs& in) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  if (!Exists(a) || !Exists(b) || !Exists(c)) return Missing();
  Vec2 vb = PointOf(*b);
  return LineThroughPoints(vb, Incentre(PointOf(*a), vb, PointOf(*c)));
}

// The line from B at angle theta * n / m from ray BA: m (slot 4) is the
// number of parts, n (slot 5) the line's number among them. m = 0 makes no
// line; n = 0 gives the arm BA itself.
Line2 ComputeLH2(const Inputs& in, Engine& engine) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  auto m = in.Number(4), n = in.Number(5);
  if (!Exists(a) || !Exists(b) || !Exists(c) || !Exists(m) || !Exists(n)) return Missing();
  Vec2 va = PointOf(*a), vb = PointOf(*b);
  double theta = SignedAngle(va, vb, PointOf(*c), engine);
  if (std::isfinite(theta)) engine.MarkAngle(in.step, vb.x, vb.y, va.x, va.y, theta);
  // m = 0 divides by nothing: no dividing line. n = 0 is the arm BA itself.
  if (m->value == 0) return Missing();
  double phi = theta * n->value / m->value;
  if (!std::isfinite(phi)) return Missing();
  return LineThroughPoints(vb, RotatePoint(va, vb, phi));
}

Line2 ComputeLRO(const Inputs& in) {
  auto l = in.Line(1);
  auto o = in.Point(2);
  auto angle = in.Number(3);
  if (!Exists(l) || !Exists(o) || !Exists(angle)) return Missing();
  Vec2 vo = PointOf(*o);
  return LineThroughPoints(RotatePoint({l->x1, l->y1}, vo, angle->value),
                           RotatePoint({l->x2, l->y2}, vo, angle->value));
}

Line2 ComputeLHRO(const Inputs& in) {
  auto l = in.Line(1);
  auto angle = in.Number(2);
  if (!Exists(l) || !Exists(angle)) return Missing();
  Vec2 p1{l->x1, l->y1};
  return LineThroughPoints(p1, RotatePoint({l->x2, l->y2}, p1, angle->value));
}

Line2 ComputeLT1(const Inputs& in) {
  auto l = in.Line(1), mirror = in.Line(2);
  if (!Exists(l) || !Exists(mirror)) return Missing();
  Line2 m = LineOf(*mirror);
  return ImageOfLine(ReflectInLine({l->x1, l->y1}, m), ReflectInLine({l->x2, l->y2}, m));
}

Line2 ComputeLT2(const Inputs& in) {
  auto l = in.Line(1);
  auto o = in.Point(2);
  if (!Exists(l) || !Exists(o)) return Missing();
  Vec2 vo = PointOf(*o);
  return LineThroughPoints(ReflectInPoint({l->x1, l->y1}, vo), ReflectInPoint({l->x2, l->y2}, vo));
}

Line2 ComputeLT3(const Inputs& in) {
  auto l = in.Line(1), shift = in.Line(2);
  if (!Exists(l) || !Exists(shift)) return Missing();
  Line2 v = LineOf(*shift);
  return ImageOfLine(TranslateByLine({l->x1, l->y1}, v), TranslateByLine({l->x2, l->y2}, v));
}

}  // namespace

std::pair<Line2, Line2> TangentsFromPoint(Vec2 p, const Circle2& c) {
  if (!c.exists) return {};
  double ex = c.c.x - p.x, ey = c.c.y - p.y;
  double r = c.r;
  double t = ex * ex + ey * ey - r * r;
  if (!(t >= -kInsideTolerance)) return {};  // inside the circle (or not a number)
  double s = t <= 0 ? 0 : std::sqrt(t);
  // Turning C - P by +alpha and -alpha (sin alpha = r/d) and reversing gives
  // the two tangent directions pointing away from the circle.
  Vec2 u1{r * ey - s * ex, -(r * ex + s * ey)};
  Vec2 u2{-(s * ex + r * ey), r * ex - s * ey};
  if (!NormalizeVector(u1) || !NormalizeVector(u2)) return {};
  return {LineAlong(p, u1), LineAlong(p, u2)};
}

Line2 CommonTangent(const Circle2& c1, const Circle2& c2, int mode) {
  if (!c1.exists || !c2.exists) return Missing();
  double r1 = c1.r, r2 = c2.r;
  double radius = 0, side = 0;
  switch (mode) {
    case 0:
      radius = r1 + r2, side = -1;
      break;
    case 1:
      radius = r2 - r1, side = 1;
      break;
    case 2:
      radius = r1 - r2, side = -1;
      break;
    case 3:
      radius = -(r1 + r2), side = 1;
      break;
    default:
      return Missing();
  }
  Vec2 e = Sub(c2.c, c1.c);
  double d2 = e.x * e.x + e.y * e.y;
  if (!(d2 > 0) || !(d2 - radius * radius >= 0)) return Missing();
  double t = std::sqrt(d2 - radius * radius);
  // (a, b) is the unit normal of the tangent with a*ex + b*ey = -radius.
  double a = -(radius * e.x + t * e.y) / d2;
  double b = (t * e.x - radius * e.y) / d2;
  Vec2 touch = Add(c1.c, Scale({a, b}, side * r1));
  return LineAlong(touch, {b, -a});
}

Line2 PolarLine(Vec2 p, const Circle2& c) {
  if (!c.exists) return Missing();
  Vec2 rel = Sub(p, c.c);
  if (rel.x == 0 && rel.y == 0) return Missing();
  double len = std::sqrt(rel.x * rel.x + rel.y * rel.y);
  if (!(len >= kShortVector)) return Missing();
  double r2 = c.r * c.r;
  Vec2 first = rel.y == 0 ? Vec2{r2 / rel.x, 0} : Vec2{0, r2 / rel.y};
  return LineAlong(Add(c.c, first), {rel.y / len, -rel.x / len});
}

void ComputeLineStep(Figure& fig, int step, Engine& engine) {
  if (!IsValidStep(fig, step)) return;
  const Inputs in{fig, step};
  switch (KindCode(TrimView(fig.StepKind[step]))) {
    case KindCode("L1"):
      return StoreOutput(fig, step, 1, ComputeL1(in));
    case KindCode("L2"):
      return StoreOutput(fig, step, 1, ComputeL2(in));
    case KindCode("L3"):
      return ComputeL3(fig, step);
    case KindCode("L4"):
      return StoreOutput(fig, step, 1, ComputeL4(in));
    case KindCode("L5"):
      return ComputeL5(fig, step);
    case KindCode("L6"):
      return ComputeCommonTangents(fig, step, 1, 2);
    case KindCode("L7"):
      return ComputeCommonTangents(fig, step, 3, 0);
    case KindCode("L8"):
      return StoreOutput(fig, step, 1, ComputeL8(in));
    case KindCode("LH1"):
      return StoreOutput(fig, step, 1, ComputeLH1(in));
    case KindCode("LH2"):
      return StoreOutput(fig, step, 1, ComputeLH2(in, engine));
    case KindCode("LRO"):
      return StoreOutput(fig, step, 1, ComputeLRO(in));
    case KindCode("LHRO"):
      return StoreOutput(fig, step, 1, ComputeLHRO(in));
    case KindCode("LT1"):
      return StoreOutput(fig, step, 1, ComputeLT1(in));
    case KindCode("LT2"):
      return StoreOutput(fig, step, 1, ComputeLT2(in));
    case KindCode("LT3"):
      return StoreOutput(fig, step, 1, ComputeLT3(in));
    default:
      return;
  }
}

}  // namespace sakuzu
