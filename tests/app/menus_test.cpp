#include "app/menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QtTest>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "lang/translate.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

// What the full menu hides: the easy menus, the pop-up and what the user cannot reach.
const QStringList kFullHidden = {"mnuEasyConst",      "mnuEasy_Measure", "mnuFont",
                                 "mnuOColorStrength", "mnuEdit2_point",  "mnuEcallHis"};

// The menu an entry sits in (a submenu's own entry counts as in its parent).
QMenu* ParentMenu(QAction* action) {
  auto* menu = qobject_cast<QMenu*>(action->parent());
  if (menu != nullptr && menu->menuAction() == action) menu = qobject_cast<QMenu*>(menu->parent());
  return menu;
}

std::string ReadManual(const char* name) {
  std::ifstream in(std::string(SAKUZU_SAMPLES "/../document/") + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The manual's entry for a menu item: from its id to the next element with an id.
std::string ManualEntry(const std::string& manual, std::string_view name) {
  std::string id = "id=\"" + std::string(name) + "\"";
  size_t start = manual.find(id);
  if (start == std::string::npos) return {};
  size_t end = manual.find("id=\"", start + id.size());
  return manual.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

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
  // Every checked, or every hidden, entry in menu order.
  QStringList Entries(bool checked) const {
    QStringList found;
    for (const SavedCaption& saved : menus_->SavedCaptions()) {
      QAction* action = menus_->Action(saved.name);
      if (checked ? action->isChecked() : !action->isVisible()) found << Q(saved.name.c_str());
    }
    return found;
  }
  QStringList CheckedItems() const { return Entries(true); }
  QStringList Hidden() const { return Entries(false); }

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

  void TreeNamesCaptionsParentsAndShortcuts() {
    const char* rows[][3] = {
        {"mnuFile", "", "ﾌｧｲﾙ"},
        {"mnuPgaishin", "mnuPcenter", "外心"},
        {"mnuPcenter", "mnuConstPoint", "5心など"},
        {"mnuCMPpower", "mnuConstImaginary", "  ＾  （べき）"},
        {"mnuEdit2_point_Deform", "mnuEdit2_point", "キーボード変形"},
        {"mnuLanguage", "", "Language"},
    };
    for (const auto& [name, parent, caption] : rows) {
      QAction* action = A(name);
      QVERIFY2(action != nullptr, name);
      QCOMPARE(action->text(), Q(caption));
      QMenu* menu = ParentMenu(action);
      QCOMPARE(menu ? menu->objectName() : QString(), Q(parent));
    }
    QSet<QString> names;  // no name twice
    for (const SavedCaption& saved : menus_->SavedCaptions()) names.insert(Q(saved.name.c_str()));
    QCOMPARE(names.size(), qsizetype(MenuTree().size()));

    // Shortcuts: every modifier form, and no item has one beyond the 41.
    const QStringList keys =
        QString(
            "mnuLoad=Ctrl+O mnuExit=Ctrl+Q mnuOcopyWindow=F4 mnuFigData_Redraw=Ctrl+F1 "
            "mnuZoomOut=Shift+F3 mnuLocusNumCSV=Shift+Ctrl+F9 mnuOdeformManual=Shift+Ctrl+F12")
            .split(' ');
    for (const QString& row : keys) {
      QCOMPARE(A(qPrintable(row.section('=', 0, 0)))->shortcut(),
               QKeySequence(row.section('=', 1)));
    }
    QList<QAction*> all = window_->findChildren<QAction*>();
    QCOMPARE(std::ranges::count_if(all, [](QAction* a) { return !a->shortcut().isEmpty(); }), 44);
  }

  void DesignStatesAndCheckMarks() {
    QCOMPARE(menus_->MenuMode(), kFullMenuMode);
    // Shown entries are enabled exactly when their command exists already.
    QStringList wrong;
    for (const SavedCaption& saved : menus_->SavedCaptions()) {
      QAction* action = menus_->Action(saved.name);
      bool future = std::ranges::count(FutureItemNames(), std::string_view(saved.name)) > 0;
      if (action->isVisible() && action->isEnabled() == future) wrong << Q(saved.name.c_str());
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));
    QCOMPARE(Hidden(), kFullHidden);
    QCOMPARE(CheckedItems(),
             QStringList({"mnuOdeformStandard", "mnuOdeformVarStandard", "mnuOchrDisp",
                          "mnuOAxis01", "mnuOSDeformLC", "mnuOWindowStandard", "mnuOmenu_full",
                          "mnuRedrawslowOption_03", "mnuODisplaySize0", "mnuONewPointMarkOn"}));

    // A step of 20 and a replay of 300 ms match none of their items.
    MenuCheckState state;
    state.labelsOff = true, state.smooth = false, state.axisOn = true, state.axisKind = 1;
    state.delta = 20, state.deltaVar = 0.25, state.sDeformKind = 2;
    state.savedMenuMode = kEasyMenuMode, state.replayInterval = 300, state.matrixDisplay = true;
    state.windowWidthTwips = 9600, state.windowHeightTwips = 7545;
    state.displaySize = 2, state.newPointMarks = false;
    menus_->MenuCheckSet(state);
    QCOMPARE(CheckedItems(),
             QStringList({"mnuPTmatrixSW", "mnuOdeformVarManual", "mnuOAxis", "mnuOAxis02",
                          "mnuOSDeformCross", "mnuOWindowVGA", "mnuOMenu_easy", "mnuODisplaySize2",
                          "mnuONewPointMarkOff"}));
    state.delta = 7, state.deltaVar = 0.1, state.replayInterval = 1000;
    state.windowState = 2;  // a maximized window is neither standard nor VGA
    menus_->MenuCheckSet(state);
    QCOMPARE(CheckedItems(),
             QStringList({"mnuPTmatrixSW", "mnuOdeformManual", "mnuOdeformVarNarrow", "mnuOAxis",
                          "mnuOAxis02", "mnuOSDeformCross", "mnuOWindowSave", "mnuOMenu_easy",
                          "mnuRedrawslowOption_05", "mnuODisplaySize2", "mnuONewPointMarkOff"}));
    state.savedWindowState = 2, menus_->MenuCheckSet(state);
    QVERIFY(CheckedItems().contains("mnuOWindowMax") && !CheckedItems().contains("mnuOWindowSave"));
  }

  void EnablingByMode() {
    const QStringList nine = {"mnuFile", "mnuDeform", "mnuConstruction", "mnuMeasure", "mnuOption",
                              "mnuEdit", "mnuHelp",   "mnuZoom",         "mnuLocus"};
    auto enabled = [&] {
      QStringList on = nine;
      on.removeIf([&](const QString& name) { return !A(qPrintable(name))->isEnabled(); });
      return on;
    };
    menus_->MenuEnabledSet(70);
    QCOMPARE(enabled(), QStringList({"mnuHelp", "mnuZoom"}));
    for (int mode : {6, 16, 22, 61}) {
      menus_->MenuEnabledSet(mode);
      QCOMPARE(enabled(), QStringList({"mnuOption", "mnuHelp", "mnuZoom", "mnuLocus"}));
    }
    for (int mode : {0, 1, 15, 17, 72, 73}) {
      menus_->MenuEnabledSet(mode);
      QVERIFY(enabled().isEmpty() && A("mnuLanguage")->isEnabled());
    }
    menus_->MenuEnabledSet(2);
    QCOMPARE(enabled(), nine);
    // Qt reports a hidden entry as disabled: look at the easy menus shown.
    menus_->SetMenuEasy();
    QVERIFY(A("mnuEasyConst")->isEnabled() && A("mnuEasy_Measure")->isEnabled());
    menus_->MenuEnabledSet(6);
    QVERIFY(!A("mnuEasyConst")->isEnabled() && !A("mnuEasy_Measure")->isEnabled());
  }

  // Shortcuts reach a command only while every menu above it is shown and
  // enabled, as on the menu bar itself.
  void ShortcutsFollowTheMenus() {
    QStringList ran;
    for (const char* name : {"mnuExit", "mnuEasyMenu", "mnuDeform1Pt"}) {
      QObject::connect(A(name), &QAction::triggered, [&ran, name] { ran << name; });
    }
    A("mnuDeform1Pt")->setEnabled(true);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto press = [this](Qt::Key key) { QTest::keyClick(window_.get(), key, Qt::ControlModifier); };

    menus_->MenuEnabledSet(2), press(Qt::Key_Q), press(Qt::Key_D);
    menus_->MenuEnabledSet(70), press(Qt::Key_Q);  // scribbling: the file menu is closed
    menus_->MenuEnabledSet(2), menus_->SetMenuEasy();
    press(Qt::Key_D), press(Qt::Key_X);  // the deform menu is hidden in the easy menu
    QCOMPARE(ran, QStringList({"mnuExit", "mnuDeform1Pt", "mnuEasyMenu"}));
  }

  void EasyAndFullMenus() {
    menus_->SwitchMenuMode();
    QCOMPARE(menus_->MenuMode(), kEasyMenuMode);
    QCOMPARE(A("mnuEasyMenu")->text(), Q("フルメニューに"));
    QCOMPARE(Hidden(),
             QStringList({"mnuFDataFolder", "mnuSaveOnLine", "mnuMerge", "mnuFprint", "mnuDeform",
                          "mnuConstruction", "mnuMeasure", "mnuZoomComplex", "mnuLocusSet",
                          "mnuLocusNumClear", "mnuOption", "mnuFont", "mnuOColorStrength",
                          "mnuEdit", "mnuEdit2_point", "mnuEditFigDataView", "mnuEcallHis"}));
    // An easy item runs its full command, and is available when that is.
    QSignalSpy runs(A("mnuPtoubun"), &QAction::triggered);
    A("mnuPtoubun")->setEnabled(true);
    QVERIFY(A("mnuEasy_P02")->isEnabled());
    A("mnuEasy_P02")->trigger();
    QCOMPARE(runs.count(), 1);

    menus_->SwitchMenuMode();
    QCOMPARE(menus_->MenuMode(), kFullMenuMode);
    QCOMPARE(A("mnuEasyMenu")->text(), Q("簡易メニューに"));
    QCOMPARE(Hidden(), kFullHidden);
    // The full menu also brings back what the thumbnail layout hides.
    A("mnuHelp")->setVisible(false), A("mnuEasyMenu")->setVisible(false);
    menus_->SetMenuFull();
    QCOMPARE(Hidden(), kFullHidden);
  }

  // Both manuals describe every command a user can reach, under the caption
  // the menu shows in that language and with its shortcut.
  void TheManualsDescribeEveryCommand() {
    const std::string japanese = ReadManual("help.htm"), english = ReadManual("help_en.htm");
    QVERIFY(!japanese.empty() && !english.empty());
    for (const MenuEntry& entry : MenuTree()) {
      // Out of the user's reach: the menu never shows them.
      if (entry.name == "mnuFont" || entry.name == "mnuOColorStrength" ||
          entry.name == "mnuEcallHis") {
        continue;
      }
      std::string caption = Trim(entry.caption);
      std::string keys(entry.shortcut);
      for (const auto& [manual, text] :
           {std::pair{&japanese, caption}, {&english, EnglishFor(caption)}}) {
        std::string row = ManualEntry(*manual, entry.name);
        QVERIFY2(!row.empty(), entry.caption.c_str());
        QVERIFY2(row.find(text) != std::string::npos,
                 (std::string(entry.name) + ": " + text).c_str());
        QVERIFY2(row.find(keys) != std::string::npos,
                 (std::string(entry.name) + ": " + keys).c_str());
      }
    }
  }

  void RecaptioningToEnglishAndBack() {
    menus_->SetMenuEasy();
    language_.setting = "English", menus_->ApplyMenuCaptions();
    QCOMPARE(A("mnuCMPpower")->text(), Q("^"));
    QCOMPARE(A("mnuEasyMenu")->text(), QString::fromStdString(EnglishFor("フルメニューに")));

    // Back from the saved captions, never from the shown ones.
    language_.setting = "Japanese", menus_->ApplyMenuCaptions();
    for (const SavedCaption& saved : menus_->SavedCaptions()) {
      if (saved.name == "mnuEasyMenu") continue;
      QCOMPARE(menus_->Action(saved.name)->text(), QString::fromStdString(saved.caption));
    }
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
