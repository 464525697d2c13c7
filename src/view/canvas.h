// The drawing surface the renderer paints on. It works in PIXELS: the
// renderer converts figure coordinates itself (see view_mapping.h), so an
// implementation only rasterises.
//
// Coordinates: x grows to the right, y grows DOWN, and (0, 0) is the centre
// of the top-left pixel; the surface is Width() x Height() pixels. Values
// are doubles so that small marks keep their size (a radius of 2.5 pixels);
// an implementation may round every coordinate and radius to the nearest
// integer before drawing. Coordinates far outside the surface are clipped
// by the renderer before they get here, except circles, whose centre and
// radius stay within a few million pixels.
//
// The surface is persistent: it keeps what was drawn until Clear. Erasing
// works by drawing the same thing again in the background colour, so every
// call must be deterministic and must not blend: antialiasing off, also for
// text (a QFont with QFont::NoAntialias). Drawing the same call twice, the
// second time in the background colour, must leave no pixel of the first.
//
// Every call carries its own colour and pen; the surface keeps no drawing
// state except the label font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sakuzu {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb MakeRgb(int r, int g, int b) {
  return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

struct Pen {
  Rgb color;
  int width = 1;        // pixels, 1 to 10
  bool dotted = false;  // a dotted line style (one pixel on, one off, or the platform's dots)
  bool operator==(const Pen&) const = default;
};

struct PixelPoint {
  double x = 0, y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The font of labels and of the number list. `size` is in points and the
// renderer also uses it as a height in pixels when it places text.
struct CanvasFont {
  std::string family = "FixedSys";  // the platform falls back to a monospace font
  double size = 9;
  bool bold = false, italic = false, underline = false, strikeout = false;
  bool operator==(const CanvasFont&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Size of the drawing area in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Fills the whole surface with the background colour.
  virtual void Clear(Rgb background) = 0;
  // Exactly one pixel, whatever the pen width.
  virtual void DrawPixel(double x, double y, Rgb color) = 0;
  // A straight line including both end pixels.
  virtual void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) = 0;
  // The outline of a circle.
  virtual void DrawCircle(double cx, double cy, double radius, const Pen& pen) = 0;
  // The part of a circle from `startAngle` counter-clockwise (as seen on
  // the screen) to `endAngle`, both in radians from the +x direction,
  // 0 <= angle < 2 pi; when endAngle < startAngle the arc passes through 0.
  virtual void DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
                       const Pen& pen) = 0;
  // The closed outline through the corners.
  virtual void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) = 0;
  // A filled axis-parallel rectangle; both corners are included.
  virtual void FillRect(double x1, double y1, double x2, double y2, Rgb color) = 0;

  // The font of every later DrawText and TextWidth.
  virtual void SetFont(const CanvasFont& font) = 0;
  // Text with its top-left corner at (x, y); the background stays as it is.
  virtual void DrawText(double x, double y, const std::string& text, Rgb color) = 0;
  // The advance width of the text in pixels (where the next text would start).
  virtual double TextWidth(const std::string& text) const = 0;
};

}  // namespace sakuzu
