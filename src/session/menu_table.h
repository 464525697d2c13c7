// The menu bar's tree of commands as data, shared by every front end: the
// items with their object names, Japanese captions and shortcuts, the easy
// menu and the full-menu command each easy item runs, which top menus each
// interaction mode enables, and the check marks that mirror the settings.
// The window builds Qt menus from it; the page builds its own.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sakuzu {

using TranslateFnRef = std::function<std::string(const std::string&)>;

constexpr int16_t kEasyMenuMode = -1;
constexpr int16_t kFullMenuMode = 0;

// One entry of the tree in menu order. `parent` is empty for the entries on
// the menu bar itself. `shortcut` is in the portable form ("Ctrl+Shift+F9").
struct MenuEntry {
  std::string_view name;
  std::string_view parent;
  std::string caption;  // Japanese designer caption
  std::string_view shortcut;
  bool submenu = false;
};

// The whole tree in menu order (menus before their items).
const std::vector<MenuEntry>& MenuTree();

// Easy-menu items and the full-menu command each one runs.
struct EasyMenuLink {
  std::string_view easyItem;
  std::string_view fullItem;
};
const std::vector<EasyMenuLink>& EasyMenuLinks();

// Items whose commands arrive with later work: built disabled.
const std::vector<std::string_view>& FutureItemNames();

// The top menus that follow the interaction mode, and whether `mode` (0
// for an empty mode stack) enables one. The easy construction and
// measurement menus follow their full counterparts.
std::span<const std::string_view> ModeMenus();
bool MenuEnabledInMode(std::string_view menu, int mode);

// What the easy menu hides and the full menu shows again.
std::span<const std::string_view> FullOnlyItems();
// Items with a check mark; those checked as designed; those reachable in
// the design but never shown (their prompts stay in the program).
std::span<const std::string_view> CheckableItems();
std::span<const std::string_view> DesignCheckedItems();
std::span<const std::string_view> UnreachableItems();

// The settings and switches the check marks show.
struct MenuCheckState {
  bool labelsOff = false;   // NotChrDisp
  bool angleMarks = false;  // angle-mark switch
  bool smooth = true;       // antialiased drawing
  bool axisOn = false;      // axissw
  int16_t axisKind = 0;     // 0 orthogonal, 1 polar
  int16_t delta = 10;       // deformation step
  double deltaVar = 0.5;    // variation step
  int16_t sDeformKind = 0;  // Shift-drag snapping 0, 1, 2
  int16_t savedMenuMode = kFullMenuMode;
  int32_t replayInterval = 500;  // ms
  bool locusOn = false;          // locus switch
  bool matrixDisplay = false;    // transformation matrices to the text window
  int16_t displaySize = 0;       // "表示の大きさ" 0, 1, 2
  bool newPointMarks = true;     // new points get visible marks
  // Window size marks: the window's current state (0 normal, 1 minimized,
  // 2 maximized) and size in twips, and the saved state.
  int16_t windowState = 0;
  int windowWidthTwips = 0;
  int windowHeightTwips = 0;
  int16_t savedWindowState = 0;
  // The sizes the standard and VGA commands give on this screen (a VGA
  // window has a drawing area of 628 by 430 pixels with the menu bar and
  // status bar around it: 9596 by 7545 twips on the system the figures
  // come from).
  int standardWidthTwips = 6525;
  int standardHeightTwips = 6615;
  int vgaWidthTwips = 9596;
  int vgaHeightTwips = 7545;
};

// Twips by which a window may differ from the standard or VGA size and still
// get its check mark: pixel rounding makes exact sizes rare.
constexpr int kWindowSizeToleranceTwips = 30;

// The check mark of every checkable item for a state.
std::vector<std::pair<std::string_view, bool>> MenuChecks(const MenuCheckState& state);

// What a front end needs to show every entry as the window shows it.
struct MenuInputs {
  int mode = 0;  // the interaction mode on top (0 for none)
  int16_t menuMode = kFullMenuMode;
  MenuCheckState checks;
  std::string undoCaption, redoCaption;  // translated
  bool canUndo = false, canRedo = false;
  // The entries this front end leaves out, and the shortcuts it moves
  // elsewhere (keys a browser keeps for itself).
  std::vector<std::string_view> leftOut;
  std::vector<std::pair<std::string_view, std::string_view>> shortcuts;
};

struct MenuItemState {
  std::string_view name, parent;
  std::string caption;  // translated
  std::string_view shortcut;
  bool submenu = false;
  bool visible = true;
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
};

// Every entry of the tree in menu order, shown for the state: the easy or
// full menu, the top menus the mode enables, the easy items following
// their full commands, the check marks, the undo captions.
std::vector<MenuItemState> MenuStates(const MenuInputs& inputs, const TranslateFnRef& translate);

}  // namespace sakuzu
