// A digest of what a figure computes: every object's existence and its
// coordinates or value, each rounded to 1e-9, hashed into 16 hex digits.
// Two builds (the window, the page) that compute a figure the same way
// give the same digest; a change of any result beyond the rounding changes
// it.
#pragma once

#include <string>

#include "model/figure.h"

namespace sakuzu {

std::string ResultDigest(const Figure& fig);

}  // namespace sakuzu
