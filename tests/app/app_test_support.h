// Helpers shared by the window's tests: a fresh program folder per run,
// small text and figure files written by the test itself.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "model/figure.h"
#include "model/figure_file.h"

namespace sakuzu::test {

// Points the program's folder at a new empty folder for this run.
inline QTemporaryDir& FreshProgramFolder() {
  static QTemporaryDir dir;
  qputenv("SAKUZU_HOME", dir.path().toUtf8());
  return dir;
}

inline std::filesystem::path Home() { return qEnvironmentVariable("SAKUZU_HOME").toStdString(); }

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool Has(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

inline int AddFreePoint(Figure& fig, double x, double y, int16_t style, int16_t color,
                        const std::string& name) {
  int step = AppendStep(fig);
  fig.StepKind[step] = "PNEW";
  int p = AddObject(fig, kPointClass);
  fig.StepOutputs[step][1] = ObjectRef{kPointClass, static_cast<int16_t>(p)};
  PointRecord& point = fig.Points[p];
  point.x = x;
  point.y = y;
  point.style = style;
  point.color = color;
  point.exists = kTrue;
  point.independent = kTrue;
  point.name = name;
  return p;
}

// A step of `kind` on points 1 and 2 with one output of class `out`.
inline int AddStepOnFirstTwoPoints(Figure& fig, const char* kind, int16_t out) {
  int step = AppendStep(fig);
  fig.StepKind[step] = kind;
  fig.StepInputs[step][1] = {kPointClass, 1};
  fig.StepInputs[step][2] = {kPointClass, 2};
  int object = AddObject(fig, out);
  fig.StepOutputs[step][1] = {out, static_cast<int16_t>(object)};
  return object;
}

// The control `name` of a dialog; stops the run when there is none.
template <class T>
T* Find(QWidget* dialog, const char* name) {
  T* widget = dialog->findChild<T*>(name);
  if (!widget) qFatal("no control %s", name);
  return widget;
}

// Runs `drive` on the modal dialog the next call opens; closes it if the
// steps left it open, so that a failure cannot hang the run.
inline void WhenModal(std::function<void(QDialog*)> drive) {
  QTimer::singleShot(0, [drive] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) qFatal("no modal dialog");
    drive(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

// Writes the figure to `path`; fails the test when it cannot.
inline void WriteFigure(Figure& fig, const std::string& path) {
  FileOutcome outcome = ReadWriteFigure(fig, path, FigureFileMode::kWrite);
  QVERIFY2(outcome.ok, outcome.message.c_str());
}

}  // namespace sakuzu::test
