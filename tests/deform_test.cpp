#include "interact/deform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "interaction_fixture.h"
#include "model/figure_file.h"
#include "numbers/auto_names.h"

namespace sakuzu {
namespace {

using testing::Bench;
using Typed = testing::ScriptedNumbers::Typed;

const std::vector<int16_t> kStandardOnly{kModeStandard};

TEST(Deform, SnapToPixelIsTheNearestPixel) {
  ViewState view;  // 0.05 units a pixel
  EXPECT_NEAR(SnapToPixel(view, 0.06), 0.05, 1e-12);
  EXPECT_NEAR(SnapToPixel(view, 0.08), 0.10, 1e-12);
  EXPECT_NEAR(SnapToPixel(view, -0.06), -0.05, 1e-12);
  EXPECT_NEAR(SnapToPixel(view, 0.02), 0, 1e-12);
}

// A point dragged with the mouse, moved by the keys (delta pixels, the
// keys that set the step), and a circle through it follows.
TEST(Deform, PointByMouseAndKeys) {
  Bench b;
  b.PlacePoints({{0, 0}, {2, 0}});
  RunKindCommand(b.ws, "mnuC2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  b.Click(2, 0);  // a press on B starts its drag
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeDrag}));
  b.Move(3.02, 0.51, true);
  EXPECT_NEAR(b.fig.Points[2].x, 3, 1e-9);  // snapped to the pixel
  EXPECT_NEAR(b.fig.Points[2].y, 0.5, 1e-9);
  EXPECT_NEAR(b.fig.Circles[1].radius, std::hypot(3, 0.5), 1e-9);
  EXPECT_EQ(b.fig.Points[2].style, kFreePointMark);  // its own mark stays its own
  MouseUp(b.d, b.Mouse(3, 0.5));
  EXPECT_EQ(b.Modes(), kStandardOnly);

  Deform1PtCommand(b.ws);
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeDeform, kModeSelect}));
  b.Key(kKeyDown);  // B
  b.Key(kKeyEnter);
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeDeform}));
  b.Key(kKeyUp);  // 10 pixels: half a unit
  EXPECT_NEAR(b.fig.Points[2].y, 1, 1e-9);
  b.Key('3');  // 60 pixels
  b.Key(kKeyLeft);
  EXPECT_NEAR(b.fig.Points[2].x, 0, 1e-9);
  EXPECT_EQ(b.ws.delta, 60);
  b.Key('B');  // a closed square of 100 steps: back where it started
  EXPECT_NEAR(b.fig.Points[1].x, 0, 1e-9);
  EXPECT_NEAR(b.fig.Points[1].y, 0, 1e-9);
  EXPECT_TRUE(MarkedObject(b.r, MarkTag::kText).IsEmpty());  // text marks name no object
  EXPECT_NE(b.r.overlay.back().text.find("100回の変形("), std::string::npos);
  b.Click(0, 0, MouseButton::kRight);  // Esc
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

// Shift snapping: onto the lattice, or onto the nearest line or circle that
// does not move with the point (never onto a line through it).
TEST(Deform, ShiftSnapping) {
  Bench b;
  b.PlacePoints({{-5, 1}, {5, 1}, {0, -3}});
  RunKindCommand(b.ws, "mnlL2P");  // the line AB, y = 1
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  RunKindCommand(b.ws, "mnlL2P");  // a line through C
  b.Key(kKeyEnter), b.Key(kKeyDown), b.Key(kKeyEnter);
  StartPointDrag(b.ws, 3);
  b.ws.sDeformKind = 2;
  SnapDragStep(b.ws, 0.33, -2.71);
  EXPECT_DOUBLE_EQ(b.fig.Points[3].x, 0);
  EXPECT_DOUBLE_EQ(b.fig.Points[3].y, -3);
  b.ws.sDeformKind = 1;
  SnapDragStep(b.ws, 0.3, -1.2);  // the line through C moves with it: AB it is
  EXPECT_NEAR(b.fig.Points[3].y, 1, 1e-12);
  EXPECT_NEAR(b.fig.Points[3].x, 0.3, 1e-12);
}

