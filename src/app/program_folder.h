// The program's folder: where the settings file, the dictionaries, the
// templates and the temporary copies live.
#pragma once

#include <string>

namespace sakuzu {

// SAKUZU_HOME when set; else the executable's folder when writable; else
// ~/.local/share/sakuzu (created on demand).
std::string ProgramFolder();

// The folder of the shipped files (sample.zk4, templates): the program's
// folder when it holds them, else the executable's folder when it does,
// else the install's share/sakuzu.
std::string SharedFilesFolder();

}  // namespace sakuzu
