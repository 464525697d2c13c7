// A canvas for the view tests: it logs every call and rasterises into a
// small pixel buffer (coordinates rounded, no blending), so that tests can
// check both what was asked and which pixels it left.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "text/text_util.h"
#include "view/canvas.h"

namespace sakuzu::testing {

struct CanvasCall {
  std::string op;  // "clear", "pixel", "line", "circle", "arc", "polygon", "fill", "text"
  std::vector<double> v;
  Pen pen;
  std::string text;
};

class FakeCanvas : public Canvas {
 public:
  FakeCanvas(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void Clear(Rgb background) override {
    calls.push_back({"clear", {}, {background, 1, false}, ""});
    pixels_.assign(pixels_.size(), background);
  }
  void DrawPixel(double x, double y, Rgb color) override {
    calls.push_back({"pixel", {x, y}, {color, 1, false}, ""});
    Plot(std::lround(x), std::lround(y), color);
  }
  void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) override {
    calls.push_back({"line", {x1, y1, x2, y2}, pen, ""});
    Rasterise(x1, y1, x2, y2, pen);
  }
  void DrawCircle(double cx, double cy, double radius, const Pen& pen) override {
    calls.push_back({"circle", {cx, cy, radius}, pen, ""});
    Trace(cx, cy, radius, 0, 2 * M_PI, pen);
  }
  void DrawArc(double cx, double cy, double radius, double start, double end,
               const Pen& pen) override {
    calls.push_back({"arc", {cx, cy, radius, start, end}, pen, ""});
    double span = end - start;
    if (span < 0) span += 2 * M_PI;
    Trace(cx, cy, radius, start, span, pen);
  }
  void DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) override {
    std::vector<double> v;
    for (PixelPoint p : corners) v.insert(v.end(), {p.x, p.y});
    calls.push_back({"polygon", v, pen, ""});
    for (size_t i = 0; i < corners.size(); ++i) {
      PixelPoint a = corners[i], b = corners[(i + 1) % corners.size()];
      Rasterise(a.x, a.y, b.x, b.y, pen);
    }
  }
  void FillRect(double x1, double y1, double x2, double y2, Rgb color) override {
    calls.push_back({"fill", {x1, y1, x2, y2}, {color, 1, false}, ""});
    Fill(x1, y1, x2, y2, color);
  }
  void SetFont(const CanvasFont& f) override { font = f; }
  // Text is a box of 6 pixels per character and the font size in height.
  void DrawText(double x, double y, const std::string& text, Rgb color) override {
    calls.push_back({"text", {x, y}, {color, 1, false}, text});
    double w = TextWidth(text);
    if (w > 0) Fill(x, y, x + w - 1, y + font.size - 1, color);
  }
  double TextWidth(const std::string& text) const override { return 6.0 * CharCount(text); }

  Rgb At(int x, int y) const { return pixels_[y * width_ + x]; }
  int CountOther(Rgb background) const {
    int n = 0;
    for (Rgb p : pixels_) n += p == background ? 0 : 1;
    return n;
  }
  std::vector<CanvasCall> Calls(const std::string& op) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& c : calls) {
      if (c.op == op) found.push_back(c);
    }
    return found;
  }

  std::vector<CanvasCall> calls;
  CanvasFont font;

 private:
  void Fill(double x1, double y1, double x2, double y2, Rgb color) {
    for (long y = std::lround(std::min(y1, y2)); y <= std::lround(std::max(y1, y2)); ++y) {
      for (long x = std::lround(std::min(x1, x2)); x <= std::lround(std::max(x1, x2)); ++x) {
        Plot(x, y, color);
      }
    }
  }
  void Plot(long x, long y, Rgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[y * width_ + x] = color;
  }
  void Brush(long x, long y, const Pen& pen) {
    long lo = -(pen.width - 1) / 2, hi = pen.width / 2;
    for (long dy = lo; dy <= hi; ++dy) {
      for (long dx = lo; dx <= hi; ++dx) Plot(x + dx, y + dy, pen.color);
    }
  }
  void Rasterise(double x1, double y1, double x2, double y2, const Pen& pen) {
    long ax = std::lround(x1), ay = std::lround(y1), bx = std::lround(x2), by = std::lround(y2);
    long steps = std::max(std::labs(bx - ax), std::labs(by - ay));
    for (long i = 0; i <= steps; ++i) {
      if (pen.dotted && i % 2 == 1) continue;
      double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
      Brush(std::lround(ax + t * (bx - ax)), std::lround(ay + t * (by - ay)), pen);
    }
  }
  void Trace(double cx, double cy, double radius, double start, double span, const Pen& pen) {
    long n = std::lround(8 * radius * span) + 8;
    for (long i = 0; i <= n; ++i) {
      if (pen.dotted && i % 2 == 1) continue;
      double a = start + span * i / n;
      Brush(std::lround(cx + radius * std::cos(a)), std::lround(cy - radius * std::sin(a)), pen);
    }
  }

  int width_, height_;
  std::vector<Rgb> pixels_;
};

}  // namespace sakuzu::testing
