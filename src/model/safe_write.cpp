// Writing a file so that a failure loses nothing: the bytes go to a
// temporary file beside the target, which then replaces it; the error of
// the step that failed comes back, told in words for the user. A seam lets
// the tests fail a write after some bytes or at the rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "model/figure_file.h"

namespace sakuzu {

namespace {

std::optional<WriteFault>& CurrentWriteFault() {
  static std::optional<WriteFault> fault;
  return fault;
}

const WriteFault* FaultFor(const std::string& path) {
  const std::optional<WriteFault>& fault = CurrentWriteFault();
  if (!fault || (!fault->path.empty() && fault->path != path)) return nullptr;
  return &*fault;
}

// Writes everything or fails with errno set.
bool WriteAll(int fd, std::string_view bytes, const WriteFault* fault) {
  size_t done = 0;
  while (done < bytes.size()) {
    size_t want = bytes.size() - done;
    if (fault && done + want > fault->failAfterBytes) {
      if (done >= fault->failAfterBytes) {
        errno = fault->error;
        return false;
      }
      want = fault->failAfterBytes - done;
    }
    ssize_t n = ::write(fd, bytes.data() + done, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

ScopedWriteFault::ScopedWriteFault(WriteFault fault) : before_(CurrentWriteFault()) {
  CurrentWriteFault() = std::move(fault);
}

ScopedWriteFault::~ScopedWriteFault() { CurrentWriteFault() = before_; }

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const WriteFault* fault = FaultFor(path);
  struct stat st {};
  bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return errno;
  if (exists && S_ISDIR(st.st_mode)) return EISDIR;
  if (exists && ::access(path.c_str(), W_OK) != 0) return errno;
  // The temporary file's name is short and fixed, so that a name that just
  // fits the folder does not fail for the temporary one.
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::string tmpl = (folder.empty() ? std::string(".") : folder.string()) + "/.sakuzu-XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return errno;
  mode_t mode = 0666;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    // The owner reads and writes what he saved, whatever the mask says (the
    // browser build's mask takes every bit).
    mode = (mode & ~mask) | S_IRUSR | S_IWUSR;
  }
  int error = 0;
  if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes, fault) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && fault && fault->failAtRename) error = fault->error;
  if (error == 0 && ::rename(tmpl.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(tmpl.c_str());
  return error;
}

std::string WriteErrorMessage(const std::string& path, int error, const TranslateFn& translate) {
  auto t = [&](std::string_view s) {
    return translate ? translate(std::string(s)) : std::string(s);
  };
  std::string reason;
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      reason = t(kReadOnlyMessage);
      break;
    case ENOSPC:
    case EDQUOT:
      reason = t(kDiskFullMessage);
      break;
    case ENAMETOOLONG:
      reason = t(kNameTooLongMessage);
      break;
    case EISDIR:
      reason = t(kFolderInTheWayMessage);
      break;
    case ENOENT:
    case ENOTDIR:
      reason = t(kNoSuchFolderMessage);
      break;
    default:
      reason = t(kNotSavedMessage) + " (" + std::generic_category().message(error) + ")";
      break;
  }
  return reason + "\n" + path;
}

}  // namespace sakuzu
