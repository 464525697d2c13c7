#include "text/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The C library's name for Windows' Japanese code page: CP932 where the
// library has it (glibc), else its Shift_JIS (the browser build's libc),
// which agrees on every character of JIS X 0208.
const char* Cp932Name() {
  static const char* name = [] {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "SHIFT_JIS";
    iconv_close(cd);
    return "CP932";
  }();
  return name;
}

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.resize(in.size() * 2 + 16);
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  size_t done = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* outPtr = out.data() + done;
    size_t outLeft = out.size() - done;
    size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    done = out.size() - outLeft;
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    ok = false;  // EILSEQ or EINVAL: a character that does not convert
    break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(done);
  return out;
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Readers may decode a file line by line, so a line is what must not be
// mistaken.
bool SomeLinePassesForUtf8(std::string_view cp932) {
  for (std::string_view line : SplitLines(cp932)) {
    if (!IsAscii(line) && IsValidUtf8(line)) return true;
  }
  return false;
}

// Bytes that are valid UTF-8 and whose every non-ASCII byte lies in A1-DF:
// in CP932 they are nothing but half-width katakana, while as UTF-8 they
// hold two-byte characters only (Latin letters with accents, Greek,
// Cyrillic, ...) and not one kana or kanji. In a Japanese figure the
// katakana are the text, so "ﾃｽ" (C3 BD) is not read as "ý".
bool IsKatakanaOnlyCp932(std::string_view bytes) {
  bool any = false;
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) continue;
    if (c < 0xA1 || c > 0xDF) return false;
    any = true;
  }
  return any;
}

// `declaredUtf8`: the file began with a BOM, so valid UTF-8 is taken as it
// stands.
std::optional<std::string> DecodeBytes(std::string_view bytes, bool declaredUtf8) {
  if (IsValidUtf8(bytes) && (declaredUtf8 || !IsKatakanaOnlyCp932(bytes))) {
    return std::string(bytes);
  }
  return Cp932ToUtf8(bytes);
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    unsigned minValue = 0;
    unsigned value = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, minValue = 0x80, value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, minValue = 0x800, value = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, minValue = 0x10000, value = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      value = (value << 6) | (d & 0x3F);
    }
    if (value < minValue || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::optional<std::string> DecodeFileText(std::string_view bytes) {
  bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (bom) bytes.remove_prefix(kBom.size());
  return DecodeBytes(bytes, bom);
}

std::vector<std::optional<std::string>> DecodeFileLines(std::string_view bytes) {
  bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (bom) bytes.remove_prefix(kBom.size());
  std::vector<std::optional<std::string>> lines;
  for (std::string_view line : SplitLines(bytes)) {
    lines.push_back(DecodeBytes(line, bom));
  }
  return lines;
}

std::string EncodeFileText(std::string_view utf8) {
  // Some characters convert to CP932 one way only (U+301C becomes the code
  // that reads back as U+FF5E); such a text is kept in UTF-8 instead. So is
  // a text whose CP932 bytes could be taken for UTF-8 (half-width katakana
  // "ﾃｽ" is C3 BD, which is also "ý"): with the BOM nothing is left to guess.
  if (auto cp932 = Utf8ToCp932(utf8)) {
    if (Cp932ToUtf8(*cp932) == utf8 && !SomeLinePassesForUtf8(*cp932)) return *cp932;
  }
  return std::string(kBom) + std::string(utf8);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return Convert(Cp932Name(), "UTF-8", utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", Cp932Name(), cp932);
}

}  // namespace sakuzu
