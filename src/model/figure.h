// The figure: four object tables with their previous-state copies, and the
// construction steps that build the objects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/table.h"

namespace sakuzu {

enum ObjectClass : int16_t {
  kNumberClass = 0,
  kPointClass = 1,
  kLineClass = 2,
  kCircleClass = 3,
};

// Marks used while a command collects its inputs: a number still to be
// filled, and the slot at which a group command takes over.
constexpr int16_t kPendingNumberMark = 100;
constexpr int16_t kGroupMark = 200;

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

constexpr int kKindLength = 5;
constexpr int kShapeNameLength = 10;
constexpr int kNumberNameLength = 40;
constexpr int kExpressionLength = 70;

constexpr int kMaxCount = 32767;  // objects of one class, or steps
constexpr int16_t kTableCapacity = 50;
constexpr int kSlotCount = 5;
constexpr int kCountEntries = 11;  // ObjectCounts 0 to 10; 4 to 10 reserved

constexpr std::string_view kTooManyObjectsMessage =
    "これ以上作図できません。点・線・円・数と作図手続きは、それぞれ 32767 個までです。";

// (class, index); (0, 0) is an empty slot. The class modulo 100 is the
// object class.
struct ObjectRef {
  int16_t cls = 0;
  int16_t index = 0;

  bool IsEmpty() const { return cls == 0 && index == 0; }
  int ObjectClassCode() const { return cls % 100; }
  bool operator==(const ObjectRef&) const = default;
};

using StepSlots = std::array<ObjectRef, kSlotCount + 1>;  // slot 0 unused

struct NumberRecord {
  double value = 0;
  int16_t exists = 0;
  std::string name;  // at most 40 characters, no trailing blanks
  int16_t independent = 0;
  std::string expression;  // at most 70 characters
  int16_t display = 0;     // 0 shown, 7 hidden
  bool operator==(const NumberRecord&) const = default;
};

struct PointRecord {
  double x = 0, y = 0;
  int16_t color = 7;
  int16_t locusColor = 0;
  int16_t exists = 0;
  int16_t style = 0;
  int16_t independent = 0;
  int16_t bindKind = 0;
  int16_t bindIndex = 0;
  double parameter = 0;
  std::string name;
  bool operator==(const PointRecord&) const = default;
};

struct LineRecord {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int16_t exists = 0;
  int16_t lineKind = 0;
  double dx = 0, dy = 0;
  int16_t color = 7;
  int16_t locusColor = 0;
  std::string name;
  int16_t endsDraggable = 0;
  int16_t endPoint1 = 0, endPoint2 = 0;
  bool operator==(const LineRecord&) const = default;
};

struct CircleRecord {
  double cx = 0, cy = 0;
  double radius = 0;
  int16_t exists = 0;
  int16_t color = 7;
  int16_t locusColor = 0;
  std::string name;
  bool operator==(const CircleRecord&) const = default;
};

struct Figure {
  Table<NumberRecord> Numbers, PrevNumbers;
  Table<PointRecord> Points, PrevPoints;
  Table<LineRecord> Lines, PrevLines;
  Table<CircleRecord> Circles, PrevCircles;

  Table<std::string> StepKind;  // at most 5 characters, trimmed
  Table<StepSlots> StepInputs, StepOutputs;
  Table<int16_t> StepReversed;
  Table<int16_t> StepStatus;
  Table<std::array<int16_t, kSlotCount + 1>> CurrentOutputs;

  std::array<int16_t, kCountEntries> ObjectCounts{};
  int16_t StepCount = 0;

  // Recalculation state (see geometry/recalc.h).
  int16_t CurrentStep = 0;
  int16_t RecalcPasses = 0;
  int16_t FinalPass = 0;
  std::string CurrentKindText;
  int16_t ComplexOpsUsed = 0;

  std::string FigureFileName = "untitled";

