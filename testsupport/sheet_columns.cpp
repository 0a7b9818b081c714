// Filling worksheet grids column by column.
#include "testsupport/sheet_columns.h"

#include <algorithm>
#include <cstring>

#include "import/limits.h"

namespace qm::testing {

void ClearSheet(WorksheetGrid& grid, int32_t rows, int32_t columns) {
  ClearGrid(grid);
  grid.RowCount = rows;
  grid.ColumnCount = columns;
  for (auto& row : grid.Values) {
    for (double& cell : row) cell = MissingValue;
  }
}

void NameColumn(WorksheetGrid& grid, int32_t column, const std::string& name,
                const std::string& second) {
  std::strncpy(grid.HeaderRow1Text[column], name.c_str(), MaxHeaderText);
  std::strncpy(grid.HeaderRow2Text[column], second.c_str(), MaxHeaderText);
  grid.HeaderRow1Text[column][MaxHeaderText] = '\0';
  grid.HeaderRow2Text[column][MaxHeaderText] = '\0';
}

int32_t AddColumn(WorksheetGrid& grid, const SheetColumn& column) {
  const int32_t c = grid.ColumnCount++;
  NameColumn(grid, c, column.name, column.second);
  for (size_t i = 0; i < column.values.size(); i++) grid.Values[2 + i][c] = column.values[i];
  return c;
}

void SetColumns(WorksheetGrid& grid, const std::vector<SheetColumn>& columns) {
  size_t longest = 0;
  for (const SheetColumn& column : columns) longest = std::max(longest, column.values.size());
  ClearSheet(grid, 2 + int32_t(longest));
  for (const SheetColumn& column : columns) AddColumn(grid, column);
}

std::unique_ptr<WorksheetGrid> MakeSheet(const std::vector<SheetColumn>& columns) {
  auto grid = std::make_unique<WorksheetGrid>();
  SetColumns(*grid, columns);
  return grid;
}

}  // namespace qm::testing
