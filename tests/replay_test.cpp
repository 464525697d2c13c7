#include "view/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "fake_canvas.h"
#include "interact/replay_mode.h"

namespace sakuzu {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);

struct Replay : testing::Scene {
  Replay() {
    KeepDrawStateCurrent(ws);
    r.hooks.afterNumberList = [this] { log.push_back("redraw"); };
  }
  // Pen colours of the calls of these kinds since the last time.
  std::vector<Rgb> Colours(std::initializer_list<std::string> ops) {
    std::vector<Rgb> colours;
    for (const testing::CanvasCall& c : canvas.calls) {
      if (std::count(ops.begin(), ops.end(), c.op) > 0) colours.push_back(c.pen.color);
    }
    canvas.calls.clear();
    return colours;
  }
  Workspace ws{r, modes};
  ReplayState state;
  std::vector<std::string> log;  // the full redraws
};

TEST(ReplayTest, SingleStepEndsAtOnce) {
  Replay t;
  t.settings.replayInterval = 0;  // none set: 300 ms
  t.Point(1, 1, 0);               // hidden
  t.Compute();
  ReplayConstruction(t.ws, t.state, kReplayStart);
  EXPECT_EQ(ReplayInterval(t.ws), 300);
  EXPECT_TRUE(!t.state.timerRunning && t.state.caption.empty());
  EXPECT_EQ(t.log, (std::vector<std::string>{"redraw"}));
  // The free point in black, then in red as step 1 (on the overlay), then
  // the redraw, which leaves it hidden.
  EXPECT_EQ(t.canvas.Calls("pixel").back().layer, Layer::kOverlay);
  EXPECT_EQ(t.Colours({"pixel"}), (std::vector<Rgb>{kBlack, kRed}));
  EXPECT_EQ(t.canvas.clears, 3);
  EXPECT_TRUE(t.canvas.Shown(Layer::kOverlay).empty());
  ReplayConstruction(t.ws, t.state, kReplayNext);  // a late tick changes nothing
  EXPECT_EQ(t.log.size(), 1u);
  EXPECT_EQ(t.shell.beeps, 0);
}

TEST(ReplayTest, StepsTicksKeysAndClicks) {
  Replay t;
  ObjectRef a = t.Point(-1, 0), b = t.Point(2, 0.5);
  t.Made("L1", {a, b}, kLineClass);
  t.Made("C2", {a, b}, kCircleClass);
  t.Made("ND2P", {a, b}, kNumberClass);
  t.Compute();
  t.engine.translate = [](const std::string& s) { return s == "点" ? std::string("Pt") : s; };

  t.settings.replayInterval = 500;
  ReplayConstruction(t.ws, t.state, kReplayStart);
  EXPECT_TRUE(t.state.timerRunning && ReplayInterval(t.ws) == 500);
  EXPECT_EQ(t.state.caption, "新しい点を取る:()→(Pt(A))");
  t.canvas.calls.clear();
  ReplayConstruction(t.ws, t.state, kReplayNext);  // a tick: step 2
  ReplayConstruction(t.ws, t.state, kReplayNext);  // step 3, the line, in red
  EXPECT_EQ(t.Colours({"line", "circle"}), (std::vector<Rgb>{kRed}));
  EXPECT_EQ(t.state.caption, "２点を結ぶ:(Pt(A) , Pt(B))→(線(1))");
  // A key stops the timer and steps by hand: the line in its own colour,
  // the circle in red, and the red line gone.
  ReplayKey(t.ws, t.state, 'N');
  EXPECT_FALSE(t.state.timerRunning);
  EXPECT_EQ(t.Colours({"line", "circle"}), (std::vector<Rgb>{kBlack, kRed}));
  ASSERT_EQ(t.canvas.Shown(Layer::kOverlay).size(), 1u);
  EXPECT_EQ(t.canvas.Shown(Layer::kOverlay)[0].op, "circle");
  // With the timer stopped a left click steps too: step 5 is the last.
  ReplayClick(t.ws, t.state, true);
  EXPECT_EQ(CurrentMode(t.modes), kModeStandard);
  EXPECT_TRUE(!t.state.timerRunning && t.state.caption.empty());
  EXPECT_EQ(std::count(t.log.begin(), t.log.end(), "redraw"), 1);

  // Esc, the right button, and the left one while the timer runs jump to the end.
  for (int variant = 0; variant < 3; ++variant) {
    ReplayConstruction(t.ws, t.state, kReplayStart);
    if (variant == 0) ReplayKey(t.ws, t.state, kEscapeKey);
    if (variant > 0) ReplayClick(t.ws, t.state, variant == 2);
    EXPECT_EQ(t.state.shownStep, 5) << variant;
    EXPECT_EQ(CurrentMode(t.modes), kModeStandard) << variant;
  }
  EXPECT_EQ(t.shell.beeps, 0);
}

TEST(ReplayTest, StepDescriptions) {
  testing::Scene t;
  ObjectRef a = t.Point(0, 0), b = t.Point(1, 0);
  ObjectRef n = {kNumberClass, static_cast<int16_t>(AddObject(t.fig, kNumberClass))};
  t.fig.Numbers[n.index].name = "t  ";
  t.fig.Points[b.index].name = "Q1";
  t.fig.Points[t.Made("PN", {a, b, n, {kPendingNumberMark, 3}}, kPointClass).index].name = "R";
  EXPECT_EQ(StepDescription(t.fig, 3), "内分・外分:(点(A) , 点(Q1) , 変数(t) , 3)→(点(R))");
  EXPECT_EQ(StepDescription(t.fig, 0), "");
  EXPECT_EQ(StepDescription(t.fig, 4), "");
}

}  // namespace
}  // namespace sakuzu
