#include "interact/deform.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

#include "geometry/points.h"
#include "geometry/primitives.h"
#include "geometry/recalc.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "text/number_text.h"

namespace sakuzu {
namespace {

constexpr int kStandardDelta = 10;
constexpr double kNoObject = 10000;
constexpr int16_t kChosenStyle = 2;  // "○": a point moved with others

bool IsPoint(const Figure& fig, int point) {
  return point >= 1 && point <= ClassCount(fig, kPointClass);
}

ObjectRef PointRef(int point) { return ObjectRef{kPointClass, static_cast<int16_t>(point)}; }

void Push(Workspace& ws, int16_t mode) { PushMode(ws.modes, mode, ws.shell()); }
void Pop(Workspace& ws) { PushMode(ws.modes, kPopMode, ws.shell()); }

void RaisePanel4(Workspace& ws, bool raised) { ws.screen.panel4Raised = raised; }

// The first step of a deformation: which objects follow the moved ones,
// and the layers split into what stays and what moves.
void BeginSteps(Workspace& ws, const std::vector<ObjectRef>& moved) {
  if (!ws.drag.firstStep) return;
  AnalyseDependencies(ws.fig, moved, ws.renderer.engine);
  BeginDeformationLayers(ws.renderer, moved);
  for (ObjectRef ref : moved) {
    RemoveMarks(ws.renderer, MarkTag::kHint, ref);
    RemoveMarks(ws.renderer, MarkTag::kHover, ref);
  }
  ws.drag.firstStep = false;
}

// With the switch on, every object that moves leaves its old picture as a
// trace (the dragged point, `skip`, has left its own already).
void TraceMoving(Workspace& ws, int skip) {
  if (!ws.locus.on) return;
  const Figure& fig = ws.fig;
  for (int cls = kPointClass; cls <= kCircleClass; ++cls) {
    for (int i = 1; i <= ClassCount(fig, cls); ++i) {
      ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(i)};
      if (IsFixedObject(ws.renderer, ref) || (cls == kPointClass && i == skip)) continue;
      VisitPrevObject(fig, ref,
                      Overloaded{[](const NumberRecord&) {},
                                 [&](const auto& shape) {
                                   if (shape.exists) TraceRecord(ws, shape);
                                 }});
    }
  }
}

// The step's moved objects are current and their old state is kept.
void OpenStep(Workspace& ws, const std::vector<ObjectRef>& moved) {
  for (ObjectRef ref : moved) {
    if (ref.cls == kPointClass) ws.fig.Points[ref.index].exists = kTrue;
    if (ref.cls == kNumberClass) ws.fig.Numbers[ref.index].exists = kTrue;
  }
  BeginSteps(ws, moved);
  CopyToPrevious(ws.fig);
  StartDeformationStep(ws.renderer);
  // Points with a pixel style leave their trace at every step.
  for (int i = 1; i <= ClassCount(ws.fig, kPointClass); ++i) {
    int16_t style = ws.fig.Points[i].style;
    if (style >= 10 && style <= 19) DrawObject(ws.renderer, PointRef(i), kDrawLocusColor);
  }
}

// The dragged point as the last step showed it: the drag mark, or the sign
// mark of the locus variable.
PointRecord AsShown(const Workspace& ws, PointRecord p) {
  if (ws.drag.markSaved) {
    p.style = ws.drag.savedStyle;
    p.color = ws.drag.savedColor;
    p.locusColor = ws.drag.savedLocusColor;
  }
  return p;
}

// The dragged point takes its mark for this step (kept for the next
// sample) and gives back its own look afterwards.
void MarkDraggedPoint(Workspace& ws, PointRecord& p) {
  p.style = 20;
  SignMark(ws, p);
  ws.drag.markSaved = true;
  ws.drag.savedStyle = p.style;
  ws.drag.savedColor = p.color;
  ws.drag.savedLocusColor = p.locusColor;
}

// Moves the line's two end points by the mouse, keeping their offsets.
void LineStep(Workspace& ws, double x, double y) {
  Figure& fig = ws.fig;
  ObjectRef line = ws.drag.draggedObject;
  if (line.cls != kLineClass || line.index < 1 || line.index > ClassCount(fig, kLineClass)) return;
  int p1 = fig.Lines[line.index].endPoint1, p2 = fig.Lines[line.index].endPoint2;
  if (!IsPoint(fig, p1) || !IsPoint(fig, p2)) return;
  OpenStep(ws, {PointRef(p1), PointRef(p2)});
  MovePointTo(ws, p1, x + ws.drag.offsets[0], y + ws.drag.offsets[1]);
  MovePointTo(ws, p2, x + ws.drag.offsets[2], y + ws.drag.offsets[3]);
  DeformationStepDraw(ws);
}

// The place of a line's drawn part nearest to `at`, the part being what
// the renderer draws for its kind: a segment (arrowheads or not) between
// P1 and P2, a ray from P1 on, a reversed ray up to P2, a line throughout.
Vec2 NearestDrawnPlace(const LineRecord& l, Vec2 at) {
  double t = (at.x - l.x1) * l.dx + (at.y - l.y1) * l.dy;    // along the line from P1
  double end = (l.x2 - l.x1) * l.dx + (l.y2 - l.y1) * l.dy;  // where P2 lies
  switch (l.lineKind) {
    case 1:
    case 4:
    case 5:
    case 6:
      t = std::clamp(t, std::min(0.0, end), std::max(0.0, end));
      break;
    case 2:
    case 7:
      t = std::max(t, 0.0);
      break;
    case 3:
      t = std::min(t, end);
      break;
    default:
      break;
  }
  return {l.x1 + t * l.dx, l.y1 + t * l.dy};
}

// The nearest line (and circle, with snap kind 0) that does not move with
// the dragged point, and (x, y) put on it; nothing when there is none.
// Only the drawn part of a line counts: the point never lands on the
// unseen extension of a segment or ray.
std::optional<Vec2> SnapOntoNearest(Workspace& ws, double x, double y) {
  const Figure& fig = ws.fig;
  double best = kNoObject;
  std::optional<Vec2> found;
  Vec2 at{x, y};
  for (int i = 1; i <= ClassCount(fig, kLineClass); ++i) {
    ObjectRef ref{kLineClass, static_cast<int16_t>(i)};
    if (!IsExistingObject(fig, ref) || !IsFixedObject(ws.renderer, ref)) continue;
    Vec2 on = NearestDrawnPlace(fig.Lines[i], at);
    double d = PointDistance(at, on);
    if (!(d < best)) continue;  // not finite, or no nearer
    best = d;
    found = on;
  }
  if (ws.sDeformKind != 0) return found;
  for (int i = 1; i <= ClassCount(fig, kCircleClass); ++i) {
    ObjectRef ref{kCircleClass, static_cast<int16_t>(i)};
    if (!IsExistingObject(fig, ref) || !IsFixedObject(ws.renderer, ref)) continue;
    const CircleRecord& c = fig.Circles[i];
    double distance = std::hypot(x - c.cx, y - c.cy);
    if (!(distance > 0)) continue;  // at the centre: no nearest place
    double d = std::abs(distance - c.radius);
    if (!(d < best)) continue;
    best = d;
    found = Vec2{c.cx + (x - c.cx) / distance * c.radius, c.cy + (y - c.cy) / distance * c.radius};
  }
  return found;
}

// The displacement of an arrow key in figure units.
Vec2 KeyDisplacement(const Workspace& ws, int keyCode, double pixels) {
  double step = pixels * ws.renderer.view.ViewScale;
  switch (keyCode) {
    case kKeyLeft:
      return {-step, 0};
    case kKeyRight:
      return {step, 0};
    case kKeyUp:
      return {0, step};
    case kKeyDown:
      return {0, -step};
    default:
      return {0, 0};
  }
}

bool IsArrow(int keyCode) { return keyCode >= kKeyLeft && keyCode <= kKeyDown; }

// The chosen points move together by (dx, dy), drawn with the "○" mark.
void MultiStep(Workspace& ws, double dx, double dy) {
  Figure& fig = ws.fig;
  std::vector<ObjectRef> moved;
  for (int16_t p : ws.pick.chosenPoints) {
    if (IsPoint(fig, p)) moved.push_back(PointRef(p));
  }
  if (moved.empty()) return;
  OpenStep(ws, moved);
  std::vector<PointRecord> own;
  for (ObjectRef ref : moved) {
    own.push_back(fig.Points[ref.index]);
    const PointRecord& p = fig.Points[ref.index];
    MovePointTo(ws, ref.index, p.x + dx, p.y + dy);
    fig.Points[ref.index].style = kChosenStyle;
  }
  DeformationStepDraw(ws);
  for (size_t i = 0; i < moved.size(); ++i) fig.Points[moved[i].index].style = own[i].style;
}

void EndKeyboardDeformation(Workspace& ws) {
  ws.drag.draggedPoint = 0;
  ws.drag.draggedObject = {};
  ws.pick.chosenPoints.clear();
  Pop(ws);
  Redraw(ws.renderer);
  ws.locus.record.Flush();
}

// Keys "S", "M", "F", "0" to "5": the step of points, or of numbers.
bool SetStepByKey(Workspace& ws, int keyCode, bool numbers) {
  if (keyCode == 'S' && !numbers) ws.delta = 1;
  if (keyCode == 'M' && !numbers) ws.delta = 10;
  if (keyCode == 'F' && !numbers) ws.delta = 20;
  if (keyCode == '0') {
    if (numbers) {
      ws.deltaVar = 0.5;
    } else {
      ws.delta = 10;
    }
  }
  if (keyCode >= '1' && keyCode <= '5') {
    int d = keyCode - '0';
    if (numbers) {
      ws.deltaVar = std::pow(0.1, d - 1);
    } else {
      ws.delta = static_cast<int16_t>(20 * d);
    }
  }
  return (keyCode >= '0' && keyCode <= '5') ||
         (!numbers && (keyCode == 'S' || keyCode == 'M' || keyCode == 'F'));
}

// The free points marked where dragging is possible.
void MarkChoosable(Workspace& ws) {
  BuildDraggableCandidates(ws, true);
  MarkDraggableCandidates(ws);
  RaisePanel4(ws, true);
}

}  // namespace

