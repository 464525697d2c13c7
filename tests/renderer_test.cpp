#include "view/renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fake_canvas.h"

namespace sakuzu {
namespace {

using testing::CanvasCall;
using testing::Scene;

constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kGreen = MakeRgb(0, 255, 0);
constexpr Rgb kBlue = MakeRgb(0, 0, 255);

// How far the point (v[i], v[i + 1]) of a call lies from p, in pixels.
double Off(const CanvasCall& c, int i, PixelPoint p) {
  return std::hypot(c.v[i] - p.x, c.v[i + 1] - p.y);
}

TEST(RendererTest, PointMarksWhereTheMappingPutsThem) {
  Scene s;
  PointRecord p;
  p.x = 1, p.y = 2, p.exists = kTrue, p.color = 1, p.style = 0;
  DrawPointMark(s.r, p);
  EXPECT_LT(Off(s.canvas.calls.at(0), 0, {220, 110}), 1e-9);
  EXPECT_EQ(s.canvas.calls[0].pen.color, kRed);

  // At a non-integer place the filled square is centred on the mapped
  // pixel, 10 pixels wide, 6 in the picture modes.
  p.x = -3.27, p.y = 0.61, p.style = 4;
  PixelPoint q{(-3.27 + 10) / 0.05, (7.5 - 0.61) / 0.05};
  for (int16_t mode : {0, 2}) {
    s.settings.pictureMode = mode;
    DrawPointMark(s.r, p);
    const std::vector<double>& v = s.canvas.calls.back().v;
    EXPECT_LT(std::hypot((v[0] + v[2]) / 2 - q.x, (v[1] + v[3]) / 2 - q.y), 1e-9);
    EXPECT_NEAR(v[2] - v[0], mode == 0 ? 10 : 6, 1e-9);
  }
  p.style = 5;  // the triangle's apex is above the point
  DrawPointMark(s.r, p);
  EXPECT_LT(Off(s.canvas.calls.back(), 0, {q.x, q.y - 3}), 1e-9);
  p.style = 30;  // the hover mark: green rings inside a black one
  DrawPointMark(s.r, p);
  EXPECT_EQ(s.canvas.calls.end()[-3].pen.color, kGreen);
  EXPECT_EQ(s.canvas.calls.back().pen.color, kBlack);

  // Far out, not existing or not a style: nothing.
  s.canvas.calls.clear();
  p.x = -1000.5, DrawPointMark(s.r, p);
  p.x = 0, p.exists = 0, DrawPointMark(s.r, p);
  p.exists = kTrue, p.style = 9, DrawPointMark(s.r, p);
  EXPECT_TRUE(s.canvas.calls.empty());

  // The pixel styles take the first colour that is neither the point's own
  // (0 here) nor the style's (1 for style 11).
  p.style = 11, p.color = 0;
  DrawPointMark(s.r, p);
  EXPECT_EQ(s.canvas.calls.at(0).pen.color, kGreen);
}

TEST(RendererTest, PaletteColourCodesAndErasing) {
  Scene s;
  s.settings.colorStrength = 128;
  EXPECT_EQ(PaletteColor(s.r, 4), MakeRgb(0, 0, 128));
  s.settings.colorStrength = 0;  // reads as 255 at the first lookup of any colour
  EXPECT_TRUE(PaletteColor(s.r, 7) == kBlack && s.settings.colorStrength == 255);
  EXPECT_EQ(PaletteColor(s.r, 8), MakeRgb(128, 128, 128));
  // No colour: black and a message with the number.
  EXPECT_TRUE(PaletteColor(s.r, 16) == kBlack && PaletteColor(s.r, -3) == kBlack);
  EXPECT_EQ(s.shell.messages, (std::vector<std::string>{"16", "-3"}));

  s.settings.penWidth = 2;
  ObjectRef a = s.Point(-2.3, 1.1, 1, 1), b = s.Point(3.05, -0.4, 4, 3);
  ObjectRef hidden = s.Point(0.5, 0.5, 0, 2);
  ObjectRef ab = s.Made("L1", {a, b}, kLineClass), circle = s.Made("C2", {a, b}, kCircleClass);
  s.fig.Lines[ab.index].lineKind = 6, s.fig.Lines[ab.index].color = 5;
  s.fig.Circles[circle.index].color = 2, s.fig.Points[a.index].locusColor = 5;
  s.Compute();
  // The hidden point has neither its circle mark nor a label; erasing
  // draws nothing (the picture goes with its layer).
  DrawFigure(s.r);
  EXPECT_EQ(s.canvas.Calls("circle").size(), 1u);
  ASSERT_EQ(s.canvas.Calls("text").size(), 2u);
  EXPECT_EQ(s.canvas.Calls("text")[0].pen.color, kBlack);
  size_t drawn = s.canvas.calls.size();
  for (ObjectRef ref : {a, b, hidden, ab, circle}) DrawObject(s.r, ref, kDrawErase);
  EXPECT_EQ(s.canvas.calls.size(), drawn);

  // Code 7 draws the hidden point in black, without a label; 21 is red.
  s.canvas.calls.clear();
  DrawObject(s.r, hidden, 7), DrawObject(s.r, ab, kDrawRed);
  EXPECT_TRUE(s.canvas.Calls("text").empty());
  EXPECT_EQ(s.canvas.calls.at(0).pen.color, kBlack);
  EXPECT_EQ(s.canvas.calls.back().pen.color, kRed);
  // A locus code: the previous picture in the locus colour, left on the
  // trace layer, without a label.
  s.canvas.calls.clear();
  s.fig.PrevPoints[a.index].x = 1.0;
  DrawPrevObject(s.r, a, 13);
  ASSERT_EQ(s.canvas.calls.size(), 2u);  // the two strokes of the cross
  EXPECT_TRUE(s.canvas.calls[0].pen.color == MakeRgb(255, 0, 255) &&
              s.canvas.calls[0].layer == Layer::kTrace);
  EXPECT_NEAR(s.canvas.calls[0].v[0], 11 / 0.05 - 5, 1e-9);
  EXPECT_EQ(s.canvas.CurrentLayer(), Layer::kBase);

  s.canvas.calls.clear();
  DrawObjectAs(s.r, a, 3, 4);
  EXPECT_EQ(s.canvas.Calls("polygon").at(0).pen.color, kBlue);
}

TEST(RendererTest, LinePartsArrowheadsAndTheDottedYellow) {
  Scene s;
  LineRecord l;
  l.exists = kTrue, l.color = 3, l.lineKind = 1;
  l.x1 = 0.3, l.y1 = -1.1, l.x2 = 2.45, l.y2 = 1.7;
  double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
  l.dx = (l.x2 - l.x1) / len, l.dy = (l.y2 - l.y1) / len;
  CircleRecord c;
  c.exists = kTrue, c.color = 3, c.radius = 1.25;
  DrawLine(s.r, l), DrawCircle(s.r, c);
  s.settings.penWidth = 2, DrawLine(s.r, l);
  ASSERT_EQ(s.canvas.calls.size(), 3u);
  EXPECT_EQ(s.canvas.calls[0].pen, (Pen{kBlack, 1, true}));
  EXPECT_EQ(s.canvas.calls[1].pen, (Pen{kBlack, 1, true}));
  EXPECT_EQ(s.canvas.calls[2].pen, (Pen{MakeRgb(255, 255, 0), 2, false}));

  // Kind 3 comes from beyond the lower edge through P1 and ends at P2.
  PixelPoint p1 = ToPixel(s.view, l.x1, l.y1), p2 = ToPixel(s.view, l.x2, l.y2);
  s.canvas.calls.clear();
  l.color = 7, l.lineKind = 3, DrawLine(s.r, l);
  const std::vector<double>& k3 = s.canvas.calls.at(0).v;
  EXPECT_GT(k3[1], 300);
  EXPECT_NEAR((p1.x - k3[0]) * (p2.y - k3[1]), (p1.y - k3[1]) * (p2.x - k3[0]), 1e-6);
  EXPECT_LT(Off(s.canvas.calls[0], 2, p2), 1e-9);

  // Kind 5: the arrowhead's tip is at P2, its wings 10 pixels back towards
  // P1 and 5 across.
  s.canvas.calls.clear();
  l.lineKind = 5, DrawLine(s.r, l);
  ASSERT_EQ(s.canvas.calls.size(), 3u);
  double d = std::hypot(p1.x - p2.x, p1.y - p2.y);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_LT(Off(s.canvas.calls[i], 0, p2), 1e-9);
    EXPECT_NEAR(Off(s.canvas.calls[i], 2, p2), std::hypot(10, 5), 1e-9);
    EXPECT_NEAR(Off(s.canvas.calls[i], 2, p1), std::hypot(d - 10, 5), 1e-9);
  }
  s.canvas.calls.clear();
  l.lineKind = 7, DrawLine(s.r, l);  // the ray from P1 upward, with its head at P1
  ASSERT_EQ(s.canvas.calls.size(), 3u);
  EXPECT_LT(s.canvas.calls[0].v[3], 0);
  EXPECT_LT(Off(s.canvas.calls[1], 0, p1), 1e-9);

