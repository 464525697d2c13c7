// What the logic below the window asks of the platform. The window
// implements it with Qt; the command line and the tests use the plain
// versions here (which do nothing, or record what was asked).
#pragma once

#include <string>
#include <vector>

namespace sakuzu {

class Shell {
 public:
  virtual ~Shell() = default;

  // A message box; the text has already passed through Translate.
  virtual void ShowMessage(const std::string& text) { (void)text; }
  // The plain system beep.
  virtual void Beep() {}
  // A question with OK and Cancel; true for OK.
  virtual bool Confirm(const std::string& text) {
    (void)text;
    return true;
  }
  // A box with the text and a row of buttons (captions translated): the
  // index of the button pressed, -1 when the box was closed otherwise.
  virtual int Choose(const std::string& text, const std::vector<std::string>& buttons) {
    (void)text, (void)buttons;
    return -1;
  }
  // Appends text to the text output window (matrices, reports).
  virtual void WriteText(const std::string& text) { (void)text; }
};

// A shell that does nothing; used where no window exists.
inline Shell& NullShell() {
  static Shell shell;
  return shell;
}

}  // namespace sakuzu
