// Construction commands and their history. A command appends a pending
// step (always the last step) whose slots record the classes it still
// needs, lets the user pick them one at a time (objects on the drawing,
// numbers in the number dialog), and when every input is there creates the
// outputs and runs the full update. The same machinery places new free
// points and points bound to a line or circle, builds the group kinds
// (equal division, angle n-section, perpendicular foot, polygon, regular
// polygon), deletes the last step or group, repeats the last command and
// starts a new figure. Every command, finished or cancelled, leaves the
// mode stack as it found it.
#pragma once

#include <string>
#include <string_view>

#include "interact/workspace.h"
#include "model/kinds.h"

namespace sakuzu {

// "{name}" is the kind's display name.
constexpr std::string_view kNotEnoughMessage =
    "「{name}」の元にするものが足りません。まず,それを作ってください。";
constexpr std::string_view kNoHostMessage = "元にする対象がありません。キャンセルします。";
constexpr std::string_view kTooFewVerticesMessage =
    "頂点の数が足りないので,この多角形は作れません。この作業はキャンセルします。";
// The marks new points get when visible marks are on: a small filled
// square for a free point, a ring for a point bound to a line or circle.
constexpr int16_t kFreePointMark = 4;
constexpr int16_t kBoundPointMark = 2;

constexpr std::string_view kWholeCountMessage = "{n} 以上の整数を入力してください。";

// A construction or measurement command of the menus: the kind and, for
// the commands that draw a line part or need a segment, its line kinds.
void StartConstruction(Workspace& ws, std::string_view kind, const KindCommand* command = nullptr);
// The menu command named `control` (its kind from the catalogue); false
// when no kind has that command.
bool RunKindCommand(Workspace& ws, std::string_view control);

// Asks for the first input of the pending step.
void RequestNextInput(Workspace& ws);
// A picked object (or number) for the pending step; an empty index cancels.
void InputPicked(Workspace& ws, ObjectRef ref);
// True when the figure holds enough objects (and segments) for the pending step.
bool CheckEnoughObjects(const Workspace& ws);

// New free points (mode 28): placed by a click, or by the keys (arrows
// move it, Enter places it, "A" the axes, "H" the origin, Esc ends).
void NewFreePoint(Workspace& ws);
void MovePendingPoint(Workspace& ws, double x, double y);
void PlacePendingPoint(Workspace& ws, double x, double y);
void PendingPointKey(Workspace& ws, int keyCode);

// A new point bound to a line (host class 2) or circle (3): the host is
// picked, then the point's place on it is set by moving it (mode 30).
void BoundedPoint(Workspace& ws, int hostClass);
void SetBoundHost(Workspace& ws, ObjectRef host);

// A polygon is being built: its vertices are picked one by one.
bool IsPolygonInProgress(const Workspace& ws);
bool IsPolygonVertex(const Workspace& ws, ObjectRef ref);

// "最後抹消": removes the last step, a whole group, or a matrix
// transformation with its continuation row; beeps on an empty figure.
void DeleteLast(Workspace& ws);
// Removes step StepCount and its own outputs (the newest objects of their
// classes; a damaged reference to an older object is left alone).
void RemoveLastStep(Figure& fig);
// "繰り返し": the last step's command again on new inputs.
void RepeatLast(Workspace& ws);
// "新規作成": asks when the figure is not empty, then starts placing points.
void NewFigure(Workspace& ws);
// "数式": an expression number from the expression dialog.
void ExpressionCommand(Workspace& ws);
// A demonstration (linear, affine, projective map) appended; the numbers
// it made start hidden, and only those.
void MacroCommand(Workspace& ws, bool (*macro)(Figure&));

}  // namespace sakuzu
