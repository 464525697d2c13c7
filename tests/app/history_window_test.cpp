// Never losing work: undo and redo in the window, the question before
// unsaved changes go, and the recovery copy a killed program leaves.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QtTest>
#include <chrono>
#include <thread>

#include "app/zkwin.h"
#include "app_test_support.h"

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
