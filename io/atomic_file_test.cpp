// Atomic replacement: a good write replaces the file whole; a failed one (folder missing, disk
// full) reports why and leaves the earlier file as it was, with no temporary file behind.
#include "io/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

}  // namespace
}  // namespace qm
