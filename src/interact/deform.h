// Deformation: a free point (or a line through two free points) moves,
// every object built on it is recomputed, and only what moves is drawn
// again, on the live layer of the canvas. The full redraw at the end of a
// drag puts everything back on the base layer.
#pragma once

#include <functional>

#include "interact/workspace.h"

namespace sakuzu {

// The keyboard step in pixels ("delta"; 0 reads as 10).
int DeformStep(const Workspace& ws);
// The nearest pixel position of a figure coordinate, either side of zero.
double SnapToPixel(const ViewState& view, double v);
// Puts free point `point` at (x, y), or its nearest place on the line or
// circle it is bound to; a point bound to a point does not move.
void MovePointTo(Workspace& ws, int point, double x, double y);

// A drag of a free point, or of a line by its two free end points, begins
// (the first step analyses which objects follow).
void StartPointDrag(Workspace& ws, int16_t point);
void StartLineDrag(Workspace& ws, ObjectRef line, double x, double y);
// One mouse step to (x, y).
void DragStep(Workspace& ws, double x, double y);
// One keyboard step of the dragged point (arrow key codes).
void KeyStep(Workspace& ws, int keyCode);
// The release of a mouse drag: the drag mode ends and the figure is redrawn.
void EndDrag(Workspace& ws);

// A new bound point is placed on its host by moving it (mode 30).
void BeginPointPlacing(Workspace& ws, int point);
// The keys while a point is placed: arrows move it along its host, Enter
// and Esc end the placing.
void PlacePointKey(Workspace& ws, int keyCode);

// One step of the dragged point: `move` changes its record; then the
// figure is recomputed and what moves drawn again.
void PointStep(Workspace& ws, const std::function<void()>& move);
// Recomputes the figure and draws every object that moves.
void DeformationStepDraw(Workspace& ws);

}  // namespace sakuzu