// Shift snapping takes a segment or a ray as drawn: the point lands on
// its nearest drawn place, and an unseen extension does not beat a circle.
TEST(Deform, ShiftSnapsOntoTheDrawnPart) {
  Bench b;
  b.PlacePoints({{0, 0}, {2, 0}, {6, 0}, {7, 0}, {0, 3}, {1, 4}, {-3, -3}});
  auto command = [&](const char* control, std::initializer_list<int16_t> points) {
    RunKindCommand(b.ws, control);
    for (int16_t p : points) {
      for (int i = 0; i < 7 && b.ws.pick.current.index != p; ++i) b.Key(kKeyDown);
      b.Key(kKeyEnter);
    }
  };
  command("mnuS2P", {1, 2});  // the segment AB
  command("mnuC2P", {3, 4});  // the unit circle about C
  command("mnuH2P", {5, 6});  // the ray from E through F
  ASSERT_EQ(b.fig.Circles[1].radius, 1);
  ASSERT_EQ(b.fig.Lines[2].x1, 0);
  ASSERT_EQ(b.fig.Lines[2].lineKind, 2);
  const PointRecord& g = b.fig.Points[7];
  StartPointDrag(b.ws, 7);
  SnapDragStep(b.ws, 4.4, 0.2);  // 0.2 from AB extended, 0.61 from the circle
  EXPECT_NEAR(g.x, 6 - 1.6 / std::hypot(1.6, 0.2), 1e-12);  // the circle towards the mouse
  EXPECT_NEAR(g.y, 0.2 / std::hypot(1.6, 0.2), 1e-12);
  b.ws.sDeformKind = 1;
  SnapDragStep(b.ws, 3, 0.5);  // beyond B: onto B
  EXPECT_NEAR(g.x, 2, 1e-12);
  EXPECT_NEAR(g.y, 0, 1e-12);
  SnapDragStep(b.ws, 1.2, 0.4);  // between A and B: straight down
  EXPECT_NEAR(g.x, 1.2, 1e-12);
  EXPECT_NEAR(g.y, 0, 1e-12);
  SnapDragStep(b.ws, -1, 2.2);  // behind the ray's start: onto E
  EXPECT_NEAR(g.x, 0, 1e-12);
  EXPECT_NEAR(g.y, 3, 1e-12);
  SnapDragStep(b.ws, 3, 5.2);  // along the ray, past F
  EXPECT_NEAR(g.x, 2.6, 1e-12);
  EXPECT_NEAR(g.y, 5.6, 1e-12);
}

// Several points chosen one by one move together; a line through two free
// points is dragged by them; a free number is varied.
TEST(Deform, SeveralPointsLinesAndNumbers) {
  Bench b;
  b.PlacePoints({{0, 0}, {2, 0}, {0, 2}});
  RunKindCommand(b.ws, "mnlL2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  DeformPtsCommand(b.ws);
  b.Key(kKeyEnter);                   // A; B becomes current
  b.Key(kKeyDown), b.Key(kKeyEnter);  // C
  b.Key(kKeyEscape);                  // the chosen points move now
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeMultiDeform}));
  EXPECT_EQ(b.ws.pick.chosenPoints, (std::vector<int16_t>{1, 3}));
  b.Key(kKeyRight);
  EXPECT_NEAR(b.fig.Points[1].x, 0.5, 1e-9);
  EXPECT_NEAR(b.fig.Points[3].x, 0.5, 1e-9);
  EXPECT_NEAR(b.fig.Points[2].x, 2, 1e-9);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.Modes(), kStandardOnly);

  b.Click(1.25, 0);  // on the line AB, away from its ends: they move with the mouse
  b.Move(1.25, 1, true);
  MouseUp(b.d, b.Mouse(1.25, 1));
  EXPECT_NEAR(b.fig.Points[1].y, 1, 1e-9);
  EXPECT_NEAR(b.fig.Points[2].y, 1, 1e-9);

  // Numbers: only a free number is varied; the arrows step it by DeltaVar.
  RunKindCommand(b.ws, "mnuMdis2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  b.numbers.answers = {int16_t{1}, std::monostate{}};  // the distance: refused, then cancel
  DeformVarCommand(b.ws);
  EXPECT_EQ(b.shell.messages.back(), std::string(kOnlyFreeNumbersMessage));
  EXPECT_EQ(b.Modes(), kStandardOnly);
  int16_t free = static_cast<int16_t>(AddFreeNumber(b.fig, 2));
  b.numbers.answers = {free};
  DeformVarCommand(b.ws);
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModeVariation}));
  b.Key('2');  // a step of 0.1
  b.Key(kKeyUp);
  b.Click(0, 0);  // a click steps up too
  EXPECT_NEAR(b.fig.Numbers[free].value, 2.2, 1e-12);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

