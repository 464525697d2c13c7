// The small set of geometric operations every construction kind is built
// from: lines as two points plus a unit direction, the numeric tolerances,
// the auxiliary line builders, intersections (with the rule that keeps two
// intersection points from swapping labels), distances, division points,
// rotation and angles.
//
// Degenerate geometry is never an error here: it comes back as a result
// whose `exists` is false. Inputs given as plain Vec2 are assumed to exist
// (the caller checks the records); Line2 and Circle2 inputs carry their own
// existence and a primitive fails when one of them does not exist.
#pragma once

#include <cmath>
#include <cstdint>

#include "geometry/engine.h"
#include "model/figure.h"

namespace sakuzu {

// Angles exchanged as numbers are degrees; conversions use this 15-digit
// value of pi (not the full double) so that results repeat the reference
// values exactly.
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;

// Tolerances, absolute, in figure units or their powers.
constexpr double kShortVector = 0.01;              // shorter vectors cannot be normalised
constexpr double kParallelDeterminant = 0.01;      // |sin| of the angle between parallel lines
constexpr double kDiscriminantTolerance = 0.0001;  // tangent band of the intersections
constexpr double kContinuityMatch = 0.001;         // |dx| + |dy| for "same point"
constexpr double kArcCosineClamp = 0.000001;       // 1 - c^2 below this reads c = 1
constexpr double kAngleMatch = 0.01;               // per coordinate, signed angle check

struct Vec2 {
  double x = 0;
  double y = 0;
};

// A line for computation: defining points P1, P2 and unit direction d
// (from P1 towards P2 for a line through two points). lineKind is the
// drawn part (0 full, 1 segment, 2 ray from P1, 3 ray ending at P2, 4-6
// segments with arrows, 7 ray with arrow); computations treat the line as
// infinite except DrawnLineDistance and bound points.
struct Line2 {
  Vec2 p1, p2;
  Vec2 d;
  bool exists = false;
  int lineKind = 0;
};

struct Circle2 {
  Vec2 c;
  double r = 0;
  bool exists = false;
};

struct PointResult {
  Vec2 p;
  bool exists = false;
};

struct NumberResult {
  double value = 0;
  bool exists = false;
};

// Two candidate points (intersections) or the two points of a line.
struct PointPair {
  Vec2 q1, q2;
  bool exists = false;
};

// a·x + b·y + c = 0 with (a, b) a unit normal.
struct LineEquation {
  double a = 0, b = 0, c = 0;
  bool exists = false;
};

// ---- Records <-> values -------------------------------------------------
// (Inline: every step reads and writes its records through these.)

inline Vec2 PointOf(const PointRecord& r) { return {r.x, r.y}; }

// exists = (r.exists != 0)
inline Line2 LineOf(const LineRecord& r) {
  Line2 l;
  l.p1 = {r.x1, r.y1};
  l.p2 = {r.x2, r.y2};
  l.d = {r.dx, r.dy};
  l.exists = r.exists != 0;
  l.lineKind = r.lineKind;
  return l;
}

inline Circle2 CircleOf(const CircleRecord& r) {
  Circle2 c;
  c.c = {r.cx, r.cy};
  c.r = r.radius;
  c.exists = r.exists != 0;
  return c;
}

inline bool IsFinite(Vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

// Writers: on success (exists and every value finite) write the
// coordinates and exists = -1; otherwise only exists = 0, so an object
// that does not exist keeps its last position. Never writes name, colour,
// lineKind or binding fields.
inline void StorePoint(PointRecord& r, const PointResult& p) {
  if (!p.exists || !IsFinite(p.p)) {
    r.exists = kFalse;
    return;
  }
  r.x = p.p.x;
  r.y = p.p.y;
  r.exists = kTrue;
}

// A result that always exists.
inline void StorePoint(PointRecord& r, Vec2 p) { StorePoint(r, PointResult{p, true}); }

inline void StoreLine(LineRecord& r, const Line2& l) {
  if (!l.exists || !IsFinite(l.p1) || !IsFinite(l.p2) || !IsFinite(l.d)) {
    r.exists = kFalse;
    return;
  }
  r.x1 = l.p1.x;
  r.y1 = l.p1.y;
  r.x2 = l.p2.x;
  r.y2 = l.p2.y;
  r.dx = l.d.x;
  r.dy = l.d.y;
  r.exists = kTrue;
}

inline void StoreCircle(CircleRecord& r, const Circle2& c) {
  if (!c.exists || !IsFinite(c.c) || !std::isfinite(c.r)) {
    r.exists = kFalse;
    return;
  }
  r.cx = c.c.x;
  r.cy = c.c.y;
  r.radius = c.r;
  r.exists = kTrue;
}

inline void StoreNumber(NumberRecord& r, const NumberResult& n) {
  if (!n.exists || !std::isfinite(n.value)) {
    r.exists = kFalse;
    return;
  }
  r.value = n.value;
  r.exists = kTrue;
}

// ---- Safe access to a step's slots --------------------------------------
// The record named by slot `slot` (1 to 5) of step `step`, read as the
// class the kind prescribes; null when the step, the slot or the index lies
// outside its table (index 1 to ObjectCounts of that class). Every
// computation reads its slots through these on every pass, so they are
// defined here, inline, rather than behind calls.

inline bool IsValidStep(const Figure& fig, int step) {
  return step >= 1 && step <= fig.StepCount && step <= fig.StepKind.UpperBound() &&
         step <= fig.StepInputs.UpperBound() && step <= fig.StepOutputs.UpperBound();
}

namespace internal {

// Whether `index` names an object of class `cls` in the figure.
inline bool IsValidObject(const Figure& fig, int cls, int index) {
  if (cls < 0 || cls > 3 || index < 1) return false;
  return index <= fig.ObjectCounts[static_cast<size_t>(cls)] && index <= ObjectUpperBound(fig, cls);
}

// (The table is not named "slots": Qt defines that word as a macro.)
inline int SlotIndex(const Figure& fig, const Table<StepSlots>& table, int step, int slot,
                     int cls) {
  if (!IsValidStep(fig, step) || slot < 1 || slot > kSlotCount) return 0;
  if (step > table.UpperBound()) return 0;
  const int index = table[step][static_cast<size_t>(slot)].index;
  return IsValidObject(fig, cls, index) ? index : 0;
}

}  // namespace internal

// 0 when invalid.
inline int StepInputIndex(const Figure& fig, int step, int slot, int cls) {
  return internal::SlotIndex(fig, fig.StepInputs, step, slot, cls);
}

inline int StepOutputIndex(const Figure& fig, int step, int slot, int cls) {
  return internal::SlotIndex(fig, fig.StepOutputs, step, slot, cls);
}

inline const NumberRecord* StepInputNumber(const Figure& fig, int step, int slot) {
  const int i = StepInputIndex(fig, step, slot, kNumberClass);
  return i ? &fig.Numbers[i] : nullptr;
}

inline const PointRecord* StepInputPoint(const Figure& fig, int step, int slot) {
  const int i = StepInputIndex(fig, step, slot, kPointClass);
  return i ? &fig.Points[i] : nullptr;
}

inline const LineRecord* StepInputLine(const Figure& fig, int step, int slot) {
  const int i = StepInputIndex(fig, step, slot, kLineClass);
  return i ? &fig.Lines[i] : nullptr;
}

inline const CircleRecord* StepInputCircle(const Figure& fig, int step, int slot) {
  const int i = StepInputIndex(fig, step, slot, kCircleClass);
  return i ? &fig.Circles[i] : nullptr;
}

inline NumberRecord* StepOutputNumber(Figure& fig, int step, int slot) {
  const int i = StepOutputIndex(fig, step, slot, kNumberClass);
  return i ? &fig.Numbers[i] : nullptr;
}

inline PointRecord* StepOutputPoint(Figure& fig, int step, int slot) {
  const int i = StepOutputIndex(fig, step, slot, kPointClass);
  return i ? &fig.Points[i] : nullptr;
}

inline LineRecord* StepOutputLine(Figure& fig, int step, int slot) {
  const int i = StepOutputIndex(fig, step, slot, kLineClass);
  return i ? &fig.Lines[i] : nullptr;
}

inline CircleRecord* StepOutputCircle(Figure& fig, int step, int slot) {
  const int i = StepOutputIndex(fig, step, slot, kCircleClass);
  return i ? &fig.Circles[i] : nullptr;
}

// ---- Angle units ---------------------------------------------------------

double DegreesToRadians(double degrees);  // degrees * kPi / 180
double RadiansToDegrees(double radians);  // radians * 180 / kPi

// ---- Lines ----------------------------------------------------------------

// Scales v to length 1; false (v unchanged) when |v| < 0.01.
bool NormalizeVector(Vec2& v);
// P1 = a, P2 = b, d = (b - a) normalised; exists only when |b - a| >= 0.01.
Line2 LineThroughPoints(Vec2 a, Vec2 b);
// Sets d and exists of a line from its P1 and P2.
void LineDirection(Line2& line);
// The two defining points (exists copied from the line).
PointPair SplitLine(const Line2& line);
// P1 = x, d = l.d, P2 = x + d.
Line2 ParallelThrough(const Line2& l, Vec2 x);
// P1 = x, d = l.d turned by +90 degrees, P2 = the foot of the perpendicular
// from x to l (P1 = P2 when x lies on l). Exists whenever l exists.
Line2 PerpendicularFoot(const Line2& l, Vec2 x);
// P1 = midpoint of l's P1P2, d = l.d turned by +90 degrees, P2 = P1 + d.
Line2 PerpendicularBisector(const Line2& l);
// The line a·x + b·y + c = 0; fails when a = b = 0 exactly.
Line2 LineFromCoefficients(double a, double b, double c);
// a = dy, b = -dx, c = -(a·x1 + b·y1): a·x + b·y + c is the signed distance.
LineEquation LineCoefficients(const Line2& l);

// ---- Intersections --------------------------------------------------------

// Fails when |sin| of the angle between the lines is below 0.01.
PointResult IntersectLines(const Line2& l1, const Line2& l2);
// q1 is the intersection farther along l's direction, q2 the nearer one;
// a tangent (discriminant within 0.0001 of 0) gives q1 = q2.
PointPair IntersectLineCircle(const Line2& l, const Circle2& c);
// q1 lies on the left of the direction from the first centre to the
// second, q2 on the right; concentric circles never intersect.
PointPair IntersectCircles(const Circle2& c0, const Circle2& c1);

// The continuity rule on its own: r1, r2 are the previous positions of
// output 1 and output 2; `reversed` is the step's flag, toggled when the
// new pair matches the previous one crosswise and not straight. Returns
// the pair in output order (exchanged when the flag is set).
PointPair OrderByContinuity(PointPair q, Vec2 r1, Vec2 r2, int16_t& reversed);
// The same for step `step` of the figure: reads PrevPoints of the step's
// output slots 1 and 2 and toggles fig.StepReversed[step]. A pair that
// does not exist is returned unchanged and leaves the flag alone.
PointPair ApplyContinuity(Figure& fig, int step, PointPair q);

// ---- Distances ------------------------------------------------------------

double PointDistance(Vec2 a, Vec2 b);
// Perpendicular distance, >= 0; fails when l does not exist.
NumberResult PointLineDistance(Vec2 p, const Line2& l);
// Distance to the drawn part of l by its lineKind (used for picking).
NumberResult DrawnLineDistance(Vec2 p, const Line2& l);

// ---- Points on lines ------------------------------------------------------

// AP : PB = m : n (negative m or n divide externally); fails when m + n = 0.
PointResult DivisionPoint(Vec2 a, Vec2 b, double m, double n);
// b + k·(b - a), as DivisionPoint(a, b, k + 1, -k).
PointResult ExtendPoint(Vec2 a, Vec2 b, double k);
// a + (b - a)/|b - a|; fails when |b - a| < 0.01.
PointResult UnitStepPoint(Vec2 a, Vec2 b);
// x turned about o by `degrees` in the positive sense (+x towards +y).
Vec2 RotatePoint(Vec2 x, Vec2 o, double degrees);

// ---- Angles ---------------------------------------------------------------

// Radians in (-pi/2, pi/2]: the arc cosine for c > 0, arc cosine - pi for
// c < 0 (callers correct that); 1 - c^2 below 1e-6 reads as c = 1.
double ArcCosine(double c);
// Angle ABC in degrees, [0, 180); 0 when an arm is shorter than 0.01.
double UnsignedAngle(Vec2 a, Vec2 b, Vec2 c);
// Angle from ray BA to ray BC in degrees, (-180, 180]. Shows "Error in
// Angle" through the engine's shell when neither sense fits (which does
// not happen for consistent input).
double SignedAngle(Vec2 a, Vec2 b, Vec2 c, Engine& engine);
// Acute angle between two lines in degrees, [0, 90]; fails when either
// line does not exist.
NumberResult LineAngle(const Line2& l1, const Line2& l2);
// Direction angle of v in radians, [0, 2pi) (-pi/2 straight down); 0 when
// v cannot be normalised.
double VectorArgument(Vec2 v);

}  // namespace sakuzu
