#include "interact/dispatch.h"

#include <string>
#include <tuple>

#include "interact/construct.h"
#include "interact/deform.h"
#include "interact/edit.h"
#include "interact/picking.h"
#include "interact/relation_mode.h"
#include "interact/replay_mode.h"

namespace sakuzu {
namespace {

bool IsSelectionMode(int16_t mode) {
  switch (mode) {
    case kModeSelect:
    case kModeMultiSelect:
    case kModeConstructPick:
    case kModeEditSelect:
    case kModeBindPointSelect:
    case kModeBindHostSelect:
    case kModeMultiChoose:
    case kModeRelationChoose:
      return true;
    default:
      return false;
  }
}

// The modes in which the mouse and the arrows move points or numbers.
bool IsDeformMode(int16_t mode) {
  return mode == kModeDeform || mode == kModeVariation || mode == kModePlacePoint ||
         mode == kModeMultiDeform;
}

int16_t Mode(const Dispatcher& d) { return CurrentMode(d.ws.modes).value_or(0); }

FigurePoint At(const Dispatcher& d, const MouseInput& input) {
  return ToFigure(d.ws.renderer.view, input.px, input.py);
}

void SetCursor(Workspace& ws, CursorShape shape) { ws.screen.cursor = shape; }

// The standard mode: a press on a draggable point or line starts a drag,
// the right button opens the pop-up menu on the object under the mouse.
void StandardMouseDown(Dispatcher& d, const MouseInput& input) {
  Workspace& ws = d.ws;
  FigurePoint at = At(d, input);
  ObjectRef hit = ws.easyMenu ? PickPointForDrag(ws, at.x, at.y) : PickForDrag(ws, at.x, at.y);
  if (input.button == MouseButton::kRight) {
    if (hit.IsEmpty() || ws.easyMenu) {
      Redraw(ws.renderer);
      return;
    }
    ws.screen.popup = PopupMenuFor(ws, hit);
    return;
  }
  if (input.button != MouseButton::kLeft) return;
  bool draggable = IsDraggable(ws.fig, hit);
  if (draggable && hit.cls == kPointClass) {
    MarkDraggableCandidates(ws);
    PushMode(ws.modes, kModeDrag, ws.shell());
    StartPointDrag(ws, hit.index);
    SetCursor(ws, CursorShape::kArrow);
    return;
  }
  if (draggable && hit.cls == kLineClass) {
    StartLineDrag(ws, hit, at.x, at.y);
    PushMode(ws.modes, kModeDrag, ws.shell());
    SetCursor(ws, CursorShape::kArrow);
    return;
  }
  if (hit.cls == kPointClass || hit.cls == kLineClass) return;
  // A circle or nothing: show where dragging is possible; the background
  // dragged moves the view.
  BuildDraggableCandidates(ws, false);
  MarkDraggableCandidates(ws);
  d.pan = PanState{true, input.px, input.py};
}

// After the view changed under a keyboard deformation, its next step
// splits the layers again for the new picture.
void ViewChanged(Workspace& ws) { ws.drag.firstStep = true; }

void PanStep(Dispatcher& d, const MouseInput& input) {
  double dx = input.px - d.pan.px, dy = input.py - d.pan.py;
  d.pan.px = input.px;
  d.pan.py = input.py;
  PanCommand(d.ws.renderer, dx, dy);
  ViewChanged(d.ws);
}

// What the screen showed before an event, to tell what the event changed.
struct Before {
  explicit Before(const Dispatcher& d)
      : generation(d.ws.modes.generation),
        screen(d.ws.screen.cursor, d.ws.screen.panel4, d.ws.screen.panel4Raised),
        replay(d.replay.caption, d.replay.timerRunning) {}

  Changes Compare(Dispatcher& d) const {
    Changes changes;
    changes.modes = d.ws.modes.generation != generation;
    const ScreenState& now = d.ws.screen;
    changes.status =
        changes.modes || screen != std::tie(now.cursor, now.panel4, now.panel4Raised) ||
        replay != std::tie(d.replay.caption, d.replay.timerRunning) || now.popup.has_value();
    changes.layers = d.ws.renderer.canvas.DrawnLayers();
    return changes;
  }

