// The drawing surface of the window: a QImage that the renderer paints on
// through the Canvas interface and that the drawing widget shows.
#pragma once

#include <QFont>
#include <QImage>
#include <functional>

#include "view/canvas.h"

namespace sakuzu {

class ImageCanvas : public Canvas {
 public:
  ImageCanvas(int width, int height);

  // A new, blank surface of that size (the old picture is dropped).
  void Resize(int width, int height, Rgb background);

  const QImage& Image() const { return image_; }
  // The colour of the last Clear.
  Rgb Background() const { return background_; }
  // Called after every drawing call (the widget asks for a repaint).
  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void Clear(Rgb background) override;
  void DrawPixel(double x, double y, Rgb color) override;
  void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void DrawCircle(double cx, double cy, double radius, const Pen& pen) override;
  void DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
               const Pen& pen) override;
  void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) override;
  void FillRect(double x1, double y1, double x2, double y2, Rgb color) override;
  void SetFont(const CanvasFont& font) override;
  void DrawText(double x, double y, const std::string& text, Rgb color) override;
  double TextWidth(const std::string& text) const override;

 private:
  void Changed() {
    if (changed_) changed_();
  }

  QImage image_;
  QFont font_;
  Rgb background_ = MakeRgb(255, 255, 255);
  std::function<void()> changed_;
};

// The surface's resolution: fixed, so that a font size in points gives the
// same pixels in the window and in a picture made without one.
constexpr double kCanvasDpi = 96;

}  // namespace sakuzu
