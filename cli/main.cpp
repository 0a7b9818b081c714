// quillmap-cli: the import, the statistics and the charts of Quillmap on files, headless.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "quillmap_version.h"
#ifdef _WIN32
#include "cli/windows_console.h"
#endif

int main(int argc, char** argv) {
  CLI::App app{"Quillmap on files: import a worksheet range, compute its series, draw a chart."};
  app.set_version_flag("--version", "quillmap-cli " QUILLMAP_VERSION, "Print the version and exit");
  app.require_subcommand(1);
  int status = 0;
  qm::AddGridCommand(app, status);
  qm::AddStatsCommand(app, status);
  qm::AddPlotCommand(app, status);
#ifdef _WIN32
  // The arguments as UTF-8, whatever the console's code page; bytes in and out unchanged.
  qm::WindowsArguments arguments;
  qm::UseBinaryStandardStreams();
  argc = arguments.count();
  argv = arguments.values();
#endif
  return qm::RunCommandLine(app, status, argc, argv);
}
