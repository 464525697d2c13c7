#include "model/figure_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "numbers/auto_names.h"
#include "numbers/expression.h"
#include "test_figure.h"
#include "text/encoding.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Spit(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class FigureFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("sakuzu_file_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

int Step(Figure& fig, const char* kind, std::initializer_list<ObjectRef> in,
         std::initializer_list<ObjectRef> out) {
  return AddStepWith(fig, kind, in, out);
}

// Every class, a group mark, a hidden number with an expression, a bound
// point, a Japanese name and a reversed step.
Figure MixedFigure() {
  Figure fig;
  for (int i = 0; i < 3; ++i) {
    int p = AddObject(fig, kPointClass);
    Step(fig, "PNEW", {}, {{kPointClass, static_cast<int16_t>(p)}});
    fig.Points[p].x = 0.25 * p - 3;
    fig.Points[p].y = p == 2 ? 0.333333333333333 : -1.0 / 1024 * p;
    fig.Points[p].independent = kTrue;
    fig.Points[p].exists = kTrue;
  }
  AddObject(fig, kLineClass);
  Step(fig, "L1", {{1, 1}, {1, 2}}, {{2, 1}});
  fig.Lines[1] = {
      -2.9, 0.333333333333333, -2.8, 0.666666666666667, -1, 1, 0.1, 0.3333, 7, 2, "辺ＡＢ", 0, 0,
      0};
  AddObject(fig, kCircleClass);
  Step(fig, "C3", {{1, 1}, {1, 2}, {1, 3}}, {{3, 1}});
  fig.Circles[1] = {1.5e20, -1e-5, 2.25, -1, 4, 0, "外接円"};
  AddObject(fig, kPointClass);
  AddObject(fig, kPointClass);
  Step(fig, "PC2", {{2, 1}, {3, 1}}, {{1, 4}, {1, 5}});
  fig.StepReversed[6] = kTrue;
  AddObject(fig, kNumberClass);
  AddObject(fig, kNumberClass);
  Step(fig, "ND2P", {{1, 1}, {1, 2}}, {{0, 1}});
  fig.Numbers[1] = {0.5, -1, "AB", 0, "", 0};
  fig.Numbers[2] = {-12.75, -1, "比", -1, "AB*2+1", 7};
  Step(fig, "CALC", {}, {{0, 2}});
  Step(fig, "LRGN", {{1, 1}, {1, 2}, {kGroupMark, 0}}, {});
  int bound = AddObject(fig, kPointClass);
  Step(fig, "PBND", {{2, 1}}, {{1, static_cast<int16_t>(bound)}});
  fig.Points[bound].bindKind = kLineClass;
  fig.Points[bound].bindIndex = 1;
  fig.Points[bound].parameter = 0.25;
  fig.Points[bound].independent = kTrue;
  fig.Points[bound].style = 2;
  fig.Points[bound].locusColor = 5;
  return fig;
}

// The figure read from these bytes; fails the test when they are refused.
Figure Parsed(const std::string& bytes) {
  Figure fig;
  FileError error;
  EXPECT_TRUE(ParseFigureBytes(bytes, "f", fig, error)) << error.what;
  return fig;
}

void ExpectSameObjects(const Figure& a, const Figure& b) {
  ASSERT_EQ(a.StepCount, b.StepCount);
  ASSERT_EQ(a.ObjectCounts, b.ObjectCounts);
  for (int i = 1; i <= a.StepCount; ++i) {
    EXPECT_EQ(a.StepKind[i], b.StepKind[i]) << i;
    EXPECT_EQ(a.StepOutputs[i], b.StepOutputs[i]) << i;
    EXPECT_EQ(a.StepReversed[i] != 0, b.StepReversed[i] != 0) << i;
  }
  for (int i = 1; i <= a.ObjectCounts[0]; ++i) EXPECT_EQ(a.Numbers[i], b.Numbers[i]) << i;
  for (int i = 1; i <= a.ObjectCounts[1]; ++i) EXPECT_EQ(a.Points[i], b.Points[i]) << i;
  for (int i = 1; i <= a.ObjectCounts[2]; ++i) EXPECT_EQ(a.Lines[i], b.Lines[i]) << i;
  for (int i = 1; i <= a.ObjectCounts[3]; ++i) EXPECT_EQ(a.Circles[i], b.Circles[i]) << i;
}

