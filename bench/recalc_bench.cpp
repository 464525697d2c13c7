// The recalculation driver on generated figures of every object class: the
// full update that follows each command, one drag step (RecomputeAll after
// the drag's analysis) and the dependency analysis alone.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "geometry/engine.h"
#include "geometry/recalc.h"
#include "model/figure.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"

namespace sakuzu {
namespace {

class FigureMaker {
 public:
  explicit FigureMaker(int steps) : target_(steps) { CreateTables(fig_, steps); }

  // Repeats one triangle unit (centres, circles, intersections, bound
  // points, measurements, an expression) until the step count is reached.
  // Each unit's first vertex is the previous unit's point on its
  // circumcircle, so dependencies run through the whole figure.
  Figure Build() {
    int16_t carry = 0;
    while (fig_.StepCount + kUnitSteps <= target_) carry = Unit(carry);
    while (fig_.StepCount < target_) Free(Jitter(0), Jitter(0));
    return fig_;
  }

 private:
  static constexpr int kUnitSteps = 21;  // at most

  int16_t Unit(int16_t carry) {
    double ox = Jitter(0), oy = Jitter(0);
    int16_t a = carry ? carry : Free(ox - 3 + Jitter(0.5), oy - 1 + Jitter(0.5));
    int16_t b = Free(ox + 3 + Jitter(0.5), oy - 1 + Jitter(0.5));
    int16_t c = Free(ox + Jitter(0.5), oy + 3 + Jitter(0.5));
    int16_t o = Make("P1", {Pt(a), Pt(b), Pt(c)}, kPointClass);
    int16_t in = Make("P2", {Pt(a), Pt(b), Pt(c)}, kPointClass);
    int16_t h = Make("P4", {Pt(a), Pt(b), Pt(c)}, kPointClass);
    Make("P6", {Pt(a), Pt(b), Pt(c)}, kPointClass);
    int16_t outer = Make("C3", {Pt(a), Pt(b), Pt(c)}, kCircleClass);
    Make("C7", {Pt(a), Pt(b), Pt(c)}, kCircleClass);
    int16_t inner = Make("C2", {Pt(in), Pt(a)}, kCircleClass);
    int16_t side = Make("L1", {Pt(a), Pt(b)}, kLineClass);
    fig_.Lines[side].lineKind = 1;
    int16_t euler = Make("L1", {Pt(o), Pt(h)}, kLineClass);
    Make("PC2", {Ln(euler), Ci(outer)}, kPointClass, 2);
    Make("PC3", {Ci(outer), Ci(inner)}, kPointClass, 2);
    int16_t onCircle = Bound(kCircleClass, outer, 2.5);
    int16_t onSide = Bound(kLineClass, side, 1.5);
    Make("L3", {Ln(euler), Pt(onSide)}, kLineClass, 1, kPointClass);
    int16_t d = Make("ND2P", {Pt(o), Pt(h)}, kNumberClass);
    int16_t angle = Make("NA3+", {Pt(a), Pt(b), Pt(c)}, kNumberClass);
    int16_t r = Make("NRC", {Ci(outer)}, kNumberClass);
    int16_t e = Make("CALC", {}, kNumberClass);
    fig_.Numbers[e].expression =
        "N" + std::to_string(d) + "+N" + std::to_string(angle) + "*N" + std::to_string(r);
    return onCircle;
  }

  static ObjectRef Pt(int16_t i) { return {kPointClass, i}; }
  static ObjectRef Ln(int16_t i) { return {kLineClass, i}; }
  static ObjectRef Ci(int16_t i) { return {kCircleClass, i}; }

  double Jitter(double size) {
    if (size == 0) return std::uniform_real_distribution<double>(-20, 20)(rng_);
    return std::uniform_real_distribution<double>(-size, size)(rng_);
  }

  int16_t Add(int cls) { return static_cast<int16_t>(AddObject(fig_, cls)); }

