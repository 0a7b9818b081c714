// Ordering and ranking: the sort that gives each series its `order`, and the mid-ranks of its
// values. RankAllSeries (stats/rank_all_series.h) runs them, and the statistics, series by series.
#pragma once

#include <cstdint>

#include "import/limits.h"
#include "stats/series_table.h"

namespace qm {

struct RankEntry {
  double value;             // SeriesValue of the row
  double midRank;           // 1-based average rank among the non-missing values; 0 when missing
  double plottingPosition;  // 0 when missing
  double normalScore;       // MissingValue when missing
};

// Scratch of one plot run, reused series by series.
struct RankTable {
  double SortKeys[MaxRows];
  int32_t SortIndex[MaxRows];
  RankEntry rows[MaxRows];
};

// Quicksort of SortKeys[lo..hi] ascending, SortIndex permuted alongside.
void SortByKey(RankTable& ranks, int32_t lo, int32_t hi);

// Sets the midRank of every row of ranks.rows[0 .. rowCount - 1] whose value is not the
// Missing value: (L + 1 + n - G) / 2, with L and G the non-missing values below and above it
// and n the number of non-missing values. `order` must hold the rows sorted by SortByKey keys;
// the tie groups of that order give L and G. Rows holding the Missing value are left alone.
void AssignMidRanks(const int32_t* order, int32_t rowCount, int32_t n, RankTable& ranks);

}  // namespace qm
