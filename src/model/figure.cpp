#include "model/figure.h"

#include <algorithm>
#include <cctype>

#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr int kObjectGrowth = 10;
constexpr int kStepGrowth = 10;

template <typename Record, typename ResetFn>
void GrowObjectTable(Table<Record>& table, int upperBound, ResetFn reset) {
  int old = table.UpperBound();
  table.Resize(upperBound);
  for (int i = old + 1; i <= upperBound; ++i) reset(table[i]);
}

void ResetRecord(NumberRecord& r) { ResetNumberRecord(r); }
void ResetRecord(PointRecord& r) { ResetPointRecord(r); }
void ResetRecord(LineRecord& r) { ResetLineRecord(r); }
void ResetRecord(CircleRecord& r) { ResetCircleRecord(r); }

void GrowObjects(Figure& fig, int cls, int upperBound) {
  if (!IsObjectClass(cls)) return;
  auto grow = [upperBound](auto& table) {
    GrowObjectTable(table, upperBound, [](auto& record) { ResetRecord(record); });
  };
  VisitTable(fig, cls, grow);
  VisitPrevTable(fig, cls, grow);
}

void GrowStepSlots(Figure& fig, int upperBound) {
  fig.StepInputs.Resize(upperBound);
  fig.StepOutputs.Resize(upperBound);
  fig.StepStatus.Resize(upperBound);
  fig.StepReversed.Resize(upperBound);
  fig.CurrentOutputs.Resize(upperBound);
}

}  // namespace

Figure::Figure() { CreateTables(*this, kTableCapacity); }

std::string FixedText(std::string_view text, int width) {
  return TrimRight(CutToChars(text, width));
}

void CreateTables(Figure& fig, int capacity) {
  int steps = 2 * capacity;
  fig.StepKind = Table<std::string>(steps);
  fig.StepInputs = Table<StepSlots>(steps);
  fig.StepOutputs = Table<StepSlots>(steps);
  fig.StepStatus = Table<int16_t>(steps);
  fig.StepReversed = Table<int16_t>(steps);
  fig.CurrentOutputs = Table<std::array<int16_t, kSlotCount + 1>>(steps);
  fig.Numbers = Table<NumberRecord>(capacity);
  fig.PrevNumbers = Table<NumberRecord>(capacity);
  fig.Points = Table<PointRecord>(capacity);
  fig.PrevPoints = Table<PointRecord>(capacity);
  fig.Lines = Table<LineRecord>(capacity);
  fig.PrevLines = Table<LineRecord>(capacity);
  fig.Circles = Table<CircleRecord>(capacity);
  fig.PrevCircles = Table<CircleRecord>(capacity);
  fig.ObjectCounts.fill(0);
  ResetFigure(fig);
}

void ResetFigure(Figure& fig) {
  fig.StepCount = 0;
  for (int i = 0; i <= fig.Numbers.UpperBound(); ++i) {
    ResetNumberRecord(fig.Numbers[i]);
    ResetNumberRecord(fig.PrevNumbers[i]);
  }
  for (int i = 0; i <= fig.Points.UpperBound(); ++i) {
    ResetPointRecord(fig.Points[i]);
    ResetPointRecord(fig.PrevPoints[i]);
    fig.Points[i].name = DefaultName(kPointClass, i);
  }
  for (int i = 0; i <= fig.Lines.UpperBound(); ++i) {
    ResetLineRecord(fig.Lines[i]);
    ResetLineRecord(fig.PrevLines[i]);
    fig.Lines[i].name = DefaultName(kLineClass, i);
  }
  for (int i = 0; i <= fig.Circles.UpperBound(); ++i) {
    ResetCircleRecord(fig.Circles[i]);
    ResetCircleRecord(fig.PrevCircles[i]);
    fig.Circles[i].name = DefaultName(kCircleClass, i);
  }
}

int AddObject(Figure& fig, int cls) {
  if (cls < kNumberClass || cls > kCircleClass) return 0;
  int count = fig.ObjectCounts[cls];
  if (count >= kMaxCount) return 0;
  if (count == ObjectUpperBound(fig, cls)) GrowObjects(fig, cls, count + kObjectGrowth);
  fig.ObjectCounts[cls] = static_cast<int16_t>(count + 1);
  return count + 1;
}

