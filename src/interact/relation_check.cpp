// The relation check's checker: the free inputs found, the positions drawn
// and recomputed, each relation judged, failures nudged and the clearest
// counterexample kept. It is one class over one working copy of the
// figure, which keeps it in one file; the tests of single relations live
// in geometry/relations and the answer's words in relation_words.
#include "interact/relation_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "geometry/points.h"
#include "geometry/primitives.h"
#include "geometry/recalc.h"
#include "geometry/relations.h"
#include "numbers/expression.h"
#include "view/dependents.h"

namespace sakuzu {
namespace {

// Tolerances of the positions tried, as parts of the figure's size L
// (lengths) or absolute (angles, relative differences); see the header.
constexpr double kLengthTolerance = 1e-9;
constexpr double kAngleTolerance = 1e-9;
constexpr double kRelativeTolerance = 1e-9;
constexpr double kDegenerateLength = 1e-6;
// Tolerances of the figure as it stands (lengths in pixels).
constexpr double kNowPixels = 1;
constexpr double kNowAngle = 0.01;
constexpr double kNowRelative = 0.001;

constexpr double kMargin = 0.1;    // the free points' area reaches this far beyond the visible one
constexpr double kNudge = 1e-3;    // of L, or of a number's spread
constexpr int kNudgesFailing = 3;  // nudges that must fail too
constexpr int kNudgeAttempts = 8;
constexpr size_t kFailuresKept = 64;
// A failure by this many tolerances (a hundredth of L, 0.01 radians, a
// hundredth of a number) is plain to see; beyond it, one that shows on
// the screen is the better counterexample.
constexpr double kClearExcess = 1e7;
constexpr double kApart = 0.05;  // of L: free points this far apart are apart enough
constexpr int kStandardWidth = 640, kStandardHeight = 480;  // a view that was never laid out

int Count(const Figure& fig, int cls) {
  return std::clamp<int>(fig.ObjectCounts[static_cast<size_t>(cls)], 0, ObjectUpperBound(fig, cls));
}

bool NamesObject(const Figure& fig, ObjectRef ref) {
  return ref.cls >= kNumberClass && ref.cls <= kCircleClass && ref.index >= 1 &&
         ref.index <= Count(fig, ref.cls);
}

int16_t ExistsField(const Figure& fig, ObjectRef ref) {
  switch (ref.cls) {
    case kNumberClass:
      return fig.Numbers[ref.index].exists;
    case kPointClass:
      return fig.Points[ref.index].exists;
    case kLineClass:
      return fig.Lines[ref.index].exists;
    default:
      return fig.Circles[ref.index].exists;
  }
}

bool IsSegment(const LineRecord& l) {
  return l.lineKind == 1 || (l.lineKind >= 4 && l.lineKind <= 6);
}

// ---- What each kind takes ------------------------------------------------

std::vector<int> Classes(RelationKind kind) {
  constexpr int N = kNumberClass, P = kPointClass, L = kLineClass, C = kCircleClass;
  switch (kind) {
    case RelationKind::kOnLine:
      return {P, L};
    case RelationKind::kOnCircle:
      return {P, C};
    case RelationKind::kCollinear:
      return {P, P, P};
    case RelationKind::kConcyclic:
    case RelationKind::kEqualDistances:
      return {P, P, P, P};
    case RelationKind::kParallel:
    case RelationKind::kPerpendicular:
    case RelationKind::kEqualSegments:
      return {L, L};
    case RelationKind::kLineTangent:
      return {L, C};
    case RelationKind::kCirclesTangent:
      return {C, C};
    case RelationKind::kEqualAngles:
      return {P, P, P, P, P, P};
    case RelationKind::kEqualNumbers:
      return {N, N};
  }
  return {};
}

bool AllDistinct(const std::vector<ObjectRef>& refs) {
  for (size_t i = 0; i < refs.size(); ++i) {
    for (size_t j = i + 1; j < refs.size(); ++j) {
      if (refs[i] == refs[j]) return false;
    }
  }
  return true;
}

// Points may repeat across the two sides of an equality, never within a
// segment or an arm, and the two sides must differ.
bool SidesValid(const Relation& r) {
  const std::vector<ObjectRef>& o = r.objects;
  if (r.kind == RelationKind::kEqualDistances) {
    if (o[0] == o[1] || o[2] == o[3]) return false;
    return !((o[0] == o[2] && o[1] == o[3]) || (o[0] == o[3] && o[1] == o[2]));
  }
  if (o[0] == o[1] || o[2] == o[1] || o[3] == o[4] || o[5] == o[4]) return false;
  const bool same =
      o[1] == o[4] && ((o[0] == o[3] && o[2] == o[5]) || (o[0] == o[5] && o[2] == o[3]));
  return !same;
}

// ---- Evaluation ------------------------------------------------------------

double PointsDistance(const Figure& fig, ObjectRef a, ObjectRef b) {
  const PointRecord &p = fig.Points[a.index], &q = fig.Points[b.index];
  return std::hypot(p.x - q.x, p.y - q.y);
}

double SegmentLength(const LineRecord& l) { return std::hypot(l.x2 - l.x1, l.y2 - l.y1); }

// Nothing when an object of the relation does not exist.
std::optional<Judgement> Evaluate(const Figure& fig, const Relation& r,
                                  const RelationTolerance& t) {
  for (ObjectRef ref : r.objects) {
    if (ExistsField(fig, ref) == 0) return std::nullopt;
  }
  const std::vector<ObjectRef>& o = r.objects;
  auto pt = [&](size_t i) { return PointOf(fig.Points[o[i].index]); };
  auto ln = [&](size_t i) { return LineOf(fig.Lines[o[i].index]); };
  auto ci = [&](size_t i) { return CircleOf(fig.Circles[o[i].index]); };
  switch (r.kind) {
    case RelationKind::kOnLine:
      return PointOnLine(pt(0), ln(1), t);
    case RelationKind::kOnCircle:
      return PointOnCircle(pt(0), ci(1), t);
    case RelationKind::kCollinear:
      return Collinear(pt(0), pt(1), pt(2), t);
    case RelationKind::kConcyclic:
      return Concyclic(pt(0), pt(1), pt(2), pt(3), t);
    case RelationKind::kParallel:
      return Parallel(ln(0), ln(1), t);
    case RelationKind::kPerpendicular:
      return Perpendicular(ln(0), ln(1), t);
    case RelationKind::kLineTangent:
      return LineTangentToCircle(ln(0), ci(1), t);
    case RelationKind::kCirclesTangent:
      return CirclesTangent(ci(0), ci(1), t);
    case RelationKind::kEqualSegments:
      return EqualLengths(SegmentLength(fig.Lines[o[0].index]),
                          SegmentLength(fig.Lines[o[1].index]), t);
    case RelationKind::kEqualDistances:
      return EqualLengths(PointsDistance(fig, o[0], o[1]), PointsDistance(fig, o[2], o[3]), t);
    case RelationKind::kEqualAngles:
      return EqualAngles(pt(0), pt(1), pt(2), pt(3), pt(4), pt(5), t);
    case RelationKind::kEqualNumbers:
      return EqualNumbers(fig.Numbers[o[0].index].value, fig.Numbers[o[1].index].value, t);
  }
  return std::nullopt;
}

NowState StateOf(const std::optional<Judgement>& j) {
  if (!j) return NowState::kMissing;
  switch (j->verdict) {
    case Verdict::kHolds:
      return NowState::kHolds;
    case Verdict::kFails:
      return NowState::kFails;
    default:
      return NowState::kDegenerate;
  }
}

// ---- Positions -------------------------------------------------------------

// SplitMix64: small, fast, and the same numbers from every compiler and
// standard library (std's distributions are not).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }  // [0, 1)
  double Between(double low, double high) { return low + (high - low) * Unit(); }
  double Around(double centre, double half) { return Between(centre - half, centre + half); }

