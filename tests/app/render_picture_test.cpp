// sakuzu --render: the picture of a figure as the window shows it.
#include "app/render_picture.h"

#include <QImage>
#include <QProcess>
#include <QtTest>
#include <cmath>
#include <utility>

#include "app_test_support.h"
#include "view/view_mapping.h"

using namespace sakuzu;
using namespace sakuzu::test;

namespace {

// The pixel `dx`, `dy` away from where the view maps (x, y).
QRgb PixelAt(const QImage& image, const ViewState& view, double x, double y, int dx = 0,
             int dy = 0) {
  PixelPoint p = ToPixel(view, x, y);
  return image.pixel(static_cast<int>(std::lround(p.x)) + dx,
                     static_cast<int>(std::lround(p.y)) + dy);
}

bool Bluish(QRgb c) { return qBlue(c) == 255 && qRed(c) < 128 && qGreen(c) < 128; }

// Runs `sakuzu --render FIGURE --output PICTURE` with more arguments.
int Render(const std::string& figure, const std::string& picture, QStringList more = {},
           QString* err = nullptr) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");  // the program sets the offscreen platform itself
  process.setProcessEnvironment(env);
  QStringList args = {"--render", QString::fromStdString(figure), "--output",
                      QString::fromStdString(picture)};
  process.start(SAKUZU_EXE, args + more);
  if (!process.waitForFinished(60000)) return -1;
  if (err) *err = QString::fromUtf8(process.readAllStandardError());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace

class RenderPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FreshProgramFolder(); }

  void PointMarksAppearWhereTheMappingPutsThem() {
    Figure fig;
    AddFreePoint(fig, 2.5, -1.5, 4, 1, "A");    // filled square, red
    AddFreePoint(fig, -7.25, 3.35, 1, 4, "B");  // diagonal cross, blue
    std::string figure = (Home() / "two points.zk4").string();
    std::string picture = (Home() / "two points.png").string();
    WriteFigure(fig, figure);

    QCOMPARE(Render(figure, picture, {"--size", "401x301"}), 0);
    QImage image(QString::fromStdString(picture));
    QCOMPARE(image.size(), QSize(401, 301));
    ViewState view;
    SetScreen(view, 401, 301);  // (2.5, -1.5) at pixel (250, 180)
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0);
    QCOMPARE(PixelAt(image, view, 2.5, -1.5), red);
    QCOMPARE(PixelAt(image, view, 2.5, -1.5, -4, 4), red);
    QCOMPARE(PixelAt(image, view, 2.5, -1.5, 8, 0), white);
    // Smooth strokes: nearly blue.
    QVERIFY(Bluish(PixelAt(image, view, -7.25, 3.35)) &&
            Bluish(PixelAt(image, view, -7.25, 3.35, 3, 3)));
    QCOMPARE(PixelAt(image, view, -7.25, 3.35, 3, 0), white);

    // Twice the scale: the same layout, every mark at twice its place.
    QCOMPARE(Render(figure, picture, {"--size", "401x301", "--scale", "2"}), 0);
    QImage sharp(QString::fromStdString(picture));
    QCOMPARE(sharp.size(), QSize(802, 602));
    for (auto [dx, dy] : {std::pair{0, 0}, {1, 1}, {-8, 8}, {9, -9}}) {
      QCOMPARE(sharp.pixel(500 + dx, 360 + dy), red);  // pixel (250, 180) at scale 1
    }
    QCOMPARE(sharp.pixel(500 + 12, 360), white);
    QVERIFY(Render(figure, picture, {"--scale", "0.5"}) != 0);

    QVERIFY(Render(figure, picture) == 0 && QImage(picture.c_str()).size() == QSize(640, 480));
  }

  // Smooth drawing blends the edges of a slanted line into the background;
  // the pixel-exact look (a settings file line) has only the two colours.
  void SmoothAndPixelExactLines() {
    Figure fig;
    AddFreePoint(fig, -5, -2, 0, 7, "");
    AddFreePoint(fig, 5, 3, 0, 7, "");
    AddStepOnFirstTwoPoints(fig, "L1", kLineClass);
    std::string figure = (Home() / "slant.zk4").string();
    std::string picture = (Home() / "slant.png").string();
    WriteFigure(fig, figure);
    auto colours = [&] {
      QImage image(QString::fromStdString(picture));
      QSet<QRgb> seen;
      for (int x = 100; x < 300; ++x) {
        for (int y = 0; y < image.height(); ++y) seen.insert(image.pixel(x, y));
      }
      return seen;
    };
    QCOMPARE(Render(figure, picture, {"--size", "401x301"}), 0);
    QVERIFY(colours().size() >= 4);  // greys between the black line and the white
    WriteText(Home() / "config_zkwin.txt", "ZKwin_Smooth =False\r\n");
    QCOMPARE(Render(figure, picture, {"--size", "401x301"}), 0);
    std::filesystem::remove(Home() / "config_zkwin.txt");
    QCOMPARE(colours(), (QSet<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)}));
  }

  void UnreadableFigureFailsWithItsMessage() {
    std::string bad = (Home() / "bad.zk4").string();
    std::string picture = (Home() / "bad.png").string();
    WriteText(bad, "2\r\n\"PNEW\"\r\n");
    QString err;
    QVERIFY(Render(bad, picture, {}, &err) != 0);
    QVERIFY(err.contains("bad.zk4") && !std::filesystem::exists(picture));
    QVERIFY(Render((Home() / "none.zk4").string(), picture) != 0);
    QVERIFY(Render("x.zk4", "y.png", {"--size", "0x5"}) != 0);
  }
};

QTEST_MAIN(RenderPictureTest)
#include "render_picture_test.moc"
