#include "app/zkwin.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QFontDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShowEvent>
#include <QStatusBar>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <filesystem>

#include "app/drawing_area.h"
#include "app/fonts.h"
#include "app/language_dialog.h"
#include "app/program_folder.h"
#include "app/qt_translation.h"

// The icon is a resource of the static library, which a program must start
// by name, outside any namespace.
static void InitProgramResources() { Q_INIT_RESOURCE(sakuzu); }

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kRecordFlushPeriodMs = 250;
// How long the start waits for the window to be shown before it asks.
constexpr int kExposeTries = 40;
constexpr int kExposeWaitMs = 25;

}  // namespace

ZKwin::ZKwin(const std::string& commandLine)
    : canvas_(640, 480), session_(canvas_, shell_, ProgramFolder()) {
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
        if (session_.engine.matrixDisplay) RunCommand("mnuPTmatrixSW");
      });
  replayTimer_.setParent(this);
  replayTimer_.setObjectName("Timer4DrawSlow");
  connect(&replayTimer_, &QTimer::timeout, this, [this] { Show(session_.ReplayTick()); });
  // Rows recorded during a pause reach temp.csv without waiting for the next.
  recordTimer_.setParent(this);
  recordTimer_.setObjectName("TimerRecordFlush");
  connect(&recordTimer_, &QTimer::timeout, this,
          [this] { session_.workspace.locus.record.FlushIfDue(); });
  recordTimer_.start(kRecordFlushPeriodMs);
  geometry_ = std::make_unique<WindowGeometry>(*this, *drawing_, session_);
  files_ = std::make_unique<FileCommands>(*this, session_);
  shell_.UseDialogsOf(*this);
  InstallDrawingArea();
  InstallDialogs();
  exports_ = std::make_unique<ExportCommands>(*this);
  InstallWindowCommands();
  ConnectMenus();
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

ZKwin::~ZKwin() {
  // The drawing area shows the canvas, a member that goes before the
  // child widgets do.
  canvas_.SetChangeListener({});
  delete takeCentralWidget();
}

QLabel* ZKwin::Panel(int n) const { return n >= 1 && n <= 4 ? panels_[n - 1] : nullptr; }

bool ZKwin::eventFilter(QObject* watched, QEvent* event) {
  // Every dialog of this window opens over it, wherever the window system
  // would put a box that came up before the window was placed.
  if (event->type() == QEvent::Show) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog && dialog->parentWidget() && dialog->parentWidget()->window() == this) {
      CentreOverWindow(dialog);
    }
    return false;
  }
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
  KeyInput input = DrawingArea::ToKeyInput(key);
  if (input.code != 0) Show(session_.KeyDown(input));
  return true;
}

// ----------------------------------------------------------------- wiring

void ZKwin::InstallDrawingArea() {
  drawing_->onResize = [this] { DrawingResized(); };
  drawing_->onMousePress = [this](const MouseInput& input) { Show(session_.MouseDown(input)); };
  drawing_->onDoubleClick = [this] { Show(session_.DoubleClick()); };
  drawing_->onMouseMove = [this](const MouseInput& input) { Show(session_.MouseMove(input)); };
  drawing_->onMouseRelease = [this](const MouseInput& input) { Show(session_.MouseUp(input)); };
  drawing_->onKeyPress = [this](const KeyInput& input) { Show(session_.KeyDown(input)); };
  drawing_->onWheel = [this](double px, double py, double notches) {
    Show(session_.Wheel(px, py, notches));
  };
  drawing_->onPinch = [this](double px, double py, double factor) {
    Show(session_.Pinch(px, py, factor));
  };
}

void ZKwin::InstallDialogs() {
  Workspace& ws = session_.workspace;
  ws.locus.record.report = [this](const std::string& path) {
    shell_.ShowMessage(session_.T(kRecordNotWrittenMessage) + "\n" + path);
  };
  numberDialogs_ = std::make_unique<WindowNumberDialogs>(this, uiFont_, session_.Translator());
  numberDialogs_->beforeShow = [this] { RefreshStatusBar(); };
  ws.numbers = numberDialogs_.get();
  attributeDialogs_ =
      std::make_unique<WindowAttributeDialogs>(this, uiFont_, session_.Translator());
  attributeDialogs_->beforeShow = [this] { RefreshStatusBar(); };
  ws.attributes = attributeDialogs_.get();
}

