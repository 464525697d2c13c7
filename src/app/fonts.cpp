#include "app/fonts.h"

#include <QFontDatabase>

namespace sakuzu {
namespace {

bool Installed(const QString& family) { return QFontDatabase::hasFamily(family); }

QString FirstInstalled(std::initializer_list<const char*> families, const QString& fallback) {
  for (const char* family : families) {
    if (Installed(QString::fromUtf8(family))) return QString::fromUtf8(family);
  }
  return fallback;
}

QString WithJapanese(QFontDatabase::SystemFont kind) {
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    bool fixed = QFontDatabase::isFixedPitch(family);
    if (fixed == (kind == QFontDatabase::FixedFont)) return family;
  }
  return QFontDatabase::systemFont(kind).family();
}

// The names the figures' home system uses, without regard to case or the
// full-width letters of the Japanese names.
QString StandInFamily(const QString& name) {
  QString key = name.normalized(QString::NormalizationForm_KC).toLower().remove(' ');
  if (key == "fixedsys" || key == "terminal" || key == "msゴシック" || key == "msgothic") {
    return JapaneseMonospaceFamily();
  }
  if (key == "mspゴシック" || key == "mspgothic" || key == "msuigothic" || key == "meiryo" ||
      key == "メイリオ") {
    return JapaneseFontFamily();
  }
  if (key == "arial" || key == "helvetica") {
    return FirstInstalled({"Liberation Sans", "Arimo", "DejaVu Sans"}, JapaneseFontFamily());
  }
  return {};
}

}  // namespace

QString JapaneseFontFamily() {
  static const QString family =
      FirstInstalled({"Noto Sans CJK JP", "IPAPGothic", "VL PGothic", "Droid Sans Japanese"},
                     WithJapanese(QFontDatabase::GeneralFont));
  return family;
}

QString JapaneseMonospaceFamily() {
  static const QString family = FirstInstalled({"Noto Sans Mono CJK JP", "IPAGothic", "VL Gothic"},
                                               WithJapanese(QFontDatabase::FixedFont));
  return family;
}

QStringList FontFamiliesFor(const std::string& name) {
  QString wanted = QString::fromStdString(name).trimmed();
  QStringList families;
  QString standIn = StandInFamily(wanted);
  if (!standIn.isEmpty()) {
    families << standIn;
  } else if (!wanted.isEmpty() && Installed(wanted)) {
    families << wanted;
  }
  if (!families.contains(JapaneseFontFamily())) families << JapaneseFontFamily();
  return families;
}

QFont MakeFont(const std::string& name, double pointSize, bool noAntialias) {
  QFont font;
  font.setFamilies(FontFamiliesFor(name));
  if (pointSize > 0) font.setPointSizeF(pointSize);
  if (noAntialias) font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace sakuzu
