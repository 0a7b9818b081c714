// Atomic replacement of a file through a temporary file and rename(2).
#ifndef _WIN32  // io/atomic_file_windows.cpp is the Windows version
#include "io/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qm {

namespace {

std::string Folder(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string Reason(const std::string& what, const std::string& path, int code) {
  return what + " " + path + ": " + std::strerror(code);
}

// Opens a new temporary file beside path; -1 with errno set on failure.
int OpenTemporary(const std::string& path, std::string& temporary) {
  temporary = Folder(path) + "/.quillmap-XXXXXX";
  return mkstemp(temporary.data());
}

// Holds SIGXFSZ back while it lives. Past a file-size limit the system raises it, and its
// default action would end the program in the middle of a write with the temporary file left
// behind; held back, the write fails with EFBIG like a full disk and is reported. A signal this
// write raised is taken back before the old mask returns; one already pending stays.
class FileSizeSignalHold {
 public:
  FileSizeSignalHold() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
    sigset_t pending;
    wasPending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
  }
  ~FileSizeSignalHold() {
    if (!wasPending_) {
      const struct timespec now = {0, 0};
      while (sigtimedwait(&signals_, nullptr, &now) == SIGXFSZ) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  FileSizeSignalHold(const FileSizeSignalHold&) = delete;
  FileSizeSignalHold& operator=(const FileSizeSignalHold&) = delete;

 private:
  sigset_t signals_;
  sigset_t previous_;
  bool wasPending_ = false;
};

}  // namespace

bool CanCreateFileAt(const std::string& path, std::string& error) {
  std::string temporary;
  int fd = OpenTemporary(path, temporary);
  if (fd < 0) {
    error = Reason("cannot create", path, errno);
    return false;
  }
  close(fd);
  unlink(temporary.c_str());
  return true;
}

bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size,
                         std::string& error) {
  std::string temporary;
  int fd = OpenTemporary(path, temporary);
  if (fd < 0) {
    error = Reason("cannot create", path, errno);
    return false;
  }
  const char* p = static_cast<const char*>(bytes);
  size_t left = size;
  int code = 0;
  FileSizeSignalHold hold;
  while (left > 0 && code == 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      code = n < 0 ? errno : EIO;
    else
      p += n, left -= size_t(n);
  }
  if (code == 0 && fsync(fd) != 0) code = errno;
  // A new file gets the usual permissions rather than mkstemp's 0600.
  mode_t mask = umask(0);
  umask(mask);
  if (code == 0 && fchmod(fd, 0666 & ~mask) != 0) code = errno;
  if (close(fd) != 0 && code == 0) code = errno;
  if (code == 0 && rename(temporary.c_str(), path.c_str()) != 0) code = errno;
  if (code != 0) {
    unlink(temporary.c_str());
    error = Reason("cannot write", path, code);
    return false;
  }
  return true;
}

}  // namespace qm

#endif  // _WIN32
