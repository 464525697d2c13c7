// What a teacher in front of a class does through the session, as the
// window and the page do it: zoom and pan with the mouse, fit the figure,
// a display size for the projector, visible new points, deleting an object
// with what is built on it, the prompts of the status bar, and the option
// prompts, labels and names that must follow at once.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "fake_canvas.h"
#include "interact/construct.h"
#include "interact/picking.h"
#include "model/figure_file.h"
#include "session/session.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr uint8_t Bit(Layer layer) { return static_cast<uint8_t>(1 << static_cast<int>(layer)); }

struct Front : FrontEnd {
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    ++asked;
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool Confirm(const std::string& text) override {
    question = text;
    return agree;
  }
  std::deque<std::optional<std::string>> answers;
  int asked = 0;
  bool agree = true;
  std::string question;
};

ObjectRef Point(int i) { return {kPointClass, static_cast<int16_t>(i)}; }

// A session on an empty 640 x 480 drawing area, with a triangle ABC, its
// sides, its circumcircle and the distance AB built as a user builds them.
struct Lesson {
  explicit Lesson(bool triangle = true) {
    session.StartWithFigure("");
    if (triangle) BuildTriangle();
  }
  MouseInput AtFigure(double x, double y, MouseButton button = MouseButton::kLeft) {
    PixelPoint p = ToPixel(session.view, x, y);
    MouseInput input;
    input.px = p.x, input.py = p.y, input.button = button;
    return input;
  }
  PixelPoint PixelOf(int point) {
    const PointRecord& p = session.fig.Points[point];
    return ToPixel(session.view, p.x, p.y);
  }
  void Pick(ObjectRef ref) {
    for (int i = 0; i < 40 && session.workspace.pick.current != ref; ++i) {
      session.KeyDown(KeyInput{kKeyDown});
    }
    ASSERT_EQ(session.workspace.pick.current, ref);
    session.KeyDown(KeyInput{kKeyEnter});
  }
  void Build(const char* command, std::initializer_list<int> points) {
    session.Command(command);
    for (int p : points) Pick(Point(p));
  }
  void BuildTriangle() {
    session.Command("mnuPnewFreeP");
    for (auto [x, y] : {std::pair{-3.0, -2.0}, {4.0, -1.0}, {0.0, 3.0}}) {
      session.MouseDown(AtFigure(x, y));
    }
    session.KeyDown(KeyInput{kKeyEscape});
    Build("mnuS2P", {1, 2});
    Build("mnuS2P", {2, 3});
    Build("mnuS2P", {3, 1});
    Build("mnuCgaisetsu", {1, 2, 3});
    Build("mnuMdis2P", {1, 2});
    session.renderer.canvas.TakeDrawnLayers();
  }
  std::string Bytes() { return FigureText(session.fig); }

  testing::FakeCanvas canvas{640, 480};
  Front front;
  Session session{canvas, front, (fs::temp_directory_path() / "sakuzu-classroom").string()};
};

TEST(Classroom, WheelZoomKeepsThePointUnderThePointerAndIsNoChangeToUndo) {
  Lesson l;
  std::string lastChange = l.session.history.UndoCaption();
  FigurePoint before = ToFigure(l.session.view, 100, 80);
  Update update = l.session.Wheel(100, 80, 1);
  EXPECT_TRUE(update.layers & Bit(Layer::kBase));
  EXPECT_NEAR(l.session.view.ViewScale, kStandardScale / std::pow(2, 0.25), 1e-15);
  FigurePoint after = ToFigure(l.session.view, 100, 80);
  EXPECT_NEAR(after.x, before.x, 1e-12);
  EXPECT_NEAR(after.y, before.y, 1e-12);
  // Four notches out and back: the same view.
  l.session.Wheel(100, 80, -4);
  l.session.Wheel(100, 80, 3);
  EXPECT_NEAR(l.session.view.ViewScale, kStandardScale, 1e-15);
  EXPECT_NEAR(ToFigure(l.session.view, 100, 80).x, before.x, 1e-12);
  EXPECT_EQ(l.session.history.UndoCaption(), lastChange);  // the view is no change to undo
  // The menu's standard view also centres the origin again.
  l.session.Pinch(600, 400, 3);
  l.session.Command("mnuZoomDefault");
  EXPECT_NEAR(ToPixel(l.session.view, 0, 0).x, 319.5, 1e-9);
}

