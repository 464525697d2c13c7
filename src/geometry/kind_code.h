// Kind codes ("P1", "PC2", "NA3+", ...) packed into one integer, so that
// the per-kind computations choose their routine with a switch instead of
// a chain of string comparisons on every step of every pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sakuzu {

// Matches no kind: the empty text and texts longer than any code.
constexpr uint64_t kNoKindCode = 0;
constexpr size_t kMaxPackedKindLength = 7;

// The bytes of `text` in the low seven bytes and its length in the top
// one. Keeping the length apart means texts that differ only by trailing
// NUL bytes still get different codes, so a code is equal exactly when
// the text is.
constexpr uint64_t KindCode(std::string_view text) {
  if (text.empty() || text.size() > kMaxPackedKindLength) return kNoKindCode;
  uint64_t code = static_cast<uint64_t>(text.size()) << 56;
  for (size_t i = 0; i < text.size(); ++i) {
    code |= static_cast<uint64_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  }
  return code;
}

// Views with the blanks (' ' only, as TrimLeft and TrimRight) removed,
// without copying the text.
constexpr std::string_view TrimLeftView(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  return text.substr(i);
}

constexpr std::string_view TrimRightView(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

constexpr std::string_view TrimView(std::string_view text) {
  return TrimRightView(TrimLeftView(text));
}

}  // namespace sakuzu
