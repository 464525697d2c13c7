// Writes the built-in English table as a user dictionary ("source ==
// English" lines, UTF-8), which the program ships as dic_zk4_english.txt:
// a teacher who wants other wording copies it into the program's folder as
// dic_zk4.txt, edits it and chooses Language > Manual.
#include <fstream>
#include <iostream>
#include <string_view>

#include "lang/translate.h"

namespace {

// The dictionary cuts a line at its first "=" within the first 99
// characters and takes the text after the second as the translation; a
// source past that, or a text with an "=" of its own, cannot be written as
// a line.
bool FitsOneLine(const sakuzu::EnglishEntry& entry) {
  size_t characters = 0;
  for (char c : entry.source) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return !entry.source.empty() && characters < 98 &&
         entry.source.find('=') == std::string_view::npos &&
         entry.english.find('=') == std::string_view::npos;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: sakuzu_english_dictionary OUTPUT\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << "\xEF\xBB\xBF";
  for (const sakuzu::EnglishEntry& entry : sakuzu::EnglishTable()) {
    if (!FitsOneLine(entry)) continue;
    out << entry.source << " == " << entry.english << "\r\n";
  }
  out.close();
  if (!out) {
    std::cerr << argv[1] << ": cannot be written\n";
    return 1;
  }
  return 0;
}