 private:
  uint64_t state_;
};

enum class InputKind { kPoint, kBound, kNumber };

struct FreeInput {
  ObjectRef object;
  InputKind kind = InputKind::kPoint;
  double value = 0;    // a number's value now
  double spread = 0;   // a number varies this far either side of it
  DependentSet moves;  // what follows this input
};

// A failed position, kept for the nudge test. Better counterexamples come
// first: a visible one that clearly fails before one far off the screen
// (the circumcircle of a nearly flat triangle) that fails by more, and of
// those one whose free points stand apart before one with two of them
// almost on top of each other.
struct Failure {
  bool visible = false;
  double excess = 0;  // capped at kClearExcess
  double spread = 0;  // the closest two free points' distance, capped
  std::vector<FreeValue> values;

  bool BetterThan(const Failure& f) const {
    if (visible != f.visible) return visible;
    if (excess != f.excess) return excess > f.excess;
    return spread > f.spread;
  }
};

struct Tally {
  std::vector<size_t> inputs;     // indices into the checker's inputs
  std::vector<int> objectSeen;    // per object of the relation: positions it existed in
  std::vector<Failure> failures;  // the clearest first
};

class Checker {
 public:
  Checker(const Figure& fig, const ViewState& view, const CheckOptions& options)
      : work_(fig), options_(options), random_(options.seed) {
    InstallExpressionEvaluator(engine_);  // quiet: the null shell, no matrix output
    ViewState area = view;
    if (!(area.ViewHalfWidth > 0) || !(area.ViewHalfHeight > 0) || !(area.ViewScale > 0)) {
      if (!(area.ViewScale > 0)) area.ViewScale = kStandardScale;
      SetScreen(area, kStandardWidth, kStandardHeight);
    }
    centreX_ = std::isfinite(area.centerX) ? area.centerX : 0;
    centreY_ = std::isfinite(area.centerY) ? area.centerY : 0;
    halfWidth_ = area.ViewHalfWidth * (1 + kMargin);
    halfHeight_ = area.ViewHalfHeight * (1 + kMargin);
    size_ = std::hypot(halfWidth_, halfHeight_);
    strict_ = {kLengthTolerance * size_, kAngleTolerance, kRelativeTolerance,
               kDegenerateLength * size_};
    now_ = {kNowPixels * area.ViewScale, kNowAngle, kNowRelative, kNowPixels * area.ViewScale};
    FullUpdateCompute(work_, engine_);
    baseReversed_ = work_.StepReversed;
    FindInputs();
  }

