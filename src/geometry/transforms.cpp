#include "geometry/transforms.h"

#include <cassert>
#include <cmath>

namespace sakuzu {

namespace {

constexpr double kSingularDeterminant = 0.01;     // source vectors of a linear or affine map
constexpr double kSingularProjective = 0.0001;    // target quadrilateral of a projective map
constexpr double kVanishingThroughOrigin = 0.01;  // vanishing line close to the origin
constexpr double kVanishingW = 0.01;              // image on the vanishing line

PointResult Checked(Vec2 p) { return {p, IsFinite(p)}; }

Matrix Translation(double tx, double ty) {
  Matrix t = Matrix::Identity(3);
  t(1, 3) = tx;
  t(2, 3) = ty;
  return t;
}

// The matrix without row `row` and column `col`.
Matrix Minor(const Matrix& m, int row, int col) {
  Matrix out(m.Rows() - 1, m.Cols() - 1);
  for (int i = 1, oi = 1; i <= m.Rows(); ++i) {
    if (i == row) continue;
    for (int j = 1, oj = 1; j <= m.Cols(); ++j) {
      if (j == col) continue;
      out(oi, oj++) = m(i, j);
    }
    ++oi;
  }
  return out;
}

double Cofactor(const Matrix& m, int i, int j) {
  const double sign = ((i + j) % 2 == 0) ? 1 : -1;
  return sign * Determinant(Minor(m, i, j));
}

// Third row of the unit-square matrix: the vanishing line a·x + b·y + c = 0
// of the quadrilateral, or (0, 0, 1) when it has none (a parallelogram).
void VanishingRow(const Vec2 v[4], double& a, double& b, double& c) {
  a = 0, b = 0, c = 1;
  const Line2 s12 = LineThroughPoints(v[0], v[1]);
  const Line2 s23 = LineThroughPoints(v[1], v[2]);
  const Line2 s34 = LineThroughPoints(v[2], v[3]);
  const Line2 s41 = LineThroughPoints(v[3], v[0]);
  const PointResult e = IntersectLines(s12, s34);
  const PointResult f = IntersectLines(s23, s41);
  Line2 h;
  if (e.exists && f.exists) {
    h = LineThroughPoints(e.p, f.p);
  } else if (e.exists) {
    h = ParallelThrough(s23, e.p);
  } else if (f.exists) {
    h = ParallelThrough(s12, f.p);
  }
  // A vanishing line that cannot be drawn (coincident vanishing points of
  // a degenerate quadrilateral) counts as none.
  if (!h.exists) return;
  const double k = h.p1.y * h.d.x - h.p1.x * h.d.y;
  if (std::fabs(k) < kVanishingThroughOrigin) {
    a = h.d.y, b = -h.d.x, c = 0;
    return;
  }
  a = h.d.y / k, b = -h.d.x / k, c = 1;
}

}  // namespace

Matrix Matrix::Identity(int n) {
  Matrix m(n, n);
  for (int i = 1; i <= n; ++i) m(i, i) = 1;
  return m;
}

size_t Matrix::Offset(int i, int j) const {
  assert(i >= 1 && i <= rows_ && j >= 1 && j <= cols_);
  return static_cast<size_t>((i - 1) * cols_ + (j - 1));
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
  assert(a.Cols() == b.Rows());
  Matrix out(a.Rows(), b.Cols());
  for (int i = 1; i <= a.Rows(); ++i) {
    for (int j = 1; j <= b.Cols(); ++j) {
      double sum = 0;
      for (int k = 1; k <= a.Cols(); ++k) sum += a(i, k) * b(k, j);
      out(i, j) = sum;
    }
  }
  return out;
}

double Determinant(const Matrix& m) {
  assert(m.Rows() == m.Cols());
  if (m.Rows() == 1) return m(1, 1);
  if (m.Rows() == 2) return m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1);
  double det = 0;
  for (int j = 1; j <= m.Cols(); ++j) det += m(1, j) * Cofactor(m, 1, j);
  return det;
}

PointResult ReflectInLine(Vec2 x, const Line2& l) {
  const Line2 perp = PerpendicularFoot(l, x);
  if (!perp.exists) return {};
  return ExtendPoint(x, perp.p2, 1);
}

Vec2 ReflectInPoint(Vec2 x, Vec2 o) { return ExtendPoint(x, o, 1).p; }

PointResult InvertInCircle(Vec2 x, const Circle2& c) {
  if (!c.exists) return {};
  const Vec2 p{x.x - c.c.x, x.y - c.c.y};
  if (!(std::sqrt(p.x * p.x + p.y * p.y) >= kShortVector)) return {};
  // The image is the foot of the perpendicular from x to its polar.
  Line2 polar = LineFromCoefficients(p.x, p.y, -c.r * c.r);
  if (!polar.exists) return {};
  polar.p1 = {polar.p1.x + c.c.x, polar.p1.y + c.c.y};
  polar.p2 = {polar.p2.x + c.c.x, polar.p2.y + c.c.y};
  const Line2 perp = PerpendicularFoot(polar, x);
  if (!perp.exists) return {};
  return Checked(perp.p2);
}

PointResult TranslateByLine(Vec2 x, const Line2& l) {
  if (!l.exists) return {};
  return Checked({x.x + (l.p2.x - l.p1.x), x.y + (l.p2.y - l.p1.y)});
}

PointResult PoleOfLine(const Line2& l, const Circle2& c) {
  const LineEquation e = LineCoefficients(l);
  if (!e.exists || !c.exists) return {};
  const double d = e.a * c.c.x + e.b * c.c.y + e.c;
  if (d == 0) return {};
  const double r2 = c.r * c.r;
  return Checked({c.c.x - r2 * e.a / d, c.c.y - r2 * e.b / d});
}