  Figure();  // tables created with the standard capacity
};

// Creates every table afresh with room for n objects per class and 2n
// steps, and empties the figure.
void CreateTables(Figure& fig, int capacity);
void ResetFigure(Figure& fig);

// Appends one object of class c (0 to 3); returns its index, or 0 when the
// class already holds 32767 objects (kTooManyObjectsMessage).
int AddObject(Figure& fig, int cls);
// Appends an empty step; returns its number, or 0 at the 32767 limit.
int AppendStep(Figure& fig);

void SetObjectName(Figure& fig, ObjectRef ref, std::string_view text);
void ResetNumberRecord(NumberRecord& r);
void ResetPointRecord(PointRecord& r);
void ResetLineRecord(LineRecord& r);
void ResetCircleRecord(CircleRecord& r);
void ResetObject(Figure& fig, ObjectRef ref);

// "A".."Z" and the characters after them for points 1 to 52, decimal
// digits for larger point indices and for every line and circle.
std::string DefaultName(int cls, int index);

// The stored form of a fixed-length text: cut to `width` characters and
// without trailing blanks.
std::string FixedText(std::string_view text, int width);

// The one visitor over the four object tables: `visit` is called with the
// current table of class `cls`, which must be 0 to 3 (callers check it;
// the recomputation calls this for every slot of every step). What differs
// between the classes is then an overload of `visit` or an
// `if constexpr` on the record type.
template <typename FigureType, typename Visit>
[[gnu::always_inline]] inline decltype(auto) VisitTable(FigureType& fig, int cls, Visit&& visit) {
  switch (cls) {
    case kNumberClass:
      return visit(fig.Numbers);
    case kPointClass:
      return visit(fig.Points);
    case kLineClass:
      return visit(fig.Lines);
    default:
      return visit(fig.Circles);
  }
}

// The same over the previous-state tables.
template <typename FigureType, typename Visit>
decltype(auto) VisitPrevTable(FigureType& fig, int cls, Visit&& visit) {
  switch (cls) {
    case kNumberClass:
      return visit(fig.PrevNumbers);
    case kPointClass:
      return visit(fig.PrevPoints);
    case kLineClass:
      return visit(fig.PrevLines);
    default:
      return visit(fig.PrevCircles);
  }
}

inline bool IsObjectClass(int cls) { return cls >= kNumberClass && cls <= kCircleClass; }

// Upper bound of the current table of class c (0 to 3); 0 for any other.
// Inline: the computations check every slot against it.
inline int ObjectUpperBound(const Figure& fig, int cls) {
  if (!IsObjectClass(cls)) return 0;
  return VisitTable(fig, cls, [](const auto& table) { return table.UpperBound(); });
}

// The number of objects of class c, within its table; 0 for any other class.
inline int ClassCount(const Figure& fig, int cls) {
  if (!IsObjectClass(cls)) return 0;
  int count = fig.ObjectCounts[cls];
  int upper = ObjectUpperBound(fig, cls);
  return count < 0 ? 0 : (count > upper ? upper : count);
}

// Calls `visit` with the record `ref` names (its class modulo 100, any
// index within the table, slot 0 included); false, and no call, for a
// reference outside the tables.
template <typename FigureType, typename Visit>
bool VisitObject(FigureType& fig, ObjectRef ref, Visit&& visit) {
  int cls = ref.ObjectClassCode();
  if (!IsObjectClass(cls) || ref.index < 0 || ref.index > ObjectUpperBound(fig, cls)) return false;
  VisitTable(fig, cls, [&](auto& table) { visit(table[ref.index]); });
  return true;
}

// The same for the previous-state record.
template <typename FigureType, typename Visit>
bool VisitPrevObject(FigureType& fig, ObjectRef ref, Visit&& visit) {
  int cls = ref.ObjectClassCode();
  if (!IsObjectClass(cls) || ref.index < 0) return false;
  return VisitPrevTable(fig, cls, [&](auto& table) {
    if (ref.index > table.UpperBound()) return false;
    visit(table[ref.index]);
    return true;
  });
}

// Overloaded lambdas as one visitor.
template <typename... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <typename... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// Grow tables (keeping contents, new entries at their defaults) so that
// class c holds `count` objects / the step tables hold `steps` steps.
void EnsureObjectCapacity(Figure& fig, int cls, int count);
void EnsureStepCapacity(Figure& fig, int steps);

// The name of an object, or empty for an index outside its table.
std::string ObjectName(const Figure& fig, ObjectRef ref);

// The numbers an expression reads ("N", either case, and the index), with
// where each index's digits stand in the text.
struct ExpressionOperand {
  size_t from, to;  // the digits
  int index;
};
std::vector<ExpressionOperand> ExpressionOperands(const std::string& expression);

// Copies the current object tables into the previous-state tables.
void CopyToPrevious(Figure& fig);

}  // namespace sakuzu
