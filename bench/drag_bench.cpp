// Dragging the first vertex of a long chain of constructions: (a) one
// step's recomputation, (b) one whole step with its drawing on a
// 1280 x 960 canvas, smooth, (c) the same with the drawing calls also
// kept, as the window keeps them for its vector pictures.
//
// The chain is that of chain_figure.h.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string_view>

#include "app/image_canvas.h"
#include "app/painter_canvas.h"
#include "chain_figure.h"
#include "geometry/engine.h"
#include "geometry/recalc.h"
#include "interact/deform.h"
#include "interact/locus.h"
#include "interact/workspace.h"
#include "model/figure.h"
#include "model/figure_file.h"
#include "view/renderer.h"

namespace sakuzu {
namespace {

constexpr int kWidth = 1280, kHeight = 960;

struct Drag {
  // `recorded`: through the recording canvas, as the window draws.
  Drag(int objects, bool recorded = false)
      : fig(ChainMaker().Build(objects)),
        surface(recorded ? static_cast<Canvas&>(recorder) : canvas) {
    engine.shell = &NullShell();
    SetScreen(view, kWidth, kHeight);
    PushMode(modes, kModeStandard, NullShell());
    frame = QImage(kWidth, kHeight, QImage::Format_RGB32);
    canvas.SetChangeListener([this](const QRect& r) { changed = r; });
    Redraw(r);
    StartPointDrag(ws, 1);
  }
  double X(int step) const { return -4 + 0.02 * (step % 100); }

  Figure fig;
  ImageCanvas canvas{kWidth, kHeight};
  PainterCanvas recorder{canvas};
  Canvas& surface;
  ViewState view;
  DisplaySettings settings;
  ModeStack modes;
  Engine engine;
  Renderer r{fig, surface, view, settings, modes, engine};
  Workspace ws{r};
  QImage frame;
  QRect changed;
};

void Sizes(benchmark::internal::Benchmark* b) {
  for (int objects : {1003, 7003, 10003}) b->Arg(objects);
  b->ArgName("objects");
  b->Unit(benchmark::kMillisecond);
}

// (a) The recomputation of one step, after the drag's analysis.
void BM_StepRecompute(benchmark::State& state) {
  Drag d(static_cast<int>(state.range(0)));
  AnalyseDependencies(d.fig, {ObjectRef{kPointClass, 1}}, d.engine);
  int step = 0;
  for (auto _ : state) {
    d.fig.Points[1].x = d.X(step++);
    RecomputeAll(d.fig, d.engine);
  }
  state.counters["objects"] = ObjectTotal(d.fig);
}
BENCHMARK(BM_StepRecompute)->Apply(Sizes);

// (b) A whole mouse step: the move, the recomputation, the drawing of what
// moves and the composition of the changed part of the frame.
void BM_StepWithDrawing(benchmark::State& state, bool recorded) {
  Drag d(static_cast<int>(state.range(0)), recorded);
  int step = 0;
  for (auto _ : state) {
    DragStep(d.ws, d.X(step++), -2);
    QPainter p(&d.frame);
    d.canvas.Paint(p, d.changed);
  }
  state.counters["objects"] = ObjectTotal(d.fig);
}
BENCHMARK_CAPTURE(BM_StepWithDrawing, pixels, false)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_StepWithDrawing, recorded, true)->Apply(Sizes);

// (c) A step with the locus switch on: the same whether 0 or 100,000
// trace samples are stored already (they stay on the trace layer).
void BM_StepWithTraces(benchmark::State& state) {
  Drag d(1003);
  ToggleLocus(d.ws);
  PointRecord sample = d.fig.Points[1];
  sample.locusColor = 4;
  for (int i = 0; i < state.range(0); ++i) {
    sample.x = -10 + 20.0 * (i % 1000) / 1000, sample.y = -7 + 14.0 * (i / 1000) / 100;
    d.ws.locus.points.push_back(sample);
  }
  Redraw(d.r);
  StartPointDrag(d.ws, 1);
  int step = 0;
  for (auto _ : state) {
    DragStep(d.ws, d.X(step++), -2);
    QPainter p(&d.frame);
    d.canvas.Paint(p, d.changed);
  }
  ToggleLocus(d.ws);
}
BENCHMARK(BM_StepWithTraces)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// (d) The plane scan of the sample figure in a 640 x 480 drawing area,
// for the sign of a measured number: about 3,000 positions.
void BM_PlaneScan(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Figure fig;
    ReadWriteFigure(fig, SAKUZU_SAMPLES "/sample.zk4", FigureFileMode::kRead);
    ImageCanvas canvas(640, 480);
    ViewState view;
    SetScreen(view, 640, 480);
    DisplaySettings settings;
    ModeStack modes;
    PushMode(modes, kModeStandard, NullShell());
    Engine engine;
    engine.shell = &NullShell();
    Renderer r{fig, canvas, view, settings, modes, engine};
    Workspace ws{r};
    Redraw(r);
    ToggleLocus(ws);
    ws.locus.variable = 1;
    PushMode(modes, kModeDeform, NullShell());
    StartPointDrag(ws, 1);
    state.ResumeTiming();
    ScanPlane(ws);
    state.counters["samples"] = static_cast<double>(ws.locus.points.size());
  }
}
BENCHMARK(BM_PlaneScan)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace sakuzu

int main(int argc, char** argv) {
  // `drag_bench --write-chain FILE [OBJECTS]` writes the chain as a figure
  // file instead (the web viewer's benchmark drags it in a browser).
  if (argc >= 3 && std::string_view(argv[1]) == "--write-chain") {
    int objects = argc >= 4 ? std::atoi(argv[3]) : 1003;
    sakuzu::Figure fig = sakuzu::ChainMaker().Build(objects);
    return sakuzu::ReadWriteFigure(fig, argv[2], sakuzu::FigureFileMode::kWrite).ok ? 0 : 1;
  }
  // Fonts need a GUI application; no screen is needed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
