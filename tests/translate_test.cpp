#include "lang/translate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "japanese_text.h"
#include "text/encoding.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

// Every text the program hands to the English table, one per line between
// two '|' marks (see the head of the file).
std::vector<std::string> EnglishSources() {
  std::ifstream in(std::string(SAKUZU_TEST_DATA) + "/english_sources.txt", std::ios::binary);
  std::vector<std::string> texts;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    EXPECT_TRUE(line.size() >= 2 && line[0] == '|' && line.back() == '|') << line;
    texts.push_back(line.size() >= 2 ? line.substr(1, line.size() - 2) : line);
  }
  return texts;
}

// The string literals of a C++ source as the program sees them: adjacent
// literals joined; comments and character literals skipped.
std::vector<std::string> StringLiterals(std::string_view code) {
  std::vector<std::string> literals;
  bool joinsLast = false;
  size_t i = 0;
  while (i < code.size()) {
    if (code.substr(i, 2) == "//" || code.substr(i, 2) == "/*") {
      bool line = code[i + 1] == '/';
      i = code.find(line ? "\n" : "*/", i + 2);
      if (i == std::string_view::npos) break;
      i += line ? 1 : 2;
      continue;
    }
    char quote = code[i];
    if (quote != '"' && quote != '\'') {
      if (quote != ' ' && quote != '\n' && quote != '\r' && quote != '\t') joinsLast = false;
      ++i;
      continue;
    }
    std::string text;
    for (++i; i < code.size() && code[i] != quote; ++i) {
      char c = code[i];
      if (c == '\\' && i + 1 < code.size()) {
        c = code[++i];
        c = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
      }
      text += c;
    }
    ++i;
    if (quote == '\'') {
      joinsLast = false;
    } else if (joinsLast) {
      literals.back() += text;
    } else {
      literals.push_back(std::move(text));
      joinsLast = true;
    }
  }
  return literals;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DictionaryFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("sakuzu_lang_") + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    language_.setting = " Manual ";
    language_.programFolder = folder_.string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  void WriteFile(std::string_view name, std::string_view bytes) {
    std::ofstream out(folder_ / std::string(name), std::ios::binary);
    out << bytes;
  }
  std::string ReadFile(std::string_view name) { return Slurp(folder_ / std::string(name)); }

  fs::path folder_;
  Language language_;
};

TEST(Translate, ModesTrimOnlyOutsideJapanese) {
  Language lang;
  EXPECT_EQ(Translate(lang, "  三角形の外心 "), "  三角形の外心 ");  // empty setting
  lang.setting = "Japanese";
  EXPECT_EQ(Translate(lang, " 三角形の外心"), " 三角形の外心");
  lang.setting = "Klingon";  // anything unknown behaves as Japanese
  EXPECT_EQ(Translate(lang, " 円 "), " 円 ");
  lang.setting = "  ENGLISH ";
  EXPECT_EQ(Translate(lang, "  三角形の外心 "), "circumcenter");
  EXPECT_EQ(Translate(lang, "  未登録の文 "), "未登録の文");
  EXPECT_EQ(NormalisedSetting(" MaNuAl "), "manual");
  auto bound = MakeTranslator(lang);
  EXPECT_EQ(bound("繰り返し(Redo)"), "Redo");
  lang.setting = "Japanese";  // the callback follows the live setting
  EXPECT_EQ(bound("繰り返し(Redo)"), "繰り返し(Redo)");
}

TEST(EnglishTable, CoversEverySourceAndTellingRows) {
  std::map<std::string_view, std::string_view> table;
  for (const EnglishEntry& e : EnglishTable()) {
    EXPECT_TRUE(table.emplace(e.source, e.english).second) << "duplicate " << e.source;
    if (!e.source.empty()) {
      EXPECT_FALSE(e.english.empty()) << e.source;
    }
  }
  const std::vector<std::string> sources = EnglishSources();
  ASSERT_EQ(sources.size(), 656u);
  const std::set<std::string_view> listed(sources.begin(), sources.end());
  EXPECT_EQ(listed.size(), sources.size());
  EXPECT_EQ(table.size(), listed.size());  // no extras
  for (std::string_view source : listed) EXPECT_TRUE(table.count(source)) << source;

  // Symbols, and texts whose English is not a plain rendering.
  const std::pair<const char*, const char*> telling[] = {
      {"＋", "+"},
      {"×", "*"},
      {"÷", "/"},
      {"＾  （べき）", "^"},
      {"■", "%%"},
      {"Δ", "/]"},
      {"* 2", "* 2"},
      {"■幾何的対象(数,点,線,円)の詳細データ■", "%%  detail of geometrical objects  %%"},
      {"0より大きく100以下の数を入力してください", "input number(1 - 100)"},
      {"最後抹消(Undo)", "Undo"},
      {"一次変換 (2点とその像で決定)", "liner trans."},
  };
  for (const auto& [source, english] : telling) EXPECT_EQ(EnglishFor(source), english) << source;

  // Exact comparison: the half-width, full-width and case variants are
  // separate rows, and a near miss comes back trimmed, not translated.
  EXPECT_EQ(EnglishFor("  ＋ "), "+");
  EXPECT_EQ(EnglishFor("最後抹消(UNDO)"), "最後抹消(UNDO)");
  EXPECT_EQ(EnglishFor("x"), "x");
}

