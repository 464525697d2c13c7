#include "web/web_canvas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <utility>

namespace sakuzu {
namespace {

double Packed(Rgb c) { return c.r * 65536.0 + c.g * 256.0 + c.b; }

// The address of a text as the page reads it (wasm32 addresses fit a
// double exactly).
double Address(const std::string& text) {
  return static_cast<double>(reinterpret_cast<uintptr_t>(text.c_str()));
}

// Lower-case ASCII, full-width letters as their ASCII forms, no spaces:
// "ＭＳ Ｐゴシック" and "ms pゴシック" are the same name.
std::string FamilyKey(const std::string& name) {
  std::string key;
  for (size_t i = 0; i < name.size();) {
    auto byte = static_cast<unsigned char>(name[i]);
    // U+FF01..U+FF5E are EF BC 81..EF BD 9E; U+3000 is E3 80 80.
    if (byte == 0xEF && i + 2 < name.size()) {
      auto b1 = static_cast<unsigned char>(name[i + 1]);
      auto b2 = static_cast<unsigned char>(name[i + 2]);
      int code = ((b1 & 0x3F) << 6) | (b2 & 0x3F);
      code |= 0xF000;
      if (code >= 0xFF01 && code <= 0xFF5E) {
        char ascii = static_cast<char>(code - 0xFF01 + 0x21);
        key += static_cast<char>(std::tolower(static_cast<unsigned char>(ascii)));
        i += 3;
        continue;
      }
    }
    if (name.compare(i, 3, "\xE3\x80\x80") == 0) {
      i += 3;
      continue;
    }
    if (byte != ' ') key += static_cast<char>(byte < 0x80 ? std::tolower(byte) : byte);
    ++i;
  }
  return key;
}

constexpr const char* kJapaneseSans =
    "\"Noto Sans CJK JP\", \"Hiragino Sans\", \"Yu Gothic\", Meiryo, sans-serif";
constexpr const char* kJapaneseMono =
    "\"Noto Sans Mono CJK JP\", \"MS Gothic\", \"Osaka-Mono\", monospace";

}  // namespace

std::string CssFontOf(const CanvasFont& font) {
  std::string key = FamilyKey(font.family);
  std::string families;
  if (key == "fixedsys" || key == "terminal" || key == "msゴシック" || key == "msgothic") {
    families = kJapaneseMono;
  } else if (key.empty() || key == "mspゴシック" || key == "mspgothic" || key == "msuigothic" ||
             key == "meiryo" || key == "メイリオ") {
    families = kJapaneseSans;
  } else {
    std::string name;
    for (char c : font.family) {
      if (c != '"' && c != '\\' && c != ';' && c != '\n' && c != '\r') name += c;
    }
    families = "\"" + name + "\", " + kJapaneseSans;
  }
  // The renderer spaces lines 1.2 sizes apart, the size taken as pixels.
  long pixels = std::max(1L, std::lround(font.size * 1.2));
  std::string css;
  if (font.italic) css += "italic ";
  if (font.bold) css += "bold ";
  css += std::to_string(pixels) + "px " + families;
  return css;
}

WebCanvas::WebCanvas(int width, int height, Page page)
    : width_(width), height_(height), page_(page) {
  SetFont(CanvasFont{});
}

void WebCanvas::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  Repaint();
}

void WebCanvas::Repaint() {
  for (LayerList& list : layers_) {
    list.shown = 0;
    list.cleared = true;
  }
}

void WebCanvas::Clear(Rgb background) {
  background_ = background;
  for (int i = 0; i < kLayerCount; ++i) ClearLayer(static_cast<Layer>(i));
  layer_ = Layer::kBase;
}

void WebCanvas::ClearLayer(Layer layer) {
  LayerList& list = layers_[static_cast<int>(layer)];
  list.ops.clear();
  list.texts.clear();
  list.shown = 0;
  list.cleared = true;
}

void WebCanvas::Present() {
  if (page_.drawLayer == nullptr) return;
  for (int i = 0; i < kLayerCount; ++i) {
    LayerList& list = layers_[i];
    if (!list.cleared && list.shown == list.ops.size()) continue;
    page_.drawLayer(i, list.cleared, list.ops.data() + list.shown,
                    static_cast<int>(list.ops.size() - list.shown),
                    static_cast<int>(Packed(background_)));
    list.shown = list.ops.size();
    list.cleared = false;
  }
}

void WebCanvas::Op(WebOp op, std::initializer_list<double> values) {
  std::vector<double>& ops = Current().ops;
  ops.push_back(static_cast<double>(op));
  ops.insert(ops.end(), values);
}

void WebCanvas::DrawPixel(double x, double y, Rgb color) {
  Op(WebOp::kPixel, {x, y, Packed(color)});
}

void WebCanvas::DrawLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  Op(WebOp::kLine,
     {x1, y1, x2, y2, Packed(pen.color), static_cast<double>(pen.width), pen.dotted ? 1.0 : 0.0});
}

void WebCanvas::DrawCircle(double cx, double cy, double radius, const Pen& pen) {
  Op(WebOp::kCircle,
     {cx, cy, radius, Packed(pen.color), static_cast<double>(pen.width), pen.dotted ? 1.0 : 0.0});
}

void WebCanvas::DrawArc(double cx, double cy, double radius, double startAngle, double endAngle,
                        const Pen& pen) {
  Op(WebOp::kArc, {cx, cy, radius, startAngle, endAngle, Packed(pen.color),
                   static_cast<double>(pen.width), pen.dotted ? 1.0 : 0.0});
}

void WebCanvas::DrawPolygon(const std::vector<PixelPoint>& corners, const Pen& pen) {
  if (corners.empty()) return;
  Op(WebOp::kPolygon, {static_cast<double>(corners.size()), Packed(pen.color),
                       static_cast<double>(pen.width), pen.dotted ? 1.0 : 0.0});
  std::vector<double>& ops = Current().ops;
  for (const PixelPoint& p : corners) {
    ops.push_back(p.x);
    ops.push_back(p.y);
  }
}

void WebCanvas::FillRect(double x1, double y1, double x2, double y2, Rgb color) {
  Op(WebOp::kFill, {x1, y1, x2, y2, Packed(color)});
}

void WebCanvas::SetFont(const CanvasFont& font) {
  std::string css = CssFontOf(font);
  if (font_ != nullptr && *font_ == css) return;
  for (const std::string& known : fonts_) {
    if (known == css) {
      font_ = &known;
      return;
    }
  }
  fonts_.push_back(std::move(css));
  font_ = &fonts_.back();
}

void WebCanvas::DrawText(double x, double y, const std::string& text, Rgb color) {
  if (text.empty()) return;
  LayerList& list = Current();
  list.texts.push_back(text);
  Op(WebOp::kText, {x, y, Packed(color), Address(*font_), Address(list.texts.back())});
}

double WebCanvas::TextWidth(const std::string& text) const {
  if (page_.measureText == nullptr) return 0;
  std::string key = *font_ + '\n' + text;
  auto found = widths_.find(key);
  if (found != widths_.end()) return found->second;
  if (widths_.size() > 20000) widths_.clear();
  double width = page_.measureText(font_->c_str(), text.c_str());
  widths_.emplace(std::move(key), width);
  return width;
}

}  // namespace sakuzu