// Random mouse, key and number steps over every shipped and test figure:
// no crash, nothing that is not finite reaches the canvas, the overlay and
// the tables do not grow without end. SAKUZU_SOAK_STEPS sets the length.
TEST(Deform, RandomDeformationSoak) {
  const char* env = std::getenv("SAKUZU_SOAK_STEPS");
  int steps = env ? std::atoi(env) : 1500;
  std::vector<std::filesystem::path> figures;
  for (const char* folder : {SAKUZU_SAMPLES, SAKUZU_TEST_DATA}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".zk4") figures.push_back(entry.path());
    }
  }
  ASSERT_FALSE(figures.empty());
  std::mt19937 rng(2026);
  auto pick = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
  };
  for (const auto& path : figures) {
    Bench b;
    ASSERT_TRUE(ReadWriteFigure(b.fig, path.string(), FigureFileMode::kRead,
                                [](Figure& f) { UpdateAutoNames(f); })
                    .ok)
        << path;
    Redraw(b.r);
    int16_t objects[4];
    int drags = 0;
    for (int c = 0; c < 4; ++c) objects[c] = b.fig.ObjectCounts[c];
    for (int i = 0; i < steps; ++i) {
      double x = pick(-30, 30), y = pick(-30, 30);  // now and then far outside
      switch (rng() % 6) {
        case 0: {
          // Often on a free point, so that drags start.
          int n = b.fig.ObjectCounts[kPointClass];
          const PointRecord& p = b.fig.Points[n > 0 ? 1 + rng() % n : 1];
          bool onPoint = n > 0 && rng() % 2 == 0 && std::isfinite(p.x) && std::isfinite(p.y);
          b.Click(onPoint ? p.x : pick(-10, 10), onPoint ? p.y : pick(-7.5, 7.5));
          drags += b.Modes().back() == kModeDrag;
          break;
        }
        case 1:
          b.Move(x, y, true);
          break;
        case 2:
          MouseUp(b.d, b.Mouse(x, y));
          break;
        case 3:
          b.Key(std::array{kKeyLeft, kKeyUp, kKeyRight, kKeyDown, kKeyEscape}[rng() % 5]);
          break;
        case 4:
          if (b.Modes() == kStandardOnly) Deform1PtCommand(b.ws);
          b.Key(kKeyEnter);
          break;
        default:
          b.ws.sDeformKind = static_cast<int16_t>(rng() % 3);
          KeyDown(b.d, KeyInput{kKeyUp, true});
      }
      if (b.Modes().size() > 3) b.Key(kKeyEscape);
    }
    for (int c = 0; c < 4; ++c) EXPECT_EQ(b.fig.ObjectCounts[c], objects[c]) << path;
    EXPECT_LT(b.r.overlay.size(), 1000u) << path;
    EXPECT_EQ(b.canvas.nonFinite, 0) << path;
    EXPECT_GT(drags, 0) << path;
  }
}

}  // namespace
}  // namespace sakuzu
