// quillmap-cli: the import, the statistics and the charts of Quillmap on files, headless.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "quillmap_version.h"

int main(int argc, char** argv) {
  CLI::App app{"Quillmap on files: import a worksheet range, compute its series, draw a chart."};
  app.set_version_flag("--version", "quillmap-cli " QUILLMAP_VERSION, "Print the version and exit");
  app.require_subcommand(1);
  int status = 0;
  qm::AddGridCommand(app, status);
  qm::AddStatsCommand(app, status);
  qm::AddPlotCommand(app, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  return status;
}
