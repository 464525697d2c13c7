#include "app/menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QtTest>
#include <memory>

#include "lang/translate.h"

namespace sakuzu {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

}  // namespace

class MenusTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QMainWindow> window_;
  std::unique_ptr<MenuBar> menus_;
  Language language_;

  QAction* A(const char* name) const {
    return window_->findChild<QAction*>(QString::fromUtf8(name));
  }
  // The entry can be reached by the user: it and every menu above it shown.
  bool Reachable(const char* name) const {
    for (QAction* action = A(name); action != nullptr;) {
      if (!action->isVisible()) return false;
      auto* menu = qobject_cast<QMenu*>(action->parent());
      if (menu == nullptr || menu->menuAction() == action) {
        menu = qobject_cast<QMenu*>(menu ? menu->parent() : nullptr);
      }
      action = menu ? menu->menuAction() : nullptr;
    }
    return true;
  }

 private slots:
  void init() {
    window_ = std::make_unique<QMainWindow>();
    language_ = Language{};
    menus_ = std::make_unique<MenuBar>(window_->menuBar(), MakeTranslator(language_));
  }
  void cleanup() {
    menus_.reset();
    window_.reset();
  }

  void TreeNamesCaptionsAndParents() {
    struct Row {
      const char* name;
      const char* parent;
      const char* caption;
    };
    const Row rows[] = {
        {"mnuFile", "", "ﾌｧｲﾙ"},
        {"mnuMerge", "mnuFile", "図形の追加"},
        {"mnuFDataFolderStandardSet", "mnuFDataFolder", "現在→標準に"},
        {"mnuHmakeAllBmp", "mnufB", "一括生成(現フォルダ)"},
        {"mnuEasy_L04", "mnuEasyConst", "直線:線分の垂直二等分線"},
        {"mnuPgaishin", "mnuPcenter", "外心"},
        {"mnuPcenter", "mnuConstPoint", "5心など"},
        {"mnuCMPpower", "mnuConstImaginary", "  ＾  （べき）"},
        {"mnuTransformLLinesymmetry", "mnuTransCircle", "線対称移動"},
        {"mnuCMacroAffine", "mnuTrans2", "アフィン変換 (3点とその像で決定)"},
        {"mnuPTmatrixSW", "mnuTrans2", "変換行列表示(on/off)"},
        {"mnuCundo", "mnuConstruction", "最後抹消(undo)"},
        {"mnuMundo", "mnuMeasure", "最後抹消(Undo)"},
        {"mnuMangle2L", "mnuMangle", "2直線 (0 - 90)"},
        {"mnuEasy_N03", "mnuEasy_Measure", "3角形の面積"},
        {"mnuZoomIn", "mnuZoom", "* 2"},
        {"mnuLocusNumClear", "mnuLocus", "軌跡の設定(変数)の解除"},
        {"mnuOBackCStandard", "mnuOBackColor", "灰色"},
        {"mnuOSDeform", "mnuOption", "Shift + 変形の動作"},
        {"mnuRedrawslowOption_05", "mnuRedrawslowOption", "遅く(1秒)"},
        {"mnuOWindowVGA", "mnuOWindow", "VGA(640×480)"},
        {"mnuEbasicNum", "mnuEVarDisp", "個別に設定"},
        {"mnuEdit2_point_Deform", "mnuEdit2_point", "キーボード変形"},
        {"mnuFigData_Redraw", "mnuHelp", "作図手続きの再生"},
        {"mnuLanguage", "", "Language"},
    };
    for (const Row& row : rows) {
      QAction* action = A(row.name);
      QVERIFY2(action != nullptr, row.name);
      QCOMPARE(action->text(), Q(row.caption));
      QMenu* parent = qobject_cast<QMenu*>(action->parent());
      if (parent != nullptr && parent->menuAction() == action) {
        parent = qobject_cast<QMenu*>(parent->parent());  // a submenu's own entry
      }
      QCOMPARE(parent ? parent->objectName() : QString(), Q(row.parent));
    }
    QVERIFY(window_->findChild<QMenu*>("mnuEdit2_point") == menus_->Menu("mnuEdit2_point"));

    // The bar in order, and no name twice.
    QStringList top;
    for (QAction* action : window_->menuBar()->actions()) top << action->objectName();
    QCOMPARE(top, QStringList({"mnuFile", "mnuDeform", "mnuEasyConst", "mnuConstruction",
                               "mnuEasy_Measure", "mnuMeasure", "mnuZoom", "mnuLocus", "mnuOption",
                               "mnuEdit", "mnuHelp", "mnuLanguage"}));
    QSet<QString> names;
    for (const SavedCaption& saved : menus_->SavedCaptions()) {
      QVERIFY2(!names.contains(Q(saved.name.c_str())), saved.name.c_str());
      QVERIFY2(!saved.caption.empty(), saved.name.c_str());
      names.insert(Q(saved.name.c_str()));
    }
    QCOMPARE(names.size(), qsizetype(MenuTree().size()));
    QStringList center;
    for (QAction* action : menus_->Menu("mnuPcenter")->actions()) center << action->objectName();
    QCOMPARE(center, QStringList({"mnuPgaishin", "mnuPnaishin", "mnuPsuishin", "mnuPjushin",
                                  "mnuPboushin", "mnuP9ptcCenter"}));
  }

  void Shortcuts() {
    const std::pair<const char*, const char*> table[] = {{"Ctrl+N", "mnuNew"},
                                                         {"Ctrl+O", "mnuLoad"},
                                                         {"Ctrl+S", "mnuSave"},
                                                         {"Ctrl+M", "mnuMerge"},
                                                         {"Ctrl+P", "mnuFprint"},
                                                         {"F4", "mnuOcopyWindow"},
                                                         {"F7", "mnufBMP"},
                                                         {"Ctrl+T", "mnuOWindowMini"},
                                                         {"Ctrl+X", "mnuEasyMenu"},
                                                         {"Ctrl+Q", "mnuExit"},
                                                         {"Ctrl+D", "mnuDeform1Pt"},
                                                         {"Ctrl+E", "mnuDeformPts"},
                                                         {"Ctrl+V", "mnuDeformVar"},
                                                         {"Ctrl+F", "mnuPnewFreeP"},
                                                         {"Ctrl+L", "mnuPboundL"},
                                                         {"Ctrl+C", "mnuPboundC"},
                                                         {"Ctrl+R", "mnuCredo"},
                                                         {"Ctrl+U", "mnuCundo"},
                                                         {"F8", "mnuRakugaki"},
                                                         {"F1", "mnuHmanual"},
                                                         {"Ctrl+F1", "mnuFigData_Redraw"},
                                                         {"F3", "mnuZoomIn"},
                                                         {"Shift+F3", "mnuZoomOut"},
                                                         {"Ctrl+F3", "mnuZoomDefault"},
                                                         {"F9", "mnuLocusSW"},
                                                         {"Shift+F9", "mnuLocusReset"},
                                                         {"Ctrl+F9", "mnuLocusNumClear"},
                                                         {"Shift+Ctrl+F9", "mnuLocusNumCSV"},
                                                         {"F12", "mnuOdeformStandard"},
                                                         {"Shift+F12", "mnuOdeformNarrow"},
                                                         {"Shift+Ctrl+F12", "mnuOdeformManual"},
                                                         {"F11", "mnuOdeformVarStandard"},
                                                         {"Ctrl+F11", "mnuOdeformVarNarrow"},
                                                         {"Shift+F11", "mnuOdeformVarWide"},
                                                         {"Shift+Ctrl+F11", "mnuOdeformVarManual"},
                                                         {"Ctrl+A", "mnuOAxis"},
                                                         {"F2", "mnuEbasicPt"},
                                                         {"Ctrl+B", "mnuEboundedPt"},
                                                         {"Shift+F2", "mnuEbasicLine"},
                                                         {"Ctrl+F2", "mnuEbasicCircle"},
                                                         {"Shift+Ctrl+F2", "mnuEbasicNum"}};
    int withShortcut = 0;
    for (QAction* action : window_->findChildren<QAction*>()) {
      if (!action->shortcut().isEmpty()) ++withShortcut;
    }
    QCOMPARE(withShortcut, int(std::size(table)));
    for (const auto& [keys, name] : table) {
      QCOMPARE(A(name)->shortcut(), QKeySequence(Q(keys)));
    }
    QCOMPARE(A("mnuLocusNumCSV")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
  }

  void DesignStates() {
    QVERIFY(!A("mnuEdit2_point")->isVisible());
    for (const char* name : {"mnuFont", "mnuOColorStrength", "mnuEcallHis"}) {
      QVERIFY(!A(name)->isVisible());
      QVERIFY(!A(name)->isEnabled());
    }
    QVERIFY(!A("mnuEasyConst")->isVisible());
    QVERIFY(!A("mnuEasy_Measure")->isVisible());
    QVERIFY(A("mnufB")->isVisible());
    QCOMPARE(menus_->MenuMode(), kFullMenuMode);

    for (const char* name :
         {"mnuPgaishin", "mnuNew", "mnuDeform1Pt", "mnuLocusSW", "mnuRakugaki", "mnuEasy_P01",
          "mnuEasy_N04", "mnuCredo", "mnuMcalc", "mnuf_html", "mnuEdit2_point_Edit"}) {
      QVERIFY2(!A(name)->isEnabled(), name);
    }
    for (const char* name :
         {"mnuLoad", "mnuSave", "mnuMerge", "mnuExit", "mnuEasyMenu", "mnuZoomIn", "mnuOAxis",
          "mnuOFileSave", "mnuPTmatrixSW", "mnuFigData_Redraw", "mnuEditFigDataView", "mnuLanguage",
          "mnuEVarDispAllOn", "mnuEVarDispAllOff"}) {
      QVERIFY2(A(name)->isEnabled(), name);
    }
    for (std::string_view name : FutureItemNames()) {
      QVERIFY(!menus_->Action(name)->isEnabled());
    }
    QVERIFY(A("mnuOchrDisp")->isChecked());
    QVERIFY(A("mnuOdeformStandard")->isChecked());
    QVERIFY(A("mnuOAxis")->isCheckable() && !A("mnuOAxis")->isChecked());
  }

  void CheckMarks() {
    MenuCheckState state;
    state.labelsOff = true;
    state.axisOn = true;
    state.axisKind = 1;
    state.delta = 20;  // none of the three
    state.deltaVar = 0.25;
    state.sDeformKind = 2;
    state.savedMenuMode = kEasyMenuMode;
    state.replayInterval = 300;  // the start-up default matches no item
    state.windowWidthTwips = 9600;
    state.windowHeightTwips = 7545;
    state.matrixDisplay = true;
    menus_->MenuCheckSet(state);
    auto checked = [this](const char* name) { return A(name)->isChecked(); };
    QVERIFY(!checked("mnuOchrDisp") && checked("mnuOAxis") && checked("mnuOAxis02"));
    QVERIFY(!checked("mnuOAxis01"));
    QVERIFY(!checked("mnuOdeformStandard") && !checked("mnuOdeformNarrow") &&
            !checked("mnuOdeformManual"));
    QVERIFY(checked("mnuOdeformVarManual") && !checked("mnuOdeformVarStandard"));
    QVERIFY(checked("mnuOSDeformCross") && !checked("mnuOSDeformLC"));
    QVERIFY(checked("mnuOMenu_easy") && !checked("mnuOmenu_full"));
    QVERIFY(!checked("mnuRedrawslowOption_01") && !checked("mnuRedrawslowOption_03") &&
            !checked("mnuRedrawslowOption_05"));
    QVERIFY(checked("mnuOWindowVGA") && !checked("mnuOWindowSave"));
    QVERIFY(checked("mnuPTmatrixSW") && !checked("mnuLocusSW"));

    state.delta = 7;
    state.deltaVar = 0.1;
    state.replayInterval = 1000;
    state.windowState = 2;  // a maximized window is neither standard nor VGA
    state.savedWindowState = 0;
    menus_->MenuCheckSet(state);
    QVERIFY(checked("mnuOdeformManual") && checked("mnuOdeformVarNarrow"));
    QVERIFY(checked("mnuRedrawslowOption_05"));
    QVERIFY(!checked("mnuOWindowVGA") && !checked("mnuOWindowMax") && checked("mnuOWindowSave"));
    state.savedWindowState = 2;
    menus_->MenuCheckSet(state);
    QVERIFY(checked("mnuOWindowMax") && !checked("mnuOWindowSave"));
  }

  void EnablingByMode() {
    const QStringList nine = {"mnuFile", "mnuDeform", "mnuConstruction", "mnuMeasure", "mnuOption",
                              "mnuEdit", "mnuHelp",   "mnuZoom",         "mnuLocus"};
    auto enabled = [&] {
      QStringList on;
      for (const QString& name : nine) {
        if (A(name.toUtf8().constData())->isEnabled()) on << name;
      }
      return on;
    };
    menus_->MenuEnabledSet(70);
    QCOMPARE(enabled(), QStringList({"mnuHelp", "mnuZoom"}));
    for (int mode : {6, 16, 22, 61}) {
      menus_->MenuEnabledSet(mode);
      QCOMPARE(enabled(), QStringList({"mnuOption", "mnuHelp", "mnuZoom", "mnuLocus"}));
      QVERIFY(!A("mnuEasyConst")->isEnabled());
    }
    for (int mode : {0, 1, 15, 17, 72, 73}) {
      menus_->MenuEnabledSet(mode);
      QVERIFY(enabled().isEmpty());
    }
    menus_->MenuEnabledSet(2);
    QCOMPARE(enabled(), nine);
    QVERIFY(A("mnuLanguage")->isEnabled());
    // Qt reports a hidden entry as disabled: look at the easy menus shown.
    menus_->Set_Menu_Easy();
    QVERIFY(A("mnuEasyConst")->isEnabled() && A("mnuEasy_Measure")->isEnabled());
    menus_->MenuEnabledSet(6);
    QVERIFY(!A("mnuEasyConst")->isEnabled() && !A("mnuEasy_Measure")->isEnabled());
  }

  // Shortcuts reach a command only while every menu above it is shown and
  // enabled, as on the menu bar itself.
  void ShortcutsFollowTheMenus() {
    int exits = 0;
    int switches = 0;
    int deforms = 0;
    QObject::connect(A("mnuExit"), &QAction::triggered, [&exits] { ++exits; });
    QObject::connect(A("mnuEasyMenu"), &QAction::triggered, [&switches] { ++switches; });
    QObject::connect(A("mnuDeform1Pt"), &QAction::triggered, [&deforms] { ++deforms; });
    A("mnuDeform1Pt")->setEnabled(true);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto press = [this](Qt::Key key) { QTest::keyClick(window_.get(), key, Qt::ControlModifier); };

    menus_->MenuEnabledSet(2);
    press(Qt::Key_Q);
    press(Qt::Key_D);
    QCOMPARE(exits, 1);
    QCOMPARE(deforms, 1);
    menus_->MenuEnabledSet(70);  // scribbling: the file menu is closed
    press(Qt::Key_Q);
    QCOMPARE(exits, 1);
    menus_->MenuEnabledSet(2);
    menus_->Set_Menu_Easy();
    press(Qt::Key_D);  // the deform menu is hidden in the easy menu
    press(Qt::Key_X);
    QCOMPARE(deforms, 1);
    QCOMPARE(switches, 1);
  }

  void EasyAndFullMenus() {
    const char* fullOnly[] = {
        "mnuFDataFolder",     "mnuFprint",      "mnuMerge",     "mnuDeform",   "mnuConstruction",
        "mnuMeasure",         "mnuEdit",        "mnuOption",    "mnuLocusSet", "mnuLocusNumClear",
        "mnuEditFigDataView", "mnuZoomComplex", "mnuSaveOnLine"};
    menus_->SwitchMenuMode();
    QCOMPARE(menus_->MenuMode(), kEasyMenuMode);
    QCOMPARE(A("mnuEasyMenu")->text(), Q("フルメニューに"));
    for (const char* name : fullOnly) QVERIFY2(!Reachable(name), name);
    for (const char* name :
         {"mnuEasy_P01", "mnuEasy_C01", "mnuEasy_N02", "mnuOcopyWindow", "mnufBMP",
          "mnuOWindowMini", "mnuHmakeAllBmp", "mnuLoad", "mnuLocusSW", "mnuZoomIn", "mnuHmanual"}) {
      QVERIFY2(Reachable(name), name);
    }

    // An easy item runs its full command, and is available when that is.
    int runs = 0;
    QObject::connect(A("mnuPtoubun"), &QAction::triggered, [&runs] { ++runs; });
    A("mnuPtoubun")->setEnabled(true);
    QVERIFY(A("mnuEasy_P02")->isEnabled());
    A("mnuEasy_P02")->trigger();
    QCOMPARE(runs, 1);

    menus_->SwitchMenuMode();
    QCOMPARE(menus_->MenuMode(), kFullMenuMode);
    QCOMPARE(A("mnuEasyMenu")->text(), Q("簡易メニューに"));
    for (const char* name : fullOnly) QVERIFY2(Reachable(name), name);
    QVERIFY(!Reachable("mnuEasy_P01") && !Reachable("mnuEasy_N01"));
    QVERIFY(Reachable("mnufBMP"));
    // The full menu also brings back what the thumbnail layout hides.
    A("mnuHelp")->setVisible(false);
    A("mnuEasyMenu")->setVisible(false);
    menus_->Set_Menu_Full();
    QVERIFY(Reachable("mnuHelp") && Reachable("mnuEasyMenu"));
    QVERIFY(!Reachable("mnuFont"));
  }

  void RecaptioningToEnglishAndBack() {
    menus_->Set_Menu_Easy();
    language_.setting = "English";
    menus_->ApplyMenuCaptions();
    QCOMPARE(A("mnuCredo")->text(), Q("Redo"));
    QCOMPARE(A("mnuMundo")->text(), Q("Undo"));
    QCOMPARE(A("mnuCMPplus")->text(), Q("+"));
    QCOMPARE(A("mnuCMPpower")->text(), Q("^"));
    QCOMPARE(A("mnuCMacroLinear")->text(), Q("liner trans."));
    QCOMPARE(A("mnuCMacroProjective")->text(), Q("projective trans."));
    QCOMPARE(A("mnuEasyMenu")->text(), QString::fromStdString(EnglishFor("フルメニューに")));
    QVERIFY(A("mnuFile")->text() != Q("ﾌｧｲﾙ"));

    language_.setting = "Japanese";
    menus_->ApplyMenuCaptions();
    for (const SavedCaption& saved : menus_->SavedCaptions()) {
      if (saved.name == "mnuEasyMenu") continue;
      QCOMPARE(menus_->Action(saved.name)->text(), QString::fromStdString(saved.caption));
    }
    QCOMPARE(A("mnuCMPpower")->text(), Q("  ＾  （べき）"));  // blanks kept in Japanese
    QCOMPARE(A("mnuEasyMenu")->text(), Q("フルメニューに"));
    menus_->ResetCaption("mnuEasyMenu");
    QCOMPARE(A("mnuEasyMenu")->text(), Q("メニュー切り換え(フル/簡易)"));

    // A caption set untranslated stays as written in every language.
    menus_->SetCaption("mnuOWindowMini", "サムネイル表示", false);
    menus_->ApplyMenuCaptions([](const std::string&) { return std::string("x"); });
    QCOMPARE(A("mnuOWindowMini")->text(), Q("サムネイル表示"));
    QCOMPARE(A("mnuFile")->text(), Q("x"));
  }
};

}  // namespace sakuzu

QTEST_MAIN(sakuzu::MenusTest)
#include "menus_test.moc"
