#include "app/attribute_dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>
#include <string>
#include <utility>

namespace sakuzu {
namespace {

void SetCaption(QWidget* widget, const char* caption, const Translator& translate) {
  SetDesignerCaption(widget, QString::fromUtf8(caption));
  const QString shown = TranslatedCaption(widget, translate);
  if (widget->isWindow()) {
    widget->setWindowTitle(shown);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(shown);
  }
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const Translator& translate) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  SetCaption(button, caption, translate);
  return button;
}

QHBoxLayout* AnswerRow(QPushButton* ok, QPushButton* cancel) {
  // OK answers Enter wherever the focus is, except on Cancel itself.
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

// The current position of a list, or `kept` when it shows none (a value
// the list does not offer, which the user left alone).
int PositionOr(const QComboBox* list, int kept) {
  return list->currentIndex() >= 0 ? list->currentIndex() : kept;
}

}  // namespace

// ---------------------------------------------------------------------------
// What the attribute dialogs share

AttributeDialog::AttributeDialog(QWidget* parent, const AttributeForm& form,
                                 const Translator& translate, const char* objectName,
                                 const char* caption)
    : QDialog(parent), translate_(translate), form_(form) {
  setObjectName(objectName);
  setModal(true);
  SetCaption(this, caption, translate_);
}

void AttributeDialog::accept() {
  AttributeForm edited = form_;
  ReadControls(edited);
  if (std::optional<std::string> refusal = CheckAttributeForm(edited, translate_)) {
    const QString text = QString::fromStdString(*refusal);
    if (showMessage) {
      showMessage(text);
    } else {
      QMessageBox::information(this, windowTitle(), text);
    }
    // Back to the box that holds what was refused.
    const bool nameRefused = edited.name.find_first_of("_@") != std::string::npos;
    auto* field = nameRefused ? textName_ : findChild<QLineEdit*>("TextVal");
    if (field) {
      field->setFocus(Qt::OtherFocusReason);
      field->selectAll();
    }
    return;
  }
  form_ = std::move(edited);
  QDialog::accept();
}

QLineEdit* AttributeDialog::MakeLineEdit(const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  return edit;
}

QLabel* AttributeDialog::MakeLabel(const char* caption) {
  auto* label = new QLabel(this);
  SetCaption(label, caption, translate_);
  return label;
}

QComboBox* AttributeDialog::MakeList(const char* name, const std::vector<std::string>& entries,
                                     int position) {
  auto* list = new QComboBox(this);
  list->setObjectName(name);
  for (const std::string& entry : entries) list->addItem(T(entry.c_str()));
  // Outside the list the box shows nothing; OK then keeps the stored value.
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
  return list;
}

QLayout* AttributeDialog::MakeAnswerRow() {
  auto* ok = MakeButton(this, "CommandOK", "OK", translate_);
  auto* cancel = MakeButton(this, "CommandCancel", "キャンセル", translate_);
  connect(ok, &QPushButton::clicked, this, &AttributeDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &AttributeDialog::reject);
  return AnswerRow(ok, cancel);
}

void AttributeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (textName_ && textName_->isEnabled()) {
    textName_->setFocus(Qt::OtherFocusReason);
    textName_->selectAll();  // a new name replaces the old one as it is typed
  }
}

// ---------------------------------------------------------------------------
// Points, lines and circles

namespace {

const char* ShapeObjectName(int cls) {
  return cls == kPointClass  ? "PtAttribute"
         : cls == kLineClass ? "LineAttribute"
                             : "CircleAttribute";
}

const char* ShapeCaption(int cls) {
  return cls == kPointClass  ? "点の属性の設定"
         : cls == kLineClass ? "直線の属性の設定"
                             : "円の属性の設定";
}

}  // namespace

