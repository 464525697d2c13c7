#include "geometry/measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/primitives.h"
#include "test_figure.h"

namespace sakuzu {
namespace {

constexpr double kPi15 = 3.14159265358979;

// Every measurement gets a step of its own with one output number.
struct Builder : TestFigure {
  // Appends the step, computes it and returns its output record.
  NumberRecord& Measure(const std::string& kind, const std::vector<ObjectRef>& inputs) {
    const int s = AppendStep(fig);
    fig.StepKind[s] = kind;
    for (size_t j = 0; j < inputs.size(); ++j) fig.StepInputs[s][j + 1] = inputs[j];
    fig.StepOutputs[s][1] = Add(kNumberClass);
    NumberRecord& n = fig.Numbers[fig.StepOutputs[s][1].index];
    n.value = 12345;  // a stale value that must stay when nothing exists
    ComputeNumberStep(fig, s, engine);
    return n;
  }
  double Value(const std::string& kind, const std::vector<ObjectRef>& inputs) {
    const NumberRecord& r = Measure(kind, inputs);
    EXPECT_EQ(r.exists, kTrue) << kind;
    return r.value;
  }
};

TEST(Measures, DistancesFromTheWorkedCases) {
  Builder b;
  auto x0 = b.Line(0, 0, 1, 0);
  EXPECT_DOUBLE_EQ(b.Value("ND2L", {x0, b.Line(0, 2, 1, 2)}), 2);
  EXPECT_DOUBLE_EQ(b.Value("ND2L", {x0, b.Line(1, 2, 0, 2)}), 0);  // opposite direction
  EXPECT_DOUBLE_EQ(b.Value("ND2L", {x0, b.Line(0, 0, 1, 1)}), 0);  // crossing, exists
  auto unit = b.Circle(0, 0, 1);
  EXPECT_DOUBLE_EQ(b.Value("ND2C", {unit, b.Circle(5, 0, 1)}), 3);
  EXPECT_DOUBLE_EQ(b.Value("ND2C", {unit, b.Circle(1, 0, 1)}), 0);
  EXPECT_DOUBLE_EQ(b.Value("ND2C", {b.Circle(0, 0, 5), b.Circle(1, 0, 1)}), 0);
  EXPECT_DOUBLE_EQ(b.Value("NDLC", {x0, b.Circle(0, 0.5, 1)}), -0.5);
  EXPECT_DOUBLE_EQ(b.Value("NDPC", {b.Point(0, 0), b.Circle(1, 0, 2)}), 1);
  EXPECT_DOUBLE_EQ(b.Value("NPL2", {b.Point(0, 1), x0}), 1);
  EXPECT_DOUBLE_EQ(b.Value("NPL2", {b.Point(0, -1), x0}), -1);
  EXPECT_DOUBLE_EQ(b.Value("NDPL", {b.Point(0, -1), x0}), 1);
  EXPECT_DOUBLE_EQ(b.Value("ND2P", {b.Point(0, 0), b.Point(3, 4)}), 5);
}

TEST(Measures, DistancesOnSlantedFigures) {
  Builder b;
  // y = 0.5x + 1 and y = 0.5x - 2: 3 / sqrt(1.25) apart.
  auto l1 = b.Line(0, 1, 2, 2);
  EXPECT_NEAR(b.Value("ND2L", {l1, b.Line(-4, -4, 6, 1)}), 3 / std::sqrt(1.25), 1e-12);
  // Directions within 0.01 per component still count as parallel; the
  // distance is taken from the first line's first point.
  auto nearly = b.Line(0, 5, 1, 5.01);
  EXPECT_NEAR(b.Value("ND2L", {b.Line(7, 0, 8, 0), nearly}), 5.07 / std::sqrt(1.0001), 1e-12);
  auto p = b.Point(1.5, -0.25);
  const double d = std::fabs(0.5 * 1.5 - (-0.25) + 1) / std::sqrt(1.25);
  EXPECT_NEAR(b.Value("NPL2", {p, l1}), -d, 1e-12);  // right of the direction
  EXPECT_NEAR(b.Value("NPL2", {p, b.Line(2, 2, 0, 1)}), d, 1e-12);
  EXPECT_NEAR(b.Value("NDLC", {l1, b.Circle(1.5, -0.25, 0.7)}), d - 0.7, 1e-12);
  EXPECT_NEAR(b.Value("NDPC", {p, b.Circle(-1, 2, 7.5)}), 7.5 - std::hypot(2.5, 2.25), 1e-12);
  // A line whose defining points coincide keeps the sign of its direction.
  auto collapsed = b.Line(0, 0, 1, 0);
  b.fig.Lines[collapsed.index].x2 = 0;
  EXPECT_DOUBLE_EQ(b.Value("NPL2", {b.Point(0.3, -2), collapsed}), -2);
}

TEST(Measures, AngleSignsRangesAndMarks) {
  Builder b;
  auto a = b.Point(1, 0), o = b.Point(0, 0), up = b.Point(0, 1), down = b.Point(0, -1);
  EXPECT_NEAR(b.Value("NA3+", {a, o, up}), 90, 1e-9);
  EXPECT_NEAR(b.Value("NA3+", {a, o, down}), -90, 1e-9);
  EXPECT_NEAR(b.Value("NA3*", {a, o, down}), 270, 1e-9);
  EXPECT_NEAR(b.Value("NA3P", {a, o, down}), 90, 1e-9);
  EXPECT_NEAR(b.Value("NA3M", {a, o, down}), 90, 1e-9);
  EXPECT_DOUBLE_EQ(b.Value("NA3+", {a, o, b.Point(-1, 0)}), 180);
  EXPECT_DOUBLE_EQ(b.Value("NA3+", {a, o, o}), 0);  // zero-length arm
  // Marks: vertex, arm point, the signed angle (NA3* its [0, 360) value).
  ASSERT_EQ(b.engine.angleMarks.size(), 7u);
  EXPECT_NEAR(b.engine.angleMarks[2].angle, 270, 1e-9);
  EXPECT_NEAR(b.engine.angleMarks[3].angle, -90, 1e-9);
  EXPECT_TRUE(b.engine.angleMarks[3].vx == 0 && b.engine.angleMarks[3].px == 1);
  EXPECT_TRUE(b.shell.messages.empty());

  EXPECT_NEAR(b.Value("NA2L", {b.Line(0, 0, 1, 0), b.Line(0, 0, -1, 1)}), 45, 1e-9);
  EXPECT_NEAR(b.Value("NA2L", {b.Line(0, 0, 1, 0), b.Line(3, 3, 3, -1)}), 90, 1e-9);
}

TEST(Measures, AreaSignsAndCoordinates) {
  Builder b;
  auto o = b.Point(0, 0), x = b.Point(1, 0), y = b.Point(0, 1), xy = b.Point(1, 1);
  EXPECT_DOUBLE_EQ(b.Value("NAR+", {o, x, y}), 0.5);
  EXPECT_DOUBLE_EQ(b.Value("NAR+", {o, y, x}), -0.5);
  EXPECT_NEAR(b.Value("NAR3", {o, y, x}), 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(b.Value("NAR4", {o, x, xy, y}), 1);
  EXPECT_DOUBLE_EQ(b.Value("NAR4", {o, y, xy, x}), 1);
  // A scalene triangle: the forms agree on the magnitude.
  auto p = b.Point(-1.25, 0.5), q = b.Point(2.5, -0.75), r = b.Point(0.3, 2.2);
  const double signedArea = ((2.5 + 1.25) * (2.2 - 0.5) - (0.3 + 1.25) * (-0.75 - 0.5)) / 2;
  EXPECT_DOUBLE_EQ(b.Value("NAR+", {p, q, r}), signedArea);
  EXPECT_NEAR(b.Value("NAR3", {r, q, p}), signedArea, 1e-9);
  EXPECT_DOUBLE_EQ(b.Value("NPX", {p}), -1.25);
  EXPECT_DOUBLE_EQ(b.Value("NPX2", {p}), -1.25);
  EXPECT_DOUBLE_EQ(b.Value("NPY", {p}), 0.5);
  EXPECT_EQ(b.Value("NLC", {b.Circle(0, 0, 1)}), 6.28318530717958);
  EXPECT_EQ(b.Value("NRC", {b.Circle(2, 3, 0.75)}), 0.75);
}

TEST(Measures, TrigonometryWithTheFifteenDigitPi) {
  Builder b;
  EXPECT_NEAR(b.Value("NSIN", {b.Number(30)}), 0.49999999999999956, 1e-17);
  EXPECT_LT(b.Value("NSIN", {b.Number(30)}), 0.5);
  EXPECT_NEAR(b.Value("NCOS", {b.Number(90)}), 1.6e-15, 0.1e-15);
  EXPECT_EQ(b.Value("NSIN", {b.Number(-37.5)}), std::sin(-37.5 * kPi15 / 180));
  EXPECT_NEAR(b.Value("NTAN", {b.Number(45)}), 1, 1e-14);
  EXPECT_EQ(b.Value("NTAN", {b.Number(89.4)}), std::tan(89.4 * kPi15 / 180));
  // Ties round to the even integer: 91.5 reads 92, 90.5 and -90.5 read 90 and -90.
  EXPECT_EQ(b.Value("NTAN", {b.Number(91.5)}), std::tan(91.5 * kPi15 / 180));
  for (double excluded : {0.0, 90.0, 180.0, 89.6, -270.0, 0.4, 450.2, 90.5, -90.5}) {
    const NumberRecord& r = b.Measure("NTAN", {b.Number(excluded)});
    EXPECT_EQ(r.exists, kFalse) << excluded;
    EXPECT_EQ(r.value, 0) << excluded;
  }
}

TEST(Measures, MissingOrInvalidInputsMakeNoNumber) {
  Builder b;
  auto a = b.Point(1, 0), o = b.Point(0, 0), c = b.Point(0, 1);
  b.fig.Points[o.index].exists = kFalse;
  const NumberRecord& angle = b.Measure("NA3+", {a, o, c});
  EXPECT_TRUE(angle.exists == kFalse && angle.value == 12345);  // left as it was
  EXPECT_TRUE(b.engine.angleMarks.empty());
  auto gone = b.Number(30);
  b.fig.Numbers[gone.index].exists = kFalse;
  EXPECT_EQ(b.Measure("NTAN", {gone}).value, 12345);
  // Slots naming nothing, an object of another class, or beyond the table.
  EXPECT_EQ(b.Measure("ND2P", {a, {kPointClass, 99}}).exists, kFalse);
  EXPECT_EQ(b.Measure("NRC", {}).exists, kFalse);
  for (int k = 0; k < 3; ++k) b.Line(0, k, 1, k);
  EXPECT_EQ(b.Measure("NDPL", {a, c}).exists, kFalse);  // point 3 where a line belongs
  // Values that overflow do not exist.
  auto far = b.Point(1e300, 1e300);
  EXPECT_EQ(b.Measure("NAR+", {far, b.Point(-1e300, 1e300), b.Point(0, -1e300)}).exists, kFalse);
  EXPECT_EQ(b.Measure("NSIN", {b.Number(INFINITY)}).exists, kFalse);
  // Unknown kinds, bad steps and bad outputs compute nothing.
  const NumberRecord& unknown = b.Measure("NXYZ", {a});
  EXPECT_TRUE(unknown.value == 12345 && unknown.exists == kFalse);
  ComputeNumberStep(b.fig, 0, b.engine);
  ComputeNumberStep(b.fig, b.fig.StepCount + 1, b.engine);
  const int s = AppendStep(b.fig);
  b.fig.StepKind[s] = "ND2P";
  b.fig.StepInputs[s][1] = a, b.fig.StepInputs[s][2] = c;
  b.fig.StepOutputs[s][1] = {kNumberClass, 500};
  ComputeNumberStep(b.fig, s, b.engine);  // no crash, nothing written
}

}  // namespace
}  // namespace sakuzu
