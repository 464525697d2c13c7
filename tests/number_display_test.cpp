#include "view/number_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_canvas.h"

namespace sakuzu {
namespace {

TEST(NumberDisplay, ShownComputedNumbersAboveTheBottomMargin) {
  testing::Scene s;
  int rows = 0;
  s.r.hooks.afterNumberList = [&] { ++rows; };
  DrawNumberDisplay(s.r);  // no number: still one recorded row
  EXPECT_EQ(rows, 1);
  // Listed: computed (not free -1 nor 7) and shown (display 0).
  const double values[] = {2.5, 4, 1, 7, 0.125, -1.5};
  const char* names[] = {"AB", "k", "∠ABC", "tmp", "d(A, l)", "AB*k"};
  const int16_t independent[] = {0, -1, 0, 7, 0, 0};
  for (int k = 0; k < 6; ++k) {
    NumberRecord& n = s.fig.Numbers[AddObject(s.fig, kNumberClass)];
    n.value = values[k], n.name = names[k], n.independent = independent[k], n.exists = kTrue;
  }
  s.fig.Numbers[3].display = 7;
  CopyToPrevious(s.fig);
  // A measurement that stops existing during a drag keeps its line.
  s.fig.Numbers[5].exists = kFalse;

  s.fig.Numbers[1].value = 3.14159;
  DrawNumberDisplay(s.r);
  DrawNumberDisplay(s.r);  // drawn anew on its layer, not over the last list
  EXPECT_EQ(rows, 3);
  // The first line highest, the last just above the 35-pixel margin, in
  // three columns over a background: the index, the name, "= value".
  const std::vector<testing::CanvasCall>& shown = s.canvas.Shown(Layer::kList);
  ASSERT_EQ(shown.size(), 10u);
  EXPECT_EQ(shown[0].op, "fill");
  const char* columns[][3] = {
      {" 1:", "AB", "=    3.14"}, {" 5:", "d(A, l)", "=    0.13"}, {" 6:", "AB×k", "=   -1.50"}};
  const double left[] = {0, 3 * 6, 3 * 6 + 7 * 6 + 6};  // the widest index and name, a blank
  for (int k = 0; k < 3; ++k) {
    for (int c = 0; c < 3; ++c) {
      const testing::CanvasCall& text = shown[1 + 3 * k + c];
      EXPECT_EQ(text.text, columns[k][c]);
      EXPECT_EQ(text.pen.color, kBlack);
      EXPECT_NEAR(text.v[0], left[c], 1e-9);
      EXPECT_NEAR(text.v[1], 300 - 35 - (3 - k) * 1.2 * 9, 1e-9);
    }
  }
  EXPECT_EQ(s.canvas.CurrentLayer(), Layer::kBase);

  // The variation form, when it draws, replaces the normal list.
  s.canvas.calls.clear();
  s.r.hooks.drawNumberVariation = [] { return true; };
  DrawNumberDisplay(s.r);
  EXPECT_TRUE(s.canvas.Shown(Layer::kList).empty());
  EXPECT_EQ(rows, 3);
}

}  // namespace
}  // namespace sakuzu