int DeformStep(const Workspace& ws) { return ws.delta == 0 ? kStandardDelta : ws.delta; }

double SnapToPixel(const ViewState& view, double v) {
  double s = view.ViewScale;
  return std::round(v / s) * s;
}

void MovePointTo(Workspace& ws, int point, double x, double y) {
  Figure& fig = ws.fig;
  if (!IsPoint(fig, point)) return;
  PointRecord& p = fig.Points[point];
  switch (p.bindKind) {
    case 0:
      p.x = x;
      p.y = y;
      return;
    case kLineClass: {
      if (p.bindIndex < 1 || p.bindIndex > ClassCount(fig, kLineClass)) return;
      // The foot on the line, whose distance from P1 is the parameter.
      const LineRecord& l = fig.Lines[p.bindIndex];
      double t = (x - l.x1) * l.dx + (y - l.y1) * l.dy;
      p.x = l.x1 + t * l.dx;
      p.y = l.y1 + t * l.dy;
      BoundPointParameter(fig, point);
      BoundPointPosition(fig, point, ws.renderer.engine);
      return;
    }
    case kCircleClass:
      p.x = x;
      p.y = y;
      BoundPointParameter(fig, point);
      BoundPointPosition(fig, point, ws.renderer.engine);
      return;
    default:
      return;  // on a point: it does not move
  }
}

