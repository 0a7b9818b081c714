// Importing a worksheet range: the clipboard's steps, the decode, their codes and their texts.
#include "import/import_worksheet.h"

#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

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

ImportResult ImportWorksheet(WorksheetGrid& grid, ClipboardSource& clipboard) {
  const uint32_t format = clipboard.RegisterFormat(Wk1FormatName);
  if (format == 0) return Failed(ImportStatus::FormatNotRegistered);
  if (!clipboard.Open()) return Failed(ImportStatus::ClipboardNotOpened);
  if (!clipboard.IsFormatAvailable(format)) {
    clipboard.Close();
    return Failed(ImportStatus::NoRange);
  }
  if (!clipboard.GetDataHandle(format)) {
    ImportResult failed = Failed(ImportStatus::NoDataHandle);
    failed.dataProblem = clipboard.DataProblem();
    clipboard.Close();
    return failed;
  }
  const size_t size = clipboard.DataSize();
  if (size < 2) {
    clipboard.Close();
    return ImportWk1Bytes(grid, nullptr, size);  // too short: says how long it is
  }
  // The one heap buffer of the import: a private copy of the data.
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    clipboard.Close();
    return Failed(ImportStatus::OutOfMemory);
  } catch (const std::length_error&) {
    clipboard.Close();
    return Failed(ImportStatus::OutOfMemory);
  }
  const uint8_t* data = clipboard.Lock();
  if (data == nullptr) {
    clipboard.Close();
    return Failed(ImportStatus::NotLocked);
  }
  std::memcpy(buffer.data(), data, size);
  ImportResult result = ImportWk1Bytes(grid, buffer.data(), size);
  if (const ImportNotes* conversion = clipboard.ConversionNotes()) {
    AddConversionNotes(result.notes, *conversion);
  }
  // The data are unlocked before the clipboard closes, after a failed decode too.
  clipboard.Unlock();
  if (!clipboard.Close() && result.ok()) {
    result = Failed(ImportStatus::ClipboardNotClosed);
    result.systemError = clipboard.LastErrorCode();
  }
  return result;
}

}  // namespace qm
