// Reading a quillmap-cli INPUT into the worksheet grid: the input's kind is told by its name or
// its first bytes, and its bytes go through the same import steps as the clipboard's (a text
// range by way of the WK1 stream it becomes).
#include <cctype>
#include <cstring>
#include <utility>

#include "cli/common.h"
#include "import/import_worksheet.h"
#include "import/memory_clipboard.h"
#include "import/text_range.h"

namespace qm {

namespace {

enum class InputKind { Wk1, Csv, TabText, Unknown };

bool EndsWithWk1(const std::string& path) {
  const char* suffix = ".wk1";
  if (path.size() < 4) return false;
  for (size_t i = 0; i < 4; i++) {
    if (std::tolower((unsigned char)path[path.size() - 4 + i]) != suffix[i]) return false;
  }
  return true;
}

// A WK1 stream opens with a BOF record: type 0, body length 2.
bool StartsWithBof(const std::vector<uint8_t>& bytes) {
  static const uint8_t bof[4] = {0x00, 0x00, 0x02, 0x00};
  return bytes.size() >= 4 && std::memcmp(bytes.data(), bof, 4) == 0;
}

bool EndsWithIgnoringCase(const std::string& path, const std::string& suffix) {
  if (path.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); i++) {
    if (std::tolower((unsigned char)path[path.size() - suffix.size() + i]) != suffix[i])
      return false;
  }
  return true;
}

InputKind DetectInputKind(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (EndsWithWk1(path) || StartsWithBof(bytes)) return InputKind::Wk1;
  if (EndsWithIgnoringCase(path, ".csv")) return InputKind::Csv;
  if (EndsWithIgnoringCase(path, ".tsv") || EndsWithIgnoringCase(path, ".txt") ||
      BytesAreText(bytes.data(), bytes.size())) {
    return InputKind::TabText;
  }
  return InputKind::Unknown;
}

}  // namespace

int32_t LoadWorksheet(const std::string& path, WorksheetGrid& grid, MessageSink& messages,
                      std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadInput(path, bytes, error)) return -1000;
  switch (DetectInputKind(path, bytes)) {
    case InputKind::Wk1: {
      MemoryClipboardSource clipboard(std::move(bytes));
      return ImportWorksheet(grid, clipboard, messages);
    }
    case InputKind::Csv:
      return ImportTextRange(grid, bytes.data(), bytes.size(), TextRangeKind::Csv, messages);
    case InputKind::TabText:
      return ImportTextRange(grid, bytes.data(), bytes.size(), TextRangeKind::TabSeparated,
                             messages);
    case InputKind::Unknown:
      break;
  }
  error =
      (path == "-" ? std::string("standard input") : path) +
      ": neither a WK1 worksheet (expected a .wk1 name or a WK1 BOF record at the start) nor text";
  return -1000;
}

}  // namespace qm
