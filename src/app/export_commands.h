// The main window's commands that take the figure out of the program: the
// clipboard picture, the reduced layouts for pictures, a picture of every
// figure of a folder, the window copy, printing, the online form, the HTML
// page, and the SVG and PDF pictures. None of them changes the figure
// (the batch pictures load each figure in turn, as Load does).
#pragma once

#include <QDeadlineTimer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>

#include "app/painter_canvas.h"
#include "view/canvas.h"

class QPrinter;

namespace sakuzu {

class ZKwin;

class ExportCommands {
 public:
  explicit ExportCommands(ZKwin& window);

  void CopyImageToClipboard();       // mnufBMP
  void CopyThumbnail();              // mnuOWindowMini
  void MakeAllBitmaps();             // mnuHmakeAllBmp
  void CopyWindow();                 // mnuOcopyWindow
  void Print();                      // mnuFprint
  void ExportOnlineForm();           // mnuSaveOnLine
  void ExportHtmlPage();             // mnuf_html
  void SaveVectorPicture(bool pdf);  // mnufSVG, mnufPDF
  void SavePngPicture();             // mnufPNG

  // 0 standard, 1 half size, 2 thumbnail, 3 five-choice layout.
  int16_t PictureMode() const;
  // The folder whose figures the batch pictures are made of.
  std::string BatchFolder() const;

  // The platform services, replaceable so that tests need no desktop.
  // The desktop's "open" of a local file.
  std::function<bool(const std::string& path)> openDocument;
  std::function<bool(const QString& program, const QStringList& arguments)> startProgram;
  // A save dialog for a picture starting at `start`; empty when cancelled.
  std::function<std::string(const std::string& start, const QString& filter)> askPicturePath;
  // A folder for the batch pictures of an untitled figure, starting at
  // `start`; empty when cancelled.
  std::function<std::string(const std::string& start)> askFolder;
  // The print dialog; false when cancelled.
  std::function<bool(QPrinter& printer)> choosePrinter;

 private:
  struct Layout {
    QSize size;
    Qt::WindowStates state;
    CanvasFont font;
    double viewScale = 0;
    double centerX = 0, centerY = 0;
    int16_t menuMode = 0;
  };

  void ApplyPictureMode(int16_t mode);
  void SetMenuMode(int16_t mode);
  PainterCanvas Picture();
  void ShowStatusBar(bool shown);
  // Asks for the window size of a picture layout; the picture goes to the
  // clipboard once the window has taken it (the window system resizes
  // when it likes).
  void ResizeThenCopy(double widthTwips, double heightTwips);
  void CopyOnceSized();
  void OpenPage(const std::string& path);
  void ShowMessage(const std::string& text);
  // The status bar says where an export wrote.
  void Wrote(const std::string& where);
  std::string T(const char* japanese) const;

  ZKwin& w_;
  Layout before_;  // the layout before the half size
  QTimer sizeTimer_;
  QSize wantedSize_;
  QDeadlineTimer sizeDeadline_;
};

}  // namespace sakuzu
