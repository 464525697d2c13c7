// The attribute dialogs as modal Qt dialogs: "点の属性の設定" (PtAttribute),
// "直線の属性の設定" (LineAttribute), "円の属性の設定" (CircleAttribute),
// "変数の属性の設定" (NumAttribute) and the binding kind "種類の選択"
// (SelGeoKindBounded). They edit an AttributeForm; filling, checking and
// storing it is interact/attributes.h.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <functional>
#include <optional>

#include "app/captions.h"
#include "interact/attributes.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace sakuzu {

// What every attribute dialog shares: the form, a checked OK (Enter in the
// name box or anywhere on the form), Esc for Cancel, and the name box
// focused on showing.
class AttributeDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows a refusal (already translated); a message box when unset. Tests
  // set it to catch the text instead of facing a modal box.
  std::function<void(const QString&)> showMessage;

  // The form as the dialog was given it, and after OK as the user left it.
  const AttributeForm& Form() const { return form_; }

  // OK: the controls are read into the form and checked; a refusal is
  // shown and the dialog stays open.
  void accept() override;

 protected:
  AttributeDialog(QWidget* parent, const AttributeForm& form, const Translator& translate,
                  const char* objectName, const char* caption);

  // Copies the controls into `form`.
  virtual void ReadControls(AttributeForm& form) const = 0;

  QLineEdit* MakeLineEdit(const char* name);
  QLabel* MakeLabel(const char* caption);
  // A list of translated entries at `position`; outside the list it shows
  // none, and OK keeps the stored value.
  QComboBox* MakeList(const char* name, const std::vector<std::string>& entries, int position);
  // The OK and Cancel buttons in a row at the right.
  QLayout* MakeAnswerRow();
  QString T(const char* japanese) const { return Tr(translate_, japanese); }

  void showEvent(QShowEvent* event) override;

  Translator translate_;
  AttributeForm form_;
  QLineEdit* textName_ = nullptr;
};

// PtAttribute, LineAttribute or CircleAttribute, chosen by the form's class.
class ShapeAttribute : public AttributeDialog {
  Q_OBJECT

 public:
  ShapeAttribute(QWidget* parent, const AttributeForm& form, const Translator& translate);

 protected:
  void ReadControls(AttributeForm& form) const override;

 private:
  QComboBox *comboClr_, *comboLocus_;
  QComboBox* comboKind_ = nullptr;         // points and lines
  QComboBox* comboIndependent_ = nullptr;  // points
};

class NumAttribute : public AttributeDialog {
  Q_OBJECT

 public:
  NumAttribute(QWidget* parent, const AttributeForm& form, const Translator& translate);

 protected:
  void ReadControls(AttributeForm& form) const override;
  void changeEvent(QEvent* event) override;

 private:
  void WidenNameBox();

  QLineEdit* textVal_;
  QRadioButton *optionVisible_, *optionNotVisible_;
};

// "種類の選択": where a point is bound ("フリーにする", "他の点と一致させる",
// "直線上に取る", "円上に取る"). Enter or a double click chooses, Esc cancels.
class SelGeoKindBounded : public QDialog {
  Q_OBJECT

 public:
  SelGeoKindBounded(QWidget* parent, int current, const Translator& translate);

  // The chosen kind 0 to 3 after OK; nothing otherwise.
  std::optional<int> Answer() const;

 private:
  QListWidget* listKind_;
};

// The dialogs as the edit commands ask for them: each call opens a modal
// dialog over `parent` in `font`, with captions through `translate`, and
// returns the user's answer.
class WindowAttributeDialogs : public AttributeDialogs {
 public:
  WindowAttributeDialogs(QWidget* parent, const QFont& font, Translator translate);

  // The window's font changed (settings, language).
  void SetFont(const QFont& font) { font_ = font; }
  // Runs before a dialog opens: the window shows the state of the command
  // that asks (its status bar) while the dialog waits.
  std::function<void()> beforeShow;

  std::optional<AttributeForm> EditAttributes(const AttributeForm& form) override;
  std::optional<int> ChooseBindKind(int current) override;

 private:
  QPointer<QWidget> parent_;
  QFont font_;
  Translator translate_;
};

}  // namespace sakuzu
