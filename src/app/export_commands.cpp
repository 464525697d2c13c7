#include "app/export_commands.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QSaveFile>
#include <QStatusBar>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/exports.h"
#include "app/html_page.h"
#include "app/program_folder.h"
#include "app/zkwin.h"
#include "numbers/auto_names.h"
#include "text/text_util.h"

#ifdef SAKUZU_HAVE_PRINTING
#include <QPrintDialog>
#include <QPrinter>
#endif

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The window sizes of the picture layouts and the window copy, in twips.
constexpr double kHalfWidthTwips = 3500, kHalfHeightTwips = 4300;
constexpr double kThumbnailWidthTwips = 1305, kThumbnailHeightTwips = 1984.5;
constexpr double kFiveChoiceWidthTwips = 7000, kFiveChoiceHeightTwips = 4900;
// How long a layout waits for the window system to give the window its
// size before the picture is taken anyway.
constexpr int kSizeWaitMs = 2000;
constexpr int kSizePollMs = 25;

int Pixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440)); }

bool IsFigureFile(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".zk4";
}

#ifdef SAKUZU_HAVE_PRINTING
// The picture at its size on the screen, smaller where the page is smaller.
bool PrintPicture(QPrinter& printer, const PainterCanvas& picture) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
  double scale = printer.resolution() / kCanvasDpi;
  scale = std::min({scale, area.width() / picture.Width(), area.height() / picture.Height()});
  painter.scale(scale, scale);
  picture.Replay(painter);
  return painter.end() && printer.printerState() != QPrinter::Error;
}
#endif

}  // namespace

ExportCommands::ExportCommands(ZKwin& window) : w_(window) {
  openDocument = [](const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
  };
  startProgram = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  askPicturePath = [this](const std::string& start, const QString& filter) {
    return QFileDialog::getSaveFileName(&w_, QString(), Q(start), filter).toStdString();
  };
  askFolder = [this](const std::string& start) {
    return QFileDialog::getExistingDirectory(&w_, Q(T("画像を作る図のフォルダ")), Q(start))
        .toStdString();
  };
  choosePrinter = [this](QPrinter& printer) {
#ifdef SAKUZU_HAVE_PRINTING
    QPrintDialog dialog(&printer, &w_);
    return dialog.exec() == QDialog::Accepted;
#else
    (void)printer;
    return false;
#endif
  };
  sizeTimer_.setInterval(kSizePollMs);
  QObject::connect(&sizeTimer_, &QTimer::timeout, &w_, [this] { CopyOnceSized(); });
}

std::string ExportCommands::T(const char* japanese) const { return w_.session().T(japanese); }

void ExportCommands::ShowMessage(const std::string& text) { w_.shell().ShowMessage(text); }

void ExportCommands::Wrote(const std::string& where) {
  w_.session().SetNote(T("保存しました") + ": " + where);
}

int16_t ExportCommands::PictureMode() const { return w_.session().display.pictureMode; }

// ------------------------------------------------------------- clipboard

void ExportCommands::CopyImageToClipboard() {
  QGuiApplication::clipboard()->setImage(w_.canvas().Composed());
  w_.session().SetNote(T("クリップボードにコピーしました"));
}

// ---------------------------------------------------------------- layouts

void ExportCommands::CopyThumbnail() {
  if (w_.isMaximized() || w_.isMinimized() || w_.isFullScreen()) {
    ShowMessage(T("最大化あるいは最小化されているのでできません。"));
    return;
  }
  ApplyPictureMode(static_cast<int16_t>((PictureMode() + 1) % 4));
  // The item names what its next use does.
  static constexpr const char* kNext[] = {"1/2縮小表示", "サムネイル表示", "ZK-5択", "標準に戻す"};
  w_.menus().SetCaption("mnuOWindowMini", kNext[PictureMode()]);
  w_.session().CollectSettings();
  w_.RefreshStatusBar();
}

