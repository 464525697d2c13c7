// Pictures and pages of a figure: the vector replay against the window's
// pixels, SVG and PDF files, the page template, the online form, the batch
// names, and sakuzu --export.
#include "app/exports.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/html_page.h"
#include "app/render_picture.h"
#include "app_test_support.h"
#include "lang/translate.h"

using namespace sakuzu;
using namespace sakuzu::test;
namespace fs = std::filesystem;

namespace {

// Every kind of mark a picture must keep: named points in two styles, a
// solid line, a dotted one (colour 3 with the thin pen), a circle and a
// measured distance in the number list.
Figure MarksFigure() {
  Figure fig;
  AddFreePoint(fig, -4, -2, 1, 1, "A");
  AddFreePoint(fig, 3, 2, 4, 4, "B");
  fig.Lines[AddStepOnFirstTwoPoints(fig, "L1", kLineClass)].color = 7;
  fig.Circles[AddStepOnFirstTwoPoints(fig, "C2", kCircleClass)].color = 4;
  AddStepOnFirstTwoPoints(fig, "ND2P", kNumberClass);
  AddFreePoint(fig, -4, 4, 1, 7, "C");
  int step = AppendStep(fig);
  fig.StepKind[step] = "L1";
  fig.StepInputs[step][1] = {kPointClass, 2};
  fig.StepInputs[step][2] = {kPointClass, 3};
  int dotted = AddObject(fig, kLineClass);
  fig.StepOutputs[step][1] = {kLineClass, static_cast<int16_t>(dotted)};
  fig.Lines[dotted].color = 3;
  return fig;
}

int Export(const fs::path& figure, const fs::path& out, QString* err = nullptr) {
  QProcess process;
  process.start(SAKUZU_EXE, {"--export", QString::fromStdString(figure.string()), "--output",
                             QString::fromStdString(out.string())});
  if (!process.waitForFinished(60000)) return -1;
  if (err) *err = QString::fromUtf8(process.readAllStandardError());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The elements of an SVG file by name, and the text of its text elements.
struct SvgContent {
  QString root;
  QMap<QString, int> elements;
  QStringList texts;
};

SvgContent ReadSvg(const fs::path& path) {
  QFile file(QString::fromStdString(path.string()));
  SvgContent svg;
  if (!file.open(QIODevice::ReadOnly)) return svg;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (svg.root.isEmpty()) svg.root = xml.name().toString();
    ++svg.elements[xml.name().toString()];
    if (xml.name() == QLatin1String("text")) svg.texts << xml.readElementText().trimmed();
  }
  if (xml.hasError()) svg.root = "broken: " + xml.errorString();
  return svg;
}

}  // namespace

class ExportsTest : public QObject {
  Q_OBJECT

  fs::path figure_;

 private slots:
  void initTestCase() {
    FreshProgramFolder();
    figure_ = Home() / "marks.zk4";
    Figure fig = MarksFigure();
    WriteFigure(fig, figure_.string());
  }

  // The picture drawn on demand is the one the window shows: every layer,
  // the same places, colours, dots and letters.
  void ReplayMatchesTheWindowsPixels() {
    RenderOptions options;
    options.figurePath = figure_.string();
    FrontEnd front;
    FigureDrawing drawing(options, front);
    std::string message;
    QVERIFY2(drawing.Open(message), message.c_str());
    QImage window = drawing.Picture().convertToFormat(QImage::Format_RGB32);
    PainterCanvas calls = drawing.Calls();
    QImage replay = ReplayImage(calls, 1);
    QCOMPARE(replay.size(), window.size());
    int ink = 0, differ = 0;
    for (int y = 0; y < window.height(); ++y) {
      for (int x = 0; x < window.width(); ++x) {
        QRgb a = window.pixel(x, y), b = replay.pixel(x, y);
        ink += a != qRgb(255, 255, 255);
        int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
        differ += d > 64;
      }
    }
    QVERIFY(ink > 2000);
    QVERIFY2(differ * 100 < ink,
             qPrintable(QString("%1 of %2 ink pixels differ").arg(differ).arg(ink)));
    QCOMPARE(ReplayImage(calls, 2).size(), window.size() * 2);
  }

