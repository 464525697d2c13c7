#include "app/image_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>
#include <QPolygonF>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

#include "app/fonts.h"

namespace sakuzu {
namespace {

constexpr int kDotsPerMeter = static_cast<int>(kCanvasDpi / 0.0254 + 0.5);
// Coordinates are clipped by the renderer; this only keeps a damaged
// figure from handing the raster engine numbers it cannot take.
constexpr double kCoordinateLimit = 1.0e7;
constexpr double kMaxRatio = 8;
// The label images kept: every label of a large figure fits.
constexpr qsizetype kTextCacheBytes = 64 << 20;

double Limit(double v) {
  if (!std::isfinite(v)) return 0;
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

int Round(double v) { return static_cast<int>(std::lround(Limit(v))); }

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QRgb Opaque(Rgb c) { return qRgb(c.r, c.g, c.b); }

QPen ToQPen(const Pen& pen, bool smooth) {
  QPen qpen(ToQColor(pen.color));
  qpen.setWidth(pen.width < 1 ? 1 : pen.width);
  if (smooth) {
    qpen.setCapStyle(pen.dotted ? Qt::FlatCap : Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
  } else {
    qpen.setCapStyle(Qt::SquareCap);
    qpen.setJoinStyle(Qt::MiterJoin);
  }
  if (pen.dotted) qpen.setDashPattern({1, 1});
  return qpen;
}

// Fills a rectangle of device pixels with one value, without a painter.
void FillPixels(QImage& image, const QRect& rect, QRgb value) {
  QRect r = rect & image.rect();
  if (r.isEmpty()) return;
  if (r == image.rect()) {
    image.fill(value);
    return;
  }
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line + r.left(), line + r.right() + 1, value);
  }
}

void CopyPixels(QImage& to, const QImage& from, const QRect& rect) {
  QRect r = rect & to.rect() & from.rect();
  if (r.isEmpty()) return;
  size_t bytes = static_cast<size_t>(r.width()) * sizeof(QRgb);
  for (int y = r.top(); y <= r.bottom(); ++y) {
    std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(y)) + r.left(),
                reinterpret_cast<const QRgb*>(from.constScanLine(y)) + r.left(), bytes);
  }
}

// The smallest rectangle holding every pixel that is not clear.
QRect InkedPart(const QImage& image) {
  int left = image.width(), right = -1, top = image.height(), bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == 0) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = y;
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

int32_t Sixteenths(double v) { return static_cast<int32_t>(std::lround(Limit(v) * 16)); }

enum DrawOp : uint8_t { kOpPixel = 1, kOpLine, kOpCircle, kOpArc, kOpPolygon, kOpFill, kOpText };

}  // namespace

bool CircleOutlineMisses(int width, int height, double cx, double cy, double r, int penWidth) {
  double margin = penWidth + 2.0;
  double nearX = std::clamp<double>(cx, 0, width - 1);
  double nearY = std::clamp<double>(cy, 0, height - 1);
  if (std::hypot(nearX - cx, nearY - cy) > r + margin) return true;
  double farX = std::max(std::abs(cx), std::abs(cx - (width - 1.0)));
  double farY = std::max(std::abs(cy), std::abs(cy - (height - 1.0)));
  return std::hypot(farX, farY) < r - margin;
}

QFont SurfaceFont(const CanvasFont& font, bool smooth) {
  QFont qfont = MakeFont(font.family, font.size, !smooth);
  // The renderer spaces lines 1.2 sizes apart, the size taken as pixels:
  // letters of that em height fill a line without touching the next.
  if (font.size > 0)
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 1.2))));
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strikeout);
  return qfont;
}

namespace {

// SplitMix64's finaliser: every bit of the input reaches every bit.
uint64_t Mix(uint64_t h) {
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
  return h ^ (h >> 31);
}

}  // namespace

uint64_t ImageCanvas::DrawKey::Hash() const {
  uint64_t h = Mix(op | static_cast<uint64_t>(color) << 8 |
                   static_cast<uint64_t>(static_cast<uint16_t>(width)) << 40 |
                   static_cast<uint64_t>(dotted) << 56);
  for (int32_t value : v) h = Mix(h ^ static_cast<uint32_t>(value));
  if (!text.empty()) h = Mix(h ^ std::hash<std::string_view>()(text));
  return h == 0 ? 1 : h;  // 0 marks an empty slot
}