void ExportCommands::ShowStatusBar(bool shown) {
  w_.statusBar()->setVisible(shown);
  w_.session().display.statusBarHidden = !shown;
}

void ExportCommands::ApplyPictureMode(int16_t mode) {
  Session& s = w_.session();
  MenuBar& menus = w_.menus();
  s.display.pictureMode = mode;
  switch (mode) {
    case 1:  // half size
      before_ = {w_.size(),      w_.windowState(), s.display.font, s.view.ViewScale,
                 s.view.centerX, s.view.centerY,   s.MenuMode()};
      s.display.font.size = 10;
      ShowStatusBar(true);
      SetMenuMode(kFullMenuMode);
      ZoomOutCommand(s.renderer);
      ResizeThenCopy(kHalfWidthTwips, kHalfHeightTwips);
      return;
    case 2:  // thumbnail: little more than the drawing
      SetMenuMode(kEasyMenuMode);
      for (const char* name :
           {"mnuDeform", "mnuEasyConst", "mnuEasy_Measure", "mnuLocus", "mnuZoom", "mnuHelp"}) {
        menus.Action(name)->setVisible(false);
      }
      w_.setWindowState(Qt::WindowNoState);
      ShowStatusBar(false);
      w_.RefreshStatusBar();
      s.display.font.size = 8;
      s.display.font.family = "ＭＳ Ｐゴシック";
      ZoomOutCommand(s.renderer);
      ResizeThenCopy(kThumbnailWidthTwips, kThumbnailHeightTwips);
      return;
    case 3:  // the picture of a five-choice question
      ShowStatusBar(true);
      s.display.font.size = 14;
      SetMenuMode(kFullMenuMode);
      ZoomDefaultCommand(s.renderer);
      ResizeThenCopy(kFiveChoiceWidthTwips, kFiveChoiceHeightTwips);
      return;
    default:  // back to the layout before the half size
      sizeTimer_.stop();
      ShowStatusBar(true);
      SetMenuMode(before_.menuMode);
      w_.geometry().FitToScreen(before_.size);
      w_.setWindowState(before_.state);
      s.display.font = before_.font;
      s.view.ViewScale = before_.viewScale;
      s.view.centerX = before_.centerX;
      s.view.centerY = before_.centerY;
      s.SetScreen();
      s.Redraw();
      return;
  }
}

void ExportCommands::SetMenuMode(int16_t mode) {
  w_.session().SetMenuMode(mode);
  if (mode == kEasyMenuMode) {
    w_.menus().SetMenuEasy();
  } else {
    w_.menus().SetMenuFull();
  }
}

void ExportCommands::ResizeThenCopy(double widthTwips, double heightTwips) {
  // The picture's size rules here: the menu bar may fold its menus away.
  w_.setMinimumSize(0, 0);
  QSize wanted(Pixels(widthTwips, w_.geometry().Dpi()), Pixels(heightTwips, w_.geometry().Dpi()));
  wantedSize_ =
      wanted.expandedTo(w_.minimumSizeHint()).boundedTo(w_.geometry().AvailableArea().size());
  w_.resize(wantedSize_);
  sizeDeadline_.setRemainingTime(kSizeWaitMs);
  sizeTimer_.start();
}

void ExportCommands::CopyOnceSized() {
  if (w_.size() != wantedSize_ && !sizeDeadline_.hasExpired()) return;
  sizeTimer_.stop();
  w_.session().SetScreen();
  w_.session().Redraw();
  w_.canvas().Present();
  CopyImageToClipboard();
}

// ------------------------------------------------------------ batch pictures

// The folder of the current figure, else the one last chosen in a file
// dialog, else the data folder.
std::string ExportCommands::BatchFolder() const {
  std::error_code ec;
  fs::path figure(w_.session().fig.FigureFileName);
  if (figure.has_parent_path() && fs::is_directory(figure.parent_path(), ec)) {
    return figure.parent_path().string();
  }
  if (!w_.files().LastDialogFolder().empty()) return w_.files().LastDialogFolder();
  fs::path data(w_.files().DataFolder());
  if (fs::is_directory(data, ec)) return data.string();
  if (data.has_parent_path() && fs::is_directory(data.parent_path(), ec)) {
    return data.parent_path().string();
  }
  return fs::current_path(ec).string();
}

