// The rows of a series: every row without a split column; in the split modes exactly the rows
// whose value SeriesValue reads from the series' column, in ascending order, for split cells of
// every kind (fractions, negatives, codes out of range, the Missing value, not-a-number).
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "stats/series_table.h"
#include "stats/test_grid.h"

namespace qm {
namespace {

using testing::TestRun;

// A different value in every cell and none of them missing, so that SeriesValue gives the
// Missing value exactly for the rows outside the series.
std::vector<double> Distinct(int32_t rows, double base) {
  std::vector<double> values;
  for (int32_t r = 0; r < rows; ++r) values.push_back(base + r);
  return values;
}

std::vector<int32_t> Listed(const SeriesTable& table, int32_t s, int32_t rowCount) {
  const SeriesRows rows = RowsOfSeries(table, s, rowCount);
  std::vector<int32_t> listed;
  for (int32_t k = 0; k < rows.count; ++k) listed.push_back(rows[k]);
  return listed;
}

TEST(RowsOfSeries, AreTheRowsSeriesValueReads) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> splitCells = {0,    1,
                                          2,    -0.5,
                                          0.99, 3.7,
                                          9.99, 10,
                                          -1,   -2,
                                          12.5, 9,
                                          nan,  MissingValue,
                                          1,    0,
                                          2.25, 3,
                                          -0.0, 5,
                                          4.5,  AboveLimitMarker};
  const int32_t observations = int32_t(splitCells.size());
  for (int32_t splitMode : {0, 1, 2}) {
    TestRun run(2 + observations);
    run.AddColumn("a", Distinct(observations, 100));
    run.AddColumn("split", "0=zero;3=three", splitCells);
    run.AddColumn("b", Distinct(observations, 200));
    ASSERT_TRUE(run.Build(splitMode));
    const SeriesTable& table = *run.table;
    const int32_t rowCount = run.grid->RowCount;
    ASSERT_GT(table.SeriesCount, 0);
    for (int32_t s = 0; s < table.SeriesCount; ++s) {
      std::vector<int32_t> expected;
      for (int32_t r = 0; r < rowCount; ++r) {
        if (splitMode == 0 || SeriesValue(table, r, s) != MissingValue) expected.push_back(r);
      }
      EXPECT_EQ(Listed(table, s, rowCount), expected)
          << "split mode " << splitMode << " series " << s;
    }
  }
}

// A later build over another grid lists the rows of that grid only.
TEST(RowsOfSeries, FollowTheLatestBuild) {
  TestRun run(6);
  run.AddColumn("split", {0, 1, 0, 1});
  run.AddColumn("a", {1, 2, 3, 4});
  ASSERT_TRUE(run.Build(1));
  EXPECT_EQ(Listed(*run.table, 0, 6), (std::vector<int32_t>{2, 4}));
  run.grid->Values[2][0] = 1;
  run.grid->Values[3][0] = 0;
  ASSERT_TRUE(run.Build(1));
  EXPECT_EQ(Listed(*run.table, 0, 6), (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(Listed(*run.table, 1, 6), (std::vector<int32_t>{2, 5}));
}

}  // namespace
}  // namespace qm