bool ImageCanvas::DrawnSet::Insert(uint64_t hash) {
  if (2 * (count_ + 1) > slots_.size()) {
    std::vector<uint64_t> old = std::move(slots_);
    slots_.assign(std::max<size_t>(1024, 2 * old.size()), 0);
    count_ = 0;
    for (uint64_t h : old) {
      if (h != 0) Insert(h);
    }
  }
  size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    if (slots_[i] == hash) return false;
    if (slots_[i] == 0) {
      slots_[i] = hash;
      ++count_;
      return true;
    }
  }
}

void ImageCanvas::DrawnSet::Clear() {
  if (count_ == 0) return;
  std::fill(slots_.begin(), slots_.end(), 0);
  count_ = 0;
}

bool ImageCanvas::FirstTime(DrawKey key) {
  return drawn_[static_cast<int>(layer_)].Insert(key.Hash());
}

ImageCanvas::ImageCanvas(int width, int height, double devicePixelRatio)
    : font_(MakeFont("FixedSys", 9, false)) {
  ratio_ = std::clamp(devicePixelRatio, 1.0, kMaxRatio);
  Resize(width, height, MakeRgb(255, 255, 255));
}

ImageCanvas::~ImageCanvas() { EndPainting(); }

void ImageCanvas::Resize(int width, int height, Rgb background) {
  EndPainting();
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  QSize device(static_cast<int>(std::ceil(width_ * ratio_)),
               static_cast<int>(std::ceil(height_ * ratio_)));
  for (int i = 0; i < kLayerCount; ++i) {
    QImage::Format format = i == static_cast<int>(Layer::kGrid)
                                ? QImage::Format_RGB32
                                : QImage::Format_ARGB32_Premultiplied;
    // Device pixels; the painter scales. (A QImage with a device pixel
    // ratio would be copied whenever it is composed at ratio 1.)
    QImage image(device, format);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(i == static_cast<int>(Layer::kGrid) ? Opaque(background) : 0);
    layers_[i] = LayerImage{image, QRect()};
  }
  background_ = background;
  gridFilled_ = true;
  still_ = QImage(device, QImage::Format_RGB32);
  still_.fill(Opaque(background));
  Clear(background);
}

void ImageCanvas::SetDevicePixelRatio(double ratio) {
  ratio = std::clamp(ratio, 1.0, kMaxRatio);
  if (ratio == ratio_) return;
  ratio_ = ratio;
  ClearTexts();
  Resize(width_, height_, background_);
}

void ImageCanvas::SetSmooth(bool smooth) {
  if (smooth == smooth_) return;
  EndPainting();
  smooth_ = smooth;
  font_.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
  canvasFont_.family.clear();  // the next SetFont makes the font anew
  ClearTexts();
}

// ------------------------------------------------------------------ layers

