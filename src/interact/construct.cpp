// Constructing: a command starts its step from the kinds catalogue, picks
// its inputs, asks for its numbers and finishes (the group commands, such
// as equal division, angle sections and polygons, finish with several
// steps); new and bound points, deleting and repeating the last step, a
// new figure, expressions and the macros. Every part works on the one
// pending step and its slots, which is why they stay in one file.
#include "interact/construct.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "interact/deform.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "interact/prompts.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

ObjectRef Ref(int cls, int index) {
  return ObjectRef{static_cast<int16_t>(cls), static_cast<int16_t>(index)};
}

std::string LastKind(const Figure& fig) {
  if (fig.StepCount < 1 || fig.StepCount > fig.StepKind.UpperBound()) return {};
  return Trim(fig.StepKind[fig.StepCount]);
}

void Push(Workspace& ws, int16_t mode) { PushMode(ws.modes, mode, ws.shell()); }
void Pop(Workspace& ws) { PushMode(ws.modes, kPopMode, ws.shell()); }

void FullUpdate(Workspace& ws) {
  UpdateAutoNames(ws.fig, ws.renderer.engine.translate);
  Redraw(ws.renderer);
}

// A new object with a clean record: a reused table entry must not bring
// the style, binding or independence of the object it held before.
ObjectRef NewObject(Workspace& ws, int cls) {
  int index = AddObject(ws.fig, cls);
  if (index == 0) return {};
  ObjectRef ref = Ref(cls, index);
  VisitObject(ws.fig, ref, [](auto& record) { record = std::decay_t<decltype(record)>{}; });
  if (cls != kNumberClass) SetObjectName(ws.fig, ref, DefaultName(cls, index));
  return ref;
}

// A free number holding `value`, as the groups make for their steps.
ObjectRef NewFreeNumber(Workspace& ws, double value) {
  ObjectRef n = NewObject(ws, kNumberClass);
  if (n.IsEmpty()) return n;
  NumberRecord& r = ws.fig.Numbers[n.index];
  r.value = value;
  r.independent = kTrue;
  r.exists = kTrue;
  return n;
}

// Removes the newest objects of a class down to `count` objects.
void DropObjectsAbove(Figure& fig, int cls, int count) {
  while (fig.ObjectCounts[cls] > count && fig.ObjectCounts[cls] > 0) {
    ResetObject(fig, Ref(cls, fig.ObjectCounts[cls]));
    --fig.ObjectCounts[cls];
  }
}

// Withdraws the pending step without touching objects.
void WithdrawPendingStep(Figure& fig) {
  int n = fig.StepCount;
  if (n < 1) return;
  fig.StepKind[n].clear();
  fig.StepInputs[n] = StepSlots{};
  fig.StepOutputs[n] = StepSlots{};
  fig.StepCount = static_cast<int16_t>(n - 1);
}

void ShowTooMany(Workspace& ws) { ws.shell().ShowMessage(ws.T(kTooManyObjectsMessage)); }

// The step of a command that places a new point, with that point; 0 when
// the tables are full (the command's mode is left and the user told).
int StartPointStep(Workspace& ws, const char* kind, ObjectRef& point) {
  Figure& fig = ws.fig;
  int step = AppendStep(fig);
  point = step ? NewObject(ws, kPointClass) : ObjectRef{};
  if (point.IsEmpty()) {
    if (step) WithdrawPendingStep(fig);
    Pop(ws);
    ShowTooMany(ws);
    return 0;
  }
  fig.StepKind[step] = kind;
  ws.build.InputLineKindRequired.fill(-1);
  ws.build.OutputLineKind.fill(-1);
  return step;
}

// The slot classes a kind takes and makes (number 100, group slot 200).
void SetUpSlots(Figure& fig, int step, const KindInfo& info) {
  StepSlots& in = fig.StepInputs[step];
  StepSlots& out = fig.StepOutputs[step];
  in = StepSlots{};
  out = StepSlots{};
  for (size_t k = 0; k < info.inputs.size() && k < kSlotCount; ++k) {
    in[k + 1] = ObjectRef{info.inputs[k], 0};
  }
  for (size_t k = 0; k < info.outputs.size() && k < kSlotCount; ++k) {
    out[k + 1] = ObjectRef{info.outputs[k], 0};
  }
}

