// Test support for the view: a canvas that logs every call and keeps what
// each layer shows, and a scene that wires a renderer to it.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "geometry/recalc.h"
#include "interact/dispatch.h"
#include "interact/modes.h"
#include "text/text_util.h"
#include "view/canvas.h"
#include "view/renderer.h"

namespace sakuzu::testing {

struct CanvasCall {
  std::string op;  // "pixel", "line", "circle", "arc", "polygon", "fill", "text"
  std::vector<double> v;
  Pen pen;
  std::string text;
  Layer layer = Layer::kBase;
};

// Logs every drawing call, and keeps per layer what is shown: every call
// since the layer was last emptied.
class FakeCanvas : public Canvas {
 public:
  FakeCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear(Rgb b) override {
    background = b;
    for (auto& layer : shown_) layer.clear();
    layer_ = Layer::kBase;
    ++clears;
  }
  void ClearLayer(Layer layer) override { shown_[static_cast<int>(layer)].clear(); }
  void SetLayer(Layer layer) override { layer_ = layer; }
  Layer CurrentLayer() const override { return layer_; }
  void SetSmooth(bool s) override { smooth = s; }
  void Present() override { ++presents; }
  void DrawPixel(double x, double y, Rgb color) override { Log({"pixel", {x, y}, {color}, ""}); }
  void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) override {
    Log({"line", {x1, y1, x2, y2}, pen, ""});
  }
  void DrawCircle(double cx, double cy, double radius, const Pen& pen) override {
    Log({"circle", {cx, cy, radius}, pen, ""});
  }
  void DrawArc(double cx, double cy, double radius, double start, double end,
               const Pen& pen) override {
    Log({"arc", {cx, cy, radius, start, end}, pen, ""});
  }
  void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) override {
    std::vector<double> v;
    for (PixelPoint p : corners) v.insert(v.end(), {p.x, p.y});
    Log({"polygon", v, pen, ""});
  }
  void FillRect(double x1, double y1, double x2, double y2, Rgb color) override {
    Log({"fill", {x1, y1, x2, y2}, {color}, ""});
  }
  void SetFont(const CanvasFont& f) override { font = f; }
  void DrawText(double x, double y, const std::string& text, Rgb color) override {
    Log({"text", {x, y}, {color}, text});
  }
  double TextWidth(const std::string& text) const override { return 6.0 * CharCount(text); }

  // What a layer shows now.
  const std::vector<CanvasCall>& Shown(Layer layer) const {
    return shown_[static_cast<int>(layer)];
  }
  std::vector<CanvasCall> Calls(const std::string& op) const {
    std::vector<CanvasCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&](const CanvasCall& c) { return c.op == op; });
    return found;
  }

  std::vector<CanvasCall> calls;
  CanvasFont font;
  Rgb background = kWhite;
  bool smooth = true;
  int clears = 0, presents = 0;
  int nonFinite = 0;  // coordinates that are not finite: never drawn

 private:
  void Log(CanvasCall c) {
    for (double v : c.v) nonFinite += !std::isfinite(v);
    c.layer = layer_;
    calls.push_back(c);
    shown_[static_cast<int>(layer_)].push_back(c);
  }

  int width_, height_;
  Layer layer_ = Layer::kBase;
  std::array<std::vector<CanvasCall>, kLayerCount> shown_;
};

// The window's shell: messages and beeps are kept.
class RecordingShell : public Shell {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void Beep() override { ++beeps; }
  std::vector<std::string> messages;
  int beeps = 0;
};

// A window at the standard scale (401 x 301 pixels: x -10..10, y -7.5..7.5)
// in mode 2, cleared white, with an empty call log.
struct Scene {
  Scene() {
    engine.shell = &shell;
    SetScreen(view, canvas.Width(), canvas.Height());
    PushMode(modes, kModeStandard, shell);
    r.state = DrawStateFor(modes, settings);
    canvas.Clear(kWhite);
    canvas.calls.clear();
  }
  // A free point and its "PNEW" step.
  ObjectRef Point(double x, double y, int16_t color = 7, int16_t style = 0) {
    ObjectRef ref = Made("PNEW", {}, kPointClass);
    PointRecord& p = fig.Points[ref.index];
    p.x = x, p.y = y, p.color = color, p.style = style, p.exists = kTrue, p.independent = -1;
    p.name = DefaultName(kPointClass, ref.index);
    return ref;
  }
  // A new object of class `cls` and the step of `kind` that makes it from
  // `inputs`; Compute() works it out.
  ObjectRef Made(const char* kind, std::initializer_list<ObjectRef> inputs, int cls) {
    ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(AddObject(fig, cls))};
    int s = AppendStep(fig);
    fig.StepKind[s] = kind;
    int j = 1;
    for (ObjectRef in : inputs) fig.StepInputs[s][j++] = in;
    fig.StepOutputs[s][1] = ref;
    return ref;
  }
  void Compute() { FullUpdateCompute(fig, engine); }

  Figure fig;
  FakeCanvas canvas{401, 301};
  ViewState view;
  DisplaySettings settings;
  ModeStack modes;
  RecordingShell shell;
  Engine engine;
  Renderer r{fig, canvas, view, settings, engine};
};

}  // namespace sakuzu::testing
