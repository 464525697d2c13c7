// The English mode shows no Japanese. The walk reads every menu caption of
// the full and the easy menu, runs every command and reads each window and
// dialog it opens (prompts, messages, Qt's own dialogs), and reads the
// status bar, the text window, every mode and kind name, the steps of the
// replay and the figure reader's message for every line of a file gone bad.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <set>

#include "app/qt_translation.h"
#include "app/zkwin.h"
#include "app_test_support.h"
#include "japanese_text.h"
#include "lang/translate.h"
#include "model/kinds.h"
#include "view/replay.h"

using namespace sakuzu;
using namespace sakuzu::test;

namespace {

// Commands the walk does not run: they leave the program or hand a page to
// the desktop's browser; the menu switch is walked on its own.
const QSet<QString> kNotRun = {"mnuExit", "mnuHmanual", "mnuEasyMenu"};

// Reads the texts of windows and keeps those with Japanese in them. Every
// modal window that opens meanwhile is read and cancelled, so that the
// commands with dialogs run to their end.
class TextReader : public QObject {
 public:
  TextReader() {
    connect(&timer_, &QTimer::timeout, this, &TextReader::CloseModal);
    timer_.start(0);
  }

  void Check(const QString& where, const QString& text) {
    if (text.isEmpty()) return;
    seen_.insert(text);
    if (!HasJapanese(text.toStdString()) || japanese_.contains(text)) return;
    japanese_.insert(text);
    report_ << where + ": " + text;
  }
  void Check(const QString& where, const std::string& text) {
    Check(where, QString::fromStdString(text));
  }

  // A window and everything in it, hidden entries included.
  void Read(const QString& where, QWidget* window) {
    Check(where, window->windowTitle());
    for (QAction* action : window->findChildren<QAction*>()) {
      Check(where + "/" + action->objectName(), action->text());
    }
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      ReadWidget(where + "/" + widget->objectName(), widget);
    }
  }

  bool Saw(const std::string& piece) const {
    for (const QString& text : seen_) {
      if (text.contains(QString::fromStdString(piece))) return true;
    }
    return false;
  }
  int Modals() const { return modals_; }
  // Each text with Japanese once, with where it was first seen.
  const QStringList& Japanese() const { return report_; }

 private:
  // Lists of files and fonts are the system's and not read.
  void ReadWidget(const QString& where, QWidget* widget) {
    if (auto* menu = qobject_cast<QMenu*>(widget)) Check(where, menu->title());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) Check(where, button->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) Check(where, label->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget)) Check(where, group->title());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      Check(where, edit->text());
      Check(where, edit->placeholderText());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      for (int i = 0; i < combo->count(); ++i) Check(where, combo->itemText(i));
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) Check(where, text->toPlainText());
  }

  void CloseModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    ++modals_;
    Read(modal->metaObject()->className(), modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }

  QTimer timer_;
  QSet<QString> seen_;
  QSet<QString> japanese_;
  QStringList report_;
  int modals_ = 0;
};

// The reader's message for every line of `path` replaced by each kind of bad
// line, and for the file cut off before every line; `reasons` collects the
// reasons given.
void ReadBadFiles(TextReader& reader, const std::string& path, const TranslateFn& tr,
                  std::set<std::string>& reasons) {
  const std::string text = ReadText(path);
  for (size_t start = 0, line = 1; start < text.size(); ++line) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    const std::string before = text.substr(0, start);
    const std::string after = text.substr(std::min(end + 2, text.size()));
    // Not a number, beyond the counts, no class, the step's own output,
    // the file ends here.
    for (std::string bad : {"x\r\n" + after, "1,999\r\n" + after, "9,1\r\n" + after,
                            "1,1\r\n" + after, std::string()}) {
      Figure fig;
      FileError error;
      if (ParseFigureBytes(before + bad, "bad.zk4", fig, error)) continue;
      reasons.insert(error.what);
      reader.Check("line " + QString::number(line), FileErrorMessage(error, tr));
    }
    start = end + 2;
  }
}

}  // namespace

class EnglishTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    FreshProgramFolder();
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  }

  void EveryShownTextIsEnglish() {
    WriteText(Home() / "config_zkwin.txt", "ZKwin_Language =English\r\n");
    ZKwin w;
    TextReader reader;
    const TranslateFn tr = w.session().Translator();
    // Every command runs, also those that reach outside the window: the
    // batch pictures write beside the figure, so the figure is a copy; no
    // second program starts and no browser opens.
    std::filesystem::copy_file(SAKUZU_SAMPLES "/sample.zk4", Home() / "sample.zk4");
    QVERIFY(w.files().ReadZKFigFile((Home() / "sample.zk4").string()));
    w.exports().startProgram = [](const QString&, const QStringList&) { return true; };
    w.exports().openDocument = [](const std::string&) { return true; };

    MenuBar& menus = w.menus();
    menus.SetMenuEasy(), reader.Read("easy", &w);
    menus.SetMenuFull(), reader.Read("full", &w);
    for (const MenuEntry& entry : MenuTree()) {
      QString name = QString::fromUtf8(entry.name.data(), entry.name.size());
      QAction* action = menus.Action(entry.name);
      if (entry.submenu || kNotRun.contains(name) || !action->isEnabled()) continue;
      action->trigger();
      reader.Read(name, &w), reader.Read(name, &w.viewer());
      if (!IsCurrentMode(w.session().modes, kModeStandard)) {
        w.session().StartModes(), w.RefreshStatusBar();
      }
    }
    // Zoomed in to the limit, and a file that is not there.
    for (int i = 0; i < 20 && !reader.Saw(EnglishFor(kZoomLimitMessage)); ++i) {
      menus.Action("mnuZoomIn")->trigger();
    }
    QVERIFY(reader.Saw(EnglishFor(kZoomLimitMessage)));
    QVERIFY(!w.files().ReadZKFigFile((Home() / "none.zk4").string()));
    QVERIFY(reader.Saw(EnglishFor("図形ファイルを読み込めませんでした。")));
    QVERIFY(reader.Modals() >= 12);  // file, prompt, colour, font, language and message boxes

    for (int mode = 0; mode <= 100; ++mode) {
      ModeStack stack;
      PushMode(stack, static_cast<int16_t>(mode), NullShell());
      reader.Check("mode " + QString::number(mode), ModeName(stack, NullShell(), tr));
    }
    for (const KindInfo& kind : AllKinds()) {
      reader.Check(QString::fromUtf8(kind.code.data(), kind.code.size()),
                   KindDisplayName(kind.code, tr));
    }
    const Figure& fig = w.session().fig;
    for (int step = 1; step <= fig.StepCount; ++step) {
      reader.Check("replay", StepDescription(fig, step, tr));
    }

    std::set<std::string> reasons;
    ReadBadFiles(reader, SAKUZU_SAMPLES "/sample.zk4", tr, reasons);
    ReadBadFiles(reader, SAKUZU_TEST_DATA "/bound_point.zk4", tr, reasons);
    QVERIFY(reasons.size() >= 7);  // every reason the reader gives about a line
    Figure none;
    FileError encoding;
    QVERIFY(!ParseFigureBytes("\x81\x20", "x", none, encoding));
    reader.Check("encoding", FileErrorMessage(encoding, tr));
    reader.Check("read-only", tr(std::string(kReadOnlyMessage)));
    reader.Check("limit", tr(std::string(kTooManyObjectsMessage)));

    QVERIFY2(reader.Japanese().isEmpty(), qPrintable(reader.Japanese().join("\n")));
  }

  // Qt's own buttons and dialogs speak Japanese only in the Japanese mode,
  // and without Qt's translation files they stay English.
  void QtDialogsFollowTheLanguage() {
    auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    WriteText(Home() / "config_zkwin.txt", "ZKwin_Language =Japanese\r\n");
    ZKwin w;
    bool shipped = QFile::exists(QtTranslationsFolder() + "/qtbase_ja.qm");
    QCOMPARE(HasJapanese(cancel().toStdString()), shipped);
    w.session().language.setting = "English", w.ApplyLanguage();
    QCOMPARE(cancel(), QString("Cancel"));

    QTemporaryDir empty;
    QVERIFY(!ApplyQtTranslation("Japanese", empty.path()));
    QCOMPARE(cancel(), QString("Cancel"));
  }
};

QTEST_MAIN(EnglishTest)
#include "english_test.moc"
