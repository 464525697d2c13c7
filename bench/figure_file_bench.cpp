// Save and load of a generated figure of 10,000 steps with every class.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "model/figure.h"
#include "model/figure_file.h"

namespace sakuzu {
namespace {

int16_t Add(Figure& fig, int cls) { return static_cast<int16_t>(AddObject(fig, cls)); }

int Step(Figure& fig, const char* kind) {
  int s = AppendStep(fig);
  fig.StepKind[s] = kind;
  return s;
}

// Blocks of ten steps: three free points, their triangle's circumcentre,
// circumcircle, a side, a measurement, an expression, a bound point and
// an intersection pair.
Figure GeneratedFigure(int steps) {
  Figure fig;
  while (fig.StepCount + 10 <= steps) {
    int16_t p[3];
    for (int k = 0; k < 3; ++k) {
      p[k] = Add(fig, kPointClass);
      int s = Step(fig, "PNEW");
      fig.StepOutputs[s][1] = {kPointClass, p[k]};
      fig.Points[p[k]] = {p[k] * 0.37, -p[k] * 1.13, 7, 0, -1, 0, -1, 0, 0, 0, "P"};
    }
    int s = Step(fig, "P1");
    int16_t o = Add(fig, kPointClass);
    fig.StepInputs[s] = {{{}, {1, p[0]}, {1, p[1]}, {1, p[2]}}};
    fig.StepOutputs[s][1] = {kPointClass, o};
    s = Step(fig, "C3");
    int16_t c = Add(fig, kCircleClass);
    fig.StepInputs[s] = {{{}, {1, p[0]}, {1, p[1]}, {1, p[2]}}};
    fig.StepOutputs[s][1] = {kCircleClass, c};
    fig.Circles[c] = {1.25, -3.5, 12.345678901234, -1, 4, 0, "外接円"};
    s = Step(fig, "L1");
    int16_t l = Add(fig, kLineClass);
    fig.StepInputs[s] = {{{}, {1, p[0]}, {1, p[1]}}};
    fig.StepOutputs[s][1] = {kLineClass, l};
    fig.Lines[l] = {0.1, 0.2, 3.3, 4.4, -1, 1, 0.6, 0.8, 7, 0, "辺", 0, 0, 0};
    s = Step(fig, "ND2P");
    int16_t n = Add(fig, kNumberClass);
    fig.StepInputs[s] = {{{}, {1, p[0]}, {1, p[1]}}};
    fig.StepOutputs[s][1] = {kNumberClass, n};
    fig.Numbers[n] = {5.65685424949238, -1, "AB", 0, "", 0};
    s = Step(fig, "CALC");
    int16_t e = Add(fig, kNumberClass);
    fig.StepOutputs[s][1] = {kNumberClass, e};
    fig.Numbers[e] = {11.3137084989848, -1, "2AB", 0, "AB*2", 0};
    s = Step(fig, "PBND");
    int16_t b = Add(fig, kPointClass);
    fig.StepInputs[s][1] = {kLineClass, l};
    fig.StepOutputs[s][1] = {kPointClass, b};
    fig.Points[b] = {1, 2, 7, 3, -1, 0, -1, 2, l, 0.5, ""};
    s = Step(fig, "PC2");
    fig.StepInputs[s] = {{{}, {2, l}, {3, c}}};
    fig.StepOutputs[s][1] = {kPointClass, Add(fig, kPointClass)};
    fig.StepOutputs[s][2] = {kPointClass, Add(fig, kPointClass)};
    fig.StepReversed[s] = s % 3 == 0 ? kTrue : kFalse;
  }
  return fig;
}

std::string TempPath() { return "/tmp/sakuzu_bench_" + std::to_string(::getpid()) + ".zk4"; }

void BM_SaveFigure(benchmark::State& state) {
  Figure fig = GeneratedFigure(static_cast<int>(state.range(0)));
  std::string path = TempPath();
  for (auto _ : state) {
    FileOutcome outcome = ReadWriteFigure(fig, path, FigureFileMode::kWrite);
    if (!outcome.ok) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
  state.counters["steps"] = fig.StepCount;
}
BENCHMARK(BM_SaveFigure)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadFigure(benchmark::State& state) {
  Figure fig = GeneratedFigure(static_cast<int>(state.range(0)));
  std::string path = TempPath();
  ReadWriteFigure(fig, path, FigureFileMode::kWrite);
  for (auto _ : state) {
    Figure loaded;
    FileOutcome outcome = ReadWriteFigure(loaded, path, FigureFileMode::kRead);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
    benchmark::DoNotOptimize(loaded.StepCount);
  }
  std::remove(path.c_str());
  state.counters["steps"] = fig.StepCount;
}
BENCHMARK(BM_LoadFigure)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sakuzu

BENCHMARK_MAIN();
