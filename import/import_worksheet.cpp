// Importing the clipboard's "Wk1" data: the steps, their codes and their messages.
#include "import/import_worksheet.h"

#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "import/decode_wk1.h"

namespace qm {

namespace {

// Numbers in the header rows are counted by bit pattern, so only the Missing value itself passes.
bool HeaderRowsHoldValues(const WorksheetGrid& grid) {
  const uint64_t missingBits = std::bit_cast<uint64_t>(MissingValue);
  int32_t count = 0;
  // Only header rows that lie inside the range: a range of one row has no second row to check.
  for (int32_t r = 0; r < 2 && r < grid.RowCount; r++) {
    for (int32_t c = 0; c < grid.ColumnCount; c++) {
      if (std::bit_cast<uint64_t>(grid.Values[r][c]) != missingBits) count++;
    }
  }
  return count != 0;
}

}  // namespace

int32_t ImportWorksheet(WorksheetGrid& grid, ClipboardSource& clipboard, MessageSink& messages) {
  uint32_t format = clipboard.RegisterFormat(Wk1FormatName);
  if (format == 0) return 1;
  if (!clipboard.Open()) {
    messages.ShowOwnBox("Problem opening Clipboard");
    return 2;
  }
  if (!clipboard.IsFormatAvailable(format)) {
    clipboard.Close();
    return 3;
  }
  if (!clipboard.GetDataHandle(format)) {
    clipboard.Close();
    messages.ShowOwnBox("Problem getting memory handle");
    return 4;
  }
  size_t size = clipboard.DataSize();
  if (size < 2) {
    clipboard.Close();
    messages.ShowOwnBox("empty clipboard?? len=" + std::to_string(size) + " ");
    return 5;
  }
  // The one heap buffer of the import: a private copy of the data.
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    clipboard.Close();
    messages.ShowOwnBox("malloc problem");
    return 6;
  } catch (const std::length_error&) {
    clipboard.Close();
    messages.ShowOwnBox("malloc problem");
    return 6;
  }
  const uint8_t* data = clipboard.Lock();
  if (data == nullptr) {
    clipboard.Close();
    messages.ShowOwnBox("GlobalLock problem");
    return 7;
  }
  std::memcpy(buffer.data(), data, size);
  int32_t decoded = DecodeWk1(grid, buffer.data(), size);
  if (decoded != 0) {
    // The data are unlocked before the clipboard closes on this path too.
    clipboard.Unlock();
    clipboard.Close();
    messages.ShowOwnBox("Error " + std::to_string(decoded) + " reading wk1-data");
    return decoded * 100 + 8;
  }
  clipboard.Unlock();
  if (!clipboard.Close()) {
    messages.ShowOwnBox("error code: " + std::to_string(clipboard.LastErrorCode()));
    return 9;
  }
  if (HeaderRowsHoldValues(grid)) messages.ShowFrameworkBox("Warning: rows 1/2 contain VALUES\n");
  return 0;
}

}  // namespace qm