TEST_F(FigureFile, EmptyFigureLayout) {
  std::string expected;
  for (int i = 0; i < 12; ++i) expected += "0\r\n";
  EXPECT_EQ(FigureText(Figure()), expected);
  Figure back = Parsed(expected);
  EXPECT_TRUE(back.StepCount == 0 && back.Points.UpperBound() == 50);
}

TEST_F(FigureFile, RoundTripKeepsEveryFieldAndEveryByte) {
  Figure fig = MixedFigure();
  std::string text = FigureText(fig);
  // Spot checks of the line layout.
  EXPECT_NE(text.find("\r\n\"LRGN\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("0.5,-1,\"AB@\"\r\n0\r\n"), std::string::npos);
  EXPECT_NE(text.find("-12.75,-1,\"比_@AB*2+1\"\r\n-1\r\n"), std::string::npos);
  EXPECT_NE(text.find("1.5E+20,-1E-05\r\n2.25\r\n"), std::string::npos);
  EXPECT_NE(text.find("2,1\r\n0.25\r\n\"F\"\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 7), "REV=6\r\n");

  ASSERT_TRUE(ReadWriteFigure(fig, Path("a.zk4"), FigureFileMode::kWrite).ok);
  std::string first = Slurp(Path("a.zk4"));
  EXPECT_EQ(first, *Utf8ToCp932(text));  // everything fits in CP932
  Figure back;
  back.FigureFileName = "kept";
  ASSERT_TRUE(ReadWriteFigure(back, Path("a.zk4"), FigureFileMode::kRead).ok);
  EXPECT_EQ(back.FigureFileName, "kept");
  // The group's 200 mark is written as 0,0 and reads back as an empty slot.
  EXPECT_TRUE(back.StepInputs[9][3].IsEmpty());
  EXPECT_TRUE(back.ComplexOpsUsed == 0);
  ExpectSameObjects(fig, back);
  ASSERT_TRUE(ReadWriteFigure(back, Path("b.zk4"), FigureFileMode::kWrite).ok);
  EXPECT_EQ(Slurp(Path("b.zk4")), first);

  // The shipped sample reads and writes back byte for byte.
  Figure sample;
  ASSERT_TRUE(ReadWriteFigure(sample, SAKUZU_SAMPLES "/sample.zk4", FigureFileMode::kRead).ok);
  ASSERT_TRUE(ReadWriteFigure(sample, Path("s.zk4"), FigureFileMode::kWrite).ok);
  EXPECT_EQ(Slurp(Path("s.zk4")), Slurp(SAKUZU_SAMPLES "/sample.zk4"));
}

TEST_F(FigureFile, NumberTextsAndLenientForms) {
  std::string text =
      "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"  // 1 number, 0 others
      "  .5 , -1 ,\"a_b@x+y@z\"\r\n-1\r\n"
      "\r\nnot a rev line\r\n rev = 1 \r\n";
  Figure fig = Parsed(text);
  EXPECT_EQ(fig.Numbers[1], (NumberRecord{0.5, -1, "a", -1, "x+y", 7}));
  EXPECT_EQ(fig.StepReversed[1], 0);  // REV beyond the step count is ignored

  // A name with a quote cannot break the line layout.
  Figure quoted;
  AddObject(quoted, kPointClass);
  quoted.Points[1].name = "A\"B";
  EXPECT_EQ(Parsed(FigureText(quoted)).Points[1].name, "A＂B");
}

TEST_F(FigureFile, LevelZeroFilesReadThroughTheRetry) {
  Figure fig = MixedFigure();
  fig.Numbers[2].independent = 0;
  std::string text = FigureText(fig);
  // Level 0: drop the `independent` line after each number.
  std::string level0 = text;
  for (const char* line : {"0.5,-1,\"AB@\"\r\n0\r\n", "-12.75,-1,\"比_@AB*2+1\"\r\n0\r\n"}) {
    std::string l(line);
    size_t at = level0.find(l);
    ASSERT_NE(at, std::string::npos);
    level0.erase(at + l.size() - 3, 3);
  }
  Spit(Path("old.zk4"), *Utf8ToCp932(level0));
  Figure back;
  ASSERT_TRUE(ReadWriteFigure(back, Path("old.zk4"), FigureFileMode::kRead).ok);
  ExpectSameObjects(fig, back);
  // Written back at level 1.
  EXPECT_EQ(FigureText(back), text);
}

TEST_F(FigureFile, EncodingsReadToTheSameFigure) {
  Figure fig = MixedFigure();
  std::string text = FigureText(fig);
  Figure a = Parsed(*Utf8ToCp932(text));
  EXPECT_EQ(a.Lines[1].name, "辺ＡＢ");
  ExpectSameObjects(a, Parsed(text));
  ExpectSameObjects(a, Parsed("\xEF\xBB\xBF" + text));

  // A name outside CP932 survives: the file becomes UTF-8 with a BOM.
  a.Points[2].name = "点😀";
  ASSERT_TRUE(ReadWriteFigure(a, Path("emoji.zk4"), FigureFileMode::kWrite).ok);
  EXPECT_EQ(Slurp(Path("emoji.zk4")).substr(0, 3), "\xEF\xBB\xBF");
  Figure d;
  ASSERT_TRUE(ReadWriteFigure(d, Path("emoji.zk4"), FigureFileMode::kRead).ok);
  EXPECT_EQ(d.Points[2].name, "点😀");
  // Half-width katakana that also pass for UTF-8: see the encoding tests.
}

TEST_F(FigureFile, LargeFilesGetLargerTables) {
  Figure fig;
  for (int i = 1; i <= 60; ++i) {
    int p = AddObject(fig, kPointClass);
    Step(fig, "PNEW", {}, {{kPointClass, static_cast<int16_t>(p)}});
  }
  Figure back = Parsed(FigureText(fig));
  EXPECT_EQ(back.StepKind.UpperBound(), 140);
  EXPECT_EQ(back.Points.UpperBound(), 70);
  // Records that came with the growth of a table were unnamed when saved.
  EXPECT_EQ(back.Points[52].name, "");
  EXPECT_EQ(back.Points[50].name, "r");
}

TEST_F(FigureFile, MergeRenumbersSlotsBindingsAndReversedSteps) {
  // Current figure: 10 steps, 3 points, 2 lines, 1 number.
  Figure fig;
  for (int i = 1; i <= 3; ++i)
    Step(fig, "PNEW", {}, {{1, static_cast<int16_t>(AddObject(fig, 1))}});
  Step(fig, "L1", {{1, 1}, {1, 2}}, {{2, static_cast<int16_t>(AddObject(fig, 2))}});
  Step(fig, "L1", {{1, 2}, {1, 3}}, {{2, static_cast<int16_t>(AddObject(fig, 2))}});
  Step(fig, "ND2P", {{1, 1}, {1, 2}}, {{0, static_cast<int16_t>(AddObject(fig, 0))}});
  for (int i = 7; i <= 10; ++i) Step(fig, "LPG+", {{1, 1}}, {});
  fig.Points[3].name = "kept";
  fig.FigureFileName = "current.zk4";

  // File: 2 points, a line through them, a point bound to that line.
  Figure file;
  Step(file, "PNEW", {}, {{1, static_cast<int16_t>(AddObject(file, 1))}});
  Step(file, "PNEW", {}, {{1, static_cast<int16_t>(AddObject(file, 1))}});
  Step(file, "L1", {{1, 1}, {1, 2}}, {{2, static_cast<int16_t>(AddObject(file, 2))}});
  int b = AddObject(file, 1);
  Step(file, "PBND", {{2, 1}}, {{1, static_cast<int16_t>(b)}});
  file.Points[b].bindKind = 2;
  file.Points[b].bindIndex = 1;
  file.StepReversed[3] = kTrue;
  Spit(Path("part.zk4"), FigureText(file));

  ASSERT_TRUE(ReadWriteFigure(fig, Path("part.zk4"), FigureFileMode::kAppend).ok);
  EXPECT_EQ(fig.FigureFileName, "current.zk4");
  EXPECT_EQ(fig.StepCount, 14);
  EXPECT_EQ(fig.ObjectCounts, (std::array<int16_t, kCountEntries>{1, 6, 3}));
  EXPECT_EQ(fig.Points[3].name, "kept");
  EXPECT_EQ(fig.StepInputs[13], (StepSlots{{{}, {1, 4}, {1, 5}}}));
  EXPECT_EQ(fig.StepOutputs[13], (StepSlots{{{}, {2, 3}}}));
  EXPECT_EQ(fig.Points[6].bindIndex, 3);
  EXPECT_NE(fig.StepReversed[13], 0);
  EXPECT_EQ(fig.StepReversed[3], 0);
  EXPECT_GE(fig.StepInputs.UpperBound(), 24);
}

// An expression names its operands by number index, so a merged expression
// must follow its numbers to their new places, and its name with it.
TEST_F(FigureFile, MergedExpressionsFollowTheirNumbers) {
  Figure fig;
  int hundred = AddObject(fig, kNumberClass);
  fig.Numbers[hundred] = {100, kTrue, "", kTrue, "", 0};

  Figure file;
  for (double v : {3.0, 4.0}) {
    int n = AddObject(file, kNumberClass);
    file.Numbers[n] = {v, kTrue, "", kTrue, "", 0};
  }
  int product = AddObject(file, kNumberClass);
  file.Numbers[product] = {12, kTrue, " 3* 4", 0, "N1*N2", 0};
  Step(file, "CALC", {}, {{kNumberClass, static_cast<int16_t>(product)}});
  Spit(Path("calc.zk4"), FigureText(file));

  auto autoNames = [](Figure& f) { UpdateAutoNames(f); };
  ASSERT_TRUE(ReadWriteFigure(fig, Path("calc.zk4"), FigureFileMode::kAppend, autoNames).ok);
  EXPECT_EQ(fig.Numbers[4].expression, "N2*N3");
  EXPECT_EQ(EvaluateExpression(fig, fig.Numbers[4].expression), 12.0);
  fig.Numbers[2].value = 5;
  UpdateAutoNames(fig);
  EXPECT_EQ(fig.Numbers[4].name, "5* 4");  // stored without its leading blank

  // A text that would outgrow its 70 characters once renumbered is not cut
  // into another expression: the merge is refused and nothing changes.
  Figure wide;
  std::string sum = "N1";
  while (sum.size() + 3 <= static_cast<size_t>(kExpressionLength)) sum += "+N1";
  AddObject(wide, kNumberClass);
  int total = AddObject(wide, kNumberClass);
  wide.Numbers[total].expression = sum;
  Step(wide, "CALC", {}, {{kNumberClass, static_cast<int16_t>(total)}});
  Spit(Path("wide.zk4"), FigureText(wide));
  for (int i = 0; i < 6; ++i) AddObject(fig, kNumberClass);  // 10 numbers: N1 becomes N11
  std::string before = FigureText(fig);
  FileOutcome refused = ReadWriteFigure(fig, Path("wide.zk4"), FigureFileMode::kAppend, autoNames);
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.message.find("70"), std::string::npos) << refused.message;
  EXPECT_EQ(FigureText(fig), before);
}

struct BadFile {
  const char* name;
  std::string text;
  int line;
};

std::string Lines(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) s += std::string(l) + "\r\n";
  return s;
}

