// Loads arbitrary bytes as a figure and, when the reader accepts them, runs
// everything a window does with a fresh figure: the full update, the
// automatic names and the data report. None of it may crash, hang or leave
// a non-finite value on an existing object.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "geometry/engine.h"
#include "geometry/recalc.h"
#include "model/figure.h"
#include "model/figure_file.h"
#include "model/report.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"

using namespace sakuzu;

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  __builtin_printf("invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  Figure fig;
  FileError error;
  if (!ParseFigureBytes(bytes, "fuzz", fig, error)) return 0;
  Engine engine;
  InstallExpressionEvaluator(engine);
  FullUpdateCompute(fig, engine);
  FullUpdateCompute(fig, engine);
  UpdateAutoNames(fig);
  for (int i = 1; i <= fig.ObjectCounts[kNumberClass]; ++i) {
    const NumberRecord& n = fig.Numbers[i];
    Check(n.exists == 0 || std::isfinite(n.value), "existing number is finite");
  }
  for (int i = 1; i <= fig.ObjectCounts[kPointClass]; ++i) {
    const PointRecord& p = fig.Points[i];
    Check(p.exists == 0 || (std::isfinite(p.x) && std::isfinite(p.y)), "existing point is finite");
  }
  for (int i = 1; i <= fig.ObjectCounts[kLineClass]; ++i) {
    const LineRecord& l = fig.Lines[i];
    Check(l.exists == 0 || (std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) &&
                            std::isfinite(l.y2) && std::isfinite(l.dx) && std::isfinite(l.dy)),
          "existing line is finite");
  }
  for (int i = 1; i <= fig.ObjectCounts[kCircleClass]; ++i) {
    const CircleRecord& c = fig.Circles[i];
    Check(c.exists == 0 || (std::isfinite(c.cx) && std::isfinite(c.cy) && std::isfinite(c.radius)),
          "existing circle is finite");
  }
  std::string report = FigureDataReport(fig);
  Check(!report.empty(), "report");
  Figure back;
  Check(ParseFigureBytes(FigureBytes(fig), "fuzz", back, error), "computed figure reads back");
  return 0;
}
