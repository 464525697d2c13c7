#include "session/settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

#include "text/encoding.h"
#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << bytes;
  out.close();
  return static_cast<bool>(out);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// A number as the settings file writes it: leading blank when not
// negative, one blank behind.
std::string NumberField(double value) { return FormatNumberSigned(value) + " "; }

// A single-precision setting in its own short form (7 significant digits),
// so that a font size of 10.3 is written as 10.3 and not as the digits of
// its nearest double.
std::string SingleField(float value) {
  return NumberField(ParseNumber(ShortestFloatText(value)).value_or(0));
}

std::optional<int64_t> WholeValue(std::string_view text, int64_t low, int64_t high) {
  std::optional<double> value = LeadingNumber(text);
  if (!value) {
    // Older writers put booleans as words.
    std::string word = ToUpperAscii(Trim(text));
    if (word == "TRUE") value = -1;
    if (word == "FALSE") value = 0;
  }
  if (!value) return std::nullopt;
  double rounded = std::nearbyint(*value);
  if (rounded < static_cast<double>(low) || rounded > static_cast<double>(high)) {
    return std::nullopt;
  }
  return static_cast<int64_t>(rounded);
}

void ReadInt16(std::string_view text, int16_t& target, int low, int high) {
  if (auto v = WholeValue(text, low, high)) target = static_cast<int16_t>(*v);
}

void ReadColor(std::string_view text, Rgb& target) {
  if (auto v = WholeValue(text, 0, 0xFFFFFF)) target = LongToColor(static_cast<int32_t>(*v));
}

// Applies one recognised key; `index` is the key's place in kReadKeys.
// "True" or "False" in any case, or a number (non-zero is true).
std::optional<bool> ReadTruth(std::string_view text) {
  std::string word = ToUpperAscii(Trim(text));
  if (word == "TRUE") return true;
  if (word == "FALSE") return false;
  if (auto v = LeadingNumber(text)) return *v != 0;
  return std::nullopt;
}

void ApplyKey(int index, const std::string& value, Settings& s) {
  switch (index) {
    case 0:
      ReadInt16(value, s.delta, 1, 60);
      break;
    case 1:
      if (auto v = LeadingNumber(value); v && *v > 0 && *v <= 100) s.deltaVar = *v;
      break;
    case 2:
      ReadInt16(value, s.colorStrength, 0, 255);  // 0 reads as 255 when drawn
      break;
    case 3:
      ReadInt16(value, s.notChrDisp, -32768, 32767);
      break;
    case 4:
      ReadInt16(value, s.axisSw, -32768, 32767);
      break;
    case 5:
      ReadColor(value, s.axisColor);
      break;
    case 6:
      ReadInt16(value, s.drawWidth, 1, 10);
      break;
    case 7:
      // Fractions come from the font dialog; the range is the prompt's.
      if (auto v = LeadingNumber(value); v && *v >= kMinFontSize && *v <= kMaxFontSize) {
        s.fontSize = static_cast<float>(*v);
      }
      break;
    case 8:
      s.fontName = value;
      break;
    case 9:
      ReadInt16(value, s.ketaDecimal, 0, 20);
      break;
    case 10:
      ReadColor(value, s.backColor);
      break;
    case 11:
      ReadInt16(value, s.browserSw, -32768, 32767);
      break;
    case 12:
      s.wwwUrl = value;
      break;
    case 13:
      ReadInt16(value, s.windowWidth, -32768, 32767);
      break;
    case 14:
      ReadInt16(value, s.windowHeight, -32768, 32767);
      break;
    case 15:
      ReadInt16(value, s.windowState, 0, 2);
      break;
    case 16:
      ReadInt16(value, s.menuMode, -32768, 32767);
      break;
    case 17:
      if (auto v = WholeValue(value, 0, 65535)) s.redrawSlow = static_cast<int32_t>(*v);
      break;
    case 18:
      s.language = value;
      break;
    case 19:
      ReadInt16(value, s.sDeformKind, 0, 2);
      break;
    case 20:
      if (auto on = ReadTruth(value)) s.smooth = *on;
      break;
    default:
      break;
  }
}

