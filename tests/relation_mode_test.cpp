// The relation check as a user meets it: the menu command, objects chosen
// on the drawing and in the number list, the answer box, the counterexample
// shown, taken back or kept as one change to undo.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_canvas.h"
#include "interact/picking.h"
#include "model/figure_file.h"
#include "numbers/value_text.h"
#include "session/session.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

// Answers the boxes from a script and keeps what they said.
struct Front : FrontEnd {
  int Choose(const std::string& text, const std::vector<std::string>& buttons) override {
    shown.push_back(text);
    offered.push_back(buttons);
    if (answers.empty()) return -1;
    int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::string> shown;
  std::vector<std::vector<std::string>> offered;
  std::vector<int> answers;
};

struct Window {
  explicit Window(const std::string& sample) {
    EXPECT_TRUE(session.StartWithFigure(SAKUZU_SAMPLES "/" + sample).ok);
  }
  MouseInput AtPixel(double px, double py) {
    MouseInput input;
    input.px = px, input.py = py, input.button = MouseButton::kLeft, input.leftHeld = true;
    return input;
  }
  MouseInput At(double x, double y) {
    PixelPoint p = ToPixel(session.view, x, y);
    return AtPixel(p.x, p.y);
  }
  ObjectRef Named(int cls, const std::string& name) {
    for (int i = 1; i <= session.fig.ObjectCounts[cls]; ++i) {
      ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(i)};
      if (ObjectName(session.fig, ref) == name) return ref;
    }
    ADD_FAILURE() << "nothing named " << name;
    return {};
  }
  bool Chosen(ObjectRef ref) {
    const std::vector<ObjectRef>& chosen = session.workspace.pick.chosenObjects;
    return std::find(chosen.begin(), chosen.end(), ref) != chosen.end();
  }
  // Clicks until the object is chosen: the first click may only mark it.
  void Choose(ObjectRef ref, const MouseInput& click) {
    for (int i = 0; i < 2 && !Chosen(ref) && IsCurrentMode(session.modes, kModeRelationChoose);
         ++i) {
      session.MouseDown(click);
    }
  }
  void ChooseLine(const std::string& name) {
    ObjectRef line = Named(kLineClass, name);
    const LineRecord& l = session.fig.Lines[line.index];
    Choose(line, At((l.x1 + l.x2) / 2, (l.y1 + l.y2) / 2));
  }
  void ChoosePoint(ObjectRef point) {
    const PointRecord& p = session.fig.Points[point.index];
    Choose(point, At(p.x, p.y));
  }
  // A construction's input: the first click may only mark it.
  void ChoosePointForConstruction(ObjectRef point) {
    const PointRecord& p = session.fig.Points[point.index];
    session.MouseDown(At(p.x, p.y));
    if (IsCurrentMode(session.modes, kModeConstructPick) &&
        session.workspace.pick.current == point) {
      session.MouseDown(At(p.x, p.y));
    }
  }
  std::string Bytes() { return FigureText(session.fig); }

  testing::FakeCanvas canvas{640, 480};
  Front front;
  Session session{canvas, front, (fs::temp_directory_path() / "sakuzu-no-settings").string()};
};

