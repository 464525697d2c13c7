// The drawing area's mouse and keys, handed to the handler of the current
// interaction mode. The window turns its events into these plain calls
// (positions in pixels of the drawing area, keys as the key codes below);
// everything here is free of the toolkit.
#pragma once

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

// The dispatcher keeps the last press, so that a double click repeats it.
struct Dispatcher {
  explicit Dispatcher(Workspace& workspace) : ws(workspace) {}
  Workspace& ws;
  ReplayState replay;
  MouseInput lastPress;
};

void MouseDown(Dispatcher& d, const MouseInput& input);
void MouseMove(Dispatcher& d, const MouseInput& input);
void MouseUp(Dispatcher& d, const MouseInput& input);
// A double click repeats the last press.
void DoubleClick(Dispatcher& d);
void KeyDown(Dispatcher& d, const KeyInput& input);

}  // namespace sakuzu
