#include "geometry/recalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace sakuzu {
namespace {

// Records what the computations ask of the window, and under which kind.
class RecordingShell : public Shell {
 public:
  explicit RecordingShell(const Figure& fig) : fig_(fig) {}
  void DrawAngleMark(double, double, double, double, double) override {
    kindsSeen.push_back(fig_.CurrentKindText);
  }
  std::vector<std::string> kindsSeen;

 private:
  const Figure& fig_;
};

struct Builder {
  Figure fig;
  Engine engine;

  int16_t Free(double x, double y) {
    int16_t p = Add(kPointClass);
    PointRecord& r = fig.Points[p];
    r.x = x, r.y = y, r.exists = kTrue, r.independent = -1;
    Step("PNEW", {}, {{kPointClass, p}});
    return p;
  }
  int16_t Number(double v, int16_t exists = kTrue) {
    int16_t n = Add(kNumberClass);
    fig.Numbers[n].value = v, fig.Numbers[n].exists = exists, fig.Numbers[n].independent = -1;
    return n;
  }
  // A free point on host (cls, index) at `parameter`, made by a "PBND" step.
  int16_t Bound(int16_t cls, int16_t host, double parameter) {
    int16_t p = Add(kPointClass);
    PointRecord& r = fig.Points[p];
    r.exists = kTrue, r.independent = -1, r.bindKind = cls, r.bindIndex = host;
    r.parameter = parameter;
    Step("PBND", {{cls, host}}, {{kPointClass, p}});
    return p;
  }
  // A step whose outputs are new objects of the given classes; returns the
  // index of its first output.
  int16_t Make(const char* kind, std::initializer_list<ObjectRef> inputs,
               std::initializer_list<int16_t> classes) {
    std::vector<ObjectRef> outputs;
    for (int16_t c : classes) outputs.push_back({c, Add(c)});
    Step(kind, inputs, outputs);
    return outputs.empty() ? 0 : outputs[0].index;
  }
  int Step(const char* kind, std::initializer_list<ObjectRef> inputs,
           const std::vector<ObjectRef>& outputs) {
    int s = AppendStep(fig);
    fig.StepKind[s] = kind;
    int j = 1;
    for (ObjectRef r : inputs) fig.StepInputs[s][j++] = r;
    j = 1;
    for (ObjectRef r : outputs) fig.StepOutputs[s][j++] = r;
    return s;
  }
  int16_t Add(int cls) { return static_cast<int16_t>(AddObject(fig, cls)); }
  void Update() { FullUpdateCompute(fig, engine); }
};

ObjectRef Pt(int16_t i) { return {kPointClass, i}; }
ObjectRef Ln(int16_t i) { return {kLineClass, i}; }
ObjectRef Ci(int16_t i) { return {kCircleClass, i}; }
ObjectRef Num(int16_t i) { return {kNumberClass, i}; }

TEST(RecalcTest, LevelsStatusAndPasses) {
  Builder b;
  b.Update();
  EXPECT_EQ(b.fig.RecalcPasses, 0);  // a figure without steps computes nothing

  int16_t a = b.Free(0, 0), c = b.Free(4, 0);
  int16_t line = b.Make("L1", {Pt(a), Pt(c)}, {kLineClass});
  b.Update();
  EXPECT_EQ(b.fig.RecalcPasses, 1);
  EXPECT_EQ(b.fig.StepStatus[1], -1);  // no inputs
  EXPECT_EQ(b.fig.StepStatus[3], -2);  // the smaller of -1 and -2
  EXPECT_EQ(b.fig.Lines[line].exists, kTrue);
  EXPECT_EQ(b.fig.Lines[line].x2, 4);
  EXPECT_EQ(b.fig.FinalPass, kFalse);
  EXPECT_EQ(b.fig.PrevLines[line].x2, 4);

  b.Bound(kLineClass, line, 1.5);  // one bound point adds a pass
  b.Update();
  EXPECT_EQ(b.fig.RecalcPasses, 2);
  EXPECT_EQ(b.fig.Points[3].x, 1.5);

  // The analysis reads literal counts and foreign classes as missing.
  int s = b.Step("PNEQ", {Pt(a), Pt(c), {100, 3}}, {});
  EXPECT_EQ(StepLevel(b.fig, s), 0);
  EXPECT_EQ(GetObjectLevel(b.fig, {5, 1}), 0);
  EXPECT_EQ(GetObjectLevel(b.fig, {kPointClass, 40}), 0);  // past the count
  SetObjectLevel(b.fig, {kLineClass, 9}, -7);
  EXPECT_EQ(b.fig.Lines[9].exists, 0);

  // A listed point is moving; a step on fixed inputs is skipped, and a
  // bounded point on a fixed host stays movable.
  Builder f;
  int16_t n = f.Number(2);
  int16_t p = f.Make("PXY", {Num(n), Num(n)}, {kPointClass});
  int16_t q = f.Bound(kPointClass, p, 0);
  int16_t m = f.Free(1, 1);
  f.fig.Numbers[n].exists = kLevelFixed;
  AnalyseDependencies(f.fig, {Pt(m)});
  EXPECT_EQ(f.fig.StepStatus[1], kLevelFixed);
  EXPECT_EQ(f.fig.Points[p].exists, kLevelFixed);
  EXPECT_EQ(f.fig.StepStatus[2], kLevelFixed);
  EXPECT_EQ(f.fig.Points[q].exists, kLevelMoving);
  EXPECT_EQ(f.fig.Points[m].exists, -3);
  f.fig.Numbers[n].value = 5;
  RecomputeAll(f.fig, f.engine);
  EXPECT_EQ(f.fig.Points[p].x, 0);  // skipped: status 2
}

TEST(RecalcTest, ExistenceFlowsDownInOnePass) {
  Builder b;
  int16_t a = b.Free(0, 0), c = b.Free(4, 0), d = b.Free(0, 2), e = b.Free(4, 3);
  int16_t ac = b.Make("L1", {Pt(a), Pt(c)}, {kLineClass});
  int16_t de = b.Make("L1", {Pt(d), Pt(e)}, {kLineClass});
  int16_t x = b.Make("PC1", {Ln(ac), Ln(de)}, {kPointClass});
  int16_t centre = b.Make("P1", {Pt(a), Pt(d), Pt(x)}, {kPointClass});
  int16_t circle = b.Make("C2", {Pt(centre), Pt(a)}, {kCircleClass});
  int16_t bisector = b.Make("L4", {Ln(de)}, {kLineClass});
  int16_t diameter = b.Make("C4", {Ln(bisector)}, {kCircleClass});
  b.Update();
  ASSERT_EQ(b.fig.RecalcPasses, 1);
  ASSERT_TRUE(b.fig.Circles[circle].exists && b.fig.Circles[diameter].exists);

  b.fig.Points[e].y = 2;  // DE parallel to AC: no intersection
  RecomputeAll(b.fig, b.engine);
  EXPECT_FALSE(b.fig.Points[x].exists);
  EXPECT_FALSE(b.fig.Points[centre].exists);
  EXPECT_FALSE(b.fig.Circles[circle].exists);
  EXPECT_TRUE(b.fig.Circles[diameter].exists);

  b.fig.Points[e].x = 0;  // D = E: no line, so no bisector, no circle
  b.fig.Points[e].y = 2;
  RecomputeAll(b.fig, b.engine);
  EXPECT_FALSE(b.fig.Lines[de].exists);
  EXPECT_FALSE(b.fig.Lines[bisector].exists);
  EXPECT_FALSE(b.fig.Circles[diameter].exists);

  b.fig.Points[e].x = 2, b.fig.Points[e].y = 4;
  RecomputeAll(b.fig, b.engine);
  EXPECT_TRUE(b.fig.Circles[circle].exists && b.fig.Circles[diameter].exists);
}

TEST(RecalcTest, BoundPointsFollowTheirHost) {
  Builder b;
  int16_t a = b.Free(1, 1), c = b.Free(1, 1);
  int16_t line = b.Make("L1", {Pt(a), Pt(c)}, {kLineClass});
  int16_t p = b.Bound(kLineClass, line, 2);
  int16_t q = b.Bound(kPointClass, p, 0);
  int16_t mid = b.Make("ND2P", {Pt(p), Pt(a)}, {kNumberClass});
  b.Update();
  EXPECT_FALSE(b.fig.Lines[line].exists);
  EXPECT_FALSE(b.fig.Points[p].exists);
  EXPECT_FALSE(b.fig.Points[q].exists);

  b.fig.Points[c].x = 4, b.fig.Points[c].y = 5;
  RecomputeAll(b.fig, b.engine);
  EXPECT_TRUE(b.fig.Points[p].exists);  // back as soon as the host is
  EXPECT_NEAR(b.fig.Points[p].x, 2.2, 1e-12);
  EXPECT_NEAR(b.fig.Points[q].y, 2.6, 1e-12);
  b.Update();
  EXPECT_NEAR(b.fig.Numbers[mid].value, 2, 1e-12);
}

TEST(RecalcTest, ExpressionStepsAndTheFinalPass) {
  Builder b;
  RecordingShell shell(b.fig);
  b.engine.shell = &shell;
  int calls = 0;
  b.engine.computeExpression = [&calls](Figure& fig, int step) {
    ++calls;
    NumberRecord& n = fig.Numbers[fig.StepOutputs[step][1].index];
    n.value = 42, n.exists = kTrue;
  };
  int16_t result = b.Make("CALC", {}, {kNumberClass});
  int16_t a = b.Free(2, 0), o = b.Free(0, 0), c = b.Free(0, 2);
  int16_t two = b.Number(2), one = b.Number(1);
  b.Make("LH2", {Pt(a), Pt(o), Pt(c), Num(two), Num(one)}, {kLineClass});
  int16_t line = b.Make("L1", {Pt(a), Pt(c)}, {kLineClass});
  b.Bound(kLineClass, line, 1);
  b.Update();
  ASSERT_EQ(b.fig.RecalcPasses, 2);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(b.fig.Numbers[result].value, 42);
  EXPECT_TRUE(b.fig.Numbers[result].exists);
  EXPECT_EQ(shell.kindsSeen, (std::vector<std::string>{"", "LH2"}));
  EXPECT_EQ(b.fig.CurrentKindText, "");
  EXPECT_EQ(b.fig.CurrentStep, 7);  // the last step computed
  EXPECT_EQ(b.fig.CurrentOutputs[6][1], line);
}

TEST(RecalcTest, SelfReferenceTerminates) {
  Builder b;
  int16_t p = b.Free(0, 0), q = b.Free(3, 4);
  int16_t line = b.Make("L1", {Pt(p), Pt(q)}, {kLineClass});
  b.fig.Points[p].bindKind = kLineClass;  // bound to a line through itself
  b.fig.Points[p].bindIndex = line;
  b.fig.Points[p].parameter = 1;
  int16_t self = b.Free(2, 2);
  b.fig.Points[self].bindKind = kPointClass;  // bound to itself
  b.fig.Points[self].bindIndex = self;
  // A bounded point on a line drawn from that very point, defined ahead.
  int s = b.Step("PBND", {Ln(line + 1)}, {Pt(b.Add(kPointClass))});
  int16_t r = b.fig.StepOutputs[s][1].index;
  b.fig.Points[r].independent = -1, b.fig.Points[r].bindKind = kLineClass;
  b.fig.Points[r].bindIndex = line + 1;
  b.Make("L1", {Pt(r), Pt(q)}, {kLineClass});
  b.Update();
  EXPECT_GE(b.fig.RecalcPasses, 1);
  EXPECT_LE(b.fig.RecalcPasses, b.fig.StepCount + kExtraAnalysisSweeps + 1);
  EXPECT_TRUE(b.fig.Points[self].exists);
  EXPECT_TRUE(b.fig.Points[p].exists);
  EXPECT_TRUE(std::isfinite(b.fig.Points[p].x + b.fig.Points[p].y));

  // Levels that never settle: P lies on the bisector of its own polar, and
  // the bisector's step comes first, so existence flips every sweep.
  Builder f;
  int16_t circle = f.Add(kCircleClass);
  f.fig.Circles[circle].radius = 2, f.fig.Circles[circle].exists = kTrue;
  int16_t polar = f.Add(kLineClass), bisector = f.Add(kLineClass);
  f.Step("L4", {Ln(polar)}, {Ln(bisector)});
  int16_t moving = f.Add(kPointClass);
  f.Step("L8", {Pt(moving), Ci(circle)}, {Ln(polar)});
  PointRecord& m = f.fig.Points[moving];
  m.x = 3, m.y = 1, m.exists = kTrue, m.independent = -1;
  m.bindKind = kLineClass, m.bindIndex = bisector;
  f.Update();
  EXPECT_EQ(f.fig.RecalcPasses, f.fig.StepCount + kExtraAnalysisSweeps + 1);
}

TEST(RecalcTest, DamagedDataIsReadSafely) {
  Builder b;
  int16_t a = b.Free(0, 0), c = b.Free(1, 0);
  int16_t line = b.Make("L1", {Pt(a), Pt(c)}, {kLineClass});
  b.Make("L2", {Ln(999), Pt(-4)}, {kLineClass});
  b.Make("C3", {Pt(a), {7, 1}, Pt(c)}, {kCircleClass});
  int16_t host = b.Free(5, 5);
  b.fig.Points[host].bindKind = 9, b.fig.Points[host].bindIndex = 999;
  // A removed step left behind: never read again.
  int gone = b.Step("L4", {Ln(line)}, {Ln(line)});
  b.fig.StepStatus[gone] = 77;
  b.fig.StepReversed[gone] = -1;
  --b.fig.StepCount;
  b.Update();
  EXPECT_TRUE(b.fig.Lines[line].exists);
  EXPECT_EQ(b.fig.Lines[line].x2, 1);  // not replaced by a bisector
  EXPECT_EQ(b.fig.StepStatus[gone], 77);
  EXPECT_FALSE(b.fig.Lines[2].exists);
  EXPECT_FALSE(b.fig.Circles[1].exists);
  EXPECT_FALSE(b.fig.Points[host].exists);

  // Random figures of every kind and any references: the analysis ends and
  // no existing object holds a value that is not finite.
  std::mt19937 rng(20240607);
  const char* kinds[] = {"PNEW", "PBND", "P1",  "P4",  "P6",  "PC1", "PC2",  "PC3", "PN", "L1",
                         "L3",   "L5",   "L6",  "L7",  "L8",  "LH2", "C1",   "C3",  "C6", "C7",
                         "ND2P", "NA3+", "CRO", "LRO", "PT4", "LT1", "CALC", "X9"};
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 60; ++round) {
    Builder f;
    for (int i = 0; i < 6; ++i) f.Free(pick(-3, 3), pick(-3, 3));
    f.Number(pick(-2, 2)), f.Number(0);
    int steps = pick(5, 40);
    for (int i = 0; i < steps; ++i) {
      int s = AppendStep(f.fig);
      f.fig.StepKind[s] = kinds[pick(0, static_cast<int>(std::size(kinds)) - 1)];
      for (int j = 1; j <= pick(0, 5); ++j) {
        f.fig.StepInputs[s][j] = {static_cast<int16_t>(pick(0, 4)),
                                  static_cast<int16_t>(pick(-1, 12))};
      }
      for (int j = 1; j <= pick(0, 2); ++j) {
        int16_t cls = static_cast<int16_t>(pick(0, 3));
        int16_t out = pick(0, 3) ? f.Add(cls) : static_cast<int16_t>(pick(1, 8));
        f.fig.StepOutputs[s][j] = {cls, out};
      }
    }
    for (int p = 1; p <= f.fig.ObjectCounts[kPointClass]; ++p) {
      if (pick(0, 2)) continue;
      PointRecord& r = f.fig.Points[p];
      r.independent = -1, r.bindKind = static_cast<int16_t>(pick(0, 4));
      r.bindIndex = static_cast<int16_t>(pick(0, 10)), r.parameter = pick(-5, 5);
    }
    f.Update();
    ASSERT_LE(f.fig.RecalcPasses, f.fig.StepCount + kExtraAnalysisSweeps + 1);
    for (int p = 1; p <= f.fig.ObjectCounts[kPointClass]; ++p) {
      const PointRecord& r = f.fig.Points[p];
      if (r.exists) {
        EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y));
      }
    }
    for (int l = 1; l <= f.fig.ObjectCounts[kLineClass]; ++l) {
      const LineRecord& r = f.fig.Lines[l];
      if (r.exists) {
        EXPECT_TRUE(std::isfinite(r.x1 + r.y1 + r.x2 + r.y2 + r.dx + r.dy));
      }
    }
  }
}

}  // namespace
}  // namespace sakuzu
