#include "interact/picking.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "geometry/primitives.h"
#include "interact/construct.h"
#include "interact/deform.h"
#include "interact/edit.h"
#include "interact/relation_mode.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr double kStart = 10000;           // "no object yet"
constexpr double kLineCircleFloor = 7;     // pixels: lines and circles never weigh less
constexpr double kHitPixels = 10;          // pixels: nearer than this is a hit
constexpr double kLineCircleWeight = 3;    // lines and circles count three times their distance
constexpr double kFreePointWeight = 0.5;   // free points count half
constexpr double kBoundPointWeight = 0.7;  // points with `independent` 1

// The distance from (x, y) to an existing object; nothing for an object
// that does not exist now.
std::optional<double> DistanceTo(const Figure& fig, ObjectRef ref, double x, double y) {
  if (!IsExistingObject(fig, ref)) return std::nullopt;
  Vec2 at{x, y};
  std::optional<double> distance;
  VisitObject(fig, ref,
              Overloaded{[](const NumberRecord&) {},
                         [&](const PointRecord& p) { distance = PointDistance(at, PointOf(p)); },
                         [&](const LineRecord& l) {
                           NumberResult d = DrawnLineDistance(at, LineOf(l));
                           if (d.exists) distance = d.value;
                         },
                         [&](const CircleRecord& c) {
                           distance = std::abs(PointDistance(at, Vec2{c.cx, c.cy}) - c.radius);
                         }});
  if (distance && !std::isfinite(*distance)) return std::nullopt;
  return distance;
}

ObjectRef Ref(int cls, int index) {
  return ObjectRef{static_cast<int16_t>(cls), static_cast<int16_t>(index)};
}

void SetCursor(Workspace& ws, CursorShape shape) { ws.screen.cursor = shape; }

void Panel4(Workspace& ws, const std::string& text) { ws.screen.panel4 = text; }

// Cursor and hover mark after a hover pick.
void FollowHover(Workspace& ws, ObjectRef hit, bool draggable) {
  if (!draggable) {
    SetCursor(ws, CursorShape::kArrow);
    ClearHoverMark(ws);
    return;
  }
  SetCursor(ws, CursorShape::kMove);
  if (MarkedObject(ws.renderer, MarkTag::kHover) == hit) return;
  ClearHoverMark(ws);
  ShowHoverMark(ws, hit);
}

ObjectRef FinishHoverPick(Workspace& ws, ObjectRef best, double weight) {
  bool hit = !best.IsEmpty() && weight / ws.renderer.view.ViewScale < kHitPixels;
  if (!hit) {
    ClearObjectName(ws);
    FollowHover(ws, {}, false);
    return {};
  }
  ShowObjectName(ws, best);
  FollowHover(ws, best, IsDraggable(ws.fig, best));
  return best;
}

bool UsedByPendingStep(const Workspace& ws, ObjectRef ref) {
  const Figure& fig = ws.fig;
  int step = fig.StepCount;
  if (step < 1 || step > fig.StepInputs.UpperBound()) return false;
  for (int k = 1; k <= kSlotCount; ++k) {
    ObjectRef in = fig.StepInputs[step][k];
    if (in.index != 0 && in.ObjectClassCode() == ref.cls && in.index == ref.index) return true;
  }
  return false;
}

bool IsChosen(const Workspace& ws, ObjectRef ref) {
  return ref.cls == kPointClass &&
         std::find(ws.pick.chosenPoints.begin(), ws.pick.chosenPoints.end(), ref.index) !=
             ws.pick.chosenPoints.end();
}

bool AnyChoosable(const Workspace& ws) {
  return std::any_of(ws.pick.candidates.begin(), ws.pick.candidates.end(),
                     [&](ObjectRef c) { return !IsExcluded(ws, c); });
}

// The first candidate that may be chosen becomes current.
void ChooseFirst(Workspace& ws, bool show) {
  ws.pick.position = 0;
  ws.pick.current = {};
  for (size_t i = 0; i < ws.pick.candidates.size(); ++i) {
    if (IsExcluded(ws, ws.pick.candidates[i])) continue;
    ws.pick.position = static_cast<int>(i) + 1;
    ws.pick.current = ws.pick.candidates[i];
    break;
  }
  if (ws.pick.current.IsEmpty() || !show) return;
  ShowObjectName(ws, ws.pick.current);
  ShowCurrentCandidate(ws, ws.pick.current);
}

void MoveCurrent(Workspace& ws, int position) {
  HideCurrentCandidate(ws);
  ws.pick.position = position;
  ws.pick.current = ws.pick.candidates[position - 1];
  ShowCurrentCandidate(ws, ws.pick.current);
  ShowObjectName(ws, ws.pick.current);
}

