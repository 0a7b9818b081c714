// Tests of ordering and ranking: the quicksort against a plain transcription of its rule, the
// order of markers and missing rows, and the mid-ranks from tie groups against a count over
// all pairs of rows.
#include "stats/ranks.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "stats/rank_all_series.h"
#include "stats/test_grid.h"
#include "testsupport/reference_sort.h"

namespace qm {
namespace {

using testing::ReferenceSort;
using testing::TestRun;

// The mid-rank of every row counted against every row.
std::vector<double> MidRanksByPairs(const RankTable& ranks, int32_t rows) {
  int32_t n = 0;
  for (int32_t r = 0; r < rows; ++r) n += ranks.rows[r].value != MissingValue;
  std::vector<double> midRanks(rows, 0.0);
  for (int32_t r = 0; r < rows; ++r) {
    const double v = ranks.rows[r].value;
    if (v == MissingValue) continue;
    int32_t below = 0;
    int32_t above = 0;
    for (int32_t q = 0; q < rows; ++q) {
      const double w = ranks.rows[q].value;
      if (w == MissingValue) continue;
      below += w < v;
      above += w > v;
    }
    midRanks[r] = static_cast<double>(below + 1 + n - above) / 2;
  }
  return midRanks;
}

// Keys drawn from a few distinct values so that ties are common; `missingShare` of them the
// key of a missing row.
double DrawKey(std::mt19937& random, double missingShare, int32_t distinct) {
  if (std::uniform_real_distribution<double>(0, 1)(random) < missingShare) return -MissingValue;
  const int32_t pick = std::uniform_int_distribution<int32_t>(0, distinct)(random);
  if (pick == 0) return BelowLimitMarker;
  if (pick == distinct) return AboveLimitMarker;
  return pick * 0.5 - 3.0;
}

TEST(SortByKey, SameExchangesAsTheRule) {
  std::mt19937 random(20261208);
  auto ranks = std::make_unique<RankTable>();
  std::vector<double> keys(MaxRows);
  std::vector<int32_t> index(MaxRows);
  const double shares[] = {0.0, 0.5, 0.9, 0.99, 1.0};
  const int32_t sizes[] = {1, 2, 3, 5, 16, 101, 1000, 1024};
  for (double share : shares) {
    for (int32_t size : sizes) {
      for (int32_t distinct : {1, 3, 40, 100000}) {
        for (int32_t r = 0; r < size; ++r) {
          keys[r] = ranks->SortKeys[r] = DrawKey(random, share, distinct);
          index[r] = ranks->SortIndex[r] = r;
        }
        // Zeros of both signs: equal, yet they must move exactly as the rule moves them.
        if (size > 4 && distinct == 3) {
          keys[1] = ranks->SortKeys[1] = -0.0;
          keys[3] = ranks->SortKeys[3] = 0.0;
        }
        ReferenceSort(keys.data(), index.data(), 0, size - 1);
        SortByKey(*ranks, 0, size - 1);
        for (int32_t r = 0; r < size; ++r) {
          ASSERT_EQ(ranks->SortIndex[r], index[r]) << "size " << size << " share " << share;
          ASSERT_EQ(std::bit_cast<uint64_t>(ranks->SortKeys[r]), std::bit_cast<uint64_t>(keys[r]));
          if (r > 0) {
            ASSERT_LE(ranks->SortKeys[r - 1], ranks->SortKeys[r]);
          }
        }
      }
    }
  }
}

TEST(SortByKey, EqualKeysOfEveryLength) {
  auto ranks = std::make_unique<RankTable>();
  std::vector<double> keys(MaxRows);
  std::vector<int32_t> index(MaxRows);
  for (int32_t size = 1; size <= MaxRows; ++size) {
    for (int32_t r = 0; r < size; ++r) {
      keys[r] = ranks->SortKeys[r] = 999999.999;
      index[r] = ranks->SortIndex[r] = r;
    }
    ReferenceSort(keys.data(), index.data(), 0, size - 1);
    SortByKey(*ranks, 0, size - 1);
    for (int32_t r = 0; r < size; ++r) ASSERT_EQ(ranks->SortIndex[r], index[r]) << size;
  }
}

TEST(RankAllSeries, OrderPutsMarkersAtTheEndsAndMissingLast) {
  TestRun run(10);
  run.AddColumn("v", {AboveLimitMarker, 3, MissingValue, BelowLimitMarker, -2, 3, BelowLimitMarker,
                      AboveLimitMarker});
  ASSERT_TRUE(run.Run(0));
  const Series& s = run.series(0);
  const double expected[] = {
      BelowLimitMarker, BelowLimitMarker, -2,           3,           3, AboveLimitMarker,
      AboveLimitMarker, MissingValue,     MissingValue, MissingValue};
  std::vector<bool> seen(10, false);
  for (int32_t place = 0; place < 10; ++place) {
    EXPECT_EQ(run.grid->Values[s.order[place]][0], expected[place]) << place;
    seen[s.order[place]] = true;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 10);  // a permutation of the rows
}

TEST(RankAllSeries, RowsOfOtherGroupsComeLast) {
  TestRun run(8);
  run.AddColumn("split", {0, 1, 0, 1, 0, 1});
  run.AddColumn("v", {6, 1, 5, 2, 4, 3});
  ASSERT_TRUE(run.Run(2));
  const struct {
    int32_t s;
    double values[3];
  } cases[] = {{0, {4, 5, 6}}, {1, {1, 2, 3}}};
  for (const auto& c : cases) {
    for (int32_t place = 0; place < 8; ++place) {
      const double expected = place < 3 ? c.values[place] : MissingValue;
      EXPECT_EQ(SortedSeriesValue(*run.table, place, c.s), expected) << c.s << " " << place;
    }
  }
}

TEST(MidRanks, Examples) {
  const struct {
    std::vector<double> values;
    std::vector<double> midRanks;
  } cases[] = {
      {{5, 3, 5, 1}, {3.5, 2, 3.5, 1}},
      {{7, 7, 7, 7, 7}, {3, 3, 3, 3, 3}},
      {{7, 7, 7, 7}, {2.5, 2.5, 2.5, 2.5}},
      {{BelowLimitMarker, 1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}},
      {{BelowLimitMarker, BelowLimitMarker, 1.5, AboveLimitMarker, 2}, {1.5, 1.5, 3, 5, 4}},
      {{MissingValue, 4, MissingValue, 4}, {0, 1.5, 0, 1.5}},
  };
  for (const auto& c : cases) {
    TestRun run(2 + static_cast<int32_t>(c.values.size()));
    run.AddColumn("v", c.values);
    ASSERT_TRUE(run.Run(0));
    for (size_t i = 0; i < c.values.size(); ++i) {
      EXPECT_EQ(run.ranks->rows[2 + i].midRank, c.midRanks[i]) << i;
    }
  }
}

TEST(MidRanks, AllMissingSeries) {
  TestRun run(6);
  run.AddColumn("v", {MissingValue, MissingValue});
  ASSERT_TRUE(run.Run(0));
  for (int32_t r = 0; r < 6; ++r) {
    EXPECT_EQ(run.ranks->rows[r].midRank, 0.0);
    EXPECT_EQ(run.ranks->rows[r].plottingPosition, 0.0);
    EXPECT_EQ(run.ranks->rows[r].normalScore, MissingValue);
  }
  EXPECT_EQ(run.series(0).count, 0);
}

// Random split grids with many ties, markers and missing cells: for every series, the mid-ranks
// from the tie groups are the doubles the all-pairs count gives, bit for bit.
TEST(MidRanks, TieGroupsAgreeWithTheCountOverAllPairs) {
  std::mt19937 random(8);
  for (int32_t trial = 0; trial < 12; ++trial) {
    const int32_t rows =
        trial == 0 ? MaxRows : std::uniform_int_distribution<int32_t>(2, 300)(random);
    TestRun run(rows);
    const int32_t groups = 1 + trial % 10;
    std::vector<double> split(rows - 2);
    for (double& cell : split) {
      cell = std::uniform_int_distribution<int32_t>(0, groups)(random);  // `groups` is no code
      if (cell == groups) cell = MissingValue;
    }
    run.AddColumn("split", split);
    for (int32_t c = 0; c < 4; ++c) {
      std::vector<double> values(rows - 2);
      for (double& v : values) v = DrawKey(random, 0.2, 2 + (trial + c) % 7);
      for (double& v : values) {
        if (v == -MissingValue) v = MissingValue;
      }
      if (trial % 3 == 2) {
        // Values the import never stores: below the Missing value, at its key, beyond.
        values[0] = -2e6;
        if (values.size() > 2) values[2] = 999999.999;
        if (values.size() > 3) values[3] = 5e6;
      }
      run.AddColumn("v", values);
    }
    ASSERT_TRUE(run.Build(1 + trial % 2));
    auto& ranks = *run.ranks;
    for (int32_t s = 0; s < run.table->SeriesCount; ++s) {
      // The gathering and sorting of RankAllSeries for one series, then its ranking.
      int32_t n = 0;
      for (int32_t r = 0; r < rows; ++r) {
        const double v = SeriesValue(*run.table, r, s);
        ranks.rows[r].value = v;
        ranks.rows[r].midRank = -1.0;
        ranks.SortIndex[r] = r;
        ranks.SortKeys[r] = v > MissingValue ? v : -v;
        n += v != MissingValue;
      }
      SortByKey(ranks, 0, rows - 1);
      AssignMidRanks(ranks.SortIndex, rows, n, ranks);
      const std::vector<double> expected = MidRanksByPairs(ranks, rows);
      for (int32_t r = 0; r < rows; ++r) {
        if (ranks.rows[r].value == MissingValue) {
          EXPECT_EQ(ranks.rows[r].midRank, -1.0);  // left alone
          continue;
        }
        ASSERT_EQ(std::bit_cast<uint64_t>(ranks.rows[r].midRank),
                  std::bit_cast<uint64_t>(expected[r]))
            << "trial " << trial << " series " << s << " row " << r;
      }
    }
    // And through the whole run: every row's rank as the count over all pairs gives it.
    RankAllSeries(*run.table, ranks);
    const int32_t last = run.table->SeriesCount - 1;
    if (last >= 0) {
      const std::vector<double> expected = MidRanksByPairs(ranks, rows);
      for (int32_t r = 0; r < rows; ++r) ASSERT_EQ(ranks.rows[r].midRank, expected[r]);
    }
  }
}

}  // namespace
}  // namespace qm
