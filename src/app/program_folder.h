// The program's folder: where the settings file, the dictionaries and the
// temporary copies live, and the folder of the files the program ships
// (sample and example figures, the manual, the English dictionary).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sakuzu {

constexpr std::string_view kManualMissingMessage =
    "マニュアルが見つかりません。次の場所にあるはずです:";
constexpr std::string_view kManualNotOpenedMessage =
    "マニュアルをブラウザで開けませんでした。次のファイルを開いてください:";

// SAKUZU_HOME when set. An installed program keeps its shipped files
// read-only and works in the user's folder ($XDG_DATA_HOME/sakuzu, else
// ~/.local/share/sakuzu, created on demand); a program run from its build
// folder works there when it may write, else in the user's folder too.
std::string ProgramFolder();

// The folder of the shipped files: the program's folder when it holds
// them, else the executable's folder when it does (a build), else the
// install's data folder (share/sakuzu beside bin/).
std::string SharedFilesFolder();

// A file shipped with the program (the page template, the page's viewer):
// the program's folder's own copy when it has one (the user may adapt it
// there), else the one beside the executable, else the install's; empty
// when there is none.
std::string ShippedFile(std::string_view name);

// The manual's file for a language setting: "document/help.htm" in
// Japanese, "document/help_en.htm" in any other language (the other one
// when that one is missing), in the first of `folders` that has it.
std::optional<std::string> FindManual(const std::vector<std::string>& folders,
                                      std::string_view languageSetting);
// Where the manual of a language setting should be: among the shipped files.
std::string ExpectedManualPath(std::string_view languageSetting = {});

}  // namespace sakuzu