// The commands only the window has: files, window sizes, fonts, help,
// language and pictures.
void ZKwin::InstallWindowCommands() {
  FileCommands& f = *files_;
  WindowGeometry& g = *geometry_;
  ExportCommands& e = *exports_;
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"mnuLoad", [&f] { f.LoadCommand(); }},
      {"mnuSave", [&f] { f.SaveCommand(); }},
      {"mnuMerge", [&f] { f.MergeCommand(); }},
      {"mnuFDataFolderGet", [&f] { f.DataFolderGet(); }},
      {"mnuFDataFolderSample", [&f] { f.DataFolderSample(); }},
      {"mnuFDataFolderStandardSet", [&f] { f.DataFolderStandardSet(); }},
      {"mnuExit", [this] { close(); }},
      {"mnuOWindowStandard", [&g] { g.SetStandardWindow(); }},
      {"mnuOWindowVGA", [&g] { g.SetVgaWindow(); }},
      {"mnuOWindowMax", [&g] { g.SetMaximizedWindow(); }},
      {"mnuOWindowSave", [&g] { g.StoreWindowSize(); }},
      {"mnuOFont", [this] { ChooseDrawingFont(); }},
      {"mnuHmanual", [this] { HelpCommand(); }},
      {"mnuVersion", [this] { VersionCommand(); }},
      {"mnuLanguage", [this] { LanguageCommand(); }},
      {"mnufBMP", [&e] { e.CopyImageToClipboard(); }},
      {"mnuOWindowMini", [&e] { e.CopyThumbnail(); }},
      {"mnuHmakeAllBmp", [&e] { e.MakeAllBitmaps(); }},
      {"mnuOcopyWindow", [&e] { e.CopyWindow(); }},
      {"mnuFprint", [&e] { e.Print(); }},
      {"mnuSaveOnLine", [&e] { e.ExportOnlineForm(); }},
      {"mnuf_html", [&e] { e.ExportHtmlPage(); }},
      {"mnufSVG", [&e] { e.SaveVectorPicture(false); }},
      {"mnufPDF", [&e] { e.SaveVectorPicture(true); }},
      {"mnufPNG", [&e] { e.SavePngPicture(); }},
  };
  for (const auto& [name, run] : commands) session_.SetCommand(name, run);
}

void ZKwin::ConnectMenus() {
  for (const MenuEntry& entry : MenuTree()) {
    if (entry.submenu || !session_.HasCommand(entry.name)) continue;
    QAction* action = menus_->Action(entry.name);
    std::string name(entry.name);
    connect(action, &QAction::triggered, this, [this, name] { RunCommand(name); });
  }
}

void ZKwin::RunCommand(const std::string& name) {
  Show(session_.Command(name));
  // The command may have changed a setting or a switch the menus show.
  RefreshStatusBar();
}

void ZKwin::Show(Update update) {
  if (update.layers != 0) canvas_.Present();
  if (update.modes || update.status || update.figure) RefreshStatusBar();
  // A recovery copy put off during a drag or a command, once it is shown.
  if (update.changeClosed) files_->ChangeClosed();
  if (update.popup) OpenObjectPopup(*update.popup);
}

