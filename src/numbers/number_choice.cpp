#include "numbers/number_choice.h"

#include <algorithm>
#include <string>

#include "numbers/expression.h"
#include "numbers/value_text.h"
#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr int16_t kModeVary = 63;
constexpr int16_t kModeLocusNumber = 71;
constexpr int16_t kModeNumberChoice = 60;
constexpr int16_t kModeEdit = 40;

constexpr const char* kStepHint = "↑(+1),↓(-1)";
constexpr const char* kCancelCaption = "キャンセル";

// The kinds whose command waits for a count or a ratio and so opens on a
// new number, with the value offered (none: the box keeps its text).
struct NewNumberStart {
  std::string_view kind;
  const char* text;
};
constexpr NewNumberStart kNewNumberStarts[] = {
    {"PNEQ", "2"}, {"LPGN", "3"},   {"LH2+", "3"},   {"LRGN", "3"},
    {"PEXT", "1"}, {"PN", nullptr}, {"C1", nullptr},
};

const NewNumberStart* FindNewNumberStart(std::string_view kind) {
  const std::string trimmed = Trim(kind);
  for (const NewNumberStart& start : kNewNumberStarts) {
    if (start.kind == trimmed) return &start;
  }
  return nullptr;
}

// A full-width form (U+FF01..U+FF5E) becomes its ASCII character and the
// ideographic space a blank, so that numbers typed with the Japanese input
// method read as typed in ASCII.
std::string NarrowAscii(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    if (i + 2 < text.size() && (byte(i) & 0xF0) == 0xE0) {
      const int cp = ((byte(i) & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
      if (cp >= 0xFF01 && cp <= 0xFF5E) {
        out += static_cast<char>(cp - 0xFEE0);
        i += 2;
        continue;
      }
      if (cp == 0x3000) {
        out += ' ';
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string OperandToken(int number) { return "N" + std::to_string(number); }

}  // namespace

std::optional<double> ReadTypedNumber(std::string_view text) {
  return ParseNumber(NarrowAscii(text));
}

std::string StepTypedNumber(std::string_view text, int delta) {
  std::optional<double> value = ReadTypedNumber(text);
  if (!value) return std::string(text);
  return FormatNumber(*value + delta);
}

int AddFreeNumber(Figure& fig, double value) {
  const int index = AddObject(fig, kNumberClass);
  if (index == 0) return 0;
  // The slot may hold an object removed earlier.
  NumberRecord& record = fig.Numbers[index];
  ResetNumberRecord(record);
  record.display = 0;
  record.value = value;
  record.exists = kTrue;
  record.independent = kTrue;
  return index;
}

std::vector<std::string> NumberListLines(const Figure& fig, int decimals) {
  std::vector<std::string> lines;
  const int count = std::min<int>(fig.ObjectCounts[kNumberClass], fig.Numbers.UpperBound());
  for (int i = 1; i <= count; ++i) lines.push_back(ValueListLine(fig, i, decimals));
  return lines;
}

// ---------------------------------------------------------------------------
// The number choice

NumberChoice::NumberChoice(Figure& fig, const NumberChoiceRequest& request, std::string text1)
    : fig_(fig), decimals_(request.decimals), text1_(std::move(text1)) {
  controls_.NumList.lines = NumberListLines(fig_, decimals_);
  const bool listEmpty = controls_.NumList.lines.empty();
  entry_ = listEmpty ? Entry::kNewNumber : Entry::kList;
  switch (request.mode) {
    case kModeVary:
      varying_ = true;
      newAllowed_ = false;
      break;
    case kModeLocusNumber:
    case kModeEdit:
      newAllowed_ = false;
      break;
    case kModeNumberChoice:
      break;
    default:
      if (const NewNumberStart* start = FindNewNumberStart(request.kind)) {
        entry_ = Entry::kNewNumber;
        if (start->text) text1_ = start->text;
      }
      break;
  }
  if (!newAllowed_) entry_ = Entry::kList;
  Refresh();
}

bool NumberChoice::SelectedIsFree() const {
  const int line = controls_.NumList.selected;
  if (line < 0 || line >= static_cast<int>(controls_.NumList.lines.size())) return false;
  return fig_.Numbers[line + 1].independent == kTrue;
}

void NumberChoice::Refresh() {
  NumberChoiceControls& c = controls_;
  const bool open = outcome_ == DialogOutcome::kOpen;
  const bool listing = open && entry_ == Entry::kList;
  const bool typing = open && entry_ == Entry::kNewNumber;
  const bool resetting = open && entry_ == Entry::kReset;
  const bool selected = c.NumList.selected >= 0;

  c.NumList.enabled = listing;
  c.Cmd_OK = {listing && selected, true, varying_ ? "変化させる" : "OK"};
  c.Cmd_Cancel = {open && !resetting, true, varying_ ? "元に戻る" : kCancelCaption};
  c.Command1 = {open && !resetting && !c.NumList.lines.empty(), true, "既存の変数から選択する"};
  c.NewNum = {open && newAllowed_, newAllowed_, "新しい変数を追加する"};

  c.Text1 = {typing, typing, text1_};
  c.NewNumOK = {typing && ReadTypedNumber(text1_).has_value(), typing, "OK"};
  c.NewNumCancel = {typing, typing, kCancelCaption};
  c.Label1 = {typing, typing, kStepHint};

  // Only a free number keeps a value given to it: a computed one would
  // get its own back at the next recalculation.
  c.Reset = {listing && varying_ && SelectedIsFree(), varying_ && selected, "値の変更"};
  c.ResetText = {resetting, resetting, resetText_};
  c.ResetOK = {resetting && ReadTypedNumber(resetText_).has_value(), resetting, "OK"};
  c.ResetCancel = {resetting, resetting, kCancelCaption};

  c.focus = typing ? "Text1" : resetting ? "ResetText" : "NumList";
}

bool NumberChoice::Select(int line) {
  if (!controls_.NumList.enabled) return false;
  if (line < -1 || line >= static_cast<int>(controls_.NumList.lines.size())) return false;
  controls_.NumList.selected = line;
  Refresh();
  return true;
}

bool NumberChoice::ChooseFromList() {
  if (!controls_.Command1.enabled) return false;
  entry_ = Entry::kList;
  Refresh();
  return true;
}

bool NumberChoice::StartNewNumber() {
  if (!controls_.NewNum.enabled) return false;
  entry_ = Entry::kNewNumber;
  Refresh();
  return true;
}

bool NumberChoice::SetText1(std::string_view text) {
  if (!controls_.Text1.enabled) return false;
  text1_ = text;
  Refresh();
  return true;
}

bool NumberChoice::StepText1(int delta) {
  if (!controls_.Text1.enabled || !ReadTypedNumber(text1_)) return false;
  return SetText1(StepTypedNumber(text1_, delta));
}

bool NumberChoice::AcceptNewNumber() {
  if (!controls_.NewNumOK.enabled) return false;
  const int index = AddFreeNumber(fig_, *ReadTypedNumber(text1_));
  if (index == 0) {
    message_ = kTooManyObjectsMessage;
    return false;
  }
  answer_ = static_cast<int16_t>(index);
  outcome_ = DialogOutcome::kAccepted;
  Refresh();
  return true;
}

bool NumberChoice::LeaveNewNumber() {
  if (!controls_.NewNumCancel.enabled) return false;
  entry_ = Entry::kList;
  Refresh();
  return true;
}

bool NumberChoice::StartReset() {
  if (!controls_.Reset.enabled) return false;
  resetText_ = FormatNumber(fig_.Numbers[controls_.NumList.selected + 1].value);
  entry_ = Entry::kReset;
  Refresh();
  return true;
}

bool NumberChoice::SetResetText(std::string_view text) {
  if (!controls_.ResetText.enabled) return false;
  resetText_ = text;
  Refresh();
  return true;
}

bool NumberChoice::AcceptReset() {
  if (!controls_.ResetOK.enabled) return false;
  const int line = controls_.NumList.selected;
  fig_.Numbers[line + 1].value = *ReadTypedNumber(resetText_);
  controls_.NumList.lines[line] = ValueListLine(fig_, line + 1, decimals_);
  entry_ = Entry::kList;
  Refresh();
  return true;
}

bool NumberChoice::LeaveReset() {
  if (!controls_.ResetCancel.enabled) return false;
  entry_ = Entry::kList;
  Refresh();
  return true;
}

bool NumberChoice::Accept() {
  if (!controls_.Cmd_OK.enabled) return false;
  answer_ = static_cast<int16_t>(controls_.NumList.selected + 1);
  outcome_ = DialogOutcome::kAccepted;
  Refresh();
  return true;
}

void NumberChoice::Cancel() {
  if (outcome_ != DialogOutcome::kOpen) return;
  outcome_ = DialogOutcome::kCancelled;
  Refresh();
}

// ---------------------------------------------------------------------------
// The expression input

ExpressionInput::ExpressionInput(Figure& fig, int decimals) : fig_(fig), decimals_(decimals) {
  controls_.NumList.lines = NumberListLines(fig_, decimals_);
  ChooseNumberNext();
}

std::optional<std::string> ExpressionInput::Answer() const {
  if (outcome_ != DialogOutcome::kAccepted) return std::nullopt;
  return expression_;
}

void ExpressionInput::ChooseNumberNext() {
  state_ = State::kNumber;
  text1_.clear();
  controls_.NumList.selected = controls_.NumList.lines.empty() ? -1 : 0;
  Refresh();
}

bool ExpressionInput::Fits(size_t extra) {
  if (expression_.size() + extra <= static_cast<size_t>(kExpressionLength)) return true;
  message_ = kExpressionTooLongMessage;
  return false;
}

void ExpressionInput::Refresh() {
  ExpressionInputControls& c = controls_;
  const bool open = outcome_ == DialogOutcome::kOpen;
  const bool number = open && state_ == State::kNumber;
  const bool typing = open && state_ == State::kNewNumber;
  const bool op = open && state_ == State::kOperator;

  c.NumList.enabled = number;
  c.NumSelectOK = {number && c.NumList.selected >= 0, true, "左の数値(OK)"};
  c.cmdAddNum = {number, true, "新しい数値の追加"};
  c.Text1 = {typing, typing, text1_};
  c.cmdNewNumOK = {typing && ReadTypedNumber(text1_).has_value(), typing, "OK :確認"};
  c.LabelNewNumCheck = {typing, typing, kStepHint};

  c.cmdOpAdd = {op, true, "+"};
  c.cmdOpMinus = {op, true, "-"};
  c.cmdOpMulti = {op, true, "×"};
  c.cmdOpDiv = {op, true, "÷"};
  c.cmdOpPower = {op, true, "^"};
  c.cmdReInput = {number || op, true, "再入力"};
  c.cmdInputEnd = {op, true, "入力終了"};
  c.cmdCancel = {open, true, kCancelCaption};
  c.LabelExpress = {true, true, ExpressionDisplayText(fig_, expression_)};

  if (typing) {
    c.focus = "Text1";
  } else if (op) {
    c.focus = "cmdInputEnd";
  } else {
    c.focus = c.NumList.lines.empty() ? "cmdAddNum" : "NumList";
  }
}

bool ExpressionInput::Select(int line) {
  if (!controls_.NumList.enabled) return false;
  if (line < -1 || line >= static_cast<int>(controls_.NumList.lines.size())) return false;
  controls_.NumList.selected = line;
  Refresh();
  return true;
}

bool ExpressionInput::AppendSelected() {
  if (!controls_.NumSelectOK.enabled) return false;
  const std::string token = OperandToken(controls_.NumList.selected + 1);
  if (!Fits(token.size())) return false;
  expression_ += token;
  state_ = State::kOperator;
  Refresh();
  return true;
}

bool ExpressionInput::StartNewNumber() {
  if (!controls_.cmdAddNum.enabled) return false;
  // Refused now rather than after the value is typed.
  if (!Fits(OperandToken(fig_.ObjectCounts[kNumberClass] + 1).size())) return false;
  state_ = State::kNewNumber;
  Refresh();
  return true;
}

bool ExpressionInput::SetText1(std::string_view text) {
  if (!controls_.Text1.enabled) return false;
  text1_ = text;
  Refresh();
  return true;
}

bool ExpressionInput::StepText1(int delta) {
  if (!controls_.Text1.enabled || !ReadTypedNumber(text1_)) return false;
  return SetText1(StepTypedNumber(text1_, delta));
}

bool ExpressionInput::AppendNewNumber() {
  if (!controls_.cmdNewNumOK.enabled) return false;
  // Checked before the number is made, so a refusal leaves no number behind.
  if (!Fits(OperandToken(fig_.ObjectCounts[kNumberClass] + 1).size())) return false;
  const int index = AddFreeNumber(fig_, *ReadTypedNumber(text1_));
  if (index == 0) {
    message_ = kTooManyObjectsMessage;
    return false;
  }
  added_.push_back(index);
  controls_.NumList.lines.push_back(ValueListLine(fig_, index, decimals_));
  expression_ += OperandToken(index);
  text1_.clear();
  state_ = State::kOperator;
  Refresh();
  return true;
}

bool ExpressionInput::AppendOperator(char op) {
  if (!controls_.cmdInputEnd.enabled || op == '\0' || kOperators.find(op) == kOperators.npos) {
    return false;
  }
  // An operator needs room for a number after it ("N1" at the least), or
  // the expression could be neither finished nor continued.
  if (!Fits(1 + OperandToken(1).size())) return false;
  expression_ += op;
  ChooseNumberNext();
  return true;
}

bool ExpressionInput::ReInput() {
  if (!controls_.cmdReInput.enabled) return false;
  expression_.clear();
  ChooseNumberNext();
  return true;
}

bool ExpressionInput::Finish() {
  if (!controls_.cmdInputEnd.enabled) return false;
  outcome_ = DialogOutcome::kAccepted;
  Refresh();
  return true;
}

void ExpressionInput::Cancel() {
  if (outcome_ != DialogOutcome::kOpen) return;
  outcome_ = DialogOutcome::kCancelled;
  Refresh();
}

}  // namespace sakuzu
