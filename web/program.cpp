#include "web/program.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "interact/attributes.h"
#include "lang/translate.h"
#include "model/figure_digest.h"
#include "model/figure_file.h"
#include "numbers/number_choice.h"
#include "view/svg_canvas.h"
#include "web/json_text.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

// What the page leaves out: what a browser cannot do (leave, size the
// window, the clipboard picture, a second window, a folder of pictures,
// the settings of another program's files) or does otherwise (the font).
const std::vector<std::string_view> kLeftOut = {
    "mnuFDataFolder", "mnuSaveOnLine", "mnuf_html",  "mnufPDF",  "mnuOcopyWindow", "mnuOWindowMini",
    "mnuHmakeAllBmp", "mnuExit",       "mnuOWindow", "mnuOFont", "mnuOwww",        "mnuHmanual"};

// Keys a browser keeps for itself (a new window; full screen) have others.
const std::vector<std::pair<std::string_view, std::string_view>> kPageShortcuts = {
    {"mnuNew", "Ctrl+Alt+N"}, {"mnuOdeformVarStandard", "Alt+F11"}};

std::string Hex(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

std::optional<Rgb> FromHex(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  unsigned value = 0;
  for (char c : text.substr(1)) {
    int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                            : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return MakeRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[8192];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

// Bytes as base64, for the page to turn back into a file.
std::string Base64(const std::string& bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t n = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) n |= static_cast<uint8_t>(bytes[i + 2]);
    out += kDigits[(n >> 18) & 63];
    out += kDigits[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
  }
  return out;
}

// "verb name rest": the page's answer to a dialog of controls.
struct Action {
  std::string verb, name, value;
};

Action ParseAction(const std::string& answer) {
  Action a;
  size_t first = answer.find(' ');
  a.verb = answer.substr(0, first);
  if (first == std::string::npos) return a;
  size_t second = answer.find(' ', first + 1);
  a.name = answer.substr(first + 1,
                         second == std::string::npos ? std::string::npos : second - first - 1);
  if (second != std::string::npos) a.value = answer.substr(second + 1);
  return a;
}

int ToInt(const std::string& text, int fallback) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  return end == text.c_str() ? fallback : static_cast<int>(v);
}

// One control of a dialog as the page draws it.
void AddControl(Json& j, const char* name, const char* type, const Control& c, const TranslateFn& t,
                bool translated = true) {
  j.Open('{').Key("name").String(name).Key("type").String(type);
  j.Key("enabled").Bool(c.enabled).Key("visible").Bool(c.visible);
  j.Key("text").String(translated && t ? t(c.text) : c.text).Close('}');
}

void AddList(Json& j, const NumberListControl& list) {
  j.Open('{').Key("name").String("NumList").Key("type").String("list");
  j.Key("enabled").Bool(list.enabled).Key("visible").Bool(true);
  j.Key("selected").Number(list.selected).Key("lines").Open('[');
  for (const std::string& line : list.lines) j.String(line);
  j.Close(']').Close('}');
}

}  // namespace

// ------------------------------------------------------------ front end

// What the session asks of the page: each question a dialog the page
// shows while the call waits.
class WebProgram::PageFrontEnd : public FrontEnd {
 public:
  PageFrontEnd(WebProgram& program) : p_(program) {}

  std::string T(const std::string& japanese) const {
    return p_.session_ ? p_.session_->T(japanese) : japanese;
  }
  // What a question is about may just have been drawn or marked, and the
  // status bar says what is under way.
  std::string Ask(const Json& json) const {
    p_.canvas_.Present();
    if (p_.session_) {
      StatusTexts status = p_.session_->Status();
      Json j;
      j.Open('{').Key("kind").String("status").Key("panels").Open('[');
      for (const std::string* panel :
           {&status.panel1, &status.panel2, &status.panel3, &status.panel4}) {
        j.String(*panel);
      }
      j.Close(']').Key("prompt").String(status.prompt).Close('}');
      p_.notify_(j.Text());
    }
    return p_.dialog_(json.Text());
  }
  int Question(const std::string& text, std::initializer_list<const char*> buttons,
               const char* name = "question") const {
    Json j;
    j.Open('{').Key("kind").String("question").Key("name").String(name);
    j.Key("title").String(CurrentProgramVersion().title).Key("text").String(text);
    j.Key("buttons").Open('[');
    for (const char* b : buttons) j.String(T(b));
    j.Close(']').Close('}');
    return ToInt(Ask(j), -1);
  }

