// Constructing in the real window: new points with the mouse, a
// circumcircle from the menu, repeated with Ctrl+R on points picked with
// the keyboard, deleted with Ctrl+U, and the saved file.
#include <QAction>
#include <QLabel>
#include <QtTest>

#include "app/zkwin.h"
#include "app_test_support.h"
#include "model/figure_file.h"
#include "view/view_mapping.h"

using namespace sakuzu;
using namespace sakuzu::test;

class ConstructWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FreshProgramFolder(); }

  void CircumcircleRepeatDeleteAndSave() {
    ZKwin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget* area = w.centralWidget();
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);  // new free points
    const QPoint places[] = {{100, 300}, {300, 300}, {200, 120},
                             {400, 350}, {560, 380}, {480, 200}};
    for (QPoint p : places) QTest::mouseClick(area, Qt::LeftButton, {}, p);
    QTest::keyClick(area, Qt::Key_Escape);
    Figure& fig = w.session().fig;
    QCOMPARE(fig.ObjectCounts[kPointClass], int16_t{6});

    w.menus().Action("mnuCgaisetsu")->trigger();
    QCOMPARE(w.Panel(4)->text(), QString("点A"));            // the first candidate
    QTest::mouseClick(area, Qt::LeftButton, {}, places[0]);  // A is current: confirmed
    for (int i : {1, 2}) {
      QTest::mouseClick(area, Qt::LeftButton, {}, places[i]);  // highlighted
      QTest::mouseClick(area, Qt::LeftButton, {}, places[i]);  // confirmed
    }
    QCOMPARE(fig.StepCount, int16_t{7});

    // Again on D, E and F: Down moves the current candidate (skipping the
    // ones taken), Enter confirms.
    QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier);
    for (const char* name : {"点D", "点E", "点F"}) {
      for (int i = 0; i < 6 && w.Panel(4)->text() != name; ++i) {
        QTest::keyClick(area, Qt::Key_Down);
      }
      QCOMPARE(w.Panel(4)->text(), QString(name));
      QTest::keyClick(area, Qt::Key_Return);
    }
    QCOMPARE(fig.StepCount, int16_t{8});
    QCOMPARE(fig.StepInputs[8][3], (ObjectRef{kPointClass, 6}));
    QCOMPARE(w.Panel(1)->text(), QString("標準"));

    QTest::keyClick(&w, Qt::Key_U, Qt::ControlModifier);  // deletes the second circle
    std::string path = (Home() / "circle.zk4").string();
    QVERIFY(w.files().SaveFigureAs(path));
    Figure saved;
    QVERIFY(ReadWriteFigure(saved, path, FigureFileMode::kRead).ok);
    QCOMPARE(saved.StepCount, int16_t{7});
    QCOMPARE(saved.StepKind[7], std::string("C3"));
    QCOMPARE(saved.ObjectCounts[kCircleClass], int16_t{1});
    for (int k = 1; k <= 3; ++k) {
      QCOMPARE(saved.StepInputs[7][k], (ObjectRef{kPointClass, static_cast<int16_t>(k)}));
    }
    QVERIFY(std::abs(saved.Circles[1].radius - fig.Circles[1].radius) < 1e-9);
    QVERIFY(saved.Circles[1].radius > 1);
  }

  // A vertex of the sample dragged with the mouse; the saved file has it
  // where it was dropped, and what is built on it followed.
  void DragAVertexAndSave() {
    ZKwin w(SAKUZU_SAMPLES "/sample.zk4");
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget* area = w.centralWidget();
    Figure& fig = w.session().fig;
    const ViewState& view = w.session().view;
    PixelPoint a = ToPixel(view, fig.Points[1].x, fig.Points[1].y);
    QPoint from(static_cast<int>(a.x), static_cast<int>(a.y));
    QPoint to = from + QPoint(-40, 20);
    double radius = fig.Circles[1].radius;
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QCOMPARE(w.Panel(1)->text(), QString("ドラッグ"));
    QTest::mouseMove(area, from + QPoint(-20, 10));
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    QCOMPARE(w.Panel(1)->text(), QString("標準"));
    FigurePoint dropped = ToFigure(view, to.x(), to.y());
    QVERIFY(std::abs(fig.Points[1].x - dropped.x) < 0.05);
    QVERIFY(std::abs(fig.Points[1].y - dropped.y) < 0.05);
    QVERIFY(std::abs(fig.Circles[1].radius - radius) > 0.1);

    std::string path = (Home() / "dragged.zk4").string();
    QVERIFY(w.files().SaveFigureAs(path));
    Figure saved;
    QVERIFY(ReadWriteFigure(saved, path, FigureFileMode::kRead).ok);
    QCOMPARE(saved.Points[1].x, fig.Points[1].x);
    QCOMPARE(saved.Points[1].y, fig.Points[1].y);
    QCOMPARE(saved.StepCount, fig.StepCount);
  }
};

QTEST_MAIN(ConstructWindowTest)
#include "construct_window_test.moc"