void Deform1PtCommand(Workspace& ws) {
  if (ClassCount(ws.fig, kPointClass) == 0) return;
  ws.drag = DragState{};
  Push(ws, kModeDeform);
  Push(ws, kModeSelect);
  MarkChoosable(ws);
  if (ws.pick.current.IsEmpty()) {  // no free point: nothing to move
    Pop(ws);
    Pop(ws);
    ws.shell().Beep();
  }
}

void DeformPtsCommand(Workspace& ws) {
  if (ClassCount(ws.fig, kPointClass) == 0) return;
  ws.drag = DragState{};
  ws.pick.chosenPoints.clear();
  Push(ws, kModeMultiDeform);
  Push(ws, kModeMultiChoose);
  MarkChoosable(ws);
  if (ws.pick.current.IsEmpty()) {
    Pop(ws);
    Pop(ws);
    ws.shell().Beep();
  }
}

void DeformVarCommand(Workspace& ws) {
  Figure& fig = ws.fig;
  if (ClassCount(fig, kNumberClass) == 0 || ws.numbers == nullptr) return;
  ws.drag = DragState{};
  Push(ws, kModeVariation);
  Push(ws, kModeVaryChoice);
  std::optional<int16_t> chosen;
  while (true) {
    NumberChoiceRequest request;
    request.mode = kModeVaryChoice;
    request.decimals = ws.renderer.settings.decimals;
    chosen = ws.numbers->ChooseNumber(fig, request);
    if (!chosen) break;
    bool free = *chosen >= 1 && *chosen <= ClassCount(fig, kNumberClass) &&
                fig.Numbers[*chosen].independent == -1;
    if (free) break;
    // A computed number would get its value back at once.
    ws.shell().ShowMessage(ws.T(kOnlyFreeNumbersMessage));
  }
  Pop(ws);  // the choice
  if (!chosen) {
    Pop(ws);  // "元に戻る": the variation too
    Redraw(ws.renderer);
    return;
  }
  ws.drag.draggedObject = ObjectRef{kNumberClass, *chosen};
  Redraw(ws.renderer);  // the list in its variation form
}

