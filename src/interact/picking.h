// Which object the mouse or the keyboard designates. In the standard mode
// the mouse hovers: the object nearest to the cursor (by weighted
// distances) is named in status panel 4, a draggable one is highlighted.
// In the selection modes a candidate list is built; the current candidate
// is highlighted, the arrow keys step through the list, a click moves the
// highlight to the nearest candidate or confirms it, Enter confirms, Esc
// cancels. All distances are figure units; tolerances are pixels times
// ViewScale.
#pragma once

#include <string>

#include "interact/workspace.h"

namespace sakuzu {

// Key codes of the selection and deformation modes.
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyDelete = 46;

// Hover picking in the standard mode (full menu: points, lines and
// circles by weighted distance; simple menu: points only). Names the hit
// object in panel 4, sets the cursor and the hover mark; returns the hit
// object (empty when nothing lies within 10 pixels).
ObjectRef PickForDrag(Workspace& ws, double x, double y);
ObjectRef PickPointForDrag(Workspace& ws, double x, double y);
// A free point, or a line through two free points.
bool IsDraggable(const Figure& fig, ObjectRef ref);

void ShowHoverMark(Workspace& ws, ObjectRef ref);
void ClearHoverMark(Workspace& ws);

// "点A" ("Point A"): the class word and the name; empty for an object
// that is not in the figure.
std::string ObjectNameText(const Workspace& ws, ObjectRef ref);
// Panel 4: the class word and the name ("点A"), or nothing.
void ShowObjectName(Workspace& ws, ObjectRef ref);
void ClearObjectName(Workspace& ws);
// "点", "直線", "円", "変数" through Translate.
std::string ClassWord(const Workspace& ws, int cls);

// The candidates of a selection: every object of a class; every point but
// the polygon's vertices; every free point. The first candidate that may
// be chosen becomes current (shown unless `show` is false). False when
// nothing can be chosen: the caller ends its selection (a redraw, which
// builds the free points, never ends a mode).
bool BuildCandidates(Workspace& ws, int cls);
bool BuildPolygonCandidates(Workspace& ws);
bool BuildDraggableCandidates(Workspace& ws, bool show);
// Marks every free point with the hover mark (where dragging is possible).
void MarkDraggableCandidates(Workspace& ws);

// True when the candidate may not be chosen now (used already by the
// pending step, a line of another kind, a point chosen before).
bool IsExcluded(const Workspace& ws, ObjectRef ref);
// The existing candidate nearest to (x, y) that may be chosen.
ObjectRef PickNearestCandidate(const Workspace& ws, double x, double y);

// A click in a selection mode: the first click on another candidate only
// moves the highlight, a click on the current one confirms it.
void SelectByMouse(Workspace& ws, double x, double y);
// The same for a candidate designated otherwise (a line of the number list).
void SelectCandidate(Workspace& ws, ObjectRef ref);
// Down and Up step through the list (wrapping, skipping excluded ones),
// Enter confirms, Esc cancels.
void SelectByKey(Workspace& ws, int keyCode);

void ShowCurrentCandidate(Workspace& ws, ObjectRef ref);
void HideCurrentCandidate(Workspace& ws);
// The first candidate that may be chosen becomes current, shown and named;
// false (and no current one) when none is left.
bool ShowFirstCandidate(Workspace& ws);
// Marks an object a construction has taken as an input, until the next
// full redraw.
void MarkPicked(Workspace& ws, ObjectRef ref);

// The pop-up menu on an object: captions "編集:点 A" and so on, the
// binding, set-free and keyboard entries only for free points.
PopupMenu PopupMenuFor(Workspace& ws, ObjectRef ref);

}  // namespace sakuzu