// The first input slot still to be filled (0 when none).
int NextMissingSlot(const Figure& fig) {
  const StepSlots& in = fig.StepInputs[fig.StepCount];
  for (int k = 1; k <= kSlotCount; ++k) {
    if (in[k].cls != 0 && in[k].index == 0) return k;
  }
  return 0;
}

void AskForNumber(Workspace& ws);

// Starts choosing the object (or number) for input slot k.
void RequestSlot(Workspace& ws, int k) {
  ObjectRef slot = ws.fig.StepInputs[ws.fig.StepCount][k];
  if (slot.cls == kPendingNumberMark) {
    AskForNumber(ws);
    return;
  }
  ws.build.CurrentLineKindRequired = ws.build.InputLineKindRequired[k];
  if (!BuildCandidates(ws, slot.cls)) InputPicked(ws, ObjectRef{slot.cls, 0});
}

// A construction ends without a step: the pending step, the objects it
// added and the free numbers typed in for it go.
void CancelConstruction(Workspace& ws) {
  Figure& fig = ws.fig;
  if (IsPolygonInProgress(ws)) {
    while (fig.StepCount > ws.build.polygonStep) WithdrawPendingStep(fig);
    ws.build.polygonStep = 0;
  }
  bool bound = LastKind(fig) == "PBND";
  if (bound) {
    ObjectRef point = fig.StepOutputs[fig.StepCount][1];
    if (point.index == fig.ObjectCounts[kPointClass])
      DropObjectsAbove(fig, kPointClass, point.index - 1);
  }
  WithdrawPendingStep(fig);
  DropObjectsAbove(fig, kNumberClass, ws.build.numbersAtStart);
  Pop(ws);  // choosing
  Pop(ws);  // the command (17, or 29 for a bound point)
  Redraw(ws.renderer);
}

void AskForNumber(Workspace& ws) {
  std::optional<int16_t> chosen;
  if (ws.numbers) {
    NumberChoiceRequest request;
    request.mode = CurrentMode(ws.modes).value_or(0);
    request.kind = LastKind(ws.fig);
    request.decimals = ws.renderer.settings.decimals;
    const StepSlots& in = ws.fig.StepInputs[ws.fig.StepCount];
    int filled = 0;
    for (int k = 1; k <= kSlotCount; ++k) filled += in[k].cls == kNumberClass && in[k].index != 0;
    std::string_view purpose = NumberPurpose(request.kind, filled + 1);
    if (!purpose.empty()) request.purpose = ws.T(purpose);
    chosen = ws.numbers->ChooseNumber(ws.fig, request);
  }
  bool valid = chosen && *chosen >= 1 && *chosen <= ClassCount(ws.fig, kNumberClass);
  InputPicked(ws, ObjectRef{kNumberClass, static_cast<int16_t>(valid ? *chosen : 0)});
}

// The count of a group (parts, sides, vertices): a whole number of at
// least `least`, asked until given or cancelled. The answer is the number
// the user chose or typed.
std::optional<ObjectRef> AskForCount(Workspace& ws, int least) {
  while (ws.numbers) {
    NumberChoiceRequest request;
    request.mode = CurrentMode(ws.modes).value_or(0);
    request.kind = LastKind(ws.fig);
    request.decimals = ws.renderer.settings.decimals;
    std::string_view purpose = NumberPurpose(request.kind, 0);
    if (!purpose.empty()) request.purpose = ws.T(purpose);
    std::optional<int16_t> chosen = ws.numbers->ChooseNumber(ws.fig, request);
    if (!chosen || *chosen < 1 || *chosen > ClassCount(ws.fig, kNumberClass)) return std::nullopt;
    double value = ws.fig.Numbers[*chosen].value;
    if (std::isfinite(value) && value == std::floor(value) && value >= least &&
        value <= kMaxCount) {
      return Ref(kNumberClass, *chosen);
    }
    std::string message = ws.T(kWholeCountMessage);
    ReplaceAll(message, "{n}", std::to_string(least));
    ws.shell().ShowMessage(message);
  }
  return std::nullopt;
}

bool Fits(const Figure& fig, int steps, std::array<int, 4> objects) {
  if (fig.StepCount + steps > kMaxCount) return false;
  for (int c = 0; c < 4; ++c) {
    if (fig.ObjectCounts[c] + objects[c] > kMaxCount) return false;
  }
  return true;
}

