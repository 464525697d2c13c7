#include "geometry/transforms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/points.h"
#include "test_figure.h"

namespace sakuzu {
namespace {

constexpr double kEps = 1e-9;

void ExpectAt(const PointResult& r, double x, double y, double eps = kEps) {
  EXPECT_TRUE(r.exists);
  EXPECT_NEAR(r.p.x, x, eps);
  EXPECT_NEAR(r.p.y, y, eps);
}
void ExpectAt(Vec2 v, double x, double y) { ExpectAt(PointResult{v, true}, x, y); }

TEST(TransformsTest, ReflectionsInversionTranslationPole) {
  ExpectAt(ReflectInLine({1, 2}, LineThroughPoints({0, 0}, {1, 0})), 1, -2);
  const Line2 slanted = LineThroughPoints({0.2, -0.3}, {1.7, 2.1});
  ExpectAt(ReflectInLine(ReflectInLine({-0.9, 1.4}, slanted).p, slanted), -0.9, 1.4);
  ExpectAt(ReflectInPoint({1.25, -3}, {0.5, 0.5}), -0.25, 4);
  ExpectAt(TranslateByLine({1, 1}, slanted), 2.5, 3.4);

  const Circle2 unit{{0, 0}, 1, true};
  ExpectAt(InvertInCircle({2, 0}, unit), 0.5, 0);
  EXPECT_FALSE(InvertInCircle({0.005, 0}, unit).exists);
  // Awkward circle and point: |CX|·|CX'| = r², and a second inversion
  // returns the point.
  const Circle2 c{{0.7, -1.3}, 2.45, true};
  for (Vec2 x : {Vec2{3.1, 0.4}, Vec2{0.7, 0.2}, Vec2{-4, -1.3}}) {
    const PointResult img = InvertInCircle(x, c);
    ASSERT_TRUE(img.exists);
    EXPECT_NEAR(PointDistance(x, c.c) * PointDistance(img.p, c.c), 2.45 * 2.45, kEps);
    ExpectAt(InvertInCircle(img.p, c), x.x, x.y);
  }

  const Circle2 two{{0, 0}, 2, true};
  ExpectAt(PoleOfLine(LineThroughPoints({1, 0}, {1, 1}), two), 4, 0);
  EXPECT_FALSE(PoleOfLine(LineThroughPoints({-1, -1}, {1, 1}), two).exists);
  EXPECT_FALSE(PoleOfLine(Line2{}, two).exists);
}

TEST(TransformsTest, PointsAsComplexNumbers) {
  EXPECT_FALSE(ComplexDivide({1, 1}, {0.005, 0.005}).exists);
  ExpectAt(ComplexMultiply({0, 1}, {0, 1}), -1, 0);
  ExpectAt(ComplexReciprocal({2, 0}), 0.5, 0);
  // (1.5 - 0.5i)(0.3 + 2.2i) = 1.55 + 3.15i, and back by division.
  const Vec2 zw = ComplexMultiply({1.5, -0.5}, {0.3, 2.2});
  ExpectAt(zw, 1.55, 3.15);
  ExpectAt(ComplexDivide(zw, {0.3, 2.2}), 1.5, -0.5);
  ExpectAt(ComplexSubtract(ComplexAdd({1.5, -0.5}, {0.3, 2.2}), {0.3, 2.2}), 1.5, -0.5);

  ExpectAt(ComplexPower({-1, 0}, 0.5), 0, 1);
  ExpectAt(ComplexPower({0, -1}, 0.5), -std::sqrt(0.5), std::sqrt(0.5));
  ExpectAt(ComplexPower({0, 0}, 0), 1, 0);
  ExpectAt(ComplexPower({0, 0}, 2.5), 0, 0);
  EXPECT_FALSE(ComplexPower({0, 0}, -1).exists);
  // The cube roots: z^(1/3) cubed returns z for an awkward z in each quadrant.
  for (Vec2 q : {Vec2{1.3, 0.7}, Vec2{-2.1, 0.4}, Vec2{-0.6, -1.9}, Vec2{0.8, -0.35}}) {
    const PointResult r = ComplexPower(q, 1.0 / 3);
    ASSERT_TRUE(r.exists);
    ExpectAt(ComplexMultiply(ComplexMultiply(r.p, r.p), r.p), q.x, q.y);
    EXPECT_GE(std::atan2(r.p.y, r.p.x), -1e-12);  // argument in [0, 2pi) / 3
  }
}

// The worked matrices are checked through the steps below.
TEST(TransformsTest, MatrixMaps) {
  EXPECT_FALSE(LinearMapMatrix({1, 2}, {2, 4}, {1, 0}, {0, 1}).exists);
  EXPECT_FALSE(AffineMapMatrix({0, 0}, {1, 1}, {2, 2}, {0, 0}, {1, 0}, {0, 1}).exists);
  // An awkward affine map sends each source point to its target.
  const Vec2 p[3] = {{0.3, -1.1}, {2.2, 0.4}, {-0.7, 1.9}};
  const Vec2 q[3] = {{1.4, 1.4}, {-0.5, 2.6}, {3.3, -0.2}};
  const MatrixResult a2 = AffineMapMatrix(p[0], p[1], p[2], q[0], q[1], q[2]);
  for (int k = 0; k < 3; ++k) ExpectAt(ApplyProjective(a2.m, p[k]), q[k].x, q[k].y);

  // General quadrilaterals (no parallel sides, one with a pair parallel):
  // each corner lands on its target, both ways.
  const Vec2 from[4] = {{-1.2, -0.8}, {2.1, -0.3}, {1.6, 1.9}, {-0.4, 1.1}};
  const Vec2 to[4] = {{0.5, 0.2}, {3.5, 0.2}, {2.7, 2.3}, {0.9, 2.3}};
  const Matrix r = ProjectiveMapMatrix(from, to), back = ProjectiveMapMatrix(to, from);
  for (int k = 0; k < 4; ++k) {
    ExpectAt(ApplyProjective(r, from[k]), to[k].x, to[k].y, 1e-7);
    ExpectAt(ApplyProjective(back, to[k]), from[k].x, from[k].y, 1e-7);
  }
}

// The transformation steps as the transformation figures build them: the
// image and matrix numbers 1-4 on the step, 5-9 on a "PT62" row after it.
struct MatrixFigure : TestFigure {
  int step = 0;

