// The drawing surface of the window: one image per layer of the canvas,
// composed with QPainter when the drawing area paints. The renderer draws
// in logical pixels; the images hold devicePixelRatio device pixels per
// logical pixel, so a high-density screen and a print-quality picture are
// sharp.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "view/canvas.h"

class QPainter;

namespace sakuzu {

class ImageCanvas : public Canvas {
 public:
  ImageCanvas(int width, int height, double devicePixelRatio = 1);
  ~ImageCanvas() override;

  // A new, blank surface of that logical size (the old picture is dropped).
  void Resize(int width, int height, Rgb background);
  // Device pixels per logical pixel; the surface becomes blank.
  void SetDevicePixelRatio(double ratio);
  double DevicePixelRatio() const { return ratio_; }
  // The colour of the last Clear.
  Rgb Background() const { return background_; }
  bool Smooth() const { return smooth_; }

  // The whole picture as the screen shows it, at the device pixel ratio.
  QImage Composed();
  // Paints the part `rect` (logical pixels) of the picture with `painter`,
  // whose device has the same logical size.
  void Paint(QPainter& painter, const QRect& rect);
  // Told at each Present the logical rectangle that changed since the last.
  void SetChangeListener(std::function<void(const QRect&)> listener) {
    changed_ = std::move(listener);
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear(Rgb background) override;
  void ClearLayer(Layer layer) override;
  void SetLayer(Layer layer) override;
  Layer CurrentLayer() const override { return layer_; }
  void SetSmooth(bool smooth) override;
  void Present() override;
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
  // A drawing call as it reaches the pixels: coordinates in sixteenths of
  // a pixel, the pen and the colour, the text.
  struct DrawKey {
    uint8_t op = 0;
    std::array<int32_t, 8> v{};
    uint32_t color = 0;
    int16_t width = 0;
    bool dotted = false;
    std::string_view text;
    uint64_t Hash() const;
  };
  // The calls drawn on a layer since it was emptied, by a 64-bit hash of
  // their keys (two different calls share one about once in 10^19): open
  // addressing in one flat table, so a drag step allocates nothing.
  class DrawnSet {
   public:
    // False when the hash was there already.
    bool Insert(uint64_t hash);
    void Clear();

   private:
    std::vector<uint64_t> slots_;  // 0: empty
    size_t count_ = 0;
  };

  struct TextEntry {
    std::string key;
    QImage image;   // the inked part only (null when nothing is)
    QPoint offset;  // device pixels from the label's corner to the image's
    QSizeF size;    // logical pixels, of the whole label
  };

  struct LayerImage {
    QImage image;
    QRect inked;  // device pixels: everything drawn since the layer was emptied
  };

  LayerImage& Current() { return layers_[static_cast<int>(layer_)]; }
  // The painter of the current layer, opened on first use in a frame.
  QPainter& Painter();
  void EndPainting();
  const TextEntry& TextImage(const std::string& text, Rgb color);
  // Gives the painter the pen, unless it has it already.
  void UsePen(const Pen& pen);
  // Marks the logical rectangle (with a margin for the pen) as drawn on
  // the current layer.
  void Ink(double left, double top, double right, double bottom, double margin);
  void Changed(Layer layer, const QRect& device);
  // False when the same call was drawn on the current layer since it was
  // emptied: drawn again, smooth edges would darken and time is lost (a
  // figure often has objects that coincide).
  bool FirstTime(DrawKey key);
  void EmptyImage(Layer layer, const QRect& device);
  void ComposeStill(const QRect& device);
  QRect DeviceRect(const QRect& logical) const;
  QRect LogicalRect(const QRect& device) const;
  // The logical coordinate nearest to pixel v's centre on which a line of
  // that pen width covers whole device pixels: crisp axis-parallel lines.
  double Snap(double v, int penWidth) const;

  int width_ = 1, height_ = 1;
  double ratio_ = 1;
  std::array<LayerImage, kLayerCount> layers_;
  std::array<DrawnSet, kLayerCount> drawn_;
  QImage still_;       // the grid, base and trace layers composed
  QRect stillDirty_;   // device pixels of still_ to compose again
  QRect changedArea_;  // device pixels changed since the last Present
  Layer layer_ = Layer::kBase;
  std::unique_ptr<QPainter> painter_;
  bool smooth_ = true;
  QFont font_;
  CanvasFont canvasFont_;  // what font_ was made from
  bool fontSet_ = false;
  // Label texts drawn once, by colour and text (the colour's four bytes,
  // then the text's UTF-8), found through a flat table of their hashes:
  // a drag step looks up thousands of labels.
  std::vector<TextEntry> texts_;
  std::vector<std::pair<uint64_t, int>> textSlots_;  // hash, index into texts_ + 1
  std::string textKey_;                              // kept, so that a lookup allocates nothing
  void ClearTexts();
  qsizetype textBytes_ = 0;
  Pen pen_;  // the pen the open painter has, when penSet_
  bool penSet_ = false;
  Rgb background_ = MakeRgb(255, 255, 255);
  bool gridFilled_ = false;  // the grid image holds background_ outside what was drawn
  std::function<void(const QRect&)> changed_;
};

// The surface's resolution: fixed, so that a font size in points gives the
// same pixels in the window and in a picture made without one.
constexpr double kCanvasDpi = 96;

// The font of labels and of the number list on a surface: the size in
// points taken as the height of a line in pixels (see SetFont).
QFont SurfaceFont(const CanvasFont& font, bool smooth);

// True when no part of the circle's outline can reach a surface of that
// size: it lies wholly outside, or the surface lies wholly inside it.
bool CircleOutlineMisses(int width, int height, double cx, double cy, double radius, int penWidth);

}  // namespace sakuzu