ShapeAttribute::ShapeAttribute(QWidget* parent, const AttributeForm& form,
                               const Translator& translate)
    : AttributeDialog(parent, form, translate, ShapeObjectName(form.ref.ObjectClassCode()),
                      ShapeCaption(form.ref.ObjectClassCode())) {
  const int cls = form.ref.ObjectClassCode();
  const AttributeChoices& choices = AttributeChoiceLists();
  const auto& colors = cls == kPointClass ? choices.pointColors : choices.lineColors;

  textName_ = MakeLineEdit("TextName");
  textName_->setText(QString::fromStdString(form.name));
  comboClr_ = MakeList("ComboClr", colors, form.color);
  comboLocus_ = MakeList("ComboLocus", colors, form.locusColor);

  auto* fields = new QFormLayout;
  fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  auto addRow = [&](const char* caption, QWidget* field) {
    QLabel* label = MakeLabel(caption);
    label->setBuddy(field);
    fields->addRow(label, field);
  };
  addRow("名前", textName_);
  addRow("色", comboClr_);
  addRow("軌跡の色", comboLocus_);
  if (cls == kPointClass) {
    // A mark outside the list (left by an interrupted drag) is replaced by
    // the first mark on OK.
    comboKind_ = MakeList("ComboKind", choices.pointMarks, form.kind >= 0 ? form.kind : 0);
    addRow("種類", comboKind_);
    comboIndependent_ = MakeList("ComboIndependent", choices.dragChoices, form.dragChoice);
    comboIndependent_->setEnabled(form.dragChoiceEnabled);
    addRow("変形時の選択", comboIndependent_);
  } else if (cls == kLineClass) {
    comboKind_ = MakeList("ComboKind", choices.lineParts, form.kind);
    addRow("種類", comboKind_);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch();
  layout->addLayout(MakeAnswerRow());
}

void ShapeAttribute::ReadControls(AttributeForm& form) const {
  form.name = textName_->text().toStdString();
  form.color = PositionOr(comboClr_, form.color);
  form.locusColor = PositionOr(comboLocus_, form.locusColor);
  if (comboKind_) form.kind = PositionOr(comboKind_, form.kind);
  if (comboIndependent_ && comboIndependent_->isEnabled()) {
    form.dragChoice = PositionOr(comboIndependent_, form.dragChoice);
  }
}

// ---------------------------------------------------------------------------
// Numbers

NumAttribute::NumAttribute(QWidget* parent, const AttributeForm& form, const Translator& translate)
    : AttributeDialog(parent, form, translate, "NumAttribute", "変数の属性の設定") {
  QLabel* textAttr = MakeLabel(form.dependent ? "従属変数" : "独立変数");
  textAttr->setObjectName("TextAttr");
  textName_ = MakeLineEdit("TextName");
  textName_->setText(QString::fromStdString(form.name));
  textName_->setEnabled(!form.dependent);
  textVal_ = MakeLineEdit("TextVal");
  textVal_->setText(QString::fromStdString(form.valueText));
  textVal_->setEnabled(!form.dependent);

  optionVisible_ = new QRadioButton(this);
  optionVisible_->setObjectName("OptionVisible");
  SetCaption(optionVisible_, "表示", translate_);
  optionNotVisible_ = new QRadioButton(this);
  optionNotVisible_->setObjectName("OptionNotVisible");
  SetCaption(optionNotVisible_, "非表示", translate_);
  // Only a computed number's visibility is the user's to choose.
  optionVisible_->setEnabled(form.dependent);
  optionNotVisible_->setEnabled(form.dependent);
  (form.dependent && form.visible ? optionVisible_ : optionNotVisible_)->setChecked(true);

  auto* options = new QHBoxLayout;
  options->addWidget(optionVisible_);
  options->addWidget(optionNotVisible_);
  options->addStretch();

  auto* fields = new QFormLayout;
  fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  fields->addRow(textAttr);
  for (auto [caption, field] : {std::pair{"名前", textName_}, std::pair{"値", textVal_}}) {
    QLabel* label = MakeLabel(caption);
    label->setBuddy(field);
    fields->addRow(label, field);
  }
  fields->addRow(options);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch();
  layout->addLayout(MakeAnswerRow());
  WidenNameBox();
}

void NumAttribute::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) WidenNameBox();
  AttributeDialog::changeEvent(event);
}

void NumAttribute::WidenNameBox() {
  // A name may be as long as 40 characters: room for a good part of it.
  textName_->setMinimumWidth(textName_->fontMetrics().averageCharWidth() * 28);
}

void NumAttribute::ReadControls(AttributeForm& form) const {
  if (form.dependent) {
    form.visible = optionVisible_->isChecked();
    return;
  }
  form.name = textName_->text().toStdString();
  form.valueText = textVal_->text().toStdString();
}

// ---------------------------------------------------------------------------
// The binding kind

SelGeoKindBounded::SelGeoKindBounded(QWidget* parent, int current, const Translator& translate)
    : QDialog(parent) {
  setObjectName("SelGeoKindBounded");
  setModal(true);
  SetCaption(this, "種類の選択", translate);

  auto* prompt = new QLabel(this);
  prompt->setObjectName("Label1");
  SetCaption(prompt, "どの種類の幾何的対象の上に点を取りますか", translate);

  listKind_ = new QListWidget(this);
  listKind_->setObjectName("ListKind");
  listKind_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::string& kind : AttributeChoiceLists().bindKinds) {
    listKind_->addItem(Tr(translate, kind.c_str()));
  }
  // All four kinds in view, no scrolling.
  listKind_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  listKind_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  listKind_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  listKind_->setCurrentRow(current >= 0 && current < listKind_->count() ? current : 0);
  // Enter in the list reaches the default button; a double click chooses.
  connect(listKind_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  auto* ok = MakeButton(this, "cmdOK", "OK", translate);
  auto* cancel = MakeButton(this, "cmdCancel", "キャンセル", translate);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(listKind_);
  layout->addLayout(AnswerRow(ok, cancel));
  listKind_->setFocus(Qt::OtherFocusReason);
}

std::optional<int> SelGeoKindBounded::Answer() const {
  if (result() != QDialog::Accepted || listKind_->currentRow() < 0) return std::nullopt;
  return listKind_->currentRow();
}

// ---------------------------------------------------------------------------
// The dialogs for the edit commands

WindowAttributeDialogs::WindowAttributeDialogs(QWidget* parent, const QFont& font,
                                               Translator translate)
    : parent_(parent), font_(font), translate_(std::move(translate)) {}

std::optional<AttributeForm> WindowAttributeDialogs::EditAttributes(const AttributeForm& form) {
  if (beforeShow) beforeShow();
  const int cls = form.ref.ObjectClassCode();
  if (cls < kNumberClass || cls > kCircleClass) return std::nullopt;
  std::unique_ptr<AttributeDialog> dialog;
  if (cls == kNumberClass) {
    dialog = std::make_unique<NumAttribute>(parent_, form, translate_);
  } else {
    dialog = std::make_unique<ShapeAttribute>(parent_, form, translate_);
  }
  dialog->setFont(font_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return dialog->Form();
}

std::optional<int> WindowAttributeDialogs::ChooseBindKind(int current) {
  if (beforeShow) beforeShow();
  SelGeoKindBounded dialog(parent_, current, translate_);
  dialog.setFont(font_);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace sakuzu
