#include "app/window_geometry.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

#include "session/session.h"

namespace sakuzu {
namespace {

// The drawing area of the VGA window size, in pixels.
constexpr int kVgaDrawingWidth = 628;
constexpr int kVgaDrawingHeight = 430;
// The window frame's size before the window manager has framed it.
constexpr int kFrameAllowance = 8;
constexpr int kTitleAllowance = 40;

}  // namespace

WindowGeometry::WindowGeometry(QMainWindow& window, QWidget& drawing, Session& session)
    : w_(window), drawing_(drawing), s_(session) {}

double WindowGeometry::Dpi() const { return w_.logicalDpiX() > 0 ? w_.logicalDpiX() : 96; }

int16_t WindowGeometry::CurrentWindowState() const {
  if (w_.windowState() & Qt::WindowMaximized) return 2;
  if (w_.windowState() & Qt::WindowMinimized) return 1;
  return 0;
}

void WindowGeometry::SetWindow() {
  const Settings& s = s_.settings;
  if (s.windowState == 2) {
    w_.setWindowState(w_.windowState() | Qt::WindowMaximized);
    return;
  }
  if (s.windowWidth < 301 || s.windowHeight < 301) return;
  FitToScreen(QSize(TwipsToPixels(s.windowWidth, Dpi()), TwipsToPixels(s.windowHeight, Dpi())));
}

// Every top menu shows (no chevron) and the status bar stays on the
// screen: the window is at least as wide as the menu bar's items and
// never larger than the screen's free area, title bar and frame included.
void WindowGeometry::UpdateMinimumSize() {
  QRect free = AvailableArea();
  int width = std::min(w_.menuBar()->sizeHint().width(), free.width());
  int height = std::min(
      w_.menuBar()->sizeHint().height() + w_.statusBar()->sizeHint().height() + 200, free.height());
  w_.setMinimumSize(width, height);
}

QRect WindowGeometry::AvailableArea() const {
  QScreen* where = w_.screen() ? w_.screen() : QGuiApplication::primaryScreen();
  QRect free = where ? where->availableGeometry() : QRect(0, 0, 1024, 768);
  // Before the window is shown its frame is unknown: allow a title bar.
  QMargins frame(0, 0, 0, 0);
  if (w_.isVisible()) {
    QRect outer = w_.frameGeometry(), inner = w_.geometry();
    frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                     outer.right() - inner.right(), outer.bottom() - inner.bottom());
  } else {
    frame = QMargins(kFrameAllowance, kTitleAllowance, kFrameAllowance, kFrameAllowance);
  }
  return free.marginsRemoved(frame);
}

QSize WindowGeometry::FittedSize(QSize wanted) const {
  return wanted.expandedTo(w_.minimumSize()).boundedTo(AvailableArea().size());
}

QSize WindowGeometry::StandardWindowSize() const {
  return QSize(TwipsToPixels(kStandardWidthTwips, Dpi()),
               TwipsToPixels(kStandardHeightTwips, Dpi()));
}

void WindowGeometry::FitToScreen(QSize wanted) {
  UpdateMinimumSize();
  w_.resize(FittedSize(wanted));
}

void WindowGeometry::StoreWindowSize() {
  Settings& s = s_.settings;
  s.windowWidth = PixelsToTwips(w_.width(), Dpi());
  s.windowHeight = PixelsToTwips(w_.height(), Dpi());
  s.windowState = CurrentWindowState();
  s_.SaveSettings();
}

void WindowGeometry::SetStandardWindow() {
  w_.setWindowState(Qt::WindowNoState);
  w_.statusBar()->show();
  FitToScreen(StandardWindowSize());
  StoreWindowSize();
}

void WindowGeometry::SetVgaWindow() {
  w_.setWindowState(Qt::WindowNoState);
  w_.statusBar()->show();
  // Whatever the frame, menu bar and status bar take, the drawing area
  // becomes 628 by 430 pixels.
  QSize area = drawing_.size();
  FitToScreen(QSize(w_.width() + kVgaDrawingWidth - area.width(),
                    w_.height() + kVgaDrawingHeight - area.height()));
  s_.SetScreen();
  StoreWindowSize();
}

void WindowGeometry::SetMaximizedWindow() {
  w_.setWindowState(Qt::WindowMaximized);
  w_.statusBar()->show();
  StoreWindowSize();
}

void WindowGeometry::AddChecks(MenuCheckState& state) const {
  state.windowState = CurrentWindowState();
  state.windowWidthTwips = PixelsToTwips(w_.width(), Dpi());
  state.windowHeightTwips = PixelsToTwips(w_.height(), Dpi());
  QSize standard = FittedSize(StandardWindowSize());
  state.standardWidthTwips = PixelsToTwips(standard.width(), Dpi());
  state.standardHeightTwips = PixelsToTwips(standard.height(), Dpi());
  QSize vga = FittedSize(w_.size() - drawing_.size() + QSize(kVgaDrawingWidth, kVgaDrawingHeight));
  state.vgaWidthTwips = PixelsToTwips(vga.width(), Dpi());
  state.vgaHeightTwips = PixelsToTwips(vga.height(), Dpi());
}

}  // namespace sakuzu
