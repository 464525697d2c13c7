// A drawing surface that keeps every drawing call, layer by layer, and
// paints them again on any QPainter: an SVG or PDF writer, a printer, an
// image of any scale. Lines, circles and text stay lines, circles and text
// there, so a picture of the figure can be enlarged, searched and copied
// from. The session draws the picture on one when a picture is asked for
// (Session::DrawPicture); it measures text as the window's surface does.
#pragma once

#include <QFont>
#include <array>
#include <string>
#include <vector>

#include "view/canvas.h"

class QPainter;

namespace sakuzu {

class PainterCanvas : public Canvas {
 public:
  PainterCanvas(int width, int height);

  // Paints the background and the layers bottom to top. One unit of the
  // painter is one pixel of the surface; clipped to the surface.
  void Replay(QPainter& painter) const;
  Rgb Background() const { return background_; }
  // The calls kept on a layer.
  size_t CallCount(Layer layer) const { return layers_[static_cast<int>(layer)].calls.size(); }

  int Width() const override;
  int Height() const override;
  void Clear(Rgb background) override;
  void ClearLayer(Layer layer) override;
  void SetLayer(Layer layer) override;
  Layer CurrentLayer() const override { return layer_; }
  void SetSmooth(bool smooth) override;
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
  enum class Op : uint8_t { kPixel, kLine, kCircle, kArc, kPolygon, kFill, kText };
  // Plain data, so that keeping a call costs a copy: a text or a
  // polygon's corners lie beside the calls, at `first`.
  struct Call {
    Op op = Op::kPixel;
    int font = 0;  // index into fonts_
    int first = 0, count = 0;
    Pen pen;
    std::array<double, 5> v{};
  };
  struct LayerCalls {
    std::vector<Call> calls;
    std::vector<std::string> texts;
    std::vector<PixelPoint> corners;
    void Clear() {
      calls.clear();
      texts.clear();
      corners.clear();
    }
  };

  // The call's identity: what it draws, where, how.
  static std::string Key(const LayerCalls& layer, const Call& call);
  LayerCalls& Current() { return layers_[static_cast<int>(layer_)]; }
  void Keep(Op op, std::array<double, 5> v, Pen pen);
  void PaintCall(QPainter& painter, const LayerCalls& layer, const Call& call,
                 const std::vector<QFont>& fonts) const;

  int width_ = 1, height_ = 1;
  // Kept as they come, so that a drag step costs little; a call drawn
  // again (objects that coincide) is painted once, as the window does.
  std::array<LayerCalls, kLayerCount> layers_;
  Layer layer_ = Layer::kBase;
  Rgb background_ = MakeRgb(255, 255, 255);
  bool smooth_ = true;
  std::vector<CanvasFont> fonts_{CanvasFont{}};
  QFont measureFont_;  // the current font, for text widths
};

}  // namespace sakuzu
