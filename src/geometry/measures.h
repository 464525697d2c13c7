// Measurements: the construction kinds whose code begins with "N". Each
// produces one number (a length, an angle in degrees, an area, a
// coordinate or a trigonometric value) from points, lines, circles or
// another number. The expression kind "CALC" is computed elsewhere.
#pragma once

#include "geometry/engine.h"
#include "model/figure.h"

namespace sakuzu {

// Recomputes the output number of step `step` by its full kind code; other
// codes compute nothing. The number does not exist when an input does not
// exist, names no object of its class, or the value is not finite. Angle
// measurements also ask the shell for their angle mark.
void ComputeNumberStep(Figure& fig, int step, Engine& engine);

}  // namespace sakuzu