// The keys the reader knows, in the order they are compared.
constexpr std::string_view kReadKeys[] = {
    "delta",          "DeltaVar",          "ColorStrength",   "NotChrDisp",
    "axissw",         "AxisColor",         "ZKwin.DrawWidth", "ZKwin.FontSize",
    "ZKwin.FontName", "KetaDecimal",       "ZKwin.BackColor", "BrowserSW",
    "WWWurl",         "ZKwin.Width",       "ZKwin.Height",    "ZKwin.WindowState",
    "ZKwin_MenuMode", "ZKwin_Redraw_Slow", "ZKwin_Language",  "SDeformKind",
    "ZKwin_Smooth"};

void ApplySettingsLine(std::string_view line, Settings& settings) {
  std::string key = ToUpperAscii(Trim(NthField(line, "=", 1)));
  std::string value = NthField(line, "=", 2);
  for (int i = 0; i < static_cast<int>(std::size(kReadKeys)); ++i) {
    if (key != ToUpperAscii(kReadKeys[i])) continue;
    ApplyKey(i, value, settings);
    return;
  }
}

int FloorToInt(double value, int low, int high) {
  double f = std::floor(value);
  if (f < low) return low - 1;
  if (f > high) return high + 1;
  return static_cast<int>(f);
}

}  // namespace

ProgramVersion CurrentProgramVersion() {
  ProgramVersion version;
  std::string text = SAKUZU_VERSION;
  version.major = std::atoi(NthField(text, ".", 1).c_str());
  version.minor = std::atoi(NthField(text, ".", 2).c_str());
  version.revision = std::atoi(NthField(text, ".", 3).c_str());
  return version;
}

std::string ProgramCaption(const ProgramVersion& version) {
  return version.title + " " + std::to_string(version.major) + "." + std::to_string(version.minor) +
         "." + std::to_string(version.revision);
}

int32_t ColorToLong(Rgb color) { return color.r + 256 * color.g + 65536 * color.b; }

