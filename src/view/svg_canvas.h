// A drawing surface that writes SVG: the layers bottom to top, each call
// one element (lines, circles, arcs, polygons, rectangles, text), so that a
// picture of the figure stays sharp at any size and its names stay text.
// The page makes its SVG pictures with it; text is measured by the
// function given, so that the picture lays out the number list as the
// screen does.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace sakuzu {

class SvgCanvas : public Canvas {
 public:
  using MeasureFn = std::function<double(const CanvasFont& font, const std::string& text)>;

  // `measure` empty: 0.6 of the font size a character.
  SvgCanvas(int width, int height, MeasureFn measure = {});

  // The whole picture; `title` becomes its title element.
  std::string Svg(const std::string& title) const;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear(Rgb background) override;
  void ClearLayer(Layer layer) override;
  void SetLayer(Layer layer) override { layer_ = layer; }
  Layer CurrentLayer() const override { return layer_; }
  void SetSmooth(bool smooth) override { smooth_ = smooth; }
  void DrawPixel(double x, double y, Rgb color) override;
  void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void DrawCircle(double cx, double cy, double radius, const Pen& pen) override;
  void DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
               const Pen& pen) override;
  void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) override;
  void FillRect(double x1, double y1, double x2, double y2, Rgb color) override;
  void SetFont(const CanvasFont& font) override { font_ = font; }
  void DrawText(double x, double y, const std::string& text, Rgb color) override;
  double TextWidth(const std::string& text) const override;

 private:
  void Add(std::string element) { layers_[static_cast<int>(layer_)].push_back(std::move(element)); }

  int width_, height_;
  MeasureFn measure_;
  Rgb background_ = MakeRgb(255, 255, 255);
  Layer layer_ = Layer::kBase;
  bool smooth_ = true;
  CanvasFont font_;
  std::array<std::vector<std::string>, kLayerCount> layers_;
};

}  // namespace sakuzu
