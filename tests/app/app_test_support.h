// Helpers shared by the window's tests: a fresh program folder per run and
// small figure files written by the test itself.
#pragma once

#include <QTemporaryDir>
#include <QtTest>
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

// Writes the figure to `path`; fails the test when it cannot.
inline void WriteFigure(Figure& fig, const std::string& path) {
  FileOutcome outcome = ReadWriteFigure(fig, path, "W");
  QVERIFY2(outcome.ok, outcome.message.c_str());
}

}  // namespace sakuzu::test
