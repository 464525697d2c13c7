// Drives the session the window uses with events the input bytes choose:
// menu commands as the menus offer them in either menu mode, the mouse over
// and beside objects, keys, answers to every dialog (numbers in and out of
// range, empty, cancelled, odd names), undo and redo, loci and records,
// language and menu switches, saving, loading back, merging, and saves that
// fail part way. After every event the figure must be whole (nothing drawn
// or kept that is not finite, the mode stack sound, the figure written and
// read back unchanged, no recorded row lost); at the end, with the modes
// brought to rest, undoing everything must give the first figure's file
// and redoing everything the last one's. A broken rule aborts with its name.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "interact/attributes.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "model/figure_file.h"
#include "numbers/number_choice.h"
#include "session/menu_table.h"
#include "session/session.h"
#include "text/number_text.h"
#include "text/text_util.h"

using namespace sakuzu;
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::abort();
}

void Check(bool condition, const char* what) {
  if (!condition) Broken(what);
}

// SAKUZU_FUZZ_TRACE=1 tells each event as it runs, to turn a finding
// into a test.
__attribute__((format(printf, 1, 2))) void Trace(const char* format, ...) {
  static const bool on = std::getenv("SAKUZU_FUZZ_TRACE") != nullptr;
  if (!on) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1) {
    fields.emplace_back(line.substr(start, comma - start));
  }
  fields.emplace_back(line.substr(start));
  return fields;
}

// Two figure files that must be the same; with tracing on, both are kept
// in the current folder to be compared.
void CheckSame(const std::string& a, const std::string& b, const char* what) {
  if (a == b) return;
  if (std::getenv("SAKUZU_FUZZ_TRACE") != nullptr) {
    std::ofstream("expected.txt", std::ios::binary) << a;
    std::ofstream("found.txt", std::ios::binary) << b;
  }
  Broken(what);
}

// The same, but for the last digits of computed values: a file keeps 15
// significant digits, so a figure read back computes from values rounded
// there. Every other field must be equal.
void CheckNearlySame(const std::string& a, const std::string& b, const char* what) {
  std::vector<std::string_view> linesA = SplitLines(a), linesB = SplitLines(b);
  bool same = linesA.size() == linesB.size();
  for (size_t i = 0; same && i < linesA.size(); ++i) {
    if (linesA[i] == linesB[i]) continue;
    std::vector<std::string> fieldsA = Fields(linesA[i]), fieldsB = Fields(linesB[i]);
    same = fieldsA.size() == fieldsB.size();
    for (size_t k = 0; same && k < fieldsA.size(); ++k) {
      std::optional<double> x = ParseNumber(fieldsA[k]), y = ParseNumber(fieldsB[k]);
      if (x && y) {
        same = std::abs(*x - *y) <= 1e-9 * std::max({1.0, std::abs(*x), std::abs(*y)});
      } else {
        same = fieldsA[k] == fieldsB[k];
      }
    }
  }
  if (!same) CheckSame(a, b, what);
}

// ------------------------------------------------------------------ input

// The input bytes, read from the front; past the end every read is 0, and
// 0 always chooses the plainest answer (Cancel, nothing), so that the
// winding down at the end needs no bytes.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // 0 to n - 1.
  int Below(int n) {
    if (n <= 1) return 0;
    int value = n <= 256 ? Byte() : Byte() << 8 | Byte();
    return value % n;
  }
  bool Bit() { return (Byte() & 1) != 0; }
  // A signed step of at most `reach`.
  int Step(int reach) { return Below(2 * reach + 1) - reach; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// What a person types into a text box: values in and out of range, empty,
// not numbers, full-width digits, names with the characters the figure
// file gives meaning to, markup, very long texts.
std::string TypedText(Input& in, const std::string& start) {
  static const char* const kTexts[] = {
      "",      "0",   "1",           "5",        "-3",     "2.5",    "60",   "61",
      "100",   "255", "256",         "1e308",    "-1e308", "1e-320", "nan",  "inf",
      "-0",    "2,5", "２．５",      "１０",     "abc",    " 7 ",    "3x",   "0x10",
      "A_B",   "P@Q", "\"q\"",       "<b>x</b>", "&amp;",  "AB*CD",  "名前", "🙂",
      "N1+N2", "1/0", "99999999999", ".5",       "5.",     "+4",     "1e5",  "\\",
  };
  switch (in.Below(4)) {
    case 0:
      return start;
    case 1:
      return kTexts[in.Below(static_cast<int>(std::size(kTexts)))];
    case 2: {
      static const char* const kLong[] = {"A", "あ", "_", "@", "<", "9"};
      std::string text;
      const char* piece = kLong[in.Below(static_cast<int>(std::size(kLong)))];
      for (int i = 0; i < 200; ++i) text += piece;
      return text;
    }
    default: {
      // Printable ASCII and a few characters of other widths, valid UTF-8
      // as every toolkit hands it over.
      static const char* const kWide[] = {"あ", "×", "é", "😀"};
      std::string text;
      int length = in.Below(17);
      for (int i = 0; i < length; ++i) {
        int c = in.Below(100);
        if (c < 95) {
          text += static_cast<char>(' ' + c);
        } else {
          text += kWide[c % 4];
        }
      }
      return text;
    }
  }
}

bool ValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    auto c = static_cast<unsigned char>(text[i++]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0) return false;
    for (int k = 0; k < extra; ++k, ++i) {
      if (i >= text.size() || (static_cast<unsigned char>(text[i]) >> 6) != 2) return false;
    }
  }
  return true;
}

// ----------------------------------------------------------------- canvas

