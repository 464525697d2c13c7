#include "app/zkwin.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QIcon>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QUrl>
#include <filesystem>

#include "app/drawing_area.h"
#include "app/fonts.h"
#include "app/language_dialog.h"
#include "app/new_figure_dialog.h"
#include "app/program_folder.h"
#include "app/qt_translation.h"
#include "interact/construct.h"
#include "interact/deform.h"
#include "interact/edit.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "macros/macros.h"
#include "model/report.h"
#include "text/number_text.h"

// The icon is a resource of the static library, which a program must start
// by name, outside any namespace.
static void InitProgramResources() { Q_INIT_RESOURCE(sakuzu); }

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string VersionText(const ProgramVersion& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

// The drawing area of the VGA window size, in pixels.
constexpr int kVgaDrawingWidth = 628;
constexpr int kVgaDrawingHeight = 430;
constexpr int kRecoveryIntervalMs = 30000;
// The window frame's size before the window manager has framed it.
constexpr int kFrameAllowance = 8;
constexpr int kTitleAllowance = 40;

std::string FolderOf(const std::string& path) {
  return QFileInfo(Q(path)).absolutePath().toStdString();
}

}  // namespace

std::string SaveDialogStart(const std::string& dialogStart, const std::string& figureFileName) {
  fs::path figure(figureFileName);
  std::error_code ec;
  if (figure.has_parent_path()) {
    fs::path absolute = fs::absolute(figure, ec);
    return (ec ? figure : absolute).string();
  }
  fs::path start(dialogStart);
  fs::path folder = fs::is_directory(start, ec) ? start : start.parent_path();
  return (folder / figure).string();
}

ZKwin::ZKwin(const std::string& commandLine)
    : canvas_(640, 480),
      picture_(canvas_),
      session_(picture_, shell_, ProgramFolder()),
      recovery_(session_.ProgramFolderPath()) {
  setObjectName("ZKwin");
  InitProgramResources();
  // Every window of the program (dialogs, the text window) shows it too.
  QApplication::setWindowIcon(QIcon(":/sakuzu/sakuzu.svg"));
  setWindowIcon(QApplication::windowIcon());
  drawing_ = new DrawingArea(canvas_, this);
  setCentralWidget(drawing_);
  menus_ = std::make_unique<MenuBar>(menuBar(), session_.Translator());
  viewer_ = std::make_unique<TextViewer>(
      session_.Translator(), [this] { return session_.engine.matrixDisplay; },
      [this] {
        if (session_.engine.matrixDisplay) MatrixSwitchCommand();
      });
  replayTimer_.setParent(this);
  replayTimer_.setObjectName("Timer4DrawSlow");
  recoveryTimer_.setParent(this);
  recoveryTimer_.setObjectName("TimerRecovery");
  connect(&recoveryTimer_, &QTimer::timeout, this, [this] { WriteRecoveryNow(); });
  recoveryTimer_.start(kRecoveryIntervalMs);
  InstallShell();
  InstallHooks();
  exports_ = std::make_unique<ExportCommands>(*this);
  ConnectCommands();
  StartUp(commandLine);
  // Keys meant for the drawing area reach it whatever widget of the window
  // has the focus; a closed menu gives the focus back.
  qApp->installEventFilter(this);
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
    connect(menu, &QMenu::aboutToHide, this, [this] {
      QTimer::singleShot(0, this, [this] {
        if (QApplication::activePopupWidget() == nullptr && isActiveWindow()) drawing_->setFocus();
      });
    });
  }
}

bool ZKwin::eventFilter(QObject* watched, QEvent* event) {
  // A click on status panel 3 switches the locus, like its menu item.
  if (watched == panels_[2] && event->type() == QEvent::MouseButtonPress) {
    QAction* locus = menus_->Action("mnuLocusSW");
    if (locus && menus_->Action("mnuLocus")->isEnabled()) locus->trigger();
    return true;
  }
  if (event->type() != QEvent::KeyPress || watched == drawing_) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this || !isEnabled()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // Alt belongs to the menu bar, and so does its keyboard navigation.
  if (key->key() == Qt::Key_Alt || (key->modifiers() & Qt::AltModifier)) return false;
  if (widget == menuBar() && menuBar()->activeAction() != nullptr) return false;
  drawing_->setFocus();
  KeyPress(key);
  return true;
}

ZKwin::~ZKwin() {
  // The drawing area shows the canvas, a member that goes before the
  // child widgets do.
  canvas_.SetChangeListener({});
  delete takeCentralWidget();
}

QLabel* ZKwin::Panel(int n) const { return n >= 1 && n <= 4 ? panels_[n - 1] : nullptr; }

