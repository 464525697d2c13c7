#include "interact/locus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "interact/deform.h"
#include "interaction_fixture.h"
#include "lang/translate.h"
#include "macros/macros.h"

namespace sakuzu {
namespace {

using testing::Bench;
namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A small reader of spreadsheet lines: quoted fields, doubled quotes.
std::vector<std::vector<std::string>> ReadCsv(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::vector<std::vector<std::string>> rows(1);
  std::string field;
  bool quoted = false, inField = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"', ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = inField = true;
    } else if (c == ',') {
      rows.back().push_back(field), field.clear();
    } else if (c == '\n') {
      if (inField || !field.empty() || !rows.back().empty()) rows.back().push_back(field);
      field.clear(), inField = false;
      rows.emplace_back();
    } else if (c != '\r') {
      field += c, inField = true;
    }
  }
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

// A point on a circle traced while it moves; a trace survives the full
// redraw, an object without a locus colour leaves none.
TEST(Locus, TracesOfMovingObjects) {
  Bench b;
  b.PlacePoints({{0, 0}, {2, 0}});
  RunKindCommand(b.ws, "mnuC2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  RunKindCommand(b.ws, "mnuPboundC");
  b.Key(kKeyEnter);
  b.Key(kKeyEnter);  // placed where it is
  b.fig.Points[3].locusColor = 4;
  b.fig.Circles[1].locusColor = 0;
  EXPECT_EQ(LocusStateText(b.ws), "×軌");  // off from the start, and shown so
  ToggleLocus(b.ws);
  EXPECT_EQ(LocusStateText(b.ws), "軌");
  StartPointDrag(b.ws, 3);
  for (int i = 0; i < 10; ++i) DragStep(b.ws, 2 * std::cos(0.3 * i), 2 * std::sin(0.3 * i));
  EXPECT_EQ(b.ws.locus.points.size(), 10u);
  EXPECT_TRUE(b.ws.locus.circles.empty());
  EXPECT_EQ(b.ws.locus.points[0].color, 4);
  Redraw(b.r);
  size_t shown = 0;
  for (const auto& c : b.canvas.Shown(Layer::kTrace)) shown += c.pen.color == MakeRgb(0, 0, 255);
  EXPECT_GE(shown, 9u);  // coinciding samples are drawn once
  ResetTraces(b.ws);
  EXPECT_TRUE(b.ws.locus.points.empty());
  ToggleLocus(b.ws);
  EXPECT_EQ(LocusStateText(b.ws), "×軌");
  b.r.engine.translate = [](const std::string& text) { return EnglishFor(text); };
  EXPECT_EQ(LocusStateText(b.ws), "Locus off");  // a switch, not a command
  ToggleLocus(b.ws);
  EXPECT_EQ(LocusStateText(b.ws), "Locus on");
}

// The sign of the locus variable marks the point; the scan visits every
// grid position of the drawing and puts the point back.
TEST(Locus, SignMarksAndThePlaneScan) {
  Bench b;
  b.PlacePoints({{0, 0}, {3, 1}});
  RunKindCommand(b.ws, "mnuMAxisX");  // x of A: the sign to map
  b.Key(kKeyEnter);
  PointRecord p;
  b.ws.locus.variable = 1;
  for (auto [x, style, color] : {std::tuple{0.5, 22, 1}, {-0.5, 23, 2}, {0.005, 20, 7}}) {
    b.fig.Numbers[1].value = x;
    SignMark(b.ws, p);
    EXPECT_EQ(p.style, style);
    EXPECT_EQ(p.color, color);
    EXPECT_EQ(p.locusColor, color);
  }
  ScanPlane(b.ws);  // no dragged point
  EXPECT_EQ(b.shell.beeps, 1);
  Deform1PtCommand(b.ws);
  b.Key(kKeyEnter);  // A
  b.Key('X');        // the switch is off
  EXPECT_EQ(b.shell.messages.back(), std::string(kScanRefusedMessage));
  ToggleLocus(b.ws);
  b.Key('X');
  // Every grid position is traced (the start is not: A has no locus colour).
  EXPECT_EQ(b.ws.locus.points.size(), 41u * 31u);
  EXPECT_EQ(b.fig.Points[1].x, 0);
  EXPECT_EQ(b.fig.Points[1].y, 0);
  EXPECT_EQ(b.Modes(), std::vector<int16_t>{kModeStandard});
  int positive = 0;
  for (const PointRecord& s : b.ws.locus.points) positive += s.style == 22;
  EXPECT_EQ(positive, 20 * 31);  // x > 0.01: the columns right of the middle
}

// Rows of the shown numbers to a spreadsheet file (UTF-8 with its mark,
// quoted fields) and an escaped page; a file that cannot be written is
// reported once and the rows stay in memory.
TEST(Locus, RecordFiles) {
  Bench b;
  fs::path folder = fs::temp_directory_path() / "sakuzu-record-test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  b.ws.locus.record.SetFolder(folder.string());
  b.PlacePoints({{0, 0}, {3, 4}});
  RunKindCommand(b.ws, "mnuMdis2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  b.fig.Numbers[1].name = "a<b&\"c*d\"";
  ToggleLocus(b.ws);
  Redraw(b.r);  // one row per list
  b.fig.Points[2].x = 6, b.fig.Points[2].y = 8;
  Redraw(b.r);
  ToggleLocus(b.ws);
  std::vector<std::vector<std::string>> csv = ReadCsv(Slurp(folder / "temp.csv"));
  ASSERT_EQ(csv.size(), 3u);
  EXPECT_EQ(csv[0], std::vector<std::string>{"a<b&\"c×d\""});
  EXPECT_EQ(csv[1], std::vector<std::string>{"5.00"});
  EXPECT_EQ(csv[2], std::vector<std::string>{"10.00"});
  std::string html = Slurp(folder / "temp.htm");
  EXPECT_NE(html.find("<th>a&lt;b&amp;&quot;c×d&quot;"), std::string::npos);
  EXPECT_EQ(b.fig.Numbers[1].name, "a<b&\"c*d\"");

  std::vector<std::string> reports;
  b.ws.locus.record.report = [&](const std::string& path) { reports.push_back(path); };
  b.ws.locus.record.SetFolder((folder / "no such folder").string());
  ToggleLocus(b.ws);
  for (int i = 0; i < 300; ++i) Redraw(b.r);
  ToggleLocus(b.ws);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(b.ws.locus.record.Rows().size(), 300u);
  fs::remove_all(folder);
}

// Rows reach the files a second after the last write, from a row or from
// the front end's timer, and all of them at the end of a drag; the clock
// is the test's own.
TEST(Locus, RecordsReachTheFilesWithinASecond) {
  Bench b;
  fs::path folder = fs::temp_directory_path() / "sakuzu-record-timing-test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  RecordBook& book = b.ws.locus.record;
  book.SetFolder(folder.string());
  auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
  book.SetClock([&] { return now; });
  auto rowsOnDisk = [&] { return ReadCsv(Slurp(folder / "temp.csv")).size() - 1; };
  b.PlacePoints({{0, 0}, {3, 4}});
  RunKindCommand(b.ws, "mnuMdis2P");
  b.Key(kKeyEnter), b.Key(kKeyEnter);
  ToggleLocus(b.ws);
  Redraw(b.r);
  EXPECT_EQ(rowsOnDisk(), 0u);  // the headers were just written
  now += std::chrono::milliseconds(999);
  book.FlushIfDue();
  EXPECT_EQ(rowsOnDisk(), 0u);
  now += std::chrono::milliseconds(1);
  book.FlushIfDue();  // the timer
  EXPECT_EQ(rowsOnDisk(), 1u);
  Redraw(b.r);
  now += std::chrono::seconds(1);
  Redraw(b.r);  // a row a second after the last write: both go
  EXPECT_EQ(rowsOnDisk(), 3u);

  b.Click(3, 4);  // a drag of B, in less than a second
  for (int i = 1; i <= 5; ++i) b.Move(3 + 0.1 * i, 4, true);
  ASSERT_EQ(book.Rows().size(), 3u + 5);  // a row a step
  EXPECT_EQ(rowsOnDisk(), 3u);
  MouseUp(b.d, b.Mouse(3.5, 4));
  EXPECT_EQ(rowsOnDisk(), book.Rows().size());
  EXPECT_EQ(ReadCsv(Slurp(folder / "temp.csv")).back(), std::vector<std::string>{"5.32"});
  ToggleLocus(b.ws);
  fs::remove_all(folder);
}

// The demonstrations: their steps numbered from the figure's objects, the
// image of P under each map, and only their own numbers hidden.
TEST(Macros, LinearAffineProjective) {
  Bench b;
  b.PlacePoints({{1, 1}});
  RunKindCommand(b.ws, "mnuMAxisX");
  b.Key(kKeyEnter);
  MacroCommand(b.ws, &MacroLinear);
  EXPECT_EQ(b.Kinds(), "PNEW NPX PNEW PNEW PNEW PNEW PNEW PNEW L1 L1 L1 L1 PT5");
  const Figure& fig = b.fig;
  int base = 1;  // one point before
  EXPECT_EQ(fig.StepKind[fig.StepCount], "PT5");
  EXPECT_EQ(fig.StepInputs[fig.StepCount][1], (ObjectRef{kPointClass, int16_t(base + 1)}));
  ObjectRef image = fig.StepOutputs[fig.StepCount][1];
  EXPECT_EQ(fig.Points[image.index].name, "φ(P)");
  EXPECT_NEAR(fig.Points[image.index].x, 3, 1e-9);  // (1, 1) by the columns (2, 1), (1, 2)
  EXPECT_NEAR(fig.Points[image.index].y, 3, 1e-9);
  EXPECT_EQ(fig.Numbers[1].display, 0);  // the user's measurement stays shown
  EXPECT_EQ(fig.Numbers[2].display, 7);
  EXPECT_EQ(fig.Points[base + 2].independent, 1);  // O cannot be dragged

  // Affine: P put on P2 goes to Q2. Projective: P on P3 goes to Q3.
  int points = fig.ObjectCounts[kPointClass];
  MacroCommand(b.ws, &MacroAffine);
  EXPECT_EQ(b.Kinds().substr(b.Kinds().size() - 8), "PT6 PT62");
  b.fig.Points[points + 1].x = -3, b.fig.Points[points + 1].y = 0;
  Redraw(b.r);
  EXPECT_NEAR(fig.Points[points + 8].x, 5, 1e-9);
  EXPECT_NEAR(fig.Points[points + 8].y, 0, 1e-9);
  points = fig.ObjectCounts[kPointClass];
  MacroCommand(b.ws, &MacroProjective);
  b.fig.Points[points + 1].x = -4, b.fig.Points[points + 1].y = 4;
  b.fig.Points[points + 8].x = 7;  // Q3 elsewhere: the map follows
  Redraw(b.r);
  EXPECT_NEAR(fig.Points[points + 10].x, 7, 1e-9);
  EXPECT_NEAR(fig.Points[points + 10].y, 4, 1e-9);
  EXPECT_EQ(fig.ObjectCounts[kNumberClass], 1 + 4 + 9 + 9);
}

}  // namespace
}  // namespace sakuzu
