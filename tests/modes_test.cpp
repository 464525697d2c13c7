#include "interact/modes.h"

#include <gtest/gtest.h>

#include <string>

namespace sakuzu {
namespace {

class BeepShell : public Shell {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

TEST(ModesTest, PushPopAndTheBottomMode) {
  ModeStack modes;
  BeepShell shell;
  EXPECT_FALSE(CurrentMode(modes).has_value());
  EXPECT_EQ(ModeName(modes, shell), "");  // empty stack: no name, a beep
  EXPECT_EQ(shell.beeps, 1);

  PushMode(modes, 2, shell);
  PushMode(modes, 40, shell);
  EXPECT_EQ(ModeName(modes, shell), "選択(編集)");
  PushMode(modes, kPopMode, shell);
  EXPECT_EQ(CurrentMode(modes), 2);
  EXPECT_EQ(ModeName(modes, shell), "標準");
  EXPECT_EQ(shell.beeps, 1);
  PushMode(modes, kPopMode, shell);  // the bottom mode stays
  EXPECT_EQ(shell.beeps, 2);
  EXPECT_EQ(CurrentMode(modes), 2);
  EXPECT_EQ(modes.depth, 1);

  PushMode(modes, 42, shell);
  PushMode(modes, 40, shell);
  EXPECT_EQ(ModeName(modes, shell), "選択(編集)");
  PushMode(modes, kPopMode, shell);
  EXPECT_EQ(ModeName(modes, shell), "編集");
  EXPECT_EQ(modes.entries[3], 0);  // a popped entry is cleared

  // A full stack refuses the push audibly instead of overflowing.
  int before = shell.beeps;
  while (modes.depth < kModeStackSize) PushMode(modes, 13, shell);
  PushMode(modes, 72, shell);
  EXPECT_EQ(shell.beeps, before + 1);
  EXPECT_EQ(CurrentMode(modes), 13);
}

TEST(ModesTest, NamesTranslationAndEvents) {
  BeepShell shell;
  ModeStack modes;
  auto english = [](const std::string& t) { return t == "ドラッグ" ? std::string("Drag") : t; };
  PushMode(modes, kModeDrag, shell);
  EXPECT_EQ(ModeName(modes, shell, english), "Drag");
  for (int16_t unnamed : {41, 70, 0, 99}) {
    PushMode(modes, unnamed, shell);
    EXPECT_EQ(ModeName(modes, shell, english), "") << unnamed;
  }
  EXPECT_EQ(shell.beeps, 4);
  EXPECT_EQ(ModeJapaneseName(29), "点の追加");
  EXPECT_EQ(ModeJapaneseName(62), "複数選択");
  EXPECT_EQ(ModeJapaneseName(63), "数値選択");
  EXPECT_EQ(ModeJapaneseName(73), "作図再生");

  EXPECT_TRUE(ModeHandles(73, ModeEvent::kKeyDown));
  EXPECT_TRUE(ModeHandles(72, ModeEvent::kMouseUp));
  EXPECT_FALSE(ModeHandles(2, ModeEvent::kMouseUp));
  EXPECT_FALSE(ModeHandles(15, ModeEvent::kMouseDown));
  EXPECT_TRUE(ModeHandles(61, ModeEvent::kMouseMove));

  EXPECT_EQ(WindowCaption("/home/u/figs/tri.zk4", "Sakuzu", "4.1.2"), "[tri.zk4] Sakuzu 4.1.2");
  EXPECT_EQ(FileNameWithoutFolder("C:\\data\\a.zk4"), "a.zk4");
  EXPECT_EQ(FileNameWithoutFolder("untitled"), "untitled");
}

}  // namespace
}  // namespace sakuzu