void ZKwin::ShowSession() {
  canvas_.Present();
  RefreshStatusBar();
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

// ---------------------------------------------------------------- start-up

// Start-up in the order the program has always followed: caption, tables,
// settings, language, data folder, view, status bar, modes, file name,
// command-line figure, window size, menu mode.
void ZKwin::StartUp(const std::string& commandLine) {
  setWindowTitle(Q(ProgramCaption(CurrentProgramVersion())));
  session_.ResetForStartUp();
  session_.LoadSettings();
  ApplyLanguage();
  files_->DataFolderGet();
  // Until the window is laid out the drawing area counts as 640 by 480;
  // the first layout resizes it and redraws.
  canvas_.Resize(640, 480, session_.view.backColor);
  BuildStatusBar();
  geometry_->FitToScreen(
      QSize(640, 480 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
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
  geometry_->SetWindow();
  session_.SetMenuMode(session_.settings.menuMode);
  canvas_.Present();
  RefreshStatusBar();
  drawing_->setFocus();  // keys reach the modes without a click first
}

void ZKwin::CentreOverWindow(QWidget* dialog) const {
  QRect over = frameGeometry();
  QSize size = dialog->frameGeometry().size().expandedTo(dialog->sizeHint());
  QPoint corner = over.center() - QPoint(size.width() / 2, size.height() / 2);
  dialog->move(corner.x(), std::max(corner.y(), over.top()));
}

void ZKwin::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (offeredRecovery_) return;
  offeredRecovery_ = true;
  // The questions of the start come once the window is on the screen, so
  // that they stand over it and not alone on the desktop.
  AfterExposed(0);
}

void ZKwin::AfterExposed(int tries) {
  bool exposed = windowHandle() && windowHandle()->isExposed();
  if (!exposed && tries < kExposeTries) {
    QTimer::singleShot(kExposeWaitMs, this, [this, tries] { AfterExposed(tries + 1); });
    return;
  }
  QTimer::singleShot(0, this, [this] {
    std::string message = std::move(startUpMessage_);
    startUpMessage_.clear();
    if (!message.empty()) shell_.ShowMessage(message);
    files_->OfferRecovery();
  });
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
  if (!prompt_) {
    prompt_ = new QLabel(bar);
    prompt_->setObjectName("StatusPrompt");
    prompt_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(prompt_, 2);
  }
}

void ZKwin::RefreshStatusBar() {
  if (!startedUp_) return;
  if (session_.language.setting != appliedLanguage_) ApplyLanguage();
  StatusTexts status = session_.Status();
  setWindowTitle(Q(status.caption));
  panels_[0]->setText(Q(status.panel1));
  panels_[1]->setText(Q(status.panel2));
  panels_[2]->setText(Q(status.panel3));
  panels_[3]->setText(Q(status.panel4));
  prompt_->setText(Q(status.prompt));
  panels_[3]->setFrameStyle(QFrame::Panel |
                            (status.panel4Raised ? QFrame::Raised : QFrame::Sunken));
  drawing_->setCursor(status.cursor == CursorShape::kMove ? Qt::SizeAllCursor : Qt::ArrowCursor);
  if (!status.replayTimer) {
    replayTimer_.stop();
  } else if (!replayTimer_.isActive()) {
    replayTimer_.start(status.replayInterval);
  }
  if (menus_->MenuMode() != session_.MenuMode()) {
    if (session_.MenuMode() == kEasyMenuMode) {
      menus_->SetMenuEasy();
    } else {
      menus_->SetMenuFull();
    }
  }
  menus_->MenuEnabledSet(CurrentMode(session_.modes).value_or(0));
  MenuCheckState checks = session_.MenuChecks();
  geometry_->AddChecks(checks);
  menus_->MenuCheckSet(checks);
  const History& history = session_.history;
  for (const char* name : {"mnuEUndo", "mnuEasy_Undo"}) {
    menus_->SetCaption(name, session_.UndoCaption(), false);
    menus_->Action(name)->setEnabled(history.CanUndo());
  }
  for (const char* name : {"mnuERedo", "mnuEasy_Redo"}) {
    menus_->SetCaption(name, session_.RedoCaption(), false);
    menus_->Action(name)->setEnabled(history.CanRedo());
  }
}

void ZKwin::DrawingResized() {
  if (!startedUp_ || isMinimized()) return;
  session_.SetScreen();
  session_.Redraw();
  canvas_.Present();
}

void ZKwin::closeEvent(QCloseEvent* event) {
  if (!session_.MaySave()) {
    event->ignore();
    return;
  }
  files_->CloseDown();  // also writes the recorded values still waiting
  viewer_->close();
  replayTimer_.stop();
  recordTimer_.stop();
  event->accept();
}

// ---------------------------------------------------------------- commands

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

void ZKwin::LanguageCommand() {
  ZKLanguage dialog(this, session_.language.setting, session_.Translator(),
                    [this](const std::string& font) { SetFontAll(font); });
  dialog.setFont(uiFont_);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  session_.SetLanguage(*dialog.Chosen());
  ApplyLanguage();
}

void ZKwin::ApplyLanguage() {
  appliedLanguage_ = session_.language.setting;
  ApplyQtTranslation(session_.language.setting);
  SetFontAll("");
  RefreshStatusBar();
  menus_->ApplyMenuCaptions(session_.Translator());
  ApplyCaptions(this, session_.Translator());
  viewer_->RetranslateUi();
  // Captions of another length: every top menu must still show.
  geometry_->UpdateMinimumSize();
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
                     Q(ProgramCaption(CurrentProgramVersion())) + "\n" + Q(session_.T("作図")) +
                         " - dynamic geometry construction");
}

}  // namespace sakuzu