QRect ImageCanvas::DeviceRect(const QRect& logical) const {
  if (logical.isEmpty()) return QRect();
  int left = static_cast<int>(std::floor(logical.left() * ratio_));
  int top = static_cast<int>(std::floor(logical.top() * ratio_));
  int right = static_cast<int>(std::ceil((logical.right() + 1) * ratio_));
  int bottom = static_cast<int>(std::ceil((logical.bottom() + 1) * ratio_));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect ImageCanvas::LogicalRect(const QRect& device) const {
  if (device.isEmpty()) return QRect();
  int left = static_cast<int>(std::floor(device.left() / ratio_));
  int top = static_cast<int>(std::floor(device.top() / ratio_));
  int right = static_cast<int>(std::ceil((device.right() + 1) / ratio_));
  int bottom = static_cast<int>(std::ceil((device.bottom() + 1) / ratio_));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void ImageCanvas::Changed(Layer layer, const QRect& device) {
  if (device.isEmpty()) return;
  changedArea_ |= device;
  if (layer <= Layer::kTrace) stillDirty_ |= device;
}

void ImageCanvas::EmptyImage(Layer layer, const QRect& device) {
  LayerImage& l = layers_[static_cast<int>(layer)];
  drawn_[static_cast<int>(layer)].Clear();
  QRgb value = layer == Layer::kGrid ? Opaque(background_) : 0;
  FillPixels(l.image, device, value);
  Changed(layer, device & l.image.rect());
}

void ImageCanvas::Clear(Rgb background) {
  EndPainting();
  QRect all = layers_[0].image.rect();
  // The grid layer holds the background wherever nothing was drawn on it:
  // a new colour fills it all, the same colour only what was drawn.
  bool newColour = !(background == background_) || !gridFilled_;
  background_ = background;
  gridFilled_ = true;
  for (int i = 0; i < kLayerCount; ++i) {
    auto layer = static_cast<Layer>(i);
    EmptyImage(layer, layer == Layer::kGrid && newColour ? all : layers_[i].inked);
    layers_[i].inked = QRect();
  }
  Changed(Layer::kGrid, all);
  layer_ = Layer::kBase;
}

void ImageCanvas::ClearLayer(Layer layer) {
  LayerImage& l = layers_[static_cast<int>(layer)];
  if (l.inked.isEmpty()) return;
  EndPainting();
  EmptyImage(layer, l.inked);
  l.inked = QRect();
}

void ImageCanvas::SetLayer(Layer layer) {
  if (layer == layer_) return;
  EndPainting();
  layer_ = layer;
}

QPainter& ImageCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&Current().image);
    if (ratio_ != 1) painter_->scale(ratio_, ratio_);
    painter_->setRenderHint(QPainter::Antialiasing, smooth_);
    painter_->setRenderHint(QPainter::TextAntialiasing, smooth_);
    painter_->setFont(font_);
    penSet_ = false;
  }
  return *painter_;
}

void ImageCanvas::EndPainting() { painter_.reset(); }

void ImageCanvas::UsePen(const Pen& pen) {
  QPainter& p = Painter();
  if (penSet_ && pen == pen_) return;
  p.setPen(ToQPen(pen, smooth_));
  pen_ = pen;
  penSet_ = true;
}

void ImageCanvas::Ink(double left, double top, double right, double bottom, double margin) {
  double l = std::min(left, right) - margin, r = std::max(left, right) + margin;
  double t = std::min(top, bottom) - margin, b = std::max(top, bottom) + margin;
  QRect device(QPoint(static_cast<int>(std::floor(Limit(l) * ratio_)),
                      static_cast<int>(std::floor(Limit(t) * ratio_))),
               QPoint(static_cast<int>(std::ceil(Limit(r) * ratio_)),
                      static_cast<int>(std::ceil(Limit(b) * ratio_))));
  device &= Current().image.rect();
  if (device.isEmpty()) return;
  Current().inked |= device;
  Changed(layer_, device);
}

void ImageCanvas::Present() {
  EndPainting();
  if (!stillDirty_.isEmpty()) ComposeStill(stillDirty_);
  stillDirty_ = QRect();
  if (changedArea_.isEmpty()) return;
  QRect logical = LogicalRect(changedArea_);
  changedArea_ = QRect();
  if (changed_) changed_(logical);
}

// The layers that change only with a full redraw, a trace or the grid are
// kept composed, so that a deformation step composes only what moves.
void ImageCanvas::ComposeStill(const QRect& device) {
  QRect r = device & still_.rect();
  if (r.isEmpty()) return;
  const LayerImage& grid = layers_[static_cast<int>(Layer::kGrid)];
  if (r.intersects(grid.inked)) {
    CopyPixels(still_, grid.image, r);
  } else {
    FillPixels(still_, r, Opaque(background_));  // no grid there: only the background
  }
  QPainter p(&still_);
  for (Layer layer : {Layer::kBase, Layer::kTrace}) {
    const LayerImage& l = layers_[static_cast<int>(layer)];
    QRect part = r & l.inked;
    if (part.isEmpty()) continue;
    p.drawImage(part.topLeft(), l.image, part);
  }
}

