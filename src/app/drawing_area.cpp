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
  canvas_.SetChangeListener([this](const QRect& changed) { update(changed); });
}

void DrawingArea::paintEvent(QPaintEvent* event) {
  // A move to a screen of another density: the picture is made again.
  if (devicePixelRatioF() != canvas_.DevicePixelRatio()) {
    FitCanvas();
    return;
  }
  QPainter painter(this);
  canvas_.Paint(painter, event->rect());
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitCanvas();
}

void DrawingArea::FitCanvas() {
  bool sameSize = width() == canvas_.Width() && height() == canvas_.Height();
  if (sameSize && devicePixelRatioF() == canvas_.DevicePixelRatio()) return;
  canvas_.SetDevicePixelRatio(devicePixelRatioF());
  canvas_.Resize(width(), height(), canvas_.Background());
  if (onResize) onResize();
  update();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
  if (onMousePress) onMousePress(event);
}

// A double click repeats the last button press.
void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event) {
  if (onDoubleClick) {
    onDoubleClick(event);
    return;
  }
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
