// Atomic replacement on Windows: files in folders of any name are replaced whole; a failed
// write (a missing folder, a target that cannot be replaced) says why and leaves the earlier
// file as it was, with no temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/windows_api.h"
#include "io/atomic_file.h"
#include "io/wide_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

class AtomicFileWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder name with accents and CJK characters, as a user's may have.
    folder_ = fs::temp_directory_path() /
              WideFromUtf8("quillmap-\xC3\xA9t\xC3\xA9-\xE6\xA1\x8C\xE9\x9D\xA2-" +
                           std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const {
    return Utf8FromWide(folder_.wstring()) + "\\" + name;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(fs::path(WideFromUtf8(path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  size_t Entries() const {
    return size_t(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(AtomicFileWindowsTest, WritesAndReplacesWholeFilesUnderAnyName) {
  const std::string path = PathOf("quilpic-\xC3\xBC.emf");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "first", 5, error)) << error;
  EXPECT_EQ(Read(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, "second picture", 14, error)) << error;
  EXPECT_EQ(Read(path), "second picture");
  EXPECT_TRUE(CanCreateFileAt(path, error));
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileWindowsTest, FailuresSayWhyAndKeepTheEarlierFile) {
  std::string error;
  const std::string missing = PathOf("no-such-folder\\quilpic.emf");
  EXPECT_FALSE(CanCreateFileAt(missing, error));
  EXPECT_EQ(error.rfind("cannot create " + missing + ": ", 0), 0u) << error;
  EXPECT_FALSE(WriteFileAtomically(missing, "x", 1, error));

  // A reader holding the file without letting it be deleted: the file cannot be replaced.
  const std::string path = PathOf("quilpic.emf");
  ASSERT_TRUE(WriteFileAtomically(path, "the earlier picture", 19, error)) << error;
  HANDLE reader = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  error.clear();
  EXPECT_FALSE(WriteFileAtomically(path, "new", 3, error));
  CloseHandle(reader);
  EXPECT_EQ(error.rfind("cannot write " + path + ": ", 0), 0u) << error;
  EXPECT_EQ(Read(path), "the earlier picture");
  EXPECT_EQ(Entries(), 1u);
}

struct RefusalCase {
  const char* name;
  bool regularOnly;  // written as the desktop's chart file
  void (*prepare)(const std::string& path);
  const char* errorPart;  // nullptr: the write succeeds
};

void MakeReadOnly(const std::string& path) {
  std::ofstream(fs::path(WideFromUtf8(path)), std::ios::binary) << "earlier";
  SetFileAttributesW(WideFromUtf8(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

void MakeFolder(const std::string& path) {
  fs::create_directory(fs::path(WideFromUtf8(path)));
}

// A file the user made read-only stays as it is, whoever writes it; the desktop's chart file is
// a file, so a folder in its place is refused before anything is drawn.
TEST_F(AtomicFileWindowsTest, ReadOnlyFilesAndFoldersAreNotReplaced) {
  const RefusalCase cases[] = {
      {"a read-only file", false, MakeReadOnly, "the file is read-only"},
      {"a read-only chart file", true, MakeReadOnly, "the file is read-only"},
      {"a folder as the chart file", true, MakeFolder, "it is a folder, not a regular file"},
      {"an earlier chart file", true,
       [](const std::string& path) { std::ofstream(fs::path(WideFromUtf8(path))) << "earlier"; },
       nullptr},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    const std::string path = PathOf("quilpic.emf");
    c.prepare(path);
    std::string checkError, writeError;
    const bool creatable = c.regularOnly ? CanCreateRegularFileAt(path, checkError)
                                         : CanCreateFileAt(path, checkError);
    const bool written = c.regularOnly ? WriteRegularFileAtomically(path, "chart", 5, writeError)
                                       : WriteFileAtomically(path, "chart", 5, writeError);
    EXPECT_EQ(creatable, c.errorPart == nullptr) << checkError;
    EXPECT_EQ(written, c.errorPart == nullptr) << writeError;
    if (c.errorPart != nullptr) {
      for (const std::string& error : {checkError, writeError}) {
        EXPECT_NE(error.find(path + ": " + c.errorPart), std::string::npos) << error;
      }
    }
    const bool isFolder = fs::is_directory(fs::path(WideFromUtf8(path)));
    if (!isFolder) {
      EXPECT_EQ(Read(path), c.errorPart == nullptr ? "chart" : "earlier");
    }
    EXPECT_EQ(Entries(), 1u);
    SetFileAttributesW(WideFromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
}  // namespace qm
