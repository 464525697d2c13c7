// What the per-kind computations need besides the figure: the platform
// (messages, beep, angle marks, text window), the matrix display switch,
// the translation of messages, and the expression evaluator, which lives
// in the numbers layer above and is passed in.
#pragma once

#include <functional>
#include <string>

#include "model/figure.h"
#include "model/kinds.h"
#include "platform/shell.h"

namespace sakuzu {

struct Engine {
  Shell* shell = &NullShell();
  bool matrixDisplay = false;  // write the matrices of PT5, PT6, PT7 to the text window
  TranslateFn translate;       // empty: texts stay as they are
  // Computes the expression number of a "CALC" step (numbers layer).
  std::function<void(Figure&, int step)> computeExpression;

  std::string T(const std::string& text) const { return translate ? translate(text) : text; }
};

}  // namespace sakuzu
