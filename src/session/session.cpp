#include "session/session.h"

#include <filesystem>

#include "interact/locus.h"
#include "interact/picking.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"
#include "text/text_util.h"
#include "view/number_display.h"

namespace sakuzu {

Session::Session(Canvas& canvas, Shell& shell, std::string programFolder)
    : renderer{fig, canvas, view, display, modes, engine},
      programFolder_(std::move(programFolder)) {
  language.programFolder = programFolder_;
  translate_ = MakeTranslator(language);
  engine.shell = &shell;
  engine.translate = translate_;
  InstallExpressionEvaluator(engine);
  // The redraw in modes 2 and 8 rebuilds the keyboard list of free points;
  // the simple menu also marks them all, so that beginners see what moves.
  renderer.hooks.drawNumberVariation = [this] {
    ObjectRef varied = workspace.drag.draggedObject;
    if (varied.cls != kNumberClass || varied.index == 0) return false;
    DrawNumberVariation(renderer, varied.index);
    return true;
  };
  renderer.hooks.drawLocusTraces = [this] {
    CheckLocusVariable(workspace);  // a deletion may have taken it
    DrawTraces(workspace);
  };
  renderer.hooks.afterNumberList = [this] { RecordRow(workspace); };
  workspace.programTitle = ProgramCaption(CurrentProgramVersion());
  workspace.locus.record.SetFolder(programFolder_);
  renderer.hooks.markDraggableCandidates = [this] {
    BuildDraggableCandidates(workspace, false);
    if (workspace.easyMenu) MarkDraggableCandidates(workspace);
  };
}

std::string Session::T(std::string_view japanese) const {
  return translate_(std::string(japanese));
}

void Session::ResetForStartUp() {
  view.ViewScale = kStandardScale;
  settings.browserSw = 2;
  CreateTables(fig, kTableCapacity);
}

void Session::LoadSettings() {
  CollectSettings();
  settings = LoadSettingsFile(programFolder_, settings);
  ApplySettings();
}

void Session::SaveSettings() {
  CollectSettings();
  SaveSettingsFile(programFolder_, settings, CurrentProgramVersion());
}

void Session::ResetSettings() {
  sakuzu::ResetSettings(settings);
  ApplySettings();
}

void Session::ApplySettings() {
  display.colorStrength = settings.colorStrength;
  display.notChrDisp = settings.notChrDisp;
  display.penWidth = settings.drawWidth;
  display.font.family = settings.fontName;
  display.font.size = settings.fontSize;
  display.replayInterval = settings.redrawSlow;
  display.decimals = settings.ketaDecimal;
  display.smooth = settings.smooth;
  workspace.delta = settings.delta;
  workspace.deltaVar = settings.deltaVar;
  workspace.sDeformKind = settings.sDeformKind;
  view.axisOn = settings.axisSw != 0;
  view.axisColor = settings.axisColor;
  // The colour from the settings is the user's: the first drawing of the
  // axes must not replace it.
  view.axisColorInitialised = true;
  view.backColor = settings.backColor;
  if (language.setting != settings.language) {
    language.setting = settings.language;
  }
}

void Session::CollectSettings() {
  settings.colorStrength = display.colorStrength;
  settings.notChrDisp = display.notChrDisp;
  settings.drawWidth = static_cast<int16_t>(display.penWidth);
  settings.fontName = display.font.family;
  settings.fontSize = static_cast<float>(display.font.size);
  settings.redrawSlow = display.replayInterval;
  settings.ketaDecimal = display.decimals;
  settings.smooth = display.smooth;
  settings.delta = workspace.delta;
  settings.deltaVar = workspace.deltaVar;
  // The switch keeps its stored form: any non-zero value is "on".
  if (view.axisOn != (settings.axisSw != 0)) settings.axisSw = view.axisOn ? -1 : 0;
  settings.axisColor = view.axisColor;
  settings.backColor = view.backColor;
  settings.language = language.setting;
}

void Session::SetScreen() {
  sakuzu::SetScreen(view, renderer.canvas.Width(), renderer.canvas.Height());
}

void Session::StartModes() {
  modes = ModeStack{};
  PushMode(modes, kModeStandard, *engine.shell);
}

FileOutcome Session::ReadFigureFile(const std::string& path) {
  auto autoNames = [this](Figure& f) { UpdateAutoNames(f, translate_); };
  FileOutcome outcome = ReadWriteFigure(fig, path, FigureFileMode::kRead, autoNames, translate_);
  if (outcome.ok) fig.FigureFileName = path;
  return outcome;
}

FileOutcome Session::MergeFigureFile(const std::string& path) {
  auto autoNames = [this](Figure& f) { UpdateAutoNames(f, translate_); };
  return ReadWriteFigure(fig, path, FigureFileMode::kAppend, autoNames, translate_);
}

FileOutcome Session::WriteFigureFile(const std::string& path) {
  auto autoNames = [this](Figure& f) { UpdateAutoNames(f, translate_); };
  return ReadWriteFigure(fig, path, FigureFileMode::kWrite, autoNames, translate_);
}

FileOutcome Session::OpenStartUpFigure(std::string_view commandLine) {
  std::string path = CommandLinePath(commandLine);
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return {};
  // The loading mode lasts only while the file is read: staying in it
  // would leave every menu disabled after a figure opened this way.
  PushMode(modes, kModeLoadExample, *engine.shell);
  FileOutcome outcome = ReadFigureFile(path);
  PushMode(modes, kPopMode, *engine.shell);
  if (!outcome.ok) return outcome;
  Redraw();
  if (fig.ComplexOpsUsed != 0) ZoomComplexCommand(renderer);
  return outcome;
}

void Session::SetComputedNumbersDisplay(int16_t display) {
  for (int i = 1; i <= fig.ObjectCounts[kNumberClass]; ++i) {
    if (fig.Numbers[i].independent == 0) fig.Numbers[i].display = display;
  }
}

void Session::Redraw() { sakuzu::Redraw(renderer); }

std::string CommandLinePath(std::string_view commandLine) {
  std::string text = Trim(commandLine);
  if (!text.empty() && text.back() == '"') text.pop_back();
  if (!text.empty() && text.front() == '"') text.erase(text.begin());
  return text;
}

}  // namespace sakuzu
