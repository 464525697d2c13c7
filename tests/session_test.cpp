// The session as a front end sees it: events and commands in, what they
// changed out; one change to undo a drag or a command; the draw state that
// follows the modes; a picture drawn anew equal to the screen.
#include "session/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fake_canvas.h"
#include "interact/picking.h"
#include "model/figure_file.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr uint8_t Bit(Layer layer) { return static_cast<uint8_t>(1 << static_cast<int>(layer)); }

struct Front : FrontEnd {
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return answer;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> answer;
  std::vector<std::string> messages;
};

// The sample figure in a 640 x 480 drawing area.
struct Window {
  Window() {
    EXPECT_TRUE(session.StartWithFigure(SAKUZU_SAMPLES "/sample.zk4").ok);
    session.renderer.canvas.TakeDrawnLayers();
  }
  MouseInput At(int point, MouseButton button = MouseButton::kLeft) {
    const PointRecord& p = session.fig.Points[point];
    PixelPoint px = ToPixel(session.view, p.x, p.y);
    MouseInput input;
    input.px = px.x, input.py = px.y, input.button = button;
    input.leftHeld = button == MouseButton::kLeft;
    return input;
  }
  MouseInput Empty() {  // far from every object
    MouseInput input;
    input.px = 5, input.py = 5;
    return input;
  }
  std::string Bytes() { return FigureText(session.fig); }

  testing::FakeCanvas canvas{640, 480};
  Front front;
  Session session{canvas, front, (fs::temp_directory_path() / "sakuzu-no-settings").string()};
};

TEST(Session, DragIsOneChangeAndEachMoveDrawsOnlyWhatMoves) {
  Window w;
  std::string before = w.Bytes();
  Update press = w.session.MouseDown(w.At(1));
  EXPECT_TRUE(press.modes);
  EXPECT_EQ(CurrentMode(w.session.modes), kModeDrag);
  MouseInput move = w.At(1);
  move.px += 30, move.button = MouseButton::kNone;
  Update step = w.session.MouseMove(move);
  EXPECT_FALSE(step.modes);
  EXPECT_TRUE(step.layers & Bit(Layer::kLive));
  EXPECT_FALSE(step.layers & Bit(Layer::kGrid));  // what does not move stays as it is
  EXPECT_FALSE(w.session.history.CanUndo());      // the drag is still under way
  Update release = w.session.MouseUp(move);
  EXPECT_TRUE(release.figure && release.modes);
  // Only the release closes the change: what waited for rest may run.
  EXPECT_FALSE(press.changeClosed || step.changeClosed);
  EXPECT_TRUE(release.changeClosed);
  EXPECT_EQ(w.session.history.UndoCaption(), "ドラッグ");
  EXPECT_EQ(w.session.Status().caption.rfind("[*sample.zk4]", 0), 0u);
  w.session.Command("mnuEUndo");
  EXPECT_EQ(w.Bytes(), before);
  // Hovering over nothing draws nothing new: nothing to present.
  w.session.MouseMove(w.Empty());
  EXPECT_EQ(w.session.MouseMove(w.Empty()).layers, 0);
  EXPECT_FALSE(w.session.MouseMove(w.Empty()).changeClosed);
}

// A save that fails part way (a full disk, a refused rename) keeps the
// old file, names the file and the reason, and leaves the figure unsaved
// under its own name; the next save that works counts.
TEST(Session, FailedSaveLosesNothing) {
  Window w;
  w.session.Command("mnuOAxis");  // no change to the figure
  MouseInput at = w.At(1);
  w.session.MouseDown(at);
  at.px += 20, at.button = MouseButton::kNone;
  w.session.MouseMove(at);
  w.session.MouseUp(at);
  std::string figure = w.Bytes();
  fs::path folder = fs::temp_directory_path() / "sakuzu-session-save-test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::string path = (folder / "lesson.zk4").string();
  std::ofstream(path, std::ios::binary) << "last week's lesson";
  for (WriteFault fault :
       {WriteFault{path, 100, false, ENOSPC}, WriteFault{path, SIZE_MAX, true, EACCES}}) {
    ScopedWriteFault scoped(fault);
    EXPECT_FALSE(w.session.SaveFigure(path));
    ASSERT_FALSE(w.front.messages.empty());
    EXPECT_EQ(w.front.messages.back(),
              WriteErrorMessage(path, fault.error, w.session.Translator()));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    std::ifstream old(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "last week's lesson");
    EXPECT_EQ(w.session.Status().caption.rfind("[*sample.zk4]", 0), 0u);
    EXPECT_EQ(w.Bytes(), figure);
  }
  EXPECT_TRUE(w.session.SaveFigure(path));
  EXPECT_EQ(w.session.Status().caption.rfind("[lesson.zk4]", 0), 0u);
  fs::remove_all(folder);
}

