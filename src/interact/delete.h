// Deleting any object with everything built on it. The step that made the
// object goes (with the whole group or matrix transformation it belongs
// to), and so does every step that reads something that goes: through its
// inputs, the operands of an expression, or the binding of a point. The
// objects and steps that stay close up in their order, and every
// reference to them is renumbered, so the figure is as a file would hold it.
#pragma once

#include <string>
#include <vector>

#include "interact/workspace.h"
#include "model/figure.h"

namespace sakuzu {

constexpr std::string_view kDeleteQuestion = "次の対象を削除します。よろしいですか。";

struct DeletionPlan {
  std::vector<int> steps;          // the steps that go, in order
  std::vector<ObjectRef> objects;  // the objects that go, by class and index
};

// What deleting `ref` takes with it; empty when the object is not one a
// step made.
DeletionPlan PlanDeletion(const Figure& fig, ObjectRef ref);
// Removes the planned steps and objects and renumbers what stays.
void ApplyDeletion(Figure& fig, const DeletionPlan& plan);

// The pop-up's "削除" (and the Delete key on the object under the mouse):
// everything that goes is marked and named, and goes once the user agrees.
void DeleteObjectCommand(Workspace& ws);

}  // namespace sakuzu