const std::string kCounts0 = Lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});

// One point step: 1 kind, 5 input and 5 output lines, then the counts.
std::string OnePointFile(const char* input1, const char* output1, const char* points,
                         const std::string& record) {
  return Lines({"1",   "\"PT3\"", input1, "0,0", "0,0", "0,0",  "0,0", output1,
                "0,0", "0,0",     "0,0",  "0,0", "0",   points, "0",   "0",
                "0",   "0",       "0",    "0",   "0",   "0",    "0"}) +
         record;
}

const std::string kPoint = Lines({"1,2", "7", "0", "-1", "0", "-1", "0,0", "0", "\"A\""});
const std::string kPoint2 = kPoint + Lines({"3,4", "7", "0", "-1", "0", "-1", "0,0", "0", "\"B\""});

TEST_F(FigureFile, MalformedFilesAreRefusedAndChangeNothing) {
  std::vector<BadFile> bad = {
      {"ends early", Lines({"2", "\"P1\""}), 3},
      {"count below 0", Lines({"-1"}), 1},
      {"count above 32767", Lines({"0", "0", "32768"}), 3},
      {"step count not a number", Lines({"x"}), 1},
      {"class code 5", OnePointFile("5,1", "1,2", "2", kPoint2), 3},
      {"index beyond the count", OnePointFile("1,3", "1,2", "2", kPoint2), 3},
      {"input made by the same step", OnePointFile("1,2", "1,2", "2", kPoint2), 3},
      {"output index beyond the count", OnePointFile("1,1", "1,9", "2", kPoint2), 8},
      {"coordinate not finite", OnePointFile("1,1", "1,2", "2", kPoint + Lines({"1E+999,4"})), 33},
      {"NaN coordinate", OnePointFile("1,1", "1,2", "2", kPoint + Lines({"nan,4"})), 33},
      {"binding beyond the count",
       OnePointFile("1,1", "1,2", "2", kPoint + Lines({"3,4", "7", "0", "-1", "0", "-1", "2,1"})),
       39},
      {"binding to class 4",
       OnePointFile("1,1", "1,2", "2", kPoint + Lines({"3,4", "7", "0", "-1", "0", "-1", "4,1"})),
       39},
      {"integer field with a fraction",
       OnePointFile("1,1", "1,2", "2", kPoint + Lines({"3,4", "7.5"})), 34},
      {"not text at all", "\x81", 0},
  };
  Figure fig = MixedFigure();
  fig.FigureFileName = "mine.zk4";
  std::string before = FigureText(fig);
  for (const BadFile& b : bad) {
    SCOPED_TRACE(b.name);
    Spit(Path("bad.zk4"), b.text);
    for (FigureFileMode mode : {FigureFileMode::kRead, FigureFileMode::kAppend}) {
      FileOutcome outcome = ReadWriteFigure(fig, Path("bad.zk4"), mode);
      EXPECT_FALSE(outcome.ok);
      EXPECT_EQ(outcome.error.line, b.line) << outcome.message;
      EXPECT_NE(outcome.message.find(Path("bad.zk4")), std::string::npos);
      EXPECT_EQ(FigureText(fig), before);
      EXPECT_EQ(fig.FigureFileName, "mine.zk4");
    }
  }
  FileOutcome missing = ReadWriteFigure(fig, Path("missing.zk4"), FigureFileMode::kRead);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(FigureText(fig), before);
  // A good file of the same shape is accepted, so the cases above fail for
  // the reason they name.
  Spit(Path("good.zk4"), OnePointFile("1,1", "1,2", "2", kPoint2));
  EXPECT_TRUE(ReadWriteFigure(fig, Path("good.zk4"), FigureFileMode::kRead).ok);
}

