#include "geometry/circles.h"

#include <cmath>
#include <cstdint>

#include "geometry/kind_code.h"
#include "geometry/points.h"
#include "geometry/transforms.h"

namespace sakuzu {
namespace {

Circle2 Missing() { return Circle2{}; }

// The circle about `centre` through `through`.
Circle2 CircleThrough(PointResult centre, Vec2 through) {
  if (!centre.exists) return Missing();
  return Circle2{centre.p, PointDistance(centre.p, through), true};
}

Circle2 CircleAbout(PointResult centre, double radius) {
  if (!centre.exists) return Missing();
  return Circle2{centre.p, radius, true};
}

bool Exists(const PointRecord* p) { return p && p->exists != 0; }
bool Exists(const LineRecord* l) { return l && l->exists != 0; }
bool Exists(const CircleRecord* c) { return c && c->exists != 0; }
bool Exists(const NumberRecord* n) { return n && n->exists != 0; }

// The three points of a triangle kind, or false when one does not exist.
bool TrianglePoints(const Figure& fig, int step, Vec2& a, Vec2& b, Vec2& c) {
  auto pa = StepInputPoint(fig, step, 1);
  auto pb = StepInputPoint(fig, step, 2);
  auto pc = StepInputPoint(fig, step, 3);
  if (!Exists(pa) || !Exists(pb) || !Exists(pc)) return false;
  a = PointOf(*pa), b = PointOf(*pb), c = PointOf(*pc);
  return true;
}

Circle2 ComputeC1(const Figure& fig, int step) {
  auto o = StepInputPoint(fig, step, 1);
  auto r = StepInputNumber(fig, step, 2);
  if (!Exists(o) || !Exists(r) || !(r->value >= 0)) return Missing();
  return Circle2{PointOf(*o), r->value, true};
}

Circle2 ComputeC2(const Figure& fig, int step) {
  auto o = StepInputPoint(fig, step, 1);
  auto q = StepInputPoint(fig, step, 2);
  if (!Exists(o) || !Exists(q)) return Missing();
  return CircleThrough(PointResult{PointOf(*o), true}, PointOf(*q));
}

// The circle on the segment P1P2 of a line as diameter.
Circle2 ComputeC4(const Figure& fig, int step) {
  auto l = StepInputLine(fig, step, 1);
  if (!Exists(l)) return Missing();
  Vec2 p1{l->x1, l->y1}, p2{l->x2, l->y2};
  return CircleThrough(DivisionPoint(p1, p2, 1, 1), p1);
}

Circle2 ComputeTriangleCircle(const Figure& fig, int step, Circle2 (*circle)(Vec2, Vec2, Vec2)) {
  Vec2 a, b, c;
  if (!TrianglePoints(fig, step, a, b, c)) return Missing();
  return circle(a, b, c);
}

// The image circle: only the centre moves, the radius is carried over.
Circle2 Moved(const CircleRecord& k, PointResult centre) { return CircleAbout(centre, k.radius); }

Circle2 ComputeCRO(const Figure& fig, int step) {
  auto k = StepInputCircle(fig, step, 1);
  auto o = StepInputPoint(fig, step, 2);
  auto angle = StepInputNumber(fig, step, 3);
  if (!Exists(k) || !Exists(o) || !Exists(angle)) return Missing();
  Vec2 centre = RotatePoint({k->cx, k->cy}, PointOf(*o), angle->value);
  return Moved(*k, PointResult{centre, true});
}

Circle2 ComputeCT1(const Figure& fig, int step) {
  auto k = StepInputCircle(fig, step, 1);
  auto l = StepInputLine(fig, step, 2);
  if (!Exists(k) || !Exists(l)) return Missing();
  return Moved(*k, ReflectInLine({k->cx, k->cy}, LineOf(*l)));
}

Circle2 ComputeCT2(const Figure& fig, int step) {
  auto k = StepInputCircle(fig, step, 1);
  auto o = StepInputPoint(fig, step, 2);
  if (!Exists(k) || !Exists(o)) return Missing();
  return Moved(*k, PointResult{ReflectInPoint({k->cx, k->cy}, PointOf(*o)), true});
}

Circle2 ComputeCT3(const Figure& fig, int step) {
  auto k = StepInputCircle(fig, step, 1);
  auto l = StepInputLine(fig, step, 2);
  if (!Exists(k) || !Exists(l)) return Missing();
  return Moved(*k, TranslateByLine({k->cx, k->cy}, LineOf(*l)));
}

using CircleFn = Circle2 (*)(const Figure&, int step);

// The computation of a circle kind, or null for any other code ("CALC"
// reaches the circle computation by its first letter and is not one).
CircleFn FindCircleKind(uint64_t kind) {
  switch (kind) {
    case KindCode("C1"):
      return ComputeC1;
    case KindCode("C2"):
      return ComputeC2;
    case KindCode("C3"):
      return [](const Figure& f, int s) { return ComputeTriangleCircle(f, s, Circumcircle); };
    case KindCode("C4"):
      return ComputeC4;
    case KindCode("C5"):
      return [](const Figure& f, int s) { return ComputeTriangleCircle(f, s, Incircle); };
    case KindCode("C6"):
      return [](const Figure& f, int s) { return ComputeTriangleCircle(f, s, Excircle); };
    case KindCode("C7"):
      return [](const Figure& f, int s) { return ComputeTriangleCircle(f, s, NinePointCircle); };
    case KindCode("CRO"):
      return ComputeCRO;
    case KindCode("CT1"):
      return ComputeCT1;
    case KindCode("CT2"):
      return ComputeCT2;
    case KindCode("CT3"):
      return ComputeCT3;
    default:
      return nullptr;
  }
}

}  // namespace

Circle2 Circumcircle(Vec2 a, Vec2 b, Vec2 c) { return CircleThrough(Circumcentre(a, b, c), a); }

// The radius is the distance from the incentre to the line AB, which
// needs A and B apart.
Circle2 Incircle(Vec2 a, Vec2 b, Vec2 c) {
  Vec2 centre = Incentre(a, b, c);
  NumberResult r = PointLineDistance(centre, LineThroughPoints(a, b));
  if (!r.exists) return Missing();
  return Circle2{centre, r.value, true};
}

// The radius reaches the foot of the perpendicular from the excentre to
// the line BC.
Circle2 Excircle(Vec2 a, Vec2 b, Vec2 c) {
  PointResult centre = Excentre(a, b, c);
  if (!centre.exists) return Missing();
  Line2 side = LineThroughPoints(b, c);
  if (!side.exists) return Missing();
  PointResult foot = IntersectLines(side, PerpendicularFoot(side, centre.p));
  if (!foot.exists) return Missing();
  return CircleThrough(centre, foot.p);
}

Circle2 NinePointCircle(Vec2 a, Vec2 b, Vec2 c) {
  PointResult mid = DivisionPoint(a, b, 1, 1);
  if (!mid.exists) return Missing();
  return CircleThrough(NinePointCentre(a, b, c), mid.p);
}

void ComputeCircleStep(Figure& fig, int step, Engine& engine) {
  (void)engine;
  if (!IsValidStep(fig, step)) return;
  const CircleFn compute = FindCircleKind(KindCode(TrimView(fig.StepKind[step])));
  if (!compute) return;
  Circle2 result = compute(fig, step);
  if (CircleRecord* out = StepOutputCircle(fig, step, 1)) StoreCircle(*out, result);
}

}  // namespace sakuzu