// The drawing surface: draws nothing, but stops the run at the first call
// that a real surface could not draw (a coordinate that is not finite or
// lies millions of pixels away, a pen outside 1 to 10, text that is not
// UTF-8).
class CheckingCanvas : public Canvas {
 public:
  static constexpr double kFar = 1e7;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) { width_ = width, height_ = height; }
  void Clear(Rgb) override { layer_ = Layer::kBase; }
  void ClearLayer(Layer layer) override { Layered(layer); }
  void SetLayer(Layer layer) override { layer_ = Layered(layer); }
  Layer CurrentLayer() const override { return layer_; }
  void DrawPixel(double x, double y, Rgb) override { At(x, y); }
  void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) override {
    At(x1, y1), At(x2, y2), Width(pen);
  }
  void DrawCircle(double cx, double cy, double radius, const Pen& pen) override {
    At(cx, cy), Width(pen);
    Check(std::isfinite(radius) && radius >= 0 && radius < kFar, "a circle's radius is drawable");
  }
  void DrawArc(double cx, double cy, double radius, double start, double end,
               const Pen& pen) override {
    DrawCircle(cx, cy, radius, pen);
    Check(std::isfinite(start) && std::isfinite(end), "an arc's angles are finite");
  }
  void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) override {
    for (const PixelPoint& p : corners) At(p.x, p.y);
    Width(pen);
  }
  void FillRect(double x1, double y1, double x2, double y2, Rgb) override {
    At(x1, y1), At(x2, y2);
  }
  void SetFont(const CanvasFont& font) override {
    Check(std::isfinite(font.size) && font.size > 0 && font.size < 1000, "the font size is sane");
  }
  void DrawText(double x, double y, const std::string& text, Rgb) override {
    At(x, y);
    Check(ValidUtf8(text), "drawn text is UTF-8");
  }
  double TextWidth(const std::string& text) const override {
    return 7.0 * static_cast<double>(CharCount(text));
  }

 private:
  static void At(double x, double y) {
    Check(std::isfinite(x) && std::isfinite(y), "nothing drawn at a coordinate that is not finite");
    Check(std::abs(x) < kFar && std::abs(y) < kFar, "nothing drawn millions of pixels away");
  }
  static void Width(const Pen& pen) {
    Check(pen.width >= 1 && pen.width <= 10, "pen width 1 to 10");
  }
  static Layer Layered(Layer layer) {
    Check(static_cast<int>(layer) < kLayerCount, "a layer that exists");
    return layer;
  }

  int width_ = 640, height_ = 480;
  Layer layer_ = Layer::kBase;
};

// ------------------------------------------------------------ the harness

class Harness;

// Where the file dialogs lead: files of the run, the starting figures,
// and places a save cannot go.
enum class PathChoice {
  kCancel,
  kRound,
  kOther,
  kStartFigure,
  kBroken,
  kMissing,
  kFolder,
  kNoFolder,
  kTooLong,
  kCount
};

class FuzzFront : public FrontEnd {
 public:
  explicit FuzzFront(Harness& h) : h_(h) {}

  void ShowMessage(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  int Choose(const std::string& text, const std::vector<std::string>& buttons) override;
  std::optional<std::string> InputBox(const std::string& message, const std::string& title,
                                      const std::string& start) override;
  std::optional<Rgb> ChooseColor(Rgb start) override;
  SaveAnswer AskSave() override;
  NewFigureAnswer AskNewFigure() override;
  bool SaveWithDialog() override;
  bool OpenDocument(const std::string& path) override;

  std::vector<std::string> messages;

 private:
  Harness& h_;
};

class FuzzNumbers : public NumberPrompts {
 public:
  explicit FuzzNumbers(Harness& h) : h_(h) {}
  std::optional<int16_t> ChooseNumber(Figure& fig, const NumberChoiceRequest& request) override;
  std::optional<std::string> EnterExpression(Figure& fig, int decimals) override;

 private:
  int Line(size_t lines);
  Harness& h_;
  std::string text1_;  // the typed text, kept between openings as the window keeps it
};

class FuzzAttributes : public AttributeDialogs {
 public:
  explicit FuzzAttributes(Harness& h) : h_(h) {}
  std::optional<AttributeForm> EditAttributes(const AttributeForm& form) override;
  std::optional<int> ChooseBindKind(int current) override;

