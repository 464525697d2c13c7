// Feeds arbitrary bytes to the figure reader. Besides not crashing, a file
// the reader accepts must write out as a file it accepts again, the writing
// must settle after one round, and merging a figure into itself must keep
// it readable.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/figure.h"
#include "model/figure_file.h"

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
  Figure first;
  FileError error;
  if (!ParseFigureBytes(bytes, "fuzz", first, error)) {
    Check(!error.what.empty(), "a refusal names its reason");
    return 0;
  }
  Figure second;
  Check(ParseFigureBytes(FigureBytes(first), "fuzz", second, error), "written file reads back");
  Figure third;
  std::string secondBytes = FigureBytes(second);
  Check(ParseFigureBytes(secondBytes, "fuzz", third, error), "second file reads back");
  Check(FigureBytes(third) == secondBytes, "writing settles after one round");

  FileError refusal;
  if (MergeFigure(second, third, refusal)) {
    Figure merged;
    Check(ParseFigureBytes(FigureBytes(second), "fuzz", merged, error), "merged figure reads back");
  } else {
    Check(!refusal.what.empty(), "a refused merge names its reason");
  }
  return 0;
}
