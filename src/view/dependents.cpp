#include "view/dependents.h"

#include <algorithm>

#include "text/text_util.h"

namespace sakuzu {
namespace {

ObjectRef Object(ObjectRef slot) {
  return ObjectRef{static_cast<int16_t>(slot.ObjectClassCode()), slot.index};
}

bool IsStepInRange(const Figure& fig, int step) {
  return step >= 1 && step <= fig.StepCount && step <= fig.StepKind.UpperBound() &&
         step <= fig.StepInputs.UpperBound() && step <= fig.StepOutputs.UpperBound();
}

// True when an input of step `step` (with its continuation row) is in the set.
bool ReadsMoving(const Figure& fig, const DependentSet& set, int step, int rows) {
  for (int s = step; s < step + rows; ++s) {
    for (int k = 1; k <= kSlotCount; ++k) {
      ObjectRef in = fig.StepInputs[s][k];
      if (in.cls == kPendingNumberMark) continue;  // a literal count
      if (set.Contains(Object(in))) return true;
    }
  }
  if (TrimRight(fig.StepKind[step]) == "CALC") {
    int out = fig.StepOutputs[step][1].index;
    if (out >= 1 && out <= ClassCount(fig, kNumberClass)) {
      for (const ExpressionOperand& o : ExpressionOperands(fig.Numbers[out].expression)) {
        if (set.Contains(ObjectRef{kNumberClass, static_cast<int16_t>(o.index)})) return true;
      }
    }
  }
  return false;
}

// Adds the outputs of the step's rows; true when one was new.
bool AddOutputs(const Figure& fig, DependentSet& set, int step, int rows) {
  bool added = false;
  for (int s = step; s < step + rows; ++s) {
    for (int k = 1; k <= kSlotCount; ++k) {
      ObjectRef out = Object(fig.StepOutputs[s][k]);
      if (out.index == 0 || set.Contains(out)) continue;
      set.Add(out);
      added = true;
    }
  }
  return added;
}

// Free points bound to a host that moves move with it.
bool AddBoundPoints(const Figure& fig, DependentSet& set) {
  bool added = false;
  int points = ClassCount(fig, kPointClass);
  for (int i = 1; i <= points; ++i) {
    const PointRecord& p = fig.Points[i];
    ObjectRef self{kPointClass, static_cast<int16_t>(i)};
    if (p.independent == 0 || p.bindKind < 1 || p.bindKind > 3 || set.Contains(self)) continue;
    if (!set.Contains(ObjectRef{p.bindKind, p.bindIndex})) continue;
    set.Add(self);
    added = true;
  }
  return added;
}

}  // namespace

bool DependentSet::Contains(ObjectRef ref) const {
  int cls = ref.cls;
  if (cls < 0 || cls > 3 || ref.index < 1) return false;
  const std::vector<uint8_t>& m = members_[cls];
  return static_cast<size_t>(ref.index) < m.size() && m[ref.index] != 0;
}

void DependentSet::Add(ObjectRef ref) {
  int cls = ref.cls;
  if (cls < 0 || cls > 3 || ref.index < 1) return;
  std::vector<uint8_t>& m = members_[cls];
  if (m.size() <= static_cast<size_t>(ref.index)) m.resize(ref.index + 1, 0);
  m[ref.index] = 1;
}

void DependentSet::Clear() {
  for (auto& m : members_) m.clear();
}

int DependentSet::Count() const {
  int n = 0;
  for (const auto& m : members_) n += static_cast<int>(std::count(m.begin(), m.end(), 1));
  return n;
}

DependentSet FindDependents(const Figure& fig, const std::vector<ObjectRef>& moved) {
  DependentSet set;
  for (ObjectRef ref : moved) set.Add(Object(ref));
  // Steps come in dependency order, so one sweep usually settles; a
  // binding to a later host or damaged data may need more, and every sweep
  // but the last adds an object, so the loop ends.
  bool changed = true;
  while (changed) {
    changed = AddBoundPoints(fig, set);
    for (int step = 1; step <= fig.StepCount; ++step) {
      if (!IsStepInRange(fig, step)) break;
      // A matrix transformation continues in a "PT62" row.
      int rows = 1;
      while (IsStepInRange(fig, step + rows) && TrimRight(fig.StepKind[step + rows]) == "PT62") {
        ++rows;
      }
      if (ReadsMoving(fig, set, step, rows) && AddOutputs(fig, set, step, rows)) changed = true;
      step += rows - 1;
    }
  }
  return set;
}

}  // namespace sakuzu
