// Files for tests: whole files read and written as bytes, and a fresh folder per test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qm::testing {

// The bytes of the file at `path`; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Replaces the file at `path` with `bytes`.
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// An empty folder for the running test, "<temporary folder><prefix><test name>/": whatever an
// earlier run left there is removed first.
inline std::string TempFolder(const std::string& prefix) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string path = ::testing::TempDir() + prefix + info->name();
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path + "/";
}

}  // namespace qm::testing
