// quillmap-cli's input is bounded and its read errors are errors: an input that never ends or is
// far too large is refused with the limit named, a stream whose first record is broken is
// judged by it, a read error on standard input is reported as on a file, and running out of
// memory is a message, never an abort.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "import/limits.h"
#include "testsupport/run_in_child.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// GCC says so with a macro, clang with a feature test.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLMAP_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUILLMAP_ADDRESS_SANITIZER)
constexpr bool AddressSanitizer = true;  // its shadow memory needs no address-space limit
#else
constexpr bool AddressSanitizer = false;
#endif

std::string TempFolder() {
  std::string path = testing::TempDir() + "quillmap_input_limits_" + std::to_string(getpid());
  fs::remove_all(path);
  fs::create_directories(path);
  return path + "/";
}

// A sparse file of `size` bytes that starts with `start`: it takes no room on disk.
std::string SparseFile(const std::string& path, const std::string& start, off_t size) {
  std::ofstream(path, std::ios::binary) << start;
  EXPECT_EQ(truncate(path.c_str(), size), 0);
  return path;
}

// Makes descriptor 0 of the child the given one.
std::function<void()> StandardInputFrom(int fd) {
  return [fd] {
    dup2(fd, 0);
    close(fd);
  };
}

struct InputCase {
  const char* name;
  std::vector<std::string> args;
  std::function<void()> prepare;  // in the child
  int status;                     // -1: a failure, 1 or 2
  const char* errPart;            // or either of two, "a|b"
};

bool SaysEither(const std::string& err, const std::string& parts) {
  const size_t bar = parts.find('|');
  if (bar == std::string::npos) return err.find(parts) != std::string::npos;
  return err.find(parts.substr(0, bar)) != std::string::npos ||
         err.find(parts.substr(bar + 1)) != std::string::npos;
}

TEST(InputLimits, InputsAreBoundedAndReadErrorsReported) {
  const std::string folder = TempFolder();
  const std::string range = "A\tB\nx\ty\n1\t2\n";
  // A connection reset after 4 KB of a longer range: the reader gets the 4 KB, then the error.
  int connection[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, connection), 0);
  std::string rows = "A\tB\nx\ty\n";
  while (rows.size() < 4096) rows += "1\t2\n";
  ASSERT_EQ(write(connection[0], rows.data(), rows.size()), ssize_t(rows.size()));
  ASSERT_EQ(write(connection[1], "?", 1), 1);  // unread by the other end: closing it resets
  close(connection[0]);
  const int folderInput = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  // A stream with more text than the limit; its writer stops when the reader has gone.
  int endless[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, endless), 0);
  const int endlessInput = endless[0];
  std::thread writer([fd = endless[1]] {
    const std::string block(1 << 16, '7');
    for (size_t sent = 0; sent <= MaxInputBytes + block.size(); sent += block.size()) {
      if (send(fd, block.data(), block.size(), MSG_NOSIGNAL) <= 0) break;
    }
    close(fd);
  });
  std::string large = range;
  while (large.size() < (size_t(40) << 20)) large += std::string(4096, ' ') + "\n";
  std::ofstream(folder + "large.tsv", std::ios::binary) << large;

  const InputCase cases[] = {
      {"a connection reset on standard input",
       {"grid", "-"},
       StandardInputFrom(connection[1]),
       2,
       "cannot read standard input: Connection reset by peer"},
      {"a folder on standard input",
       {"grid", "-"},
       StandardInputFrom(folderInput),
       2,
       "cannot read standard input: Is a directory"},
      {"a folder by name", {"stats", folder}, {}, 2, "Is a directory"},
      {"a device that never ends", {"grid", "/dev/zero"}, {}, 2, "neither a WK1 worksheet"},
      {"1 GB of nothing named WK1",
       {"plot", SparseFile(folder + "zeros.wk1", "", off_t(1) << 30), "--ops", folder + "z.ops"},
       {},
       1,
       "Error 1 reading wk1-data"},
      {"1 GB of WK1 records",
       {"plot",
        SparseFile(folder + "huge.wk1", std::string("\0\0\2\0\4\4\x77\x77\xFF\xFF", 10),
                   off_t(1) << 30),
        "-o", folder + "huge.emf"},
       {},
       2,
       "more than 64 MB"},
      {"more text than the limit on standard input",
       {"grid", "-"},
       StandardInputFrom(endlessInput),
       2,
       "more than 64 MB"},
      // Memory runs out while the input is read, or later in the import: either way a message.
      {"too little memory for a large range",
       {"stats", folder + "large.tsv"},
       [] {
         // Room for what the program has mapped now and 32 MB more: not for the range.
         std::ifstream status("/proc/self/status");
         std::string line;
         rlim_t size = 0;
         while (std::getline(status, line)) {
           if (line.rfind("VmSize:", 0) == 0) size = rlim_t(std::stoull(line.substr(7))) << 10;
         }
         struct rlimit limit = {size + (rlim_t(32) << 20), size + (rlim_t(32) << 20)};
         setrlimit(RLIMIT_AS, &limit);
       },
       AddressSanitizer ? 0 : -1,
       "not enough memory to read|malloc problem"},
  };
  for (const InputCase& c : cases) {
    if (AddressSanitizer && c.status == 0) continue;
    ChildRun run = RunCliInChild(c.args, [&] {
      int quiet = open("/dev/null", O_WRONLY);  // the JSON of the failed imports
      dup2(quiet, 1);
      close(quiet);
      if (c.prepare) c.prepare();
    });
    EXPECT_TRUE(run.exited) << c.name << ": ended by signal " << run.status << "\n" << run.err;
    if (c.status == -1) {
      EXPECT_TRUE(run.status == 1 || run.status == 2) << c.name << ": " << run.err;
    } else {
      EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    }
    EXPECT_TRUE(SaysEither(run.err, c.errPart)) << c.name << ": " << run.err;
  }
  close(connection[1]);
  close(folderInput);
  close(endlessInput);
  writer.join();
  EXPECT_FALSE(fs::exists(folder + "huge.emf"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace qm
