// quillmap-cli plot (placeholder until its issue lands).
#include <iostream>

#include "cli/commands.h"

namespace qm {

void AddPlotCommand(CLI::App& app, int& status) {
  app.add_subcommand("plot", "not built yet")->allow_extras()->callback([&status] {
    std::cerr << "quillmap-cli plot: not built yet\n";
    status = 2;
  });
}

}  // namespace qm
