// Draws the figure on the canvas: the full redraw, one object with a colour
// code, point marks, line parts with arrowheads, circles, point labels, the
// palette and the angle marks. The full redraw empties every layer of the
// canvas and draws everything anew on the base layer; a deformation keeps
// what does not move on the base layer and draws what moves on the live
// layer (see BeginDeformationLayers). Nothing is erased by drawing it again
// in the background colour: the erase codes draw nothing, and a picture goes
// away with the layer it was drawn on.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/engine.h"
#include "model/figure.h"
#include "view/canvas.h"
#include "view/dependents.h"
#include "view/overlay.h"
#include "view/view_mapping.h"

namespace sakuzu {

// Display settings, each restored from the settings file under its key.
struct DisplaySettings {
  int16_t colorStrength = 255;   // "ColorStrength": 1 to 255; 0 reads as 255
  int16_t notChrDisp = 0;        // non-zero hides point labels (see DrawState)
  int penWidth = 1;              // "ZKwin.DrawWidth": 1 to 10 pixels
  CanvasFont font;               // "ZKwin.FontName", "ZKwin.FontSize" (points, used as pixels)
  int replayInterval = 500;      // "ZKwin_Redraw_Slow", milliseconds
  bool angleMarksOn = false;     // mnuAngleSW; not stored
  int16_t decimals = 2;          // "KetaDecimal", places of the listed values
  int16_t pictureMode = 0;       // not 0: smaller point marks
  bool statusBarHidden = false;  // smaller label offsets, angle marks and list margin
  bool smooth = true;            // "ZKwin_Smooth": antialiased drawing
  int16_t displaySize = 0;       // "ZKwin_DisplaySize": 0 標準, 1 大, 2 特大
};

// "表示の大きさ": point marks, pens, labels and the number list grow
// together by one factor, so that a projected figure reads from the back
// of a room. 特大 on a 1280 x 720 projector gives labels of 22 pixels,
// about the 1/32 of the picture's height that slides use for the smallest
// text, and 3-pixel lines.
constexpr double kDisplayScales[] = {1, 1.5, 2.5};
double DisplayScale(const DisplaySettings& settings);
// The label font as drawn, and its height in pixels.
CanvasFont DrawingFont(const DisplaySettings& settings);
double FontPixels(const DisplaySettings& settings);
// A pen of `width` as drawn.
int PenPixels(const DisplaySettings& settings, int width);
// Where labels stand off their points, and the number list's bottom margin.
double LabelOffsetPixels(const DisplaySettings& settings);
double ListMarginPixels(const DisplaySettings& settings);

// Colour codes of DrawObject.
constexpr int kDrawOwnColor = 0;     // 1 to 7: own colour, or this one if it has none
constexpr int kDrawLocusColor = 10;  // 10 to 19: the locus colour, on the trace layer
constexpr int kDrawErase = 20;       // draws nothing; 21 to 27: palette colour 1 to 7
constexpr int kDrawRed = 21;

// Sources of DrawPointLabel.
constexpr int kCurrentTables = 0;
constexpr int kPreviousTables = 2;

constexpr int kAngleMarkCapacity = 200;

// A drawn angle mark, kept so that a deformation can keep the marks of the
// steps that do not move. Figure coordinates.
struct AngleMark {
  int16_t step = 0;   // the step whose computation drew it
  int16_t color = 7;  // palette index
  bool rightAngle = false;
  double ax = 0, ay = 0, cx = 0, cy = 0, bx = 0, by = 0;  // right angle: A-C-B
  double vx = 0, vy = 0, radius = 0, start = 0, end = 0;  // arc around V
};

struct AngleMarkList {
  std::array<AngleMark, kAngleMarkCapacity + 1> entries{};  // 1-based
  int16_t count = 0;
};

// What the picture shows besides the figure, decided by the session from
// the interaction's state, so that the renderer never reads the mode stack.
struct DrawState {
  // Point labels are left out at rest (the labels switch is off and the
  // standard or deformation mode is on) and in each deformation step (the
  // switch is off).
  bool labelsHidden = false;
  bool movingLabelsHidden = false;
  // The full redraw shows where dragging is possible (standard mode).
  bool draggableHints = false;
};

// Work that the interaction adds to the redraw; an empty hook does nothing.
struct RenderHooks {
  // Redraw with draggable hints: rebuild the draggable candidates (and, in
  // the simple menu, mark them all with the hover mark).
  std::function<void()> markDraggableCandidates;
  // Redraw: draw the stored locus traces (on the trace layer), before the figure.
  std::function<void()> drawLocusTraces;
  // While a free number is varied: draw the variation form of the number
  // list and return true; false lets the normal form draw.
  std::function<bool()> drawNumberVariation;
  // After the normal number list: the locus recording appends a row while
  // its switch is on.
  std::function<void()> afterNumberList;
};

// Everything a drawing call reads or writes. The session owns one; the
// engine is the one the recomputation runs with. Drawing goes to `target`
// through `canvas`, which notes the layers drawn.
struct Renderer {
  Renderer(Figure& figure, Canvas& target, ViewState& viewState, DisplaySettings& display,
           Engine& computation)
      : fig(figure), canvas(target), view(viewState), settings(display), engine(computation) {}
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  Figure& fig;
  LayerTracker canvas;
  ViewState& view;
  DisplaySettings& settings;
  Engine& engine;
  DrawState state{};
  RenderHooks hooks{};
  AngleMarkList angleMarks{};
  // Every object's colour at the last full redraw, by class 1 to 3.
  std::array<std::vector<int16_t>, 4> colorTable{};
  // What moves in the current deformation (drawn on the live layer).
  DependentSet moving{};
  // The marks on the overlay layer.
  std::vector<OverlayMark> overlay{};
  // True while a deformation step draws what moves.
  bool drawingStep = false;
};

// The screen colour of a palette index (0 = background, 1 to 6 with the
// colour strength, 7 black, 8 to 15 the console colours). Any other index
// shows a message with the number and gives black.
Rgb PaletteColor(Renderer& r, int index);

// The full update: clear, axes, recomputation, previous-state copy,
// draggable lines, traces, figure, number list.
void Redraw(Renderer& r);
// Every visible object on the current layer: points first, lines and
// circles over them, and the points with a pixel style (10 and above) last.
void DrawFigure(Renderer& r);
// What the full redraw shows, drawn anew from the tables as they are (no
// recomputation): grid, angle marks, traces (`drawTraces`, on the trace
// layer), figure, number list, and the overlay's marks. For pictures of the
// drawing on another surface.
void DrawScene(Renderer& r, const std::function<void()>& drawTraces);

// A deformation's layers. Begin after the dependency analysis with the
// moved objects: what can move is everything built on them; the base
// layer is drawn anew with every other object and with the angle marks of
// the steps the recomputation skips, the live layer is emptied. Each step
// then starts (the live layer emptied and made current, the angle-mark
// list forgotten: the recomputation draws its marks on the live layer
// again), is recomputed, and finishes (every object that can move drawn on
// the live layer, the number list drawn again). The full redraw at the end
// of the deformation puts everything back on the base layer.
void BeginDeformationLayers(Renderer& r, const std::vector<ObjectRef>& moved);
void StartDeformationStep(Renderer& r);
void FinishDeformationStep(Renderer& r);
// True when the object does not move in the current deformation.
bool IsFixedObject(const Renderer& r, ObjectRef ref);

// The grid layer drawn anew: the grid and axes when the switch is on.
void DrawGridLayer(Renderer& r);
// Sets endsDraggable (and the two end points) of every "L1" line through
// two free points, and clears it on every other line.
void MarkDraggableLines(Figure& fig);

// One object from the current (or previous-state) tables with a colour code.
void DrawObject(Renderer& r, ObjectRef ref, int code);
void DrawPrevObject(Renderer& r, ObjectRef ref, int code);
// One object with its point style and colour replaced where not negative.
void DrawObjectAs(Renderer& r, ObjectRef ref, int style, int color);

// One record as it stands (no hiding rule).
void DrawPointMark(Renderer& r, const PointRecord& p);
void DrawLine(Renderer& r, const LineRecord& l);
void DrawCircle(Renderer& r, const CircleRecord& c);

// A point's name next to it: labelCode is the palette colour (8 and above
// the background colour); source kCurrentTables or kPreviousTables.
void DrawPointLabel(Renderer& r, ObjectRef ref, int labelCode, int source);

// True when the label of point `point` would lie over the label of
// another point that shows one (the pending new point under the pointer,
// right where the last one was placed).
bool LabelCoversAnother(Renderer& r, int point);

// The angle mark at vertex V from the arm through P, `angle` degrees
// (signed), when angle marks are on: a right-angle mark, or an arc coloured
// by the size of the angle, on the current layer, kept as the mark of
// `step`. The full redraw and each deformation step draw the marks of the
// angles their recomputation measured (Engine::angleMarks).
void DrawAngleMark(Renderer& r, double vx, double vy, double px, double py, double angle,
                   int step = 0);
// Empties the list of drawn marks. The pictures go with their layer.
void EraseAngleMarks(Renderer& r);

// The top-left corner (pixels) of line k of n lines of the number list at
// the lower left of the drawing area; the first line is highest.
PixelPoint NumberLinePosition(const Renderer& r, int k, int n);

// View commands; each ends with SetScreen and the full redraw.
void ZoomDefaultCommand(Renderer& r);
void ZoomInCommand(Renderer& r);
void ZoomOutCommand(Renderer& r);
// Standard scale zoomed in twice, and the grid always shown.
void ZoomComplexCommand(Renderer& r);
// The view changed by the mouse: zoomed by `factor` about the pixel
// (px, py), or moved by (dx, dy) pixels. Drawn anew without recomputing
// (nothing moved in the figure) and without a row of recorded values; the
// marks over the figure stay. False when the view could not change.
bool ZoomAboutCommand(Renderer& r, double px, double py, double factor);
void PanCommand(Renderer& r, double dx, double dy);
// "全体表示": every drawn object in view, above the number list; the
// standard view when nothing is drawn.
void ZoomFitCommand(Renderer& r);
// The box around every drawn object (the parts a line or circle draws
// near its points; nothing beyond the far limit of the drawing).
FigureBox DrawnExtent(const Figure& fig);
// The whole picture drawn anew from the tables as they stand.
void RedrawView(Renderer& r);
// Axis commands: the grid layer drawn anew, without a redraw of the figure.
void ToggleAxisCommand(Renderer& r);
void SetAxisKindCommand(Renderer& r, int16_t kind);
void SetAxisColorCommand(Renderer& r, Rgb color);
void SetBackgroundCommand(Renderer& r, Rgb color);

// Option commands.
void ToggleLabels(DisplaySettings& settings);  // "文字表示"; no redraw
void ToggleAngleMarksCommand(Renderer& r);     // then the full redraw

}  // namespace sakuzu