Rgb LongToColor(int32_t value) {
  return MakeRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void ResetSettings(Settings& settings) {
  Settings defaults;
  settings.delta = defaults.delta;
  settings.deltaVar = defaults.deltaVar;
  settings.colorStrength = defaults.colorStrength;
  settings.notChrDisp = defaults.notChrDisp;
  settings.axisSw = defaults.axisSw;
  settings.axisColor = defaults.axisColor;
  settings.drawWidth = defaults.drawWidth;
  settings.fontSize = defaults.fontSize;
  settings.fontName = defaults.fontName;
  settings.ketaDecimal = defaults.ketaDecimal;
  settings.backColor = defaults.backColor;
  settings.browserSw = defaults.browserSw;
  settings.redrawSlow = defaults.redrawSlow;
  settings.smooth = defaults.smooth;
}

std::string FormatSettingsText(const Settings& s, const ProgramVersion& version) {
  std::ostringstream out;
  auto line = [&out](std::string_view key, const std::string& value) {
    out << key << " =" << value << "\r\n";
  };
  line("App", version.title);
  line("AppMajor", NumberField(version.major));
  line("AppMinor", NumberField(version.minor));
  line("delta", NumberField(s.delta));
  line("deltavar", NumberField(s.deltaVar));
  line("ColorStrength", NumberField(s.colorStrength));
  line("NotChrDisp", NumberField(s.notChrDisp));
  line("axissw", NumberField(s.axisSw));
  line("AxisColor", NumberField(ColorToLong(s.axisColor)));
  line("ZKwin.DrawWidth", NumberField(s.drawWidth));
  line("ZKwin.FontSize", SingleField(s.fontSize));
  line("ZKwin.FontName", s.fontName);
  line("KetaDecimal", NumberField(s.ketaDecimal));
  line("ZKwin.BackColor", NumberField(ColorToLong(s.backColor)));
  line("BrowserSW", NumberField(s.browserSw));
  line("WWWurl", s.wwwUrl);
  line("ZKwin.Width", NumberField(s.windowWidth));
  line("ZKwin.Height", NumberField(s.windowHeight));
  line("ZKwin.WindowState", NumberField(s.windowState));
  line("ZKwin_MenuMode", NumberField(s.menuMode));
  line("ZKwin_AutoRedraw", "True");
  line("ZKwin_Redraw_Slow", NumberField(s.redrawSlow));
  line("ZKwin_Language", s.language);
  line("SDeformKind", NumberField(s.sDeformKind));
  line("ZKwin_Smooth", s.smooth ? "True" : "False");
  return out.str();
}

void ApplySettingsText(std::string_view text, Settings& settings) {
  for (const std::string& line : SplitLines(text)) ApplySettingsLine(line, settings);
  if (settings.browserSw != 0) settings.browserSw = 3;
}

Settings LoadSettingsFile(const std::string& folder, Settings current) {
  Settings settings = std::move(current);
  ResetSettings(settings);
  settings.wwwUrl = std::string(kDefaultServerEndpoint);
  fs::path path = fs::path(folder) / kSettingsFileName;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return settings;
  // Each line is decoded on its own: a line damaged in either encoding
  // costs that line, not the file.
  std::string text;
  for (const std::optional<std::string>& line : DecodeFileLines(ReadFileBytes(path))) {
    if (line) text.append(*line).append("\n");
  }
  ApplySettingsText(text, settings);
  return settings;
}

bool SaveSettingsFile(const std::string& folder, const Settings& settings,
                      const ProgramVersion& version) {
  fs::path path = fs::path(folder) / kSettingsFileName;
  return WriteFileBytes(path, EncodeFileText(FormatSettingsText(settings, version)));
}

double PromptValue(std::string_view answer) { return LeadingNumber(answer).value_or(0); }

int16_t LimitDelta(std::string_view answer) {
  int v = FloorToInt(PromptValue(answer), 1, 60);
  if (v > 60) return 60;
  if (v < 1) return 10;
  return static_cast<int16_t>(v);
}

double LimitDeltaVar(std::string_view answer) {
  double v = PromptValue(answer);
  if (v > 100) return 100;
  if (v <= 0) return 0.5;
  return v;
}

int16_t LimitDrawWidth(std::string_view answer) {
  int v = FloorToInt(PromptValue(answer), 1, 10);
  if (v > 10) return 10;
  if (v < 1) return 1;
  return static_cast<int16_t>(v);
}

float LimitFontSize(std::string_view answer) {
  return static_cast<float>(std::floor(ClampFontSize(PromptValue(answer))));
}

float ClampFontSize(double size) {
  return static_cast<float>(std::clamp(size, kMinFontSize, kMaxFontSize));
}

int16_t LimitKetaDecimal(std::string_view answer) {
  int v = FloorToInt(PromptValue(answer), 0, 20);
  if (v < 0) return 0;
  if (v > 20) return 20;
  return static_cast<int16_t>(v);
}

int16_t LimitColorStrength(std::string_view answer) {
  int v = FloorToInt(PromptValue(answer), 1, 255);
  if (v < 1 || v > 255) return 255;
  return static_cast<int16_t>(v);
}

std::string LimitServerUrl(std::string_view answer, const std::string& oldUrl) {
  std::string url = Trim(answer);
  return url.empty() ? oldUrl : url;
}

std::optional<std::string> ReadDataPathFile(const std::string& folder) {
  fs::path path = fs::path(folder) / kDataPathFileName;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::optional<std::string> text = DecodeFileText(ReadFileBytes(path));
  if (!text) return std::nullopt;
  std::vector<std::string> lines = SplitLines(*text);
  if (lines.empty()) return std::nullopt;
  std::string first = Trim(lines.front());
  // A path written with quotes (by a list-style writer) is its first field.
  if (first.size() >= 2 && first.front() == '"') {
    size_t close = first.find('"', 1);
    if (close != std::string::npos) first = first.substr(1, close - 1);
  }
  if (first.empty()) return std::nullopt;
  return first;
}

bool WriteDataPathFile(const std::string& folder, const std::string& dataFolder) {
  return WriteFileBytes(fs::path(folder) / kDataPathFileName, EncodeFileText(dataFolder + "\r\n"));
}

int16_t PixelsToTwips(int pixels, double dpi) {
  if (dpi <= 0) dpi = 96;
  double twips = std::nearbyint(pixels * 1440.0 / dpi);
  if (twips > 32767) return 32767;
  if (twips < -32768) return -32768;
  return static_cast<int16_t>(twips);
}

int TwipsToPixels(int twips, double dpi) {
  if (dpi <= 0) dpi = 96;
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

}  // namespace sakuzu
