// The text output window "Data Viewer": the figure data report and the
// matrices of the transformations, for the user to read or copy.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <string>

#include "app/captions.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace sakuzu {

constexpr const char* kMatrixWindowCaption = "変換の表現行列";

enum class OutputMode : int16_t { kOverwrite = 0, kAppend = 1, kForwardAppend = 2 };

class TextViewer : public QMainWindow {
  Q_OBJECT

 public:
  // `matrixDisplay` tells whether the matrix display switch is on;
  // `switchMatrixOff` runs the main window's switch command to turn it off.
  TextViewer(Translator translate, std::function<bool()> matrixDisplay,
             std::function<void()> switchMatrixOff);

  // Places a block (matrices) by the output mode and shows the window.
  void WriteBlock(const std::string& text);
  // Appends a labelled number and shows the window.
  void InspectD(double value, const std::string& label);
  // Replaces the text whatever the output mode, sets the caption, shows.
  void ShowText(const std::string& captionSource, const std::string& text);

  // Captions the window with the translation of `captionSource` (the
  // Japanese text); a change of language translates it again.
  void SetCaption(const std::string& captionSource);
  std::string Text() const;
  OutputMode Mode() const { return mode_; }
  void SetMode(OutputMode mode);

  void RetranslateUi();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateMenuStates();
  void ShowWindow();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption);

  Translator translate_;
  std::function<bool()> matrixDisplay_;
  std::function<void()> switchMatrixOff_;
  QPlainTextEdit* text1_ = nullptr;
  QMenu* modeMenu_ = nullptr;
  QAction* overwrite_ = nullptr;
  QAction* append_ = nullptr;
  QAction* forwardAppend_ = nullptr;
  QAction* matrixOff_ = nullptr;
  OutputMode mode_ = OutputMode::kOverwrite;
  std::string captionSource_ = "Data Viewer";
};

}  // namespace sakuzu
