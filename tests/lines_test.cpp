#include "geometry/lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

namespace sakuzu {
namespace {

constexpr double kTol = 1e-9;

class MarkShell : public Shell {
 public:
  struct Mark {
    double vx, vy, ox, oy, angle;
  };
  void DrawAngleMark(double vx, double vy, double ox, double oy, double angle) override {
    marks.push_back({vx, vy, ox, oy, angle});
  }
  std::vector<Mark> marks;
};

struct Fixture {
  Figure fig;
  MarkShell shell;
  Engine engine;
  Fixture() { engine.shell = &shell; }

  ObjectRef Point(double x, double y) {
    int i = AddObject(fig, kPointClass);
    fig.Points[i].x = x, fig.Points[i].y = y, fig.Points[i].exists = kTrue;
    return {kPointClass, static_cast<int16_t>(i)};
  }
  ObjectRef Number(double v) {
    int i = AddObject(fig, kNumberClass);
    fig.Numbers[i].value = v, fig.Numbers[i].exists = kTrue;
    return {kNumberClass, static_cast<int16_t>(i)};
  }
  ObjectRef Circle(double cx, double cy, double r) {
    int i = AddObject(fig, kCircleClass);
    CircleRecord& c = fig.Circles[i];
    c.cx = cx, c.cy = cy, c.radius = r, c.exists = kTrue;
    return {kCircleClass, static_cast<int16_t>(i)};
  }
  ObjectRef Segment(double x1, double y1, double x2, double y2) {
    int i = AddObject(fig, kLineClass);
    LineRecord& l = fig.Lines[i];
    l.x1 = x1, l.y1 = y1, l.x2 = x2, l.y2 = y2, l.exists = kTrue;
    double len = std::hypot(x2 - x1, y2 - y1);
    l.dx = (x2 - x1) / len, l.dy = (y2 - y1) / len;
    return {kLineClass, static_cast<int16_t>(i)};
  }
  // Appends a step and computes it; returns the step number.
  int Step(const char* kind, std::initializer_list<ObjectRef> inputs,
           std::initializer_list<int> outputs = {kLineClass}) {
    int s = AppendStep(fig);
    fig.StepKind[s] = kind;
    int j = 1;
    for (ObjectRef r : inputs) fig.StepInputs[s][j++] = r;
    j = 1;
    for (int cls : outputs) {
      fig.StepOutputs[s][j++] = {static_cast<int16_t>(cls),
                                 static_cast<int16_t>(AddObject(fig, cls))};
    }
    ComputeLineStep(fig, s, engine);
    return s;
  }
  LineRecord& Out(int step, int slot = 1) { return fig.Lines[fig.StepOutputs[step][slot].index]; }
};

// Distance of (x, y) from a line record, positive on the left of its direction.
double SignedDistance(const LineRecord& l, double x, double y) {
  return (x - l.x1) * -l.dy + (y - l.y1) * l.dx;
}

// P1 and the direction; P2 one unit along it unless the kind says otherwise.
void ExpectLine(const LineRecord& l, double x1, double y1, double dx, double dy,
                bool unitP2 = true) {
  ASSERT_TRUE(l.exists);
  EXPECT_NEAR(l.x1, x1, kTol);
  EXPECT_NEAR(l.y1, y1, kTol);
  EXPECT_NEAR(l.dx, dx, kTol);
  EXPECT_NEAR(l.dy, dy, kTol);
  if (!unitP2) return;
  EXPECT_NEAR(l.x2, x1 + dx, kTol);
  EXPECT_NEAR(l.y2, y1 + dy, kTol);
}

TEST(LinesTest, TangentsFromAPoint) {
  Fixture f;
  ObjectRef c = f.Circle(0, 0, 3);
  int s = f.Step("L5", {f.Point(5, 0), c}, {kLineClass, kLineClass});
  ExpectLine(f.Out(s, 1), 5, 0, 0.8, 0.6);
  ExpectLine(f.Out(s, 2), 5, 0, 0.8, -0.6);
  // Four units back along each tangent lies its point of contact.
  EXPECT_NEAR(5 - 4 * f.Out(s, 1).dx, 1.8, kTol);
  EXPECT_NEAR(0 - 4 * f.Out(s, 1).dy, -2.4, kTol);

  s = f.Step("L5", {f.Point(3, 0), c}, {kLineClass, kLineClass});
  ExpectLine(f.Out(s, 1), 3, 0, 0, 1);
  ExpectLine(f.Out(s, 2), 3, 0, 0, -1);

  s = f.Step("L5", {f.Point(1, 0.5), c}, {kLineClass, kLineClass});
  EXPECT_FALSE(f.Out(s, 1).exists);
  EXPECT_FALSE(f.Out(s, 2).exists);

  // An awkward case: both lines touch the circle and point away from it.
  ObjectRef k = f.Circle(0.4, 0.9, 1.3);
  s = f.Step("L5", {f.Point(2.3, -1.7), k}, {kLineClass, kLineClass});
  for (int slot = 1; slot <= 2; ++slot) {
    const LineRecord& l = f.Out(s, slot);
    ASSERT_TRUE(l.exists);
    EXPECT_NEAR(std::fabs(SignedDistance(l, 0.4, 0.9)), 1.3, kTol);
    EXPECT_LT((0.4 - 2.3) * l.dx + (0.9 + 1.7) * l.dy, 0);
  }
  EXPECT_GT(SignedDistance(f.Out(s, 1), 0.4, 0.9), 0);  // the circle lies left of output 1
}

TEST(LinesTest, CommonTangents) {
  Fixture f;
  ObjectRef c1 = f.Circle(0, 0, 1), c2 = f.Circle(4, 0, 1);
  int ext = f.Step("L6", {c1, c2}, {kLineClass, kLineClass});
  ExpectLine(f.Out(ext, 1), 0, 1, 1, 0);
  ExpectLine(f.Out(ext, 2), 0, -1, 1, 0);
  int in = f.Step("L7", {c1, c2}, {kLineClass, kLineClass});
  EXPECT_NEAR(f.Out(in, 1).x1, 0.5, kTol);
  EXPECT_NEAR(f.Out(in, 1).y1, std::sqrt(0.75), kTol);
  EXPECT_NEAR(f.Out(in, 2).x1, 0.5, kTol);
  EXPECT_NEAR(f.Out(in, 2).y1, -std::sqrt(0.75), kTol);

  // Overlapping circles keep their external tangents only.
  f.fig.Circles[c2.index].cx = 1.5;
  ComputeLineStep(f.fig, ext, f.engine);
  ComputeLineStep(f.fig, in, f.engine);
  EXPECT_TRUE(f.Out(ext, 1).exists && f.Out(ext, 2).exists);
  EXPECT_FALSE(f.Out(in, 1).exists || f.Out(in, 2).exists);

  // Unequal radii off the axes: every tangent touches both circles, the
  // external ones with both centres on one side, the internal ones between.
  Fixture g;
  ObjectRef a = g.Circle(-0.7, 0.3, 1.1), b = g.Circle(3.1, 1.9, 0.6);
  ext = g.Step("L6", {a, b}, {kLineClass, kLineClass});
  in = g.Step("L7", {a, b}, {kLineClass, kLineClass});
  for (int step : {ext, in}) {
    for (int slot = 1; slot <= 2; ++slot) {
      const LineRecord& l = g.Out(step, slot);
      ASSERT_TRUE(l.exists);
      double d1 = SignedDistance(l, -0.7, 0.3), d2 = SignedDistance(l, 3.1, 1.9);
      EXPECT_NEAR(std::fabs(d1), 1.1, kTol);
      EXPECT_NEAR(std::fabs(d2), 0.6, kTol);
      EXPECT_EQ(d1 * d2 > 0, step == ext);
      EXPECT_NEAR(std::hypot(l.x1 + 0.7, l.y1 - 0.3), 1.1, kTol);  // P1 touches the first
    }
  }
  // Concentric circles have no common tangent at all.
  ObjectRef d = g.Circle(-0.7, 0.3, 0.5);
  ext = g.Step("L6", {a, d}, {kLineClass, kLineClass});
  EXPECT_FALSE(g.Out(ext, 1).exists || g.Out(ext, 2).exists);
}

TEST(LinesTest, Polar) {
  Fixture f;
  int s = f.Step("L8", {f.Point(4, 0), f.Circle(0, 0, 2)});
  ExpectLine(f.Out(s), 1, 0, 0, -1);
  s = f.Step("L8", {f.Point(0.004, 0.005), f.Circle(0, 0, 2)});
  EXPECT_FALSE(f.Out(s).exists);

  // Off the axes: perpendicular to CP at distance r^2/|CP| from the centre.
  s = f.Step("L8", {f.Point(1.7, 2.9), f.Circle(0.3, -0.4, 1.1)});
  const LineRecord& l = f.Out(s);
  ASSERT_TRUE(l.exists);
  double px = 1.4, py = 3.3, len = std::hypot(px, py);
  EXPECT_NEAR(l.dx * px + l.dy * py, 0, kTol);
  EXPECT_NEAR(std::fabs(SignedDistance(l, 0.3, -0.4)), 1.21 / len, kTol);
  EXPECT_NEAR(l.x1, 0.3, kTol);  // P1 on the vertical through the centre
  EXPECT_NEAR(l.y1, -0.4 + 1.21 / 3.3, kTol);
}

TEST(LinesTest, ParallelPerpendicularAndBisector) {
  Fixture f;
  ObjectRef base = f.Segment(1, 1, 4, 5);  // direction (0.6, 0.8)
  int s = f.Step("L2", {base, f.Point(-2, 0.5)});
  ExpectLine(f.Out(s), -2, 0.5, 0.6, 0.8);

  s = f.Step("L3", {base, f.Point(1, 6)}, {kLineClass, kPointClass});
  const LineRecord& m = f.Out(s);
  ASSERT_TRUE(m.exists);
  EXPECT_NEAR(m.dx, -0.8, kTol);
  EXPECT_NEAR(m.dy, 0.6, kTol);
  const PointRecord& foot = f.fig.Points[f.fig.StepOutputs[s][2].index];
  ASSERT_TRUE(foot.exists);
  EXPECT_NEAR(foot.x, 3.4, kTol);  // 1 + 0.6 * 4
  EXPECT_NEAR(foot.y, 4.2, kTol);
  EXPECT_NEAR(m.x2, 3.4, kTol);

  s = f.Step("L3", {base, f.Point(2.5, 3)}, {kLineClass, kPointClass});  // X on the line
  ExpectLine(f.Out(s), 2.5, 3, -0.8, 0.6, false);
  EXPECT_NEAR(f.Out(s).x2, 2.5, kTol);  // P2 is the foot, here X itself
  const PointRecord& onLine = f.fig.Points[f.fig.StepOutputs[s][2].index];
  EXPECT_TRUE(onLine.exists);
  EXPECT_NEAR(onLine.x, 2.5, kTol);
  EXPECT_NEAR(onLine.y, 3, kTol);

  s = f.Step("L4", {base});
  ExpectLine(f.Out(s), 2.5, 3, -0.8, 0.6);
}

TEST(LinesTest, AngleBisectorAndDivision) {
  Fixture f;
  ObjectRef a = f.Point(5, 1), b = f.Point(1, 1), c = f.Point(1, 4);
  int s = f.Step("LH2", {a, b, c, f.Number(3), f.Number(1)});
  ExpectLine(f.Out(s), 1, 1, std::cos(kPi / 6), 0.5, false);
  EXPECT_NEAR(std::hypot(f.Out(s).x2 - 1, f.Out(s).y2 - 1), 4, kTol);  // P2 = A turned
  ASSERT_EQ(f.shell.marks.size(), 1u);
  EXPECT_EQ(f.shell.marks[0].vx, 1);
  EXPECT_EQ(f.shell.marks[0].ox, 5);
  EXPECT_NEAR(f.shell.marks[0].angle, 90, 1e-9);
  // Clockwise angle: the dividing line turns the other way.
  s = f.Step("LH2", {c, b, a, f.Number(3), f.Number(2)});
  EXPECT_NEAR(f.Out(s).dx, std::sin(kPi / 3), 1e-9);
  EXPECT_NEAR(f.Out(s).dy, 0.5, 1e-9);

  s = f.Step("LH2", {a, b, c, f.Number(0), f.Number(1)});
  EXPECT_FALSE(f.Out(s).exists);
  // n = 0 turns ray BA by nothing: the arm BA, from B through A.
  s = f.Step("LH2", {a, b, c, f.Number(2), f.Number(0)});
  ASSERT_TRUE(f.Out(s).exists);
  EXPECT_EQ(f.Out(s).x1, f.fig.Points[b.index].x);
  EXPECT_EQ(f.Out(s).x2, f.fig.Points[a.index].x);
  EXPECT_EQ(f.Out(s).y2, f.fig.Points[a.index].y);

  // LH1 passes through the incentre; its direction halves the angle.
  s = f.Step("LH1", {f.Point(3.7, 0.2), f.Point(0.3, 0.1), f.Point(-1.2, 2.9)});
  const LineRecord& h = f.Out(s);
  ASSERT_TRUE(h.exists);
  EXPECT_NEAR(h.x1, 0.3, kTol);
  double u1x = 3.4, u1y = 0.1, u2x = -1.5, u2y = 2.8;
  double a1 = std::atan2(h.dx * u1y - h.dy * u1x, h.dx * u1x + h.dy * u1y);
  double a2 = std::atan2(h.dx * u2y - h.dy * u2x, h.dx * u2x + h.dy * u2y);
  EXPECT_NEAR(a1, -a2, 1e-9);
}

TEST(LinesTest, TransformedLines) {
  Fixture f;
  ObjectRef l = f.Segment(1, 2, 3.5, 2.7);
  LineRecord original = f.fig.Lines[l.index];
  int s = f.Step("LHRO", {l, f.Number(0)});
  ExpectLine(f.Out(s), original.x1, original.y1, original.dx, original.dy, false);
  EXPECT_NEAR(f.Out(s).x2, original.x2, kTol);

  s = f.Step("LRO", {l, f.Point(1, 2), f.Number(180)});
  EXPECT_NEAR(f.Out(s).dx, -original.dx, 1e-9);
  EXPECT_NEAR(f.Out(s).dy, -original.dy, 1e-9);
  EXPECT_NEAR(f.Out(s).x1, 1, 1e-9);
  EXPECT_NEAR(f.Out(s).x2, -1.5, 1e-9);

  ObjectRef xAxis = f.Segment(0, 0, 1, 0);
  s = f.Step("LT1", {l, xAxis});
  EXPECT_NEAR(f.Out(s).y1, -2, kTol);
  EXPECT_NEAR(f.Out(s).y2, -2.7, kTol);
}

TEST(LinesTest, MissingInputsAndForeignKinds) {
  Fixture f;
  ObjectRef a = f.Point(0, 0), b = f.Point(2, 0);
  int s = f.Step("L1", {a, b});
  f.Out(s).lineKind = 1;
  f.fig.Points[b.index].exists = kFalse;
  ComputeLineStep(f.fig, s, f.engine);
  EXPECT_FALSE(f.Out(s).exists);
  EXPECT_EQ(f.Out(s).x2, 2);  // keeps its last position
  EXPECT_EQ(f.Out(s).lineKind, 1);

  // A reference past the table reads as a missing input, not a crash.
  s = f.Step("L2", {{kLineClass, 40}, a});
  EXPECT_FALSE(f.Out(s).exists);
  s = f.Step("L3+", {f.Segment(0, 0, 1, 1), a});
  EXPECT_FALSE(f.Out(s).exists);  // a group kind computes nothing
  ObjectRef n = f.Number(1);
  s = f.Step("LH2", {a, a, a, n, n});  // zero-length arms: angle 0
  EXPECT_FALSE(f.Out(s).exists);
}

}  // namespace
}  // namespace sakuzu
