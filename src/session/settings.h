// The user's settings of the main window and their file "config_zkwin.txt"
// beside the program. Plain C++ so that the file format and the prompt
// limits can be tested without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/number_text.h"
#include "view/canvas.h"
#include "view/view_mapping.h"

namespace sakuzu {

constexpr std::string_view kSettingsFileName = "config_zkwin.txt";
constexpr std::string_view kDataPathFileName = "datapath.txt";
constexpr std::string_view kTempFigureFileName = "temp_zkwin.zk4";
constexpr std::string_view kTempPageFileName = "temp_zkwin.htm";
constexpr std::string_view kSampleFileName = "sample.zk4";

// Where the online-save page posts: no server is shipped. The command asks
// for the address when none is set, and the "標準" item forgets it.
constexpr std::string_view kDefaultServerEndpoint = "";

constexpr std::string_view kDefaultFontName = "FixedSys";
// Font sizes of the drawing surface: beyond these the number list covers
// the figure, or the names cannot be read.
constexpr double kMinFontSize = 6;
constexpr double kMaxFontSize = 100;
constexpr int32_t kDefaultReplayInterval = 500;

// Window sizes in twips that the window-size commands set.
constexpr int kStandardWidthTwips = 6525;
constexpr int kStandardHeightTwips = 6615;
constexpr int kVgaWidthTwips = 9596;
constexpr int kVgaHeightTwips = 7545;

struct Settings {
  int16_t delta = 10;     // deformation step in pixels
  double deltaVar = 0.5;  // variation step of a free number
  int16_t colorStrength = 255;
  int16_t notChrDisp = 0;  // -1 hides the labels
  int16_t axisSw = 0;      // -1 shows the axes
  Rgb axisColor = kAxisColorLight;
  int16_t drawWidth = 1;
  float fontSize = 9;
  std::string fontName{kDefaultFontName};
  int16_t ketaDecimal = 2;
  Rgb backColor = kWhite;
  int16_t browserSw = 2;  // stored and restored only
  std::string wwwUrl{kDefaultServerEndpoint};
  int16_t windowWidth = 0;                      // twips, as last stored by the window-size save
  int16_t windowHeight = 0;                     // twips
  int16_t windowState = 0;                      // 0 normal, 2 maximized
  int16_t menuMode = 0;                         // start-up menu mode: -1 easy, 0 full
  int32_t redrawSlow = kDefaultReplayInterval;  // replay timer interval, ms
  std::string language;                         // "Japanese", "English", "Manual" or empty
  int16_t sDeformKind = 0;    // Shift-drag snapping: 0 line/circle, 1 line, 2 lattice
  bool smooth = true;         // antialiased drawing; files without the key mean on
  int16_t displaySize = 0;    // "表示の大きさ": 0 標準, 1 大, 2 特大
  bool newPointMarks = true;  // new points get a visible mark (free ■, bound ○)

  bool operator==(const Settings&) const = default;
};

// The program's title and version as the settings file records them.
struct ProgramVersion {
  std::string title = "Sakuzu";
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// The version of this build, from the project version "major.minor.revision".
ProgramVersion CurrentProgramVersion();
// "Sakuzu 0.1.0".
std::string ProgramCaption(const ProgramVersion& version);

// The colour as a 32-bit number: red + 256 green + 65536 blue.
int32_t ColorToLong(Rgb color);
Rgb LongToColor(int32_t value);

// Resets what the "standard values" command resets; window size, menu
// mode, language, snapping and server URL stay.
void ResetSettings(Settings& settings);

// The file text: 25 lines in a fixed order, CR LF line ends.
std::string FormatSettingsText(const Settings& settings, const ProgramVersion& version);

// Applies every line of a settings file to `settings`. Unknown keys, lines
// without "=" and values that are not numbers (or lie outside the range the
// program can work with) are skipped, so a damaged line never loses the
// others. A non-zero "BrowserSW" becomes 3.
void ApplySettingsText(std::string_view text, Settings& settings);

// `current` with the standard values, the default server, then the file
// in `folder` when it exists, each line decoded on its own (a line that is
// neither UTF-8 nor CP932 is skipped). What the standard values leave (window size,
// menu mode, language, snapping) stays as in `current` unless the file
// sets it.
Settings LoadSettingsFile(const std::string& folder, Settings current = {});
// Replaces the file in `folder`; false when it cannot be written.
bool SaveSettingsFile(const std::string& folder, const Settings& settings,
                      const ProgramVersion& version);

// What a prompt reads from an answer: the leading number, else 0.
double PromptValue(std::string_view answer);

// The limits of the option prompts, applied to the answer's text.
int16_t LimitDelta(std::string_view answer);          // 1..60, below 1 gives 10
double LimitDeltaVar(std::string_view answer);        // (0, 100], 0 or less gives 0.5
int16_t LimitDrawWidth(std::string_view answer);      // 1..10
float LimitFontSize(std::string_view answer);         // 6..100, whole numbers
int16_t LimitKetaDecimal(std::string_view answer);    // 0..20
int16_t LimitColorStrength(std::string_view answer);  // 1..255, outside gives 255
// The trimmed answer, or the old URL when the answer is empty.
std::string LimitServerUrl(std::string_view answer, const std::string& oldUrl);
// A size the font dialog chose, brought within 6..100 (fractions stay).
float ClampFontSize(double size);

// The data folder stored in "datapath.txt" in `folder`, or nothing when the
// file is missing or empty.
std::optional<std::string> ReadDataPathFile(const std::string& folder);
bool WriteDataPathFile(const std::string& folder, const std::string& dataFolder);

// Twips from pixels and back at the given logical DPI, rounded into 16 bits.
int16_t PixelsToTwips(int pixels, double dpi);
int TwipsToPixels(int twips, double dpi);

}  // namespace sakuzu
