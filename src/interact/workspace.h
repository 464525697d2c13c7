// What the interaction works on: the renderer (with the figure, view,
// settings and engine), the mode stack, the number dialogs, the state of
// picking and of the construction command in progress, what the screen
// shows beside the drawing (cursor, status panel 4, a pop-up menu to open),
// and the two questions only a front end can ask (the new-figure question,
// the save dialog), reached through hooks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interact/attributes.h"
#include "interact/locus.h"
#include "interact/modes.h"
#include "model/figure.h"
#include "numbers/number_prompts.h"
#include "view/renderer.h"

namespace sakuzu {

// Selection state (choosing construction inputs, the object to edit, ...).
struct PickState {
  std::vector<ObjectRef> candidates;  // in index order
  int position = 0;                   // the current candidate's place, 1-based; 0 none
  ObjectRef current;                  // the current candidate
  std::vector<int16_t> chosenPoints;  // points chosen for moving several at once
  std::vector<ObjectRef> chosenObjects;  // objects chosen for a relation check
  ObjectRef popupObject;              // the object the pop-up menu was opened on
};

// A construction command in progress (the pending step is the last step).
struct ConstructState {
  std::array<int16_t, kSlotCount + 1> InputLineKindRequired{-1, -1, -1, -1, -1, -1};
  std::array<int16_t, kSlotCount + 1> OutputLineKind{-1, -1, -1, -1, -1, -1};
  int16_t CurrentLineKindRequired = -1;
  bool RepeatFlag = false;
  ObjectRef PendingPoint;  // the free point being placed (mode 28)
  // What the command found, so that a cancel takes back what it added.
  int16_t numbersAtStart = 0;
  // A polygon being built: its first step and the vertices it needs.
  int16_t polygonStep = 0;
  int16_t polygonVertices = 0;
  // The kind of the last command started, whose line kinds a repeat keeps.
  std::string lastKind;
  // The last mouse position over the drawing (figure units), where a new
  // point appears.
  bool lastPointer = false;
  double pointerX = 0, pointerY = 0;
};

// A deformation in progress.
struct DragState {
  int16_t draggedPoint = 0;  // 0 none
  ObjectRef draggedObject;   // a line dragged by its end points, or a number varied
  bool firstStep = true;     // the first step analyses the dependencies
  bool markSaved = false;    // the dragged point's mark between steps
  int16_t savedStyle = 0, savedColor = 0, savedLocusColor = 0;
  double offsets[4] = {};  // a line drag: (P1 - mouse) and (P2 - mouse)
};

enum class CursorShape { kArrow, kMove };

struct PopupEntry {
  std::string name;  // the menu item's object name
  std::string caption;
  bool visible = true;
};
struct PopupMenu {
  ObjectRef object;
  std::vector<PopupEntry> entries;
};

enum class NewFigureAnswer { kYes, kSave, kCancel };

// What the screen shows beside the drawing, as the interaction last set
// it; the front end shows it after each event.
struct ScreenState {
  CursorShape cursor = CursorShape::kArrow;
  // Status panel 4 and its bevel (raised while choosing what to deform).
  std::string panel4;
  bool panel4Raised = false;
  // The object panel 4 names, so that its name follows a change of the
  // language or of the object; empty when it names none.
  ObjectRef panel4Object;
  // A pop-up menu to open at the mouse; the front end takes it.
  std::optional<PopupMenu> popup;
};

struct WorkspaceHooks {
  // "新規作図の確認": the user's answer.
  std::function<NewFigureAnswer()> askNewFigure;
  // The Save command with its file dialog.
  std::function<void()> save;
};

// A point being bound to a host: its binding before, restored when no
// host is chosen.
struct BindState {
  int16_t point = 0;
  int16_t kind = 0;  // the class of the host being chosen
  int16_t oldKind = 0, oldIndex = 0;
  double oldParameter = 0;
  DependentSet dependents;  // the point and what is built on it: no host
};

struct ScribbleState {
  bool pen = false;
  double x = 0, y = 0;  // the current drawing position
};

struct Workspace {
  Workspace(Renderer& r, ModeStack& modeStack) : renderer(r), fig(r.fig), modes(modeStack) {}
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  Shell& shell() const { return *renderer.engine.shell; }
  std::string T(std::string_view japanese) const {
    std::string text(japanese);
    return renderer.engine.translate ? renderer.engine.translate(text) : text;
  }

  Renderer& renderer;
  Figure& fig;
  ModeStack& modes;
  NumberPrompts* numbers = nullptr;
  AttributeDialogs* attributes = nullptr;
  bool easyMenu = false;  // the simple menu: only points are picked for dragging
  // New free points get a small filled square, bound points a ring
  // ("ZKwin_NewPointMarks"); off, both are a single pixel.
  bool newPointMarks = true;
  // The deformation steps ("delta" pixels, "DeltaVar", "SDeformKind").
  int16_t delta = 10;
  double deltaVar = 0.5;
  int16_t sDeformKind = 0;
  WorkspaceHooks hooks;
  ScreenState screen;
  PickState pick;
  ConstructState build;
  DragState drag;
  BindState bind;
  ScribbleState scribble;
  LocusState locus;
  // "Sakuzu 0.1.0": the title the record of measured values names.
  std::string programTitle;
};

// True when the reference names an existing object of its class.
bool IsExistingObject(const Figure& fig, ObjectRef ref);

}  // namespace sakuzu
