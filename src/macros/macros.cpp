#include "macros/macros.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace sakuzu {
namespace {

struct FreePoint {
  const char* name;
  double x, y;
  int16_t independent, style, color, locusColor;
};

class Builder {
 public:
  explicit Builder(Figure& fig) : fig_(fig) {}

  ObjectRef Point(const FreePoint& p) {
    ObjectRef ref = NewPoint(p.name, p.style, p.color, p.locusColor);
    PointRecord& r = fig_.Points[ref.index];
    r.x = p.x, r.y = p.y, r.exists = kTrue, r.independent = p.independent;
    int step = AppendStep(fig_);
    fig_.StepKind[step] = "PNEW";
    fig_.StepOutputs[step][1] = ref;
    return ref;
  }
  void Segment(ObjectRef a, ObjectRef b, int16_t color) {
    ObjectRef line{kLineClass, static_cast<int16_t>(AddObject(fig_, kLineClass))};
    fig_.Lines[line.index] = LineRecord{};
    fig_.Lines[line.index].lineKind = 1;
    fig_.Lines[line.index].color = color;
    SetObjectName(fig_, line, DefaultName(kLineClass, line.index));
    int step = AppendStep(fig_);
    fig_.StepKind[step] = "L1";
    fig_.StepInputs[step][1] = a;
    fig_.StepInputs[step][2] = b;
    fig_.StepOutputs[step][1] = line;
  }
  // φ(P): computed by the map, not existing until then.
  ObjectRef Image() { return NewPoint("φ(P)", 1, 1, 1); }
  ObjectRef Number(const char* name) {
    ObjectRef n{kNumberClass, static_cast<int16_t>(AddObject(fig_, kNumberClass))};
    fig_.Numbers[n.index] = NumberRecord{};
    SetObjectName(fig_, n, name);
    return n;
  }
  // A transformation step with its inputs and outputs, continued in a
  // "PT62" row for what does not fit in five slots.
  void Map(const char* kind, const std::vector<ObjectRef>& inputs,
           const std::vector<ObjectRef>& outputs) {
    int rows = (std::max(inputs.size(), outputs.size()) + kSlotCount - 1) / kSlotCount;
    int first = AppendStep(fig_);
    fig_.StepKind[first] = kind;
    for (int row = 1; row < rows; ++row) fig_.StepKind[AppendStep(fig_)] = "PT62";
    for (size_t k = 0; k < inputs.size(); ++k) {
      fig_.StepInputs[first + k / kSlotCount][k % kSlotCount + 1] = inputs[k];
    }
    for (size_t k = 0; k < outputs.size(); ++k) {
      fig_.StepOutputs[first + k / kSlotCount][k % kSlotCount + 1] = outputs[k];
    }
  }

 private:
  ObjectRef NewPoint(const char* name, int16_t style, int16_t color, int16_t locusColor) {
    ObjectRef ref{kPointClass, static_cast<int16_t>(AddObject(fig_, kPointClass))};
    PointRecord& r = fig_.Points[ref.index];
    r = PointRecord{};
    r.style = style, r.color = color, r.locusColor = locusColor;
    SetObjectName(fig_, ref, name);
    return ref;
  }

  Figure& fig_;
};

// Room for the macro's steps and objects within the 16-bit limits.
bool Fits(const Figure& fig, int steps, int points, int lines, int numbers) {
  return fig.StepCount + steps <= kMaxCount &&
         fig.ObjectCounts[kPointClass] + points <= kMaxCount &&
         fig.ObjectCounts[kLineClass] + lines <= kMaxCount &&
         fig.ObjectCounts[kNumberClass] + numbers <= kMaxCount;
}

std::vector<ObjectRef> Numbers(Builder& b, std::initializer_list<const char*> names) {
  std::vector<ObjectRef> made;
  for (const char* name : names) made.push_back(b.Number(name));
  return made;
}

}  // namespace