  // A line through a point too far for 15 half widths to reach the window,
  // a circle too large, one around the window and one far away: nothing.
  s.canvas.calls.clear();
  l.lineKind = 0, l.x1 = 1e9, l.y1 = 1e9 * l.dy / l.dx, DrawLine(s.r, l);
  const double circles[][2] = {{1000.5, 1005}, {999, 0.2}, {1, 500}};  // radius, centre x
  for (auto [radius, cx] : circles) c.radius = radius, c.cx = cx, DrawCircle(s.r, c);
  EXPECT_TRUE(s.canvas.calls.empty());
  // A thick circle whose outline lies 3 pixels left of the window still
  // reaches into it; one well beyond half the pen is skipped.
  s.settings.penWidth = 10;
  c.radius = 47 * 0.05, c.cx = -10 - 50 * 0.05, DrawCircle(s.r, c);
  c.cx = -10 - 80 * 0.05, DrawCircle(s.r, c);
  ASSERT_EQ(s.canvas.calls.size(), 1u);
  EXPECT_NEAR(s.canvas.calls[0].v[0] + s.canvas.calls[0].v[2], -3, 1e-9);
}

TEST(RendererTest, LabelsFollowTheModeAndTheWindow) {
  Scene s;
  ObjectRef a = s.Point(1.5, -2.25);
  ToggleLabels(s.settings);  // labels off; still shown in mode 13
  PushMode(s.modes, kModeSelect, s.shell);
  s.r.state = DrawStateFor(s.modes, s.settings);
  DrawPointLabel(s.r, a, 4, kCurrentTables);
  ASSERT_EQ(s.canvas.calls.size(), 1u);
  EXPECT_EQ(s.canvas.calls[0].pen.color, kBlue);
  EXPECT_LT(Off(s.canvas.calls[0], 0, {11.5 / 0.05 + 10, 9.75 / 0.05 - 9 - 10}), 1e-9);
  // Hidden at rest in the standard and deformation modes, and by every
  // deformation step.
  for (int16_t mode : {kModeStandard, kModeDeform}) {
    s.modes.entries[s.modes.depth] = mode;
    s.r.state = DrawStateFor(s.modes, s.settings);
    DrawPointLabel(s.r, a, 7, kCurrentTables);
  }
  s.modes.entries[s.modes.depth] = kModeSelect;
  s.r.state = DrawStateFor(s.modes, s.settings);
  s.r.drawingStep = true, DrawPointLabel(s.r, a, 7, kCurrentTables), s.r.drawingStep = false;
  // Codes 0 and from 8 are the background colour: they would only erase.
  DrawPointLabel(s.r, a, 0, kCurrentTables), DrawPointLabel(s.r, a, 8, kCurrentTables);
  EXPECT_EQ(s.canvas.calls.size(), 1u);
  s.settings.notChrDisp = 1, ToggleLabels(s.settings);  // a settings file's 1 still toggles
  EXPECT_EQ(s.settings.notChrDisp, 0);

  // Without the status bar the offset is 2 pixels.
  s.canvas.calls.clear();
  s.settings.statusBarHidden = true, DrawPointLabel(s.r, a, 7, kCurrentTables);
  EXPECT_NEAR(s.canvas.calls[0].v[0], 11.5 / 0.05 + 2, 1e-9);
  // No label with its corner outside, with either position outside, or
  // when the chosen table's point does not exist.
  PointRecord &now = s.fig.Points[a.index], &before = s.fig.PrevPoints[a.index];
  now.y = 7.4, DrawPointLabel(s.r, a, 7, kCurrentTables);
  now.y = 0, before.x = 11, DrawPointLabel(s.r, a, 7, kCurrentTables);
  before.x = 0, before.exists = kTrue, now.exists = 0, DrawPointLabel(s.r, a, 7, kCurrentTables);
  EXPECT_EQ(s.canvas.calls.size(), 1u);
  DrawPointLabel(s.r, a, 7, kPreviousTables);
  EXPECT_EQ(s.canvas.calls.size(), 2u);
}

TEST(RendererTest, AngleMarkColoursBySize) {
  Scene s;
  DrawAngleMark(s.r, 0, 0, 1, 0, 45);
  EXPECT_TRUE(s.canvas.calls.empty());  // marks are off
  s.settings.angleMarksOn = true;
  const double angles[] = {90.005, -89.995, 90.02, 88, 92, 92.5, 181, 200};
  const Rgb colours[] = {kRed, kRed, kRed, kBlack, kRed, kBlue, kRed, kGreen};
  for (int i = 0; i < 8; ++i) {
    s.canvas.calls.clear();
    DrawAngleMark(s.r, 0.35, -0.8, 2.1, 0.4, angles[i]);
    ASSERT_EQ(s.canvas.Calls(i < 2 ? "line" : "arc").size(), i < 2 ? 2u : 1u) << angles[i];
    EXPECT_EQ(s.canvas.calls[0].pen.color, colours[i]) << angles[i];
  }
  EXPECT_EQ(s.r.angleMarks.count, 8);

  // The arc turns counter-clockwise by the angle from the arm; a negative
  // angle ends on the arm.
  DrawAngleMark(s.r, 0, 0, 0, -3, -60);
  double pi = 3.14159265358979;
  const double arc[] = {200, 150, 20, 1.5 * pi - pi / 3, 1.5 * pi};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(s.canvas.calls.back().v[i], arc[i], 1e-9) << i;
  // The right angle: A on the arm, C = A + B - V, 20 pixels out.
  s.canvas.calls.clear();
  DrawAngleMark(s.r, 0, 0, 4, 0, 90);
  EXPECT_LT(Off(s.canvas.calls.at(0), 0, {220, 150}), 1e-9);
  EXPECT_LT(Off(s.canvas.calls[0], 2, {220, 130}), 1e-9);
  EXPECT_LT(Off(s.canvas.calls.at(1), 2, {200, 130}), 1e-9);
  // Too small an arc and a zero arm give nothing.
  s.canvas.calls.clear();
  DrawAngleMark(s.r, 0, 0, 1, 0, 3), DrawAngleMark(s.r, 0, 0, 0, 0, 45);
  EraseAngleMarks(s.r);
  EXPECT_TRUE(s.canvas.calls.empty());
  EXPECT_EQ(s.r.angleMarks.count, 0);
  for (int i = 0; i < 205; ++i) DrawAngleMark(s.r, 0, 0, 1, 0, 30);
  EXPECT_EQ(s.r.angleMarks.count, kAngleMarkCapacity);
  s.settings.statusBarHidden = true, DrawAngleMark(s.r, 0, 0, 1, 0, 30);
  EXPECT_NEAR(s.canvas.calls.back().v[2], 8, 1e-9);
}

TEST(RendererTest, RedrawInOrderWithDraggableLines) {
  Scene s;
  std::vector<std::string> log;
  s.r.hooks.markDraggableCandidates = [&] { log.push_back("candidates"); };
  s.r.hooks.drawLocusTraces = [&] {
    bool first = s.canvas.Calls("text").empty() && s.canvas.CurrentLayer() == Layer::kTrace;
    log.push_back(first ? "traces" : "?");
  };
  s.r.hooks.afterNumberList = [&] { log.push_back("list"); };
  ObjectRef a = s.Point(-2, 0), b = s.Point(3, 1), d = s.Point(0, 4);
  ObjectRef c = s.Made("P1", {a, b}, kPointClass);  // a computed point
  ObjectRef ab = s.Made("L1", {a, b}, kLineClass), ac = s.Made("L1", {a, c}, kLineClass);
  s.Made("NA3P", {a, b, d}, kNumberClass);
  s.fig.Lines[ac.index].endsDraggable = kTrue;  // stale from an older redraw
  s.view.axisOn = true, s.settings.angleMarksOn = true;
  s.settings.font.size = 12;
  s.r.angleMarks.count = 50;

  // Clear, grid, then the traces before any object; the list over all.
  s.canvas.clears = 0;
  Redraw(s.r);
  EXPECT_TRUE(s.canvas.font.size == 12 && s.canvas.clears == 1);
  EXPECT_EQ(s.canvas.calls[0].pen, (Pen{kAxisColorLight, 1, true}));
  EXPECT_EQ(s.canvas.calls[0].layer, Layer::kGrid);
  EXPECT_EQ(s.canvas.Calls("text").back().layer, Layer::kList);
  EXPECT_EQ(log, (std::vector<std::string>{"candidates", "traces", "list"}));
  EXPECT_EQ(s.r.angleMarks.count, 1);  // cleared, then the angle's mark
  const LineRecord& line = s.fig.Lines[ab.index];
  EXPECT_EQ(std::vector<int>({line.endsDraggable, line.endPoint1, line.endPoint2}),
            std::vector<int>({kTrue, a.index, b.index}));
  EXPECT_EQ(s.fig.Lines[ac.index].endsDraggable, kFalse);
  // Outside modes 2 and 8 the draggable candidates are left alone.
  log.clear(), s.canvas.calls.clear();
  PushMode(s.modes, kModeSelect, s.shell);
  s.r.state = DrawStateFor(s.modes, s.settings);
  Redraw(s.r);
  EXPECT_EQ(log, (std::vector<std::string>{"traces", "list"}));
}

TEST(RendererTest, ViewAndOptionCommands) {
  Scene s;
  ZoomOutCommand(s.r);
  ZoomComplexCommand(s.r);  // twice zoomed in, the grid shown whether it was or not
  EXPECT_TRUE(s.view.ViewHalfWidth == 400 * 0.05 / 8 && s.view.axisOn);
  ZoomComplexCommand(s.r);
  EXPECT_TRUE(s.view.axisOn && s.canvas.calls.back().pen.color == kAxisColorLight);

  // The grid has a layer of its own: switching to polar or off changes
  // that layer only, without a redraw, and the figure stays whole.
  s.Point(1, 1);
  Redraw(s.r);
  int clears = s.canvas.clears;
  SetAxisKindCommand(s.r, kAxisPolar);
  const std::vector<CanvasCall>& grid = s.canvas.Shown(Layer::kGrid);
  ASSERT_FALSE(grid.empty());
  EXPECT_EQ(grid.front().op, "circle");  // the rectangular grid is gone
  EXPECT_EQ(s.view.AxisKind, kAxisPolar);
  SetAxisColorCommand(s.r, kAxisColorDark);
  EXPECT_EQ(s.canvas.Shown(Layer::kGrid).back().pen.color, kAxisColorDark);
  ToggleAxisCommand(s.r);
  EXPECT_EQ(s.canvas.clears, clears);
  EXPECT_TRUE(s.canvas.Shown(Layer::kGrid).empty());
  EXPECT_FALSE(s.canvas.Shown(Layer::kBase).empty());
  SetBackgroundCommand(s.r, kBlack);
  EXPECT_TRUE(s.canvas.background == kBlack && PaletteColor(s.r, 0) == kBlack);
}

}  // namespace
}  // namespace sakuzu