  // Messages, beeps and text need no answer: the page shows them without
  // the call waiting (they come from deep in a computation too).
  void ShowMessage(const std::string& text) override {
    Json j;
    j.Open('{').Key("kind").String("message").Key("title").String(CurrentProgramVersion().title);
    j.Key("text").String(text).Key("buttons").Open('[').String("OK").Close(']').Close('}');
    p_.notify_(j.Text());
  }
  void Beep() override { p_.notify_("{\"kind\":\"beep\"}"); }
  bool Confirm(const std::string& text) override {
    return Question(text, {"OK", "キャンセル"}) == 0;
  }
  int Choose(const std::string& text, const std::vector<std::string>& buttons) override {
    Json j;
    j.Open('{').Key("kind").String("question").Key("name").String("choose");
    j.Key("title").String(CurrentProgramVersion().title).Key("text").String(text);
    j.Key("buttons").Open('[');
    for (const std::string& b : buttons) j.String(b);
    j.Close(']').Close('}');
    return ToInt(Ask(j), -1);
  }
  void WriteText(const std::string& text) override {
    Json j;
    j.Open('{').Key("kind").String("text").Key("append").Bool(true).Key("text").String(text);
    j.Close('}');
    p_.notify_(j.Text());
  }
  std::optional<std::string> InputBox(const std::string& message, const std::string& title,
                                      const std::string& start) override {
    Json j;
    j.Open('{').Key("kind").String("input").Key("title").String(title);
    j.Key("text").String(message).Key("value").String(start);
    j.Key("ok").String(T("OK")).Key("cancel").String(T("キャンセル")).Close('}');
    std::string answer = Ask(j);
    if (answer.rfind("ok ", 0) != 0 && answer != "ok") return std::nullopt;
    return answer.size() > 3 ? answer.substr(3) : std::string();
  }
  std::optional<Rgb> ChooseColor(Rgb start) override {
    Json j;
    j.Open('{').Key("kind").String("color").Key("value").String(Hex(start));
    j.Key("ok").String(T("OK")).Key("cancel").String(T("キャンセル")).Close('}');
    return FromHex(Ask(j));
  }
  SaveAnswer AskSave() override {
    switch (Question(T("保存しますか"), {"保存", "破棄", "キャンセル"})) {
      case 0:
        return SaveAnswer::kSave;
      case 1:
        return SaveAnswer::kDiscard;
      default:
        return SaveAnswer::kCancel;
    }
  }
  NewFigureAnswer AskNewFigure() override {
    Json j;
    j.Open('{').Key("kind").String("question").Key("name").String("ZKNew");
    j.Key("title").String(T("新規作図の確認"));
    j.Key("text").String(T("現在の図は失われますが,新しい図を作図しますか。"));
    j.Key("buttons").Open('[');
    for (const char* b : {"はい(Y)", "保存しておく(S)", "キャンセル(Esc)"}) j.String(T(b));
    j.Close(']').Key("keys").String("YS").Close('}');
    switch (ToInt(Ask(j), -1)) {
      case 0:
        return NewFigureAnswer::kYes;
      case 1:
        return NewFigureAnswer::kSave;
      default:
        return NewFigureAnswer::kCancel;
    }
  }
  // The page's save: the figure downloads under its name.
  bool SaveWithDialog() override {
    std::string bytes = p_.FigureBytes();
    if (bytes.empty()) return false;
    Json j;
    j.Open('{').Key("kind").String("download").Key("name").String(p_.FigureName());
    j.Key("type").String("application/octet-stream").Key("base64").String(Base64(bytes));
    j.Close('}');
    p_.notify_(j.Text());
    p_.MarkSaved(p_.FigureName());
    return true;
  }
  // The record of values: its page opens from the program's folder.
  bool OpenDocument(const std::string& path) override {
    Json j;
    j.Open('{').Key("kind").String("document").Key("path").String(path).Close('}');
    p_.notify_(j.Text());
    return true;
  }
  void ShowText(const std::string& caption, const std::string& text) override {
    Json j;
    j.Open('{').Key("kind").String("text").Key("caption").String(T(caption));
    j.Key("text").String(text).Close('}');
    p_.notify_(j.Text());
  }
  void SetTextCaption(const std::string& caption) override {
    Json j;
    j.Open('{').Key("kind").String("text").Key("caption").String(T(caption));
    j.Key("append").Bool(true).Key("text").String("").Close('}');
    p_.notify_(j.Text());
  }

