// Text encodings of the files the program reads and writes. Everything
// inside the program is UTF-8; files written by older programs are CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sakuzu {

bool IsValidUtf8(std::string_view bytes);

// Bytes of a file as UTF-8 text: UTF-8 (a BOM is dropped) when the bytes
// are valid UTF-8, otherwise CP932. Nothing when they are neither.
std::optional<std::string> DecodeFileText(std::string_view bytes);

// UTF-8 text to file bytes: CP932 when every character fits, otherwise
// UTF-8 with a BOM.
std::string EncodeFileText(std::string_view utf8);

// Conversions between UTF-8 and CP932; nothing when a character does not
// convert.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

}  // namespace sakuzu
