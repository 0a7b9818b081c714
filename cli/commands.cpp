// Running a quillmap-cli command line: what main() does after the commands are added.
#include "cli/commands.h"

#include <iostream>
#include <new>

namespace qm {

int RunCommandLine(CLI::App& app, const int& status, int argc, const char* const* argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  } catch (const std::bad_alloc&) {
    // The import reports its own lack of memory ("malloc problem"); this is any other step's.
    std::cerr << "quillmap-cli: not enough memory to finish\n";
    return 1;
  }
  return status;
}

}  // namespace qm
