#include "lang/translate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "text/encoding.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

// Every text the program hands to the English table.
constexpr std::string_view kEnglishSources[] = {
    "-",
    "－",
    "(複素数としての)逆数",
    "(複素数としての)巾(べき)",
    "(複素数としての)差",
    "(複素数としての)商",
    "(複素数としての)積",
    "(複素数としての)和",
    "* 2",
    "/ 2",
    "＾  （べき）",
    "^",
    "+",
    "＋",
    "×",
    "×軌",
    "÷",
    "■",
    "□",
    "■幾何的対象(数,点,線,円)の詳細データ■",
    "■作図手続き(概略)■",
    "■作図手続き(入出力の詳細)■",
    "○",
    "↑(+1),↓(-1)",
    "0 (■■)",
    "0より大きく100以下の数を入力してください",
    "1/2縮小表示",
    "100回の変形",
    "1から10までの数値を入力してください",
    "1から255までの数を入力してください",
    "1から60までの数を入力してください",
    "１次変換",
    "1点を通る,円の接線",
    "1点を動かす",
    "2円",
    "２円の共通外接線",
    "2円の共通外接線",
    "２円の共通内接線",
    "2円の共通内接線",
    "2直線 (0 - 90)",
    "2直線",
    "2直線の交点",
    "2点",
    "２点からの延長",
    "2点からの延長",
    "2点の距離",
    "２点を結ぶ",
    "2点を結ぶ",
    "2点を結ぶ線分",
    "3角形",
    "3角形(+/-)",
    "3角形の面積",
    "3点(0 - 180)",
    "3点(0 - 360)",
    "3点(-180 - 180)",
    "3点(外接円)",
    "4角形",
    "4角形の面積",
    "5心など",
    "area",
    "call history",
    "Command2",
    "COS",
    "Data Viewer",
    "deform by keyboard",
    "edit",
    "Excelなどで開く",
    "ZK4形式",
    "ZKデータのオンライン保存",
    "ｎ等分",
    "n等分",
    "N等分(マクロ)",
    "OK :確認",
    "ＯＫ",
    "OK",
    "On/Off",
    "Shift + 変形の動作",
    "SIN",
    "TAN",
    "VGA(640×480)",
    "WWWサーバの設定",
    "x,y座標から点を作る",
    "xy座標を与える",
    "x座標",
    "y座標",
    "Δ",
    "あなたが作成したZKデータをWWWサーバに書き込み，インターネットを経由して他の学校の授業などいろ"
    "いろな場面で使えるようにします。",
    "アフィン変換 (3点とその像で決定)",
    "アフィン変換",
    "うすい灰色(標準)",
    "ｵﾌﾟｼｮﾝ",
    "オンライン保存",
    "キーボードで変形",
    "キャンセル",
    "キャンセル(Esc)",
    "クリア",
    "コメント",
    "ｻﾌﾞﾒﾆｭｰ",
    "サンプル",
    "システム情報",
    "ズーム",
    "ｽﾞｰﾑ",
    "スタート",
    "すべてのファイル",
    "すべて非表示",
    "すべて表示",
    "その他",
    "そろそろ限界ですので,元の画面に戻します",
    "タイトル",
    "チェック",
    "データフォルダ",
    "データ保存に使うWWWサーバのURLを入力してください。",
    "どの種類の幾何的対象の上に点を取りますか",
    "どの点を中心にして回しますか( Esc -> 原点 )",
    "ドラッグ",
    "キーボード変形",
    "の円周",
    "の数 :",
    "の束縛条件の編集",
    "の半径",
    "バージョン",
    "はい(Y)",
    "パラメータ",
    "ﾌｧｲﾙ",
    "ファイルに保存",
    "ﾌｧｲﾙ改名",
    "ﾌｧｲﾙ消去",
    "ファイル名を入力してください",
    "フォント",
    "フォントサイズの設定",
    "フォントの大きさを入力してください",
    "フリーにする",
    "フルメニュー",
    "フルメニューに",
    "ヘルプ",
    "ﾍﾙﾌﾟ",
    "ヘルプ(マニュアル)",
    "マクロ",
    "マニュアル",
    "マニュアル(現在の画面)",
    "メニュー切り換え(フル/簡易)",
    "モード",
    "ﾘﾀｰﾝ:確定, Esc:中止, 空白:他ﾌｧｲﾙ名参照, ↑↓:(ファイル名 / 拡張子)",
    "をフリーにする",
    "以上",
    "一括生成(現フォルダ)",
    "一次変換 (2点とその像で決定)",
    "一傍接円",
    "右クリック編集(点)",
    "円",
    "円（３点）",
    "円（中心と一点）",
    "円（中心と半径）",
    "円（直径）",
    "円:中心と1点",
    "円→円",
    "円に関する反転",
    "円の回転移動",
    "円の接線（１点を通る）",
    "円の線対称移動",
    "円の点対称移動",
    "円の半径",
    "円の平行移動",
    "円周",
    "円上に取る",
    "円上に新しい点",
    "黄",
    "下記の内容を書き込んで「送信」ボタンを押してください。",
    "何かキーを押してください。",
    "可能",
    "画面切換",
    "画面複写",
    "画面保存(bmp,クリップボード)",
    "回転",
    "回転(定角を作る)",
    "回転移動",
    "灰色",
    "開始",
    "外心",
    "格子点へ",
    "確認 :",
    "角の2等分線",
    "角の２等分線(3点)",
    "角のn等分",
    "角のｎ等分線(3点と n(等分)の中の m 番目[0->すべて]を入力)",
    "角のｎ等分線(マクロ)",
    "角のマークの表示",
    "角度",
    "角度(2直線)",
    "角度(3点/+-180)",
    "角度(3点/0-180)",
    "角度(3点/0-360)",
    "学校/学年など",
    "簡易メニューに",
    "簡易モード",
    "関数",
    "関数選択",
    "幾何的対象の数",
    "既存の変数から選択する",
    "起動時の画面の大きさ",
    "起動時の設定に戻す",
    "起動時メニューモード",
    "軌",
    "軌跡",
    "軌跡(変数)の選択",
    "軌跡の色",
    "軌跡の設定(変数)の解除",
    "逆数(1/Z)",
    "距離",
    "距離(2円)",
    "距離(2直線)",
    "距離(2点)",
    "距離(直線,円)",
    "距離(点,円)",
    "距離(点,直線)",
    "距離(点,直線/+-)",
    "極座標系",
    "極線",
    "近接直線/円へ",
    "近接直線へ",
    "九点円",
    "九点円の中心",
    "繰り返し(Redo)",
    "計算中",
    "元にする対象がありません。キャンセルします。",
    "元に戻る",
    "現在→標準に",
    "現在の図は失われますが,新しい図を作図しますか。",
    "現時点ではｼｽﾃﾑ情報を使用できません",
    "個別に設定",
    "交点",
    "交点（２円）",
    "交点（２直線）",
    "交点（直線と円）",
    "行列表示Off",
    "黒",
    "左の数値(OK)",
    "座標",
    "座標系の種類",
    "座標軸の色",
    "座標軸の表示",
    "再入力",
    "最後抹消(undo)",
    "最後抹消(Undo)",
    "最大",
    "最大化あるいは最小化されているのでできません。",
    "細かく(0.1)",
    "細かく(1ドット)",
    "作図",
    "作図(継続)",
    "作図データの分析",
    "作図ﾌｧｲﾙ",
    "作図開始",
    "作図構成",
    "作図再生",
    "作図再生の速度",
    "作図手続きと幾何的対象のデータ",
    "作図手続きの再生",
    "作図手続きの内容",
    "作図手続き数",
    "三角形の一傍心",
    "三角形の外心",
    "三角形の九点円の中心",
    "三角形の重心",
    "三角形の垂心",
    "三角形の内心",
    "自由な新しい点",
    "式:",
    "射影変換 (4点とその像で決定)",
    "射影変換",
    "種類",
    "種類の選択",
    "終了",
    "重心",
    "縮小/サムネイル(クリップボード)",
    "出力",
    "書かない",
    "消去",
    "上書",
    "上書しようとしたファイルは読み取り専用なので,上書できません。ファイル名を変えて,"
    "保存し直してください。",
    "色",
    "色の濃さ",
    "新しいドット数(あるいは回転角度)は",
    "新しい数値の追加",
    "新しい点の追加",
    "新しい点を取る",
    "新しい変数を追加する",
    "新規作図の確認",
    "新規作成",
    "図形の追加",
    "図形上に点を取る",
    "図形追加",
    "垂心",
    "垂線（とその足）",
    "垂線とその足(マクロ)",
    "垂線の足(1点から直線へ)",
    "垂直二等分線",
    "水色",
    "数式",
    "数式を作るには,上段(数値)と下段(演算)を交互に選択してください。",
    "数式計算",
    "数式入力",
    "数式表示",
    "数値の選択",
    "数値の変化の幅",
    "数値の変化の幅の設定",
    "数値選択",
    "数値変化",
    "正多角形",
    "正多角形(一辺とする2点)",
    "青",
    "赤",
    "設定",
    "設定値の入出力",
    "線",
    "線→線",
    "線の太さの設定",
    "線の幅",
    "線対称移動",
    "線分",
    "線分,多角形",
    "線分:2点",
    "線分:垂線の足",
    "線分→",
    "線分←",
    "線分←→",
    "線分の垂直二等分線",
    "選択",
    "選択(どこに束縛)",
    "選択(作図中)",
    "選択(束縛する点)",
    "選択(編集)",
    "束縛の種類",
    "束縛状態",
    "束縛番号",
    "測定",
    "測定記録を見る",
    "測定値の桁数",
    "測定値の結果",
    "測定値の小数点以下の表示桁数を入力してください",
    "速く(0.2秒)",
    "他の点と一致させる",
    "多角形",
    "大きく(1)",
    "大きく(20ドットずつ)",
    "値の変更",
    "遅く(1秒)",
    "中間の灰色",
    "濃い灰色",
    "中心",
    "中心と1点",
    "中心と半径",
    "",
    "長さ",
    "頂点の数が足りないので,この多角形は作れません。この作業はキャンセルします。",
    "直径",
    "直交座標系",
    "直線",
    "直線(系)",
    "直線:2点",
    "直線:線分の垂直二等分線",
    "直線:直線に垂直,1点を通る",
    "直線:直線に平行,1点を通る",
    "直線と円",
    "直線に垂直,1点を通る",
    "直線に平行,1点を通る",
    "直線の円に関する極",
    "直線の回転移動",
    "直線の線対称移動",
    "直線の点対称移動",
    "直線の平行移動",
    "直線上に取る",
    "直線上に新しい点",
    "追加",
    "点",
    "点(束縛条件)",
    "点:n等分",
    "点:交点(2円)",
    "点:交点(2直線)",
    "点:交点(直線と円)",
    "点:新しい点",
    "点→点",
    "点と円",
    "点と直線",
    "点と直線(+/-)",
    "点の x 座標",
    "点の x 座標(その2)",
    "点の y 座標",
    "点の位置設定",
    "点の円に関する極線",
    "点の円に関する反転",
    "点の回転",
    "点の線対称移動",
    "点の追加",
    "点の点対称移動",
    "点の動きの束縛",
    "点の平行移動",
    "点線(太線→黄)",
    "点対称移動",
    "独立/従属",
    "内心",
    "内接円",
    "入力",
    "入力終了",
    "任意設定",
    "背景色",
    "白(標準)",
    "半径",
    "半直線",
    "半直線(逆)",
    "半直線:2点",
    "半直線:角の2等分線",
    "半直線←",
    "半直線の回転移動",
    "非表示",
    "標準",
    "標準(0.5)",
    "標準(0.5秒)",
    "標準(10ドットずつ)",
    "標準に戻す",
    "標準値に戻す",
    "表示",
    "表示形式",
    "表示桁数の設定",
    "不可能",
    "複数の点を動かす",
    "複数選択",
    "複数点変形",
    "複素数",
    "複素数用",
    "分点",
    "文字表示",
    "平行移動",
    "平行線",
    "変化させる",
    "変換(その2)",
    "変換の表現行列",
    "変換行列表示(on/off)",
    "変形の幅の設定",
    "変形時の選択",
    "変数の値を変える",
    "編集",
    "編集(束縛条件)",
    "保存",
    "保存しておく(S)",
    "保存中",
    "方向",
    "傍心(1つ)",
    "傍接円(1つ)",
    "面積",
    "面積(3角形)",
    "面積(3角形,+/-)",
    "面積(4角形)",
    "落書き機能",
    "緑",
    "例__読込",
    "例の読み込み",
};

class DictionaryFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("sakuzu_lang_") + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    language_.setting = " Manual ";
    language_.programFolder = folder_.string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  void WriteFile(std::string_view name, std::string_view bytes) {
    std::ofstream out(folder_ / std::string(name), std::ios::binary);
    out << bytes;
  }
  std::string ReadFile(std::string_view name) {
    std::ifstream in(folder_ / std::string(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
  Language language_;
};

TEST(Translate, ModesTrimOnlyOutsideJapanese) {
  Language lang;
  EXPECT_EQ(Translate(lang, "  三角形の外心 "), "  三角形の外心 ");  // empty setting
  lang.setting = "Japanese";
  EXPECT_EQ(Translate(lang, " 三角形の外心"), " 三角形の外心");
  lang.setting = "Klingon";  // anything unknown behaves as Japanese
  EXPECT_EQ(Translate(lang, " 円 "), " 円 ");
  lang.setting = "  ENGLISH ";
  EXPECT_EQ(Translate(lang, "  三角形の外心 "), "circumcenter");
  EXPECT_EQ(Translate(lang, "  未登録の文 "), "未登録の文");
  EXPECT_EQ(NormalisedSetting(" MaNuAl "), "manual");
  auto bound = MakeTranslator(lang);
  EXPECT_EQ(bound("繰り返し(Redo)"), "Redo");
  lang.setting = "Japanese";  // the callback follows the live setting
  EXPECT_EQ(bound("繰り返し(Redo)"), "繰り返し(Redo)");
}

TEST(EnglishTable, CoversEverySourceAndTellingRows) {
  std::map<std::string_view, std::string_view> table;
  for (const EnglishEntry& e : EnglishTable()) {
    EXPECT_TRUE(table.emplace(e.source, e.english).second) << "duplicate " << e.source;
    if (!e.source.empty()) {
      EXPECT_FALSE(e.english.empty()) << e.source;
    }
  }
  std::set<std::string_view> listed(std::begin(kEnglishSources), std::end(kEnglishSources));
  EXPECT_EQ(listed.size(), std::size(kEnglishSources));
  EXPECT_EQ(table.size(), listed.size());
  for (std::string_view source : kEnglishSources) EXPECT_TRUE(table.count(source)) << source;

  const std::pair<const char*, const char*> telling[] = {
      {"＋", "+"},
      {"×", "*"},
      {"÷", "/"},
      {"＾  （べき）", "^"},
      {"■", "%%"},
      {"○", "O"},
      {"Δ", "/]"},
      {"* 2", "* 2"},
      {"■幾何的対象(数,点,線,円)の詳細データ■", "%%  detail of geometrical objects  %%"},
      {"■作図手続き(概略)■", "%% outline of construction %%"},
      {"0より大きく100以下の数を入力してください", "input number(1 - 100)"},
      {"1から60までの数を入力してください", "input number(1 - 60)"},
      {"100回の変形", "100 times deforming"},
      {"そろそろ限界ですので,元の画面に戻します", "expansion too much"},
      {"現在の図は失われますが,新しい図を作図しますか。",
       "Do you want to make NEW figure?(current figure will be aborted.)"},
      {"三角形の外心", "circumcenter"},
      {"三角形の九点円の中心", "center of nine points circle"},
      {"角度(3点/0-360)", "angle(3 points/0-360)"},
      {"面積(3角形,+/-)", "area(triangle, +/-)"},
      {"最後抹消(Undo)", "Undo"},
      {"繰り返し(Redo)", "Redo"},
      {"射影変換 (4点とその像で決定)", "projective trans."},
      {"一次変換 (2点とその像で決定)", "liner trans."},
  };
  for (const auto& [source, english] : telling) EXPECT_EQ(EnglishFor(source), english) << source;

  // Exact comparison: the half-width, full-width and case variants are
  // separate rows, and a near miss comes back trimmed, not translated.
  EXPECT_EQ(EnglishFor("-"), "-");
  EXPECT_EQ(EnglishFor("  ＋ "), "+");
  EXPECT_EQ(EnglishFor("最後抹消(UNDO)"), "最後抹消(UNDO)");
  EXPECT_EQ(EnglishFor("三角形の外心。"), "三角形の外心。");
  EXPECT_EQ(EnglishFor("x"), "x");
}

TEST_F(DictionaryFolder, LinesNeedTwoSeparatorsAndLoadOnce) {
  std::string longSource(100, 'a');
  WriteFile(kDictionaryFileName,
            "\xEF\xBB\xBF"  // a BOM is dropped
            " 円 == Circle \r\n"
            "点=any word=Point\r\n"
            "線=Line\r\n"  // one separator: no translation
            "=x=NoSource\n" +
                longSource +
                "==Long\n"
                "直線==Straight line");  // last line without an end
  EXPECT_EQ(Translate(language_, "  円"), "Circle");
  EXPECT_EQ(Translate(language_, "点"), "Point");
  EXPECT_EQ(Translate(language_, "直線"), "Straight line");
  EXPECT_EQ(Translate(language_, "線"), "線");
  EXPECT_EQ(Translate(language_, longSource), longSource);
  EXPECT_EQ(language_.dictionaryCount, 3);
  EXPECT_EQ(language_.dictionarySources.size(), 11u);  // slots 1 to 10

  // Loaded once per run: a later change of the file is not seen.
  WriteFile(kDictionaryFileName, "線==Line\r\n");
  EXPECT_EQ(Translate(language_, "線"), "線");
  EXPECT_EQ(ReadFile(kNeededFileName), "線 = \r\n" + longSource + " = \r\n線 = \r\n");
}

TEST_F(DictionaryFolder, ElevenLinesGrowTheArraysAndCp932IsRead) {
  std::string text;
  for (int i = 1; i <= 11; ++i)
    text += "語" + std::to_string(i) + "==W" + std::to_string(i) + "\r\n";
  WriteFile(kDictionaryFileName, *Utf8ToCp932(text));
  LoadUserDictionary(language_);
  EXPECT_EQ(language_.dictionaryCount, 11);
  EXPECT_EQ(language_.dictionarySources.size(), 12u);
  EXPECT_EQ(language_.dictionaryTranslations.size(), 12u);
  EXPECT_EQ(ManualFor(language_, "語11"), "W11");
  EXPECT_EQ(ManualFor(language_, "語1"), "W1");
}

TEST_F(DictionaryFolder, MissesAreListedInTheFilesEncoding) {
  // No dictionary: every text comes back trimmed and is listed each time.
  EXPECT_EQ(ManualFor(language_, " 円 "), "円");
  EXPECT_EQ(ManualFor(language_, "円"), "円");
  EXPECT_EQ(language_.dictionarySources.size(), 11u);
  EXPECT_EQ(ReadFile(kNeededFileName), "円 = \r\n円 = \r\n");

  // A list left by an older program stays CP932 ...
  Language old;
  old.setting = "manual";
  old.programFolder = folder_.string();
  WriteFile(kNeededFileName, *Utf8ToCp932("点 = \r\n"));
  Translate(old, "線");
  EXPECT_EQ(ReadFile(kNeededFileName), *Utf8ToCp932("点 = \r\n線 = \r\n"));
  // ... until a text CP932 cannot hold turns the whole file into UTF-8.
  Translate(old, "😀");
  EXPECT_EQ(ReadFile(kNeededFileName), "点 = \r\n線 = \r\n😀 = \r\n");
  Translate(old, "円");
  EXPECT_EQ(*DecodeFileText(ReadFile(kNeededFileName)), "点 = \r\n線 = \r\n😀 = \r\n円 = \r\n");
}

}  // namespace
}  // namespace sakuzu
