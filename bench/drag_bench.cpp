// Dragging the first vertex of a long chain of constructions: (a) one
// step's recomputation, (b) one whole mouse step as the window draws it:
// the move through the session, the drawing on a 1280 x 960 canvas,
// smooth, one present and the composition of the changed part.
//
// The chain is that of chain_figure.h.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "app/image_canvas.h"
#include "chain_figure.h"
#include "geometry/engine.h"
#include "geometry/recalc.h"
#include "interact/deform.h"
#include "interact/locus.h"
#include "interact/workspace.h"
#include "model/figure.h"
#include "model/figure_file.h"
#include "session/session.h"
#include "view/renderer.h"

namespace sakuzu {
namespace {

constexpr int kWidth = 1280, kHeight = 960;

// The session of a window with the chain, its first vertex pressed.
struct Drag {
  explicit Drag(int objects) {
    canvas.SetChangeListener([this](const QRect& r) { changed = r; });
    frame = QImage(kWidth, kHeight, QImage::Format_RGB32);
    session.ResetForStartUp();
    session.fig = ChainMaker().Build(objects);
    session.SetScreen();
    session.StartModes();
    session.Redraw();
    canvas.Present();
    const PointRecord& a = session.fig.Points[1];
    PixelPoint at = ToPixel(session.view, a.x, a.y);
    MouseInput press;
    press.px = at.x, press.py = at.y, press.button = MouseButton::kLeft, press.leftHeld = true;
    Show(session.MouseDown(press));
  }
  double X(int step) const { return -4 + 0.02 * (step % 100); }
  // A move of the held mouse to (x, y), shown as the window shows it.
  void Move(double x, double y) {
    PixelPoint at = ToPixel(session.view, x, y);
    MouseInput move;
    move.px = at.x, move.py = at.y, move.leftHeld = true;
    Show(session.MouseMove(move));
  }
  void Show(const Update& update) {
    if (update.layers == 0) return;
    canvas.Present();
    QPainter p(&frame);
    canvas.Paint(p, changed);
  }

  ImageCanvas canvas{kWidth, kHeight};
  FrontEnd front;
  Session session{canvas, front, std::filesystem::temp_directory_path().string()};
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
  Figure& fig = d.session.fig;
  AnalyseDependencies(fig, {ObjectRef{kPointClass, 1}}, d.session.engine);
  int step = 0;
  for (auto _ : state) {
    fig.Points[1].x = d.X(step++);
    RecomputeAll(fig, d.session.engine);
  }
  state.counters["objects"] = ObjectTotal(fig);
}
BENCHMARK(BM_StepRecompute)->Apply(Sizes);

// (b) A whole mouse step: the move, the recomputation, the drawing of what
// moves and the composition of the changed part of the frame.
void BM_StepWithDrawing(benchmark::State& state) {
  Drag d(static_cast<int>(state.range(0)));
  int step = 0;
  for (auto _ : state) d.Move(d.X(step++), -2);
  state.counters["objects"] = ObjectTotal(d.session.fig);
}
BENCHMARK(BM_StepWithDrawing)->Apply(Sizes);

// (c) A step with the locus switch on: the same whether 0 or 100,000
// trace samples are stored already (they stay on the trace layer).
void BM_StepWithTraces(benchmark::State& state) {
  Drag d(1003);
  Workspace& ws = d.session.workspace;
  ToggleLocus(ws);
  PointRecord sample = d.session.fig.Points[1];
  sample.locusColor = 4;
  for (int i = 0; i < state.range(0); ++i) {
    sample.x = -10 + 20.0 * (i % 1000) / 1000, sample.y = -7 + 14.0 * (i / 1000) / 100;
    ws.locus.points.push_back(sample);
  }
  Redraw(d.session.renderer);
  int step = 0;
  for (auto _ : state) d.Move(d.X(step++), -2);
  ToggleLocus(ws);
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
    Renderer r{fig, canvas, view, settings, engine};
    Workspace ws{r, modes};
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
