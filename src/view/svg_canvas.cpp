#include "view/svg_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr double kPi = 3.14159265358979;
// Coordinates beyond this are clipped away anyway.
constexpr double kLimit = 1.0e6;

std::string Number(double v) {
  if (!std::isfinite(v)) v = 0;
  v = std::clamp(v, -kLimit, kLimit);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

// Pixel centres: (0, 0) is the middle of the top-left pixel.
std::string At(double v) { return Number(v + 0.5); }

std::string Color(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

std::string Stroke(const Pen& pen) {
  std::string s = " fill=\"none\" stroke=\"" + Color(pen.color) + "\" stroke-width=\"" +
                  std::to_string(std::max(1, pen.width)) + "\"";
  s += pen.dotted ? " stroke-dasharray=\"1 1\"" : " stroke-linecap=\"round\"";
  return s;
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height, MeasureFn measure)
    : width_(std::max(1, width)), height_(std::max(1, height)), measure_(std::move(measure)) {}

void SvgCanvas::Clear(Rgb background) {
  background_ = background;
  for (auto& layer : layers_) layer.clear();
  layer_ = Layer::kBase;
}

void SvgCanvas::ClearLayer(Layer layer) { layers_[static_cast<int>(layer)].clear(); }

void SvgCanvas::DrawPixel(double x, double y, Rgb color) {
  Add("<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"1\" height=\"1\" fill=\"" +
      Color(color) + "\"/>");
}

void SvgCanvas::DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  Add("<line x1=\"" + At(x1) + "\" y1=\"" + At(y1) + "\" x2=\"" + At(x2) + "\" y2=\"" + At(y2) +
      "\"" + Stroke(pen) + "/>");
}

void SvgCanvas::DrawCircle(double cx, double cy, double radius, const Pen& pen) {
  Add("<circle cx=\"" + At(cx) + "\" cy=\"" + At(cy) + "\" r=\"" + Number(radius) + "\"" +
      Stroke(pen) + "/>");
}

void SvgCanvas::DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
                        const Pen& pen) {
  // Counter-clockwise on the screen (y down) from start to end.
  double span = endAngle - startAngle;
  if (span < 0) span += 2 * kPi;
  double x1 = cx + 0.5 + radius * std::cos(startAngle),
         y1 = cy + 0.5 - radius * std::sin(startAngle);
  double x2 = cx + 0.5 + radius * std::cos(endAngle), y2 = cy + 0.5 - radius * std::sin(endAngle);
  Add("<path d=\"M" + Number(x1) + " " + Number(y1) + " A" + Number(radius) + " " + Number(radius) +
      " 0 " + (span > kPi ? "1" : "0") + " 0 " + Number(x2) + " " + Number(y2) + "\"" +
      Stroke(pen) + "/>");
}

void SvgCanvas::DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) {
  if (corners.empty()) return;
  std::string points;
  for (const PixelPoint& p : corners)
    points += (points.empty() ? "" : " ") + At(p.x) + "," + At(p.y);
  Add("<polygon points=\"" + points + "\"" + Stroke(pen) + "/>");
}

void SvgCanvas::FillRect(double x1, double y1, double x2, double y2, Rgb color) {
  double left = std::min(x1, x2), top = std::min(y1, y2);
  Add("<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" +
      Number(std::abs(x2 - x1) + 1) + "\" height=\"" + Number(std::abs(y2 - y1) + 1) +
      "\" fill=\"" + Color(color) + "\"/>");
}

void SvgCanvas::DrawText(double x, double y, const std::string& text, Rgb color) {
  if (text.empty()) return;
  // The top-left corner is given; SVG places text by its baseline.
  std::string style = font_.bold ? " font-weight=\"bold\"" : "";
  if (font_.italic) style += " font-style=\"italic\"";
  Add("<text x=\"" + Number(x) + "\" y=\"" + Number(y + 0.8 * font_.size) + "\" font-family=\"" +
      EscapeHtml(font_.family) + ", monospace\" font-size=\"" + Number(font_.size) + "\" fill=\"" +
      Color(color) + "\"" + style + " xml:space=\"preserve\">" + EscapeHtml(text) + "</text>");
}

double SvgCanvas::TextWidth(const std::string& text) const {
  if (measure_) return measure_(font_, text);
  return 0.6 * font_.size * CharCount(text);
}

std::string SvgCanvas::Svg(const std::string& title) const {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width_) +
         "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " + std::to_string(width_) +
         " " + std::to_string(height_) + "\"";
  if (!smooth_) svg += " shape-rendering=\"crispEdges\"";
  svg += ">\n<title>" + EscapeHtml(title) + "</title>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + Color(background_) + "\"/>\n";
  for (const auto& layer : layers_) {
    if (layer.empty()) continue;
    svg += "<g>\n";
    for (const std::string& element : layer) svg += element + "\n";
    svg += "</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace sakuzu
