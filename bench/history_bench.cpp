// The undo history on a figure of about 10,000 objects: what one change
// costs to record (the figure kept before it and compared after it), an
// undo, and how many changes the standard memory bound keeps.
#include <benchmark/benchmark.h>

#include "interact/history.h"
#include "model/figure.h"

namespace sakuzu {
namespace {

// Free points in pairs with the line through them and its midpoint-like
// division point: 4 objects a block, named as the program names them.
Figure MakeFigure(int objects) {
  Figure fig;
  CreateTables(fig, objects);
  for (int k = 0; 4 * k + 4 <= objects; ++k) {
    int16_t p[2];
    for (int j = 0; j < 2; ++j) {
      int step = AppendStep(fig);
      fig.StepKind[step] = "PNEW";
      p[j] = static_cast<int16_t>(AddObject(fig, kPointClass));
      fig.StepOutputs[step][1] = {kPointClass, p[j]};
      PointRecord& r = fig.Points[p[j]];
      r.x = k % 37, r.y = j + k % 11, r.exists = r.independent = kTrue;
      r.name = DefaultName(kPointClass, p[j]);
    }
    int step = AppendStep(fig);
    fig.StepKind[step] = "L1";
    fig.StepInputs[step][1] = {kPointClass, p[0]};
    fig.StepInputs[step][2] = {kPointClass, p[1]};
    auto line = static_cast<int16_t>(AddObject(fig, kLineClass));
    fig.StepOutputs[step][1] = {kLineClass, line};
    fig.Lines[line].name = fig.Points[p[0]].name + fig.Points[p[1]].name;
    step = AppendStep(fig);
    fig.StepKind[step] = "ND2P";
    fig.StepInputs[step][1] = {kPointClass, p[0]};
    fig.StepInputs[step][2] = {kPointClass, p[1]};
    auto n = static_cast<int16_t>(AddObject(fig, kNumberClass));
    fig.StepOutputs[step][1] = {kNumberClass, n};
    fig.Numbers[n].name = fig.Lines[line].name;
  }
  return fig;
}

// One change recorded: a point moved, as a drag leaves it.
void BM_RecordChange(benchmark::State& state) {
  Figure fig = MakeFigure(static_cast<int>(state.range(0)));
  History history;
  int i = 0;
  for (auto _ : state) {
    history.Begin(fig);
    fig.Points[1].x = ++i;
    history.Commit(fig, "drag");
  }
  state.counters["entries kept"] = static_cast<double>(history.Entries());
  state.counters["MB kept"] = static_cast<double>(history.Bytes()) / (1 << 20);
  state.counters["MB per entry"] = static_cast<double>(FigureState::Of(fig).Bytes()) / (1 << 20);
}
BENCHMARK(BM_RecordChange)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
  Figure fig = MakeFigure(static_cast<int>(state.range(0)));
  History history;
  history.Begin(fig);
  fig.Points[1].x = -1;
  history.Commit(fig, "drag");
  for (auto _ : state) {
    history.Undo(fig);
    history.Redo(fig);
  }
}
BENCHMARK(BM_UndoRedo)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sakuzu

BENCHMARK_MAIN();
