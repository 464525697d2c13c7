#include "app/exports.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/html_page.h"
#include "app/image_canvas.h"
#include "text/number_text.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string T(const TranslateFn& translate, const char* japanese) {
  return translate ? translate(japanese) : std::string(japanese);
}

ExportOutcome NotWritten(const std::string& path, const TranslateFn& translate) {
  return {false, T(translate, "ファイルに書き込めませんでした") + "\n" + path};
}

// Writes through `write` into a temporary file that replaces `path` when
// all went well.
template <typename Write>
ExportOutcome SaveWhole(const std::string& path, const TranslateFn& translate, Write write) {
  QSaveFile file(Q(path));
  if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit()) {
    return NotWritten(path, translate);
  }
  return {};
}

// A path relative to `folder`, with "/" between its parts.
std::string RelativeLink(const std::string& path, const std::string& folder) {
  std::error_code ec;
  fs::path relative = fs::relative(path, folder.empty() ? fs::path(".") : fs::path(folder), ec);
  if (ec || relative.empty()) return fs::path(path).filename().string();
  return relative.generic_string();
}

std::string ReadWholeFile(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::string ExportKind(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".html") return "htm";
  for (const char* kind : {"png", "bmp", "svg", "pdf", "htm"}) {
    if (extension == std::string(".") + kind) return kind;
  }
  return {};
}

ExportOutcome WriteImageFile(const QImage& image, const std::string& path, const char* format,
                             const TranslateFn& translate) {
  return SaveWhole(path, translate, [&](QIODevice& file) { return image.save(&file, format); });
}

ExportOutcome WriteSvgPicture(const PainterCanvas& picture, const std::string& path,
                              const std::string& title, const TranslateFn& translate) {
  return SaveWhole(path, translate, [&](QIODevice& file) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(picture.Width(), picture.Height()));
    svg.setViewBox(QRect(0, 0, picture.Width(), picture.Height()));
    svg.setResolution(static_cast<int>(kCanvasDpi));
    svg.setTitle(Q(title));
    svg.setDescription(QStringLiteral("Sakuzu"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    picture.Replay(painter);
    return painter.end();
  });
}

ExportOutcome WritePdfPicture(const PainterCanvas& picture, const std::string& path,
                              const std::string& title, const TranslateFn& translate) {
  return SaveWhole(path, translate, [&](QIODevice& file) {
    QPdfWriter pdf(&file);
    pdf.setTitle(Q(title));
    pdf.setCreator(QStringLiteral("Sakuzu"));
    // The page is the drawing area, as large as on the screen.
    QSizeF points(picture.Width() * 72 / kCanvasDpi, picture.Height() * 72 / kCanvasDpi);
    QPageSize size(points, QPageSize::Point, QString(), QPageSize::ExactMatch);
    pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    double scale = pdf.resolution() / kCanvasDpi;
    painter.scale(scale, scale);
    picture.Replay(painter);
    return painter.end();
  });
}

QImage ReplayImage(const PainterCanvas& picture, double scale) {
  scale = std::clamp(scale, 0.1, 8.0);
  QSize size(static_cast<int>(std::ceil(picture.Width() * scale)),
             static_cast<int>(std::ceil(picture.Height() * scale)));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  picture.Replay(painter);
  painter.end();
  int dotsPerMeter = static_cast<int>(std::lround(kCanvasDpi * scale / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  return image;
}

std::string WithExtension(const std::string& path, std::string_view extension) {
  std::string have = fs::path(path).extension().string();
  std::transform(have.begin(), have.end(), have.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return have == extension ? path : path + std::string(extension);
}

double PictureScaleFrom(std::string_view answer) {
  std::optional<double> value = LeadingNumber(answer);
  if (!value || !std::isfinite(*value)) return 1;
  return std::clamp(*value, 1.0, 8.0);
}

std::string PageLanguage(const Language& language) {
  return NormalisedSetting(language.setting) == "english" ? "english" : "japanese";
}

ExportOutcome WriteHtmlPage(const PainterCanvas& picture, const HtmlPageRequest& request,
                            const TranslateFn& translate) {
  bool read = false;
  std::string templateText =
      request.templatePath.empty() ? std::string() : ReadWholeFile(request.templatePath, read);
  if (!read) {
    std::string wanted =
        request.templatePath.empty() ? std::string(kPageTemplateFileName) : request.templatePath;
    return {false, T(translate, "ひな形ファイルがないので, Html生成ができません") + "\n" + wanted};
  }
  std::string folder = fs::path(request.pagePath).parent_path().string();
  std::string picturePath = PagePicturePathFor(request.pagePath, request.figurePath);
  std::string title = fs::path(request.figurePath).filename().string();
  ExportOutcome outcome = WriteSvgPicture(picture, picturePath, title, translate);
  if (!outcome.ok) return outcome;
  std::error_code ec;
  if (!request.viewerPath.empty()) {
    // A folder exported by an older build keeps an older viewer: one that
    // differs from this build's is replaced, whole or not at all.
    fs::path viewer = fs::path(folder.empty() ? "." : folder) / kViewerFileName;
    bool shippedRead = false, presentRead = false;
    std::string shipped = ReadWholeFile(request.viewerPath, shippedRead);
    std::string present =
        fs::exists(viewer, ec) ? ReadWholeFile(viewer.string(), presentRead) : std::string();
    if (!shippedRead) return NotWritten(viewer.string(), translate);
    if (!presentRead || present != shipped) {
      ExportOutcome copied = SaveWhole(viewer.string(), translate, [&](QIODevice& file) {
        return file.write(shipped.data(), static_cast<qint64>(shipped.size())) ==
               static_cast<qint64>(shipped.size());
      });
      if (!copied.ok) return copied;
    }
  }
  PageFields fields;
  fields.fileName = title;
  fields.fileUrl = RelativeLink(request.figurePath, folder);
  fields.pictureUrl = fs::path(picturePath).filename().string();
  fields.figureText = request.figureText;
  fields.width = picture.Width();
  fields.height = picture.Height();
  if (!request.language.empty()) fields.language = request.language;
  std::string page = FillPageTemplate(templateText, fields);
  return SaveWhole(request.pagePath, translate, [&](QIODevice& file) {
    return file.write(page.data(), static_cast<qint64>(page.size())) ==
           static_cast<qint64>(page.size());
  });
}

}  // namespace sakuzu
