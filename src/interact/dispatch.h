// The drawing area's mouse and keys, handed to the handler of the current
// interaction mode. A front end turns its events into these plain calls
// (positions in pixels of the drawing area, keys as the key codes below);
// each returns what it changed. Everything here is free of the toolkit.
#pragma once

#include <cstdint>
#include <functional>

#include "interact/workspace.h"
#include "view/replay.h"

namespace sakuzu {

enum class MouseButton { kLeft, kRight, kMiddle, kNone };

struct MouseInput {
  double px = 0, py = 0;  // pixels of the drawing area
  MouseButton button = MouseButton::kNone;
  bool leftHeld = false;  // for moves: the left button is down
  bool shift = false, ctrl = false;
};

// Key codes: Enter 13, Esc 27, Space 32, the arrows 37 to 40, digits and
// capital letters as their ASCII codes, function keys 112 and up.
struct KeyInput {
  int code = 0;
  bool shift = false, ctrl = false;
};

// A pan of the view by the mouse: from the press (the middle button
// anywhere, the left button on the empty background of the standard mode)
// to the release.
struct PanState {
  bool active = false;
  double px = 0, py = 0;  // where the pointer was at the last step
};

// The dispatcher keeps the last press, so that a double click repeats it.
struct Dispatcher {
  explicit Dispatcher(Workspace& workspace) : ws(workspace) {}
  Workspace& ws;
  ReplayState replay;
  MouseInput lastPress;
  PanState pan;
};

// What an event changed.
struct Changes {
  bool modes = false;   // the mode stack: the menus, status panel 1
  bool status = false;  // a status text, the cursor, the replay timer, a pop-up to open
  // The canvas layers drawn since whoever shows them last took the record
  // (LayerTracker::TakeDrawnLayers), one bit each (1 << Layer).
  uint8_t layers = 0;

  Changes& operator|=(const Changes& other) {
    modes |= other.modes;
    status |= other.status;
    layers |= other.layers;
    return *this;
  }
};

Changes MouseDown(Dispatcher& d, const MouseInput& input);
Changes MouseMove(Dispatcher& d, const MouseInput& input);
Changes MouseUp(Dispatcher& d, const MouseInput& input);
// A double click repeats the last press.
Changes DoubleClick(Dispatcher& d);
Changes KeyDown(Dispatcher& d, const KeyInput& input);
// The replay of the construction: started by its command, stepped by its timer.
Changes StartReplay(Dispatcher& d);
Changes ReplayTick(Dispatcher& d);
// The wheel or a pinch: the view zoomed by `factor` (above 1 enlarges)
// about the pointer, at any rest of the interaction (not while a drag, a
// pan or the replay is under way). The figure does not change.
Changes ZoomAt(Dispatcher& d, double px, double py, double factor);
// True when the view may change by the mouse now.
bool ViewMayChange(const Dispatcher& d);
// Any other command of the interaction (a menu command), with what it changed.
Changes Run(Dispatcher& d, const std::function<void()>& command);

// The picture's draw state for the mode on top and the display settings.
DrawState DrawStateFor(const ModeStack& modes, const DisplaySettings& display);
// Keeps the renderer's draw state in step with every change of the modes
// (and sets it now). A change of the display settings needs another call.
void KeepDrawStateCurrent(Workspace& ws);

}  // namespace sakuzu
