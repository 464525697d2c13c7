// Transformations of the plane applied to points (and, by the line and
// circle constructions, to the defining points of lines and centres of
// circles): rotation, reflections, inversion, translation, the pole of a
// line, points taken as complex numbers, and the linear, affine and
// projective maps of the transformation figures.
#pragma once

#include <vector>

#include "geometry/primitives.h"

namespace sakuzu {

// A small dense matrix with both indices from 1.
class Matrix {
 public:
  Matrix(int rows, int cols)
      : rows_(rows), cols_(cols), cells_(static_cast<size_t>(rows * cols), 0.0) {}
  static Matrix Identity(int n);

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  double& operator()(int i, int j) { return cells_[Offset(i, j)]; }
  double operator()(int i, int j) const { return cells_[Offset(i, j)]; }
  bool operator==(const Matrix&) const = default;

 private:
  size_t Offset(int i, int j) const;
  int rows_, cols_;
  std::vector<double> cells_;
};

Matrix Multiply(const Matrix& a, const Matrix& b);
// Determinant of a square matrix by cofactor expansion along the first row.
double Determinant(const Matrix& m);

// ---- Point transformations -----------------------------------------------

// 2F - x with F the foot of the perpendicular from x to l.
PointResult ReflectInLine(Vec2 x, const Line2& l);
// 2o - x.
Vec2 ReflectInPoint(Vec2 x, Vec2 o);
// c + r^2 (x - c)/|x - c|^2; fails when x is within 0.01 of the centre.
PointResult InvertInCircle(Vec2 x, const Circle2& c);
// x + (P2 - P1) of l.
PointResult TranslateByLine(Vec2 x, const Line2& l);
// Pole of l with respect to c; fails when l passes exactly through the centre.
PointResult PoleOfLine(const Line2& l, const Circle2& c);

// ---- Points as complex numbers --------------------------------------------

Vec2 ComplexAdd(Vec2 z, Vec2 w);
Vec2 ComplexSubtract(Vec2 z, Vec2 w);
Vec2 ComplexMultiply(Vec2 z, Vec2 w);
// Fails when both parts of w are below 0.01 in size.
PointResult ComplexDivide(Vec2 z, Vec2 w);
PointResult ComplexReciprocal(Vec2 z);
// z^p from the argument taken in [0, 2pi); z = 0 with p < 0 has no result.
PointResult ComplexPower(Vec2 z, double p);

// ---- Matrix maps ------------------------------------------------------------

struct MatrixResult {
  Matrix m{0, 0};
  bool exists = false;
};

// The 2x2 linear map sending vectors p1, p2 to q1, q2; fails when
// |det(p1 p2)| < 0.01.
MatrixResult LinearMapMatrix(Vec2 p1, Vec2 p2, Vec2 q1, Vec2 q2);
// The 3x3 homogeneous affine map sending p1, p2, p3 to q1, q2, q3; fails
// when |det(p2 - p1, p3 - p1)| < 0.01.
MatrixResult AffineMapMatrix(Vec2 p1, Vec2 p2, Vec2 p3, Vec2 q1, Vec2 q2, Vec2 q3);
// The 3x3 projective map sending quadrilateral p[0..3] onto q[0..3]; always
// computed (the zero matrix when the target quadrilateral is degenerate).
Matrix ProjectiveMapMatrix(const Vec2 p[4], const Vec2 q[4]);
// The matrix of the map sending quadrilateral v[0..3] onto the unit square.
Matrix UnitSquareMatrix(const Vec2 v[4]);
// Inverse by cofactors; the zero matrix when |det| < 0.0001.
Matrix InverseByCofactors(const Matrix& m);

// (M11 x + M12 y, M21 x + M22 y).
Vec2 ApplyLinear(const Matrix& m, Vec2 x);
// Homogeneous image; fails when |w| < 0.01.
PointResult ApplyProjective(const Matrix& r, Vec2 x);

}  // namespace sakuzu
