#include "interact/relation_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "geometry/recalc.h"
#include "model/figure_file.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"
#include "test_figure.h"

namespace sakuzu {
namespace {

ViewState Screen() {
  ViewState view;
  SetScreen(view, 640, 480);
  return view;
}

Engine Computing() {
  Engine engine;
  InstallExpressionEvaluator(engine);
  return engine;
}

Figure Sample(const std::string& name) {
  Figure fig;
  auto names = [](Figure& f) { UpdateAutoNames(f); };
  EXPECT_TRUE(ReadWriteFigure(fig, SAKUZU_SAMPLES "/" + name, FigureFileMode::kRead, names).ok);
  return fig;
}

Relation Named(const Figure& fig, const char* relation, std::vector<std::string> names) {
  RelationRequest request = RelationFromNames(fig, relation, names);
  EXPECT_TRUE(request.relation) << request.error;
  return request.relation.value_or(Relation{});
}

// A figure of our own: free points (draggable, or fixed by the figure) and
// constructed objects, computed as a full update does.
struct Builder {
  Figure fig;

  ObjectRef Free(const char* name, double x, double y, int16_t independent = -1) {
    const ObjectRef p = Make("PNEW", {}, kPointClass, name);
    PointRecord& r = fig.Points[p.index];
    r.x = x, r.y = y, r.exists = kTrue, r.independent = independent;
    return p;
  }
  ObjectRef Make(const char* kind, std::initializer_list<ObjectRef> in, int cls, const char* name) {
    const ObjectRef out{static_cast<int16_t>(cls), static_cast<int16_t>(AddObject(fig, cls))};
    AddStepWith(fig, kind, in, {out});
    SetObjectName(fig, out, name);
    if (cls == kLineClass) fig.Lines[out.index].lineKind = 1;
    return out;
  }
  Figure Computed() {
    Engine engine = Computing();
    FullUpdateCompute(fig, engine);
    return fig;
  }
};

Vec2 At(const Figure& fig, ObjectRef p) { return {fig.Points[p.index].x, fig.Points[p.index].y}; }

Vec2 PointNamed(const Figure& fig, const std::string& name) {
  for (int i = 1; i <= fig.ObjectCounts[kPointClass]; ++i) {
    if (fig.Points[i].name == name) return {fig.Points[i].x, fig.Points[i].y};
  }
  ADD_FAILURE() << "no point " << name;
  return {};
}
double Length(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The figure in the counterexample's position.
Figure Applied(Figure fig, const RelationAnswer& answer) {
  Engine engine = Computing();
  ApplyCounterexample(fig, answer.counterexample, engine);
  return fig;
}

TEST(RelationCheckTest, TheoremsOfTheExampleFiguresHoldAlways) {
  struct Case {
    const char* file;
    const char* relation;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"euler_line.zk4", "collinear", {"O", "G", "H"}},
      {"nine_point_circle.zk4", "concyclic", {"D", "E", "F", "P"}},  // midpoints and a foot
      {"nine_point_circle.zk4", "concyclic", {"P", "Q", "R", "K"}},  // feet, midpoint of AH
      {"nine_point_circle.zk4", "on", {"R", "1"}},
      {"thales_circle.zk4", "perpendicular", {"PA", "PB"}},  // P bound to the circle
      {"tangents_from_point.zk4", "tangent", {"1", "1"}},    // r varies too
      {"tangents_from_point.zk4", "tangent", {"line:2", "circle:1"}},
      {"tangents_from_point.zk4", "equal", {"PS", "PT"}},
      {"parabola_locus.zk4", "equal", {"PF", "d(P, D1D2)"}},  // X bound to a line
  };
  const ViewState view = Screen();
  for (const Case& c : cases) {
    const Figure fig = Sample(c.file);
    const std::string bytes = FigureBytes(fig);
    const RelationAnswer a = CheckRelation(fig, view, Named(fig, c.relation, c.names));
    EXPECT_EQ(a.outcome, CheckOutcome::kAlways) << c.file << " " << c.relation;
    EXPECT_EQ(a.now, NowState::kHolds);
    EXPECT_EQ(a.tried, 10000);
    EXPECT_GT(a.existing, 9000) << c.file;  // some positions lose an intersection
    EXPECT_EQ(a.failing, 0);
    EXPECT_TRUE(a.counterexample.empty());
    EXPECT_EQ(FigureBytes(fig), bytes) << "the check changed " << c.file;
  }
}

TEST(RelationCheckTest, CounterexamplesBreakTheRelation) {
  const ViewState view = Screen();
  auto check = [&](const Figure& fig, const Relation& r) {
    RelationAnswer a = CheckRelation(fig, view, r, {2000, 7});
    EXPECT_EQ(a.outcome, CheckOutcome::kNotAlways);
    EXPECT_FALSE(a.counterexample.empty());
    EXPECT_GT(a.failing, 0);
    for (const FreeValue& v : a.counterexample) {  // free points stay near the screen
      if (v.object.cls != kPointClass || fig.Points[v.object.index].bindKind != 0) continue;
      EXPECT_LE(std::fabs(v.x), 1.1 * view.ViewHalfWidth + 1e-9);
      EXPECT_LE(std::fabs(v.y), 1.1 * view.ViewHalfHeight + 1e-9);
    }
    return a;
  };

  // O, G and the incentre: collinear only for isosceles triangles.
  Figure euler = Sample("euler_line.zk4");
  RelationAnswer a = check(euler, Named(euler, "collinear", {"O", "G", "I"}));
  EXPECT_EQ(a.now, NowState::kFails);
  Figure moved = Applied(euler, a);
  const Vec2 o = PointNamed(moved, "O"), g = PointNamed(moved, "G"), i = PointNamed(moved, "I");
  const double twiceArea = std::fabs((g.x - o.x) * (i.y - o.y) - (g.y - o.y) * (i.x - o.x));
  EXPECT_GT(twiceArea / std::max({Length(o, g), Length(g, i), Length(i, o)}), 1e-3);

  // Inscribed angles over AB: equal on one arc only. Points bound to the circle.
  Figure inscribed = Sample("inscribed_angle.zk4");
  a = check(inscribed, Named(inscribed, "equal", {"∠APB", "∠AQB"}));
  EXPECT_EQ(a.now, NowState::kHolds);
  moved = Applied(inscribed, a);
  const Relation angles = Named(moved, "equal", {"∠APB", "∠AQB"});
  EXPECT_GT(std::fabs(moved.Numbers[angles.objects[0].index].value -
                      moved.Numbers[angles.objects[1].index].value),
            0.01);
  const CircleRecord& circle = moved.Circles[1];
  for (const char* name : {"A", "B", "P", "Q"}) {  // still on their circle
    const Vec2 p = PointNamed(moved, name);
    EXPECT_NEAR(Length(p, {circle.cx, circle.cy}), circle.radius, 1e-9) << name;
  }

  // Thales: PA is perpendicular to PB, not to AB.
  Figure thales = Sample("thales_circle.zk4");
  a = check(thales, Named(thales, "perpendicular", {"PA", "AB"}));
  moved = Applied(thales, a);
  const Vec2 p = PointNamed(moved, "P"), ta = PointNamed(moved, "A"), tb = PointNamed(moved, "B");
  const double cosine = ((p.x - ta.x) * (tb.x - ta.x) + (p.y - ta.y) * (tb.y - ta.y)) /
                        (Length(p, ta) * Length(tb, ta));
  EXPECT_GT(std::fabs(cosine), 1e-3);
  EXPECT_NEAR(Length(p, {(ta.x + tb.x) / 2, (ta.y + tb.y) / 2}), Length(ta, tb) / 2, 1e-9);
}

// A triangle dragged until it looks isosceles.
struct Isosceles : Builder {
  ObjectRef a = Free("A", 0, 5), b = Free("B", -3, 0), c = Free("C", 3, 0);
};

TEST(RelationCheckTest, ARelationOfTheMomentIsFoundButNotAlways) {
  Isosceles t;
  const Figure fig = t.Computed();
  const std::vector<RelationAnswer> found = FindRelations(fig, Screen(), {t.a, t.b, t.c});
  ASSERT_EQ(found.size(), 1u);
  const RelationAnswer& a = found[0];
  EXPECT_EQ(a.relation, (Relation{RelationKind::kEqualDistances, {t.a, t.b, t.a, t.c}}));
  EXPECT_EQ(a.now, NowState::kHolds);
  EXPECT_EQ(a.outcome, CheckOutcome::kNotAlways);
  EXPECT_EQ(a.existing, 10000);
  EXPECT_EQ(a.counterexample.size(), 3u);
  const Figure moved = Applied(fig, a);
  EXPECT_GT(
      std::fabs(Length(At(moved, t.a), At(moved, t.b)) - Length(At(moved, t.a), At(moved, t.c))),
      0.1);

  // The positions come from the visible area, wherever the view was panned.
  ViewState panned = Screen();
  panned.centerX = 500, panned.centerY = -300;
  const RelationAnswer far = CheckRelation(fig, panned, a.relation, {200, 1});
  ASSERT_EQ(far.outcome, CheckOutcome::kNotAlways);
  for (const FreeValue& v : far.counterexample) {
    EXPECT_LE(std::fabs(v.x - 500), 1.1 * panned.ViewHalfWidth);
    EXPECT_LE(std::fabs(v.y + 300), 1.1 * panned.ViewHalfHeight);
  }

  // Within a pixel (0.05 units) it still looks isosceles; four pixels off it does not.
  t.fig.Points[t.c.index].x = 3.02;
  EXPECT_EQ(FindRelations(t.Computed(), Screen(), {t.a, t.b, t.c}).size(), 1u);
  t.fig.Points[t.c.index].x = 3.2;
  EXPECT_TRUE(FindRelations(t.Computed(), Screen(), {t.a, t.b, t.c}).empty());
}

TEST(RelationCheckTest, TheSeedDecidesThePositions) {
  Isosceles t;
  const Figure fig = t.Computed();
  const Relation r{RelationKind::kEqualDistances, {t.a, t.b, t.a, t.c}};
  const RelationAnswer first = CheckRelation(fig, Screen(), r, {500, 42});
  const RelationAnswer again = CheckRelation(fig, Screen(), r, {500, 42});
  const RelationAnswer other = CheckRelation(fig, Screen(), r, {500, 43});
  EXPECT_EQ(first.seed, 42u);
  EXPECT_EQ(first.counterexample, again.counterexample);
  EXPECT_EQ(first.failing, again.failing);
  EXPECT_EQ(other.outcome, first.outcome);
  EXPECT_NE(other.counterexample, first.counterexample);
}

TEST(RelationCheckTest, HiddenFreeNumbersAreTheFiguresConstants) {
  // The midpoints of the nine-point figure divide in the ratio m : n, two
  // hidden free numbers of value 1.
  const Figure fig = Sample("nine_point_circle.zk4");
  const Relation midpoints = Named(fig, "concyclic", {"D", "E", "F", "P"});
  CheckOptions vary;
  vary.varyHiddenNumbers = true;
  const RelationAnswer varied = CheckRelation(fig, Screen(), midpoints, vary);
  EXPECT_EQ(varied.outcome, CheckOutcome::kNotAlways);
  auto lists = [](const RelationAnswer& a, int cls) {
    return std::any_of(a.counterexample.begin(), a.counterexample.end(),
                       [&](const FreeValue& v) { return v.object.cls == cls; });
  };
  EXPECT_TRUE(lists(varied, kNumberClass));
  const RelationAnswer kept =
      CheckRelation(fig, Screen(), Named(fig, "collinear", {"D", "E", "F"}));
  EXPECT_EQ(kept.outcome, CheckOutcome::kNotAlways);
  EXPECT_FALSE(lists(kept, kNumberClass));
}

TEST(RelationCheckTest, AnswersWithoutAVerdictChangeNothing) {
  Builder b;
  const ObjectRef pa = b.Free("A", -4, -1), pb = b.Free("B", 3, -2), pc = b.Free("C", 0, 4);
  const ObjectRef ab = b.Make("L1", {pa, pb}, kLineClass, "AB");
  const ObjectRef parallel = b.Make("L2", {ab, pc}, kLineClass, "m");
  const ObjectRef x = b.Make("PC1", {ab, parallel}, kPointClass, "X");  // parallels never meet
  const ObjectRef same = b.Make("PT3", {pa, pa}, kPointClass, "A2");    // A reflected in itself
  const ObjectRef fixedP = b.Free("U", 0, 0, 1), fixedQ = b.Free("V", 4, 0, 1);
  const ObjectRef fixedR = b.Free("W", 2, 0, 1), fixedS = b.Free("Z", 2, 1, 1);
  const Figure fig = b.Computed();
  const std::string bytes = FigureBytes(fig);
  const ViewState view = Screen();

  RelationAnswer a = CheckRelation(fig, view, {RelationKind::kOnLine, {x, ab}});
  EXPECT_EQ(a.outcome, CheckOutcome::kNeverExists);
  EXPECT_EQ(a.neverExisting, std::vector<ObjectRef>{x});
  EXPECT_EQ(a.existing, 0);
  a = CheckRelation(fig, view, {RelationKind::kCollinear, {pa, same, pb}});
  EXPECT_EQ(a.outcome, CheckOutcome::kAllDegenerate);
  EXPECT_EQ(a.inconclusive, a.existing);
  // Points the figure fixes: nothing moves, the one position is the answer.
  a = CheckRelation(fig, view, {RelationKind::kCollinear, {fixedP, fixedQ, fixedR}});
  EXPECT_EQ(a.outcome, CheckOutcome::kFixedHolds);
  EXPECT_EQ(a.tried, 0);
  a = CheckRelation(fig, view, {RelationKind::kCollinear, {fixedP, fixedQ, fixedS}});
  EXPECT_EQ(a.outcome, CheckOutcome::kFixedFails);
  a = CheckRelation(fig, view, {RelationKind::kCollinear, {pa, pa, pb}});
  EXPECT_EQ(a.outcome, CheckOutcome::kNotWellFormed);
  EXPECT_EQ(FigureBytes(fig), bytes);
}

TEST(RelationCheckTest, NamesMakeRelations) {
  const Figure fig = Sample("tangents_from_point.zk4");
  auto error = [&](const char* relation, std::vector<std::string> names) {
    RelationRequest r = RelationFromNames(fig, relation, names);
    EXPECT_FALSE(r.relation) << relation;
    return r.error;
  };
  // Line 1 and circle 1 share a name; "tangent 1 1" can only mean the two.
  EXPECT_EQ(Named(fig, "tangent", {"1", "1"}).kind, RelationKind::kLineTangent);
  EXPECT_EQ(Named(fig, "on", {"circle:1", "S"}),
            (Relation{RelationKind::kOnCircle, {{kPointClass, 3}, {kCircleClass, 1}}}));
  EXPECT_NE(error("tangent", {"1", "2"}).find("more than one way"), std::string::npos);
  EXPECT_NE(error("collinear", {"O", "P", "OP"}).find("'OP' is a line"), std::string::npos);
  EXPECT_NE(error("near", {"O", "P"}).find("unknown relation"), std::string::npos);
  EXPECT_NE(error("collinear", {"O", "P", "Nobody"}).find("Nobody"), std::string::npos);
  EXPECT_NE(error("parallel", {"OP"}).find("two lines"), std::string::npos);
  EXPECT_FALSE(error("equal", {"OS", "OS"}).empty());
}

}  // namespace
}  // namespace sakuzu
