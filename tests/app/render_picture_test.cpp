// sakuzu --render: the picture of a figure as the window shows it.
#include "app/render_picture.h"

#include <QImage>
#include <QProcess>
#include <QtTest>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "app_test_support.h"
#include "view/view_mapping.h"

using namespace sakuzu;
namespace fs = std::filesystem;

namespace {

QRgb PixelAt(const QImage& image, PixelPoint p) {
  return image.pixel(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
}

PixelPoint Offset(PixelPoint p, double dx, double dy) { return {p.x + dx, p.y + dy}; }

int Run(const QStringList& args, QString* err = nullptr) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");  // the program sets the offscreen platform itself
  process.setProcessEnvironment(env);
  process.start(SAKUZU_EXE, args);
  if (!process.waitForFinished(60000)) return -1;
  if (err) *err = QString::fromUtf8(process.readAllStandardError());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace

class RenderPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test::FreshProgramFolder(); }

  void PointMarksAppearWhereTheMappingPutsThem() {
    Figure fig;
    test::AddFreePoint(fig, 2.5, -1.5, 4, 1, "A");    // filled square, red
    test::AddFreePoint(fig, -7.25, 3.35, 1, 4, "B");  // diagonal cross, blue
    fs::path home = qEnvironmentVariable("SAKUZU_HOME").toStdString();
    std::string figure = (home / "two points.zk4").string();
    test::WriteFigure(fig, figure);
    std::string picture = (home / "two points.png").string();

    QCOMPARE(Run({"--render", QString::fromStdString(figure), "--output",
                  QString::fromStdString(picture), "--size", "401x301"}),
             0);
    QImage image(QString::fromStdString(picture));
    QCOMPARE(image.size(), QSize(401, 301));
    ViewState view;
    SetScreen(view, 401, 301);
    QCOMPARE(view.ViewHalfWidth, 10.0);

    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    PixelPoint a = ToPixel(view, 2.5, -1.5);
    QCOMPARE(a.x, 250.0);  // 2.5 units right of the centre column 200
    QCOMPARE(PixelAt(image, a), red);
    QCOMPARE(PixelAt(image, Offset(a, -4, 4)), red);
    QCOMPARE(PixelAt(image, Offset(a, 8, 0)), white);

    PixelPoint b = ToPixel(view, -7.25, 3.35);
    QCOMPARE(PixelAt(image, b), blue);
    QCOMPARE(PixelAt(image, Offset(b, 3, 3)), blue);
    QCOMPARE(PixelAt(image, Offset(b, -3, 3)), blue);
    QCOMPARE(PixelAt(image, Offset(b, 3, 0)), white);

    // The default size, and the same picture through the library.
    QCOMPARE(Run({"--render", QString::fromStdString(figure), "--output",
                  QString::fromStdString(picture)}),
             0);
    QImage standard(QString::fromStdString(picture));
    QCOMPARE(standard.size(), QSize(640, 480));
    RenderOptions options;
    options.figurePath = figure;
    QImage direct;
    std::string message;
    QVERIFY(RenderFigurePicture(options, NullShell(), direct, message));
    QVERIFY(direct.convertToFormat(QImage::Format_RGB32) ==
            standard.convertToFormat(QImage::Format_RGB32));
  }

  void UnreadableFigureFailsWithItsMessage() {
    fs::path home = qEnvironmentVariable("SAKUZU_HOME").toStdString();
    fs::path bad = home / "bad.zk4";
    { std::ofstream(bad, std::ios::binary) << "2\r\n\"PNEW\"\r\n"; }
    std::string picture = (home / "bad.png").string();
    QString err;
    QVERIFY(Run({"--render", QString::fromStdString(bad.string()), "--output",
                 QString::fromStdString(picture)},
                &err) != 0);
    QVERIFY(err.contains("bad.zk4"));
    QVERIFY(!fs::exists(picture));
    QVERIFY(Run({"--render", QString::fromStdString((home / "none.zk4").string()), "--output",
                 QString::fromStdString(picture)}) != 0);
    QVERIFY(Run({"--render", "x.zk4", "--output", "y.png", "--size", "0x5"}) != 0);
  }
};

QTEST_MAIN(RenderPictureTest)
#include "render_picture_test.moc"
