// One figure being worked on, without any window: the figure, the view,
// the settings, the mode stack, the engine, the renderer, the interaction
// and the undo history. A front end (the window, the page) owns one, hands
// it every event and menu command, and shows what it reports: the layers
// drawn, the status texts, a pop-up menu to open. The session runs the
// pipeline of one event (undo bracket, dispatch, draw state) the same way
// for every front end. The command line builds one around a canvas of its
// own and runs the same start-up steps.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "geometry/engine.h"
#include "interact/dispatch.h"
#include "interact/history.h"
#include "interact/modes.h"
#include "interact/workspace.h"
#include "lang/translate.h"
#include "model/figure.h"
#include "model/figure_file.h"
#include "session/front_end.h"
#include "session/menu_table.h"
#include "session/settings.h"
#include "view/canvas.h"
#include "view/renderer.h"
#include "view/view_mapping.h"

namespace sakuzu {

// What the status bar and the window caption show, and the cursor and the
// replay timer.
struct StatusTexts {
  std::string caption;  // "[*name] Sakuzu 0.1.0"; "*" while unsaved
  std::string panel1;   // the mode
  std::string panel2;   // the figure file's name
  std::string panel3;   // the locus switch, or the replayed step
  std::string panel4;   // the object under the mouse, or what is being chosen
  // What a command picking its inputs needs next, or where an export
  // wrote; empty for nothing to say.
  std::string prompt;
  bool panel4Raised = false;
  CursorShape cursor = CursorShape::kArrow;
  bool replayTimer = false;
  int replayInterval = 0;  // milliseconds
  bool operator==(const StatusTexts&) const = default;
};

// What an event or a command changed, for the front end to show: present
// the layers drawn (once), refresh the status bar and menus, open a pop-up.
struct Update {
  bool figure = false;             // a change was kept, undone or redone, or another figure came
  bool modes = false;              // the mode stack: the menus' enabling, status panel 1
  bool status = false;             // the status texts, the cursor or the replay timer may differ
  uint8_t layers = 0;              // canvas layers drawn, one bit each (1 << Layer)
  std::optional<PopupMenu> popup;  // the object pop-up menu to open at the mouse
  // A change to undo closed with this event (kept or not): the figure is at
  // rest again, and work put off while it was under way may run.
  bool changeClosed = false;

  bool Any() const {
    return figure || modes || status || layers != 0 || popup.has_value() || changeClosed;
  }
};

class Session {
 public:
  Session(Canvas& canvas, FrontEnd& frontEnd, std::string programFolder);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // ----------------------------------------------------------- start-up
  // Before the settings: empty tables, standard scale.
  void ResetForStartUp();
  // The standard values, then the settings file; what neither sets keeps
  // its value. The language and display follow.
  void LoadSettings();
  void SaveSettings();
  // The standard values of the settings (display, steps, colours).
  void ResetSettings();
  // The settings as the renderer and the view use them, and back after a
  // command of the view changed them.
  void ApplySettings();
  void CollectSettings();
  // The view mapping for the canvas's current size.
  void SetScreen();
  // The mode stack with the standard mode at its bottom.
  void StartModes();
  // The command-line figure of the start-up: quotes removed; a file that
  // does not exist opens nothing. Returns the outcome of reading it (ok
  // when there was nothing to read); the figure is then redrawn, in the
  // complex-number view when it uses complex steps.
  FileOutcome OpenStartUpFigure(std::string_view commandLine);
  // The start-up steps that concern the drawing, with the figure at `path`
  // (a picture, a page): settings, language (empty: the settings'), view,
  // modes, the figure drawn as the window shows it right after opening.
  FileOutcome StartWithFigure(const std::string& path, const std::string& languageSetting = {});

  // -------------------------------------------------------------- files
  // The file routine: a refused file leaves everything as it was. A read
  // file's name becomes the figure's.
  FileOutcome ReadFigureFile(const std::string& path);
  FileOutcome MergeFigureFile(const std::string& path);
  FileOutcome WriteFigureFile(const std::string& path);
  // The file commands after their dialogs: a figure opened in place of
  // this one (traces emptied, unchanged since its file), saved under
  // `path`, or merged into this one; each redraws. False, and the reader's
  // message shown, when refused.
  bool OpenFigure(const std::string& path);
  bool SaveFigure(const std::string& path);
  bool MergeFigure(const std::string& path);
  // With unsaved changes: asks whether to save them first; false when the
  // user keeps the figure (Cancel, or a save that did not happen).
  bool MaySave();
  // The language of the user interface, kept in the settings file; the
  // figure's automatic names follow at once, as part of the caller's
  // change (the language command is one).
  void SetLanguage(const std::string& setting);

