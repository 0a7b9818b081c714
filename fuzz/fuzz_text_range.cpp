// libFuzzer target: any bytes read as a text range, tab-separated and as CSV, must become a WK1
// stream that the decoder reads without error into a grid within its limits, in time linear in
// the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "import/decode_wk1.h"
#include "import/text_range.h"

namespace {

void Check(const uint8_t* data, size_t size, qm::TextRangeKind kind, qm::WorksheetGrid& grid) {
  qm::TextRangeSize found;
  std::vector<uint8_t> wk1 = qm::WriteTextRangeWk1(data, size, kind, &found);
  if (qm::DecodeWk1(grid, wk1.data(), wk1.size()) != qm::Wk1DecodeStatus::Ok) std::abort();
  if (found.rows == 0) {
    if (grid.RowCount != 0 || grid.ColumnCount != 0) std::abort();
    return;
  }
  // The range runs from the first line and field to the last line and the widest line.
  int64_t rows = found.rows < qm::MaxRows ? found.rows : qm::MaxRows;
  int64_t columns = found.columns < qm::MaxColumns ? found.columns : qm::MaxColumns;
  if (grid.RowCount != rows || grid.ColumnCount != columns) std::abort();
  for (int32_t c = 0; c < grid.ColumnCount; c++) {
    if (std::memchr(grid.HeaderRow1Text[c], 0, qm::MaxHeaderText + 1) == nullptr) std::abort();
    if (std::memchr(grid.HeaderRow2Text[c], 0, qm::MaxHeaderText + 1) == nullptr) std::abort();
  }
  // Cell records only inside the grid's 1024 x 25, each at most a 255-character LABEL.
  if (wk1.size() > 64 + size_t(qm::MaxRows) * qm::MaxColumns * 267) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qm::WorksheetGrid grid;  // large; allocated once for every input
  Check(data, size, qm::TextRangeKind::TabSeparated, grid);
  Check(data, size, qm::TextRangeKind::Csv, grid);
  std::vector<uint8_t> wk1;
  if (qm::ClipboardTextToWk1(reinterpret_cast<const char*>(data), size, wk1) &&
      qm::DecodeWk1(grid, wk1.data(), wk1.size()) != qm::Wk1DecodeStatus::Ok) {
    std::abort();
  }
  return 0;
}
