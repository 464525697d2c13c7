#include "app/drawing_area.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

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
  if (onMousePress) onMousePress(ToMouseInput(event));
}

// A double click repeats the last button press.
void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event) {
  if (onDoubleClick) {
    onDoubleClick();
    return;
  }
  if (onMousePress) onMousePress(ToMouseInput(event));
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
  if (onMouseMove) onMouseMove(ToMouseInput(event));
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseRelease) onMouseRelease(ToMouseInput(event));
}

void DrawingArea::keyPressEvent(QKeyEvent* event) {
  if (onKeyPress) {
    KeyInput key = ToKeyInput(event);
    if (key.code != 0) onKeyPress(key);
    return;
  }
  QWidget::keyPressEvent(event);
}

void DrawingArea::wheelEvent(QWheelEvent* event) {
  // 120 eighths of a degree make one notch; a touchpad sends fractions.
  double notches = event->angleDelta().y() / 120.0;
  if (notches == 0 || !onWheel) {
    QWidget::wheelEvent(event);
    return;
  }
  onWheel(event->position().x(), event->position().y(), notches);
  event->accept();
}

bool DrawingArea::event(QEvent* event) {
  if (event->type() == QEvent::NativeGesture && onPinch) {
    auto* gesture = static_cast<QNativeGestureEvent*>(event);
    if (gesture->gestureType() == Qt::ZoomNativeGesture) {
      QPointF at = mapFromGlobal(gesture->globalPosition());
      onPinch(at.x(), at.y(), 1 + gesture->value());
      return true;
    }
  }
  return QWidget::event(event);
}

MouseInput DrawingArea::ToMouseInput(const QMouseEvent* event) {
  MouseInput input;
  input.px = event->position().x();
  input.py = event->position().y();
  switch (event->button()) {
    case Qt::LeftButton:
      input.button = MouseButton::kLeft;
      break;
    case Qt::RightButton:
      input.button = MouseButton::kRight;
      break;
    case Qt::MiddleButton:
      input.button = MouseButton::kMiddle;
      break;
    default:
      input.button = MouseButton::kNone;
  }
  input.leftHeld = event->buttons() & Qt::LeftButton;
  input.shift = event->modifiers() & Qt::ShiftModifier;
  input.ctrl = event->modifiers() & Qt::ControlModifier;
  return input;
}

namespace {

int KeyCodeOf(const QKeyEvent* event) {
  int key = event->key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Delete:
      return 46;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
  if (key > 0 && key < 128) return key;
  return 0;
}

}  // namespace

KeyInput DrawingArea::ToKeyInput(const QKeyEvent* event) {
  KeyInput input;
  input.code = KeyCodeOf(event);
  input.shift = event->modifiers() & Qt::ShiftModifier;
  input.ctrl = event->modifiers() & Qt::ControlModifier;
  return input;
}

}  // namespace sakuzu
