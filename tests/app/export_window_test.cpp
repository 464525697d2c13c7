// The window's export commands: clipboard, the four layouts, the batch
// pictures, the window copy, printing, the online form, the page and the
// vector pictures.
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QStatusBar>
#include <QtTest>
#include <array>

#include "app/export_commands.h"
#include "app/html_page.h"
#include "app/zkwin.h"
#include "app_test_support.h"

#ifdef SAKUZU_HAVE_PRINTING
#include <QPrinter>
#endif

using namespace sakuzu;
using namespace sakuzu::test;
namespace fs = std::filesystem;

namespace {

const std::string kSample = SAKUZU_SAMPLES "/sample.zk4";

void Trigger(ZKwin& w, const char* name) { w.menus().Action(name)->trigger(); }

QImage Clipboard() { return QGuiApplication::clipboard()->image(); }

// Answers the next file dialog with `path`, or cancels it when empty.
void AnswerFileDialog(const fs::path& path) {
  QTimer::singleShot(0, [path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    if (path.empty()) {
      dialog->reject();
      return;
    }
    dialog->selectFile(QString::fromStdString(path.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

}  // namespace

class ExportWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ZKwin> w_;
  std::vector<std::string> messages_;
  std::vector<std::string> opened_;

 private slots:
  void initTestCase() { FreshProgramFolder(); }

  void init() {
    for (const auto& entry : fs::directory_iterator(Home())) fs::remove_all(entry.path());
    w_ = std::make_unique<ZKwin>();
    messages_.clear();
    opened_.clear();
    w_->shell().showMessage = [this](const std::string& text) { messages_.push_back(text); };
    w_->exports().openDocument = [this](const std::string& path) {
      opened_.push_back(path);
      return true;
    };
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    QVERIFY(w_->files().ReadZKFigFile(kSample));
  }

  void cleanup() { w_.reset(); }

  // Each layout copies the drawing once the window has its new size; the
  // fourth use brings back the layout of before the first.
  void FourLayoutsAndBack() {
    ZKwin& w = *w_;
    Session& s = w.session();
    Trigger(w, "mnuZoomIn");
    QSize size = w.size(), area = w.canvas().Composed().size();
    CanvasFont font = s.display.font;
    const char* captions[] = {"サムネイル表示", "ZK-5択", "標準に戻す", "1/2縮小表示"};
    for (int i = 1; i <= 4; ++i) {
      QGuiApplication::clipboard()->clear();
      Trigger(w, "mnuOWindowMini");
      QCOMPARE(w.exports().PictureMode(), i % 4);
      QCOMPARE(w.menus().Action("mnuOWindowMini")->text(), QString(captions[i - 1]));
      if (i == 4) break;
      QTRY_VERIFY(!Clipboard().isNull());
      QCOMPARE(Clipboard().size(), w.canvas().Composed().size());
      QVERIFY(Clipboard().size() != area);
      QCOMPARE(s.display.font.size, (std::array{10.0, 8.0, 14.0}[i - 1]));
      QCOMPARE(w.statusBar()->isVisible(), i != 2);
    }
    QCOMPARE(s.view.ViewScale, 0.025);
    QTRY_COMPARE(w.size(), size);
    QCOMPARE(s.display.font, font);
    QVERIFY(w.statusBar()->isVisible() && w.menus().Action("mnuHelp")->isVisible());
    QTest::qWait(100);
    QVERIFY(Clipboard().isNull());  // going back copies nothing

    w.showMaximized();
    QTRY_VERIFY(w.isMaximized());
    Trigger(w, "mnuOWindowMini");
    QCOMPARE(messages_.size(), size_t{1});
    QCOMPARE(w.exports().PictureMode(), 0);
  }

  void ClipboardAndBatchPictures() {
    ZKwin& w = *w_;
    Trigger(w, "mnufBMP");
    QCOMPARE(Clipboard().convertToFormat(QImage::Format_RGB32), w.canvas().Composed());

    fs::path folder = Home() / "class";
    fs::create_directories(folder);
    fs::copy_file(kSample, folder / "a.b.zk4");
    fs::copy_file(kSample, folder / "c.zk4");
    WriteText(folder / "bad.zk4", "3\r\n\"PNEW\"\r\n");
    WriteText(folder / "notes.txt", "");
    QVERIFY(w.files().ReadZKFigFile((folder / "c.zk4").string()));
    QCOMPARE(w.exports().BatchFolder(), folder.string());
    // Unsaved changes: Cancel keeps the figure and makes nothing.
    w.session().history.MarkUnsaved();
    w.shell().askSave = [] { return SaveAnswer::kCancel; };
    Trigger(w, "mnuHmakeAllBmp");
    QVERIFY(!fs::exists(folder / "bmp"));
    w.shell().askSave = [] { return SaveAnswer::kDiscard; };
    Trigger(w, "mnuHmakeAllBmp");
    QCOMPARE(QImage(QString::fromStdString((folder / "bmp/a.bmp").string())).size(),
             w.canvas().Composed().size());
    QVERIFY(fs::exists(folder / "bmp/c.bmp") && !fs::exists(folder / "bmp/bad.bmp"));
    QCOMPARE(messages_.size(), size_t{1});  // the unreadable files together, at the end
    QVERIFY(Has(messages_[0], "bad.zk4"));
    QCOMPARE(w.session().fig.FigureFileName, (folder / "c.zk4").string());
    QVERIFY(!w.session().history.IsModified());
  }

  void WindowCopyAndPrinting() {
    ZKwin& w = *w_;
    QString program;
    QStringList arguments;
    w.exports().startProgram = [&](const QString& p, const QStringList& a) {
      program = p, arguments = a;
      return true;
    };
    Trigger(w, "mnuOcopyWindow");
    fs::path copy = Home() / "temp_zkwin.zk4";
    QCOMPARE(program, QCoreApplication::applicationFilePath());
    QCOMPARE(arguments, QStringList{QString::fromStdString(copy.string())});
    Figure read;
    QVERIFY(ReadWriteFigure(read, copy.string(), FigureFileMode::kRead).ok);
    QCOMPARE(read.StepCount, w.session().fig.StepCount);
    QCOMPARE(w.session().view.ViewScale, 0.1);  // standard zoom, then one step out
    QVERIFY(messages_.empty());
    // The second window works on the copy but never saves into it: the
    // temporary file goes when either window closes.
    ZKwin second(copy.string());
    QCOMPARE(second.session().fig.StepCount, w.session().fig.StepCount);
    QCOMPARE(second.session().fig.FigureFileName, std::string("untitled"));

#ifdef SAKUZU_HAVE_PRINTING
    fs::path pdf = Home() / "printed.pdf";
    w.exports().choosePrinter = [&pdf](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf.string()));
      return true;
    };
    Trigger(w, "mnuFprint");
    QVERIFY(ReadText(pdf).starts_with("%PDF") && messages_.empty());
    pdf = Home() / "no folder" / "printed.pdf";
    Trigger(w, "mnuFprint");
    QCOMPARE(messages_.size(), size_t{1});  // a failure is reported
#endif
  }

  // No server is shipped: the command asks for one, and keeps it.
  void OnlineFormAsksForItsServer() {
    ZKwin& w = *w_;
    fs::path page = Home() / "temp_zkwin.htm";
    int asked = 0;
    std::optional<std::string> answer;
    std::string title;
    w.shell().inputBox = [&](const std::string&, const std::string& boxTitle, const std::string&) {
      ++asked;
      title = boxTitle;
      return answer;
    };
    Trigger(w, "mnuSaveOnLine");
    QCOMPARE(title, w.session().T("WWWサーバの設定"));
    QVERIFY(!fs::exists(page) && opened_.empty() && messages_.empty());
    answer = "https://school.example/zk_save.asp";
    Trigger(w, "mnuSaveOnLine");
    QCOMPARE(opened_, std::vector<std::string>{page.string()});
    QVERIFY(Has(ReadText(page), "action=\"https://school.example/zk_save.asp\""));
    QVERIFY(w.PromptPanel()->text().contains(QString::fromStdString(page.string())));
    Trigger(w, "mnuSaveOnLine");
    QCOMPARE(asked, 2);
  }

  // Names typed without their extension get it; every export says where it wrote.
  void SavesGetTheirExtensionAndSayWhereTheyWrote() {
    ZKwin& w = *w_;
    AnswerFileDialog(Home() / "lesson 2");
    Trigger(w, "mnuSave");
    QVERIFY(fs::exists(Home() / "lesson 2.zk4"));
    QCOMPARE(w.session().fig.FigureFileName, (Home() / "lesson 2.zk4").string());

    std::string answer = (Home() / "board").string();
    w.exports().askPicturePath = [&](const std::string&, const QString&) { return answer; };
    std::optional<std::string> scale = "2";
    w.shell().inputBox = [&](const std::string&, const std::string&, const std::string&) {
      return scale;
    };
    Trigger(w, "mnufPNG");
    QImage png(QString::fromStdString((Home() / "board.png").string()));
    QCOMPARE(png.size(), w.canvas().Composed().size() * 2);
    QVERIFY(
        w.PromptPanel()->text().contains(QString::fromStdString((Home() / "board.png").string())));
    scale.reset();  // cancelled at the scale: nothing
    answer = (Home() / "cancelled").string();
    Trigger(w, "mnufPNG");
    QVERIFY(!fs::exists(Home() / "cancelled.png"));
    answer = (Home() / "board.v2").string();
    Trigger(w, "mnufSVG");
    QVERIFY(fs::exists(Home() / "board.v2.svg"));
    QVERIFY(w.PromptPanel()->text().contains("board.v2.svg"));
    Trigger(w, "mnufBMP");
    QCOMPARE(w.PromptPanel()->text(),
             QString::fromStdString(w.session().T("クリップボードにコピーしました")));
    QVERIFY(messages_.empty());
  }

  // An untitled figure has no folder: the batch pictures ask for one.
  void BatchPicturesOfAnUntitledFigureAskForTheFolder() {
    ZKwin& w = *w_;
    fs::path folder = Home() / "chosen";
    fs::create_directories(folder);
    fs::copy_file(kSample, folder / "a.zk4");
    w.shell().askNewFigure = [] { return NewFigureAnswer::kYes; };
    w.shell().askSave = [] { return SaveAnswer::kDiscard; };
    Trigger(w, "mnuNew");
    w.session().KeyDown(KeyInput{27});
    QCOMPARE(w.session().fig.FigureFileName, std::string("untitled"));
    std::string chosen;
    int asked = 0;
    w.exports().askFolder = [&](const std::string&) {
      ++asked;
      return chosen;
    };
    Trigger(w, "mnuHmakeAllBmp");
    QCOMPARE(asked, 1);
    QVERIFY(!fs::exists(folder / "bmp"));
    chosen = folder.string();
    Trigger(w, "mnuHmakeAllBmp");
    QVERIFY(fs::exists(folder / "bmp/a.bmp"));
    QVERIFY(!fs::exists(fs::current_path() / "bmp/a.bmp"));
  }

  // The page follows the save: a cancelled dialog makes no page.
  void HtmlPageAndVectorPictures() {
    ZKwin& w = *w_;
    fs::copy_file(fs::path(SAKUZU_EXE).parent_path() / kPageTemplateFileName,
                  Home() / kPageTemplateFileName);
    fs::path figure = Home() / "lesson 1.zk4";
    AnswerFileDialog({});
    Trigger(w, "mnuf_html");
    QVERIFY(!fs::exists(Home() / "lesson 1.htm") && opened_.empty());
    AnswerFileDialog(figure);
    Trigger(w, "mnuf_html");
    QCOMPARE(opened_, std::vector<std::string>{(Home() / "lesson 1.htm").string()});
    QVERIFY(Has(ReadText(Home() / "lesson 1.htm"), "href=\"lesson%201.zk4\""));
    QVERIFY(fs::exists(figure) && fs::exists(Home() / "lesson 1.zk4.svg"));
    QVERIFY(!w.session().history.IsModified() && !w.windowTitle().contains('*'));

    std::string answer = (Home() / "picture").string();
    w.exports().askPicturePath = [&](const std::string&, const QString&) { return answer; };
    Trigger(w, "mnufSVG");
    Trigger(w, "mnufPDF");
    QVERIFY(Has(ReadText(Home() / "picture.svg"), "<svg"));
    QVERIFY(ReadText(Home() / "picture.pdf").starts_with("%PDF"));
    QVERIFY(messages_.empty());
  }
};

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
