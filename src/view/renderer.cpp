// Drawing the figure: every object kind (point marks, line parts and
// arrowheads, circles, labels, angle marks), the full redraw, the layers
// of a deformation step, and the view commands (zoom, pan, fit, axes,
// background) that end in a redraw. They share one renderer's view, pens
// and layer state, which keeps them in one file.
#include "view/renderer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "geometry/recalc.h"
#include "text/text_util.h"
#include "view/number_display.h"

namespace sakuzu {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kFarLimit = 1000;       // marks and circles beyond this are not drawn
constexpr double kLineReachFactor = 15;  // lines reach 15 half widths: off the window
constexpr double kArrowPixels = 10;
constexpr double kAngleArcPixels = 20, kAngleArcPixelsCompact = 8;
constexpr double kLabelOffsetPixels = 10, kLabelOffsetPixelsCompact = 2;
constexpr double kListMarginPixels = 35, kListMarginPixelsCompact = 3;
constexpr double kMinAngleArc = 0.06;  // radians; shorter arcs are not drawn
constexpr int kLineColorDotted = 3;    // yellow: dotted black with a thin pen

constexpr Rgb kConsoleColors[8] = {
    MakeRgb(128, 128, 128), MakeRgb(0, 0, 255),   MakeRgb(0, 255, 0),   MakeRgb(0, 255, 255),
    MakeRgb(255, 0, 0),     MakeRgb(255, 0, 255), MakeRgb(255, 255, 0), MakeRgb(255, 255, 255),
};
constexpr Rgb kHoverGreen = MakeRgb(0, 255, 0);

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

Pen SolidPen(const Renderer& r, Rgb color) {
  return Pen{color, PenPixels(r.settings, r.settings.penWidth), false};
}

// The pen of a line or circle: colour 3 with a thin pen is drawn dotted in
// black, since thin yellow is hard to see.
Pen ShapePen(Renderer& r, int color) {
  if (r.settings.penWidth == 1 && color == kLineColorDotted) {
    return Pen{PaletteColor(r, 7), PenPixels(r.settings, 1), true};
  }
  return SolidPen(r, PaletteColor(r, color));
}

void Segment(Renderer& r, double x1, double y1, double x2, double y2, const Pen& pen) {
  DrawFigureSegment(r.canvas, r.view, x1, y1, x2, y2, pen);
}

void Arrowhead(Renderer& r, double ex, double ey, double fx, double fy, const Pen& pen) {
  double length = std::hypot(fx - ex, fy - ey);
  if (!(length > 0) || !std::isfinite(length)) return;
  double ux = (fx - ex) / length, uy = (fy - ey) / length;
  double nx = -uy, ny = ux;  // u turned by +90 degrees
  double size = Pixels(r.view, kArrowPixels * DisplayScale(r.settings));
  Segment(r, ex, ey, ex + size * (ux + nx / 2), ey + size * (uy + ny / 2), pen);
  Segment(r, ex, ey, ex + size * (ux - nx / 2), ey + size * (uy - ny / 2), pen);
}

// The colour a colour code gives a record (see DrawObject).
int16_t CodedColor(int16_t color, int16_t locusColor, int code) {
  int16_t result = color;
  if (code < 8 && color == 0) result = static_cast<int16_t>(code);
  if (code > 9) result = locusColor;
  if (code > 19) result = static_cast<int16_t>(code % 10);
  return result;
}

void DrawObjectFromTable(Renderer& r, ObjectRef ref, int code, bool previous) {
  if (ref.index < 1) return;
  Figure& fig = r.fig;
  int i = ref.index;
  auto draw = Overloaded{[](const NumberRecord&) {},  // numbers are listed, not drawn
                         [&](PointRecord p) {
                           p.color = CodedColor(p.color, p.locusColor, code);
                           DrawPointMark(r, p);
                           if (code > 9) {
                             DrawPointLabel(r, ref, 0, kPreviousTables);
                           } else if (i <= fig.Points.UpperBound() && fig.Points[i].color != 0) {
                             DrawPointLabel(r, ref, 7, kCurrentTables);
                           }
                         },
                         [&](LineRecord l) {
                           l.color = CodedColor(l.color, l.locusColor, code);
                           DrawLine(r, l);
                         },
                         [&](CircleRecord c) {
                           c.color = CodedColor(c.color, c.locusColor, code);
                           DrawCircle(r, c);
                         }};
  if (previous) {
    VisitPrevObject(fig, ref, draw);
  } else {
    VisitObject(fig, ref, draw);
  }
}

// The locus codes leave the picture behind as a trace, on its own layer.
void DrawObjectFrom(Renderer& r, ObjectRef ref, int code, bool previous) {
  if (code >= kDrawLocusColor && code < kDrawErase) {
    LayerScope trace(r.canvas, Layer::kTrace);
    DrawObjectFromTable(r, ref, code, previous);
    return;
  }
  DrawObjectFromTable(r, ref, code, previous);
}

// Objects are drawn by class, points first, then lines and circles over
// them, then the points with a pixel style; `draw` says whether to draw one.
template <typename Filter>
void DrawFigureWhere(Renderer& r, Filter draw) {
  Figure& fig = r.fig;
  for (int cls = kPointClass; cls <= kCircleClass; ++cls) {
    int count = ClassCount(fig, cls);
    for (int i = 1; i <= count; ++i) {
      if (cls == kPointClass && fig.Points[i].style >= 10) continue;
      ObjectRef ref{static_cast<int16_t>(cls), static_cast<int16_t>(i)};
      if (draw(ref)) DrawObject(r, ref, 0);
    }
  }
  int points = ClassCount(fig, kPointClass);
  for (int i = 1; i <= points; ++i) {
    ObjectRef ref{kPointClass, static_cast<int16_t>(i)};
    if (fig.Points[i].style >= 10 && draw(ref)) DrawObject(r, ref, 0);
  }
}

// The k of the pixel styles 10 to 17: the first colour that is neither the
// point's own nor the style's, normally the background.
int PixelStyleColor(int color, int style) {
  int k = 0;
  if (color == k) ++k;
  if (style - 10 == k) ++k;
  return k;
}

double ReduceAngle(double angle) {
  double twoPi = 2 * kPi;
  double reduced = std::fmod(angle, twoPi);
  if (reduced < 0) reduced += twoPi;
  // So close to a full turn it is the start of the next one.
  if (reduced > twoPi - 0.01) reduced = 0;
  return reduced;
}

int AngleArcColor(double angle) {
  double size = std::abs(angle);
  if (size <= 88) return 7;
  if (size <= 92) return 1;
  if (size <= 179.5) return 4;
  if (size <= 182) return 1;
  return 2;
}

void DrawAngleMarkEntry(Renderer& r, const AngleMark& mark) {
  Pen pen = SolidPen(r, PaletteColor(r, mark.color));
  if (mark.rightAngle) {
    Segment(r, mark.ax, mark.ay, mark.cx, mark.cy, pen);
    Segment(r, mark.cx, mark.cy, mark.bx, mark.by, pen);
    return;
  }
  PixelPoint v = ToPixel(r.view, mark.vx, mark.vy);
  r.canvas.DrawArc(v.x, v.y, mark.radius / r.view.ViewScale, mark.start, mark.end, pen);
}

void RecordAngleMark(Renderer& r, const AngleMark& mark) {
  // Beyond the list's room a mark is drawn but not recorded: a deformation
  // then draws it again only when its step moves.
  if (r.angleMarks.count >= kAngleMarkCapacity) return;
  r.angleMarks.entries[++r.angleMarks.count] = mark;
}

// The marks of the angles the last recomputation measured, on the current
// layer.
void DrawMeasuredAngles(Renderer& r) {
  for (const AngleMarkRequest& m : r.engine.angleMarks) {
    DrawAngleMark(r, m.vx, m.vy, m.px, m.py, m.angle, m.step);
  }
}

}  // namespace