TEST_F(FigureFile, MergeBeyondTheLimitIsRefused) {
  Figure fig;
  fig.ObjectCounts[kNumberClass] = 32767;
  Figure file;
  AddObject(file, kNumberClass);
  FileError error;
  EXPECT_FALSE(MergeFigure(fig, file, error));
  EXPECT_EQ(error.what, kTooManyObjectsMessage);
  EXPECT_EQ(fig.ObjectCounts[kNumberClass], 32767);
}

// Whatever fails while a save is under way, the file on disk is the old
// one, no temporary file stays, and the message names the file and why.
TEST_F(FigureFile, SaveThatFailsKeepsTheOldFileAndSaysWhy) {
  Figure fig = MixedFigure();
  std::string target = Path("keep.zk4");
  Spit(target, "old contents");
  auto failedWith = [&](int error, const std::string& path) {
    FileOutcome outcome = ReadWriteFigure(fig, path, FigureFileMode::kWrite);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, WriteErrorMessage(path, error));
    EXPECT_NE(outcome.message.find(path), std::string::npos);
    EXPECT_EQ(Slurp(target), "old contents");
    return outcome.ok;
  };
  // A disk that fills part way (at every length up to the whole file), or
  // a rename refused at the end.
  size_t size = FigureBytes(fig).size();
  for (size_t after : {size_t{0}, size_t{1}, size / 2, size - 1}) {
    ScopedWriteFault full({target, after, false, ENOSPC});
    failedWith(ENOSPC, target);
  }
  for (int error : {EACCES, EROFS, EIO, EXDEV}) {
    ScopedWriteFault refused({target, SIZE_MAX, true, error});
    failedWith(error, target);
  }
  {
    // Another file is not touched by the fault.
    ScopedWriteFault elsewhere({Path("other.zk4"), 0, false, ENOSPC});
    EXPECT_TRUE(ReadWriteFigure(fig, Path("plain.zk4"), FigureFileMode::kWrite).ok);
  }
  // Real refusals, which fail even for root: a folder of that name, a
  // folder that is not there, a name longer than the file system takes.
  fs::create_directory(Path("folder.zk4"));
  failedWith(EISDIR, Path("folder.zk4"));
  EXPECT_TRUE(fs::is_directory(Path("folder.zk4")));
  failedWith(ENOENT, Path("no such folder/x.zk4"));
  failedWith(ENAMETOOLONG, Path(std::string(300, 'n') + ".zk4"));
  ::chmod(target.c_str(), 0444);
  if (::access(target.c_str(), W_OK) != 0) failedWith(EACCES, target);  // root may write anyway
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_)) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{"keep.zk4", "folder.zk4", "plain.zk4"}));
  // Each reason in words of its own; the read-only one as it always was.
  EXPECT_EQ(WriteErrorMessage("a.zk4", EACCES), std::string(kReadOnlyMessage) + "\na.zk4");
  EXPECT_EQ(WriteErrorMessage("a.zk4", ENOSPC), std::string(kDiskFullMessage) + "\na.zk4");
  EXPECT_NE(WriteErrorMessage("a.zk4", EIO).find(kNotSavedMessage), std::string::npos);
}

// The temporary file beside the target has a short name of its own: a
// name that just fits the folder saves.
TEST_F(FigureFile, SaveUnderTheLongestNameTheFolderTakes) {
  Figure fig = MixedFigure();
  std::string name = std::string(251, 'n') + ".zk4";  // 255 bytes
  ASSERT_TRUE(ReadWriteFigure(fig, Path(name), FigureFileMode::kWrite).ok);
  EXPECT_EQ(Slurp(Path(name)), FigureBytes(fig));
}

TEST_F(FigureFile, SaveReplacesAtomicallyAndKeepsPermissions) {
  Figure fig = MixedFigure();
  std::string target = Path("plain.zk4");
  Spit(target, "old");
  ::chmod(target.c_str(), 0640);
  ASSERT_TRUE(ReadWriteFigure(fig, target, FigureFileMode::kWrite).ok);
  EXPECT_EQ(Slurp(target), FigureBytes(fig));
  struct stat st {};
  ::stat(target.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(FileTitle("C:\\figs\\tri.zk4"), "tri.zk4");
  EXPECT_EQ(FileTitle("/home/t/a b.zk4"), "a b.zk4");
}

}  // namespace
}  // namespace sakuzu
