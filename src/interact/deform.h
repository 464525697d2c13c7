// Deformation: a free point (or several, or a line through two free
// points) moves, or a free number changes, every object built on it is
// recomputed, and only what moves is drawn again, on the live layer of the
// canvas. The full redraw at the end of a drag puts everything back on the
// base layer.
#pragma once

#include <functional>
#include <string_view>

#include "interact/workspace.h"

namespace sakuzu {

constexpr std::string_view kHundredStepsCaption = "100回の変形";
constexpr std::string_view kOnlyFreeNumbersMessage =
    "変化させられるのは自由な数(独立変数)だけです。";

// The keyboard step in pixels ("delta"; 0 reads as 10).
int DeformStep(const Workspace& ws);
// The nearest pixel position of a figure coordinate, either side of zero.
double SnapToPixel(const ViewState& view, double v);
// Puts free point `point` at (x, y), or its nearest place on the line or
// circle it is bound to; a point bound to a point does not move.
void MovePointTo(Workspace& ws, int point, double x, double y);

// The deformation commands: one point chosen in a selection, several
// points chosen one by one, a free number chosen in the number dialog, the
// point of the pop-up menu.
void Deform1PtCommand(Workspace& ws);
void DeformPtsCommand(Workspace& ws);
void DeformVarCommand(Workspace& ws);
void PopupDeformCommand(Workspace& ws);
// The end of the selection of a deformation command (the mode beneath it
// says which); false when the selection belongs to another command.
bool DeformSelectionConfirmed(Workspace& ws, int16_t below, ObjectRef chosen);
bool DeformSelectionCancelled(Workspace& ws, int16_t below);

// A drag of a free point, or of a line by its two free end points, begins
// (the first step analyses which objects follow).
void StartPointDrag(Workspace& ws, int16_t point);
void StartLineDrag(Workspace& ws, ObjectRef line, double x, double y);
// One mouse step to (x, y); with Shift, snapped as "SDeformKind" says.
void DragStep(Workspace& ws, double x, double y);
void SnapDragStep(Workspace& ws, double x, double y);
void MultiDragStep(Workspace& ws, double x, double y);
// One keyboard step (arrow key codes).
void KeyStep(Workspace& ws, int keyCode);
void SnapKeyStep(Workspace& ws, int keyCode);
void MultiKeyStep(Workspace& ws, int keyCode);
void NumberStep(Workspace& ws, int keyCode);
// "100回の変形": point 1 around a square of side delta, 100 steps, and the
// time they took printed on the drawing.
void HundredSteps(Workspace& ws);
// The release of a mouse drag: the drag mode ends and the figure is redrawn.
void EndDrag(Workspace& ws);

// The mouse and keys of the deformation modes (6, 22, 30, 61).
void DeformMouseDown(Workspace& ws, double x, double y, bool shift);
void DeformMouseMove(Workspace& ws, double x, double y, bool shift);
void DeformKey(Workspace& ws, int keyCode, bool shift);

// A new or newly bound point is placed on its host by moving it (mode 30).
void BeginPointPlacing(Workspace& ws, int point);

// One step of the dragged point: `move` changes its record; then the
// figure is recomputed and what moves drawn again.
void PointStep(Workspace& ws, const std::function<void()>& move);
// Recomputes the figure and draws every object that moves.
void DeformationStepDraw(Workspace& ws);
// A step of the plane scan: the dragged point put at (x, y), whatever
// binds it; only recomputed and marked by its sign, nothing else drawn.
void ScanStep(Workspace& ws, double x, double y);

}  // namespace sakuzu
