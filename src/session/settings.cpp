#include "session/settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// A number as the settings file writes it: leading blank when not
// negative, one blank behind.
std::string NumberField(double value) { return FormatNumberSigned(value) + " "; }

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

// "True" or "False" in any case, or a number (non-zero is true).
std::optional<bool> ReadTruth(std::string_view text) {
  std::string word = ToUpperAscii(Trim(text));
  if (word == "TRUE") return true;
  if (word == "FALSE") return false;
  if (auto v = LeadingNumber(text)) return *v != 0;
  return std::nullopt;
}

// One line of the file: its key as written (the reader compares keys in
// any case), how a value is read (none: the line is written only), how it
// is written, and whether the standard values reset it.
struct SettingKey {
  std::string_view key;
  void (*read)(std::string_view value, Settings& s);
  std::string (*write)(const Settings& s, const ProgramVersion& version);
  void (*reset)(Settings& s);
};

template <auto Member>
void Reset(Settings& s) {
  s.*Member = Settings{}.*Member;
}

template <auto Member>
std::string Number(const Settings& s, const ProgramVersion&) {
  return NumberField(s.*Member);
}

template <auto Member>
std::string Text(const Settings& s, const ProgramVersion&) {
  return s.*Member;
}

template <auto Member>
std::string Color(const Settings& s, const ProgramVersion&) {
  return NumberField(ColorToLong(s.*Member));
}

template <auto Member, int Low, int High>
void Int16(std::string_view value, Settings& s) {
  ReadInt16(value, s.*Member, Low, High);
}

template <auto Member>
void ReadColorOf(std::string_view value, Settings& s) {
  ReadColor(value, s.*Member);
}

template <auto Member>
void ReadText(std::string_view value, Settings& s) {
  s.*Member = std::string(value);
}

constexpr int kAny16Low = -32768, kAny16High = 32767;
constexpr std::string_view kOldPlaceholderServer = "https://www.example.org/asp/zk/zk_save.asp";

