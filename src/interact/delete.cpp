#include "interact/delete.h"

#include <array>

#include "interact/locus.h"
#include "interact/picking.h"
#include "model/kinds.h"
#include "numbers/auto_names.h"
#include "text/text_util.h"
#include "view/dependents.h"

namespace sakuzu {
namespace {

constexpr size_t kNamedAtMost = 30;  // the question names this many, then counts the rest

struct Unit {
  int first = 0, last = 0;  // steps
};

std::string KindOf(const Figure& fig, int step) { return Trim(fig.StepKind[step]); }

// The steps in the pieces that go together: a group from its opening to
// its closing step, a matrix transformation with its continuation rows,
// any other step alone.
std::vector<Unit> Units(const Figure& fig) {
  std::vector<Unit> units;
  int n = std::min<int>(fig.StepCount, fig.StepKind.UpperBound());
  for (int s = 1; s <= n; ++s) {
    Unit unit{s, s};
    std::string kind = KindOf(fig, s);
    if (IsGroupKind(kind)) {
      for (int t = s + 1; t <= n; ++t) {
        if (KindOf(fig, t) == kind) {
          unit.last = t;
          break;
        }
      }
    }
    while (unit.last < n && KindOf(fig, unit.last + 1) == "PT62") ++unit.last;
    units.push_back(unit);
    s = unit.last;
  }
  return units;
}

bool IsObjectSlot(ObjectRef slot) {
  return slot.index > 0 && slot.cls >= kNumberClass && slot.cls <= kCircleClass;
}

bool UnitReads(const Figure& fig, const Unit& unit, const DependentSet& going) {
  for (int s = unit.first; s <= unit.last; ++s) {
    for (int k = 1; k <= kSlotCount; ++k) {
      ObjectRef in = fig.StepInputs[s][k];
      if (IsObjectSlot(in) && going.Contains(in)) return true;
    }
    for (int k = 1; k <= kSlotCount; ++k) {
      ObjectRef out = fig.StepOutputs[s][k];
      if (!IsObjectSlot(out)) continue;
      if (out.cls == kNumberClass && KindOf(fig, s) == "CALC" &&
          out.index <= ClassCount(fig, kNumberClass)) {
        for (const ExpressionOperand& o : ExpressionOperands(fig.Numbers[out.index].expression)) {
          if (going.Contains(ObjectRef{kNumberClass, static_cast<int16_t>(o.index)})) return true;
        }
      }
      if (out.cls == kPointClass && out.index <= ClassCount(fig, kPointClass)) {
        const PointRecord& p = fig.Points[out.index];
        if (p.bindKind >= kPointClass && p.bindKind <= kCircleClass &&
            going.Contains(ObjectRef{p.bindKind, p.bindIndex})) {
          return true;
        }
      }
    }
  }
  return false;
}

bool UnitMakes(const Figure& fig, const Unit& unit, ObjectRef ref) {
  for (int s = unit.first; s <= unit.last; ++s) {
    for (int k = 1; k <= kSlotCount; ++k) {
      ObjectRef out = fig.StepOutputs[s][k];
      if (IsObjectSlot(out) && out.cls == ref.cls && out.index == ref.index) return true;
    }
  }
  return false;
}

void AddOutputs(const Figure& fig, const Unit& unit, DependentSet& going) {
  for (int s = unit.first; s <= unit.last; ++s) {
    for (int k = 1; k <= kSlotCount; ++k) {
      ObjectRef out = fig.StepOutputs[s][k];
      if (IsObjectSlot(out) && out.index <= ClassCount(fig, out.cls)) going.Add(out);
    }
  }
}

ObjectRef Ref(int cls, int index) {
  return ObjectRef{static_cast<int16_t>(cls), static_cast<int16_t>(index)};
}

// Old index to new, per class; 0 for an object that goes.
using IndexMaps = std::array<std::vector<int16_t>, 4>;

template <typename Record>
void Compact(Table<Record>& table, int count, const std::vector<int16_t>& map) {
  for (int i = 1; i <= count; ++i) {
    if (map[i] != 0 && map[i] != i) table[map[i]] = table[i];
  }
}

ObjectRef Renumbered(const IndexMaps& maps, ObjectRef slot) {
  if (!IsObjectSlot(slot)) return slot;
  const std::vector<int16_t>& map = maps[slot.cls];
  if (static_cast<size_t>(slot.index) >= map.size()) return slot;  // beyond the table: as it was
  return ObjectRef{slot.cls, map[slot.index]};
}

std::string RenumberedExpression(const std::string& expression, const std::vector<int16_t>& map) {
  std::string out;
  size_t at = 0;
  for (const ExpressionOperand& o : ExpressionOperands(expression)) {
    out += expression.substr(at, o.from - at);
    bool known = o.index >= 1 && static_cast<size_t>(o.index) < map.size() && map[o.index] != 0;
    out += known ? std::to_string(map[o.index]) : expression.substr(o.from, o.to - o.from);
    at = o.to;
  }
  return out + expression.substr(at);
}

}  // namespace

DeletionPlan PlanDeletion(const Figure& fig, ObjectRef ref) {
  DeletionPlan plan;
  std::vector<Unit> units = Units(fig);
  std::vector<bool> goes(units.size(), false);
  DependentSet going;
  bool found = false;
  for (size_t u = 0; u < units.size() && !found; ++u) {
    if (!UnitMakes(fig, units[u], ref)) continue;
    goes[u] = found = true;
    AddOutputs(fig, units[u], going);
  }
  if (!found) return plan;
  // Steps come in order, so one sweep mostly settles; a binding to a later
  // host needs another, and every sweep but the last takes a unit more.
  bool changed = true;
  while (changed) {
    changed = false;
    for (size_t u = 0; u < units.size(); ++u) {
      if (goes[u] || !UnitReads(fig, units[u], going)) continue;
      goes[u] = changed = true;
      AddOutputs(fig, units[u], going);
    }
  }
  for (size_t u = 0; u < units.size(); ++u) {
    if (!goes[u]) continue;
    for (int s = units[u].first; s <= units[u].last; ++s) plan.steps.push_back(s);
  }
  for (int cls = kNumberClass; cls <= kCircleClass; ++cls) {
    for (int i = 1; i <= ClassCount(fig, cls); ++i) {
      if (going.Contains(Ref(cls, i))) plan.objects.push_back(Ref(cls, i));
    }
  }
  return plan;
}

void ApplyDeletion(Figure& fig, const DeletionPlan& plan) {
  if (plan.steps.empty()) return;
  DependentSet going;
  for (ObjectRef ref : plan.objects) going.Add(ref);
  IndexMaps maps;
  std::array<int, 4> counts{};
  for (int cls = kNumberClass; cls <= kCircleClass; ++cls) {
    int count = ClassCount(fig, cls);
    maps[cls].assign(static_cast<size_t>(count) + 1, 0);
    for (int i = 1; i <= count; ++i) {
      if (!going.Contains(Ref(cls, i))) maps[cls][i] = static_cast<int16_t>(++counts[cls]);
    }
  }
  // References first, while every record is still at its old index.
  for (int i = 1; i <= ClassCount(fig, kPointClass); ++i) {
    PointRecord& p = fig.Points[i];
    if (p.bindKind >= kPointClass && p.bindKind <= kCircleClass) {
      p.bindIndex = Renumbered(maps, ObjectRef{p.bindKind, p.bindIndex}).index;
    }
  }
  for (int i = 1; i <= ClassCount(fig, kNumberClass); ++i) {
    NumberRecord& n = fig.Numbers[i];
    if (!n.expression.empty())
      n.expression = RenumberedExpression(n.expression, maps[kNumberClass]);
  }
  Compact(fig.Numbers, ClassCount(fig, kNumberClass), maps[kNumberClass]);
  Compact(fig.Points, ClassCount(fig, kPointClass), maps[kPointClass]);
  Compact(fig.Lines, ClassCount(fig, kLineClass), maps[kLineClass]);
  Compact(fig.Circles, ClassCount(fig, kCircleClass), maps[kCircleClass]);
  for (int cls = kNumberClass; cls <= kCircleClass; ++cls) {
    for (int i = ClassCount(fig, cls); i > counts[cls]; --i) ResetObject(fig, Ref(cls, i));
    fig.ObjectCounts[cls] = static_cast<int16_t>(counts[cls]);
  }
  // The steps that stay close up, their slots renumbered.
  std::vector<bool> stepGoes(static_cast<size_t>(fig.StepCount) + 1, false);
  for (int s : plan.steps) stepGoes[s] = true;
  int kept = 0;
  for (int s = 1; s <= fig.StepCount; ++s) {
    if (stepGoes[s]) continue;
    ++kept;
    fig.StepKind[kept] = fig.StepKind[s];
    fig.StepReversed[kept] = fig.StepReversed[s];
    fig.StepStatus[kept] = fig.StepStatus[s];
    for (int k = 1; k <= kSlotCount; ++k) {
      fig.StepInputs[kept][k] = Renumbered(maps, fig.StepInputs[s][k]);
      fig.StepOutputs[kept][k] = Renumbered(maps, fig.StepOutputs[s][k]);
    }
  }
  for (int s = kept + 1; s <= fig.StepCount; ++s) {
    fig.StepKind[s].clear();
    fig.StepReversed[s] = 0;
    fig.StepStatus[s] = 0;
    fig.StepInputs[s] = StepSlots{};
    fig.StepOutputs[s] = StepSlots{};
  }
  fig.StepCount = static_cast<int16_t>(kept);
}

void DeleteObjectCommand(Workspace& ws) {
  ObjectRef target = ws.pick.popupObject;
  ws.pick.popupObject = {};
  DeletionPlan plan = PlanDeletion(ws.fig, target);
  if (plan.steps.empty()) {
    ws.shell().Beep();
    return;
  }
  // What goes is marked in red and named before the user agrees.
  std::string names;
  size_t named = 0;
  for (ObjectRef ref : plan.objects) {
    if (ref.cls != kNumberClass) {
      ShowMark(ws.renderer, ObjectMark(MarkTag::kPicked, ref, 1, 1, 1, true));
    }
    if (named == kNamedAtMost) continue;
    names += "\n" + ObjectNameText(ws, ref);
    ++named;
  }
  if (plan.objects.size() > named) {
    names += "\n(" + std::to_string(plan.objects.size() - named) + ")...";
  }
  bool agreed = ws.shell().Confirm(ws.T(kDeleteQuestion) + names);
  RemoveMarks(ws.renderer, MarkTag::kPicked);
  if (!agreed) return;
  // The locus variable follows its number, or goes with it.
  int16_t variable = ws.locus.variable;
  int16_t newVariable = 0;
  if (variable >= 1) {
    int before = 0;
    bool goes = false;
    for (ObjectRef ref : plan.objects) {
      if (ref.cls != kNumberClass) continue;
      if (ref.index == variable) goes = true;
      if (ref.index < variable) ++before;
    }
    newVariable = goes ? int16_t{0} : static_cast<int16_t>(variable - before);
  }
  ApplyDeletion(ws.fig, plan);
  ws.locus.variable = newVariable;
  ws.drag = DragState{};
  ClearObjectName(ws);
  ResetTraces(ws);
  UpdateAutoNames(ws.fig, ws.renderer.engine.translate);
  Redraw(ws.renderer);
}

}  // namespace sakuzu
