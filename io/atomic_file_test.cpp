// Atomic replacement: a good write replaces the file whole; a failed one (folder missing, disk
// full) reports why and leaves the earlier file as it was, with no temporary file behind. What
// is not a file to replace (a device, a pipe, a link) stays what it was.
#include "io/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>

#include "io/atomic_file_testing.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quillmap-atomic-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  size_t Entries() const {
    return size_t(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

// A socket bound at `path`, left there closed.
void BindSocket(const fs::path& path) {
  int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  struct sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  EXPECT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(s);
}

TEST_F(AtomicFileTest, WritesAndReplacesWholeFiles) {
  std::string path = (folder_ / "quilpic.emf").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "first", 5, error)) << error;
  EXPECT_EQ(Read(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, "second picture", 14, error)) << error;
  EXPECT_EQ(Read(path), "second picture");
  ASSERT_TRUE(WriteFileAtomically(path, "", 0, error)) << error;
  EXPECT_EQ(Read(path), "");
  EXPECT_EQ(Entries(), 1u);
  EXPECT_TRUE(CanCreateFileAt(path, error));
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileTest, MissingFolderIsReported) {
  std::string path = (folder_ / "no-such-folder" / "quilpic.emf").string();
  std::string error;
  EXPECT_FALSE(CanCreateFileAt(path, error));
  EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(WriteFileAtomically(path, "x", 1, error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

// A file-size limit makes write(2) fail part-way, as a full disk does.
TEST_F(AtomicFileTest, FailedWriteKeepsTheEarlierFile) {
  std::string path = (folder_ / "quilpic.emf").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "the earlier picture", 19, error)) << error;

  std::string big(1 << 16, 'x');
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit limited = saved;
  limited.rlim_cur = 4096;
  auto previous = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  bool written = WriteFileAtomically(path, big.data(), big.size(), error);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
  EXPECT_EQ(Read(path), "the earlier picture");
  EXPECT_EQ(Entries(), 1u);
}

bool HoldsTemporary(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(".quillmap-", 0) == 0) return true;
  }
  return false;
}

mode_t ModeOf(const fs::path& path) {
  struct stat entry;
  return ::stat(path.c_str(), &entry) == 0 ? entry.st_mode : 0;
}

struct TargetCase {
  const char* name;
  std::function<void(const fs::path&)> prepare;  // in the test's folder
  const char* target;                            // written through this name
  const char* errorPart;                         // nullptr: the write succeeds
  std::function<void(const fs::path&)> check;
  bool namedOnly = false;  // as on a system without unnamed temporary files
};