Vec2 ComplexAdd(Vec2 z, Vec2 w) { return {z.x + w.x, z.y + w.y}; }
Vec2 ComplexSubtract(Vec2 z, Vec2 w) { return {z.x - w.x, z.y - w.y}; }
Vec2 ComplexMultiply(Vec2 z, Vec2 w) { return {z.x * w.x - z.y * w.y, z.x * w.y + z.y * w.x}; }

PointResult ComplexDivide(Vec2 z, Vec2 w) {
  if (std::fabs(w.x) < kShortVector && std::fabs(w.y) < kShortVector) return {};
  const double q = w.x * w.x + w.y * w.y;
  return Checked({(z.x * w.x + z.y * w.y) / q, (z.y * w.x - z.x * w.y) / q});
}

PointResult ComplexReciprocal(Vec2 z) {
  if (std::fabs(z.x) < kShortVector && std::fabs(z.y) < kShortVector) return {};
  const double q = z.x * z.x + z.y * z.y;
  return Checked({z.x / q, -z.y / q});
}

PointResult ComplexPower(Vec2 z, double p) {
  const double rho = std::sqrt(std::fabs(z.x * z.x + z.y * z.y));
  if (rho == 0 && p < 0) return {};
  double theta = 0;
  if (z.x == 0) {
    if (z.y > 0) theta = kPi / 2;
    if (z.y < 0) theta = -kPi / 2;
  } else {
    theta = std::atan(z.y / z.x);
    if (z.x < 0) theta += kPi;
  }
  // The argument in [0, 2pi) decides which root a fractional power gives.
  theta = std::fmod(theta + 2 * kTwoPi, kTwoPi);
  const double m = std::pow(rho, p);
  return Checked({m * std::cos(p * theta), m * std::sin(p * theta)});
}

MatrixResult LinearMapMatrix(Vec2 p1, Vec2 p2, Vec2 q1, Vec2 q2) {
  const double det = p1.x * p2.y - p2.x * p1.y;
  if (!(std::fabs(det) >= kSingularDeterminant)) return {};
  Matrix sInv(2, 2);
  sInv(1, 1) = p2.y / det;
  sInv(1, 2) = -p2.x / det;
  sInv(2, 1) = -p1.y / det;
  sInv(2, 2) = p1.x / det;
  Matrix t(2, 2);
  t(1, 1) = q1.x;
  t(1, 2) = q2.x;
  t(2, 1) = q1.y;
  t(2, 2) = q2.y;
  return {Multiply(t, sInv), true};
}

MatrixResult AffineMapMatrix(Vec2 p1, Vec2 p2, Vec2 p3, Vec2 q1, Vec2 q2, Vec2 q3) {
  const MatrixResult lin = LinearMapMatrix({p2.x - p1.x, p2.y - p1.y}, {p3.x - p1.x, p3.y - p1.y},
                                           {q2.x - q1.x, q2.y - q1.y}, {q3.x - q1.x, q3.y - q1.y});
  if (!lin.exists) return {};
  Matrix l = Matrix::Identity(3);
  for (int i = 1; i <= 2; ++i) {
    for (int j = 1; j <= 2; ++j) l(i, j) = lin.m(i, j);
  }
  return {Multiply(Multiply(Translation(q1.x, q1.y), l), Translation(-p1.x, -p1.y)), true};
}

Matrix UnitSquareMatrix(const Vec2 v[4]) {
  double a, b, c;
  VanishingRow(v, a, b, c);
  auto w = [&](Vec2 p) { return a * p.x + b * p.y + c; };
  Matrix out(3, 3);
  out(3, 1) = a;
  out(3, 2) = b;
  out(3, 3) = c;
  const MatrixResult aff = AffineMapMatrix(v[0], v[1], v[3], {0, 0}, {w(v[1]), 0}, {0, w(v[3])});
  // A quadrilateral whose sides at V1 are parallel leaves the first two
  // rows zero, which makes the whole map singular.
  if (!aff.exists) return out;
  for (int i = 1; i <= 2; ++i) {
    for (int j = 1; j <= 3; ++j) out(i, j) = aff.m(i, j);
  }
  return out;
}

Matrix InverseByCofactors(const Matrix& m) {
  Matrix inv(m.Rows(), m.Cols());
  const double det = Determinant(m);
  if (!(std::fabs(det) >= kSingularProjective)) return inv;
  for (int i = 1; i <= m.Rows(); ++i) {
    for (int j = 1; j <= m.Cols(); ++j) inv(i, j) = Cofactor(m, j, i) / det;
  }
  return inv;
}

Matrix ProjectiveMapMatrix(const Vec2 p[4], const Vec2 q[4]) {
  return Multiply(InverseByCofactors(UnitSquareMatrix(q)), UnitSquareMatrix(p));
}

Vec2 ApplyLinear(const Matrix& m, Vec2 x) {
  return {m(1, 1) * x.x + m(1, 2) * x.y, m(2, 1) * x.x + m(2, 2) * x.y};
}

PointResult ApplyProjective(const Matrix& r, Vec2 x) {
  const double w = r(3, 1) * x.x + r(3, 2) * x.y + r(3, 3);
  if (!(std::fabs(w) >= kVanishingW)) return {};
  return Checked({(r(1, 1) * x.x + r(1, 2) * x.y + r(1, 3)) / w,
                  (r(2, 1) * x.x + r(2, 2) * x.y + r(2, 3)) / w});
}

}  // namespace sakuzu