int AppendStep(Figure& fig) {
  int n = fig.StepCount;
  if (n >= kMaxCount) return 0;
  if (fig.StepKind.UpperBound() == n) fig.StepKind.Resize(n + 1);
  if (fig.StepInputs.UpperBound() == n) GrowStepSlots(fig, n + kStepGrowth);
  fig.StepCount = static_cast<int16_t>(n + 1);
  fig.StepKind[n + 1].clear();
  fig.StepInputs[n + 1] = StepSlots{};
  fig.StepOutputs[n + 1] = StepSlots{};
  fig.StepReversed[n + 1] = 0;
  fig.StepStatus[n + 1] = 0;
  return n + 1;
}

void EnsureObjectCapacity(Figure& fig, int cls, int count) {
  int bound = ObjectUpperBound(fig, cls);
  if (bound >= count) return;
  while (bound < count) bound += kObjectGrowth;
  GrowObjects(fig, cls, bound);
}

void EnsureStepCapacity(Figure& fig, int steps) {
  if (fig.StepKind.UpperBound() < steps) fig.StepKind.Resize(steps);
  if (fig.StepInputs.UpperBound() < steps) GrowStepSlots(fig, steps);
}

void SetObjectName(Figure& fig, ObjectRef ref, std::string_view text) {
  int width = ref.ObjectClassCode() == kNumberClass ? kNumberNameLength : kShapeNameLength;
  VisitObject(fig, ref, [&](auto& record) { record.name = FixedText(TrimLeft(text), width); });
}

std::string ObjectName(const Figure& fig, ObjectRef ref) {
  std::string name;
  VisitObject(fig, ref, [&](const auto& record) { name = record.name; });
  return name;
}

void ResetNumberRecord(NumberRecord& r) {
  r.value = 0;
  r.exists = 0;
  r.name.clear();
  r.independent = 0;
  r.expression.clear();
}

void ResetPointRecord(PointRecord& r) {
  r.x = r.y = 0;
  r.color = 7;
  r.exists = 0;
  r.bindKind = 0;
  r.parameter = 0;
  r.name.clear();
}

void ResetLineRecord(LineRecord& r) {
  r.x1 = r.y1 = r.x2 = r.y2 = 0;
  r.exists = 0;
  r.lineKind = 0;
  r.dx = r.dy = 0;
  r.color = 7;
}

void ResetCircleRecord(CircleRecord& r) {
  r.cx = r.cy = 0;
  r.radius = 0;
  r.exists = 0;
  r.color = 7;
}

void ResetObject(Figure& fig, ObjectRef ref) {
  if (!VisitObject(fig, ref, [](auto& record) { ResetRecord(record); })) return;
  // A number's name goes with its record; a shape gets its default name.
  int cls = ref.ObjectClassCode();
  if (cls != kNumberClass) SetObjectName(fig, ref, DefaultName(cls, ref.index));
}

std::string DefaultName(int cls, int index) {
  if (cls == kNumberClass) return {};
  if (cls == kPointClass && index >= 1 && index <= 52)
    return std::string(1, static_cast<char>(64 + index));
  return std::to_string(index);
}

// Vector assignment of equal sizes assigns element by element, and string
// assignment keeps its storage: a copy per drag step allocates nothing.
void CopyToPrevious(Figure& fig) {
  fig.PrevNumbers = fig.Numbers;
  fig.PrevPoints = fig.Points;
  fig.PrevLines = fig.Lines;
  fig.PrevCircles = fig.Circles;
}

std::vector<ExpressionOperand> ExpressionOperands(const std::string& expression) {
  std::vector<ExpressionOperand> operands;
  for (size_t i = 0; i < expression.size(); ++i) {
    if (expression[i] != 'N' && expression[i] != 'n') continue;
    size_t j = i + 1;
    int index = 0;
    while (j < expression.size() && std::isdigit(static_cast<unsigned char>(expression[j])) &&
           index <= kMaxCount) {
      index = index * 10 + (expression[j] - '0');
      ++j;
    }
    if (j > i + 1) operands.push_back({i + 1, j, index});
    i = j - 1;
  }
  return operands;
}

}  // namespace sakuzu
