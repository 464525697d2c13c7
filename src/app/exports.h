// Pictures and pages of a figure written to files: PNG and BMP from the
// window's pixels, SVG and PDF from the kept drawing calls, and the
// figure's HTML page with its picture beside it. The window's commands and
// the --export command line both write through these.
#pragma once

#include <QImage>
#include <string>

#include "app/painter_canvas.h"
#include "lang/translate.h"
#include "model/kinds.h"  // TranslateFn

namespace sakuzu {

struct ExportOutcome {
  bool ok = true;
  std::string message;  // translated, when !ok
};

// What an output file's name asks for, by its extension in any case:
// "png", "bmp", "svg", "pdf", "htm" (also for ".html"), or "" for none of these.
std::string ExportKind(const std::string& path);

// The path with `extension` (".zk4", lower case) added unless it ends in
// it already, in any case: "fig" and "fig.v2" become "fig.zk4" and
// "fig.v2.zk4", "FIG.ZK4" stays.
std::string WithExtension(const std::string& path, std::string_view extension);

// Each file is written whole or not at all: an existing file is replaced
// only once the new one is complete.
ExportOutcome WriteImageFile(const QImage& image, const std::string& path, const char* format,
                             const TranslateFn& translate);
// One pixel of the surface is one SVG user unit, and one PDF page of the
// surface's size at its 96 dots per inch.
ExportOutcome WriteSvgPicture(const PainterCanvas& picture, const std::string& path,
                              const std::string& title, const TranslateFn& translate);
ExportOutcome WritePdfPicture(const PainterCanvas& picture, const std::string& path,
                              const std::string& title, const TranslateFn& translate);

// The scale of a picture saved from the menu, as --scale reads it: 1 to 8
// (a number outside is brought within; anything else gives 1).
constexpr const char* kPictureScalePrompt = "画像の倍率を1から8で入力してください(印刷には2から4)";
double PictureScaleFrom(std::string_view answer);

// The kept calls painted on an image `scale` times the surface's size.
QImage ReplayImage(const PainterCanvas& picture, double scale);

struct HtmlPageRequest {
  std::string pagePath;
  std::string figurePath;    // the figure file the page links to
  std::string figureText;    // its file text, for the page's data
  std::string templatePath;  // the template found, or empty
  std::string viewerPath;    // the viewer shipped with the program, or empty
  std::string language;      // "english" or "japanese": the live figure's texts
};

// The live figure's language on a page: "english" in English mode; the
// user's dictionary is the program's alone, so the page shows Japanese.
std::string PageLanguage(const Language& language);

// The figure's page: the picture written beside it, the viewer copied
// beside it unless it is there already, then the template filled. Without
// a template nothing is written.
ExportOutcome WriteHtmlPage(const PainterCanvas& picture, const HtmlPageRequest& request,
                            const TranslateFn& translate);

}  // namespace sakuzu
