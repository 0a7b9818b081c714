// The quillmap-cli subcommands; each adds itself to the command-line parser and returns the
// process's exit status when run.
#pragma once

#include <CLI/CLI.hpp>

namespace qm {

void AddGridCommand(CLI::App& app, int& status);
void AddStatsCommand(CLI::App& app, int& status);
void AddPlotCommand(CLI::App& app, int& status);

}  // namespace qm
