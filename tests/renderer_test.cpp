#include "view/renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "fake_canvas.h"
#include "geometry/recalc.h"
#include "view/number_display.h"

namespace sakuzu {
namespace {

using testing::CanvasCall;
using testing::FakeCanvas;

constexpr Rgb kRed = MakeRgb(255, 0, 0);

// The window's shell: angle marks go to the renderer, messages are kept.
class ForwardingShell : public Shell {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void DrawAngleMark(double vx, double vy, double px, double py, double angle) override {
    if (renderer) sakuzu::DrawAngleMark(*renderer, vx, vy, px, py, angle);
  }
  Renderer* renderer = nullptr;
  std::vector<std::string> messages;
};

// A 401 x 301 pixel window at the standard scale: x -10..10, y -7.5..7.5.
struct Scene {
  Figure fig;
  FakeCanvas canvas{401, 301};
  ViewState view;
  DisplaySettings settings;
  ModeStack modes;
  ForwardingShell shell;
  Engine engine;
  Renderer r{.fig = fig,
             .canvas = canvas,
             .view = view,
             .settings = settings,
             .modes = modes,
             .engine = engine};

  Scene() {
    engine.shell = &shell;
    shell.renderer = &r;
    SetScreen(view, 401, 301);
    PushMode(modes, kModeStandard, shell);
    canvas.Clear(kWhite);
    canvas.calls.clear();
  }
  ObjectRef Point(double x, double y, int16_t color = 7, int16_t style = 0, bool free = true) {
    ObjectRef ref{kPointClass, Add(kPointClass)};
    PointRecord& p = fig.Points[ref.index];
    p.x = x, p.y = y, p.color = color, p.style = style, p.exists = kTrue;
    p.independent = free ? -1 : 0;
    p.name = DefaultName(kPointClass, ref.index);
    if (free) Step("PNEW", {}, {ref});
    return ref;
  }
  ObjectRef Line(ObjectRef a, ObjectRef b, int16_t kind = 1, int16_t color = 7) {
    ObjectRef ref{kLineClass, Add(kLineClass)};
    fig.Lines[ref.index].lineKind = kind;
    fig.Lines[ref.index].color = color;
    Step("L1", {a, b}, {ref});
    FullUpdateCompute();
    return ref;
  }
  ObjectRef Made(const char* kind, std::initializer_list<ObjectRef> inputs, int cls) {
    ObjectRef ref{static_cast<int16_t>(cls), Add(cls)};
    Step(kind, inputs, {ref});
    FullUpdateCompute();
    return ref;
  }
  void Step(const char* kind, std::initializer_list<ObjectRef> inputs,
            std::initializer_list<ObjectRef> outputs) {
    int s = AppendStep(fig);
    fig.StepKind[s] = kind;
    int j = 1;
    for (ObjectRef in : inputs) fig.StepInputs[s][j++] = in;
    j = 1;
    for (ObjectRef out : outputs) fig.StepOutputs[s][j++] = out;
  }
  int16_t Add(int cls) { return static_cast<int16_t>(AddObject(fig, cls)); }
  void FullUpdateCompute() { sakuzu::FullUpdateCompute(fig, engine); }
};

TEST(RendererTest, PaletteColours) {
  Scene s;
  s.settings.colorStrength = 128;
  EXPECT_EQ(PaletteColor(s.r, 4), MakeRgb(0, 0, 128));
  EXPECT_EQ(PaletteColor(s.r, 3), MakeRgb(128, 128, 0));
  s.settings.colorStrength = 0;  // reads as 255 at the first lookup of any colour
  EXPECT_EQ(PaletteColor(s.r, 7), kBlack);
  EXPECT_EQ(s.settings.colorStrength, 255);
  EXPECT_EQ(PaletteColor(s.r, 5), MakeRgb(255, 0, 255));
  s.view.backColor = MakeRgb(12, 34, 56);
  EXPECT_EQ(PaletteColor(s.r, 0), s.view.backColor);
  EXPECT_EQ(PaletteColor(s.r, 7), kBlack);
  EXPECT_EQ(PaletteColor(s.r, 8), MakeRgb(128, 128, 128));
  EXPECT_TRUE(s.shell.messages.empty());
  EXPECT_EQ(PaletteColor(s.r, 16), kBlack);
  EXPECT_EQ(PaletteColor(s.r, -3), kBlack);
  EXPECT_EQ(s.shell.messages, (std::vector<std::string>{"16", "-3"}));
}

TEST(RendererTest, PointMarksWhereTheMappingPutsThem) {
  Scene s;
  PointRecord p;
  p.x = 1, p.y = 2, p.exists = kTrue, p.color = 1, p.style = 0;
  DrawPointMark(s.r, p);
  EXPECT_EQ(s.canvas.At(220, 110), kRed);
  EXPECT_EQ(s.canvas.CountOther(kWhite), 1);

  // A non-integer place: the filled square is centred on the mapped pixel.
  p.x = -3.27, p.y = 0.61, p.style = 4;
  DrawPointMark(s.r, p);
  CanvasCall fill = s.canvas.Calls("fill").back();
  EXPECT_NEAR((fill.v[0] + fill.v[2]) / 2, (-3.27 + 10) / 0.05, 1e-9);
  EXPECT_NEAR((fill.v[1] + fill.v[3]) / 2, (7.5 - 0.61) / 0.05, 1e-9);
  EXPECT_NEAR(fill.v[2] - fill.v[0], 10, 1e-9);
  s.settings.pictureMode = 2;  // smaller marks in the picture modes
  DrawPointMark(s.r, p);
  EXPECT_NEAR(s.canvas.Calls("fill").back().v[2] - s.canvas.Calls("fill").back().v[0], 6, 1e-9);

  s.canvas.calls.clear();
  p.style = 5;  // the triangle's apex is above the point
  DrawPointMark(s.r, p);
  CanvasCall triangle = s.canvas.Calls("polygon").at(0);
  EXPECT_NEAR(triangle.v[1], (7.5 - 0.61) / 0.05 - 3, 1e-9);
  p.style = 30;
  DrawPointMark(s.r, p);
  std::vector<CanvasCall> hover = s.canvas.Calls("circle");
  ASSERT_EQ(hover.size(), 3u);
  EXPECT_EQ(hover[0].pen.color, MakeRgb(0, 255, 0));
  EXPECT_EQ(hover[2].pen.color, kBlack);
  EXPECT_NEAR(hover[2].v[2], 3 * 3.0 / 5, 1e-12);

  s.canvas.calls.clear();
  for (double far : {1000.5, -2000.0}) {
    p.x = far;
    DrawPointMark(s.r, p);
  }
  p.x = 0, p.exists = 0;
  DrawPointMark(s.r, p);
  p.exists = kTrue, p.style = 9;  // not a style
  DrawPointMark(s.r, p);
  EXPECT_TRUE(s.canvas.calls.empty());

  // The pixel styles pick the first colour that is neither the point's own
  // nor the style's.
  p.style = 11, p.color = 7;
  DrawPointMark(s.r, p);
  p.style = 10, p.color = 0;
  DrawPointMark(s.r, p);
  p.style = 11;
  DrawPointMark(s.r, p);
  std::vector<CanvasCall> pixels = s.canvas.Calls("pixel");
  ASSERT_EQ(pixels.size(), 3u);
  EXPECT_EQ(pixels[0].pen.color, kWhite);
  EXPECT_EQ(pixels[1].pen.color, kRed);
  EXPECT_EQ(pixels[2].pen.color, MakeRgb(0, 255, 0));
}

TEST(RendererTest, ColourCodesAndErasing) {
  Scene s;
  s.settings.penWidth = 2;
  ObjectRef a = s.Point(-2.3, 1.1, 1, 1);
  ObjectRef b = s.Point(3.05, -0.4, 4, 3);
  ObjectRef hidden = s.Point(0.5, 0.5, 0, 2);
  ObjectRef ab = s.Line(a, b, 6, 5);
  ObjectRef circle = s.Made("C2", {a, b}, kCircleClass);
  s.fig.Circles[circle.index].color = 2;
  s.fig.Points[a.index].locusColor = 5;
  s.FullUpdateCompute();

  DrawFigure(s.r);
  EXPECT_EQ(s.r.colorTable[kPointClass][hidden.index], 0);
  EXPECT_EQ(s.canvas.Calls("circle").size(),
            1u);  // the circle; the hidden point's mark is not drawn
  std::vector<CanvasCall> labels = s.canvas.Calls("text");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "A");
  EXPECT_EQ(labels[0].pen.color, kBlack);
  EXPECT_GT(s.canvas.CountOther(kWhite), 100);

