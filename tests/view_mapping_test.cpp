#include "view/view_mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fake_canvas.h"

namespace sakuzu {
namespace {

using testing::CanvasCall;
using testing::FakeCanvas;

TEST(ViewMappingTest, ScreenPixelMappingAndClipping) {
  ViewState view;
  SetScreen(view, 401, 301);
  EXPECT_DOUBLE_EQ(view.ViewHalfWidth, 10);
  PixelPoint p = ToPixel(view, 1, 2);  // y grows upward in the figure
  EXPECT_LT(std::hypot(p.x - 220, p.y - 110), 1e-9);

  // Back and forth at another scale and an even width.
  view.ViewScale = 0.03;
  SetScreen(view, 300, 200);
  PixelPoint q = ToPixel(view, -3.7, 1.234);
  EXPECT_NEAR(q.x, (299 * 0.03 / 2 - 3.7) / 0.03, 1e-9);
  FigurePoint back = ToFigure(view, q.x, q.y);
  EXPECT_LT(std::hypot(back.x + 3.7, back.y - 1.234), 1e-12);
  EXPECT_TRUE(IsVisible(view, view.ViewHalfWidth, -view.ViewHalfHeight));
  EXPECT_FALSE(IsVisible(view, view.ViewHalfWidth + 0.001, 0));
  SetScreen(view, 0, 0);  // a minimised window keeps a positive area
  EXPECT_EQ(view.widthPixels, 1);

  // Lines far beyond the canvas are cut to it (enlarged by a margin).
  SetScreen(view, 101, 51);
  auto clipped = ClipToCanvas(view, {-1e12, 25}, {1e12, 25});
  ASSERT_TRUE(clipped);
  EXPECT_GT(clipped->first.x, -100);
  EXPECT_LT(clipped->second.x, 200);
  EXPECT_DOUBLE_EQ(clipped->first.y, 25);
  EXPECT_FALSE(ClipToCanvas(view, {NAN, 0}, {1, 1}));
}

TEST(ViewMappingTest, ZoomLimitAndTheGrid) {
  ViewState zoomed;
  testing::RecordingShell shell;
  auto translate = [](const std::string& t) { return "[" + t + "]"; };
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(ZoomIn(zoomed, shell, translate)) << i;
  EXPECT_DOUBLE_EQ(zoomed.ViewScale, 0.05 / 256);
  EXPECT_FALSE(ZoomIn(zoomed, shell, translate));  // 0.05 / 512 is below 0.0001
  EXPECT_DOUBLE_EQ(zoomed.ViewScale, 0.05);
  EXPECT_EQ(shell.messages,
            (std::vector<std::string>{"[そろそろ限界ですので,元の画面に戻します]"}));
  for (int i = 0; i < 40; ++i) ZoomOut(zoomed);  // no upper limit
  EXPECT_DOUBLE_EQ(zoomed.ViewScale, 0.05 * std::pow(2.0, 40));

  testing::Scene s;  // 401 x 301 pixels
  ViewState& view = s.view;
  FakeCanvas& canvas = s.canvas;
  view.axisOn = true;
  view.axisColor = MakeRgb(1, 2, 3);  // not yet initialised: replaced by light grey
  DrawAxis(view, canvas);
  // In order: dotted x = -10 ... 10, dotted y = -7 ... 7, the solid axes.
  std::vector<CanvasCall> lines = canvas.Calls("line");
  ASSERT_EQ(lines.size(), 21u + 15u + 2u);
  for (int i = 0; i < 38; ++i) EXPECT_EQ(lines[i].pen, (Pen{kAxisColorLight, 1, i < 36})) << i;
  for (int i = 0; i <= 20; ++i) EXPECT_NEAR(lines[i].v[0], 20.0 * i, 1e-9) << i;
  for (int i = 0; i <= 20; ++i) EXPECT_NEAR(lines[i].v[2], 20.0 * i, 1e-9) << i;
  EXPECT_NEAR(lines[21].v[1], 150 + 7 * 20, 1e-9);
  canvas.calls.clear();
  view.axisOn = false, DrawAxis(view, canvas);  // switched off it draws nothing
  EXPECT_TRUE(canvas.calls.empty());

  view.axisOn = true, view.AxisKind = kAxisPolar, DrawAxis(view, canvas);
  std::vector<CanvasCall> circles = canvas.Calls("circle");
  ASSERT_EQ(circles.size(), 20u);  // radius 1 ... Int(2 x 10)
  EXPECT_NEAR(circles[19].v[2], 400, 1e-9);
  std::vector<CanvasCall> rays = canvas.Calls("line");  // every 30 degrees from the x axis
  ASSERT_EQ(rays.size(), 7u);
  EXPECT_DOUBLE_EQ(rays[0].v[1], rays[0].v[3]);

  // Far out, one figure unit is less than a pixel: one line per column.
  canvas.calls.clear();
  view.AxisKind = kAxisRectangular, view.ViewScale = 0.05 * std::pow(2.0, 30);
  SetScreen(view, 401, 301);
  DrawAxis(view, canvas);
  EXPECT_EQ(canvas.Calls("line").size(), 401u + 301u + 2u);
}

}  // namespace
}  // namespace sakuzu