  MatrixFigure(const std::string& kind, const std::vector<Vec2>& points, bool continuation) {
    step = AppendStep(fig);
    fig.StepKind[step] = kind;
    const int rest = continuation ? AppendStep(fig) : 0;
    if (rest) fig.StepKind[rest] = "PT62";
    for (size_t k = 0; k < points.size(); ++k) {
      const int16_t i = static_cast<int16_t>(AddObject(fig, kPointClass));
      fig.Points[i].x = points[k].x, fig.Points[i].y = points[k].y, fig.Points[i].exists = kTrue;
      const int row = k < 5 ? step : rest;
      if (row) fig.StepInputs[row][k % 5 + 1] = {kPointClass, i};
    }
    fig.StepOutputs[step][1] = {kPointClass, static_cast<int16_t>(AddObject(fig, kPointClass))};
    for (int k = 1; k <= (kind == "PT5" ? 4 : 9); ++k) {
      const int row = k < 5 ? step : rest;
      const int16_t n = static_cast<int16_t>(AddObject(fig, kNumberClass));
      if (row) fig.StepOutputs[row][k % 5 + 1] = {kNumberClass, n};
    }
  }
  const PointRecord& Image() const { return fig.Points[fig.StepOutputs[step][1].index]; }
  NumberRecord& Entry(int k) {  // matrix number k, from 1
    return fig.Numbers[fig.StepOutputs[k < 5 ? step : step + 1][k % 5 + 1].index];
  }
  void Compute(bool finalPass) {
    fig.CurrentKindText = finalPass ? fig.StepKind[step] : "";
    ComputePointStep(fig, step, engine);
    if (fig.StepCount > step) ComputePointStep(fig, step + 1, engine);  // computes nothing
    fig.CurrentKindText.clear();
  }
};

TEST(TransformsTest, MatrixStepsWriteImageNumbersAndDisplay) {
  MatrixFigure pt5("PT5", {{1.5, -2}, {1, 0}, {0, 1}, {2, 0}, {0, 3}}, false);
  pt5.engine.matrixDisplay = true;
  pt5.Compute(false);
  ExpectAt(Vec2{pt5.Image().x, pt5.Image().y}, 3, -6);
  const double m[4] = {2, 0, 0, 3};
  for (int k = 1; k <= 4; ++k) EXPECT_TRUE(pt5.Entry(k).value == m[k - 1] && pt5.Entry(k).exists);
  EXPECT_TRUE(pt5.shell.texts.empty());  // only in the final pass
  pt5.Compute(true);
  ASSERT_EQ(pt5.shell.texts.size(), 1u);
  EXPECT_EQ(pt5.shell.texts[0], "--------------------\r\nM=\r\n2 , 0 , \r\n0 , 3 , \r\n");
  // Parallel source vectors: no image, the numbers keep their values.
  pt5.fig.Points[3].x = 2, pt5.fig.Points[3].y = 0;
  pt5.Compute(true);
  EXPECT_TRUE(!pt5.Image().exists && pt5.Entry(4).value == 3);
  EXPECT_EQ(pt5.shell.texts.size(), 1u);

  MatrixFigure pt6("PT6", {{0.5, 0.25}, {0, 0}, {1, 0}, {0, 1}, {5, 5}, {6, 5}, {5, 6}}, true);
  pt6.Compute(false);
  ExpectAt(Vec2{pt6.Image().x, pt6.Image().y}, 5.5, 5.25);
  const double r6[9] = {1, 0, 5, 0, 1, 5, 0, 0, 1};
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(pt6.Entry(k).value, r6[k - 1]) << k;

  // A collapsed target: the zero matrix, existing numbers, no image.
  MatrixFigure pt7(
      "PT7", {{0.3, 0.7}, {0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 2}, {2, 2}, {2, 2}, {2, 2}}, true);
  pt7.Compute(true);
  EXPECT_EQ(pt7.Image().exists, 0);
  for (int k = 1; k <= 9; ++k) EXPECT_TRUE(pt7.Entry(k).value == 0 && pt7.Entry(k).exists) << k;
  for (int k = 6; k <= 9; ++k) pt7.fig.Points[k] = pt7.fig.Points[k - 4];  // target = source
  pt7.Compute(false);
  ExpectAt(Vec2{pt7.Image().x, pt7.Image().y}, 0.3, 0.7);
}

TEST(TransformsTest, MatrixStepWithoutContinuationRow) {
  for (const char* kind : {"PT6", "PT7"}) {
    MatrixFigure f(kind, {{0, 0}, {0, 0}, {1, 0}, {1, 1}, {0, 1}}, false);
    for (int k = 1; k <= 4; ++k) f.Entry(k).exists = kTrue;
    f.Compute(true);  // must not read past the last step
    EXPECT_EQ(f.Image().exists, 0) << kind;
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(f.Entry(k).exists, 0) << kind;
    // A following row of another kind is not a continuation either.
    f.fig.StepKind[AppendStep(f.fig)] = "P3";
    f.Compute(true);
    EXPECT_EQ(f.Image().exists, 0) << kind;
  }
}

}  // namespace
}  // namespace sakuzu
