// Ready-made demonstrations of a linear, an affine and a projective map:
// a free point P, source points and their images, the image φ(P) of P
// under the map the correspondences determine, and the entries of its
// matrix as numbers. Everything is placed at fixed coordinates and
// appended to the figure; the caller recomputes and redraws.
#pragma once

#include "model/figure.h"

namespace sakuzu {

// Each returns false (and adds nothing) when the figure has no room left.
bool MacroLinear(Figure& fig);
bool MacroAffine(Figure& fig);
bool MacroProjective(Figure& fig);

}  // namespace sakuzu
