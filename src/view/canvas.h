// The drawing surface the renderer paints on. It works in PIXELS: the
// renderer converts figure coordinates itself (see view_mapping.h), so an
// implementation only rasterises.
//
// Coordinates: x grows to the right, y grows DOWN, and (0, 0) is the centre
// of the top-left pixel; the surface is Width() x Height() pixels. These are
// logical pixels: a surface may keep more device pixels per logical pixel
// (a high-density screen, a print-quality picture) and scales by itself.
// Values are doubles so that small marks keep their size (a radius of 2.5
// pixels). Coordinates far outside the surface are clipped by the renderer
// before they get here, except circles, whose centre and radius stay within
// a few million pixels.
//
// The surface has layers, shown bottom to top, so that nothing is ever
// erased by painting over it: an object that moves or a mark that goes away
// lives on a layer that is emptied and drawn again, and what lies beneath is
// never touched. Every drawing call goes to the current layer (SetLayer).
// Drawing in the background colour is never used to erase.
//
// Every call carries its own colour and pen; the surface keeps no drawing
// state except the current layer, the label font and the smoothing switch.
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
  int width = 1;        // pixels, 1 to 25 (the widest pen at the largest display size)
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

// The layers, bottom to top.
enum class Layer : uint8_t {
  kGrid,     // the background colour, the grid and the axes
  kBase,     // every object that does not move in the current operation
  kTrace,    // what the locus switch leaves behind, until the next full redraw
  kLive,     // what moves, drawn again on each deformation step
  kOverlay,  // transient marks: hover, candidates, picked inputs, the drag mark, printed text
  kList,     // the number list
};
constexpr int kLayerCount = 6;

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Size of the drawing area in (logical) pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Empties every layer and gives the grid layer the background colour.
  // The current layer becomes the base layer.
  virtual void Clear(Rgb background) = 0;
  // Empties one layer; the grid layer keeps the background colour.
  virtual void ClearLayer(Layer layer) = 0;
  // The layer later drawing calls go to.
  virtual void SetLayer(Layer layer) = 0;
  virtual Layer CurrentLayer() const = 0;
  // Antialiased lines, circles, arcs and text (on), or the pixel-exact look.
  virtual void SetSmooth(bool smooth) { (void)smooth; }
  // The end of a frame: what was drawn since the last one may be shown now.
  virtual void Present() {}
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
  // Text with its top-left corner at (x, y); what lies beneath stays as it is.
  virtual void DrawText(double x, double y, const std::string& text, Rgb color) = 0;
  // The advance width of the text in pixels (where the next text would start).
  virtual double TextWidth(const std::string& text) const = 0;
};

// A surface that passes every call on to another and notes which layers
// were drawn (or emptied) since it was last asked: what a front end must
// show anew at the end of an event. The renderer draws through one.
class LayerTracker : public Canvas {
 public:
  explicit LayerTracker(Canvas& target) : target_(&target), layer_(target.CurrentLayer()) {}

  Canvas& Target() const { return *target_; }
  // The layers touched since the record last started, one bit each
  // (1 << Layer).
  uint8_t DrawnLayers() const { return drawn_; }
  // The same, and the record starts again.
  uint8_t TakeDrawnLayers() {
    uint8_t layers = drawn_;
    drawn_ = 0;
    return layers;
  }

  int Width() const override { return target_->Width(); }
  int Height() const override { return target_->Height(); }
  void Clear(Rgb background) override {
    drawn_ = kAllLayers;
    layer_ = Layer::kBase;
    target_->Clear(background);
  }
  void ClearLayer(Layer layer) override {
    Touch(layer);
    target_->ClearLayer(layer);
  }
  void SetLayer(Layer layer) override {
    layer_ = layer;
    target_->SetLayer(layer);
  }
  Layer CurrentLayer() const override { return layer_; }
  void SetSmooth(bool smooth) override { target_->SetSmooth(smooth); }
  void Present() override { target_->Present(); }
  void DrawPixel(double x, double y, Rgb color) override {
    TouchCurrent();
    target_->DrawPixel(x, y, color);
  }
  void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) override {
    TouchCurrent();
    target_->DrawLine(x1, y1, x2, y2, pen);
  }
  void DrawCircle(double cx, double cy, double radius, const Pen& pen) override {
    TouchCurrent();
    target_->DrawCircle(cx, cy, radius, pen);
  }
  void DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
               const Pen& pen) override {
    TouchCurrent();
    target_->DrawArc(cx, cy, radius, startAngle, endAngle, pen);
  }
  void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) override {
    TouchCurrent();
    target_->DrawPolygon(corners, pen);
  }
  void FillRect(double x1, double y1, double x2, double y2, Rgb color) override {
    TouchCurrent();
    target_->FillRect(x1, y1, x2, y2, color);
  }
  void SetFont(const CanvasFont& font) override { target_->SetFont(font); }
  void DrawText(double x, double y, const std::string& text, Rgb color) override {
    TouchCurrent();
    target_->DrawText(x, y, text, color);
  }
  double TextWidth(const std::string& text) const override { return target_->TextWidth(text); }

 private:
  static constexpr uint8_t kAllLayers = (1 << kLayerCount) - 1;
  void Touch(Layer layer) { drawn_ |= static_cast<uint8_t>(1 << static_cast<int>(layer)); }
  void TouchCurrent() { Touch(layer_); }

  Canvas* target_;
  Layer layer_;
  uint8_t drawn_ = 0;
};

// Draws on `layer` for as long as it lives, then returns to the layer before.
class LayerScope {
 public:
  LayerScope(Canvas& canvas, Layer layer) : canvas_(canvas), before_(canvas.CurrentLayer()) {
    canvas_.SetLayer(layer);
  }
  ~LayerScope() { canvas_.SetLayer(before_); }
  LayerScope(const LayerScope&) = delete;
  LayerScope& operator=(const LayerScope&) = delete;

 private:
  Canvas& canvas_;
  Layer before_;
};

}  // namespace sakuzu
