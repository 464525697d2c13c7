#include "app/number_dialogs.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "app/fonts.h"
#include "numbers/expression.h"

namespace sakuzu {
namespace {

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The selected line, not the current one: the list makes its first line
// current when it gets the focus, which chooses nothing.
int SelectedLine(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

// A control that comes and goes keeps its room, so the dialog does not
// jump in size while the user works in it.
void KeepRoomWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

void MirrorLabel(QLabel* label, const Control& control, const Translator& translate) {
  const QString caption = QString::fromStdString(control.text);
  SetDesignerCaption(label, caption);
  label->setText(TranslatedCaption(label, translate));
  label->setEnabled(control.enabled);
  label->setVisible(control.visible);
}

}  // namespace

// ---------------------------------------------------------------------------
// What both dialogs share

NumberDialogBase::NumberDialogBase(QWidget* parent, const Translator& translate)
    : QDialog(parent), translate_(translate) {
  setModal(true);
}

QListWidget* NumberDialogBase::MakeList() {
  numList_ = new QListWidget(this);
  numList_->setObjectName("NumList");
  numList_->setSelectionMode(QAbstractItemView::SingleSelection);
  numList_->installEventFilter(this);
  UseListFont();
  return numList_;
}

QPushButton* NumberDialogBase::MakeButton(const char* name) {
  auto* button = new QPushButton(this);
  button->setObjectName(name);
  return button;
}

QLineEdit* NumberDialogBase::MakeLineEdit(const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  edit->installEventFilter(this);
  return edit;
}

QLabel* NumberDialogBase::MakeLabel(const char* name) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // names may hold "<"
  return label;
}

void NumberDialogBase::MirrorButton(QPushButton* button, const Control& control) const {
  const QString caption = QString::fromStdString(control.text);
  SetDesignerCaption(button, caption);
  button->setText(TranslatedCaption(button, translate_));
  button->setEnabled(control.enabled);
  button->setVisible(control.visible);
}

void NumberDialogBase::MirrorLineEdit(QLineEdit* edit, const Control& control) {
  const QString text = QString::fromStdString(control.text);
  if (edit->text() != text) edit->setText(text);
  edit->setEnabled(control.enabled);
  edit->setVisible(control.visible);
}

void NumberDialogBase::MirrorList(QListWidget* list, const NumberListControl& control) {
  // The model decides the selection; mirroring it must not come back as a
  // click.
  const QSignalBlocker blocker(list);
  const int count = static_cast<int>(control.lines.size());
  while (list->count() > count) delete list->takeItem(list->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString line = QString::fromStdString(control.lines[i]);
    if (i >= list->count()) {
      list->addItem(line);
    } else if (list->item(i)->text() != line) {
      list->item(i)->setText(line);
    }
  }
  list->setCurrentRow(control.selected);
  if (control.selected < 0) list->clearSelection();
  list->setEnabled(control.enabled);
}

void NumberDialogBase::FocusOn(const std::string& objectName) {
  auto* widget = findChild<QWidget*>(QString::fromStdString(objectName));
  if (!widget) return;
  widget->setFocus(Qt::OtherFocusReason);
  // A value offered in the box is replaced by the first key typed.
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void NumberDialogBase::ShowMessage(const std::string& japanese) {
  const QString text = Tr(translate_, japanese.c_str());
  if (showMessage) {
    showMessage(text);
    return;
  }
  QMessageBox::information(this, windowTitle(), text);
}

void NumberDialogBase::Act(const std::function<bool()>& action, bool refocus) {
  const bool done = action();
  const std::string message = TakeModelMessage();
  if (!message.empty()) {
    ShowMessage(message);
  } else if (!done) {
    QApplication::beep();
  }
  Mirror(refocus && done);
  if (ModelAccepted()) accept();
}

void NumberDialogBase::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    UseListFont();
    FontChanged();
  }
  QDialog::changeEvent(event);
}

void NumberDialogBase::UseListFont() {
  if (!numList_) return;
  // The list lines put the decimal points in one column; only a font of
  // fixed pitch shows that.
  QFont font = this->font();
  font.setFamilies({JapaneseMonospaceFamily()});
  font.setStyleHint(QFont::Monospace);
  numList_->setFont(font);
}

// ---------------------------------------------------------------------------
// The number choice

