#include "app/cli.h"

#include <sys/stat.h>

#include <ostream>

#include "model/figure.h"
#include "model/figure_file.h"
#include "model/kinds.h"

namespace sakuzu {
namespace {

constexpr const char* kUsage =
    "Sakuzu " SAKUZU_VERSION
    " - dynamic geometry construction\n"
    "\n"
    "Usage:\n"
    "  sakuzu FILE.zk4              load the figure and print a summary of its steps\n"
    "  sakuzu --convert IN OUT      read the figure IN (any format level, UTF-8 or\n"
    "                               Shift_JIS) and write it to OUT in the current format\n"
    "  sakuzu --help                show this text\n";

int Convert(const std::string& in, const std::string& out, std::ostream& err) {
  Figure fig;
  FileOutcome read = ReadWriteFigure(fig, in, "R");
  if (!read.ok) {
    err << read.message << "\n";
    return 1;
  }
  struct stat st {};
  if (::stat(out.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    err << out << ": is a folder\n";
    return 1;
  }
  FileOutcome write = ReadWriteFigure(fig, out, "W");
  if (!write.ok) {
    err << write.message << "\n" << out << "\n";
    return 1;
  }
  return 0;
}

int Summary(const std::string& path, std::ostream& out, std::ostream& err) {
  Figure fig;
  fig.FigureFileName = path;
  FileOutcome read = ReadWriteFigure(fig, path, "R");
  if (!read.ok) {
    err << read.message << "\n";
    return 1;
  }
  out << "FileName : " << fig.FigureFileName << "\n";
  out << "steps " << fig.StepCount << ", numbers " << fig.ObjectCounts[kNumberClass] << ", points "
      << fig.ObjectCounts[kPointClass] << ", lines " << fig.ObjectCounts[kLineClass] << ", circles "
      << fig.ObjectCounts[kCircleClass] << "\n";
  for (int i = 1; i <= fig.StepCount; ++i) {
    out << i << ":" << fig.StepKind[i] << "(" << KindDisplayName(fig.StepKind[i]) << ")\n";
  }
  return 0;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    out << kUsage;
    return 0;
  }
  const std::string& mode = args[0];
  if (mode == "--help" || mode == "-h") {
    out << kUsage;
    return 0;
  }
  if (mode == "--convert") {
    if (args.size() != 3) {
      err << "usage: sakuzu --convert IN OUT\n";
      return 2;
    }
    return Convert(args[1], args[2], err);
  }
  if (mode.rfind("--", 0) == 0) {
    err << "unknown option " << mode << "\n\n" << kUsage;
    return 2;
  }
  std::string path = mode;
  // A path handed over by a desktop may come in double quotes.
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = path.substr(1, path.size() - 2);
  }
  return Summary(path, out, err);
}

}  // namespace sakuzu
