#include "geometry/recalc.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "geometry/circles.h"
#include "geometry/kind_code.h"
#include "geometry/lines.h"
#include "geometry/measures.h"
#include "geometry/points.h"

namespace sakuzu {
namespace {

// The steps that may be read: a damaged figure may claim more steps than
// its step tables hold, and steps beyond StepCount are never looked at.
int UsableStepCount(const Figure& fig) {
  int n = fig.StepCount;
  n = std::min(n, fig.StepKind.UpperBound());
  n = std::min(n, fig.StepInputs.UpperBound());
  n = std::min(n, fig.StepOutputs.UpperBound());
  n = std::min(n, fig.StepStatus.UpperBound());
  n = std::min(n, fig.CurrentOutputs.UpperBound());
  return std::max(n, 0);
}

// The usable counts of steps and of each object class. A sweep of the
// analysis reads them once: it changes levels only, never a count or a
// table, so the counts stay what they were at its start.
struct FigureBounds {
  int steps = 0;
  std::array<int, 4> objects{};

  explicit FigureBounds(const Figure& fig) : steps(UsableStepCount(fig)) {
    for (int cls = kNumberClass; cls <= kCircleClass; ++cls) {
      objects[static_cast<size_t>(cls)] = ClassCount(fig, cls);
    }
  }

