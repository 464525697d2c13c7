// Text encodings of the files the program reads and writes. Everything
// inside the program is UTF-8; files written by older programs are CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sakuzu {

bool IsValidUtf8(std::string_view bytes);

// Bytes of a file as UTF-8 text. After a BOM: UTF-8. Without one: UTF-8
// when the bytes are valid UTF-8, unless CP932 reads them as nothing but
// ASCII and half-width katakana while UTF-8 finds no Japanese in them;
// otherwise CP932. Nothing when they are neither.
std::optional<std::string> DecodeFileText(std::string_view bytes);

// The lines of a file (ended by LF or CR LF), each decoded on its own by
// the rules above (a BOM at the start holds for every line), so that one
// damaged line costs only itself: it is nothing.
std::vector<std::optional<std::string>> DecodeFileLines(std::string_view bytes);

// UTF-8 text to file bytes: CP932 when every character fits and no line of
// the CP932 bytes could pass for UTF-8, otherwise UTF-8 with a BOM. Either
// way the text reads back identical, whole or line by line.
std::string EncodeFileText(std::string_view utf8);

// Conversions between UTF-8 and CP932; nothing when a character does not
// convert.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

}  // namespace sakuzu
