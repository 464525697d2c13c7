#include "geometry/points.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "geometry/inspect_matrix.h"
#include "geometry/kind_code.h"
#include "geometry/transforms.h"

namespace sakuzu {

namespace {

bool Exists(const PointRecord* p) { return p && p->exists != 0; }
bool Exists(const NumberRecord* n) { return n && n->exists != 0; }

void Fail(PointRecord* out) {
  if (out) out->exists = kFalse;
}

void Store(PointRecord* out, const PointResult& r) {
  if (out) StorePoint(*out, r);
}

// The three input points of a triangle centre; false when one is missing.
bool TriangleInputs(const Figure& fig, int step, Vec2& a, Vec2& b, Vec2& c) {
  const PointRecord* pa = StepInputPoint(fig, step, 1);
  const PointRecord* pb = StepInputPoint(fig, step, 2);
  const PointRecord* pc = StepInputPoint(fig, step, 3);
  if (!Exists(pa) || !Exists(pb) || !Exists(pc)) return false;
  a = PointOf(*pa);
  b = PointOf(*pb);
  c = PointOf(*pc);
  return true;
}

void ComputeTriangleCentre(Figure& fig, int step, uint64_t kind) {
  PointRecord* out = StepOutputPoint(fig, step, 1);
  Vec2 a, b, c;
  if (!TriangleInputs(fig, step, a, b, c)) return Fail(out);
  PointResult r;
  switch (kind) {
    case KindCode("P1"):
      r = Circumcentre(a, b, c);
      break;
    case KindCode("P2"):
      r = {Incentre(a, b, c), true};
      break;
    case KindCode("P3"):
      r = {Centroid(a, b, c), true};
      break;
    case KindCode("P4"):
      r = Orthocentre(a, b, c);
      break;
    case KindCode("P5"):
      r = Excentre(a, b, c);
      break;
    default:  // P6
      r = NinePointCentre(a, b, c);
      break;
  }
  Store(out, r);
}

// Both outputs exist or neither does.
void StorePair(Figure& fig, int step, PointPair q) {
  PointRecord* o1 = StepOutputPoint(fig, step, 1);
  PointRecord* o2 = StepOutputPoint(fig, step, 2);
  if (!q.exists || !IsFinite(q.q1) || !IsFinite(q.q2)) {
    Fail(o1);
    Fail(o2);
    return;
  }
  q = ApplyContinuity(fig, step, q);
  Store(o1, {q.q1, true});
  Store(o2, {q.q2, true});
}

void ComputeIntersection(Figure& fig, int step, uint64_t kind) {
  if (kind == KindCode("PC1")) {
    const LineRecord* l1 = StepInputLine(fig, step, 1);
    const LineRecord* l2 = StepInputLine(fig, step, 2);
    PointRecord* out = StepOutputPoint(fig, step, 1);
    if (!l1 || !l2) return Fail(out);
    return Store(out, IntersectLines(LineOf(*l1), LineOf(*l2)));
  }
  PointPair q;
  if (kind == KindCode("PC2")) {
    const LineRecord* l = StepInputLine(fig, step, 1);
    const CircleRecord* c = StepInputCircle(fig, step, 2);
    if (l && c) q = IntersectLineCircle(LineOf(*l), CircleOf(*c));
  } else {
    const CircleRecord* c0 = StepInputCircle(fig, step, 1);
    const CircleRecord* c1 = StepInputCircle(fig, step, 2);
    if (c0 && c1) q = IntersectCircles(CircleOf(*c0), CircleOf(*c1));
  }
  StorePair(fig, step, q);
}

// PN, PEXT, PXY: points from points and numbers.
void ComputeRatioPoint(Figure& fig, int step, uint64_t kind) {
  PointRecord* out = StepOutputPoint(fig, step, 1);
  if (kind == KindCode("PXY")) {
    const NumberRecord* x = StepInputNumber(fig, step, 1);
    const NumberRecord* y = StepInputNumber(fig, step, 2);
    if (!Exists(x) || !Exists(y)) return Fail(out);
    return Store(out, {{x->value, y->value}, true});
  }
  const PointRecord* a = StepInputPoint(fig, step, 1);
  const PointRecord* b = StepInputPoint(fig, step, 2);
  const NumberRecord* m = StepInputNumber(fig, step, 3);
  if (!Exists(a) || !Exists(b) || !Exists(m)) return Fail(out);
  if (kind == KindCode("PEXT")) return Store(out, ExtendPoint(PointOf(*a), PointOf(*b), m->value));
  const NumberRecord* n = StepInputNumber(fig, step, 4);
  if (!Exists(n)) return Fail(out);
  Store(out, DivisionPoint(PointOf(*a), PointOf(*b), m->value, n->value));
}

// PT1 to PT4, PT8, PT9.
void ComputePointTransform(Figure& fig, int step, uint64_t kind) {
  PointRecord* out = StepOutputPoint(fig, step, 1);
  if (kind == KindCode("PT9")) {
    const LineRecord* l = StepInputLine(fig, step, 1);
    const CircleRecord* c = StepInputCircle(fig, step, 2);
    if (!l || !c) return Fail(out);
    return Store(out, PoleOfLine(LineOf(*l), CircleOf(*c)));
  }
  const PointRecord* px = StepInputPoint(fig, step, 1);
  if (!Exists(px)) return Fail(out);
  const Vec2 x = PointOf(*px);
  if (kind == KindCode("PT1") || kind == KindCode("PT3")) {
    const PointRecord* o = StepInputPoint(fig, step, 2);
    if (!Exists(o)) return Fail(out);
    if (kind == KindCode("PT3")) return Store(out, {ReflectInPoint(x, PointOf(*o)), true});
    const NumberRecord* angle = StepInputNumber(fig, step, 3);
    if (!Exists(angle)) return Fail(out);
    return Store(out, {RotatePoint(x, PointOf(*o), angle->value), true});
  }
  if (kind == KindCode("PT4")) {
    const CircleRecord* c = StepInputCircle(fig, step, 2);
    if (!c) return Fail(out);
    return Store(out, InvertInCircle(x, CircleOf(*c)));
  }
  const LineRecord* l = StepInputLine(fig, step, 2);
  if (!l) return Fail(out);
  if (kind == KindCode("PT2")) return Store(out, ReflectInLine(x, LineOf(*l)));
  Store(out, TranslateByLine(x, LineOf(*l)));  // PT8
}

void ComputeComplex(Figure& fig, int step, uint64_t kind) {
  PointRecord* out = StepOutputPoint(fig, step, 1);
  const PointRecord* pz = StepInputPoint(fig, step, 1);
  if (!Exists(pz)) return Fail(out);
  const Vec2 z = PointOf(*pz);
  if (kind == KindCode("PO-1")) return Store(out, ComplexReciprocal(z));
  if (kind == KindCode("PO^")) {
    const NumberRecord* p = StepInputNumber(fig, step, 2);
    if (!Exists(p)) return Fail(out);
    return Store(out, ComplexPower(z, p->value));
  }
  const PointRecord* pw = StepInputPoint(fig, step, 2);
  if (!Exists(pw)) return Fail(out);
  const Vec2 w = PointOf(*pw);
  if (kind == KindCode("PO+")) return Store(out, {ComplexAdd(z, w), true});
  if (kind == KindCode("PO-")) return Store(out, {ComplexSubtract(z, w), true});
  if (kind == KindCode("PO*")) return Store(out, {ComplexMultiply(z, w), true});
  Store(out, ComplexDivide(z, w));  // PO/
}

// Positions of the matrix map's input points: `count` from `step` (slots
// 1 to 5, then the continuation row's slots 1, 2, ...). The points' own
// existence is not examined: the transformation figures make them free.
bool MatrixInputs(const Figure& fig, int step, int count, Vec2* v) {
  for (int k = 0; k < count; ++k) {
    const int row = k < kSlotCount ? step : step + 1;
    const int slot = k < kSlotCount ? k + 1 : k - kSlotCount + 1;
    const PointRecord* p = StepInputPoint(fig, row, slot);
    if (!p) return false;
    v[k] = PointOf(*p);
  }
  return true;
}

// Output k (0 the image, then the matrix numbers) of a matrix step.
NumberRecord* MatrixNumber(Figure& fig, int step, int k) {
  return k < kSlotCount ? StepOutputNumber(fig, step, k + 1)
                        : StepOutputNumber(fig, step + 1, k - kSlotCount + 1);
}

// Only the first row's numbers when the continuation row is missing.
void FailMatrixOutputs(Figure& fig, int step, int numbers) {
  Fail(StepOutputPoint(fig, step, 1));
  for (int k = 1; k <= numbers; ++k) {
    if (NumberRecord* n = MatrixNumber(fig, step, k)) n->exists = kFalse;
  }
}

void WriteMatrixNumbers(Figure& fig, int step, const Matrix& m) {
  int k = 1;
  for (int i = 1; i <= m.Rows(); ++i) {
    for (int j = 1; j <= m.Cols(); ++j, ++k) {
      if (NumberRecord* n = MatrixNumber(fig, step, k)) StoreNumber(*n, {m(i, j), true});
    }
  }
}

void ShowMatrix(const Figure& fig, std::string_view kind, const Matrix& m, Engine& engine) {
  if (!engine.matrixDisplay || fig.CurrentKindText != kind) return;
  InspectMatrix(m, "M=", *engine.shell);
}

// `kind` is "PT5", "PT6" or "PT7", exactly as the step holds it.
void ComputeMatrixMap(Figure& fig, int step, std::string_view kind, Engine& engine) {
  PointRecord* out = StepOutputPoint(fig, step, 1);
  if (kind == "PT5") {
    Vec2 v[5];
    if (!MatrixInputs(fig, step, 5, v)) return FailMatrixOutputs(fig, step, 4);
    const MatrixResult lin = LinearMapMatrix(v[1], v[2], v[3], v[4]);
    if (!lin.exists) return Fail(out);  // the numbers keep their values
    Store(out, {ApplyLinear(lin.m, v[0]), true});
    WriteMatrixNumbers(fig, step, lin.m);
    return ShowMatrix(fig, kind, lin.m, engine);
  }
  // PT6 and PT7 need their continuation row.
  const bool continued = IsValidStep(fig, step + 1) && fig.StepKind[step + 1] == "PT62";
  const int count = kind == "PT6" ? 7 : 9;
  Vec2 v[9];
  if (!continued) return FailMatrixOutputs(fig, step, kSlotCount - 1);
  if (!MatrixInputs(fig, step, count, v)) return FailMatrixOutputs(fig, step, 9);
  Matrix r(3, 3);
  if (kind == "PT6") {
    const MatrixResult aff = AffineMapMatrix(v[1], v[2], v[3], v[4], v[5], v[6]);
    if (!aff.exists) return Fail(out);
    r = aff.m;
  } else {
    r = ProjectiveMapMatrix(&v[1], &v[5]);
  }
  Store(out, ApplyProjective(r, v[0]));
  WriteMatrixNumbers(fig, step, r);
  ShowMatrix(fig, kind, r, engine);
}

bool IsHostValid(const Figure& fig, int cls, int index) {
  return index >= 1 && index <= fig.ObjectCounts[static_cast<size_t>(cls)] &&
         index <= ObjectUpperBound(fig, cls);
}

// Keeps a parameter within [low, high] (a bound of NaN means none); a
// parameter pushed past an end stays at the end, stored, with a beep.
void ClampParameter(PointRecord& p, double low, double high, Engine& engine) {
  if (p.parameter > high) {
    p.parameter = high;
    engine.shell->Beep();
  }
  if (p.parameter < low) {
    p.parameter = low;
    engine.shell->Beep();
  }
}

void PlaceOnLine(PointRecord& p, const LineRecord& host, Engine& engine) {
  if (!host.exists) {
    p.exists = kFalse;
    return;
  }
  const Line2 l = LineOf(host);
  const double len = PointDistance(l.p1, l.p2);
  const double kNone = NAN;
  switch (host.lineKind) {
    case 1:  // segments, with or without arrowheads
    case 4:
    case 5:
    case 6:
      ClampParameter(p, 0, len, engine);
      break;
    case 2:  // rays from P1
    case 7:
      ClampParameter(p, 0, kNone, engine);
      break;
    case 3:  // ray ending at P2
      ClampParameter(p, kNone, len, engine);
      break;
    default:
      break;
  }
  const double t = p.parameter;
  const bool segment = host.lineKind == 1 || (host.lineKind >= 4 && host.lineKind <= 6);
  Vec2 pos;
  if (segment && len > 0) {
    pos = {((len - t) * l.p1.x + t * l.p2.x) / len, ((len - t) * l.p1.y + t * l.p2.y) / len};
  } else {
    pos = {l.p1.x + t * l.d.x, l.p1.y + t * l.d.y};
  }
  StorePoint(p, pos);
}

void PlaceOnCircle(PointRecord& p, const CircleRecord& host) {
  const double circumference = kTwoPi * host.radius;
  if (!host.exists || !(circumference > 0)) {
    p.exists = kFalse;
    return;
  }
  if (p.parameter > circumference) p.parameter -= circumference;
  if (p.parameter < 0) p.parameter += circumference;
  const double alpha = p.parameter * kTwoPi / circumference;
  StorePoint(
      p, Vec2{host.cx + host.radius * std::cos(alpha), host.cy + host.radius * std::sin(alpha)});
}

}  // namespace

PointResult Circumcentre(Vec2 a, Vec2 b, Vec2 c) {
  const Line2 bisectorAB = PerpendicularBisector(LineThroughPoints(a, b));
  const Line2 bisectorAC = PerpendicularBisector(LineThroughPoints(a, c));
  return IntersectLines(bisectorAB, bisectorAC);
}

Vec2 Incentre(Vec2 a, Vec2 b, Vec2 c) {
  const double la = PointDistance(b, c), lb = PointDistance(c, a), lc = PointDistance(a, b);
  const double s = la + lb + lc;
  if (s == 0) return a;
  return {(la * a.x + lb * b.x + lc * c.x) / s, (la * a.y + lb * b.y + lc * c.y) / s};
}

Vec2 Centroid(Vec2 a, Vec2 b, Vec2 c) { return {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3}; }

PointResult Orthocentre(Vec2 a, Vec2 b, Vec2 c) {
  const Line2 fromC = PerpendicularFoot(LineThroughPoints(a, b), c);
  const Line2 fromB = PerpendicularFoot(LineThroughPoints(a, c), b);
  return IntersectLines(fromC, fromB);
}

PointResult Excentre(Vec2 a, Vec2 b, Vec2 c) {
  const PointResult d = ExtendPoint(a, b, 1);
  if (!d.exists) return {};
  // Internal bisector at A, and the bisector at B of the angle between BC
  // and AB produced beyond B.
  const Line2 atA = LineThroughPoints(a, Incentre(b, a, c));
  const Line2 atB = LineThroughPoints(b, Incentre(d.p, b, c));
  return IntersectLines(atA, atB);
}

PointResult NinePointCentre(Vec2 a, Vec2 b, Vec2 c) {
  const PointResult mab = DivisionPoint(a, b, 1, 1);
  const PointResult mbc = DivisionPoint(b, c, 1, 1);
  const PointResult mca = DivisionPoint(c, a, 1, 1);
  if (!mab.exists || !mbc.exists || !mca.exists) return {};
  return Circumcentre(mab.p, mbc.p, mca.p);
}

void ComputePointStep(Figure& fig, int step, Engine& engine) {
  if (!IsValidStep(fig, step)) return;
  const uint64_t kind = KindCode(fig.StepKind[step]);
  switch (kind) {
    case KindCode("P1"):
    case KindCode("P2"):
    case KindCode("P3"):
    case KindCode("P4"):
    case KindCode("P5"):
    case KindCode("P6"):
      return ComputeTriangleCentre(fig, step, kind);
    case KindCode("PC1"):
    case KindCode("PC2"):
    case KindCode("PC3"):
      return ComputeIntersection(fig, step, kind);
    case KindCode("PN"):
    case KindCode("PEXT"):
    case KindCode("PXY"):
      return ComputeRatioPoint(fig, step, kind);
    case KindCode("PT1"):
    case KindCode("PT2"):
    case KindCode("PT3"):
    case KindCode("PT4"):
    case KindCode("PT8"):
    case KindCode("PT9"):
      return ComputePointTransform(fig, step, kind);
    case KindCode("PT5"):
      return ComputeMatrixMap(fig, step, "PT5", engine);
    case KindCode("PT6"):
      return ComputeMatrixMap(fig, step, "PT6", engine);
    case KindCode("PT7"):
      return ComputeMatrixMap(fig, step, "PT7", engine);
    case KindCode("PO+"):
    case KindCode("PO-"):
    case KindCode("PO*"):
    case KindCode("PO/"):
    case KindCode("PO^"):
    case KindCode("PO-1"):
      return ComputeComplex(fig, step, kind);
    default:
      // "PNEW", "PBND", "PT62", the groups and unknown codes compute nothing.
      return;
  }
}

void BoundPointPosition(Figure& fig, int point, Engine& engine) {
  if (!IsHostValid(fig, kPointClass, point)) return;
  PointRecord& p = fig.Points[point];
  const int host = p.bindIndex;
  switch (p.bindKind) {
    case 1:
      if (!IsHostValid(fig, kPointClass, host)) {
        p.exists = kFalse;
        return;
      }
      p.x = fig.Points[host].x;
      p.y = fig.Points[host].y;
      return;
    case 2:
      if (!IsHostValid(fig, kLineClass, host)) {
        p.exists = kFalse;
        return;
      }
      return PlaceOnLine(p, fig.Lines[host], engine);
    case 3:
      if (!IsHostValid(fig, kCircleClass, host)) {
        p.exists = kFalse;
        return;
      }
      return PlaceOnCircle(p, fig.Circles[host]);
    default:
      return;
  }
}

double BoundPointParameter(Figure& fig, int point) {
  if (!IsHostValid(fig, kPointClass, point)) return 0;
  PointRecord& p = fig.Points[point];
  const int host = p.bindIndex;
  if (p.bindKind == 2 && IsHostValid(fig, kLineClass, host)) {
    const LineRecord& l = fig.Lines[host];
    const Vec2 v{p.x - l.x1, p.y - l.y1};
    const double len = std::sqrt(v.x * v.x + v.y * v.y);
    p.parameter = (v.x * l.dx + v.y * l.dy >= 0) ? len : -len;
  }
  if (p.bindKind == 3 && IsHostValid(fig, kCircleClass, host)) {
    const CircleRecord& c = fig.Circles[host];
    Vec2 u{p.x - c.cx, p.y - c.cy};
    if (!NormalizeVector(u)) {
      p.exists = kFalse;
      return p.parameter;
    }
    p.exists = kTrue;
    p.parameter = VectorArgument(u) * c.radius;
  }
  return p.parameter;
}

}  // namespace sakuzu