  // Objects are numbered 1 to the count of their class; anything else (a
  // damaged reference, a class code of 100 or more) names no object.
  bool Contains(ObjectRef ref) const {
    if (ref.cls < kNumberClass || ref.cls > kCircleClass) return false;
    return ref.index >= 1 && ref.index <= objects[static_cast<size_t>(ref.cls)];
  }
};

// Whether a single reference names an object, as FigureBounds::Contains.
bool IsObjectInFigure(const Figure& fig, ObjectRef ref) {
  if (ref.cls < kNumberClass || ref.cls > kCircleClass) return false;
  return ref.index >= 1 && ref.index <= ClassCount(fig, ref.cls);
}

// The level field of an object that exists in the figure (Figure may be
// const). Always inlined: the sweeps call it for every slot of every step.
template <typename FigureType>
[[gnu::always_inline]] inline auto& LevelField(FigureType& fig, ObjectRef ref) {
  return VisitTable(
      fig, ref.cls, [&](auto& table) -> auto& { return table[ref.index].exists; });
}

void SetLevel(Figure& fig, const FigureBounds& bounds, ObjectRef ref, int16_t level) {
  if (bounds.Contains(ref)) LevelField(fig, ref) = level;
}

// StepLevel for a step known to lie within bounds.steps. This and the
// next are the inner loop of every sweep, hence always inlined.
[[gnu::always_inline]] inline int16_t LevelOfStep(const Figure& fig, const FigureBounds& bounds,
                                                  int i) {
  int16_t m = kLevelFixed;
  const StepSlots& inputs = fig.StepInputs[i];
  for (int j = 1; j <= kSlotCount; ++j) {
    const ObjectRef& slot = inputs[j];
    if (slot.index == 0 && slot.ObjectClassCode() == 0) {
      return j == 1 ? kLevelMoving : m;
    }
    if (!bounds.Contains(slot)) return kLevelMissing;
    int16_t v = LevelField(fig, slot);
    if (v == kLevelMissing) return kLevelMissing;
    m = std::min(m, v);
  }
  return m;
}

// SetOutputLevels for a step known to lie within bounds.steps.
[[gnu::always_inline]] inline void SetLevelsOfOutputs(Figure& fig, const FigureBounds& bounds,
                                                      int i, int16_t level) {
  const StepSlots& outputs = fig.StepOutputs[i];
  for (int j = 1; j <= kSlotCount; ++j) {
    if (outputs[j].IsEmpty()) return;
    SetLevel(fig, bounds, outputs[j], level);
  }
}

bool IsFreePoint(const PointRecord& p) { return p.independent != 0; }

// Places a bound free point on its host and returns the host's level; an
// unbound point returns its own level. A host that names no object counts
// as missing, and the point is then not moved.
int16_t PlaceOnHost(Figure& fig, int point, Engine& engine) {
  const PointRecord& p = fig.Points[point];
  if (p.bindKind == 0) return p.exists;
  ObjectRef host{p.bindKind, p.bindIndex};
  if (host.cls == kNumberClass || !IsObjectInFigure(fig, host)) return kLevelMissing;
  BoundPointPosition(fig, point, engine);
  return GetObjectLevel(fig, host);
}

// After the steps: a free point on a host that does not exist does not
// exist, and one whose own mark was 0 exists again once its host does
// (levels of moving objects are negative, so "greater" catches the 0).
// A host level of 0 is copied outright: a point on a point that vanished
// still holds a negative level, which the comparison alone would keep.
void SettleFreePoints(Figure& fig, Engine& engine) {
  int count = ClassCount(fig, kPointClass);
  for (int p = 1; p <= count; ++p) {
    if (!IsFreePoint(fig.Points[p])) continue;
    int16_t h = PlaceOnHost(fig, p, engine);
    int16_t& exists = fig.Points[p].exists;
    if (h == kLevelMissing || exists > h) exists = h;
  }
}

// During the analysis a bound point takes over its host's level.
bool CopyHostLevels(Figure& fig, Engine& engine) {
  bool bound = false;
  int count = ClassCount(fig, kPointClass);
  for (int p = 1; p <= count; ++p) {
    if (!IsFreePoint(fig.Points[p]) || fig.Points[p].bindKind == 0) continue;
    bound = true;
    int16_t h = PlaceOnHost(fig, p, engine);
    fig.Points[p].exists = h;
  }
  return bound;
}

int16_t OutputLevelFor(int16_t stepLevel, int step) {
  if (stepLevel == kLevelMissing) return kLevelMissing;
  if (stepLevel == kLevelFixed) return kLevelFixed;
  return static_cast<int16_t>(-step);
}

void MarkListed(Figure& fig, const std::vector<ObjectRef>& list) {
  for (const ObjectRef& ref : list) {
    if (ref.IsEmpty()) return;
    SetObjectLevel(fig, ref, kLevelMoving);
  }
}

// One sweep of the analysis; true when some step changed its status.
bool AnalysisSweep(Figure& fig, int steps) {
  const FigureBounds bounds(fig);
  bool changed = false;
  for (int i = 1; i <= steps; ++i) {
    int16_t v = LevelOfStep(fig, bounds, i);
    if (v != fig.StepStatus[i]) changed = true;
    fig.StepStatus[i] = v;
    SetLevelsOfOutputs(fig, bounds, i, OutputLevelFor(v, i));
  }
  return changed;
}

// The final labelling: a bounded point stays movable even when its host
// does not move, so that it can still be dragged along it.
void LabelSteps(Figure& fig, int steps) {
  const FigureBounds bounds(fig);
  for (int i = 1; i <= steps; ++i) {
    int16_t v = LevelOfStep(fig, bounds, i);
    fig.StepStatus[i] = v;
    int16_t w = OutputLevelFor(v, i);
    if (v == kLevelFixed && TrimLeftView(fig.StepKind[i]).starts_with("PBND")) w = kLevelMoving;
    SetLevelsOfOutputs(fig, bounds, i, w);
  }
}

void ComputeByClass(Figure& fig, char lead, int i, Engine& engine) {
  switch (lead) {
    case 'N':
      ComputeNumberStep(fig, i, engine);
      return;
    case 'P':
      ComputePointStep(fig, i, engine);
      return;
    case 'L':
      ComputeLineStep(fig, i, engine);
      return;
    case 'C':
      ComputeCircleStep(fig, i, engine);
      return;
    default:
      return;
  }
}

}  // namespace

int16_t GetObjectLevel(const Figure& fig, ObjectRef ref) {
  if (!IsObjectInFigure(fig, ref)) return kLevelMissing;
  return LevelField(fig, ref);
}

void SetObjectLevel(Figure& fig, ObjectRef ref, int16_t level) {
  if (IsObjectInFigure(fig, ref)) LevelField(fig, ref) = level;
}

int16_t StepLevel(const Figure& fig, int i) {
  const FigureBounds bounds(fig);
  if (i < 1 || i > bounds.steps) return kLevelMissing;
  return LevelOfStep(fig, bounds, i);
}

void SetOutputLevels(Figure& fig, int i, int16_t level) {
  const FigureBounds bounds(fig);
  if (i < 1 || i > bounds.steps) return;
  SetLevelsOfOutputs(fig, bounds, i, level);
}

void ComputeStep(Figure& fig, int i, Engine& engine) {
  if (i < 1 || i > UsableStepCount(fig)) return;
  std::string_view kind = TrimRightView(fig.StepKind[i]);
  if (kind == "CALC" && engine.computeExpression) {
    // The callback receives the whole figure; what follows goes by the
    // kind as it was read before the call.
    kind = "CALC";
    engine.computeExpression(fig, i);
  }
  fig.CurrentStep = static_cast<int16_t>(i);
  auto& current = fig.CurrentOutputs[i];
  for (int j = 1; j <= kSlotCount; ++j) current[j] = fig.StepOutputs[i][j].index;
  if (fig.FinalPass) fig.CurrentKindText.assign(kind);
  std::string_view lead = TrimLeftView(kind);
  if (!lead.empty()) ComputeByClass(fig, lead[0], i, engine);
  fig.CurrentKindText.clear();
}

void RecomputeAll(Figure& fig, Engine& engine) {
  engine.angleMarks.clear();
  int steps = UsableStepCount(fig);
  for (int pass = 1; pass <= fig.RecalcPasses; ++pass) {
    fig.FinalPass = pass == fig.RecalcPasses ? kTrue : kFalse;
    for (int i = 1; i <= steps; ++i) {
      if (fig.StepStatus[i] != kLevelFixed) ComputeStep(fig, i, engine);
    }
    SettleFreePoints(fig, engine);
  }
  fig.FinalPass = kFalse;
}

void AnalyseDependencies(Figure& fig, const std::vector<ObjectRef>& list, Engine& engine) {
  int steps = UsableStepCount(fig);
  MarkListed(fig, list);
  for (int i = 1; i <= steps; ++i) fig.StepStatus[i] = 0;
  // A figure in dependency order settles in two sweeps; the cap ends
  // damaged data whose references run in a circle, where levels may flip
  // for ever.
  const int maxCount = steps + kExtraAnalysisSweeps;
  int c = -1;
  bool bound = false;
  bool changed = true;
  while (changed && c < maxCount) {
    ++c;
    changed = AnalysisSweep(fig, steps);
    if (CopyHostLevels(fig, engine)) bound = true;
  }
  int passes = std::min(c + (bound ? 1 : 0), kMaxCount);
  fig.RecalcPasses = static_cast<int16_t>(passes);
  MarkListed(fig, list);
  for (int pass = 1; pass <= fig.RecalcPasses; ++pass) {
    LabelSteps(fig, steps);
    SettleFreePoints(fig, engine);
  }
}

void AnalyseDependencies(Figure& fig, const std::vector<ObjectRef>& list) {
  Engine quiet;
  AnalyseDependencies(fig, list, quiet);
}

void FullUpdateCompute(Figure& fig, Engine& engine) {
  int numbers = ClassCount(fig, kNumberClass);
  for (int i = 1; i <= numbers; ++i) {
    if (fig.Numbers[i].exists != 0) fig.Numbers[i].exists = kLevelMoving;
  }
  int points = ClassCount(fig, kPointClass);
  for (int i = 1; i <= points; ++i) {
    if (fig.Points[i].exists != 0) fig.Points[i].exists = kLevelMoving;
  }
  AnalyseDependencies(fig, {}, engine);
  RecomputeAll(fig, engine);
  CopyToPrevious(fig);
}

}  // namespace sakuzu