// Every line of the file, in the order it is written.
const SettingKey kSettingKeys[] = {
    {"App", nullptr, [](const Settings&, const ProgramVersion& v) { return v.title; }, nullptr},
    {"AppMajor", nullptr,
     [](const Settings&, const ProgramVersion& v) { return NumberField(v.major); }, nullptr},
    {"AppMinor", nullptr,
     [](const Settings&, const ProgramVersion& v) { return NumberField(v.minor); }, nullptr},
    {"delta", Int16<&Settings::delta, 1, 60>, Number<&Settings::delta>, Reset<&Settings::delta>},
    {"deltavar",
     [](std::string_view value, Settings& s) {
       if (auto v = LeadingNumber(value); v && *v > 0 && *v <= 100) s.deltaVar = *v;
     },
     Number<&Settings::deltaVar>, Reset<&Settings::deltaVar>},
    // 0 reads as 255 when drawn.
    {"ColorStrength", Int16<&Settings::colorStrength, 0, 255>, Number<&Settings::colorStrength>,
     Reset<&Settings::colorStrength>},
    {"NotChrDisp", Int16<&Settings::notChrDisp, kAny16Low, kAny16High>,
     Number<&Settings::notChrDisp>, Reset<&Settings::notChrDisp>},
    {"axissw", Int16<&Settings::axisSw, kAny16Low, kAny16High>, Number<&Settings::axisSw>,
     Reset<&Settings::axisSw>},
    {"AxisColor", ReadColorOf<&Settings::axisColor>, Color<&Settings::axisColor>,
     Reset<&Settings::axisColor>},
    {"ZKwin.DrawWidth", Int16<&Settings::drawWidth, 1, 10>, Number<&Settings::drawWidth>,
     Reset<&Settings::drawWidth>},
    // Fractions come from the font dialog; the range is the prompt's. A
    // single-precision value is written in its own short form (7
    // significant digits): 10.3, not the digits of its nearest double.
    {"ZKwin.FontSize",
     [](std::string_view value, Settings& s) {
       if (auto v = LeadingNumber(value); v && *v >= kMinFontSize && *v <= kMaxFontSize) {
         s.fontSize = static_cast<float>(*v);
       }
     },
     [](const Settings& s, const ProgramVersion&) {
       return NumberField(ParseNumber(ShortestFloatText(s.fontSize)).value_or(0));
     },
     Reset<&Settings::fontSize>},
    {"ZKwin.FontName", ReadText<&Settings::fontName>, Text<&Settings::fontName>,
     Reset<&Settings::fontName>},
    {"KetaDecimal", Int16<&Settings::ketaDecimal, 0, 20>, Number<&Settings::ketaDecimal>,
     Reset<&Settings::ketaDecimal>},
    {"ZKwin.BackColor", ReadColorOf<&Settings::backColor>, Color<&Settings::backColor>,
     Reset<&Settings::backColor>},
    {"BrowserSW", Int16<&Settings::browserSw, kAny16Low, kAny16High>, Number<&Settings::browserSw>,
     Reset<&Settings::browserSw>},
    // Files of earlier builds hold the placeholder server they shipped: no address.
    {"WWWurl",
     [](std::string_view value, Settings& s) {
       s.wwwUrl = value == kOldPlaceholderServer ? std::string() : std::string(value);
     },
     Text<&Settings::wwwUrl>, nullptr},
    {"ZKwin.Width", Int16<&Settings::windowWidth, kAny16Low, kAny16High>,
     Number<&Settings::windowWidth>, nullptr},
    {"ZKwin.Height", Int16<&Settings::windowHeight, kAny16Low, kAny16High>,
     Number<&Settings::windowHeight>, nullptr},
    {"ZKwin.WindowState", Int16<&Settings::windowState, 0, 2>, Number<&Settings::windowState>,
     nullptr},
    {"ZKwin_MenuMode", Int16<&Settings::menuMode, kAny16Low, kAny16High>,
     Number<&Settings::menuMode>, nullptr},
    {"ZKwin_AutoRedraw", nullptr,
     [](const Settings&, const ProgramVersion&) { return std::string("True"); }, nullptr},
    {"ZKwin_Redraw_Slow",
     [](std::string_view value, Settings& s) {
       if (auto v = WholeValue(value, 0, 65535)) s.redrawSlow = static_cast<int32_t>(*v);
     },
     Number<&Settings::redrawSlow>, Reset<&Settings::redrawSlow>},
    {"ZKwin_Language", ReadText<&Settings::language>, Text<&Settings::language>, nullptr},
    {"SDeformKind", Int16<&Settings::sDeformKind, 0, 2>, Number<&Settings::sDeformKind>, nullptr},
    {"ZKwin_Smooth",
     [](std::string_view value, Settings& s) {
       if (auto on = ReadTruth(value)) s.smooth = *on;
     },
     [](const Settings& s, const ProgramVersion&) {
       return std::string(s.smooth ? "True" : "False");
     },
     Reset<&Settings::smooth>},
    {"ZKwin_DisplaySize", Int16<&Settings::displaySize, 0, 2>, Number<&Settings::displaySize>,
     Reset<&Settings::displaySize>},
    {"ZKwin_NewPointMarks",
     [](std::string_view value, Settings& s) {
       if (auto on = ReadTruth(value)) s.newPointMarks = *on;
     },
     [](const Settings& s, const ProgramVersion&) {
       return std::string(s.newPointMarks ? "True" : "False");
     },
     Reset<&Settings::newPointMarks>},
};

void ApplySettingsLine(std::string_view line, Settings& settings) {
  std::string key = ToUpperAscii(Trim(NthField(line, "=", 1)));
  std::string value = NthField(line, "=", 2);
  for (const SettingKey& entry : kSettingKeys) {
    if (entry.read == nullptr || key != ToUpperAscii(entry.key)) continue;
    entry.read(value, settings);
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
  for (const SettingKey& entry : kSettingKeys) {
    if (entry.reset) entry.reset(settings);
  }
}

std::string FormatSettingsText(const Settings& s, const ProgramVersion& version) {
  std::string text;
  for (const SettingKey& entry : kSettingKeys) {
    text.append(entry.key).append(" =").append(entry.write(s, version)).append("\r\n");
  }
  return text;
}

void ApplySettingsText(std::string_view text, Settings& settings) {
  for (std::string_view line : SplitLines(text)) ApplySettingsLine(line, settings);
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
  std::vector<std::string_view> lines = SplitLines(*text);
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