  for (ObjectRef ref : {a, b, hidden, ab, circle}) DrawObject(s.r, ref, kDrawErase);
  EXPECT_EQ(s.canvas.CountOther(kWhite), 0);

  // Code 7 draws a hidden point in black, without a label; 21 is red.
  s.canvas.calls.clear();
  DrawObject(s.r, hidden, 7);
  DrawObject(s.r, ab, kDrawRed);
  EXPECT_TRUE(s.canvas.Calls("text").empty());
  EXPECT_EQ(s.canvas.Calls("circle").at(0).pen.color, kBlack);
  EXPECT_EQ(s.canvas.Calls("line").at(0).pen.color, kRed);

  // A locus colour code: the locus colour, and the label erased at the
  // previous position.
  s.canvas.calls.clear();
  s.fig.PrevPoints[a.index].x = 1.0;
  DrawObject(s.r, a, 13);
  EXPECT_EQ(s.canvas.Calls("line").at(0).pen.color, MakeRgb(255, 0, 255));
  CanvasCall label = s.canvas.Calls("text").at(0);
  EXPECT_EQ(label.pen.color, kWhite);
  EXPECT_NEAR(label.v[0], (1.0 + 10) / 0.05 + 10, 1e-9);

  // The previous-state table draws the old picture.
  s.canvas.calls.clear();
  DrawPrevObject(s.r, a, kDrawErase);
  EXPECT_NEAR(s.canvas.Calls("line").at(0).v[0], (1.0 + 10) / 0.05 - 5, 1e-9);
  DrawObjectAs(s.r, a, 3, 4);
  EXPECT_EQ(s.canvas.Calls("polygon").at(0).pen.color, MakeRgb(0, 0, 255));
}

TEST(RendererTest, LinePartsArrowheadsAndTheDottedYellow) {
  Scene s;
  LineRecord l;
  l.exists = kTrue, l.color = 3, l.lineKind = 1;
  l.x1 = 0.3, l.y1 = -1.1, l.x2 = 2.45, l.y2 = 1.7;
  double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
  l.dx = (l.x2 - l.x1) / len, l.dy = (l.y2 - l.y1) / len;
  DrawLine(s.r, l);
  CanvasCall dotted = s.canvas.Calls("line").at(0);
  EXPECT_TRUE(dotted.pen.dotted);
  EXPECT_EQ(dotted.pen.color, kBlack);
  s.settings.penWidth = 2;
  DrawLine(s.r, l);
  CanvasCall solid = s.canvas.Calls("line").at(1);
  EXPECT_FALSE(solid.pen.dotted);
  EXPECT_EQ(solid.pen.color, MakeRgb(255, 255, 0));
  EXPECT_EQ(solid.pen.width, 2);
  CircleRecord c;
  c.exists = kTrue, c.color = 3, c.radius = 1.25;
  s.settings.penWidth = 1;
  DrawCircle(s.r, c);
  EXPECT_TRUE(s.canvas.Calls("circle").at(0).pen.dotted);

  PixelPoint p1 = ToPixel(s.view, l.x1, l.y1), p2 = ToPixel(s.view, l.x2, l.y2);
  auto through = [](const CanvasCall& call, PixelPoint p) {
    double cross =
        (call.v[2] - call.v[0]) * (p.y - call.v[1]) - (call.v[3] - call.v[1]) * (p.x - call.v[0]);
    return std::abs(cross) / std::hypot(call.v[2] - call.v[0], call.v[3] - call.v[1]) < 1e-6;
  };
  // Kind 3 passes through P1 and ends at P2.
  s.canvas.calls.clear();
  l.color = 7, l.lineKind = 3;
  DrawLine(s.r, l);
  CanvasCall reversed = s.canvas.Calls("line").at(0);
  EXPECT_TRUE(through(reversed, p1));
  EXPECT_NEAR(reversed.v[2], p2.x, 1e-9);
  EXPECT_NEAR(reversed.v[3], p2.y, 1e-9);
  EXPECT_GT(reversed.v[1], 300);  // from beyond the lower edge

  // Kind 5: the arrowhead's tip is at P2 and its wings point back to P1.
  s.canvas.calls.clear();
  l.lineKind = 5;
  DrawLine(s.r, l);
  std::vector<CanvasCall> parts = s.canvas.Calls("line");
  ASSERT_EQ(parts.size(), 3u);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_NEAR(parts[i].v[0], p2.x, 1e-9);
    EXPECT_NEAR(parts[i].v[1], p2.y, 1e-9);
    double wing = std::hypot(parts[i].v[2] - p2.x, parts[i].v[3] - p2.y);
    EXPECT_NEAR(wing, 10 * std::sqrt(1.25), 1e-9);
    double towardP1 =
        (parts[i].v[2] - p2.x) * (p1.x - p2.x) + (parts[i].v[3] - p2.y) * (p1.y - p2.y);
    EXPECT_NEAR(towardP1 / wing / std::hypot(p1.x - p2.x, p1.y - p2.y), 2 / std::sqrt(5.0), 1e-9);
  }
  s.canvas.calls.clear();
  l.lineKind = 6;
  DrawLine(s.r, l);
  EXPECT_EQ(s.canvas.Calls("line").size(), 5u);
  s.canvas.calls.clear();
  l.lineKind = 7;  // the ray with an arrowhead at P1
  DrawLine(s.r, l);
  parts = s.canvas.Calls("line");
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_NEAR(parts[0].v[0], p1.x, 1e-9);
  EXPECT_LT(parts[0].v[3], 0);  // leaves the window upward
  EXPECT_NEAR(parts[1].v[0], p1.x, 1e-9);
  EXPECT_NEAR(parts[1].v[1], p1.y, 1e-9);

