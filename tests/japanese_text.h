// Whether a text holds a character a reader takes for Japanese: kana (full
// and half width), CJK ideographs, Japanese punctuation and the full-width
// forms. The English mode's checks share it.
#pragma once

#include <string_view>

namespace sakuzu::test {

inline bool IsJapaneseCharacter(char32_t c) {
  return (c >= 0x3000 && c <= 0x30FF) ||  // punctuation, hiragana, katakana
         (c >= 0x31F0 && c <= 0x31FF) ||  // small katakana
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) ||  // ideographs
         (c >= 0xFF00 && c <= 0xFFEF);    // full-width forms, half-width katakana
}

inline bool HasJapanese(std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (IsJapaneseCharacter(c)) return true;
    i += static_cast<size_t>(extra) + 1;
  }
  return false;
}

}  // namespace sakuzu::test
