#include "app/new_figure_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sakuzu {

NewFigureDialog::NewFigureDialog(QWidget* parent,
                                 const std::function<std::string(const std::string&)>& translate)
    : QDialog(parent) {
  auto t = [&](const char* text) {
    return QString::fromStdString(translate ? translate(text) : std::string(text));
  };
  setObjectName("ZKNew");
  setWindowTitle(t("新規作図の確認"));
  auto* label = new QLabel(t("現在の図は失われますが,新しい図を作図しますか。"), this);
  label->setObjectName("Label1");
  label->setWordWrap(true);
  auto* yes = new QPushButton(t("はい(Y)"), this);
  yes->setObjectName("CommandYes");
  auto* save = new QPushButton(t("保存しておく(S)"), this);
  save->setObjectName("CommandSave");
  auto* cancel = new QPushButton(t("キャンセル(Esc)"), this);
  cancel->setObjectName("CommandCancel");
  connect(yes, &QPushButton::clicked, this, [this] { Finish(NewFigureAnswer::kYes); });
  connect(save, &QPushButton::clicked, this, [this] { Finish(NewFigureAnswer::kSave); });
  connect(cancel, &QPushButton::clicked, this, [this] { Finish(NewFigureAnswer::kCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(yes);
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(buttons);
  yes->setDefault(true);
}

std::optional<NewFigureAnswer> NewFigureDialog::AnswerForText(const QString& text) {
  QString key = text.toUpper();
  for (const char* yes : {"Y", "ﾗ", "ラ", "Ｙ"}) {
    if (key == QString::fromUtf8(yes)) return NewFigureAnswer::kYes;
  }
  for (const char* save : {"S", "Ｓ", "シ", "ｼ"}) {
    if (key == QString::fromUtf8(save)) return NewFigureAnswer::kSave;
  }
  return std::nullopt;
}

void NewFigureDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Finish(NewFigureAnswer::kCancel);
    return;
  }
  if (std::optional<NewFigureAnswer> answer = AnswerForText(event->text())) {
    Finish(*answer);
    return;
  }
  QDialog::keyPressEvent(event);
}

void NewFigureDialog::Finish(NewFigureAnswer answer) {
  answer_ = answer;
  if (answer == NewFigureAnswer::kCancel) {
    reject();
  } else {
    accept();
  }
}

}  // namespace sakuzu
