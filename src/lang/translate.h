// Every caption and message passes through Translate: Japanese as written,
// the built-in English table, or the user's own dictionary file.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sakuzu {

constexpr std::string_view kDictionaryFileName = "dic_zk4.txt";
constexpr std::string_view kNeededFileName = "dic_needed.txt";

// The language state the window owns. `setting` is "Japanese", "English",
// "Manual" or empty; any other value translates as Japanese.
struct Language {
  std::string setting;
  std::string programFolder;  // where the dictionary files live

  // The user dictionary: parallel arrays indexed from 1 (slot 0 unused),
  // loaded at most once, on the first translation request in manual mode.
  std::vector<std::string> dictionarySources;
  std::vector<std::string> dictionaryTranslations;
  int dictionaryCount = 0;
  bool dictionaryLoaded = false;

  // Encoding of "dic_needed.txt", found on the first append of a run so
  // that appends never mix two encodings in one file.
  enum class NeededEncoding { kUnknown, kUtf8, kCp932 };
  NeededEncoding neededEncoding = NeededEncoding::kUnknown;
};

// The instance the application uses; tests make their own.
Language& DefaultLanguage();

// The setting as every test of it sees it: trimmed and lower-cased.
std::string NormalisedSetting(std::string_view setting);

std::string Translate(Language& language, std::string_view text);
// A translate callback bound to `language`, for the layers that take one
// (the same type as the model's TranslateFn).
std::function<std::string(const std::string&)> MakeTranslator(Language& language);

// The built-in English table lookup: the trimmed text when it has no entry.
std::string EnglishFor(std::string_view text);
// The user dictionary lookup; a miss is appended to "dic_needed.txt".
std::string ManualFor(Language& language, std::string_view text);
// (Re)reads "dic_zk4.txt" from the program's folder into the arrays.
void LoadUserDictionary(Language& language);

struct EnglishEntry {
  std::string_view source;
  std::string_view english;
};
// The built-in table in its order.
std::span<const EnglishEntry> EnglishTable();

}  // namespace sakuzu