ZKSelNum::ZKSelNum(QWidget* parent, Figure& fig, const NumberChoiceRequest& request,
                   const Translator& translate, std::string text1)
    : NumberDialogBase(parent, translate), model_(fig, request, std::move(text1)) {
  setObjectName("ZKSelNum");
  SetDesignerCaption(this, QString::fromUtf8("数値の選択"));
  setWindowTitle(TranslatedCaption(this, translate_));

  MakeList();
  cmdOK_ = MakeButton("Cmd_OK");
  cmdCancel_ = MakeButton("Cmd_Cancel");
  command1_ = MakeButton("Command1");
  newNum_ = MakeButton("NewNum");
  text1_ = MakeLineEdit("Text1");
  newNumOK_ = MakeButton("NewNumOK");
  newNumCancel_ = MakeButton("NewNumCancel");
  label1_ = MakeLabel("Label1");
  reset_ = MakeButton("Reset");
  resetText_ = MakeLineEdit("ResetText");
  resetOK_ = MakeButton("ResetOK");
  resetCancel_ = MakeButton("ResetCancel");

  // Only the rows this opening can show keep their room.
  if (model_.NewNumberAllowed()) {
    for (QWidget* w : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(newNumOK_),
                       static_cast<QWidget*>(newNumCancel_), static_cast<QWidget*>(label1_)}) {
      KeepRoomWhenHidden(w);
    }
  }
  if (model_.Varying()) {
    for (QWidget* w : {static_cast<QWidget*>(reset_), static_cast<QWidget*>(resetText_),
                       static_cast<QWidget*>(resetOK_), static_cast<QWidget*>(resetCancel_)}) {
      KeepRoomWhenHidden(w);
    }
  }

  auto* entries = new QGridLayout;
  entries->addWidget(command1_, 0, 0, 1, 2);
  entries->addWidget(newNum_, 0, 2, 1, 2);
  entries->addWidget(text1_, 1, 0, 1, 2);
  entries->addWidget(newNumOK_, 1, 2);
  entries->addWidget(newNumCancel_, 1, 3);
  entries->addWidget(label1_, 2, 0, 1, 4);
  entries->addWidget(reset_, 3, 0);
  entries->addWidget(resetText_, 3, 1);
  entries->addWidget(resetOK_, 3, 2);
  entries->addWidget(resetCancel_, 3, 3);
  auto* answer = new QHBoxLayout;
  answer->addStretch();
  answer->addWidget(cmdOK_);
  answer->addWidget(cmdCancel_);
  auto* layout = new QVBoxLayout(this);
  // What the number is for, above the list and in the title.
  if (!request.purpose.empty()) {
    auto* purpose = new QLabel(QString::fromStdString(request.purpose), this);
    purpose->setObjectName("LabelPurpose");
    QFont bold = purpose->font();
    bold.setBold(true);
    purpose->setFont(bold);
    layout->addWidget(purpose);
    setWindowTitle(windowTitle() + ": " + QString::fromStdString(request.purpose));
  }
  layout->addWidget(numList_, 1);
  layout->addLayout(entries);
  layout->addLayout(answer);

  NumberChoice& m = model_;
  connect(numList_, &QListWidget::itemSelectionChanged, this,
          [this, &m] { Act([&] { return m.Select(SelectedLine(numList_)); }, false); });
  connect(numList_, &QListWidget::itemDoubleClicked, this,
          [this, &m] { Act([&] { return m.Accept(); }); });
  connect(cmdOK_, &QPushButton::clicked, this, [this, &m] { Act([&] { return m.Accept(); }); });
  connect(cmdCancel_, &QPushButton::clicked, this, &ZKSelNum::reject);
  connect(command1_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.ChooseFromList(); }); });
  connect(newNum_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.StartNewNumber(); }); });
  connect(text1_, &QLineEdit::textEdited, this, [this, &m](const QString& text) {
    Act([&] { return m.SetText1(text.toStdString()); }, false);
  });
  connect(newNumOK_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.AcceptNewNumber(); }); });
  connect(newNumCancel_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.LeaveNewNumber(); }); });
  connect(reset_, &QPushButton::clicked, this, [this, &m] { Act([&] { return m.StartReset(); }); });
  connect(resetText_, &QLineEdit::textEdited, this, [this, &m](const QString& text) {
    Act([&] { return m.SetResetText(text.toStdString()); }, false);
  });
  connect(resetOK_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.AcceptReset(); }); });
  connect(resetCancel_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.LeaveReset(); }); });

  Mirror(true);
}

void ZKSelNum::Mirror(bool refocus) {
  const NumberChoiceControls& c = model_.Controls();
  MirrorList(numList_, c.NumList);
  MirrorButton(cmdOK_, c.Cmd_OK);
  MirrorButton(cmdCancel_, c.Cmd_Cancel);
  MirrorButton(command1_, c.Command1);
  MirrorButton(newNum_, c.NewNum);
  MirrorLineEdit(text1_, c.Text1);
  MirrorButton(newNumOK_, c.NewNumOK);
  MirrorButton(newNumCancel_, c.NewNumCancel);
  MirrorLabel(label1_, c.Label1, translate_);
  MirrorButton(reset_, c.Reset);
  MirrorLineEdit(resetText_, c.ResetText);
  MirrorButton(resetOK_, c.ResetOK);
  MirrorButton(resetCancel_, c.ResetCancel);
  if (refocus) FocusOn(c.focus);
}

