// The step-by-step replay of the construction ("作図手続きの再生"): the free
// points first, then each step's outputs in red (on the overlay), the step
// before in its own colour, with the step's description in status panel 3.
#pragma once

#include <cstdint>
#include <string>

#include "model/figure.h"
#include "model/kinds.h"
#include "view/renderer.h"

namespace sakuzu {

constexpr int kReplayStart = 1;
constexpr int kReplayNext = 0;
constexpr int kReplayEnd = -1;
constexpr int kReplayDefaultInterval = 300;  // milliseconds, when none was set

struct ReplayState {
  int16_t shownStep = 0;
  bool timerRunning = false;
  int16_t freePointsShown = 0;  // the leading free points drawn at the start
};

// flag kReplayStart starts (mode 73), kReplayNext shows the next step (a
// timer tick), kReplayEnd jumps to the last step. Reaching the last step
// leaves mode 73 and runs the full redraw. Ticks outside mode 73 are ignored.
void ReplayConstruction(Renderer& r, ReplayState& replay, int flag);

// Input during the replay: a key (Esc jumps to the end, any other stops the
// timer and shows the next step) and a click (the right button, or the left
// one while the timer runs, jumps to the end; else the next step).
constexpr int kEscapeKey = 27;
void ReplayKey(Renderer& r, ReplayState& replay, int keyCode);
void ReplayClick(Renderer& r, ReplayState& replay, bool leftButton);

// The status bar text of a step: "name:(点(A) , 点(B))→(線(1))".
std::string StepDescription(const Figure& fig, int step, const TranslateFn& translate = {});

}  // namespace sakuzu
