#include "app/image_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/fonts.h"

namespace sakuzu {
namespace {

constexpr int kDotsPerMeter = static_cast<int>(kCanvasDpi / 0.0254 + 0.5);
// Coordinates are clipped by the renderer; this only keeps a damaged
// figure from handing the raster engine numbers it cannot take.
constexpr double kCoordinateLimit = 1.0e7;

int Round(double v) {
  if (!std::isfinite(v)) return 0;
  if (v > kCoordinateLimit) v = kCoordinateLimit;
  if (v < -kCoordinateLimit) v = -kCoordinateLimit;
  return static_cast<int>(std::lround(v));
}

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QPen ToQPen(const Pen& pen) {
  QPen qpen(ToQColor(pen.color));
  qpen.setWidth(pen.width < 1 ? 1 : pen.width);
  qpen.setCapStyle(Qt::SquareCap);
  qpen.setJoinStyle(Qt::MiterJoin);
  if (pen.dotted) qpen.setDashPattern({1, 1});
  return qpen;
}

class Painter : public QPainter {
 public:
  explicit Painter(QImage* image) : QPainter(image) {
    setRenderHint(QPainter::Antialiasing, false);
    setRenderHint(QPainter::TextAntialiasing, false);
  }
};

// True when no part of the circle's outline can reach the image: it lies
// wholly outside, or the image lies wholly inside it.
bool OutlineMissesImage(const QImage& image, int cx, int cy, int r, int width) {
  double margin = width + 2.0;
  double nearX = std::clamp<double>(cx, 0, image.width() - 1);
  double nearY = std::clamp<double>(cy, 0, image.height() - 1);
  double nearest = std::hypot(nearX - cx, nearY - cy);
  if (nearest > r + margin) return true;
  double farX = std::max(std::abs(cx - 0.0), std::abs(cx - (image.width() - 1.0)));
  double farY = std::max(std::abs(cy - 0.0), std::abs(cy - (image.height() - 1.0)));
  return std::hypot(farX, farY) < r - margin;
}

}  // namespace

ImageCanvas::ImageCanvas(int width, int height) : font_(MakeFont("FixedSys", 9, true)) {
  Resize(width, height, MakeRgb(255, 255, 255));
}

void ImageCanvas::Resize(int width, int height, Rgb background) {
  image_ = QImage(width < 1 ? 1 : width, height < 1 ? 1 : height, QImage::Format_RGB32);
  image_.setDotsPerMeterX(kDotsPerMeter);
  image_.setDotsPerMeterY(kDotsPerMeter);
  Clear(background);
}

void ImageCanvas::Clear(Rgb background) {
  background_ = background;
  image_.fill(ToQColor(background));
  Changed();
}

void ImageCanvas::DrawPixel(double x, double y, Rgb color) {
  Changed();
  int px = Round(x), py = Round(y);
  if (!image_.rect().contains(px, py)) return;
  image_.setPixel(px, py, ToQColor(color).rgb());
}

void ImageCanvas::DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  Changed();
  Painter p(&image_);
  p.setPen(ToQPen(pen));
  QPoint a(Round(x1), Round(y1)), b(Round(x2), Round(y2));
  if (a == b) {
    p.drawPoint(a);
    return;
  }
  p.drawLine(a, b);
}

void ImageCanvas::DrawCircle(double cx, double cy, double radius, const Pen& pen) {
  Changed();
  int x = Round(cx), y = Round(cy), r = Round(radius);
  if (r < 0 || OutlineMissesImage(image_, x, y, r, pen.width)) return;
  Painter p(&image_);
  p.setPen(ToQPen(pen));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPoint(x, y), r, r);
}

void ImageCanvas::DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
                          const Pen& pen) {
  Changed();
  int x = Round(cx), y = Round(cy), r = Round(radius);
  if (r < 0 || OutlineMissesImage(image_, x, y, r, pen.width)) return;
  if (endAngle < startAngle) endAngle += 2 * std::numbers::pi;
  // Qt measures arcs in sixteenths of a degree, counter-clockwise on screen.
  int start = static_cast<int>(std::lround(startAngle * 180 / std::numbers::pi * 16));
  int span = static_cast<int>(std::lround((endAngle - startAngle) * 180 / std::numbers::pi * 16));
  Painter p(&image_);
  p.setPen(ToQPen(pen));
  p.drawArc(QRect(x - r, y - r, 2 * r, 2 * r), start, span);
}

void ImageCanvas::DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) {
  Changed();
  if (corners.empty()) return;
  QPolygon polygon;
  for (const PixelPoint& c : corners) polygon << QPoint(Round(c.x), Round(c.y));
  Painter p(&image_);
  p.setPen(ToQPen(pen));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(polygon);
}

void ImageCanvas::FillRect(double x1, double y1, double x2, double y2, Rgb color) {
  Changed();
  QRect rect = QRect(QPoint(Round(x1), Round(y1)), QPoint(Round(x2), Round(y2))).normalized();
  Painter p(&image_);
  p.fillRect(rect, ToQColor(color));
}

void ImageCanvas::SetFont(const CanvasFont& font) {
  font_ = MakeFont(font.family, font.size, true);
  // The renderer spaces lines 1.2 sizes apart, the size taken as pixels:
  // letters of that em height fill a line without touching the next.
  if (font.size > 0)
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 1.2))));
  font_.setBold(font.bold);
  font_.setItalic(font.italic);
  font_.setUnderline(font.underline);
  font_.setStrikeOut(font.strikeout);
}

void ImageCanvas::DrawText(double x, double y, const std::string& text, Rgb color) {
  Changed();
  if (text.empty()) return;
  Painter p(&image_);
  p.setFont(font_);
  p.setPen(ToQColor(color));
  QFontMetrics metrics(font_, &image_);
  p.drawText(QPoint(Round(x), Round(y) + metrics.ascent()), QString::fromStdString(text));
}

double ImageCanvas::TextWidth(const std::string& text) const {
  QFontMetricsF metrics(font_, &image_);
  return metrics.horizontalAdvance(QString::fromStdString(text));
}

}  // namespace sakuzu
