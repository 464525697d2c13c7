// The settings file and the limits of the option prompts.
#include "app/settings.h"

#include <QtTest>
#include <fstream>

#include "app_test_support.h"

using namespace sakuzu;

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void FileLinesAreWrittenInTheirExactForm() {
    Settings s;
    ProgramVersion v{"Sakuzu", 2, 7, 1};
    std::string text = FormatSettingsText(s, v);
    QCOMPARE(static_cast<int>(std::count(text.begin(), text.end(), '\n')), 24);
    QVERIFY(text.starts_with("App =Sakuzu\r\nAppMajor = 2 \r\nAppMinor = 7 \r\ndelta = 10 \r\n"));
    // The deformation step line is eleven characters long.
    QCOMPARE(std::string("delta = 10 ").size(), size_t{11});
    QVERIFY(text.find("deltavar = 0.5 \r\n") != std::string::npos);
    QVERIFY(text.find("AxisColor = 11184810 \r\n") != std::string::npos);
    QVERIFY(text.find("ZKwin.BackColor = 16777215 \r\n") != std::string::npos);
    QVERIFY(text.find("ZKwin.FontName =FixedSys\r\n") != std::string::npos);
    QVERIFY(text.find("ZKwin_AutoRedraw =True\r\n") != std::string::npos);
    QVERIFY(text.find("ZKwin_Language =\r\n") != std::string::npos);
    QVERIFY(text.ends_with("SDeformKind = 0 \r\n"));
    s.notChrDisp = -1;
    QVERIFY(FormatSettingsText(s, v).find("NotChrDisp =-1 \r\n") != std::string::npos);
  }

  void EveryReadKeySurvivesTheRoundTrip() {
    Settings s;
    s.delta = 37;
    s.deltaVar = 0.3;
    s.colorStrength = 128;
    s.notChrDisp = -1;
    s.axisSw = -1;
    s.axisColor = MakeRgb(1, 2, 3);
    s.drawWidth = 4;
    s.fontSize = 10.3f;  // the font dialog chooses fractions too
    s.fontName = "Noto Sans Mono CJK JP";
    s.ketaDecimal = 5;
    s.backColor = MakeRgb(250, 240, 230);
    s.browserSw = 3;
    s.wwwUrl = "http://host/save.asp";
    s.windowWidth = 9596;
    s.windowHeight = 7545;
    s.windowState = 2;
    s.menuMode = -1;
    s.redrawSlow = 1000;
    s.language = "English";
    s.sDeformKind = 2;
    Settings back;
    std::string text = FormatSettingsText(s, {});
    QVERIFY(text.find("ZKwin.FontSize = 10.3 \r\n") != std::string::npos);
    ApplySettingsText(text, back);
    QVERIFY(back == s);
    s.fontSize = 4;  // below what the prompt allows, but a font dialog's choice
    ApplySettingsText(FormatSettingsText(s, {}), back);
    QCOMPARE(back.fontSize, 4.0f);

    // Through the file in the program's folder as well.
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
        "delta = abc\r\n"             // not a number: skipped
        "ZKwin.DrawWidth = 500 \r\n"  // beyond what can be drawn: skipped
        "KetaDecimal = 4 \n",         // a bare line feed ends a line too
        s);
    QCOMPARE(s.deltaVar, 2.0);
    QCOMPARE(s.wwwUrl, std::string("http://h/a.asp?x"));
    QCOMPARE(s.browserSw, int16_t{3});
    QCOMPARE(s.delta, int16_t{10});
    QCOMPARE(s.drawWidth, int16_t{1});
    QCOMPARE(s.ketaDecimal, int16_t{4});

    // A missing file leaves the defaults and the default server.
    QTemporaryDir dir;
    Settings loaded = LoadSettingsFile(dir.path().toStdString());
    QCOMPARE(loaded.wwwUrl, std::string(kDefaultServerEndpoint));
    QVERIFY(loaded == Settings{});
    // Loading again later resets what the standard values reset and keeps
    // what the file does not mention.
    Settings current;
    current.delta = 1;
    current.wwwUrl = "http://mine/save.asp";
    current.language = "English";
    current.sDeformKind = 2;
    current.windowWidth = 9596;
    current.menuMode = -1;
    loaded = LoadSettingsFile(dir.path().toStdString(), current);
    QCOMPARE(loaded.delta, int16_t{10});
    QCOMPARE(loaded.wwwUrl, std::string(kDefaultServerEndpoint));
    QCOMPARE(loaded.language, std::string("English"));
    QCOMPARE(loaded.sDeformKind, int16_t{2});
    QCOMPARE(loaded.windowWidth, int16_t{9596});
    QCOMPARE(loaded.menuMode, int16_t{-1});
  }

  void ResetKeepsWindowMenuLanguageSnapAndServer() {
    Settings s;
    s.delta = 1;
    s.drawWidth = 7;
    s.backColor = MakeRgb(0, 0, 0);
    s.redrawSlow = 200;
    s.windowWidth = 5000;
    s.menuMode = -1;
    s.language = "English";
    s.sDeformKind = 1;
    s.wwwUrl = "x";
    ResetSettings(s);
    QCOMPARE(s.delta, int16_t{10});
    QCOMPARE(s.drawWidth, int16_t{1});
    QVERIFY(s.backColor == kWhite);
    QCOMPARE(s.redrawSlow, 500);
    QCOMPARE(s.windowWidth, int16_t{5000});
    QCOMPARE(s.menuMode, int16_t{-1});
    QCOMPARE(s.language, std::string("English"));
    QCOMPARE(s.sDeformKind, int16_t{1});
    QCOMPARE(s.wwwUrl, std::string("x"));
  }

  void PromptsLimitTheirAnswers() {
    QCOMPARE(LeadingNumber("1 0"), std::optional<double>(10));
    QCOMPARE(LeadingNumber("3abc"), std::optional<double>(3));
    QCOMPARE(LeadingNumber("-.5"), std::optional<double>(-0.5));
    QCOMPARE(LeadingNumber("2e"), std::optional<double>(2));
    QVERIFY(!LeadingNumber("abc"));

    // Below the range the steps return to their standard values.
    QCOMPARE(LimitDelta(""), int16_t{10});
    QCOMPARE(LimitDelta("0.5"), int16_t{10});
    QCOMPARE(LimitDelta("12.9"), int16_t{12});
    QCOMPARE(LimitDelta("75"), int16_t{60});
    QCOMPARE(LimitDeltaVar("0"), 0.5);
    QCOMPARE(LimitDeltaVar("-3"), 0.5);
    QCOMPARE(LimitDeltaVar("0.25"), 0.25);
    QCOMPARE(LimitDeltaVar("100.5"), 100.0);
    // The others clamp to the nearer bound.
    QCOMPARE(LimitDrawWidth(""), int16_t{1});
    QCOMPARE(LimitDrawWidth("3.7"), int16_t{3});
    QCOMPARE(LimitDrawWidth("11"), int16_t{10});
    QCOMPARE(LimitFontSize("5"), 6.0f);
    QCOMPARE(LimitFontSize("12.7"), 12.0f);
    QCOMPARE(LimitFontSize("100.5"), 100.0f);
    QCOMPARE(LimitKetaDecimal(""), int16_t{0});  // Cancel gives no decimals
    QCOMPARE(LimitKetaDecimal("-2"), int16_t{0});
    QCOMPARE(LimitKetaDecimal("25"), int16_t{20});
    // The colour strength takes 255 on both sides.
    QCOMPARE(LimitColorStrength("0"), int16_t{255});
    QCOMPARE(LimitColorStrength("128.9"), int16_t{128});
    QCOMPARE(LimitColorStrength("256"), int16_t{255});
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
