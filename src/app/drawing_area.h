// The drawing area of the main window: shows the layers of the canvas that
// the renderer paints into, at the screen's device pixel ratio, and turns
// its mouse and key events into the session's plain inputs.
#pragma once

#include <QWidget>
#include <functional>

#include "app/image_canvas.h"
#include "interact/dispatch.h"

namespace sakuzu {

class DrawingArea : public QWidget {
  Q_OBJECT

 public:
  DrawingArea(ImageCanvas& canvas, QWidget* parent);

  // After the picture was resized to the new size or density of the area (blank).
  std::function<void()> onResize;
  std::function<void(const MouseInput&)> onMousePress;
  std::function<void()> onDoubleClick;
  std::function<void(const MouseInput&)> onMouseMove;
  std::function<void(const MouseInput&)> onMouseRelease;
  std::function<void(const KeyInput&)> onKeyPress;
  // The wheel turned by `notches` (positive away from the user) and a
  // touchpad's pinch by `factor`, at the pointer (pixels of the area).
  std::function<void(double px, double py, double notches)> onWheel;
  std::function<void(double px, double py, double factor)> onPinch;

  // A mouse event in pixels of the area, with its button and modifiers.
  static MouseInput ToMouseInput(const QMouseEvent* event);
  // A key as the interaction's key code with Shift and Ctrl; code 0 for a
  // key the interaction does not know.
  static KeyInput ToKeyInput(const QKeyEvent* event);

  QSize sizeHint() const override { return QSize(640, 480); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void FitCanvas();

  ImageCanvas& canvas_;
};

}  // namespace sakuzu
