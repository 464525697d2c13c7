#include "view/number_display.h"

#include <algorithm>

#include "numbers/auto_names.h"
#include "numbers/value_text.h"

namespace sakuzu {
namespace {

constexpr double kListPadPixels = 3;  // the background reaches this far beyond the text

// Draws the lines in three columns measured on the canvas: the index, the
// name and "= value". Names with "∠" or "Δ" are wider than their count of
// characters in many fonts; measuring keeps the "=" signs in one column.
// An opaque background keeps the figure's lines out of the text.
void DrawListLines(Renderer& r, const std::vector<int>& listed, int varied) {
  if (listed.empty()) return;
  Canvas& c = r.canvas;
  Figure& fig = r.fig;
  int n = static_cast<int>(listed.size());
  double headWidth = 0, nameWidth = 0, valueWidth = 0;
  std::vector<std::string> heads, names, values;
  for (int i : listed) {
    heads.push_back(NumberLineHead(i));
    names.push_back(ListedName(fig.Numbers[i]));
    values.push_back("= " + FormatValue(fig.Numbers[i].value, r.settings.decimals));
    headWidth = std::max(headWidth, c.TextWidth(heads.back()));
    nameWidth = std::max(nameWidth, c.TextWidth(names.back()));
    valueWidth = std::max(valueWidth, c.TextWidth(values.back()));
  }
  double gap = c.TextWidth(" ");
  PixelPoint first = NumberLinePosition(r, 1, n);
  double lineHeight = 1.2 * FontPixels(r.settings);
  double right = first.x + headWidth + nameWidth + gap + valueWidth + kListPadPixels;
  double bottom = first.y + n * lineHeight + kListPadPixels;
  c.FillRect(first.x, first.y - kListPadPixels, right, bottom, r.view.backColor);
  for (int k = 1; k <= n; ++k) {
    int i = listed[k - 1];
    PixelPoint at = NumberLinePosition(r, k, n);
    Rgb color = i == varied ? kVariedNumberColor : kBlack;
    c.DrawText(at.x, at.y, heads[k - 1], color);
    c.DrawText(at.x + headWidth, at.y, names[k - 1], color);
    c.DrawText(at.x + headWidth + nameWidth + gap, at.y, values[k - 1], color);
  }
}

}  // namespace

// One rule for both forms of the list, so that the variation form lists
// exactly these lines plus the varied number.
std::vector<int> NormalListNumbers(const Figure& fig) { return ListedNumbers(fig); }

void DrawNumberDisplay(Renderer& r) {
  r.canvas.ClearLayer(Layer::kList);
  LayerScope list(r.canvas, Layer::kList);
  if (r.hooks.drawNumberVariation && r.hooks.drawNumberVariation()) return;
  DrawListLines(r, NormalListNumbers(r.fig), 0);
  if (r.hooks.afterNumberList) r.hooks.afterNumberList();
}

int ListedNumberAt(Renderer& r, double px, double py) {
  std::vector<int> listed = NormalListNumbers(r.fig);
  int n = static_cast<int>(listed.size());
  if (n == 0) return 0;
  Canvas& c = r.canvas;
  double lineHeight = 1.2 * FontPixels(r.settings);
  for (int k = 1; k <= n; ++k) {
    PixelPoint at = NumberLinePosition(r, k, n);
    if (py < at.y || py >= at.y + lineHeight || px < at.x) continue;
    int i = listed[k - 1];
    std::string line = NumberLineHead(i) + ListedName(r.fig.Numbers[i]) + " = " +
                       FormatValue(r.fig.Numbers[i].value, r.settings.decimals);
    return px <= at.x + c.TextWidth(line) + kListPadPixels ? i : 0;
  }
  return 0;
}

void DrawNumberVariation(Renderer& r, int varied) {
  // An expression naming an unnamed operand by its value follows it.
  UpdateAutoNames(r.fig, r.engine.translate);
  DrawListLines(r, ListedNumbers(r.fig, varied), varied);
}

}  // namespace sakuzu
