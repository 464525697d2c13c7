#include "view/number_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_canvas.h"
#include "numbers/value_text.h"

namespace sakuzu {
namespace {

using testing::CanvasCall;
using testing::FakeCanvas;

// A 401 x 301 pixel window at the standard scale, nothing drawn yet.
struct ListScene {
  Figure fig;
  FakeCanvas canvas{401, 301};
  ViewState view;
  DisplaySettings settings;
  ModeStack modes;
  Engine engine;
  Renderer r{.fig = fig,
             .canvas = canvas,
             .view = view,
             .settings = settings,
             .modes = modes,
             .engine = engine};

  ListScene() { SetScreen(view, 401, 301); }

  int Number(double value, const std::string& name, int16_t independent = 0) {
    int i = AddObject(fig, kNumberClass);
    fig.Numbers[i].value = value;
    fig.Numbers[i].name = name;
    fig.Numbers[i].independent = independent;
    fig.Numbers[i].exists = kTrue;
    return i;
  }
  // The lines printed in black, top to bottom.
  std::vector<std::string> BlackLines() {
    std::vector<std::string> lines;
    for (const CanvasCall& c : canvas.Calls("text")) {
      if (c.pen.color == kBlack && c.text.find(" = ") != std::string::npos) lines.push_back(c.text);
    }
    return lines;
  }
};

TEST(NumberDisplay, NormalFormListsShownComputedNumbersWhetherTheyExistOrNot) {
  ListScene s;
  int records = 0;
  s.r.hooks.afterNumberList = [&] { ++records; };
  DrawNumberDisplay(s.r);  // no number: still one measurement row
  EXPECT_EQ(records, 1);
  EXPECT_TRUE(s.canvas.Calls("text").empty());

  int ab = s.Number(2.5, "AB");
  s.Number(4, "k", -1);  // free
  int hidden = s.Number(1, "∠ABC");
  s.fig.Numbers[hidden].display = 7;
  s.Number(7, "tmp", 7);
  int gone = s.Number(0.125, "d(A, l)");
  int product = s.Number(-1.5, "AB*k");
  CopyToPrevious(s.fig);
  // A measurement that stops existing during a drag keeps its line, so the
  // overprinting erase still finds every line where it was drawn.
  s.fig.Numbers[gone].exists = kFalse;
  EXPECT_EQ(NormalListNumbers(s.fig), (std::vector<int>{ab, gone, product}));
  EXPECT_EQ(NormalListNumbers(s.fig), ListedNumbers(s.fig));

  s.fig.Numbers[ab].value = 3.14159;
  DrawNumberDisplay(s.r);
  EXPECT_EQ(records, 2);
  EXPECT_EQ(s.BlackLines(),
            (std::vector<std::string>{" 1:AB      =    3.14", " 5:d(A, l) =    0.13",
                                      " 6:AB×k    =   -1.50"}));
  // The old value is overprinted in the background colour first.
  std::vector<CanvasCall> texts = s.canvas.Calls("text");
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[1].pen.color, s.view.backColor);
  EXPECT_EQ(texts[1].text, "AB      =    2.50");
}

}  // namespace
}  // namespace sakuzu
