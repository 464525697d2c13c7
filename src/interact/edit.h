// The edit commands: the attributes of a point, line, circle or number in
// their dialog, the binding of a free point to a point, line or circle (or
// setting it free), and scribbling over the figure. Every command,
// finished or cancelled, leaves the mode stack as it found it.
#pragma once

#include "interact/workspace.h"

namespace sakuzu {

// "点" (F2), "直線", "円": choose the object, then its dialog.
void EditObjectCommand(Workspace& ws, int cls);
// "個別に設定": choose the number in the number dialog, then its dialog.
void EditNumberCommand(Workspace& ws);
// "点(束縛条件)" (Ctrl+B): choose the point, then how it is bound.
void EditBindingCommand(Workspace& ws);
// The pop-up menu's entries on its object.
void PopupEditCommand(Workspace& ws);
void PopupBindingCommand(Workspace& ws);
void PopupSetFreeCommand(Workspace& ws);

// The dialog of the object's class; OK stores the attributes and redraws.
void EditAttributes(Workspace& ws, ObjectRef ref);
// How free point `point` is bound: free, on a point, a line or a circle
// (then the host is picked, and the point set on it).
void EditBinding(Workspace& ws, int point);
// True when the object may not be the host of the point being bound (the
// point itself, or anything built on it).
bool IsExcludedHost(const Workspace& ws, ObjectRef ref);

// The end of an edit command's selection (the mode beneath says which);
// false when the selection belongs to another command.
bool EditSelectionConfirmed(Workspace& ws, int16_t below, ObjectRef chosen);
bool EditSelectionCancelled(Workspace& ws, int16_t below);

// "落書き機能": free-hand strokes over the figure while the button is held;
// Esc (or the right button) ends it and the redraw clears them.
void ScribbleCommand(Workspace& ws);
void ScribbleMouseDown(Workspace& ws, double x, double y);
void ScribbleMouseMove(Workspace& ws, double x, double y);
void ScribbleMouseUp(Workspace& ws);
void ScribbleKey(Workspace& ws, int keyCode);

}  // namespace sakuzu