void ZKSelNum::reject() {
  model_.Cancel();
  QDialog::reject();
}

bool ZKSelNum::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return NumberDialogBase::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  NumberChoice& m = model_;
  if (watched == numList_ && IsEnter(key)) {
    Act([&] { return m.Accept(); });
    return true;
  }
  if (watched == text1_) {
    if (IsEnter(key)) {
      Act([&] { return m.AcceptNewNumber(); });
    } else if (key->key() == Qt::Key_Escape) {
      Act([&] { return m.LeaveNewNumber(); });
    } else if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
      const int delta = key->key() == Qt::Key_Up ? 1 : -1;
      Act([&] { return m.StepText1(delta); }, false);
    } else {
      return false;
    }
    return true;
  }
  if (watched == resetText_) {
    if (IsEnter(key)) {
      Act([&] { return m.AcceptReset(); });
    } else if (key->key() == Qt::Key_Escape) {
      Act([&] { return m.LeaveReset(); });
    } else {
      return false;
    }
    return true;
  }
  return NumberDialogBase::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// The expression input

ZKExpress::ZKExpress(QWidget* parent, Figure& fig, int decimals, const Translator& translate)
    : NumberDialogBase(parent, translate), model_(fig, decimals) {
  setObjectName("ZKExpress");
  SetDesignerCaption(this, QString::fromUtf8("数式の入力"));
  setWindowTitle(TranslatedCaption(this, translate_));

  QLabel* guide = MakeLabel("LabelGuide");
  guide->setWordWrap(true);
  MirrorLabel(guide,
              {true, true, "数式を作るには,上段(数値)と下段(演算)を交互に選択してください。"},
              translate_);

  MakeList();
  numSelectOK_ = MakeButton("NumSelectOK");
  cmdAddNum_ = MakeButton("cmdAddNum");
  text1_ = MakeLineEdit("Text1");
  cmdNewNumOK_ = MakeButton("cmdNewNumOK");
  labelNewNumCheck_ = MakeLabel("LabelNewNumCheck");
  for (QWidget* w : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(cmdNewNumOK_),
                     static_cast<QWidget*>(labelNewNumCheck_)}) {
    KeepRoomWhenHidden(w);
  }
  cmdOpAdd_ = MakeButton("cmdOpAdd");
  cmdOpMinus_ = MakeButton("cmdOpMinus");
  cmdOpMulti_ = MakeButton("cmdOpMulti");
  cmdOpDiv_ = MakeButton("cmdOpDiv");
  cmdOpPower_ = MakeButton("cmdOpPower");
  cmdReInput_ = MakeButton("cmdReInput");
  cmdInputEnd_ = MakeButton("cmdInputEnd");
  cmdInputEnd_->installEventFilter(this);
  cmdCancel_ = MakeButton("cmdCancel");
  labelExpress_ = MakeLabel("LabelExpress");
  labelExpress_->setFrameShape(QFrame::Panel);
  labelExpress_->setFrameShadow(QFrame::Sunken);
  labelExpress_->setWordWrap(true);
  // A long expression wraps or is clipped; it never widens the dialog.
  labelExpress_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  labelExpress_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Upper row: the numbers; lower row: the operators and the ending.
  auto* numberSide = new QVBoxLayout;
  numberSide->addWidget(numSelectOK_);
  numberSide->addWidget(cmdAddNum_);
  numberSide->addWidget(text1_);
  numberSide->addWidget(cmdNewNumOK_);
  numberSide->addWidget(labelNewNumCheck_);
  numberSide->addStretch();
  auto* numbers = new QHBoxLayout;
  numbers->addWidget(numList_, 1);
  numbers->addLayout(numberSide);
  auto* operators = new QGridLayout;
  int column = 0;
  for (QPushButton* op : {cmdOpAdd_, cmdOpMinus_, cmdOpMulti_, cmdOpDiv_, cmdOpPower_}) {
    operators->addWidget(op, 0, column++);
  }
  operators->setColumnStretch(column++, 1);
  for (QPushButton* end : {cmdReInput_, cmdInputEnd_, cmdCancel_}) {
    operators->addWidget(end, 0, column++);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(guide);
  layout->addLayout(numbers, 1);
  layout->addLayout(operators);
  layout->addWidget(labelExpress_);

  ExpressionInput& m = model_;
  connect(numList_, &QListWidget::itemSelectionChanged, this,
          [this, &m] { Act([&] { return m.Select(SelectedLine(numList_)); }, false); });
  connect(numList_, &QListWidget::itemDoubleClicked, this,
          [this, &m] { Act([&] { return m.AppendSelected(); }); });
  connect(numSelectOK_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.AppendSelected(); }); });
  connect(cmdAddNum_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.StartNewNumber(); }); });
  connect(text1_, &QLineEdit::textEdited, this, [this, &m](const QString& text) {
    Act([&] { return m.SetText1(text.toStdString()); }, false);
  });
  connect(cmdNewNumOK_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.AppendNewNumber(); }); });
  const std::pair<QPushButton*, char> opButtons[] = {
      {cmdOpAdd_, '+'}, {cmdOpMinus_, '-'}, {cmdOpMulti_, '*'},
      {cmdOpDiv_, '/'}, {cmdOpPower_, '^'},
  };
  for (const auto& [button, op] : opButtons) {
    connect(button, &QPushButton::clicked, this,
            [this, &m, op = op] { Act([&] { return m.AppendOperator(op); }); });
  }
  connect(cmdReInput_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.ReInput(); }); });
  connect(cmdInputEnd_, &QPushButton::clicked, this,
          [this, &m] { Act([&] { return m.Finish(); }); });
  connect(cmdCancel_, &QPushButton::clicked, this, &ZKExpress::reject);

  FontChanged();
  Mirror(true);
}

