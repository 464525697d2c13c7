// The web viewer: one figure in a drawing area of a fixed logical size,
// drawn as the program's window draws it right after opening the file,
// whose free points, bound points and lines through two free points the
// reader drags. The same session, recalculation and deformation steps as
// the program; only the canvas and the pointer are the page's.
#pragma once

#include <memory>
#include <string>

#include "session/session.h"
#include "web/web_canvas.h"

namespace sakuzu {

enum class PointerEvent { kDown, kMove, kUp, kCancel };

class Viewer {
 public:
  Viewer(int width, int height, WebCanvas::Page page);

  // Opens the figure file's bytes; false (and Message()) when the program
  // would refuse the file. `name` is the file name the message names.
  bool Open(const std::string& name, const std::string& bytes, bool english);
  const std::string& Message() const { return message_; }

  // A pointer at (x, y) in logical pixels of the drawing area. A move
  // with the button up only shows what can be dragged.
  void Pointer(PointerEvent event, double x, double y, bool held);
  // The page lost its pictures: everything is drawn again.
  void Repaint();
  // True while a drag is under way (the page shows a moving cursor).
  bool Dragging() const;
  // The objects' state for the page and its tests, as JSON.
  std::string StateJson() const;
  // The digest of what the figure computes, and the determinism check's
  // scripted drag (model/figure_digest.h, session/session.h).
  std::string Digest() const;
  void ScriptedDrag();

 private:
  // What the session asks of the page: messages are kept, not shown in
  // boxes (a reader of the page has nobody to answer them).
  class PageShell : public FrontEnd {
   public:
    explicit PageShell(Viewer& viewer) : viewer_(viewer) {}
    void ShowMessage(const std::string& text) override { viewer_.message_ = text; }

   private:
    Viewer& viewer_;
  };

  WebCanvas canvas_;
  PageShell shell_{*this};
  std::unique_ptr<Session> session_;
  std::string message_;
};

}  // namespace sakuzu