 private:
  Harness& h_;
};

// The figures a run starts from: none, the shipped ones, a few of the tests'.
const char* const kStartFigures[] = {
    "",
    SAKUZU_SAMPLES "/sample.zk4",
    SAKUZU_SAMPLES "/euler_line.zk4",
    SAKUZU_SAMPLES "/inscribed_angle.zk4",
    SAKUZU_SAMPLES "/linear_map.zk4",
    SAKUZU_SAMPLES "/locus_midpoint.zk4",
    SAKUZU_SAMPLES "/nine_point_circle.zk4",
    SAKUZU_SAMPLES "/parabola_locus.zk4",
    SAKUZU_SAMPLES "/projective_map.zk4",
    SAKUZU_SAMPLES "/tangents_from_point.zk4",
    SAKUZU_SAMPLES "/thales_circle.zk4",
    SAKUZU_SAMPLES "/triangle_area_record.zk4",
    SAKUZU_TEST_DATA "/bound_point.zk4",
    SAKUZU_TEST_DATA "/parallels.zk4",
    SAKUZU_TEST_DATA "/sample_level0.zk4",
    SAKUZU_TEST_DATA "/sample_utf8.zk4",
};
constexpr int kStartFigureCount = static_cast<int>(std::size(kStartFigures));

// The program's folder of this process: in memory where there is such a
// place, since the run saves and records constantly.
const fs::path& Folder() {
  static const fs::path folder = [] {
    fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return base / ("sakuzu-interaction-fuzz-" + std::to_string(::getpid()));
  }();
  return folder;
}

std::optional<std::string> ReadBytes(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return "a folder";
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A menu item as the menu bar shows it: the command it runs and the item
// with every menu above it, each with what hides or disables it.
struct MenuLevel {
  bool hidden = false;           // never shown, or the pop-up's
  bool fullOnly = false;         // hidden by the easy menu
  std::string_view followsMode;  // enabled by the mode as this top menu is
};
struct MenuItem {
  std::string_view name;
  std::string_view runs;
  bool easyOnly = false;
  std::vector<MenuLevel> levels;
};

const std::vector<MenuItem>& MenuItems() {
  static const std::vector<MenuItem> items = [] {
    auto listed = [](std::span<const std::string_view> list, std::string_view name) {
      return std::find(list.begin(), list.end(), name) != list.end();
    };
    auto parent = [](std::string_view name) {
      for (const MenuEntry& entry : MenuTree()) {
        if (entry.name == name) return entry.parent;
      }
      return std::string_view();
    };
    std::vector<MenuItem> all;
    for (const MenuEntry& entry : MenuTree()) {
      if (entry.submenu) continue;
      MenuItem item{entry.name, entry.name, false, {}};
      for (const EasyMenuLink& link : EasyMenuLinks()) {
        if (link.easyItem == entry.name) item.runs = link.fullItem, item.easyOnly = true;
      }
      for (std::string_view name = entry.name; !name.empty(); name = parent(name)) {
        MenuLevel level;
        level.hidden = name == "mnuEdit2_point" || listed(UnreachableItems(), name);
        level.fullOnly = listed(FullOnlyItems(), name);
        if (listed(ModeMenus(), name)) level.followsMode = name;
        if (name == "mnuEasyConst") level.followsMode = "mnuConstruction";
        if (name == "mnuEasy_Measure") level.followsMode = "mnuMeasure";
        item.easyOnly = item.easyOnly || name == "mnuEasyConst" || name == "mnuEasy_Measure";
        item.levels.push_back(level);
      }
      all.push_back(std::move(item));
    }
    return all;
  }();
  return items;
}

class Harness {
 public:
  explicit Harness(Input& input) : in(input) {
    std::error_code ec;
    fs::remove_all(Folder(), ec);
    fs::create_directories(Folder());
    std::ofstream(Folder() / "broken.zk4", std::ios::binary) << "3\r\n\"P1\"\r\nnot a figure\r\n";
    std::ofstream(Folder() / std::string(kDictionaryFileName), std::ios::binary)
        << "標準=Standard\r\n作図構成=Building\r\n";
    fs::create_directories(Folder() / "folder.zk4");
    session.workspace.numbers = &numbers;
    session.workspace.attributes = &attributes;
    RecordBook& book = session.workspace.locus.record;
    book.SetClock([this] { return std::chrono::steady_clock::time_point(now); });
    book.report = [this](const std::string& path) {
      recordFailed = true;
      front.ShowMessage(session.T(kRecordNotWrittenMessage) + "\n" + path);
    };
    InstallFileCommands();
  }

  // ------------------------------------------------------------ start-up

  void Start() {
    int figure = in.Below(kStartFigureCount);
    int16_t menuMode = in.Bit() ? kEasyMenuMode : kFullMenuMode;
    Trace("start with '%s'%s", kStartFigures[figure],
          menuMode == kEasyMenuMode ? ", easy menu" : "");
    FileOutcome outcome = session.StartWithFigure(kStartFigures[figure]);
    Check(outcome.ok, "a starting figure opens");
    session.SetMenuMode(menuMode);
    session.renderer.canvas.TakeDrawnLayers();
    startText = FigureText(session.fig);
    CheckAll();
  }

  // --------------------------------------------------------------- events

  void Run() {
    constexpr int kEvents = 200;
    for (int event = 0; event < kEvents && !in.Empty(); ++event) {
      OneEvent();
      CheckAll();
    }
    WindDown();
    CheckUndoRedo();
  }

  void OneEvent() {
    switch (in.Below(24)) {
      case 0:
      case 1:
      case 2:
      case 3:
        return MenuCommand();
      case 4:
      case 5:
      case 6:
        return Click();
      case 7:
        return Press(Position(), PressedButton());
      case 8:
        return Release(last_, MouseButton::kLeft);
      case 9:
      case 10:
        return Hover();
      case 11:
      case 12:
      case 13:
        return Drag();
      case 14:
        Trace("double click");
        return Show(session.DoubleClick());
      case 15:
      case 16:
      case 17:
        return Key();
      case 18:
        return Tick();
      case 19:
        return UndoOrRedo();
      case 20:
        return SaveAndLoadBack();
      case 21:
        return FailingSave();
      case 22:
        return in.Bit() ? Resize() : Picture();
      default:
        return FileCommand();
    }
  }

  // What the window does with an update: the pop-up menu opens at once and
  // the user picks an entry of it or dismisses it; the status bar and the
  // menus are refreshed.
  void Show(Update update) {
    RefreshStatusBar();
    if (!update.popup) return;
    std::vector<const PopupEntry*> shown;
    for (const PopupEntry& entry : update.popup->entries) {
      if (entry.visible) shown.push_back(&entry);
    }
    int pick = in.Below(static_cast<int>(shown.size()) + 1);
    if (pick == 0) return;
    Command(shown[pick - 1]->name);
  }

  void RefreshStatusBar() {
    StatusTexts status = session.Status();
    Check(ValidUtf8(status.caption) && ValidUtf8(status.panel1) && ValidUtf8(status.panel4),
          "the status texts are UTF-8");
    session.MenuChecks();
    Check(ValidUtf8(session.UndoCaption()) && ValidUtf8(session.RedoCaption()),
          "the undo captions are UTF-8");
  }

  int16_t Mode() const { return CurrentMode(session.modes).value_or(0); }

  // Whether the window offers a menu item now: every menu above it shown
  // in this menu mode and enabled in this mode, as the menu bar and the
  // shortcuts follow them; an easy item whenever the full command it runs
  // is available.
  bool Offered(std::string_view name) const {
    for (const MenuItem& item : MenuItems()) {
      if (item.name == name) return Offered(item);
    }
    return false;
  }

  bool Offered(const MenuItem& item) const {
    bool easy = session.MenuMode() == kEasyMenuMode;
    if (item.easyOnly && !easy) return false;
    if (item.runs == "mnuEUndo" && !session.history.CanUndo()) return false;
    if (item.runs == "mnuERedo" && !session.history.CanRedo()) return false;
    int mode = Mode();
    for (const MenuLevel& level : item.levels) {
      if (level.hidden || (easy && level.fullOnly)) return false;
      if (!level.followsMode.empty() && !MenuEnabledInMode(level.followsMode, mode)) return false;
    }
    return true;
  }

  void MenuCommand() {
    std::vector<std::string_view> offered;
    for (const MenuItem& item : MenuItems()) {
      if (Offered(item) && session.HasCommand(item.runs)) offered.push_back(item.runs);
    }
    if (offered.empty()) return;
    Command(offered[in.Below(static_cast<int>(offered.size()))]);
  }

  void Command(std::string_view name) {
    Trace("command %s (mode %d, depth %d)", std::string(name).c_str(), Mode(), session.modes.depth);
    Show(session.Command(name));
  }

  // A place in the drawing: on an object or a few pixels beside it, a
  // pixel anywhere, outside the drawing (a drag leaves the window), or
  // near the last place.
  PixelPoint Position() {
    const Figure& fig = session.fig;
    const ViewState& view = session.view;
    PixelPoint p;
    switch (in.Below(10)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4: {
        int cls = 1 + in.Below(3);
        int count = ClassCount(fig, cls);
        if (count == 0) return last_;
        int i = 1 + in.Below(count);
        if (cls == kPointClass) {
          p = ToPixel(view, fig.Points[i].x, fig.Points[i].y);
        } else if (cls == kLineClass) {
          const LineRecord& l = fig.Lines[i];
          double t = in.Below(5) / 2.0 - 0.5;  // before, at, between and beyond the ends
          p = ToPixel(view, l.x1 + t * (l.x2 - l.x1), l.y1 + t * (l.y2 - l.y1));
        } else {
          const CircleRecord& c = fig.Circles[i];
          double angle = in.Below(16) * 0.39269908169872414;
          p = ToPixel(view, c.cx + c.radius * std::cos(angle), c.cy + c.radius * std::sin(angle));
        }
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::abs(p.x) > 1e5 ||
            std::abs(p.y) > 1e5) {
          return last_;
        }
        // Exactly on it, or beside it; the mouse reports whole pixels.
        bool beside = in.Below(3) == 0;
        p.x = std::round(p.x) + (beside ? in.Step(8) : 0);
        p.y = std::round(p.y) + (beside ? in.Step(8) : 0);
        break;
      }
      case 5:
      case 6:
        p.x = in.Below(canvas.Width());
        p.y = in.Below(canvas.Height());
        break;
      case 7: {
        static const double kOutside[] = {-1, -300, -5000, 700, 2000, 9000};
        p.x = kOutside[in.Below(6)];
        p.y = kOutside[in.Below(6)];
        break;
      }
      default:
        p.x = last_.x + in.Step(20);
        p.y = last_.y + in.Step(20);
        break;
    }
    last_ = p;
    return p;
  }

  MouseButton PressedButton() {
    switch (in.Below(8)) {
      case 0:
        return MouseButton::kRight;
      case 1:
        return MouseButton::kMiddle;
      default:
        return MouseButton::kLeft;
    }
  }

  MouseInput Mouse(PixelPoint at, MouseButton button, bool held = false) {
    MouseInput input;
    input.px = at.x, input.py = at.y;
    input.button = button;
    input.leftHeld = held || button == MouseButton::kLeft;
    uint8_t keys = in.Below(4) == 0 ? in.Byte() : 0;
    input.shift = (keys & 1) != 0;
    input.ctrl = (keys & 2) != 0;
    return input;
  }

  void Press(PixelPoint at, MouseButton button) {
    MouseInput input = Mouse(at, button);
    Trace("press %d at %g,%g%s", static_cast<int>(button), at.x, at.y, input.shift ? " shift" : "");
    Show(session.MouseDown(input));
  }

  void Release(PixelPoint at, MouseButton button) {
    Trace("release at %g,%g", at.x, at.y);
    Show(session.MouseUp(Mouse(at, button)));
  }

  void Move(PixelPoint at, bool held, bool shift) {
    MouseInput input = Mouse(at, MouseButton::kNone, held);
    input.leftHeld = held;
    input.shift = shift;
    Trace("move to %g,%g%s%s", at.x, at.y, held ? " held" : "", shift ? " shift" : "");
    Show(session.MouseMove(input));
  }

  void Click() {
    MouseButton button = PressedButton();
    PixelPoint at = Position();
    Press(at, button);
    CheckStep();
    Release(at, button);
  }

  void Hover() { Move(Position(), false, false); }

  // Press, a run of moves with time passing between them, release (or
  // not: the next event comes while the button is still down).
  void Drag() {
    PixelPoint at = Position();
    Press(at, MouseButton::kLeft);
    CheckStep();
    int moves = 1 + in.Below(16);
    bool shift = in.Below(4) == 0;
    for (int k = 0; k < moves; ++k) {
      at.x += in.Step(24);
      at.y += in.Step(24);
      last_ = at;
      Advance(in.Below(400));
      Move(at, true, shift);
      CheckStep();
    }
    if (in.Below(8) != 0) Release(at, MouseButton::kLeft);
  }

  // Esc, Enter and the arrows drive most modes; letters and digits name
  // the keys some modes know ("A" axes, "H" home, "X" the scan).
  void Key() {
    static const int kKeys[] = {32, 46, 8, 9, 16, 112, 113, 116, 123};
    KeyInput key;
    switch (in.Below(6)) {
      case 0:
        key.code = kKeyEscape;
        break;
      case 1:
        key.code = kKeyEnter;
        break;
      case 2:
      case 3:
        key.code = kKeyLeft + in.Below(4);
        break;
      case 4:
        key.code = in.Bit() ? 'A' + in.Below(26) : '0' + in.Below(10);
        break;
      default:
        key.code = kKeys[in.Below(static_cast<int>(std::size(kKeys)))];
        break;
    }
    uint8_t keys = in.Below(4) == 0 ? in.Byte() : 0;
    key.shift = (keys & 1) != 0;
    key.ctrl = (keys & 2) != 0;
    Trace("key %d%s%s", key.code, key.shift ? " shift" : "", key.ctrl ? " ctrl" : "");
    Show(session.KeyDown(key));
  }

  // Time passes: the record's timer, and the replay's while it runs.
  void Tick() {
    Advance(in.Below(2000));
    Trace("tick at %lld ms", static_cast<long long>(now / std::chrono::milliseconds(1)));
    session.workspace.locus.record.FlushIfDue();
    if (session.Status().replayTimer) Show(session.ReplayTick());
    CheckRowsOnDisk(true);
  }

  void Advance(int milliseconds) { now += std::chrono::milliseconds(milliseconds); }

  void UndoOrRedo() {
    bool redo = in.Bit();
    const char* item = redo ? "mnuERedo" : "mnuEUndo";
    if (session.MenuMode() == kEasyMenuMode) item = redo ? "mnuEasy_Redo" : "mnuEasy_Undo";
    if (Offered(item)) Command(redo ? "mnuERedo" : "mnuEUndo");
  }

  void Resize() {
    static const int kSizes[][2] = {{640, 480}, {320, 240}, {800, 600},
                                    {101, 77},  {40, 30},   {700, 120}};
    const int* size = kSizes[in.Below(static_cast<int>(std::size(kSizes)))];
    Trace("resize to %d x %d", size[0], size[1]);
    canvas.Resize(size[0], size[1]);
    session.SetScreen();
    session.Redraw();
    session.renderer.canvas.TakeDrawnLayers();
    RefreshStatusBar();
  }

  // What a picture of the drawing (SVG, PDF, printing) draws, on a surface
  // of its own.
  void Picture() {
    Trace("picture");
    CheckingCanvas picture;
    picture.Resize(canvas.Width(), canvas.Height());
    session.DrawPicture(picture);
  }

  // ------------------------------------------------------------- files

  // The window's file commands, with paths in place of the file dialogs.
  void InstallFileCommands() {
    session.SetCommand("mnuLoad", [this] {
      if (!session.MaySave()) return;
      std::string path = ChoosePath(false);
      if (!path.empty()) session.OpenFigure(path);
    });
    session.SetCommand("mnuSave", [this] { SaveWithDialog(); });
    session.SetCommand("mnuMerge", [this] {
      std::string path = ChoosePath(false);
      if (!path.empty()) session.MergeFigure(path);
    });
    session.SetCommand("mnuExit", [this] { session.MaySave(); });
    // The language dialog: the chosen language, kept in the settings file.
    session.SetCommand("mnuLanguage", [this] {
      static const char* const kLanguages[] = {"Japanese", "English", "Manual", ""};
      if (in.Below(5) == 0) return;
      const char* language = kLanguages[in.Below(4)];
      Trace("  language: '%s'", language);
      session.SetLanguage(language);
    });
  }

  std::string PathOf(PathChoice choice) {
    switch (choice) {
      case PathChoice::kCancel:
      case PathChoice::kCount:
        return {};
      case PathChoice::kRound:
        return (Folder() / "round.zk4").string();
      case PathChoice::kOther:
        return (Folder() / "other figure.zk4").string();
      case PathChoice::kStartFigure:
        return kStartFigures[1 + in.Below(kStartFigureCount - 1)];
      case PathChoice::kBroken:
        return (Folder() / "broken.zk4").string();
      case PathChoice::kMissing:
        return (Folder() / "missing.zk4").string();
      case PathChoice::kFolder:
        return (Folder() / "folder.zk4").string();
      case PathChoice::kNoFolder:
        return (Folder() / "no such folder" / "a.zk4").string();
      case PathChoice::kTooLong:
        return (Folder() / (std::string(300, 'n') + ".zk4")).string();
    }
    return {};
  }

  std::string ChoosePath(bool save) {
    std::string path = std::exchange(nextPath, {});
    if (path.empty()) {
      auto choice = static_cast<PathChoice>(in.Below(static_cast<int>(PathChoice::kCount)));
      // A save dialog offers no shipped figure to overwrite.
      if (save && choice == PathChoice::kStartFigure) choice = PathChoice::kOther;
      path = PathOf(choice);
    }
    Trace("  file dialog: '%s'", path.c_str());
    return path;
  }

  bool SaveWithDialog() {
    std::string path = ChoosePath(true);
    if (path.empty()) return false;
    return SaveChecked(path);
  }

  // A save, and what a save must leave behind either way: written, the
  // file is the figure and the figure counts as saved; failed, a message
  // that names the file, the old file as it was, an unsaved figure still
  // unsaved, and no temporary file left in the folder.
  bool SaveChecked(const std::string& path) {
    std::optional<std::string> old = ReadBytes(path);
    bool modified = session.history.IsModified();
    std::string name = session.fig.FigureFileName;
    size_t messages = front.messages.size();
    bool saved = session.SaveFigure(path);
    if (saved) {
      Check(!session.history.IsModified(), "a saved figure counts as unchanged");
      std::optional<std::string> bytes = ReadBytes(path);
      Check(bytes && *bytes == FigureBytes(session.fig), "the saved file is the figure");
      return true;
    }
    Check(front.messages.size() == messages + 1, "a failed save says so once");
    Check(front.messages.back().find(FileTitle(path)) != std::string::npos,
          "a failed save names the file");
    Check(ReadBytes(path) == old, "a failed save leaves the old file as it was");
    // (The save may have renamed automatic names first, a change of its own.)
    Check(!modified || session.history.IsModified(), "a failed save leaves the figure unsaved");
    Check(session.fig.FigureFileName == name, "a failed save keeps the figure's name");
    for (const auto& entry : fs::directory_iterator(Folder())) {
      std::string file = entry.path().filename().string();
      Check(file.find(".tmp") == std::string::npos && file.rfind(".sakuzu", 0) != 0,
            "a failed save leaves no temporary file");
    }
    return false;
  }

  void FileCommand() {
    static const char* const kCommands[] = {"mnuSave",     "mnuLoad", "mnuMerge",
                                            "mnuLanguage", "mnuNew",  "mnuExit"};
    const char* name = kCommands[in.Below(static_cast<int>(std::size(kCommands)))];
    if (Offered(name)) Command(name);
  }

  // Saved and opened again: the figure on screen is the one saved.
  void SaveAndLoadBack() {
    if (!Offered("mnuSave") || !Offered("mnuLoad")) return;
    std::string path = (Folder() / "round.zk4").string();
    nextPath = path;
    Command("mnuSave");
    nextPath.clear();
    if (session.history.IsModified()) return;  // refused (and checked as such)
    std::string saved = FigureText(session.fig);
    nextPath = path;
    Command("mnuLoad");
    nextPath.clear();
    CheckNearlySame(saved, FigureText(session.fig), "a figure saved and loaded back is the same");
  }

  // A save that fails part way, as on a full disk or at a refused rename
  // (SaveChecked checks what it leaves behind).
  void FailingSave() {
    if (!Offered("mnuSave")) return;
    static const int kErrors[] = {ENOSPC, EACCES, EROFS, EIO, EDQUOT, EISDIR, ENAMETOOLONG, EPERM};
    WriteFault fault;
    fault.path = (Folder() / (in.Bit() ? "round.zk4" : "kept.zk4")).string();
    if (!fs::exists(fault.path)) std::ofstream(fault.path, std::ios::binary) << "an older file";
    fault.error = kErrors[in.Below(static_cast<int>(std::size(kErrors)))];
    if (in.Bit()) {
      fault.failAtRename = true;
    } else {
      fault.failAfterBytes = static_cast<size_t>(in.Below(4096));
    }
    ScopedWriteFault scoped(fault);
    size_t messages = front.messages.size();
    nextPath = fault.path;
    Command("mnuSave");
    nextPath.clear();
    if (fault.failAtRename)
      Check(front.messages.size() > messages, "a refused rename fails the save");
  }

  // --------------------------------------------------------------- checks

  // After every event; the file read back (the dearest check) after the
  // press and the moves of a click or a drag only once, at their end.
  void CheckAll() {
    CheckStep();
    CheckReadBack();
  }

  void CheckStep() {
    CheckModes();
    CheckFinite();
    CheckRowsOnDisk(false);
  }

  // The standard mode at the bottom and a shallow stack; at rest no
  // command is half done and no change is left open.
  void CheckModes() {
    const ModeStack& modes = session.modes;
    Check(modes.depth >= 1 && modes.entries[1] == kModeStandard,
          "the standard mode stays at the bottom of the mode stack");
    Check(modes.depth <= 8, "the mode stack stays shallow");
    if (modes.depth > 1) return;
    Check(!session.history.IsOpen(), "no change is left open at rest");
    const Figure& fig = session.fig;
    for (int i = 1; i <= fig.StepCount; ++i) {
      for (int j = 1; j <= kSlotCount; ++j) {
        const ObjectRef& in = fig.StepInputs[i][j];
        const ObjectRef& out = fig.StepOutputs[i][j];
        Check(in.index > 0 || in.cls == 0 || in.cls == 200, "no step waits for an input at rest");
        Check(out.index > 0 || out.cls == 0, "no step waits for its outputs at rest");
      }
    }
  }

  void CheckFinite() {
    const Figure& fig = session.fig;
    for (int i = 1; i <= fig.ObjectCounts[kNumberClass]; ++i) {
      const NumberRecord& n = fig.Numbers[i];
      Check(n.exists == 0 || std::isfinite(n.value), "an existing number is finite");
    }
    for (int i = 1; i <= fig.ObjectCounts[kPointClass]; ++i) {
      const PointRecord& p = fig.Points[i];
      Check(p.exists == 0 || (std::isfinite(p.x) && std::isfinite(p.y)),
            "an existing point is finite");
    }
    for (int i = 1; i <= fig.ObjectCounts[kLineClass]; ++i) {
      const LineRecord& l = fig.Lines[i];
      Check(l.exists == 0 || (std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) &&
                              std::isfinite(l.y2) && std::isfinite(l.dx) && std::isfinite(l.dy)),
            "an existing line is finite");
    }
    for (int i = 1; i <= fig.ObjectCounts[kCircleClass]; ++i) {
      const CircleRecord& c = fig.Circles[i];
      Check(
          c.exists == 0 || (std::isfinite(c.cx) && std::isfinite(c.cy) && std::isfinite(c.radius)),
          "an existing circle is finite");
    }
  }