void ImageCanvas::Paint(QPainter& painter, const QRect& rect) {
  EndPainting();
  if (!stillDirty_.isEmpty()) ComposeStill(stillDirty_);
  stillDirty_ = QRect();
  QRect device = DeviceRect(rect) & still_.rect();
  if (device.isEmpty()) return;
  auto target = [this](const QRect& d) {
    return QRectF(d.left() / ratio_, d.top() / ratio_, d.width() / ratio_, d.height() / ratio_);
  };
  painter.drawImage(target(device), still_, QRectF(device));
  for (Layer layer : {Layer::kLive, Layer::kOverlay, Layer::kList}) {
    const LayerImage& l = layers_[static_cast<int>(layer)];
    QRect part = device & l.inked;
    if (part.isEmpty()) continue;
    painter.drawImage(target(part), l.image, QRectF(part));
  }
}

QImage ImageCanvas::Composed() {
  QImage frame(still_.size(), QImage::Format_RGB32);
  frame.setDevicePixelRatio(ratio_);
  frame.setDotsPerMeterX(kDotsPerMeter);
  frame.setDotsPerMeterY(kDotsPerMeter);
  {
    QPainter p(&frame);
    Paint(p, QRect(0, 0, width_, height_));
  }
  return frame;
}

// ----------------------------------------------------------------- drawing

double ImageCanvas::Snap(double v, int penWidth) const {
  // A line of an odd number of device pixels is centred on a device pixel,
  // an even one between two; either way it covers whole pixels.
  double device = (Limit(v) + 0.5) * ratio_;
  bool even = std::lround(std::max(1, penWidth) * ratio_) % 2 == 0;
  return (even ? std::round(device) : std::floor(device) + 0.5) / ratio_;
}

void ImageCanvas::DrawPixel(double x, double y, Rgb color) {
  int px = Round(x), py = Round(y);
  if (px < 0 || py < 0 || px >= width_ || py >= height_) return;
  if (!FirstTime({kOpPixel, {px, py}, Opaque(color), 1, false, {}})) return;
  Painter().fillRect(QRect(px, py, 1, 1), ToQColor(color));
  Ink(px, py, px + 1, py + 1, 0);
}

void ImageCanvas::DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  DrawKey key{kOpLine,           {Sixteenths(x1), Sixteenths(y1), Sixteenths(x2), Sixteenths(y2)},
              Opaque(pen.color), static_cast<int16_t>(pen.width),
              pen.dotted,        {}};
  if (!FirstTime(std::move(key))) return;
  Ink(x1, y1, x2 + 1, y2 + 1, pen.width + 1);
  QPainter& p = Painter();
  UsePen(pen);
  if (!smooth_) {
    QPoint a(Round(x1), Round(y1)), b(Round(x2), Round(y2));
    if (a == b) {
      p.drawPoint(a);
    } else {
      p.drawLine(a, b);
    }
    return;
  }
  // Lines along the pixel grid stay sharp.
  QPointF a(Limit(x1) + 0.5, Limit(y1) + 0.5), b(Limit(x2) + 0.5, Limit(y2) + 0.5);
  if (x1 == x2) a.rx() = b.rx() = Snap(x1, pen.width);
  if (y1 == y2) a.ry() = b.ry() = Snap(y1, pen.width);
  if (pen.dotted) {
    // Flat dashes from pixel edge to pixel edge: the dots fall on whole
    // pixels of a grid line instead of smearing over two.
    QLineF line(a, b);
    double length = line.length();
    if (length > 0) {
      QPointF half = (b - a) / length * 0.5;
      a -= half;
      b += half;
    }
  }
  if (a == b) {
    p.drawPoint(a);
    return;
  }
  p.drawLine(QLineF(a, b));
}

