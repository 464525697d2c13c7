// Font names as the settings and the language rule give them, mapped to
// fonts installed here. "FixedSys" and "ＭＳ Ｐゴシック" exist only on the
// system the figures come from; their stand-ins must show Japanese.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>

namespace sakuzu {

// A font that shows Japanese text, proportional or monospace.
QString JapaneseFontFamily();
QString JapaneseMonospaceFamily();

// The families to ask for, best first: the named font when it is installed
// (or its stand-in), then a Japanese font so that no text shows as boxes.
QStringList FontFamiliesFor(const std::string& name);

// A font of the given families and size; `noAntialias` for the
// pixel-exact look of the drawing surface.
QFont MakeFont(const std::string& name, double pointSize, bool noAntialias);

}  // namespace sakuzu
