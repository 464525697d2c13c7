// The drawing area of the main window: shows the layers of the canvas that
// the renderer paints into, at the screen's device pixel ratio, and hands
// mouse and key events to the window.
#pragma once

#include <QWidget>
#include <functional>

#include "app/image_canvas.h"

namespace sakuzu {

class DrawingArea : public QWidget {
  Q_OBJECT

 public:
  DrawingArea(ImageCanvas& canvas, QWidget* parent);

  // After the picture was resized to the new size or density of the area (blank).
  std::function<void()> onResize;
  std::function<void(QMouseEvent*)> onMousePress;
  std::function<void(QMouseEvent*)> onDoubleClick;
  std::function<void(QMouseEvent*)> onMouseMove;
  std::function<void(QMouseEvent*)> onMouseRelease;
  std::function<void(QKeyEvent*)> onKeyPress;

  QSize sizeHint() const override { return QSize(640, 480); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FitCanvas();

  ImageCanvas& canvas_;
};

}  // namespace sakuzu
