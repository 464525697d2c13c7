#include "interact/picking.h"

#include <gtest/gtest.h>

#include "interaction_fixture.h"

namespace sakuzu {
namespace {

using testing::Bench;

constexpr double kPx = 0.05;  // one pixel at the standard scale

// The weighted hover distances: free points count half, lines and
// circles three times but never below 7 pixels, a hit is within 10.
TEST(Picking, HoverWeightsAndLimits) {
  Bench b;
  ObjectRef free = b.Point(0, 0);
  b.Compute();
  EXPECT_EQ(PickForDrag(b.ws, 12 * kPx, 0), free);  // 12 px weighs 6: a hit
  EXPECT_EQ(b.panel4, "点A");
  EXPECT_EQ(b.cursor, CursorShape::kMove);
  EXPECT_TRUE(HasMark(b.r, MarkTag::kHover, free));
  EXPECT_TRUE(PickForDrag(b.ws, 21 * kPx, 0).IsEmpty());  // 10.5 px
  EXPECT_EQ(b.panel4, "");
  EXPECT_EQ(b.cursor, CursorShape::kArrow);
  EXPECT_FALSE(HasMark(b.r, MarkTag::kHover, free));

  // The mouse on a line and a constructed point 8 px away: the line
  // (raised to 7 px) wins; at 6 px the point wins.
  Bench c;
  ObjectRef p = c.Point(-5, 0), q = c.Point(5, 0);
  ObjectRef line = c.Made("L1", {p, q}, kLineClass);
  ObjectRef mid = c.Made("P3", {p, q, q}, kPointClass);  // the centroid (5/3, 0)
  c.Compute();
  double x = c.fig.Points[mid.index].x;
  EXPECT_EQ(PickForDrag(c.ws, x + 8 * kPx, 0), line);
  EXPECT_EQ(PickForDrag(c.ws, x + 6 * kPx, 0), mid);
  EXPECT_FALSE(HasMark(c.r, MarkTag::kHover, mid));  // not draggable: no mark
  // A circle 4 px away weighs 12: not hit.
  Bench e;
  ObjectRef centre = e.Point(0, 0), rim = e.Point(3, 0);
  e.fig.Points[centre.index].independent = 0, e.fig.Points[rim.index].independent = 0;
  e.Made("C2", {centre, rim}, kCircleClass);
  e.Compute();
  EXPECT_TRUE(PickForDrag(e.ws, 0, 3 + 4 * kPx).IsEmpty());
}

// Selection: a click on another candidate only moves the highlight, a
// second click confirms; the arrows wrap and skip what is excluded.
TEST(Picking, SelectionByMouseAndKeys) {
  Bench b;
  b.PlacePoints({{-4, 0}, {4, 0}, {0, 3}});
  ASSERT_TRUE(RunKindCommand(b.ws, "mnuPgaishin"));
  EXPECT_EQ(b.ws.pick.current, (ObjectRef{kPointClass, 1}));
  b.Click(4, 0.1);  // B: only highlighted
  EXPECT_EQ(b.ws.pick.current, (ObjectRef{kPointClass, 2}));
  EXPECT_EQ(b.fig.StepInputs[b.fig.StepCount][1].index, 0);
  b.Click(4, 0.1);  // confirmed
  EXPECT_EQ(b.fig.StepInputs[b.fig.StepCount][1].index, 2);
  EXPECT_TRUE(HasMark(b.r, MarkTag::kPicked, ObjectRef{kPointClass, 2}));
  // B is taken: Down from A skips it, and wraps from C to A.
  EXPECT_EQ(b.ws.pick.current.index, 1);
  b.Key(kKeyDown);
  EXPECT_EQ(b.ws.pick.current.index, 3);
  b.Key(kKeyDown);
  EXPECT_EQ(b.ws.pick.current.index, 1);
  b.Key(kKeyUp);
  EXPECT_EQ(b.ws.pick.current.index, 3);
  b.Key(kKeyEnter);
  b.Key(kKeyEnter);  // A
  EXPECT_EQ(b.Kinds(), "PNEW PNEW PNEW P1");
  EXPECT_EQ(b.Modes(), std::vector<int16_t>{kModeStandard});
  EXPECT_TRUE(b.r.overlay.empty());  // the full update removed the marks
}

TEST(Picking, PopupEntriesByObject) {
  Bench b;
  ObjectRef a = b.Point(0, 0), c = b.Point(2, 0);
  ObjectRef line = b.Made("L1", {a, c}, kLineClass);
  b.Compute();
  b.fig.Points[c.index].bindKind = kLineClass;
  b.Click(1, 0, MouseButton::kRight);  // on the line
  ASSERT_TRUE(b.popup);
  EXPECT_EQ(b.popup->object, line);
  EXPECT_EQ(b.popup->entries[0].caption, "編集:線 " + b.fig.Lines[line.index].name);
  EXPECT_FALSE(b.popup->entries[1].visible || b.popup->entries[2].visible);
  PopupMenu menu = PopupMenuFor(b.ws, a);  // free: binding and keys; not bound: no set-free
  EXPECT_EQ(menu.entries[1].caption, "束縛条件の編集:点 A");
  EXPECT_TRUE(menu.entries[1].visible && menu.entries[3].visible && !menu.entries[2].visible);
  EXPECT_TRUE(PopupMenuFor(b.ws, c).entries[2].visible);
  // On nothing, the right button redraws; in the simple menu too.
  b.popup.reset();
  b.Click(-9, 7, MouseButton::kRight);
  EXPECT_FALSE(b.popup);
}

}  // namespace
}  // namespace sakuzu
