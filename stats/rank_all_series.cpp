// Ranking and summing up every series of the table.
#include "stats/rank_all_series.h"

#include <algorithm>

#include "stats/statistics.h"

namespace qm {

void RankAllSeries(SeriesTable& table, RankTable& ranks) {
  const WorksheetGrid& grid = *table.grid;
  const int32_t rowCount = std::clamp(grid.RowCount, 0, MaxRows);
  for (int32_t s = 0; s < table.SeriesCount; ++s) {
    const int32_t column = table.Split != SplitMode::None ? table.series[s].column : s;
    // SeriesValue of every row: a missing row's entry, then the cells of the series' own rows.
    for (int32_t r = 0; r < rowCount; ++r) {
      ranks.SortIndex[r] = r;
      ranks.rows[r] = RankEntry{MissingValue, 0.0, 0.0, MissingValue};
      ranks.SortKeys[r] = -MissingValue;
    }
    const SeriesRows member = RowsOfSeries(table, s, rowCount);
    for (int32_t k = 0; k < member.count; ++k) {
      const int32_t r = member[k];
      const double v = grid.Values[r][column];
      ranks.rows[r].value = v;
      // The Missing value becomes +999999.999 and sorts after every value the grid holds.
      ranks.SortKeys[r] = v > MissingValue ? v : -v;
    }
    SortByKey(ranks, 0, rowCount - 1);
    std::copy(ranks.SortIndex, ranks.SortIndex + rowCount, table.series[s].order);
    ComputeSeriesStatistics(table, ranks, s);
  }
}

}  // namespace qm