TEST(Session, CommandsReportTheirDrawingAndCloseTheirChange) {
  Window w;
  // A command that draws inside another dispatch still reports it.
  Update replay = w.session.Command("mnuFigData_Redraw");
  EXPECT_TRUE(replay.layers & Bit(Layer::kOverlay));
  EXPECT_TRUE(w.session.Status().replayTimer);
  Update tick;
  while (IsCurrentMode(w.session.modes, kModeReplay)) tick = w.session.ReplayTick();
  EXPECT_FALSE(w.session.Status().replayTimer);
  // The replay ran out by itself: its command's change is closed.
  EXPECT_TRUE(tick.changeClosed);
  EXPECT_FALSE(w.session.history.IsOpen());
  // A construction is one change from its command to its last input.
  int16_t circles = w.session.fig.ObjectCounts[kCircleClass];
  w.session.Command("mnuCgaisetsu");
  for (int point = 1; point <= 3; ++point) {
    w.session.MouseDown(w.At(point));  // the candidate
    w.session.MouseDown(w.At(point));  // confirmed
  }
  EXPECT_EQ(w.session.fig.ObjectCounts[kCircleClass], circles + 1);
  EXPECT_EQ(w.session.history.Entries(), 1u);
  EXPECT_TRUE(w.session.history.IsModified());
  // Option prompts: the answer within the prompt's limits.
  w.front.answer = "7";
  w.session.Command("mnuWidth");
  EXPECT_EQ(w.session.display.penWidth, 7);
  EXPECT_FALSE(w.session.Command("mnuNoSuchItem").Any());
}

TEST(Session, DrawStateFollowsTheModesAndTheLabelsSwitch) {
  Window w;
  w.session.Command("mnuOchrDisp");  // labels off
  EXPECT_TRUE(w.session.renderer.state.labelsHidden);
  EXPECT_TRUE(w.session.renderer.state.draggableHints);
  w.session.Command("mnuDeform1Pt");  // choosing a point to move shows the labels
  EXPECT_FALSE(w.session.renderer.state.labelsHidden);
  EXPECT_FALSE(w.session.renderer.state.draggableHints);
  w.session.KeyDown(KeyInput{kKeyEscape});
  EXPECT_TRUE(w.session.renderer.state.labelsHidden);
  // The simple menu marks what can be dragged at once.
  w.session.Command("mnuEasyMenu");
  EXPECT_EQ(w.session.MenuMode(), kEasyMenuMode);
  EXPECT_TRUE(w.session.workspace.easyMenu);
}

// The automatic names follow a new language at once, within its change;
// a save that would rename anything records the renaming as a change of
// its own. Undoing everything always gives the first file back.
TEST(Session, AutomaticNamesChangeOnlyInChangesToUndo) {
  fs::path folder = fs::temp_directory_path() / "sakuzu-session-language-test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  testing::FakeCanvas canvas{640, 480};
  Front front;
  Session session{canvas, front, folder.string()};
  ASSERT_TRUE(session.StartWithFigure(SAKUZU_SAMPLES "/sample.zk4").ok);
  auto radius = [&] { return session.fig.Numbers[4].name; };
  ASSERT_EQ(radius(), "円1の半径");
  std::string first = FigureText(session.fig);
  session.SetCommand("mnuLanguage", [&] { session.SetLanguage("English"); });
  session.Command("mnuLanguage");
  EXPECT_EQ(radius(), "Circle 1's radius");
  EXPECT_EQ(session.history.UndoCaption(), "Language");
  session.Command("mnuEUndo");  // the names go back; the language stays
  EXPECT_EQ(FigureText(session.fig), first);
  EXPECT_TRUE(session.SaveFigure((folder / "names.zk4").string()));
  EXPECT_EQ(radius(), "Circle 1's radius");
  EXPECT_EQ(session.history.UndoCaption(), "自動の名前");
  EXPECT_FALSE(session.history.IsModified());
  session.Command("mnuEUndo");
  EXPECT_EQ(FigureText(session.fig), first);
  EXPECT_TRUE(session.history.IsModified());  // the file has the English names
  fs::remove_all(folder);
}

TEST(Session, PopupIsHandedOverOnce) {
  Window w;
  Update right = w.session.MouseDown(w.At(1, MouseButton::kRight));
  ASSERT_TRUE(right.popup);
  EXPECT_EQ(right.popup->object, (ObjectRef{kPointClass, 1}));
  EXPECT_FALSE(w.session.MouseUp(w.At(1)).popup);
}

TEST(Session, PictureIsWhatTheScreenShows) {
  Window w;
  w.session.Command("mnuAngleSW");
  w.session.Command("mnuLocusSW");
  w.session.fig.Points[2].locusColor = 4;  // B leaves a trace
  MouseInput move = w.At(2);
  w.session.MouseDown(move);
  move.px -= 25, move.button = MouseButton::kNone;
  w.session.MouseMove(move);
  w.session.MouseUp(move);
  w.session.MouseMove(w.At(3));  // the hover mark over C
  testing::FakeCanvas picture(640, 480);
  w.session.DrawPicture(picture);
  for (Layer layer :
       {Layer::kGrid, Layer::kBase, Layer::kTrace, Layer::kLive, Layer::kOverlay, Layer::kList}) {
    auto ops = [](const std::vector<testing::CanvasCall>& calls) {
      std::vector<std::string> text;
      for (const testing::CanvasCall& c : calls) {
        text.push_back(c.op + c.text + std::to_string(c.v.empty() ? 0 : c.v[0]));
      }
      std::sort(text.begin(), text.end());
      return text;
    };
    EXPECT_EQ(ops(picture.Shown(layer)), ops(w.canvas.Shown(layer))) << static_cast<int>(layer);
  }
  EXPECT_FALSE(picture.Shown(Layer::kTrace).empty());
  EXPECT_FALSE(picture.Shown(Layer::kOverlay).empty());
}

}  // namespace
}  // namespace sakuzu
