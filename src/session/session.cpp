#include "session/session.h"

#include <cmath>
#include <filesystem>

#include "interact/deform.h"
#include "interact/locus.h"
#include "interact/picking.h"
#include "interact/prompts.h"
#include "interact/replay_mode.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"
#include "text/text_util.h"
#include "view/number_display.h"

namespace sakuzu {

Session::Session(Canvas& canvas, FrontEnd& frontEnd, std::string programFolder)
    : renderer{fig, canvas, view, display, engine},
      front_(frontEnd),
      programFolder_(std::move(programFolder)) {
  language.programFolder = programFolder_;
  translate_ = MakeTranslator(language);
  engine.shell = &front_;
  engine.translate = translate_;
  InstallExpressionEvaluator(engine);
  KeepDrawStateCurrent(workspace);
  // The redraw in the standard mode rebuilds the keyboard list of free
  // points; the simple menu also marks them all, so that beginners see
  // what moves.
  renderer.hooks.markDraggableCandidates = [this] {
    BuildDraggableCandidates(workspace, false);
    if (workspace.easyMenu) MarkDraggableCandidates(workspace);
  };
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
  workspace.hooks.askNewFigure = [this] {
    if (skipNewFigureQuestion_) return NewFigureAnswer::kYes;
    return front_.AskNewFigure();
  };
  workspace.hooks.save = [this] { front_.SaveWithDialog(); };
  workspace.programTitle = ProgramCaption(CurrentProgramVersion());
  workspace.locus.record.SetFolder(programFolder_);
  InstallCommands();
}

std::string Session::T(std::string_view japanese) const {
  return translate_(std::string(japanese));
}

// ------------------------------------------------------------- start-up

void Session::ResetForStartUp() {
  ZoomDefault(view);
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
  CollectSettings();
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
  display.displaySize = settings.displaySize;
  workspace.newPointMarks = settings.newPointMarks;
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
  renderer.state = DrawStateFor(modes, display);
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
  settings.displaySize = display.displaySize;
  settings.newPointMarks = workspace.newPointMarks;
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
  ClearModes(modes);
  PushMode(modes, kModeStandard, front_);
}

FileOutcome Session::OpenStartUpFigure(std::string_view commandLine) {
  std::string path = CommandLinePath(commandLine);
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return {};
  // The loading mode lasts only while the file is read: staying in it
  // would leave every menu disabled after a figure opened this way.
  PushMode(modes, kModeLoadExample, front_);
  FileOutcome outcome = ReadFigureFile(path);
  PushMode(modes, kPopMode, front_);
  if (!outcome.ok) return outcome;
  Redraw();
  if (fig.ComplexOpsUsed != 0) ZoomComplexCommand(renderer);
  return outcome;
}

FileOutcome Session::StartWithFigure(const std::string& path, const std::string& languageSetting) {
  ResetForStartUp();
  LoadSettings();
  if (!languageSetting.empty()) language.setting = languageSetting;
  SetScreen();
  StartModes();
  fig.FigureFileName = "untitled";
  Redraw();
  return OpenStartUpFigure(path);
}

// ---------------------------------------------------------------- files

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

bool Session::OpenFigure(const std::string& path) {
  FileOutcome outcome = ReadFigureFile(path);
  if (!outcome.ok) {
    front_.ShowMessage(outcome.message);
    return false;
  }
  ResetTraces(workspace);
  // Nothing of the previous figure is named any more.
  ClearObjectName(workspace);
  Redraw();
  // A loaded figure is as its file: unchanged once the load is recorded.
  savedAfterChange_ = true;
  if (!history.IsOpen()) history.MarkSaved();
  figureChanged_ = true;
  return true;
}

bool Session::SaveFigure(const std::string& path) {
  // The file holds the automatic names in the language of now; renamed
  // here, they are renamed in a change to undo, not behind the history.
  RefreshAutoNames();
  FileOutcome outcome = WriteFigureFile(path);
  if (!outcome.ok) {
    front_.ShowMessage(outcome.message);
    return false;
  }
  fig.FigureFileName = path;
  history.MarkSaved();
  Redraw();
  figureChanged_ = true;
  return true;
}

bool Session::MergeFigure(const std::string& path) {
  FileOutcome outcome = MergeFigureFile(path);
  if (!outcome.ok) {
    front_.ShowMessage(outcome.message);
    return false;
  }
  Redraw();
  return true;
}

void Session::RefreshAutoNames() {
  bool atRest = modes.depth <= 1 && !history.IsOpen();
  if (atRest) history.Begin(fig);
  UpdateAutoNames(fig, translate_);
  if (atRest && history.Commit(fig, "自動の名前")) figureChanged_ = true;
}

void Session::SetLanguage(const std::string& setting) {
  CollectSettings();
  language.setting = setting;
  SaveSettings();
  UpdateAutoNames(fig, translate_);
  Redraw();
}

bool Session::MaySave() {
  if (!history.IsModified()) return true;
  switch (front_.AskSave()) {
    case SaveAnswer::kSave:
      return front_.SaveWithDialog();
    case SaveAnswer::kDiscard:
      return true;
    default:
      return false;
  }
}

// --------------------------------------------------------------- events

void Session::BeginChange(const std::string& caption) {
  if (modes.depth > 1 || history.IsOpen()) return;
  history.Begin(fig);
  changeCaption_ = caption;
  savedAfterChange_ = false;
}

// A change ends when no command is under way any more.
bool Session::EndChange() {
  if (modes.depth > 1 || !history.IsOpen()) return false;
  changeClosed_ = true;
  bool changed = history.Commit(fig, changeCaption_);
  if (savedAfterChange_) history.MarkSaved();
  savedAfterChange_ = false;
  return changed;
}

Update Session::Finish(const Changes& changes) {
  workspace.easyMenu = menuMode_ == kEasyMenuMode;
  CollectSettings();
  if (EndChange()) figureChanged_ = true;
  Update update;
  update.figure = figureChanged_;
  figureChanged_ = false;
  update.modes = changes.modes;
  update.status = changes.status || update.figure;
  update.layers = renderer.canvas.TakeDrawnLayers();
  update.popup = std::move(workspace.screen.popup);
  workspace.screen.popup.reset();
  update.changeClosed = std::exchange(changeClosed_, false);
  return update;
}

template <typename Work>
Update Session::Event(const char* caption, Work work) {
  if (caption != nullptr) BeginChange(caption);
  return Finish(work());
}

Update Session::MouseDown(const MouseInput& input) {
  note_.clear();
  return Event("ドラッグ", [&] { return sakuzu::MouseDown(dispatcher, input); });
}

Update Session::MouseMove(const MouseInput& input) {
  Changes changes = sakuzu::MouseMove(dispatcher, input);
  // Hovering changes no mode: the change to undo stays open.
  if (!changes.modes) {
    Update update;
    update.status = changes.status;
    update.layers = renderer.canvas.TakeDrawnLayers();
    return update;
  }
  return Finish(changes);
}

Update Session::MouseUp(const MouseInput& input) {
  return Event(nullptr, [&] { return sakuzu::MouseUp(dispatcher, input); });
}

Update Session::DoubleClick() {
  return Event("ドラッグ", [&] { return sakuzu::DoubleClick(dispatcher); });
}

Update Session::KeyDown(const KeyInput& input) {
  // Delete at rest deletes the object under the mouse, as its pop-up does.
  ObjectRef named = workspace.screen.panel4Object;
  if (input.code == kKeyDelete && IsCurrentMode(modes, kModeStandard) && !named.IsEmpty() &&
      named.cls != kNumberClass) {
    workspace.pick.popupObject = named;
    return Command("mnuEdit2_point_Delete");
  }
  return Event("変形", [&] { return sakuzu::KeyDown(dispatcher, input); });
}

Update Session::ReplayTick() {
  Changes changes = sakuzu::ReplayTick(dispatcher);
  // The last tick ends the replay, and with it the change its command opened.
  if (changes.modes) return Finish(changes);
  Update update;
  update.modes = changes.modes;
  update.status = changes.status;
  update.layers = renderer.canvas.TakeDrawnLayers();
  return update;
}

Update Session::Wheel(double px, double py, double notches) {
  return Pinch(px, py, std::pow(2.0, notches / 4));
}

Update Session::Pinch(double px, double py, double factor) {
  Changes changes = ZoomAt(dispatcher, px, py, factor);
  Update update;
  update.status = changes.status;
  update.layers = renderer.canvas.TakeDrawnLayers();
  return update;
}

bool Session::HasCommand(std::string_view name) const {
  return commands_.count(std::string(name)) != 0;
}

void Session::SetCommand(std::string_view name, std::function<void()> run) {
  commands_[std::string(name)] = std::move(run);
}

void Session::Add(std::string_view name, std::function<void()> run) {
  SetCommand(name, std::move(run));
}

Update Session::Command(std::string_view name) {
  auto found = commands_.find(std::string(name));
  if (found == commands_.end()) return {};
  // Every command may change the figure, and then is one change to undo;
  // undo and redo themselves, saving (also the html page's save) and
  // leaving are not.
  constexpr std::string_view kUntracked[] = {"mnuEUndo", "mnuERedo", "mnuSave", "mnuExit",
                                             "mnuf_html"};
  bool tracked =
      std::find(std::begin(kUntracked), std::end(kUntracked), name) == std::end(kUntracked);
  std::string caption;
  for (const MenuEntry& entry : MenuTree()) {
    if (entry.name == name) caption = entry.caption;
  }
  if (tracked) BeginChange(caption);
  note_.clear();
  // Copied: a command may install commands of its own.
  std::function<void()> run = found->second;
  return Finish(Run(dispatcher, run));
}

Update Session::Change(const std::string& caption, const std::function<void()>& work) {
  BeginChange(caption);
  return Finish(Run(dispatcher, work));
}

void Session::Undo(bool redo) {
  if (modes.depth > 1) return;
  history.Abandon();
  bool done = redo ? history.Redo(fig) : history.Undo(fig);
  if (!done) {
    front_.Beep();
    return;
  }
  Redraw();
  figureChanged_ = true;
}

// --------------------------------------------------------- what to show

StatusTexts Session::Status() {
  StatusTexts status;
  std::string name = FileNameWithoutFolder(fig.FigureFileName);
  ProgramVersion version = CurrentProgramVersion();
  status.caption =
      WindowCaption((history.IsModified() ? "*" : "") + name, version.title, VersionText(version));
  status.panel1 = ModeName(modes, front_, translate_);
  status.panel2 = name;
  status.panel3 =
      IsCurrentMode(modes, kModeReplay) ? dispatcher.replay.caption : LocusStateText(workspace);
  // The name follows the object and the language.
  ObjectRef named = workspace.screen.panel4Object;
  status.panel4 = named.IsEmpty() ? workspace.screen.panel4 : ObjectNameText(workspace, named);
  status.prompt = PromptFor(workspace);
  if (status.prompt.empty()) status.prompt = note_;
  status.panel4Raised = workspace.screen.panel4Raised;
  status.cursor = workspace.screen.cursor;
  status.replayTimer = dispatcher.replay.timerRunning;
  status.replayInterval = ReplayInterval(workspace);
  return status;
}

std::string Session::UndoCaption() const {
  std::string text = T("元に戻す");
  if (!history.UndoCaption().empty()) text += ": " + T(history.UndoCaption());
  return text;
}

std::string Session::RedoCaption() const {
  std::string text = T("やり直し");
  if (!history.RedoCaption().empty()) text += ": " + T(history.RedoCaption());
  return text;
}

MenuCheckState Session::MenuChecks() const {
  MenuCheckState state;
  state.labelsOff = display.notChrDisp != 0;
  state.angleMarks = display.angleMarksOn;
  state.smooth = display.smooth;
  state.locusOn = workspace.locus.on;
  state.axisOn = view.axisOn;
  state.axisKind = view.AxisKind;
  state.delta = settings.delta;
  state.deltaVar = settings.deltaVar;
  state.sDeformKind = settings.sDeformKind;
  state.savedMenuMode = settings.menuMode;
  state.replayInterval = display.replayInterval;
  state.matrixDisplay = engine.matrixDisplay;
  state.savedWindowState = settings.windowState;
  state.displaySize = display.displaySize;
  state.newPointMarks = workspace.newPointMarks;
  return state;
}

void Session::SetMenuMode(int16_t mode) {
  menuMode_ = mode == kEasyMenuMode ? kEasyMenuMode : kFullMenuMode;
  workspace.easyMenu = menuMode_ == kEasyMenuMode;
}

void Session::SetComputedNumbersDisplay(int16_t shown) {
  for (int i = 1; i <= fig.ObjectCounts[kNumberClass]; ++i) {
    if (fig.Numbers[i].independent == 0) fig.Numbers[i].display = shown;
  }
}

void Session::Redraw() { sakuzu::Redraw(renderer); }

void Session::DrawPicture(Canvas& target) {
  Renderer picture(fig, target, view, display, engine);
  picture.state = renderer.state;
  picture.overlay = renderer.overlay;
  DrawScene(picture, [&] { DrawTraces(picture, workspace.locus); });
}

std::string CommandLinePath(std::string_view commandLine) {
  std::string text = Trim(commandLine);
  if (!text.empty() && text.back() == '"') text.pop_back();
  if (!text.empty() && text.front() == '"') text.erase(text.begin());
  return text;
}

bool ScriptedDrag(Session& session, int steps) {
  const Figure& fig = session.fig;
  int point = 0;
  for (int i = 1; i <= ClassCount(fig, kPointClass) && point == 0; ++i) {
    if (fig.Points[i].exists != 0 && fig.Points[i].independent == kTrue) point = i;
  }
  if (point == 0) return false;
  // Whole and half pixels: the path is the same in every build.
  PixelPoint at = ToPixel(session.view, fig.Points[point].x, fig.Points[point].y);
  double x = std::round(at.x), y = std::round(at.y);
  MouseInput input;
  input.px = x, input.py = y, input.button = MouseButton::kLeft, input.leftHeld = true;
  session.MouseDown(input);
  input.button = MouseButton::kNone;
  for (int k = 1; k <= steps; ++k) {
    input.px = x + k, input.py = y + k / 2.0;
    session.MouseMove(input);
  }
  input.button = MouseButton::kLeft, input.leftHeld = false;
  session.MouseUp(input);
  return true;
}

std::string VersionText(const ProgramVersion& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

}  // namespace sakuzu
