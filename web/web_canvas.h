// The drawing surface of the web viewer: every call is kept as a few
// numbers in the list of its layer, and Present hands the lists that
// changed to the page, which draws them on one HTML canvas per layer and
// shows the layers one over the other. A layer that was emptied is
// emptied on the page too before its new drawing.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "view/canvas.h"

namespace sakuzu {

// The operation codes of the lists, as the page reads them.
enum class WebOp : int {
  kPixel = 1,    // x y colour
  kLine = 2,     // x1 y1 x2 y2 colour width dotted
  kCircle = 3,   // cx cy r colour width dotted
  kArc = 4,      // cx cy r start end colour width dotted
  kPolygon = 5,  // n colour width dotted x1 y1 ... xn yn
  kFill = 6,     // x1 y1 x2 y2 colour
  kText = 7,     // x y colour font text (the last two as string addresses)
};

class WebCanvas : public Canvas {
 public:
  // The page's side: what Present calls with each changed layer, and how
  // text is measured. Tests put plain functions here.
  struct Page {
    void (*drawLayer)(int layer, bool cleared, const double* ops, int count,
                      int background) = nullptr;
    double (*measureText)(const char* font, const char* text) = nullptr;
  };

  WebCanvas(int width, int height, Page page);

  void Resize(int width, int height);
  // Every layer is drawn again on the page at the next Present (the page
  // lost its pictures, e.g. after its canvases were resized).
  void Repaint();

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear(Rgb background) override;
  void ClearLayer(Layer layer) override;
  void SetLayer(Layer layer) override { layer_ = layer; }
  Layer CurrentLayer() const override { return layer_; }
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

  Rgb Background() const { return background_; }
  // The CSS font the page draws labels with.
  const std::string& CssFont() const { return *font_; }

 private:
  // A layer's drawing since the page last saw it. The whole list is kept
  // (a repaint draws it again); `shown` is how much of it the page has.
  struct LayerList {
    std::vector<double> ops;
    std::deque<std::string> texts;  // stable addresses for kText
    size_t shown = 0;
    bool cleared = true;
  };
  LayerList& Current() { return layers_[static_cast<int>(layer_)]; }
  void Op(WebOp op, std::initializer_list<double> values);
  void PenValues(const Pen& pen);

  int width_, height_;
  Page page_;
  Rgb background_{255, 255, 255};
  Layer layer_ = Layer::kBase;
  std::array<LayerList, kLayerCount> layers_;
  std::deque<std::string> fonts_;  // every CSS font used; addresses stay
  const std::string* font_ = nullptr;
  mutable std::unordered_map<std::string, double> widths_;
};

// "FixedSys" and the other families of the figure files as the browser
// knows them, with a Japanese font behind.
std::string CssFontOf(const CanvasFont& font);

}  // namespace sakuzu
