// The replay of the construction as an interaction mode ("作図再生", 73):
// its command starts it, the timer, the keys and the clicks step it, and
// reaching the last step leaves it with the full redraw. The front end runs
// a timer while ReplayState::timerRunning says so, at the display's replay
// interval.
#pragma once

#include "interact/workspace.h"
#include "view/replay.h"

namespace sakuzu {

constexpr int kReplayStart = 1;
constexpr int kReplayNext = 0;
constexpr int kReplayEnd = -1;

// flag kReplayStart starts (mode 73), kReplayNext shows the next step (a
// timer tick), kReplayEnd jumps to the last step. Ticks outside mode 73
// are ignored.
void ReplayConstruction(Workspace& ws, ReplayState& replay, int flag);

// Input during the replay: a key (Esc jumps to the end, any other stops the
// timer and shows the next step) and a click (the right button, or the left
// one while the timer runs, jumps to the end; else the next step).
constexpr int kEscapeKey = 27;
void ReplayKey(Workspace& ws, ReplayState& replay, int keyCode);
void ReplayClick(Workspace& ws, ReplayState& replay, bool leftButton);

// The interval of the replay timer in milliseconds.
int ReplayInterval(const Workspace& ws);

}  // namespace sakuzu
