#include "interact/edit.h"

#include "interact/construct.h"
#include "interact/deform.h"
#include "interact/picking.h"
#include "numbers/auto_names.h"
#include "view/dependents.h"

namespace sakuzu {
namespace {

void Push(Workspace& ws, int16_t mode) { PushMode(ws.modes, mode, ws.shell()); }
void Pop(Workspace& ws) { PushMode(ws.modes, kPopMode, ws.shell()); }

bool IsPoint(const Figure& fig, int point) {
  return point >= 1 && point <= ClassCount(fig, kPointClass);
}

// The edit mode of an object class: 41 number, 42 point, 43 line, 44 circle.
int16_t EditMode(int cls) { return static_cast<int16_t>(kModeEditNumber + cls); }

// A point bound, or left as it was: the host choice ends.
void FinishBinding(Workspace& ws, ObjectRef host) {
  Figure& fig = ws.fig;
  int point = ws.bind.point;
  Pop(ws);  // the second 53
  ws.bind.point = 0;
  if (!IsPoint(fig, point)) return Redraw(ws.renderer);
  PointRecord& p = fig.Points[point];
  if (host.IsEmpty()) {
    Redraw(ws.renderer);  // no host chosen: the point keeps its binding
    return;
  }
  p.bindKind = ws.bind.kind;
  p.bindIndex = host.index;
  p.parameter = 0;
  Redraw(ws.renderer);
  if (ws.bind.kind == kPointClass) return;
  // On a line or circle: the next click sets its place there.
  Push(ws, kModePlacePoint);
  BeginPointPlacing(ws, point);
}

}  // namespace

void EditObjectCommand(Workspace& ws, int cls) {
  if (ws.attributes == nullptr || ClassCount(ws.fig, cls) == 0) return;
  Push(ws, EditMode(cls));
  Push(ws, kModeEditSelect);
  if (!BuildCandidates(ws, cls)) {
    Pop(ws);
    Pop(ws);
    return;
  }
}

void EditNumberCommand(Workspace& ws) {
  if (ws.attributes == nullptr || ws.numbers == nullptr) return;
  if (ClassCount(ws.fig, kNumberClass) == 0) return;
  Push(ws, EditMode(kNumberClass));
  Push(ws, kModeEditSelect);
  NumberChoiceRequest request;
  request.mode = kModeEditSelect;
  request.decimals = ws.renderer.settings.decimals;
  std::optional<int16_t> chosen = ws.numbers->ChooseNumber(ws.fig, request);
  Pop(ws);
  Pop(ws);
  bool valid = chosen && *chosen >= 1 && *chosen <= ClassCount(ws.fig, kNumberClass);
  if (!valid) {
    Redraw(ws.renderer);
    return;
  }
  EditAttributes(ws, ObjectRef{kNumberClass, *chosen});
}

void EditBindingCommand(Workspace& ws) {
  if (ws.attributes == nullptr || ClassCount(ws.fig, kPointClass) == 0) return;
  Push(ws, kModeBind);
  Push(ws, kModeBindPointSelect);
  // Only a free point can be bound.
  if (!BuildDraggableCandidates(ws, true) || ws.pick.current.IsEmpty()) {
    Pop(ws);
    Pop(ws);
    ws.shell().Beep();
    return;
  }
}

void PopupEditCommand(Workspace& ws) {
  ObjectRef ref = ws.pick.popupObject;
  if (!ref.IsEmpty()) EditAttributes(ws, ref);
}

void PopupBindingCommand(Workspace& ws) {
  ObjectRef ref = ws.pick.popupObject;
  if (ref.cls == kPointClass) EditBinding(ws, ref.index);
}

void PopupSetFreeCommand(Workspace& ws) {
  ObjectRef ref = ws.pick.popupObject;
  if (ref.cls != kPointClass || !IsPoint(ws.fig, ref.index)) return;
  PointRecord& p = ws.fig.Points[ref.index];
  p.bindKind = 0;
  p.bindIndex = 0;  // the point stays where it is
  Redraw(ws.renderer);
}

void EditAttributes(Workspace& ws, ObjectRef ref) {
  if (ws.attributes == nullptr || ref.index < 1 || ref.index > ClassCount(ws.fig, ref.cls)) return;
  Push(ws, EditMode(ref.cls));
  std::optional<AttributeForm> form = ws.attributes->EditAttributes(FillAttributeForm(ws.fig, ref));
  Pop(ws);
  if (form && !CheckAttributeForm(*form, ws.renderer.engine.translate)) {
    ApplyAttributeForm(ws.fig, *form);
    // New names of points, lines and circles rename what is measured on them.
    if (ref.cls != kNumberClass) UpdateAutoNames(ws.fig, ws.renderer.engine.translate);
  }
  Redraw(ws.renderer);
}

void EditBinding(Workspace& ws, int point) {
  Figure& fig = ws.fig;
  if (ws.attributes == nullptr || !IsPoint(fig, point)) return;
  Push(ws, kModeBind);
  std::optional<int> kind = ws.attributes->ChooseBindKind(fig.Points[point].bindKind);
  Pop(ws);
  if (!kind || *kind < 0 || *kind > kCircleClass) {
    Redraw(ws.renderer);
    return;
  }
  PointRecord& p = fig.Points[point];
  if (*kind == 0) {
    p.bindKind = 0;
    p.bindIndex = 0;
    Redraw(ws.renderer);
    return;
  }
  if (ClassCount(fig, *kind) == 0) {
    ws.shell().ShowMessage(ws.T(kNoHostMessage));
    Redraw(ws.renderer);
    return;
  }
  ws.bind.point = static_cast<int16_t>(point);
  ws.bind.kind = static_cast<int16_t>(*kind);
  ws.bind.oldKind = p.bindKind;
  ws.bind.oldIndex = p.bindIndex;
  ws.bind.oldParameter = p.parameter;
  ws.bind.dependents = FindDependents(fig, {ObjectRef{kPointClass, static_cast<int16_t>(point)}});
  Push(ws, kModeBindHostSelect);
  Push(ws, kModeBindHostSelect);
  if (!BuildCandidates(ws, *kind)) {
    // Nothing that the point does not carry itself.
    Pop(ws);
    Pop(ws);
    ws.bind.point = 0;
    ws.shell().ShowMessage(ws.T(kNoHostMessage));
    Redraw(ws.renderer);
    return;
  }
}

bool IsExcludedHost(const Workspace& ws, ObjectRef ref) {
  if (ws.bind.point == 0) return false;
  return ws.bind.dependents.Contains(ref);
}

bool EditSelectionConfirmed(Workspace& ws, int16_t below, ObjectRef chosen) {
  if (below >= kModeEditNumber + kPointClass && below <= kModeEditCircle) {
    Pop(ws);  // the command's mode; the dialog has its own
    EditAttributes(ws, chosen);
    return true;
  }
  if (below == kModeBind) {
    Pop(ws);
    EditBinding(ws, chosen.index);
    return true;
  }
  if (below == kModeBindHostSelect) {
    FinishBinding(ws, chosen);
    return true;
  }
  return false;
}

bool EditSelectionCancelled(Workspace& ws, int16_t below) {
  bool ours = (below >= kModeEditNumber && below <= kModeEditCircle) || below == kModeBind;
  if (ours) {
    Pop(ws);
    Redraw(ws.renderer);
    return true;
  }
  if (below == kModeBindHostSelect) {
    FinishBinding(ws, {});  // Esc while choosing the host stores nothing
    return true;
  }
  return false;
}

void ScribbleCommand(Workspace& ws) {
  // Its menu stays open while scribbling: choosing it again goes on
  // scribbling, so that one Esc always ends it.
  if (IsCurrentMode(ws.modes, kModeScribble)) return;
  Push(ws, kModeScribble);
  ws.scribble = ScribbleState{};
}

void ScribbleMouseDown(Workspace& ws, double x, double y) {
  ws.scribble.pen = true;
  ws.scribble.x = x;
  ws.scribble.y = y;
  OverlayMark dot;
  dot.tag = MarkTag::kScribble;
  dot.x = dot.x2 = x;
  dot.y = dot.y2 = y;
  ShowMark(ws.renderer, dot);
}

void ScribbleMouseMove(Workspace& ws, double x, double y) {
  if (!ws.scribble.pen) return;
  OverlayMark stroke;
  stroke.tag = MarkTag::kScribble;
  stroke.x = ws.scribble.x;
  stroke.y = ws.scribble.y;
  stroke.x2 = x;
  stroke.y2 = y;
  ShowMark(ws.renderer, stroke);
  ws.scribble.x = x;
  ws.scribble.y = y;
}

void ScribbleMouseUp(Workspace& ws) { ws.scribble.pen = false; }

void ScribbleKey(Workspace& ws, int keyCode) {
  if (keyCode != kKeyEscape) return;
  ws.scribble.pen = false;
  Pop(ws);
  Redraw(ws.renderer);
}

}  // namespace sakuzu