// Appends a step of `kind` with the given inputs and new outputs of the
// given classes; the outputs' references.
std::vector<ObjectRef> AddStep(Workspace& ws, std::string_view kind,
                               std::initializer_list<ObjectRef> inputs,
                               std::initializer_list<int> outputs) {
  Figure& fig = ws.fig;
  int step = AppendStep(fig);
  fig.StepKind[step] = std::string(kind);
  int k = 1;
  for (ObjectRef in : inputs) fig.StepInputs[step][k++] = in;
  std::vector<ObjectRef> made;
  k = 1;
  for (int cls : outputs) {
    ObjectRef out = NewObject(ws, cls);
    fig.StepOutputs[step][k++] = out;
    made.push_back(out);
  }
  return made;
}

void CloseGroup(Workspace& ws, std::string_view kind) {
  AddStep(ws, kind, {}, {});
  Pop(ws);
  Pop(ws);
  FullUpdate(ws);
}

void FinishEqualDivision(Workspace& ws, ObjectRef a, ObjectRef b, int n) {
  for (int k = 1; k < n; ++k) {
    ObjectRef m = NewFreeNumber(ws, k), rest = NewFreeNumber(ws, n - k);
    ObjectRef p = AddStep(ws, "PN", {a, b, m, rest}, {kPointClass})[0];
    ws.fig.Points[p.index].style = 1;  // "×"
  }
  CloseGroup(ws, "PNEQ");
}

// Line k of n leaves ray BA at k/n of the angle. An "LH2" step holds the
// count before the line's number (theta * slot 5 / slot 4), as stored
// figure files have it.
void FinishAngleSection(Workspace& ws, ObjectRef a, ObjectRef b, ObjectRef c, int n) {
  for (int k = 1; k < n; ++k) {
    ObjectRef parts = NewFreeNumber(ws, n), line = NewFreeNumber(ws, k);
    AddStep(ws, "LH2", {a, b, c, parts, line}, {kLineClass});
  }
  CloseGroup(ws, "LH2+");
}

void FinishPerpendicularFoot(Workspace& ws, ObjectRef line, ObjectRef point) {
  ObjectRef perpendicular = AddStep(ws, "L3", {line, point}, {kLineClass})[0];
  ws.fig.Lines[perpendicular.index].lineKind = 1;
  AddStep(ws, "PC1", {line, perpendicular}, {kPointClass});
  CloseGroup(ws, "L3+");
}

void AddSides(Workspace& ws, const std::vector<ObjectRef>& vertices) {
  size_t n = vertices.size();
  for (size_t k = 0; k < n; ++k) {
    ObjectRef side = AddStep(ws, "L1", {vertices[k], vertices[(k + 1) % n]}, {kLineClass})[0];
    ws.fig.Lines[side.index].lineKind = 1;
  }
}

void FinishRegularPolygon(Workspace& ws, ObjectRef a, ObjectRef b, int n) {
  ObjectRef angle = NewFreeNumber(ws, 180.0 - 360.0 / n);
  std::vector<ObjectRef> vertices{a, b};
  for (int k = 2; k < n; ++k) {
    ObjectRef next =
        AddStep(ws, "PT1", {vertices[k - 2], vertices[k - 1], angle}, {kPointClass})[0];
    vertices.push_back(next);
  }
  AddSides(ws, vertices);
  CloseGroup(ws, "LRGN");
}

// The polygon's vertices so far: the first in its opening step, the
// others one per "LPG+" step.
std::vector<ObjectRef> PolygonVertices(const Workspace& ws) {
  const Figure& fig = ws.fig;
  std::vector<ObjectRef> vertices;
  int start = ws.build.polygonStep;
  if (start < 1 || start > fig.StepCount) return vertices;
  vertices.push_back(fig.StepInputs[start][1]);
  for (int s = start + 1; s <= fig.StepCount; ++s) {
    if (Trim(fig.StepKind[s]) == "LPG+") vertices.push_back(fig.StepInputs[s][1]);
  }
  return vertices;
}

void PolygonVertexPicked(Workspace& ws, ObjectRef vertex) {
  AddStep(ws, "LPG+", {vertex}, {});
  std::vector<ObjectRef> vertices = PolygonVertices(ws);
  if (static_cast<int>(vertices.size()) < ws.build.polygonVertices) {
    MarkPicked(ws, vertex);
    if (!BuildPolygonCandidates(ws)) {
      ws.shell().ShowMessage(ws.T(kTooFewVerticesMessage));
      CancelConstruction(ws);
    }
    return;
  }
  ws.build.polygonStep = 0;
  AddSides(ws, vertices);
  CloseGroup(ws, "LPGN");
}