void ExportCommands::MakeAllBitmaps() {
  if (!w_.session().MaySave()) return;
  // An untitled figure has no folder of its own: the user says which.
  fs::path folder = BatchFolder();
  if (!fs::path(w_.session().fig.FigureFileName).has_parent_path()) {
    std::string chosen = askFolder(folder.string());
    if (chosen.empty()) return;
    folder = chosen;
  }
  std::error_code ec;
  std::vector<fs::path> figures;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    if (entry.is_regular_file(ec) && IsFigureFile(entry.path())) figures.push_back(entry.path());
  }
  std::sort(figures.begin(), figures.end());
  if (figures.empty()) return;
  fs::path pictures = folder / "bmp";
  fs::create_directories(pictures, ec);
  std::vector<std::string> problems;
  for (const fs::path& figure : figures) {
    // Read once on the side: an unreadable file is reported with the
    // others at the end instead of stopping the run with a box.
    Figure check;
    FileOutcome outcome = ReadWriteFigure(check, figure.string(), FigureFileMode::kRead, {},
                                          w_.session().Translator());
    if (!outcome.ok) {
      problems.push_back(outcome.message);
      continue;
    }
    if (!w_.files().ReadZKFigFile(figure.string())) continue;
    std::string name = BatchPictureName(figure.filename().string(), PictureMode());
    ExportOutcome written = WriteImageFile(w_.canvas().Composed(), (pictures / name).string(),
                                           "BMP", w_.session().Translator());
    if (!written.ok) problems.push_back(written.message);
  }
  Wrote(pictures.string());
  if (problems.empty()) return;
  std::string text = T("次のファイルの画像は作れませんでした");
  for (const std::string& problem : problems) text += "\n\n" + problem;
  ShowMessage(text);
}

// ------------------------------------------------------------ window copy

void ExportCommands::CopyWindow() {
  Session& s = w_.session();
  fs::path copy = fs::path(s.ProgramFolderPath()) / kTempFigureFileName;
  FileOutcome outcome = s.WriteFigureFile(copy.string());
  if (!outcome.ok) {
    ShowMessage(outcome.message);
    return;
  }
  // This window makes room for the copy beside it.
  w_.setWindowState(Qt::WindowNoState);
  w_.geometry().FitToScreen(QSize(Pixels(kHalfWidthTwips, w_.geometry().Dpi()),
                                  Pixels(kHalfHeightTwips, w_.geometry().Dpi())));
  s.display.font.size = 10;
  s.CollectSettings();
  ZoomDefaultCommand(s.renderer);
  ZoomOutCommand(s.renderer);
  // No file association to rely on: this program opens the copy.
  QString program = QCoreApplication::applicationFilePath();
  if (!startProgram(program, {Q(copy.string())})) {
    ShowMessage(T("画面複写のウィンドウを開けませんでした") + "\n" + program.toStdString());
  }
}

// ---------------------------------------------------------------- printing

void ExportCommands::Print() {
#ifdef SAKUZU_HAVE_PRINTING
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Q(FileTitle(w_.session().fig.FigureFileName)));
  if (!choosePrinter(printer)) return;
  bool printed = PrintPicture(printer, Picture());
  if (!printed) ShowMessage(T("印刷できませんでした"));
#else
  ShowMessage(T("印刷できませんでした"));
#endif
}

// ------------------------------------------------------------------ pages

