// quillmap-cli grid (placeholder until its issue lands).
#include <iostream>

#include "cli/commands.h"

namespace qm {

void AddGridCommand(CLI::App& app, int& status) {
  app.add_subcommand("grid", "not built yet")->allow_extras()->callback([&status] {
    std::cerr << "quillmap-cli grid: not built yet\n";
    status = 2;
  });
}

}  // namespace qm
