// The main window's size: the stored size and state restored at start-up,
// the size commands (standard, VGA, maximized, the current size) that
// store it in the settings, and the limits every size keeps (the menu bar's
// items all show, the window fits the screen's free area).
#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>

#include "session/menu_table.h"

class QMainWindow;
class QWidget;

namespace sakuzu {

class Session;

class WindowGeometry {
 public:
  WindowGeometry(QMainWindow& window, QWidget& drawing, Session& session);

  // The stored size and state, at start-up.
  void SetWindow();
  // The size commands; each stores the result in the settings file.
  void SetStandardWindow();   // mnuOWindowStandard
  void SetVgaWindow();        // mnuOWindowVGA: a drawing area of 628 by 430 pixels
  void SetMaximizedWindow();  // mnuOWindowMax
  void StoreWindowSize();     // mnuOWindowSave

  // Resizes to `wanted`, within the screen's free area and the minimum size.
  void FitToScreen(QSize wanted);
  QSize FittedSize(QSize wanted) const;
  // Every top menu shows and the status bar stays on the screen.
  void UpdateMinimumSize();
  // The screen's free area less the window's frame.
  QRect AvailableArea() const;
  double Dpi() const;
  // 0 normal, 1 minimized, 2 maximized.
  int16_t CurrentWindowState() const;
  // The window's part of the check marks: its state and size, and the
  // sizes the standard and VGA commands give on this screen.
  void AddChecks(MenuCheckState& state) const;

 private:
  QSize StandardWindowSize() const;

  QMainWindow& w_;
  QWidget& drawing_;
  Session& s_;
};

}  // namespace sakuzu
