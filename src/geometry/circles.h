// Circle constructions: every step whose kind begins with "C". Each output
// circle is written as its centre and radius; its colour and name are
// never changed by a computation.
#pragma once

#include "geometry/engine.h"
#include "geometry/primitives.h"
#include "model/figure.h"

namespace sakuzu {

// Recomputes the output circle of step `step`. Unknown kinds, and the
// expression kind "CALC" that reaches here through its first letter,
// leave everything as it was.
void ComputeCircleStep(Figure& fig, int step, Engine& engine);

// The circles of a triangle (the points are assumed to exist).
Circle2 Circumcircle(Vec2 a, Vec2 b, Vec2 c);
Circle2 Incircle(Vec2 a, Vec2 b, Vec2 c);
Circle2 Excircle(Vec2 a, Vec2 b, Vec2 c);  // opposite a: touches side bc
Circle2 NinePointCircle(Vec2 a, Vec2 b, Vec2 c);

}  // namespace sakuzu
