// Sorting a series' rows by value and giving every value its mid-rank.
#include "stats/ranks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "stats/statistics.h"

namespace qm {

namespace {

// The same rank counted against every row; for values the sorted order cannot group (below
// the Missing value, or not a number), which the import never stores.
void AssignMidRanksByPairs(int32_t rowCount, int32_t n, RankTable& ranks) {
  for (int32_t r = 0; r < rowCount; ++r) {
    const double v = ranks.rows[r].value;
    if (v == MissingValue) continue;
    int32_t below = 0;
    int32_t above = 0;
    for (int32_t q = 0; q < rowCount; ++q) {
      const double w = ranks.rows[q].value;
      if (w == MissingValue) continue;
      if (w < v) ++below;
      if (w > v) ++above;
    }
    ranks.rows[r].midRank = static_cast<double>(below + 1 + n - above) / 2;
  }
}

// True when every key of lo..hi has the bits of the first (a run of missing rows, mostly);
// exchanging such keys leaves the keys as they are.
bool AllKeysEqual(const double* keys, int32_t lo, int32_t hi) {
  const uint64_t first = std::bit_cast<uint64_t>(keys[lo]);
  for (int32_t k = lo + 1; k <= hi; ++k) {
    if (std::bit_cast<uint64_t>(keys[k]) != first) return false;
  }
  return true;
}

// What SortByKey does to lo..hi when all its keys are equal, without comparing: every
// partition stops at every entry, so it exchanges the ends pairwise towards the middle
// (reversing the part; an odd part keeps its middle entry there) and then sorts the two halves
// of equal length on either side of the middle the same way. Only the row indices move.
void SortEqualKeys(int32_t* index, int32_t lo, int32_t hi) {
  while (lo < hi) {
    std::reverse(index + lo, index + hi + 1);
    const int32_t half = (hi - lo + 1) / 2;
    if (half > 1) SortEqualKeys(index, lo, lo + half - 1);
    lo = hi - half + 1;
  }
}

}  // namespace

void SortByKey(RankTable& ranks, int32_t lo, int32_t hi) {
  double* keys = ranks.SortKeys;
  int32_t* index = ranks.SortIndex;
  while (lo < hi) {
    const double pivot = keys[(lo + hi) / 2];
    if (AllKeysEqual(keys, lo, hi)) {
      SortEqualKeys(index, lo, hi);
      return;
    }
    int32_t i = lo;
    int32_t j = hi;
    do {
      while (keys[i] < pivot && i < hi) ++i;
      while (keys[j] > pivot && j > lo) --j;
      if (i <= j) {
        std::swap(keys[i], keys[j]);
        std::swap(index[i], index[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (lo < j) SortByKey(ranks, lo, j);
    lo = i;  // the right part continues in this call
  }
}

void AssignMidRanks(const int32_t* order, int32_t rowCount, int32_t n, RankTable& ranks) {
  RankEntry* rows = ranks.rows;
  // In sorted order the non-missing values ascend, so each run of equal values is one tie
  // group: L values lie before it and G after it. Missing rows are stepped over wherever they
  // stand (a value equal to the Missing value's key sorts among them).
  int32_t below = 0;  // L of the current tie group
  int32_t place = 0;
  while (place < rowCount && below < n) {
    const double v = rows[order[place]].value;
    if (v == MissingValue) {
      ++place;
      continue;
    }
    if (!(v > MissingValue)) {
      // Its key is not the value itself, so the order does not rank it.
      AssignMidRanksByPairs(rowCount, n, ranks);
      return;
    }
    int32_t end = place + 1;
    int32_t tied = 1;
    // Once every non-missing value is counted, only missing rows can follow.
    for (; end < rowCount && below + tied < n; ++end) {
      const double w = rows[order[end]].value;
      if (w == MissingValue) continue;
      if (w != v) break;
      ++tied;
    }
    const int32_t above = n - below - tied;
    const double midRank = static_cast<double>(below + 1 + n - above) / 2;
    for (int32_t q = place; q < end; ++q) {
      RankEntry& entry = rows[order[q]];
      if (entry.value != MissingValue) entry.midRank = midRank;
    }
    below += tied;
    place = end;
  }
}

void RankAllSeries(SeriesTable& table, RankTable& ranks) {
  const WorksheetGrid& grid = *table.grid;
  const int32_t rowCount = std::clamp(grid.RowCount, 0, MaxRows);
  for (int32_t s = 0; s < table.SeriesCount; ++s) {
    const int32_t column = table.SplitMode != 0 ? table.series[s].column : s;
    // SeriesValue of every row: Missing, then the cells of the series' own rows.
    for (int32_t r = 0; r < rowCount; ++r) {
      ranks.SortIndex[r] = r;
      ranks.rows[r].value = MissingValue;
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
