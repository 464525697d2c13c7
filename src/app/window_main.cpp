#include "app/window_main.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>

#include "app/exports.h"
#include "app/fonts.h"
#include "app/html_page.h"
#include "app/image_canvas.h"
#include "app/program_folder.h"
#include "app/render_picture.h"
#include "app/zkwin.h"
#include "session/session.h"
#include "text/number_text.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

// Without a window, messages of the computations go to standard error.
class ErrorStreamShell : public FrontEnd {
 public:
  explicit ErrorStreamShell(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text) override { err_ << text << "\n"; }

 private:
  std::ostream& err_;
};

// Qt looks at XDG_RUNTIME_DIR when a GUI application starts and warns when
// it is unset or not a private folder of ours (a plain root shell, a cron
// job). A picture needs nothing there, so such a run gets an empty private
// folder of its own, removed at the end.
class PrivateRuntimeFolder {
 public:
  PrivateRuntimeFolder() {
    if (IsPrivateFolder(std::getenv("XDG_RUNTIME_DIR"))) return;
    std::error_code ec;
    fs::path tmp = fs::temp_directory_path(ec);
    std::string folder = ((ec ? fs::path("/tmp") : tmp) / "sakuzu-runtime-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) return;  // mode 0700
    path_ = folder;
    ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
  }
  ~PrivateRuntimeFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
  PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

 private:
  // What Qt accepts without a word: a folder of ours with mode 0700.
  static bool IsPrivateFolder(const char* path) {
    struct stat st {};
    if (path == nullptr || *path == '\0' || ::stat(path, &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 0777) == 0700;
  }
  std::string path_;
};

constexpr const char* kRenderUsage =
    "usage: sakuzu --render FILE --output PICTURE.png [--size WxH] [--scale S] "
    "[--language japanese|english|manual]\n";
constexpr const char* kExportUsage =
    "usage: sakuzu --export FILE --output OUT.png|.bmp|.svg|.pdf|.htm|.html [--size WxH] "
    "[--scale S] [--language japanese|english|manual]\n";

// The scale of a picture: 1 to 8 device pixels per pixel, fractions allowed.
bool ParseScale(const std::string& text, double& scale) {
  bool plain = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos;
  std::optional<double> value = plain ? LeadingNumber(text) : std::nullopt;
  if (!value || !(*value >= 1 && *value <= 8)) return false;
  scale = *value;
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  char* end = nullptr;
  long w = std::strtol(text.substr(0, x).c_str(), &end, 10);
  if (*end != '\0') return false;
  long h = std::strtol(text.substr(x + 1).c_str(), &end, 10);
  if (*end != '\0') return false;
  if (w < 1 || h < 1 || w > 10000 || h > 10000) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool ParseRenderArgs(const std::vector<std::string>& args, RenderOptions& options,
                     std::ostream& err, const char* usage) {
  if (args.size() < 2) {
    err << usage;
    return false;
  }
  options.figurePath = args[1];
  for (size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      err << "missing value after " << args[i] << "\n" << usage;
      return false;
    }
    const std::string& value = args[i + 1];
    if (args[i] == "--output") {
      options.outputPath = value;
    } else if (args[i] == "--size") {
      if (!ParseSize(value, options.width, options.height)) {
        err << "bad size " << value << " (expected WxH, for example 640x480)\n";
        return false;
      }
    } else if (args[i] == "--scale") {
      if (!ParseScale(value, options.scale)) {
        err << "bad scale " << value << " (expected a number from 1 to 8)\n";
        return false;
      }
    } else if (args[i] == "--language") {
      std::string setting = NormalisedSetting(value);
      if (setting != "japanese" && setting != "english" && setting != "manual") {
        err << "unknown language " << value << "\n";
        return false;
      }
      options.language = value;
    } else {
      err << "unknown option " << args[i] << "\n" << usage;
      return false;
    }
  }
  if (options.outputPath.empty()) {
    err << usage;
    return false;
  }
  return true;
}

}  // namespace

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  // Taken after Qt removed its own options (-platform, -style, ...): what
  // is left is the figure path as the desktop hands it over; a path with
  // blanks that arrives in pieces is joined again.
  std::string commandLine = QCoreApplication::arguments().mid(1).join(QChar(' ')).toStdString();
  QApplication::setApplicationName("Sakuzu");
  // Desktops match the window with the installed sakuzu.desktop (its icon).
  QGuiApplication::setDesktopFileName("sakuzu");
  QFont font = QApplication::font();
  font.setFamilies(FontFamiliesFor("ＭＳ Ｐゴシック"));
  QApplication::setFont(font);
  ZKwin window(commandLine);
  window.show();
  return QApplication::exec();
}

int RenderCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& err) {
  RenderOptions options;
  if (!ParseRenderArgs(args, options, err, kRenderUsage)) return 2;
  // A picture needs fonts but no screen.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  PrivateRuntimeFolder runtimeFolder;
  QGuiApplication app(argc, argv);
  ErrorStreamShell shell(err);
  QImage picture;
  std::string message;
  if (!RenderFigurePicture(options, shell, picture, message)) {
    err << message << "\n";
    return 1;
  }
  if (!picture.save(QString::fromStdString(options.outputPath), "PNG")) {
    err << options.outputPath << ": cannot be written\n";
    return 1;
  }
  return 0;
}

int ExportCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& err) {
  RenderOptions options;
  if (!ParseRenderArgs(args, options, err, kExportUsage)) return 2;
  std::string kind = ExportKind(options.outputPath);
  if (kind.empty()) {
    err << options.outputPath
        << ": unknown kind of output (expected .png, .bmp, .svg, .pdf, .htm or .html)\n";
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  PrivateRuntimeFolder runtimeFolder;
  QGuiApplication app(argc, argv);
  ErrorStreamShell shell(err);
  FigureDrawing drawing(options, shell);
  std::string message;
  if (!drawing.Open(message)) {
    err << message << "\n";
    return 1;
  }
  TranslateFn translate = drawing.session.Translator();
  std::string figurePath = CommandLinePath(options.figurePath);
  std::string title = FileTitle(figurePath);
  const std::string& out = options.outputPath;
  ExportOutcome outcome;
  if (kind == "png" || kind == "bmp") {
    outcome = WriteImageFile(drawing.Picture(), out, kind == "png" ? "PNG" : "BMP", translate);
  } else if (kind == "svg") {
    outcome = WriteSvgPicture(drawing.Calls(), out, title, translate);
  } else if (kind == "pdf") {
    outcome = WritePdfPicture(drawing.Calls(), out, title, translate);
  } else {
    HtmlPageRequest request;
    request.pagePath = out;
    request.figurePath = figurePath;
    request.figureText = FigureText(drawing.session.fig);
    request.templatePath = ShippedFile(kPageTemplateFileName);
    request.viewerPath = ShippedFile(kViewerFileName);
    request.language = PageLanguage(drawing.session.language);
    outcome = WriteHtmlPage(drawing.Calls(), request, translate);
  }
  if (!outcome.ok) {
    err << outcome.message << "\n";
    return 1;
  }
  return 0;
}

}  // namespace sakuzu
