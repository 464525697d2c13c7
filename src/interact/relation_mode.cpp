#include "interact/relation_mode.h"

#include <algorithm>
#include <string>
#include <vector>

#include "interact/history.h"
#include "interact/picking.h"
#include "interact/relation_check.h"
#include "interact/relation_words.h"
#include "view/number_display.h"
#include "view/overlay.h"

namespace sakuzu {
namespace {

constexpr std::string_view kCloseCaption = "閉じる";
constexpr std::string_view kKeepCaption = "このままにする";

void Push(Workspace& ws, int16_t mode) { PushMode(ws.modes, mode, ws.shell()); }
void Pop(Workspace& ws) { PushMode(ws.modes, kPopMode, ws.shell()); }

// Every object that exists now, points first as in the other selections,
// then lines, circles and numbers (numbers are reached by the keys and
// the list).
void BuildRelationCandidates(Workspace& ws) {
  ws.pick.candidates.clear();
  for (int cls : {kPointClass, kLineClass, kCircleClass, kNumberClass}) {
    for (int i = 1; i <= ClassCount(ws.fig, cls); ++i) {
      ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(i)};
      if (IsExistingObject(ws.fig, ref)) ws.pick.candidates.push_back(ref);
    }
  }
}

// A chosen object: a bold blue line or circle, a blue cross, the name red.
void MarkChosen(Workspace& ws, ObjectRef ref) {
  if (ref.cls == kNumberClass) return;  // the prompt counts it
  ShowMark(ws.renderer, ObjectMark(MarkTag::kChosen, ref, 1, 4, 1, true));
}

void EndCommand(Workspace& ws) {
  ws.pick.chosenObjects.clear();
  Pop(ws);  // the relation mode
  Redraw(ws.renderer);
}

std::string AnswerLines(const Workspace& ws, const std::vector<RelationAnswer>& answers) {
  std::string text;
  for (const RelationAnswer& a : answers) {
    if (!text.empty()) text += "\n";
    text += RelationAnswerText(ws.fig, a, ws.renderer.engine.translate);
  }
  return text;
}

// The figure moves to the counterexample; a second box offers the way
// back, which leaves the figure exactly as it was.
void OfferCounterexample(Workspace& ws, const RelationAnswer& answer) {
  FigureState before = FigureState::Of(ws.fig);
  ApplyCounterexample(ws.fig, answer.counterexample, ws.renderer.engine);
  Redraw(ws.renderer);
  for (ObjectRef ref : ws.pick.chosenObjects) MarkChosen(ws, ref);
  std::string text = RelationAnswerText(ws.fig, answer, ws.renderer.engine.translate) + "\n" +
                     CounterexampleText(ws.fig, answer, ws.renderer.engine.translate);
  int back = ws.shell().Choose(
      text, {ws.T(std::string(kBackToFigureCaption)), ws.T(std::string(kKeepCaption))});
  if (back != 0) return;
  before.RestoreInto(ws.fig);
  Redraw(ws.renderer);
}

void RunCheck(Workspace& ws) {
  HideCurrentCandidate(ws);
  ClearObjectName(ws);
  std::vector<RelationAnswer> answers =
      FindRelations(ws.fig, ws.renderer.view, ws.pick.chosenObjects);
  if (answers.empty()) {
    ws.shell().Choose(ws.T(std::string(kNoRelationNowMessage)), {"OK"});
    EndCommand(ws);
    return;
  }
  auto failing = std::find_if(answers.begin(), answers.end(), [](const RelationAnswer& a) {
    return a.outcome == CheckOutcome::kNotAlways && !a.counterexample.empty();
  });
  std::string text = AnswerLines(ws, answers);
  if (failing == answers.end()) {
    ws.shell().Choose(text, {"OK"});
  } else if (ws.shell().Choose(text, {ws.T(std::string(kShowCounterexampleCaption)),
                                      ws.T(std::string(kCloseCaption))}) == 0) {
    OfferCounterexample(ws, *failing);
  }
  EndCommand(ws);
}

}  // namespace

void RelationCheckCommand(Workspace& ws) {
  ws.pick.chosenObjects.clear();
  Push(ws, kModeRelation);
  BuildRelationCandidates(ws);
  Push(ws, kModeRelationChoose);
  if (!ShowFirstCandidate(ws)) {  // an empty figure: nothing to choose
    Pop(ws);
    Pop(ws);
    ws.shell().Beep();
  }
}

bool RelationSelectionConfirmed(Workspace& ws, int16_t below, ObjectRef chosen) {
  if (below != kModeRelation) return false;
  ws.pick.chosenObjects.push_back(chosen);
  MarkChosen(ws, chosen);
  if (static_cast<int>(ws.pick.chosenObjects.size()) >= kRelationMaxObjects) {
    RunCheck(ws);
    return true;
  }
  Push(ws, kModeRelationChoose);
  if (!ShowFirstCandidate(ws)) {
    Pop(ws);
    RelationSelectionCancelled(ws, below);
  }
  return true;
}

bool RelationSelectionCancelled(Workspace& ws, int16_t below) {
  if (below != kModeRelation) return false;
  if (static_cast<int>(ws.pick.chosenObjects.size()) >= kRelationMinObjects) {
    RunCheck(ws);
  } else {
    EndCommand(ws);
  }
  return true;
}

bool RelationChooseListedNumber(Workspace& ws, double px, double py) {
  int number = ListedNumberAt(ws.renderer, px, py);
  if (number == 0) return false;
  ObjectRef ref{kNumberClass, static_cast<int16_t>(number)};
  auto at = std::find(ws.pick.candidates.begin(), ws.pick.candidates.end(), ref);
  if (at == ws.pick.candidates.end() || IsExcluded(ws, ref)) return true;
  SelectCandidate(ws, ref);
  return true;
}

}  // namespace sakuzu
