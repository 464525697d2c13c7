// Small text helpers shared by every reader and writer: field splitting,
// trimming and fixed-length texts counted in characters (code points).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sakuzu {

// The n-th piece (1-based) of `text` cut at any of the characters in
// `separators`. Only separators at character positions 1 to 99 are seen.
std::string NthField(std::string_view text, std::string_view separators, int n);

// The lines of a text, ended by CR LF, LF or a lone CR (files from every
// kind of system); a final line end ends the last line.
std::vector<std::string_view> SplitLines(std::string_view text);

std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// Number of characters (code points) of a UTF-8 text.
int CharCount(std::string_view utf8);
// The first `maxChars` characters of a UTF-8 text.
std::string CutToChars(std::string_view utf8, int maxChars);
// The text cut to `width` characters and padded with blanks to exactly that.
std::string PadToChars(std::string_view utf8, int width);

// Replaces every occurrence of `placeholder` (as "{n}") in a message.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value);

// & < > " and ' as character references: safe in page text and attributes.
std::string EscapeHtml(std::string_view text);

}  // namespace sakuzu