void PopupDeformCommand(Workspace& ws) {
  ObjectRef p = ws.pick.popupObject;
  if (p.cls != kPointClass || !IsPoint(ws.fig, p.index)) return;
  ws.drag = DragState{};
  Push(ws, kModeDeform);
  ws.drag.draggedPoint = p.index;
  MarkDraggableCandidates(ws);
  RaisePanel4(ws, true);
}

bool DeformSelectionConfirmed(Workspace& ws, int16_t below, ObjectRef chosen) {
  if (below == kModeDeform) {
    ws.drag.draggedPoint = chosen.index;
    MarkDraggableCandidates(ws);
    return true;
  }
  if (below != kModeMultiDeform) return false;
  // Chosen: a blue square; the next point that may be chosen is current.
  ws.pick.chosenPoints.push_back(chosen.index);
  ShowMark(ws.renderer, ObjectMark(MarkTag::kChosen, chosen, 3, 4));
  Push(ws, kModeMultiChoose);
  if (ShowFirstCandidate(ws)) return true;
  Pop(ws);  // none left: the points move now
  return true;
}

bool DeformSelectionCancelled(Workspace& ws, int16_t below) {
  if (below == kModeDeform) {
    Pop(ws);
    Redraw(ws.renderer);
    return true;
  }
  if (below != kModeMultiDeform) return false;
  if (ws.pick.chosenPoints.empty()) {
    Pop(ws);
    Redraw(ws.renderer);
    return true;
  }
  // The chosen points move now: they keep their square, the other free
  // points show a circle.
  RemoveMarks(ws.renderer, MarkTag::kHint);
  for (int i = 1; i <= ClassCount(ws.fig, kPointClass); ++i) {
    ObjectRef ref = PointRef(i);
    if (ws.fig.Points[i].independent != -1 || HasMark(ws.renderer, MarkTag::kChosen, ref)) continue;
    ShowMark(ws.renderer, ObjectMark(MarkTag::kHint, ref, 2));
  }
  return true;
}

void StartPointDrag(Workspace& ws, int16_t point) {
  ws.drag = DragState{};
  ws.drag.draggedPoint = point;
}

void StartLineDrag(Workspace& ws, ObjectRef line, double x, double y) {
  ws.drag = DragState{};
  ws.drag.draggedObject = line;
  const Figure& fig = ws.fig;
  int p1 = fig.Lines[line.index].endPoint1, p2 = fig.Lines[line.index].endPoint2;
  if (!IsPoint(fig, p1) || !IsPoint(fig, p2)) return;
  ws.drag.offsets[0] = fig.Points[p1].x - x;
  ws.drag.offsets[1] = fig.Points[p1].y - y;
  ws.drag.offsets[2] = fig.Points[p2].x - x;
  ws.drag.offsets[3] = fig.Points[p2].y - y;
}

void DragStep(Workspace& ws, double x, double y) {
  x = SnapToPixel(ws.renderer.view, x);
  y = SnapToPixel(ws.renderer.view, y);
  int point = ws.drag.draggedPoint;
  if (point != 0) {
    PointStep(ws, [&] { MovePointTo(ws, point, x, y); });
    return;
  }
  LineStep(ws, x, y);
}

