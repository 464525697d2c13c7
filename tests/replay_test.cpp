#include "view/replay.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "fake_canvas.h"
#include "geometry/recalc.h"

namespace sakuzu {
namespace {

using testing::CanvasCall;
using testing::FakeCanvas;

constexpr Rgb kRed = MakeRgb(255, 0, 0);

class BeepShell : public Shell {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

struct Replay {
  Figure fig;
  FakeCanvas canvas{201, 201};
  ViewState view;
  DisplaySettings settings;
  ModeStack modes;
  BeepShell shell;
  Engine engine;
  Renderer r{.fig = fig,
             .canvas = canvas,
             .view = view,
             .settings = settings,
             .modes = modes,
             .engine = engine};
  ReplayState state;
  std::vector<std::string> panel3;
  std::vector<std::string> timer;
  int redraws = 0;

  Replay() {
    engine.shell = &shell;
    SetScreen(view, 201, 201);
    PushMode(modes, kModeStandard, shell);
    r.hooks.showPanel3 = [this](const std::string& t) { panel3.push_back(t); };
    r.hooks.setReplayTimer = [this](bool on, int ms) {
      timer.push_back((on ? "on " : "off ") + std::to_string(ms));
    };
    r.hooks.afterNumberList = [this] { ++redraws; };
  }
  ObjectRef Free(double x, double y) {
    ObjectRef ref{kPointClass, static_cast<int16_t>(AddObject(fig, kPointClass))};
    PointRecord& p = fig.Points[ref.index];
    p.x = x, p.y = y, p.exists = kTrue, p.independent = -1;
    p.name = DefaultName(kPointClass, ref.index);
    Step("PNEW", {}, {ref});
    return ref;
  }
  ObjectRef Made(const char* kind, std::initializer_list<ObjectRef> inputs, int cls) {
    ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(AddObject(fig, cls))};
    Step(kind, inputs, {ref});
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
  // Pen colours of the lines and circles drawn since the last call.
  std::vector<Rgb> ShapeColours() {
    std::vector<Rgb> colours;
    for (const CanvasCall& c : canvas.calls) {
      if (c.op == "line" || c.op == "circle") colours.push_back(c.pen.color);
    }
    canvas.calls.clear();
    return colours;
  }
};

TEST(ReplayTest, SingleStepEndsAtOnce) {
  Replay t;
  t.settings.replayInterval = 0;  // none set: 300 ms
  t.Free(1, 1);
  FullUpdateCompute(t.fig, t.engine);
  ReplayConstruction(t.r, t.state, kReplayStart);
  EXPECT_EQ(t.panel3, (std::vector<std::string>{"新しい点を取る:()→(点(A))", ""}));
  EXPECT_EQ(t.timer, (std::vector<std::string>{"on 300", "off 300"}));
  EXPECT_EQ(t.redraws, 1);
  EXPECT_EQ(CurrentMode(t.modes), kModeStandard);
  EXPECT_EQ(t.modes.depth, 1);
  // The free point in black, then in red as step 1, then the redraw.
  std::vector<CanvasCall> pixels = t.canvas.Calls("pixel");
  ASSERT_EQ(pixels.size(), 3u);
  EXPECT_EQ(pixels[0].pen.color, kBlack);
  EXPECT_EQ(pixels[1].pen.color, kRed);
  EXPECT_EQ(t.canvas.Calls("clear").size(), 2u);

  // A late tick after the end changes nothing.
  ReplayConstruction(t.r, t.state, kReplayNext);
  EXPECT_EQ(t.panel3.size(), 2u);
  EXPECT_EQ(t.shell.beeps, 0);
}

TEST(ReplayTest, StepsTicksKeysAndClicks) {
  Replay t;
  ObjectRef a = t.Free(-1, 0), b = t.Free(2, 0.5);
  t.Made("L1", {a, b}, kLineClass);
  t.Made("C2", {a, b}, kCircleClass);
  t.Made("ND2P", {a, b}, kNumberClass);
  FullUpdateCompute(t.fig, t.engine);
  auto english = [](const std::string& s) { return s == "点" ? std::string("Pt") : s; };
  t.engine.translate = english;

  ReplayConstruction(t.r, t.state, kReplayStart);
  EXPECT_EQ(CurrentMode(t.modes), kModeReplay);
  EXPECT_EQ(t.state.shownStep, 1);
  EXPECT_TRUE(t.state.timerRunning);
  EXPECT_EQ(t.timer, (std::vector<std::string>{"on 500"}));
  t.canvas.calls.clear();
  ReplayConstruction(t.r, t.state, kReplayNext);  // a tick: step 2
  ReplayConstruction(t.r, t.state, kReplayNext);  // step 3, the line, in red
  EXPECT_EQ(t.ShapeColours(), (std::vector<Rgb>{kRed}));
  EXPECT_EQ(t.panel3.back(), "２点を結ぶ:(Pt(A) , Pt(B))→(線(1))");

  // A key stops the timer and steps by hand: the line in its own colour,
  // the circle in red.
  ReplayKey(t.r, t.state, 'N');
  EXPECT_FALSE(t.state.timerRunning);
  EXPECT_EQ(t.state.shownStep, 4);
  EXPECT_EQ(t.ShapeColours(), (std::vector<Rgb>{kBlack, kRed}));
  // With the timer stopped a left click steps too: step 5 is the last.
  ReplayClick(t.r, t.state, true);
  EXPECT_EQ(CurrentMode(t.modes), kModeStandard);
  EXPECT_EQ(t.panel3.back(), "");
  EXPECT_EQ(t.redraws, 1);

  // Esc and the right button jump to the end; so does a left click while
  // the timer runs.
  for (int variant = 0; variant < 3; ++variant) {
    ReplayConstruction(t.r, t.state, kReplayStart);
    if (variant == 0) ReplayKey(t.r, t.state, kEscapeKey);
    if (variant == 1) ReplayClick(t.r, t.state, false);
    if (variant == 2) ReplayClick(t.r, t.state, true);
    EXPECT_EQ(t.state.shownStep, 5) << variant;
    EXPECT_EQ(CurrentMode(t.modes), kModeStandard) << variant;
    EXPECT_FALSE(t.state.timerRunning) << variant;
  }
  EXPECT_EQ(t.shell.beeps, 0);
}

TEST(ReplayTest, StepDescriptions) {
  Replay t;
  ObjectRef a = t.Free(0, 0), b = t.Free(1, 0);
  ObjectRef n = {kNumberClass, static_cast<int16_t>(AddObject(t.fig, kNumberClass))};
  t.fig.Numbers[n.index].name = "t  ";
  t.fig.Points[b.index].name = "Q1";
  t.Made("PN", {a, b, n, {kPendingNumberMark, 3}}, kPointClass);
  t.fig.Points[3].name = "R";
  EXPECT_EQ(StepDescription(t.fig, 3), "内分・外分:(点(A) , 点(Q1) , 変数(t) , 3)→(点(R))");
  t.Made("NRC", {{kCircleClass, 1}}, kNumberClass);
  t.fig.Numbers[2].name = "r";
  auto tr = [](const std::string& s) { return "<" + s + ">"; };
  EXPECT_EQ(StepDescription(t.fig, 4, tr).substr(StepDescription(t.fig, 4, tr).find(':')),
            ":(<円>(1))→(<変数>(r))");
  EXPECT_EQ(StepDescription(t.fig, 0), "");
  EXPECT_EQ(StepDescription(t.fig, 5), "");
}

}  // namespace
}  // namespace sakuzu