  // A whole line through a far point still reaches the canvas; circles
  // too large or around the whole window are skipped.
  s.canvas.calls.clear();
  l.lineKind = 0, l.x1 = 1e9, l.y1 = 1e9 * l.dy / l.dx;
  DrawLine(s.r, l);
  c.radius = 1000.5;
  DrawCircle(s.r, c);
  c.radius = 999, c.cx = 0.2;
  DrawCircle(s.r, c);
  c.radius = 1, c.cx = 500;
  DrawCircle(s.r, c);
  EXPECT_EQ(s.canvas.calls.size(),
            0u);  // the far line misses: P1 is too far for L = 15 half widths

  // A thick circle just left of the window still paints its stroke there;
  // one well beyond half the pen is skipped.
  s.settings.penWidth = 10;
  c.color = 1, c.radius = 47 * 0.05, c.cy = 0;
  c.cx = -10 - 50 * 0.05;  // centre 50 pixels left, outline 3 pixels left of column 0
  DrawCircle(s.r, c);
  EXPECT_EQ(s.canvas.Calls("circle").size(), 1u);
  EXPECT_EQ(s.canvas.At(0, 150), kRed);
  c.cx = -10 - 80 * 0.05;
  DrawCircle(s.r, c);
  EXPECT_EQ(s.canvas.Calls("circle").size(), 1u);
}

