// The interaction modes form a stack: a command enters a sub-mode (choosing
// the object to edit on top of editing) and returns to the mode beneath it
// when it ends. The status bar names the mode on top.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace sakuzu {

constexpr int kModeStackSize = 100;
constexpr int16_t kPopMode = -1;  // the value PushMode reads as "pop"

// Mode numbers named by more than one module.
constexpr int16_t kModeStandard = 2;        // "標準"
constexpr int16_t kModeDeform = 6;          // "変形"
constexpr int16_t kModeLoadExample = 8;     // "例__読込"
constexpr int16_t kModeSelect = 13;         // "選択"
constexpr int16_t kModeMultiSelect = 14;    // "複数選択"
constexpr int16_t kModeConstructPick = 15;  // "選択(作図中)"
constexpr int16_t kModeCalculating = 16;    // "計算中"
constexpr int16_t kModeConstruct = 17;      // "作図構成"
constexpr int16_t kModeExpression = 21;     // "数式入力"
constexpr int16_t kModeVariation = 22;      // "数値変化"
constexpr int16_t kModeNewPoint = 28;       // "点の追加"
constexpr int16_t kModeBoundPoint = 29;     // "点の追加"
constexpr int16_t kModePlacePoint = 30;     // "点の位置設定"
constexpr int16_t kModeEditSelect = 40;     // "選択(編集)"
constexpr int16_t kModeEditNumber = 41;     // 41 to 44: editing a number, point, line, circle
constexpr int16_t kModeEditCircle = 44;
constexpr int16_t kModeBind = 51;             // "点の動きの束縛"
constexpr int16_t kModeBindPointSelect = 52;  // "選択(束縛する点)"
constexpr int16_t kModeBindHostSelect = 53;   // "選択(どこに束縛)"
constexpr int16_t kModeNumberChoice = 60;     // "数値選択"
constexpr int16_t kModeMultiDeform = 61;      // "複数点変形"
constexpr int16_t kModeMultiChoose = 62;      // "複数選択"
constexpr int16_t kModeVaryChoice = 63;       // "数値選択"
constexpr int16_t kModeScribble = 70;
constexpr int16_t kModeLocusVariable = 71;  // "軌跡(変数)の選択"
constexpr int16_t kModeDrag = 72;           // "ドラッグ"
constexpr int16_t kModeReplay = 73;         // "作図再生"
constexpr int16_t kModeRelation = 80;        // "関係を調べる"
constexpr int16_t kModeRelationChoose = 81;  // "選択(関係)"

struct ModeStack {
  std::array<int16_t, kModeStackSize + 1> entries{};  // 1-based; slot 0 unused
  int16_t depth = 0;
  // Counts the changes, so that the caller of an event sees whether it
  // changed the modes.
  uint32_t generation = 0;
  // Told after every change: the session keeps the picture's draw state
  // in step with the mode on top.
  std::function<void()> changed;
};

// Empties the stack (the observer stays).
void ClearModes(ModeStack& modes);

// Pushes `mode`, or pops with kPopMode. Popping the bottom mode (depth 1 or
// less) beeps and changes nothing; so does pushing onto a full stack.
void PushMode(ModeStack& modes, int16_t mode, Shell& shell);

// The mode on top, or nothing when the stack is empty.
std::optional<int16_t> CurrentMode(const ModeStack& modes);
bool IsCurrentMode(const ModeStack& modes, int16_t mode);

// The Japanese name of a mode, or empty for a number without a name.
std::string_view ModeJapaneseName(int mode);
// The name of the current mode for status panel 1, through `translate`;
// a mode without a name (or an empty stack) beeps and gives "".
std::string ModeName(const ModeStack& modes, Shell& shell,
                     const std::function<std::string(const std::string&)>& translate = {});

// Which window events a mode acts on (everything else ignores the event).
enum class ModeEvent { kMouseDown, kMouseMove, kMouseUp, kKeyDown };
bool ModeHandles(int mode, ModeEvent event);

// The status line texts of the window: the caption
// "[file] title major.minor.revision" and panel 2, the file name without
// its folder.
std::string FileNameWithoutFolder(std::string_view path);
std::string WindowCaption(std::string_view figureFileName, std::string_view title,
                          std::string_view version);

}  // namespace sakuzu
