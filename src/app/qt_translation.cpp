#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "lang/translate.h"

namespace sakuzu {
namespace {

// One translator for the whole application, owned by it.
QPointer<QTranslator>& Installed() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool ApplyQtTranslation(const std::string& languageSetting, const QString& folder) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return false;
  if (QTranslator* old = Installed()) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  std::string setting = NormalisedSetting(languageSetting);
  if (setting == "english") return false;
  // The user's own dictionary is most likely in the desktop's language.
  QLocale locale = setting == "manual" ? QLocale::system() : QLocale(QLocale::Japanese);
  auto* translator = new QTranslator(app);
  if (!translator->load(locale, "qtbase", "_", folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  Installed() = translator;
  return true;
}

}  // namespace sakuzu