// Whatever the name leads to, the write either replaces a file (keeping its permissions, its
// owner and the links to it) or writes in place, and never leaves a temporary file.
TEST_F(AtomicFileTest, EveryKindOfTargetStaysWhatItWas) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int reader = -1;  // of the pipe, opened before the write as a reader would be
  const std::string tooLong = std::string(300, 'n') + ".emf";  // longer than any folder entry
  const TargetCase cases[] = {
      {"a new file gets 0666 less the umask", [](const fs::path&) {}, "new.emf", nullptr,
       [&](const fs::path& f) {
         EXPECT_EQ(Read(f / "new.emf"), "chart");
         EXPECT_EQ(ModeOf(f / "new.emf") & 07777, 0666 & ~mask);
       }},
      {"an earlier file keeps its permission bits",
       [](const fs::path& f) {
         std::ofstream(f / "old.emf") << "earlier";
         ::chmod((f / "old.emf").c_str(), 0640);
       },
       "old.emf", nullptr,
       [](const fs::path& f) {
         EXPECT_EQ(Read(f / "old.emf"), "chart");
         EXPECT_EQ(ModeOf(f / "old.emf") & 07777, 0640u);
       }},
      {"an earlier file keeps its owner where the process may set it",
       [](const fs::path& f) {
         std::ofstream(f / "theirs.emf") << "earlier";
         if (::geteuid() == 0) {
           EXPECT_EQ(::chown((f / "theirs.emf").c_str(), 4321, 4321), 0);
         }
       },
       "theirs.emf", nullptr,
       [](const fs::path& f) {
         struct stat entry;
         ASSERT_EQ(::stat((f / "theirs.emf").c_str(), &entry), 0);
         EXPECT_EQ(entry.st_uid, ::geteuid() == 0 ? 4321u : ::geteuid());
       }},
      {"a symbolic link stays and its file is replaced",
       [](const fs::path& f) {
         std::ofstream(f / "real.emf") << "earlier";
         fs::create_symlink("real.emf", f / "link.emf");
       },
       "link.emf", nullptr,
       [](const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(f / "link.emf"));
         EXPECT_EQ(Read(f / "real.emf"), "chart");
       }},
      {"a dangling link gets its file",
       [](const fs::path& f) { fs::create_symlink("made.emf", f / "dangling.emf"); },
       "dangling.emf", nullptr,
       [](const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(f / "dangling.emf"));
         EXPECT_EQ(Read(f / "made.emf"), "chart");
       }},
      {"a loop of links is refused",
       [](const fs::path& f) {
         fs::create_symlink("b.emf", f / "a.emf");
         fs::create_symlink("a.emf", f / "b.emf");
       },
       "a.emf", "Too many levels of symbolic links",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_symlink(f / "a.emf")); }},
      {"the null device is written, not replaced",
       [](const fs::path& f) { fs::create_symlink("/dev/null", f / "null.emf"); }, "null.emf",
       nullptr,
       [](const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(f / "null.emf"));
         EXPECT_TRUE(fs::is_character_file("/dev/null"));
       }},
      {"a full device says so",
       [](const fs::path& f) { fs::create_symlink("/dev/full", f / "full.emf"); }, "full.emf",
       "No space left on device",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_symlink(f / "full.emf")); }},
      {"a socket is refused, not replaced", [](const fs::path& f) { BindSocket(f / "chart.sock"); },
       "chart.sock", "No such device or address",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_socket(f / "chart.sock")); }},
      {"a read-only file is not replaced",
       [](const fs::path& f) {
         std::ofstream(f / "kept.emf") << "earlier";
         ::chmod((f / "kept.emf").c_str(), 0444);
       },
       "kept.emf", "the file is read-only",
       [](const fs::path& f) { EXPECT_EQ(Read(f / "kept.emf"), "earlier"); }},
      {"a folder is refused", [](const fs::path& f) { fs::create_directory(f / "folder.emf"); },
       "folder.emf", "Is a directory",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_directory(f / "folder.emf")); }},
      {"an earlier file keeps its set-id and sticky bits",
       [](const fs::path& f) {
         std::ofstream(f / "kept.emf") << "earlier";
         ASSERT_EQ(::chmod((f / "kept.emf").c_str(), 07750), 0);
         ASSERT_EQ(ModeOf(f / "kept.emf") & 07777, 07750u);
       },
       "kept.emf", nullptr,
       [](const fs::path& f) { EXPECT_EQ(ModeOf(f / "kept.emf") & 07777, 07750u); }},
      {"a name too long to rename to leaves no temporary", [](const fs::path&) {}, tooLong.c_str(),
       "File name too long", [&](const fs::path&) { EXPECT_EQ(Entries(), 0u); }},
      {"a name too long to rename to leaves no named temporary", [](const fs::path&) {},
       tooLong.c_str(), "File name too long", [&](const fs::path&) { EXPECT_EQ(Entries(), 0u); },
       true},
      {"a named temporary becomes the file and nothing else stays",
       [](const fs::path& f) { std::ofstream(f / "named.emf") << "earlier"; }, "named.emf", nullptr,
       [&](const fs::path& f) {
         EXPECT_EQ(Read(f / "named.emf"), "chart");
         EXPECT_EQ(Entries(), 1u);
       },
       true},
      {"a relative chain of links is followed from each link's own folder",
       [](const fs::path& f) {
         fs::create_directories(f / "out");
         fs::create_directories(f / "x");
         fs::create_symlink("../x/b.svg", f / "out" / "a.svg");
         fs::create_symlink("c.svg", f / "x" / "b.svg");
         std::ofstream(f / "x" / "c.svg") << "earlier";
       },
       "out/a.svg", nullptr,
       [&](const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(f / "out" / "a.svg"));
         EXPECT_TRUE(fs::is_symlink(f / "x" / "b.svg"));
         EXPECT_EQ(Read(f / "x" / "c.svg"), "chart");
         EXPECT_EQ(Entries(), 2u);
         auto count = [](const fs::path& d) {
           return std::distance(fs::directory_iterator(d), fs::directory_iterator());
         };
         EXPECT_EQ(count(f / "out"), 1);
         EXPECT_EQ(count(f / "x"), 2);
       }},
      {"a pipe is written in place, for whoever reads it",
       [&](const fs::path& f) {
         ASSERT_EQ(::mkfifo((f / "pipe.emf").c_str(), 0600), 0);
         reader = ::open((f / "pipe.emf").c_str(), O_RDONLY | O_NONBLOCK);
       },
       "pipe.emf", nullptr,
       [&](const fs::path& f) {
         char received[16] = {};
         EXPECT_EQ(::read(reader, received, sizeof received), 5);
         ::close(reader);
         EXPECT_STREQ(received, "chart");
         EXPECT_TRUE(fs::is_fifo(f / "pipe.emf"));
       }},
  };
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    c.prepare(folder_);
    const std::string path = (folder_ / c.target).string();
    UseNamedTemporariesOnly(c.namedOnly);
    std::string error;
    const bool creatable = CanCreateFileAt(path, error);
    if (c.errorPart == nullptr) {
      EXPECT_TRUE(creatable) << error;
    }
    if (std::string_view(c.name).find("read-only") != std::string_view::npos) {
      EXPECT_FALSE(creatable);
      EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
    error.clear();
    EXPECT_EQ(WriteFileAtomically(path, "chart", 5, error), c.errorPart == nullptr) << error;
    if (c.errorPart != nullptr) {
      EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
    UseNamedTemporariesOnly(false);
    c.check(folder_);
    EXPECT_FALSE(HoldsTemporary(folder_));
  }
}

