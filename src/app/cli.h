// The command-line modes of the program: they run without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sakuzu {

// Runs the command-line mode named by `args` (without the program name).
// Returns the exit status. Until the window is built, a plain FILE prints a
// summary of the figure.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sakuzu
