// The menu commands that every front end shares: constructions, edits,
// deformations, loci, undo, the view, the options and the settings file.
// The front end installs the rest (files, window sizes, pictures, help).
#include <optional>

#include "interact/construct.h"
#include "interact/deform.h"
#include "interact/delete.h"
#include "interact/edit.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "interact/relation_mode.h"
#include "macros/macros.h"
#include "model/report.h"
#include "session/session.h"
#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr const char* kMatrixCaption = "変換の表現行列";

// A command of the workspace: runs on it.
using WorkspaceCommand = void (*)(Workspace&);

struct WorkspaceEntry {
  const char* name;
  WorkspaceCommand run;
};

const WorkspaceEntry kWorkspaceCommands[] = {
    {"mnuEbasicPt", [](Workspace& w) { EditObjectCommand(w, kPointClass); }},
    {"mnuEbasicLine", [](Workspace& w) { EditObjectCommand(w, kLineClass); }},
    {"mnuEbasicCircle", [](Workspace& w) { EditObjectCommand(w, kCircleClass); }},
    {"mnuEbasicNum", &EditNumberCommand},
    {"mnuEboundedPt", &EditBindingCommand},
    {"mnuEdit2_point_Edit", &PopupEditCommand},
    {"mnuEdit2_point_Bounded", &PopupBindingCommand},
    {"mnuEdit2_point_Set_Free", &PopupSetFreeCommand},
    {"mnuEdit2_point_Deform", &PopupDeformCommand},
    {"mnuEdit2_point_Delete", &DeleteObjectCommand},
    {"mnuDeform1Pt", &Deform1PtCommand},
    {"mnuDeformPts", &DeformPtsCommand},
    {"mnuDeformVar", &DeformVarCommand},
    {"mnuRakugaki", &ScribbleCommand},
    {"mnuLocusSW", &ToggleLocus},
    {"mnuLocusSetP", [](Workspace& w) { EditObjectCommand(w, kPointClass); }},
    {"mnuLocusSetL", [](Workspace& w) { EditObjectCommand(w, kLineClass); }},
    {"mnuLocusSetC", [](Workspace& w) { EditObjectCommand(w, kCircleClass); }},
    {"mnuLocusSetN", &ChooseLocusVariable},
    {"mnuLocusNumClear", &ClearLocusVariable},
    {"mnuCMacroLinear", [](Workspace& w) { MacroCommand(w, &MacroLinear); }},
    {"mnuCMacroAffine", [](Workspace& w) { MacroCommand(w, &MacroAffine); }},
    {"mnuCMacroProjective", [](Workspace& w) { MacroCommand(w, &MacroProjective); }},
    {"mnuCundo", &DeleteLast},
    {"mnuMundo", &DeleteLast},
    {"mnuCredo", &RepeatLast},
    {"mnuMredo", &RepeatLast},
    {"mnuMcheck", &RelationCheckCommand},
};

// A command of the view on the renderer.
struct ViewEntry {
  const char* name;
  void (*run)(Renderer&);
};

const ViewEntry kViewCommands[] = {
    {"mnuZoomDefault", &ZoomDefaultCommand},
    {"mnuZoomIn", &ZoomInCommand},
    {"mnuZoomOut", &ZoomOutCommand},
    {"mnuZoomComplex", &ZoomComplexCommand},
    {"mnuZoomFit", &ZoomFitCommand},
    {"mnuOAxis", &ToggleAxisCommand},
    {"mnuOAxis01", [](Renderer& r) { SetAxisKindCommand(r, kAxisRectangular); }},
    {"mnuOAxis02", [](Renderer& r) { SetAxisKindCommand(r, kAxisPolar); }},
    {"mnuOAxisColor1", [](Renderer& r) { SetAxisColorCommand(r, kAxisColorLight); }},
    {"mnuOAxisColor2", [](Renderer& r) { SetAxisColorCommand(r, kAxisColorMedium); }},
    {"mnuOAxisColor3", [](Renderer& r) { SetAxisColorCommand(r, kAxisColorDark); }},
    {"mnuOBackCWhite", [](Renderer& r) { SetBackgroundCommand(r, kWhite); }},
    {"mnuAngleSW", &ToggleAngleMarksCommand},
};

// An option that sets a value of the settings: what it sets, and whether
// the figure is drawn anew.
struct OptionEntry {
  const char* name;
  void (*apply)(Settings&);
  bool redraw;
};

