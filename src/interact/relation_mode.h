// The command "関係を調べる": two to four objects are chosen as the
// construction commands choose them (points, lines and circles by mouse
// or arrow keys, numbers also by a click on their line of the number
// list), Esc (or the right button) ends the choice once two are chosen,
// and the answers follow in one box: which relations hold now and whether
// each holds always. When one does not, the box offers to show the
// counterexample: the figure moves there, and a second box offers to go
// back. A counterexample kept is the command's change, one step to undo.
#pragma once

#include <cstdint>

#include "interact/workspace.h"

namespace sakuzu {

// How many objects a check takes.
constexpr int kRelationMinObjects = 2;
constexpr int kRelationMaxObjects = 4;

void RelationCheckCommand(Workspace& ws);

// The end of one choice (the mode beneath says whose); false when the
// selection belongs to another command.
bool RelationSelectionConfirmed(Workspace& ws, int16_t below, ObjectRef chosen);
bool RelationSelectionCancelled(Workspace& ws, int16_t below);

// A click at pixel (px, py) in the choice: true when it fell on a line of
// the number list, whose number then became current or was chosen.
bool RelationChooseListedNumber(Workspace& ws, double px, double py);

}  // namespace sakuzu
