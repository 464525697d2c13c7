#include "app/painter_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <unordered_set>

#include "app/image_canvas.h"

namespace sakuzu {
namespace {

// As on the window's surface: only numbers the painter can take.
constexpr double kCoordinateLimit = 1.0e7;

double Limit(double v) {
  if (!std::isfinite(v)) return 0;
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The pens of the window's smooth drawing: round ends, and dots of one
// pen width with flat ends.
QPen ToQPen(const Pen& pen) {
  QPen qpen(ToQColor(pen.color));
  qpen.setWidth(std::max(1, pen.width));
  qpen.setCapStyle(pen.dotted ? Qt::FlatCap : Qt::RoundCap);
  qpen.setJoinStyle(Qt::RoundJoin);
  if (pen.dotted) qpen.setDashPattern({1, 1});
  return qpen;
}

// The window keeps axis-parallel lines and point marks on whole pixels;
// so does the picture, which then looks the same at its own size.
double Snap(double v, int penWidth) {
  double device = Limit(v) + 0.5;
  return std::max(1, penWidth) % 2 == 0 ? std::round(device) : std::floor(device) + 0.5;
}

void AddBytes(std::string& key, const void* data, size_t size) {
  key.append(static_cast<const char*>(data), size);
}

}  // namespace

std::string PainterCanvas::Key(const LayerCalls& layer, const Call& call) {
  std::string key;
  AddBytes(key, &call.op, sizeof call.op);
  AddBytes(key, call.v.data(), sizeof call.v);
  AddBytes(key, &call.pen.color, sizeof call.pen.color);
  AddBytes(key, &call.pen.width, sizeof call.pen.width);
  AddBytes(key, &call.pen.dotted, sizeof call.pen.dotted);
  AddBytes(key, &call.font, sizeof call.font);
  if (call.op == Op::kPolygon) {
    AddBytes(key, layer.corners.data() + call.first, call.count * sizeof(PixelPoint));
  }
  if (call.op == Op::kText) key += layer.texts[static_cast<size_t>(call.first)];
  return key;
}

PainterCanvas::PainterCanvas(int width, int height)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      measureFont_(SurfaceFont(CanvasFont{}, true)) {}

int PainterCanvas::Width() const { return width_; }

int PainterCanvas::Height() const { return height_; }

void PainterCanvas::Clear(Rgb background) {
  background_ = background;
  for (LayerCalls& layer : layers_) layer.Clear();
  fonts_ = {fonts_.back()};
  layer_ = Layer::kBase;
}

void PainterCanvas::ClearLayer(Layer layer) { layers_[static_cast<int>(layer)].Clear(); }

void PainterCanvas::SetLayer(Layer layer) { layer_ = layer; }

void PainterCanvas::SetSmooth(bool smooth) {
  smooth_ = smooth;
  measureFont_ = SurfaceFont(fonts_.back(), smooth_);
}

void PainterCanvas::Keep(Op op, std::array<double, 5> v, Pen pen) {
  Current().calls.push_back(Call{op, 0, 0, 0, pen, v});
}

void PainterCanvas::DrawPixel(double x, double y, Rgb color) {
  Keep(Op::kPixel, {x, y}, {color, 1, false});
}

void PainterCanvas::DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  Keep(Op::kLine, {x1, y1, x2, y2}, pen);
}

void PainterCanvas::DrawCircle(double cx, double cy, double radius, const Pen& pen) {
  if (!(radius >= 0) || CircleOutlineMisses(Width(), Height(), cx, cy, radius, pen.width)) return;
  Keep(Op::kCircle, {cx, cy, radius}, pen);
}

void PainterCanvas::DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
                            const Pen& pen) {
  if (!(radius >= 0) || CircleOutlineMisses(Width(), Height(), cx, cy, radius, pen.width)) return;
  Keep(Op::kArc, {cx, cy, radius, startAngle, endAngle}, pen);
}

void PainterCanvas::DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) {
  if (corners.empty()) return;
  LayerCalls& layer = Current();
  Call call{
      Op::kPolygon, 0, static_cast<int>(layer.corners.size()), static_cast<int>(corners.size()),
      pen,          {}};
  layer.corners.insert(layer.corners.end(), corners.begin(), corners.end());
  layer.calls.push_back(call);
}

void PainterCanvas::FillRect(double x1, double y1, double x2, double y2, Rgb color) {
  Keep(Op::kFill, {x1, y1, x2, y2}, {color, 1, false});
}

void PainterCanvas::SetFont(const CanvasFont& font) {
  if (font == fonts_.back()) return;
  fonts_.push_back(font);
  measureFont_ = SurfaceFont(font, smooth_);
}

void PainterCanvas::DrawText(double x, double y, const std::string& text, Rgb color) {
  if (text.empty()) return;
  LayerCalls& layer = Current();
  layer.calls.push_back(Call{Op::kText,
                             static_cast<int>(fonts_.size()) - 1,
                             static_cast<int>(layer.texts.size()),
                             1,
                             Pen{color, 1, false},
                             {x, y}});
  layer.texts.push_back(text);
}

