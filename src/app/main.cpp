#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#ifdef SAKUZU_WITH_WINDOW
#include "app/window_main.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
#ifdef SAKUZU_WITH_WINDOW
  if (!args.empty() && args[0] == "--render") {
    return sakuzu::RenderCommand(argc, argv, args, std::cerr);
  }
  if (!args.empty() && args[0] == "--export") {
    return sakuzu::ExportCommand(argc, argv, args, std::cerr);
  }
  if (args.empty() || args[0].rfind("--", 0) != 0) return sakuzu::RunWindow(argc, argv);
#endif
  return sakuzu::RunCommandLine(args, std::cout, std::cerr);
}