void SnapDragStep(Workspace& ws, double x, double y) {
  x = SnapToPixel(ws.renderer.view, x);
  y = SnapToPixel(ws.renderer.view, y);
  if (ws.sDeformKind == 2) {
    DragStep(ws, std::floor(x + 0.5), std::floor(y + 0.5));  // the nearest lattice point
    return;
  }
  int point = ws.drag.draggedPoint;
  if (!IsPoint(ws.fig, point)) return DragStep(ws, x, y);
  BeginSteps(ws, {PointRef(point)});  // what moves with the point cannot take it
  std::optional<Vec2> on = SnapOntoNearest(ws, x, y);
  if (!on) return DragStep(ws, x, y);
  // Exactly on the line or circle: no second snap to the pixels.
  PointStep(ws, [&] { MovePointTo(ws, point, on->x, on->y); });
}

void MultiDragStep(Workspace& ws, double x, double y) {
  if (ws.pick.chosenPoints.empty() || !IsPoint(ws.fig, ws.pick.chosenPoints[0])) return;
  x = SnapToPixel(ws.renderer.view, x);
  y = SnapToPixel(ws.renderer.view, y);
  const PointRecord& first = ws.fig.Points[ws.pick.chosenPoints[0]];
  MultiStep(ws, x - first.x, y - first.y);
}

void KeyStep(Workspace& ws, int keyCode) {
  if (ws.delta == 0) ws.delta = kStandardDelta;
  int point = ws.drag.draggedPoint;
  if (!IsPoint(ws.fig, point)) {
    Redraw(ws.renderer);
    return;
  }
  Vec2 move = KeyDisplacement(ws, keyCode, ws.delta);
  if (move.x == 0 && move.y == 0) return;
  double step = ws.delta * ws.renderer.view.ViewScale;
  PointStep(ws, [&] {
    PointRecord& p = ws.fig.Points[point];
    if (p.bindKind == 0) {
      p.x += move.x;
      p.y += move.y;
      return;
    }
    // Along its host: up and right forward, down and left back.
    p.parameter += (keyCode == kKeyUp || keyCode == kKeyRight) ? step : -step;
    BoundPointPosition(ws.fig, point, ws.renderer.engine);
  });
}

void SnapKeyStep(Workspace& ws, int keyCode) {
  int point = ws.drag.draggedPoint;
  if (!IsPoint(ws.fig, point)) {
    Redraw(ws.renderer);
    return;
  }
  const PointRecord& p = ws.fig.Points[point];
  if (ws.sDeformKind == 2) {
    // One grid unit, then onto the lattice.
    Vec2 move = KeyDisplacement(ws, keyCode, std::round(1 / ws.renderer.view.ViewScale));
    DragStep(ws, std::floor(p.x + move.x + 0.5), std::floor(p.y + move.y + 0.5));
    return;
  }
  Vec2 move = KeyDisplacement(ws, keyCode, DeformStep(ws));
  SnapDragStep(ws, p.x + move.x, p.y + move.y);
}

void MultiKeyStep(Workspace& ws, int keyCode) {
  Vec2 move = KeyDisplacement(ws, keyCode, DeformStep(ws));
  if (move.x == 0 && move.y == 0) return;
  MultiStep(ws, move.x, move.y);
}

void NumberStep(Workspace& ws, int keyCode) {
  if (ws.delta == 0) ws.delta = kStandardDelta;
  ObjectRef n = ws.drag.draggedObject;
  if (n.cls != kNumberClass || n.index < 1 || n.index > ClassCount(ws.fig, kNumberClass)) {
    Redraw(ws.renderer);
    return;
  }
  double change = keyCode == kKeyUp ? ws.deltaVar : keyCode == kKeyDown ? -ws.deltaVar : 0;
  OpenStep(ws, {n});
  ws.fig.Numbers[n.index].value += change;
  DeformationStepDraw(ws);
}

void HundredSteps(Workspace& ws) {
  if (!IsPoint(ws.fig, 1) || !IsDraggable(ws.fig, PointRef(1))) return;
  ws.drag.draggedPoint = 1;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 25; ++i) {
    for (int key : {kKeyUp, kKeyRight, kKeyDown, kKeyLeft}) KeyStep(ws, key);
  }
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  double seconds = std::round(elapsed.count() * 1000) / 1000;
  OverlayMark text;
  text.tag = MarkTag::kText;
  text.text = ws.T(kHundredStepsCaption) + "(" + FormatNumber(seconds) + ")";
  text.x = ViewLeft(ws.renderer.view) + 1;
  text.y = ViewTop(ws.renderer.view) - 1;
  RemoveMarks(ws.renderer, MarkTag::kText);
  ShowMark(ws.renderer, text);
}

