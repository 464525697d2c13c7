// What the per-kind computations need besides the figure: the platform
// (messages, beep, text window), the matrix display switch, the
// translation of messages, and the expression evaluator, which lives in the
// numbers layer above and is passed in. What a recomputation measured for
// the picture (angle marks) comes back in it as data.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/figure.h"
#include "model/kinds.h"
#include "platform/shell.h"

namespace sakuzu {

// An angle measured by step `step`: at vertex V from the arm through P,
// `angle` degrees (signed). The view draws a mark there when angle marks
// are on.
struct AngleMarkRequest {
  int16_t step = 0;
  double vx = 0, vy = 0, px = 0, py = 0, angle = 0;
};

struct Engine {
  Shell* shell = &NullShell();
  bool matrixDisplay = false;  // write the matrices of PT5, PT6, PT7 to the text window
  TranslateFn translate;       // empty: texts stay as they are
  // Computes the expression number of a "CALC" step (numbers layer).
  std::function<void(Figure&, int step)> computeExpression;

  // The angles the last RecomputeAll measured, in the order it measured
  // them (every pass).
  std::vector<AngleMarkRequest> angleMarks;

  // Keeps an angle that step `step` measured, for its mark.
  void MarkAngle(int step, double vx, double vy, double px, double py, double angle) {
    angleMarks.push_back({static_cast<int16_t>(step), vx, vy, px, py, angle});
  }

  std::string T(const std::string& text) const { return translate ? translate(text) : text; }
};

}  // namespace sakuzu