bool MacroLinear(Figure& fig) {
  if (!Fits(fig, 11, 7, 4, 4)) return false;
  Builder b(fig);
  ObjectRef p = b.Point({"P", 1, 1, -1, 1, 2, 2});
  ObjectRef o = b.Point({"O", 0, 0, 1, 0, 7, 0});
  ObjectRef p1 = b.Point({"P1", 1, 0, -1, 0, 7, 0});
  ObjectRef p2 = b.Point({"P2", 0, 1, -1, 0, 7, 0});
  ObjectRef q1 = b.Point({"Q1", 2, 1, -1, 0, 7, 0});
  ObjectRef q2 = b.Point({"Q2", 1, 2, -1, 0, 7, 0});
  b.Segment(o, p1, 2);
  b.Segment(o, p2, 2);
  b.Segment(o, q1, 1);
  b.Segment(o, q2, 1);
  ObjectRef image = b.Image();
  std::vector<ObjectRef> outputs{image};
  for (ObjectRef n : Numbers(b, {"A(1,1)", "A(1,2)", "A(2,1)", "A(2,2)"})) outputs.push_back(n);
  b.Map("PT5", {p, p1, p2, q1, q2}, outputs);
  return true;
}

bool MacroAffine(Figure& fig) {
  if (!Fits(fig, 13, 8, 4, 9)) return false;
  Builder b(fig);
  ObjectRef p = b.Point({"P", -2, 2, -1, 1, 2, 2});
  ObjectRef p1 = b.Point({"P1", -4, 0, -1, 0, 2, 0});
  ObjectRef p2 = b.Point({"P2", -3, 0, -1, 0, 2, 0});
  ObjectRef p3 = b.Point({"P3", -4, 1, -1, 0, 2, 0});
  ObjectRef q1 = b.Point({"Q1", 4, 0, -1, 0, 1, 0});
  ObjectRef q2 = b.Point({"Q2", 5, 0, -1, 0, 1, 0});
  ObjectRef q3 = b.Point({"Q3", 4, 1, -1, 0, 1, 0});
  b.Segment(p1, p2, 2);
  b.Segment(p1, p3, 2);
  b.Segment(q1, q2, 1);
  b.Segment(q1, q3, 1);
  ObjectRef image = b.Image();
  std::vector<ObjectRef> outputs{image};
  for (ObjectRef n : Numbers(b, {"A(1,1)", "A(1,2)", "A(1,3)", "A(2,1)", "A(2,2)", "A(2,3)",
                                 "A(3,1)", "A(3,2)", "A(3,3)"})) {
    outputs.push_back(n);
  }
  b.Map("PT6", {p, p1, p2, p3, q1, q2, q3}, outputs);
  return true;
}

bool MacroProjective(Figure& fig) {
  if (!Fits(fig, 11, 10, 0, 9)) return false;
  Builder b(fig);
  ObjectRef p = b.Point({"P", -2, 2, -1, 1, 2, 2});
  ObjectRef p1 = b.Point({"P1", -8, 0, -1, 1, 1, 0});
  ObjectRef p2 = b.Point({"P2", -4, 0, -1, 1, 2, 0});
  ObjectRef p3 = b.Point({"P3", -4, 4, -1, 1, 3, 0});
  ObjectRef p4 = b.Point({"P4", -8, 4, -1, 1, 4, 0});
  ObjectRef q1 = b.Point({"Q1", 2, 0, -1, 1, 1, 0});
  ObjectRef q2 = b.Point({"Q2", 6, 0, -1, 1, 2, 0});
  ObjectRef q3 = b.Point({"Q3", 6, 4, -1, 1, 3, 0});
  ObjectRef q4 = b.Point({"Q4", 2, 4, -1, 1, 4, 0});
  ObjectRef image = b.Image();
  std::vector<ObjectRef> outputs{image};
  for (ObjectRef n : Numbers(b, {"A(1,1)", "A(1,2)", "A(1,3)", "A(2,1)", "A(2,2)", "A(2,3)",
                                 "A(3,1)", "A(3,2)", "A(3,3)"})) {
    outputs.push_back(n);
  }
  b.Map("PT7", {p, p1, p2, p3, p4, q1, q2, q3, q4}, outputs);
  return true;
}

}  // namespace sakuzu