double Distance(const PointRecord& a, const PointRecord& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

TEST(RelationMode, ATheoremIsAnsweredAndTheFigureStaysAsItWas) {
  Window w("thales_circle.zk4");
  const std::string before = w.Bytes();
  w.session.Command("mnuMcheck");
  EXPECT_EQ(CurrentMode(w.session.modes), kModeRelationChoose);
  EXPECT_NE(w.session.Status().prompt.find("(1/4)"), std::string::npos);
  w.ChooseLine("PA");
  w.ChooseLine("PB");
  EXPECT_NE(w.session.Status().prompt.find("Esc"), std::string::npos);
  w.session.KeyDown(KeyInput{kKeyEscape});
  EXPECT_EQ(CurrentMode(w.session.modes), kModeStandard);
  ASSERT_EQ(w.front.shown.size(), 1u);
  EXPECT_NE(w.front.shown[0].find("PA と PB は常に垂直です"), std::string::npos);
  EXPECT_NE(w.front.shown[0].find("10,000 通り中"), std::string::npos);
  EXPECT_EQ(w.front.offered[0].size(), 1u);  // nothing to show: no counterexample button
  EXPECT_EQ(w.Bytes(), before);
  EXPECT_FALSE(w.session.history.CanUndo());

  // A click on P, where two lines and the circle meet, chooses the point;
  // then the circle, clicked at its lowest place.
  w.session.Command("mnuMcheck");
  ObjectRef p = w.Named(kPointClass, "P");
  w.ChoosePoint(p);
  EXPECT_TRUE(w.Chosen(p));
  const CircleRecord& circle = w.session.fig.Circles[1];
  w.Choose(ObjectRef{kCircleClass, 1}, w.At(circle.cx, circle.cy - circle.radius));
  w.session.KeyDown(KeyInput{kKeyEscape});
  ASSERT_EQ(w.front.shown.size(), 2u);
  EXPECT_EQ(w.front.shown[1].rfind("P は常に 円1 上にあります", 0), 0u) << w.front.shown[1];

  // One object alone is no question: Esc ends the command quietly.
  w.session.Command("mnuMcheck");
  w.ChooseLine("PA");
  w.session.KeyDown(KeyInput{kKeyEscape});
  EXPECT_EQ(CurrentMode(w.session.modes), kModeStandard);
  EXPECT_EQ(w.front.shown.size(), 2u);
}

// Three free points placed symmetrically: AB = AC now, not always.
struct Isosceles : Window {
  Isosceles() : Window("thales_circle.zk4") {
    session.Command("mnuPnewFreeP");
    for (auto [px, py] : {std::pair{320.0, 100.0}, {260.0, 300.0}, {380.0, 300.0}}) {
      session.MouseDown(AtPixel(px, py));
    }
    session.KeyDown(KeyInput{kKeyEscape});
    int n = session.fig.ObjectCounts[kPointClass];
    a = PointRef(n - 2), b = PointRef(n - 1), c = PointRef(n);
  }
  static ObjectRef PointRef(int i) { return ObjectRef{kPointClass, static_cast<int16_t>(i)}; }
  void Check() {
    session.Command("mnuMcheck");
    ChoosePoint(a);
    ChoosePoint(b);
    ChoosePoint(c);
    session.KeyDown(KeyInput{kKeyEscape});
  }
  double Difference() {
    const Figure& f = session.fig;
    return Distance(f.Points[a.index], f.Points[b.index]) -
           Distance(f.Points[a.index], f.Points[c.index]);
  }
  ObjectRef a, b, c;
};

TEST(RelationMode, ACounterexampleIsShownAndGoesBackOrStaysAsOneChange) {
  Isosceles w;
  ASSERT_LT(std::fabs(w.Difference()), w.session.view.ViewScale);
  const std::string before = w.Bytes();
  const size_t changes = w.session.history.Entries();

  // Shown, then back: the file's bytes as before, nothing to undo.
  w.front.answers = {0, 0};
  w.Check();
  ASSERT_EQ(w.front.offered.size(), 2u);
  EXPECT_EQ(w.front.offered[0][0], "反例を表示");
  EXPECT_NE(w.front.shown[0].find("常にではありません"), std::string::npos);
  EXPECT_NE(w.front.shown[1].find("反例："), std::string::npos);
  EXPECT_EQ(w.Bytes(), before);
  EXPECT_EQ(w.session.history.Entries(), changes);
  EXPECT_EQ(CurrentMode(w.session.modes), kModeStandard);

  // Shown and kept: the triangle is no longer isosceles, one change to undo.
  w.front.answers = {0, 1};
  w.Check();
  EXPECT_GT(std::fabs(w.Difference()), 0.1);
  EXPECT_EQ(w.session.history.Entries(), changes + 1);
  EXPECT_EQ(w.session.history.UndoCaption(), "関係を調べる");
  w.session.Command("mnuEUndo");
  EXPECT_EQ(w.Bytes(), before);

  // Closed without showing: nothing changes.
  w.front.answers = {1};
  w.Check();
  EXPECT_EQ(w.Bytes(), before);
}

TEST(RelationMode, NumbersAreChosenByTheirLineInTheList) {
  Isosceles w;
  // AB and AC measured: two more lines of the list.
  for (ObjectRef end : {w.b, w.c}) {
    w.session.Command("mnuMdis2P");
    w.ChoosePointForConstruction(w.a);
    w.ChoosePointForConstruction(end);
  }
  std::vector<int> listed = ListedNumbers(w.session.fig);
  const int n = static_cast<int>(listed.size());
  ASSERT_GE(n, 2);
  w.front.answers = {1};
  w.session.Command("mnuMcheck");
  for (int k = n - 1; k <= n; ++k) {  // the two new lines
    PixelPoint line = NumberLinePosition(w.session.renderer, k, n);
    ObjectRef number{kNumberClass, static_cast<int16_t>(listed[k - 1])};
    w.Choose(number, w.AtPixel(line.x + 4, line.y + 2));
    EXPECT_TRUE(w.Chosen(number));
  }
  w.session.KeyDown(KeyInput{kKeyEscape});
  ASSERT_EQ(w.front.shown.size(), 1u);
  EXPECT_NE(w.front.shown[0].find("今は "), std::string::npos);
  EXPECT_NE(w.front.shown[0].find(" = "), std::string::npos);
}

}  // namespace
}  // namespace sakuzu
