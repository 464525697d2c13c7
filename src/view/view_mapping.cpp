#include "view/view_mapping.h"

#include <algorithm>
#include <cmath>

namespace sakuzu {
namespace {

constexpr double kPi = 3.14159265358979;
// Lines are clipped to the canvas enlarged by this many pixels, so that
// thick pens and arrowheads at the edge still look whole.
constexpr double kClipMargin = 50;

// Liang-Barsky: narrows [t0, t1] to where p * t <= q holds.
bool ClipEdge(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  double t = q / p;
  if (p < 0) {
    if (t > t1) return false;
    t0 = std::max(t0, t);
  } else {
    if (t < t0) return false;
    t1 = std::min(t1, t);
  }
  return true;
}

// The view's centre stays this near the origin: nothing is drawn beyond
// 1000 units, and the grid's loops must keep whole steps of one unit.
constexpr double kMaxCentre = 1e5;

void KeepCentreNear(ViewState& view) {
  view.centerX = std::clamp(view.centerX, -kMaxCentre, kMaxCentre);
  view.centerY = std::clamp(view.centerY, -kMaxCentre, kMaxCentre);
}

// Once a figure unit is below a pixel, every pixel column holds a grid
// line; drawing one per column gives the same picture without millions
// of calls after many zoom-outs.
bool GridDenserThanPixels(const ViewState& view) { return view.ViewScale >= 1; }

void DrawRectangularGrid(const ViewState& view, Canvas& canvas, const Pen& dotted) {
  double left = ViewLeft(view), right = ViewRight(view);
  double bottom = ViewBottom(view), top = ViewTop(view);
  if (GridDenserThanPixels(view)) {
    for (int c = 0; c < view.widthPixels; ++c) {
      canvas.DrawLine(c, 0, c, view.heightPixels - 1, dotted);
    }
    for (int r = 0; r < view.heightPixels; ++r) {
      canvas.DrawLine(view.widthPixels - 1, r, 0, r, dotted);
    }
  } else {
    for (double x = std::ceil(left); x <= right; ++x) {
      DrawFigureSegment(canvas, view, x, top, x, bottom, dotted);
    }
    for (double y = std::ceil(bottom); y <= top; ++y) {
      DrawFigureSegment(canvas, view, right, y, left, y, dotted);
    }
  }
  Pen solid = dotted;
  solid.dotted = false;
  DrawFigureSegment(canvas, view, 0, top, 0, bottom, solid);
  DrawFigureSegment(canvas, view, right, 0, left, 0, solid);
}

void DrawPolarGrid(const ViewState& view, Canvas& canvas, const Pen& dotted) {
  PixelPoint o = ToPixel(view, 0, 0);
  // The circles that can cross the drawing area: up to its farthest corner.
  double far = std::hypot(std::abs(view.centerX) + view.ViewHalfWidth,
                          std::abs(view.centerY) + view.ViewHalfHeight);
  double near = std::max(0.0, std::hypot(view.centerX, view.centerY) -
                                  std::hypot(view.ViewHalfWidth, view.ViewHalfHeight));
  if (GridDenserThanPixels(view)) {
    int from = std::max(1, static_cast<int>(near / view.ViewScale));
    int to = std::min(static_cast<int>(far / view.ViewScale), from + 2 * view.widthPixels);
    for (int r = from; r <= to; ++r) canvas.DrawCircle(o.x, o.y, r, dotted);
  } else {
    int from = std::max(1, static_cast<int>(near));
    int n = static_cast<int>(std::max(2 * view.ViewHalfWidth, far));
    for (int r = from; r <= n; ++r) canvas.DrawCircle(o.x, o.y, r / view.ViewScale, dotted);
  }
  double vx = 3 * (view.ViewHalfWidth + std::hypot(view.centerX, view.centerY)), vy = 0;
  double c = std::cos(kPi / 6), s = std::sin(kPi / 6);
  for (int i = 0; i < 7; ++i) {
    DrawFigureSegment(canvas, view, -vx, -vy, vx, vy, dotted);
    double nx = vx * c - vy * s;
    vy = vx * s + vy * c;
    vx = nx;
  }
}

}  // namespace

void SetScreen(ViewState& view, int widthPixels, int heightPixels) {
  view.widthPixels = std::max(widthPixels, 1);
  view.heightPixels = std::max(heightPixels, 1);
  view.ViewHalfWidth = (view.widthPixels - 1) * view.ViewScale / 2;
  view.ViewHalfHeight = (view.heightPixels - 1) * view.ViewScale / 2;
}

PixelPoint ToPixel(const ViewState& view, double x, double y) {
  return {(x - view.centerX + view.ViewHalfWidth) / view.ViewScale,
          (view.ViewHalfHeight - (y - view.centerY)) / view.ViewScale};
}

FigurePoint ToFigure(const ViewState& view, double px, double py) {
  return {px * view.ViewScale - view.ViewHalfWidth + view.centerX,
          view.ViewHalfHeight - py * view.ViewScale + view.centerY};
}

bool IsVisible(const ViewState& view, double x, double y) {
  return std::abs(x - view.centerX) <= view.ViewHalfWidth &&
         std::abs(y - view.centerY) <= view.ViewHalfHeight;
}

std::optional<std::pair<PixelPoint, PixelPoint>> ClipToCanvas(const ViewState& view, PixelPoint a,
                                                              PixelPoint b) {
  if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
    return std::nullopt;
  }
  double left = -kClipMargin, top = -kClipMargin;
  double right = view.widthPixels - 1 + kClipMargin, bottom = view.heightPixels - 1 + kClipMargin;
  double dx = b.x - a.x, dy = b.y - a.y;
  double t0 = 0, t1 = 1;
  if (!ClipEdge(-dx, a.x - left, t0, t1) || !ClipEdge(dx, right - a.x, t0, t1) ||
      !ClipEdge(-dy, a.y - top, t0, t1) || !ClipEdge(dy, bottom - a.y, t0, t1)) {
    return std::nullopt;
  }
  PixelPoint from = t0 > 0 ? PixelPoint{a.x + t0 * dx, a.y + t0 * dy} : a;
  PixelPoint to = t1 < 1 ? PixelPoint{a.x + t1 * dx, a.y + t1 * dy} : b;
  return std::make_pair(from, to);
}

