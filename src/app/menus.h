// The main window's menu bar: the tree of commands with their object names,
// Japanese captions and shortcuts, the check marks that mirror the settings,
// the enabling of the top menus by interaction mode, and the easy and full
// menu modes.
//
// Every menu and item carries its control name as its Qt object name, so the
// window connects commands with findChild<QAction*>("mnuLoad"). A submenu's
// QMenu and its menuAction() both carry the menu's name; the action is what
// shows, hides, enables and captions the entry in its parent.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sakuzu {

// The same callback type as the model's (lang/translate.h MakeTranslator
// gives one); repeated here so this header stays free of the model.
using TranslateFn = std::function<std::string(const std::string&)>;

constexpr int16_t kEasyMenuMode = -1;
constexpr int16_t kFullMenuMode = 0;

// One entry of the tree in menu order. `parent` is empty for the entries on
// the menu bar itself.
struct MenuEntry {
  std::string_view name;
  std::string_view parent;
  std::string caption;  // Japanese designer caption
  QKeySequence shortcut;
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

// Items whose commands arrive with later work (construction, dragging,
// loci, attributes, scribble, new figure, the easy-menu copies of
// construction and measurement): built disabled. The window enables an item
// when it connects its command.
const std::vector<std::string_view>& FutureItemNames();

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
  // Window size marks: the window's current state (0 normal, 1 minimized,
  // 2 maximized) and size in twips, and the saved state.
  int16_t windowState = 0;
  int windowWidthTwips = 0;
  int windowHeightTwips = 0;
  int16_t savedWindowState = 0;
  // The window size the VGA command gives on this screen: a drawing area
  // of 628 by 430 pixels with the menu bar and status bar around it (9596
  // by 7545 twips on the system the figures come from).
  // The sizes the standard and VGA commands give on this screen.
  int standardWidthTwips = 6525;
  int standardHeightTwips = 6615;
  int vgaWidthTwips = 9596;
  int vgaHeightTwips = 7545;
};

// Twips by which a window may differ from the standard or VGA size and still
// get its check mark: pixel rounding makes exact sizes rare.
constexpr int kWindowSizeToleranceTwips = 30;

struct SavedCaption {
  std::string name;
  std::string caption;  // Japanese source text
};

// Owns no Qt object: the QMenuBar owns every menu and action. Keep this
// object alive as long as the bar (it holds the captions and menu mode).
class MenuBar {
 public:
  // Builds the tree into `bar` in the design state: full menu, easy menus
  // hidden, the object pop-up off the bar, the unreachable font-size,
  // colour-strength and call-history items hidden and disabled, future items
  // disabled, design check marks set. Captions pass through `translate`.
  MenuBar(QMenuBar* bar, TranslateFn translate);

  QMenuBar* Bar() const { return bar_; }
  // The item or the submenu's menuAction() of that name, or null. Qt reports
  // a hidden entry as disabled; it regains its own state when shown.
  QAction* Action(std::string_view name) const;
  // The submenu of that name (for the object pop-up), or null.
  QMenu* Menu(std::string_view name) const;

  // Every menu and item with its Japanese caption, in a fixed order, taken
  // once when the bar is built.
  const std::vector<SavedCaption>& SavedCaptions() const { return saved_; }
  // The Japanese caption of an entry, or "" for no such entry.
  std::string JapaneseCaption(std::string_view name) const;
  // Re-captions every entry from the saved captions (never from the shown
  // ones). Captions set by SetCaption keep their own source text, so the
  // menu switch keeps naming the other mode after a language change.
  void ApplyMenuCaptions(const TranslateFn& translate);
  void ApplyMenuCaptions();
  // Shows `text` (translated when asked) on the entry and remembers it as
  // the source for later re-captioning.
  void SetCaption(std::string_view name, std::string_view text, bool translated = true);
  // Back to the designer caption.
  void ResetCaption(std::string_view name);

  void MenuCheckSet(const MenuCheckState& state);
  // Enables the top menus for interaction mode `mode` (0 for an empty mode
  // stack). The easy construction and measurement menus follow their full
  // counterparts.
  void MenuEnabledSet(int mode);

  void SetMenuEasy();
  void SetMenuFull();
  // The command mnuEasyMenu: to the other mode (the caller redraws).
  void SwitchMenuMode();
  int16_t MenuMode() const { return menuMode_; }

 private:
  QString Caption(const std::string& japanese, bool translated) const;
  void PlaceUndoKeys(bool easy);

  QMenuBar* bar_;
  TranslateFn translate_;
  std::vector<std::pair<std::string, QPointer<QAction>>> actions_;  // tree order
  std::vector<std::pair<std::string, QPointer<QMenu>>> menus_;
  std::vector<SavedCaption> saved_;
  struct Override {
    std::string name;
    std::string text;
    bool translated = true;
  };
  std::vector<Override> overrides_;
  int16_t menuMode_ = kFullMenuMode;
};

}  // namespace sakuzu