// Runs `call` on a thread of its own; false when it has not returned within a few seconds (it
// blocks), after `release` has let it go.
bool ReturnsAtOnce(const std::function<void()>& call, const std::function<void()>& release) {
  std::packaged_task<void()> task(call);
  std::future<void> done = task.get_future();
  std::thread thread(std::move(task));
  const bool inTime = done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  if (!inTime) release();
  thread.join();
  return inTime;
}

// The desktop's chart file is a regular file or a link to one. Anything else is refused at
// once, before and at the write, and stays what it was.
TEST_F(AtomicFileTest, OnlyARegularFileIsReplacedWhereOneIsExpected) {
  const TargetCase cases[] = {
      {"a new file", [](const fs::path&) {}, "new.emf", nullptr,
       [](const fs::path& f) { EXPECT_EQ(Read(f / "new.emf"), "chart"); }},
      {"an earlier file", [](const fs::path& f) { std::ofstream(f / "old.emf") << "earlier"; },
       "old.emf", nullptr, [](const fs::path& f) { EXPECT_EQ(Read(f / "old.emf"), "chart"); }},
      {"a link to a file",
       [](const fs::path& f) {
         std::ofstream(f / "real.emf") << "earlier";
         fs::create_symlink("real.emf", f / "link.emf");
       },
       "link.emf", nullptr,
       [](const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(f / "link.emf"));
         EXPECT_EQ(Read(f / "real.emf"), "chart");
       }},
      {"a pipe without a reader",
       [](const fs::path& f) { ASSERT_EQ(::mkfifo((f / "pipe.emf").c_str(), 0600), 0); },
       "pipe.emf", "it is a named pipe, not a regular file",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_fifo(f / "pipe.emf")); }},
      {"a link to a pipe",
       [](const fs::path& f) {
         ASSERT_EQ(::mkfifo((f / "pipe").c_str(), 0600), 0);
         fs::create_symlink("pipe", f / "link.emf");
       },
       "link.emf", "it is a named pipe, not a regular file",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_fifo(f / "pipe")); }},
      {"a link to a device",
       [](const fs::path& f) { fs::create_symlink("/dev/null", f / "null.emf"); }, "null.emf",
       "it is a device, not a regular file",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_symlink(f / "null.emf")); }},
      {"a socket", [](const fs::path& f) { BindSocket(f / "chart.sock"); }, "chart.sock",
       "it is a socket, not a regular file",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_socket(f / "chart.sock")); }},
      {"a folder", [](const fs::path& f) { fs::create_directory(f / "folder.emf"); }, "folder.emf",
       "it is a folder, not a regular file",
       [](const fs::path& f) { EXPECT_TRUE(fs::is_directory(f / "folder.emf")); }},
      {"a link to a read-only file",
       [](const fs::path& f) {
         std::ofstream(f / "kept.emf") << "earlier";
         ::chmod((f / "kept.emf").c_str(), 0400);
         fs::create_symlink("kept.emf", f / "link.emf");
       },
       "link.emf", "the file is read-only",
       [](const fs::path& f) { EXPECT_EQ(Read(f / "kept.emf"), "earlier"); }},
  };
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    c.prepare(folder_);
    const std::string path = (folder_ / c.target).string();
    // A write that blocks on a pipe is let go by a reader opening it.
    const auto release = [&] { ::close(::open(path.c_str(), O_RDONLY | O_NONBLOCK)); };
    std::string checkError, writeError;
    bool creatable = false, written = false;
    EXPECT_TRUE(
        ReturnsAtOnce([&] { creatable = CanCreateRegularFileAt(path, checkError); }, release));
    EXPECT_TRUE(ReturnsAtOnce(
        [&] { written = WriteRegularFileAtomically(path, "chart", 5, writeError); }, release));
    EXPECT_EQ(creatable, c.errorPart == nullptr) << checkError;
    EXPECT_EQ(written, c.errorPart == nullptr) << writeError;
    if (c.errorPart != nullptr) {
      for (const std::string& error : {checkError, writeError}) {
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        EXPECT_NE(error.find(path), std::string::npos) << error;
      }
    }
    c.check(folder_);
    EXPECT_FALSE(HoldsTemporary(folder_));
  }
}

