// The worksheet grid: the imported range, two header rows of text per column and the numbers.
// Filled once by the import and read-only afterwards.
#pragma once

#include <cstdint>

#include "import/limits.h"

namespace qm {

struct WorksheetGrid {
  int32_t RowCount;     // rows of the range, the two header rows included; <= 0 means none
  int32_t ColumnCount;  // columns of the range; <= 0 means none
  char HeaderRow1Text[MaxColumns][HeaderTextSize];  // labels of the range's first row
  char HeaderRow2Text[MaxColumns][HeaderTextSize];  // labels of the range's second row
  double Values[MaxRows][MaxColumns];               // numbers; MissingValue where none
};

// Back to the program-start state: counts 0, texts empty, values 0.
void ClearGrid(WorksheetGrid& grid);

}  // namespace qm