// The pending group step has its picked inputs; the count (when the kind
// needs one) goes into its group slot, then the steps inside follow.
void FinishGroup(Workspace& ws, int groupSlot) {
  Figure& fig = ws.fig;
  int step = fig.StepCount;
  std::string kind = LastKind(fig);
  StepSlots& in = fig.StepInputs[step];
  in[groupSlot] = ObjectRef{};
  if (kind == "L3+") {
    if (!Fits(fig, 3, {0, 1, 1, 0})) {
      ShowTooMany(ws);
      return CancelConstruction(ws);
    }
    return FinishPerpendicularFoot(ws, in[1], in[2]);
  }
  int least = kind == "PNEQ" || kind == "LH2+" ? 2 : 3;
  std::optional<ObjectRef> count = AskForCount(ws, least);
  if (!count) return CancelConstruction(ws);
  in[groupSlot] = *count;
  int n = static_cast<int>(fig.Numbers[count->index].value);
  // Steps, then objects of classes 0 to 3 the group adds.
  bool fits = kind == "PNEQ"   ? Fits(fig, n + 1, {2 * (n - 1), n - 1, 0, 0})
              : kind == "LH2+" ? Fits(fig, n + 1, {2 * (n - 1), 0, n - 1, 0})
              : kind == "LRGN" ? Fits(fig, 2 * n, {1, n - 2, n, 0})
                               : Fits(fig, 2 * n + 1, {0, 0, n, 0});
  if (!fits) {
    ShowTooMany(ws);
    return CancelConstruction(ws);
  }
  if (kind == "PNEQ") return FinishEqualDivision(ws, in[1], in[2], n);
  if (kind == "LH2+") return FinishAngleSection(ws, in[1], in[2], in[3], n);
  if (kind == "LRGN") return FinishRegularPolygon(ws, in[1], in[2], n);
  // A polygon: the rest of its vertices are picked one by one.
  if (n > ClassCount(fig, kPointClass)) {
    ws.shell().ShowMessage(ws.T(kTooFewVerticesMessage));
    return CancelConstruction(ws);
  }
  ws.build.polygonStep = static_cast<int16_t>(step);
  ws.build.polygonVertices = static_cast<int16_t>(n);
  if (!BuildPolygonCandidates(ws)) {
    ws.shell().ShowMessage(ws.T(kTooFewVerticesMessage));
    CancelConstruction(ws);
  }
}

void Commit(Workspace& ws) {
  Figure& fig = ws.fig;
  int step = fig.StepCount;
  StepSlots& out = fig.StepOutputs[step];
  int16_t before[4] = {fig.ObjectCounts[0], fig.ObjectCounts[1], fig.ObjectCounts[2],
                       fig.ObjectCounts[3]};
  for (int j = 1; j <= kSlotCount; ++j) {
    int cls = out[j].cls == kPendingNumberMark ? int{kNumberClass} : int{out[j].cls};
    if (out[j].cls == 0 && out[j].index == 0) continue;
    ObjectRef made = NewObject(ws, cls);
    if (made.IsEmpty()) {
      for (int c = 0; c < 4; ++c) DropObjectsAbove(fig, c, before[c]);
      ShowTooMany(ws);
      return CancelConstruction(ws);
    }
    out[j] = made;
  }
  Pop(ws);
  Pop(ws);
  std::string kind = LastKind(fig);
  bool followsInput = kind == "LT1" || kind == "LT2" || kind == "LT3" || kind == "LRO";
  ObjectRef firstIn = fig.StepInputs[step][1];
  for (int j = 1; j <= kSlotCount; ++j) {
    if (out[j].cls != kLineClass || out[j].index < 1) continue;
    LineRecord& line = fig.Lines[out[j].index];
    if (ws.build.OutputLineKind[j] >= 0) line.lineKind = ws.build.OutputLineKind[j];
    if (followsInput && firstIn.cls == kLineClass && firstIn.index >= 1 &&
        firstIn.index <= ClassCount(fig, kLineClass)) {
      line.lineKind = fig.Lines[firstIn.index].lineKind;
    }
  }
  FullUpdate(ws);
}

const KindCommand* CommandFor(std::string_view control, const KindInfo** kind) {
  for (const KindInfo& info : AllKinds()) {
    for (const KindCommand& command : info.commands) {
      if (command.control != control) continue;
      *kind = &info;
      return &command;
    }
  }
  return nullptr;
}