// Every Japanese text written in the program's code has English without
// Japanese in it, so that a caption, prompt or message added later cannot
// stay Japanese in the English mode. Texts are translated whole: a piece
// glued to others before translation shows up here as a missing row.
TEST(EnglishTable, EveryJapaneseTextOfTheCodeHasEnglish) {
  // Font names as the system knows them, and the keys the new-figure
  // question accepts on a Japanese keyboard: looked up, never shown.
  const std::set<std::string> notShown = {
      "ＭＳ Ｐゴシック", "msゴシック", "mspゴシック", "メイリオ", "ﾗ", "ラ", "Ｙ", "Ｓ", "シ", "ｼ"};
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(SAKUZU_SOURCE_DIR)) {
    const fs::path& path = entry.path();
    if (path.extension() != ".cpp" && path.extension() != ".h") continue;
    if (path.filename() == "english_table.cpp") continue;
    for (const std::string& text : StringLiterals(Slurp(path))) {
      if (!test::HasJapanese(text) || notShown.count(text)) continue;
      ++checked;
      EXPECT_FALSE(test::HasJapanese(EnglishFor(text))) << path.filename() << ": " << text;
    }
  }
  EXPECT_GT(checked, 300);  // the scan saw the menus, kinds, modes and messages
}

TEST_F(DictionaryFolder, LinesNeedTwoSeparatorsAndLoadOnce) {
  std::string longSource(100, 'a');
  WriteFile(kDictionaryFileName,
            "\xEF\xBB\xBF"  // a BOM is dropped
            " 円 == Circle \r\n"
            "点=any word=Point\r\n"
            "線=Line\r\n"  // one separator: no translation
            "=x=NoSource\n" +
                longSource +
                "==Long\n"
                "直線==Straight line");  // last line without an end
  EXPECT_EQ(Translate(language_, "  円"), "Circle");
  EXPECT_EQ(Translate(language_, "点"), "Point");
  EXPECT_EQ(Translate(language_, "直線"), "Straight line");
  EXPECT_EQ(Translate(language_, "線"), "線");
  EXPECT_EQ(Translate(language_, longSource), longSource);
  EXPECT_EQ(language_.dictionaryCount, 3);
  EXPECT_EQ(language_.dictionarySources.size(), 11u);  // slots 1 to 10

  // Loaded once per run: a later change of the file is not seen.
  WriteFile(kDictionaryFileName, "線==Line\r\n");
  EXPECT_EQ(Translate(language_, "線"), "線");
  EXPECT_EQ(ReadFile(kNeededFileName), "線 = \r\n" + longSource + " = \r\n線 = \r\n");
}

TEST_F(DictionaryFolder, ElevenLinesGrowTheArraysAndCp932IsRead) {
  std::string text;
  for (int i = 1; i <= 11; ++i)
    text += "語" + std::to_string(i) + "==W" + std::to_string(i) + "\r\n";
  WriteFile(kDictionaryFileName, *Utf8ToCp932(text));
  LoadUserDictionary(language_);
  EXPECT_EQ(language_.dictionaryCount, 11);
  EXPECT_EQ(language_.dictionarySources.size(), 12u);
  EXPECT_EQ(ManualFor(language_, "語11"), "W11");
  EXPECT_EQ(ManualFor(language_, "語1"), "W1");
}

TEST_F(DictionaryFolder, MissesAreListedInTheFilesEncoding) {
  // No dictionary: every text comes back trimmed and is listed each time.
  EXPECT_EQ(ManualFor(language_, " 円 "), "円");
  EXPECT_EQ(ManualFor(language_, "円"), "円");
  EXPECT_EQ(language_.dictionarySources.size(), 11u);
  EXPECT_EQ(ReadFile(kNeededFileName), "円 = \r\n円 = \r\n");

  // A list left by an older program stays CP932 ...
  Language old;
  old.setting = "manual";
  old.programFolder = folder_.string();
  WriteFile(kNeededFileName, *Utf8ToCp932("点 = \r\n"));
  Translate(old, "線");
  EXPECT_EQ(ReadFile(kNeededFileName), *Utf8ToCp932("点 = \r\n線 = \r\n"));
  // ... until a text CP932 cannot hold turns the whole file into UTF-8.
  Translate(old, "😀");
  EXPECT_EQ(ReadFile(kNeededFileName), "点 = \r\n線 = \r\n😀 = \r\n");
  Translate(old, "円");
  EXPECT_EQ(*DecodeFileText(ReadFile(kNeededFileName)), "点 = \r\n線 = \r\n😀 = \r\n円 = \r\n");
}

}  // namespace
}  // namespace sakuzu
