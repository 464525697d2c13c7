// Point constructions: every step whose kind begins with "P", the triangle
// centres the circle constructions reuse, and the placing of a free point
// bound to a point, line or circle.
#pragma once

#include "geometry/engine.h"
#include "geometry/primitives.h"
#include "model/figure.h"

namespace sakuzu {

// Recomputes the output point(s) of step `step` from its inputs. Kinds
// that are not point computations (groups, "PNEW", "PBND", "PT62", unknown
// codes) leave everything as it was.
void ComputePointStep(Figure& fig, int step, Engine& engine);

// Places bound free point `point` on its host from its `parameter`: on a
// point at the host's position; on a line at the signed distance
// `parameter` from P1 (clamped, with a beep, to the drawn segment or ray);
// on a circle at arc length `parameter` from the rightmost point (wrapped
// into one turn). Sets exists = 0 when the host does not exist and -1 when
// placed on a line or circle; a point host leaves `exists` to the caller.
void BoundPointPosition(Figure& fig, int point, Engine& engine);

// The reverse: stores (and returns) the `parameter` of bound point `point`
// from its current position on its host line or circle. A point too close
// to the centre of its circle gets exists = 0 and keeps its parameter.
double BoundPointParameter(Figure& fig, int point);

// Triangle centres of a, b, c (the points are assumed to exist).
PointResult Circumcentre(Vec2 a, Vec2 b, Vec2 c);  // fails for coincident/collinear points
Vec2 Incentre(Vec2 a, Vec2 b, Vec2 c);             // a's position when all coincide
Vec2 Centroid(Vec2 a, Vec2 b, Vec2 c);
PointResult Orthocentre(Vec2 a, Vec2 b, Vec2 c);
PointResult Excentre(Vec2 a, Vec2 b, Vec2 c);  // opposite a: touches side bc
PointResult NinePointCentre(Vec2 a, Vec2 b, Vec2 c);

}  // namespace sakuzu
