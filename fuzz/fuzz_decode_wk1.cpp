// libFuzzer target: any bytes through the WK1 decoder must decode or fail with a code, never read
// or write outside the buffer and the grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "import/decode_wk1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qm::WorksheetGrid grid;  // large; allocated once for every input
  const int32_t result = int32_t(qm::DecodeWk1(grid, data, size));
  if (result != 0 && result != 1 && result != 2 && result != -1) std::abort();
  if (grid.RowCount > qm::MaxRows || grid.ColumnCount > qm::MaxColumns) std::abort();
  return 0;
}
