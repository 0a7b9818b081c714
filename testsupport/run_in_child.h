// For the tests of quillmap-cli: one command run as main() runs it, in a child process that
// starts like a fresh program, so that what a test changes for it (standard input and output,
// limits, the locale, signals) stays in the child. Its standard error comes back through a
// pipe.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace qm {

struct ChildRun {
  bool exited = false;  // ended by returning, not by a signal
  int status = -1;      // exit status, or the signal that ended it
  std::string err;
};

// Runs "quillmap-cli ARGS" (ARGS[0] the command) in a child, after `prepare` has run there.
inline ChildRun RunCliInChild(const std::vector<std::string>& args,
                              const std::function<void()>& prepare = {}) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  std::cout.flush();
  std::cerr.flush();
  pid_t pid = fork();
  if (pid == 0) {
    close(pipeEnds[0]);
    dup2(pipeEnds[1], 2);
    close(pipeEnds[1]);
    signal(SIGXFSZ, SIG_DFL);
    signal(SIGPIPE, SIG_DFL);
    if (prepare) prepare();
    CLI::App app;
    app.require_subcommand(1);
    int status = -1;
    AddGridCommand(app, status);
    AddStatsCommand(app, status);
    AddPlotCommand(app, status);
    std::vector<const char*> argv = {"quillmap-cli"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    status = RunCommandLine(app, status, int(argv.size()), argv.data());
    std::cout.flush();
    std::cerr.flush();
    _exit(status);
  }
  close(pipeEnds[1]);
  ChildRun run;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.err.append(buffer, size_t(n));
  close(pipeEnds[0]);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return run;
  run.exited = WIFEXITED(status);
  run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
  return run;
}

}  // namespace qm