 private:
  WebProgram& p_;
};

// --------------------------------------------------------- number dialogs

// The number choice and the expression input: the models of the window's
// dialogs, shown by the page control for control.
class WebProgram::PagePrompts : public NumberPrompts {
 public:
  explicit PagePrompts(PageFrontEnd& front) : front_(front) {}

  std::optional<int16_t> ChooseNumber(Figure& fig, const NumberChoiceRequest& request) override {
    NumberChoice m(fig, request, text1_);
    while (m.Outcome() == DialogOutcome::kOpen) {
      const NumberChoiceControls& c = m.Controls();
      Json j = Begin("ZKSelNum", "数値の選択", c.focus);
      AddList(j, c.NumList);
      const std::pair<const char*, const Control*> buttons[] = {{"Command1", &c.Command1},
                                                                {"NewNum", &c.NewNum},
                                                                {"Reset", &c.Reset},
                                                                {"Cmd_OK", &c.Cmd_OK},
                                                                {"Cmd_Cancel", &c.Cmd_Cancel}};
      for (auto [name, control] : buttons) AddControl(j, name, "button", *control, T());
      AddControl(j, "Label1", "label", c.Label1, T());
      AddControl(j, "Text1", "textbox", c.Text1, T(), false);
      AddControl(j, "NewNumOK", "button", c.NewNumOK, T());
      AddControl(j, "NewNumCancel", "button", c.NewNumCancel, T());
      AddControl(j, "ResetText", "textbox", c.ResetText, T(), false);
      AddControl(j, "ResetOK", "button", c.ResetOK, T());
      AddControl(j, "ResetCancel", "button", c.ResetCancel, T());
      Action a = ParseAction(Finish(j));
      Apply(m, a);
      Report(m.TakeMessage());
    }
    text1_ = m.Controls().Text1.text;
    return m.Answer();
  }

  std::optional<std::string> EnterExpression(Figure& fig, int decimals) override {
    ExpressionInput m(fig, decimals);
    while (m.Outcome() == DialogOutcome::kOpen) {
      const ExpressionInputControls& c = m.Controls();
      Json j = Begin("ZKExpress", "数式の入力", c.focus);
      AddControl(j, "LabelGuide", "label",
                 {true, true, "数式を作るには,上段(数値)と下段(演算)を交互に選択してください。"},
                 T());
      AddList(j, c.NumList);
      const std::pair<const char*, const Control*> buttons[] = {{"NumSelectOK", &c.NumSelectOK},
                                                                {"cmdAddNum", &c.cmdAddNum}};
      for (auto [name, control] : buttons) AddControl(j, name, "button", *control, T());
      AddControl(j, "Text1", "textbox", c.Text1, T(), false);
      AddControl(j, "cmdNewNumOK", "button", c.cmdNewNumOK, T());
      AddControl(j, "LabelNewNumCheck", "label", c.LabelNewNumCheck, T());
      const std::pair<const char*, const Control*> rest[] = {
          {"cmdOpAdd", &c.cmdOpAdd},       {"cmdOpMinus", &c.cmdOpMinus},
          {"cmdOpMulti", &c.cmdOpMulti},   {"cmdOpDiv", &c.cmdOpDiv},
          {"cmdOpPower", &c.cmdOpPower},   {"cmdReInput", &c.cmdReInput},
          {"cmdInputEnd", &c.cmdInputEnd}, {"cmdCancel", &c.cmdCancel}};
      for (auto [name, control] : rest) AddControl(j, name, "button", *control, T());
      AddControl(j, "LabelExpress", "display", c.LabelExpress, T(), false);
      Action a = ParseAction(Finish(j));
      Apply(m, a);
      Report(m.TakeMessage());
    }
    return m.Answer();
  }

 private:
  TranslateFn T() const {
    return [this](const std::string& s) { return front_.T(s); };
  }
  Json Begin(const char* name, const char* title, const std::string& focus) const {
    Json j;
    j.Open('{').Key("kind").String("controls").Key("name").String(name);
    j.Key("title").String(front_.T(title)).Key("focus").String(focus);
    j.Key("controls").Open('[');
    return j;
  }
  std::string Finish(Json& j) const {
    j.Close(']').Close('}');
    return front_.Ask(j);
  }
  void Report(const std::string& message) {
    if (!message.empty()) front_.ShowMessage(front_.T(message));
  }

