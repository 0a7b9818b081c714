// Sorting a series' rows by value and giving every value its mid-rank.
#include "stats/ranks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

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
//
// The outcome depends on the length alone: place k receives the entry from place from[k], and
// for m entries with halves of h = m / 2 entries
//   from_m[k] = m - 1 - from_h[k],  from_m[m - h + k] = h - 1 - from_h[k]  (k < h),
//   from_m[h] = h  (odd m),
// so the places are built from length 1 upward, one half's arrangement serving both halves.
struct EqualKeysScratch {
  int32_t from[MaxRows];
  int32_t moved[MaxRows];
};

void SortEqualKeys(int32_t* index, int32_t lo, int32_t hi, EqualKeysScratch& scratch) {
  const int32_t m = hi - lo + 1;
  if (m < 2) return;
  int32_t lengths[32];
  int32_t levels = 0;
  for (int32_t n = m; n > 1; n /= 2) lengths[levels++] = n;
  int32_t* from = scratch.from;
  from[0] = 0;
  for (int32_t level = levels - 1; level >= 0; --level) {
    const int32_t n = lengths[level];
    const int32_t h = n / 2;
    for (int32_t k = 0; k < h; ++k) from[n - h + k] = h - 1 - from[k];
    if (n % 2 != 0) from[h] = h;
    for (int32_t k = 0; k < h; ++k) from[k] = n - 1 - from[k];
  }
  for (int32_t k = 0; k < m; ++k) scratch.moved[k] = index[lo + from[k]];
  std::copy(scratch.moved, scratch.moved + m, index + lo);
}

// The stops of one scan of Hoare's partition, found a block of positions at a time without a
// branch per position. The left scan stops at keys not below the pivot, the right scan at keys
// not above it.
constexpr int32_t StopBlock = 32;

struct ScanStops {
  int32_t stops[StopBlock];
  int32_t count = 0;
  int32_t next = 0;  // first stop not yet taken
  int32_t unread;    // next position not yet looked at
};

// The first stop of the left scan in [i, j], or j + 1 when there is none.
int32_t LeftStop(const double* keys, double pivot, ScanStops& scan, int32_t i, int32_t j) {
  for (;;) {
    if (scan.next < scan.count) {
      const int32_t x = scan.stops[scan.next];
      if (x > j) return j + 1;
      scan.next++;
      return x;
    }
    if (scan.unread > j) return j + 1;
    const int32_t end = std::min(scan.unread + StopBlock - 1, j);
    int32_t count = 0;  // a local count: stores to `stops` cannot change it
    for (int32_t x = std::max(scan.unread, i); x <= end; ++x) {
      scan.stops[count] = x;
      count += !(keys[x] < pivot);
    }
    scan.count = count;
    scan.next = 0;
    scan.unread = end + 1;
  }
}

// The first stop of the right scan in [i, j] going down, or i - 1 when there is none.
int32_t RightStop(const double* keys, double pivot, ScanStops& scan, int32_t i, int32_t j) {
  for (;;) {
    if (scan.next < scan.count) {
      const int32_t x = scan.stops[scan.next];
      if (x < i) return i - 1;
      scan.next++;
      return x;
    }
    if (scan.unread < i) return i - 1;
    const int32_t begin = std::max(scan.unread - StopBlock + 1, i);
    int32_t count = 0;
    for (int32_t x = std::min(scan.unread, j); x >= begin; --x) {
      scan.stops[count] = x;
      count += !(keys[x] > pivot);
    }
    scan.count = count;
    scan.next = 0;
    scan.unread = begin - 1;
  }
}

// Hoare's partition of lo..hi around the key at its middle:
//   do { while (keys[i] < pivot && i < hi) ++i; while (keys[j] > pivot && j > lo) --j;
//        if (i <= j) exchange i and j, ++i, --j; } while (i <= j);
// with the same exchanges and the same final i and j. Until the scans meet, a scan stops
// exactly where the keys as they were before the partition tell (the exchanges touch only
// positions both scans have passed); once past the other scan's last position it stops at
// once, since every key there was passed or put there by that scan.
void Partition(double* keys, int32_t* index, int32_t lo, int32_t hi, int32_t& i, int32_t& j) {
  const double pivot = keys[(lo + hi) / 2];
  ScanStops left;
  ScanStops right;
  left.unread = lo;
  right.unread = hi;
  i = lo;
  j = hi;
  for (;;) {
    const int32_t iStop = LeftStop(keys, pivot, left, i, j);
    const int32_t jStop = RightStop(keys, pivot, right, i, j);
    if (iStop > jStop) {
      i = iStop;
      j = jStop;
      return;
    }
    std::swap(keys[iStop], keys[jStop]);
    std::swap(index[iStop], index[jStop]);
    i = iStop + 1;
    j = jStop - 1;
    if (i > j) return;
  }
}

void SortPart(double* keys, int32_t* index, int32_t lo, int32_t hi, EqualKeysScratch& scratch) {
  while (lo < hi) {
    if (AllKeysEqual(keys, lo, hi)) {
      SortEqualKeys(index, lo, hi, scratch);
      return;
    }
    int32_t i;
    int32_t j;
    Partition(keys, index, lo, hi, i, j);
    if (lo < j) SortPart(keys, index, lo, j, scratch);
    lo = i;  // the right part continues in this call
  }
}

}  // namespace

void SortByKey(RankTable& ranks, int32_t lo, int32_t hi) {
  EqualKeysScratch scratch;  // once per sort, outside the recursion
  SortPart(ranks.SortKeys, ranks.SortIndex, lo, hi, scratch);
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

}  // namespace qm