// The point being placed with its mark, and its name unless that would lie
// over another point's name (the last one placed, before the mouse moves).
void ShowPendingMark(Workspace& ws, ObjectRef p) {
  int label = LabelCoversAnother(ws.renderer, p.index) ? -1 : 7;
  ShowMark(ws.renderer, ObjectMark(MarkTag::kPending, p, -1, -1, label));
}

void MovePendingPointBy(Workspace& ws, double dx, double dy) {
  ObjectRef p = ws.build.PendingPoint;
  if (p.index < 1 || p.index > ClassCount(ws.fig, kPointClass)) return;
  MovePendingPoint(ws, ws.fig.Points[p.index].x + dx, ws.fig.Points[p.index].y + dy);
}

void CancelNewPoint(Workspace& ws) {
  Figure& fig = ws.fig;
  ObjectRef p = ws.build.PendingPoint;
  WithdrawPendingStep(fig);
  if (p.index >= 1 && p.index == fig.ObjectCounts[kPointClass]) {
    PointRecord& point = fig.Points[p.index];
    point.independent = 0;
    point.exists = 0;
    point.style = 0;
    --fig.ObjectCounts[kPointClass];
  }
  ws.build.PendingPoint = {};
  RemoveMarks(ws.renderer, MarkTag::kPending);
  Pop(ws);
  FullUpdate(ws);
}

// The input line kinds that the step's own command would set: the part of
// the line it drew, and the segment that L4 and C4 need.
void LineKindsFromStep(Workspace& ws, const std::string& kind) {
  Figure& fig = ws.fig;
  ws.build.InputLineKindRequired.fill(-1);
  ws.build.OutputLineKind.fill(-1);
  const KindInfo* info = FindKind(kind);
  if (info && !info->commands.empty()) {
    ws.build.InputLineKindRequired[1] = info->commands[0].inputLineKind;
  }
  ObjectRef out = fig.StepOutputs[fig.StepCount][1];
  bool drawsPart = kind == "L1" || kind == "LH1" || kind == "LRO";
  if (drawsPart && out.cls == kLineClass && out.index >= 1 &&
      out.index <= ClassCount(fig, kLineClass)) {
    ws.build.OutputLineKind[1] = fig.Lines[out.index].lineKind;
  }
}

}  // namespace

void StartConstruction(Workspace& ws, std::string_view kindText, const KindCommand* command) {
  Figure& fig = ws.fig;
  if (LastKind(fig) == "PBND" && ws.build.RepeatFlag) {
    ws.build.RepeatFlag = false;
    BoundedPoint(ws, fig.StepInputs[fig.StepCount][1].ObjectClassCode());
    return;
  }
  std::string kind = NormaliseKind(kindText);
  const KindInfo* info = FindKind(kind);
  if (info == nullptr) {
    ws.shell().Beep();
    return;
  }
  Push(ws, kModeConstruct);
  int step = AppendStep(fig);
  if (step == 0) {
    Pop(ws);
    return ShowTooMany(ws);
  }
  fig.StepKind[step] = kind;
  SetUpSlots(fig, step, *info);
  if (ws.build.RepeatFlag) {
    ws.build.RepeatFlag = false;  // the line kinds stay those of the last command
  } else {
    ws.build.InputLineKindRequired.fill(-1);
    ws.build.OutputLineKind.fill(-1);
    if (command) {
      ws.build.InputLineKindRequired[1] = command->inputLineKind;
      ws.build.OutputLineKind[1] = command->outputLineKind;
    }
  }
  ws.build.CurrentLineKindRequired = -1;
  ws.build.numbersAtStart = fig.ObjectCounts[kNumberClass];
  ws.build.polygonStep = 0;
  ws.build.lastKind = kind;
  if (!CheckEnoughObjects(ws)) {
    WithdrawPendingStep(fig);
    std::string message = ws.T(kNotEnoughMessage);
    ReplaceAll(message, "{name}", KindDisplayName(kind, ws.renderer.engine.translate));
    ws.shell().ShowMessage(message);
    Pop(ws);
    return;
  }
  Push(ws, kModeConstructPick);
  RequestNextInput(ws);
}

bool RunKindCommand(Workspace& ws, std::string_view control) {
  const KindInfo* info = nullptr;
  const KindCommand* command = CommandFor(control, &info);
  if (command == nullptr) return false;
  if (info->code == "PNEW") {
    NewFreePoint(ws);
  } else if (info->code == "PBND") {
    BoundedPoint(ws, control == "mnuPboundL" ? kLineClass : kCircleClass);
  } else if (info->code == "CALC") {
    ExpressionCommand(ws);
  } else {
    ws.build.RepeatFlag = false;
    StartConstruction(ws, info->code, command);
  }
  return true;
}

