// Resetting a worksheet grid to its program-start state.
#include "import/grid.h"

#include <cstring>

namespace qm {

void ClearGrid(WorksheetGrid& grid) {
  std::memset(&grid, 0, sizeof grid);
}

}  // namespace qm
