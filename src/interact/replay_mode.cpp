#include "interact/replay_mode.h"

namespace sakuzu {
namespace {

void Finish(Workspace& ws, ReplayState& replay) {
  PushMode(ws.modes, kPopMode, ws.shell());
  replay.timerRunning = false;
  replay.caption.clear();
  Redraw(ws.renderer);
}

}  // namespace

void ReplayConstruction(Workspace& ws, ReplayState& replay, int flag) {
  Renderer& r = ws.renderer;
  if (flag == kReplayStart) {
    PushMode(ws.modes, kModeReplay, ws.shell());
    BeginReplayPicture(r, replay);
    if (r.settings.replayInterval == 0) r.settings.replayInterval = kReplayDefaultInterval;
    replay.timerRunning = true;
  } else {
    // A late tick or key after the replay ended must not step or pop again.
    if (!IsCurrentMode(ws.modes, kModeReplay)) return;
    replay.shownStep =
        flag == kReplayEnd ? ws.fig.StepCount : static_cast<int16_t>(replay.shownStep + 1);
  }
  DrawReplayStep(r, replay);
  // An empty figure has no step to show: it ends at once too.
  if (replay.shownStep >= ws.fig.StepCount) Finish(ws, replay);
}

void ReplayKey(Workspace& ws, ReplayState& replay, int keyCode) {
  if (keyCode == kEscapeKey) {
    ReplayConstruction(ws, replay, kReplayEnd);
    return;
  }
  replay.timerRunning = false;
  ReplayConstruction(ws, replay, kReplayNext);
}

void ReplayClick(Workspace& ws, ReplayState& replay, bool leftButton) {
  bool toEnd = !leftButton || replay.timerRunning;
  ReplayConstruction(ws, replay, toEnd ? kReplayEnd : kReplayNext);
}

int ReplayInterval(const Workspace& ws) {
  int interval = ws.renderer.settings.replayInterval;
  return interval > 0 ? interval : kReplayDefaultInterval;
}

}  // namespace sakuzu