double DisplayScale(const DisplaySettings& settings) {
  int size = std::clamp<int>(settings.displaySize, 0, 2);
  return kDisplayScales[size];
}

CanvasFont DrawingFont(const DisplaySettings& settings) {
  CanvasFont font = settings.font;
  font.size = FontPixels(settings);
  return font;
}

double FontPixels(const DisplaySettings& settings) {
  return settings.font.size * DisplayScale(settings);
}

int PenPixels(const DisplaySettings& settings, int width) {
  return std::max(1, static_cast<int>(std::lround(width * DisplayScale(settings))));
}

double LabelOffsetPixels(const DisplaySettings& settings) {
  return (settings.statusBarHidden ? kLabelOffsetPixelsCompact : kLabelOffsetPixels) *
         DisplayScale(settings);
}

double ListMarginPixels(const DisplaySettings& settings) {
  // The status bar's margin does not grow: it keeps the list off the edge.
  return settings.statusBarHidden ? kListMarginPixelsCompact : kListMarginPixels;
}

Rgb PaletteColor(Renderer& r, int index) {
  // A strength of 0 from the settings becomes 255 at the first lookup of
  // any colour, so that it is saved corrected even by a black-only figure.
  if (r.settings.colorStrength == 0) r.settings.colorStrength = 255;
  if (index == 0) return r.view.backColor;
  if (index >= 1 && index <= 6) {
    int s = std::clamp<int>(r.settings.colorStrength, 0, 255);
    int red = (index == 1 || index == 3 || index == 5) ? s : 0;
    int green = (index == 2 || index == 3 || index == 6) ? s : 0;
    int blue = (index == 4 || index == 5 || index == 6) ? s : 0;
    return MakeRgb(red, green, blue);
  }
  if (index == 7) return kBlack;
  if (index >= 8 && index <= 15) return kConsoleColors[index - 8];
  r.engine.shell->ShowMessage(std::to_string(index));
  return kBlack;
}

