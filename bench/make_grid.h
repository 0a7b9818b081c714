// Deterministic worksheet ranges of the largest size Quillmap accepts, for the benchmarks:
// 1024 rows x 25 columns with names, ties, limit markers and empty cells.
#pragma once

#include <cstdint>

#include "import/grid.h"

namespace qm {

// Column 0 is a "split" column with codes 0..groups-1 (groups 1..10) and its group labels;
// the 24 other columns hold lognormal-like lab values rounded to one decimal (many ties), with
// about 2 % Below-limit and 1 % Above-limit markers and 3 % empty cells.
void MakeLargeGrid(WorksheetGrid& grid, int32_t groups, uint32_t seed);

}  // namespace qm
