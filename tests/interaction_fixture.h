// Test support for the interaction: a scene with a workspace and its
// dispatcher, number dialogs that answer from a script, and the mouse and
// keys in figure coordinates.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "fake_canvas.h"
#include "interact/construct.h"
#include "interact/dispatch.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "numbers/expression.h"
#include "numbers/number_choice.h"

namespace sakuzu::testing {

// Answers the number dialogs in turn: an existing number's index, a typed
// value (a new free number), or a cancel (nothing).
class ScriptedNumbers : public NumberPrompts {
 public:
  struct Typed {
    double value;
  };
  using Answer = std::variant<std::monostate, int16_t, Typed>;

  std::optional<int16_t> ChooseNumber(Figure& fig, const NumberChoiceRequest& request) override {
    requests.push_back(request);
    Answer answer = answers.empty() ? Answer{} : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (auto* index = std::get_if<int16_t>(&answer)) return *index;
    if (auto* typed = std::get_if<Typed>(&answer)) {
      return static_cast<int16_t>(AddFreeNumber(fig, typed->value));
    }
    return std::nullopt;
  }
  std::optional<std::string> EnterExpression(Figure& fig, int) override {
    if (typedValue) AddFreeNumber(fig, *typedValue);
    std::optional<std::string> answer = expression;
    expression.reset();
    return answer;
  }

  std::deque<Answer> answers;
  std::vector<NumberChoiceRequest> requests;
  std::optional<std::string> expression;
  std::optional<double> typedValue;  // a number typed in the expression dialog
};

struct Bench : Scene {
  Bench() {
    InstallExpressionEvaluator(engine);
    ws.numbers = &numbers;
    KeepDrawStateCurrent(ws);
    ws.hooks.askNewFigure = [this] { return newFigureAnswer; };
    ws.hooks.save = [this] { ++saves; };
    r.hooks.markDraggableCandidates = [this] { BuildDraggableCandidates(ws, false); };
    r.hooks.drawLocusTraces = [this] { DrawTraces(ws); };
    r.hooks.afterNumberList = [this] { RecordRow(ws); };
    // Records of a switched-on locus go to the temporary folder, not the
    // folder the tests run in.
    ws.locus.record.SetFolder(std::filesystem::temp_directory_path().string());
  }
  MouseInput Mouse(double x, double y, MouseButton button = MouseButton::kLeft) {
    PixelPoint p = ToPixel(view, x, y);
    MouseInput input;
    input.px = p.x, input.py = p.y, input.button = button;
    return input;
  }
  void Click(double x, double y, MouseButton button = MouseButton::kLeft) {
    MouseDown(d, Mouse(x, y, button));
  }
  void Move(double x, double y, bool held = false) {
    MouseInput input = Mouse(x, y, MouseButton::kNone);
    input.leftHeld = held;
    MouseMove(d, input);
  }
  void Key(int code) { KeyDown(d, KeyInput{code}); }
  // Free points by clicks in mode 28, ended with Esc.
  void PlacePoints(std::initializer_list<std::pair<double, double>> at) {
    NewFreePoint(ws);
    for (auto [x, y] : at) Click(x, y);
    Key(kKeyEscape);
  }
  // The mode stack from the bottom.
  std::vector<int16_t> Modes() const {
    return std::vector<int16_t>(modes.entries.begin() + 1, modes.entries.begin() + modes.depth + 1);
  }
  std::string Kinds() const {
    std::string text;
    for (int i = 1; i <= fig.StepCount; ++i) text += (i > 1 ? " " : "") + fig.StepKind[i];
    return text;
  }

  Workspace ws{r, modes};
  Dispatcher d{ws};
  ScriptedNumbers numbers;
  std::string& panel4 = ws.screen.panel4;
  CursorShape& cursor = ws.screen.cursor;
  std::optional<PopupMenu>& popup = ws.screen.popup;
  NewFigureAnswer newFigureAnswer = NewFigureAnswer::kCancel;
  int saves = 0;
};

}  // namespace sakuzu::testing
