// The language dialog "Select Language": Japanese, English or the user's
// own dictionary, and the font for the user's language.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "app/captions.h"

class QComboBox;
class QPushButton;

namespace sakuzu {

class ZKLanguage : public QDialog {
  Q_OBJECT

 public:
  // `current` is the language setting; `setFontAll` applies a font chosen
  // with the font button.
  ZKLanguage(QWidget* parent, const std::string& current, const Translator& translate,
             std::function<void(const std::string&)> setFontAll);

  // After OK: "Japanese", "English" or "Manual"; nothing when no entry was
  // chosen or the dialog was cancelled.
  std::optional<std::string> Chosen() const { return chosen_; }

 private:
  void Accept();
  void ChooseFont();

  QComboBox* combo1_ = nullptr;
  QPushButton* cmdFont_ = nullptr;
  std::function<void(const std::string&)> setFontAll_;
  std::optional<std::string> chosen_;
};

}  // namespace sakuzu
