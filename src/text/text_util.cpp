#include "text/text_util.h"

#include <vector>

namespace sakuzu {
namespace {

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offsets of each character start, plus the end offset.
std::vector<size_t> CharStarts(std::string_view s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!IsContinuationByte(static_cast<unsigned char>(s[i]))) starts.push_back(i);
  }
  starts.push_back(s.size());
  return starts;
}

bool IsBlank(char c) { return c == ' '; }

}  // namespace

std::string NthField(std::string_view text, std::string_view separators, int n) {
  if (n < 1) return {};
  std::string_view rest = text;
  for (int piece = 1;; ++piece) {
    // Find the earliest separator among the first 99 characters.
    size_t cut = std::string_view::npos;
    int position = 0;
    for (size_t i = 0; i < rest.size(); ++i) {
      if (IsContinuationByte(static_cast<unsigned char>(rest[i]))) continue;
      if (++position >= 100) break;
      if (separators.find(rest[i]) != std::string_view::npos) {
        cut = i;
        break;
      }
    }
    if (cut == std::string_view::npos) return piece == n ? std::string(rest) : std::string();
    if (piece == n) return std::string(rest.substr(0, cut));
    rest = rest.substr(cut + 1);
  }
}

std::string TrimLeft(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return std::string(text.substr(0, n));
}

std::string Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

int CharCount(std::string_view utf8) {
  int count = 0;
  for (char c : utf8) {
    if (!IsContinuationByte(static_cast<unsigned char>(c))) ++count;
  }
  return count;
}

std::string CutToChars(std::string_view utf8, int maxChars) {
  if (maxChars <= 0) return {};
  std::vector<size_t> starts = CharStarts(utf8);
  if (static_cast<int>(starts.size()) - 1 <= maxChars) return std::string(utf8);
  return std::string(utf8.substr(0, starts[maxChars]));
}

std::string PadToChars(std::string_view utf8, int width) {
  std::string out = CutToChars(utf8, width);
  out.append(static_cast<size_t>(width - CharCount(out)), ' ');
  return out;
}

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value) {
  if (placeholder.empty()) return;
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace sakuzu
