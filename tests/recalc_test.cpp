#include "geometry/recalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "test_figure.h"

namespace sakuzu {
namespace {

ObjectRef Pt(int16_t i) { return {kPointClass, i}; }
ObjectRef Ln(int16_t i) { return {kLineClass, i}; }
ObjectRef Num(int16_t i) { return {kNumberClass, i}; }

struct Builder {
  Figure fig;
  Engine engine;

  int16_t Add(int cls) { return static_cast<int16_t>(AddObject(fig, cls)); }
  int Step(const char* kind, std::initializer_list<ObjectRef> in,
           std::initializer_list<ObjectRef> out) {
    return AddStepWith(fig, kind, in, out);
  }
  // A free point, on host (cls, index) at `parameter` when cls is given.
  int16_t Free(double x, double y, int16_t cls = 0, int16_t host = 0, double parameter = 0) {
    const int16_t p = Add(kPointClass);
    PointRecord& r = fig.Points[p];
    r.x = x, r.y = y, r.exists = kTrue, r.independent = -1;
    r.bindKind = cls, r.bindIndex = host, r.parameter = parameter;
    Step(cls ? "PBND" : "PNEW", {}, {Pt(p)});
    if (cls) fig.StepInputs[fig.StepCount][1] = {cls, host};
    return p;
  }
  int16_t Number(double v) {
    const int16_t n = Add(kNumberClass);
    fig.Numbers[n].value = v, fig.Numbers[n].exists = kTrue, fig.Numbers[n].independent = -1;
    return n;
  }
  // A step with one new output of class `cls`; returns the output's index.
  int16_t Make(const char* kind, std::initializer_list<ObjectRef> inputs, int16_t cls) {
    const int16_t out = Add(cls);
    Step(kind, inputs, {ObjectRef{cls, out}});
    return out;
  }
  void Update() { FullUpdateCompute(fig, engine); }
};

TEST(RecalcTest, LevelsStatusAndPasses) {
  Builder b;
  b.Update();
  EXPECT_EQ(b.fig.RecalcPasses, 0);  // a figure without steps computes nothing

  const int16_t a = b.Free(0, 0), c = b.Free(4, 0);
  const int16_t line = b.Make("L1", {Pt(a), Pt(c)}, kLineClass);
  b.Update();
  EXPECT_EQ(b.fig.RecalcPasses, 1);
  EXPECT_EQ(b.fig.StepStatus[1], -1);  // no inputs
  EXPECT_EQ(b.fig.StepStatus[3], -2);  // the smaller of -1 and -2
  EXPECT_TRUE(b.fig.Lines[line].x2 == 4 && b.fig.PrevLines[line].x2 == 4);

  b.Free(0, 0, kLineClass, line, 1.5), b.Update();  // one bound point adds a pass
  EXPECT_TRUE(b.fig.RecalcPasses == 2 && b.fig.Points[3].x == 1.5);

  // The analysis reads literal counts and foreign classes as missing.
  EXPECT_EQ(StepLevel(b.fig, b.Step("PNEQ", {Pt(a), Pt(c), {100, 3}}, {})), 0);
  EXPECT_TRUE(GetObjectLevel(b.fig, {5, 1}) == 0 && GetObjectLevel(b.fig, {kPointClass, 40}) == 0);
  SetObjectLevel(b.fig, {kLineClass, 9}, -7);
  EXPECT_EQ(b.fig.Lines[9].exists, 0);

  // A listed point is moving; a step on fixed inputs is skipped, and a
  // bounded point on a fixed host stays movable.
  Builder f;
  const int16_t n = f.Number(2);
  const int16_t p = f.Make("PXY", {Num(n), Num(n)}, kPointClass);
  const int16_t q = f.Free(0, 0, kPointClass, p, 0);
  const int16_t m = f.Free(1, 1);
  f.fig.Numbers[n].exists = kLevelFixed;
  AnalyseDependencies(f.fig, {Pt(m)});
  EXPECT_EQ((std::vector<int>{f.fig.StepStatus[1], f.fig.Points[p].exists, f.fig.Points[q].exists,
                              f.fig.Points[m].exists}),
            (std::vector<int>{kLevelFixed, kLevelFixed, kLevelMoving, -3}));
  f.fig.Numbers[n].value = 5;
  RecomputeAll(f.fig, f.engine);
  EXPECT_EQ(f.fig.Points[p].x, 0);  // skipped: status 2
}

TEST(RecalcTest, ExistenceFlowsDownInOnePass) {
  Builder b;
  const int16_t a = b.Free(0, 0), c = b.Free(4, 0), d = b.Free(0, 2), e = b.Free(4, 3);
  const int16_t ac = b.Make("L1", {Pt(a), Pt(c)}, kLineClass);
  const int16_t de = b.Make("L1", {Pt(d), Pt(e)}, kLineClass);
  const int16_t x = b.Make("PC1", {Ln(ac), Ln(de)}, kPointClass);
  const int16_t centre = b.Make("P1", {Pt(a), Pt(d), Pt(x)}, kPointClass);
  const int16_t circle = b.Make("C2", {Pt(centre), Pt(a)}, kCircleClass);
  const int16_t bisector = b.Make("L4", {Ln(de)}, kLineClass);
  const int16_t diameter = b.Make("C4", {Ln(bisector)}, kCircleClass);
  b.Update();
  ASSERT_EQ(b.fig.RecalcPasses, 1);
  ASSERT_TRUE(b.fig.Circles[circle].exists && b.fig.Circles[diameter].exists);

  b.fig.Points[e].y = 2, RecomputeAll(b.fig, b.engine);  // DE parallel to AC: no intersection
  EXPECT_FALSE(b.fig.Points[x].exists || b.fig.Points[centre].exists);
  EXPECT_TRUE(!b.fig.Circles[circle].exists && b.fig.Circles[diameter].exists);

  b.fig.Points[e].x = 0, RecomputeAll(b.fig, b.engine);  // D = E: no line, no bisector, no circle
  EXPECT_FALSE(b.fig.Lines[de].exists || b.fig.Lines[bisector].exists ||
               b.fig.Circles[diameter].exists);

  b.fig.Points[e].x = 2, b.fig.Points[e].y = 4, RecomputeAll(b.fig, b.engine);
  EXPECT_TRUE(b.fig.Circles[circle].exists && b.fig.Circles[diameter].exists);
}

TEST(RecalcTest, BoundPointsFollowTheirHost) {
  Builder b;
  const int16_t a = b.Free(1, 1), c = b.Free(1, 1);
  const int16_t line = b.Make("L1", {Pt(a), Pt(c)}, kLineClass);
  const int16_t p = b.Free(0, 0, kLineClass, line, 2);
  const int16_t q = b.Free(0, 0, kPointClass, p, 0);
  const int16_t dist = b.Make("ND2P", {Pt(p), Pt(a)}, kNumberClass);
  b.Update();
  EXPECT_FALSE(b.fig.Lines[line].exists || b.fig.Points[p].exists || b.fig.Points[q].exists);

  b.fig.Points[c].x = 4, b.fig.Points[c].y = 5, RecomputeAll(b.fig, b.engine);
  EXPECT_TRUE(b.fig.Points[p].exists);  // back as soon as the host is
  EXPECT_NEAR(b.fig.Points[p].x, 2.2, 1e-12);
  EXPECT_NEAR(b.fig.Points[q].y, 2.6, 1e-12);
  b.Update();
  EXPECT_NEAR(b.fig.Numbers[dist].value, 2, 1e-12);
}

TEST(RecalcTest, ExpressionStepsAndTheFinalPass) {
  Builder b;
  int calls = 0;
  b.engine.computeExpression = [&calls](Figure& fig, int step) {
    ++calls;
    NumberRecord& n = fig.Numbers[fig.StepOutputs[step][1].index];
    n.value = 42, n.exists = kTrue;
  };
  const int16_t result = b.Make("CALC", {}, kNumberClass);
  const int16_t a = b.Free(2, 0), o = b.Free(0, 0), c = b.Free(0, 2);
  const int16_t two = b.Number(2), one = b.Number(1);
  b.Make("LH2", {Pt(a), Pt(o), Pt(c), Num(two), Num(one)}, kLineClass);
  const int16_t line = b.Make("L1", {Pt(a), Pt(c)}, kLineClass);
  b.Free(0, 0, kLineClass, line, 1);
  b.Update();
  ASSERT_EQ(b.fig.RecalcPasses, 2);
  EXPECT_EQ(calls, 2);  // by the evaluator, untouched by the circle kinds
  EXPECT_TRUE(b.fig.Numbers[result].value == 42 && b.fig.Numbers[result].exists);
  // The angle is measured in each pass, by its own step.
  ASSERT_EQ(b.engine.angleMarks.size(), 2u);
  for (const AngleMarkRequest& mark : b.engine.angleMarks) {
    EXPECT_EQ(b.fig.StepKind[mark.step], "LH2");
  }
  EXPECT_EQ(b.fig.CurrentKindText, "");
}

TEST(RecalcTest, SelfReferenceTerminates) {
  Builder b;
  const int16_t p = b.Free(0, 0), q = b.Free(3, 4);
  const int16_t line = b.Make("L1", {Pt(p), Pt(q)}, kLineClass);
  PointRecord& pr = b.fig.Points[p];  // bound to a line through itself
  pr.bindKind = kLineClass, pr.bindIndex = line, pr.parameter = 1;
  const int16_t self = b.Free(2, 2);
  b.fig.Points[self].bindKind = kPointClass, b.fig.Points[self].bindIndex = self;
  // A bounded point on a line drawn from that very point, defined ahead.
  const int16_t r = b.Free(0, 0, kLineClass, line + 1, 0);
  b.Make("L1", {Pt(r), Pt(q)}, kLineClass);
  b.Update();
  EXPECT_LE(b.fig.RecalcPasses, b.fig.StepCount + kExtraAnalysisSweeps + 1);
  EXPECT_TRUE(b.fig.Points[self].exists && b.fig.Points[p].exists);
  EXPECT_TRUE(std::isfinite(b.fig.Points[p].x + b.fig.Points[p].y));

  // Levels that never settle: P lies on the bisector of its own polar, and
  // the bisector's step comes first, so existence flips every sweep.
  Builder f;
  const int16_t circle = f.Add(kCircleClass);
  f.fig.Circles[circle].radius = 2, f.fig.Circles[circle].exists = kTrue;
  const int16_t polar = f.Add(kLineClass), bisector = f.Add(kLineClass);
  f.Step("L4", {Ln(polar)}, {Ln(bisector)});
  const int16_t moving = f.Add(kPointClass);
  f.Step("L8", {Pt(moving), {kCircleClass, circle}}, {Ln(polar)});
  PointRecord& m = f.fig.Points[moving];
  m.x = 3, m.y = 1, m.exists = kTrue, m.independent = -1;
  m.bindKind = kLineClass, m.bindIndex = bisector;
  f.Update();
  EXPECT_EQ(f.fig.RecalcPasses, f.fig.StepCount + kExtraAnalysisSweeps + 1);
}

TEST(RecalcTest, DamagedDataIsReadSafely) {
  Builder b;
  const int16_t a = b.Free(0, 0), c = b.Free(1, 0);
  const int16_t line = b.Make("L1", {Pt(a), Pt(c)}, kLineClass);
  b.Make("L2", {Ln(999), Pt(-4)}, kLineClass);
  b.Make("C3", {Pt(a), {7, 1}, Pt(c)}, kCircleClass);
  const int16_t host = b.Free(5, 5);
  b.fig.Points[host].bindKind = 9, b.fig.Points[host].bindIndex = 999;
  // A removed step left behind: never read again.
  const int gone = b.Step("L4", {Ln(line)}, {Ln(line)});
  b.fig.StepStatus[gone] = 77;
  --b.fig.StepCount;
  b.Update();
  EXPECT_EQ(b.fig.Lines[line].x2, 1);  // not replaced by a bisector
  EXPECT_EQ(b.fig.StepStatus[gone], 77);
  EXPECT_FALSE(b.fig.Lines[2].exists || b.fig.Circles[1].exists || b.fig.Points[host].exists);

  // Random figures of every kind and any references: the analysis ends and
  // no existing object holds a value that is not finite.
  std::mt19937 rng(20240607);
  const char* kinds[] = {"PNEW", "PBND", "P1",  "P4",  "P6",  "PC1", "PC2",  "PC3", "PN", "L1",
                         "L3",   "L5",   "L6",  "L7",  "L8",  "LH2", "C1",   "C3",  "C6", "C7",
                         "ND2P", "NA3+", "CRO", "LRO", "PT4", "LT1", "CALC", "X9"};
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto pick16 = [&pick](int lo, int hi) { return static_cast<int16_t>(pick(lo, hi)); };
  for (int round = 0; round < 60; ++round) {
    Builder f;
    for (int i = 0; i < 6; ++i) f.Free(pick(-3, 3), pick(-3, 3));
    f.Number(pick(-2, 2)), f.Number(0);
    for (int i = pick(5, 40); i > 0; --i) {
      const int s = AppendStep(f.fig);
      f.fig.StepKind[s] = kinds[pick(0, static_cast<int>(std::size(kinds)) - 1)];
      for (int j = 1; j <= pick(0, 5); ++j) f.fig.StepInputs[s][j] = {pick16(0, 4), pick16(-1, 12)};
      for (int j = 1; j <= pick(0, 2); ++j) {
        const int16_t cls = pick16(0, 3);
        f.fig.StepOutputs[s][j] = {cls, pick(0, 3) ? f.Add(cls) : pick16(1, 8)};
      }
    }
    for (int p = 1; p <= f.fig.ObjectCounts[kPointClass]; ++p) {
      if (pick(0, 2)) continue;
      PointRecord& r = f.fig.Points[p];
      r.independent = -1, r.bindKind = pick16(0, 4), r.bindIndex = pick16(0, 10);
      r.parameter = pick(-5, 5);
    }
    f.Update();
    ASSERT_LE(f.fig.RecalcPasses, f.fig.StepCount + kExtraAnalysisSweeps + 1);
    for (int p = 1; p <= f.fig.ObjectCounts[kPointClass]; ++p) {
      const PointRecord& r = f.fig.Points[p];
      EXPECT_TRUE(!r.exists || std::isfinite(r.x + r.y)) << p;
    }
    for (int l = 1; l <= f.fig.ObjectCounts[kLineClass]; ++l) {
      const LineRecord& r = f.fig.Lines[l];
      EXPECT_TRUE(!r.exists || std::isfinite(r.x1 + r.y1 + r.x2 + r.y2 + r.dx + r.dy)) << l;
    }
  }
}

}  // namespace
}  // namespace sakuzu
