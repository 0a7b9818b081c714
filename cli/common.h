// Pieces every quillmap-cli subcommand shares: reading the input into a worksheet grid, the
// message sinks, and JSON output with numbers in their shortest round-trip form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "import/grid.h"
#include "import/import_worksheet.h"
#include "import/message_sink.h"

namespace qm {

using Json = nlohmann::ordered_json;

// Keeps every message text in the order shown.
class RecordingSink : public MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override { messages.push_back(text); }
  void ShowFrameworkBox(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Writes every message to stderr as it is (texts that end in a line feed keep it; others get
// one).
class StderrSink : public MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override;
  void ShowFrameworkBox(const std::string& text) override;
};

// What is kept of an input too large to read whole: enough to tell its kind, and a WK1
// stream's first records.
constexpr size_t InputBeginningBytes = size_t(64) << 10;

// What reading an input gave.
enum class InputRead {
  Whole,     // all its bytes
  TooLarge,  // it holds more than the limit; the bytes are its first InputBeginningBytes
  Failed,    // it could not be opened or read, or there was no memory for it
};

// The bytes of a file, or of standard input for "-", reading at most `limit` + 1 of them (only
// the beginning of a regular file that is larger) and holding them about once in memory. A read
// error (a reset connection, a folder, EIO) fails, on standard input as on a file. Failed comes
// with a one-line reason.
InputRead ReadInput(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                    std::string& error);

// What became of an INPUT: read and imported (with the import's result), or not read at all.
struct LoadedInput {
  bool read = false;  // false: the input could not be read, is larger than MaxInputBytes, or
                      // is of a kind not accepted
  std::string error;  // why not, in one line
  ImportResult import;  // OutOfMemory ("malloc problem") when memory runs out
};

// Reads INPUT and imports it into the grid the way the desktop program imports the clipboard.
// The import's texts are for the caller to show (ShowImportMessages).
LoadedInput LoadWorksheet(const std::string& path, WorksheetGrid& grid);

// Writes text to standard output and flushes it. False, after "<command>: cannot write to
// standard output" on stderr, when it could not be written (a full disk, a closed pipe).
bool WriteStandardOutput(const std::string& text, const char* command);

// The shortest text that reads back as the same double (std::to_chars).
std::string FormatNumber(double value);

// Compact JSON in which every real is written by FormatNumber; texts as UTF-8.
std::string DumpJson(const Json& value);

// A grid text (Windows-1252) as a JSON string value.
Json GridText(const char* text);

}  // namespace qm
