// Never losing work: undo and redo in the window, the question before
// unsaved changes go, and the recovery copy a killed program leaves.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QtTest>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "app/zkwin.h"
#include "app_test_support.h"
#include "interact/locus.h"

using namespace sakuzu;
using namespace sakuzu::test;
namespace fs = std::filesystem;

namespace {

// New free points by the menu and clicks, ended with Esc: one change.
void PlacePoints(ZKwin& w, std::initializer_list<QPoint> places) {
  w.menus().Action("mnuPnewFreeP")->trigger();
  for (QPoint p : places) QTest::mouseClick(w.centralWidget(), Qt::LeftButton, {}, p);
  QTest::keyClick(w.centralWidget(), Qt::Key_Escape);
}

const fs::path kMarker = "changed.marker";

}  // namespace

class HistoryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void UndoRedoAndTheSaveQuestion() {
    ZKwin w;
    int asked = 0;
    SaveAnswer answer = SaveAnswer::kCancel;
    w.shell().askSave = [&] { return ++asked, answer; };
    // The killed program's copy waits for the test below.
    w.files().askRestore = [](const RecoveryFiles::Leftover&) {
      return FileCommands::RestoreAnswer::kLater;
    };
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(!w.menus().Action("mnuEUndo")->isEnabled());
    PlacePoints(w, {{100, 100}, {200, 150}});
    QCOMPARE(w.session().fig.ObjectCounts[kPointClass], int16_t{2});
    QVERIFY(w.windowTitle().startsWith("[*untitled]"));
    QCOMPARE(w.menus().Action("mnuEUndo")->text(), QString("元に戻す: 自由な新しい点"));

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);  // undo
    QCOMPARE(w.session().fig.ObjectCounts[kPointClass], int16_t{0});
    QVERIFY(w.windowTitle().startsWith("[untitled]"));  // as it was: nothing to save
    QVERIFY(w.close());
    QCOMPARE(asked, 0);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // redo
    QCOMPARE(w.session().fig.ObjectCounts[kPointClass], int16_t{2});
    QVERIFY(!w.close());  // Cancel keeps everything
    QCOMPARE(asked, 1);
    QCOMPARE(w.session().fig.ObjectCounts[kPointClass], int16_t{2});
    // Discard lets the window go.
    answer = SaveAnswer::kDiscard;
    QVERIFY(w.close());
    QCOMPARE(asked, 2);
  }

  // The program killed after a change left its recovery copy: the next
  // start offers it, with the figure unsaved.
  void KilledProgramIsOfferedAtTheNextStart() {
    QVERIFY(fs::exists(Home() / kMarker));
    ZKwin w;
    std::vector<std::string> offered;
    w.files().askRestore = [&](const RecoveryFiles::Leftover& leftover) {
      offered.push_back(leftover.figureName);
      return FileCommands::RestoreAnswer::kRestore;
    };
    w.files().OfferRecovery();
    QCOMPARE(offered, std::vector<std::string>{"untitled"});
    QCOMPARE(w.session().fig.ObjectCounts[kPointClass], int16_t{3});
    QVERIFY(w.session().history.IsModified());
    QVERIFY(w.windowTitle().startsWith("[*untitled]"));
    // Our own copy now; nothing more is offered to another window.
    ZKwin other;
    other.files().askRestore = [&](const RecoveryFiles::Leftover&) {
      offered.push_back("again");
      return FileCommands::RestoreAnswer::kLater;
    };
    other.files().OfferRecovery();
    QCOMPARE(offered.size(), size_t{1});
    w.session().history.MarkSaved();
    QVERIFY(w.close());  // a normal exit leaves no copy behind
    QVERIFY(RecoveryFiles::FindLeftovers(Home().string()).empty());
  }

  void DamagedRecoveryIsSetAside() {
    WriteText(Home() / "recover-999999-1.zk4", "not a figure");
    WriteText(Home() / "recover-999999-1.note", "lesson.zk4\n2026-12-07T09:00:00\n");
    ZKwin w;
    std::vector<std::string> messages;
    w.shell().showMessage = [&](const std::string& text) { messages.push_back(text); };
    w.files().askRestore = [](const RecoveryFiles::Leftover&) {
      return FileCommands::RestoreAnswer::kRestore;
    };
    w.files().OfferRecovery();
    QCOMPARE(messages.size(), size_t{1});
    QVERIFY(fs::exists(Home() / "recover-999999-1.zk4.damaged"));
    QCOMPARE(w.session().fig.StepCount, int16_t{0});
  }

  // A save that fails part way (a full disk here) keeps the old file and
  // the unsaved mark, and the work goes into the recovery copy at once.
  void FailedSaveKeepsTheWork() {
    ZKwin w;
    std::vector<std::string> messages;
    w.shell().showMessage = [&](const std::string& text) { messages.push_back(text); };
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    PlacePoints(w, {{100, 100}, {200, 150}});
    fs::path target = Home() / "lesson.zk4";
    WriteText(target, "last week's lesson");
    {
      ScopedWriteFault full({target.string(), 64, false, ENOSPC});
      QVERIFY(!w.files().SaveFigureAs(target.string()));
    }
    QCOMPARE(messages, std::vector<std::string>{WriteErrorMessage(target.string(), ENOSPC)});
    QCOMPARE(ReadText(target), std::string("last week's lesson"));
    QVERIFY(w.windowTitle().startsWith("[*untitled]"));
    QVERIFY(w.files().Recovery().HasFile());
    QCOMPARE(ReadText(w.files().Recovery().FigurePath()), FigureBytes(w.session().fig));
    w.files().Recovery().Remove();
  }

  // A drag longer than the recovery period: the copy that fell due while
  // the point moved is written as the drag ends, with the point dropped.
  void LongDragGetsItsCopyWhenItEnds() {
    ZKwin w(SAKUZU_SAMPLES "/sample.zk4");
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* timer = w.findChild<QTimer*>("TimerRecovery");
    QVERIFY(timer && timer->isActive());
    QWidget* area = w.centralWidget();
    const Figure& fig = w.session().fig;
    PixelPoint a = ToPixel(w.session().view, fig.Points[1].x, fig.Points[1].y);
    QPoint from(static_cast<int>(a.x), static_cast<int>(a.y));
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    for (int period = 1; period <= 2; ++period) {
      QTest::mouseMove(area, from + QPoint(-20 * period, 10 * period));
      QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));  // the timer's period passed
      QVERIFY(!w.files().Recovery().HasFile());
    }
    QTest::mouseRelease(area, Qt::LeftButton, {}, from + QPoint(-40, 20));
    QVERIFY(w.files().Recovery().HasFile());
    Figure copy;
    QVERIFY(ReadWriteFigure(copy, w.files().Recovery().FigurePath(), FigureFileMode::kRead).ok);
    QCOMPARE(copy.Points[1].x, fig.Points[1].x);
    QCOMPARE(copy.Points[1].y, fig.Points[1].y);
    w.files().Recovery().Remove();
  }

  // Recorded values reach their file within a second while the figure
  // rests too: the window's timer writes what waits, so a crash loses at
  // most the last second of rows.
  void RecordedRowsReachTheDiskAtRest() {
    ZKwin w(SAKUZU_SAMPLES "/sample.zk4");
    RecordBook& book = w.session().workspace.locus.record;
    auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    book.SetClock([&] { return now; });
    auto rowsOnDisk = [&] {
      std::string csv = ReadText(Home() / std::string(kRecordCsvName));
      return static_cast<size_t>(std::count(csv.begin(), csv.end(), '\n')) - 1;
    };
    w.menus().Action("mnuLocusSW")->trigger();
    w.session().Redraw();
    QCOMPARE(book.Rows().size(), size_t{1});
    QCOMPARE(rowsOnDisk(), size_t{0});
    auto* timer = w.findChild<QTimer*>("TimerRecord");
    QVERIFY(timer && timer->isActive() && timer->interval() < 1000);
    now += std::chrono::milliseconds(1000);
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QCOMPARE(rowsOnDisk(), size_t{1});
    w.menus().Action("mnuLocusSW")->trigger();
  }
};

// First a program of our own is killed after a change; then the tests run.
int main(int argc, char** argv) {
  FreshProgramFolder();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  pid_t child = fork();
  if (child == 0) {
    QApplication app(argc, argv);
    ZKwin w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) _exit(1);
    PlacePoints(w, {{100, 100}, {200, 150}, {300, 100}});
    w.files().WriteRecoveryNow();
    WriteText(Home() / kMarker, "1");
    for (;;) pause();  // until killed
  }
  for (int i = 0; i < 600 && !fs::exists(Home() / kMarker); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  QApplication app(argc, argv);
  HistoryWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "history_window_test.moc"