  int Step(const char* kind, std::initializer_list<ObjectRef> inputs) {
    int s = AppendStep(fig_);
    fig_.StepKind[s] = kind;
    int j = 1;
    for (ObjectRef ref : inputs) fig_.StepInputs[s][j++] = ref;
    return s;
  }

  // A step with `count` outputs of class `cls` (and one of class `extra`).
  int16_t Make(const char* kind, std::initializer_list<ObjectRef> inputs, int cls, int count = 1,
               int extra = -1) {
    int s = Step(kind, inputs);
    int16_t first = 0;
    for (int j = 1; j <= count; ++j) {
      int16_t i = Add(cls);
      if (j == 1) first = i;
      fig_.StepOutputs[s][j] = {static_cast<int16_t>(cls), i};
    }
    if (extra >= 0) fig_.StepOutputs[s][count + 1] = {static_cast<int16_t>(extra), Add(extra)};
    return first;
  }

  int16_t Free(double x, double y) {
    int16_t p = Make("PNEW", {}, kPointClass);
    PointRecord& r = fig_.Points[p];
    r.x = x, r.y = y, r.exists = kTrue, r.independent = -1;
    return p;
  }

  int16_t Bound(int16_t cls, int16_t host, double parameter) {
    int16_t p = Make("PBND", {{cls, host}}, kPointClass);
    PointRecord& r = fig_.Points[p];
    r.exists = kTrue, r.independent = -1, r.bindKind = cls, r.bindIndex = host;
    r.parameter = parameter;
    return p;
  }

  Figure fig_;
  int target_;
  std::mt19937 rng_{12345};
};

Engine MakeEngine() {
  Engine engine;
  engine.computeExpression = [](Figure& fig, int step) { ComputeExpressionNumber(fig, step); };
  return engine;
}

void BM_FullUpdate(benchmark::State& state) {
  Figure fig = FigureMaker(static_cast<int>(state.range(0))).Build();
  Engine engine = MakeEngine();
  for (auto _ : state) {
    FullUpdateCompute(fig, engine);
    benchmark::DoNotOptimize(fig.Points[1].x);
  }
  state.SetItemsProcessed(state.iterations() * fig.StepCount);
  state.counters["passes"] = fig.RecalcPasses;
}

// One drag step: the analysis ran when the drag started; each mouse move
// recomputes with the dragged point moved.
void BM_DragRecompute(benchmark::State& state) {
  Figure fig = FigureMaker(static_cast<int>(state.range(0))).Build();
  Engine engine = MakeEngine();
  FullUpdateCompute(fig, engine);
  fig.Points[2].exists = kTrue;
  AnalyseDependencies(fig, {{kPointClass, 2}}, engine);
  double dx = 0.01;
  for (auto _ : state) {
    CopyToPrevious(fig);
    fig.Points[2].x += dx;
    dx = -dx;
    RecomputeAll(fig, engine);
    benchmark::DoNotOptimize(fig.Points[1].x);
  }
  state.SetItemsProcessed(state.iterations() * fig.StepCount);
}

void BM_AnalyseDependencies(benchmark::State& state) {
  Figure fig = FigureMaker(static_cast<int>(state.range(0))).Build();
  Engine engine = MakeEngine();
  FullUpdateCompute(fig, engine);
  for (auto _ : state) {
    AnalyseDependencies(fig, {}, engine);
    benchmark::DoNotOptimize(fig.RecalcPasses);
  }
  state.SetItemsProcessed(state.iterations() * fig.StepCount);
}

// Rebuilding the automatic names, as every construction and file command does.
void BM_UpdateAutoNames(benchmark::State& state) {
  Figure fig = FigureMaker(static_cast<int>(state.range(0))).Build();
  Engine engine = MakeEngine();
  FullUpdateCompute(fig, engine);
  for (auto _ : state) {
    UpdateAutoNames(fig);
    benchmark::DoNotOptimize(fig.Numbers[1].name.data());
  }
  state.SetItemsProcessed(state.iterations() * fig.StepCount);
}

BENCHMARK(BM_FullUpdate)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragRecompute)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseDependencies)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateAutoNames)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sakuzu

BENCHMARK_MAIN();
