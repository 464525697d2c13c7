#include "view/overlay.h"

#include <algorithm>

#include "view/renderer.h"

namespace sakuzu {
namespace {

void DrawMark(Renderer& r, const OverlayMark& mark) {
  if (mark.tag == MarkTag::kScribble) {
    Pen pen{kBlack, 1, false};
    DrawFigureSegment(r.canvas, r.view, mark.x, mark.y, mark.x2, mark.y2, pen);
    return;
  }
  if (mark.tag == MarkTag::kText) {
    PixelPoint at = ToPixel(r.view, mark.x, mark.y);
    r.canvas.DrawText(at.x, at.y, mark.text, kBlack);
    return;
  }
  int penWidth = r.settings.penWidth;
  if (mark.wide) ++r.settings.penWidth;
  DrawObjectAs(r, mark.ref, mark.style, mark.color);
  if (mark.labelCode >= 0) DrawPointLabel(r, mark.ref, mark.labelCode, kCurrentTables);
  r.settings.penWidth = penWidth;
}

bool Matches(const OverlayMark& mark, MarkTag tag, ObjectRef ref) {
  return mark.tag == tag && (ref.IsEmpty() || mark.ref == ref);
}

}  // namespace

OverlayMark ObjectMark(MarkTag tag, ObjectRef ref, int style, int color, int labelCode, bool wide) {
  OverlayMark mark;
  mark.tag = tag;
  mark.ref = ref;
  mark.style = style;
  mark.color = color;
  mark.labelCode = labelCode;
  mark.wide = wide;
  return mark;
}

void ShowMark(Renderer& r, const OverlayMark& mark) {
  r.overlay.push_back(mark);
  LayerScope overlay(r.canvas, Layer::kOverlay);
  DrawMark(r, mark);
}

void RemoveMarks(Renderer& r, MarkTag tag, ObjectRef ref) {
  size_t before = r.overlay.size();
  std::erase_if(r.overlay, [&](const OverlayMark& m) { return Matches(m, tag, ref); });
  if (r.overlay.size() != before) DrawOverlay(r);
}

bool HasMark(const Renderer& r, MarkTag tag, ObjectRef ref) {
  return std::any_of(r.overlay.begin(), r.overlay.end(),
                     [&](const OverlayMark& m) { return m.tag == tag && m.ref == ref; });
}

ObjectRef MarkedObject(const Renderer& r, MarkTag tag) {
  for (const OverlayMark& m : r.overlay) {
    if (m.tag == tag) return m.ref;
  }
  return {};
}

void DrawOverlay(Renderer& r) {
  r.canvas.ClearLayer(Layer::kOverlay);
  LayerScope overlay(r.canvas, Layer::kOverlay);
  for (const OverlayMark& mark : r.overlay) DrawMark(r, mark);
}

}  // namespace sakuzu
