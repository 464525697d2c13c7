#include "interact/prompts.h"

#include "interact/construct.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

struct Purpose {
  std::string_view kind;
  int n;  // the number input, from 1; 0 the group's count
  std::string_view text;
};

constexpr Purpose kPurposes[] = {
    {"PN", 1, "内分・外分の比 m:n の m"},
    {"PN", 2, "内分・外分の比 m:n の n"},
    {"PEXT", 1, "延長の比(2点の距離の何倍か)"},
    {"PNEQ", 0, "等分する数"},
    {"PXY", 1, "点の x 座標"},
    {"PXY", 2, "点の y 座標"},
    {"PT1", 1, "回転の角度(度)"},
    {"LRO", 1, "回転の角度(度)"},
    {"LHRO", 1, "回転の角度(度)"},
    {"CRO", 1, "回転の角度(度)"},
    {"PO^", 1, "べきの指数"},
    {"LH2+", 0, "角を等分する数"},
    {"LRGN", 0, "正多角形の辺の数"},
    {"LPGN", 0, "多角形の頂点の数"},
    {"C1", 1, "円の半径"},
    {"NSIN", 1, "角度(度)"},
    {"NCOS", 1, "角度(度)"},
    {"NTAN", 1, "角度(度)"},
};

std::string Count(int k, int n) { return " (" + std::to_string(k) + "/" + std::to_string(n) + ")"; }

const char* PickWord(int cls, bool segment) {
  switch (cls) {
    case kPointClass:
      return "点を選んでください";
    case kLineClass:
      return segment ? "線分を選んでください" : "直線を選んでください";
    case kCircleClass:
      return "円を選んでください";
    default:
      return "";
  }
}

// The pending construction step: its next object input among all of them.
std::string ConstructionPrompt(const Workspace& ws) {
  const Figure& fig = ws.fig;
  int step = fig.StepCount;
  if (step < 1 || step > fig.StepInputs.UpperBound()) return {};
  if (IsPolygonInProgress(ws)) {
    int picked = 1;
    for (int s = ws.build.polygonStep + 1; s <= step; ++s) {
      picked += Trim(fig.StepKind[s]) == "LPG+";
    }
    return ws.T("多角形の頂点を選んでください") + Count(picked + 1, ws.build.polygonVertices);
  }
  const StepSlots& in = fig.StepInputs[step];
  int total = 0, next = 0, nextSlot = 0;
  for (int k = 1; k <= kSlotCount; ++k) {
    int cls = in[k].cls;
    if (cls < kPointClass || cls > kCircleClass) continue;
    ++total;
    if (next == 0 && in[k].index == 0) {
      next = total;
      nextSlot = k;
    }
  }
  if (next == 0) return {};
  bool segment = ws.build.InputLineKindRequired[nextSlot] == 1;
  return ws.T(PickWord(in[nextSlot].cls, segment)) + Count(next, total);
}

}  // namespace

std::string_view NumberPurpose(std::string_view kind, int n) {
  std::string trimmed = Trim(kind);
  for (const Purpose& p : kPurposes) {
    if (p.kind == trimmed && p.n == n) return p.text;
  }
  return {};
}

std::string PromptFor(const Workspace& ws) {
  std::optional<int16_t> top = CurrentMode(ws.modes);
  if (!top) return {};
  const ModeStack& m = ws.modes;
  int16_t below = m.depth >= 2 ? m.entries[m.depth - 1] : 0;
  switch (*top) {
    case kModeConstructPick:
      return ConstructionPrompt(ws);
    case kModeNewPoint:
      return ws.T("クリックした所に新しい点を置きます(Escで終わり)");
    case kModePlacePoint:
      return ws.T("点を動かして位置を決め、Enterで決まります");
    case kModeSelect:
      return below == kModeDeform ? ws.T("動かす点を選んでください") : std::string();
    case kModeMultiChoose:
      return ws.T("一緒に動かす点を選び、Escで選び終わります");
    case kModeRelationChoose: {
      int chosen = static_cast<int>(ws.pick.chosenObjects.size());
      return ws.T(chosen < 2 ? "関係を調べる対象(点・線・円・数値)を選んでください"
                             : "さらに選ぶか、Escで調べます") +
             Count(chosen + 1, 4);
    }
    case kModeEditSelect:
      return ws.T("編集する対象を選んでください");
    case kModeBindPointSelect:
      return ws.T("束縛する点を選んでください");
    case kModeBindHostSelect:
      return ws.T("束縛先を選んでください");
    default:
      return {};
  }
}

}  // namespace sakuzu
