// The layers of the window's canvas: what moves never damages what does not.
#include "app/image_canvas.h"

#include <QtTest>

#include "app_test_support.h"
#include "geometry/recalc.h"
#include "view/renderer.h"

using namespace sakuzu;
using namespace sakuzu::test;

namespace {

// A renderer on a 401 x 301 canvas at the standard scale (x -10..10,
// y -7.5..7.5): free points A(-6, 0), B(6, 0) with the line AB through
// them, and a free point P at the origin, on the line.
struct Picture {
  Picture() {
    engine.shell = &NullShell();
    SetScreen(view, canvas.Width(), canvas.Height());
    AddFreePoint(fig, -6, 0, 0, 7, "A");
    AddFreePoint(fig, 6, 0, 0, 7, "B");
    AddStepOnFirstTwoPoints(fig, "L1", kLineClass);
    AddFreePoint(fig, 0, 0, 4, 1, "P");  // a red square, traced in blue
    fig.Points[kP.index].locusColor = 4;
    Redraw(r);
  }
  // One step of a drag of P to (x, y), as the deformation does it.
  void DragP(double x, double y, bool trace = false) {
    if (first) {
      AnalyseDependencies(fig, {kP}, engine);
      BeginDeformationLayers(r, {kP});
      first = false;
    }
    StartDeformationStep(r);
    CopyToPrevious(fig);
    fig.Points[kP.index].x = x, fig.Points[kP.index].y = y;
    RecomputeAll(fig, engine);
    if (trace) DrawPrevObject(r, kP, kDrawLocusColor);
    FinishDeformationStep(r);
  }
  QRgb At(double x, double y, int dx = 0, int dy = 0) {
    PixelPoint p = ToPixel(view, x, y);
    return canvas.Composed().pixel(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy);
  }

  static constexpr ObjectRef kP{kPointClass, 3};
  Figure fig;
  ImageCanvas canvas{401, 301};
  ViewState view;
  DisplaySettings settings;
  Engine engine;
  Renderer r{fig, canvas, view, settings, engine};
  bool first = true;
};

const QRgb kWhitePixel = qRgb(255, 255, 255), kBlackPixel = qRgb(0, 0, 0);

}  // namespace

class ImageCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FreshProgramFolder(); }

  // P moved off the line: the line is whole where P was, P is drawn where
  // it went, and the line stays on the base layer through every step.
  void AMovedPointLeavesTheLineWhole() {
    Picture p;
    QCOMPARE(p.At(0, 0, 0, 3), qRgb(255, 0, 0));  // the line is drawn over the point
    p.DragP(0, 3);
    p.DragP(0.5, 3.5);
    for (int dx = -6; dx <= 6; ++dx) QCOMPARE(p.At(0, 0, dx, 0), kBlackPixel);
    QCOMPARE(p.At(0.5, 3.5), qRgb(255, 0, 0));
    QCOMPARE(p.At(0, 3), kWhitePixel);        // the last step's picture is gone
    QCOMPARE(p.At(0, 0, 0, 3), kWhitePixel);  // and the one before the drag
    Redraw(p.r);
    for (int dx = -6; dx <= 6; ++dx) QCOMPARE(p.At(0, 0, dx, 0), kBlackPixel);
    QCOMPARE(p.At(0.5, 3.5), qRgb(255, 0, 0));
  }

  // A trace stays through the steps that follow and goes with a full redraw.
  void TracesLastUntilTheFullRedraw() {
    Picture p;
    p.DragP(0, 2, true);
    p.DragP(0, 4, true);
    p.DragP(0, 6, true);
    QCOMPARE(p.At(0, 0, 0, 3), qRgb(0, 0, 255));  // traced at each step
    QCOMPARE(p.At(0, 2), qRgb(0, 0, 255));
    QCOMPARE(p.At(0, 4), qRgb(0, 0, 255));
    QCOMPARE(p.At(0, 6), qRgb(255, 0, 0));  // P itself, on the live layer
    Redraw(p.r);
    QCOMPARE(p.At(0, 0, 0, 3), kWhitePixel);
    QCOMPARE(p.At(0, 2), kWhitePixel);
    QCOMPARE(p.At(0, 4), kWhitePixel);
  }

  // Turning the grid off, or a changed overlay, leaves the figure whole;
  // each frame reports once what changed.
  void GridAndOverlayLeaveTheFigureWhole() {
    Picture p;
    QList<QRect> changes;
    p.canvas.SetChangeListener([&](const QRect& r) { changes << r; });
    ToggleAxisCommand(p.r);
    p.canvas.Present();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(p.At(1, 0, 0, 0), kBlackPixel);  // the axis lies under the line
    ToggleAxisCommand(p.r);
    p.canvas.Present();
    QCOMPARE(p.At(1, 0), kBlackPixel);
    QCOMPARE(p.At(1, 1), kWhitePixel);  // the grid is gone
    {
      LayerScope overlay(p.canvas, Layer::kOverlay);
      p.canvas.DrawCircle(200, 150, 20, Pen{MakeRgb(0, 255, 0), 3, false});
    }
    p.canvas.Present();
    QCOMPARE(changes.size(), 3);
    QVERIFY(changes.back().contains(QRect(178, 128, 44, 44)));
    QVERIFY(!changes.back().contains(QRect(0, 0, 401, 301)));
    p.canvas.ClearLayer(Layer::kOverlay);
    p.canvas.Present();
    QCOMPARE(p.At(1, 0), kBlackPixel);
    QCOMPARE(p.At(0, 0, 0, 3), qRgb(255, 0, 0));
  }
};

QTEST_MAIN(ImageCanvasTest)
#include "image_canvas_test.moc"