TEST(RendererTest, LabelsFollowTheModeAndTheWindow) {
  Scene s;
  ObjectRef a = s.Point(1.5, -2.25);
  s.settings.NotChrDisp = kTrue;
  PushMode(s.modes, kModeSelect, s.shell);
  DrawPointLabel(s.r, a, 4, kCurrentTables);
  ASSERT_EQ(s.canvas.Calls("text").size(), 1u);
  CanvasCall label = s.canvas.Calls("text")[0];
  EXPECT_EQ(label.pen.color, MakeRgb(0, 0, 255));
  EXPECT_NEAR(label.v[0], (1.5 + 10) / 0.05 + 10, 1e-9);
  EXPECT_NEAR(label.v[1], (7.5 + 2.25) / 0.05 - 9 - 10, 1e-9);
  for (int16_t mode : {kModeStandard, kModeDeform, kModeCalculating}) {
    s.modes.entries[s.modes.depth] = mode;
    DrawPointLabel(s.r, a, 7, kCurrentTables);
    DrawPointLabel(s.r, a, 0, kCurrentTables);  // erasing is never suppressed
  }
  EXPECT_EQ(s.canvas.Calls("text").size(), 4u);
  ToggleLabels(s.settings);
  EXPECT_EQ(s.settings.NotChrDisp, 0);
  s.settings.NotChrDisp = 1;  // a settings file's 1 still toggles
  ToggleLabels(s.settings);
  EXPECT_EQ(s.settings.NotChrDisp, 0);

  s.canvas.calls.clear();
  s.settings.statusBarHidden = true;
  DrawPointLabel(s.r, a, 9, kCurrentTables);
  label = s.canvas.Calls("text").at(0);
  EXPECT_EQ(label.pen.color, kWhite);
  EXPECT_NEAR(label.v[0], (1.5 + 10) / 0.05 + 2, 1e-9);
  // The corner must stay inside; and both positions must be visible.
  s.fig.Points[a.index].y = 7.4;
  DrawPointLabel(s.r, a, 7, kCurrentTables);
  s.fig.Points[a.index].y = 0;
  s.fig.PrevPoints[a.index].x = 11;
  DrawPointLabel(s.r, a, 7, kCurrentTables);
  s.fig.PrevPoints[a.index].x = 0;
  s.fig.PrevPoints[a.index].exists = kTrue;
  s.fig.Points[a.index].exists = 0;
  DrawPointLabel(s.r, a, 7, kCurrentTables);
  EXPECT_EQ(s.canvas.Calls("text").size(), 1u);
  DrawPointLabel(s.r, a, 7, kPreviousTables);  // the previous state still exists
  EXPECT_EQ(s.canvas.Calls("text").size(), 2u);
}

