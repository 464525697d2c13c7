// "Is it always true?": which relations hold now among a few chosen
// objects, and whether each holds in every position of the figure. The
// figure is put into many random positions (every free point somewhere in
// the visible area and a margin, every point bound to a line or circle
// somewhere on it, every shown free number near its value), recomputed,
// and the relation tested where all its objects exist. The positions come
// from a seeded generator of our own, so a figure and a seed give the same
// answer on every machine.
//
// The check works on a copy: the figure itself is never changed. Only
// ApplyCounterexample changes it, and the caller makes that one undo step.
//
// Tolerances. Positions are tested against the figure's size: L is half
// the diagonal of the area the free points are drawn from. A length counts
// as zero below 1e-9 L, an angle below 1e-9 radians, a difference of
// numbers below 1e-9 of the larger (at least 1). Rounding in a chain of
// constructions stays near 1e-13 L, while a relation that is merely true
// by chance misses by a sizeable part of L at a random position, so the
// gap is wide on both sides. Sides, arms and radii shorter than 1e-6 L make
// objects degenerate: such positions prove nothing either way. A failure
// must also survive a nudge of the free inputs (1e-3 L): where two
// circles barely meet the engine rounds the meeting points to a tangency,
// and a theorem would seem to fail at exactly such a position.
//
// "Now" is what the user sees: a length within one pixel, an angle within
// 0.01 radians (the engine treats lines that close as parallel), numbers
// within a thousandth. A triangle dragged to look isosceles is isosceles
// now.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/engine.h"
#include "model/figure.h"
#include "view/view_mapping.h"

namespace sakuzu {

enum class RelationKind {
  kOnLine,          // point, line
  kOnCircle,        // point, circle
  kCollinear,       // three points
  kConcyclic,       // four points
  kParallel,        // two lines
  kPerpendicular,   // two lines
  kLineTangent,     // line, circle
  kCirclesTangent,  // two circles
  kEqualSegments,   // two lines drawn as segments: their lengths
  kEqualDistances,  // points A, B, C, D: AB = CD (a point may come twice: AB = AC)
  kEqualAngles,     // points A, B, C, D, E, F: angle ABC = angle DEF
  kEqualNumbers,    // two numbers
};

struct Relation {
  RelationKind kind = RelationKind::kCollinear;
  std::vector<ObjectRef> objects;  // in the order the kind lists them
  bool operator==(const Relation&) const = default;
};

// True when the objects exist in the figure's tables, are as many and of
// the classes the kind takes (lines of equal segments drawn as segments),
// and are distinct where the kind needs them distinct.
bool IsWellFormed(const Figure& fig, const Relation& relation);

struct CheckOptions {
  int positions = 10000;  // at least 1
  uint64_t seed = 1;
  // Hidden free numbers are the figure's constants (the 1 : 1 of a
  // midpoint, the angle of a regular polygon) and keep their values unless
  // this is set; shown free numbers (a radius to play with) always vary.
  bool varyHiddenNumbers = false;
};

enum class NowState { kHolds, kFails, kDegenerate, kMissing };

enum class CheckOutcome {
  kAlways,         // held in every position that told anything
  kNotAlways,      // a counterexample was found
  kFixedHolds,     // nothing the relation depends on can move; it holds
  kFixedFails,     // ... and it does not hold
  kNeverExists,    // the objects never existed together
  kAllDegenerate,  // they existed, but were degenerate wherever they did
  kNotWellFormed,  // the objects do not make this relation (see IsWellFormed)
};

// A free input of the figure in one position.
struct FreeValue {
  ObjectRef object;      // a free point (bound to a line or circle or not) or a free number
  double x = 0, y = 0;   // the point's place; for a number, x is its value
  double parameter = 0;  // a bound point's place on its host
  bool operator==(const FreeValue&) const = default;
};

struct RelationAnswer {
  Relation relation;
  NowState now = NowState::kMissing;
  CheckOutcome outcome = CheckOutcome::kNeverExists;
  int tried = 0;         // positions drawn
  int existing = 0;      // of them, where every object of the relation existed
  int inconclusive = 0;  // of those, degenerate ones and failures gone at a nudge
  int failing = 0;       // of those, where the relation failed
  uint64_t seed = 0;
  std::vector<FreeValue> counterexample;  // kNotAlways: the clearest failure
  std::vector<ObjectRef> neverExisting;   // kNeverExists: objects that existed nowhere
};

// Checks each relation over the same positions; one answer per relation,
// in their order. `view` gives the visible area, wherever it was panned to,
// and the pixel size (a view never laid out counts as a 640 x 480 drawing
// area at the standard scale).
std::vector<RelationAnswer> CheckRelations(const Figure& fig, const ViewState& view,
                                           const std::vector<Relation>& relations,
                                           const CheckOptions& options = {});
RelationAnswer CheckRelation(const Figure& fig, const ViewState& view, const Relation& relation,
                             const CheckOptions& options = {});

// The relations worth asking about among two to four chosen objects.
std::vector<Relation> CandidateRelations(const Figure& fig, const std::vector<ObjectRef>& chosen);
// Those of them that hold now, each checked; empty when none holds now.
std::vector<RelationAnswer> FindRelations(const Figure& fig, const ViewState& view,
                                          const std::vector<ObjectRef>& chosen,
                                          const CheckOptions& options = {});

// Puts the figure into the position of a counterexample and recomputes it.
// Values naming no free input of the figure are passed over.
void ApplyCounterexample(Figure& fig, const std::vector<FreeValue>& values, Engine& engine);

// The command line's way in: a relation's English name ("collinear",
// "concyclic", "on", "parallel", "perpendicular", "tangent", "equal") and
// object names. A name may be written "point:A", "line:AB", "circle:1" or
// "number:r" when several objects share it. Nothing and a message (in
// English) when the names do not make a relation.
struct RelationRequest {
  std::optional<Relation> relation;
  std::string error;
};
RelationRequest RelationFromNames(const Figure& fig, std::string_view relationName,
                                  const std::vector<std::string>& names);

}  // namespace sakuzu
