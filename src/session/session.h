// Everything the main window works on, without the window: the figure,
// the view, the settings, the mode stack, the engine and the renderer.
// The window owns one; the picture command line builds one around a
// canvas of its own and runs the same start-up steps.
#pragma once

#include <string>
#include <string_view>

#include "geometry/engine.h"
#include "interact/dispatch.h"
#include "interact/history.h"
#include "interact/modes.h"
#include "interact/workspace.h"
#include "lang/translate.h"
#include "model/figure.h"
#include "model/figure_file.h"
#include "platform/shell.h"
#include "session/settings.h"
#include "view/canvas.h"
#include "view/renderer.h"
#include "view/view_mapping.h"

namespace sakuzu {

class Session {
 public:
  Session(Canvas& canvas, Shell& shell, std::string programFolder);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Start-up, before the settings: empty tables, standard scale.
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

  // Reads a figure file in place of the figure. On success the figure
  // file name becomes `path`; a refused file leaves everything as it was.
  FileOutcome ReadFigureFile(const std::string& path);
  FileOutcome MergeFigureFile(const std::string& path);
  FileOutcome WriteFigureFile(const std::string& path);

  // The command-line figure of the start-up: quotes removed; a file that
  // does not exist opens nothing. Returns the outcome of reading it (ok
  // when there was nothing to read); the figure is then redrawn, in the
  // complex-number view when it uses complex steps.
  FileOutcome OpenStartUpFigure(std::string_view commandLine);

  // "すべて表示" (0) and "すべて非表示" (7): the display of every computed
  // number; the numbers the user set free keep theirs. The caller redraws.
  void SetComputedNumbersDisplay(int16_t display);

  void Redraw();
  std::string T(std::string_view japanese) const;

  const std::string& ProgramFolderPath() const { return programFolder_; }
  TranslateFn Translator() const { return translate_; }

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
  Workspace workspace{renderer};
  Dispatcher dispatcher{workspace};
  // Undo and redo, and whether the figure differs from its file.
  History history;

 private:
  std::string programFolder_;
  TranslateFn translate_;
};

// The command-line text trimmed, with one double quote removed at its end
// and one at its start.
std::string CommandLinePath(std::string_view commandLine);

}  // namespace sakuzu