  void SvgAndPdfKeepLinesCirclesAndText() {
    fs::path svgPath = Home() / "marks.svg", pdfPath = Home() / "marks.pdf";
    QCOMPARE(Export(figure_, svgPath), 0);
    SvgContent svg = ReadSvg(svgPath);
    QCOMPARE(svg.root, QString("svg"));
    QCOMPARE(svg.elements.value("image"), 0);  // nothing drawn as pixels
    QVERIFY(svg.elements.value("polyline") + svg.elements.value("path") >= 3);  // lines, dots
    QVERIFY(svg.elements.value("ellipse") + svg.elements.value("circle") >= 1);
    QVERIFY2(svg.texts.contains("A") && svg.texts.contains("B"), qPrintable(svg.texts.join('|')));
    QVERIFY(svg.texts.filter("8.06").size() == 1);  // the listed distance |AB|

    QCOMPARE(Export(figure_, pdfPath), 0);
    QString pdf = QString::fromLatin1(ReadText(pdfPath));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
    QVERIFY(pdf.contains(QRegularExpression(
        "/MediaBox \\[0 0 480(\\.0*)? 360(\\.0*)?\\]")));  // 640 x 480 pixels at 96 dpi
    QVERIFY(pdf.contains("/FontFile"));                    // letters as text, with their font
  }

  void PageTemplateFilling() {
    PageFields fields{"a&b <1>.zk4", "sub dir/a&b #1.zk4", "a.svg", "1\r\n\"P\" x<y %ZKFILE%\r\n"};
    std::string page = FillPageTemplate(
        "<t>%ZKFILE%</t>\n<h1>%ZKFILE%</h1>%zkfile%\r\n<a href=\"%ZKFILEURL%\">%ZKPICTURE%\n"
        "<textarea>%ZKDATA%</textarea>",
        fields);
    QCOMPARE(page, std::string(
                       "<t>a&amp;b &lt;1&gt;.zk4</t>\r\n<h1>a&amp;b &lt;1&gt;.zk4</h1>%zkfile%\r\n"
                       "<a href=\"sub%20dir/a%26b%20%231.zk4\">a.svg\r\n"
                       "<textarea>1\r\n&quot;P&quot; x&lt;y %ZKFILE%\r\n</textarea>\r\n\r\n"));
    QCOMPARE(PagePathFor("/d/a.b.zk4"), std::string("/d/a.b.htm"));
  }

  void HtmlPageWithItsPictureAndTheViewerKeptCurrent() {
    fs::path folder = Home() / "page";
    fs::create_directories(folder);
    WriteText(Home() / "template.htm",
              "%ZKFILE%|%ZKPICTURE%|%ZKWIDTH%x%ZKHEIGHT% %ZKLANGUAGE%|%ZKDATA%");
    WriteText(Home() / "viewer.js", "v1");
    PainterCanvas picture(100, 80);
    picture.Clear(MakeRgb(255, 255, 255));
    picture.DrawLine(10, 10, 90, 70, Pen{MakeRgb(0, 0, 0), 1, false});
    HtmlPageRequest request{(folder / "t.htm").string(),
                            (folder / "t.zk4").string(),
                            "0\r\n",
                            (Home() / "template.htm").string(),
                            "",
                            "english"};
    QVERIFY(WriteHtmlPage(picture, request, {}).ok);  // without a viewer nothing is missing
    // The live figure's drawing area is the picture's.
    QCOMPARE(ReadText(folder / "t.htm"),
             std::string("t.zk4|t.zk4.svg|100x80 english|0\r\n\r\n\r\n"));
    QCOMPARE(ReadSvg(folder / "t.zk4.svg").root, QString("svg"));
    QVERIFY(!fs::exists(folder / kViewerFileName));

    request.viewerPath = (Home() / "viewer.js").string();
    QVERIFY(WriteHtmlPage(picture, request, {}).ok);
    QCOMPARE(ReadText(folder / kViewerFileName), std::string("v1"));
    // A viewer an older build left there is replaced by this build's.
    WriteText(folder / kViewerFileName, "v0");
    QVERIFY(WriteHtmlPage(picture, request, {}).ok);
    QCOMPARE(ReadText(folder / kViewerFileName), std::string("v1"));

    fs::remove(folder / "t.htm");
    fs::remove(folder / "t.zk4.svg");
    request.templatePath = (Home() / "none.htm").string();
    ExportOutcome missing = WriteHtmlPage(picture, request, {});
    QVERIFY(!missing.ok && Has(missing.message, "none.htm"));
    QVERIFY(!fs::exists(folder / "t.htm") && !fs::exists(folder / "t.zk4.svg"));
  }