void DrawFigureSegment(Canvas& canvas, const ViewState& view, double x1, double y1, double x2,
                       double y2, const Pen& pen) {
  auto clipped = ClipToCanvas(view, ToPixel(view, x1, y1), ToPixel(view, x2, y2));
  if (!clipped) return;
  canvas.DrawLine(clipped->first.x, clipped->first.y, clipped->second.x, clipped->second.y, pen);
}

void ZoomDefault(ViewState& view) {
  view.ViewScale = kStandardScale;
  view.centerX = 0;
  view.centerY = 0;
}

bool ZoomIn(ViewState& view, Shell& shell,
            const std::function<std::string(const std::string&)>& translate) {
  view.ViewScale /= 2;
  if (view.ViewScale >= kMinScale) return true;
  std::string message(kZoomLimitMessage);
  shell.ShowMessage(translate ? translate(message) : message);
  view.ViewScale = kStandardScale;
  return false;
}

void ZoomOut(ViewState& view) { view.ViewScale *= 2; }

bool ZoomAbout(ViewState& view, double px, double py, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return false;
  double scale = std::clamp(view.ViewScale / factor, kMinScale, kMaxScale);
  if (scale == view.ViewScale) return false;
  FigurePoint under = ToFigure(view, px, py);
  view.ViewScale = scale;
  SetScreen(view, view.widthPixels, view.heightPixels);
  // The same pixel must show the same figure point at the new scale.
  FigurePoint moved = ToFigure(view, px, py);
  view.centerX += under.x - moved.x;
  view.centerY += under.y - moved.y;
  KeepCentreNear(view);
  return true;
}

void PanBy(ViewState& view, double dx, double dy) {
  view.centerX -= dx * view.ViewScale;
  view.centerY += dy * view.ViewScale;
  KeepCentreNear(view);
}

void FigureBox::Include(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty) {
    left = right = x;
    bottom = top = y;
    empty = false;
    return;
  }
  left = std::min(left, x);
  right = std::max(right, x);
  bottom = std::min(bottom, y);
  top = std::max(top, y);
}

void FitBox(ViewState& view, const FigureBox& box, double margin, double bottomMargin) {
  if (box.empty) return;
  double usableWidth = std::max(1.0, view.widthPixels - 1 - 2 * margin);
  double usableHeight = std::max(1.0, view.heightPixels - 1 - margin - bottomMargin);
  double width = box.right - box.left, height = box.top - box.bottom;
  if (width > 0 || height > 0) {
    double scale = std::max(width / usableWidth, height / usableHeight);
    view.ViewScale = std::clamp(scale, kMinScale, kMaxScale);
  }
  SetScreen(view, view.widthPixels, view.heightPixels);
  view.centerX = (box.left + box.right) / 2;
  // The box sits in the part above the list's margin.
  view.centerY = (box.bottom + box.top) / 2 - (bottomMargin - margin) / 2 * view.ViewScale;
  KeepCentreNear(view);
}

void DrawAxis(ViewState& view, Canvas& canvas) {
  if (!view.axisColorInitialised) {
    view.axisColor = kAxisColorLight;
    view.axisColorInitialised = true;
  }
  if (!view.axisOn) return;
  Pen dotted{view.axisColor, 1, true};
  if (view.AxisKind == kAxisPolar) {
    DrawPolarGrid(view, canvas, dotted);
  } else {
    DrawRectangularGrid(view, canvas, dotted);
  }
}

}  // namespace sakuzu
