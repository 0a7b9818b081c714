// quillmap-cli stats (placeholder until its issue lands).
#include <iostream>

#include "cli/commands.h"

namespace qm {

void AddStatsCommand(CLI::App& app, int& status) {
  app.add_subcommand("stats", "not built yet")->allow_extras()->callback([&status] {
    std::cerr << "quillmap-cli stats: not built yet\n";
    status = 2;
  });
}

}  // namespace qm
