#include "numbers/number_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "test_figure.h"

namespace sakuzu {
namespace {

int Count(const Figure& fig) { return fig.ObjectCounts[kNumberClass]; }

NumberChoiceRequest Request(int16_t mode, const std::string& kind = {}) {
  return {mode, kind, 2, {}};
}

TEST(NumberChoice, StartStatesByModeAndKind) {
  Figure fig = ThreeNumbers();
  // The dialog tests drive PNEQ's 2 and Up; the other start values here.
  NumberChoice divide(fig, Request(17, "PNEQ"), "9");
  EXPECT_EQ(divide.CurrentEntry(), NumberChoice::Entry::kNewNumber);
  const NumberChoiceControls& c = divide.Controls();
  EXPECT_TRUE(c.Text1.visible && c.NewNumOK.enabled && c.Label1.visible);
  EXPECT_FALSE(c.NumList.enabled || c.Cmd_OK.enabled || c.Reset.visible);
  EXPECT_EQ(c.focus, "Text1");
  EXPECT_TRUE(divide.SetText1("0.5"));
  divide.StepText1(-1);
  EXPECT_EQ(c.Text1.text, "-0.5");
  // C1 keeps the box's text from the last opening.
  for (auto [kind, text] : {std::pair{"LPGN", "3"}, {"PEXT", "1"}, {"C1", "7.5"}}) {
    NumberChoice choice(fig, Request(17, kind), "7.5");
    EXPECT_EQ(choice.CurrentEntry(), NumberChoice::Entry::kNewNumber) << kind;
    EXPECT_EQ(choice.Controls().Text1.text, text) << kind;
  }

  // Other kinds choose from the list, with nothing chosen yet; an empty
  // list leaves only a new number.
  NumberChoice other(fig, Request(17, "PM"));
  EXPECT_EQ(other.CurrentEntry(), NumberChoice::Entry::kList);
  EXPECT_EQ(other.Controls().NumList.lines,
            (std::vector<std::string>{" 1:AB =    2.50", " 2:k =    4.00", " 3: =    2.00"}));
  EXPECT_EQ(other.Controls().NumList.selected, -1);
  Figure empty;
  NumberChoice none(empty, Request(17, "PM"));
  EXPECT_EQ(none.CurrentEntry(), NumberChoice::Entry::kNewNumber);
  EXPECT_FALSE(none.Controls().Command1.enabled);

  // The locus variable and the varying of numbers take existing numbers only.
  for (int16_t mode : {int16_t{71}, int16_t{40}, int16_t{63}}) {
    NumberChoice existing(fig, Request(mode, "PNEQ"));
    EXPECT_EQ(existing.CurrentEntry(), NumberChoice::Entry::kList) << mode;
    EXPECT_FALSE(existing.Controls().NewNum.visible || existing.Controls().NewNum.enabled);
    EXPECT_FALSE(existing.StartNewNumber());
  }
  NumberChoice vary(fig, Request(63));
  EXPECT_FALSE(vary.Controls().Reset.visible);  // nothing selected yet
  vary.Select(1);
  EXPECT_TRUE(vary.Controls().Reset.visible && vary.Controls().Reset.enabled);
}

TEST(NumberChoice, AnswersAChosenOrTypedNumberAndNeverABogusOne) {
  Figure fig = ThreeNumbers();
  NumberChoice choice(fig, Request(17, "PM"));
  EXPECT_FALSE(choice.Accept());
  EXPECT_FALSE(choice.Select(3));
  EXPECT_FALSE(choice.Answer());
  EXPECT_TRUE(choice.Select(2) && choice.Accept());
  EXPECT_EQ(choice.Outcome(), DialogOutcome::kAccepted);
  EXPECT_EQ(choice.Answer(), int16_t{3});
  EXPECT_EQ(Count(fig), 3);

  // Text that is not one finite number keeps the new number's OK disabled.
  NumberChoice typed(fig, Request(17, "PM"));
  EXPECT_TRUE(typed.StartNewNumber());
  for (const char* bad : {"", "abc", "2,5", "12abc", "1e400", "NaN", "inf", "-"}) {
    typed.SetText1(bad);
    EXPECT_FALSE(typed.Controls().NewNumOK.enabled) << bad;
    EXPECT_FALSE(typed.AcceptNewNumber()) << bad;
    EXPECT_FALSE(typed.StepText1(1)) << bad;
    EXPECT_EQ(typed.Controls().Text1.text, bad);
  }
  EXPECT_EQ(Count(fig), 3);
  EXPECT_EQ(ReadTypedNumber("　－２．５ "), -2.5);  // typed with the Japanese input method
  // Leaving the entry and coming back; Esc and the list lose nothing.
  EXPECT_TRUE(typed.LeaveNewNumber());
  EXPECT_EQ(typed.CurrentEntry(), NumberChoice::Entry::kList);
  EXPECT_TRUE(typed.StartNewNumber() && typed.SetText1(" 2.5 ") && typed.AcceptNewNumber());
  EXPECT_EQ(typed.Answer(), int16_t{4});
  EXPECT_EQ(fig.Numbers[4], (NumberRecord{2.5, kTrue, "", kTrue, "", 0}));

  NumberChoice cancelled(fig, Request(17, "PNEQ"));
  cancelled.Cancel();
  EXPECT_EQ(cancelled.Outcome(), DialogOutcome::kCancelled);
  EXPECT_FALSE(cancelled.Answer());
  EXPECT_FALSE(cancelled.AcceptNewNumber());
  EXPECT_EQ(Count(fig), 4);
}

TEST(NumberChoice, ValueChangeWhileVarying) {
  Figure fig = ThreeNumbers();
  NumberChoice vary(fig, Request(63));
  const NumberChoiceControls& c = vary.Controls();
  vary.Select(0);  // a measurement: its value is computed, not given
  EXPECT_TRUE(c.Reset.visible);
  EXPECT_FALSE(vary.StartReset());

  vary.Select(1);
  EXPECT_TRUE(vary.StartReset());
  EXPECT_EQ(c.ResetText.text, "4");
  EXPECT_TRUE(c.ResetText.visible && c.ResetOK.enabled && c.ResetCancel.enabled);
  EXPECT_FALSE(c.Cmd_OK.enabled || c.Cmd_Cancel.enabled || c.NumList.enabled);
  EXPECT_FALSE(vary.Select(2));
  vary.SetResetText("x");
  EXPECT_FALSE(vary.AcceptReset());
  vary.SetResetText("4.25");
  EXPECT_TRUE(vary.AcceptReset());
  EXPECT_EQ(fig.Numbers[2].value, 4.25);
  EXPECT_FALSE(c.ResetText.visible);
  EXPECT_TRUE(c.Cmd_OK.enabled && c.Cmd_Cancel.enabled);

  // Leaving the change keeps the value; OK answers the number to vary.
  EXPECT_TRUE(vary.StartReset() && vary.SetResetText("9") && vary.LeaveReset());
  EXPECT_EQ(fig.Numbers[2].value, 4.25);
  EXPECT_TRUE(vary.Accept());
  EXPECT_EQ(vary.Answer(), int16_t{2});
}

TEST(ExpressionInput, NumbersAndOperatorsInTurn) {
  Figure fig = ThreeNumbers();
  ExpressionInput input(fig, 2);
  const ExpressionInputControls& c = input.Controls();
  EXPECT_EQ(input.CurrentState(), ExpressionInput::State::kNumber);
  EXPECT_TRUE(c.NumSelectOK.enabled && c.cmdAddNum.enabled && c.cmdReInput.enabled);
  EXPECT_FALSE(c.cmdOpAdd.enabled || c.cmdOpPower.enabled || c.cmdInputEnd.enabled);
  EXPECT_FALSE(c.Text1.visible || c.cmdNewNumOK.visible || c.LabelNewNumCheck.visible);
  EXPECT_FALSE(input.Finish() || input.AppendOperator('+'));

  EXPECT_TRUE(input.AppendSelected());
  EXPECT_TRUE(c.cmdInputEnd.enabled && c.cmdOpDiv.enabled);
  EXPECT_FALSE(c.NumList.enabled || c.NumSelectOK.enabled || c.cmdAddNum.enabled);
  EXPECT_FALSE(input.AppendOperator('%'));
  EXPECT_TRUE(input.AppendOperator('+'));
  EXPECT_EQ(c.NumList.selected, 0);
  input.Select(2), input.AppendSelected(), input.AppendOperator('*');
  input.Select(1), input.AppendSelected();
  EXPECT_EQ(input.Expression(), "N1+N3*N2");
  EXPECT_EQ(c.LabelExpress.text, "AB+ 2*k");

  EXPECT_TRUE(input.ReInput());
  EXPECT_EQ(input.Expression(), "");
  EXPECT_EQ(c.LabelExpress.text, "");
  EXPECT_EQ(input.CurrentState(), ExpressionInput::State::kNumber);
  input.AppendSelected(), input.AppendOperator('^'), input.AppendSelected();
  EXPECT_TRUE(input.Finish());
  EXPECT_EQ(input.Answer(), std::optional<std::string>("N1^N1"));
  EXPECT_TRUE(input.AddedNumbers().empty());
}

TEST(ExpressionInput, TypedNumbersBecomeFreeNumbers) {
  Figure fig = ThreeNumbers();
  ExpressionInput input(fig, 2);
  const ExpressionInputControls& c = input.Controls();
  input.AppendSelected(), input.AppendOperator('*');
  // The dialog tests type 1.5, Up and Enter; the refusals and states here.
  EXPECT_TRUE(input.StartNewNumber());
  EXPECT_TRUE(c.Text1.visible && c.cmdNewNumOK.visible && c.LabelNewNumCheck.visible);
  EXPECT_FALSE(c.NumList.enabled || c.NumSelectOK.enabled || c.cmdAddNum.enabled ||
               c.cmdReInput.enabled || c.cmdInputEnd.enabled);
  for (const char* bad : {"", "x", "1e999", "2,5"}) {
    input.SetText1(bad);
    EXPECT_FALSE(input.AppendNewNumber()) << bad;
  }
  input.SetText1("2.5");
  EXPECT_TRUE(input.AppendNewNumber());
  EXPECT_EQ(input.Expression(), "N1*N4");
  EXPECT_EQ(c.NumList.lines.back(), " 4: =    2.50");
  EXPECT_EQ(fig.Numbers[4].independent, kTrue);
  EXPECT_TRUE(!c.Text1.visible && c.cmdInputEnd.enabled);

  // Cancelled: no answer, and the typed number stays for the command to remove.
  input.Cancel();
  EXPECT_FALSE(input.Answer());
  EXPECT_EQ(input.AddedNumbers(), std::vector<int>{4});
  EXPECT_EQ(Count(fig), 4);
}

TEST(ExpressionInput, RefusesToPassSeventyCharacters) {
  Figure fig = ThreeNumbers(12);
  ExpressionInput input(fig, 2);
  for (int i = 0; i < 17; ++i) {
    input.Select(11), input.AppendSelected(), input.AppendOperator('+');
  }
  const std::string full = input.Expression();  // "N12+" 17 times
  ASSERT_EQ(full.size(), 68u);
  EXPECT_EQ(input.TakeMessage(), "");
  input.Select(11);
  EXPECT_FALSE(input.AppendSelected());  // N12 would end at 71 and could be read as N1
  EXPECT_EQ(input.TakeMessage(), kExpressionTooLongMessage);
  EXPECT_EQ(input.Expression(), full);
  EXPECT_FALSE(input.StartNewNumber());  // N13 would not fit either
  EXPECT_EQ(input.TakeMessage(), kExpressionTooLongMessage);
  EXPECT_EQ(Count(fig), 12);

  input.Select(0);
  EXPECT_TRUE(input.AppendSelected());
  EXPECT_EQ(input.Expression().size(), 70u);
  // No room for another operand, so no operator either: the end stays reachable.
  EXPECT_FALSE(input.AppendOperator('-'));
  EXPECT_EQ(input.TakeMessage(), kExpressionTooLongMessage);
  EXPECT_TRUE(input.Finish());
  EXPECT_EQ(input.Answer(), full + "N1");
}

}  // namespace
}  // namespace sakuzu