void ImageCanvas::DrawCircle(double cx, double cy, double radius, const Pen& pen) {
  if (!(radius >= 0) || CircleOutlineMisses(width_, height_, cx, cy, radius, pen.width)) return;
  DrawKey key{kOpCircle,         {Sixteenths(cx), Sixteenths(cy), Sixteenths(radius)},
              Opaque(pen.color), static_cast<int16_t>(pen.width),
              pen.dotted,        {}};
  if (!FirstTime(std::move(key))) return;
  Ink(cx - radius, cy - radius, cx + radius + 1, cy + radius + 1, pen.width + 1);
  QPainter& p = Painter();
  UsePen(pen);
  p.setBrush(Qt::NoBrush);
  if (!smooth_) {
    int r = Round(radius);
    p.drawEllipse(QPoint(Round(cx), Round(cy)), r, r);
    return;
  }
  p.drawEllipse(QPointF(Limit(cx) + 0.5, Limit(cy) + 0.5), radius, radius);
}

void ImageCanvas::DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
                          const Pen& pen) {
  if (!(radius >= 0) || CircleOutlineMisses(width_, height_, cx, cy, radius, pen.width)) return;
  DrawKey key{kOpArc,
              {Sixteenths(cx), Sixteenths(cy), Sixteenths(radius), Sixteenths(startAngle * 1000),
               Sixteenths(endAngle * 1000)},
              Opaque(pen.color),
              static_cast<int16_t>(pen.width),
              pen.dotted,
              {}};
  if (!FirstTime(std::move(key))) return;
  Ink(cx - radius, cy - radius, cx + radius + 1, cy + radius + 1, pen.width + 1);
  if (endAngle < startAngle) endAngle += 2 * std::numbers::pi;
  // Qt measures arcs in sixteenths of a degree, counter-clockwise on screen.
  int start = static_cast<int>(std::lround(startAngle * 180 / std::numbers::pi * 16));
  int span = static_cast<int>(std::lround((endAngle - startAngle) * 180 / std::numbers::pi * 16));
  QPainter& p = Painter();
  UsePen(pen);
  if (!smooth_) {
    int x = Round(cx), y = Round(cy), r = Round(radius);
    p.drawArc(QRect(x - r, y - r, 2 * r, 2 * r), start, span);
    return;
  }
  QRectF box(Limit(cx) + 0.5 - radius, Limit(cy) + 0.5 - radius, 2 * radius, 2 * radius);
  p.drawArc(box, start, span);
}

void ImageCanvas::DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) {
  if (corners.empty()) return;
  if (corners.size() <= 4) {  // the marks; longer outlines are always drawn
    DrawKey key{kOpPolygon, {}, Opaque(pen.color), static_cast<int16_t>(pen.width), pen.dotted, {}};
    for (size_t i = 0; i < corners.size(); ++i) {
      key.v[2 * i] = Sixteenths(corners[i].x);
      key.v[2 * i + 1] = Sixteenths(corners[i].y);
    }
    if (!FirstTime(std::move(key))) return;
  }
  QPainter& p = Painter();
  UsePen(pen);
  p.setBrush(Qt::NoBrush);
  double left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const PixelPoint& c : corners) {
    left = std::min(left, c.x), right = std::max(right, c.x);
    top = std::min(top, c.y), bottom = std::max(bottom, c.y);
  }
  Ink(left, top, right + 1, bottom + 1, pen.width + 1);
  if (!smooth_) {
    QPolygon polygon;
    for (const PixelPoint& c : corners) polygon << QPoint(Round(c.x), Round(c.y));
    p.drawPolygon(polygon);
    return;
  }
  // The polygons are point marks: on pixel centres they stay crisp.
  QPolygonF polygon;
  for (const PixelPoint& c : corners)
    polygon << QPointF(Snap(c.x, pen.width), Snap(c.y, pen.width));
  p.drawPolygon(polygon);
}

void ImageCanvas::FillRect(double x1, double y1, double x2, double y2, Rgb color) {
  QRect rect = QRect(QPoint(Round(x1), Round(y1)), QPoint(Round(x2), Round(y2))).normalized();
  if (!FirstTime({kOpFill,
                  {rect.left(), rect.top(), rect.right(), rect.bottom()},
                  Opaque(color),
                  0,
                  false,
                  {}})) {
    return;
  }
  Ink(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1, 0);
  Painter().fillRect(rect, ToQColor(color));
}

