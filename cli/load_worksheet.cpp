// Reading a quillmap-cli INPUT into the worksheet grid: the input's kind is told by its name or
// its first bytes, and its bytes go through the same import steps as the clipboard's (a text
// range by way of the WK1 stream it becomes).
#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "cli/common.h"
#include "import/import_worksheet.h"
#include "import/limits.h"
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

std::string NameOf(const std::string& path) {
  return path == "-" ? std::string("standard input") : path;
}

// Whether the beginning of a WK1 stream already settles the import's verdict on the whole of it:
// the decoder walks the records in order and stops at the first broken one, a record of body
// length 0 (108) or a BOF of another version (208), before it would have read further. A body
// that runs past the beginning (-92) may only run past the cut, so it settles nothing.
bool BeginningSettlesImport(const std::vector<uint8_t>& bytes, WorksheetGrid& grid,
                            RecordingSink& messages, int32_t& code) {
  MemoryClipboardSource clipboard(bytes);
  code = ImportWorksheet(grid, clipboard, messages);
  return code == 108 || code == 208;
}

// The import of a text range, whose conversion to WK1 records takes memory of its own: when it
// runs out, the import's own out-of-memory result.
int32_t ImportText(WorksheetGrid& grid, const std::vector<uint8_t>& bytes, TextRangeKind kind,
                   MessageSink& messages) {
  try {
    return ImportTextRange(grid, bytes.data(), bytes.size(), kind, messages);
  } catch (const std::bad_alloc&) {
    messages.ShowOwnBox("malloc problem");
    return 6;
  }
}

}  // namespace

int32_t LoadWorksheet(const std::string& path, WorksheetGrid& grid, MessageSink& messages,
                      std::string& error) {
  std::vector<uint8_t> bytes;
  const InputRead read = ReadInput(path, MaxInputBytes, bytes, error);
  if (read == InputRead::Failed) return -1000;
  // A kind the beginning rules out (a NUL byte in what is not WK1) is ruled out for the whole.
  const InputKind kind = DetectInputKind(path, bytes);
  if (kind == InputKind::Unknown) {
    error = NameOf(path) +
            ": neither a WK1 worksheet (expected a .wk1 name or a WK1 BOF record at the start) "
            "nor text";
    return -1000;
  }
  if (read == InputRead::TooLarge) {
    RecordingSink beginningMessages;
    int32_t code = 0;
    if (kind == InputKind::Wk1 && BeginningSettlesImport(bytes, grid, beginningMessages, code)) {
      for (const std::string& text : beginningMessages.messages) messages.ShowOwnBox(text);
      return code;
    }
    ClearGrid(grid);
    error = NameOf(path) + ": more than " + MaxInputText +
            ", the most Quillmap reads (a range of 1024 rows by 25 columns takes far less)";
    return -1000;
  }
  switch (kind) {
    case InputKind::Wk1: {
      MemoryClipboardSource clipboard(std::move(bytes));
      return ImportWorksheet(grid, clipboard, messages);
    }
    case InputKind::Csv:
      return ImportText(grid, bytes, TextRangeKind::Csv, messages);
    case InputKind::TabText:
      return ImportText(grid, bytes, TextRangeKind::TabSeparated, messages);
    case InputKind::Unknown:
      break;
  }
  return -1000;
}

}  // namespace qm
