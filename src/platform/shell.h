// What the logic below the window asks of the platform. The window
// implements it with Qt; the command line and the tests use the plain
// versions here (which do nothing, or record what was asked).
#pragma once

#include <string>

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
  // Appends text to the text output window (matrices, reports).
  virtual void WriteText(const std::string& text) { (void)text; }
};

// A shell that does nothing; used where no window exists.
inline Shell& NullShell() {
  static Shell shell;
  return shell;
}

}  // namespace sakuzu