  NowState Now(const Relation& r) const { return StateOf(Evaluate(work_, r, now_)); }

  // One answer per relation, in their order; the figure as it stands is
  // judged first, then every position is tried for all of them at once.
  std::vector<RelationAnswer> Answer(const std::vector<Relation>& relations) {
    std::vector<RelationAnswer> answers(relations.size());
    std::vector<Tally> tallies(relations.size());
    std::vector<size_t> moving;
    for (size_t i = 0; i < relations.size(); ++i) {
      RelationAnswer& a = answers[i];
      a.relation = relations[i];
      a.seed = options_.seed;
      if (!IsWellFormed(work_, relations[i])) {
        a.outcome = CheckOutcome::kNotWellFormed;
        continue;
      }
      a.now = Now(relations[i]);
      tallies[i].inputs = InputsOf(relations[i]);
      tallies[i].objectSeen.assign(relations[i].objects.size(), 0);
      if (tallies[i].inputs.empty()) {
        AnswerFixed(relations[i], a);
      } else {
        moving.push_back(i);
      }
    }
    if (moving.empty()) return answers;
    const int positions = std::max(options_.positions, 1);
    for (int k = 0; k < positions; ++k) {
      PlaceAtRandom();
      for (size_t i : moving) Record(relations[i], tallies[i], answers[i]);
    }
    for (size_t i : moving) Conclude(relations[i], tallies[i], answers[i]);
    return answers;
  }

 private:
  // The free inputs: free points (on a line or circle, or not) and the
  // free numbers that may vary.
  void FindInputs() {
    for (int i = 1; i <= Count(work_, kPointClass); ++i) {
      const PointRecord& p = work_.Points[i];
      if (p.independent != -1) continue;  // constructed, or fixed by the figure
      FreeInput in;
      in.object = ObjectRef{kPointClass, static_cast<int16_t>(i)};
      if (p.bindKind == kLineClass || p.bindKind == kCircleClass) {
        if (!NamesObject(work_, ObjectRef{p.bindKind, p.bindIndex})) continue;
        in.kind = InputKind::kBound;
      } else if (p.bindKind != 0) {
        continue;  // on a point: it goes where that point goes
      }
      inputs_.push_back(std::move(in));
    }
    for (int i = 1; i <= Count(work_, kNumberClass); ++i) {
      const NumberRecord& n = work_.Numbers[i];
      if (n.independent != -1 || (n.display != 0 && !options_.varyHiddenNumbers)) continue;
      FreeInput in;
      in.object = ObjectRef{kNumberClass, static_cast<int16_t>(i)};
      in.kind = InputKind::kNumber;
      in.value = n.value;
      in.spread = std::max(std::fabs(n.value) / 2, 1.0);
      inputs_.push_back(std::move(in));
    }
    for (FreeInput& in : inputs_) in.moves = FindDependents(work_, {in.object});
  }

  std::vector<size_t> InputsOf(const Relation& r) const {
    std::vector<size_t> found;
    for (size_t k = 0; k < inputs_.size(); ++k) {
      for (ObjectRef ref : r.objects) {
        if (inputs_[k].moves.Contains(ref)) {
          found.push_back(k);
          break;
        }
      }
    }
    return found;
  }

