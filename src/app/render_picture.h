// The picture of a figure as the drawing area shows it right after the
// start-up with the figure on the command line, made without a window.
#pragma once

#include <QImage>
#include <string>

#include "platform/shell.h"

namespace sakuzu {

struct RenderOptions {
  std::string figurePath;
  std::string outputPath;
  int width = 640;  // the drawing area in pixels
  int height = 480;
  double scale = 1;      // device pixels per pixel of the drawing area
  std::string language;  // empty: the language of the settings file
};

// Runs the start-up steps that concern the drawing (settings, language,
// view, modes, the figure, the complex-number view) on a canvas of the
// given size. Needs a QGuiApplication. False with a message when the
// figure cannot be read.
bool RenderFigurePicture(const RenderOptions& options, Shell& shell, QImage& picture,
                         std::string& message);

}  // namespace sakuzu
