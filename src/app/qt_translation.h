// Qt's own dialogs and buttons (the file, font and colour dialogs, OK and
// Cancel of message and input boxes) follow the program's language through
// Qt's translation files. Without the files they stay English.
#pragma once

#include <QString>
#include <string>

namespace sakuzu {

// The folder of Qt's translation files on this system.
QString QtTranslationsFolder();

// Puts Qt's translation for the language setting in place of the one put
// before: Japanese for "Japanese" (and for an empty or unknown setting,
// which translate as Japanese), the desktop's language for "Manual", none
// for "English". Returns whether a translation is now installed.
bool ApplyQtTranslation(const std::string& languageSetting,
                        const QString& folder = QtTranslationsFolder());

}  // namespace sakuzu
