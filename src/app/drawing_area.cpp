#include "app/drawing_area.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace sakuzu {

DrawingArea::DrawingArea(ImageCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setObjectName("DrawingArea");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  canvas_.SetChangeListener([this] { update(); });
}

void DrawingArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QRect dirty = event->rect();
  painter.drawImage(dirty, canvas_.Image(), dirty);
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (size() == canvas_.Image().size()) return;
  canvas_.Resize(width(), height(), canvas_.Background());
  if (onResize) onResize();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
  if (onMousePress) onMousePress(event);
}

// A double click repeats the last button press.
void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event) {
  if (onMousePress) onMousePress(event);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
  if (onMouseMove) onMouseMove(event);
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseRelease) onMouseRelease(event);
}

void DrawingArea::keyPressEvent(QKeyEvent* event) {
  if (onKeyPress) {
    onKeyPress(event);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace sakuzu
