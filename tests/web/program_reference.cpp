// The steps a page of the program made, made again through the program's
// core, and the figure written as the program writes it: the browser test
// compares the file the page saved with this one.
//   sakuzu_program_reference STEPS OUT.zk4
// STEPS, one a line: "size W H", "command NAME", "pointer KIND X Y BUTTON
// HELD SHIFT CTRL", "key CODE SHIFT CTRL" (the page's calls, its numbers
// exactly as it sent them).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fake_canvas.h"
#include "session/session.h"

int main(int argc, char** argv) {
  using namespace sakuzu;
  if (argc != 3) {
    std::fprintf(stderr, "usage: sakuzu_program_reference STEPS OUT.zk4\n");
    return 2;
  }
  std::ifstream steps(argv[1]);
  std::string line, word;
  int width = 640, height = 480;
  if (std::getline(steps, line)) std::istringstream(line) >> word >> width >> height;
  testing::FakeCanvas canvas(width, height);
  FrontEnd front;
  std::string folder = (std::filesystem::temp_directory_path() / "sakuzu-reference").string();
  std::filesystem::create_directories(folder);
  Session session(canvas, front, folder);
  // As the page starts: the standard settings, an empty figure.
  session.ResetForStartUp();
  session.LoadSettings();
  session.SetScreen();
  session.StartModes();
  session.fig.FigureFileName = "untitled";
  session.SetMenuMode(session.settings.menuMode);
  session.Redraw();
  while (std::getline(steps, line)) {
    std::istringstream in(line);
    in >> word;
    if (word == "command") {
      std::string name;
      in >> name;
      if (name != "mnuSave") session.Command(name);  // the page's save downloads
    } else if (word == "pointer") {
      int kind = 0, button = 0, held = 0, shift = 0, ctrl = 0;
      MouseInput input;
      in >> kind >> input.px >> input.py >> button >> held >> shift >> ctrl;
      input.button = button == 0   ? MouseButton::kLeft
                     : button == 1 ? MouseButton::kRight
                     : button == 2 ? MouseButton::kMiddle
                                   : MouseButton::kNone;
      input.leftHeld = held != 0, input.shift = shift != 0, input.ctrl = ctrl != 0;
      if (kind == 0) session.MouseDown(input);
      if (kind == 1) {
        input.button = MouseButton::kNone;
        session.MouseMove(input);
      }
      if (kind == 2) session.MouseUp(input);
      if (kind == 3) session.DoubleClick();
    } else if (word == "key") {
      KeyInput key;
      int shift = 0, ctrl = 0;
      in >> key.code >> shift >> ctrl;
      key.shift = shift != 0, key.ctrl = ctrl != 0;
      session.KeyDown(key);
    }
  }
  return session.WriteFigureFile(argv[2]).ok ? 0 : 1;
}
