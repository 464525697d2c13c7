// The number choice "数値の選択" (ZKSelNum) and the expression input
// "数式の入力" (ZKExpress) as modal Qt dialogs. Their logic lives in
// numbers/number_choice.h; the dialogs mirror the models' controls and
// turn clicks and keys into the models' actions.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/captions.h"
#include "numbers/number_choice.h"
#include "numbers/number_prompts.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sakuzu {

// What the two dialogs share: the translator, how refusals are shown, and
// a number list set in a monospace font so that the values line up.
class NumberDialogBase : public QDialog {
  Q_OBJECT

 public:
  // Shows a refusal (already translated); a message box when unset. Tests
  // set it to catch the text instead of facing a modal box.
  std::function<void(const QString&)> showMessage;

 protected:
  NumberDialogBase(QWidget* parent, const Translator& translate);

  QListWidget* MakeList();
  QPushButton* MakeButton(const char* name);
  QLineEdit* MakeLineEdit(const char* name);
  QLabel* MakeLabel(const char* name);

  void MirrorButton(QPushButton* button, const Control& control) const;
  static void MirrorLineEdit(QLineEdit* edit, const Control& control);
  static void MirrorList(QListWidget* list, const NumberListControl& control);
  void FocusOn(const std::string& objectName);
  void ShowMessage(const std::string& japanese);
  // Runs one action of the model, then shows its refusal (or beeps),
  // mirrors its controls and closes when it has an answer.
  void Act(const std::function<bool()>& action, bool refocus = true);
  virtual void Mirror(bool refocus) = 0;
  virtual std::string TakeModelMessage() = 0;
  virtual bool ModelAccepted() const = 0;

  void changeEvent(QEvent* event) override;
  virtual void FontChanged() {}

  Translator translate_;
  QListWidget* numList_ = nullptr;

 private:
  void UseListFont();
};

class ZKSelNum : public NumberDialogBase {
  Q_OBJECT

 public:
  // `text1` is what the typed-number box held when the choice was last
  // closed (see NumberChoice).
  ZKSelNum(QWidget* parent, Figure& fig, const NumberChoiceRequest& request,
           const Translator& translate, std::string text1 = {});

  const NumberChoice& Model() const { return model_; }
  std::optional<int16_t> Answer() const { return model_.Answer(); }

  // Cmd_Cancel, Esc and the window's close box: the answer is nothing.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Mirror(bool refocus) override;
  std::string TakeModelMessage() override { return model_.TakeMessage(); }
  bool ModelAccepted() const override { return model_.Outcome() == DialogOutcome::kAccepted; }

  NumberChoice model_;
  QPushButton *cmdOK_, *cmdCancel_, *command1_, *newNum_, *newNumOK_, *newNumCancel_;
  QPushButton *reset_, *resetOK_, *resetCancel_;
  QLineEdit *text1_, *resetText_;
  QLabel* label1_;
};

class ZKExpress : public NumberDialogBase {
  Q_OBJECT

 public:
  ZKExpress(QWidget* parent, Figure& fig, int decimals, const Translator& translate);

  const ExpressionInput& Model() const { return model_; }
  std::optional<std::string> Answer() const { return model_.Answer(); }

  // cmdCancel, Esc and the window's close box: the answer is nothing.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Mirror(bool refocus) override;
  std::string TakeModelMessage() override { return model_.TakeMessage(); }
  bool ModelAccepted() const override { return model_.Outcome() == DialogOutcome::kAccepted; }
  void FontChanged() override;

  ExpressionInput model_;
  QPushButton *numSelectOK_, *cmdAddNum_, *cmdNewNumOK_;
  QPushButton *cmdOpAdd_, *cmdOpMinus_, *cmdOpMulti_, *cmdOpDiv_, *cmdOpPower_;
  QPushButton *cmdReInput_, *cmdInputEnd_, *cmdCancel_;
  QLineEdit* text1_;
  QLabel *labelNewNumCheck_, *labelExpress_;
};

// The dialogs as the construction commands ask for them: each call opens
// a modal dialog over `parent` in `font`, with captions through
// `translate`, and returns the user's answer.
class WindowNumberDialogs : public NumberPrompts {
 public:
  WindowNumberDialogs(QWidget* parent, const QFont& font, Translator translate);

  // The window's font changed (settings, language).
  void SetFont(const QFont& font) { font_ = font; }
  // Runs before a dialog opens: the window shows the state of the command
  // that asks (its status bar) while the dialog waits.
  std::function<void()> beforeShow;

  std::optional<int16_t> ChooseNumber(Figure& fig, const NumberChoiceRequest& request) override;
  std::optional<std::string> EnterExpression(Figure& fig, int decimals) override;

 private:
  QPointer<QWidget> parent_;
  QFont font_;
  Translator translate_;
  std::string text1_;  // the number choice's typed text, kept between openings
};

}  // namespace sakuzu