TEST(RendererTest, AngleMarkColoursBySize) {
  Scene s;
  DrawAngleMark(s.r, 0, 0, 1, 0, 45);
  EXPECT_TRUE(s.canvas.calls.empty());  // marks are off
  s.settings.angleMarksOn = true;
  struct Case {
    double angle;
    const char* op;
    Rgb color;
  };
  const Case cases[] = {{90.005, "line", kRed}, {-89.995, "line", kRed},
                        {90.02, "arc", kRed},   {88, "arc", kBlack},
                        {92, "arc", kRed},      {92.5, "arc", MakeRgb(0, 0, 255)},
                        {181, "arc", kRed},     {200, "arc", MakeRgb(0, 255, 0)}};
  for (const Case& c : cases) {
    s.canvas.calls.clear();
    DrawAngleMark(s.r, 0.35, -0.8, 2.1, 0.4, c.angle);
    std::vector<CanvasCall> drawn = s.canvas.Calls(c.op);
    ASSERT_EQ(drawn.size(), std::string(c.op) == "line" ? 2u : 1u) << c.angle;
    EXPECT_EQ(drawn[0].pen.color, c.color) << c.angle;
  }
  EXPECT_EQ(s.r.angleMarks.count, 8);

  // The arc starts on the arm and turns counter-clockwise by the angle;
  // a negative angle ends on the arm.
  s.canvas.calls.clear();
  DrawAngleMark(s.r, 0, 0, 0, -3, -60);
  CanvasCall arc = s.canvas.Calls("arc").at(0);
  double pi = 3.14159265358979;
  EXPECT_NEAR(arc.v[2], 20, 1e-9);
  EXPECT_NEAR(arc.v[3], 1.5 * pi - pi / 3, 1e-9);
  EXPECT_NEAR(arc.v[4], 1.5 * pi, 1e-9);
  // The right angle: A on the arm, C = A + B - V, all 20 pixels out.
  s.canvas.calls.clear();
  DrawAngleMark(s.r, 0, 0, 4, 0, 90);
  std::vector<CanvasCall> sides = s.canvas.Calls("line");
  PixelPoint v = ToPixel(s.view, 0, 0);
  EXPECT_NEAR(sides[0].v[0] - v.x, 20, 1e-9);
  EXPECT_NEAR(sides[0].v[2] - v.x, 20, 1e-9);
  EXPECT_NEAR(sides[0].v[3] - v.y, -20, 1e-9);
  EXPECT_NEAR(sides[1].v[2] - v.x, 0, 1e-9);
  // Too small an arc and a zero arm give nothing.
  s.canvas.calls.clear();
  DrawAngleMark(s.r, 0, 0, 1, 0, 3);
  DrawAngleMark(s.r, 0, 0, 0, 0, 45);
  EXPECT_TRUE(s.canvas.calls.empty());

  EraseAngleMarks(s.r);
  EXPECT_EQ(s.r.angleMarks.count, 0);
  EXPECT_EQ(s.canvas.CountOther(kWhite), 0);

  for (int i = 0; i < 205; ++i) DrawAngleMark(s.r, 0, 0, 1, 0, 30);
  EXPECT_EQ(s.r.angleMarks.count, kAngleMarkCapacity);
  s.settings.statusBarHidden = true;
  DrawAngleMark(s.r, 0, 0, 1, 0, 30);
  EXPECT_NEAR(s.canvas.Calls("arc").back().v[2], 8, 1e-9);
}

