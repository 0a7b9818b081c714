// The rows' quicksort exactly as its rule reads, every exchange done by comparison: the
// reference the tests hold the program's faster sort to.
#pragma once

#include <cstdint>
#include <utility>

namespace qm::testing {

inline void ReferenceSort(double* keys, int32_t* index, int32_t lo, int32_t hi) {
  const double pivot = keys[(lo + hi) / 2];
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
  if (lo < j) ReferenceSort(keys, index, lo, j);
  if (i < hi) ReferenceSort(keys, index, i, hi);
}

}  // namespace qm::testing
