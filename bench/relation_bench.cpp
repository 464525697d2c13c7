// "Is it always true?" over 10,000 positions of the construction chain of
// chain_figure.h: a relation at the chain's far end, so that every step is
// recomputed in every position. Goals: 200 ms for about 100 objects, 2 s
// for 1,003. After each run the figure must be exactly as it was (the
// check works on a copy), and the relation must have held throughout.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "chain_figure.h"
#include "geometry/recalc.h"
#include "interact/relation_check.h"
#include "model/figure_file.h"
#include "numbers/expression.h"
#include "view/view_mapping.h"

namespace sakuzu {
namespace {

constexpr int kPositions = 10000;

struct Chain {
  explicit Chain(int objects) : fig(ChainMaker().Build(objects)) {
    Engine engine;
    InstallExpressionEvaluator(engine);
    FullUpdateCompute(fig, engine);
    SetScreen(view, 640, 480);
    bytes = FigureBytes(fig);
  }

  // The last circumcircle and the first vertex of its triangle (the
  // triangle rotated in the block before it).
  Relation OnLastCircle() const {
    const int16_t circle = fig.ObjectCounts[kCircleClass];
    const int step = LastStepOf("C3");
    return {RelationKind::kOnCircle, {fig.StepInputs[step][1], {kCircleClass, circle}}};
  }
  // The last circumcentre is not on the last circle: every position fails.
  Relation CentreOnLastCircle() const {
    const int step = LastStepOf("P1");
    return {RelationKind::kOnCircle,
            {fig.StepOutputs[step][1], {kCircleClass, fig.ObjectCounts[kCircleClass]}}};
  }
  int LastStepOf(const char* kind) const {
    for (int s = fig.StepCount; s >= 1; --s) {
      if (fig.StepKind[s] == kind) return s;
    }
    return 0;
  }
  void ExpectUnchanged(benchmark::State& state, const ViewState& before) const {
    const bool same = FigureBytes(fig) == bytes && before.ViewScale == view.ViewScale &&
                      before.ViewHalfWidth == view.ViewHalfWidth &&
                      before.ViewHalfHeight == view.ViewHalfHeight;
    if (!same) state.SkipWithError("the check changed the figure or the view");
  }

  Figure fig;
  ViewState view;
  std::string bytes;
};

void BM_AlwaysTrue(benchmark::State& state) {
  const Chain chain(static_cast<int>(state.range(0)));
  const ViewState before = chain.view;
  const Relation relation = chain.OnLastCircle();
  RelationAnswer answer;
  for (auto _ : state) {
    answer = CheckRelation(chain.fig, chain.view, relation, {kPositions, 1});
    benchmark::DoNotOptimize(answer);
  }
  if (answer.outcome != CheckOutcome::kAlways) state.SkipWithError("the relation did not hold");
  chain.ExpectUnchanged(state, before);
  state.counters["objects"] = ObjectTotal(chain.fig);
  state.counters["positions"] = answer.tried;
  state.counters["existing"] = answer.existing;
}

// Every position fails: the cost of keeping the clearest failures and of
// the nudges that confirm one.
void BM_NeverTrue(benchmark::State& state) {
  const Chain chain(static_cast<int>(state.range(0)));
  const ViewState before = chain.view;
  const Relation relation = chain.CentreOnLastCircle();
  RelationAnswer answer;
  for (auto _ : state) {
    answer = CheckRelation(chain.fig, chain.view, relation, {kPositions, 1});
    benchmark::DoNotOptimize(answer);
  }
  if (answer.outcome != CheckOutcome::kNotAlways) state.SkipWithError("no counterexample");
  chain.ExpectUnchanged(state, before);
  state.counters["objects"] = ObjectTotal(chain.fig);
  state.counters["positions"] = answer.tried;
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(103)->Arg(1003)->ArgName("objects")->Unit(benchmark::kMillisecond)->Iterations(3);
}
BENCHMARK(BM_AlwaysTrue)->Apply(Sizes);
BENCHMARK(BM_NeverTrue)->Apply(Sizes);

}  // namespace
}  // namespace sakuzu

BENCHMARK_MAIN();
