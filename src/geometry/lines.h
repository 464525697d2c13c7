// Line constructions: every step whose kind begins with "L". Each output
// line is written as its two defining points P1, P2 and unit direction;
// which part is drawn (line, segment, ray) is the line's own lineKind,
// which a computation never changes.
#pragma once

#include <utility>

#include "geometry/engine.h"
#include "geometry/primitives.h"
#include "model/figure.h"

namespace sakuzu {

// Recomputes the output line(s) of step `step` (and the foot of "L3").
// Group and unknown kinds leave everything as it was.
void ComputeLineStep(Figure& fig, int step, Engine& engine);

// The two tangents from p to circle c: both start at p and point away from
// the circle. Neither exists when p lies inside the circle; on the circle
// both are the tangent at p.
std::pair<Line2, Line2> TangentsFromPoint(Vec2 p, const Circle2& c);

// One common tangent of two circles, by mode: 1 and 2 external (outputs 1
// and 2 of "L6"), 3 and 0 internal (outputs 1 and 2 of "L7"). P1 is where
// the tangent touches the first circle.
Line2 CommonTangent(const Circle2& c1, const Circle2& c2, int mode);

// The polar of p with respect to c.
Line2 PolarLine(Vec2 p, const Circle2& c);

}  // namespace sakuzu
