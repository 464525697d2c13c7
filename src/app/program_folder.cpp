#include "app/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::string ProgramFolder() {
  if (const char* home = std::getenv("SAKUZU_HOME"); home != nullptr && *home != '\0') {
    return home;
  }
  std::string exeFolder = ExecutableFolder();
  if (!exeFolder.empty() && ::access(exeFolder.c_str(), W_OK) == 0) return exeFolder;
  const char* userHome = std::getenv("HOME");
  fs::path folder = fs::path(userHome != nullptr ? userHome : "/tmp") / ".local/share/sakuzu";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder.string();
}

std::string SharedFilesFolder() {
  std::string folder = ProgramFolder();
  std::error_code ec;
  if (fs::exists(fs::path(folder) / "sample.zk4", ec)) return folder;
  // The build puts the shipped figures beside the executable; the program's
  // folder is elsewhere when SAKUZU_HOME is set or that folder is read-only.
  std::string exeFolder = ExecutableFolder();
  if (!exeFolder.empty() && fs::exists(fs::path(exeFolder) / "sample.zk4", ec)) return exeFolder;
  fs::path installed = fs::path(exeFolder).parent_path() / "share/sakuzu";
  if (fs::exists(installed, ec)) return installed.string();
  return folder;
}

std::string ShippedFile(std::string_view name) {
  std::vector<fs::path> folders = {ProgramFolder()};
  if (std::string exeFolder = ExecutableFolder(); !exeFolder.empty()) {
    folders.push_back(exeFolder);
    folders.push_back(fs::path(exeFolder).parent_path() / "share/sakuzu");
  }
  std::error_code ec;
  for (const fs::path& folder : folders) {
    fs::path file = folder / name;
    if (fs::is_regular_file(file, ec)) return file.string();
  }
  return {};
}

}  // namespace sakuzu
