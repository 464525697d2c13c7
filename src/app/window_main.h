// The program with its window, and the picture of a figure made without
// one (the --render command line).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sakuzu {

// Opens the main window with the figure named on the command line (none
// when it names nothing) and runs the event loop; returns the exit status.
int RunWindow(int argc, char** argv);

// sakuzu --render FILE --output PICTURE.png [--size WxH] [--language L]:
// draws the figure as a drawing area of that size shows it right after
// start-up with FILE on the command line, and writes the picture.
// `args` starts with "--render".
int RenderCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& err);

// sakuzu --export FILE --output OUT [--size WxH] [--scale S] [--language L]:
// the same drawing written by the output's extension: .png or .bmp pixels,
// .svg or .pdf vector pictures, .htm or .html the figure's page. `args`
// starts with "--export".
int ExportCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& err);

}  // namespace sakuzu
