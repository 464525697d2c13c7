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

}  // namespace

void BeginReplayPicture(Renderer& r, ReplayState& replay) {
  replay.shownStep = 1;
  r.canvas.Clear(r.view.backColor);
  r.angleMarks.count = 0;
  r.overlay.clear();
  int points = ClassCount(r.fig, kPointClass);
  replay.freePointsShown = 0;
  for (int i = 1; i <= points && r.fig.Points[i].independent != 0; ++i) {
    ObjectRef ref{kPointClass, static_cast<int16_t>(i)};
    DrawObject(r, ref, 7);  // with its label, unless the point is hidden
    if (r.fig.Points[i].color == 0) DrawPointLabel(r, ref, 7, kCurrentTables);
    replay.freePointsShown = static_cast<int16_t>(i);
  }
}

void DrawReplayStep(Renderer& r, ReplayState& replay) {
  DrawStepOutputs(r, replay, replay.shownStep - 1, kDrawOwnColor);
  replay.caption = StepDescription(r.fig, replay.shownStep, r.engine.translate);
  // The red picture goes away with the next step, leaving the own colour.
  r.canvas.ClearLayer(Layer::kOverlay);
  LayerScope overlay(r.canvas, Layer::kOverlay);
  DrawStepOutputs(r, replay, replay.shownStep, kDrawRed);
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
