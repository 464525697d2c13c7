// What the session asks of the window: messages, questions and dialogs.
// Each service is a function the window installs with its Qt dialog, so
// that tests can answer instead of facing a modal box.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/front_end.h"

namespace sakuzu {

class ZKwin;

class WindowShell : public FrontEnd {
 public:
  // Every service by its Qt dialog over the window (message boxes, input
  // box, colour chooser, the save and new-figure questions, the desktop's
  // "open", the text window).
  void UseDialogsOf(ZKwin& window);

  std::function<void(const std::string&)> showMessage;
  std::function<void()> beep;
  std::function<bool(const std::string&)> confirm;
  std::function<int(const std::string&, const std::vector<std::string>&)> choose;
  std::function<void(const std::string&)> writeText;
  // An input box: message, title and start text, already translated;
  // nothing after Cancel.
  std::function<std::optional<std::string>(const std::string& message, const std::string& title,
                                           const std::string& start)>
      inputBox;
  std::function<std::optional<Rgb>(Rgb start)> chooseColor;
  std::function<Rgb()> faceColor;
  std::function<SaveAnswer()> askSave;
  std::function<NewFigureAnswer()> askNewFigure;
  std::function<bool()> saveWithDialog;
  std::function<bool(const std::string& path)> openDocument;
  std::function<void(const std::string& caption, const std::string& text)> showText;
  std::function<void(const std::string& caption)> setTextCaption;

  void ShowMessage(const std::string& text) override {
    if (showMessage) showMessage(text);
  }
  void Beep() override {
    if (beep) beep();
  }
  bool Confirm(const std::string& text) override { return confirm ? confirm(text) : true; }
  int Choose(const std::string& text, const std::vector<std::string>& buttons) override {
    return choose ? choose(text, buttons) : -1;
  }
  void WriteText(const std::string& text) override {
    if (writeText) writeText(text);
  }
  std::optional<std::string> InputBox(const std::string& message, const std::string& title,
                                      const std::string& start) override {
    return inputBox ? inputBox(message, title, start) : std::nullopt;
  }
  std::optional<Rgb> ChooseColor(Rgb start) override {
    return chooseColor ? chooseColor(start) : std::nullopt;
  }
  Rgb FaceColor() override { return faceColor ? faceColor() : FrontEnd::FaceColor(); }
  SaveAnswer AskSave() override { return askSave ? askSave() : SaveAnswer::kCancel; }
  NewFigureAnswer AskNewFigure() override {
    return askNewFigure ? askNewFigure() : NewFigureAnswer::kCancel;
  }
  bool SaveWithDialog() override { return saveWithDialog && saveWithDialog(); }
  bool OpenDocument(const std::string& path) override { return openDocument && openDocument(path); }
  void ShowText(const std::string& caption, const std::string& text) override {
    if (showText) showText(caption, text);
  }
  void SetTextCaption(const std::string& caption) override {
    if (setTextCaption) setTextCaption(caption);
  }
};

}  // namespace sakuzu