const OptionEntry kOptionCommands[] = {
    {"mnuOdeformStandard", [](Settings& s) { s.delta = 10; }, false},
    {"mnuOdeformNarrow", [](Settings& s) { s.delta = 1; }, false},
    {"mnuOdeformVarStandard", [](Settings& s) { s.deltaVar = 0.5; }, false},
    {"mnuOdeformVarNarrow", [](Settings& s) { s.deltaVar = 0.1; }, false},
    {"mnuOdeformVarWide", [](Settings& s) { s.deltaVar = 1; }, false},
    // Exactly true or false: the complement of a 1 from the file would stay true.
    {"mnuOchrDisp", [](Settings& s) { s.notChrDisp = s.notChrDisp != 0 ? kFalse : kTrue; }, true},
    {"mnuOSmooth", [](Settings& s) { s.smooth = !s.smooth; }, true},
    {"mnuOSDeformLC", [](Settings& s) { s.sDeformKind = 0; }, false},
    {"mnuOSDeformL", [](Settings& s) { s.sDeformKind = 1; }, false},
    {"mnuOSDeformCross", [](Settings& s) { s.sDeformKind = 2; }, false},
    {"mnuOMenu_easy", [](Settings& s) { s.menuMode = kEasyMenuMode; }, false},
    {"mnuOmenu_full", [](Settings& s) { s.menuMode = kFullMenuMode; }, false},
    {"mnuRedrawslowOption_01", [](Settings& s) { s.redrawSlow = 200; }, false},
    {"mnuRedrawslowOption_03", [](Settings& s) { s.redrawSlow = 500; }, false},
    {"mnuRedrawslowOption_05", [](Settings& s) { s.redrawSlow = 1000; }, false},
    {"mnuOwwwDiderod", [](Settings& s) { s.wwwUrl = std::string(kDefaultServerEndpoint); }, false},
    {"mnuODisplaySize0", [](Settings& s) { s.displaySize = 0; }, true},
    {"mnuODisplaySize1", [](Settings& s) { s.displaySize = 1; }, true},
    {"mnuODisplaySize2", [](Settings& s) { s.displaySize = 2; }, true},
    {"mnuONewPointMarkOn", [](Settings& s) { s.newPointMarks = true; }, false},
    {"mnuONewPointMarkOff", [](Settings& s) { s.newPointMarks = false; }, false},
};

// An option asked for in an input box: the prompt and title, the value
// the box starts with, how the answer is read (within the prompt's
// limits), and whether the figure is drawn anew.
struct PromptEntry {
  const char* name;
  const char* message;
  const char* title;
  std::string (*start)(const Settings&);
  void (*apply)(Settings&, const std::string& answer);
  bool redraw;
};

const PromptEntry kPromptCommands[] = {
    {"mnuOdeformManual", "1から60までの数を入力してください", "変形の幅の設定",
     [](const Settings& s) { return FormatNumber(s.delta); },
     [](Settings& s, const std::string& a) { s.delta = LimitDelta(a); }, false},
    {"mnuOdeformVarManual", "0より大きく100以下の数を入力してください", "数値の変化の幅の設定",
     [](const Settings& s) { return FormatNumber(s.deltaVar); },
     [](Settings& s, const std::string& a) { s.deltaVar = LimitDeltaVar(a); }, false},
    {"mnuWidth", "1から10までの数値を入力してください", "線の太さの設定",
     [](const Settings& s) { return FormatNumber(s.drawWidth); },
     [](Settings& s, const std::string& a) { s.drawWidth = LimitDrawWidth(a); }, true},
    {"mnuFont", "フォントの大きさを入力してください", "フォントサイズの設定",
     [](const Settings& s) { return FormatNumber(s.fontSize); },
     [](Settings& s, const std::string& a) { s.fontSize = LimitFontSize(a); }, true},
    {"mnuKeta", "測定値の小数点以下の表示桁数を入力してください", "表示桁数の設定",
     [](const Settings& s) { return FormatNumber(s.ketaDecimal); },
     [](Settings& s, const std::string& a) { s.ketaDecimal = LimitKetaDecimal(a); }, true},
    {"mnuOColorStrength", "1から255までの数を入力してください", "色の濃さ",
     [](const Settings& s) { return FormatNumber(s.colorStrength); },
     [](Settings& s, const std::string& a) { s.colorStrength = LimitColorStrength(a); }, true},
    {"mnuOwwwManual", "データ保存に使うWWWサーバのURLを入力してください。", "WWWサーバの設定",
     [](const Settings& s) { return s.wwwUrl; },
     [](Settings& s, const std::string& a) { s.wwwUrl = LimitServerUrl(a, s.wwwUrl); }, false},
};

}  // namespace

