// Automatic recovery: while a window's figure has unsaved changes, a copy
// is written now and then to a recovery file of that window in the
// program's folder, beside a small note (the figure's name and the time)
// and a lock that the window holds while it runs. Save, discard and a
// normal exit remove them; what a window that did not exit normally left
// behind (its lock is free) is offered at the next start.
#pragma once

#include <QDateTime>
#include <QLockFile>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

constexpr std::string_view kRestoreQuestion = "前回の作業を復元しますか";
constexpr std::string_view kDamagedRecoveryMessage =
    "復元用のファイルが壊れていて読めません。別の名前で残しておきます。";

class RecoveryFiles {
 public:
  explicit RecoveryFiles(std::string programFolder);
  ~RecoveryFiles();
  RecoveryFiles(const RecoveryFiles&) = delete;
  RecoveryFiles& operator=(const RecoveryFiles&) = delete;

  // Writes a copy of the figure (atomically) and the note; false when it
  // cannot be written. The window's lock is taken on the first write.
  bool Write(const Figure& fig);
  // Removes this window's recovery file and note.
  void Remove();
  bool HasFile() const { return written_; }
  std::string FigurePath() const;

  // What windows that did not exit normally left behind, newest first.
  struct Leftover {
    std::string figurePath;  // the recovery copy
    std::string notePath;
    std::string lockPath;
    std::string figureName;  // the figure's own file name when it was written
    QDateTime written;
  };
  static std::vector<Leftover> FindLeftovers(const std::string& programFolder);
  // Removes a leftover's files, or keeps its copy aside as damaged.
  static void RemoveLeftover(const Leftover& leftover);
  static void SetAsideDamaged(const Leftover& leftover);

 private:
  std::string Base() const;

  std::string folder_;
  std::string id_;  // unique for this window among running programs
  std::unique_ptr<QLockFile> lock_;
  bool written_ = false;
};

}  // namespace sakuzu
