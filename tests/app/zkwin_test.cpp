// The main window: start-up, file commands, options, language, text window.
#include "app/zkwin.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <chrono>

#include "app/program_folder.h"
#include "app_test_support.h"
#include "interact/locus.h"
#include "lang/translate.h"
#include "model/report.h"

using namespace sakuzu;
using namespace sakuzu::test;
namespace fs = std::filesystem;

namespace {

const fs::path kConfig = "config_zkwin.txt";

std::string CaptionOf(ZKwin& w, const char* name) {
  return w.menus().Action(name)->text().toStdString();
}

void Trigger(ZKwin& w, const char* name) { w.menus().Action(name)->trigger(); }

std::optional<int16_t> Mode(ZKwin& w) { return CurrentMode(w.session().modes); }

// Answers the modal language dialog with list entry `index` and OK.
void AnswerLanguageDialog(int index) {
  WhenModal([index](QDialog* dialog) {
    Find<QComboBox>(dialog, "Combo1")->setCurrentIndex(index);
    Find<QPushButton>(dialog, "OKButton")->click();
  });
}

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

}  // namespace

class ZKwinTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FreshProgramFolder(); }

  void init() {
    for (const auto& entry : fs::directory_iterator(Home())) fs::remove_all(entry.path());
  }

  // A row recorded in a pause reaches temp.csv from the window's timer, and
  // what waits at the end goes with the window.
  void RecordedValuesReachTheFileWithinASecondAndAtQuit() {
    fs::path csv = Home() / "temp.csv";
    auto lines = [&] {
      std::string text = ReadText(csv);
      return std::count(text.begin(), text.end(), '\n');
    };
    auto now = std::chrono::steady_clock::now();
    long written = 0;
    {
      ZKwin w(SAKUZU_SAMPLES "/sample.zk4");
      auto* timer = w.findChild<QTimer*>("TimerRecordFlush");
      QVERIFY(timer != nullptr && timer->isActive() && timer->interval() <= 250);
      RecordBook& book = w.session().workspace.locus.record;
      book.SetClock([&] { return now; });
      w.menus().Action("mnuLocusSW")->trigger();  // the files start, headers written
      written = lines();
      w.session().Redraw();  // two rows within the second: they wait
      w.session().Redraw();
      QTest::qWait(300);
      QCOMPARE(lines(), written);
      now += std::chrono::seconds(1);  // no further row comes: the timer writes them
      QTRY_COMPARE_WITH_TIMEOUT(lines(), written + 2, 2000);
      w.session().Redraw();  // waits for a second to pass, or the end
      QCOMPARE(lines(), written + 2);
      w.close();
    }
    QCOMPARE(lines(), written + 3);
  }

  // A box the session asks for stands over the window, wherever that is.
  void DialogsOpenOverTheWindow() {
    ZKwin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(350, 180);
    QPoint centre;
    WhenModal([&](QDialog* dialog) { centre = dialog->frameGeometry().center(); });
    w.shell().ShowMessage("x");
    QPoint middle = w.frameGeometry().center();
    QVERIFY2((centre - middle).manhattanLength() < 60, qPrintable(QString("%1,%2 vs %3,%4")
                                                                      .arg(centre.x())
                                                                      .arg(centre.y())
                                                                      .arg(middle.x())
                                                                      .arg(middle.y())));
  }

  void StartUpWithAndWithoutStoredSettings() {
    {
      ZKwin w;
      QCOMPARE(w.windowTitle(), QString("[untitled] Sakuzu " SAKUZU_VERSION));
      QVERIFY(!w.windowIcon().pixmap(32).isNull());  // the program's icon, drawn from its SVG
      QCOMPARE(w.Panel(1)->text(), QString("標準"));
      QCOMPARE(w.Panel(3)->text(), QString("×軌"));  // the locus switch, off
      QVERIFY(w.session().modes.depth == 1 && Mode(w) == kModeStandard);
      QCOMPARE(w.session().view.ViewScale, 0.05);
      // No data folder file: the sample is the starting file of the dialogs,
      // found beside the program when the program's folder has none.
      QVERIFY(w.files().DataFolder().ends_with("sample.zk4") &&
              fs::is_regular_file(w.files().DataFolder()));
      QVERIFY(w.files().FileFilter().contains("ZK4形式(*.zk4)"));
    }
    WriteText(Home() / kConfig,
              "ZKwin_Language =English\r\nZKwin_MenuMode =-1 \r\naxissw =-1 \r\n"
              "ZKwin.DrawWidth = 3 \r\nZKwin.Width = 300 \r\nZKwin.Height = 9000 \r\n");
    ZKwin w;
    QCOMPARE(CaptionOf(w, "mnuLoad"), EnglishFor("例の読み込み"));
    QVERIFY(w.menus().MenuMode() == kEasyMenuMode && w.session().view.axisOn);
    QCOMPARE(w.session().display.penWidth, 3);
    QCOMPARE(w.width(), 640);  // a stored size needs both sides above 300
    WriteText(Home() / kConfig, "ZKwin.Width = 9600 \r\nZKwin.Height = 7200 \r\n");
    ZKwin wide;
    int dpi = wide.logicalDpiX();
    QCOMPARE(wide.size(), QSize(TwipsToPixels(9600, dpi), TwipsToPixels(7200, dpi)));
    // Never larger than the screen's free area, title bar included.
    WriteText(Home() / kConfig, "ZKwin.Width = 30000 \r\nZKwin.Height = 30000 \r\n");
    ZKwin huge;
    QRect free = huge.screen()->availableGeometry();
    QVERIFY(huge.width() <= free.width() && huge.height() + 30 <= free.height());
  }

  void WindowSizeCommandsCheckTheirOwnItem() {
    ZKwin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto checked = [&w](const char* name) { return w.menus().Action(name)->isChecked(); };
    Trigger(w, "mnuOWindowVGA");
    QTRY_COMPARE(w.centralWidget()->size(), QSize(628, 430));
    QVERIFY(checked("mnuOWindowVGA") && !checked("mnuOWindowStandard"));
    Trigger(w, "mnuOWindowStandard");
    QTRY_VERIFY(checked("mnuOWindowStandard"));
    QVERIFY(!checked("mnuOWindowVGA") && !checked("mnuOWindowSave"));
    // At least the standard width, and as wide as every top menu needs.
    QVERIFY(w.session().settings.windowWidth >= 6525);
    QVERIFY(w.width() >= w.menuBar()->sizeHint().width());
    QVERIFY(Has(ReadText(Home() / kConfig), "ZKwin.Height = 6615 \r\n"));
  }

  void ComputedNumbersShownOrHiddenTogether() {
    ZKwin w;
    Figure& fig = w.session().fig;
    AddFreePoint(fig, 0, 0, 1, 1, "A");
    AddFreePoint(fig, 3, 4, 1, 1, "B");
    int measured = AddStepOnFirstTwoPoints(fig, "ND2P", kNumberClass);
    int given = AddObject(fig, kNumberClass);
    fig.Numbers[given].independent = fig.Numbers[given].exists = kTrue;

    auto displays = [&] {
      return std::pair(fig.Numbers[measured].display, fig.Numbers[given].display);
    };
    Trigger(w, "mnuEVarDispAllOff");
    QCOMPARE(displays(), (std::pair<int16_t, int16_t>(7, 0)));
    QCOMPARE(fig.Numbers[measured].value, 5.0);  // redrawn, so computed
    fig.Numbers[given].display = 7;
    Trigger(w, "mnuEVarDispAllOn");
    QCOMPARE(displays(), (std::pair<int16_t, int16_t>(0, 7)));
  }

  void CommandLineFigureOpensWithoutQuotesAndComplexView() {
    Figure fig;
    AddFreePoint(fig, 1, 0, 1, 1, "A");
    AddFreePoint(fig, 0, 1, 1, 1, "B");
    AddStepOnFirstTwoPoints(fig, "PO+", kPointClass);
    std::string path = (Home() / "complex figure.zk4").string();
    WriteFigure(fig, path);

    ZKwin w("  \"" + path + "\"  ");
    QCOMPARE(w.session().fig.FigureFileName, path);
    QCOMPARE(w.session().fig.StepCount, int16_t{3});
    QCOMPARE(w.windowTitle(), QString("[complex figure.zk4] Sakuzu " SAKUZU_VERSION));
    QVERIFY(w.session().view.ViewScale == 0.05 / 4 && w.session().view.axisOn);
    QCOMPARE(Mode(w), std::optional<int16_t>(kModeStandard));

    ZKwin missing((Home() / "nothing.zk4").string());
    QVERIFY(missing.session().fig.FigureFileName == "untitled" && !missing.session().fig.StepCount);
    // Its message comes once the window is on the screen, over it.
    std::vector<std::string> messages;
    missing.shell().showMessage = [&](const std::string& text) { messages.push_back(text); };
    QVERIFY(!missing.StartUpMessage().empty() && messages.empty());
    missing.show();
    QTRY_COMPARE(messages.size(), size_t{1});
    QVERIFY(Has(messages[0], "nothing.zk4"));
  }

  // The replay runs on the timer of the chosen speed. Keys reach the
  // drawing area whatever widget of the window has the focus: the replay
  // steps with Space and ends with Esc sent to the menu bar.
  void ReplayOnTheTimerAndKeysWhateverHasTheFocus() {
    ZKwin w(SAKUZU_SAMPLES "/sample.zk4");
    w.session().settings.redrawSlow = 1000;
    Trigger(w, "mnuRedrawslowOption_01");
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Trigger(w, "mnuFigData_Redraw");
    QCOMPARE(Mode(w), std::optional<int16_t>(kModeReplay));
    auto* timer = w.findChild<QTimer*>("Timer4DrawSlow");
    QVERIFY(timer->isActive() && timer->interval() == 200);
    QString first = w.Panel(3)->text();
    QVERIFY(!first.isEmpty());
    w.menuBar()->setFocus();
    QTest::keyClick(w.menuBar(), Qt::Key_Space);
    QVERIFY(w.Panel(3)->text() != first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(Mode(w), std::optional<int16_t>(kModeStandard));
    QVERIFY(!timer->isActive());
    QCOMPARE(w.Panel(3)->text(), QString("×軌"));  // the locus switch again, off
    // A closed menu gives the focus back to the drawing area.
    QMenu* file = w.menuBar()->actions().first()->menu();
    file->popup(QPoint(0, 0));
    QTRY_VERIFY(file->isVisible());
    file->hide();
    QTRY_COMPARE(QApplication::focusWidget(), w.centralWidget());
  }

  void FileCommandsAndARefusedFile() {
    ZKwin w;
    std::vector<std::string> messages;
    w.shell().showMessage = [&](const std::string& text) { messages.push_back(text); };
    std::string sample = SAKUZU_SAMPLES "/sample.zk4";
    QVERIFY(w.files().ReadZKFigFile(sample));
    QImage before = w.canvas().Composed();
    int16_t steps = w.session().fig.StepCount;
    QVERIFY(steps > 0 && messages.empty());

    fs::path bad = Home() / "bad.zk4";
    WriteText(bad, "3\r\n\"PNEW\"\r\nnot a figure\r\n");
    QVERIFY(!w.files().ReadZKFigFile(bad.string()) && !w.files().MergeFigure(bad.string()));
    QCOMPARE(messages.size(), size_t{2});
    QVERIFY(w.session().fig.StepCount == steps && w.session().fig.FigureFileName == sample);
    QVERIFY(w.canvas().Composed() == before);

    // A file that cannot be written: the reason and the file.
    std::string nowhere = (Home() / "no folder" / "x.zk4").string();
    QVERIFY(!w.files().SaveFigureAs(nowhere));
    QCOMPARE(messages.back(), WriteErrorMessage(nowhere, ENOENT));
    QCOMPARE(w.session().fig.FigureFileName, sample);
    // Saving and merging a good file: panel 2 names the figure's own file.
    std::string copy = (Home() / "copy.zk4").string();
    QVERIFY(w.files().SaveFigureAs(copy) && w.files().MergeFigure(sample));
    QCOMPARE(w.Panel(2)->text(), QString("copy.zk4"));
    QCOMPARE(static_cast<int>(w.session().fig.StepCount), 2 * steps);

    // The Save dialog starts at the figure's own file, else in the data
    // folder, which may be given as a file in it.
    std::string home = Home().string(), untitled = (Home() / "untitled").string();
    QCOMPARE(SaveDialogStart(home, "untitled"), untitled);
    QCOMPARE(SaveDialogStart((Home() / "sample.zk4").string(), "untitled"), untitled);
    QCOMPARE(SaveDialogStart(home, "/elsewhere/figure.zk4"), std::string("/elsewhere/figure.zk4"));
  }

  void OptionPromptsAndSettingsFile() {
    ZKwin w;
    std::string answer;
    w.shell().inputBox = [&](const std::string&, const std::string&, const std::string&) {
      return answer;
    };
    answer = "15", Trigger(w, "mnuWidth");
    QCOMPARE(w.session().display.penWidth, 10);
    answer = "33", Trigger(w, "mnuOdeformManual");
    QCOMPARE(w.session().settings.delta, int16_t{33});
    QVERIFY(w.menus().Action("mnuOdeformManual")->isChecked());
    Trigger(w, "mnuOAxis"), Trigger(w, "mnuOFileSave");
    std::string file = ReadText(Home() / kConfig);
    QVERIFY(Has(file, "ZKwin.DrawWidth = 10 \r\n") && Has(file, "axissw =-1 \r\n"));
    Trigger(w, "mnuOFileInit");
    QVERIFY(w.session().display.penWidth == 1 && !w.session().view.axisOn);
    Trigger(w, "mnuOFileLoad");
    QVERIFY(w.session().display.penWidth == 10 && w.session().view.axisOn);

    // Without a file, loading resets the standard values only: the
    // language and the snapping stay.
    fs::remove(Home() / kConfig);
    Trigger(w, "mnuOSDeformCross");
    w.session().language.setting = "English";
    Trigger(w, "mnuOFileLoad");
    QCOMPARE(w.session().display.penWidth, 1);
    QVERIFY(w.menus().Action("mnuOSDeformCross")->isChecked() &&
            w.session().language.setting == "English");

    // Exit deletes the temporary copies, never the settings.
    WriteText(Home() / "temp_zkwin.zk4", "0");
    WriteText(Home() / "temp_zkwin.htm", "x");
    Trigger(w, "mnuOFileSave"), Trigger(w, "mnuExit");
    QVERIFY(!fs::exists(Home() / "temp_zkwin.zk4") && !fs::exists(Home() / "temp_zkwin.htm"));
    QVERIFY(Has(ReadText(Home() / kConfig), "ZKwin_Language =English\r\n"));
  }

  void LanguageSwitchRecaptionsFromTheDesignerCaptions() {
    ZKwin w;
    Trigger(w, "mnuEditFigDataView");
    AnswerLanguageDialog(1), Trigger(w, "mnuLanguage");
    QVERIFY(Has(ReadText(Home() / kConfig), "ZKwin_Language =English\r\n"));
    QCOMPARE(CaptionOf(w, "mnuLoad"), EnglishFor("例の読み込み"));
    QCOMPARE(w.viewer().findChild<QAction*>("mnuClear")->text().toStdString(),
             EnglishFor("クリア"));
    QCOMPARE(w.Panel(1)->text().toStdString(), EnglishFor("標準"));
    // The text window keeps naming what it shows, in the new language, so
    // that its menu still knows the report from the matrices.
    QCOMPARE(w.viewer().windowTitle().toStdString(), EnglishFor(kFigureDataReportCaption));
    QVERIFY(!w.viewer().findChild<QMenu*>("mnuMode")->menuAction()->isEnabled());

    AnswerLanguageDialog(0), Trigger(w, "mnuLanguage");
    QCOMPARE(CaptionOf(w, "mnuLoad"), std::string("例の読み込み"));
    QCOMPARE(w.viewer().findChild<QAction*>("mnuClear")->text(), QString("クリア"));
  }

  void HelpOpensTheManualOfTheLanguageOrSaysWhereItShouldBe() {
    UrlCatcher browser;
    QDesktopServices::setUrlHandler("file", &browser, "Open");
    ZKwin w;
    std::vector<std::string> messages;
    w.shell().showMessage = [&](const std::string& text) { messages.push_back(text); };
    // The build's manual, beside the program.
    Trigger(w, "mnuHmanual");
    w.session().language.setting = "English";
    Trigger(w, "mnuHmanual");
    QCOMPARE(browser.opened.size(), 2);
    QVERIFY(browser.opened[0].toLocalFile().endsWith("/document/help.htm"));
    QVERIFY(browser.opened[1].toLocalFile().endsWith("/document/help_en.htm"));
    QVERIFY(QFileInfo::exists(browser.opened[1].toLocalFile()) && messages.empty());
    // Shipped files of their own in the program's folder, without a manual.
    WriteText(Home() / "sample.zk4", ReadText(SAKUZU_SAMPLES "/sample.zk4"));
    Trigger(w, "mnuHmanual");
    QCOMPARE(browser.opened.size(), 2);
    QCOMPARE(messages, std::vector<std::string>{EnglishFor(kManualMissingMessage) + "\n" +
                                                (Home() / "document/help_en.htm").string()});
    QDesktopServices::unsetUrlHandler("file");
  }

  void TextWindowReportAndMatrixOutput() {
    ZKwin w;
    QVERIFY(w.files().ReadZKFigFile(SAKUZU_SAMPLES "/sample.zk4"));
    Trigger(w, "mnuEditFigDataView");
    TextViewer& viewer = w.viewer();
    QVERIFY(viewer.Text().starts_with("FileName : "));
    QAction* matrixOff = viewer.findChild<QAction*>("mnuDispMatrixSWOff");
    QVERIFY(!matrixOff->isEnabled());

    Trigger(w, "mnuPTmatrixSW");
    QVERIFY(w.session().engine.matrixDisplay && matrixOff->isEnabled());
    QCOMPARE(viewer.windowTitle(), QString(kMatrixWindowCaption));
    viewer.WriteBlock("one\r\n"), viewer.WriteBlock("two\r\n");
    QCOMPARE(viewer.Text(), std::string("two\n"));
    viewer.findChild<QAction*>("mnuModeFowardAppend")->trigger(), viewer.WriteBlock("three\r\n");
    QCOMPARE(viewer.Text(), std::string("three\ntwo\n"));
    viewer.findChild<QAction*>("mnuModeAppend")->trigger();
    viewer.WriteBlock("four\r\n"), viewer.InspectD(0.25, "d");
    QCOMPARE(viewer.Text(), std::string("three\ntwo\nfour\nd\n0.25\n"));
    matrixOff->trigger();
    QVERIFY(!w.session().engine.matrixDisplay);
  }
};

QTEST_MAIN(ZKwinTest)
#include "zkwin_test.moc"