  void AnswerFixed(const Relation& r, RelationAnswer& a) const {
    const std::optional<Judgement> j = Evaluate(work_, r, strict_);
    if (!j) {
      a.outcome = CheckOutcome::kNeverExists;
      for (ObjectRef ref : r.objects) {
        if (ExistsField(work_, ref) == 0) a.neverExisting.push_back(ref);
      }
      return;
    }
    if (j->verdict == Verdict::kDegenerate) {
      a.outcome = CheckOutcome::kAllDegenerate;
    } else {
      a.outcome =
          j->verdict == Verdict::kHolds ? CheckOutcome::kFixedHolds : CheckOutcome::kFixedFails;
    }
  }

  // Computes the figure after its inputs changed, from the same intersection
  // labels every time, so that each position is what ApplyCounterexample
  // gives from the figure as it stands.
  void Recompute() {
    work_.StepReversed = baseReversed_;
    RecomputeAll(work_, engine_);
  }

  void PlaceAtRandom() {
    bool bound = false;
    fractions_.assign(inputs_.size(), 0);
    for (size_t k = 0; k < inputs_.size(); ++k) {
      const FreeInput& in = inputs_[k];
      switch (in.kind) {
        case InputKind::kPoint: {
          PointRecord& p = work_.Points[in.object.index];
          p.x = random_.Around(centreX_, halfWidth_);
          p.y = random_.Around(centreY_, halfHeight_);
          break;
        }
        case InputKind::kBound:
          fractions_[k] = random_.Unit();
          bound = true;
          break;
        case InputKind::kNumber:
          work_.Numbers[in.object.index].value = random_.Around(in.value, in.spread);
          break;
      }
    }
    Recompute();
    if (!bound) return;
    // The hosts stand where the free points put them: now the bound points.
    for (size_t k = 0; k < inputs_.size(); ++k) {
      if (inputs_[k].kind == InputKind::kBound) PlaceOnHost(inputs_[k].object.index, fractions_[k]);
    }
    Recompute();
  }

  // A place on the host line or circle, `u` of the way along the part that
  // counts: the drawn segment, or the chord of a line or ray through the
  // area of the free points.
  void PlaceOnHost(int point, double u) {
    PointRecord& p = work_.Points[point];
    if (p.bindKind == kCircleClass) {
      const CircleRecord& c = work_.Circles[p.bindIndex];
      if (c.exists) p.parameter = u * kTwoPi * std::fabs(c.radius);
      return;
    }
    const LineRecord& l = work_.Lines[p.bindIndex];
    if (!l.exists) return;
    const double length = SegmentLength(l);
    double low = 0, high = length;
    if (!IsSegment(l)) {
      // Where the line comes nearest the centre of the area.
      const double foot = -((l.x1 - centreX_) * l.dx + (l.y1 - centreY_) * l.dy);
      const double fx = l.x1 + foot * l.dx - centreX_, fy = l.y1 + foot * l.dy - centreY_;
      const double half = std::sqrt(std::max(size_ * size_ - fx * fx - fy * fy, 0.0));
      low = foot - half, high = foot + half;
      if (l.lineKind == 2 || l.lineKind == 7) low = std::max(low, 0.0), high = std::max(high, 0.0);
      if (l.lineKind == 3) low = std::min(low, length), high = std::min(high, length);
    }
    p.parameter = low + (high - low) * u;
  }

  std::vector<FreeValue> ValuesOf(const std::vector<size_t>& which) const {
    std::vector<FreeValue> values;
    values.reserve(which.size());
    for (size_t k : which) {
      const ObjectRef ref = inputs_[k].object;
      FreeValue v{ref};
      if (ref.cls == kNumberClass) {
        v.x = work_.Numbers[ref.index].value;
      } else {
        const PointRecord& p = work_.Points[ref.index];
        v.x = p.x, v.y = p.y, v.parameter = p.parameter;
      }
      values.push_back(v);
    }
    return values;
  }

  void Record(const Relation& r, Tally& tally, RelationAnswer& a) {
    ++a.tried;
    for (size_t j = 0; j < r.objects.size(); ++j) {
      if (ExistsField(work_, r.objects[j]) != 0) ++tally.objectSeen[j];
    }
    const std::optional<Judgement> j = Evaluate(work_, r, strict_);
    if (!j) return;
    ++a.existing;
    if (j->verdict == Verdict::kDegenerate) {
      ++a.inconclusive;
      return;
    }
    if (j->verdict == Verdict::kHolds) return;
    ++a.failing;
    std::vector<Failure>& kept = tally.failures;
    Failure failure{IsOnScreen(r), std::min(j->excess, kClearExcess), Spread(tally.inputs), {}};
    if (kept.size() >= kFailuresKept && !failure.BetterThan(kept.back())) return;
    failure.values = ValuesOf(tally.inputs);
    auto at = std::find_if(kept.begin(), kept.end(),
                           [&](const Failure& f) { return failure.BetterThan(f); });
    kept.insert(at, std::move(failure));
    if (kept.size() > kFailuresKept) kept.pop_back();
  }