void MarkDraggableLines(Figure& fig) {
  int lines = ClassCount(fig, kLineClass);
  for (int i = 1; i <= lines; ++i) fig.Lines[i].endsDraggable = kFalse;
  int points = ClassCount(fig, kPointClass);
  int steps = std::min<int>(fig.StepCount, fig.StepKind.UpperBound());
  for (int s = 1; s <= steps; ++s) {
    if (TrimRight(fig.StepKind[s]) != "L1") continue;
    const StepSlots& in = fig.StepInputs[s];
    ObjectRef out = fig.StepOutputs[s][1];
    bool pointsOk = in[1].ObjectClassCode() == kPointClass &&
                    in[2].ObjectClassCode() == kPointClass && in[1].index >= 1 &&
                    in[1].index <= points && in[2].index >= 1 && in[2].index <= points;
    if (!pointsOk || out.ObjectClassCode() != kLineClass || out.index < 1 || out.index > lines) {
      continue;
    }
    if (fig.Points[in[1].index].independent != -1 || fig.Points[in[2].index].independent != -1) {
      continue;
    }
    LineRecord& line = fig.Lines[out.index];
    line.endsDraggable = kTrue;
    line.endPoint1 = in[1].index;
    line.endPoint2 = in[2].index;
  }
}

void Redraw(Renderer& r) {
  Canvas& c = r.canvas;
  c.SetSmooth(r.settings.smooth);
  c.SetFont(DrawingFont(r.settings));
  c.Clear(r.view.backColor);  // every layer; the base layer is current
  r.angleMarks.count = 0;
  r.moving.Clear();
  r.overlay.clear();
  DrawGridLayer(r);
  FullUpdateCompute(r.fig, r.engine);
  DrawMeasuredAngles(r);
  if (r.state.draggableHints && r.hooks.markDraggableCandidates) {
    r.hooks.markDraggableCandidates();
  }
  MarkDraggableLines(r.fig);
  if (r.hooks.drawLocusTraces) {
    LayerScope trace(c, Layer::kTrace);
    r.hooks.drawLocusTraces();
  }
  DrawFigure(r);
  DrawNumberDisplay(r);
}