TEST(Classroom, BackgroundAndMiddleButtonDragsPanTheFigure) {
  Lesson l;
  PixelPoint b = l.PixelOf(2);
  MouseInput press;  // the empty corner
  press.px = 5, press.py = 5, press.button = MouseButton::kLeft, press.leftHeld = true;
  l.session.MouseDown(press);
  MouseInput move = press;
  move.button = MouseButton::kNone;
  move.px = 45, move.py = 25;
  Update step = l.session.MouseMove(move);
  EXPECT_TRUE(step.layers & Bit(Layer::kBase));
  move.button = MouseButton::kLeft, move.leftHeld = false;
  l.session.MouseUp(move);
  PixelPoint moved = l.PixelOf(2);
  EXPECT_NEAR(moved.x - b.x, 40, 1e-9);
  EXPECT_NEAR(moved.y - b.y, 20, 1e-9);
  EXPECT_FALSE(l.session.history.IsOpen());

  // The middle button pans in the middle of a construction, which goes on
  // with its picked input still marked.
  int lines = l.session.fig.ObjectCounts[kLineClass];
  l.session.Command("mnuS2P");
  l.Pick(Point(1));
  ASSERT_TRUE(HasMark(l.session.renderer, MarkTag::kPicked, Point(1)));
  MouseInput middle;
  middle.px = 300, middle.py = 300, middle.button = MouseButton::kMiddle;
  l.session.MouseDown(middle);
  middle.button = MouseButton::kNone, middle.px = 250;
  l.session.MouseMove(middle);
  middle.button = MouseButton::kMiddle;
  l.session.MouseUp(middle);
  EXPECT_NEAR(l.PixelOf(2).x - moved.x, -50, 1e-9);
  EXPECT_TRUE(HasMark(l.session.renderer, MarkTag::kPicked, Point(1)));
  l.Pick(Point(3));
  EXPECT_EQ(l.session.fig.ObjectCounts[kLineClass], lines + 1);
  l.session.KeyDown(KeyInput{kKeyEscape});

  // A left click on a free point while the middle button pans starts no
  // drag, and its release ends the pan, whose own release may never come:
  // the mouse moves the figure no more and the next press drags again.
  ASSERT_EQ(l.session.modes.depth, 1);
  middle.button = MouseButton::kMiddle;
  l.session.MouseDown(middle);
  MouseInput onPoint;
  PixelPoint a = l.PixelOf(1);
  onPoint.px = a.x, onPoint.py = a.y, onPoint.button = MouseButton::kLeft, onPoint.leftHeld = true;
  l.session.MouseDown(onPoint);
  EXPECT_EQ(l.session.modes.depth, 1);
  l.session.MouseUp(onPoint);
  middle.button = MouseButton::kNone, middle.px = 200;
  l.session.MouseMove(middle);
  EXPECT_NEAR(l.PixelOf(1).x, a.x, 1e-9);
  l.session.MouseDown(onPoint);
  EXPECT_GT(l.session.modes.depth, 1);
  l.session.MouseUp(onPoint);
  EXPECT_EQ(l.session.modes.depth, 1);
}

TEST(Classroom, FitShowsEveryObjectOfAFigureFarOff) {
  Lesson l;
  std::string lastChange = l.session.history.UndoCaption();
  // The whole figure moved far out of sight by its free points.
  for (int i = 1; i <= 3; ++i) {
    l.session.fig.Points[i].x += 400;
    l.session.fig.Points[i].y -= 250;
  }
  l.session.Redraw();
  ASSERT_FALSE(IsVisible(l.session.view, l.session.fig.Points[1].x, l.session.fig.Points[1].y));
  l.session.Command("mnuZoomFit");
  const ViewState& v = l.session.view;
  for (int i = 1; i <= 3; ++i) {
    EXPECT_TRUE(IsVisible(v, l.session.fig.Points[i].x, l.session.fig.Points[i].y)) << i;
  }
  // The circumcircle too, and in a good part of the area.
  const CircleRecord& c = l.session.fig.Circles[1];
  PixelPoint left = ToPixel(v, c.cx - c.radius, c.cy), right = ToPixel(v, c.cx + c.radius, c.cy);
  PixelPoint top = ToPixel(v, c.cx, c.cy + c.radius), bottom = ToPixel(v, c.cx, c.cy - c.radius);
  EXPECT_GE(left.x, 0);
  EXPECT_LE(right.x, 639);
  EXPECT_GE(top.y, 0);
  EXPECT_LE(bottom.y, 479);
  EXPECT_GT(bottom.y - top.y, 300);  // not a speck in the middle
  EXPECT_EQ(l.session.history.UndoCaption(), lastChange);
}