  double Spread(const std::vector<size_t>& which) const {
    double closest = kApart * size_;
    for (size_t i = 0; i < which.size(); ++i) {
      const ObjectRef p = inputs_[which[i]].object;
      if (p.cls != kPointClass) continue;
      for (size_t j = i + 1; j < which.size(); ++j) {
        const ObjectRef q = inputs_[which[j]].object;
        if (q.cls != kPointClass) continue;
        closest = std::min(closest, PointsDistance(work_, p, q));
      }
    }
    return closest;
  }

  // Whether the relation's objects show in the area the free points come
  // from: points inside it, lines crossing it, circles about a centre in
  // it and no larger than it.
  bool IsOnScreen(const Relation& r) const {
    auto inside = [&](double x, double y) {
      return std::fabs(x - centreX_) <= halfWidth_ && std::fabs(y - centreY_) <= halfHeight_;
    };
    for (ObjectRef ref : r.objects) {
      if (ref.cls == kPointClass) {
        const PointRecord& p = work_.Points[ref.index];
        if (!inside(p.x, p.y)) return false;
      } else if (ref.cls == kLineClass) {
        const LineRecord& l = work_.Lines[ref.index];
        const double across = (l.x1 - centreX_) * l.dy - (l.y1 - centreY_) * l.dx;
        if (std::fabs(across) > std::min(halfWidth_, halfHeight_)) return false;
      } else if (ref.cls == kCircleClass) {
        const CircleRecord& c = work_.Circles[ref.index];
        if (!inside(c.cx, c.cy) || std::fabs(c.radius) > size_) return false;
      }
    }
    return true;
  }

  // True when the relation also fails a little way off the position, in
  // every nudge that tells something: a theorem that seems to fail only in
  // a thin band where the engine rounds (a point within its tolerance of a
  // circle gets the tangent at itself) holds again a nudge away. A nudge
  // that loses an object, or makes one degenerate, tells nothing.
  bool FailsNearby(const Relation& r, const std::vector<FreeValue>& values) {
    int failed = 0;
    for (int attempt = 0; attempt < kNudgeAttempts && failed < kNudgesFailing; ++attempt) {
      const std::optional<Judgement> j = Nudged(r, values);
      if (!j || j->verdict == Verdict::kDegenerate) continue;
      if (j->verdict == Verdict::kHolds) return false;
      ++failed;
    }
    return failed > 0;
  }

  std::optional<Judgement> Nudged(const Relation& r, const std::vector<FreeValue>& values) {
    const double step = kNudge * size_;
    for (const FreeValue& v : values) {
      if (v.object.cls == kNumberClass) {
        double spread = 1;
        for (const FreeInput& in : inputs_) {
          if (in.object == v.object) spread = in.spread;
        }
        work_.Numbers[v.object.index].value = random_.Around(v.x, kNudge * spread);
        continue;
      }
      PointRecord& p = work_.Points[v.object.index];
      p.x = random_.Around(v.x, step);
      p.y = random_.Around(v.y, step);
      p.parameter = random_.Around(v.parameter, step);
    }
    Recompute();
    return Evaluate(work_, r, strict_);
  }

  void Conclude(const Relation& r, Tally& tally, RelationAnswer& a) {
    for (const Failure& f : tally.failures) {
      if (FailsNearby(r, f.values)) {
        a.counterexample = f.values;
        break;
      }
      --a.failing;
      ++a.inconclusive;
    }
    // Failures beyond those kept could not be looked at again: the clearest
    // one stands for them.
    if (a.counterexample.empty() && a.failing > 0) a.counterexample = tally.failures.front().values;
    if (a.existing == 0) {
      a.outcome = CheckOutcome::kNeverExists;
      for (size_t j = 0; j < r.objects.size(); ++j) {
        if (tally.objectSeen[j] == 0) a.neverExisting.push_back(r.objects[j]);
      }
    } else if (!a.counterexample.empty()) {
      a.outcome = CheckOutcome::kNotAlways;
    } else if (a.inconclusive == a.existing) {
      a.outcome = CheckOutcome::kAllDegenerate;
    } else {
      a.outcome = CheckOutcome::kAlways;
    }
  }