void Confirm(Workspace& ws) {
  ObjectRef chosen = ws.pick.current;
  HideCurrentCandidate(ws);
  ClearObjectName(ws);
  if (chosen.IsEmpty()) return;
  if (IsCurrentMode(ws.modes, kModeConstructPick)) {
    InputPicked(ws, chosen);
    return;
  }
  PushMode(ws.modes, kPopMode, ws.shell());
  int16_t below = CurrentMode(ws.modes).value_or(0);
  if (DeformSelectionConfirmed(ws, below, chosen)) return;
  if (RelationSelectionConfirmed(ws, below, chosen)) return;
  EditSelectionConfirmed(ws, below, chosen);
}

void CancelSelection(Workspace& ws) {
  ObjectRef current = ws.pick.current;
  HideCurrentCandidate(ws);
  ws.pick.current = {};
  ws.pick.position = 0;
  ClearObjectName(ws);
  if (IsCurrentMode(ws.modes, kModeConstructPick)) {
    InputPicked(ws, ObjectRef{current.cls, 0});
    return;
  }
  PushMode(ws.modes, kPopMode, ws.shell());
  int16_t below = CurrentMode(ws.modes).value_or(0);
  if (DeformSelectionCancelled(ws, below) || RelationSelectionCancelled(ws, below) ||
      EditSelectionCancelled(ws, below)) {
    return;
  }
  Redraw(ws.renderer);
}

}  // namespace

bool IsExistingObject(const Figure& fig, ObjectRef ref) {
  if (ref.index < 1 || ref.index > ClassCount(fig, ref.cls)) return false;
  bool exists = false;
  VisitObject(fig, ref, [&](const auto& record) { exists = record.exists != 0; });
  return exists;
}

bool IsDraggable(const Figure& fig, ObjectRef ref) {
  if (!IsExistingObject(fig, ref)) return false;
  if (ref.cls == kPointClass) return fig.Points[ref.index].independent == -1;
  if (ref.cls == kLineClass) return fig.Lines[ref.index].endsDraggable != 0;
  return false;
}

ObjectRef PickForDrag(Workspace& ws, double x, double y) {
  const Figure& fig = ws.fig;
  double scale = ws.renderer.view.ViewScale;
  double best = kStart;
  ObjectRef found;
  for (int cls : {kLineClass, kCircleClass}) {
    for (int i = 1; i <= ClassCount(fig, cls); ++i) {
      std::optional<double> d = DistanceTo(fig, Ref(cls, i), x, y);
      if (d && kLineCircleWeight * *d < best) {
        best = kLineCircleWeight * *d;
        found = Ref(cls, i);
      }
    }
  }
  best = std::max(best, kLineCircleFloor * scale);
  for (int i = 1; i <= ClassCount(fig, kPointClass); ++i) {
    std::optional<double> d = DistanceTo(fig, Ref(kPointClass, i), x, y);
    if (!d) continue;
    int16_t independent = fig.Points[i].independent;
    double weight = independent == -1  ? kFreePointWeight
                    : independent == 1 ? kBoundPointWeight
                                       : 1.0;
    if (weight * *d < best) {
      best = weight * *d;
      found = Ref(kPointClass, i);
    }
  }
  return FinishHoverPick(ws, found, best);
}

ObjectRef PickPointForDrag(Workspace& ws, double x, double y) {
  const Figure& fig = ws.fig;
  double best = kStart;
  ObjectRef found;
  for (int i = 1; i <= ClassCount(fig, kPointClass); ++i) {
    std::optional<double> d = DistanceTo(fig, Ref(kPointClass, i), x, y);
    if (!d) continue;
    double weight = fig.Points[i].independent == -1 ? kFreePointWeight : 1.0;
    if (weight * *d < best) {
      best = weight * *d;
      found = Ref(kPointClass, i);
    }
  }
  bool hit = !found.IsEmpty() && best / ws.renderer.view.ViewScale < kHitPixels;
  if (!hit) {
    ClearObjectName(ws);
    FollowHover(ws, {}, false);
    return {};
  }
  ShowObjectName(ws, found);
  FollowHover(ws, found, fig.Points[found.index].independent == -1);
  return found;
}

void ShowHoverMark(Workspace& ws, ObjectRef ref) {
  // A point gets the ringed mark and its name in red.
  bool point = ref.cls == kPointClass;
  ShowMark(ws.renderer,
           ObjectMark(MarkTag::kHover, ref, point ? 30 : -1, -1, point ? 1 : -1, true));
}

void ClearHoverMark(Workspace& ws) { RemoveMarks(ws.renderer, MarkTag::kHover); }

