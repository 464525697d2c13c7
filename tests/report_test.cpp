#include "model/report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <string>

#include "test_figure.h"

namespace sakuzu {
namespace {

// An expected report kept under tests/data: one line between two '|' marks
// per report line, '#' lines are comments.
std::string Golden(const std::string& name) {
  std::ifstream in(std::string(SAKUZU_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    EXPECT_TRUE(line.size() >= 2 && line[0] == '|' && line.back() == '|') << line;
    text += line.substr(1, line.size() - 2) + "\r\n";
  }
  return text;
}

// Two free points, the line and distance through them, a circle and a
// regular-polygon group whose first step lost its output.
Figure SmallFigure() {
  Figure fig;
  fig.FigureFileName = "tri.zk4";
  PointRecord& a = fig.Points[AddObject(fig, kPointClass)];
  a.x = 1, a.y = -2.5, a.exists = a.independent = kTrue, a.name = "A";
  PointRecord& b = fig.Points[AddObject(fig, kPointClass)];
  b.x = 0.1 + 0.2, b.y = 1e-5, b.color = 4, b.exists = kTrue, b.style = 3;
  b.bindKind = 2, b.bindIndex = 1, b.parameter = 1.0 / 3, b.name = "頂点ＡＢＣ漢字の名前";
  LineRecord& l = fig.Lines[AddObject(fig, kLineClass)];
  l.x1 = 1, l.y1 = -2.5, l.x2 = 0.1 + 0.2, l.y2 = 1e-5, l.exists = kTrue, l.lineKind = 1;
  l.dx = -0.7, l.dy = 2.50001, l.locusColor = 2, l.name = "1";
  NumberRecord& n1 = fig.Numbers[AddObject(fig, kNumberClass)];
  n1.value = 2.75, n1.exists = kTrue, n1.name = "長さAB";
  NumberRecord& n2 = fig.Numbers[AddObject(fig, kNumberClass)];
  n2.value = 1.5e20, n2.exists = n2.independent = kTrue, n2.expression = "AB*2";
  CircleRecord& c = fig.Circles[AddObject(fig, kCircleClass)];
  c.cx = 1, c.cy = -2.5, c.radius = 2.75, c.color = 1, c.name = "1";
  AddStepWith(fig, "PNEW", {}, {{1, 1}});
  AddStepWith(fig, "PNEW", {}, {{1, 2}});
  AddStepWith(fig, "L1", {{1, 1}, {1, 2}}, {{2, 1}});
  AddStepWith(fig, "ND2P", {{1, 1}, {1, 2}}, {{0, 1}});
  AddStepWith(fig, "C1", {{1, 1}, {100, 1}}, {{3, 1}});
  AddStepWith(fig, "LRGN", {{1, 1}, {1, 2}}, {{1, 0}});
  AddStepWith(fig, "LRGN", {{1, 2}});
  return fig;
}

// The expected text keeps the number names and expressions at their full 40
// and 70 characters with trailing blanks, and the other names as stored.
TEST(FigureDataReport, SmallFigureCharacterForCharacter) {
  EXPECT_EQ(FigureDataReport(SmallFigure()), Golden("report_small.txt"));
}

// Header, two empty step sections, zero counts, four empty class sections.
TEST(FigureDataReport, EmptyFigure) {
  EXPECT_EQ(FigureDataReport(Figure()), Golden("report_empty.txt"));
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
  AddStepWith(lone, "LPGN", {{1, 1}});
  std::string text = FigureDataReport(lone);
  size_t open = text.find("1:LPGN (■多角形 開始)");
  ASSERT_NE(open, std::string::npos);
  EXPECT_NE(text.find("1:LPGN (■多角形 終了)", open), std::string::npos);
}

}  // namespace
}  // namespace sakuzu
