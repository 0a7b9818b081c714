// Atomic replacement of a file on POSIX systems. The bytes go to a temporary file in the
// target's folder (on Linux one without a name, O_TMPFILE, so that even a killed process
// leaves nothing behind), are flushed to disk, take the earlier file's permissions, and the
// temporary replaces the target by rename(2). Devices, pipes and sockets are not files to
// replace: they are written in place, or refused where only a regular file will do. A file
// the user made read-only is never replaced.
#ifndef _WIN32  // io/atomic_file_windows.cpp is the Windows version
#include "io/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "io/atomic_file_testing.h"

namespace qm {

namespace {

// The system gives up on a chain of symbolic links after as many (ELOOP).
constexpr int MaxLinkHops = 40;

bool namedTemporariesOnly = false;

// The named temporary file that exists right now, for the signal handler to remove. The name
// is written only while `pendingArmed` is 0, and armed only while the three signals are
// blocked, so the handler never sees half a name.
char pendingName[PATH_MAX + 32];
volatile sig_atomic_t pendingArmed = 0;

constexpr int CleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::string Folder(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string Reason(const std::string& what, const std::string& path, int code) {
  return what + " " + path + ": " + std::strerror(code);
}

// The file that `path` names once the symbolic links at its end are followed, whether or not
// that file exists yet: the link stays and the file it points to is replaced. False with the
// system's code for a loop or an unreadable link.
bool FollowLinks(const std::string& path, std::string& target, int& code) {
  target = path;
  for (int hop = 0; hop < MaxLinkHops; hop++) {
    struct stat entry;
    if (lstat(target.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return true;
    char link[PATH_MAX];
    ssize_t n = readlink(target.c_str(), link, sizeof link);
    if (n < 0 || size_t(n) == sizeof link) {
      code = n < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    std::string next(link, size_t(n));
    target = next[0] == '/' ? next : Folder(target) + "/" + next;
  }
  code = ELOOP;
  return false;
}

// Blocks the cleanup signals while it lives: a temporary file's name comes into being (or
// goes) together with the handler's knowledge of it.
class CleanupSignalBlock {
 public:
  CleanupSignalBlock() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : CleanupSignals) sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, &previous_);
  }
  ~CleanupSignalBlock() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  CleanupSignalBlock(const CleanupSignalBlock&) = delete;
  CleanupSignalBlock& operator=(const CleanupSignalBlock&) = delete;

 private:
  sigset_t previous_;
};

// Removes the pending temporary file, then lets the signal end the program as it would have
// (the handler was reset to the default action on entry; the raised signal is delivered when
// the handler returns). Only async-signal-safe calls.
void RemovePendingAndRaise(int signal) {
  if (pendingArmed) unlink(pendingName);
  raise(signal);
}

// While it lives, SIGINT, SIGTERM and SIGHUP remove the pending temporary file before they end
// the program. Signals that the program ignores or handles itself are left as they are: they
// do not end it, and the write removes its temporary file on its own.
class CleanupOnSignals {
 public:
  CleanupOnSignals() {
    struct sigaction action = {};
    action.sa_handler = RemovePendingAndRaise;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(CleanupSignals); i++) {
      installed_[i] = sigaction(CleanupSignals[i], nullptr, &previous_[i]) == 0 &&
                      !(previous_[i].sa_flags & SA_SIGINFO) && previous_[i].sa_handler == SIG_DFL &&
                      sigaction(CleanupSignals[i], &action, nullptr) == 0;
    }
  }
  ~CleanupOnSignals() {
    for (size_t i = 0; i < std::size(CleanupSignals); i++) {
      if (installed_[i]) sigaction(CleanupSignals[i], &previous_[i], nullptr);
    }
  }
  CleanupOnSignals(const CleanupOnSignals&) = delete;
  CleanupOnSignals& operator=(const CleanupOnSignals&) = delete;

 private:
  struct sigaction previous_[std::size(CleanupSignals)];
  bool installed_[std::size(CleanupSignals)] = {};
};

// Holds SIGXFSZ and SIGPIPE back while it lives. Past a file-size limit the system raises
// SIGXFSZ, and a pipe whose reader has gone raises SIGPIPE; their default actions would end
// the program in the middle of a write. Held back, the write fails with EFBIG or EPIPE and is
// reported. A signal this write raised is taken back before the old mask returns; one already
// pending stays.
class WriteSignalHold {
 public:
  WriteSignalHold() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGXFSZ);
    sigaddset(&signals_, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
    sigemptyset(&taken_);
    sigset_t pending;
    if (sigpending(&pending) != 0) return;
    for (int s : {SIGXFSZ, SIGPIPE}) {
      if (sigismember(&pending, s) != 1) sigaddset(&taken_, s);
    }
  }
  ~WriteSignalHold() {
    const struct timespec now = {0, 0};
    while (sigtimedwait(&taken_, nullptr, &now) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  WriteSignalHold(const WriteSignalHold&) = delete;
  WriteSignalHold& operator=(const WriteSignalHold&) = delete;

 private:
  sigset_t signals_;
  sigset_t previous_;
  sigset_t taken_;  // the held signals that were not pending before
};

// Writes all bytes; 0, or the system's code.
int WriteAll(int fd, const void* bytes, size_t size) {
  const char* p = static_cast<const char*>(bytes);
  size_t left = size;
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    p += n;
    left -= size_t(n);
  }
  return 0;
}

// A device, a pipe or a socket is written where it is: replacing it by a file would take the
// device away from everyone else. (A socket cannot be opened; the system says so.)
int WriteInPlace(const std::string& target, const void* bytes, size_t size) {
  int fd = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno;
  int code = WriteAll(fd, bytes, size);
  if (close(fd) != 0 && code == 0) code = errno;
  return code;
}

// A temporary file in `folder` without any name (Linux O_TMPFILE): -1 where the system or the
// file system has none, or where /proc is missing and it could not be given a name later.
int OpenUnnamedTemporary(const std::string& folder) {
#ifdef O_TMPFILE
  if (!namedTemporariesOnly && access("/proc/self/fd", X_OK) == 0) {
    return open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  }
#endif
  (void)folder;
  errno = EOPNOTSUPP;
  return -1;
}

// Writes folder + "/.quillmap-" + `suffix` into pendingName; false when it does not fit.
bool SetPendingName(const std::string& folder, const char* suffix) {
  int n = std::snprintf(pendingName, sizeof pendingName, "%s/.quillmap-%s", folder.c_str(), suffix);
  return n > 0 && size_t(n) < sizeof pendingName;
}

// A hidden named temporary file in `folder`, armed for the signal handler; -1 with errno.
int OpenNamedTemporary(const std::string& folder) {
  CleanupSignalBlock block;
  if (!SetPendingName(folder, "XXXXXX")) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int fd = mkostemp(pendingName, O_CLOEXEC);
  if (fd >= 0) pendingArmed = 1;
  return fd;
}

// Six characters for a temporary name, different at each call.
void FreshSuffix(char suffix[7]) {
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static unsigned long counter = 0;
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  unsigned long long seed = ((unsigned long long)now.tv_nsec * 2654435761u) ^
                            ((unsigned long long)getpid() << 20) ^ (++counter * 40503u);
  for (int i = 0; i < 6; i++) {
    suffix[i] = letters[seed % 62];
    seed /= 62;
  }
  suffix[6] = '\0';
}

// Gives the unnamed file a hidden name beside the target, armed for the signal handler; 0 or
// the system's code. The name exists only from here to the rename.
int LinkUnnamed(int fd, const std::string& folder) {
  char self[64];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
  for (int attempt = 0; attempt < 100; attempt++) {
    char suffix[7];
    FreshSuffix(suffix);
    if (!SetPendingName(folder, suffix)) return ENAMETOOLONG;
    CleanupSignalBlock block;
    if (linkat(AT_FDCWD, self, AT_FDCWD, pendingName, AT_SYMLINK_FOLLOW) == 0) {
      pendingArmed = 1;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// Replaces the target by the pending temporary file, or removes the temporary when that
// fails; 0 or the system's code.
int RenamePending(const std::string& target) {
  CleanupSignalBlock block;
  int code = rename(pendingName, target.c_str()) == 0 ? 0 : errno;
  if (code != 0) unlink(pendingName);
  pendingArmed = 0;
  return code;
}

void DiscardPending() {
  CleanupSignalBlock block;
  if (pendingArmed) unlink(pendingName);
  pendingArmed = 0;
}

// The earlier file's permission bits, and its owner where this process may give them (root,
// or the owner itself keeping the file's group); a new file gets 0666 less the umask, as any
// program's new file does. 0 or the system's code.
int TakePermissions(int fd, const struct stat* earlier) {
  if (earlier != nullptr) {
    if (geteuid() == 0 || earlier->st_uid == geteuid()) {
      // A group this user is not in cannot be kept; the file then has the user's group.
      (void)fchown(fd, earlier->st_uid, earlier->st_gid);
    }
    return fchmod(fd, earlier->st_mode & 07777) == 0 ? 0 : errno;
  }
  mode_t mask = umask(0);
  umask(mask);
  return fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
}

// What is at the target: nothing yet, a file to replace, or something to refuse or to write in
// place.
enum class TargetKind { Missing, Regular, Directory, InPlace };

// stat(2) follows the links and reads the entry without opening it: a pipe or a device at the
// end can neither block nor notice.
TargetKind KindOf(const std::string& target, struct stat& entry) {
  if (stat(target.c_str(), &entry) != 0) return TargetKind::Missing;
  if (S_ISREG(entry.st_mode)) return TargetKind::Regular;
  if (S_ISDIR(entry.st_mode)) return TargetKind::Directory;
  return TargetKind::InPlace;
}

const char* KindName(mode_t mode) {
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a file";
}

// False with the reason when the target, as KindOf found it, is not one to replace or write:
// a file its owner may not write (the user made it read-only: root too leaves it alone), or,
// where only regular files are accepted, anything else.
bool Refuses(const std::string& path, TargetKind kind, const struct stat& entry,
             OutputKinds accepts, std::string& error) {
  if (kind == TargetKind::Regular && (entry.st_mode & S_IWUSR) == 0) {
    error = "cannot replace " + path + ": the file is read-only";
    return true;
  }
  if (accepts == OutputKinds::RegularOnly && kind != TargetKind::Regular &&
      kind != TargetKind::Missing) {
    error = "cannot create " + path + ": it is " + KindName(entry.st_mode) + ", not a regular file";
    return true;
  }
  return false;
}

}  // namespace

bool CanCreateAt(const std::string& path, OutputKinds accepts, std::string& error) {
  // The kind as the system sees it, through every link (/dev/stdout's too).
  // A folder in the way is the write's to report, as a full disk is.
  struct stat entry;
  const TargetKind kind = KindOf(path, entry);
  if (Refuses(path, kind, entry, accepts, error)) return false;
  if (kind == TargetKind::InPlace) {
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return true;
    error = Reason("cannot create", path, errno);
    return false;
  }
  std::string target;
  int code = 0;
  if (!FollowLinks(path, target, code)) {
    error = Reason("cannot create", path, code);
    return false;
  }
  const std::string folder = Folder(target);
  int fd = OpenUnnamedTemporary(folder);
  if (fd >= 0) {
    close(fd);
    return true;
  }
  CleanupOnSignals cleanup;
  fd = OpenNamedTemporary(folder);
  if (fd < 0) {
    error = Reason("cannot create", path, errno);
    return false;
  }
  close(fd);
  DiscardPending();
  return true;
}

bool WriteAtomically(const std::string& path, const void* bytes, size_t size, OutputKinds accepts,
                     std::string& error) {
  // The kind as the system sees it, through every link (/dev/stdout's too).
  struct stat earlier;
  const TargetKind kind = KindOf(path, earlier);
  if (Refuses(path, kind, earlier, accepts, error)) return false;
  if (kind == TargetKind::Directory) {
    error = Reason("cannot write", path, EISDIR);
    return false;
  }
  WriteSignalHold hold;
  int code = 0;
  if (kind == TargetKind::InPlace) {
    code = WriteInPlace(path, bytes, size);
    if (code != 0) error = Reason("cannot write", path, code);
    return code == 0;
  }
  std::string target;
  if (!FollowLinks(path, target, code)) {
    error = Reason("cannot write", path, code);
    return false;
  }

  CleanupOnSignals cleanup;
  const std::string folder = Folder(target);
  int fd = OpenUnnamedTemporary(folder);
  const bool unnamed = fd >= 0;
  if (!unnamed) fd = OpenNamedTemporary(folder);
  if (fd < 0) {
    error = Reason("cannot create", path, errno);
    return false;
  }
  code = WriteAll(fd, bytes, size);
  if (code == 0 && fsync(fd) != 0) code = errno;
  if (code == 0) code = TakePermissions(fd, kind == TargetKind::Regular ? &earlier : nullptr);
  if (code == 0 && unnamed) code = LinkUnnamed(fd, folder);
  if (close(fd) != 0 && code == 0) code = errno;
  if (code == 0) {
    code = RenamePending(target);
  } else {
    DiscardPending();
  }
  if (code != 0) {
    error = Reason("cannot write", path, code);
    return false;
  }
  return true;
}

void UseNamedTemporariesOnly(bool namedOnly) {
  namedTemporariesOnly = namedOnly;
}

}  // namespace qm

#endif  // _WIN32
