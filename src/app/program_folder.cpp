#include "app/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "lang/translate.h"

#ifndef SAKUZU_DATA_FROM_BIN
#define SAKUZU_DATA_FROM_BIN "../share/sakuzu"
#endif

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr const char* kJapaneseManual = "document/help.htm";
constexpr const char* kEnglishManual = "document/help_en.htm";

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

bool HoldsSharedFiles(const fs::path& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_regular_file(folder / "sample.zk4", ec);
}

// The install's data folder, as the install rules place it beside bin/.
fs::path InstalledDataFolder() {
  std::string exeFolder = ExecutableFolder();
  if (exeFolder.empty()) return {};
  return (fs::path(exeFolder) / SAKUZU_DATA_FROM_BIN).lexically_normal();
}

// As the translation: anything but English and the user's dictionary is
// Japanese.
bool IsJapanese(std::string_view languageSetting) {
  std::string setting = NormalisedSetting(languageSetting);
  return setting != "english" && setting != "manual";
}

// The user's own folder of the program, not yet created.
std::string UserFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && fs::path(dataHome).is_absolute()) {
    return (fs::path(dataHome) / "sakuzu").string();
  }
  const char* userHome = std::getenv("HOME");
  return (fs::path(userHome != nullptr && *userHome != '\0' ? userHome : "/tmp") /
          ".local/share/sakuzu")
      .string();
}

}  // namespace

std::string ProgramFolder() {
  if (const char* home = std::getenv("SAKUZU_HOME"); home != nullptr && *home != '\0') {
    return home;
  }
  std::string exeFolder = ExecutableFolder();
  bool installed = HoldsSharedFiles(InstalledDataFolder());
  if (!installed && !exeFolder.empty() && ::access(exeFolder.c_str(), W_OK) == 0) {
    return exeFolder;
  }
  std::string folder = UserFolder();
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

std::string SharedFilesFolder() {
  std::string folder = ProgramFolder();
  if (HoldsSharedFiles(folder)) return folder;
  // The build puts the shipped files beside the executable; the program's
  // folder is elsewhere when SAKUZU_HOME is set or that folder is read-only.
  std::string exeFolder = ExecutableFolder();
  if (HoldsSharedFiles(exeFolder)) return exeFolder;
  fs::path installed = InstalledDataFolder();
  std::error_code ec;
  if (!installed.empty() && fs::is_directory(installed, ec)) return installed.string();
  return folder;
}

std::string ShippedFile(std::string_view name) {
  std::vector<fs::path> folders = {ProgramFolder()};
  if (std::string exeFolder = ExecutableFolder(); !exeFolder.empty()) {
    folders.push_back(exeFolder);
    folders.push_back(InstalledDataFolder());
  }
  std::error_code ec;
  for (const fs::path& folder : folders) {
    fs::path file = folder / name;
    if (fs::is_regular_file(file, ec)) return file.string();
  }
  return {};
}

std::optional<std::string> FindManual(const std::vector<std::string>& folders,
                                      std::string_view languageSetting) {
  bool japanese = IsJapanese(languageSetting);
  const char* first = japanese ? kJapaneseManual : kEnglishManual;
  const char* second = japanese ? kEnglishManual : kJapaneseManual;
  std::error_code ec;
  for (const char* name : {first, second}) {
    for (const std::string& folder : folders) {
      fs::path path = fs::path(folder) / name;
      if (fs::is_regular_file(path, ec)) return path.string();
    }
  }
  return std::nullopt;
}

std::string ExpectedManualPath(std::string_view languageSetting) {
  const char* manual = IsJapanese(languageSetting) ? kJapaneseManual : kEnglishManual;
  return (fs::path(SharedFilesFolder()) / manual).string();
}

}  // namespace sakuzu
