#include "model/report.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace sakuzu {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string Blanks(int n) { return std::string(n, ' '); }

int AddStep(Figure& fig, const char* kind, std::initializer_list<ObjectRef> in,
            std::initializer_list<ObjectRef> out) {
  int s = AppendStep(fig);
  fig.StepKind[s] = kind;
  int j = 1;
  for (ObjectRef r : in) fig.StepInputs[s][j++] = r;
  j = 1;
  for (ObjectRef r : out) fig.StepOutputs[s][j++] = r;
  return s;
}

// Two free points, the line and distance through them, a circle and a
// regular-polygon group whose first step lost its output.
Figure SmallFigure() {
  Figure fig;
  fig.FigureFileName = "tri.zk4";
  PointRecord& a = fig.Points[AddObject(fig, kPointClass)];
  a.x = 1;
  a.y = -2.5;
  a.exists = a.independent = kTrue;
  a.name = "A";
  PointRecord& b = fig.Points[AddObject(fig, kPointClass)];
  b.x = 0.1 + 0.2;
  b.y = 1e-5;
  b.color = 4;
  b.exists = kTrue;
  b.style = 3;
  b.bindKind = 2;
  b.bindIndex = 1;
  b.parameter = 1.0 / 3;
  b.name = "頂点ＡＢＣ漢字の名前";
  LineRecord& l = fig.Lines[AddObject(fig, kLineClass)];
  l.x1 = 1;
  l.y1 = -2.5;
  l.x2 = 0.1 + 0.2;
  l.y2 = 1e-5;
  l.exists = kTrue;
  l.lineKind = 1;
  l.dx = -0.7;
  l.dy = 2.50001;
  l.locusColor = 2;
  l.name = "1";
  NumberRecord& n1 = fig.Numbers[AddObject(fig, kNumberClass)];
  n1.value = 2.75;
  n1.exists = kTrue;
  n1.name = "長さAB";
  NumberRecord& n2 = fig.Numbers[AddObject(fig, kNumberClass)];
  n2.value = 1.5e20;
  n2.exists = n2.independent = kTrue;
  n2.expression = "AB*2";
  CircleRecord& c = fig.Circles[AddObject(fig, kCircleClass)];
  c.cx = 1;
  c.cy = -2.5;
  c.radius = 2.75;
  c.color = 1;
  c.name = "1";
  AddStep(fig, "PNEW", {}, {{1, 1}});
  AddStep(fig, "PNEW", {}, {{1, 2}});
  AddStep(fig, "L1", {{1, 1}, {1, 2}}, {{2, 1}});
  AddStep(fig, "ND2P", {{1, 1}, {1, 2}}, {{0, 1}});
  AddStep(fig, "C1", {{1, 1}, {100, 1}}, {{3, 1}});
  AddStep(fig, "LRGN", {{1, 1}, {1, 2}}, {{1, 0}});
  AddStep(fig, "LRGN", {{1, 2}}, {});
  return fig;
}