void DrawScene(Renderer& r, const std::function<void()>& drawTraces) {
  Canvas& c = r.canvas;
  c.SetSmooth(r.settings.smooth);
  c.SetFont(DrawingFont(r.settings));
  c.Clear(r.view.backColor);
  DrawGridLayer(r);
  DrawMeasuredAngles(r);
  if (drawTraces) {
    LayerScope trace(c, Layer::kTrace);
    drawTraces();
  }
  DrawFigure(r);
  DrawNumberDisplay(r);
  DrawOverlay(r);
}

void DrawGridLayer(Renderer& r) {
  r.canvas.ClearLayer(Layer::kGrid);
  LayerScope grid(r.canvas, Layer::kGrid);
  DrawAxis(r.view, r.canvas);
}

bool IsFixedObject(const Renderer& r, ObjectRef ref) { return !r.moving.Contains(ref); }

void BeginDeformationLayers(Renderer& r, const std::vector<ObjectRef>& moved) {
  Canvas& c = r.canvas;
  r.moving = FindDependents(r.fig, moved);
  c.ClearLayer(Layer::kBase);
  c.ClearLayer(Layer::kLive);
  {
    LayerScope base(c, Layer::kBase);
    // Hidden objects (colour 0) draw nothing by themselves.
    DrawFigureWhere(r, [&](ObjectRef ref) { return IsFixedObject(r, ref); });
    // The marks of the steps that do not move are not drawn again by the
    // steps' recomputation, which skips those steps.
    for (int i = 1; i <= r.angleMarks.count; ++i) {
      const AngleMark& mark = r.angleMarks.entries[i];
      int step = mark.step;
      bool fixed = step >= 1 && step <= r.fig.StepCount && step <= r.fig.StepStatus.UpperBound() &&
                   r.fig.StepStatus[step] == kLevelFixed;
      if (fixed) DrawAngleMarkEntry(r, mark);
    }
  }
  c.SetLayer(Layer::kLive);
}

void StartDeformationStep(Renderer& r) {
  r.canvas.ClearLayer(Layer::kLive);
  r.canvas.SetLayer(Layer::kLive);
  EraseAngleMarks(r);
}

void FinishDeformationStep(Renderer& r) {
  LayerScope live(r.canvas, Layer::kLive);
  r.drawingStep = true;
  DrawMeasuredAngles(r);
  DrawFigureWhere(r, [&](ObjectRef ref) { return !IsFixedObject(r, ref); });
  r.drawingStep = false;
  DrawNumberDisplay(r);
}

void DrawFigure(Renderer& r) {
  Figure& fig = r.fig;
  for (int cls = kPointClass; cls <= kCircleClass; ++cls) {
    int count = ClassCount(fig, cls);
    std::vector<int16_t>& colors = r.colorTable[cls];
    colors.assign(static_cast<size_t>(count) + 1, 0);
    VisitTable(fig, cls,
               Overloaded{[](const Table<NumberRecord>&) {},
                          [&](const auto& table) {
                            for (int i = 1; i <= count; ++i) colors[i] = table[i].color;
                          }});
  }
  DrawFigureWhere(r, [&](ObjectRef ref) {
    return (ref.cls == kPointClass && fig.Points[ref.index].style >= 10) ||
           r.colorTable[ref.cls][ref.index] != 0;
  });
}

void DrawObject(Renderer& r, ObjectRef ref, int code) { DrawObjectFrom(r, ref, code, false); }

void DrawPrevObject(Renderer& r, ObjectRef ref, int code) { DrawObjectFrom(r, ref, code, true); }

