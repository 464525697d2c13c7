// Relations between objects as pure value tests: a point on a line or a
// circle, collinear and concyclic points, parallel and perpendicular
// lines, tangency, equal lengths, angles and numbers.
//
// Each test measures how far the objects are from the relation in one
// unit (a length, an angle in radians, or a difference of numbers),
// compares that with the tolerance, and says when the objects are so close
// to a degenerate case (two points together, a circle shrunk to a point)
// that the relation says nothing there, whichever way the measure came
// out. The measures are chosen to stay well conditioned near such cases:
// collinearity is the smallest height of the triangle, not the distance of
// one point from the line through the other two.
#pragma once

#include "geometry/primitives.h"

namespace sakuzu {

struct RelationTolerance {
  double length = 0;      // figure units
  double angle = 0;       // radians
  double relative = 0;    // numbers: a part of the larger magnitude, taken as at least 1
  double degenerate = 0;  // figure units: a shorter side, arm or radius is degenerate
};

enum class Verdict { kHolds, kFails, kDegenerate };

struct Judgement {
  Verdict verdict = Verdict::kDegenerate;
  // How far the objects are from the relation, in tolerances: above 1 for
  // a failure, so that the clearest of several failures can be told.
  double excess = 0;
};

// Lines and circles are taken as given (their `exists` is not looked at);
// lines as infinite, circles by the absolute value of their radius.
Judgement PointOnLine(Vec2 p, const Line2& l, const RelationTolerance& t);
Judgement PointOnCircle(Vec2 p, const Circle2& c, const RelationTolerance& t);
Judgement Collinear(Vec2 a, Vec2 b, Vec2 c, const RelationTolerance& t);
Judgement Concyclic(Vec2 a, Vec2 b, Vec2 c, Vec2 d, const RelationTolerance& t);
Judgement Parallel(const Line2& l, const Line2& m, const RelationTolerance& t);
Judgement Perpendicular(const Line2& l, const Line2& m, const RelationTolerance& t);
Judgement LineTangentToCircle(const Line2& l, const Circle2& c, const RelationTolerance& t);
// Touching from outside or from inside.
Judgement CirclesTangent(const Circle2& c, const Circle2& k, const RelationTolerance& t);
// Two lengths (of segments, or distances between points).
Judgement EqualLengths(double a, double b, const RelationTolerance& t);
// The angle ABC (at B, between 0 and 180 degrees) against the angle DEF.
Judgement EqualAngles(Vec2 a, Vec2 b, Vec2 c, Vec2 d, Vec2 e, Vec2 f, const RelationTolerance& t);
// Numbers of any kind; the tolerance is relative to the larger of the two
// (a length, an angle in degrees, an area and a ratio alike).
Judgement EqualNumbers(double a, double b, const RelationTolerance& t);

}  // namespace sakuzu
