// Reading a quillmap-cli INPUT into the worksheet grid: the input's kind is told by its name or
// its first bytes, and its bytes go through the same import steps as the clipboard's (a text
// range by way of the WK1 stream it becomes).
#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstring>

#include "cli/common.h"
#include "import/import_worksheet.h"
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

// The decimal mark of the user's locale (LC_ALL, LC_NUMERIC or LANG), read without setting it:
// the process keeps the C locale, so every number it writes is the same whatever the user's.
// Unknown where that locale is not installed.
DecimalMark UserDecimalMark() {
  locale_t user = newlocale(LC_NUMERIC_MASK, "", locale_t(0));
  if (user == locale_t(0)) return DecimalMark::Unknown;
  const std::string radix = nl_langinfo_l(RADIXCHAR, user);
  freelocale(user);
  if (radix == ".") return DecimalMark::Point;
  if (radix == ",") return DecimalMark::Comma;
  return DecimalMark::Unknown;
}

}  // namespace

LoadedInput LoadWorksheet(const std::string& path, WorksheetGrid& grid) {
  LoadedInput input;
  std::vector<uint8_t> bytes;
  if (!ReadInput(path, bytes, input.error)) return input;
  input.read = true;
  switch (DetectInputKind(path, bytes)) {
    case InputKind::Wk1:
      input.import = ImportWk1Bytes(grid, bytes.data(), bytes.size());
      return input;
    case InputKind::Csv:
      input.import =
          ImportTextRange(grid, bytes.data(), bytes.size(), TextRangeKind::Csv, UserDecimalMark());
      return input;
    case InputKind::TabText:
      input.import = ImportTextRange(grid, bytes.data(), bytes.size(), TextRangeKind::TabSeparated,
                                     UserDecimalMark());
      return input;
    case InputKind::Unknown:
      break;
  }
  input.read = false;
  input.error =
      (path == "-" ? std::string("standard input") : path) +
      ": neither a WK1 worksheet (expected a .wk1 name or a WK1 BOF record at the start) nor text";
  return input;
}

}  // namespace qm
