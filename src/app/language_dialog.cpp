#include "app/language_dialog.h"

#include <QComboBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/translate.h"

namespace sakuzu {
namespace {

constexpr const char* kLanguages[] = {"Japanese", "English", "Manual"};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  SetDesignerCaption(button, QString::fromUtf8(caption));
  return button;
}

}  // namespace

ZKLanguage::ZKLanguage(QWidget* parent, const std::string& current, const Translator& translate,
                       std::function<void(const std::string&)> setFontAll)
    : QDialog(parent), setFontAll_(std::move(setFontAll)) {
  setObjectName("ZKLanguage");
  SetDesignerCaption(this, "Select Language");
  setModal(true);

  combo1_ = new QComboBox(this);
  combo1_->setObjectName("Combo1");
  combo1_->addItems({"Japanese", "English", "Manual(use dic_zk4.txt)"});
  std::string setting = NormalisedSetting(current);
  int index = -1;
  for (int i = 0; i < 3; ++i) {
    if (setting == NormalisedSetting(kLanguages[i])) index = i;
  }
  combo1_->setCurrentIndex(index);

  cmdFont_ = MakeButton(this, "cmd_font", "Font");
  // Only the user's own language chooses its font; the others have theirs.
  cmdFont_->setEnabled(setting == "manual");
  QPushButton* ok = MakeButton(this, "OKButton", "OK");
  QPushButton* cancel = MakeButton(this, "CancelButton", "Cancel");
  // Enter in the list acts as OK, Esc as Cancel.
  ok->setDefault(true);
  ok->setAutoDefault(true);
  cmdFont_->setAutoDefault(false);
  cancel->setAutoDefault(false);

  connect(ok, &QPushButton::clicked, this, &ZKLanguage::Accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdFont_, &QPushButton::clicked, this, &ZKLanguage::ChooseFont);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdFont_);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(combo1_);
  layout->addLayout(buttons);

  ApplyCaptions(this, translate);
}

void ZKLanguage::Accept() {
  int index = combo1_->currentIndex();
  if (index >= 0 && index < 3) chosen_ = kLanguages[index];
  accept();
}

void ZKLanguage::ChooseFont() {
  bool ok = false;
  QFont font = QFontDialog::getFont(&ok, this->font(), this);
  if (!ok || !setFontAll_) return;
  setFontAll_(font.family().toStdString());
}

}  // namespace sakuzu