  void CheckReadBack() {
    std::string bytes = FigureBytes(session.fig);
    Figure back;
    FileError error;
    Check(ParseFigureBytes(bytes, "check", back, error), "the figure as written reads back");
    CheckSame(bytes, FigureBytes(back), "the figure reads back as it was written");
  }

  // The record on disk: the rows kept so far and no others; once the
  // record is closed all of them; after the timer, every row older than a
  // second.
  void CheckRowsOnDisk(bool afterTimer) {
    const RecordBook& book = session.workspace.locus.record;
    const auto& rows = book.Rows();
    if (book.Starts() != recordStarts) rowTimes.clear();  // a record started anew
    recordStarts = book.Starts();
    while (rowTimes.size() < rows.size()) rowTimes.push_back(now);
    if (recordFailed || (!book.IsOpen() && rows.empty())) return;
    std::optional<std::string> csv = ReadBytes(book.CsvPath());
    if (!csv) return Check(rows.empty() && !book.IsOpen(), "the record's file exists");
    // Every line ends with CR LF; a row without columns is an empty line.
    std::vector<std::string_view> lines;
    std::string_view text = *csv;
    for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
         text.remove_prefix(end + 2)) {
      lines.push_back(text.substr(0, end));
    }
    Check(text.empty() && !lines.empty(), "the record is whole lines, headers first");
    size_t onDisk = lines.size() - 1;
    Check(onDisk <= rows.size(), "no row on disk that the record does not hold");
    for (size_t r = 0; r < onDisk; ++r) {
      std::string line;
      for (size_t k = 0; k < rows[r].size(); ++k) line += (k ? "," : "") + CsvField(rows[r][k]);
      Check(lines[r + 1] == line, "the rows on disk are the rows recorded");
    }
    if (!book.IsOpen()) Check(onDisk == rows.size(), "a closed record holds every row");
    if (!afterTimer) return;
    for (size_t r = onDisk; r < rows.size(); ++r) {
      Check(now - rowTimes[r] < std::chrono::seconds(1),
            "every row older than a second is on disk");
    }
  }

  // Mouse released and Esc pressed until the modes are at rest.
  void WindDown() {
    Trace("winding down");
    for (int round = 0; round < 8 && session.modes.depth > 1; ++round) {
      Show(session.MouseUp(Mouse(last_, MouseButton::kLeft)));
      if (session.Status().replayTimer) Show(session.ReplayTick());
      Show(session.KeyDown(KeyInput{kKeyEscape}));
      CheckAll();
    }
    Check(session.modes.depth == 1, "release and Esc bring the modes back to rest");
  }

  // Every change undone gives the starting figure's file; redone again,
  // the last one's.
  void CheckUndoRedo() {
    Trace("undoing and redoing everything");
    std::string end = FigureText(session.fig);
    int undone = 0;
    for (; session.history.CanUndo(); ++undone) {
      Check(undone < 10000, "undo ends");
      Command("mnuEUndo");
    }
    CheckSame(startText, FigureText(session.fig), "undoing everything gives the first figure");
    for (int k = 0; k < undone; ++k) {
      Check(session.history.CanRedo(), "what was undone can be redone");
      Command("mnuERedo");
    }
    CheckSame(end, FigureText(session.fig), "redoing everything gives the last figure");
    CheckAll();
  }

  Input& in;
  CheckingCanvas canvas;
  FuzzFront front{*this};
  FuzzNumbers numbers{*this};
  FuzzAttributes attributes{*this};
  Session session{canvas, front, Folder().string()};
  std::chrono::steady_clock::duration now = std::chrono::seconds(10);
  std::vector<std::chrono::steady_clock::duration> rowTimes;  // when each row came
  int recordStarts = 0;
  bool recordFailed = false;
  std::string startText;
  std::string nextPath;  // the path the next file dialog answers

 private:
  PixelPoint last_{320, 240};
};

