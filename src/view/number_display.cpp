#include "view/number_display.h"

#include <algorithm>

#include "numbers/value_text.h"

namespace sakuzu {

std::vector<int> NormalListNumbers(const Figure& fig) {
  std::vector<int> listed;
  int count = std::clamp<int>(fig.ObjectCounts[kNumberClass], 0, fig.Numbers.UpperBound());
  for (int i = 1; i <= count; ++i) {
    const NumberRecord& n = fig.Numbers[i];
    if (n.independent != -1 && n.independent != 7 && n.display == 0) listed.push_back(i);
  }
  return listed;
}

void DrawNumberDisplay(Renderer& r) {
  if (r.hooks.drawNumberVariation && r.hooks.drawNumberVariation()) return;
  Figure& fig = r.fig;
  std::vector<int> listed = NormalListNumbers(fig);
  int n = static_cast<int>(listed.size());
  int width = NameColumnWidth(fig, listed);
  for (int k = 1; k <= n; ++k) {
    int i = listed[k - 1];
    PixelPoint at = NumberLinePosition(r, k, n);
    std::string head = NumberLineHead(i);
    r.canvas.DrawText(at.x, at.y, head, kBlack);
    if (i <= fig.PrevNumbers.UpperBound()) {
      NumberRecord before = fig.Numbers[i];
      before.value = fig.PrevNumbers[i].value;
      std::string old = NumberLineBody(before, width, r.settings.decimals);
      r.canvas.DrawText(at.x + r.canvas.TextWidth(head), at.y, old, r.view.backColor);
    }
    std::string line = head + NumberLineBody(fig.Numbers[i], width, r.settings.decimals);
    r.canvas.DrawText(at.x, at.y, line, kBlack);
  }
  if (r.hooks.afterNumberList) r.hooks.afterNumberList();
}

}  // namespace sakuzu
