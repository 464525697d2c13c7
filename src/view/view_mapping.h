// The view: a uniform scale with y pointing up, centred on a figure point
// (the origin until the view is panned). The menu zooms by factors of two
// about the centre; the wheel zooms about the pointer, a drag pans, and the
// fit shows every drawn object. The optional grid with axes is drawn here too.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/shell.h"
#include "view/canvas.h"

namespace sakuzu {

constexpr double kStandardScale = 0.05;  // figure units per pixel: 20 pixels per unit
constexpr double kMinScale = 0.0001;     // zooming in below this returns to the standard
constexpr std::string_view kZoomLimitMessage = "そろそろ限界ですので,元の画面に戻します";
constexpr Rgb kAxisColorLight = MakeRgb(170, 170, 170);
constexpr Rgb kAxisColorMedium = MakeRgb(128, 128, 128);
constexpr Rgb kAxisColorDark = MakeRgb(10, 10, 10);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);

constexpr int16_t kAxisRectangular = 0;  // "直交座標系"
constexpr int16_t kAxisPolar = 1;        // "極座標系"

struct ViewState {
  double ViewScale = kStandardScale;
  double ViewHalfWidth = 0, ViewHalfHeight = 0;
  int widthPixels = 0, heightPixels = 0;  // the drawing area at the last SetScreen
  // The figure point at the centre of the drawing area.
  double centerX = 0, centerY = 0;

  bool axisOn = false;  // "axissw"
  int16_t AxisKind = kAxisRectangular;
  Rgb axisColor = kAxisColorLight;
  // False until the axes are first drawn; a colour read from the settings
  // file should set it, or the first drawing replaces that colour.
  bool axisColorInitialised = false;
  Rgb backColor = kWhite;
};

struct FigurePoint {
  double x = 0, y = 0;
};

// Recomputes the half extents from the drawing area's size in pixels.
// A width or height below 1 counts as 1 (a minimised window).
void SetScreen(ViewState& view, int widthPixels, int heightPixels);

// Figure coordinates to pixel coordinates of the canvas (centre of the
// top-left pixel at (0, 0)) and back; pixel column c is x = c * scale - half width.
PixelPoint ToPixel(const ViewState& view, double x, double y);
FigurePoint ToFigure(const ViewState& view, double px, double py);

// A length in pixels as figure units.
inline double Pixels(const ViewState& view, double pixels) { return pixels * view.ViewScale; }

// The visible rectangle's edges in figure units.
inline double ViewLeft(const ViewState& v) { return v.centerX - v.ViewHalfWidth; }
inline double ViewRight(const ViewState& v) { return v.centerX + v.ViewHalfWidth; }
inline double ViewBottom(const ViewState& v) { return v.centerY - v.ViewHalfHeight; }
inline double ViewTop(const ViewState& v) { return v.centerY + v.ViewHalfHeight; }

// True when (x, y) lies in the visible rectangle.
bool IsVisible(const ViewState& view, double x, double y);

// The part of the pixel segment a-b inside the canvas enlarged by a margin,
// or nothing when the segment misses it (or is not finite). Keeps very long
// lines (rays, lines far out) within what a raster engine handles.
std::optional<std::pair<PixelPoint, PixelPoint>> ClipToCanvas(const ViewState& view, PixelPoint a,
                                                              PixelPoint b);

// Draws the figure segment (x1, y1)-(x2, y2) with clipping.
void DrawFigureSegment(Canvas& canvas, const ViewState& view, double x1, double y1, double x2,
                       double y2, const Pen& pen);

// Zoom: each changes ViewScale (the standard one also centres the origin
// again); the caller then runs SetScreen and the full redraw. ZoomIn
// returns false when it hit the limit (the message has been shown and the
// standard scale restored).
void ZoomDefault(ViewState& view);
bool ZoomIn(ViewState& view, Shell& shell,
            const std::function<std::string(const std::string&)>& translate);
void ZoomOut(ViewState& view);

// The largest scale (figure units per pixel) the wheel and the fit reach:
// beyond it the far-out limits of the drawing leave nothing to see.
constexpr double kMaxScale = 1000;
// Scales by `factor` (above 1 enlarges) about the pixel (px, py): the
// figure point under it stays under it. The scale stays within kMinScale
// and kMaxScale; false when it was at the limit already and nothing changed.
bool ZoomAbout(ViewState& view, double px, double py, double factor);
// Moves the picture by (dx, dy) pixels: the figure follows the pointer.
void PanBy(ViewState& view, double dx, double dy);

// An axis-parallel box in figure units.
struct FigureBox {
  double left = 0, bottom = 0, right = 0, top = 0;
  void Include(double x, double y);
  bool empty = true;
};
// Centres the box and scales it to fill the drawing area less `margin`
// pixels on every side (and `bottomMargin` at the bottom, where the number
// list stands). A box of no size keeps the scale and only centres it.
void FitBox(ViewState& view, const FigureBox& box, double margin, double bottomMargin);

// Draws the grid and axes in the axis colour when the axis switch is on
// (on the canvas's current layer; the renderer keeps them on the grid
// layer). The grid spacing is one figure unit at every zoom.
void DrawAxis(ViewState& view, Canvas& canvas);

}  // namespace sakuzu