std::string ClassWord(const Workspace& ws, int cls) {
  switch (cls) {
    case kPointClass:
      return ws.T("点");
    case kLineClass:
      return ws.T("直線");
    case kCircleClass:
      return ws.T("円");
    default:
      return ws.T("変数");
  }
}

std::string ObjectNameText(const Workspace& ws, ObjectRef ref) {
  if (ref.index < 1 || ref.index > ClassCount(ws.fig, ref.cls)) return {};
  std::string word = ClassWord(ws, ref.cls);
  // "点A", but "Point A": a translated word does not run into the name.
  bool latin = !word.empty() && std::isalpha(static_cast<unsigned char>(word.back()));
  return word + (latin ? " " : "") + TrimRight(ObjectName(ws.fig, ref));
}

void ShowObjectName(Workspace& ws, ObjectRef ref) {
  Panel4(ws, ObjectNameText(ws, ref));
  ws.screen.panel4Object = ref;
}

void ClearObjectName(Workspace& ws) {
  Panel4(ws, "");
  ws.screen.panel4Object = {};
}

bool BuildCandidates(Workspace& ws, int cls) {
  int count = ClassCount(ws.fig, cls);
  if (count == 0) return false;
  ws.pick.candidates.clear();
  ws.pick.candidates.reserve(count);
  for (int i = 1; i <= count; ++i) ws.pick.candidates.push_back(Ref(cls, i));
  ChooseFirst(ws, true);
  return !ws.pick.current.IsEmpty();
}

bool BuildPolygonCandidates(Workspace& ws) {
  ws.pick.candidates.clear();
  for (int i = 1; i <= ClassCount(ws.fig, kPointClass); ++i) {
    ObjectRef ref = Ref(kPointClass, i);
    if (!IsPolygonVertex(ws, ref)) ws.pick.candidates.push_back(ref);
  }
  ChooseFirst(ws, true);
  return !ws.pick.current.IsEmpty();
}

bool BuildDraggableCandidates(Workspace& ws, bool show) {
  ws.pick.candidates.clear();
  for (int i = 1; i <= ClassCount(ws.fig, kPointClass); ++i) {
    if (ws.fig.Points[i].independent == -1) ws.pick.candidates.push_back(Ref(kPointClass, i));
  }
  ChooseFirst(ws, show);
  return !ws.pick.candidates.empty();
}

void MarkDraggableCandidates(Workspace& ws) {
  RemoveMarks(ws.renderer, MarkTag::kHint);
  for (int i = 1; i <= ClassCount(ws.fig, kPointClass); ++i) {
    ObjectRef ref = Ref(kPointClass, i);
    if (ws.fig.Points[i].independent != -1 || !IsExistingObject(ws.fig, ref)) continue;
    ShowMark(ws.renderer, ObjectMark(MarkTag::kHint, ref, 30, 7));
  }
}

bool IsExcluded(const Workspace& ws, ObjectRef ref) {
  const Figure& fig = ws.fig;
  const ModeStack& modes = ws.modes;
  if (IsCurrentMode(modes, kModeConstructPick) && !IsPolygonInProgress(ws)) {
    if (UsedByPendingStep(ws, ref)) return true;
    int16_t kind = ws.build.CurrentLineKindRequired;
    if (ref.cls == kLineClass && kind >= 0 && ref.index <= ClassCount(fig, kLineClass) &&
        fig.Lines[ref.index].lineKind != kind) {
      return true;
    }
  }
  if (IsCurrentMode(modes, kModeBindHostSelect) && IsExcludedHost(ws, ref)) return true;
  if (IsCurrentMode(modes, kModeRelationChoose)) {
    const std::vector<ObjectRef>& chosen = ws.pick.chosenObjects;
    return std::find(chosen.begin(), chosen.end(), ref) != chosen.end();
  }
  if (IsCurrentMode(modes, kModeMultiChoose) && ref.cls == kPointClass) {
    if (IsChosen(ws, ref)) return true;
    if (ref.index <= ClassCount(fig, kPointClass) && fig.Points[ref.index].independent == 0) {
      return true;
    }
  }
  return false;
}

ObjectRef PickNearestCandidate(const Workspace& ws, double x, double y) {
  // A point within reach wins over the lines and circles through it: where
  // the candidates are of several classes, a click on a vertex means the
  // vertex, not a side that ends there.
  double best = kStart, bestPoint = kStart;
  ObjectRef found, foundPoint;
  for (ObjectRef c : ws.pick.candidates) {
    if (IsExcluded(ws, c)) continue;
    std::optional<double> d = DistanceTo(ws.fig, c, x, y);
    if (!d) continue;
    if (*d < best) {
      best = *d;
      found = c;
    }
    if (c.cls == kPointClass && *d < bestPoint) {
      bestPoint = *d;
      foundPoint = c;
    }
  }
  if (!foundPoint.IsEmpty() && bestPoint < kHitPixels * ws.renderer.view.ViewScale) {
    return foundPoint;
  }
  return found;
}