TEST(RendererTest, RedrawInOrderWithDraggableLinesAndNumbers) {
  Scene s;
  std::vector<std::string> log;
  s.r.hooks.markDraggableCandidates = [&] { log.push_back("candidates"); };
  s.r.hooks.drawLocusTraces = [&] {
    log.push_back("traces " + std::to_string(s.canvas.Calls("text").size()));
  };
  s.r.hooks.afterNumberList = [&] { log.push_back("record"); };
  s.r.hooks.refreshStatus = [&] { log.push_back("status"); };
  ObjectRef a = s.Point(-2, 0), b = s.Point(3, 1);
  ObjectRef c = s.Made("P1", {a, b}, kPointClass);  // a computed point
  ObjectRef ab = s.Line(a, b);
  ObjectRef ac = s.Line(a, c);
  ObjectRef dist = s.Made("ND2P", {a, b}, kNumberClass);
  ObjectRef d = s.Point(0, 4);
  ObjectRef angle = s.Made("NA3P", {a, b, d}, kNumberClass);
  ObjectRef free = {kNumberClass, s.Add(kNumberClass)};
  s.fig.Numbers[free.index].independent = -1;
  s.fig.Numbers[dist.index].name = "AB";
  s.fig.Numbers[angle.index].name = "∠ABC";
  s.fig.Lines[ac.index].endsDraggable = kTrue;  // stale from an older redraw
  s.view.axisOn = true;
  s.settings.angleMarksOn = true;
  s.settings.font.size = 12;
  s.r.angleMarks.count = 50;

  Redraw(s.r);
  EXPECT_EQ(s.canvas.font.size, 12);
  EXPECT_EQ(s.canvas.calls.front().op, "clear");
  EXPECT_EQ(s.canvas.calls[1].pen.color, kAxisColorLight);  // the grid right after the clear
  EXPECT_EQ(s.r.angleMarks.count, 1);                       // cleared, then the angle's mark
  EXPECT_EQ(log, (std::vector<std::string>{"candidates", "traces 0", "record", "status"}));
  EXPECT_EQ(s.fig.Lines[ab.index].endsDraggable, kTrue);
  EXPECT_EQ(s.fig.Lines[ab.index].endPoint1, a.index);
  EXPECT_EQ(s.fig.Lines[ab.index].endPoint2, b.index);
  EXPECT_EQ(s.fig.Lines[ac.index].endsDraggable, kFalse);
  EXPECT_EQ(s.fig.PrevPoints[c.index], s.fig.Points[c.index]);

  // The number list: only computed, shown numbers; the first one highest,
  // the last one just above the bottom margin; each line first overprints
  // its old value in the background colour.
  std::vector<CanvasCall> texts = s.canvas.Calls("text");
  std::vector<CanvasCall> black;
  for (const CanvasCall& t : texts) {
    if (t.pen.color == kBlack && t.text.find('=') != std::string::npos) black.push_back(t);
  }
  ASSERT_EQ(black.size(), 2u);
  EXPECT_EQ(black[0].text, " 1:AB   =    5.10");
  EXPECT_EQ(black[1].text.substr(0, 3), " 2:");
  double h = 1.2 * 12;
  EXPECT_NEAR(black[1].v[1], 300 - 35 - h, 1e-9);
  EXPECT_NEAR(black[0].v[1], 300 - 35 - 2 * h, 1e-9);
  EXPECT_NEAR(black[0].v[0], 0, 1e-9);

  s.canvas.calls.clear();
  s.fig.PrevNumbers[dist.index].value = 2.345;
  s.fig.Numbers[angle.index].display = 7;
  DrawNumberDisplay(s.r);
  texts = s.canvas.Calls("text");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, " 1:");
  EXPECT_EQ(texts[1].pen.color, kWhite);
  EXPECT_EQ(texts[1].text, "AB =    2.35");
  EXPECT_NEAR(texts[1].v[0], 18, 1e-9);
  EXPECT_EQ(texts[2].text, " 1:AB =    5.10");
  EXPECT_NEAR(texts[2].v[1], 300 - 35 - h, 1e-9);
  EXPECT_EQ(NormalListNumbers(s.fig), (std::vector<int>{dist.index}));

  // Outside modes 2 and 8 the draggable candidates are left alone; the
  // variation form replaces the normal list when it says so.
  log.clear();
  s.canvas.calls.clear();
  PushMode(s.modes, kModeSelect, s.shell);
  s.r.hooks.drawNumberVariation = [&] { return true; };
  Redraw(s.r);
  EXPECT_EQ(log, (std::vector<std::string>{"traces 0", "status"}));
}

