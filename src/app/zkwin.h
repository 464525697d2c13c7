// The main window: owns the whole run of the program. It builds the menus,
// runs the start-up, connects the commands that exist and shows the
// drawing area, the status bar and the text output window.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/attribute_dialogs.h"
#include "app/export_commands.h"
#include "app/image_canvas.h"
#include "app/menus.h"
#include "app/number_dialogs.h"
#include "app/painter_canvas.h"
#include "app/recovery.h"
#include "app/text_viewer.h"
#include "app/window_shell.h"
#include "session/session.h"
#include "view/replay.h"

class QLabel;

namespace sakuzu {

class DrawingArea;

// The starting file of the Save dialog: the figure's own file when its name
// has a folder, else the name in the folder the file dialogs start from
// (`dialogStart` is that folder or a file in it).
std::string SaveDialogStart(const std::string& dialogStart, const std::string& figureFileName);

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
  // The drawing calls of what the drawing area shows, for vector pictures.
  PainterCanvas& picture() { return picture_; }
  ExportCommands& exports() { return *exports_; }
  WindowShell& shell() { return shell_; }
  QLabel* Panel(int n) const;  // status bar panels 1 to 4

  // Replaceable user dialogs (tests answer them without a modal box).
  // An input box: message, title and start text, already translated; the
  // answer, empty after Cancel.
  std::function<std::string(const std::string& message, const std::string& title,
                            const std::string& start)>
      inputBox;
  // "保存しますか": whether to save unsaved changes first.
  enum class SaveAnswer { kSave, kDiscard, kCancel };
  std::function<SaveAnswer()> askSave;
  // "前回の作業を復元しますか": a figure left by a window that did not exit normally.
  enum class RestoreAnswer { kRestore, kDiscard, kLater };
  std::function<RestoreAnswer(const RecoveryFiles::Leftover&)> askRestore;
  // A colour chooser starting at a colour; nothing after Cancel.
  std::function<std::optional<Rgb>(Rgb start)> chooseColor;

  // The file commands after their dialogs.
  bool ReadZKFigFile(const std::string& path);
  bool SaveFigureAs(const std::string& path);
  bool MergeFigure(const std::string& path);

  // The menu commands with a status bar and menus to keep in step.
  void RefreshStatusBar();
  void MenuCheckSet();
  void ApplyLanguage();
  void SetFontAll(const std::string& fontName);
  void LoadSettings();
  void SaveSettings();
  void ResetSettings();
  void SetWindow();

  const std::string& DataFolder() const { return dataFolder_; }
  // The recovery copy of unsaved changes (every 30 seconds while there
  // are any and no command is under way; also at once on request).
  void WriteRecoveryNow();
  RecoveryFiles& Recovery() { return recovery_; }
  // Offers what windows that did not exit normally left behind.
  void OfferRecovery();
  // The message about the command-line figure, shown once the window is.
  const std::string& StartUpMessage() const { return startUpMessage_; }
  const std::string& MergeStartFile() const { return mergeStart_; }
  QString FileFilter() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend class ExportCommands;

  void StartUp(const std::string& commandLine);
  void BuildStatusBar();
  void InstallShell();
  void InstallHooks();
  void ConnectCommands();
  void Connect(const char* name, std::function<void()> command);

  // Option commands.
  void ChangeSettings(const std::function<void(Settings&)>& change, bool redraw);
  void AfterViewCommand();
  std::string Ask(const char* message, const char* title, const std::string& start);
  void ChooseAxisColor();
  void ChooseBackground();
  void ChooseDrawingFont();
  void StoreWindowSize();
  // Resizes to `wanted`, within the screen's free area and the minimum size.
  void FitToScreen(QSize wanted);
  QSize FittedSize(QSize wanted) const;
  QSize StandardWindowSize() const;
  void UpdateMinimumSize();
  QRect AvailableArea() const;
  void SetStandardWindow();
  void SetVgaWindow();
  void SetMaximizedWindow();

  // File commands with their dialogs.
  void LoadCommand();
  // False when no file was written (cancelled or refused).
  bool SaveCommand();
  // With unsaved changes: asks whether to save them; false when the user
  // keeps the figure (Cancel, or a save that did not happen).
  bool MaySave();
  // A change to undo runs from a command (or a press or key) at rest until
  // the modes are at rest again.
  void BeginChange(const std::string& caption);
  void EndChange();
  void UndoCommand(bool redo);
  void RefreshUndoCaptions();
  void MergeCommand();
  // The figure file dialog (open or save) starting at `start`; empty when
  // cancelled. Remembers the chosen folder.
  std::string AskFigurePath(bool save, const std::string& start);
  void ShowPanel2();
  void DataFolderGet();
  void DataFolderSample();
  void DataFolderStandardSet();
  void ExitCommand();
  void DeleteTemporaryCopies();

  void ReportCommand();
  void MatrixSwitchCommand();
  void LanguageCommand();
  void HelpCommand();
  void VersionCommand();
  void MenuSwitchCommand();
  void ReplayCommand();

  void MousePress(QMouseEvent* event);
  void KeyPress(QKeyEvent* event);
  void AfterInteraction();
  MouseInput ToMouseInput(QMouseEvent* event) const;
  static int KeyCodeOf(const QKeyEvent* event);
  void InstallWorkspaceHooks();
  void OpenObjectPopup(const PopupMenu& popup);
  void ConnectConstructionCommands();
  void ViewRecordCommand();
  void DrawingResized();
  int16_t CurrentWindowState() const;
  double Dpi() const;

  WindowShell shell_;
  ImageCanvas canvas_;
  PainterCanvas picture_;  // records every call on its way to canvas_
  Session session_;
  std::unique_ptr<MenuBar> menus_;
  std::unique_ptr<TextViewer> viewer_;
  std::unique_ptr<WindowNumberDialogs> numberDialogs_;
  std::unique_ptr<WindowAttributeDialogs> attributeDialogs_;
  std::unique_ptr<ExportCommands> exports_;
  DrawingArea* drawing_ = nullptr;
  QLabel* panels_[4] = {};
  QTimer replayTimer_;
  QTimer recoveryTimer_;
  RecoveryFiles recovery_;
  ProgramVersion version_;
  std::string dataFolder_;
  std::string dialogStart_;
  std::string mergeStart_;
  std::string lastDialogFolder_;
  QFont uiFont_;
  bool startedUp_ = false;
  std::string startUpMessage_;
  std::string changeCaption_;
  bool savedAfterChange_ = false;       // the change loaded a file: unchanged after it
  bool skipNewFigureQuestion_ = false;  // the save question was asked already
  bool offeredRecovery_ = false;
};

}  // namespace sakuzu
