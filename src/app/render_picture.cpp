#include "app/render_picture.h"

#include <cmath>
#include <filesystem>

#include "app/image_canvas.h"
#include "app/program_folder.h"
#include "app/session.h"

namespace sakuzu {

bool RenderFigurePicture(const RenderOptions& options, Shell& shell, QImage& picture,
                         std::string& message) {
  ImageCanvas canvas(options.width, options.height, options.scale);
  Session session(canvas, shell, ProgramFolder());
  session.ResetForStartUp();
  session.LoadSettings();
  if (!options.language.empty()) session.language.setting = options.language;
  std::error_code ec;
  std::string path = CommandLinePath(options.figurePath);
  if (!std::filesystem::is_regular_file(path, ec)) {
    message = UnreadableFileMessage(path, session.Translator());
    return false;
  }
  canvas.Resize(options.width, options.height, session.view.backColor);
  session.SetScreen();
  session.StartModes();
  session.fig.FigureFileName = "untitled";
  session.Redraw();
  FileOutcome outcome = session.OpenStartUpFigure(path);
  if (!outcome.ok) {
    message = outcome.message;
    return false;
  }
  picture = canvas.Composed();
  // The picture says its real size: a viewer shows --scale 2 at the same
  // size as --scale 1, twice as sharp.
  picture.setDotsPerMeterX(static_cast<int>(std::lround(kCanvasDpi * options.scale / 0.0254)));
  picture.setDotsPerMeterY(static_cast<int>(std::lround(kCanvasDpi * options.scale / 0.0254)));
  return true;
}

}  // namespace sakuzu