void ZKExpress::Mirror(bool refocus) {
  const ExpressionInputControls& c = model_.Controls();
  MirrorList(numList_, c.NumList);
  MirrorButton(numSelectOK_, c.NumSelectOK);
  MirrorButton(cmdAddNum_, c.cmdAddNum);
  MirrorLineEdit(text1_, c.Text1);
  MirrorButton(cmdNewNumOK_, c.cmdNewNumOK);
  MirrorLabel(labelNewNumCheck_, c.LabelNewNumCheck, translate_);
  MirrorButton(cmdOpAdd_, c.cmdOpAdd);
  MirrorButton(cmdOpMinus_, c.cmdOpMinus);
  MirrorButton(cmdOpMulti_, c.cmdOpMulti);
  MirrorButton(cmdOpDiv_, c.cmdOpDiv);
  MirrorButton(cmdOpPower_, c.cmdOpPower);
  MirrorButton(cmdReInput_, c.cmdReInput);
  MirrorButton(cmdInputEnd_, c.cmdInputEnd);
  MirrorButton(cmdCancel_, c.cmdCancel);
  // The display shows names and values, never translated.
  labelExpress_->setText(QString::fromStdString(c.LabelExpress.text));
  if (refocus) FocusOn(c.focus);
}

void ZKExpress::FontChanged() {
  // Room for two lines of the display even while it is empty.
  labelExpress_->setMinimumHeight(2 * fontMetrics().lineSpacing());
}

void ZKExpress::reject() {
  model_.Cancel();
  QDialog::reject();
}

bool ZKExpress::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return NumberDialogBase::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  ExpressionInput& m = model_;
  if (key->key() == Qt::Key_Escape &&
      (watched == numList_ || watched == text1_ || watched == cmdInputEnd_)) {
    reject();
    return true;
  }
  if (watched == numList_ && IsEnter(key)) {
    Act([&] { return m.AppendSelected(); });
    return true;
  }
  if (watched == text1_) {
    if (IsEnter(key)) {
      Act([&] { return m.AppendNewNumber(); });
    } else if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
      const int delta = key->key() == Qt::Key_Up ? 1 : -1;
      Act([&] { return m.StepText1(delta); }, false);
    } else {
      return false;
    }
    return true;
  }
  if (watched == cmdInputEnd_) {
    const QString text = key->text();
    if (text == "=") {
      Act([&] { return m.Finish(); });
      return true;
    }
    const char c = text.size() == 1 ? text[0].toLatin1() : '\0';
    if (c != '\0' && kOperators.find(c) != std::string_view::npos) {
      Act([&] { return m.AppendOperator(c); });
      return true;
    }
  }
  return NumberDialogBase::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// The dialogs for the commands

WindowNumberDialogs::WindowNumberDialogs(QWidget* parent, const QFont& font, Translator translate)
    : parent_(parent), font_(font), translate_(std::move(translate)) {}

std::optional<int16_t> WindowNumberDialogs::ChooseNumber(Figure& fig,
                                                         const NumberChoiceRequest& request) {
  if (beforeShow) beforeShow();
  ZKSelNum dialog(parent_, fig, request, translate_, text1_);
  dialog.setFont(font_);
  dialog.exec();
  text1_ = dialog.Model().Controls().Text1.text;
  return dialog.Answer();
}

std::optional<std::string> WindowNumberDialogs::EnterExpression(Figure& fig, int decimals) {
  if (beforeShow) beforeShow();
  ZKExpress dialog(parent_, fig, decimals, translate_);
  dialog.setFont(font_);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace sakuzu
