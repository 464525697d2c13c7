// The logic of the two number dialogs: the number choice (ZKSelNum) and
// the expression input (ZKExpress). Each model holds what every control
// shows (enabled, visible, caption or text, the selected list line), so
// the window only mirrors it and the tests need no window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/figure.h"
#include "numbers/number_prompts.h"

namespace sakuzu {

// A value typed into a dialog's text box: the whole text one plain decimal
// number (full-width digits, point and signs count as their ASCII forms,
// blanks around it are allowed), finite. Nothing otherwise: "2,5" typed
// with a decimal comma is refused rather than read as 2.
std::optional<double> ReadTypedNumber(std::string_view text);
// The text after Up (+1) or Down (-1): the typed value moved by `delta`,
// in the general number form; unchanged when it holds no number.
std::string StepTypedNumber(std::string_view text, int delta);

// Appends a free number (`independent` and `exists` true, no name) holding
// `value`; its index, or 0 when the number table is full.
int AddFreeNumber(Figure& fig, double value);

// The lines of a number list: " 1:AB =    2.50", one per number in index
// order, so that line p (from 0) is number p + 1.
std::vector<std::string> NumberListLines(const Figure& fig, int decimals);

// The refusal when a token would make an expression longer than it may be.
constexpr std::string_view kExpressionTooLongMessage =
    "数式が 70 文字を超えるので、これ以上加えられません。";

// One control as the dialog shows it. `text` is the caption of a button
// or label in Japanese (the window translates it), or the contents of a
// text box or of the expression display (shown as they are).
struct Control {
  bool enabled = true;
  bool visible = true;
  std::string text;
};

struct NumberListControl {
  bool enabled = true;
  std::vector<std::string> lines;
  int selected = -1;  // line from 0; -1 when none is selected
};

enum class DialogOutcome { kOpen, kAccepted, kCancelled };

// The controls of the number choice, named as the window names them.
struct NumberChoiceControls {
  NumberListControl NumList;
  Control Cmd_OK, Cmd_Cancel;
  Control Command1, NewNum;  // choose from the list / type a new number
  Control Text1, NewNumOK, NewNumCancel, Label1;
  Control Reset, ResetText, ResetOK, ResetCancel;  // the value change
  std::string focus;                               // object name of the control to focus
};

// The number choice: pick a listed number, type a new one, or (while
// numbers are varied, mode 63) change the value of a free number.
class NumberChoice {
 public:
  enum class Entry { kList, kNewNumber, kReset };

  // `text1` is what the typed-number box held when the dialog last closed;
  // the kinds without a start value of their own keep it.
  NumberChoice(Figure& fig, const NumberChoiceRequest& request, std::string text1 = {});

  const NumberChoiceControls& Controls() const { return controls_; }
  Entry CurrentEntry() const { return entry_; }
  // Numbers are varied (mode 63): the value change may show, no new number.
  bool Varying() const { return varying_; }
  bool NewNumberAllowed() const { return newAllowed_; }
  DialogOutcome Outcome() const { return outcome_; }
  // The chosen number (existing or just added) once accepted.
  std::optional<int16_t> Answer() const { return answer_; }
  // A refusal to show (Japanese); reading empties it.
  std::string TakeMessage() { return std::exchange(message_, {}); }

  // Each action does nothing (false) where its control is disabled.
  bool Select(int line);  // a click on a list line
  bool ChooseFromList();  // Command1
  bool StartNewNumber();  // NewNum
  bool SetText1(std::string_view text);
  bool StepText1(int delta);  // Up / Down in Text1
  bool AcceptNewNumber();     // NewNumOK, Enter in Text1: adds the free number
  bool LeaveNewNumber();      // NewNumCancel, Esc in Text1
  bool StartReset();          // Reset
  bool SetResetText(std::string_view text);
  bool AcceptReset();  // ResetOK: the selected number takes the typed value
  bool LeaveReset();   // ResetCancel
  bool Accept();       // Cmd_OK, Enter in the list
  void Cancel();       // Cmd_Cancel, Esc, closing the window

 private:
  void Refresh();
  bool SelectedIsFree() const;

  Figure& fig_;
  int decimals_;
  bool varying_ = false;    // mode 63: OK varies the number, values may change
  bool newAllowed_ = true;  // a new number may be typed
  Entry entry_ = Entry::kList;
  std::string text1_, resetText_;
  DialogOutcome outcome_ = DialogOutcome::kOpen;
  std::optional<int16_t> answer_;
  std::string message_;
  NumberChoiceControls controls_;
};

// The controls of the expression input, named as the window names them.
struct ExpressionInputControls {
  NumberListControl NumList;
  Control NumSelectOK, cmdAddNum, Text1, cmdNewNumOK, LabelNewNumCheck;
  Control cmdOpAdd, cmdOpMinus, cmdOpMulti, cmdOpDiv, cmdOpPower;
  Control cmdReInput, cmdInputEnd, cmdCancel;
  Control LabelExpress;  // the expression with the numbers' names
  std::string focus;
};

// The expression input: numbers and operators chosen in turn build a
// stored expression ("N1+N3*N2") that starts and ends with a number.
class ExpressionInput {
 public:
  enum class State { kNumber, kNewNumber, kOperator };

  ExpressionInput(Figure& fig, int decimals);

  const ExpressionInputControls& Controls() const { return controls_; }
  State CurrentState() const { return state_; }
  const std::string& Expression() const { return expression_; }
  DialogOutcome Outcome() const { return outcome_; }
  // The finished expression once accepted.
  std::optional<std::string> Answer() const;
  // The free numbers added so far, in order; they stay in the figure
  // whatever the outcome.
  const std::vector<int>& AddedNumbers() const { return added_; }
  std::string TakeMessage() { return std::exchange(message_, {}); }

  // Each action does nothing (false) where its control is disabled, and a
  // token that would make the expression too long is refused with
  // kExpressionTooLongMessage, the expression left as it was.
  bool Select(int line);
  bool AppendSelected();  // NumSelectOK, Enter in the list
  bool StartNewNumber();  // cmdAddNum
  bool SetText1(std::string_view text);
  bool StepText1(int delta);     // Up / Down in Text1
  bool AppendNewNumber();        // cmdNewNumOK, Enter in Text1: adds the free number
  bool AppendOperator(char op);  // cmdOp..., or the key while cmdInputEnd has the focus
  bool ReInput();                // cmdReInput
  bool Finish();                 // cmdInputEnd, "=" on it
  void Cancel();                 // cmdCancel, Esc

 private:
  void ChooseNumberNext();
  bool Fits(size_t extra);
  void Refresh();

  Figure& fig_;
  int decimals_;
  State state_ = State::kNumber;
  std::string expression_, text1_;
  DialogOutcome outcome_ = DialogOutcome::kOpen;
  std::vector<int> added_;
  std::string message_;
  ExpressionInputControls controls_;
};

}  // namespace sakuzu