TEST(FigureDataReport, SmallFigureCharacterForCharacter) {
  const std::string rule(30, '-');
  const std::string b = "頂点ＡＢＣ漢字の名前";
  std::string expected = Lines({
      "FileName : tri.zk4",
      "作図手続き数 : 7",
      rule,
      "■作図手続き(概略)■",
      "1:PNEW (新しい点を取る)",
      "2:PNEW (新しい点を取る)",
      "3:L1   (２点を結ぶ)",
      "4:ND2P (距離(2点))",
      "5:C1   (円（中心と半径）)",
      "6:LRGN (■正多角形(一辺とする2点) 開始)",
      "7:LRGN (■正多角形(一辺とする2点) 終了)",
      rule,
      "■作図手続き(入出力の詳細)■",
      "1:PNEW (新しい点を取る)",
      "  入力 : ",
      "  出力 : 点A(1) , ",
      "",
      "2:PNEW (新しい点を取る)",
      "  入力 : ",
      "  出力 : 点" + b + "(2) , ",
      "",
      "3:L1   (２点を結ぶ)",
      "  入力 : 点A(1) , 点" + b + "(2) , ",
      "  出力 : 線1(1) , ",
      "",
      "4:ND2P (距離(2点))",
      "  入力 : 点A(1) , 点" + b + "(2) , ",
      "  出力 : 変数長さAB(1) , ",
      "",
      "5:C1   (円（中心と半径）)",
      "  入力 : 点A(1) , 変数長さAB(1) , ",
      "  出力 : 円1(1) , ",
      "",
      "6:LRGN (■正多角形(一辺とする2点) 開始)",
      "  入力 : 点A(1) , 点" + b + "(2) , ",
      "  出力 : 点0 (■■) , ",
      "",
      "7:LRGN (■正多角形(一辺とする2点) 終了)",
      "  入力 : 点" + b + "(2) , ",
      "  出力 : ",
      "",
      rule,
      "幾何的対象の数",
      "数   : 2",
      "点   : 2",
      "直線 : 1",
      "円   : 1",
      "",
      rule,
      "■幾何的対象(数,点,線,円)の詳細データ■",
      "",
      "名前     : 長さAB" + Blanks(36),
      "値       : 2.75",
      "独立/従属: 0",
      "チェック : -1",
      "数式表示 : " + Blanks(70),
      "----------",
      "名前     : " + Blanks(40),
      "値       : 1.5E+20",
      "独立/従属: -1",
      "チェック : -1",
      "数式表示 : AB*2" + Blanks(66),
      "----------",
      "",
      "名前     : A" + Blanks(9),
      "座標     : 1,-2.5",
      "種類     : 0",
      "独立/従属: -1",
      "束縛状態 : 0,0,0",
      "チェック : -1",
      "色       : 7",
      "束縛の種類: 0",
      "束縛番号  : 0",
      "パラメータ  : 0",
      "----------",
      "名前     : " + b,
      "座標     : 0.3,1E-05",
      "種類     : 3",
      "独立/従属: 0",
      "束縛状態 : 2,1,0.333333333333333",
      "チェック : -1",
      "色       : 4",
      "束縛の種類: 2",
      "束縛番号  : 1",
      "パラメータ  : 0.333333333333333",
      "----------",
      "",
      "名前     : 1" + Blanks(9),
      "(1,-2.5) -(0.3,1E-05)",
      "方向     : -0.7,2.50001",
      "種類     : 1",
      "チェック : -1",
      "色       : 7",
      "軌跡の色  : 2",
      "----------",
      "",
      "名前     : 1" + Blanks(9),
      "中心 (1,-2.5), 半径: 2.75",
      "チェック : 0",
      "色       : 1",
      "軌跡の色  : 0",
      "----------",
      "以上",
  });
  EXPECT_EQ(FigureDataReport(SmallFigure()), expected);
}

TEST(FigureDataReport, EmptyFigure) {
  const std::string rule(30, '-');
  EXPECT_EQ(FigureDataReport(Figure()), Lines({"FileName : untitled",
                                               "作図手続き数 : 0",
                                               rule,
                                               "■作図手続き(概略)■",
                                               rule,
                                               "■作図手続き(入出力の詳細)■",
                                               rule,
                                               "幾何的対象の数",
                                               "数   : 0",
                                               "点   : 0",
                                               "直線 : 0",
                                               "円   : 0",
                                               "",
                                               rule,
                                               "■幾何的対象(数,点,線,円)の詳細データ■",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "以上"}));
}

TEST(FigureDataReport, LabelsPassThroughTranslation) {
  Figure fig = SmallFigure();
  fig.Points[2].name = "B";
  fig.Numbers[1].name = "AB";
  // Wrap every translated text; what is left outside the marks is ASCII.
  TranslateFn mark = [](const std::string& s) { return "<" + s + ">"; };
  std::string report = FigureDataReport(fig, mark);
  std::string outside;
  int depth = 0;
  for (char c : report) {
    if (c == '<')
      ++depth;
    else if (c == '>' && depth > 0)
      --depth;
    else if (depth == 0)
      outside += c;
  }
  for (char c : outside) ASSERT_EQ(static_cast<unsigned char>(c) & 0x80, 0) << outside;
  EXPECT_NE(report.find("6:LRGN (<■><正多角形(一辺とする2点)> <開始>)"), std::string::npos);
  EXPECT_EQ(FigureDataReportCaption(mark), "<作図手続きと幾何的対象のデータ>");
  EXPECT_EQ(FigureDataReportCaption(), "作図手続きと幾何的対象のデータ");

  // One counter runs through both step lists: a lone group step opens in
  // the outline and closes in the details.
  Figure lone;
  AddStep(lone, "LPGN", {{1, 1}}, {});
  std::string text = FigureDataReport(lone);
  size_t open = text.find("1:LPGN (■多角形 開始)");
  ASSERT_NE(open, std::string::npos);
  EXPECT_NE(text.find("1:LPGN (■多角形 終了)", open), std::string::npos);
}

}  // namespace
}  // namespace sakuzu