void DrawObjectAs(Renderer& r, ObjectRef ref, int style, int color) {
  if (ref.index < 1) return;
  auto recolor = [color](auto& record) {
    if (color >= 0) record.color = static_cast<int16_t>(color);
  };
  VisitObject(r.fig, ref,
              Overloaded{[](const NumberRecord&) {},
                         [&](PointRecord p) {
                           if (style >= 0) p.style = static_cast<int16_t>(style);
                           recolor(p);
                           DrawPointMark(r, p);
                         },
                         [&](LineRecord l) {
                           recolor(l);
                           DrawLine(r, l);
                         },
                         [&](CircleRecord c) {
                           recolor(c);
                           DrawCircle(r, c);
                         }});
}

void DrawPointMark(Renderer& r, const PointRecord& p) {
  if (p.exists == 0 || !Finite(p.x, p.y)) return;
  if (std::abs(p.x) > kFarLimit || std::abs(p.y) > kFarLimit) return;
  bool pixelStyle = p.style >= 10 && p.style <= 17;
  // Colour 0 is the background: such a mark would only erase.
  if (p.color == 0 && !pixelStyle) return;
  Rgb color = PaletteColor(r, p.color);
  Pen pen = SolidPen(r, color);
  PixelPoint q = ToPixel(r.view, p.x, p.y);
  // The mark's half size in pixels.
  double m = (r.settings.pictureMode != 0 ? 3 : 5) * DisplayScale(r.settings);
  Canvas& c = r.canvas;
  switch (p.style) {
    case 0:
      c.DrawPixel(q.x, q.y, color);
      return;
    case 1:
      c.DrawLine(q.x - m, q.y - m, q.x + m, q.y + m, pen);
      c.DrawLine(q.x - m, q.y + m, q.x + m, q.y - m, pen);
      return;
    case 2:
      c.DrawCircle(q.x, q.y, m - 1, pen);
      return;
    case 3:
      c.DrawPolygon(
          {{q.x - m, q.y - m}, {q.x + m, q.y - m}, {q.x + m, q.y + m}, {q.x - m, q.y + m}}, pen);
      return;
    case 4:
      c.FillRect(q.x - m, q.y - m, q.x + m, q.y + m, color);
      return;
    case 5:
      c.DrawPolygon({{q.x, q.y - m}, {q.x - m, q.y + m}, {q.x + m, q.y + m}}, pen);
      return;
    case 20:
      c.DrawCircle(q.x, q.y, m / 2, pen);
      c.DrawCircle(q.x, q.y, m, pen);
      return;
    case 21:
      c.DrawCircle(q.x, q.y, m / 2, pen);
      return;
    case 22:
      c.DrawCircle(q.x, q.y, m, pen);
      c.DrawLine(q.x, q.y - m, q.x, q.y + m, pen);
      c.DrawLine(q.x - m, q.y, q.x + m, q.y, pen);
      return;
    case 23:
      c.DrawCircle(q.x, q.y, m, pen);
      c.DrawLine(q.x - m, q.y, q.x + m, q.y, pen);
      return;
    case 30: {
      Pen inner = SolidPen(r, kHoverGreen);
      Pen outer = SolidPen(r, kBlack);
      c.DrawCircle(q.x, q.y, m / 5, inner);
      c.DrawCircle(q.x, q.y, 2 * m / 5, inner);
      c.DrawCircle(q.x, q.y, 3 * m / 5, outer);
      return;
    }
    default:
      if (pixelStyle) {
        int k = PixelStyleColor(p.color, p.style);
        if (k != 0) c.DrawPixel(q.x, q.y, PaletteColor(r, k));
      }
      return;
  }
}

