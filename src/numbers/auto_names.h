// Automatic names: a measurement is named after the objects it measures
// ("AB", "∠ABC", "d(A, l)"), a line through two points after the points,
// an expression number after its expression. The names follow the input
// objects, so renaming a point renames every measurement built on it.
#pragma once

#include <optional>
#include <string>

#include "model/figure.h"
#include "model/kinds.h"

namespace sakuzu {

// The automatic name of step `step`'s first output, or nothing when the
// step's kind has no naming rule (or the step does not exist).
std::optional<std::string> AutoName(const Figure& fig, int step, const TranslateFn& translate = {});

// Gives the first output of every step whose kind has a naming rule its
// automatic name; every other name is left as it is.
void UpdateAutoNames(Figure& fig, const TranslateFn& translate = {});

}  // namespace sakuzu