// -------------------------------------------------------- the dialogs

void FuzzFront::ShowMessage(const std::string& text) {
  Check(!text.empty() && ValidUtf8(text), "a message has words");
  messages.push_back(text);
}

bool FuzzFront::Confirm(const std::string& text) {
  Check(!text.empty() && ValidUtf8(text), "a question has words");
  return h_.in.Bit();
}

int FuzzFront::Choose(const std::string& text, const std::vector<std::string>& buttons) {
  h_.RefreshStatusBar();
  Check(!text.empty() && ValidUtf8(text) && !buttons.empty(), "a choice has words and buttons");
  int answer = h_.in.Below(static_cast<int>(buttons.size()) + 1) - 1;
  Trace("  choice: %d of %zu", answer, buttons.size());
  return answer;
}

std::optional<std::string> FuzzFront::InputBox(const std::string& message, const std::string&,
                                               const std::string& start) {
  h_.RefreshStatusBar();
  Check(ValidUtf8(message) && ValidUtf8(start), "an input box shows UTF-8");
  if (h_.in.Below(6) == 0) return std::nullopt;
  std::string answer = TypedText(h_.in, start);
  Trace("  input box: '%s'", answer.c_str());
  return answer;
}

std::optional<Rgb> FuzzFront::ChooseColor(Rgb) {
  if (h_.in.Below(3) == 0) return std::nullopt;
  return MakeRgb(h_.in.Byte(), h_.in.Byte(), h_.in.Byte());
}