TEST(Classroom, ExtraLargeScalesMarksPensLabelsAndListTogetherAndIsKept) {
  Lesson l;
  l.session.Command("mnuODisplaySize2");
  EXPECT_EQ(l.session.settings.displaySize, 2);
  EXPECT_NE(FormatSettingsText(l.session.settings, {}).find("ZKwin_DisplaySize = 2 \r\n"),
            std::string::npos);
  EXPECT_DOUBLE_EQ(l.canvas.font.size, 9 * 2.5);
  PixelPoint a = l.PixelOf(1);
  bool squareFound = false, thinLine = false;
  for (const testing::CanvasCall& call : l.canvas.Shown(Layer::kBase)) {
    if (call.op == "fill" && std::abs(call.v[0] - (a.x - 12.5)) < 1e-9) {
      squareFound = std::abs(call.v[2] - (a.x + 12.5)) < 1e-9;
    }
    if (call.op == "line" && call.pen.width < 3) thinLine = true;
  }
  EXPECT_TRUE(squareFound);  // a free point's filled square, 25 pixels across
  EXPECT_FALSE(thinLine);
  // The list's lines are 1.2 font heights apart, and start above its margin.
  std::vector<testing::CanvasCall> texts;
  for (const testing::CanvasCall& call : l.canvas.Shown(Layer::kList)) {
    if (call.op == "text") texts.push_back(call);
  }
  ASSERT_EQ(texts.size(), 3u);  // " 1:", the name, "= value"
  EXPECT_NEAR(texts[0].v[1], 479 - 35 - 1.2 * 22.5, 1e-9);
  l.session.Command("mnuOFileInit");
  EXPECT_EQ(l.session.settings.displaySize, 0);
}

// A canvas whose font draws "∠" and "Δ" twice as wide as other characters.
struct WideSymbolCanvas : testing::FakeCanvas {
  using FakeCanvas::FakeCanvas;
  double TextWidth(const std::string& text) const override {
    double wide = 0;
    for (const char* symbol : {"∠", "Δ"}) {
      for (size_t at = text.find(symbol); at != std::string::npos; at = text.find(symbol, at + 1)) {
        wide += 6;
      }
    }
    return FakeCanvas::TextWidth(text) + wide;
  }
};

TEST(Classroom, NumberListIsOpaqueAndLinesUpItsEqualsSignsAfterWideNames) {
  WideSymbolCanvas canvas{640, 480};
  Front front;
  Session session{canvas, front, (fs::temp_directory_path() / "sakuzu-classroom").string()};
  session.StartWithFigure("");
  const char* names[] = {"AB", "∠ABC", "ΔABC"};
  for (const char* name : names) {
    NumberRecord& n = session.fig.Numbers[AddObject(session.fig, kNumberClass)];
    n.name = name, n.value = 1.5, n.exists = kTrue;
  }
  session.Redraw();
  const std::vector<testing::CanvasCall>& list = canvas.Shown(Layer::kList);
  ASSERT_FALSE(list.empty());
  ASSERT_EQ(list.front().op, "fill");  // the background first, in the background colour
  EXPECT_EQ(list.front().pen.color, session.view.backColor);
  double equalsX = -1, widestNameEnd = 0;
  for (const testing::CanvasCall& call : list) {
    if (call.op != "text") continue;
    if (call.text.rfind("= ", 0) == 0) {
      if (equalsX < 0) equalsX = call.v[0];
      EXPECT_DOUBLE_EQ(call.v[0], equalsX);
      EXPECT_LE(call.v[0], list.front().v[2]);  // inside the background
    } else if (call.text.find(':') == std::string::npos) {
      widestNameEnd = std::max(widestNameEnd, call.v[0] + canvas.TextWidth(call.text));
    }
  }
  EXPECT_GT(equalsX, widestNameEnd);  // no name runs into the column
}