bool CheckEnoughObjects(const Workspace& ws) {
  const Figure& fig = ws.fig;
  const StepSlots& in = fig.StepInputs[fig.StepCount];
  std::array<int, 4> needed{};
  std::map<int, int> segmentsNeeded;
  for (int k = 1; k <= kSlotCount; ++k) {
    int cls = in[k].cls % 100;
    if (in[k].cls == kGroupMark || cls < kPointClass || cls > kCircleClass) continue;
    ++needed[cls];
    int16_t lineKind = ws.build.InputLineKindRequired[k];
    if (lineKind >= 0) ++segmentsNeeded[lineKind];
  }
  for (int cls = kPointClass; cls <= kCircleClass; ++cls) {
    if (needed[cls] > fig.ObjectCounts[cls]) return false;
  }
  for (auto [lineKind, count] : segmentsNeeded) {
    int have = 0;
    for (int i = 1; i <= ClassCount(fig, kLineClass); ++i)
      have += fig.Lines[i].lineKind == lineKind;
    if (count > have) return false;
  }
  return true;
}

void RequestNextInput(Workspace& ws) {
  ObjectRef slot = ws.fig.StepInputs[ws.fig.StepCount][1];
  if (slot.cls != 0 && slot.index == 0) RequestSlot(ws, 1);
}

void InputPicked(Workspace& ws, ObjectRef ref) {
  Figure& fig = ws.fig;
  if (ref.index == 0) return CancelConstruction(ws);
  if (LastKind(fig) == "PBND") return SetBoundHost(ws, ref);
  if (IsPolygonInProgress(ws)) return PolygonVertexPicked(ws, ref);
  StepSlots& in = fig.StepInputs[fig.StepCount];
  int k = NextMissingSlot(fig);
  if (k == 0 || in[k].cls == kGroupMark) return;  // nothing to fill: not picking
  MarkPicked(ws, ref);
  int16_t cls = in[k].cls == kPendingNumberMark ? int16_t{kNumberClass} : in[k].cls;
  in[k] = ObjectRef{cls, ref.index};
  // A group takes over only when its group slot is the first one left.
  int next = NextMissingSlot(fig);
  if (next != 0 && in[next].cls == kGroupMark) return FinishGroup(ws, next);
  if (next != 0) return RequestSlot(ws, next);
  Commit(ws);
}

void NewFreePoint(Workspace& ws) {
  Figure& fig = ws.fig;
  Push(ws, kModeNewPoint);
  ObjectRef p;
  int step = StartPointStep(ws, "PNEW", p);
  if (step == 0) return;
  fig.StepOutputs[step][1] = p;
  PointRecord& point = fig.Points[p.index];
  point.style = 2;
  point.independent = kTrue;
  point.exists = kTrue;
  point.color = 7;
  if (ws.build.lastPointer) {
    point.x = ws.build.pointerX;
    point.y = ws.build.pointerY;
  }
  ws.build.PendingPoint = p;
  ShowPendingMark(ws, p);
}

void MovePendingPoint(Workspace& ws, double x, double y) {
  ws.build.lastPointer = true;
  ws.build.pointerX = x;
  ws.build.pointerY = y;
  ObjectRef p = ws.build.PendingPoint;
  if (!IsCurrentMode(ws.modes, kModeNewPoint) || p.index < 1 ||
      p.index > ClassCount(ws.fig, kPointClass)) {
    return;
  }
  ws.fig.Points[p.index].x = x;
  ws.fig.Points[p.index].y = y;
  RemoveMarks(ws.renderer, MarkTag::kPending);
  ShowPendingMark(ws, p);
}

void PlacePendingPoint(Workspace& ws, double x, double y) {
  ObjectRef p = ws.build.PendingPoint;
  if (!IsCurrentMode(ws.modes, kModeNewPoint) || p.index < 1 ||
      p.index > ClassCount(ws.fig, kPointClass)) {
    return;
  }
  PointRecord& point = ws.fig.Points[p.index];
  point.x = x;
  point.y = y;
  RemoveMarks(ws.renderer, MarkTag::kPending);
  // Drawn once as a cross where it was placed, until the next full redraw.
  DrawObjectAs(ws.renderer, p, 1, -1);
  DrawPointLabel(ws.renderer, p, 7, kCurrentTables);
  point.style = ws.newPointMarks ? kFreePointMark : int16_t{0};
  ws.build.PendingPoint = {};
  Pop(ws);
  NewFreePoint(ws);
}

