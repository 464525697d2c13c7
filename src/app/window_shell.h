// The platform services the logic below the window asks for, realised by
// the main window. Each service is a function the window installs, so that
// tests can catch messages instead of facing a modal box.
#pragma once

#include <functional>
#include <string>

#include "platform/shell.h"

namespace sakuzu {

class WindowShell : public Shell {
 public:
  std::function<void(const std::string&)> showMessage;
  std::function<void()> beep;
  std::function<bool(const std::string&)> confirm;
  std::function<void(const std::string&)> writeText;

  void ShowMessage(const std::string& text) override {
    if (showMessage) showMessage(text);
  }
  void Beep() override {
    if (beep) beep();
  }
  bool Confirm(const std::string& text) override { return confirm ? confirm(text) : true; }
  void WriteText(const std::string& text) override {
    if (writeText) writeText(text);
  }
};

}  // namespace sakuzu
