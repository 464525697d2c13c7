// The on-screen list of measured numbers with their values at the lower
// left of the drawing area, on the list layer of the canvas (drawn anew
// each time, over the figure).
#pragma once

#include <vector>

#include "model/figure.h"
#include "view/renderer.h"

namespace sakuzu {

// The numbers of the normal list in index order: computed numbers (not
// free, -1, nor 7) that are shown (`display` 0), existing or not.
std::vector<int> NormalListNumbers(const Figure& fig);

// Draws the number list layer anew: the variation form through the
// renderer's hook while a free number is varied, otherwise the normal form.
void DrawNumberDisplay(Renderer& r);

// The number whose line of the normal list lies under pixel (px, py), or
// 0 when none does.
int ListedNumberAt(Renderer& r, double px, double py);

// The variation form: the listed numbers and the varied one, which is
// dark red; the names of expressions follow its value.
constexpr Rgb kVariedNumberColor = MakeRgb(128, 0, 0);
void DrawNumberVariation(Renderer& r, int varied);

}  // namespace sakuzu
