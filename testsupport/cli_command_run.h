// quillmap-cli's subcommands run inside a test program, as main() runs them, with standard
// output and standard error captured.
#pragma once

#include <CLI/CLI.hpp>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace qm::testing {

struct CommandRun {
  int status;       // the exit status main() would return
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs "quillmap-cli ARGS" with the one subcommand `addCommand` adds (AddGridCommand, ...);
// ARGS start with the subcommand's name; the status is RunCommandLine's, as in main().
inline CommandRun RunCliCommand(void (*addCommand)(CLI::App&, int&),
                                const std::vector<std::string>& args) {
  CLI::App app;
  app.require_subcommand(1);
  int status = -1;
  addCommand(app, status);
  std::ostringstream out, err;
  auto* oldOut = std::cout.rdbuf(out.rdbuf());
  auto* oldErr = std::cerr.rdbuf(err.rdbuf());
  std::vector<const char*> argv = {"quillmap-cli"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  status = RunCommandLine(app, status, int(argv.size()), argv.data());
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  return {status, out.str(), err.str()};
}

}  // namespace qm::testing