void DrawLine(Renderer& r, const LineRecord& l) {
  if (l.exists == 0 || l.color == 0) return;
  if (!Finite(l.x1, l.y1) || !Finite(l.x2, l.y2) || !Finite(l.dx, l.dy)) return;
  Pen pen = ShapePen(r, l.color);
  // A panned view lies that much farther out.
  double reach =
      kLineReachFactor * r.view.ViewHalfWidth + std::hypot(r.view.centerX, r.view.centerY);
  double ex = reach * l.dx, ey = reach * l.dy;
  switch (l.lineKind) {
    case 0:
      Segment(r, l.x1 - ex, l.y1 - ey, l.x1 + ex, l.y1 + ey, pen);
      break;
    case 1:
    case 4:
    case 5:
    case 6:
      Segment(r, l.x1, l.y1, l.x2, l.y2, pen);
      break;
    case 2:
    case 7:
      Segment(r, l.x1, l.y1, l.x1 + ex, l.y1 + ey, pen);
      break;
    case 3:
      Segment(r, l.x2 - ex, l.y2 - ey, l.x2, l.y2, pen);
      break;
    default:
      return;
  }
  if (l.lineKind == 4 || l.lineKind == 6 || l.lineKind == 7) {
    Arrowhead(r, l.x1, l.y1, l.x2, l.y2, pen);
  }
  if (l.lineKind == 5 || l.lineKind == 6) Arrowhead(r, l.x2, l.y2, l.x1, l.y1, pen);
}

void DrawCircle(Renderer& r, const CircleRecord& c) {
  if (c.exists == 0 || c.color == 0 || !Finite(c.cx, c.cy) || !std::isfinite(c.radius)) return;
  if (c.radius > kFarLimit || c.radius < 0) return;
  PixelPoint o = ToPixel(r.view, c.cx, c.cy);
  double radius = c.radius / r.view.ViewScale;
  double w = r.view.widthPixels, h = r.view.heightPixels;
  // Skip circles that cannot touch the canvas: outside it, or around it.
  // A thick pen reaches half its width beyond the outline either way.
  double reach = PenPixels(r.settings, r.settings.penWidth) + 1;
  if (o.x + radius < -reach || o.x - radius > w - 1 + reach || o.y + radius < -reach ||
      o.y - radius > h - 1 + reach) {
    return;
  }
  double farX = std::max(std::abs(o.x), std::abs(w - 1 - o.x));
  double farY = std::max(std::abs(o.y), std::abs(h - 1 - o.y));
  if (std::hypot(farX, farY) + reach < radius) return;
  r.canvas.DrawCircle(o.x, o.y, radius, ShapePen(r, c.color));
}

void DrawPointLabel(Renderer& r, ObjectRef ref, int labelCode, int source) {
  Figure& fig = r.fig;
  int i = ref.index;
  if (ref.ObjectClassCode() != kPointClass || i < 1 || i > fig.Points.UpperBound()) return;
  bool hidden = r.drawingStep ? r.state.movingLabelsHidden : r.state.labelsHidden;
  if (labelCode != 0 && hidden) return;
  // The background colour would only erase.
  if (labelCode == 0 || labelCode >= 8) return;
  Rgb color = PaletteColor(r, labelCode);
  const PointRecord& current = fig.Points[i];
  const PointRecord& previous = i <= fig.PrevPoints.UpperBound() ? fig.PrevPoints[i] : current;
  const PointRecord& p = source == kPreviousTables ? previous : current;
  if (p.exists == 0 || !Finite(current.x, current.y) || !Finite(previous.x, previous.y)) return;
  if (!IsVisible(r.view, current.x, current.y) || !IsVisible(r.view, previous.x, previous.y)) {
    return;
  }
  double offset = Pixels(r.view, LabelOffsetPixels(r.settings));
  double left = p.x + offset;
  double top = p.y + Pixels(r.view, FontPixels(r.settings)) + offset;
  if (!IsVisible(r.view, left, top)) return;
  PixelPoint corner = ToPixel(r.view, left, top);
  r.canvas.DrawText(corner.x, corner.y, TrimRight(p.name), color);
}

namespace {

struct PixelBox {
  double left, top, right, bottom;
};

PixelBox LabelBox(Renderer& r, const PointRecord& p) {
  double offset = LabelOffsetPixels(r.settings);
  PixelPoint at = ToPixel(r.view, p.x, p.y);
  double left = at.x + offset;
  double top = at.y - offset - FontPixels(r.settings);
  return {left, top, left + r.canvas.TextWidth(TrimRight(p.name)), top + FontPixels(r.settings)};
}

}  // namespace