void Session::InstallCommands() {
  for (const KindInfo& kind : AllKinds()) {
    for (const KindCommand& command : kind.commands) {
      std::string control(command.control);
      Add(control, [this, control] { RunKindCommand(workspace, control); });
    }
  }
  for (const WorkspaceEntry& entry : kWorkspaceCommands) {
    Add(entry.name, [this, run = entry.run] { run(workspace); });
  }
  for (const ViewEntry& entry : kViewCommands) {
    Add(entry.name, [this, run = entry.run] { run(renderer); });
  }
  Add("mnuOAxisColorManual", [this] {
    if (std::optional<Rgb> color = front_.ChooseColor(view.axisColor)) {
      SetAxisColorCommand(renderer, *color);
    }
  });
  Add("mnuOBackCStandard", [this] { SetBackgroundCommand(renderer, front_.FaceColor()); });
  Add("mnuOBackCmanual", [this] {
    if (std::optional<Rgb> color = front_.ChooseColor(view.backColor)) {
      SetBackgroundCommand(renderer, *color);
    }
  });
  Add("mnuLocusReset", [this] {
    ResetTraces(workspace);
    Redraw();
  });
  // Everything recorded so far on disk, then the page in the browser.
  Add("mnuLocusNumCSV", [this] {
    workspace.locus.record.Flush();
    front_.OpenDocument(workspace.locus.record.HtmlPath());
  });
  Add("mnuNew", [this] { NewFigureCommand(); });
  Add("mnuEUndo", [this] { Undo(false); });
  Add("mnuERedo", [this] { Undo(true); });
  Add("mnuEasyMenu", [this] {
    SetMenuMode(menuMode_ == kEasyMenuMode ? kFullMenuMode : kEasyMenuMode);
    Redraw();
  });
  Add("mnuEVarDispAllOn", [this] {
    SetComputedNumbersDisplay(0);
    Redraw();
  });
  Add("mnuEVarDispAllOff", [this] {
    SetComputedNumbersDisplay(7);
    Redraw();
  });
  Add("mnuPTmatrixSW", [this] {
    engine.matrixDisplay = !engine.matrixDisplay;
    if (!engine.matrixDisplay) return;
    front_.SetTextCaption(kMatrixCaption);
    Redraw();  // the transformations write their matrices now
  });
  Add("mnuEditFigDataView", [this] {
    front_.ShowText(std::string(kFigureDataReportCaption), FigureDataReport(fig, translate_));
  });
  Add("mnuFigData_Redraw", [this] { StartReplay(dispatcher); });
  InstallOptionCommands();
}

void Session::InstallOptionCommands() {
  for (const OptionEntry& entry : kOptionCommands) {
    Add(entry.name, [this, entry] { ChangeSettings(entry.apply, entry.redraw); });
  }
  for (const PromptEntry& entry : kPromptCommands) {
    Add(entry.name, [this, entry] {
      AskSetting(entry.message, entry.title, entry.start(settings), entry.apply, entry.redraw);
    });
  }
  Add("mnuOFileSave", [this] { SaveSettings(); });
  Add("mnuOFileLoad", [this] {
    LoadSettings();
    Redraw();
  });
  Add("mnuOFileInit", [this] {
    ResetSettings();
    Redraw();
  });
}

void Session::ChangeSettings(const std::function<void(Settings&)>& change, bool redraw) {
  CollectSettings();
  change(settings);
  ApplySettings();
  if (redraw) Redraw();
}

void Session::AskSetting(const char* message, const char* title, const std::string& start,
                         const std::function<void(Settings&, const std::string&)>& apply,
                         bool redraw) {
  // Cancel leaves the setting as it was; an empty answer reads as the
  // prompt's fixed value.
  std::optional<std::string> answer = front_.InputBox(T(message), T(title), start);
  if (!answer) return;
  ChangeSettings([&](Settings& s) { apply(s, *answer); }, redraw);
}

bool Session::EnsureServerUrl() {
  if (!Trim(settings.wwwUrl).empty()) return true;
  commands_.at("mnuOwwwManual")();
  return !Trim(settings.wwwUrl).empty();
}

void Session::NewFigureCommand() {
  // Unsaved changes: the save question replaces the new-figure question.
  if (history.IsModified()) {
    if (!MaySave()) return;
    skipNewFigureQuestion_ = true;
  }
  NewFigure(workspace);
  skipNewFigureQuestion_ = false;
}

}  // namespace sakuzu