  void OnlineFormAndBatchNames() {
    std::string page =
        OnlineFormPage(" https://s.example/save?a=1&b=\"2\" ", "1\r\n\"x<y\"\r\n", {});
    QVERIFY(page.starts_with("<HTML>\r\n") && page.ends_with("</BODY>\r\n</HTML>\r\n"));
    QVERIFY(Has(page,
                "<form action=\"https://s.example/save?a=1&amp;b=&quot;2&quot;\" "
                "METHOD=\"post\" NAME=\"form1\">\r\n"));
    QVERIFY(Has(page, " ReadOnly>\r\n1\r\n&quot;x&lt;y&quot;\r\n</textarea><br>\r\n"));
    QVERIFY(Has(page, "<center><h2>ZKデータのオンライン保存</h2></center>\r\n"));
    std::string english =
        OnlineFormPage("u", "", [](const std::string& s) { return EnglishFor(s); });
    QVERIFY(Has(english, "VALUE=\"送信\">Send</BUTTON>"));  // the server gets what it always got
    QVERIFY(IsPlaceholderServer(" ") && IsPlaceholderServer(kDefaultServerEndpoint));
    QVERIFY(!IsPlaceholderServer("https://s.example/save"));

    // Saved names get their extension, in whatever case it was typed.
    QCOMPARE(WithExtension("/f/lesson", ".zk4"), std::string("/f/lesson.zk4"));
    QCOMPARE(WithExtension("/f/lesson.v2", ".zk4"), std::string("/f/lesson.v2.zk4"));
    QCOMPARE(WithExtension("/f/LESSON.ZK4", ".zk4"), std::string("/f/LESSON.ZK4"));
    QCOMPARE(PictureScaleFrom("3"), 3.0);
    QCOMPARE(PictureScaleFrom("20"), 8.0);
    QCOMPARE(PictureScaleFrom("x"), 1.0);

    QCOMPARE(BatchPictureName("a.b.zk4", 0), std::string("a.bmp"));
    QCOMPARE(BatchPictureName("a.b.zk4", 1), std::string("t_a.bmp"));
    QCOMPARE(BatchPictureName("a.b.zk4", 2), std::string("t_a.bmp"));
    QCOMPARE(BatchPictureName("a.zk4", 3), std::string("a.bmp"));
  }

  void ExportCommandLineByExtension() {
    fs::path out = Home() / "cli";
    fs::create_directories(out);
    QCOMPARE(Export(figure_, out / "m.png"), 0);
    QCOMPARE(QImage(QString::fromStdString((out / "m.png").string())).size(), QSize(640, 480));
    QCOMPARE(Export(figure_, out / "m.bmp"), 0);
    QCOMPARE(QImage(QString::fromStdString((out / "m.bmp").string())).size(), QSize(640, 480));
    QCOMPARE(Export(figure_, out / "m.SVG"), 0);
    QCOMPARE(ReadSvg(out / "m.SVG").root, QString("svg"));
    QCOMPARE(Export(figure_, out / "m.pdf"), 0);
    QVERIFY(ReadText(out / "m.pdf").starts_with("%PDF"));

    // The page from the shipped template, its picture beside it, the figure
    // linked from the page's folder.
    QCOMPARE(Export(figure_, out / "m.html"), 0);
    std::string page = ReadText(out / "m.html");
    QVERIFY(Has(page, "<title>marks.zk4</title>") && Has(page, "href=\"../marks.zk4\""));
    QVERIFY(Has(page, "src=\"marks.zk4.svg\"") && Has(page, "&quot;PNEW&quot;"));
    QCOMPARE(ReadSvg(out / "marks.zk4.svg").root, QString("svg"));

    QString err;
    QVERIFY(Export(figure_, out / "m.gif", &err) != 0);
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.contains("m.gif") && !fs::exists(out / "m.gif"));
    QVERIFY(Export(Home() / "none.zk4", out / "n.svg", &err) != 0);
    QVERIFY(err.contains("none.zk4") && !fs::exists(out / "n.svg"));
  }
};

QTEST_MAIN(ExportsTest)
#include "exports_test.moc"
