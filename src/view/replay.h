// The pictures of the step-by-step replay of the construction
// ("作図手続きの再生"): the free points first, then each step's outputs in
// red (on the overlay), the step before in its own colour, with the step's
// description for status panel 3. The replay's mode and timer are the
// interaction's (interact/replay_mode.h).
#pragma once

#include <cstdint>
#include <string>

#include "model/figure.h"
#include "model/kinds.h"
#include "view/renderer.h"

namespace sakuzu {

constexpr int kReplayDefaultInterval = 300;  // milliseconds, when none was set

struct ReplayState {
  int16_t shownStep = 0;
  bool timerRunning = false;
  int16_t freePointsShown = 0;  // the leading free points drawn at the start
  std::string caption;          // the shown step's description (status panel 3)
};

// The start of a replay: every layer emptied, the leading free points
// drawn; step 1 is the next to show.
void BeginReplayPicture(Renderer& r, ReplayState& replay);
// Shows replay.shownStep: the step before it in its own colour, this one
// in red on the overlay, its description in `caption`.
void DrawReplayStep(Renderer& r, ReplayState& replay);

// The status bar text of a step: "name:(点(A) , 点(B))→(線(1))".
std::string StepDescription(const Figure& fig, int step, const TranslateFn& translate = {});

}  // namespace sakuzu
