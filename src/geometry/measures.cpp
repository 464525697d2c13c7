#include "geometry/measures.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "geometry/kind_code.h"
#include "geometry/primitives.h"

namespace sakuzu {
namespace {

// Two unit directions within this per component make two lines parallel
// for their distance.
constexpr double kParallelDirection = 0.01;

// The existing inputs of one step, read through the checked slot access:
// nothing when a slot names no object of the class or the object does not
// exist.
struct StepReader {
  const Figure& fig;
  int step;

  // A slot that names an object of another class reads as empty.
  bool SlotHolds(int slot, int cls) const {
    return fig.StepInputs[step][static_cast<size_t>(slot)].ObjectClassCode() == cls;
  }

  std::optional<Vec2> Point(int slot) const {
    const PointRecord* p = StepInputPoint(fig, step, slot);
    if (!SlotHolds(slot, kPointClass) || p == nullptr || p->exists == 0) return std::nullopt;
    return PointOf(*p);
  }
  std::optional<Line2> Line(int slot) const {
    const LineRecord* l = StepInputLine(fig, step, slot);
    if (!SlotHolds(slot, kLineClass) || l == nullptr || l->exists == 0) return std::nullopt;
    return LineOf(*l);
  }
  std::optional<Circle2> Circle(int slot) const {
    const CircleRecord* c = StepInputCircle(fig, step, slot);
    if (!SlotHolds(slot, kCircleClass) || c == nullptr || c->exists == 0) return std::nullopt;
    return CircleOf(*c);
  }
  std::optional<double> Number(int slot) const {
    const NumberRecord* n = StepInputNumber(fig, step, slot);
    if (!SlotHolds(slot, kNumberClass) || n == nullptr || n->exists == 0) return std::nullopt;
    return n->value;
  }
};

NumberResult Value(double v) { return {v, true}; }

// ---- Distances -------------------------------------------------------------

NumberResult DistancePoints(const StepReader& in, Engine&) {
  auto a = in.Point(1), b = in.Point(2);
  if (!a || !b) return {};
  return Value(PointDistance(*a, *b));
}

NumberResult DistanceLines(const StepReader& in, Engine&) {
  auto l1 = in.Line(1), l2 = in.Line(2);
  if (!l1 || !l2) return {};
  // Lines drawn in opposite directions do not count as parallel here.
  bool parallel = std::fabs(l1->d.x - l2->d.x) <= kParallelDirection &&
                  std::fabs(l1->d.y - l2->d.y) <= kParallelDirection;
  if (!parallel) return Value(0);
  Line2 perpendicular = PerpendicularFoot(*l2, l1->p1);
  if (!perpendicular.exists) return {};
  return Value(PointDistance(l1->p1, perpendicular.p2));
}

NumberResult DistanceCircles(const StepReader& in, Engine&) {
  auto k1 = in.Circle(1), k2 = in.Circle(2);
  if (!k1 || !k2) return {};
  double gap = PointDistance(k1->c, k2->c) - k1->r - k2->r;
  return Value(gap < 0 ? 0 : gap);
}

NumberResult DistanceLineCircle(const StepReader& in, Engine&) {
  auto l = in.Line(1);
  auto k = in.Circle(2);
  if (!l || !k) return {};
  NumberResult d = PointLineDistance(k->c, *l);
  if (!d.exists) return {};
  return Value(d.value - k->r);
}

NumberResult DistancePointCircle(const StepReader& in, Engine&) {
  auto p = in.Point(1);
  auto k = in.Circle(2);
  if (!p || !k) return {};
  return Value(std::fabs(PointDistance(*p, k->c) - k->r));
}

NumberResult DistancePointLine(const StepReader& in, Engine&) {
  auto p = in.Point(1);
  auto l = in.Line(2);
  if (!p || !l) return {};
  return PointLineDistance(*p, *l);
}

// Positive on the left of the line's direction P1 -> P2.
NumberResult SignedDistancePointLine(const StepReader& in, Engine& engine) {
  auto p = in.Point(1);
  auto l = in.Line(2);
  if (!p || !l) return {};
  NumberResult d = PointLineDistance(*p, *l);
  if (!d.exists) return {};
  // A line whose defining points (nearly) coincide, such as a
  // perpendicular through a point on its base line, still has a
  // direction: take the second arm along it.
  Vec2 second = l->p2;
  if (PointDistance(l->p1, l->p2) < kShortVector) second = {l->p1.x + l->d.x, l->p1.y + l->d.y};
  double a = SignedAngle(*p, l->p1, second, engine);
  return Value(a > 0 ? -d.value : d.value);
}

// ---- Angles ----------------------------------------------------------------

NumberResult AngleSigned(const StepReader& in, Engine& engine) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  if (!a || !b || !c) return {};
  double angle = SignedAngle(*a, *b, *c, engine);
  engine.MarkAngle(in.step, b->x, b->y, a->x, a->y, angle);
  return Value(angle);
}

NumberResult AngleUnsigned(const StepReader& in, Engine& engine) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  if (!a || !b || !c) return {};
  double angle = SignedAngle(*a, *b, *c, engine);
  engine.MarkAngle(in.step, b->x, b->y, a->x, a->y, angle);
  return Value(std::fabs(angle));
}

NumberResult AngleFullTurn(const StepReader& in, Engine& engine) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  if (!a || !b || !c) return {};
  double angle = SignedAngle(*a, *b, *c, engine);
  if (angle < 0) angle += 360;
  engine.MarkAngle(in.step, b->x, b->y, a->x, a->y, angle);
  return Value(angle);
}

