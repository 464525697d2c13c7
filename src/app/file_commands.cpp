#include "app/file_commands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>

#include "app/exports.h"
#include "app/program_folder.h"
#include "app/zkwin.h"
#include "interact/locus.h"
#include "session/session.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr int kRecoveryIntervalMs = 30000;
// Well under the second within which recorded rows must be on disk.
constexpr int kRecordFlushIntervalMs = 250;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string FolderOf(const std::string& path) {
  return QFileInfo(Q(path)).absolutePath().toStdString();
}

}  // namespace

std::string SaveDialogStart(const std::string& dialogStart, const std::string& figureFileName) {
  fs::path figure(figureFileName);
  std::error_code ec;
  if (figure.has_parent_path()) {
    fs::path absolute = fs::absolute(figure, ec);
    return (ec ? figure : absolute).string();
  }
  fs::path start(dialogStart);
  fs::path folder = fs::is_directory(start, ec) ? start : start.parent_path();
  return (folder / figure).string();
}

FileCommands::FileCommands(ZKwin& window, Session& session)
    : w_(window), s_(session), recovery_(session.ProgramFolderPath()) {
  mergeStart_ = (fs::path(SharedFilesFolder()) / kSampleFileName).string();
  recoveryTimer_.setParent(&w_);
  recoveryTimer_.setObjectName("TimerRecovery");
  QObject::connect(&recoveryTimer_, &QTimer::timeout, &w_, [this] { WriteRecoveryNow(); });
  recoveryTimer_.start(kRecoveryIntervalMs);
  recordTimer_.setParent(&w_);
  recordTimer_.setObjectName("TimerRecord");
  QObject::connect(&recordTimer_, &QTimer::timeout, &w_,
                   [this] { s_.workspace.locus.record.FlushIfDue(); });
  recordTimer_.start(kRecordFlushIntervalMs);
  askRestore = [this](const RecoveryFiles::Leftover& leftover) {
    const std::string& title = CurrentProgramVersion().title;
    QString when = QLocale().toString(leftover.written, QLocale::ShortFormat);
    QString text = Q(s_.T(kRestoreQuestion)) + "\n\n" + Q(leftover.figureName) + "\n" + when;
    QMessageBox box(QMessageBox::Question, Q(title), text, QMessageBox::NoButton, &w_);
    QPushButton* restore = box.addButton(Q(s_.T("復元")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Q(s_.T("破棄")), QMessageBox::DestructiveRole);
    box.addButton(Q(s_.T("後で")), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore) return RestoreAnswer::kRestore;
    if (box.clickedButton() == discard) return RestoreAnswer::kDiscard;
    return RestoreAnswer::kLater;
  };
  askFigurePath = [this](bool save, const std::string& start) {
    QString selected = Q(s_.T("ZK4形式")) + "(*.zk4)";
    QString path =
        save ? QFileDialog::getSaveFileName(&w_, QString(), Q(start), FileFilter(), &selected)
             : QFileDialog::getOpenFileName(&w_, QString(), Q(start), FileFilter(), &selected);
    return path.toStdString();
  };
}

QString FileCommands::FileFilter() const {
  return Q(s_.T("すべてのファイル")) + "(*.*);;" + Q(s_.T("ZK4形式")) + "(*.zk4)";
}

// ------------------------------------------------------------- commands

// Remembers the chosen folder.
std::string FileCommands::AskPath(bool save, const std::string& start) {
  std::string path = askFigurePath(save, start);
  if (!path.empty()) lastDialogFolder_ = FolderOf(path);
  return path;
}

void FileCommands::LoadCommand() {
  if (!s_.MaySave()) return;
  std::string path = AskPath(false, dialogStart_);
  if (path.empty()) return;
  dialogStart_ = path;
  ReadZKFigFile(path);
}

bool FileCommands::SaveCommand() {
  std::string path = AskPath(true, SaveDialogStart(dialogStart_, s_.fig.FigureFileName));
  if (path.empty()) return false;
  path = WithExtension(path, ".zk4");  // or the Load dialog would not list it
  dialogStart_ = path;
  return SaveFigureAs(path);
}

void FileCommands::MergeCommand() {
  std::string path = AskPath(false, mergeStart_);
  if (path.empty()) return;
  mergeStart_ = path;
  MergeFigure(path);
}

bool FileCommands::ReadZKFigFile(const std::string& path) {
  bool read = s_.OpenFigure(path);
  w_.ShowSession();
  return read;
}

bool FileCommands::SaveFigureAs(const std::string& path) {
  bool saved = s_.SaveFigure(path);
  // A save that failed leaves the work unsaved: its copy at once.
  if (saved) {
    recovery_.Remove();
  } else {
    WriteRecoveryNow();
  }
  w_.ShowSession();
  return saved;
}

bool FileCommands::MergeFigure(const std::string& path) {
  bool merged = s_.MergeFigure(path);
  w_.ShowSession();
  return merged;
}

void FileCommands::DataFolderGet() {
  std::optional<std::string> folder = ReadDataPathFile(s_.ProgramFolderPath());
  if (!folder) {
    DataFolderSample();
    return;
  }
  dataFolder_ = *folder;
  dialogStart_ = dataFolder_;
}

void FileCommands::DataFolderSample() {
  dataFolder_ = (fs::path(SharedFilesFolder()) / kSampleFileName).string();
  dialogStart_ = dataFolder_;
}

// The folder the user last worked in through a file dialog stands for the
// current directory, which the dialogs here do not change.
void FileCommands::DataFolderStandardSet() {
  dataFolder_ = lastDialogFolder_.empty() ? QDir::currentPath().toStdString() : lastDialogFolder_;
  dialogStart_ = dataFolder_;
  WriteDataPathFile(s_.ProgramFolderPath(), dataFolder_);
}

// ------------------------------------------------------------- recovery

void FileCommands::WriteRecoveryNow() {
  // Never in the middle of a command or a drag: only a figure at rest,
  // when the change closes.
  if (s_.modes.depth > 1 || s_.history.IsOpen()) {
    recoveryDue_ = true;
    return;
  }
  recoveryDue_ = false;
  if (!s_.history.IsModified()) {
    recovery_.Remove();
    return;
  }
  recovery_.Write(s_.fig);
}

void FileCommands::ChangeClosed() {
  if (recoveryDue_) WriteRecoveryNow();
}

void FileCommands::OfferRecovery() {
  for (const RecoveryFiles::Leftover& leftover :
       RecoveryFiles::FindLeftovers(s_.ProgramFolderPath())) {
    RestoreAnswer answer = askRestore(leftover);
    if (answer == RestoreAnswer::kLater) continue;
    if (answer == RestoreAnswer::kDiscard) {
      RecoveryFiles::RemoveLeftover(leftover);
      continue;
    }
    FileOutcome outcome = s_.ReadFigureFile(leftover.figurePath);
    if (!outcome.ok) {
      s_.Front().ShowMessage(s_.T(kDamagedRecoveryMessage) + "\n" + outcome.message);
      RecoveryFiles::SetAsideDamaged(leftover);
      continue;
    }
    // The figure is back as it was, with its own name, and still unsaved.
    s_.fig.FigureFileName = leftover.figureName.empty() ? "untitled" : leftover.figureName;
    s_.history.Clear();
    s_.history.MarkUnsaved();
    s_.Redraw();
    recovery_.Write(s_.fig);
    RecoveryFiles::RemoveLeftover(leftover);
    break;  // one figure a window
  }
  w_.ShowSession();
}

void FileCommands::CloseDown() {
  recovery_.Remove();
  s_.workspace.locus.record.Close();
  std::error_code ec;
  fs::remove(fs::path(s_.ProgramFolderPath()) / kTempPageFileName, ec);
  fs::remove(fs::path(s_.ProgramFolderPath()) / kTempFigureFileName, ec);
}

}  // namespace sakuzu
