// What quillmap-cli says about its input: the import's texts phrased for a file, and the notes of
// what the import and the chart could not keep or draw as asked.
#include <iostream>

#include "cli/common.h"

namespace qm {

namespace {

std::string InputName(const std::string& path) {
  return path == "-" ? std::string("standard input") : path;
}

}  // namespace

void ShowInputMessages(const LoadedInput& input, const std::string& path, const char* command,
                       MessageSink& messages) {
  const ImportResult& result = input.import;
  switch (result.status) {
    case ImportStatus::TooShort:
      messages.ShowOwnBox(InputName(path) + ": " + std::to_string(result.dataSize) +
                          (result.dataSize == 1 ? " byte" : " bytes") +
                          ", too short for a WK1 worksheet");
      return;
    case ImportStatus::NoRange:
      std::cerr << command << ": " << InputName(path) << ": no cell: the text is empty or blank\n";
      return;
    default:
      ShowImportMessages(result, messages);
  }
}

void PrintNotes(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::cerr << "Note: " << line << '\n';
}

}  // namespace qm
