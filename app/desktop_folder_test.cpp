// The desktop folder from the XDG user directories file.
#include "app/desktop_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace qm {
namespace {

TEST(DesktopFolderFrom, ReadsXdgDesktopDir) {
  struct Case {
    const char* userDirs;
    const char* expected;
  } cases[] = {
      {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/ann/Desktop"},
      {"# comment\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n",
       "/home/ann/Schreibtisch"},
      {"XDG_DESKTOP_DIR=\"/data/desk/\"", "/data/desk"},
      {"  XDG_DESKTOP_DIR=\"$HOME/Bureau\"  \r\n", "/home/ann/Bureau"},
      {"XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\"\"", "/home/ann/My \"Desk\""},
      {"XDG_DESKTOP_DIR=\"$HOME\"", "/home/ann"},
      {"XDG_DESKTOP_DIR=\"$HOME/\"", "/home/ann"},
      {"", "/home/ann/Desktop"},
      {"XDG_DESKTOP_DIR=\"Desktop\"", "/home/ann/Desktop"},      // relative: not allowed
      {"XDG_DESKTOP_DIR=\"$HOMEx/Desk\"", "/home/ann/Desktop"},  // not $HOME
      {"XDG_DESKTOP_DIR=\"$HOME/Desk", "/home/ann/Desktop"},     // unterminated
      {"XDG_DESKTOP_DIR=$HOME/Desk", "/home/ann/Desktop"},       // unquoted
      {"#XDG_DESKTOP_DIR=\"$HOME/Old\"", "/home/ann/Desktop"},   // commented out
      {"XDG_DESKTOP_DIR_X=\"$HOME/Old\"", "/home/ann/Desktop"},  // another key
      {"XDG_DESKTOP_DIR=\"$HOME/A\"\nXDG_DESKTOP_DIR=\"$HOME/B\"", "/home/ann/B"},  // last wins
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DesktopFolderFrom(c.userDirs, "/home/ann"), c.expected) << c.userDirs;
  }
}

TEST(DesktopFolder, UsesHomeAndTheConfigFolder) {
  char home[] = "/tmp/quillmap-desktop-XXXXXX";
  ASSERT_NE(mkdtemp(home), nullptr);
  const std::string config = std::string(home) + "/cfg";
  ASSERT_EQ(mkdir(config.c_str(), 0700), 0);
  FILE* file = fopen((config + "/user-dirs.dirs").c_str(), "w");
  ASSERT_NE(file, nullptr);
  fputs("XDG_DESKTOP_DIR=\"$HOME/Arbeitsfläche\"\n", file);
  fclose(file);
  setenv("HOME", home, 1);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_EQ(DesktopFolder(), std::string(home) + "/Arbeitsfläche");
  unsetenv("XDG_CONFIG_HOME");  // ~/.config has no file
  EXPECT_EQ(DesktopFolder(), std::string(home) + "/Desktop");
  remove((config + "/user-dirs.dirs").c_str());
  rmdir(config.c_str());
  rmdir((std::string(home) + "/Arbeitsfläche").c_str());
  rmdir((std::string(home) + "/Desktop").c_str());
  rmdir(home);
}

// A fresh account has no desktop folder yet: the last level is made, nothing above it.
TEST(DesktopFolder, MakesAMissingDesktopFolderOneLevelDeep) {
  char home[] = "/tmp/quillmap-desktop-XXXXXX";
  ASSERT_NE(mkdtemp(home), nullptr);
  const std::string config = std::string(home) + "/cfg";
  ASSERT_EQ(mkdir(config.c_str(), 0700), 0);
  setenv("HOME", home, 1);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  const mode_t mask = umask(022);
  struct Case {
    const char* userDirs;
    const char* folder;  // below home
    bool made;
  } cases[] = {
      {"", "/Desktop", true},
      {"XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n", "/Bureau", true},
      {"XDG_DESKTOP_DIR=\"$HOME/a/b\"\n", "/a/b", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    FILE* file = fopen((config + "/user-dirs.dirs").c_str(), "w");
    ASSERT_NE(file, nullptr);
    fputs(c.userDirs, file);
    fclose(file);
    const std::string expected = std::string(home) + c.folder;
    EXPECT_EQ(DesktopFolder(), expected);
    struct stat entry;
    EXPECT_EQ(stat(expected.c_str(), &entry) == 0, c.made);
    if (c.made) {
      EXPECT_TRUE(S_ISDIR(entry.st_mode));
      EXPECT_EQ(entry.st_mode & 07777, 0755u);
      EXPECT_EQ(DesktopFolder(), expected);  // and an existing one is kept
      rmdir(expected.c_str());
    }
    EXPECT_NE(access((std::string(home) + "/a").c_str(), F_OK), 0);
  }
  umask(mask);
  unsetenv("XDG_CONFIG_HOME");
  remove((config + "/user-dirs.dirs").c_str());
  rmdir(config.c_str());
  rmdir(home);
}

}  // namespace
}  // namespace qm
