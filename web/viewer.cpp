#include "web/viewer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <utility>

#include "model/figure_digest.h"
#include "view/renderer.h"
#include "view/view_mapping.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

// A folder that holds no settings file: the viewer draws with the
// program's standard settings, whoever exported the page.
constexpr const char* kNoSettingsFolder = "/sakuzu-viewer";

void AppendJsonString(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  out += text;
}

}  // namespace

Viewer::Viewer(int width, int height, WebCanvas::Page page) : canvas_(width, height, page) {}

bool Viewer::Open(const std::string& name, const std::string& bytes, bool english) {
  message_.clear();
  // The figure reader reads files: the bytes become one in the page's
  // memory, under the file's own name, which the messages show.
  std::string title = FileTitle(name);
  if (title.empty() || title == "." || title == "..") title = "figure.zk4";
  std::error_code ec;
  fs::create_directories("/tmp", ec);
  std::string path = (fs::path("/tmp") / title).string();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  session_ = std::make_unique<Session>(canvas_, shell_, kNoSettingsFolder);
  FileOutcome outcome = session_->StartWithFigure(path, english ? "English" : "Japanese");
  fs::remove(path, ec);
  if (!outcome.ok) {
    message_ = outcome.message;
    session_.reset();
    canvas_.Clear(canvas_.Background());
    canvas_.Present();
    return false;
  }
  canvas_.Present();
  return true;
}

void Viewer::Pointer(PointerEvent event, double x, double y, bool held) {
  if (!session_) return;
  MouseInput input;
  input.px = x;
  input.py = y;
  Session& s = *session_;
  Update update;
  switch (event) {
    case PointerEvent::kDown:
      input.button = MouseButton::kLeft;
      input.leftHeld = true;
      update = s.MouseDown(input);
      break;
    case PointerEvent::kMove:
      input.leftHeld = held;
      update = s.MouseMove(input);
      break;
    case PointerEvent::kUp:
    case PointerEvent::kCancel:
      input.button = MouseButton::kLeft;
      update = s.MouseUp(input);
      break;
  }
  // One present a frame: the page takes moves once per frame.
  if (update.layers != 0) canvas_.Present();
}

void Viewer::Repaint() {
  canvas_.Repaint();
  canvas_.Present();
}

bool Viewer::Dragging() const {
  return session_ && CurrentMode(session_->modes).value_or(0) == kModeDrag;
}

std::string Viewer::Digest() const { return session_ ? ResultDigest(session_->fig) : ""; }

void Viewer::ScriptedDrag() {
  if (!session_) return;
  sakuzu::ScriptedDrag(*session_);
  canvas_.Present();
}

std::string Viewer::StateJson() const {
  std::string out = "{\"ok\":";
  out += session_ ? "true" : "false";
  out += ",\"message\":";
  AppendJsonString(out, message_);
  out += ",\"dragging\":";
  out += Dragging() ? "true" : "false";
  // One object: its name, whether it exists, then the given fields.
  auto object = [&out](int i, const std::string& name, int16_t exists,
                       std::initializer_list<std::pair<const char*, double>> fields) {
    out += i > 1 ? ",{\"name\":" : "{\"name\":";
    AppendJsonString(out, name);
    out += exists != 0 ? ",\"exists\":true" : ",\"exists\":false";
    for (const auto& [key, value] : fields) {
      out += ",\"" + std::string(key) + "\":";
      AppendJsonNumber(out, value);
    }
    out += '}';
  };
  out += ",\"points\":[";
  for (int i = 1; session_ && i <= session_->fig.ObjectCounts[kPointClass]; ++i) {
    const PointRecord& p = session_->fig.Points[i];
    PixelPoint px = ToPixel(session_->view, p.x, p.y);
    object(i, p.name, p.exists, {{"x", p.x}, {"y", p.y}, {"px", px.x}, {"py", px.y}});
  }
  out += "],\"numbers\":[";
  for (int i = 1; session_ && i <= session_->fig.ObjectCounts[kNumberClass]; ++i) {
    const NumberRecord& n = session_->fig.Numbers[i];
    object(i, n.name, n.exists, {{"value", n.value}});
  }
  out += "]}";
  return out;
}

}  // namespace sakuzu