void ImageCanvas::SetFont(const CanvasFont& font) {
  // Every redraw sets the font: the laid-out texts stay while it is the same.
  if (fontSet_ && font == canvasFont_) return;
  fontSet_ = true;
  canvasFont_ = font;
  EndPainting();
  ClearTexts();
  font_ = SurfaceFont(font, smooth_);
}

// A label is drawn once into a small image of its own and then copied:
// a figure shows the same few names in the same colours again and again.
void ImageCanvas::ClearTexts() {
  texts_.clear();
  textSlots_.clear();
  textBytes_ = 0;
}

const ImageCanvas::TextEntry& ImageCanvas::TextImage(const std::string& utf8, Rgb color) {
  uint32_t rgb = Opaque(color);
  textKey_.assign(reinterpret_cast<const char*>(&rgb), sizeof rgb).append(utf8);
  uint64_t hash = Mix(std::hash<std::string>()(textKey_));
  size_t mask = textSlots_.empty() ? 0 : textSlots_.size() - 1;
  size_t slot = hash & mask;
  for (; !textSlots_.empty() && textSlots_[slot].second != 0; slot = (slot + 1) & mask) {
    const TextEntry& entry = texts_[static_cast<size_t>(textSlots_[slot].second - 1)];
    if (textSlots_[slot].first == hash && entry.key == textKey_) return entry;
  }
  if (textBytes_ > kTextCacheBytes) {
    ClearTexts();
    mask = 0;
  }
  QString text = QString::fromStdString(utf8);
  QFontMetricsF metrics(font_, &layers_[0].image);
  QSize device(static_cast<int>(std::ceil((metrics.horizontalAdvance(text) + 2) * ratio_)),
               static_cast<int>(std::ceil((metrics.height() + 2) * ratio_)));
  QImage image(device.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(0);
  {
    QPainter p(&image);
    p.scale(ratio_, ratio_);
    p.setRenderHint(QPainter::TextAntialiasing, smooth_);
    p.setFont(font_);
    p.setPen(ToQColor(color));
    p.drawText(QPointF(0, metrics.ascent()), text);
  }
  // Only the inked part is kept and drawn: a label's box is mostly clear,
  // and a drag of thousands of labels blends every pixel of each.
  QSizeF size = QSizeF(image.size()) / ratio_;
  QRect inked = InkedPart(image);
  QImage part = inked.isEmpty() ? QImage() : image.copy(inked);
  part.setDevicePixelRatio(ratio_);
  textBytes_ += part.sizeInBytes() + 64;
  texts_.push_back({textKey_, std::move(part), inked.topLeft(), size});
  // The table stays at most half full.
  if (2 * texts_.size() > textSlots_.size()) {
    textSlots_.assign(std::bit_ceil(std::max<size_t>(1024, 4 * texts_.size())), {0, 0});
    mask = textSlots_.size() - 1;
    for (size_t i = 0; i < texts_.size(); ++i) {
      uint64_t h = Mix(std::hash<std::string>()(texts_[i].key));
      size_t s = h & mask;
      while (textSlots_[s].second != 0) s = (s + 1) & mask;
      textSlots_[s] = {h, static_cast<int>(i) + 1};
    }
  } else {
    textSlots_[slot] = {hash, static_cast<int>(texts_.size())};
  }
  return texts_.back();
}

void ImageCanvas::DrawText(double x, double y, const std::string& text, Rgb color) {
  if (text.empty()) return;
  if (!FirstTime({kOpText, {Round(x), Round(y)}, Opaque(color), 0, false, text})) return;
  const TextEntry& label = TextImage(text, color);
  QSizeF size = label.size;
  Ink(x, y, x + size.width() + 1, y + size.height() + 1, 2);
  if (label.image.isNull()) return;
  // Whole device pixels keep the letters sharp.
  double left = std::round(Limit(x) * ratio_) + label.offset.x();
  double top = std::round(Round(y) * ratio_) + label.offset.y();
  Painter().drawImage(QPointF(left / ratio_, top / ratio_), label.image);
}

double ImageCanvas::TextWidth(const std::string& text) const {
  QFontMetricsF metrics(font_, &layers_[0].image);
  return metrics.horizontalAdvance(QString::fromStdString(text));
}

}  // namespace sakuzu
