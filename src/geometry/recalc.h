// The recalculation driver: recomputes every object of the figure from its
// construction step, and beforehand works out which steps depend on moving
// objects and how many passes a recomputation needs.
//
// During the analysis the `exists` field of every object, and the
// `StepStatus` of every step, carries a level:
//    0  does not exist (nor does anything built on it);
//    2  exists and depends on nothing that moves (its step can be skipped);
//   -1  a moving object, or a step without inputs;
//   -k  an output of step k that depends on something that moves.
// After a computation every per-kind routine writes 0 or -1; any non-zero
// value counts as existing.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/engine.h"
#include "model/figure.h"

namespace sakuzu {

// Levels of the analysis.
constexpr int16_t kLevelMissing = 0;
constexpr int16_t kLevelFixed = 2;
constexpr int16_t kLevelMoving = -1;

// Sweeps the analysis may make beyond the number of steps. A figure whose
// steps come in dependency order settles after two sweeps, and damaged
// data referring to later steps needs at most one more per step; levels
// of data whose references run in a circle may flip for ever, and the cap
// ends the analysis there (RecalcPasses is then StepCount + this, plus one
// with bound points).
constexpr int kExtraAnalysisSweeps = 8;

// Recomputes the outputs of step i (1 to StepCount; others are ignored).
void ComputeStep(Figure& fig, int i, Engine& engine);

// Recomputes the whole figure in RecalcPasses passes, skipping steps whose
// status is 2, and places the bound free points after every pass.
void RecomputeAll(Figure& fig, Engine& engine);

// Sets StepStatus of every step, the levels in `exists` and RecalcPasses.
// `list` names the moving objects (an empty entry ends it early).
void AnalyseDependencies(Figure& fig, const std::vector<ObjectRef>& list, Engine& engine);
void AnalyseDependencies(Figure& fig, const std::vector<ObjectRef>& list);

// The level of step i from the levels of its inputs.
int16_t StepLevel(const Figure& fig, int i);
// Writes `level` into the `exists` field of each output of step i.
void SetOutputLevels(Figure& fig, int i, int16_t level);

// The `exists` field of the referenced object; a class other than 0 to 3,
// or an index outside 1 to the count of its class, reads as 0.
int16_t GetObjectLevel(const Figure& fig, ObjectRef ref);
// Writes the `exists` field; references to no object are ignored.
void SetObjectLevel(Figure& fig, ObjectRef ref, int16_t level);

// The computation part of the full update: clears the levels of the last
// analysis, analyses with no moving object, recomputes everything and
// copies the result into the previous-state tables.
void FullUpdateCompute(Figure& fig, Engine& engine);

}  // namespace sakuzu
