// A figure to build computation tests on: every object made here exists,
// steps get their inputs and fresh outputs, and the shell records what the
// computations ask of the platform.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/engine.h"
#include "geometry/primitives.h"
#include "model/figure.h"
#include "platform/shell.h"

namespace sakuzu {

class RecordingShell : public Shell {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void WriteText(const std::string& text) override { texts.push_back(text); }
  void Beep() override { ++beeps; }

  std::vector<std::string> messages, texts;
  int beeps = 0;
};

// Numbers 1 "AB" = 2.5 (measured) and 2 "k" = 4 (free), then unnamed
// free numbers of value 2 up to `count`.
inline Figure ThreeNumbers(int count = 3) {
  Figure fig;
  for (int i = 1; i <= count; ++i) {
    AddObject(fig, kNumberClass);
    fig.Numbers[i] = {i == 1 ? 2.5 : i == 2 ? 4 : 2, kTrue, i == 1 ? "AB" : i == 2 ? "k" : "",
                      i == 1 ? int16_t{0} : kTrue,   "",    0};
  }
  return fig;
}

// Appends a step of `kind` with these inputs and outputs; returns its number.
inline int AddStepWith(Figure& fig, std::string_view kind, std::initializer_list<ObjectRef> in,
                       std::initializer_list<ObjectRef> out = {}) {
  const int s = AppendStep(fig);
  fig.StepKind[s] = std::string(kind);
  int j = 1;
  for (ObjectRef r : in) fig.StepInputs[s][j++] = r;
  j = 1;
  for (ObjectRef r : out) fig.StepOutputs[s][j++] = r;
  return s;
}

struct TestFigure {
  Figure fig;
  RecordingShell shell;
  Engine engine;

  TestFigure() { engine.shell = &shell; }

  ObjectRef Add(int cls) {
    return {static_cast<int16_t>(cls), static_cast<int16_t>(AddObject(fig, cls))};
  }
  ObjectRef Point(double x, double y) {
    ObjectRef r = Add(kPointClass);
    fig.Points[r.index].x = x, fig.Points[r.index].y = y, fig.Points[r.index].exists = kTrue;
    return r;
  }
  ObjectRef Number(double v) {
    ObjectRef r = Add(kNumberClass);
    fig.Numbers[r.index].value = v, fig.Numbers[r.index].exists = kTrue;
    return r;
  }
  ObjectRef Line(double x1, double y1, double x2, double y2) {
    ObjectRef r = Add(kLineClass);
    StoreLine(fig.Lines[r.index], LineThroughPoints({x1, y1}, {x2, y2}));
    return r;
  }
  ObjectRef Circle(double cx, double cy, double radius) {
    ObjectRef r = Add(kCircleClass);
    fig.Circles[r.index] = {cx, cy, radius, kTrue, 7, 0, ""};
    return r;
  }
  // Appends a step with `inputs` and one new object of each class in
  // `outputs`; returns its number. Nothing is computed yet.
  int AppendWith(std::string_view kind, std::initializer_list<ObjectRef> inputs,
                 std::initializer_list<int> outputs) {
    const int s = AppendStep(fig);
    fig.StepKind[s] = std::string(kind);
    int j = 1;
    for (ObjectRef r : inputs) fig.StepInputs[s][j++] = r;
    j = 1;
    for (int cls : outputs) fig.StepOutputs[s][j++] = Add(cls);
    return s;
  }
};

}  // namespace sakuzu
