#include "interact/history.h"

#include <gtest/gtest.h>

#include <functional>

#include "interact/deform.h"
#include "interact/edit.h"
#include "interaction_fixture.h"
#include "model/figure_file.h"

namespace sakuzu {
namespace {

using testing::Bench;

// As the window does it: a change begins at rest and ends when the modes
// are at rest again.
struct Recorder : Bench {
  Recorder() {
    PlacePoints({{0, 0}, {4, 0}, {1, 3}});
    RunKindCommand(ws, "mnuCgaisetsu");
    for (int i = 0; i < 3; ++i) Key(kKeyEnter);
    Redraw(r);
  }
  // Runs `steps` as one change; true when it became an entry.
  bool Change(const std::string& caption, const std::function<void()>& steps) {
    history.Begin(fig);
    steps();
    return modes.depth == 1 && history.Commit(fig, caption);
  }
  std::string Bytes() { return FigureText(fig); }
  History history;
};

// Every kind of change undoes to the very bytes a save wrote before it,
// and redoes to those after it.
TEST(History, EveryChangeUndoesExactly) {
  Recorder b;
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"construction",
       [&] { RunKindCommand(b.ws, "mnuMdis2P"), b.Key(kKeyEnter), b.Key(kKeyEnter); }},
      {"group",
       [&] {
         b.numbers.answers = {testing::ScriptedNumbers::Typed{3}};
         RunKindCommand(b.ws, "mnuPtoubun"), b.Key(kKeyEnter), b.Key(kKeyEnter);
       }},
      {"delete last", [&] { DeleteLast(b.ws); }},
      {"repeat", [&] { RepeatLast(b.ws), b.Key(kKeyEnter), b.Key(kKeyEnter), b.Key(kKeyEnter); }},
      {"drag",
       [&] {
         b.Click(4, 0), b.Move(5, 1, true), b.Move(5.5, 1.5, true);
         MouseUp(b.d, b.Mouse(5.5, 1.5));
       }},
      {"keys", [&] { Deform1PtCommand(b.ws), b.Key(kKeyEnter), b.Key(kKeyUp), b.Key(kKeyEscape); }},
      {"bind",
       [&] {
         b.fig.Points[3].bindKind = kPointClass, b.fig.Points[3].bindIndex = 1;
         Redraw(b.r);
       }},
      {"set free",
       [&] {
         b.ws.pick.popupObject = ObjectRef{kPointClass, 3};
         PopupSetFreeCommand(b.ws);
       }},
      {"new figure",
       [&] {
         b.newFigureAnswer = NewFigureAnswer::kYes;
         NewFigure(b.ws), b.Click(1, 1), b.Key(kKeyEscape);
       }},
  };
  std::string before = b.Bytes();
  for (const auto& [caption, change] : changes) {
    std::string start = b.Bytes();
    ASSERT_TRUE(b.Change(caption, change)) << caption;
    std::string after = b.Bytes();
    EXPECT_NE(after, start) << caption;
    EXPECT_EQ(b.history.UndoCaption(), caption);
    ASSERT_TRUE(b.history.Undo(b.fig));
    Redraw(b.r);
    EXPECT_EQ(b.Bytes(), start) << caption;
    ASSERT_TRUE(b.history.Redo(b.fig));
    Redraw(b.r);
    EXPECT_EQ(b.Bytes(), after) << caption;
  }
  while (b.history.Undo(b.fig)) Redraw(b.r);
  EXPECT_EQ(b.Bytes(), before);
  EXPECT_EQ(b.history.RedoCaption(), "construction");
}

TEST(History, NewChangeDropsRedoAndSavedStateIsKnown) {
  Recorder b;
  b.history.MarkSaved();
  EXPECT_FALSE(b.history.IsModified());
  EXPECT_FALSE(b.Change("nothing", [&] { Redraw(b.r); }));  // no change, no entry
  b.Change("one", [&] { DeleteLast(b.ws); });
  b.Change("two", [&] { DeleteLast(b.ws); });
  EXPECT_TRUE(b.history.IsModified());
  b.history.Undo(b.fig);
  b.history.Undo(b.fig);
  EXPECT_FALSE(b.history.IsModified());  // back where it was saved
  b.Change("three", [&] { b.PlacePoints({{2, 2}}); });
  EXPECT_FALSE(b.history.CanRedo());
  EXPECT_EQ(b.history.Entries(), 1u);
  EXPECT_TRUE(b.history.IsModified());
}

// The history keeps at most its budget, dropping the oldest changes, but
// always the newest.
TEST(History, MemoryIsBounded) {
  Recorder b;
  size_t one = FigureState::Of(b.fig).Bytes();
  b.history = History(3 * one + one / 2);
  for (int i = 0; i < 6; ++i) b.Change("point", [&] { b.PlacePoints({{i * 0.5, 1}}); });
  EXPECT_EQ(b.history.Entries(), 3u);
  EXPECT_LE(b.history.Bytes(), 3 * one + one / 2 + 2 * sizeof(PointRecord) * 10);
  int undone = 0;
  while (b.history.Undo(b.fig)) ++undone;
  EXPECT_EQ(undone, 3);
  EXPECT_EQ(b.fig.ObjectCounts[kPointClass], 6);  // three points stay
}

}  // namespace
}  // namespace sakuzu
