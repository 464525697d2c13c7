// The long chain of constructions the drag and relation benchmarks work on:
// a free triangle; then per block its circumcentre, its circumcircle, its
// three vertices rotated 10 degrees about the circumcentre (a free angle
// number) as the next block's triangle, the midpoint of its first side and
// the line through its first vertex and the circumcentre: 7 objects a
// block, every one of them moving with the first triangle.
#pragma once

#include <initializer_list>

#include "model/figure.h"

namespace sakuzu {

class ChainMaker {
 public:
  // Blocks until about `objects` objects.
  Figure Build(int objects) {
    CreateTables(fig_, objects + 10);
    int16_t a = Free(-4, -2), b = Free(4, -2), c = Free(0, 4);
    int16_t angle = Number(10), one = Number(1);
    int blocks = (objects - 5) / 7;
    for (int k = 0; k < blocks; ++k) {
      int16_t o = Make("P1", {Pt(a), Pt(b), Pt(c)}, kPointClass);
      Make("C3", {Pt(a), Pt(b), Pt(c)}, kCircleClass);
      int16_t a2 = Make("PT1", {Pt(a), Pt(o), Num(angle)}, kPointClass);
      int16_t b2 = Make("PT1", {Pt(b), Pt(o), Num(angle)}, kPointClass);
      int16_t c2 = Make("PT1", {Pt(c), Pt(o), Num(angle)}, kPointClass);
      Make("PN", {Pt(a), Pt(b), Num(one), Num(one)}, kPointClass);
      Make("L1", {Pt(a), Pt(o)}, kLineClass);
      a = a2, b = b2, c = c2;
    }
    return fig_;
  }

 private:
  static ObjectRef Pt(int16_t i) { return {kPointClass, i}; }
  static ObjectRef Num(int16_t i) { return {kNumberClass, i}; }
  int16_t Free(double x, double y) {
    int16_t p = Make("PNEW", {}, kPointClass);
    PointRecord& r = fig_.Points[p];
    r.x = x, r.y = y, r.exists = kTrue, r.independent = kTrue;
    return p;
  }
  int16_t Number(double value) {
    auto n = static_cast<int16_t>(AddObject(fig_, kNumberClass));
    fig_.Numbers[n].value = value;
    fig_.Numbers[n].exists = fig_.Numbers[n].independent = kTrue;
    return n;
  }
  int16_t Make(const char* kind, std::initializer_list<ObjectRef> inputs, int cls) {
    int step = AppendStep(fig_);
    fig_.StepKind[step] = kind;
    int slot = 1;
    for (ObjectRef in : inputs) fig_.StepInputs[step][slot++] = in;
    auto index = static_cast<int16_t>(AddObject(fig_, cls));
    fig_.StepOutputs[step][1] = ObjectRef{static_cast<int16_t>(cls), index};
    return index;
  }

  Figure fig_;
};

inline int ObjectTotal(const Figure& fig) {
  int n = 0;
  for (int c = 0; c <= 3; ++c) n += fig.ObjectCounts[c];
  return n;
}

}  // namespace sakuzu