  // ------------------------------------------------------------- events
  // The drawing area's mouse and keys (pixels of the drawing area). A
  // press or key that starts at rest opens a change to undo, which closes
  // when the modes are at rest again.
  Update MouseDown(const MouseInput& input);
  Update MouseMove(const MouseInput& input);
  Update MouseUp(const MouseInput& input);
  Update DoubleClick();
  Update KeyDown(const KeyInput& input);
  // A tick of the replay timer.
  Update ReplayTick();
  // The wheel turned by `notches` (120ths of a turn make one; positive
  // away from the user enlarges) or a pinch by `factor`, at the pointer
  // (pixels of the drawing area): the view zooms about the pointer. Four
  // notches double the size. A change of the view is not a change to undo.
  Update Wheel(double px, double py, double notches);
  Update Pinch(double px, double py, double factor);

  // A menu command by its item name: the session's own, or one the front
  // end installed (files, window sizes, pictures). Each command that may
  // change the figure is one change to undo, captioned by its menu item.
  Update Command(std::string_view name);
  bool HasCommand(std::string_view name) const;
  void SetCommand(std::string_view name, std::function<void()> run);
  // Other work of the front end that changes the figure, as one change.
  Update Change(const std::string& caption, const std::function<void()>& work);

  // ------------------------------------------------------ what to show
  StatusTexts Status();
  // "元に戻す: 外接円": what undo and redo would take back or do again.
  std::string UndoCaption() const;
  std::string RedoCaption() const;
  // The check marks' state from the settings and switches; the front end
  // adds its window's size.
  MenuCheckState MenuChecks() const;
  int16_t MenuMode() const { return menuMode_; }
  void SetMenuMode(int16_t mode);

  // The online-save server: asked for with the "WWWサーバの設定" prompt
  // when none is set, and kept; false when there is still none.
  bool EnsureServerUrl();
  // A line for the status bar about what a command did ("保存しました:
  // path"); shown until the next command or press.
  void SetNote(std::string note) { note_ = std::move(note); }

  // "すべて表示" (0) and "すべて非表示" (7): the display of every computed
  // number; the numbers the user set free keep theirs. The caller redraws.
  void SetComputedNumbersDisplay(int16_t display);
  void Redraw();
  // What the drawing area shows at rest, drawn anew on another surface of
  // the same size (vector pictures, printing): the figure as it was last
  // computed, its traces and the marks over it.
  void DrawPicture(Canvas& target);
  std::string T(std::string_view japanese) const;
  const std::string& ProgramFolderPath() const { return programFolder_; }
  TranslateFn Translator() const { return translate_; }
  FrontEnd& Front() { return front_; }

  Figure fig;
  ViewState view;
  DisplaySettings display;
  ModeStack modes;
  Engine engine;
  Settings settings;
  Language language;
  Renderer renderer;
  // Picking, the construction commands and the deformation, and the
  // dispatcher of the drawing area's mouse and keys.
  Workspace workspace{renderer, modes};
  Dispatcher dispatcher{workspace};
  // Undo and redo, and whether the figure differs from its file.
  History history;

 private:
  void InstallCommands();
  void InstallOptionCommands();
  void Add(std::string_view name, std::function<void()> run);
  // The undo bracket: a change opens at rest and closes at rest.
  void BeginChange(const std::string& caption);
  bool EndChange();
  // The end of every event: settings collected, the change closed.
  Update Finish(const Changes& changes);
  template <typename Work>
  Update Event(const char* caption, Work work);
  void Undo(bool redo);
  void ChangeSettings(const std::function<void(Settings&)>& change, bool redraw);
  void AskSetting(const char* message, const char* title, const std::string& start,
                  const std::function<void(Settings&, const std::string&)>& apply, bool redraw);
  void NewFigureCommand();
  // The automatic names rebuilt; a renaming at rest is a change of its own.
  void RefreshAutoNames();

  FrontEnd& front_;
  std::string programFolder_;
  TranslateFn translate_;
  std::unordered_map<std::string, std::function<void()>> commands_;
  std::string changeCaption_;
  bool savedAfterChange_ = false;       // the change loaded a file: unchanged after it
  bool figureChanged_ = false;          // since the last update
  bool skipNewFigureQuestion_ = false;  // the save question was asked already
  bool changeClosed_ = false;           // since the last update
  int16_t menuMode_ = kFullMenuMode;
  std::string note_;
};

// The command-line text trimmed, with one double quote removed at its end
// and one at its start.
std::string CommandLinePath(std::string_view commandLine);

// "0.1.0".
std::string VersionText(const ProgramVersion& version);

// The drag of the determinism check: the first free point that can be
// dragged is pressed where it is shown, moved one pixel right and half a
// pixel down a step for `steps` steps through the same events a front end
// sends, and released. False when the figure has no such point.
bool ScriptedDrag(Session& session, int steps = 100);

}  // namespace sakuzu
