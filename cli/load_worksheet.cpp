// Reading a quillmap-cli INPUT into the worksheet grid: the input's kind is told by its name or
// its first bytes, and its bytes go through the same import steps as the clipboard's (a text
// range by way of the WK1 stream it becomes).
#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/common.h"
#include "import/import_worksheet.h"
#include "import/limits.h"
#include "import/text_range.h"
#include "io/user_locale.h"

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
// length 0 or a BOF of another version, before it would have read further. A body that runs past
// the beginning may only run past the cut, so it settles nothing.
bool BeginningSettlesImport(const std::vector<uint8_t>& bytes, WorksheetGrid& grid,
                            ImportResult& result) {
  result = ImportWk1Bytes(grid, bytes.data(), bytes.size());
  return result.status == ImportStatus::DecodeFailed &&
         (result.decoded == Wk1DecodeStatus::EmptyRecord ||
          result.decoded == Wk1DecodeStatus::OtherVersion);
}

// The import of a text range, whose conversion to WK1 records takes memory of its own: when it
// runs out, the import's own out-of-memory result.
ImportResult ImportText(WorksheetGrid& grid, const std::vector<uint8_t>& bytes,
                        TextRangeKind kind) {
  try {
    return ImportTextRange(grid, bytes.data(), bytes.size(), kind,
                           DecimalMarkOf(UserDecimalSeparator()));
  } catch (const std::bad_alloc&) {
    ImportResult result;
    result.status = ImportStatus::OutOfMemory;
    return result;
  }
}

}  // namespace

LoadedInput LoadWorksheet(const std::string& path, WorksheetGrid& grid) {
  LoadedInput input;
  std::vector<uint8_t> bytes;
  const InputRead read = ReadInput(path, MaxInputBytes, bytes, input.error);
  if (read == InputRead::Failed) return input;
  // A kind the beginning rules out (a NUL byte in what is not WK1) is ruled out for the whole.
  const InputKind kind = DetectInputKind(path, bytes);
  if (kind == InputKind::Unknown) {
    input.error = NameOf(path) +
                  ": neither a WK1 worksheet (expected a .wk1 name or a WK1 BOF record at the "
                  "start) nor text";
    return input;
  }
  if (read == InputRead::TooLarge) {
    if (kind == InputKind::Wk1 && BeginningSettlesImport(bytes, grid, input.import)) {
      input.read = true;
      return input;
    }
    ClearGrid(grid);
    input.error = NameOf(path) + ": more than " + MaxInputText +
                  ", the most Quillmap reads (a range of 1024 rows by 25 columns takes far less)";
    return input;
  }
  input.read = true;
  switch (kind) {
    case InputKind::Wk1:
      input.import = ImportWk1Bytes(grid, bytes.data(), bytes.size());
      break;
    case InputKind::Csv:
      input.import = ImportText(grid, bytes, TextRangeKind::Csv);
      break;
    case InputKind::TabText:
      input.import = ImportText(grid, bytes, TextRangeKind::TabSeparated);
      break;
    case InputKind::Unknown:
      break;
  }
  return input;
}

}  // namespace qm