TEST(Classroom, NewPointsAreVisibleAndThePendingLabelNeverCoversTheLastOne) {
  Lesson l(false);
  l.session.Command("mnuPnewFreeP");
  MouseInput there = l.AtFigure(1, 1, MouseButton::kNone);
  l.session.MouseMove(there);
  l.session.MouseDown(l.AtFigure(1, 1));
  // The next point waits right there: its name would cover "A".
  auto pendingLabel = [&] {
    for (const OverlayMark& m : l.session.renderer.overlay) {
      if (m.tag == MarkTag::kPending) return m.labelCode;
    }
    return -2;
  };
  EXPECT_EQ(pendingLabel(), -1);
  MouseInput away = l.AtFigure(5, -3, MouseButton::kNone);
  l.session.MouseMove(away);
  EXPECT_EQ(pendingLabel(), 7);
  l.session.KeyDown(KeyInput{kKeyEscape});
  EXPECT_EQ(l.session.fig.Points[1].style, kFreePointMark);
  // Small dots as before, when chosen.
  l.session.Command("mnuONewPointMarkOff");
  l.session.Command("mnuPnewFreeP");
  l.session.MouseDown(l.AtFigure(-4, 2));
  l.session.KeyDown(KeyInput{kKeyEscape});
  EXPECT_EQ(l.session.fig.Points[2].style, 0);
  EXPECT_FALSE(l.session.settings.newPointMarks);
}

TEST(Classroom, DeletingAVertexTakesWhatIsBuiltOnItAsOneChange) {
  Lesson l;
  std::string before = l.Bytes();
  std::string lastChange = l.session.history.UndoCaption();
  const Figure& fig = l.session.fig;
  double bx = fig.Points[2].x, cy = fig.Points[3].y;
  // Refused: everything stays, the marks go.
  l.front.agree = false;
  l.session.workspace.pick.popupObject = Point(1);
  l.session.Command("mnuEdit2_point_Delete");
  EXPECT_EQ(l.Bytes(), before);
  EXPECT_FALSE(l.session.history.CanRedo());
  EXPECT_EQ(l.session.history.UndoCaption(), lastChange);
  // The question names everything that goes.
  for (const char* name : {"点A", "直線AB", "直線CA", "\n円", "変数AB"}) {
    EXPECT_NE(l.front.question.find(name), std::string::npos) << name;
  }
  EXPECT_EQ(l.front.question.find("直線BC"), std::string::npos);
  EXPECT_TRUE(l.session.renderer.overlay.empty());

  // The Delete key on the point under the mouse.
  l.front.agree = true;
  PixelPoint a = l.PixelOf(1);
  MouseInput hover;
  hover.px = a.x, hover.py = a.y;
  l.session.MouseMove(hover);
  Update update = l.session.KeyDown(KeyInput{kKeyDelete});
  EXPECT_TRUE(update.figure);
  EXPECT_EQ(l.session.history.UndoCaption(), "削除");
  // B, C and the side BC stay, renumbered; the rest is gone.
  EXPECT_EQ(fig.ObjectCounts[kPointClass], 2);
  EXPECT_EQ(fig.ObjectCounts[kLineClass], 1);
  EXPECT_EQ(fig.ObjectCounts[kCircleClass], 0);
  EXPECT_EQ(fig.ObjectCounts[kNumberClass], 0);
  EXPECT_EQ(fig.Points[1].name, "B");
  EXPECT_EQ(fig.Points[1].x, bx);
  EXPECT_EQ(fig.Points[2].y, cy);
  EXPECT_EQ(fig.Lines[1].name, "BC");
  EXPECT_EQ(fig.StepCount, 3);
  // The file holds it, and reads back as it is.
  fs::path file = fs::temp_directory_path() / "sakuzu-classroom-deleted.zk4";
  ASSERT_TRUE(l.session.WriteFigureFile(file.string()).ok);
  Figure back;
  ASSERT_TRUE(ReadWriteFigure(back, file.string(), FigureFileMode::kRead, {}, {}).ok);
  EXPECT_EQ(FigureText(back), l.Bytes());
  fs::remove(file);
  // One undo brings all of it back, byte for byte.
  l.session.Command("mnuEUndo");
  EXPECT_EQ(l.Bytes(), before);
}