SaveAnswer FuzzFront::AskSave() {
  static const SaveAnswer kAnswers[] = {SaveAnswer::kCancel, SaveAnswer::kSave,
                                        SaveAnswer::kDiscard};
  SaveAnswer answer = kAnswers[h_.in.Below(3)];
  Trace("  save question: %d", static_cast<int>(answer));
  return answer;
}

NewFigureAnswer FuzzFront::AskNewFigure() {
  static const NewFigureAnswer kAnswers[] = {NewFigureAnswer::kCancel, NewFigureAnswer::kYes,
                                             NewFigureAnswer::kSave};
  NewFigureAnswer answer = kAnswers[h_.in.Below(3)];
  Trace("  new figure question: %d", static_cast<int>(answer));
  return answer;
}

bool FuzzFront::SaveWithDialog() { return h_.SaveWithDialog(); }

bool FuzzFront::OpenDocument(const std::string& path) {
  Check(!path.empty(), "a document to open has a name");
  return h_.in.Bit();
}

// A click on a list line: a line of the list, or just outside it.
int FuzzNumbers::Line(size_t lines) { return h_.in.Below(static_cast<int>(lines) + 2) - 1; }

std::optional<int16_t> FuzzNumbers::ChooseNumber(Figure& fig, const NumberChoiceRequest& request) {
  h_.RefreshStatusBar();
  Input& in = h_.in;
  NumberChoice m(fig, request, text1_);
  auto shown = [&] {
    std::string message = m.TakeMessage();
    if (!message.empty()) h_.front.ShowMessage(h_.session.T(message));
  };
  // Mostly what people do: a number of the list, or a new one typed in;
  // else any control in any order.
  switch (in.Below(4)) {
    case 0:
      break;
    case 1:
      m.Select(Line(m.Controls().NumList.lines.size()));
      m.Accept();
      break;
    case 2:
      m.StartNewNumber();
      m.SetText1(TypedText(in, m.Controls().Text1.text));
      m.AcceptNewNumber();
      break;
    default:
      for (int step = 0; step < 16 && m.Outcome() == DialogOutcome::kOpen; ++step) {
        switch (in.Below(14)) {
          case 0:
            m.Cancel();
            break;
          case 1:
          case 2:
            m.Select(Line(m.Controls().NumList.lines.size()));
            break;
          case 3:
            m.ChooseFromList();
            break;
          case 4:
            m.StartNewNumber();
            break;
          case 5:
            m.SetText1(TypedText(in, m.Controls().Text1.text));
            break;
          case 6:
            m.StepText1(in.Bit() ? 1 : -1);
            break;
          case 7:
            m.AcceptNewNumber();
            break;
          case 8:
            m.LeaveNewNumber();
            break;
          case 9:
            m.StartReset();
            break;
          case 10:
            m.SetResetText(TypedText(in, m.Controls().ResetText.text));
            break;
          case 11:
            m.AcceptReset();
            break;
          case 12:
            m.LeaveReset();
            break;
          default:
            m.Accept();
            break;
        }
        shown();
      }
      break;
  }
  shown();
  if (m.Outcome() == DialogOutcome::kOpen) m.Cancel();
  text1_ = m.Controls().Text1.text;
  Trace("  number choice: %d", m.Answer() ? *m.Answer() : -1);
  return m.Answer();
}

