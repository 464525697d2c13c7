// "新規作図の確認": asked before a new figure replaces a figure that is not
// empty. Yes, save first, or cancel; the keys Y and S (and their Japanese
// keyboard forms) answer too, Esc cancels.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "interact/workspace.h"

namespace sakuzu {

class NewFigureDialog : public QDialog {
  Q_OBJECT

 public:
  NewFigureDialog(QWidget* parent, const std::function<std::string(const std::string&)>& translate);
  NewFigureAnswer Answer() const { return answer_; }

  // The answer a typed character gives, if any: "Y", "ﾗ", "ラ", "Ｙ" yes;
  // "S", "Ｓ", "シ", "ｼ" save (upper case compared).
  static std::optional<NewFigureAnswer> AnswerForText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Finish(NewFigureAnswer answer);

  NewFigureAnswer answer_ = NewFigureAnswer::kCancel;
};

}  // namespace sakuzu