double PainterCanvas::TextWidth(const std::string& text) const {
  return QFontMetricsF(measureFont_).horizontalAdvance(QString::fromStdString(text));
}

// ------------------------------------------------------------------ replay

void PainterCanvas::Replay(QPainter& painter) const {
  painter.save();
  QRectF surface(0, 0, Width(), Height());
  painter.setClipRect(surface, Qt::IntersectClip);
  painter.setRenderHint(QPainter::Antialiasing, smooth_);
  painter.setRenderHint(QPainter::TextAntialiasing, smooth_);
  painter.fillRect(surface, ToQColor(background_));
  std::vector<QFont> fonts;
  fonts.reserve(fonts_.size());
  for (const CanvasFont& font : fonts_) fonts.push_back(SurfaceFont(font, smooth_));
  for (const LayerCalls& layer : layers_) {
    std::unordered_set<std::string> painted;
    for (const Call& call : layer.calls) {
      if (painted.insert(Key(layer, call)).second) PaintCall(painter, layer, call, fonts);
    }
  }
  painter.restore();
}

// Each call as the window's surface draws it in its smooth form (see
// ImageCanvas): coordinates are pixel centres, hence the half pixel.
void PainterCanvas::PaintCall(QPainter& p, const LayerCalls& layer, const Call& call,
                              const std::vector<QFont>& fonts) const {
  const auto& v = call.v;
  switch (call.op) {
    case Op::kPixel:
      p.fillRect(QRectF(std::round(Limit(v[0])), std::round(Limit(v[1])), 1, 1),
                 ToQColor(call.pen.color));
      return;
    case Op::kFill: {
      QRectF rect(QPointF(std::round(Limit(v[0])), std::round(Limit(v[1]))),
                  QPointF(std::round(Limit(v[2])), std::round(Limit(v[3]))));
      rect = rect.normalized();
      rect.setWidth(rect.width() + 1);  // both corners are included
      rect.setHeight(rect.height() + 1);
      p.fillRect(rect, ToQColor(call.pen.color));
      return;
    }
    case Op::kLine: {
      p.setPen(ToQPen(call.pen));
      QPointF a(Limit(v[0]) + 0.5, Limit(v[1]) + 0.5), b(Limit(v[2]) + 0.5, Limit(v[3]) + 0.5);
      if (v[0] == v[2]) a.rx() = b.rx() = Snap(v[0], call.pen.width);
      if (v[1] == v[3]) a.ry() = b.ry() = Snap(v[1], call.pen.width);
      if (call.pen.dotted) {
        QLineF line(a, b);
        if (line.length() > 0) {
          QPointF half = (b - a) / line.length() * 0.5;
          a -= half;
          b += half;
        }
        // Dots from pixel edge to pixel edge, as the window shows them; a
        // viewer at the picture's own size then draws them sharp.
        if (v[1] == v[3]) a.rx() = std::round(a.x()), b.rx() = std::round(b.x());
        if (v[0] == v[2]) a.ry() = std::round(a.y()), b.ry() = std::round(b.y());
      }
      if (a == b) {
        p.drawPoint(a);
      } else {
        p.drawLine(QLineF(a, b));
      }
      return;
    }
    case Op::kCircle:
      p.setPen(ToQPen(call.pen));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(Limit(v[0]) + 0.5, Limit(v[1]) + 0.5), v[2], v[2]);
      return;
    case Op::kArc: {
      double start = v[3], end = v[4];
      if (end < start) end += 2 * std::numbers::pi;
      // Sixteenths of a degree, counter-clockwise on the screen.
      int start16 = static_cast<int>(std::lround(start * 180 / std::numbers::pi * 16));
      int span16 = static_cast<int>(std::lround((end - start) * 180 / std::numbers::pi * 16));
      p.setPen(ToQPen(call.pen));
      p.setBrush(Qt::NoBrush);
      QRectF box(Limit(v[0]) + 0.5 - v[2], Limit(v[1]) + 0.5 - v[2], 2 * v[2], 2 * v[2]);
      p.drawArc(box, start16, span16);
      return;
    }
    case Op::kPolygon: {
      p.setPen(ToQPen(call.pen));
      p.setBrush(Qt::NoBrush);
      QPolygonF polygon;
      for (int i = call.first; i < call.first + call.count; ++i) {
        const PixelPoint& c = layer.corners[static_cast<size_t>(i)];
        polygon << QPointF(Snap(c.x, call.pen.width), Snap(c.y, call.pen.width));
      }
      p.drawPolygon(polygon);
      return;
    }
    case Op::kText: {
      const QFont& font = fonts[static_cast<size_t>(call.font)];
      p.setFont(font);
      p.setPen(ToQColor(call.pen.color));
      double ascent = QFontMetricsF(font).ascent();
      p.drawText(QPointF(std::round(Limit(v[0])), std::round(Limit(v[1])) + ascent),
                 QString::fromStdString(layer.texts[static_cast<size_t>(call.first)]));
      return;
    }
  }
}

}  // namespace sakuzu