  static void Apply(NumberChoice& m, const Action& a) {
    if (a.verb == "select") m.Select(ToInt(a.name, -1));
    if (a.verb == "double") {
      m.Select(ToInt(a.name, -1));
      m.Accept();
    }
    if (a.verb == "text" && a.name == "Text1") m.SetText1(a.value);
    if (a.verb == "text" && a.name == "ResetText") m.SetResetText(a.value);
    if (a.verb == "close") m.Cancel();
    if (a.verb == "key") {
      // A key in a text box comes with the text typed so far.
      std::string key = a.value.substr(0, a.value.find(' '));
      std::string text =
          a.value.find(' ') == std::string::npos ? "" : a.value.substr(a.value.find(' ') + 1);
      bool enter = key == "Enter", escape = key == "Escape";
      if (a.name == "Text1") {
        m.SetText1(text);
        if (enter) m.AcceptNewNumber();
        if (escape) m.LeaveNewNumber();
        if (key == "ArrowUp" || key == "ArrowDown") m.StepText1(key == "ArrowUp" ? 1 : -1);
      } else if (a.name == "ResetText") {
        m.SetResetText(text);
        if (enter) m.AcceptReset();
        if (escape) m.LeaveReset();
      } else {
        if (enter) m.Accept();
        if (escape) m.Cancel();
      }
    }
    if (a.verb != "click") return;
    const std::pair<const char*, bool (NumberChoice::*)()> clicks[] = {
        {"Cmd_OK", &NumberChoice::Accept},
        {"Command1", &NumberChoice::ChooseFromList},
        {"NewNum", &NumberChoice::StartNewNumber},
        {"NewNumOK", &NumberChoice::AcceptNewNumber},
        {"NewNumCancel", &NumberChoice::LeaveNewNumber},
        {"Reset", &NumberChoice::StartReset},
        {"ResetOK", &NumberChoice::AcceptReset},
        {"ResetCancel", &NumberChoice::LeaveReset}};
    for (auto [name, run] : clicks) {
      if (a.name == name) (m.*run)();
    }
    if (a.name == "Cmd_Cancel") m.Cancel();
  }

  static void Apply(ExpressionInput& m, const Action& a) {
    if (a.verb == "select") m.Select(ToInt(a.name, -1));
    if (a.verb == "double") {
      m.Select(ToInt(a.name, -1));
      m.AppendSelected();
    }
    if (a.verb == "text" && a.name == "Text1") m.SetText1(a.value);
    if (a.verb == "close") m.Cancel();
    if (a.verb == "key") {
      std::string key = a.value.substr(0, a.value.find(' '));
      if (a.name == "Text1") {
        m.SetText1(a.value.find(' ') == std::string::npos ? ""
                                                          : a.value.substr(a.value.find(' ') + 1));
      }
      if (key == "Escape") m.Cancel();
      if (a.name == "Text1" && key == "Enter") m.AppendNewNumber();
      if (a.name == "Text1" && (key == "ArrowUp" || key == "ArrowDown")) {
        m.StepText1(key == "ArrowUp" ? 1 : -1);
      }
      if (a.name == "NumList" && key == "Enter") m.AppendSelected();
    }
    if (a.verb != "click") return;
    const std::pair<const char*, char> operators[] = {{"cmdOpAdd", '+'},
                                                      {"cmdOpMinus", '-'},
                                                      {"cmdOpMulti", '*'},
                                                      {"cmdOpDiv", '/'},
                                                      {"cmdOpPower", '^'}};
    for (auto [name, op] : operators) {
      if (a.name == name) m.AppendOperator(op);
    }
    if (a.name == "NumSelectOK") m.AppendSelected();
    if (a.name == "cmdAddNum") m.StartNewNumber();
    if (a.name == "cmdNewNumOK") m.AppendNewNumber();
    if (a.name == "cmdReInput") m.ReInput();
    if (a.name == "cmdInputEnd") m.Finish();
    if (a.name == "cmdCancel") m.Cancel();
  }

  PageFrontEnd& front_;
  std::string text1_;  // the typed number, kept between openings
};

// ------------------------------------------------------ attribute dialogs

class WebProgram::PageAttributes : public AttributeDialogs {
 public:
  explicit PageAttributes(PageFrontEnd& front) : front_(front) {}