void PendingPointKey(Workspace& ws, int keyCode) {
  ObjectRef p = ws.build.PendingPoint;
  if (p.index < 1 || p.index > ClassCount(ws.fig, kPointClass)) return;
  double step = DeformStep(ws) * ws.renderer.view.ViewScale;
  const PointRecord& point = ws.fig.Points[p.index];
  switch (keyCode) {
    case kKeyLeft:
      return MovePendingPointBy(ws, -step, 0);
    case kKeyRight:
      return MovePendingPointBy(ws, step, 0);
    case kKeyUp:
      return MovePendingPointBy(ws, 0, step);
    case kKeyDown:
      return MovePendingPointBy(ws, 0, -step);
    case kKeyEnter:
      return PlacePendingPoint(ws, point.x, point.y);
    case 'A':
      return ToggleAxisCommand(ws.renderer);
    case 'H':
      return MovePendingPoint(ws, 0, 0);
    case kKeyEscape:
      return CancelNewPoint(ws);
    default:
      return;
  }
}

void BoundedPoint(Workspace& ws, int hostClass) {
  Figure& fig = ws.fig;
  if (hostClass < kPointClass || hostClass > kCircleClass || ClassCount(fig, hostClass) == 0) {
    ws.shell().ShowMessage(ws.T(kNoHostMessage));
    return;
  }
  Push(ws, kModeBoundPoint);
  ws.build.RepeatFlag = false;
  ObjectRef p;
  int step = StartPointStep(ws, "PBND", p);
  if (step == 0) return;
  ws.build.CurrentLineKindRequired = -1;
  ws.build.numbersAtStart = fig.ObjectCounts[kNumberClass];
  ws.build.polygonStep = 0;
  fig.StepInputs[step][1] = ObjectRef{static_cast<int16_t>(hostClass), 0};
  fig.StepOutputs[step][1] = p;
  PointRecord& point = fig.Points[p.index];
  point.style = ws.newPointMarks ? kBoundPointMark : int16_t{0};
  point.independent = kTrue;
  point.exists = kTrue;
  point.color = 7;
  point.bindKind = static_cast<int16_t>(hostClass);
  point.bindIndex = 0;
  point.parameter = 0;
  Push(ws, kModeConstructPick);
  RequestNextInput(ws);
}

void SetBoundHost(Workspace& ws, ObjectRef host) {
  Figure& fig = ws.fig;
  int step = fig.StepCount;
  ObjectRef p = fig.StepOutputs[step][1];
  fig.StepInputs[step][1].index = host.index;
  fig.Points[p.index].bindIndex = host.index;
  Pop(ws);  // choosing the host
  FullUpdate(ws);
  Pop(ws);  // 29
  Push(ws, kModePlacePoint);
  BeginPointPlacing(ws, p.index);
}

bool IsPolygonInProgress(const Workspace& ws) {
  return ws.build.polygonStep >= 1 && ws.build.polygonStep <= ws.fig.StepCount &&
         IsCurrentMode(ws.modes, kModeConstructPick);
}

bool IsPolygonVertex(const Workspace& ws, ObjectRef ref) {
  std::vector<ObjectRef> vertices = PolygonVertices(ws);
  return std::any_of(vertices.begin(), vertices.end(), [&](ObjectRef v) {
    return v.ObjectClassCode() == ref.cls && v.index == ref.index;
  });
}

void RemoveLastStep(Figure& fig) {
  int n = fig.StepCount;
  if (n < 1 || n > fig.StepKind.UpperBound()) return;
  fig.StepInputs[n] = StepSlots{};
  // Outputs are the newest objects of their classes, the last slot newest.
  for (int j = kSlotCount; j >= 1; --j) {
    ObjectRef out = fig.StepOutputs[n][j];
    int cls = out.ObjectClassCode();
    if (out.index == 0 || cls < kNumberClass || cls > kCircleClass) continue;
    if (out.index != fig.ObjectCounts[cls]) continue;  // not its own: leave it alone
    ResetObject(fig, Ref(cls, out.index));
    --fig.ObjectCounts[cls];
  }
  fig.StepKind[n].clear();
  fig.StepCount = static_cast<int16_t>(n - 1);
}

