#include "interact/deform.h"

#include <cmath>

#include "geometry/points.h"
#include "geometry/recalc.h"
#include "interact/picking.h"

namespace sakuzu {
namespace {

constexpr int kStandardDelta = 10;

bool IsPoint(const Figure& fig, int point) {
  return point >= 1 && point <= ClassCount(fig, kPointClass);
}

// The first step of a deformation: which objects follow the moved ones,
// and the layers split into what stays and what moves.
void BeginSteps(Workspace& ws, const std::vector<ObjectRef>& moved) {
  if (!ws.drag.firstStep) return;
  AnalyseDependencies(ws.fig, moved, ws.r.engine);
  BeginDeformationLayers(ws.r, moved);
  for (ObjectRef ref : moved) {
    RemoveMarks(ws.r, MarkTag::kHint, ref);
    RemoveMarks(ws.r, MarkTag::kHover, ref);
  }
  ws.drag.firstStep = false;
}

// Moves the line's two end points by the mouse, keeping their offsets.
void LineStep(Workspace& ws, double x, double y) {
  Figure& fig = ws.fig;
  ObjectRef line = ws.drag.draggedObject;
  if (line.cls != kLineClass || line.index < 1 || line.index > ClassCount(fig, kLineClass)) return;
  int p1 = fig.Lines[line.index].endPoint1, p2 = fig.Lines[line.index].endPoint2;
  if (!IsPoint(fig, p1) || !IsPoint(fig, p2)) return;
  ObjectRef ends[2] = {{kPointClass, static_cast<int16_t>(p1)},
                       {kPointClass, static_cast<int16_t>(p2)}};
  fig.Points[p1].exists = kTrue;
  fig.Points[p2].exists = kTrue;
  BeginSteps(ws, {ends[0], ends[1]});
  CopyToPrevious(fig);
  StartDeformationStep(ws.r);
  MovePointTo(ws, p1, x + ws.drag.offsets[0], y + ws.drag.offsets[1]);
  MovePointTo(ws, p2, x + ws.drag.offsets[2], y + ws.drag.offsets[3]);
  DeformationStepDraw(ws);
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
      BoundPointPosition(fig, point, ws.r.engine);
      return;
    }
    case kCircleClass:
      p.x = x;
      p.y = y;
      BoundPointParameter(fig, point);
      BoundPointPosition(fig, point, ws.r.engine);
      return;
    default:
      return;  // on a point: it does not move
  }
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
  x = SnapToPixel(ws.r.view, x);
  y = SnapToPixel(ws.r.view, y);
  int point = ws.drag.draggedPoint;
  if (point != 0) {
    PointStep(ws, [&] { MovePointTo(ws, point, x, y); });
    return;
  }
  LineStep(ws, x, y);
}

void KeyStep(Workspace& ws, int keyCode) {
  if (ws.delta == 0) ws.delta = kStandardDelta;
  int point = ws.drag.draggedPoint;
  if (!IsPoint(ws.fig, point)) {
    Redraw(ws.r);
    return;
  }
  double step = ws.delta * ws.r.view.ViewScale;
  double dx = keyCode == kKeyRight ? step : keyCode == kKeyLeft ? -step : 0;
  double dy = keyCode == kKeyUp ? step : keyCode == kKeyDown ? -step : 0;
  if (dx == 0 && dy == 0) return;
  PointStep(ws, [&] {
    PointRecord& p = ws.fig.Points[point];
    if (p.bindKind == 0) {
      p.x += dx;
      p.y += dy;
      return;
    }
    // Along its host: up and right forward, down and left back.
    p.parameter += (keyCode == kKeyUp || keyCode == kKeyRight) ? step : -step;
    BoundPointPosition(ws.fig, point, ws.r.engine);
  });
}

void EndDrag(Workspace& ws) {
  PushMode(ws.r.modes, kPopMode, ws.shell());
  ws.drag.draggedPoint = 0;
  ws.drag.draggedObject = {};
  Redraw(ws.r);
}

void BeginPointPlacing(Workspace& ws, int point) {
  StartPointDrag(ws, static_cast<int16_t>(point));
}

void PlacePointKey(Workspace& ws, int keyCode) {
  switch (keyCode) {
    case kKeyLeft:
    case kKeyUp:
    case kKeyRight:
    case kKeyDown:
      return KeyStep(ws, keyCode);
    case 'A':
      return ToggleAxisCommand(ws.r);
    case kKeyEnter:
    case kKeyEscape:
      ws.drag.draggedPoint = 0;
      ws.drag.draggedObject = {};
      PushMode(ws.r.modes, kPopMode, ws.shell());
      Redraw(ws.r);
      return;
    default:
      return;
  }
}

void PointStep(Workspace& ws, const std::function<void()>& move) {
  Figure& fig = ws.fig;
  int point = ws.drag.draggedPoint;
  if (!IsPoint(fig, point)) return;
  PointRecord own = fig.Points[point];
  fig.Points[point].exists = kTrue;
  BeginSteps(ws, {ObjectRef{kPointClass, static_cast<int16_t>(point)}});
  CopyToPrevious(fig);
  StartDeformationStep(ws.r);
  move();
  // Drawn with the drag mark while it moves; its own look stays its own.
  PointRecord& p = fig.Points[point];
  p.style = 20;
  DeformationStepDraw(ws);
  p.color = own.color;
  p.style = own.style;
  p.locusColor = own.locusColor;
}

void DeformationStepDraw(Workspace& ws) {
  PushMode(ws.r.modes, kModeCalculating, ws.shell());
  RecomputeAll(ws.fig, ws.r.engine);
  FinishDeformationStep(ws.r);
  PushMode(ws.r.modes, kPopMode, ws.shell());
}

}  // namespace sakuzu