std::optional<std::string> FuzzNumbers::EnterExpression(Figure& fig, int decimals) {
  h_.RefreshStatusBar();
  Input& in = h_.in;
  ExpressionInput m(fig, decimals);
  static const char kOperators[] = {'+', '-', '*', '/', '^', '=', 'x'};
  auto op = [&] { return kOperators[in.Below(static_cast<int>(std::size(kOperators)))]; };
  auto number = [&] {
    if (in.Below(3) == 0) {
      m.StartNewNumber();
      m.SetText1(TypedText(in, m.Controls().Text1.text));
      m.AppendNewNumber();
    } else {
      m.Select(Line(m.Controls().NumList.lines.size()));
      m.AppendSelected();
    }
  };
  auto shown = [&] {
    std::string message = m.TakeMessage();
    if (!message.empty()) h_.front.ShowMessage(h_.session.T(message));
  };
  // Mostly numbers and operators in turn; else any control in any order.
  if (in.Bit()) {
    int terms = in.Below(4);
    number();
    for (int k = 0; k < terms; ++k) {
      m.AppendOperator(op());
      number();
      shown();
    }
    m.Finish();
  } else {
    for (int step = 0; step < 24 && m.Outcome() == DialogOutcome::kOpen; ++step) {
      switch (in.Below(11)) {
        case 0:
          m.Cancel();
          break;
        case 1:
        case 2:
          m.Select(Line(m.Controls().NumList.lines.size()));
          break;
        case 3:
          m.AppendSelected();
          break;
        case 4:
          m.StartNewNumber();
          break;
        case 5:
          m.SetText1(TypedText(in, m.Controls().Text1.text));
          break;
        case 6:
          m.StepText1(in.Bit() ? 1 : -1);
          break;
        case 7:
          m.AppendNewNumber();
          break;
        case 8:
          m.AppendOperator(op());
          break;
        case 9:
          m.ReInput();
          break;
        default:
          m.Finish();
          break;
      }
      shown();
    }
  }
  shown();
  if (m.Outcome() == DialogOutcome::kOpen) m.Cancel();
  std::optional<std::string> answer = m.Answer();
  Trace("  expression: '%s'", answer ? answer->c_str() : "(cancelled)");
  if (answer) Check(CharCount(*answer) <= kExpressionLength, "an expression fits its field");
  return answer;
}

