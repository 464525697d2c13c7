#include "view/replay.h"

#include <algorithm>

#include "text/text_util.h"

namespace sakuzu {
namespace {

std::string Tr(const TranslateFn& translate, const std::string& text) {
  return translate ? translate(text) : text;
}

std::string ClassWord(int cls, const TranslateFn& translate) {
  switch (cls) {
    case kPointClass:
      return Tr(translate, "点");
    case kLineClass:
      return Tr(translate, "線");
    case kCircleClass:
      return Tr(translate, "円");
    default:
      return Tr(translate, "変数");
  }
}

// The slots up to the first empty one, written out and joined with " , ".
std::string SlotList(const Figure& fig, const StepSlots& slots, const TranslateFn& translate) {
  std::string text;
  for (int k = 1; k <= kSlotCount; ++k) {
    ObjectRef ref = slots[k];
    int cls = ref.ObjectClassCode();
    if (cls == 0 && ref.index == 0) break;
    if (k > 1) text += " , ";
    if (ref.cls == kPendingNumberMark) {
      text += std::to_string(ref.index);  // a literal count
      continue;
    }
    ObjectRef object{static_cast<int16_t>(cls), ref.index};
    text += ClassWord(cls, translate) + "(" + TrimRight(ObjectName(fig, object)) + ")";
  }
  return text;
}

bool IsStep(const Figure& fig, int step) {
  return step >= 1 && step <= fig.StepCount && step <= fig.StepOutputs.UpperBound();
}

// The outputs of a step; the free points drawn at the start are on the
// picture already (drawn twice, smooth edges would thicken).
void DrawStepOutputs(Renderer& r, const ReplayState& replay, int step, int code) {
  if (!IsStep(r.fig, step)) return;
  for (int k = 1; k <= kSlotCount; ++k) {
    ObjectRef ref = r.fig.StepOutputs[step][k];
    if (ref.index == 0) continue;
    bool shown = ref.ObjectClassCode() == kPointClass && ref.index <= replay.freePointsShown;
    if (shown && code == kDrawOwnColor) continue;
    DrawObject(r, ref, code);
  }
}

void ShowPanel3(Renderer& r, const std::string& text) {
  if (r.hooks.showPanel3) r.hooks.showPanel3(text);
}

void SetTimer(Renderer& r, ReplayState& replay, bool running) {
  replay.timerRunning = running;
  if (r.hooks.setReplayTimer) r.hooks.setReplayTimer(running, r.settings.replayInterval);
}

void Start(Renderer& r, ReplayState& replay) {
  replay.shownStep = 1;
  r.canvas.Clear(r.view.backColor);
  r.angleMarks.count = 0;
  r.overlay.clear();
  PushMode(r.modes, kModeReplay, *r.engine.shell);
  if (r.hooks.refreshStatus) r.hooks.refreshStatus();
  int points = std::min<int>(r.fig.ObjectCounts[kPointClass], r.fig.Points.UpperBound());
  replay.freePointsShown = 0;
  for (int i = 1; i <= points && r.fig.Points[i].independent != 0; ++i) {
    ObjectRef ref{kPointClass, static_cast<int16_t>(i)};
    DrawObject(r, ref, 7);  // with its label, unless the point is hidden
    if (r.fig.Points[i].color == 0) DrawPointLabel(r, ref, 7, kCurrentTables);
    replay.freePointsShown = static_cast<int16_t>(i);
  }
  if (r.settings.replayInterval == 0) r.settings.replayInterval = kReplayDefaultInterval;
  SetTimer(r, replay, true);
}

void Finish(Renderer& r, ReplayState& replay) {
  PushMode(r.modes, kPopMode, *r.engine.shell);
  if (r.hooks.refreshStatus) r.hooks.refreshStatus();
  SetTimer(r, replay, false);
  ShowPanel3(r, "");
  Redraw(r);
}

}  // namespace

void ReplayConstruction(Renderer& r, ReplayState& replay, int flag) {
  if (flag == kReplayStart) {
    Start(r, replay);
  } else {
    // A late tick or key after the replay ended must not step or pop again.
    if (!IsCurrentMode(r.modes, kModeReplay)) return;
    replay.shownStep =
        flag == kReplayEnd ? r.fig.StepCount : static_cast<int16_t>(replay.shownStep + 1);
  }
  DrawStepOutputs(r, replay, replay.shownStep - 1, kDrawOwnColor);
  ShowPanel3(r, StepDescription(r.fig, replay.shownStep, r.engine.translate));
  // The red picture goes away with the next step, leaving the own colour.
  r.canvas.ClearLayer(Layer::kOverlay);
  {
    LayerScope overlay(r.canvas, Layer::kOverlay);
    DrawStepOutputs(r, replay, replay.shownStep, kDrawRed);
  }
  // An empty figure has no step to show: it ends at once too.
  if (replay.shownStep >= r.fig.StepCount) {
    Finish(r, replay);
    return;
  }
  r.canvas.Present();
}

void ReplayKey(Renderer& r, ReplayState& replay, int keyCode) {
  if (keyCode == kEscapeKey) {
    ReplayConstruction(r, replay, kReplayEnd);
    return;
  }
  SetTimer(r, replay, false);
  ReplayConstruction(r, replay, kReplayNext);
}

void ReplayClick(Renderer& r, ReplayState& replay, bool leftButton) {
  bool toEnd = !leftButton || replay.timerRunning;
  ReplayConstruction(r, replay, toEnd ? kReplayEnd : kReplayNext);
}

std::string StepDescription(const Figure& fig, int step, const TranslateFn& translate) {
  if (!IsStep(fig, step) || step > fig.StepKind.UpperBound() ||
      step > fig.StepInputs.UpperBound()) {
    return {};
  }
  return KindDisplayName(fig.StepKind[step], translate) + ":(" +
         SlotList(fig, fig.StepInputs[step], translate) + ")" + "→(" +
         SlotList(fig, fig.StepOutputs[step], translate) + ")";
}

}  // namespace sakuzu
