// Drawing on the window's layered canvas (1280 x 960 logical pixels): the
// full redraw of a generated figure, and one deformation step's drawing
// with the composition of what changed, smooth and pixel-exact, at scale 1
// and 2.
//
// The figure: small triangles spread over the window, each with two sides,
// its circumcircle and its circumcentre; 34 of them share one free vertex
// M, so that a drag of M moves 100 objects over a base of all the others.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <utility>

#include "app/image_canvas.h"
#include "geometry/engine.h"
#include "geometry/recalc.h"
#include "model/figure.h"
#include "view/renderer.h"

namespace sakuzu {
namespace {

constexpr int kWidth = 1280, kHeight = 960;
constexpr int kMovingBlocks = 33;  // 33 x 3 objects and M itself

class FigureMaker {
 public:
  // About `objects` objects: blocks of 7 (three free points, two sides,
  // a circumcircle, a circumcentre) and the shared vertex's blocks of 3.
  Figure Build(int objects) {
    CreateTables(fig_, objects);
    int16_t m = Free(0, 0);
    for (int i = 0; i < kMovingBlocks; ++i) Block(m);
    while (Objects() + 7 <= objects) Block(0);
    return fig_;
  }

 private:
  int Objects() const {
    int n = 0;
    for (int c = 0; c <= 3; ++c) n += fig_.ObjectCounts[c];
    return n;
  }
  double Spot(double half) { return std::uniform_real_distribution<double>(-half, half)(rng_); }

  int16_t Free(double x, double y) {
    int16_t p = Output("PNEW", {}, kPointClass);
    PointRecord& r = fig_.Points[p];
    r.x = x, r.y = y, r.exists = kTrue, r.independent = kTrue;
    r.name = DefaultName(kPointClass, p);
    return p;
  }
  int16_t Output(const char* kind, std::initializer_list<int16_t> points, int cls) {
    int step = AppendStep(fig_);
    fig_.StepKind[step] = kind;
    int slot = 1;
    for (int16_t p : points) fig_.StepInputs[step][slot++] = ObjectRef{kPointClass, p};
    auto index = static_cast<int16_t>(AddObject(fig_, cls));
    fig_.StepOutputs[step][1] = ObjectRef{static_cast<int16_t>(cls), index};
    return index;
  }
  // A triangle of sides about 3 units somewhere in the window; with a
  // shared vertex, a fan of triangles around it.
  void Block(int16_t shared) {
    double ox = Spot(28), oy = Spot(21), turn = 0;
    if (shared) {
      turn = Spot(3.14159);
      ox = 1.5 * std::cos(turn) + 1 * std::sin(turn);
      oy = 1.5 * std::sin(turn) - 1 * std::cos(turn);
    }
    auto at = [&](double dx, double dy) {
      return std::pair{ox + dx * std::cos(turn) - dy * std::sin(turn) + Spot(0.3),
                       oy + dx * std::sin(turn) + dy * std::cos(turn) + Spot(0.3)};
    };
    auto [ax, ay] = at(-1.5, -1);
    auto [bx, by] = at(1.5, -1);
    auto [cx, cy] = at(0, 1.5);
    int16_t a = shared ? shared : Free(ax, ay);
    int16_t b = Free(bx, by);
    int16_t c = Free(cx, cy);
    fig_.Lines[Output("L1", {a, b}, kLineClass)].lineKind = 1;
    if (!shared) fig_.Lines[Output("L1", {b, c}, kLineClass)].lineKind = 1;
    Output("C3", {a, b, c}, kCircleClass);
    Output("P1", {a, b, c}, kPointClass);
  }

  Figure fig_;
  std::mt19937 rng_{7};
};

struct Scene {
  Scene(int objects, bool smooth, double scale)
      : fig(FigureMaker().Build(objects)), canvas(kWidth, kHeight, scale) {
    engine.shell = &NullShell();
    settings.smooth = smooth;
    SetScreen(view, kWidth, kHeight);
    frame = QImage(static_cast<int>(kWidth * scale), static_cast<int>(kHeight * scale),
                   QImage::Format_RGB32);
    frame.setDevicePixelRatio(scale);
    canvas.SetChangeListener([this](const QRect& changed) { this->changed = changed; });
  }
  // What the window does with a frame: present it, paint the changed part.
  void Show() {
    canvas.Present();
    QPainter p(&frame);
    canvas.Paint(p, changed);
  }

  Figure fig;
  ImageCanvas canvas;
  ViewState view;
  DisplaySettings settings;
  Engine engine;
  Renderer r{fig, canvas, view, settings, engine};
  QImage frame;
  QRect changed;
};

void Args(benchmark::internal::Benchmark* b) {
  for (int objects : {1000, 7000, 10000}) {
    for (int smooth : {1, 0}) {
      for (int scale : {1, 2}) b->Args({objects, smooth, scale});
    }
  }
  b->ArgNames({"objects", "smooth", "scale"});
  b->Unit(benchmark::kMillisecond);
}

// Redraw (recomputation included) and the whole frame shown.
void BM_FullRedraw(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), state.range(1) != 0, state.range(2));
  for (auto _ : state) {
    Redraw(s.r);
    s.Show();
  }
}
BENCHMARK(BM_FullRedraw)->Apply(Args);

// One step of a drag of M: the live layer drawn anew with the 100 objects
// that move, the number list, and the changed part of the frame composed.
// The recomputation is not counted (see recalc_bench).
void BM_DeformationStepDrawing(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), state.range(1) != 0, state.range(2));
  Redraw(s.r);
  s.Show();
  ObjectRef m{kPointClass, 1};
  AnalyseDependencies(s.fig, {m}, s.engine);
  BeginDeformationLayers(s.r, {m});
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CopyToPrevious(s.fig);
    s.fig.Points[1].x = 0.01 * (step % 50);
    ++step;
    state.ResumeTiming();
    StartDeformationStep(s.r);
    state.PauseTiming();
    RecomputeAll(s.fig, s.engine);
    state.ResumeTiming();
    FinishDeformationStep(s.r);
    s.Show();
  }
  int moving = 0;
  for (int c = 1; c <= 3; ++c) {
    for (int i = 1; i <= s.fig.ObjectCounts[c]; ++i) {
      moving += !IsFixedObject(s.r, ObjectRef{static_cast<int16_t>(c), static_cast<int16_t>(i)});
    }
  }
  state.counters["moving"] = moving;
}
BENCHMARK(BM_DeformationStepDrawing)->Apply(Args);

}  // namespace
}  // namespace sakuzu

int main(int argc, char** argv) {
  // Fonts need a GUI application; no screen is needed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
