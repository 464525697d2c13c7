#include "app/render_picture.h"

#include <cmath>
#include <filesystem>

#include "app/program_folder.h"

namespace sakuzu {

FigureDrawing::FigureDrawing(const RenderOptions& options, FrontEnd& frontEnd)
    : pixels(options.width, options.height, options.scale),
      session(pixels, frontEnd, ProgramFolder()),
      options_(options) {}

bool FigureDrawing::Open(std::string& message) {
  // The message of a missing file speaks the language of the picture.
  session.LoadSettings();
  if (!options_.language.empty()) session.language.setting = options_.language;
  std::error_code ec;
  std::string path = CommandLinePath(options_.figurePath);
  if (!std::filesystem::is_regular_file(path, ec)) {
    message = UnreadableFileMessage(path, session.Translator());
    return false;
  }
  FileOutcome outcome = session.StartWithFigure(path, options_.language);
  if (!outcome.ok) {
    message = outcome.message;
    return false;
  }
  return true;
}

QImage FigureDrawing::Picture() {
  QImage picture = pixels.Composed();
  // The picture says its real size: a viewer shows --scale 2 at the same
  // size as --scale 1, twice as sharp.
  int dotsPerMeter = static_cast<int>(std::lround(kCanvasDpi * options_.scale / 0.0254));
  picture.setDotsPerMeterX(dotsPerMeter);
  picture.setDotsPerMeterY(dotsPerMeter);
  return picture;
}

PainterCanvas FigureDrawing::Calls() {
  PainterCanvas calls(pixels.Width(), pixels.Height());
  session.DrawPicture(calls);
  return calls;
}

bool RenderFigurePicture(const RenderOptions& options, FrontEnd& frontEnd, QImage& picture,
                         std::string& message) {
  FigureDrawing drawing(options, frontEnd);
  if (!drawing.Open(message)) return false;
  picture = drawing.Picture();
  return true;
}

}  // namespace sakuzu
