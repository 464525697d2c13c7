// The texts of the exports that are pages and file names: the figure's page
// from its template, the online form, the names of the batch pictures.
// Plain C++, so that what goes into a page can be checked without a window.
#pragma once

#include <string>
#include <string_view>

#include "model/kinds.h"  // TranslateFn

namespace sakuzu {

// Shipped beside the program: the page template and the page's viewer.
constexpr std::string_view kPageTemplateFileName = "zk_html_org.htm";
constexpr std::string_view kViewerFileName = "sakuzu_viewer.js";

// The placeholders of the template, replaced exactly as written (case
// matters): the figure's file name, the same as a link relative to the
// page, the link of the picture written beside the page, and the figure's
// text (a page opened from the disk may not read a neighbouring file).
constexpr std::string_view kFileNamePlaceholder = "%ZKFILE%";
constexpr std::string_view kFileUrlPlaceholder = "%ZKFILEURL%";
constexpr std::string_view kPictureUrlPlaceholder = "%ZKPICTURE%";
constexpr std::string_view kFigureDataPlaceholder = "%ZKDATA%";
// The viewer's drawing area (the window's, in pixels) and its language
// ("japanese" or "english"), for the page's live figure.
constexpr std::string_view kWidthPlaceholder = "%ZKWIDTH%";
constexpr std::string_view kHeightPlaceholder = "%ZKHEIGHT%";
constexpr std::string_view kLanguagePlaceholder = "%ZKLANGUAGE%";

// A relative link: every byte but letters, digits, "-._~" and "/" as %XX.
std::string EscapeUrlPath(std::string_view path);

struct PageFields {
  std::string fileName;    // the figure's file name without its folder
  std::string fileUrl;     // the figure file relative to the page, unescaped
  std::string pictureUrl;  // the picture relative to the page, unescaped
  std::string figureText;  // the figure's file text
  int width = 640, height = 480;
  std::string language = "japanese";
};

// The page from the template: its lines joined with CR LF after each, the
// placeholders replaced by the escaped fields in one pass (a replacement
// is never searched again), one more line end behind.
std::string FillPageTemplate(std::string_view templateText, const PageFields& fields);

// The page of a figure: its path without the extension, then ".htm".
std::string PagePathFor(const std::string& figurePath);
// The picture that stands for the figure on its page, beside the page:
// the figure's file name followed by ".svg" (a picture the user saved as
// "name.svg" is never replaced by it).
std::string PagePicturePathFor(const std::string& pagePath, const std::string& figurePath);

// True while the online form's address is the shipped placeholder (or empty,
// which means the same): no server would take the figure.
bool IsPlaceholderServer(std::string_view url);
// The online form "temp_zkwin.htm": the address and the figure's text
// escaped, captions through `translate`, UTF-8.
std::string OnlineFormPage(std::string_view serverUrl, std::string_view figureText,
                           const TranslateFn& translate);

// The batch picture of a figure file: the name up to its first "." and
// ".bmp"; "t_" in front in the half-size and thumbnail layouts (picture
// modes 1 and 2).
std::string BatchPictureName(std::string_view fileName, int pictureMode);

}  // namespace sakuzu