void ExportCommands::ExportOnlineForm() {
  Settings& settings = w_.session().settings;
  // No server is shipped: the user gives one, which is kept.
  if (!w_.session().EnsureServerUrl()) return;
  // As a save writes it, automatic names rebuilt, without touching the figure.
  Figure figure = w_.session().fig;
  UpdateAutoNames(figure, w_.session().Translator());
  std::string page = OnlineFormPage(settings.wwwUrl, FigureText(figure), w_.session().Translator());
  fs::path path = fs::path(w_.session().ProgramFolderPath()) / kTempPageFileName;
  QSaveFile file(Q(path.string()));
  bool written = file.open(QIODevice::WriteOnly) &&
                 file.write(page.data(), static_cast<qint64>(page.size())) ==
                     static_cast<qint64>(page.size()) &&
                 file.commit();
  if (!written) {
    ShowMessage(T("ファイルに書き込めませんでした") + "\n" + path.string());
    return;
  }
  Wrote(path.string());
  OpenPage(path.string());
}

void ExportCommands::ExportHtmlPage() {
  if (!w_.files().SaveCommand()) return;  // cancelled or refused: no page
  const Figure& fig = w_.session().fig;
  HtmlPageRequest request;
  request.figurePath = fig.FigureFileName;
  request.pagePath = PagePathFor(fig.FigureFileName);
  request.figureText = FigureText(fig);  // the save rebuilt the automatic names
  request.templatePath = ShippedFile(kPageTemplateFileName);
  request.viewerPath = ShippedFile(kViewerFileName);
  request.language = PageLanguage(w_.session().language);
  ExportOutcome outcome = WriteHtmlPage(Picture(), request, w_.session().Translator());
  if (!outcome.ok) {
    ShowMessage(outcome.message);
    return;
  }
  Wrote(request.pagePath);
  OpenPage(request.pagePath);
}

// The drawing as the drawing area shows it, as drawing calls.
PainterCanvas ExportCommands::Picture() {
  PainterCanvas picture(w_.canvas().Width(), w_.canvas().Height());
  w_.session().DrawPicture(picture);
  return picture;
}

// Without a browser the user learns at least where the page is.
void ExportCommands::OpenPage(const std::string& path) {
  if (!openDocument(path)) ShowMessage(T("ページを開けませんでした") + "\n" + path);
}

// ---------------------------------------------------------- vector pictures

void ExportCommands::SaveVectorPicture(bool pdf) {
  const char* extension = pdf ? ".pdf" : ".svg";
  fs::path start(SaveDialogStart(w_.files().DialogStart(), w_.session().fig.FigureFileName));
  start.replace_extension(extension);
  QString filter = pdf ? "PDF (*.pdf)" : "SVG (*.svg)";
  std::string path = askPicturePath(start.string(), filter);
  if (path.empty()) return;
  path = WithExtension(path, extension);
  std::string title = FileTitle(w_.session().fig.FigureFileName);
  TranslateFn translate = w_.session().Translator();
  PainterCanvas picture = Picture();
  ExportOutcome outcome = pdf ? WritePdfPicture(picture, path, title, translate)
                              : WriteSvgPicture(picture, path, title, translate);
  if (!outcome.ok) {
    ShowMessage(outcome.message);
    return;
  }
  Wrote(path);
}

// A picture of the drawing as PNG, at a scale for print: 2 or more gives
// the pixels a printed page wants, as --scale does on the command line.
void ExportCommands::SavePngPicture() {
  fs::path start(SaveDialogStart(w_.files().DialogStart(), w_.session().fig.FigureFileName));
  start.replace_extension(".png");
  std::string path = askPicturePath(start.string(), "PNG (*.png)");
  if (path.empty()) return;
  path = WithExtension(path, ".png");
  std::optional<std::string> answer =
      w_.shell().InputBox(T(kPictureScalePrompt), T("画像として保存"), "1");
  if (!answer) return;
  double scale = PictureScaleFrom(*answer);
  QImage image = ReplayImage(Picture(), scale);
  ExportOutcome outcome = WriteImageFile(image, path, "PNG", w_.session().Translator());
  if (!outcome.ok) {
    ShowMessage(outcome.message);
    return;
  }
  Wrote(path);
}

}  // namespace sakuzu
