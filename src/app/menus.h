// The main window's menu bar, built from the menu table of the core
// (session/menu_table.h): Qt menus and actions with their object names,
// captions and shortcuts, the check marks, the enabling of the top menus by
// interaction mode, and the easy and full menu modes.
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

#include "session/menu_table.h"

namespace sakuzu {

// The same callback type as the model's (lang/translate.h MakeTranslator
// gives one); repeated here so this header stays free of the model.
using TranslateFn = std::function<std::string(const std::string&)>;

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