// The attribute dialog: the user edits what it shows, and OK stores the
// form once it passes the check (a refused form stays in the dialog).
std::optional<AttributeForm> FuzzAttributes::EditAttributes(const AttributeForm& form) {
  h_.RefreshStatusBar();
  Input& in = h_.in;
  AttributeForm edited = form;
  const int cls = form.ref.ObjectClassCode();
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (in.Below(4) == 0) return std::nullopt;
    if (in.Bit()) edited.name = TypedText(in, edited.name);
    if (cls == kNumberClass) {
      if (in.Bit()) edited.valueText = TypedText(in, edited.valueText);
      if (in.Bit()) edited.visible = !edited.visible;
    } else {
      if (in.Bit()) edited.color = in.Below(8);
      if (in.Bit()) edited.locusColor = in.Below(8);
      if (cls == kPointClass && in.Bit()) edited.kind = in.Below(6);
      if (cls == kLineClass && in.Bit()) edited.kind = in.Below(8);
      if (edited.dragChoiceEnabled && in.Bit()) edited.dragChoice = in.Below(2);
    }
    std::optional<std::string> refusal = CheckAttributeForm(edited, h_.session.Translator());
    Trace("  attributes of %d:%d: name '%s' colour %d kind %d%s", cls, form.ref.index,
          edited.name.c_str(), edited.color, edited.kind, refusal ? " refused" : "");
    if (!refusal) return edited;
    h_.front.ShowMessage(*refusal);
  }
  return std::nullopt;
}

std::optional<int> FuzzAttributes::ChooseBindKind(int) {
  int answer = h_.in.Below(5);
  Trace("  binding kind: %d", answer - 1);
  if (answer == 0) return std::nullopt;
  return answer - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input(data, size);
  Harness harness(input);
  harness.Start();
  harness.Run();
  return 0;
}
