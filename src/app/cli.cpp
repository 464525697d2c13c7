#include "app/cli.h"

#include <sys/stat.h>

#include <charconv>
#include <ostream>

#include "app/program_folder.h"
#include "geometry/engine.h"
#include "geometry/recalc.h"
#include "interact/relation_check.h"
#include "interact/relation_words.h"
#include "lang/translate.h"
#include "model/figure.h"
#include "model/figure_file.h"
#include "model/kinds.h"
#include "model/report.h"
#include "numbers/auto_names.h"
#include "numbers/expression.h"
#include "view/view_mapping.h"

namespace sakuzu {
namespace {

constexpr const char* kUsage =
    "Sakuzu " SAKUZU_VERSION
    " - dynamic geometry construction\n"
    "\n"
    "Usage:\n"
#ifdef SAKUZU_WITH_WINDOW
    "  sakuzu [FILE.zk4]            open the window (with the figure)\n"
#else
    "  sakuzu FILE.zk4              load the figure and print a summary of its steps\n"
    "                               (this build has no window)\n"
#endif
    "  sakuzu --convert IN OUT      read the figure IN (any format level, UTF-8 or\n"
    "                               Shift_JIS) and write it to OUT in the current format\n"
    "  sakuzu --report FILE [--language japanese|english|manual]\n"
    "                               load the figure, compute it and print the figure\n"
    "                               data report (steps and every object's fields)\n"
    "  sakuzu --render FILE --output PICTURE.png [--size WxH] [--scale S]\n"
    "         [--language japanese|english|manual]\n"
    "                               draw the figure as the window shows it after\n"
    "                               opening FILE (drawing area 640x480 unless --size)\n"
    "                               and write the picture as PNG; --scale 2 gives a\n"
    "                               picture twice as wide and high, same layout\n"
    "  sakuzu --export FILE --output OUT [--size WxH] [--scale S]\n"
    "         [--language japanese|english|manual]\n"
    "                               the same drawing written by the extension of OUT:\n"
    "                               .png or .bmp (pixels, --scale as for --render),\n"
    "                               .svg or .pdf (vector: lines, circles and text\n"
    "                               stay so; --scale has no effect), .htm or .html\n"
    "                               (the figure's page from the template; its picture,\n"
    "                               the figure's file name and .svg, goes beside it)\n"
    "  sakuzu --check FILE RELATION NAME... [--seed N] [--positions N]\n"
    "         [--language japanese|english]\n"
    "                               is the relation always true? Tries N random\n"
    "                               positions of the figure (10000; seed 1) and prints\n"
    "                               the answer, with a counterexample when there is one.\n"
    "                               RELATION: collinear, concyclic, on, parallel,\n"
    "                               perpendicular, tangent or equal; NAME: an object's\n"
    "                               name, or point:A, line:AB, circle:1, number:r.\n"
    "                               Exit status 0 always true, 1 not always (or not in a\n"
    "                               figure that cannot move), 2 bad input or no answer\n"
    "                               (an object that never exists, degenerate everywhere)\n"
    "  sakuzu --folders             show where the settings and the shipped files are\n"
    "  sakuzu --version             show the program's version\n"
    "  sakuzu --help                show this text\n";

// Without a window, messages of the computations go to standard error.
class ConsoleShell : public Shell {
 public:
  explicit ConsoleShell(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text) override { err_ << text << "\n"; }

