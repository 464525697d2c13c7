#include "view/number_display.h"

#include "numbers/auto_names.h"
#include "numbers/value_text.h"

namespace sakuzu {

// One rule for both forms of the list, so that the variation form lists
// exactly these lines plus the varied number.
std::vector<int> NormalListNumbers(const Figure& fig) { return ListedNumbers(fig); }

void DrawNumberDisplay(Renderer& r) {
  r.canvas.ClearLayer(Layer::kList);
  LayerScope list(r.canvas, Layer::kList);
  if (r.hooks.drawNumberVariation && r.hooks.drawNumberVariation()) return;
  Figure& fig = r.fig;
  std::vector<int> listed = NormalListNumbers(fig);
  int n = static_cast<int>(listed.size());
  int width = NameColumnWidth(fig, listed);
  for (int k = 1; k <= n; ++k) {
    int i = listed[k - 1];
    PixelPoint at = NumberLinePosition(r, k, n);
    std::string head = NumberLineHead(i);
    std::string line = head + NumberLineBody(fig.Numbers[i], width, r.settings.decimals);
    r.canvas.DrawText(at.x, at.y, line, kBlack);
  }
  if (r.hooks.afterNumberList) r.hooks.afterNumberList();
}

void DrawNumberVariation(Renderer& r, int varied) {
  Figure& fig = r.fig;
  // An expression naming an unnamed operand by its value follows it.
  UpdateAutoNames(fig, r.engine.translate);
  std::vector<int> listed = ListedNumbers(fig, varied);
  int n = static_cast<int>(listed.size());
  int width = NameColumnWidth(fig, listed);
  for (int k = 1; k <= n; ++k) {
    int i = listed[k - 1];
    PixelPoint at = NumberLinePosition(r, k, n);
    std::string line =
        NumberLineHead(i) + NumberLineBody(fig.Numbers[i], width, r.settings.decimals);
    r.canvas.DrawText(at.x, at.y, line, i == varied ? kVariedNumberColor : kBlack);
  }
}

}  // namespace sakuzu