struct SignalCase {
  bool namedOnly;
  int signal;
};

// A program ended during a write leaves no temporary file: the named one is removed on SIGINT,
// SIGTERM and SIGHUP; the unnamed one has no name that even SIGKILL could leave behind.
TEST_F(AtomicFileTest, EndingTheProgramDuringAWriteLeavesNoTemporary) {
  int probe = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  const bool unnamedWork = probe >= 0;
  if (probe >= 0) ::close(probe);
  const SignalCase cases[] = {{true, SIGTERM}, {true, SIGINT}, {true, SIGHUP}, {false, SIGKILL}};
  const std::string big(16 << 20, 'x');
  const std::string path = (folder_ / "quilpic.emf").string();
  for (const SignalCase& c : cases) {
    SCOPED_TRACE(::strsignal(c.signal));
    if (!c.namedOnly && !unnamedWork) continue;  // this file system has no unnamed files
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      UseNamedTemporariesOnly(c.namedOnly);
      for (;;) {
        std::string error;
        WriteFileAtomically(path, big.data(), big.size(), error);
      }
    }
    // Strike while a temporary file is there (the named one can be seen; the unnamed one is
    // there nearly all the time).
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    if (c.namedOnly) {
      while (!HoldsTemporary(folder_) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
      EXPECT_TRUE(HoldsTemporary(folder_));
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    ::kill(child, c.signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
    EXPECT_FALSE(HoldsTemporary(folder_));
  }
}

}  // namespace
}  // namespace qm