void EndDrag(Workspace& ws) {
  Pop(ws);
  ws.drag.draggedPoint = 0;
  ws.drag.draggedObject = {};
  Redraw(ws.renderer);
  ws.locus.record.Flush();  // the drag's rows, the redraw's among them, on the disk
}

void DeformMouseDown(Workspace& ws, double x, double y, bool shift) {
  int16_t mode = CurrentMode(ws.modes).value_or(0);
  if (mode == kModeVariation) return NumberStep(ws, kKeyUp);  // a click steps up
  if (mode == kModeMultiDeform) return MultiDragStep(ws, x, y);
  if (shift && mode == kModeDeform) return SnapDragStep(ws, x, y);
  DragStep(ws, x, y);
}

void DeformMouseMove(Workspace& ws, double x, double y, bool shift) {
  int16_t mode = CurrentMode(ws.modes).value_or(0);
  if (mode == kModeMultiDeform) return MultiDragStep(ws, x, y);
  if (shift && (mode == kModeDeform || mode == kModeDrag)) return SnapDragStep(ws, x, y);
  DragStep(ws, x, y);
}

void DeformKey(Workspace& ws, int keyCode, bool shift) {
  int16_t mode = CurrentMode(ws.modes).value_or(0);
  if (IsArrow(keyCode)) {
    if (mode == kModeVariation) return NumberStep(ws, keyCode);
    if (mode == kModeMultiDeform) return MultiKeyStep(ws, keyCode);
    if (mode == kModeDeform && shift) return SnapKeyStep(ws, keyCode);
    return KeyStep(ws, keyCode);
  }
  switch (keyCode) {
    case kKeyEnter:
      if (mode == kModePlacePoint) EndKeyboardDeformation(ws);
      return;
    case kKeyEscape:
      return EndKeyboardDeformation(ws);
    case 'A':
      return ToggleAxisCommand(ws.renderer);
    case 'B':
      if (mode != kModeVariation) HundredSteps(ws);
      return;
    case 'H':
      if (mode == kModeDeform) MoveHome(ws);
      return;
    case 'X':
      if (mode == kModeDeform) ScanPlane(ws);
      return;
    default:
      SetStepByKey(ws, keyCode, mode == kModeVariation);
      return;
  }
}

void BeginPointPlacing(Workspace& ws, int point) {
  StartPointDrag(ws, static_cast<int16_t>(point));
}

void PointStep(Workspace& ws, const std::function<void()>& move) {
  Figure& fig = ws.fig;
  int point = ws.drag.draggedPoint;
  if (!IsPoint(fig, point)) return;
  PointRecord own = fig.Points[point];
  OpenStep(ws, {PointRef(point)});
  TraceRecord(ws, AsShown(ws, own));  // where it was, as it was shown
  move();
  // Drawn with the drag mark (or its sign) while it moves; its own look
  // stays its own.
  RecomputeAll(fig, ws.renderer.engine);
  PointRecord& p = fig.Points[point];
  MarkDraggedPoint(ws, p);
  TraceMoving(ws, point);
  FinishDeformationStep(ws.renderer);
  p.color = own.color;
  p.style = own.style;
  p.locusColor = own.locusColor;
}

void DeformationStepDraw(Workspace& ws) {
  RecomputeAll(ws.fig, ws.renderer.engine);
  TraceMoving(ws, 0);
  FinishDeformationStep(ws.renderer);
}

void ScanStep(Workspace& ws, double x, double y) {
  Figure& fig = ws.fig;
  int point = ws.drag.draggedPoint;
  if (!IsPoint(fig, point)) return;
  PointRecord own = fig.Points[point];
  fig.Points[point].exists = kTrue;
  BeginSteps(ws, {PointRef(point)});
  TraceRecord(ws, AsShown(ws, own));
  fig.Points[point].x = x;
  fig.Points[point].y = y;
  RecomputeAll(fig, ws.renderer.engine);
  PointRecord& p = fig.Points[point];
  MarkDraggedPoint(ws, p);
  p.color = own.color;
  p.style = own.style;
  p.locusColor = own.locusColor;
}

}  // namespace sakuzu
