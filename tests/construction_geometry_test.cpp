// Every construction command of the catalogue, driven as a user drives it
// (menu command, inputs picked with the keys, numbers typed in the number
// dialog), and what it built checked against a computation of this file
// or a theorem: never against the stored step.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <functional>
#include <map>
#include <numbers>
#include <optional>
#include <sstream>

#include "interaction_fixture.h"
#include "model/kinds.h"

namespace sakuzu {
namespace {

using testing::Bench;
using Typed = testing::ScriptedNumbers::Typed;
using Z = std::complex<double>;

constexpr double kTol = 1e-9;
constexpr double kDeg = std::numbers::pi / 180;

Z At(const PointRecord& p) { return {p.x, p.y}; }
Z P1(const LineRecord& l) { return {l.x1, l.y1}; }
Z P2(const LineRecord& l) { return {l.x2, l.y2}; }
Z Dir(const LineRecord& l) { return {l.dx, l.dy}; }
Z Centre(const CircleRecord& c) { return {c.cx, c.cy}; }
double Dot(Z a, Z b) { return std::real(std::conj(a) * b); }
double Cross(Z a, Z b) { return std::imag(std::conj(a) * b); }
// Signed distance of z from the line pq, positive on its left.
double Side(Z z, Z p, Z q) { return Cross(q - p, z - p) / std::abs(q - p); }
double Dist(Z z, const LineRecord& l) { return std::abs(Cross(Dir(l), z - P1(l))); }
// The angle (radians) that turns direction `from` onto direction `to`.
double Turn(Z from, Z to) { return std::arg(to / from); }
Z Reflect(Z z, Z p, Z q) {
  Z u = (q - p) / std::abs(q - p);
  return p + u * u * std::conj(z - p);
}
Z Foot(Z z, Z p, Z q) { return (z + Reflect(z, p, q)) / 2.0; }

void Eq(double a, double b) { EXPECT_NEAR(a, b, kTol); }
void Eq(Z a, Z b) { EXPECT_LT(std::abs(a - b), kTol) << a << " vs " << b; }
void OnLine(Z z, const LineRecord& l) { EXPECT_LT(Dist(z, l), kTol) << z; }
void OnCircle(Z z, const CircleRecord& c) { Eq(std::abs(z - Centre(c)), c.radius); }
void Tangent(const LineRecord& l, Z centre, double r) { Eq(Dist(centre, l), r); }

// The scene every command starts from: points A to E, the segment AB (L1),
// the line CD (L2), the parallel to AB through C (L3), and the circles K1
// (A, 1.5), K2 (B, 4) and K3 (E, 1), whose radii are numbers 1 to 3.
ObjectRef SceneObject(const std::string& name) {
  auto index = [&](char c) { return static_cast<int16_t>(c - (name.size() == 1 ? 'A' : '1') + 1); };
  if (name.size() == 1) return {kPointClass, index(name[0])};
  return {name[0] == 'L' ? kLineClass : kCircleClass, index(name[1])};
}

// A menu command; its inputs picked with the arrow keys and Enter, its
// numbers typed in the number dialog.
void Command(Bench& b, std::string_view control, const std::string& picks,
             const std::vector<double>& numbers = {}) {
  for (double v : numbers) b.numbers.answers.push_back(Typed{v});
  ASSERT_TRUE(RunKindCommand(b.ws, control));
  std::istringstream names(picks);
  for (std::string name; names >> name;) {
    ObjectRef ref = SceneObject(name);
    for (int i = 0; i < 20 && b.ws.pick.current != ref; ++i) b.Key(kKeyDown);
    ASSERT_EQ(b.ws.pick.current, ref) << name;
    b.Key(kKeyEnter);
  }
}

void BuildScene(Bench& b) {
  b.PlacePoints({{-2, -1}, {3, -0.5}, {0.5, 2.5}, {-1.5, 2}, {6, 4}});
  Command(b, "mnuS2P", "A B");
  Command(b, "mnlL2P", "C D");
  Command(b, "mnuLLP1", "L1 C");
  Command(b, "mnuCPN", "A", {1.5});
  Command(b, "mnuCPN", "B", {4});
  Command(b, "mnuCPN", "E", {1});
}

// What a command made: the objects of each class after those it found.
struct Result {
  const Figure& fig;
  std::array<int16_t, 4> before;
  Z A, B, C, D, E;

