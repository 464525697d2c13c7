#include "app/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <filesystem>

#include "model/figure_file.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "recover-";

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string NewId() {
  static std::atomic<int> windows{0};
  return std::to_string(QCoreApplication::applicationPid()) + "-" + std::to_string(++windows);
}

std::string WithoutExtension(const std::string& path) {
  return (fs::path(path).parent_path() / fs::path(path).stem()).string();
}

}  // namespace

RecoveryFiles::RecoveryFiles(std::string programFolder)
    : folder_(std::move(programFolder)), id_(NewId()) {}

RecoveryFiles::~RecoveryFiles() = default;

std::string RecoveryFiles::Base() const { return (fs::path(folder_) / (kPrefix + id_)).string(); }

std::string RecoveryFiles::FigurePath() const { return Base() + ".zk4"; }

bool RecoveryFiles::Write(const Figure& fig) {
  if (!lock_) {
    lock_ = std::make_unique<QLockFile>(Q(Base() + ".lock"));
    lock_->setStaleLockTime(0);  // stale only when its program is gone
    lock_->tryLock(0);
  }
  Figure copy = fig;
  if (!ReadWriteFigure(copy, FigurePath(), FigureFileMode::kWrite).ok) return false;
  QSaveFile note(Q(Base() + ".note"));
  if (!note.open(QIODevice::WriteOnly)) return false;
  note.write(Q(fig.FigureFileName).toUtf8() + "\n");
  note.write(QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + "\n");
  if (!note.commit()) return false;
  written_ = true;
  return true;
}

void RecoveryFiles::Remove() {
  if (!written_ && !lock_) return;
  QFile::remove(Q(FigurePath()));
  QFile::remove(Q(Base() + ".note"));
  lock_.reset();  // unlocks and removes the lock file
  written_ = false;
}

std::vector<RecoveryFiles::Leftover> RecoveryFiles::FindLeftovers(
    const std::string& programFolder) {
  std::vector<Leftover> found;
  QDir folder(Q(programFolder));
  const QStringList notes = folder.entryList({QString(kPrefix) + "*.note"}, QDir::Files);
  for (const QString& name : notes) {
    std::string base = WithoutExtension(folder.filePath(name).toStdString());
    Leftover leftover{base + ".zk4", base + ".note", base + ".lock", {}, {}};
    // A lock that can be taken belongs to no running program.
    QLockFile lock(Q(leftover.lockPath));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) continue;
    lock.unlock();
    QFile note(Q(leftover.notePath));
    if (!note.open(QIODevice::ReadOnly)) continue;
    QList<QByteArray> lines = note.readAll().split('\n');
    leftover.figureName = lines.value(0).toStdString();
    leftover.written = QDateTime::fromString(QString::fromUtf8(lines.value(1)), Qt::ISODate);
    if (!QFile::exists(Q(leftover.figurePath))) {
      QFile::remove(Q(leftover.notePath));  // nothing to restore
      continue;
    }
    found.push_back(leftover);
  }
  std::sort(found.begin(), found.end(),
            [](const Leftover& a, const Leftover& b) { return a.written > b.written; });
  return found;
}

void RecoveryFiles::RemoveLeftover(const Leftover& leftover) {
  QFile::remove(Q(leftover.figurePath));
  QFile::remove(Q(leftover.notePath));
  QFile::remove(Q(leftover.lockPath));
}

void RecoveryFiles::SetAsideDamaged(const Leftover& leftover) {
  QString aside = Q(leftover.figurePath) + ".damaged";
  QFile::remove(aside);
  QFile::rename(Q(leftover.figurePath), aside);
  QFile::remove(Q(leftover.notePath));
  QFile::remove(Q(leftover.lockPath));
}

}  // namespace sakuzu