  std::optional<AttributeForm> EditAttributes(const AttributeForm& start) override {
    AttributeForm form = start;
    const int cls = form.ref.ObjectClassCode();
    const AttributeChoices& choices = AttributeChoiceLists();
    while (true) {
      Json j;
      j.Open('{').Key("kind").String("form").Key("title").String(front_.T(FormTitle(cls)));
      j.Key("ok").String(front_.T("OK")).Key("cancel").String(front_.T("キャンセル"));
      j.Key("fields").Open('[');
      if (cls == kNumberClass) {
        Label(j, "TextAttr", form.dependent ? "従属変数" : "独立変数");
        Text(j, "TextName", "名前", form.name, !form.dependent);
        Text(j, "TextVal", "値", form.valueText, !form.dependent);
        Choice(j, "OptionVisible", "", {"表示", "非表示"}, form.visible ? 0 : 1, form.dependent);
      } else {
        Text(j, "TextName", "名前", form.name, true);
        const auto& colors = cls == kPointClass ? choices.pointColors : choices.lineColors;
        Choice(j, "ComboClr", "色", colors, form.color, true);
        Choice(j, "ComboLocus", "軌跡の色", colors, form.locusColor, true);
        if (cls == kPointClass) {
          Choice(j, "ComboKind", "種類", choices.pointMarks, form.kind >= 0 ? form.kind : 0, true);
          Choice(j, "ComboIndependent", "変形時の選択", choices.dragChoices, form.dragChoice,
                 form.dragChoiceEnabled);
        }
        if (cls == kLineClass) Choice(j, "ComboKind", "種類", choices.lineParts, form.kind, true);
      }
      j.Close(']').Close('}');
      std::string answer = front_.Ask(j);
      if (answer.rfind("ok\n", 0) != 0) return std::nullopt;
      Read(answer.substr(3), form);
      std::optional<std::string> refusal =
          CheckAttributeForm(form, [this](const std::string& s) { return front_.T(s); });
      if (!refusal) return form;
      front_.ShowMessage(*refusal);
    }
  }

  std::optional<int> ChooseBindKind(int current) override {
    Json j;
    j.Open('{').Key("kind").String("form").Key("title").String(front_.T("種類の選択"));
    j.Key("ok").String(front_.T("OK")).Key("cancel").String(front_.T("キャンセル"));
    j.Key("fields").Open('[');
    Label(j, "Label1", "どの種類の幾何的対象の上に点を取りますか");
    Choice(j, "ListKind", "", AttributeChoiceLists().bindKinds, current, true);
    j.Close(']').Close('}');
    std::string answer = front_.Ask(j);
    if (answer.rfind("ok\n", 0) != 0) return std::nullopt;
    AttributeForm unused;
    int kind = current;
    std::istringstream lines(answer.substr(3));
    std::string line;
    while (std::getline(lines, line)) {
      if (line.rfind("ListKind=", 0) == 0) kind = ToInt(line.substr(9), current);
    }
    if (kind < 0 || kind > 3) return std::nullopt;
    return kind;
  }

 private:
  static const char* FormTitle(int cls) {
    return cls == kPointClass    ? "点の属性の設定"
           : cls == kLineClass   ? "直線の属性の設定"
           : cls == kCircleClass ? "円の属性の設定"
                                 : "変数の属性の設定";
  }
  void Label(Json& j, const char* name, const char* text) const {
    j.Open('{').Key("name").String(name).Key("type").String("label");
    j.Key("text").String(front_.T(text)).Close('}');
  }
  void Text(Json& j, const char* name, const char* label, const std::string& value,
            bool enabled) const {
    j.Open('{').Key("name").String(name).Key("type").String("text");
    j.Key("label").String(front_.T(label)).Key("value").String(value);
    j.Key("enabled").Bool(enabled).Close('}');
  }
  void Choice(Json& j, const char* name, const char* label, const std::vector<std::string>& items,
              int selected, bool enabled) const {
    j.Open('{').Key("name").String(name).Key("type").String("select");
    j.Key("label").String(label[0] ? front_.T(label) : "").Key("selected").Number(selected);
    j.Key("enabled").Bool(enabled).Key("items").Open('[');
    for (const std::string& item : items) j.String(front_.T(item));
    j.Close(']').Close('}');
  }
  static void Read(const std::string& answer, AttributeForm& form) {
    std::istringstream lines(answer);
    std::string line;
    while (std::getline(lines, line)) {
      size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string key = line.substr(0, eq), value = line.substr(eq + 1);
      if (key == "TextName") form.name = value;
      if (key == "TextVal") form.valueText = value;
      if (key == "OptionVisible") form.visible = ToInt(value, 0) == 0;
      if (key == "ComboClr") form.color = ToInt(value, form.color);
      if (key == "ComboLocus") form.locusColor = ToInt(value, form.locusColor);
      if (key == "ComboKind") form.kind = ToInt(value, form.kind);
      if (key == "ComboIndependent") form.dragChoice = ToInt(value, form.dragChoice);
    }
  }

