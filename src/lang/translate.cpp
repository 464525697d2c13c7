#include "lang/translate.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unordered_map>

#include "text/encoding.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;
using NeededEncoding = Language::NeededEncoding;

constexpr int kInitialDictionarySize = 10;

fs::path FolderFile(const Language& language, std::string_view name) {
  return fs::path(language.programFolder) / fs::path(std::string(name));
}

std::optional<std::string> ReadBytes(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, std::string_view bytes, std::ios::openmode mode) {
  std::ofstream out(path, std::ios::binary | mode);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file written by an older program is CP932; keep appending in that
// encoding so the file stays readable as a whole.
NeededEncoding DetectNeededEncoding(const fs::path& path) {
  std::optional<std::string> bytes = ReadBytes(path);
  if (!bytes || IsValidUtf8(*bytes)) return NeededEncoding::kUtf8;
  if (!Cp932ToUtf8(*bytes)) return NeededEncoding::kUtf8;  // neither: nothing to keep
  return NeededEncoding::kCp932;
}

// Rewrites a CP932 file as UTF-8, for a text that CP932 cannot hold.
void ConvertToUtf8(const fs::path& path) {
  std::optional<std::string> bytes = ReadBytes(path);
  if (!bytes) return;
  std::optional<std::string> text = Cp932ToUtf8(*bytes);
  if (!text) return;
  WriteBytes(path, *text, std::ios::trunc);
}

void AppendNeeded(Language& language, const std::string& text) {
  fs::path path = FolderFile(language, kNeededFileName);
  std::string line = text + " = \r\n";
  if (language.neededEncoding == NeededEncoding::kUnknown) {
    language.neededEncoding = DetectNeededEncoding(path);
  }
  if (language.neededEncoding == NeededEncoding::kCp932) {
    if (std::optional<std::string> bytes = Utf8ToCp932(line)) {
      WriteBytes(path, *bytes, std::ios::app);
      return;
    }
    ConvertToUtf8(path);
    language.neededEncoding = NeededEncoding::kUtf8;
  }
  WriteBytes(path, line, std::ios::app);
}

void ResetDictionary(Language& language) {
  language.dictionarySources.assign(kInitialDictionarySize + 1, std::string());
  language.dictionaryTranslations.assign(kInitialDictionarySize + 1, std::string());
  language.dictionaryCount = 0;
}

void AddDictionaryEntry(Language& language, std::string source, std::string translation) {
  int index = ++language.dictionaryCount;
  if (index >= static_cast<int>(language.dictionarySources.size())) {
    language.dictionarySources.emplace_back();
    language.dictionaryTranslations.emplace_back();
  }
  language.dictionarySources[index] = std::move(source);
  language.dictionaryTranslations[index] = std::move(translation);
}

const std::unordered_map<std::string_view, std::string_view>& EnglishIndex() {
  static const std::unordered_map<std::string_view, std::string_view> index = [] {
    std::unordered_map<std::string_view, std::string_view> map;
    // emplace keeps the first entry of a source, as a chain of comparisons would.
    for (const EnglishEntry& e : EnglishTable()) map.emplace(e.source, e.english);
    return map;
  }();
  return index;
}

}  // namespace

Language& DefaultLanguage() {
  static Language language;
  return language;
}

std::string NormalisedSetting(std::string_view setting) {
  std::string out = Trim(setting);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string Translate(Language& language, std::string_view text) {
  std::string setting = NormalisedSetting(language.setting);
  if (setting == "english") return EnglishFor(text);
  if (setting == "manual") return ManualFor(language, text);
  return std::string(text);
}

std::function<std::string(const std::string&)> MakeTranslator(Language& language) {
  return [&language](const std::string& text) { return Translate(language, text); };
}

std::string EnglishFor(std::string_view text) {
  std::string trimmed = Trim(text);
  const auto& index = EnglishIndex();
  auto it = index.find(trimmed);
  if (it == index.end()) return trimmed;
  return std::string(it->second);
}

std::string ManualFor(Language& language, std::string_view text) {
  if (!language.dictionaryLoaded) LoadUserDictionary(language);
  std::string trimmed = Trim(text);
  for (size_t i = 1; i < language.dictionarySources.size(); ++i) {
    if (language.dictionarySources[i] == trimmed) return language.dictionaryTranslations[i];
  }
  AppendNeeded(language, trimmed);
  return trimmed;
}

void LoadUserDictionary(Language& language) {
  ResetDictionary(language);
  language.dictionaryLoaded = true;
  std::optional<std::string> bytes = ReadBytes(FolderFile(language, kDictionaryFileName));
  if (!bytes) return;
  std::optional<std::string> text = DecodeFileText(*bytes);
  if (!text) return;
  for (std::string_view line : SplitLines(*text)) {
    std::string source = Trim(NthField(line, "=", 1));
    std::string translation = Trim(NthField(line, "=", 3));
    if (source.empty() || translation.empty()) continue;
    AddDictionaryEntry(language, std::move(source), std::move(translation));
  }
}

}  // namespace sakuzu
