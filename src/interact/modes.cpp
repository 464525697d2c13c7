#include "interact/modes.h"

#include <algorithm>
#include <initializer_list>

namespace sakuzu {
namespace {

struct ModeNameEntry {
  int mode;
  std::string_view name;
};

constexpr ModeNameEntry kModeNames[] = {
    {1, "スタート"},
    {2, "標準"},
    {3, "ｵﾌﾟｼｮﾝ"},
    {4, "補助"},
    {5, "ヘルプ"},
    {6, "変形"},
    {7, "ズーム"},
    {8, "例__読込"},
    {9, "保存中"},
    {10, "編集"},
    {11, "軌跡"},
    {12, "関数選択"},
    {13, "選択"},
    {14, "複数選択"},
    {15, "選択(作図中)"},
    {16, "計算中"},
    {17, "作図構成"},
    {18, "作図開始"},
    {19, "測定"},
    {20, "ﾌｧｲﾙ消去"},
    {21, "数式入力"},
    {22, "数値変化"},
    {23, "ｻﾌﾞﾒﾆｭｰ"},
    {24, "マクロ"},
    {25, "図形追加"},
    {26, "回転"},
    {27, "ﾌｧｲﾙ改名"},
    {28, "点の追加"},
    {29, "点の追加"},
    {30, "点の位置設定"},
    {40, "選択(編集)"},
    {42, "編集"},
    {43, "編集"},
    {44, "編集"},
    {51, "点の動きの束縛"},
    {52, "選択(束縛する点)"},
    {53, "選択(どこに束縛)"},
    {60, "数値選択"},
    {61, "複数点変形"},
    {62, "複数選択"},
    {63, "数値選択"},
    {70, "落書き"},  // scribbling: the status bar names it instead of beeping
    {71, "軌跡(変数)の選択"},
    {72, "ドラッグ"},
    {73, "作図再生"},
    {80, "関係を調べる"},
    {81, "選択(関係)"},
};

bool Contains(std::initializer_list<int> modes, int mode) {
  return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

void Changed(ModeStack& modes) {
  ++modes.generation;
  if (modes.changed) modes.changed();
}

}  // namespace

void ClearModes(ModeStack& modes) {
  modes.entries = {};
  modes.depth = 0;
  Changed(modes);
}

void PushMode(ModeStack& modes, int16_t mode, Shell& shell) {
  if (mode == kPopMode) {
    if (modes.depth <= 1) {
      shell.Beep();
      return;
    }
    modes.entries[modes.depth] = 0;
    --modes.depth;
    Changed(modes);
    return;
  }
  // A deeper nesting than any command builds is a bug; refuse it audibly
  // rather than write past the stack.
  if (modes.depth >= kModeStackSize) {
    shell.Beep();
    return;
  }
  ++modes.depth;
  modes.entries[modes.depth] = mode;
  Changed(modes);
}

std::optional<int16_t> CurrentMode(const ModeStack& modes) {
  if (modes.depth <= 0) return std::nullopt;
  return modes.entries[modes.depth];
}

bool IsCurrentMode(const ModeStack& modes, int16_t mode) { return CurrentMode(modes) == mode; }

std::string_view ModeJapaneseName(int mode) {
  for (const ModeNameEntry& entry : kModeNames) {
    if (entry.mode == mode) return entry.name;
  }
  return {};
}

std::string ModeName(const ModeStack& modes, Shell& shell,
                     const std::function<std::string(const std::string&)>& translate) {
  std::optional<int16_t> mode = CurrentMode(modes);
  std::string_view name = mode ? ModeJapaneseName(*mode) : std::string_view{};
  if (name.empty()) {
    shell.Beep();
    return {};
  }
  std::string text(name);
  return translate ? translate(text) : text;
}

// Every selection and deformation mode takes the mouse and the keys: the
// construction inputs (15) are chosen like any other selection, and the
// keyboard steps of numbers (22), placed points (30) and several points
// (61, 62) need their keys. A point being placed (28) follows the mouse.
bool ModeHandles(int mode, ModeEvent event) {
  switch (event) {
    case ModeEvent::kMouseDown:
      return Contains({1, 2, 4, 6, 7, 13, 14, 15, 22, 28, 30, 40, 52, 53, 61, 62, 70, 72, 73, 81},
                      mode);
    case ModeEvent::kMouseMove:
      return Contains({2, 6, 28, 30, 61, 70, 72}, mode);
    case ModeEvent::kMouseUp:
      return Contains({70, 72}, mode);
    case ModeEvent::kKeyDown:
      return Contains({6, 13, 14, 15, 22, 28, 30, 40, 52, 53, 61, 62, 70, 73, 81}, mode);
  }
  return false;
}

std::string FileNameWithoutFolder(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string WindowCaption(std::string_view figureFileName, std::string_view title,
                          std::string_view version) {
  return "[" + FileNameWithoutFolder(figureFileName) + "] " + std::string(title) + " " +
         std::string(version);
}

}  // namespace sakuzu
