// The main window's commands that read and write figure files: load,
// save, merge with their file dialogs, the data folder, the recovery copy
// of unsaved work (written every 30 seconds, offered at the next start),
// the timer that brings recorded values to their files, and the temporary
// copies that go when the window closes. The file routine itself is the
// session's.
#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <string>

#include "app/recovery.h"

namespace sakuzu {

class ZKwin;
class Session;

// The starting file of the Save dialog: the figure's own file when its name
// has a folder, else the name in the folder the file dialogs start from
// (`dialogStart` is that folder or a file in it).
std::string SaveDialogStart(const std::string& dialogStart, const std::string& figureFileName);

class FileCommands {
 public:
  FileCommands(ZKwin& window, Session& session);

  // The commands with their dialogs.
  void LoadCommand();            // mnuLoad
  bool SaveCommand();            // mnuSave: false when no file was written
  void MergeCommand();           // mnuMerge
  void DataFolderGet();          // mnuFDataFolderGet; also at start-up
  void DataFolderSample();       // mnuFDataFolderSample
  void DataFolderStandardSet();  // mnuFDataFolderStandardSet

  // The commands after their dialogs.
  bool ReadZKFigFile(const std::string& path);
  bool SaveFigureAs(const std::string& path);
  bool MergeFigure(const std::string& path);

  QString FileFilter() const;
  const std::string& DataFolder() const { return dataFolder_; }
  const std::string& DialogStart() const { return dialogStart_; }
  const std::string& MergeStartFile() const { return mergeStart_; }
  const std::string& LastDialogFolder() const { return lastDialogFolder_; }

  // The recovery copy of unsaved changes (every 30 seconds while there
  // are any and no command is under way; also at once on request). A copy
  // that falls due while a command or a drag is under way is written when
  // its change closes.
  void WriteRecoveryNow();
  void ChangeClosed();
  bool RecoveryDue() const { return recoveryDue_; }
  RecoveryFiles& Recovery() { return recovery_; }
  // Offers what windows that did not exit normally left behind.
  void OfferRecovery();
  // Leaving: the recovery copy, the record files and the temporary copies go.
  void CloseDown();

  // "前回の作業を復元しますか": a figure left by a window that did not exit
  // normally. Replaceable so that tests need no modal box.
  enum class RestoreAnswer { kRestore, kDiscard, kLater };
  std::function<RestoreAnswer(const RecoveryFiles::Leftover&)> askRestore;
  // The figure file dialog (open or save) starting at `start`; empty when
  // cancelled.
  std::function<std::string(bool save, const std::string& start)> askFigurePath;

 private:
  std::string AskPath(bool save, const std::string& start);

  ZKwin& w_;
  Session& s_;
  RecoveryFiles recovery_;
  QTimer recoveryTimer_;
  bool recoveryDue_ = false;
  // Recorded values reach their files within a second, also while the
  // figure rests.
  QTimer recordTimer_;
  std::string dataFolder_;
  std::string dialogStart_;
  std::string mergeStart_;
  std::string lastDialogFolder_;
};

}  // namespace sakuzu