TEST(RendererTest, ViewAndOptionCommands) {
  Scene s;
  ZoomOutCommand(s.r);
  ZoomComplexCommand(s.r);
  EXPECT_DOUBLE_EQ(s.view.ViewScale, 0.05 / 4);
  EXPECT_DOUBLE_EQ(s.view.ViewHalfWidth, 400 * 0.05 / 8);
  EXPECT_TRUE(s.view.axisOn);
  s.view.axisOn = true;
  ZoomComplexCommand(s.r);  // shown before: still shown after
  EXPECT_TRUE(s.view.axisOn);
  EXPECT_EQ(s.canvas.Calls("line").back().pen.color, kAxisColorLight);

  // Switching to polar erases the rectangular grid first.
  s.canvas.calls.clear();
  SetAxisKindCommand(s.r, kAxisPolar);
  EXPECT_EQ(s.canvas.calls.front().pen.color, kWhite);
  EXPECT_EQ(s.canvas.calls.back().pen.color, kAxisColorLight);
  EXPECT_EQ(s.view.AxisKind, kAxisPolar);
  SetAxisColorCommand(s.r, kAxisColorDark);
  EXPECT_EQ(s.canvas.calls.back().pen.color, kAxisColorDark);
  s.canvas.calls.clear();
  ToggleAxisCommand(s.r);  // off: only the grid in the background colour
  EXPECT_FALSE(s.view.axisOn);
  for (const CanvasCall& call : s.canvas.calls) EXPECT_EQ(call.pen.color, kWhite);
  SetBackgroundCommand(s.r, kBlack);
  EXPECT_EQ(s.canvas.Calls("clear").back().pen.color, kBlack);

  EXPECT_EQ(PenWidthFromAnswer(""), 1);
  EXPECT_EQ(PenWidthFromAnswer(" 3.9"), 3);
  EXPECT_EQ(PenWidthFromAnswer("25"), 10);
  EXPECT_EQ(ColorStrengthFromAnswer(""), 255);
  EXPECT_EQ(ColorStrengthFromAnswer("128abc"), 128);
  EXPECT_EQ(ColorStrengthFromAnswer("0.9"), 255);
  EXPECT_EQ(ColorStrengthFromAnswer("1e2"), 100);
}

}  // namespace
}  // namespace sakuzu
