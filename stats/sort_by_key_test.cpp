// SortByKey against the plain quicksort on key patterns that stress the partition's scans:
// long runs of one key, sorted and reversed keys, few distinct keys, not-a-number keys, and
// the mostly-missing series of a split layout, at lengths around the scans' block size.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "stats/ranks.h"
#include "testsupport/reference_sort.h"

namespace qm {
namespace {

enum class Pattern { Random, FewDistinct, Sorted, Reversed, Runs, MostlyMissing, WithNaN };

double Key(Pattern pattern, std::mt19937& random, int32_t r, int32_t size) {
  std::uniform_real_distribution<double> unit(0, 1);
  switch (pattern) {
    case Pattern::Random:
      return unit(random) * 100 - 50;
    case Pattern::FewDistinct:
      return double(random() % 3);
    case Pattern::Sorted:
      return r / 3;
    case Pattern::Reversed:
      return size - r / 2;
    case Pattern::Runs:
      return double((r / 37) % 4);
    case Pattern::MostlyMissing:
      return unit(random) < 0.9 ? -MissingValue : std::round(unit(random) * 50) / 10;
    case Pattern::WithNaN:
      return unit(random) < 0.1 ? std::numeric_limits<double>::quiet_NaN() : double(random() % 5);
  }
  return 0;
}

TEST(SortByKey, SameExchangesAsThePlainQuicksort) {
  std::mt19937 random(7);
  auto ranks = std::make_unique<RankTable>();
  std::vector<double> keys(MaxRows);
  std::vector<int32_t> index(MaxRows);
  const Pattern patterns[] = {Pattern::Random,   Pattern::FewDistinct, Pattern::Sorted,
                              Pattern::Reversed, Pattern::Runs,        Pattern::MostlyMissing,
                              Pattern::WithNaN};
  const int32_t sizes[] = {2, 4, 31, 32, 33, 63, 64, 65, 97, 500, 1023, 1024};
  for (Pattern pattern : patterns) {
    for (int32_t size : sizes) {
      for (int32_t round = 0; round < 4; ++round) {
        for (int32_t r = 0; r < size; ++r) {
          keys[r] = ranks->SortKeys[r] = Key(pattern, random, r, size);
          index[r] = ranks->SortIndex[r] = r;
        }
        testing::ReferenceSort(keys.data(), index.data(), 0, size - 1);
        SortByKey(*ranks, 0, size - 1);
        for (int32_t r = 0; r < size; ++r) {
          ASSERT_EQ(ranks->SortIndex[r], index[r])
              << "pattern " << int(pattern) << " size " << size << " place " << r;
          ASSERT_EQ(std::bit_cast<uint64_t>(ranks->SortKeys[r]), std::bit_cast<uint64_t>(keys[r]));
        }
      }
    }
  }
}

// A part of a larger table: positions outside lo..hi stay as they are.
TEST(SortByKey, SortsOnlyItsPart) {
  std::mt19937 random(11);
  auto ranks = std::make_unique<RankTable>();
  std::vector<double> keys(MaxRows);
  std::vector<int32_t> index(MaxRows);
  for (int32_t r = 0; r < MaxRows; ++r) {
    keys[r] = ranks->SortKeys[r] = double(random() % 7);
    index[r] = ranks->SortIndex[r] = r;
  }
  testing::ReferenceSort(keys.data(), index.data(), 100, 900);
  SortByKey(*ranks, 100, 900);
  for (int32_t r = 0; r < MaxRows; ++r) {
    ASSERT_EQ(ranks->SortIndex[r], index[r]) << r;
    ASSERT_EQ(ranks->SortKeys[r], keys[r]) << r;
  }
}

}  // namespace
}  // namespace qm