  PageFrontEnd& front_;
};

// --------------------------------------------------------------- program

WebProgram::WebProgram(int width, int height, WebCanvas::Page page, PageDialogFn dialog,
                       PageNoticeFn notify)
    : canvas_(width, height, page), dialog_(dialog), notify_(notify) {
  front_ = std::make_unique<PageFrontEnd>(*this);
  prompts_ = std::make_unique<PagePrompts>(*front_);
  attributes_ = std::make_unique<PageAttributes>(*front_);
  std::error_code ec;
  fs::create_directories(kFolder, ec);
  session_ = std::make_unique<Session>(canvas_, *front_, kFolder);
  session_->workspace.numbers = prompts_.get();
  session_->workspace.attributes = attributes_.get();
  // Pictures: the SVG file downloads; PNG, printing and the record pages
  // are the page's own.
  session_->SetCommand("mnufSVG", [this] {
    std::string name = FigureName();
    Json j;
    j.Open('{').Key("kind").String("download");
    j.Key("name").String(name.substr(0, name.size() - 4) + ".svg");
    j.Key("type").String("image/svg+xml").Key("base64").String(Base64(PictureSvg())).Close('}');
    notify_(j.Text());
  });
  session_->SetCommand("mnufPNG", [this] { notify_("{\"kind\":\"picture\",\"format\":\"png\"}"); });
  session_->SetCommand("mnufBMP",
                       [this] { notify_("{\"kind\":\"picture\",\"format\":\"clipboard\"}"); });
  session_->SetCommand("mnuFprint", [this] { notify_("{\"kind\":\"print\"}"); });
  // The file picker answers at once; the page then opens the file it
  // chose (Open asks the save question first).
  session_->SetCommand("mnuLoad", [this] { notify_("{\"kind\":\"open\",\"merge\":false}"); });
  session_->SetCommand("mnuMerge", [this] { notify_("{\"kind\":\"open\",\"merge\":true}"); });
  session_->SetCommand("mnuSave", [this] { front_->SaveWithDialog(); });
  session_->SetCommand("mnuLanguage", [this] { notify_("{\"kind\":\"language\"}"); });
  session_->SetCommand("mnuVersion", [this] {
    front_->Question(ProgramCaption(CurrentProgramVersion()) + "\n" + session_->T("作図") +
                         " - dynamic geometry construction",
                     {"OK"}, "message");
  });
}

WebProgram::~WebProgram() = default;

void WebProgram::Start() {
  Session& s = *session_;
  s.ResetForStartUp();
  s.LoadSettings();
  s.SetScreen();
  s.StartModes();
  s.fig.FigureFileName = "untitled";
  s.SetMenuMode(s.settings.menuMode);
  s.Redraw();
  canvas_.Present();
  statusChanged_ = true;
}

void WebProgram::Resize(int width, int height) {
  canvas_.Resize(width, height);
  session_->SetScreen();
  session_->Redraw();
  session_->renderer.canvas.TakeDrawnLayers();
  canvas_.Present();
}

void WebProgram::Show(const Update& update) {
  if (update.layers != 0) canvas_.Present();
  if (update.modes || update.status || update.figure) statusChanged_ = true;
  if (update.popup) popup_ = update.popup;
}

void WebProgram::Pointer(int kind, double x, double y, int button, bool held, bool shift,
                         bool ctrl) {
  MouseInput input;
  input.px = x, input.py = y;
  input.button = button == 0   ? MouseButton::kLeft
                 : button == 1 ? MouseButton::kRight
                 : button == 2 ? MouseButton::kMiddle
                               : MouseButton::kNone;
  input.leftHeld = held, input.shift = shift, input.ctrl = ctrl;
  switch (kind) {
    case 0:
      Show(session_->MouseDown(input));
      break;
    case 1:
      input.button = MouseButton::kNone;
      Show(session_->MouseMove(input));
      break;
    case 2:
      Show(session_->MouseUp(input));
      break;
    default:
      Show(session_->DoubleClick());
  }
}

