// The picture of a figure as the drawing area shows it right after the
// start-up with the figure on the command line, made without a window.
#pragma once

#include <QImage>
#include <string>

#include "app/image_canvas.h"
#include "app/painter_canvas.h"
#include "session/session.h"

namespace sakuzu {

struct RenderOptions {
  std::string figurePath;
  std::string outputPath;
  int width = 640;  // the drawing area in pixels
  int height = 480;
  double scale = 1;      // device pixels per pixel of the drawing area
  std::string language;  // empty: the language of the settings file
};

// A drawing area without a window: its pixels, and everything the drawing
// works on.
class FigureDrawing {
 public:
  FigureDrawing(const RenderOptions& options, FrontEnd& frontEnd);
  FigureDrawing(const FigureDrawing&) = delete;
  FigureDrawing& operator=(const FigureDrawing&) = delete;

  // Runs the start-up steps that concern the drawing (settings, language,
  // view, modes, the figure, the complex-number view). Needs a
  // QGuiApplication. False with a message when the figure cannot be read.
  bool Open(std::string& message);
  // The pixels, at the scale asked for and saying their real size.
  QImage Picture();

  // The drawing calls of the picture, for vector pictures.
  PainterCanvas Calls();

  ImageCanvas pixels;
  Session session;

 private:
  RenderOptions options_;
};

// The pixels of FigureDrawing::Open.
bool RenderFigurePicture(const RenderOptions& options, FrontEnd& frontEnd, QImage& picture,
                         std::string& message);

}  // namespace sakuzu
