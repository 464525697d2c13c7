// The viewer's entry points for the page, and the page's drawing and text
// measuring for the canvas (viewer_page.js defines Module.sakuzuDrawLayer
// and Module.sakuzuMeasureText).
#include <emscripten/emscripten.h>

#include <memory>
#include <string>

#include "web/viewer.h"

namespace {

// clang-format off
EM_JS(void, PageDrawLayer, (int layer, int cleared, const double* ops, int count, int background), {
  Module.sakuzuDrawLayer(layer, cleared, ops, count, background);
});
EM_JS(double, PageMeasureText, (const char* font, const char* text), {
  return Module.sakuzuMeasureText(UTF8ToString(font), UTF8ToString(text));
});
// clang-format on

void DrawLayer(int layer, bool cleared, const double* ops, int count, int background) {
  PageDrawLayer(layer, cleared ? 1 : 0, ops, count, background);
}

std::unique_ptr<sakuzu::Viewer> viewer;
std::string reply;

}  // namespace

extern "C" {

// Opens the figure in a drawing area of width x height logical pixels;
// 1 when it opened, 0 when it was refused (sakuzu_state has the message).
EMSCRIPTEN_KEEPALIVE int sakuzu_open(const char* name, const char* bytes, int length, int width,
                                     int height, int english) {
  viewer = std::make_unique<sakuzu::Viewer>(width, height,
                                            sakuzu::WebCanvas::Page{&DrawLayer, &PageMeasureText});
  return viewer->Open(name, std::string(bytes, static_cast<size_t>(length)), english != 0) ? 1 : 0;
}

// event: 0 down, 1 move, 2 up, 3 cancel; held: the button is down.
EMSCRIPTEN_KEEPALIVE void sakuzu_pointer(int event, double x, double y, int held) {
  if (viewer) viewer->Pointer(static_cast<sakuzu::PointerEvent>(event), x, y, held != 0);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_repaint() {
  if (viewer) viewer->Repaint();
}

EMSCRIPTEN_KEEPALIVE int sakuzu_dragging() { return viewer && viewer->Dragging() ? 1 : 0; }

// The state as JSON; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* sakuzu_state() {
  reply = viewer ? viewer->StateJson() : std::string("{\"ok\":false}");
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_digest() {
  reply = viewer ? viewer->Digest() : std::string();
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE void sakuzu_scripted_drag() {
  if (viewer) viewer->ScriptedDrag();
}

}  // extern "C"
