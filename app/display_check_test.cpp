// Without a display the desktop program says so and how to get one, and ends with status 1: the
// decision for each environment, and the program itself started in environments where Qt would
// otherwise abort (no display at all, Wayland without a compositor or its plugin, an X display
// that is not there).
#include "app/display_check.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

TEST(DisplayCheck, SaysWhatIsMissing) {
  struct Case {
    DisplayEnvironment environment;
    const char* missing;  // a part of what is said; "" when a display may be had
  } cases[] = {
      {{"", "", "", true}, "neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {{"", "", ":0", false}, ""},
      {{"", "wayland-0", ":0", false}, ""},
      {{"", "wayland-0", "", true}, ""},
      {{"", "wayland-0", "", false}, "Wayland platform plugin is not installed"},
      {{"wayland", "", ":0", false}, "Wayland platform plugin is not installed"},
      {{"xcb", "wayland-0", "", true}, "QT_QPA_PLATFORM is xcb but DISPLAY is not set"},
      {{"offscreen", "", "", false}, ""},
  };
  for (const Case& c : cases) {
    const std::string missing = MissingDisplay(c.environment);
    SCOPED_TRACE(c.environment.qtPlatform + "|" + c.environment.waylandDisplay + "|" +
                 c.environment.display);
    if (c.missing[0] == '\0') {
      EXPECT_EQ(missing, "");
    } else {
      EXPECT_NE(missing.find(c.missing), std::string::npos) << missing;
    }
  }
  EXPECT_NE(NoDisplayMessage("x").find("xvfb-run quillmap"), std::string::npos);
}

struct ProgramRun {
  bool exited = false;
  int status = -1;  // exit status, or the signal that ended it
  std::string err;
};

// Runs the desktop program with exactly `environment`, its standard error through a pipe;
// ends it after 30 s.
ProgramRun RunProgram(const std::vector<std::string>& environment) {
  std::vector<char*> envp;
  for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  char name[] = "quillmap";
  char* argv[] = {name, nullptr};
  int ends[2];
  if (pipe(ends) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    dup2(ends[1], 2);
    int quiet = open("/dev/null", O_RDWR);
    dup2(quiet, 0);
    dup2(quiet, 1);
    close(ends[0]);
    execve(QUILLMAP_BINARY, argv, envp.data());
    _exit(127);
  }
  close(ends[1]);
  std::thread timer([pid] {
    for (int i = 0; i < 300; i++) {
      if (kill(pid, 0) != 0) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
  });
  ProgramRun run;
  char buffer[4096];
  ssize_t n;
  while ((n = read(ends[0], buffer, sizeof buffer)) > 0) run.err.append(buffer, size_t(n));
  close(ends[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  timer.join();
  run.exited = WIFEXITED(status);
  run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
  return run;
}

// An X display number no server listens on.
std::string FreeDisplay() {
  for (int number = 160; number < 200; number++) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
    if (access(socket.c_str(), F_OK) != 0 && access(lock.c_str(), F_OK) != 0) {
      return ":" + std::to_string(number);
    }
  }
  return ":199";
}

TEST(DisplayCheck, TheProgramEndsWithAMessageInsteadOfAnAbort) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const std::string folder = home.path().toStdString();
  chmod(folder.c_str(), 0700);
  const std::vector<std::string> base = {"PATH=/usr/bin:/bin", "HOME=" + folder,
                                         "XDG_RUNTIME_DIR=" + folder};
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"WAYLAND_DISPLAY=quillmap-no-compositor"},
      {"DISPLAY=" + FreeDisplay()},
      {"QT_QPA_PLATFORM=xcb"},
  };
  for (const std::vector<std::string>& extra : cases) {
    std::vector<std::string> environment = base;
    environment.insert(environment.end(), extra.begin(), extra.end());
    const std::string name = extra.empty() ? "nothing" : extra[0];
    ProgramRun run = RunProgram(environment);
    EXPECT_TRUE(run.exited) << name << ": ended by signal " << run.status << "\n" << run.err;
    EXPECT_EQ(run.status, 1) << name << ": " << run.err;
    EXPECT_NE(run.err.find("quillmap: no display: "), std::string::npos) << name << ": " << run.err;
    EXPECT_NE(run.err.find("xvfb-run quillmap"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace qm
