#include "app/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace sakuzu {
namespace {

constexpr const char* kCaptionProperty = "sakuzuDesignerCaption";

// The caption a control shows now, or a null text when it has none that
// counts as a fixed caption.
QString ShownCaption(const QObject* object) {
  if (auto* action = qobject_cast<const QAction*>(object)) {
    return action->isSeparator() ? QString() : action->text();
  }
  if (auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(object)) return group->title();
  // Labels and window titles often show changing texts (status panels, the
  // file name); they take part only when given a designer caption.
  return {};
}

void ShowCaption(QObject* object, const QString& caption) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(caption);
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(caption);
  } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
    group->setTitle(caption);
  } else if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow()) {
    widget->setWindowTitle(caption);
  }
}

void SaveOne(QObject* object) {
  if (HasDesignerCaption(object)) return;
  QString caption = ShownCaption(object);
  if (caption.isEmpty()) return;
  SetDesignerCaption(object, caption);
}

}  // namespace

void SetDesignerCaption(QObject* object, const QString& caption) {
  object->setProperty(kCaptionProperty, caption);
}

QString DesignerCaption(const QObject* object) {
  return object->property(kCaptionProperty).toString();
}

bool HasDesignerCaption(const QObject* object) {
  return object->property(kCaptionProperty).isValid();
}

void SaveCaptions(QObject* root) {
  SaveOne(root);
  for (QObject* child : root->findChildren<QObject*>()) SaveOne(child);
}

QString TranslatedCaption(const QObject* object, const Translator& translate) {
  QString saved = DesignerCaption(object);
  if (!translate) return saved;
  return QString::fromStdString(translate(saved.toStdString()));
}

void ApplyCaptions(QObject* root, const Translator& translate) {
  auto apply = [&](QObject* object) {
    if (HasDesignerCaption(object)) ShowCaption(object, TranslatedCaption(object, translate));
  };
  apply(root);
  for (QObject* child : root->findChildren<QObject*>()) apply(child);
}

QString Tr(const Translator& translate, const char* japanese) {
  if (!translate) return QString::fromUtf8(japanese);
  return QString::fromStdString(translate(japanese));
}

}  // namespace sakuzu
