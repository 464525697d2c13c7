// The two number prompts as the commands see them: the number choice
// ("数値の選択") and the expression input ("数式の入力"). A front end
// shows them as its dialogs (the window: app/number_dialogs); tests answer
// them directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/figure.h"

namespace sakuzu {

// What the number choice is opened for.
struct NumberChoiceRequest {
  int16_t mode = 0;  // the interaction mode on top: 63 varying, 71 locus, 40 editing, 60, or
                     // the mode of a construction that waits for a number
  std::string kind;  // the kind code of the step being built, when a construction waits
  int decimals = 2;  // places of the listed values ("KetaDecimal")
  // What the number is for ("回転の角度(度)"), translated; empty when the
  // dialog's own caption says it all.
  std::string purpose;
};

class NumberPrompts {
 public:
  virtual ~NumberPrompts() = default;

  // Opens the number choice. The answer is the chosen number's index: an
  // existing number, or a new free number that the dialog added to the
  // figure (AddObject; `independent` and `exists` -1, the typed value).
  // Nothing when the user cancelled. Values changed in the dialog stay
  // changed either way.
  virtual std::optional<int16_t> ChooseNumber(Figure& fig, const NumberChoiceRequest& request) = 0;

  // Opens the expression input. The answer is the finished expression in
  // its stored form ("N1+N3*N2", at most 70 characters); free numbers the
  // user typed in were added to the figure. Nothing when cancelled.
  virtual std::optional<std::string> EnterExpression(Figure& fig, int decimals) = 0;
};

}  // namespace sakuzu
