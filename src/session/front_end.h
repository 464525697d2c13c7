// What the session asks of the program's front end (the window, the page):
// the shell's messages, and the questions, dialogs and places that only a
// front end has. Each call returns the user's answer; the plain versions
// here answer as a front end without a person would (Cancel), so that the
// command line and the tests need implement only what they use.
#pragma once

#include <optional>
#include <string>

#include "interact/workspace.h"
#include "platform/shell.h"
#include "view/canvas.h"

namespace sakuzu {

// "保存しますか": whether to save unsaved changes first.
enum class SaveAnswer { kSave, kDiscard, kCancel };

class FrontEnd : public Shell {
 public:
  // An input box: message and title (translated) and the starting text;
  // nothing after Cancel.
  virtual std::optional<std::string> InputBox(const std::string& message, const std::string& title,
                                              const std::string& start) {
    (void)message, (void)title, (void)start;
    return std::nullopt;
  }
  // A colour chooser starting at `start`; nothing after Cancel.
  virtual std::optional<Rgb> ChooseColor(Rgb start) {
    (void)start;
    return std::nullopt;
  }
  // The platform's face colour, the background "灰色".
  virtual Rgb FaceColor() { return MakeRgb(240, 240, 240); }
  virtual SaveAnswer AskSave() { return SaveAnswer::kCancel; }
  // "新規作図の確認".
  virtual NewFigureAnswer AskNewFigure() { return NewFigureAnswer::kCancel; }
  // The Save command with its file dialog; true when the figure was written.
  virtual bool SaveWithDialog() { return false; }
  // Opens a document (a page, a table of values) in the user's program for
  // it; false when nothing could.
  virtual bool OpenDocument(const std::string& path) {
    (void)path;
    return false;
  }
  // The text output window: a text under its caption (a Japanese text,
  // translated there), or only the caption for what WriteText appends.
  virtual void ShowText(const std::string& caption, const std::string& text) {
    (void)caption, (void)text;
  }
  virtual void SetTextCaption(const std::string& caption) { (void)caption; }
};

}  // namespace sakuzu