void SelectByMouse(Workspace& ws, double x, double y) {
  if (IsCurrentMode(ws.modes, kModeMultiChoose) && !AnyChoosable(ws)) {
    HideCurrentCandidate(ws);
    PushMode(ws.modes, kPopMode, ws.shell());
    return;
  }
  ObjectRef p = PickNearestCandidate(ws, x, y);
  if (!p.IsEmpty()) SelectCandidate(ws, p);
}

void SelectCandidate(Workspace& ws, ObjectRef ref) {
  auto at = std::find(ws.pick.candidates.begin(), ws.pick.candidates.end(), ref);
  if (at == ws.pick.candidates.end()) return;
  if (ref != ws.pick.current) {
    MoveCurrent(ws, static_cast<int>(at - ws.pick.candidates.begin()) + 1);
  } else {
    Confirm(ws);
  }
  ws.screen.panel4Raised = IsCurrentMode(ws.modes, kModeSelect);
}

void SelectByKey(Workspace& ws, int keyCode) {
  int count = static_cast<int>(ws.pick.candidates.size());
  if (keyCode == kKeyDown || keyCode == kKeyUp) {
    if (count == 0) return;
    int position = ws.pick.position;
    // One full turn at most: when everything is excluded nothing moves.
    for (int tries = 0; tries < count; ++tries) {
      if (keyCode == kKeyDown) {
        position = position % count + 1;
      } else {
        position = (position + count - 1) % count;
        if (position == 0) position = count;
      }
      if (!IsExcluded(ws, ws.pick.candidates[position - 1])) {
        MoveCurrent(ws, position);
        return;
      }
    }
    return;
  }
  if (keyCode == kKeyEnter) {
    Confirm(ws);
    return;
  }
  if (keyCode == kKeyEscape) CancelSelection(ws);
}

bool ShowFirstCandidate(Workspace& ws) {
  for (size_t i = 0; i < ws.pick.candidates.size(); ++i) {
    if (IsExcluded(ws, ws.pick.candidates[i])) continue;
    ws.pick.position = static_cast<int>(i) + 1;
    ws.pick.current = ws.pick.candidates[i];
    ShowCurrentCandidate(ws, ws.pick.current);
    ShowObjectName(ws, ws.pick.current);
    return true;
  }
  ws.pick.position = 0;
  ws.pick.current = {};
  return false;
}

void ShowCurrentCandidate(Workspace& ws, ObjectRef ref) {
  RemoveMarks(ws.renderer, MarkTag::kCandidate);
  if (IsCurrentMode(ws.modes, kModeNewPoint)) {
    ShowMark(ws.renderer, ObjectMark(MarkTag::kCandidate, ref, 2, 7, -1, true));
    return;
  }
  // A red cross, the name in blue.
  ShowMark(ws.renderer, ObjectMark(MarkTag::kCandidate, ref, 1, 1, 4, true));
}

void HideCurrentCandidate(Workspace& ws) { RemoveMarks(ws.renderer, MarkTag::kCandidate); }

void MarkPicked(Workspace& ws, ObjectRef ref) {
  // A blue cross (a bold blue line or circle), the name in red.
  ShowMark(ws.renderer, ObjectMark(MarkTag::kPicked, ref, 1, 4, 1, true));
}

PopupMenu PopupMenuFor(Workspace& ws, ObjectRef ref) {
  ws.pick.popupObject = ref;
  std::string word = ref.cls == kPointClass  ? ws.T("点")
                     : ref.cls == kLineClass ? ws.T("線")
                                             : ws.T("円");
  std::string t = word + " " + TrimRight(ObjectName(ws.fig, ref));
  PopupMenu menu;
  menu.object = ref;
  bool freePoint = ref.cls == kPointClass && ref.index <= ClassCount(ws.fig, kPointClass) &&
                   ws.fig.Points[ref.index].independent == -1;
  bool bound = freePoint && ws.fig.Points[ref.index].bindKind != 0;
  menu.entries = {
      {"mnuEdit2_point_Edit", ws.T("編集") + ":" + t, true},
      {"mnuEdit2_point_Bounded", ws.T("束縛条件の編集") + ":" + t, freePoint},
      {"mnuEdit2_point_Set_Free", ws.T("フリーにする") + ":" + t, bound},
      {"mnuEdit2_point_Deform", ws.T("キーボード変形") + ":" + t, freePoint},
      {"mnuEdit2_point_Delete", ws.T("削除") + ":" + t, true},
  };
  return menu;
}

}  // namespace sakuzu
