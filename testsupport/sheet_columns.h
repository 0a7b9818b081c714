// Worksheet grids built in code for tests, benchmarks and fuzzers: named columns of values
// under the two header rows, the Missing value in every other cell, as an import leaves them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/grid.h"

namespace qm::testing {

// One column of a range: its two header texts and its observations, rows 3, 4, ... of the range.
struct SheetColumn {
  std::string name;    // the first header row
  std::string second;  // the second header row (a split column's group labels)
  std::vector<double> values;
};

// Empties `grid` to `rows` rows (the two header rows included) and `columns` columns: every
// header text empty and every cell of the whole grid the Missing value.
void ClearSheet(WorksheetGrid& grid, int32_t rows, int32_t columns = 0);

// Sets the two header texts of `column`, each cut to MaxHeaderText characters.
void NameColumn(WorksheetGrid& grid, int32_t column, const std::string& name,
                const std::string& second = "");

// Appends `column` after the grid's last column, its values from row 3 on (values beyond the
// grid's rows are stored but not counted); returns its index.
int32_t AddColumn(WorksheetGrid& grid, const SheetColumn& column);

// Fills `grid` with `columns`, with as many rows as the longest of them needs.
void SetColumns(WorksheetGrid& grid, const std::vector<SheetColumn>& columns);

// A new grid holding `columns`, as SetColumns fills it.
std::unique_ptr<WorksheetGrid> MakeSheet(const std::vector<SheetColumn>& columns);

}  // namespace qm::testing
