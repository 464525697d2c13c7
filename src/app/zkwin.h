// The main window: wires the menu bar, the drawing area, the status bar
// and the text output window to a session. Every menu command and every
// mouse and key event of the drawing area goes to the session, and the
// window shows what it reports. The window's own commands live beside it:
// files (file_commands), window sizes (window_geometry), pictures
// (export_commands).
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "app/attribute_dialogs.h"
#include "app/export_commands.h"
#include "app/file_commands.h"
#include "app/image_canvas.h"
#include "app/menus.h"
#include "app/number_dialogs.h"
#include "app/text_viewer.h"
#include "app/window_geometry.h"
#include "app/window_shell.h"
#include "session/session.h"

class QLabel;

namespace sakuzu {

class DrawingArea;

class ZKwin : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window and runs the start-up with the command-line text
  // (a figure path, possibly in double quotes; empty for none).
  explicit ZKwin(const std::string& commandLine = {});
  ~ZKwin() override;

  Session& session() { return session_; }
  MenuBar& menus() { return *menus_; }
  TextViewer& viewer() { return *viewer_; }
  ImageCanvas& canvas() { return canvas_; }
  ExportCommands& exports() { return *exports_; }
  FileCommands& files() { return *files_; }
  WindowGeometry& geometry() { return *geometry_; }
  WindowShell& shell() { return shell_; }
  const QFont& UiFont() const { return uiFont_; }
  QLabel* Panel(int n) const;  // status bar panels 1 to 4
  // What a command picking its inputs needs next, or where an export wrote.
  QLabel* PromptPanel() const { return prompt_; }

  // Shows what the session reported: the layers drawn, the status bar and
  // the menus, a pop-up menu.
  void Show(Update update);
  // Everything anew after work outside an event: the picture, the status
  // bar and the menus.
  void ShowSession();
  // The status bar, the caption, the menus' enabling, check marks, undo
  // captions and menu mode from the session.
  void RefreshStatusBar();
  void ApplyLanguage();
  void SetFontAll(const std::string& fontName);
  // The message about the command-line figure, shown once the window is.
  const std::string& StartUpMessage() const { return startUpMessage_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void StartUp(const std::string& commandLine);
  void BuildStatusBar();
  void InstallDrawingArea();
  void InstallDialogs();
  void InstallWindowCommands();
  void ConnectMenus();
  void RunCommand(const std::string& name);
  void OpenObjectPopup(const PopupMenu& popup);
  void DrawingResized();
  // A dialog of this window placed over its middle.
  void CentreOverWindow(QWidget* dialog) const;
  // The start's message and recovery question, once the window shows.
  void AfterExposed(int tries);

  void ChooseDrawingFont();
  void LanguageCommand();
  void HelpCommand();
  void VersionCommand();

  WindowShell shell_;
  ImageCanvas canvas_;
  Session session_;
  std::unique_ptr<MenuBar> menus_;
  std::unique_ptr<TextViewer> viewer_;
  std::unique_ptr<WindowNumberDialogs> numberDialogs_;
  std::unique_ptr<WindowAttributeDialogs> attributeDialogs_;
  std::unique_ptr<ExportCommands> exports_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<WindowGeometry> geometry_;
  DrawingArea* drawing_ = nullptr;
  QLabel* panels_[4] = {};
  QTimer replayTimer_;
  QTimer recordTimer_;  // recorded values reach their files within a second
  QLabel* prompt_ = nullptr;
  QFont uiFont_;
  std::string appliedLanguage_;
  bool startedUp_ = false;
  std::string startUpMessage_;
  bool offeredRecovery_ = false;
};

}  // namespace sakuzu
