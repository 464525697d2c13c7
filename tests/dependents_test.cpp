#include "view/dependents.h"

#include <gtest/gtest.h>

#include "fake_canvas.h"

namespace sakuzu {
namespace {

// What moves with A: through step inputs, an expression's operands and a
// binding to a host made after the point; nothing else.
TEST(Dependents, EverythingBuiltOnTheMovedObjects) {
  testing::Scene s;
  ObjectRef p = s.Point(5, 5);  // bound below to a circle built later
  ObjectRef a = s.Point(0, 0), b = s.Point(3, 0), c = s.Point(0, 4), d = s.Point(-2, -2);
  ObjectRef ab = s.Made("L1", {a, b}, kLineClass);
  ObjectRef dist = s.Made("ND2P", {a, b}, kNumberClass);
  ObjectRef twice = s.Made("CALC", {}, kNumberClass);
  s.fig.Numbers[twice.index].expression = "n1*N12";  // N12 does not exist
  ObjectRef circle = s.Made("C1", {c, twice}, kCircleClass);
  ObjectRef cd = s.Made("L1", {c, d}, kLineClass);
  ObjectRef half =
      s.Made("PN", {c, d, {kPendingNumberMark, 1}, {kPendingNumberMark, 1}}, kPointClass);
  s.fig.Points[p.index].bindKind = kCircleClass;
  s.fig.Points[p.index].bindIndex = circle.index;
  ASSERT_EQ(dist.index, 1);

  DependentSet moving = FindDependents(s.fig, {a});
  for (ObjectRef ref : {a, ab, dist, twice, circle, p}) EXPECT_TRUE(moving.Contains(ref));
  for (ObjectRef ref : {b, c, d, cd, half}) EXPECT_FALSE(moving.Contains(ref));
  EXPECT_EQ(moving.Count(), 6);
  // A varied number moves what reads it; nothing moves nothing.
  EXPECT_EQ(FindDependents(s.fig, {dist}).Count(), 4);
  EXPECT_EQ(FindDependents(s.fig, {}).Count(), 0);
}

}  // namespace
}  // namespace sakuzu
