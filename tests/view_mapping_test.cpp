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

class MessageShell : public Shell {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

TEST(ViewMappingTest, ScreenAndPixelMapping) {
  ViewState view;
  SetScreen(view, 401, 301);
  EXPECT_DOUBLE_EQ(view.ViewHalfWidth, 10);
  EXPECT_DOUBLE_EQ(view.ViewHalfHeight, 7.5);
  PixelPoint corner = ToPixel(view, -10, 7.5);
  EXPECT_NEAR(corner.x, 0, 1e-9);
  EXPECT_NEAR(corner.y, 0, 1e-9);
  PixelPoint p = ToPixel(view, 1, 2);  // y grows upward in the figure
  EXPECT_NEAR(p.x, 220, 1e-9);
  EXPECT_NEAR(p.y, 110, 1e-9);

  // An even width puts the origin between two pixel columns.
  view.ViewScale = 0.03;
  SetScreen(view, 300, 200);
  EXPECT_DOUBLE_EQ(view.ViewHalfWidth, 299 * 0.03 / 2);
  EXPECT_NEAR(ToPixel(view, 0, 0).x, 149.5, 1e-9);
  for (double x : {-3.7, 0.013, 4.25}) {
    FigurePoint back = ToFigure(view, ToPixel(view, x, -x / 3).x, ToPixel(view, x, -x / 3).y);
    EXPECT_NEAR(back.x, x, 1e-12);
    EXPECT_NEAR(back.y, -x / 3, 1e-12);
  }
  EXPECT_TRUE(IsVisible(view, view.ViewHalfWidth, -view.ViewHalfHeight));
  EXPECT_FALSE(IsVisible(view, view.ViewHalfWidth + 0.001, 0));

  SetScreen(view, 0, 0);  // a minimised window keeps a positive area
  EXPECT_EQ(view.widthPixels, 1);
  EXPECT_DOUBLE_EQ(view.ViewHalfWidth, 0);
}

TEST(ViewMappingTest, ClippingKeepsLongLinesOnTheCanvas) {
  ViewState view;
  SetScreen(view, 101, 51);
  auto clipped = ClipToCanvas(view, {-1e12, 25}, {1e12, 25});
  ASSERT_TRUE(clipped);
  EXPECT_GT(clipped->first.x, -100);
  EXPECT_LT(clipped->second.x, 200);
  EXPECT_DOUBLE_EQ(clipped->first.y, 25);
  // A segment inside comes back unchanged; one far outside not at all.
  auto inside = ClipToCanvas(view, {3.5, 4.25}, {90.5, 40});
  ASSERT_TRUE(inside);
  EXPECT_EQ(inside->first, (PixelPoint{3.5, 4.25}));
  EXPECT_EQ(inside->second, (PixelPoint{90.5, 40}));
  EXPECT_FALSE(ClipToCanvas(view, {-500, -500}, {-400, 900}));
  EXPECT_FALSE(ClipToCanvas(view, {NAN, 0}, {1, 1}));
}

TEST(ViewMappingTest, ZoomInStopsAtTheLimit) {
  ViewState view;
  MessageShell shell;
  auto translate = [](const std::string& t) { return "[" + t + "]"; };
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(ZoomIn(view, shell, translate)) << i;
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.05 / 256);
  EXPECT_FALSE(ZoomIn(view, shell, translate));  // 0.05 / 512 is below 0.0001
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.05);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0], "[そろそろ限界ですので,元の画面に戻します]");

  for (int i = 0; i < 40; ++i) ZoomOut(view);  // no upper limit
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.05 * std::pow(2.0, 40));
  ZoomDefault(view);
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.05);
}

TEST(ViewMappingTest, RectangularAndPolarGrid) {
  ViewState view;
  SetScreen(view, 401, 301);
  FakeCanvas canvas(401, 301);
  canvas.Clear(kWhite);
  view.axisOn = true;
  view.axisColor = MakeRgb(1, 2, 3);  // not yet initialised: replaced by light grey
  DrawAxis(view, canvas);
  EXPECT_TRUE(view.axisColorInitialised);
  std::vector<CanvasCall> lines = canvas.Calls("line");
  std::vector<double> verticalColumns;
  int horizontal = 0, solid = 0;
  for (const CanvasCall& c : lines) {
    EXPECT_EQ(c.pen.color, kAxisColorLight);
    EXPECT_EQ(c.pen.width, 1);
    if (!c.pen.dotted) {
      ++solid;
      continue;
    }
    if (c.v[0] == c.v[2]) verticalColumns.push_back(c.v[0]);
    if (c.v[1] == c.v[3]) ++horizontal;
  }
  ASSERT_EQ(verticalColumns.size(), 21u);  // x = -10 ... 10
  for (int i = 0; i <= 20; ++i) EXPECT_NEAR(verticalColumns[i], 20.0 * i, 1e-9);
  EXPECT_EQ(horizontal, 15);  // y = -7 ... 7
  EXPECT_EQ(solid, 2);
  EXPECT_EQ(canvas.At(200, 0), kAxisColorLight);  // the solid y axis

  // Switched off it draws the same in the background colour.
  canvas.calls.clear();
  view.axisOn = false;
  DrawAxis(view, canvas);
  EXPECT_EQ(canvas.Calls("line").size(), lines.size());
  EXPECT_EQ(canvas.CountOther(view.backColor), 0);

  canvas.calls.clear();
  view.axisOn = true;
  view.AxisKind = kAxisPolar;
  DrawAxis(view, canvas);
  std::vector<CanvasCall> circles = canvas.Calls("circle");
  ASSERT_EQ(circles.size(), 20u);  // radius 1 ... Int(2 x 10)
  EXPECT_NEAR(circles[19].v[2], 400, 1e-9);
  EXPECT_EQ(canvas.Calls("line").size(), 7u);
  for (const CanvasCall& c : canvas.Calls("line")) EXPECT_TRUE(c.pen.dotted);

  // Far out, one figure unit is less than a pixel: one line per column.
  canvas.calls.clear();
  view.AxisKind = kAxisRectangular;
  view.ViewScale = 0.05 * std::pow(2.0, 30);
  SetScreen(view, 401, 301);
  DrawAxis(view, canvas);
  EXPECT_EQ(canvas.Calls("line").size(), 401u + 301u + 2u);
}

}  // namespace
}  // namespace sakuzu