NumberResult AngleLines(const StepReader& in, Engine&) {
  auto l1 = in.Line(1), l2 = in.Line(2);
  if (!l1 || !l2) return {};
  return LineAngle(*l1, *l2);
}

// ---- Areas -----------------------------------------------------------------

// Positive when a, b, c run in the positive sense.
double SignedTriangleArea(Vec2 a, Vec2 b, Vec2 c) {
  return ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

NumberResult AreaTriangle(const StepReader& in, Engine&) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  if (!a || !b || !c) return {};
  double theta = UnsignedAngle(*a, *b, *c);
  return Value(PointDistance(*a, *b) * PointDistance(*b, *c) * std::sin(DegreesToRadians(theta)) /
               2);
}

NumberResult AreaTriangleSigned(const StepReader& in, Engine&) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3);
  if (!a || !b || !c) return {};
  return Value(SignedTriangleArea(*a, *b, *c));
}

NumberResult AreaQuadrilateral(const StepReader& in, Engine&) {
  auto a = in.Point(1), b = in.Point(2), c = in.Point(3), d = in.Point(4);
  if (!a || !b || !c || !d) return {};
  return Value(std::fabs(SignedTriangleArea(*a, *b, *c) + SignedTriangleArea(*a, *c, *d)));
}

// ---- Coordinates and circles -----------------------------------------------

NumberResult CoordinateX(const StepReader& in, Engine&) {
  auto p = in.Point(1);
  return p ? Value(p->x) : NumberResult{};
}

NumberResult CoordinateY(const StepReader& in, Engine&) {
  auto p = in.Point(1);
  return p ? Value(p->y) : NumberResult{};
}

NumberResult Circumference(const StepReader& in, Engine&) {
  auto k = in.Circle(1);
  return k ? Value(kTwoPi * k->r) : NumberResult{};
}

NumberResult Radius(const StepReader& in, Engine&) {
  auto k = in.Circle(1);
  return k ? Value(k->r) : NumberResult{};
}

// ---- Trigonometric functions of degrees -------------------------------------

NumberResult Sine(const StepReader& in, Engine&) {
  auto a = in.Number(1);
  return a ? Value(std::sin(DegreesToRadians(*a))) : NumberResult{};
}

NumberResult Cosine(const StepReader& in, Engine&) {
  auto a = in.Number(1);
  return a ? Value(std::cos(DegreesToRadians(*a))) : NumberResult{};
}

// The tangent is undefined near odd multiples of 90 degrees; the whole
// neighbourhood of every multiple of 90 (0 and 180 included) is left out.
bool IsExcludedTangent(double degrees) {
  double nearest = std::nearbyint(degrees);  // ties to even
  return std::isfinite(nearest) && std::fmod(nearest, 90) == 0;
}

NumberResult Tangent(const StepReader& in, Engine&) {
  auto a = in.Number(1);
  if (!a || IsExcludedTangent(*a)) return {};
  return Value(std::tan(DegreesToRadians(*a)));
}

using MeasureFn = NumberResult (*)(const StepReader&, Engine&);

MeasureFn FindMeasure(uint64_t kind) {
  switch (kind) {
    case KindCode("ND2P"):
      return DistancePoints;
    case KindCode("ND2L"):
      return DistanceLines;
    case KindCode("ND2C"):
      return DistanceCircles;
    case KindCode("NDLC"):
      return DistanceLineCircle;
    case KindCode("NDPC"):
      return DistancePointCircle;
    case KindCode("NDPL"):
      return DistancePointLine;
    case KindCode("NPL2"):
      return SignedDistancePointLine;
    case KindCode("NA3+"):
      return AngleSigned;
    case KindCode("NA3P"):
      return AngleUnsigned;
    case KindCode("NA3M"):
      return AngleUnsigned;
    case KindCode("NA3*"):
      return AngleFullTurn;
    case KindCode("NA2L"):
      return AngleLines;
    case KindCode("NAR3"):
      return AreaTriangle;
    case KindCode("NAR+"):
      return AreaTriangleSigned;
    case KindCode("NAR4"):
      return AreaQuadrilateral;
    case KindCode("NPX"):
      return CoordinateX;
    case KindCode("NPX2"):
      return CoordinateX;
    case KindCode("NPY"):
      return CoordinateY;
    case KindCode("NLC"):
      return Circumference;
    case KindCode("NRC"):
      return Radius;
    case KindCode("NSIN"):
      return Sine;
    case KindCode("NCOS"):
      return Cosine;
    case KindCode("NTAN"):
      return Tangent;
    default:
      return nullptr;
  }
}

}  // namespace

void ComputeNumberStep(Figure& fig, int step, Engine& engine) {
  if (!IsValidStep(fig, step)) return;
  const uint64_t kind = KindCode(TrimView(fig.StepKind[step]));
  MeasureFn compute = FindMeasure(kind);
  if (compute == nullptr) return;
  NumberRecord* out = StepOutputNumber(fig, step, 1);
  if (out == nullptr) return;
  StepReader in{fig, step};
  StoreNumber(*out, compute(in, engine));
  // An excluded tangent reads 0 besides not existing.
  if (kind == KindCode("NTAN")) {
    std::optional<double> a = in.Number(1);
    if (a && IsExcludedTangent(*a)) out->value = 0;
  }
}

}  // namespace sakuzu