  Figure work_;
  CheckOptions options_;
  Engine engine_;
  Random random_;
  double centreX_ = 0, centreY_ = 0;  // of the visible area
  double halfWidth_ = 0, halfHeight_ = 0, size_ = 0;
  RelationTolerance strict_, now_;
  Table<int16_t> baseReversed_;
  std::vector<FreeInput> inputs_;
  std::vector<double> fractions_;
};

// ---- Names -------------------------------------------------------------------

constexpr std::array<std::string_view, 4> kClassWords = {"number", "point", "line", "circle"};

std::string Describe(ObjectRef ref) {
  return std::string(kClassWords[static_cast<size_t>(ref.cls)]) + " " + std::to_string(ref.index);
}

// The objects a name stands for: "A", or "point:A" to say which class.
std::vector<ObjectRef> Lookup(const Figure& fig, std::string_view name) {
  int only = -1;
  const size_t colon = name.find(':');
  if (colon != std::string_view::npos) {
    for (size_t c = 0; c < kClassWords.size(); ++c) {
      if (name.substr(0, colon) == kClassWords[c]) only = static_cast<int>(c);
    }
    if (only >= 0) name = name.substr(colon + 1);
  }
  std::vector<ObjectRef> found;
  for (int cls = kNumberClass; cls <= kCircleClass; ++cls) {
    if (only >= 0 && cls != only) continue;
    for (int i = 1; i <= Count(fig, cls); ++i) {
      ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(i)};
      if (ObjectName(fig, ref) == name) found.push_back(ref);
    }
  }
  return found;
}

struct Shape {
  RelationKind kind;
  std::vector<int> classes;  // of the names, as written
  bool swapped = false;      // the kind lists the two objects the other way round
};

std::vector<Shape> ShapesOf(std::string_view relation, size_t count) {
  constexpr int N = kNumberClass, P = kPointClass, L = kLineClass, C = kCircleClass;
  using K = RelationKind;
  std::vector<Shape> all;
  if (relation == "collinear") all = {{K::kCollinear, {P, P, P}}};
  if (relation == "concyclic") all = {{K::kConcyclic, {P, P, P, P}}};
  if (relation == "parallel") all = {{K::kParallel, {L, L}}};
  if (relation == "perpendicular") all = {{K::kPerpendicular, {L, L}}};
  if (relation == "on") {
    all = {{K::kOnLine, {P, L}},
           {K::kOnCircle, {P, C}},
           {K::kOnLine, {L, P}, true},
           {K::kOnCircle, {C, P}, true}};
  }
  if (relation == "tangent") {
    all = {
        {K::kLineTangent, {L, C}}, {K::kLineTangent, {C, L}, true}, {K::kCirclesTangent, {C, C}}};
  }
  if (relation == "equal") {
    all = {{K::kEqualNumbers, {N, N}},
           {K::kEqualSegments, {L, L}},
           {K::kEqualDistances, {P, P, P, P}},
           {K::kEqualAngles, {P, P, P, P, P, P}}};
  }
  std::vector<Shape> fitting;
  for (Shape& s : all) {
    if (s.classes.size() == count) fitting.push_back(std::move(s));
  }
  return fitting;
}

std::string_view TakesText(std::string_view relation) {
  if (relation == "collinear") return "three points";
  if (relation == "concyclic") return "four points";
  if (relation == "on") return "a point and a line or circle";
  if (relation == "parallel" || relation == "perpendicular") return "two lines";
  if (relation == "tangent") return "a line and a circle, or two circles";
  return "two numbers, two segments, four points (AB = CD) or six points (angle ABC = angle DEF)";
}

// "; 'AB' is a line": the names that fit no place they stand in.
std::string WrongKinds(const std::vector<Shape>& shapes, const std::vector<std::string>& names,
                       const std::vector<std::vector<ObjectRef>>& found) {
  std::string said;
  for (size_t i = 0; i < names.size(); ++i) {
    bool fits = false;
    for (const Shape& shape : shapes) {
      for (ObjectRef ref : found[i]) fits = fits || ref.cls == shape.classes[i];
    }
    if (fits) continue;
    std::string kinds;
    for (ObjectRef ref : found[i]) {
      const std::string word(kClassWords[static_cast<size_t>(ref.cls)]);
      if (kinds.find(word) == std::string::npos) kinds += (kinds.empty() ? "" : " or ") + word;
    }
    said += "; '" + names[i] + "' is a " + kinds;
  }
  return said.empty() ? "; the names given do not fit together" : said;
}

}  // namespace

