// The main window: start-up, file commands, options, language, text window.
#include "app/zkwin.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app_test_support.h"
#include "lang/translate.h"
#include "model/report.h"

using namespace sakuzu;
namespace fs = std::filesystem;

namespace {

std::string Home() { return qEnvironmentVariable("SAKUZU_HOME").toStdString(); }

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CaptionOf(ZKwin& w, const char* name) {
  return w.menus().Action(name)->text().toStdString();
}

// Answers the modal language dialog with list entry `index` and OK.
void AnswerLanguageDialog(int index) {
  QTimer::singleShot(0, [index] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog != nullptr);
    dialog->findChild<QComboBox*>("Combo1")->setCurrentIndex(index);
    dialog->findChild<QPushButton*>("OKButton")->click();
  });
}

}  // namespace

class ZKwinTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test::FreshProgramFolder(); }

  void init() {
    for (const auto& entry : fs::directory_iterator(Home())) fs::remove_all(entry.path());
  }

  void StartUpShowsCaptionPanelsAndStandardMode() {
    ZKwin w;
    QCOMPARE(w.windowTitle(), QString("[untitled] Sakuzu " SAKUZU_VERSION));
    QCOMPARE(w.Panel(1)->text(), QString("標準"));
    QCOMPARE(w.Panel(2)->text(), QString("untitled"));
    QVERIFY(w.Panel(3) != nullptr && w.Panel(4) != nullptr);
    QCOMPARE(w.session().modes.depth, int16_t{1});
    QCOMPARE(CurrentMode(w.session().modes), std::optional<int16_t>(kModeStandard));
    QCOMPARE(w.session().view.ViewScale, 0.05);
    QVERIFY(w.menus().Action("mnuFile")->isEnabled());
    QCOMPARE(w.menus().MenuMode(), kFullMenuMode);
    // No data folder file: the sample is the starting file of the dialogs.
    QVERIFY(w.DataFolder().ends_with("sample.zk4"));
    QVERIFY(w.FileFilter().contains("ZK4形式(*.zk4)"));
  }

  void StartUpAppliesStoredSettings() {
    WriteText(fs::path(Home()) / "config_zkwin.txt",
              "ZKwin_Language =English\r\nZKwin_MenuMode =-1 \r\naxissw =-1 \r\n"
              "ZKwin.DrawWidth = 3 \r\n");
    ZKwin w;
    QCOMPARE(w.Panel(1)->text().toStdString(), EnglishFor("標準"));
    QCOMPARE(CaptionOf(w, "mnuLoad"), EnglishFor("例の読み込み"));
    QCOMPARE(w.menus().MenuMode(), kEasyMenuMode);
    QVERIFY(w.session().view.axisOn);
    QCOMPARE(w.session().display.penWidth, 3);
  }

  void StoredWindowSizeNeedsBothSidesAbove300() {
    WriteText(fs::path(Home()) / "config_zkwin.txt",
              "ZKwin.Width = 300 \r\nZKwin.Height = 9000 \r\n");
    ZKwin narrow;
    QCOMPARE(narrow.width(), 640);  // as the start-up left it
    WriteText(fs::path(Home()) / "config_zkwin.txt",
              "ZKwin.Width = 9600 \r\nZKwin.Height = 7200 \r\n");
    ZKwin wide;
    QCOMPARE(wide.width(), TwipsToPixels(9600, wide.logicalDpiX()));
    QCOMPARE(wide.height(), TwipsToPixels(7200, wide.logicalDpiX()));
  }

  void WindowSizeCommandsCheckTheirOwnItem() {
    ZKwin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto checked = [&w](const char* name) { return w.menus().Action(name)->isChecked(); };
    w.menus().Action("mnuOWindowVGA")->trigger();
    QTRY_COMPARE(w.centralWidget()->size(), QSize(628, 430));
    QVERIFY(checked("mnuOWindowVGA"));
    QVERIFY(!checked("mnuOWindowStandard") && !checked("mnuOWindowSave"));
    w.menus().Action("mnuOWindowStandard")->trigger();
    QTRY_VERIFY(checked("mnuOWindowStandard"));
    QVERIFY(!checked("mnuOWindowVGA") && !checked("mnuOWindowSave"));
    QCOMPARE(w.session().settings.windowWidth, int16_t{6525});
    QVERIFY(ReadText(fs::path(Home()) / "config_zkwin.txt").find("ZKwin.Height = 6615 \r\n") !=
            std::string::npos);
  }

  void SaveDialogStartsAtTheFigureOrInTheDataFolder() {
    std::string home = Home();
    // A data folder is a folder, the sample is a file in one: both start
    // the dialog in that folder.
    QCOMPARE(SaveDialogStart(home, "untitled"), (fs::path(home) / "untitled").string());
    QCOMPARE(SaveDialogStart((fs::path(home) / "sample.zk4").string(), "untitled"),
             (fs::path(home) / "untitled").string());
    // A figure read from a file is saved where it came from by default.
    QCOMPARE(SaveDialogStart(home, "/elsewhere/figure.zk4"), std::string("/elsewhere/figure.zk4"));
  }

  void ComputedNumbersShownOrHiddenTogether() {
    ZKwin w;
    Figure& fig = w.session().fig;
    test::AddFreePoint(fig, 0, 0, 1, 1, "A");
    test::AddFreePoint(fig, 3, 4, 1, 1, "B");
    int step = AppendStep(fig);
    fig.StepKind[step] = "ND2P";
    fig.StepInputs[step][1] = {kPointClass, 1};
    fig.StepInputs[step][2] = {kPointClass, 2};
    int measured = AddObject(fig, kNumberClass);
    fig.StepOutputs[step][1] = {kNumberClass, static_cast<int16_t>(measured)};
    int given = AddObject(fig, kNumberClass);
    fig.Numbers[given].independent = kTrue;
    fig.Numbers[given].exists = kTrue;
    fig.Numbers[given].value = 2.5;

    w.menus().Action("mnuEVarDispAllOff")->trigger();
    QCOMPARE(fig.Numbers[measured].display, int16_t{7});
    QCOMPARE(fig.Numbers[given].display, int16_t{0});
    QCOMPARE(fig.Numbers[measured].value, 5.0);  // redrawn, so computed
    fig.Numbers[given].display = 7;
    w.menus().Action("mnuEVarDispAllOn")->trigger();
    QCOMPARE(fig.Numbers[measured].display, int16_t{0});
    QCOMPARE(fig.Numbers[given].display, int16_t{7});
  }

  void CommandLineFigureOpensWithoutQuotesAndComplexView() {
    Figure fig;
    test::AddFreePoint(fig, 1, 0, 1, 1, "A");
    test::AddFreePoint(fig, 0, 1, 1, 1, "B");
    int step = AppendStep(fig);
    fig.StepKind[step] = "PO+";
    fig.StepInputs[step][1] = {kPointClass, 1};
    fig.StepInputs[step][2] = {kPointClass, 2};
    fig.StepOutputs[step][1] = {kPointClass, static_cast<int16_t>(AddObject(fig, kPointClass))};
    std::string path = (fs::path(Home()) / "complex figure.zk4").string();
    test::WriteFigure(fig, path);

    ZKwin w("  \"" + path + "\"  ");
    QCOMPARE(w.session().fig.FigureFileName, path);
    QCOMPARE(w.session().fig.StepCount, int16_t{3});
    QCOMPARE(w.Panel(2)->text(), QString("complex figure.zk4"));
    QCOMPARE(w.windowTitle(), QString("[complex figure.zk4] Sakuzu " SAKUZU_VERSION));
    QCOMPARE(w.session().view.ViewScale, 0.05 / 4);
    QVERIFY(w.session().view.axisOn);
    // The window ends in the standard mode with its menus available.
    QCOMPARE(CurrentMode(w.session().modes), std::optional<int16_t>(kModeStandard));
    QVERIFY(w.menus().Action("mnuOption")->isEnabled());

    ZKwin missing((fs::path(Home()) / "nothing.zk4").string());
    QCOMPARE(missing.session().fig.FigureFileName, std::string("untitled"));
    QCOMPARE(missing.session().fig.StepCount, int16_t{0});
  }

  void RefusedFileLeavesTheFigureOnScreen() {
    ZKwin w;
    std::vector<std::string> messages;
    w.shell().showMessage = [&](const std::string& text) { messages.push_back(text); };
    std::string sample = SAKUZU_SAMPLES "/sample.zk4";
    QVERIFY(w.ReadZKFigFile(sample));
    QVERIFY(messages.empty());
    QImage before = w.canvas().Image();
    int16_t steps = w.session().fig.StepCount;
    QVERIFY(steps > 0);

    fs::path bad = fs::path(Home()) / "bad.zk4";
    WriteText(bad, "3\r\n\"PNEW\"\r\nnot a figure\r\n");
    QVERIFY(!w.ReadZKFigFile(bad.string()));
    QVERIFY(!w.MergeFigure(bad.string()));
    QCOMPARE(messages.size(), size_t{2});
    QVERIFY(!messages[0].empty());
    QCOMPARE(w.session().fig.StepCount, steps);
    QCOMPARE(w.session().fig.FigureFileName, sample);
    QCOMPARE(w.Panel(2)->text(), QString("sample.zk4"));
    QVERIFY(w.canvas().Image() == before);

    // A file that cannot be written gives the read-only message.
    QVERIFY(!w.SaveFigureAs((fs::path(Home()) / "no folder" / "x.zk4").string()));
    QCOMPARE(messages.back(), std::string(kReadOnlyMessage));
    QCOMPARE(w.session().fig.FigureFileName, sample);

    // Saving and merging a good file: panel 2 names the figure's own file.
    std::string copy = (fs::path(Home()) / "copy.zk4").string();
    QVERIFY(w.SaveFigureAs(copy));
    QCOMPARE(w.Panel(2)->text(), QString("copy.zk4"));
    QVERIFY(w.MergeFigure(sample));
    QCOMPARE(static_cast<int>(w.session().fig.StepCount), 2 * steps);
    QCOMPARE(w.session().fig.FigureFileName, copy);
  }

  void OptionPromptsAndSettingsFile() {
    ZKwin w;
    std::string answer;
    std::string askedTitle;
    w.inputBox = [&](const std::string&, const std::string& title, const std::string&) {
      askedTitle = title;
      return answer;
    };
    answer = "15";
    w.menus().Action("mnuWidth")->trigger();
    QCOMPARE(askedTitle, std::string("線の太さの設定"));
    QCOMPARE(w.session().display.penWidth, 10);
    answer = "";  // Cancel
    w.menus().Action("mnuKeta")->trigger();
    QCOMPARE(w.session().display.decimals, int16_t{0});
    answer = "0.5";
    w.menus().Action("mnuOdeformManual")->trigger();
    QCOMPARE(w.session().settings.delta, int16_t{10});
    answer = "33";
    w.menus().Action("mnuOdeformManual")->trigger();
    QCOMPARE(w.session().settings.delta, int16_t{33});
    QVERIFY(w.menus().Action("mnuOdeformManual")->isChecked());
    w.menus().Action("mnuOAxis")->trigger();
    QVERIFY(w.session().view.axisOn);

    w.menus().Action("mnuOFileSave")->trigger();
    std::string file = ReadText(fs::path(Home()) / "config_zkwin.txt");
    QVERIFY(file.find("ZKwin.DrawWidth = 10 \r\n") != std::string::npos);
    QVERIFY(file.find("delta = 33 \r\n") != std::string::npos);
    QVERIFY(file.find("axissw =-1 \r\n") != std::string::npos);

    w.menus().Action("mnuOFileInit")->trigger();
    QCOMPARE(w.session().display.penWidth, 1);
    QVERIFY(!w.session().view.axisOn);
    w.menus().Action("mnuOFileLoad")->trigger();
    QCOMPARE(w.session().display.penWidth, 10);
    QCOMPARE(w.session().settings.delta, int16_t{33});

    // Without a file, loading resets the standard values only: the
    // language and the snapping stay.
    fs::remove(fs::path(Home()) / "config_zkwin.txt");
    w.menus().Action("mnuOSDeformCross")->trigger();
    w.session().language.setting = "English";
    w.menus().Action("mnuOFileLoad")->trigger();
    QCOMPARE(w.session().display.penWidth, 1);
    QCOMPARE(w.session().settings.sDeformKind, int16_t{2});
    QVERIFY(w.menus().Action("mnuOSDeformCross")->isChecked());
    QCOMPARE(w.session().language.setting, std::string("English"));
  }

  void LanguageSwitchRecaptionsFromTheDesignerCaptions() {
    ZKwin w;
    w.menus().Action("mnuEditFigDataView")->trigger();
    AnswerLanguageDialog(1);
    w.menus().Action("mnuLanguage")->trigger();
    QCOMPARE(w.session().language.setting, std::string("English"));
    QVERIFY(ReadText(fs::path(Home()) / "config_zkwin.txt").find("ZKwin_Language =English\r\n") !=
            std::string::npos);
    QCOMPARE(CaptionOf(w, "mnuLoad"), EnglishFor("例の読み込み"));
    QCOMPARE(CaptionOf(w, "mnuZoomIn"), std::string("* 2"));
    QCOMPARE(w.viewer().findChild<QAction*>("mnuClear")->text().toStdString(),
             EnglishFor("クリア"));
    QCOMPARE(w.Panel(1)->text().toStdString(), EnglishFor("標準"));
    // The text window keeps naming what it shows, in the new language, so
    // that its menu still knows the report from the matrices.
    QCOMPARE(w.viewer().windowTitle().toStdString(), EnglishFor(kFigureDataReportCaption));
    QVERIFY(!w.viewer().findChild<QMenu*>("mnuMode")->menuAction()->isEnabled());

    AnswerLanguageDialog(0);
    w.menus().Action("mnuLanguage")->trigger();
    QCOMPARE(CaptionOf(w, "mnuLoad"), std::string("例の読み込み"));
    QCOMPARE(w.viewer().findChild<QAction*>("mnuClear")->text(), QString("クリア"));
    QCOMPARE(w.Panel(1)->text(), QString("標準"));
    QCOMPARE(w.viewer().windowTitle().toStdString(), std::string(kFigureDataReportCaption));
  }

  void TextWindowReportAndMatrixOutput() {
    ZKwin w;
    QVERIFY(w.ReadZKFigFile(SAKUZU_SAMPLES "/sample.zk4"));
    w.menus().Action("mnuEditFigDataView")->trigger();
    TextViewer& viewer = w.viewer();
    QCOMPARE(viewer.windowTitle().toStdString(), std::string(kFigureDataReportCaption));
    QVERIFY(viewer.Text().starts_with("FileName : "));
    QVERIFY(!viewer.findChild<QAction*>("mnuDispMatrixSWOff")->isEnabled());

    w.menus().Action("mnuPTmatrixSW")->trigger();
    QVERIFY(w.session().engine.matrixDisplay);
    QCOMPARE(viewer.windowTitle(), QString(kMatrixWindowCaption));
    QVERIFY(viewer.findChild<QAction*>("mnuDispMatrixSWOff")->isEnabled());
    viewer.WriteBlock("one\r\n");
    viewer.WriteBlock("two\r\n");
    QCOMPARE(viewer.Text(), std::string("two\n"));
    viewer.findChild<QAction*>("mnuModeFowardAppend")->trigger();
    viewer.WriteBlock("three\r\n");
    QCOMPARE(viewer.Text(), std::string("three\ntwo\n"));
    viewer.findChild<QAction*>("mnuModeAppend")->trigger();
    viewer.WriteBlock("four\r\n");
    viewer.InspectD(0.25, "d");
    QCOMPARE(viewer.Text(), std::string("three\ntwo\nfour\nd\n0.25\n"));
    viewer.findChild<QAction*>("mnuDispMatrixSWOff")->trigger();
    QVERIFY(!w.session().engine.matrixDisplay);
  }

  void ReplayRunsOnTheTimerAndEscEndsIt() {
    ZKwin w;
    w.session().settings.redrawSlow = 1000;
    w.menus().Action("mnuRedrawslowOption_01")->trigger();
    QVERIFY(w.ReadZKFigFile(SAKUZU_SAMPLES "/sample.zk4"));
    w.menus().Action("mnuFigData_Redraw")->trigger();
    QCOMPARE(CurrentMode(w.session().modes), std::optional<int16_t>(kModeReplay));
    auto* timer = w.findChild<QTimer*>("Timer4DrawSlow");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 200);
    QVERIFY(!w.Panel(3)->text().isEmpty());
    QTest::keyClick(w.centralWidget(), Qt::Key_Escape);
    QCOMPARE(CurrentMode(w.session().modes), std::optional<int16_t>(kModeStandard));
    QVERIFY(!timer->isActive());
    QVERIFY(w.Panel(3)->text().isEmpty());
  }

  void ExitDeletesTheTemporaryCopies() {
    WriteText(fs::path(Home()) / "temp_zkwin.zk4", "0");
    WriteText(fs::path(Home()) / "temp_zkwin.htm", "x");
    ZKwin w;
    w.menus().Action("mnuOFileSave")->trigger();
    w.menus().Action("mnuExit")->trigger();
    QVERIFY(!fs::exists(fs::path(Home()) / "temp_zkwin.zk4"));
    QVERIFY(!fs::exists(fs::path(Home()) / "temp_zkwin.htm"));
    QVERIFY(fs::exists(fs::path(Home()) / "config_zkwin.txt"));
  }
};

QTEST_MAIN(ZKwinTest)
#include "zkwin_test.moc"
