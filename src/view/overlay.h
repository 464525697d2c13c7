// Transient marks over the figure: the hover highlight, the current
// candidate of a selection, the inputs a construction has taken, the hints
// where dragging is possible, a point being placed, text the program
// prints on the drawing. They live on the overlay layer of the canvas, so
// a mark that goes away leaves the figure beneath it whole. The full
// redraw empties the list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

struct Renderer;

enum class MarkTag : uint8_t {
  kHover,      // the draggable object under the mouse
  kCandidate,  // the current candidate of a selection
  kPicked,     // an input a construction has taken
  kHint,       // a point that can be dragged
  kChosen,     // a point chosen for moving several points
  kPending,    // a new point being placed
  kText,       // text printed on the drawing
  kScribble,   // a free-hand stroke from (x, y) to (x2, y2)
};

struct OverlayMark {
  MarkTag tag = MarkTag::kHover;
  ObjectRef ref;
  int style = -1;         // the point style to draw with, -1 its own
  int color = -1;         // the palette colour to draw with, -1 its own
  int labelCode = -1;     // a point's label in this palette colour, -1 none
  bool wide = false;      // one pixel wider than the figure's pen
  std::string text;       // kText: the text, its top-left corner at (x, y)
  double x = 0, y = 0;    // figure coordinates
  double x2 = 0, y2 = 0;  // kScribble: the stroke's end
};

// A mark of an object drawn with a style, colour and label (-1: its own
// style and colour, no label), with a pen one pixel wider when `wide`.
OverlayMark ObjectMark(MarkTag tag, ObjectRef ref, int style = -1, int color = -1,
                       int labelCode = -1, bool wide = false);

// Adds a mark and draws it on the overlay.
void ShowMark(Renderer& r, const OverlayMark& mark);
// Removes the marks with this tag (of this object, unless `ref` is empty)
// and draws the overlay anew.
void RemoveMarks(Renderer& r, MarkTag tag, ObjectRef ref = {});
// True when a mark with this tag is shown for the object.
bool HasMark(const Renderer& r, MarkTag tag, ObjectRef ref);
// The object of the first mark with this tag, or an empty reference.
ObjectRef MarkedObject(const Renderer& r, MarkTag tag);
// Draws the overlay layer anew from the list.
void DrawOverlay(Renderer& r);

}  // namespace sakuzu
