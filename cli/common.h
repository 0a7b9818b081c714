// Pieces every quillmap-cli subcommand shares: reading the input into a worksheet grid, the
// message sinks, and JSON output with numbers in their shortest round-trip form.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "import/grid.h"
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

// The bytes of a file, or of standard input for "-". False with a one-line reason.
bool ReadInput(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Reads INPUT and imports it into the grid the way the desktop program imports the clipboard,
// showing the import's messages on `messages`. Returns the import's code (0 success), or -1000
// with `error` set when the input cannot be read or is of a kind not accepted.
int32_t LoadWorksheet(const std::string& path, WorksheetGrid& grid, MessageSink& messages,
                      std::string& error);

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