bool LabelCoversAnother(Renderer& r, int point) {
  Figure& fig = r.fig;
  if (point < 1 || point > ClassCount(fig, kPointClass)) return false;
  PixelBox mine = LabelBox(r, fig.Points[point]);
  for (int i = 1; i <= ClassCount(fig, kPointClass); ++i) {
    const PointRecord& other = fig.Points[i];
    if (i == point || other.exists == 0 || other.color == 0 || TrimRight(other.name).empty()) {
      continue;
    }
    PixelBox box = LabelBox(r, other);
    bool apart = box.right <= mine.left || mine.right <= box.left || box.bottom <= mine.top ||
                 mine.bottom <= box.top;
    if (!apart) return true;
  }
  return false;
}

void DrawAngleMark(Renderer& r, double vx, double vy, double px, double py, double angle,
                   int step) {
  if (!r.settings.angleMarksOn) return;
  if (!Finite(vx, vy) || !Finite(px, py) || !std::isfinite(angle)) return;
  double arm = std::hypot(px - vx, py - vy);
  if (!(arm > 0)) return;  // no direction to measure from
  double radius =
      Pixels(r.view, (r.settings.statusBarHidden ? kAngleArcPixelsCompact : kAngleArcPixels) *
                         DisplayScale(r.settings));
  AngleMark mark;
  mark.step = static_cast<int16_t>(step);
  if (std::abs(std::abs(angle) - 90) < 0.01) {
    double ux = (px - vx) / arm, uy = (py - vy) / arm;
    double turn = angle * kPi / 180;
    mark.rightAngle = true;
    mark.ax = vx + radius * ux;
    mark.ay = vy + radius * uy;
    mark.bx = vx + radius * (ux * std::cos(turn) - uy * std::sin(turn));
    mark.by = vy + radius * (ux * std::sin(turn) + uy * std::cos(turn));
    mark.cx = mark.ax + mark.bx - vx;
    mark.cy = mark.ay + mark.by - vy;
    mark.color = 1;
    DrawAngleMarkEntry(r, mark);
    RecordAngleMark(r, mark);
    return;
  }
  double theta = std::atan2(py - vy, px - vx);
  double turn = angle * kPi / 180;
  double start = angle >= 0 ? theta : theta + turn;
  double end = angle >= 0 ? theta + turn : theta;
  mark.start = ReduceAngle(start);
  mark.end = ReduceAngle(end);
  if (std::abs(mark.end - mark.start) < kMinAngleArc) return;
  mark.vx = vx;
  mark.vy = vy;
  mark.radius = radius;
  mark.color = static_cast<int16_t>(AngleArcColor(angle));
  DrawAngleMarkEntry(r, mark);
  RecordAngleMark(r, mark);
}

void EraseAngleMarks(Renderer& r) { r.angleMarks.count = 0; }

PixelPoint NumberLinePosition(const Renderer& r, int k, int n) {
  double margin = ListMarginPixels(r.settings);
  double height = 1.2 * FontPixels(r.settings);
  double top = ViewBottom(r.view) + Pixels(r.view, margin + (n - k + 1) * height);
  return ToPixel(r.view, ViewLeft(r.view), top);
}

void ZoomDefaultCommand(Renderer& r) {
  ZoomDefault(r.view);
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  Redraw(r);
}

void ZoomInCommand(Renderer& r) {
  ZoomIn(r.view, *r.engine.shell, r.engine.translate);
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  Redraw(r);
}

void ZoomOutCommand(Renderer& r) {
  ZoomOut(r.view);
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  Redraw(r);
}

