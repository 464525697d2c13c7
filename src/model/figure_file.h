// The figure file (.zk4): writing, loading and merging. A file is read into
// a figure of its own first; the current figure changes only when the whole
// file was read and is consistent.
#pragma once

#include <cerrno>
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "model/figure.h"
#include "model/kinds.h"

namespace sakuzu {

constexpr std::string_view kReadOnlyMessage =
    "上書しようとしたファイルは読み取り専用なので,上書できません。"
    "ファイル名を変えて,保存し直してください。";

// Why a save failed, in words; the message adds the file's path.
constexpr std::string_view kDiskFullMessage =
    "ディスクがいっぱいなので,保存できません。空きを作るか,別の場所に保存し直してください。";
constexpr std::string_view kNameTooLongMessage =
    "ファイルの名前か場所が長すぎるので,保存できません。短い名前で保存し直してください。";
constexpr std::string_view kFolderInTheWayMessage =
    "同じ名前のフォルダがあるので,保存できません。ファイル名を変えて,保存し直してください。";
constexpr std::string_view kNoSuchFolderMessage =
    "保存先のフォルダがないので,保存できません。別の場所に保存し直してください。";
constexpr std::string_view kNotSavedMessage = "図形ファイルを保存できませんでした。";

// Why a file was refused: the file, the line (0 when the file as a whole is
// at fault) and what was expected there. `what` is Japanese; "{item}" in it
// stands for `item`, the Japanese name of a field, and "{n}" for `number`.
// The message translates `what` and `item` each on its own, so that both
// stay whole dictionary entries in any language.
struct FileError {
  std::string path;
  int line = 0;
  std::string what;
  std::string item;
  std::string number;
};

struct FileOutcome {
  bool ok = true;
  FileError error;      // when reading failed
  std::string message;  // the user-facing message when !ok
};

// Rebuilds the automatic names; the numbers layer provides it. Writing
// calls it before the file is written, reading after the file was read.
using AutoNamesFn = std::function<void(Figure&)>;

// kWrite writes the figure, kRead replaces it with the file, kAppend
// appends the file's steps and objects behind it.
enum class FigureFileMode { kWrite, kRead, kAppend };
FileOutcome ReadWriteFigure(Figure& fig, const std::string& path, FigureFileMode mode,
                            const AutoNamesFn& updateAutoNames = {},
                            const TranslateFn& translate = {});

// The file text (UTF-8, CR LF line ends) of a figure.
std::string FigureText(const Figure& fig);
// File bytes of a figure: CP932 when every text fits, else UTF-8 with BOM.
std::string FigureBytes(const Figure& fig);

// Reads file bytes (either encoding, either format level) into `out`,
// which is replaced only on success. `path` names the file in messages.
bool ParseFigureBytes(std::string_view bytes, const std::string& path, Figure& out,
                      FileError& error);

// Appends `file` behind `fig`, renumbering its slots, bindings, reversed
// steps and the operands of its expressions. Fails (fig unchanged) when a
// limit would be passed or a renumbered expression would not fit.
// The reason goes to `error` (its what and number).
bool MergeFigure(Figure& fig, const Figure& file, FileError& error);

// Writes `bytes` to `path` so that the file is either the old one or the
// whole new one, never a part: a temporary file in the same folder, synced,
// then renamed over it (keeping the old file's permissions). 0 when
// written, else the errno of the step that failed; no temporary file stays.
int WriteFileAtomically(const std::string& path, std::string_view bytes);
// The message for a file that could not be written: the reason in words
// (through `translate`), then the file.
std::string WriteErrorMessage(const std::string& path, int error,
                              const TranslateFn& translate = {});

// A fault put into the file writer, so that tests can make a save fail as a
// full disk or a refused rename would, without either: writes to `path`
// (every write when empty) fail with `error` once `failAfterBytes` bytes
// are written, or at the rename that puts the finished file in place.
struct WriteFault {
  std::string path;
  size_t failAfterBytes = std::numeric_limits<size_t>::max();
  bool failAtRename = false;
  int error = ENOSPC;
};
// Puts a fault into the writer for as long as it lives.
class ScopedWriteFault {
 public:
  explicit ScopedWriteFault(WriteFault fault);
  ~ScopedWriteFault();
  ScopedWriteFault(const ScopedWriteFault&) = delete;
  ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

 private:
  std::optional<WriteFault> before_;
};

// The message shown for a refused file.
std::string FileErrorMessage(const FileError& error, const TranslateFn& translate = {});
// The message for a file that does not exist or cannot be opened.
std::string UnreadableFileMessage(const std::string& path, const TranslateFn& translate = {});

// The part of a path behind the last ":", "\" or "/".
std::string FileTitle(std::string_view path);

}  // namespace sakuzu
