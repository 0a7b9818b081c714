// The quillmap-cli subcommands; each adds itself to the command-line parser and returns the
// process's exit status when run.
#pragma once

#include <CLI/CLI.hpp>

namespace qm {

void AddGridCommand(CLI::App& app, int& status);
void AddStatsCommand(CLI::App& app, int& status);
void AddPlotCommand(CLI::App& app, int& status);

// Parses `argv` with `app`, whose commands write their exit status to `status`, and runs the
// command chosen: that command's status; for a command line the parser refuses, its message and
// 2 (0 for --help and --version); 1, with a message, when memory runs out in a step other than
// the import.
int RunCommandLine(CLI::App& app, const int& status, int argc, const char* const* argv);

}  // namespace qm