 private:
  std::ostream& err_;
};

int Convert(const std::string& in, const std::string& out, std::ostream& err) {
  Figure fig;
  // As a load and a save in the window: automatic names are rebuilt.
  auto autoNames = [](Figure& f) { UpdateAutoNames(f); };
  FileOutcome read = ReadWriteFigure(fig, in, FigureFileMode::kRead, autoNames);
  if (!read.ok) {
    err << read.message << "\n";
    return 1;
  }
  struct stat st {};
  if (::stat(out.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    err << out << ": is a folder\n";
    return 1;
  }
  FileOutcome write = ReadWriteFigure(fig, out, FigureFileMode::kWrite, autoNames);
  if (!write.ok) {
    err << write.message << "\n" << out << "\n";
    return 1;
  }
  return 0;
}

int Summary(const std::string& path, std::ostream& out, std::ostream& err) {
  Figure fig;
  fig.FigureFileName = path;
  FileOutcome read = ReadWriteFigure(fig, path, FigureFileMode::kRead);
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

// Loads FILE as the start-up load does, runs the computation of a full
// update and prints the report.
int Report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--language")) {
    err << "usage: sakuzu --report FILE [--language japanese|english|manual]\n";
    return 2;
  }
  Language language;
  language.programFolder = ProgramFolder();
  if (args.size() == 4) {
    std::string setting = NormalisedSetting(args[3]);
    if (setting != "japanese" && setting != "english" && setting != "manual") {
      err << "unknown language " << args[3] << "\n";
      return 2;
    }
    language.setting = args[3];
  }
  TranslateFn translate = MakeTranslator(language);
  auto autoNames = [&](Figure& f) { UpdateAutoNames(f, translate); };

  Figure fig;
  fig.FigureFileName = args[1];
  FileOutcome read = ReadWriteFigure(fig, args[1], FigureFileMode::kRead, autoNames, translate);
  if (!read.ok) {
    err << read.message << "\n";
    return 1;
  }
  ConsoleShell shell(err);
  Engine engine;
  engine.shell = &shell;
  engine.translate = translate;
  InstallExpressionEvaluator(engine);
  FullUpdateCompute(fig, engine);
  UpdateAutoNames(fig, translate);
  out << FigureDataReport(fig, translate);
  return 0;
}

constexpr const char* kCheckUsage =
    "usage: sakuzu --check FILE RELATION NAME... [--seed N] [--positions N] "
    "[--language japanese|english]\n";
constexpr int kMostPositions = 10000000;

template <typename T>
bool ReadWhole(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && at == end;
}

// Is a relation among named objects always true? Exit status 0 yes, 1 no
// (with a counterexample), 2 bad input or no answer possible.
int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 4) {
    err << kCheckUsage;
    return 2;
  }
  CheckOptions options;
  Language language;
  std::vector<std::string> names;
  for (size_t i = 3; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) != 0) {
      names.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size()) {
      err << arg << " needs a value\n" << kCheckUsage;
      return 2;
    }
    const std::string& value = args[++i];
    if (arg == "--seed") {
      if (ReadWhole(value, options.seed)) continue;
      err << "the seed must be a whole number from 0 to 18446744073709551615, not " << value
          << "\n";
      return 2;
    }
    if (arg == "--positions") {
      if (ReadWhole(value, options.positions) && options.positions >= 1 &&
          options.positions <= kMostPositions) {
        continue;
      }
      err << "the positions must be a whole number from 1 to " << kMostPositions << ", not "
          << value << "\n";
      return 2;
    }
    if (arg == "--language") {
      std::string setting = NormalisedSetting(value);
      if (setting == "japanese" || setting == "english") {
        language.setting = setting;
        continue;
      }
      err << "unknown language " << value << " (japanese or english)\n";
      return 2;
    }
    err << "unknown option " << arg << "\n" << kCheckUsage;
    return 2;
  }
  TranslateFn translate = MakeTranslator(language);
  Figure fig;
  fig.FigureFileName = args[1];
  auto autoNames = [&](Figure& f) { UpdateAutoNames(f, translate); };
  FileOutcome read = ReadWriteFigure(fig, args[1], FigureFileMode::kRead, autoNames, translate);
  if (!read.ok) {
    err << read.message << "\n";
    return 2;
  }
  RelationRequest request = RelationFromNames(fig, args[2], names);
  if (!request.relation) {
    err << request.error << "\n";
    return 2;
  }
  // The drawing area of a window opened on the file.
  ViewState view;
  SetScreen(view, 640, 480);
  RelationAnswer answer = CheckRelation(fig, view, *request.relation, options);
  out << RelationAnswerText(fig, answer, translate) << "\n";
  std::string counterexample = CounterexampleText(fig, answer, translate);
  if (!counterexample.empty()) out << counterexample << "\n";
  switch (answer.outcome) {
    case CheckOutcome::kAlways:
    case CheckOutcome::kFixedHolds:
      return 0;
    case CheckOutcome::kNotAlways:
    case CheckOutcome::kFixedFails:
      return 1;
    default:
      return 2;
  }
}

// Where a teacher finds the settings file, and what the program ships.
int Folders(std::ostream& out) {
  out << "settings and temporary files: " << ProgramFolder() << "\n";
  out << "sample and example figures:   " << SharedFilesFolder() << "\n";
  out << "manual:                       " << ExpectedManualPath() << "\n";
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
  if (mode == "--version") {
    out << "Sakuzu " SAKUZU_VERSION "\n";
    return 0;
  }
  if (mode == "--folders") return Folders(out);
  if (mode == "--convert") {
    if (args.size() != 3) {
      err << "usage: sakuzu --convert IN OUT\n";
      return 2;
    }
    return Convert(args[1], args[2], err);
  }
  if (mode == "--report") return Report(args, out, err);
  if (mode == "--check") return Check(args, out, err);
  if (mode == "--render" || mode == "--export") {
    // The window's build handles them before they get here.
    err << mode << " needs the window; this build has none\n";
    return 2;
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
