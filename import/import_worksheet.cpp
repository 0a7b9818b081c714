// Importing a worksheet range: the clipboard's steps, the decode, their codes and their texts.
#include "import/import_worksheet.h"

#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "import/codepage.h"
#include "import/limits.h"
#include "import/text_range.h"

namespace qm {

namespace {

// Numbers in the header rows are counted by bit pattern, so only the Missing value itself passes.
bool HeaderRowsHoldValues(const WorksheetGrid& grid) {
  const uint64_t missingBits = std::bit_cast<uint64_t>(MissingValue);
  // Only header rows that lie inside the range: a range of one row has no second row to check.
  for (int32_t r = 0; r < 2 && r < grid.RowCount; r++) {
    for (int32_t c = 0; c < grid.ColumnCount; c++) {
      if (std::bit_cast<uint64_t>(grid.Values[r][c]) != missingBits) return true;
    }
  }
  return false;
}

ImportResult Failed(ImportStatus status) {
  ImportResult result;
  result.status = status;
  return result;
}

ImportResult Refused(ClipboardDataProblem problem) {
  ImportResult result = Failed(ImportStatus::NoDataHandle);
  result.dataProblem = problem;
  return result;
}

// The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (size_t i = 0; i < text.size(); i++) {
    char32_t code = text[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      i++;
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    AppendUtf8(utf8, code);
  }
  return utf8;
}

// The clipboard's text read as a range; NoRange when it holds none.
ImportResult ImportTextOnClipboard(WorksheetGrid& grid, std::u16string_view text,
                                   DecimalMark localeMark) {
  // Every UTF-16 unit gives at least one UTF-8 byte: a longer text is too large unconverted.
  if (text.size() > MaxInputBytes) return Refused(ClipboardDataProblem::TooLarge);
  const std::string utf8 = Utf8FromUtf16(text);
  if (utf8.size() > MaxInputBytes) return Refused(ClipboardDataProblem::TooLarge);
  return ImportClipboardText(grid, utf8.data(), utf8.size(), localeMark);
}

// The steps between opening and closing the clipboard.
ImportResult ImportOpenClipboard(WorksheetGrid& grid, WorksheetClipboard& clipboard,
                                 DecimalMark localeMark) {
  size_t size = 0;
  const Wk1Offer offer = clipboard.TakeWk1(size);
  if (offer != Wk1Offer::Handed) {
    ImportResult result = ImportTextOnClipboard(grid, clipboard.LendText(), localeMark);
    if (offer == Wk1Offer::NotHanded && result.status == ImportStatus::NoRange) {
      return Failed(ImportStatus::NoDataHandle);
    }
    return result;
  }
  // "Wk1" data larger than any range needs are not taken: the import says it got no handle.
  if (size > MaxInputBytes) return Refused(ClipboardDataProblem::TooLarge);
  if (size < 2) return ImportWk1Bytes(grid, nullptr, size);  // too short: says how long it is
  // The one heap buffer of the import: a private copy of the data.
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    return Failed(ImportStatus::OutOfMemory);
  } catch (const std::length_error&) {
    return Failed(ImportStatus::OutOfMemory);
  }
  const uint8_t* data = clipboard.LendWk1();
  if (data == nullptr) return Failed(ImportStatus::NotLocked);
  std::memcpy(buffer.data(), data, size);
  return ImportWk1Bytes(grid, buffer.data(), size);
}

}  // namespace

int32_t ImportResult::Code() const {
  if (status == ImportStatus::DecodeFailed) return int32_t(decoded) * 100 + 8;
  return int32_t(status);
}

std::string ImportMessage(const ImportResult& result) {
  switch (result.status) {
    case ImportStatus::Ok:
    case ImportStatus::FormatNotRegistered:
    case ImportStatus::NoRange:
      return "";
    case ImportStatus::ClipboardNotOpened:
      return "Problem opening Clipboard";
    case ImportStatus::NoDataHandle:
      return "Problem getting memory handle";
    case ImportStatus::TooShort:
      return "empty clipboard?? len=" + std::to_string(result.dataSize) + " ";
    case ImportStatus::OutOfMemory:
      return "malloc problem";
    case ImportStatus::NotLocked:
      return "GlobalLock problem";
    case ImportStatus::DecodeFailed:
      return "Error " + std::to_string(int32_t(result.decoded)) + " reading wk1-data";
    case ImportStatus::ClipboardNotClosed:
      return "error code: " + std::to_string(result.systemError);
  }
  return "";
}

std::string ImportWarning(const ImportResult& result) {
  return result.ok() && result.headerRowsHoldValues ? "Warning: rows 1/2 contain VALUES\n" : "";
}

void ShowImportMessages(const ImportResult& result, MessageSink& messages) {
  const std::string message = ImportMessage(result);
  if (!message.empty()) messages.ShowOwnBox(message);
  const std::string warning = ImportWarning(result);
  if (!warning.empty()) messages.ShowFrameworkBox(warning);
}

ImportResult ImportWk1Bytes(WorksheetGrid& grid, const uint8_t* bytes, size_t size) {
  if (size < 2) {
    ImportResult result = Failed(ImportStatus::TooShort);
    result.dataSize = size;
    return result;
  }
  ImportResult result;
  result.decoded = DecodeWk1(grid, bytes, size, &result.notes);
  if (result.decoded != Wk1DecodeStatus::Ok) {
    result.status = ImportStatus::DecodeFailed;
    return result;
  }
  result.headerRowsHoldValues = HeaderRowsHoldValues(grid);
  return result;
}

ImportResult ImportWorksheet(WorksheetGrid& grid, WorksheetClipboard& clipboard,
                             DecimalMark localeMark) {
  switch (clipboard.Open()) {
    case ClipboardOpening::FormatNotRegistered:
      return Failed(ImportStatus::FormatNotRegistered);
    case ClipboardOpening::NotOpened:
      return Failed(ImportStatus::ClipboardNotOpened);
    case ClipboardOpening::Opened:
      break;
  }
  ImportResult result;
  try {
    result = ImportOpenClipboard(grid, clipboard, localeMark);
  } catch (const std::bad_alloc&) {
    // The clipboard's own copy of its data, the text's UTF-8 or its range's records.
    result = Refused(ClipboardDataProblem::NoMemory);
  }
  // The data are released before the clipboard closes, after a failed decode too.
  uint32_t systemError = 0;
  if (!clipboard.Close(systemError) && result.ok()) {
    result = Failed(ImportStatus::ClipboardNotClosed);
    result.systemError = systemError;
  }
  return result;
}

}  // namespace qm