void DeleteLast(Workspace& ws) {
  Figure& fig = ws.fig;
  if (fig.StepCount < 1) {
    ws.shell().Beep();
    return;
  }
  std::string kind = LastKind(fig);
  if (kind == "PT62") {
    // A matrix transformation and its continuation rows go together.
    while (fig.StepCount >= 1 && LastKind(fig) == "PT62") RemoveLastStep(fig);
    if (fig.StepCount >= 1) RemoveLastStep(fig);
  } else if (IsGroupKind(kind)) {
    // The whole group, back to its opening step; a closing step without
    // one is only itself.
    int opener = 0;
    for (int s = fig.StepCount - 1; s >= 1; --s) {
      if (Trim(fig.StepKind[s]) == kind) {
        opener = s;
        break;
      }
    }
    int stop = opener > 0 ? opener - 1 : fig.StepCount - 1;
    while (fig.StepCount > stop) RemoveLastStep(fig);
  } else {
    RemoveLastStep(fig);
  }
  FullUpdate(ws);
}

void RepeatLast(Workspace& ws) {
  Figure& fig = ws.fig;
  std::string kind = LastKind(fig);
  if (kind.empty()) {
    ws.shell().Beep();
    return;
  }
  if (kind == "CALC") return ExpressionCommand(ws);
  if (kind == "PNEW") return NewFreePoint(ws);
  if (kind == "PBND") return BoundedPoint(ws, fig.StepInputs[fig.StepCount][1].ObjectClassCode());
  const KindInfo* info = FindKind(kind);
  if (info == nullptr || info->commands.empty()) {
    ws.shell().Beep();  // made by a demonstration or inside a group only
    return;
  }
  if (ws.build.lastKind != kind) LineKindsFromStep(ws, kind);
  ws.build.RepeatFlag = true;
  StartConstruction(ws, kind);
}

void NewFigure(Workspace& ws) {
  Figure& fig = ws.fig;
  bool empty = fig.StepCount == 0 && fig.ObjectCounts[kNumberClass] == 0 &&
               fig.ObjectCounts[kPointClass] == 0 && fig.ObjectCounts[kLineClass] == 0 &&
               fig.ObjectCounts[kCircleClass] == 0;
  if (!empty) {
    NewFigureAnswer answer =
        ws.hooks.askNewFigure ? ws.hooks.askNewFigure() : NewFigureAnswer::kCancel;
    if (answer == NewFigureAnswer::kSave) {
      if (ws.hooks.save) ws.hooks.save();
      return;
    }
    if (answer == NewFigureAnswer::kCancel) {
      Redraw(ws.renderer);
      return;
    }
    fig.FigureFileName = "untitled";
    CreateTables(fig, kTableCapacity);
    ResetTraces(ws);
    Redraw(ws.renderer);
  }
  NewFreePoint(ws);
}

void ExpressionCommand(Workspace& ws) {
  Figure& fig = ws.fig;
  Push(ws, kModeExpression);
  int16_t numbersBefore = fig.ObjectCounts[kNumberClass];
  std::optional<std::string> expression =
      ws.numbers ? ws.numbers->EnterExpression(fig, ws.renderer.settings.decimals) : std::nullopt;
  bool fits = expression && !expression->empty() && CharCount(*expression) <= kExpressionLength;
  if (!fits || !Fits(fig, 1, {1, 0, 0, 0})) {
    if (expression && !fits) ws.shell().Beep();
    DropObjectsAbove(fig, kNumberClass, numbersBefore);
    Pop(ws);
    Redraw(ws.renderer);
    return;
  }
  ObjectRef n = AddStep(ws, "CALC", {}, {kNumberClass})[0];
  NumberRecord& number = fig.Numbers[n.index];
  number.expression = *expression;
  SetObjectName(fig, n, ExpressionDisplayText(fig, *expression));
  ws.build.lastKind = "CALC";
  Pop(ws);
  FullUpdate(ws);
}

void MacroCommand(Workspace& ws, bool (*macro)(Figure&)) {
  Figure& fig = ws.fig;
  int16_t numbers = fig.ObjectCounts[kNumberClass];
  if (!macro(fig)) return ShowTooMany(ws);
  for (int i = numbers + 1; i <= fig.ObjectCounts[kNumberClass]; ++i) fig.Numbers[i].display = 7;
  FullUpdate(ws);
}

}  // namespace sakuzu
