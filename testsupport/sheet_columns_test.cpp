// Grids built from columns: the rows the longest column needs, the Missing value in every cell
// no column fills, and header texts cut as the import cuts them.
#include "testsupport/sheet_columns.h"

#include <gtest/gtest.h>

#include <cstring>

#include "import/limits.h"

namespace qm::testing {
namespace {

TEST(SheetColumns, RowsForTheLongestColumnAndMissingElsewhere) {
  auto grid = MakeSheet({{"A", "mg/l", {1, 2, 3}}, {"split", "0=a;1=b", {0}}});
  EXPECT_EQ(grid->RowCount, 5);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_STREQ(grid->HeaderRow1Text[1], "split");
  EXPECT_STREQ(grid->HeaderRow2Text[0], "mg/l");
  EXPECT_EQ(grid->Values[4][0], 3.0);
  EXPECT_EQ(grid->Values[2][1], 0.0);
  const struct {
    int32_t row, column;
  } missing[] = {{0, 0}, {1, 1}, {3, 1}, {4, 1}, {2, 2}, {MaxRows - 1, MaxColumns - 1}};
  for (const auto& cell : missing) {
    EXPECT_EQ(grid->Values[cell.row][cell.column], MissingValue) << cell.row << "," << cell.column;
  }
}

TEST(SheetColumns, ColumnsAddUpAndNamesAreCutToTheHeaderLimit) {
  auto grid = MakeSheet({});
  ClearSheet(*grid, 4);
  EXPECT_EQ(AddColumn(*grid, {"a", "", {1}}), 0);
  EXPECT_EQ(AddColumn(*grid, {std::string(300, 'n'), std::string(256, 's'), {2, 3}}), 1);
  EXPECT_EQ(grid->RowCount, 4);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_EQ(std::strlen(grid->HeaderRow1Text[1]), size_t(MaxHeaderText));
  EXPECT_EQ(std::strlen(grid->HeaderRow2Text[1]), size_t(MaxHeaderText));
  EXPECT_EQ(grid->Values[3][1], 3.0);
}

}  // namespace
}  // namespace qm::testing