bool IsWellFormed(const Figure& fig, const Relation& relation) {
  const std::vector<int> classes = Classes(relation.kind);
  if (relation.objects.size() != classes.size()) return false;
  for (size_t i = 0; i < classes.size(); ++i) {
    const ObjectRef ref = relation.objects[i];
    if (ref.cls != classes[i] || !NamesObject(fig, ref)) return false;
  }
  switch (relation.kind) {
    case RelationKind::kEqualDistances:
    case RelationKind::kEqualAngles:
      return SidesValid(relation);
    case RelationKind::kEqualSegments:
      if (!IsSegment(fig.Lines[relation.objects[0].index]) ||
          !IsSegment(fig.Lines[relation.objects[1].index])) {
        return false;
      }
      return AllDistinct(relation.objects);
    default:
      return AllDistinct(relation.objects);
  }
}

std::vector<RelationAnswer> CheckRelations(const Figure& fig, const ViewState& view,
                                           const std::vector<Relation>& relations,
                                           const CheckOptions& options) {
  if (relations.empty()) return {};
  return Checker(fig, view, options).Answer(relations);
}

RelationAnswer CheckRelation(const Figure& fig, const ViewState& view, const Relation& relation,
                             const CheckOptions& options) {
  return CheckRelations(fig, view, {relation}, options).front();
}

std::vector<Relation> CandidateRelations(const Figure& fig, const std::vector<ObjectRef>& chosen) {
  std::vector<ObjectRef> points, lines, circles, numbers;
  for (ObjectRef ref : chosen) {
    if (!NamesObject(fig, ref) || std::count(chosen.begin(), chosen.end(), ref) > 1) return {};
    if (ref.cls == kPointClass) points.push_back(ref);
    if (ref.cls == kLineClass) lines.push_back(ref);
    if (ref.cls == kCircleClass) circles.push_back(ref);
    if (ref.cls == kNumberClass) numbers.push_back(ref);
  }
  if (chosen.size() < 2 || chosen.size() > 4) return {};
  using K = RelationKind;
  std::vector<Relation> found;
  auto add = [&](K kind, std::vector<ObjectRef> objects) {
    Relation r{kind, std::move(objects)};
    if (IsWellFormed(fig, r)) found.push_back(std::move(r));
  };
  for (ObjectRef p : points) {
    for (ObjectRef l : lines) add(K::kOnLine, {p, l});
    for (ObjectRef c : circles) add(K::kOnCircle, {p, c});
  }
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      for (size_t k = j + 1; k < n; ++k) add(K::kCollinear, {points[i], points[j], points[k]});
    }
  }
  if (n == 4) add(K::kConcyclic, points);
  if (n == 3) {  // two sides from each vertex: isosceles at A, B or C
    for (size_t apex = 0; apex < 3; ++apex) {
      ObjectRef a = points[apex], b = points[(apex + 1) % 3], c = points[(apex + 2) % 3];
      add(K::kEqualDistances, {a, b, a, c});
    }
  }
  if (n == 4) {  // the three ways to pair the four points
    const ObjectRef a = points[0], b = points[1], c = points[2], d = points[3];
    add(K::kEqualDistances, {a, b, c, d});
    add(K::kEqualDistances, {a, c, b, d});
    add(K::kEqualDistances, {a, d, b, c});
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    for (size_t j = i + 1; j < lines.size(); ++j) {
      add(K::kParallel, {lines[i], lines[j]});
      add(K::kPerpendicular, {lines[i], lines[j]});
      add(K::kEqualSegments, {lines[i], lines[j]});
    }
    for (ObjectRef c : circles) add(K::kLineTangent, {lines[i], c});
  }
  for (size_t i = 0; i < circles.size(); ++i) {
    for (size_t j = i + 1; j < circles.size(); ++j)
      add(K::kCirclesTangent, {circles[i], circles[j]});
  }
  for (size_t i = 0; i < numbers.size(); ++i) {
    for (size_t j = i + 1; j < numbers.size(); ++j) add(K::kEqualNumbers, {numbers[i], numbers[j]});
  }
  return found;
}

std::vector<RelationAnswer> FindRelations(const Figure& fig, const ViewState& view,
                                          const std::vector<ObjectRef>& chosen,
                                          const CheckOptions& options) {
  const std::vector<Relation> candidates = CandidateRelations(fig, chosen);
  if (candidates.empty()) return {};
  Checker checker(fig, view, options);
  std::vector<Relation> holding;
  for (const Relation& r : candidates) {
    if (checker.Now(r) == NowState::kHolds) holding.push_back(r);
  }
  if (holding.empty()) return {};
  return checker.Answer(holding);
}