void WebProgram::Key(int code, bool shift, bool ctrl) {
  Show(session_->KeyDown(KeyInput{code, shift, ctrl}));
}

void WebProgram::Wheel(double x, double y, double notches) { Show(session_->Wheel(x, y, notches)); }

void WebProgram::Pinch(double x, double y, double factor) { Show(session_->Pinch(x, y, factor)); }

void WebProgram::Command(const std::string& name) {
  Show(session_->Command(name));
  statusChanged_ = true;
}

void WebProgram::Tick() { Show(session_->ReplayTick()); }

void WebProgram::Repaint() {
  canvas_.Repaint();
  canvas_.Present();
}

std::string WebProgram::WriteToFolder(const std::string& name, const std::string& bytes) {
  std::string title = FileTitle(name);
  if (title.empty() || title == "." || title == "..") title = "figure.zk4";
  fs::path path = fs::path(kFolder) / "files" / title;
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

void WebProgram::Run(const std::string& caption, const std::function<void()>& work) {
  Show(session_->Change(caption, work));
  statusChanged_ = true;
}

bool WebProgram::Open(const std::string& name, const std::string& bytes) {
  if (!session_->MaySave()) return false;
  bool opened = false;
  Run("例の読み込み", [&] {
    std::string path = WriteToFolder(name, bytes);
    opened = session_->OpenFigure(path);
    // The figure keeps the name it came with, without the page's folder.
    if (opened) session_->fig.FigureFileName = FileTitle(name);
  });
  return opened;
}

bool WebProgram::Merge(const std::string& name, const std::string& bytes) {
  bool merged = false;
  Run("図形の追加", [&] { merged = session_->MergeFigure(WriteToFolder(name, bytes)); });
  return merged;
}

bool WebProgram::Restore(const std::string& name, const std::string& bytes) {
  FileOutcome outcome = session_->ReadFigureFile(WriteToFolder("recovered.zk4", bytes));
  if (!outcome.ok) return false;
  session_->fig.FigureFileName = name.empty() ? "untitled" : name;
  session_->history.Clear();
  session_->history.MarkUnsaved();
  session_->Redraw();
  session_->renderer.canvas.TakeDrawnLayers();
  canvas_.Present();
  statusChanged_ = true;
  return true;
}

std::string WebProgram::FigureName() const {
  std::string title = FileTitle(session_->fig.FigureFileName);
  if (title.empty() || title == "untitled") title = "untitled";
  std::string extension = title.size() > 4 ? title.substr(title.size() - 4) : "";
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".zk4" ? title : title + ".zk4";
}

std::string WebProgram::FigureBytes() {
  // As the program saves: the automatic names rebuilt, the same writer.
  fs::path path = fs::path(kFolder) / "save" / FigureName();
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (!session_->WriteFigureFile(path.string()).ok) return {};
  std::string bytes = ReadBytes(path.string());
  fs::remove(path, ec);
  return bytes;
}

void WebProgram::MarkSaved(const std::string& name) {
  session_->fig.FigureFileName = name;
  session_->history.MarkSaved();
  statusChanged_ = true;
}

bool WebProgram::Modified() const { return session_->history.IsModified(); }

std::string WebProgram::PictureSvg() {
  SvgCanvas svg(canvas_.Width(), canvas_.Height(),
                [this](const CanvasFont& font, const std::string& text) {
                  canvas_.SetFont(font);
                  return canvas_.TextWidth(text);
                });
  session_->DrawPicture(svg);
  canvas_.SetFont(session_->display.font);
  return svg.Svg(FileTitle(session_->fig.FigureFileName));
}

std::string WebProgram::FolderFile(const std::string& name) const {
  return ReadBytes((fs::path(kFolder) / FileTitle(name)).string());
}

void WebProgram::PutFolderFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(fs::path(kFolder) / FileTitle(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WebProgram::SetLanguage(const std::string& setting) {
  Session& s = *session_;
  s.CollectSettings();
  s.language.setting = setting;
  LoadUserDictionary(s.language);
  s.SaveSettings();
  s.Redraw();
  s.renderer.canvas.TakeDrawnLayers();
  canvas_.Present();
  statusChanged_ = true;
}

std::string WebProgram::State() {
  Session& s = *session_;
  StatusTexts status = s.Status();
  Json j;
  j.Open('{').Key("caption").String(status.caption).Key("modified").Bool(s.history.IsModified());
  j.Key("name").String(FigureName());
  j.Key("panels").Open('[');
  for (const std::string* panel :
       {&status.panel1, &status.panel2, &status.panel3, &status.panel4}) {
    j.String(*panel);
  }
  j.Close(']').Key("prompt").String(status.prompt).Key("raised").Bool(status.panel4Raised);
  j.Key("cursor").String(status.cursor == CursorShape::kMove ? "move" : "default");
  j.Key("replay").Bool(status.replayTimer).Key("interval").Number(status.replayInterval);
  j.Key("mode").Number(CurrentMode(s.modes).value_or(0));
  j.Key("language").String(s.language.setting);
  j.Key("english").Bool(NormalisedSetting(s.language.setting) == "english");
  MenuInputs in;
  in.mode = CurrentMode(s.modes).value_or(0);
  in.menuMode = s.MenuMode();
  in.checks = s.MenuChecks();
  in.undoCaption = s.UndoCaption();
  in.redoCaption = s.RedoCaption();
  in.canUndo = s.history.CanUndo();
  in.canRedo = s.history.CanRedo();
  in.leftOut = kLeftOut;
  in.shortcuts = kPageShortcuts;
  j.Key("menus").Open('[');
  for (const MenuItemState& item : MenuStates(in, s.Translator())) {
    j.Open('{').Key("n").String(item.name).Key("p").String(item.parent);
    j.Key("c").String(item.caption).Key("k").String(item.shortcut);
    j.Key("s").Bool(item.submenu).Key("v").Bool(item.visible).Key("e").Bool(item.enabled);
    j.Key("x").Number(item.checkable ? (item.checked ? 1 : 0) : -1).Close('}');
  }
  j.Close(']');
  j.Key("popup");
  if (popup_) {
    j.Open('[');
    for (const PopupEntry& entry : popup_->entries) {
      j.Open('{').Key("n").String(entry.name).Key("c").String(entry.caption);
      j.Key("v").Bool(entry.visible).Close('}');
    }
    j.Close(']');
    popup_.reset();
  } else {
    j.Raw("null");
  }
  j.Close('}');
  statusChanged_ = false;
  return j.Text();
}

std::string WebProgram::ObjectsJson() const {
  const Figure& fig = session_->fig;
  Json j;
  j.Open('{');
  const std::pair<const char*, int> classes[] = {{"numbers", kNumberClass},
                                                 {"points", kPointClass},
                                                 {"lines", kLineClass},
                                                 {"circles", kCircleClass}};
  for (auto [key, cls] : classes) {
    j.Key(key).Open('[');
    for (int i = 1; i <= ClassCount(fig, cls); ++i) {
      j.Open('{');
      VisitObject(fig, ObjectRef{static_cast<int16_t>(cls), static_cast<int16_t>(i)},
                  Overloaded{[&](const NumberRecord& n) {
                               j.Key("name").String(n.name).Key("exists").Bool(n.exists != 0);
                               j.Key("value").Number(n.value);
                             },
                             [&](const PointRecord& p) {
                               j.Key("name").String(p.name).Key("exists").Bool(p.exists != 0);
                               j.Key("x").Number(p.x).Key("y").Number(p.y);
                               PixelPoint px = ToPixel(session_->view, p.x, p.y);
                               j.Key("px").Number(px.x).Key("py").Number(px.y);
                             },
                             [&](const LineRecord& l) {
                               j.Key("name").String(l.name).Key("exists").Bool(l.exists != 0);
                               j.Key("x1").Number(l.x1).Key("y1").Number(l.y1);
                               j.Key("x2").Number(l.x2).Key("y2").Number(l.y2);
                             },
                             [&](const CircleRecord& c) {
                               j.Key("name").String(c.name).Key("exists").Bool(c.exists != 0);
                               j.Key("cx").Number(c.cx).Key("cy").Number(c.cy);
                               j.Key("r").Number(c.radius);
                             }});
      j.Close('}');
    }
    j.Close(']');
  }
  j.Close('}');
  return j.Text();
}

std::string WebProgram::Digest() const { return ResultDigest(session_->fig); }

void WebProgram::ScriptedDrag() {
  sakuzu::ScriptedDrag(*session_);
  session_->renderer.canvas.TakeDrawnLayers();
  canvas_.Present();
}

}  // namespace sakuzu
