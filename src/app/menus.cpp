#include "app/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <cstdlib>

namespace sakuzu {

namespace {

QKeySequence Shortcut(std::string_view text) {
  return QKeySequence::fromString(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
      QKeySequence::PortableText);
}

}  // namespace

MenuBar::MenuBar(QMenuBar* bar, TranslateFn translate)
    : bar_(bar), translate_(std::move(translate)) {
  for (const MenuEntry& entry : MenuTree()) {
    QString name = QString::fromUtf8(entry.name.data(), entry.name.size());
    QMenu* parentMenu = entry.parent.empty() ? nullptr : Menu(entry.parent);
    QAction* action = nullptr;
    if (entry.submenu) {
      QMenu* menu = parentMenu ? parentMenu->addMenu(QString()) : bar_->addMenu(QString());
      menu->setObjectName(name);
      menus_.emplace_back(std::string(entry.name), menu);
      action = menu->menuAction();
    } else {
      action = parentMenu ? parentMenu->addAction(QString()) : bar_->addAction(QString());
      action->setShortcut(Shortcut(entry.shortcut));
    }
    action->setObjectName(name);
    actions_.emplace_back(std::string(entry.name), action);
    saved_.push_back({std::string(entry.name), entry.caption});
  }
  for (std::string_view name : CheckableItems()) Action(name)->setCheckable(true);
  for (std::string_view name : DesignCheckedItems()) Action(name)->setChecked(true);
  for (std::string_view name : FutureItemNames()) Action(name)->setEnabled(false);
  for (std::string_view name : UnreachableItems()) {
    Action(name)->setVisible(false);
    Action(name)->setEnabled(false);
  }
  Action("mnuEdit2_point")->setVisible(false);
  PlaceUndoKeys(false);
  Action("mnuEasyConst")->setVisible(false);
  Action("mnuEasy_Measure")->setVisible(false);

  // An easy item runs its full-menu command and is available exactly when
  // that command is.
  for (const EasyMenuLink& link : EasyMenuLinks()) {
    QAction* easy = Action(link.easyItem);
    QAction* full = Action(link.fullItem);
    easy->setEnabled(full->isEnabled());
    QObject::connect(easy, &QAction::triggered, full, [full] { full->trigger(); });
    QObject::connect(full, &QAction::changed, easy,
                     [easy, full] { easy->setEnabled(full->isEnabled()); });
  }
  ApplyMenuCaptions();
}

QAction* MenuBar::Action(std::string_view name) const {
  for (const auto& [key, action] : actions_) {
    if (key == name) return action.data();
  }
  return nullptr;
}

QMenu* MenuBar::Menu(std::string_view name) const {
  for (const auto& [key, menu] : menus_) {
    if (key == name) return menu.data();
  }
  return nullptr;
}

QString MenuBar::Caption(const std::string& japanese, bool translated) const {
  std::string text = translated && translate_ ? translate_(japanese) : japanese;
  return QString::fromStdString(text);
}

void MenuBar::ApplyMenuCaptions(const TranslateFn& translate) {
  translate_ = translate;
  ApplyMenuCaptions();
}

void MenuBar::ApplyMenuCaptions() {
  for (const SavedCaption& saved : saved_) {
    QAction* action = Action(saved.name);
    if (action == nullptr) continue;
    auto own = std::find_if(overrides_.begin(), overrides_.end(),
                            [&](const Override& o) { return o.name == saved.name; });
    if (own != overrides_.end()) {
      action->setText(Caption(own->text, own->translated));
    } else {
      action->setText(Caption(saved.caption, true));
    }
  }
}

void MenuBar::SetCaption(std::string_view name, std::string_view text, bool translated) {
  QAction* action = Action(name);
  if (action == nullptr) return;
  ResetCaption(name);
  overrides_.push_back({std::string(name), std::string(text), translated});
  action->setText(Caption(overrides_.back().text, translated));
}

std::string MenuBar::JapaneseCaption(std::string_view name) const {
  for (const sakuzu::SavedCaption& saved : saved_) {
    if (saved.name == name) return saved.caption;
  }
  return {};
}

void MenuBar::ResetCaption(std::string_view name) {
  std::erase_if(overrides_, [&](const Override& o) { return o.name == name; });
  for (const SavedCaption& saved : saved_) {
    if (saved.name != name) continue;
    if (QAction* action = Action(name)) action->setText(Caption(saved.caption, true));
  }
}

void MenuBar::MenuCheckSet(const MenuCheckState& state) {
  for (const auto& [name, on] : MenuChecks(state)) Action(name)->setChecked(on);
}

void MenuBar::MenuEnabledSet(int mode) {
  for (std::string_view menu : ModeMenus()) Action(menu)->setEnabled(MenuEnabledInMode(menu, mode));
  Action("mnuEasyConst")->setEnabled(MenuEnabledInMode("mnuConstruction", mode));
  Action("mnuEasy_Measure")->setEnabled(MenuEnabledInMode("mnuMeasure", mode));
}

// Undo and redo keep their keys in either menu: the keys belong to the
// items that are shown (a hidden menu's keys do not work).
void MenuBar::PlaceUndoKeys(bool easy) {
  const QList<QKeySequence> undo = {QKeySequence(Qt::CTRL | Qt::Key_Z)};
  const QList<QKeySequence> redo = {QKeySequence(Qt::CTRL | Qt::Key_Y),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
  Action("mnuEUndo")->setShortcuts(easy ? QList<QKeySequence>{} : undo);
  Action("mnuERedo")->setShortcuts(easy ? QList<QKeySequence>{} : redo);
  Action("mnuEasy_Undo")->setShortcuts(easy ? undo : QList<QKeySequence>{});
  Action("mnuEasy_Redo")->setShortcuts(easy ? redo : QList<QKeySequence>{});
}

void MenuBar::SetMenuEasy() {
  menuMode_ = kEasyMenuMode;
  PlaceUndoKeys(true);
  SetCaption("mnuEasyMenu", "フルメニューに");
  for (std::string_view name : FullOnlyItems()) Action(name)->setVisible(false);
  for (std::string_view name : {"mnuEasyConst", "mnuEasy_Measure", "mnufB"}) {
    Action(name)->setVisible(true);
  }
}

void MenuBar::SetMenuFull() {
  menuMode_ = kFullMenuMode;
  PlaceUndoKeys(false);
  SetCaption("mnuEasyMenu", "簡易メニューに");
  for (std::string_view name :
       {"mnuFile", "mnuHelp", "mnuLocus", "mnuZoom", "mnuDeform", "mnuEasyMenu"}) {
    Action(name)->setVisible(true);
  }
  for (std::string_view name : FullOnlyItems()) Action(name)->setVisible(true);
  Action("mnuEasyConst")->setVisible(false);
  Action("mnuEasy_Measure")->setVisible(false);
}

void MenuBar::SwitchMenuMode() {
  if (menuMode_ == kEasyMenuMode) {
    SetMenuFull();
  } else {
    SetMenuEasy();
  }
}

}  // namespace sakuzu
