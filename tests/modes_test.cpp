#include "interact/modes.h"

#include <gtest/gtest.h>

#include <string>

#include "test_figure.h"

namespace sakuzu {
namespace {

TEST(ModesTest, StackNamesAndEvents) {
  ModeStack modes;
  RecordingShell shell;
  EXPECT_EQ(ModeName(modes, shell), "");  // empty stack: no name, a beep
  EXPECT_EQ(shell.beeps, 1);
  PushMode(modes, 2, shell);
  PushMode(modes, 40, shell);
  PushMode(modes, kPopMode, shell);
  EXPECT_EQ(ModeName(modes, shell), "標準");
  PushMode(modes, kPopMode, shell);  // the bottom mode stays, with a beep
  EXPECT_EQ(shell.beeps, 2);
  EXPECT_EQ(CurrentMode(modes), 2);

  PushMode(modes, 42, shell);
  PushMode(modes, 40, shell);
  EXPECT_EQ(ModeName(modes, shell), "選択(編集)");
  PushMode(modes, kPopMode, shell);
  EXPECT_EQ(ModeName(modes, shell), "編集");
  EXPECT_EQ(modes.entries[3], 0);  // a popped entry is cleared

  auto english = [](const std::string& t) { return t == "ドラッグ" ? std::string("Drag") : t; };
  PushMode(modes, kModeDrag, shell);
  EXPECT_EQ(ModeName(modes, shell, english), "Drag");
  PushMode(modes, 41, shell);  // a number without a name
  EXPECT_EQ(ModeName(modes, shell, english), "");
  EXPECT_EQ(shell.beeps, 3);
  // A full stack refuses the push audibly instead of overflowing.
  while (modes.depth < kModeStackSize) PushMode(modes, 13, shell);
  PushMode(modes, 72, shell);
  EXPECT_EQ(shell.beeps, 4);
  EXPECT_EQ(CurrentMode(modes), 13);

  EXPECT_TRUE(ModeHandles(72, ModeEvent::kMouseUp));
  EXPECT_FALSE(ModeHandles(2, ModeEvent::kMouseUp));
  EXPECT_TRUE(ModeHandles(73, ModeEvent::kKeyDown));
  EXPECT_EQ(WindowCaption("C:\\figs\\tri.zk4", "Sakuzu", "4.1.2"), "[tri.zk4] Sakuzu 4.1.2");
}

}  // namespace
}  // namespace sakuzu