void ZoomComplexCommand(Renderer& r) {
  ZoomDefault(r.view);
  ZoomIn(r.view, *r.engine.shell, r.engine.translate);
  ZoomIn(r.view, *r.engine.shell, r.engine.translate);
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  Redraw(r);
  r.view.axisOn = false;
  ToggleAxisCommand(r);
}

void RedrawView(Renderer& r) {
  // Nothing was computed: no row of recorded values.
  std::function<void()> afterList = std::move(r.hooks.afterNumberList);
  r.hooks.afterNumberList = nullptr;
  DrawScene(r, r.hooks.drawLocusTraces);
  r.hooks.afterNumberList = std::move(afterList);
}

bool ZoomAboutCommand(Renderer& r, double px, double py, double factor) {
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  if (!ZoomAbout(r.view, px, py, factor)) return false;
  RedrawView(r);
  return true;
}

void PanCommand(Renderer& r, double dx, double dy) {
  if (dx == 0 && dy == 0) return;
  PanBy(r.view, dx, dy);
  RedrawView(r);
}

FigureBox DrawnExtent(const Figure& fig) {
  FigureBox box;
  auto near = [](double x, double y) {
    return std::abs(x) <= kFarLimit && std::abs(y) <= kFarLimit;
  };
  for (int i = 1; i <= ClassCount(fig, kPointClass); ++i) {
    const PointRecord& p = fig.Points[i];
    if (p.exists != 0 && (p.color != 0 || p.style >= 10) && near(p.x, p.y)) box.Include(p.x, p.y);
  }
  for (int i = 1; i <= ClassCount(fig, kLineClass); ++i) {
    const LineRecord& l = fig.Lines[i];
    if (l.exists == 0 || l.color == 0) continue;
    if (near(l.x1, l.y1)) box.Include(l.x1, l.y1);
    if (near(l.x2, l.y2)) box.Include(l.x2, l.y2);
  }
  for (int i = 1; i <= ClassCount(fig, kCircleClass); ++i) {
    const CircleRecord& c = fig.Circles[i];
    if (c.exists == 0 || c.color == 0 || !(c.radius <= kFarLimit) || !near(c.cx, c.cy)) continue;
    box.Include(c.cx - c.radius, c.cy - c.radius);
    box.Include(c.cx + c.radius, c.cy + c.radius);
  }
  return box;
}

void ZoomFitCommand(Renderer& r) {
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  FigureBox box = DrawnExtent(r.fig);
  if (box.empty) {
    ZoomDefault(r.view);
  } else {
    // Room for the labels right of and above the points, and for the
    // number list at the bottom.
    double label = 3 * FontPixels(r.settings) + LabelOffsetPixels(r.settings);
    double listed = static_cast<double>(NormalListNumbers(r.fig).size());
    double list = ListMarginPixels(r.settings) + listed * 1.2 * FontPixels(r.settings);
    FitBox(r.view, box, label, std::max(label, list));
  }
  SetScreen(r.view, r.canvas.Width(), r.canvas.Height());
  RedrawView(r);
}

void ToggleAxisCommand(Renderer& r) {
  r.view.axisOn = !r.view.axisOn;
  DrawGridLayer(r);
}

void SetAxisKindCommand(Renderer& r, int16_t kind) {
  r.view.AxisKind = kind;
  r.view.axisOn = true;
  DrawGridLayer(r);
}

void SetAxisColorCommand(Renderer& r, Rgb color) {
  r.view.axisColor = color;
  r.view.axisColorInitialised = true;
  DrawGridLayer(r);
}

void SetBackgroundCommand(Renderer& r, Rgb color) {
  r.view.backColor = color;
  Redraw(r);
}

void ToggleLabels(DisplaySettings& settings) {
  // Stored as a 16-bit truth value; normalised so that a 1 from a settings
  // file still toggles.
  settings.notChrDisp = settings.notChrDisp != 0 ? kFalse : kTrue;
}

void ToggleAngleMarksCommand(Renderer& r) {
  r.settings.angleMarksOn = !r.settings.angleMarksOn;
  Redraw(r);
}

}  // namespace sakuzu
