#include "app/html_page.h"

#include <array>
#include <filesystem>

#include "session/settings.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineEnd = "\r\n";

std::string T(const TranslateFn& translate, const char* japanese) {
  return translate ? translate(japanese) : std::string(japanese);
}

}  // namespace

std::string EscapeUrlPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : path) {
    auto byte = static_cast<unsigned char>(c);
    bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                 (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                 c == '/';
    if (plain) {
      out += c;
      continue;
    }
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  return out;
}

std::string FillPageTemplate(std::string_view templateText, const PageFields& fields) {
  std::string joined;
  for (std::string_view rest = templateText; !rest.empty();) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    joined.append(line).append(kLineEnd);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  const std::array<std::pair<std::string_view, std::string>, 7> values = {{
      {kFileNamePlaceholder, EscapeHtml(fields.fileName)},
      {kFileUrlPlaceholder, EscapeHtml(EscapeUrlPath(fields.fileUrl))},
      {kPictureUrlPlaceholder, EscapeHtml(EscapeUrlPath(fields.pictureUrl))},
      {kFigureDataPlaceholder, EscapeHtml(fields.figureText)},
      {kWidthPlaceholder, std::to_string(fields.width)},
      {kHeightPlaceholder, std::to_string(fields.height)},
      {kLanguagePlaceholder, EscapeHtml(fields.language)},
  }};
  std::string page;
  page.reserve(joined.size() + fields.figureText.size());
  size_t i = 0;
  while (i < joined.size()) {
    bool replaced = false;
    if (joined[i] == '%') {
      for (const auto& [placeholder, value] : values) {
        if (std::string_view(joined).substr(i, placeholder.size()) != placeholder) continue;
        page += value;
        i += placeholder.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) page += joined[i++];
  }
  return page.append(kLineEnd);
}

std::string PagePathFor(const std::string& figurePath) {
  return fs::path(figurePath).replace_extension(".htm").string();
}

std::string PagePicturePathFor(const std::string& pagePath, const std::string& figurePath) {
  fs::path picture = fs::path(pagePath).parent_path();
  return (picture / (fs::path(figurePath).filename().string() + ".svg")).string();
}

bool IsPlaceholderServer(std::string_view url) {
  std::string trimmed = Trim(url);
  return trimmed.empty() || trimmed == kDefaultServerEndpoint;
}

std::string OnlineFormPage(std::string_view serverUrl, std::string_view figureText,
                           const TranslateFn& translate) {
  auto t = [&](const char* japanese) { return EscapeHtml(T(translate, japanese)); };
  const std::string q = "\"";
  std::string page;
  auto line = [&](const std::string& text) { page.append(text).append(kLineEnd); };
  line("<HTML>");
  // Without it a browser reads a page from the disk in the system's code page.
  line("<HEAD><META charset=" + q + "utf-8" + q + "></HEAD>");
  line("<BODY>");
  line("<center><h2>" + t("ZKデータのオンライン保存") + "</h2></center>");
  line(t("あなたが作成したZKデータをWWWサーバに書き込み，インターネットを経由して他の学校の授業な"
         "どいろいろな場面で使えるようにします。") +
       "<br>");
  line(t("下記の内容を書き込んで「送信」ボタンを押してください。") + "<br>");
  line("<form action=" + q + EscapeHtml(Trim(serverUrl)) + q + " METHOD=" + q + "post" + q +
       " NAME=" + q + "form1" + q + ">");
  line("<table>");
  line("<tr><th>" + t("タイトル") + "<td><input name=" + q + "title" + q + " style=" + q +
       "width:400px " + q + "><br>");
  line("<tr><th>" + t("あなたの名前") + "<td><input name=" + q + "username" + q + "><br>");
  line("<tr><th>" + t("学校/学年など") + "<td><input name=" + q + "schoolname" + q + " style=" + q +
       "width:400px " + q + "><br>");
  line("<tr><th>" + t("コメント") + "<td><textarea name=" + q + "comment" + q + " style=" + q +
       "width:400px ; height:100px" + q + "></textarea><br>");
  line("</table>");
  line("<textarea name=" + q + "zk_data" + q + " style=" + q + "width:1px; height:1px" + q +
       " ReadOnly>");
  page += EscapeHtml(figureText);
  if (!figureText.empty() && figureText.back() != '\n') page += kLineEnd;
  line("</textarea><br>");
  // The server receives the button's value as it always did; the reader
  // sees it in the chosen language.
  line("<BUTTON TYPE=" + q + "submit" + q + " name=" + q + "submitbutton" + q + " VALUE=" + q +
       "送信" + q + ">" + t("送信") + "</BUTTON>");
  line("</form>");
  line("</BODY>");
  line("</HTML>");
  return page;
}

std::string BatchPictureName(std::string_view fileName, int pictureMode) {
  std::string base(fileName.substr(0, fileName.find('.')));
  // ".zk4" alone would give a picture without a name.
  if (base.empty()) base = fs::path(std::string(fileName)).stem().string();
  std::string prefix = pictureMode == 1 || pictureMode == 2 ? "t_" : "";
  return prefix + base + ".bmp";
}

}  // namespace sakuzu