void ZKwin::InstallShell() {
  shell_.showMessage = [this](const std::string& text) {
    QMessageBox::information(this, Q(version_.title), Q(text));
  };
  shell_.beep = [] { QApplication::beep(); };
  shell_.confirm = [this](const std::string& text) {
    return QMessageBox::question(this, Q(version_.title), Q(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
  shell_.writeText = [this](const std::string& text) { viewer_->WriteBlock(text); };
  inputBox = [this](const std::string& message, const std::string& title,
                    const std::string& start) {
    bool ok = false;
    QString answer =
        QInputDialog::getText(this, Q(title), Q(message), QLineEdit::Normal, Q(start), &ok);
    return ok ? answer.toStdString() : std::string();
  };
  askSave = [this] {
    QMessageBox box(QMessageBox::Question, Q(version_.title), Q(session_.T("保存しますか")),
                    QMessageBox::NoButton, this);
    QPushButton* save = box.addButton(Q(session_.T("保存")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Q(session_.T("破棄")), QMessageBox::DestructiveRole);
    box.addButton(Q(session_.T("キャンセル")), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::kSave;
    if (box.clickedButton() == discard) return SaveAnswer::kDiscard;
    return SaveAnswer::kCancel;
  };
  askRestore = [this](const RecoveryFiles::Leftover& leftover) {
    QString when = QLocale().toString(leftover.written, QLocale::ShortFormat);
    QString text = Q(session_.T(kRestoreQuestion)) + "\n\n" + Q(leftover.figureName) + "\n" + when;
    QMessageBox box(QMessageBox::Question, Q(version_.title), text, QMessageBox::NoButton, this);
    QPushButton* restore = box.addButton(Q(session_.T("復元")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Q(session_.T("破棄")), QMessageBox::DestructiveRole);
    box.addButton(Q(session_.T("後で")), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore) return RestoreAnswer::kRestore;
    if (box.clickedButton() == discard) return RestoreAnswer::kDiscard;
    return RestoreAnswer::kLater;
  };
  chooseColor = [this](Rgb start) -> std::optional<Rgb> {
    QColor color = QColorDialog::getColor(QColor(start.r, start.g, start.b), this);
    if (!color.isValid()) return std::nullopt;
    return MakeRgb(color.red(), color.green(), color.blue());
  };
}

void ZKwin::InstallHooks() {
  RenderHooks& hooks = session_.renderer.hooks;
  hooks.refreshStatus = [this] { RefreshStatusBar(); };
  hooks.showPanel3 = [this](const std::string& text) {
    if (panels_[2]) panels_[2]->setText(Q(text));
  };
  hooks.setReplayTimer = [this](bool enabled, int intervalMs) {
    if (!enabled) {
      replayTimer_.stop();
      return;
    }
    replayTimer_.start(intervalMs > 0 ? intervalMs : kReplayDefaultInterval);
  };
  connect(&replayTimer_, &QTimer::timeout, this, [this] {
    ReplayConstruction(session_.renderer, session_.dispatcher.replay, kReplayNext);
    session_.renderer.canvas.Present();
  });
  drawing_->onResize = [this] { DrawingResized(); };
  drawing_->onMousePress = [this](QMouseEvent* event) { MousePress(event); };
  drawing_->onDoubleClick = [this](QMouseEvent*) {
    BeginChange("ドラッグ");
    DoubleClick(session_.dispatcher);
    AfterInteraction();
  };
  drawing_->onMouseMove = [this](QMouseEvent* event) {
    // Hovering changes no mode: the menus and panels need no refresh.
    ModeStack before = session_.modes;
    MouseMove(session_.dispatcher, ToMouseInput(event));
    if (before.depth != session_.modes.depth || before.entries != session_.modes.entries) {
      AfterInteraction();
    }
  };
  drawing_->onMouseRelease = [this](QMouseEvent* event) {
    MouseUp(session_.dispatcher, ToMouseInput(event));
    AfterInteraction();
  };
  drawing_->onKeyPress = [this](QKeyEvent* event) { KeyPress(event); };
  InstallWorkspaceHooks();
}

// Start-up in the order the program has always followed: caption, tables,
// settings, language, data folder, view, status bar, modes, file name,
// command-line figure, window size, menu mode.
void ZKwin::StartUp(const std::string& commandLine) {
  version_ = CurrentProgramVersion();
  setWindowTitle(Q(ProgramCaption(version_)));
  session_.ResetForStartUp();
  LoadSettings();
  ApplyLanguage();
  DataFolderGet();
  mergeStart_ = (fs::path(SharedFilesFolder()) / kSampleFileName).string();
  // Until the window is laid out the drawing area counts as 640 by 480;
  // the first layout resizes it and redraws.
  canvas_.Resize(640, 480, session_.view.backColor);
  BuildStatusBar();
  FitToScreen(QSize(640, 480 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
  session_.SetScreen();
  session_.StartModes();
  session_.fig.FigureFileName = "untitled";
  startedUp_ = true;
  RefreshStatusBar();
  session_.Redraw();
  // A figure that cannot be opened is reported once the window is on
  // the screen, so that the message does not stand alone on the desktop.
  std::string path = CommandLinePath(commandLine);
  std::error_code ec;
  if (!path.empty() && !fs::is_regular_file(path, ec)) {
    startUpMessage_ = UnreadableFileMessage(path, session_.Translator());
  }
  FileOutcome outcome = session_.OpenStartUpFigure(commandLine);
  if (!outcome.ok) startUpMessage_ = outcome.message;
  // The window copy's figure file is temporary and goes at the next exit
  // of either window: a save of the copy must ask for a name of its own.
  fs::path copy = fs::path(session_.ProgramFolderPath()) / kTempFigureFileName;
  if (outcome.ok && !path.empty() && fs::equivalent(path, copy, ec)) {
    session_.fig.FigureFileName = "untitled";
  }
  ShowPanel2();
  SetWindow();
  if (session_.settings.menuMode == kEasyMenuMode) menus_->SetMenuEasy();
  if (session_.settings.menuMode == kFullMenuMode) menus_->SetMenuFull();
  RefreshStatusBar();
  drawing_->setFocus();  // keys reach the modes without a click first
}

void ZKwin::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (offeredRecovery_) return;
  offeredRecovery_ = true;
  QTimer::singleShot(0, this, [this] {
    std::string message = std::move(startUpMessage_);
    startUpMessage_.clear();
    if (!message.empty()) shell_.ShowMessage(message);
    OfferRecovery();
  });
}

void ZKwin::WriteRecoveryNow() {
  // Never in the middle of a command or a drag: only a figure at rest.
  if (session_.modes.depth > 1 || session_.history.IsOpen()) return;
  if (!session_.history.IsModified()) {
    recovery_.Remove();
    return;
  }
  recovery_.Write(session_.fig);
}

void ZKwin::OfferRecovery() {
  for (const RecoveryFiles::Leftover& leftover :
       RecoveryFiles::FindLeftovers(session_.ProgramFolderPath())) {
    RestoreAnswer answer = askRestore(leftover);
    if (answer == RestoreAnswer::kLater) continue;
    if (answer == RestoreAnswer::kDiscard) {
      RecoveryFiles::RemoveLeftover(leftover);
      continue;
    }
    FileOutcome outcome = session_.ReadFigureFile(leftover.figurePath);
    if (!outcome.ok) {
      shell_.ShowMessage(session_.T(kDamagedRecoveryMessage) + "\n" + outcome.message);
      RecoveryFiles::SetAsideDamaged(leftover);
      continue;
    }
    // The figure is back as it was, with its own name, and still unsaved.
    session_.fig.FigureFileName = leftover.figureName.empty() ? "untitled" : leftover.figureName;
    session_.history.Clear();
    session_.history.MarkUnsaved();
    session_.Redraw();
    ShowPanel2();
    recovery_.Write(session_.fig);
    RecoveryFiles::RemoveLeftover(leftover);
    break;  // one figure a window
  }
  RefreshStatusBar();
}

void ZKwin::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(true);
  for (int i = 0; i < 4; ++i) {
    if (panels_[i]) continue;
    panels_[i] = new QLabel(bar);
    panels_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_[i]->setMinimumWidth(i == 2 ? 1 : 60);
    bar->addWidget(panels_[i], i == 2 ? 1 : 0);
  }
}

void ZKwin::RefreshStatusBar() {
  if (!startedUp_) return;
  Figure& fig = session_.fig;
  // "[*name]": the figure has changes that are not saved.
  std::string name = FileNameWithoutFolder(fig.FigureFileName);
  if (session_.history.IsModified()) name = "*" + name;
  setWindowTitle(Q(WindowCaption(name, version_.title, VersionText(version_))));
  panels_[0]->setText(Q(ModeName(session_.modes, shell_, session_.Translator())));
  panels_[1]->setText(Q(FileNameWithoutFolder(fig.FigureFileName)));
  if (!IsCurrentMode(session_.modes, kModeReplay)) {
    panels_[2]->setText(Q(LocusStateText(session_.workspace)));
  }
  std::optional<int16_t> mode = CurrentMode(session_.modes);
  menus_->MenuEnabledSet(mode.value_or(0));
  MenuCheckSet();
  RefreshUndoCaptions();
}

void ZKwin::MenuCheckSet() {
  const Settings& s = session_.settings;
  MenuCheckState state;
  state.labelsOff = session_.display.notChrDisp != 0;
  state.angleMarks = session_.display.angleMarksOn;
  state.smooth = session_.display.smooth;
  state.locusOn = session_.workspace.locus.on;
  state.axisOn = session_.view.axisOn;
  state.axisKind = session_.view.AxisKind;
  state.delta = s.delta;
  state.deltaVar = s.deltaVar;
  state.sDeformKind = s.sDeformKind;
  state.savedMenuMode = s.menuMode;
  state.replayInterval = session_.display.replayInterval;
  state.matrixDisplay = session_.engine.matrixDisplay;
  state.windowState = CurrentWindowState();
  state.windowWidthTwips = PixelsToTwips(width(), Dpi());
  state.windowHeightTwips = PixelsToTwips(height(), Dpi());
  state.savedWindowState = s.windowState;
  QSize standard = FittedSize(StandardWindowSize());
  state.standardWidthTwips = PixelsToTwips(standard.width(), Dpi());
  state.standardHeightTwips = PixelsToTwips(standard.height(), Dpi());
  QSize vga = FittedSize(size() - drawing_->size() + QSize(kVgaDrawingWidth, kVgaDrawingHeight));
  state.vgaWidthTwips = PixelsToTwips(vga.width(), Dpi());
  state.vgaHeightTwips = PixelsToTwips(vga.height(), Dpi());
  menus_->MenuCheckSet(state);
}

void ZKwin::ShowPanel2() {
  if (panels_[1]) panels_[1]->setText(Q(FileTitle(session_.fig.FigureFileName)));
}

// ---------------------------------------------------------------- settings

void ZKwin::LoadSettings() {
  std::string oldLanguage = session_.language.setting;
  session_.LoadSettings();
  if (startedUp_ && oldLanguage != session_.language.setting) ApplyLanguage();
  MenuCheckSet();
}

void ZKwin::SaveSettings() { session_.SaveSettings(); }

void ZKwin::ResetSettings() {
  session_.CollectSettings();
  session_.ResetSettings();
  MenuCheckSet();
}

void ZKwin::ChangeSettings(const std::function<void(Settings&)>& change, bool redraw) {
  session_.CollectSettings();
  change(session_.settings);
  session_.ApplySettings();
  if (redraw) {
    session_.Redraw();
    return;  // the redraw refreshes the status bar and the check marks
  }
  MenuCheckSet();
}

// The view commands change the view and the display themselves.
void ZKwin::AfterViewCommand() {
  session_.CollectSettings();
  MenuCheckSet();
}

std::string ZKwin::Ask(const char* message, const char* title, const std::string& start) {
  return inputBox(session_.T(message), session_.T(title), start);
}

void ZKwin::ChooseAxisColor() {
  std::optional<Rgb> color = chooseColor(session_.view.axisColor);
  if (!color) return;
  SetAxisColorCommand(session_.renderer, *color);
  AfterViewCommand();
}

void ZKwin::ChooseBackground() {
  std::optional<Rgb> color = chooseColor(session_.view.backColor);
  if (!color) return;
  SetBackgroundCommand(session_.renderer, *color);
  AfterViewCommand();
}

void ZKwin::ChooseDrawingFont() {
  CanvasFont& current = session_.display.font;
  QFont start = MakeFont(current.family, current.size, false);
  start.setBold(current.bold);
  start.setItalic(current.italic);
  start.setStrikeOut(current.strikeout);
  start.setUnderline(current.underline);
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, start, this);
  if (!ok) return;
  current.family = chosen.family().toStdString();
  // Within the range the settings file reads back.
  if (chosen.pointSizeF() > 0) current.size = ClampFontSize(chosen.pointSizeF());
  current.bold = chosen.bold();
  current.italic = chosen.italic();
  current.strikeout = chosen.strikeOut();
  current.underline = chosen.underline();
  session_.CollectSettings();
  session_.Redraw();
}

// ------------------------------------------------------------- window size

double ZKwin::Dpi() const { return logicalDpiX() > 0 ? logicalDpiX() : 96; }

int16_t ZKwin::CurrentWindowState() const {
  if (windowState() & Qt::WindowMaximized) return 2;
  if (windowState() & Qt::WindowMinimized) return 1;
  return 0;
}

void ZKwin::SetWindow() {
  const Settings& s = session_.settings;
  if (s.windowState == 2) {
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  if (s.windowWidth < 301 || s.windowHeight < 301) return;
  FitToScreen(QSize(TwipsToPixels(s.windowWidth, Dpi()), TwipsToPixels(s.windowHeight, Dpi())));
}

// Every top menu shows (no chevron) and the status bar stays on the
// screen: the window is at least as wide as the menu bar's items and
// never larger than the screen's free area, title bar and frame included.
void ZKwin::UpdateMinimumSize() {
  QRect free = AvailableArea();
  int width = std::min(menuBar()->sizeHint().width(), free.width());
  int height = std::min(menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + 200,
                        free.height());
  setMinimumSize(width, height);
}

QRect ZKwin::AvailableArea() const {
  QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  QRect free = where ? where->availableGeometry() : QRect(0, 0, 1024, 768);
  // Before the window is shown its frame is unknown: allow a title bar.
  QMargins frame(0, 0, 0, 0);
  if (isVisible()) {
    QRect outer = frameGeometry(), inner = geometry();
    frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                     outer.right() - inner.right(), outer.bottom() - inner.bottom());
  } else {
    frame = QMargins(kFrameAllowance, kTitleAllowance, kFrameAllowance, kFrameAllowance);
  }
  return free.marginsRemoved(frame);
}

QSize ZKwin::FittedSize(QSize wanted) const {
  return wanted.expandedTo(minimumSize()).boundedTo(AvailableArea().size());
}

QSize ZKwin::StandardWindowSize() const {
  return QSize(TwipsToPixels(kStandardWidthTwips, Dpi()),
               TwipsToPixels(kStandardHeightTwips, Dpi()));
}

void ZKwin::FitToScreen(QSize wanted) {
  UpdateMinimumSize();
  resize(FittedSize(wanted));
}

void ZKwin::StoreWindowSize() {
  Settings& s = session_.settings;
  s.windowWidth = PixelsToTwips(width(), Dpi());
  s.windowHeight = PixelsToTwips(height(), Dpi());
  s.windowState = CurrentWindowState();
  SaveSettings();
  MenuCheckSet();
}

void ZKwin::SetStandardWindow() {
  setWindowState(Qt::WindowNoState);
  statusBar()->show();
  FitToScreen(StandardWindowSize());
  StoreWindowSize();
}

void ZKwin::SetVgaWindow() {
  setWindowState(Qt::WindowNoState);
  statusBar()->show();
  // Whatever the frame, menu bar and status bar take, the drawing area
  // becomes 628 by 430 pixels.
  QSize area = drawing_->size();
  FitToScreen(QSize(width() + kVgaDrawingWidth - area.width(),
                    height() + kVgaDrawingHeight - area.height()));
  session_.SetScreen();
  StoreWindowSize();
}

void ZKwin::SetMaximizedWindow() {
  setWindowState(Qt::WindowMaximized);
  statusBar()->show();
  StoreWindowSize();
}

void ZKwin::DrawingResized() {
  if (!startedUp_ || isMinimized()) return;
  session_.SetScreen();
  session_.Redraw();
}

// ------------------------------------------------------------------- files

QString ZKwin::FileFilter() const {
  return Q(session_.T("すべてのファイル")) + "(*.*);;" + Q(session_.T("ZK4形式")) + "(*.zk4)";
}

bool ZKwin::ReadZKFigFile(const std::string& path) {
  FileOutcome outcome = session_.ReadFigureFile(path);
  if (!outcome.ok) {
    shell_.ShowMessage(outcome.message);
    return false;
  }
  ResetTraces(session_.workspace);
  session_.Redraw();
  ShowPanel2();
  // A loaded figure is as its file: unchanged once the load is recorded.
  savedAfterChange_ = true;
  if (!session_.history.IsOpen()) session_.history.MarkSaved();
  return true;
}

bool ZKwin::SaveFigureAs(const std::string& path) {
  FileOutcome outcome = session_.WriteFigureFile(path);
  if (!outcome.ok) {
    shell_.ShowMessage(outcome.message);
    return false;
  }
  session_.fig.FigureFileName = path;
  session_.history.MarkSaved();
  recovery_.Remove();
  ShowPanel2();
  session_.Redraw();
  return true;
}

bool ZKwin::MergeFigure(const std::string& path) {
  FileOutcome outcome = session_.MergeFigureFile(path);
  if (!outcome.ok) {
    shell_.ShowMessage(outcome.message);
    return false;
  }
  session_.Redraw();
  ShowPanel2();
  return true;
}

std::string ZKwin::AskFigurePath(bool save, const std::string& start) {
  QString selected = Q(session_.T("ZK4形式")) + "(*.zk4)";
  QString path =
      save ? QFileDialog::getSaveFileName(this, QString(), Q(start), FileFilter(), &selected)
           : QFileDialog::getOpenFileName(this, QString(), Q(start), FileFilter(), &selected);
  if (path.isEmpty()) return {};
  lastDialogFolder_ = FolderOf(path.toStdString());
  return path.toStdString();
}

void ZKwin::LoadCommand() {
  if (!MaySave()) return;
  std::string path = AskFigurePath(false, dialogStart_);
  if (path.empty()) return;
  dialogStart_ = path;
  ReadZKFigFile(path);
}

bool ZKwin::SaveCommand() {
  std::string path =
      AskFigurePath(true, SaveDialogStart(dialogStart_, session_.fig.FigureFileName));
  if (path.empty()) return false;
  dialogStart_ = path;
  return SaveFigureAs(path);
}

bool ZKwin::MaySave() {
  if (!session_.history.IsModified()) return true;
  switch (askSave()) {
    case SaveAnswer::kSave:
      return SaveCommand();
    case SaveAnswer::kDiscard:
      return true;
    default:
      return false;
  }
}

void ZKwin::MergeCommand() {
  std::string path = AskFigurePath(false, mergeStart_);
  if (path.empty()) return;
  mergeStart_ = path;
  MergeFigure(path);
}

void ZKwin::DataFolderGet() {
  std::optional<std::string> folder = ReadDataPathFile(session_.ProgramFolderPath());
  if (!folder) {
    DataFolderSample();
    return;
  }
  dataFolder_ = *folder;
  dialogStart_ = dataFolder_;
}

void ZKwin::DataFolderSample() {
  dataFolder_ = (fs::path(SharedFilesFolder()) / kSampleFileName).string();
  dialogStart_ = dataFolder_;
}

// The folder the user last worked in through a file dialog stands for the
// current directory, which the dialogs here do not change.
void ZKwin::DataFolderStandardSet() {
  dataFolder_ = lastDialogFolder_.empty() ? QDir::currentPath().toStdString() : lastDialogFolder_;
  dialogStart_ = dataFolder_;
  WriteDataPathFile(session_.ProgramFolderPath(), dataFolder_);
}

void ZKwin::DeleteTemporaryCopies() {
  std::error_code ec;
  fs::remove(fs::path(session_.ProgramFolderPath()) / kTempPageFileName, ec);
  fs::remove(fs::path(session_.ProgramFolderPath()) / kTempFigureFileName, ec);
}

void ZKwin::ExitCommand() { close(); }

void ZKwin::closeEvent(QCloseEvent* event) {
  if (!MaySave()) {
    event->ignore();
    return;
  }
  recovery_.Remove();
  session_.workspace.locus.record.Close();
  DeleteTemporaryCopies();
  viewer_->close();
  replayTimer_.stop();
  event->accept();
}

// ---------------------------------------------------------- other commands

void ZKwin::ReportCommand() {
  viewer_->ShowText(std::string(kFigureDataReportCaption),
                    FigureDataReport(session_.fig, session_.Translator()));
}

void ZKwin::MatrixSwitchCommand() {
  Engine& engine = session_.engine;
  engine.matrixDisplay = !engine.matrixDisplay;
  if (engine.matrixDisplay) {
    viewer_->SetCaption(kMatrixWindowCaption);
    session_.Redraw();  // the transformations write their matrices now
    return;
  }
  MenuCheckSet();
}

void ZKwin::LanguageCommand() {
  ZKLanguage dialog(this, session_.language.setting, session_.Translator(),
                    [this](const std::string& font) { SetFontAll(font); });
  dialog.setFont(uiFont_);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  session_.CollectSettings();
  session_.language.setting = *dialog.Chosen();
  SaveSettings();
  ApplyLanguage();
}

void ZKwin::ApplyLanguage() {
  ApplyQtTranslation(session_.language.setting);
  SetFontAll("");
  RefreshStatusBar();
  menus_->ApplyMenuCaptions(session_.Translator());
  ApplyCaptions(this, session_.Translator());
  viewer_->RetranslateUi();
  // Captions of another length: every top menu must still show.
  UpdateMinimumSize();
}

void ZKwin::SetFontAll(const std::string& fontName) {
  std::string name = fontName;
  if (name.empty()) {
    std::string language = NormalisedSetting(session_.language.setting);
    if (language == "english") name = "Arial";
    if (language == "japanese") name = "ＭＳ Ｐゴシック";
    if (name.empty()) return;
  }
  QFont font = QApplication::font();
  font.setFamilies(FontFamiliesFor(name));
  uiFont_ = font;
  if (numberDialogs_) numberDialogs_->SetFont(font);
  if (attributeDialogs_) attributeDialogs_->SetFont(font);
  setFont(font);
  menuBar()->setFont(font);
  statusBar()->setFont(font);
  // Pop-up menus and the text window are windows of their own: the font
  // does not reach them by itself.
  for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(font);
  viewer_->setFont(font);
  if (auto* text1 = viewer_->findChild<QWidget*>("Text1")) {
    text1->setFont(MakeFont("FixedSys", font.pointSizeF(), false));
  }
}

// The manual in the user's browser: the program's folder may hold one of
// the user's own, else the shipped one. Unlike a silent F1, a missing
// manual or a desktop without a browser is said, with the file's place.
void ZKwin::HelpCommand() {
  std::optional<std::string> manual =
      FindManual({session_.ProgramFolderPath(), SharedFilesFolder()}, session_.language.setting);
  if (!manual) {
    shell_.ShowMessage(session_.T(kManualMissingMessage) + "\n" +
                       ExpectedManualPath(session_.language.setting));
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(Q(*manual)))) {
    shell_.ShowMessage(session_.T(kManualNotOpenedMessage) + "\n" + *manual);
  }
}

void ZKwin::VersionCommand() {
  QMessageBox::about(this, Q(session_.T("バージョン")),
                     Q(ProgramCaption(version_)) + "\n" + Q(session_.T("作図")) +
                         " - dynamic geometry construction");
}

void ZKwin::MenuSwitchCommand() {
  menus_->SwitchMenuMode();
  session_.Redraw();
}

void ZKwin::ReplayCommand() {
  ReplayConstruction(session_.renderer, session_.dispatcher.replay, kReplayStart);
  session_.renderer.canvas.Present();
}

void ZKwin::MousePress(QMouseEvent* event) {
  BeginChange("ドラッグ");
  MouseDown(session_.dispatcher, ToMouseInput(event));
  AfterInteraction();
}

void ZKwin::KeyPress(QKeyEvent* event) {
  int code = KeyCodeOf(event);
  if (code == 0) return;
  bool shift = event->modifiers() & Qt::ShiftModifier;
  bool ctrl = event->modifiers() & Qt::ControlModifier;
  BeginChange("変形");
  KeyDown(session_.dispatcher, KeyInput{code, shift, ctrl});
  AfterInteraction();
}

// The modes may have changed: menus and panels follow.
void ZKwin::AfterInteraction() {
  session_.workspace.easyMenu = menus_->MenuMode() == kEasyMenuMode;
  session_.CollectSettings();
  EndChange();
  RefreshStatusBar();
}

MouseInput ZKwin::ToMouseInput(QMouseEvent* event) const {
  MouseInput input;
  input.px = event->position().x();
  input.py = event->position().y();
  switch (event->button()) {
    case Qt::LeftButton:
      input.button = MouseButton::kLeft;
      break;
    case Qt::RightButton:
      input.button = MouseButton::kRight;
      break;
    case Qt::MiddleButton:
      input.button = MouseButton::kMiddle;
      break;
    default:
      input.button = MouseButton::kNone;
  }
  input.leftHeld = event->buttons() & Qt::LeftButton;
  input.shift = event->modifiers() & Qt::ShiftModifier;
  input.ctrl = event->modifiers() & Qt::ControlModifier;
  return input;
}

int ZKwin::KeyCodeOf(const QKeyEvent* event) {
  int key = event->key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
  if (key > 0 && key < 128) return key;
  return 0;
}

void ZKwin::InstallWorkspaceHooks() {
  Workspace& ws = session_.workspace;
  ws.locus.record.report = [this](const std::string& path) {
    shell_.ShowMessage(session_.T(kRecordNotWrittenMessage) + "\n" + path);
  };
  numberDialogs_ = std::make_unique<WindowNumberDialogs>(this, uiFont_, session_.Translator());
  ws.numbers = numberDialogs_.get();
  attributeDialogs_ =
      std::make_unique<WindowAttributeDialogs>(this, uiFont_, session_.Translator());
  ws.attributes = attributeDialogs_.get();
  ws.hooks.setCursor = [this](CursorShape shape) {
    drawing_->setCursor(shape == CursorShape::kMove ? Qt::SizeAllCursor : Qt::ArrowCursor);
  };
  ws.hooks.showPanel4 = [this](const std::string& text) {
    if (panels_[3]) panels_[3]->setText(Q(text));
  };
  ws.hooks.raisePanel4 = [this](bool raised) {
    if (panels_[3])
      panels_[3]->setFrameStyle(QFrame::Panel | (raised ? QFrame::Raised : QFrame::Sunken));
  };
  ws.hooks.openPopup = [this](const PopupMenu& popup) { OpenObjectPopup(popup); };
  ws.hooks.askNewFigure = [this] {
    if (skipNewFigureQuestion_) return NewFigureAnswer::kYes;
    NewFigureDialog dialog(this, session_.Translator());
    dialog.setFont(uiFont_);
    dialog.exec();
    return dialog.Answer();
  };
  ws.hooks.save = [this] { SaveCommand(); };
}

// Everything recorded so far on disk, then the page in the browser.
void ZKwin::ViewRecordCommand() {
  RecordBook& record = session_.workspace.locus.record;
  record.Flush();
  QDesktopServices::openUrl(QUrl::fromLocalFile(Q(record.HtmlPath())));
}

void ZKwin::OpenObjectPopup(const PopupMenu& popup) {
  QMenu* menu = menus_->Menu("mnuEdit2_point");
  if (!menu) return;
  for (const PopupEntry& entry : popup.entries) {
    QAction* action = menus_->Action(entry.name);
    if (!action) continue;
    menus_->SetCaption(entry.name, entry.caption, false);
    action->setVisible(entry.visible);
  }
  menu->exec(QCursor::pos());
}

// The menu commands that start a construction, repeat or delete one.
void ZKwin::ConnectConstructionCommands() {
  Workspace& ws = session_.workspace;
  for (const KindInfo& kind : AllKinds()) {
    for (const KindCommand& command : kind.commands) {
      std::string control(command.control);
      Connect(control.c_str(), [this, &ws, control] {
        RunKindCommand(ws, control);
        AfterInteraction();
      });
    }
  }
  auto command = [this](void (*run)(Workspace&)) {
    return [this, run] {
      run(session_.workspace);
      session_.renderer.canvas.Present();
      AfterInteraction();
    };
  };
  Connect("mnuEbasicPt", command([](Workspace& w) { EditObjectCommand(w, kPointClass); }));
  Connect("mnuEbasicLine", command([](Workspace& w) { EditObjectCommand(w, kLineClass); }));
  Connect("mnuEbasicCircle", command([](Workspace& w) { EditObjectCommand(w, kCircleClass); }));
  Connect("mnuEbasicNum", command(&EditNumberCommand));
  Connect("mnuEboundedPt", command(&EditBindingCommand));
  Connect("mnuEdit2_point_Edit", command(&PopupEditCommand));
  Connect("mnuEdit2_point_Bounded", command(&PopupBindingCommand));
  Connect("mnuEdit2_point_Set_Free", command(&PopupSetFreeCommand));
  Connect("mnuEdit2_point_Deform", command(&PopupDeformCommand));
  Connect("mnuDeform1Pt", command(&Deform1PtCommand));
  Connect("mnuDeformPts", command(&DeformPtsCommand));
  Connect("mnuDeformVar", command(&DeformVarCommand));
  Connect("mnuRakugaki", command(&ScribbleCommand));
  Connect("mnuLocusSW", command(&ToggleLocus));
  Connect("mnuLocusReset", [this] {
    ResetTraces(session_.workspace);
    session_.Redraw();
  });
  Connect("mnuLocusNumCSV", [this] { ViewRecordCommand(); });
  Connect("mnuLocusSetP", command([](Workspace& w) { EditObjectCommand(w, kPointClass); }));
  Connect("mnuLocusSetL", command([](Workspace& w) { EditObjectCommand(w, kLineClass); }));
  Connect("mnuLocusSetC", command([](Workspace& w) { EditObjectCommand(w, kCircleClass); }));
  Connect("mnuLocusSetN", command(&ChooseLocusVariable));
  Connect("mnuLocusNumClear", command(&ClearLocusVariable));
  const std::pair<const char*, bool (*)(Figure&)> macros[] = {
      {"mnuCMacroLinear", &MacroLinear},
      {"mnuCMacroAffine", &MacroAffine},
      {"mnuCMacroProjective", &MacroProjective}};
  for (auto [name, macro] : macros) {
    Connect(name, [this, macro = macro] {
      MacroCommand(session_.workspace, macro);
      AfterInteraction();
    });
  }
  Connect("mnuCundo", command(&DeleteLast));
  Connect("mnuMundo", command(&DeleteLast));
  Connect("mnuCredo", command(&RepeatLast));
  Connect("mnuMredo", command(&RepeatLast));
  Connect("mnuNew", [this] {
    // Unsaved changes: the save question replaces the new-figure question.
    if (session_.history.IsModified()) {
      if (!MaySave()) return;
      skipNewFigureQuestion_ = true;
    }
    NewFigure(session_.workspace);
    skipNewFigureQuestion_ = false;
    session_.renderer.canvas.Present();
    AfterInteraction();
  });
  Connect("mnuEUndo", [this] { UndoCommand(false); });
  Connect("mnuERedo", [this] { UndoCommand(true); });
}

// ------------------------------------------------------------ connections

void ZKwin::Connect(const char* name, std::function<void()> command) {
  QAction* action = menus_->Action(name);
  if (!action) return;
  // Every command may change the figure, and then is one change to undo;
  // undo and redo themselves, saving (also the html page's save) and
  // leaving are not.
  std::string_view untracked[] = {"mnuEUndo", "mnuERedo", "mnuSave", "mnuExit", "mnuf_html"};
  bool tracked = std::find(std::begin(untracked), std::end(untracked), name) == std::end(untracked);
  std::string caption = menus_->JapaneseCaption(name);
  connect(action, &QAction::triggered, this,
          [this, command = std::move(command), tracked, caption] {
            if (tracked) BeginChange(caption);
            command();
            if (tracked) EndChange();
          });
}

void ZKwin::BeginChange(const std::string& caption) {
  if (session_.modes.depth > 1 || session_.history.IsOpen()) return;
  session_.history.Begin(session_.fig);
  changeCaption_ = caption;
  savedAfterChange_ = false;
}

// A change ends when no command is under way any more.
void ZKwin::EndChange() {
  if (session_.modes.depth > 1 || !session_.history.IsOpen()) return;
  session_.history.Commit(session_.fig, changeCaption_);
  if (savedAfterChange_) session_.history.MarkSaved();
  savedAfterChange_ = false;
  RefreshStatusBar();
}

void ZKwin::UndoCommand(bool redo) {
  History& history = session_.history;
  if (session_.modes.depth > 1) return;
  history.Abandon();
  bool done = redo ? history.Redo(session_.fig) : history.Undo(session_.fig);
  if (!done) {
    shell_.Beep();
    return;
  }
  session_.Redraw();
  ShowPanel2();
}

// "元に戻す: 外接円": the commands say what they would take back or do again.
void ZKwin::RefreshUndoCaptions() {
  const History& history = session_.history;
  auto caption = [this](const char* command, const std::string& what) {
    std::string text = session_.T(command);
    if (!what.empty()) text += ": " + session_.T(what);
    return text;
  };
  std::string undo = caption("元に戻す", history.UndoCaption());
  std::string redo = caption("やり直し", history.RedoCaption());
  for (const char* name : {"mnuEUndo", "mnuEasy_Undo"}) {
    menus_->SetCaption(name, undo, false);
    menus_->Action(name)->setEnabled(history.CanUndo());
  }
  for (const char* name : {"mnuERedo", "mnuEasy_Redo"}) {
    menus_->SetCaption(name, redo, false);
    menus_->Action(name)->setEnabled(history.CanRedo());
  }
}

void ZKwin::ConnectCommands() {
  Session& s = session_;
  Renderer& r = session_.renderer;

  Connect("mnuLoad", [this] { LoadCommand(); });
  Connect("mnuSave", [this] { SaveCommand(); });
  Connect("mnuMerge", [this] { MergeCommand(); });
  Connect("mnuFDataFolderGet", [this] { DataFolderGet(); });
  Connect("mnuFDataFolderSample", [this] { DataFolderSample(); });
  Connect("mnuFDataFolderStandardSet", [this] { DataFolderStandardSet(); });
  Connect("mnuEasyMenu", [this] { MenuSwitchCommand(); });
  Connect("mnuExit", [this] { ExitCommand(); });

  Connect("mnuZoomDefault", [this, &r] {
    ZoomDefaultCommand(r);
    AfterViewCommand();
  });
  Connect("mnuZoomIn", [this, &r] {
    ZoomInCommand(r);
    AfterViewCommand();
  });
  Connect("mnuZoomOut", [this, &r] {
    ZoomOutCommand(r);
    AfterViewCommand();
  });
  Connect("mnuZoomComplex", [this, &r] {
    ZoomComplexCommand(r);
    AfterViewCommand();
  });

  // Option menu: steps, labels, angle marks, axes.
  auto set = [this](auto change, bool redraw) { ChangeSettings(change, redraw); };
  Connect("mnuOdeformStandard", [set] { set([](Settings& x) { x.delta = 10; }, false); });
  Connect("mnuOdeformNarrow", [set] { set([](Settings& x) { x.delta = 1; }, false); });
  Connect("mnuOdeformManual", [this, set] {
    std::string answer = Ask("1から60までの数を入力してください", "変形の幅の設定",
                             FormatNumber(session_.settings.delta));
    set([&](Settings& x) { x.delta = LimitDelta(answer); }, false);
  });
  Connect("mnuOdeformVarStandard", [set] { set([](Settings& x) { x.deltaVar = 0.5; }, false); });
  Connect("mnuOdeformVarNarrow", [set] { set([](Settings& x) { x.deltaVar = 0.1; }, false); });
  Connect("mnuOdeformVarWide", [set] { set([](Settings& x) { x.deltaVar = 1; }, false); });
  Connect("mnuOdeformVarManual", [this, set] {
    std::string answer = Ask("0より大きく100以下の数を入力してください", "数値の変化の幅の設定",
                             FormatNumber(session_.settings.deltaVar));
    set([&](Settings& x) { x.deltaVar = LimitDeltaVar(answer); }, false);
  });
  Connect("mnuOchrDisp", [this, set] {
    // Exactly true or false: the complement of a 1 from the file would stay true.
    set([](Settings& x) { x.notChrDisp = x.notChrDisp != 0 ? kFalse : kTrue; }, false);
    RefreshStatusBar();
  });
  Connect("mnuAngleSW", [this, &r] {
    ToggleAngleMarksCommand(r);
    MenuCheckSet();
  });
  Connect("mnuOSmooth", [set] { set([](Settings& x) { x.smooth = !x.smooth; }, true); });
  Connect("mnuOAxis", [this, &r] {
    ToggleAxisCommand(r);
    AfterViewCommand();
  });
  Connect("mnuOAxis01", [this, &r] {
    SetAxisKindCommand(r, kAxisRectangular);
    AfterViewCommand();
  });
  Connect("mnuOAxis02", [this, &r] {
    SetAxisKindCommand(r, kAxisPolar);
    AfterViewCommand();
  });
  const std::pair<const char*, Rgb> axisColors[] = {{"mnuOAxisColor1", kAxisColorLight},
                                                    {"mnuOAxisColor2", kAxisColorMedium},
                                                    {"mnuOAxisColor3", kAxisColorDark}};
  for (auto [name, color] : axisColors) {
    Connect(name, [this, &r, color = color] {
      SetAxisColorCommand(r, color);
      AfterViewCommand();
    });
  }
  Connect("mnuOAxisColorManual", [this] { ChooseAxisColor(); });

  // Drawing: pen, font, decimals, background, colour strength.
  Connect("mnuWidth", [this, set] {
    std::string answer = Ask("1から10までの数値を入力してください", "線の太さの設定",
                             FormatNumber(session_.settings.drawWidth));
    set([&](Settings& x) { x.drawWidth = LimitDrawWidth(answer); }, true);
  });
  Connect("mnuFont", [this, set] {
    std::string answer = Ask("フォントの大きさを入力してください", "フォントサイズの設定",
                             FormatNumber(session_.settings.fontSize));
    set([&](Settings& x) { x.fontSize = LimitFontSize(answer); }, true);
  });
  Connect("mnuKeta", [this, set] {
    std::string answer = Ask("測定値の小数点以下の表示桁数を入力してください", "表示桁数の設定",
                             FormatNumber(session_.settings.ketaDecimal));
    set([&](Settings& x) { x.ketaDecimal = LimitKetaDecimal(answer); }, true);
  });
  Connect("mnuOColorStrength", [this, set] {
    std::string answer = Ask("1から255までの数を入力してください", "色の濃さ",
                             FormatNumber(session_.settings.colorStrength));
    set([&](Settings& x) { x.colorStrength = LimitColorStrength(answer); }, true);
  });
  Connect("mnuOBackCWhite", [this, &r] {
    SetBackgroundCommand(r, kWhite);
    AfterViewCommand();
  });
  Connect("mnuOBackCStandard", [this, &r] {
    QColor face = QApplication::palette().color(QPalette::Button);
    SetBackgroundCommand(r, MakeRgb(face.red(), face.green(), face.blue()));
    AfterViewCommand();
  });
  Connect("mnuOBackCmanual", [this] { ChooseBackground(); });
  Connect("mnuOFont", [this] { ChooseDrawingFont(); });

  // Dragging, start-up, replay speed and server.
  const std::pair<const char*, int16_t> snaps[] = {
      {"mnuOSDeformLC", 0}, {"mnuOSDeformL", 1}, {"mnuOSDeformCross", 2}};
  for (auto [name, kind] : snaps) {
    Connect(name, [set, kind = kind] { set([&](Settings& x) { x.sDeformKind = kind; }, false); });
  }
  Connect("mnuOWindowStandard", [this] { SetStandardWindow(); });
  Connect("mnuOWindowVGA", [this] { SetVgaWindow(); });
  Connect("mnuOWindowMax", [this] { SetMaximizedWindow(); });
  Connect("mnuOWindowSave", [this] { StoreWindowSize(); });
  Connect("mnuOMenu_easy", [set] { set([](Settings& x) { x.menuMode = kEasyMenuMode; }, false); });
  Connect("mnuOmenu_full", [set] { set([](Settings& x) { x.menuMode = kFullMenuMode; }, false); });
  const std::pair<const char*, int32_t> speeds[] = {{"mnuRedrawslowOption_01", 200},
                                                    {"mnuRedrawslowOption_03", 500},
                                                    {"mnuRedrawslowOption_05", 1000}};
  for (auto [name, interval] : speeds) {
    Connect(name, [set, interval = interval] {
      set([&](Settings& x) { x.redrawSlow = interval; }, false);
    });
  }
  Connect("mnuOwwwDiderod", [set] {
    set([](Settings& x) { x.wwwUrl = std::string(kDefaultServerEndpoint); }, false);
  });
  Connect("mnuOwwwManual", [this, set] {
    std::string answer = Ask("データ保存に使うWWWサーバのURLを入力してください。",
                             "WWWサーバの設定", session_.settings.wwwUrl);
    set([&](Settings& x) { x.wwwUrl = LimitServerUrl(answer, x.wwwUrl); }, false);
  });
  Connect("mnuOFileSave", [this] { SaveSettings(); });
  Connect("mnuOFileLoad", [this, &s] {
    LoadSettings();
    s.Redraw();
  });
  Connect("mnuOFileInit", [this, &s] {
    ResetSettings();
    s.Redraw();
  });

  // Edit menu: the display of the computed numbers.
  Connect("mnuEVarDispAllOn", [&s] {
    s.SetComputedNumbersDisplay(0);
    s.Redraw();
  });
  Connect("mnuEVarDispAllOff", [&s] {
    s.SetComputedNumbersDisplay(7);
    s.Redraw();
  });

  ConnectConstructionCommands();
  Connect("mnuPTmatrixSW", [this] { MatrixSwitchCommand(); });
  Connect("mnuEditFigDataView", [this] { ReportCommand(); });
  Connect("mnuFigData_Redraw", [this] { ReplayCommand(); });
  Connect("mnuHmanual", [this] { HelpCommand(); });
  Connect("mnuVersion", [this] { VersionCommand(); });
  Connect("mnuLanguage", [this] { LanguageCommand(); });

  // Pictures, pages, printing and the window copy.
  ExportCommands& e = *exports_;
  Connect("mnufBMP", [&e] { e.CopyImageToClipboard(); });
  Connect("mnuOWindowMini", [&e] { e.CopyThumbnail(); });
  Connect("mnuHmakeAllBmp", [&e] { e.MakeAllBitmaps(); });
  Connect("mnuOcopyWindow", [&e] { e.CopyWindow(); });
  Connect("mnuFprint", [&e] { e.Print(); });
  Connect("mnuSaveOnLine", [&e] { e.ExportOnlineForm(); });
  Connect("mnuf_html", [&e] { e.ExportHtmlPage(); });
  Connect("mnufSVG", [&e] { e.SaveVectorPicture(false); });
  Connect("mnufPDF", [&e] { e.SaveVectorPicture(true); });
}

}  // namespace sakuzu
