// The program's folder: where the settings file, the dictionaries, the
// templates and the temporary copies live.
#pragma once

#include <string>
#include <string_view>

namespace sakuzu {

// SAKUZU_HOME when set; else the executable's folder when writable; else
// ~/.local/share/sakuzu (created on demand).
std::string ProgramFolder();

// The folder of the shipped files (sample.zk4, templates): the program's
// folder when it holds them, else the executable's folder when it does,
// else the install's share/sakuzu.
std::string SharedFilesFolder();

// A file shipped with the program (the page template, the page's viewer):
// the program's folder's own copy when it has one (the user may adapt it
// there), else the one beside the executable, else the install's; empty
// when there is none.
std::string ShippedFile(std::string_view name);

}  // namespace sakuzu
