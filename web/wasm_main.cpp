// The module's entry points for the pages: the lesson page's viewer
// (sakuzu_*) and the whole program (sakuzu_program_*), and the page's
// drawing, text measuring and dialogs for them (viewer_draw.js and the
// page scripts define Module.sakuzuDrawLayer, Module.sakuzuMeasureText and
// Module.sakuzuDialog).
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "web/program.h"
#include "web/viewer.h"

namespace {

// clang-format off
EM_JS(void, PageDrawLayer, (int layer, int cleared, const double* ops, int count, int background), {
  Module.sakuzuDrawLayer(layer, cleared, ops, count, background);
});
EM_JS(double, PageMeasureText, (const char* font, const char* text), {
  return Module.sakuzuMeasureText(UTF8ToString(font), UTF8ToString(text));
});
// The call waits (the module's stack is put aside) until the page's
// dialog answers.
EM_ASYNC_JS(char*, PageDialogAsync, (const char* json), {
  const answer = String(await Module.sakuzuDialog(UTF8ToString(json)));
  const size = lengthBytesUTF8(answer) + 1;
  const text = _malloc(size);
  stringToUTF8(answer, text, size);
  return text;
});
EM_JS(void, PageNotice, (const char* json), {
  Module.sakuzuNotice(UTF8ToString(json));
});
// clang-format on

void DrawLayer(int layer, bool cleared, const double* ops, int count, int background) {
  PageDrawLayer(layer, cleared ? 1 : 0, ops, count, background);
}

void Notice(const std::string& json) { PageNotice(json.c_str()); }

std::string PageDialog(const std::string& json) {
  char* answer = PageDialogAsync(json.c_str());
  std::string text = answer ? answer : "";
  std::free(answer);
  return text;
}

const sakuzu::WebCanvas::Page kPage{&DrawLayer, &PageMeasureText};

std::unique_ptr<sakuzu::Viewer> viewer;
std::unique_ptr<sakuzu::WebProgram> program;
std::string reply;

const char* Reply(std::string text) {
  reply = std::move(text);
  return reply.c_str();
}

}  // namespace

extern "C" {

// ------------------------------------------------------ the lesson page

// Opens the figure in a drawing area of width x height logical pixels;
// 1 when it opened, 0 when it was refused (sakuzu_state has the message).
EMSCRIPTEN_KEEPALIVE int sakuzu_open(const char* name, const char* bytes, int length, int width,
                                     int height, int english) {
  viewer = std::make_unique<sakuzu::Viewer>(width, height, kPage);
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
  return Reply(viewer ? viewer->StateJson() : std::string("{\"ok\":false}"));
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_digest() { return Reply(viewer ? viewer->Digest() : ""); }

EMSCRIPTEN_KEEPALIVE void sakuzu_scripted_drag() {
  if (viewer) viewer->ScriptedDrag();
}

// ---------------------------------------------------------- the program
// Calls that may ask the user (events, commands, files) are made with
// ccall's async option: they may wait for a dialog.

EMSCRIPTEN_KEEPALIVE void sakuzu_program_start(int width, int height) {
  program = std::make_unique<sakuzu::WebProgram>(width, height, kPage, &PageDialog, &Notice);
  program->Start();
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_resize(int width, int height) {
  if (program) program->Resize(width, height);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_repaint() {
  if (program) program->Repaint();
}

// kind: 0 press, 1 move, 2 release, 3 double click; button 0 left, 1 right, 2 middle.
EMSCRIPTEN_KEEPALIVE void sakuzu_program_pointer(int kind, double x, double y, int button, int held,
                                                 int shift, int ctrl) {
  if (program) program->Pointer(kind, x, y, button, held != 0, shift != 0, ctrl != 0);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_key(int code, int shift, int ctrl) {
  if (program) program->Key(code, shift != 0, ctrl != 0);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_wheel(double x, double y, double notches) {
  if (program) program->Wheel(x, y, notches);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_pinch(double x, double y, double factor) {
  if (program) program->Pinch(x, y, factor);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_command(const char* name) {
  if (program) program->Command(name);
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_tick() {
  if (program) program->Tick();
}

// kind: 0 open, 1 merge, 2 restore; 1 when the figure was taken.
EMSCRIPTEN_KEEPALIVE int sakuzu_program_file(int kind, const char* name, const char* bytes,
                                             int length) {
  if (!program) return 0;
  std::string data(bytes, static_cast<size_t>(length));
  bool taken = kind == 0   ? program->Open(name, data)
               : kind == 1 ? program->Merge(name, data)
                           : program->Restore(name, data);
  return taken ? 1 : 0;
}

// The figure file's bytes (sakuzu_program_reply_length says how many).
EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_figure() {
  return Reply(program ? program->FigureBytes() : "");
}

EMSCRIPTEN_KEEPALIVE int sakuzu_program_reply_length() { return static_cast<int>(reply.size()); }

EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_figure_name() {
  return Reply(program ? program->FigureName() : "");
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_mark_saved(const char* name) {
  if (program) program->MarkSaved(name);
}

EMSCRIPTEN_KEEPALIVE int sakuzu_program_modified() {
  return program && program->Modified() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_svg() {
  return Reply(program ? program->PictureSvg() : "");
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_folder_file(const char* name) {
  return Reply(program ? program->FolderFile(name) : "");
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_put_folder_file(const char* name, const char* bytes,
                                                         int length) {
  if (program) program->PutFolderFile(name, std::string(bytes, static_cast<size_t>(length)));
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_set_language(const char* setting) {
  if (program) program->SetLanguage(setting);
}

EMSCRIPTEN_KEEPALIVE int sakuzu_program_changed() {
  return program && program->StateChanged() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_state() {
  return Reply(program ? program->State() : "{}");
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_objects() {
  return Reply(program ? program->ObjectsJson() : "{}");
}

EMSCRIPTEN_KEEPALIVE const char* sakuzu_program_digest() {
  return Reply(program ? program->Digest() : "");
}

EMSCRIPTEN_KEEPALIVE void sakuzu_program_scripted_drag() {
  if (program) program->ScriptedDrag();
}

}  // extern "C"
