// The settings file and the limits of the option prompts.
#include "session/settings.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

using namespace sakuzu;

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  // Every key with a value other than its default, read and written back
  // in its exact form: numbers between blanks, texts without.
  void EveryKeyReadAndWrittenInItsExactForm() {
    const std::string text =
        "App =Sakuzu\r\nAppMajor = 2 \r\nAppMinor = 7 \r\ndelta = 37 \r\ndeltavar = 0.3 \r\n"
        "ColorStrength = 128 \r\nNotChrDisp =-1 \r\naxissw =-1 \r\nAxisColor = 197121 \r\n"
        "ZKwin.DrawWidth = 4 \r\nZKwin.FontSize = 10.3 \r\n"
        "ZKwin.FontName =Noto Sans Mono CJK JP\r\nKetaDecimal = 5 \r\n"
        "ZKwin.BackColor = 15134970 \r\nBrowserSW = 3 \r\n"
        "WWWurl =http://host/save.asp\r\nZKwin.Width = 9596 \r\nZKwin.Height = 7545 \r\n"
        "ZKwin.WindowState = 2 \r\nZKwin_MenuMode =-1 \r\nZKwin_AutoRedraw =True\r\n"
        "ZKwin_Redraw_Slow = 1000 \r\nZKwin_Language =English\r\nSDeformKind = 2 \r\n"
        "ZKwin_Smooth =False\r\nZKwin_DisplaySize = 2 \r\nZKwin_NewPointMarks =False\r\n";
    Settings s;
    ApplySettingsText(text, s);
    QCOMPARE(FormatSettingsText(s, {"Sakuzu", 2, 7, 1}), text);
    QVERIFY(s.axisColor == MakeRgb(1, 2, 3));
    // Through the file in the program's folder as well, with a font size
    // that only the font dialog chooses.
    s.fontSize = 10.5;
    QTemporaryDir dir;
    QVERIFY(SaveSettingsFile(dir.path().toStdString(), s, {}));
    QVERIFY(LoadSettingsFile(dir.path().toStdString()) == s);
  }

  void ReaderFollowsTheFileRules() {
    Settings s;
    ApplySettingsText(
        "DELTAVAR = 2 \r\n"               // keys ignore case
        "WWWurl =http://h/a.asp?x=1\r\n"  // a value ends at the next "="
        "BrowserSW = 1 \r\n"              // non-zero becomes 3
        "App =Other\r\nAppMajor = 9 \r\nZKwin_AutoRedraw =False\r\n"
        "no equals sign\r\n"
        "delta = abc\r\n"                                     // not a number: skipped
        "ZKwin.DrawWidth = 500 \r\n"                          // beyond what can be drawn: skipped
        "ZKwin.FontSize = 500 \r\nZKwin.FontSize = 5.5 \r\n"  // beyond the prompt's 6..100
        "KetaDecimal = 4 \n",                                 // a bare line feed ends a line too
        s);
    QCOMPARE(s.deltaVar, 2.0);
    QCOMPARE(s.wwwUrl, std::string("http://h/a.asp?x"));
    QCOMPARE(s.browserSw, int16_t{3});
    QCOMPARE(s.delta, int16_t{10});
    QCOMPARE(s.drawWidth, int16_t{1});
    QCOMPARE(s.fontSize, 9.0f);
    QCOMPARE(s.ketaDecimal, int16_t{4});
    QVERIFY(s.smooth);  // a file from before the switch: smooth drawing

    // A line valid in neither encoding costs that line only; the others
    // keep their own encodings.
    QTemporaryDir dir;
    std::ofstream(dir.filePath("config_zkwin.txt").toStdString(), std::ios::binary)
        << "delta = 37 \r\nZKwin.FontName =\x81\r\nZKwin.FontName =\x82\xa0\r\n"
           "KetaDecimal = 5 \r\n";
    Settings loaded = LoadSettingsFile(dir.path().toStdString());
    QCOMPARE(loaded.delta, int16_t{37});
    QCOMPARE(loaded.fontName, std::string("あ"));
    QCOMPARE(loaded.ketaDecimal, int16_t{5});
  }

  void ResetAndLoadKeepWhatTheStandardValuesLeave() {
    // The standard values leave the window size, menu mode, language,
    // snapping and server.
    Settings kept;
    kept.wwwUrl = "x", kept.windowWidth = 5000, kept.menuMode = -1;
    kept.language = "English", kept.sDeformKind = 1;
    Settings s = kept;
    s.delta = 1, s.drawWidth = 7, s.backColor = MakeRgb(0, 0, 0), s.redrawSlow = 200;
    Settings reset = s;
    ResetSettings(reset);
    QVERIFY(reset == kept);
    // Loading without a file resets the server too.
    QTemporaryDir dir;
    kept.wwwUrl = kDefaultServerEndpoint;
    QVERIFY(LoadSettingsFile(dir.path().toStdString(), s) == kept);
  }

  void PromptsLimitTheirAnswers() {
    // Each answer's value after the prompt's limit (the leading number is
    // read as in the number text tests).
    auto limited = [](auto limit, std::initializer_list<const char*> answers) {
      std::vector<double> values;
      for (const char* answer : answers) values.push_back(limit(answer));
      return values;
    };
    using V = std::vector<double>;
    // Below the range the steps return to their standard values.
    QCOMPARE(limited(LimitDelta, {"0.5", "12.9", "75"}), (V{10, 12, 60}));
    QCOMPARE(limited(LimitDeltaVar, {"0", "0.25", "100.5"}), (V{0.5, 0.25, 100}));
    // The others clamp to the nearer bound; Cancel gives no decimals.
    QCOMPARE(limited(LimitDrawWidth, {"", "11"}), (V{1, 10}));
    QCOMPARE(limited(LimitFontSize, {"5", "12.7", "100.5"}), (V{6, 12, 100}));
    QCOMPARE(ClampFontSize(4), 6.0f);  // the font dialog's choice
    QCOMPARE(ClampFontSize(10.5), 10.5f);
    QCOMPARE(limited(LimitKetaDecimal, {"", "-2", "25"}), (V{0, 0, 20}));
    // The colour strength takes 255 on both sides.
    QCOMPARE(limited(LimitColorStrength, {"0", "128.9", "256"}), (V{255, 128, 255}));
    QCOMPARE(LimitServerUrl("   ", "old"), std::string("old"));
    QCOMPARE(LimitServerUrl(" http://x/y ", "old"), std::string("http://x/y"));
  }

  void DataPathAndTwips() {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
    QVERIFY(!ReadDataPathFile(folder));
    QVERIFY(WriteDataPathFile(folder, "/home/教室/図"));
    QCOMPARE(ReadDataPathFile(folder), std::optional<std::string>("/home/教室/図"));
    QCOMPARE(PixelsToTwips(640, 96), int16_t{9600});
    QCOMPARE(TwipsToPixels(9596, 96), 640);
    QCOMPARE(PixelsToTwips(5000, 96), int16_t{32767});
  }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
