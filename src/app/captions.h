// The captions of menu items and controls and their translation. Every
// control keeps the caption it was designed with (the Japanese text), so
// that a change of language always translates from that text and never
// from a caption that was translated before.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

namespace sakuzu {

using Translator = std::function<std::string(const std::string&)>;

// The designer caption of a control, menu item or window title; the
// caption shown is left as it is.
void SetDesignerCaption(QObject* object, const QString& caption);
QString DesignerCaption(const QObject* object);
bool HasDesignerCaption(const QObject* object);

// Saves the current caption of every menu item, button and group box under
// `root` (and `root` itself) that has none saved yet.
void SaveCaptions(QObject* root);

// Sets every control under `root` that has a designer caption to the
// caption's translation.
void ApplyCaptions(QObject* root, const Translator& translate);

// The caption a control would get now: the translation of its designer
// caption.
QString TranslatedCaption(const QObject* object, const Translator& translate);

QString Tr(const Translator& translate, const char* japanese);

}  // namespace sakuzu
