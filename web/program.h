// The whole program in a page: a session, as the window has one, with the
// page's canvas, menus, dialogs and files. The page script turns pointer
// and key events, menu clicks and file picks into these calls and shows
// what State() reports; every question and dialog of the program is an
// HTML dialog the page answers while the call waits (PageDialog).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "session/session.h"
#include "web/web_canvas.h"

namespace sakuzu {

// A dialog shown by the page: its description as JSON, the user's answer
// as text. The call waits for the answer.
using PageDialogFn = std::string (*)(const std::string& json);
// Something for the page to show that needs no answer (a message, text,
// a download): the call goes on at once.
using PageNoticeFn = void (*)(const std::string& json);

class WebProgram {
 public:
  // The program's folder lives in the page's memory: settings, dictionary
  // and recorded values are files there.
  static constexpr const char* kFolder = "/sakuzu";

  WebProgram(int width, int height, WebCanvas::Page page, PageDialogFn dialog, PageNoticeFn notify);
  ~WebProgram();

  // Start-up as the window's: settings (the page wrote the stored file
  // into the folder), language, view, modes, an empty figure.
  void Start();
  // The drawing area has a new size (logical pixels).
  void Resize(int width, int height);

  // kind: 0 press, 1 move, 2 release, 3 double click; button 0 left, 1
  // right, 2 middle; held: the left button is down.
  void Pointer(int kind, double x, double y, int button, bool held, bool shift, bool ctrl);
  void Key(int code, bool shift, bool ctrl);
  // The wheel (notches, positive away from the user) or a pinch (factor)
  // at (x, y): the view zooms about that point.
  void Wheel(double x, double y, double notches);
  void Pinch(double x, double y, double factor);
  void Command(const std::string& name);
  void Tick();  // the replay timer
  // The page lost its pictures: everything is drawn again.
  void Repaint();

  // A figure file's bytes: opened in place of the figure (after the save
  // question), or merged. False (the reader's message shown) when refused;
  // the figure stays as it was.
  bool Open(const std::string& name, const std::string& bytes);
  bool Merge(const std::string& name, const std::string& bytes);
  // A figure left in the browser's storage by an earlier visit: restored
  // under its own name, unsaved.
  bool Restore(const std::string& name, const std::string& bytes);
  // The figure file's bytes exactly as the program writes them, and the
  // name to give them ("NAME.zk4"); empty when they cannot be written.
  std::string FigureBytes();
  std::string FigureName() const;
  // After the page offered the download: the figure counts as saved.
  void MarkSaved(const std::string& name);
  bool Modified() const;
  // The drawing as an SVG picture.
  std::string PictureSvg();
  // A file of the program's folder (a record of values, the settings),
  // or empty; and a file put there by the page (the stored settings, the
  // user's dictionary).
  std::string FolderFile(const std::string& name) const;
  void PutFolderFile(const std::string& name, const std::string& bytes);
  // The language dialog's answer: "Japanese", "English" or "Manual" (with
  // the dictionary the page put into the folder); kept in the settings.
  void SetLanguage(const std::string& setting);

  // Everything the page shows beside the drawing, as JSON: caption,
  // status panels, cursor, replay timer, the menus, a pop-up to open.
  std::string State();
  // True when State() would report something new since it last did.
  bool StateChanged() const { return statusChanged_ || popup_.has_value(); }
  // The objects as JSON, for the page's tests: every point, line, circle
  // and number with its name, existence and results.
  std::string ObjectsJson() const;
  // The determinism check's digest and scripted drag.
  std::string Digest() const;
  void ScriptedDrag();

 private:
  class PageFrontEnd;
  class PagePrompts;
  class PageAttributes;
  void Show(const Update& update);
  // The change of a file command, as the window's are.
  void Run(const std::string& caption, const std::function<void()>& work);
  std::string WriteToFolder(const std::string& name, const std::string& bytes);

  WebCanvas canvas_;
  PageDialogFn dialog_;
  PageNoticeFn notify_;
  std::unique_ptr<PageFrontEnd> front_;
  std::unique_ptr<PagePrompts> prompts_;
  std::unique_ptr<PageAttributes> attributes_;
  std::unique_ptr<Session> session_;
  std::optional<PopupMenu> popup_;
  bool statusChanged_ = true;
};

}  // namespace sakuzu