  uint32_t generation;
  std::tuple<CursorShape, std::string, bool> screen;
  std::tuple<std::string, bool> replay;
};

}  // namespace

DrawState DrawStateFor(const ModeStack& modes, const DisplaySettings& display) {
  bool labelsOff = display.notChrDisp != 0;
  int16_t mode = CurrentMode(modes).value_or(0);
  DrawState state;
  state.labelsHidden = labelsOff && (mode == kModeStandard || mode == kModeDeform);
  state.movingLabelsHidden = labelsOff;
  state.draggableHints = mode == kModeStandard || mode == kModeLoadExample;
  return state;
}

void KeepDrawStateCurrent(Workspace& ws) {
  auto update = [&ws] { ws.renderer.state = DrawStateFor(ws.modes, ws.renderer.settings); };
  ws.modes.changed = update;
  update();
}

namespace {

void HandleKeyDown(Dispatcher& d, const KeyInput& input) {
  int16_t mode = Mode(d);
  if (!ModeHandles(mode, ModeEvent::kKeyDown)) return;
  Workspace& ws = d.ws;
  if (mode == kModeReplay) {
    ReplayKey(ws, d.replay, input.code == kKeyEscape ? kEscapeKey : input.code);
  } else if (IsSelectionMode(mode)) {
    SelectByKey(ws, input.code);
  } else if (mode == kModeNewPoint) {
    PendingPointKey(ws, input.code);
  } else if (IsDeformMode(mode)) {
    DeformKey(ws, input.code, input.shift);
  } else if (mode == kModeScribble) {
    ScribbleKey(ws, input.code);
  }
}

void HandleMouseDown(Dispatcher& d, const MouseInput& input) {
  // Another button pressed while the view moves does nothing: it must not
  // start a drag that the pan would then swallow the moves and release of.
  if (d.pan.active) return;
  d.lastPress = input;
  int16_t mode = Mode(d);
  if (input.button == MouseButton::kMiddle) {
    if (ViewMayChange(d)) d.pan = PanState{true, input.px, input.py};
    return;
  }
  if (!ModeHandles(mode, ModeEvent::kMouseDown)) return;
  Workspace& ws = d.ws;
  if (mode == kModeReplay) {
    ReplayClick(ws, d.replay, input.button == MouseButton::kLeft);
    return;
  }
  // Outside the standard mode the right button is Esc.
  if (input.button == MouseButton::kRight && mode != kModeStandard) {
    HandleKeyDown(d, KeyInput{kKeyEscape});
    return;
  }
  FigurePoint at = At(d, input);
  if (mode == kModeStandard) {
    StandardMouseDown(d, input);
  } else if (input.button != MouseButton::kLeft) {
    return;
  } else if (mode == kModeRelationChoose && RelationChooseListedNumber(ws, input.px, input.py)) {
    return;
  } else if (IsSelectionMode(mode)) {
    SelectByMouse(ws, at.x, at.y);
  } else if (mode == kModeNewPoint) {
    PlacePendingPoint(ws, at.x, at.y);
  } else if (IsDeformMode(mode)) {
    DeformMouseDown(ws, at.x, at.y, input.shift);
  } else if (mode == kModeScribble) {
    ScribbleMouseDown(ws, at.x, at.y);
  }
}

void HandleMouseMove(Dispatcher& d, const MouseInput& input) {
  int16_t mode = Mode(d);
  Workspace& ws = d.ws;
  FigurePoint at = At(d, input);
  ws.build.lastPointer = true;
  ws.build.pointerX = at.x;
  ws.build.pointerY = at.y;
  if (d.pan.active) return PanStep(d, input);
  if (!ModeHandles(mode, ModeEvent::kMouseMove)) return;
  if (mode == kModeStandard) {
    if (ws.easyMenu) {
      PickPointForDrag(ws, at.x, at.y);
    } else {
      PickForDrag(ws, at.x, at.y);
    }
  } else if (mode == kModeNewPoint) {
    MovePendingPoint(ws, at.x, at.y);
  } else if (mode == kModeScribble) {
    ScribbleMouseMove(ws, at.x, at.y);
  } else if (input.leftHeld) {
    DeformMouseMove(ws, at.x, at.y, input.shift);  // 6, 30, 61 and 72
  }
}

void HandleMouseUp(Dispatcher& d) {
  // Any release ends a pan: the release of its own button may never come
  // (let go outside the window, or while a dialog held the mouse).
  if (d.pan.active) {
    d.pan = PanState{};
    return;
  }
  int16_t mode = Mode(d);
  if (mode == kModeDrag) EndDrag(d.ws);
  if (mode == kModeScribble) ScribbleMouseUp(d.ws);
}

// Runs one handler and says what it changed.
template <typename Handler>
Changes Dispatch(Dispatcher& d, Handler handle) {
  Before before(d);
  handle();
  return before.Compare(d);
}

}  // namespace

Changes MouseDown(Dispatcher& d, const MouseInput& input) {
  return Dispatch(d, [&] { HandleMouseDown(d, input); });
}

Changes MouseMove(Dispatcher& d, const MouseInput& input) {
  return Dispatch(d, [&] { HandleMouseMove(d, input); });
}

Changes MouseUp(Dispatcher& d, const MouseInput& input) {
  (void)input;
  return Dispatch(d, [&] { HandleMouseUp(d); });
}

Changes DoubleClick(Dispatcher& d) { return MouseDown(d, d.lastPress); }

Changes KeyDown(Dispatcher& d, const KeyInput& input) {
  return Dispatch(d, [&] { HandleKeyDown(d, input); });
}

Changes ReplayTick(Dispatcher& d) {
  return Dispatch(d, [&] { ReplayConstruction(d.ws, d.replay, kReplayNext); });
}

Changes StartReplay(Dispatcher& d) {
  return Dispatch(d, [&] { ReplayConstruction(d.ws, d.replay, kReplayStart); });
}

Changes Run(Dispatcher& d, const std::function<void()>& command) { return Dispatch(d, command); }

bool ViewMayChange(const Dispatcher& d) {
  int16_t mode = Mode(d);
  return !d.pan.active && mode != kModeDrag && mode != kModeReplay && mode != kModeCalculating &&
         mode != 0;
}

Changes ZoomAt(Dispatcher& d, double px, double py, double factor) {
  return Dispatch(d, [&] {
    if (!ViewMayChange(d)) return;
    if (ZoomAboutCommand(d.ws.renderer, px, py, factor)) ViewChanged(d.ws);
  });
}

}  // namespace sakuzu