TEST(Classroom, StatusBarSaysWhatToPickNextAndFollowsTheLanguage) {
  Lesson l;
  EXPECT_EQ(l.session.Status().prompt, "");
  l.session.Command("mnuCgaisetsu");
  EXPECT_EQ(l.session.Status().prompt, "点を選んでください (1/3)");
  l.Pick(Point(1));
  EXPECT_EQ(l.session.Status().prompt, "点を選んでください (2/3)");
  l.session.language.setting = "English";
  EXPECT_EQ(l.session.Status().prompt, "Pick a point (2/3)");
  l.session.KeyDown(KeyInput{kKeyEscape});
  EXPECT_EQ(l.session.Status().prompt, "");
  // A segment is asked for as one.
  l.session.language.setting = "Japanese";
  l.session.Command("mnuLperpendicular");
  EXPECT_EQ(l.session.Status().prompt, "線分を選んでください (1/1)");
  l.session.KeyDown(KeyInput{kKeyEscape});
}

TEST(Classroom, PanelNameFollowsLanguageAndGoesWithTheFigure) {
  Lesson l;
  PixelPoint c = l.PixelOf(3);
  MouseInput hover;
  hover.px = c.x, hover.py = c.y;
  l.session.MouseMove(hover);
  EXPECT_EQ(l.session.Status().panel4, "点C");
  l.session.language.setting = "English";  // as the language dialog sets it
  EXPECT_EQ(l.session.Status().panel4, "Point C");
  ASSERT_TRUE(l.session.OpenFigure(SAKUZU_SAMPLES "/sample.zk4"));
  EXPECT_EQ(l.session.Status().panel4, "");
}

TEST(Classroom, CancelledPromptsLeaveEverySettingAndLabelsRedrawAtOnce) {
  Lesson l;
  l.session.CollectSettings();
  Settings before = l.session.settings;
  for (const char* command : {"mnuKeta", "mnuWidth", "mnuOdeformManual", "mnuOdeformVarManual",
                              "mnuFont", "mnuOColorStrength", "mnuOwwwManual"}) {
    l.front.answers = {std::nullopt};
    l.session.Command(command);
    l.session.CollectSettings();
    EXPECT_EQ(l.session.settings, before) << command;
  }
  // An empty answer still reads as the prompt's fixed value.
  l.front.answers = {std::string()};
  l.session.Command("mnuKeta");
  EXPECT_EQ(l.session.settings.ketaDecimal, 0);

  // Labels go and come back with the switch, drawn at once.
  auto labels = [&] {
    int n = 0;
    for (const testing::CanvasCall& call : l.canvas.Shown(Layer::kBase)) n += call.op == "text";
    return n;
  };
  ASSERT_EQ(labels(), 3);
  Update off = l.session.Command("mnuOchrDisp");
  EXPECT_TRUE(off.layers & Bit(Layer::kBase));
  EXPECT_EQ(labels(), 0);
  l.session.Command("mnuOchrDisp");
  EXPECT_EQ(labels(), 3);
}

TEST(Classroom, OnlineSaveAsksForItsServerOnceAndForgetsOnlyOnRequest) {
  Lesson l;
  EXPECT_EQ(Settings{}.wwwUrl, "");
  // The placeholder that earlier builds wrote is no address.
  Settings read;
  ApplySettingsText("WWWurl =https://www.example.org/asp/zk/zk_save.asp\r\n", read);
  EXPECT_EQ(read.wwwUrl, "");
  l.front.answers = {std::nullopt};
  EXPECT_FALSE(l.session.EnsureServerUrl());
  l.front.answers = {std::string(" https://school.example/save ")};
  EXPECT_TRUE(l.session.EnsureServerUrl());
  EXPECT_EQ(l.session.settings.wwwUrl, "https://school.example/save");
  int asked = l.front.asked;
  EXPECT_TRUE(l.session.EnsureServerUrl());
  EXPECT_EQ(l.front.asked, asked);
  l.session.Command("mnuOwwwDiderod");
  EXPECT_EQ(l.session.settings.wwwUrl, "");
}

}  // namespace
}  // namespace sakuzu