void ApplyCounterexample(Figure& fig, const std::vector<FreeValue>& values, Engine& engine) {
  // As the check placed them: the free points and numbers first, then the
  // bound points on their hosts where those now stand (placed on a host
  // still at its old place, a point on a circle would wrap its parameter
  // by the old circumference), all from the same intersection labels.
  FullUpdateCompute(fig, engine);
  const Table<int16_t> reversed = fig.StepReversed;
  std::vector<const FreeValue*> bound;
  for (const FreeValue& v : values) {
    if (!NamesObject(fig, v.object)) continue;
    if (v.object.cls == kNumberClass) {
      NumberRecord& n = fig.Numbers[v.object.index];
      if (n.independent == -1) n.value = v.x;
      continue;
    }
    if (v.object.cls != kPointClass) continue;
    PointRecord& p = fig.Points[v.object.index];
    if (p.independent != -1) continue;
    if (p.bindKind == 0) p.x = v.x, p.y = v.y;
    if (p.bindKind == kLineClass || p.bindKind == kCircleClass) bound.push_back(&v);
  }
  if (!bound.empty()) {
    RecomputeAll(fig, engine);
    for (const FreeValue* v : bound) {
      PointRecord& p = fig.Points[v->object.index];
      p.x = v->x, p.y = v->y, p.parameter = v->parameter;
    }
    fig.StepReversed = reversed;
  }
  FullUpdateCompute(fig, engine);
}

RelationRequest RelationFromNames(const Figure& fig, std::string_view relationName,
                                  const std::vector<std::string>& names) {
  const std::string relation(relationName);
  RelationRequest request;
  if (ShapesOf(relation, 2).empty() && ShapesOf(relation, 3).empty() &&
      ShapesOf(relation, 4).empty()) {
    request.error = "unknown relation '" + relation +
                    "': use collinear, concyclic, on, parallel, perpendicular, tangent or equal";
    return request;
  }
  std::vector<std::vector<ObjectRef>> found;
  for (const std::string& name : names) {
    found.push_back(Lookup(fig, name));
    if (found.back().empty()) {
      request.error = "no object of the figure is named '" + name + "'";
      return request;
    }
  }
  const std::vector<Shape> shapes = ShapesOf(relation, names.size());
  if (shapes.empty()) {
    request.error = relation + " takes " + std::string(TakesText(relation)) + ", not " +
                    std::to_string(names.size()) + " names";
    return request;
  }
  std::vector<Relation> readings;
  for (const Shape& shape : shapes) {
    Relation r{shape.kind, {}};
    bool fits = true;
    for (size_t i = 0; i < names.size() && fits; ++i) {
      std::vector<ObjectRef> of;
      for (ObjectRef ref : found[i]) {
        if (ref.cls == shape.classes[i]) of.push_back(ref);
      }
      if (of.size() > 1) {
        std::string which;
        for (ObjectRef ref : of) which += (which.empty() ? "" : ", ") + Describe(ref);
        request.error = "'" + names[i] + "' names several objects of one kind (" + which +
                        "); give them different names";
        return request;
      }
      fits = of.size() == 1;
      if (fits) r.objects.push_back(of[0]);
    }
    if (!fits) continue;
    if (shape.swapped) std::swap(r.objects[0], r.objects[1]);
    if (std::find(readings.begin(), readings.end(), r) == readings.end()) readings.push_back(r);
  }
  if (readings.empty()) {
    request.error =
        relation + " takes " + std::string(TakesText(relation)) + WrongKinds(shapes, names, found);
    return request;
  }
  // A reading of one object twice ("tangent 1 1" as circle 1 and circle 1)
  // is no reading when another one makes sense.
  std::vector<Relation> sensible;
  for (const Relation& r : readings) {
    if (IsWellFormed(fig, r)) sensible.push_back(r);
  }
  if (sensible.empty()) {
    request.error = readings[0].kind == RelationKind::kEqualSegments
                        ? "equal takes two different lines drawn as segments"
                        : relation + " takes different objects (and no side of length zero)";
    return request;
  }
  if (sensible.size() > 1) {
    request.error =
        "the names can be read in more than one way; write point:, line:, circle: or number: "
        "before them";
    return request;
  }
  request.relation = sensible[0];
  return request;
}

}  // namespace sakuzu
