#include "interact/dispatch.h"

#include "interact/construct.h"
#include "interact/deform.h"
#include "interact/edit.h"
#include "interact/picking.h"

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

int16_t Mode(const Dispatcher& d) { return CurrentMode(d.ws.renderer.modes).value_or(0); }

FigurePoint At(const Dispatcher& d, const MouseInput& input) {
  return ToFigure(d.ws.renderer.view, input.px, input.py);
}

void Refresh(Workspace& ws) {
  if (ws.renderer.hooks.refreshStatus) ws.renderer.hooks.refreshStatus();
}

void SetCursor(Workspace& ws, CursorShape shape) {
  if (ws.hooks.setCursor) ws.hooks.setCursor(shape);
}

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
    if (ws.hooks.openPopup) ws.hooks.openPopup(PopupMenuFor(ws, hit));
    return;
  }
  if (input.button != MouseButton::kLeft) return;
  bool draggable = IsDraggable(ws.fig, hit);
  if (draggable && hit.cls == kPointClass) {
    MarkDraggableCandidates(ws);
    PushMode(ws.renderer.modes, kModeDrag, ws.shell());
    StartPointDrag(ws, hit.index);
    Refresh(ws);
    SetCursor(ws, CursorShape::kArrow);
    return;
  }
  if (draggable && hit.cls == kLineClass) {
    StartLineDrag(ws, hit, at.x, at.y);
    PushMode(ws.renderer.modes, kModeDrag, ws.shell());
    Refresh(ws);
    SetCursor(ws, CursorShape::kArrow);
    return;
  }
  if (hit.cls == kPointClass || hit.cls == kLineClass) return;
  // A circle or nothing: show where dragging is possible.
  BuildDraggableCandidates(ws, false);
  MarkDraggableCandidates(ws);
}

void Present(Dispatcher& d) { d.ws.renderer.canvas.Present(); }

}  // namespace

void MouseDown(Dispatcher& d, const MouseInput& input) {
  d.lastPress = input;
  int16_t mode = Mode(d);
  if (!ModeHandles(mode, ModeEvent::kMouseDown)) return;
  Workspace& ws = d.ws;
  if (mode == kModeReplay) {
    ReplayClick(ws.renderer, d.replay, input.button == MouseButton::kLeft);
    return Present(d);
  }
  // Outside the standard mode the right button is Esc.
  if (input.button == MouseButton::kRight && mode != kModeStandard) {
    KeyDown(d, KeyInput{kKeyEscape});
    return;
  }
  FigurePoint at = At(d, input);
  if (mode == kModeStandard) {
    StandardMouseDown(d, input);
  } else if (input.button != MouseButton::kLeft) {
    return;
  } else if (IsSelectionMode(mode)) {
    SelectByMouse(ws, at.x, at.y);
    Refresh(ws);
  } else if (mode == kModeNewPoint) {
    PlacePendingPoint(ws, at.x, at.y);
  } else if (IsDeformMode(mode)) {
    DeformMouseDown(ws, at.x, at.y, input.shift);
  } else if (mode == kModeScribble) {
    ScribbleMouseDown(ws, at.x, at.y);
  }
  Present(d);
}

void MouseMove(Dispatcher& d, const MouseInput& input) {
  int16_t mode = Mode(d);
  Workspace& ws = d.ws;
  FigurePoint at = At(d, input);
  ws.build.lastPointer = true;
  ws.build.pointerX = at.x;
  ws.build.pointerY = at.y;
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
  Present(d);
}

void MouseUp(Dispatcher& d, const MouseInput& input) {
  (void)input;
  int16_t mode = Mode(d);
  if (mode == kModeDrag) EndDrag(d.ws);
  if (mode == kModeScribble) ScribbleMouseUp(d.ws);
  Present(d);
}

void DoubleClick(Dispatcher& d) { MouseDown(d, d.lastPress); }

void KeyDown(Dispatcher& d, const KeyInput& input) {
  int16_t mode = Mode(d);
  if (!ModeHandles(mode, ModeEvent::kKeyDown)) return;
  Workspace& ws = d.ws;
  if (mode == kModeReplay) {
    ReplayKey(ws.renderer, d.replay, input.code == kKeyEscape ? kEscapeKey : input.code);
  } else if (IsSelectionMode(mode)) {
    SelectByKey(ws, input.code);
    Refresh(ws);
  } else if (mode == kModeNewPoint) {
    PendingPointKey(ws, input.code);
  } else if (IsDeformMode(mode)) {
    DeformKey(ws, input.code, input.shift);
  } else if (mode == kModeScribble) {
    ScribbleKey(ws, input.code);
  }
  Present(d);
}

}  // namespace sakuzu