  Z Point(int k) const { return At(fig.Points[before[kPointClass] + k]); }
  const LineRecord& Line(int k) const { return fig.Lines[before[kLineClass] + k]; }
  const CircleRecord& Circle(int k) const { return fig.Circles[before[kCircleClass] + k]; }
  double Number() const { return fig.Numbers[fig.ObjectCounts[kNumberClass]].value; }
  int Made(int cls) const { return fig.ObjectCounts[cls] - before[cls]; }
};

// The triangle ABC's centres: equal distances from its side lines (signed
// by the triangle's sense), negated for the side opposite the excentre.
void TouchesSides(const Result& m, Z o, double r, bool excircle) {
  double s = Cross(m.B - m.A, m.C - m.A) > 0 ? 1 : -1;
  Eq(Side(o, m.A, m.B), s * r);
  Eq(Side(o, m.C, m.A), s * r);
  Eq(Side(o, m.B, m.C), (excircle ? -s : s) * r);
}

// The points a nine-point circle passes through.
std::array<Z, 4> NinePoints(const Result& m) {
  return {(m.A + m.B) / 2.0, (m.B + m.C) / 2.0, (m.C + m.A) / 2.0, Foot(m.A, m.B, m.C)};
}

using Check = std::function<void(const Result&)>;

struct Case {
  std::string picks;
  std::vector<double> numbers;
  Check check;
  std::optional<Z> click;  // where the new point goes
};

std::map<std::string_view, Case> BuildCases() {
  std::map<std::string_view, Case> cases;
  auto add = [&](std::string_view control, std::string picks, std::vector<double> numbers,
                 Check check, std::optional<Z> click = {}) {
    cases[control] = {std::move(picks), std::move(numbers), std::move(check), click};
  };
  // Triangle centres.
  add("mnuPgaishin", "A B C", {}, [](const Result& m) {
    Eq(std::abs(m.Point(1) - m.A), std::abs(m.Point(1) - m.B));
    Eq(std::abs(m.Point(1) - m.A), std::abs(m.Point(1) - m.C));
  });
  add("mnuPnaishin", "A B C", {}, [](const Result& m) {
    TouchesSides(m, m.Point(1), std::abs(Side(m.Point(1), m.A, m.B)), false);
  });
  add("mnuPjushin", "A B C", {}, [](const Result& m) {
    Eq(m.Point(1) - m.A, 2.0 / 3.0 * ((m.B + m.C) / 2.0 - m.A));  // 2 : 1 on the median
  });
  add("mnuPsuishin", "A B C", {}, [](const Result& m) {
    Eq(Dot(m.Point(1) - m.A, m.C - m.B), 0);
    Eq(Dot(m.Point(1) - m.B, m.C - m.A), 0);
  });
  add("mnuPboushin", "A B C", {}, [](const Result& m) {
    TouchesSides(m, m.Point(1), std::abs(Side(m.Point(1), m.A, m.B)), true);
  });
  add("mnuP9ptcCenter", "A B C", {}, [](const Result& m) {
    std::array<Z, 4> q = NinePoints(m);
    for (Z z : q) Eq(std::abs(z - m.Point(1)), std::abs(q[0] - m.Point(1)));
  });
  // Intersections.
  add("mnuPcrossLL", "L1 L2", {}, [](const Result& m) {
    OnLine(m.Point(1), m.fig.Lines[1]);
    OnLine(m.Point(1), m.fig.Lines[2]);
  });
  add("mnuPcrossLC", "L1 K1", {}, [](const Result& m) {
    for (int k : {1, 2}) {
      OnLine(m.Point(k), m.fig.Lines[1]);
      OnCircle(m.Point(k), m.fig.Circles[1]);
    }
    EXPECT_GT(std::abs(m.Point(1) - m.Point(2)), 1);
  });
  add("mnuPcrossCC", "K1 K2", {}, [](const Result& m) {
    for (int k : {1, 2}) {
      OnCircle(m.Point(k), m.fig.Circles[1]);
      OnCircle(m.Point(k), m.fig.Circles[2]);
    }
    EXPECT_GT(std::abs(m.Point(1) - m.Point(2)), 1);
  });
  // Points from points and numbers.
  add("mnuPnaibun", "A B", {2, 3}, [](const Result& m) {
    Eq(std::abs(m.Point(1) - m.A), 0.4 * std::abs(m.B - m.A));
    Eq(std::abs(m.B - m.Point(1)), 0.6 * std::abs(m.B - m.A));
  });
  add("mnuPextension", "A B", {0.5}, [](const Result& m) {
    Eq(std::abs(m.Point(1) - m.B), 0.5 * std::abs(m.B - m.A));
    Eq(std::abs(m.Point(1) - m.A), 1.5 * std::abs(m.B - m.A));
  });
  add("mnuPtoubun", "A B", {4}, [](const Result& m) {
    ASSERT_EQ(m.Made(kPointClass), 3);
    for (int k = 1; k <= 3; ++k) {
      Eq(std::abs(m.Point(k) - m.A), k / 4.0 * std::abs(m.B - m.A));
      Eq(std::abs(m.B - m.Point(k)), (4 - k) / 4.0 * std::abs(m.B - m.A));
    }
  });
  add(
      "mnuPnewFreeP", "", {},
      [](const Result& m) {
        ASSERT_EQ(m.Made(kPointClass), 1);
        EXPECT_LT(std::abs(m.Point(1) - Z(1.25, -2.5)), 1e-6);
      },
      Z(1.25, -2.5));
  add(
      "mnuPboundL", "L2", {}, [](const Result& m) { OnLine(m.Point(1), m.fig.Lines[2]); },
      Z(1, -1));
  add(
      "mnuPboundC", "K1", {}, [](const Result& m) { OnCircle(m.Point(1), m.fig.Circles[1]); },
      Z(1, -1));
  add("mnuPxy", "", {1.25, -0.75}, [](const Result& m) { Eq(m.Point(1), Z(1.25, -0.75)); });
  // Transformations of a point.
  add("mnuProtate", "C A", {50}, [](const Result& m) {
    Eq(std::abs(m.Point(1) - m.A), std::abs(m.C - m.A));
    Eq(Turn(m.C - m.A, m.Point(1) - m.A), 50 * kDeg);
  });
  add("mnuPlinesym", "C L1", {}, [](const Result& m) {
    Eq(std::abs(m.Point(1) - m.A), std::abs(m.C - m.A));
    Eq(std::abs(m.Point(1) - m.B), std::abs(m.C - m.B));
    EXPECT_GT(std::abs(m.Point(1) - m.C), 1);
  });
  add("mnuPPsym", "C A", {}, [](const Result& m) { Eq((m.Point(1) + m.C) / 2.0, m.A); });
  add("mnuPinversion", "C K1", {}, [](const Result& m) {
    Eq(Cross(m.Point(1) - m.A, m.C - m.A), 0);
    Eq(Dot(m.Point(1) - m.A, m.C - m.A), 1.5 * 1.5);  // one ray, |AX| |AC| = r²
  });
  add("mnuPParallel", "C L1", {}, [](const Result& m) { Eq(m.Point(1) - m.C, m.B - m.A); });
  add("mnuPLCpolar", "L2 K1", {}, [](const Result& m) {
    // L2 is the pole's polar: (Y - A).(X - A) = r² along it.
    for (Z y : {m.C, m.D}) Eq(Dot(y - m.A, m.Point(1) - m.A), 1.5 * 1.5);
  });
  // Points as complex numbers.
  add("mnuCMPplus", "C D", {}, [](const Result& m) { Eq(m.Point(1), m.C + m.D); });
  add("mnuCMPminus", "C D", {}, [](const Result& m) { Eq(m.Point(1), m.C - m.D); });
  add("mnuCMPmulti", "C D", {}, [](const Result& m) { Eq(m.Point(1), m.C * m.D); });
  add("mnuCMPdiv", "C D", {}, [](const Result& m) { Eq(m.Point(1), m.C / m.D); });
  add("mnuCMPpower", "C", {0.5}, [](const Result& m) { Eq(m.Point(1), std::sqrt(m.C)); });
  add("mnuCMPinv", "C", {}, [](const Result& m) { Eq(m.Point(1), 1.0 / m.C); });
  // Lines through points, and the part of them drawn.
  add("mnlL2P", "C E", {}, [](const Result& m) {
    OnLine(m.C, m.Line(1));
    OnLine(m.E, m.Line(1));
    EXPECT_EQ(m.Line(1).lineKind, 0);
  });
  add("mnuH2P", "C E", {}, [](const Result& m) {
    Eq(P1(m.Line(1)), m.C);
    Eq(Dot(Dir(m.Line(1)), m.E - m.C), std::abs(m.E - m.C));  // from C towards E
    EXPECT_EQ(m.Line(1).lineKind, 2);
  });
  add("mnuS2P", "C E", {}, [](const Result& m) {
    Eq(P1(m.Line(1)), m.C);
    Eq(P2(m.Line(1)), m.E);
    EXPECT_EQ(m.Line(1).lineKind, 1);
  });
  add("mnuLLP1", "L1 C", {}, [](const Result& m) {
    OnLine(m.C, m.Line(1));
    Eq(Cross(Dir(m.Line(1)), m.B - m.A), 0);
  });
  add("mnuLLP2", "L1 C", {}, [](const Result& m) {
    Eq(Side(m.Point(1), m.A, m.B), 0);  // the foot
    Eq(Dot(m.Point(1) - m.C, m.B - m.A), 0);
    OnLine(m.C, m.Line(1));
    OnLine(m.Point(1), m.Line(1));
  });
  add("mnuSPLperpendicular", "L1 C", {}, [](const Result& m) {
    Eq(m.Point(1), Foot(m.C, m.A, m.B));
    Eq(P1(m.Line(1)), m.C);
    Eq(P2(m.Line(1)), m.Point(1));
    EXPECT_EQ(m.Line(1).lineKind, 1);
  });
  add("mnuLperpendicular", "L1", {}, [](const Result& m) {
    for (Z p : {P1(m.Line(1)), P2(m.Line(1))}) Eq(std::abs(p - m.A), std::abs(p - m.B));
  });
  // Tangents and polars.
  add("mnuLPCtangent", "E K1", {}, [](const Result& m) {
    for (int k : {1, 2}) {
      OnLine(m.E, m.Line(k));
      Tangent(m.Line(k), m.A, 1.5);
    }
    EXPECT_GT(std::abs(Cross(Dir(m.Line(1)), Dir(m.Line(2)))), 0.1);
  });
  add("mnuL2Ctangent1", "K1 K2", {}, [](const Result& m) {
    for (int k : {1, 2}) {
      Tangent(m.Line(k), m.A, 1.5);
      Tangent(m.Line(k), m.B, 4);
      Z p = P1(m.Line(k)), q = p + Dir(m.Line(k));
      EXPECT_GT(Side(m.A, p, q) * Side(m.B, p, q), 0);  // both circles on one side
    }
    EXPECT_GT(std::abs(Cross(Dir(m.Line(1)), Dir(m.Line(2)))), 0.1);
  });
  add("mnuL2Ctangent2", "K1 K3", {}, [](const Result& m) {
    for (int k : {1, 2}) {
      Tangent(m.Line(k), m.A, 1.5);
      Tangent(m.Line(k), m.E, 1);
      Z p = P1(m.Line(k)), q = p + Dir(m.Line(k));
      EXPECT_LT(Side(m.A, p, q) * Side(m.E, p, q), 0);  // the line runs between them
    }
    EXPECT_GT(std::abs(Cross(Dir(m.Line(1)), Dir(m.Line(2)))), 0.1);
  });
  add("mnuLPCpole", "E K1", {}, [](const Result& m) {
    for (Z y : {P1(m.Line(1)), P2(m.Line(1))}) Eq(Dot(y - m.A, m.E - m.A), 1.5 * 1.5);
  });
  // Angles: the bisector and the n-section turn from BA towards BC.
  add("mnuHbisector", "A B C", {}, [](const Result& m) {
    Eq(P1(m.Line(1)), m.B);
    Eq(Turn(m.A - m.B, Dir(m.Line(1))), Turn(m.A - m.B, m.C - m.B) / 2);
    EXPECT_EQ(m.Line(1).lineKind, 2);
  });
  add("mnuHNsector", "A B C", {3}, [](const Result& m) {
    ASSERT_EQ(m.Made(kLineClass), 2);
    for (int k = 1; k <= 2; ++k) {
      OnLine(m.B, m.Line(k));
      Eq(Turn(m.A - m.B, Dir(m.Line(k))), Turn(m.A - m.B, m.C - m.B) * k / 3);
    }
  });
  // Transformations of a line.
  add("mnuHrotation2", "L1 C", {30}, [](const Result& m) {
    Z turn = std::polar(1.0, 30 * kDeg);  // the segment AB about C: a segment
    Eq(P1(m.Line(1)), m.C + (m.A - m.C) * turn);
    Eq(P2(m.Line(1)), m.C + (m.B - m.C) * turn);
    EXPECT_EQ(m.Line(1).lineKind, 1);
  });
  add("mnuHrotation", "L1", {40}, [](const Result& m) {
    Eq(P1(m.Line(1)), m.A);
    Eq(Turn(m.B - m.A, Dir(m.Line(1))), 40 * kDeg);
  });
  add("mnuTLLinesym", "L2 L1", {}, [](const Result& m) {
    for (Z z : {m.C, m.D}) OnLine(Reflect(z, m.A, m.B), m.Line(1));
  });
  add("mnuTransformLPsymmetry", "L2 A", {}, [](const Result& m) {
    for (Z z : {m.C, m.D}) OnLine(2.0 * m.A - z, m.Line(1));
  });
  add("mnuTransformLParallel", "L2 L1", {}, [](const Result& m) {
    for (Z z : {m.C, m.D}) OnLine(z + m.B - m.A, m.Line(1));
  });
  // Polygons.
  add("mnuSpolygon", "A B C D", {4}, [](const Result& m) {
    ASSERT_EQ(m.Made(kLineClass), 4);
    const Z v[] = {m.A, m.B, m.C, m.D, m.A};
    for (int k = 0; k < 4; ++k) {
      Eq(P1(m.Line(k + 1)), v[k]);
      Eq(P2(m.Line(k + 1)), v[k + 1]);
      EXPECT_EQ(m.Line(k + 1).lineKind, 1);
    }
  });
  add("mnuSRegularPolygon", "A B", {5}, [](const Result& m) {
    ASSERT_EQ(m.Made(kPointClass), 3);
    ASSERT_EQ(m.Made(kLineClass), 5);
    const Z v[] = {m.A, m.B, m.Point(1), m.Point(2), m.Point(3), m.A, m.B};
    for (int k = 1; k <= 5; ++k) {
      Eq(std::abs(v[k] - v[k - 1]), std::abs(m.B - m.A));
      Eq(std::abs(Turn(v[k + 1] - v[k], v[k - 1] - v[k])), 108 * kDeg);
    }
  });
  // Circles.
  add("mnuCPN", "C", {2.2}, [](const Result& m) {
    Eq(Centre(m.Circle(1)), m.C);
    Eq(m.Circle(1).radius, 2.2);
  });
  add("mnuC2P", "C D", {}, [](const Result& m) {
    Eq(Centre(m.Circle(1)), m.C);
    OnCircle(m.D, m.Circle(1));
  });
  add("mnuCgaisetsu", "A B C", {}, [](const Result& m) {
    for (Z z : {m.A, m.B, m.C}) OnCircle(z, m.Circle(1));
  });
  add("mnuCdiameter", "L1", {}, [](const Result& m) {
    OnCircle(m.A, m.Circle(1));
    OnCircle(m.B, m.Circle(1));
    Eq(2 * m.Circle(1).radius, std::abs(m.B - m.A));
  });
  add("mnuCnaisetsu", "A B C", {},
      [](const Result& m) { TouchesSides(m, Centre(m.Circle(1)), m.Circle(1).radius, false); });
  add("mnuCbousetsu", "A B C", {},
      [](const Result& m) { TouchesSides(m, Centre(m.Circle(1)), m.Circle(1).radius, true); });
  add("mnuC9pt", "A B C", {}, [](const Result& m) {
    for (Z z : NinePoints(m)) OnCircle(z, m.Circle(1));
  });
  add("mnuTransformCrotate", "K1 C", {70}, [](const Result& m) {
    Z o = Centre(m.Circle(1));
    Eq(std::abs(o - m.C), std::abs(m.A - m.C));
    Eq(Turn(m.A - m.C, o - m.C), 70 * kDeg);
    Eq(m.Circle(1).radius, 1.5);
  });
  add("mnuTransformLLinesymmetry", "K3 L1", {}, [](const Result& m) {
    Z o = Centre(m.Circle(1));
    Eq(std::abs(o - m.A), std::abs(m.E - m.A));
    Eq(std::abs(o - m.B), std::abs(m.E - m.B));
    EXPECT_GT(std::abs(o - m.E), 1);
    Eq(m.Circle(1).radius, 1);
  });
  add("mnuTransformCPsymmetry", "K3 A", {}, [](const Result& m) {
    Eq((Centre(m.Circle(1)) + m.E) / 2.0, m.A);
    Eq(m.Circle(1).radius, 1);
  });
  add("mnuTransformCparallel", "K3 L1", {}, [](const Result& m) {
    Eq(Centre(m.Circle(1)) - m.E, m.B - m.A);
    Eq(m.Circle(1).radius, 1);
  });
  // Measurements.
  add("mnuMdis2P", "A C", {}, [](const Result& m) { Eq(m.Number(), std::abs(m.C - m.A)); });
  add("mnuMdisPL", "C L1", {},
      [](const Result& m) { Eq(m.Number(), std::abs(Side(m.C, m.A, m.B))); });
  add("mnuMdisPL2", "C L1", {},  // positive on the left of A to B
      [](const Result& m) { Eq(m.Number(), Side(m.C, m.A, m.B)); });
  add("mnuMdisPC", "C K1", {},
      [](const Result& m) { Eq(m.Number(), std::abs(std::abs(m.C - m.A) - 1.5)); });
  add("mnuMdis2L", "L1 L3", {},
      [](const Result& m) { Eq(m.Number(), std::abs(Side(m.C, m.A, m.B))); });
  add("mnuMdisLC", "L2 K1", {},
      [](const Result& m) { Eq(m.Number(), std::abs(Side(m.A, m.C, m.D)) - 1.5); });
  add("mnuMdis2C", "K1 K3", {}, [](const Result& m) { Eq(m.Number(), std::abs(m.E - m.A) - 2.5); });
  add("mnuMangle1", "A B C", {}, [](const Result& m) {
    Z a = m.A - m.B, c = m.C - m.B;
    Eq(m.Number(), std::acos(Dot(a, c) / std::abs(a) / std::abs(c)) / kDeg);
  });
  add("mnuMangle3", "A B C", {}, [](const Result& m) {
    Eq(m.Number(), Turn(m.A - m.B, m.C - m.B) / kDeg);
    EXPECT_LT(m.Number(), 0);  // clockwise
  });
  add("mnuMangle2", "A B C", {},
      [](const Result& m) { Eq(m.Number(), 360 + Turn(m.A - m.B, m.C - m.B) / kDeg); });
  add("mnuMangle2L", "L1 L2", {}, [](const Result& m) {
    Z u = m.B - m.A, v = m.D - m.C;
    Eq(m.Number(), std::acos(std::abs(Dot(u, v)) / std::abs(u) / std::abs(v)) / kDeg);
  });
  add("mnuMarea3P1", "A B C", {},
      [](const Result& m) { Eq(m.Number(), std::abs(Cross(m.B - m.A, m.C - m.A)) / 2); });
  add("mnuMarea3P2", "A C B", {},
      [](const Result& m) { Eq(m.Number(), Cross(m.C - m.A, m.B - m.A) / 2); });
  add("mnuMarea4P", "A B C D", {}, [](const Result& m) {
    const Z v[] = {m.A, m.B, m.C, m.D, m.A};
    double twice = 0;
    for (int k = 0; k < 4; ++k) twice += Cross(v[k], v[k + 1]);  // the shoelace
    Eq(m.Number(), std::abs(twice) / 2);
  });
  add("mnuMAxisX", "C", {}, [](const Result& m) { Eq(m.Number(), m.C.real()); });
  add("mnuMAxisX2", "C", {}, [](const Result& m) { Eq(m.Number(), m.C.real()); });
  add("mnuMAxisY", "C", {}, [](const Result& m) { Eq(m.Number(), m.C.imag()); });
  add("mnuMlengthCenshu", "K1", {},
      [](const Result& m) { Eq(m.Number(), 2 * std::numbers::pi * 1.5); });
  add("mnuMlengthCradius", "K2", {}, [](const Result& m) { Eq(m.Number(), 4); });
  add("mnuMFsin", "", {30}, [](const Result& m) { Eq(m.Number(), 0.5); });
  add("mnuMFcos", "", {60}, [](const Result& m) { Eq(m.Number(), 0.5); });
  add("mnuMFtan", "", {45}, [](const Result& m) { Eq(m.Number(), 1); });
  add("mnuMcalc", "", {}, [](const Result& m) { Eq(m.Number(), 1.5 * 4); });  // "N1*N2"
  return cases;
}

TEST(ConstructionGeometry, EveryCommandBuildsItsFigure) {
  const std::map<std::string_view, Case> cases = BuildCases();
  for (const KindInfo& kind : AllKinds()) {
    for (const KindCommand& command : kind.commands) {
      SCOPED_TRACE(command.control);
      auto found = cases.find(command.control);
      ASSERT_NE(found, cases.end()) << "no geometry check for " << command.control;
      const Case& c = found->second;
      Bench b;
      BuildScene(b);
      ASSERT_EQ(b.Modes(), std::vector<int16_t>{kModeStandard});
      const Figure& fig = b.fig;
      auto at = [&](int i) { return At(fig.Points[i]); };
      const int16_t* counts = fig.ObjectCounts.data();
      Result m{fig,  {counts[0], counts[1], counts[2], counts[3]}, at(1), at(2), at(3), at(4),
               at(5)};
      b.numbers.expression = "N1*N2";
      Command(b, command.control, c.picks, c.numbers);
      if (c.click) b.Click(c.click->real(), c.click->imag());
      if (b.Modes().back() == kModePlacePoint) b.Key(kKeyEnter);
      if (b.Modes().back() == kModeNewPoint) b.Key(kKeyEscape);
      ASSERT_EQ(b.Modes(), std::vector<int16_t>{kModeStandard});
      EXPECT_TRUE(b.shell.messages.empty());
      // Something of the kind's class was made; whatever was made exists,
      // and every new line is a sound line.
      EXPECT_GT(m.Made(KindOutputClass(kind.code)), 0);
      for (int k = 1; k <= m.Made(kPointClass); ++k) {
        EXPECT_NE(fig.Points[m.before[kPointClass] + k].exists, 0);
      }
      for (int k = 1; k <= m.Made(kCircleClass); ++k) EXPECT_NE(m.Circle(k).exists, 0);
      for (int k = 1; k <= m.Made(kLineClass); ++k) {
        EXPECT_NE(m.Line(k).exists, 0);
        Eq(std::abs(Dir(m.Line(k))), 1);
        OnLine(P2(m.Line(k)), m.Line(k));
      }
      for (int n = m.before[kNumberClass] + 1; n <= fig.ObjectCounts[kNumberClass]; ++n) {
        EXPECT_NE(fig.Numbers[n].exists, 0);
      }
      c.check(m);
    }
  }
}

}  // namespace
}  // namespace sakuzu
