// Group comparisons: which series are compared with which (every series with the first without
// a split column, every series of a block with the block's first in the split layouts), a
// t-test and a rank test for each pair, and Holm's adjustment within each block. Limit values
// keep the t-tests out and take part in the rank tests by their order.
#pragma once

#include <cstdint>

#include "import/grid.h"
#include "stats/series_table.h"
#include "stats/test_distributions.h"

namespace qm {

enum class GroupTest : int32_t {
  None,         // not made: see the note
  WelchT,       // unpaired, unequal variances
  PairedT,      // on the differences of the pairs
  MannWhitney,  // unpaired ranks; the statistic is U of the compared series
  Wilcoxon,     // signed ranks of the differences; the smaller rank sum
  Sign,         // pairs with limit values: the pairs with the compared value above
};

// One test of a comparison. With `test` None only `note` says why; the numbers are 0.
struct GroupTestResult {
  GroupTest test;
  double statistic;
  double df;          // t-tests only
  double p;           // two-sided
  double pHolm;       // Holm's adjustment among the block's tests of this kind
  int32_t pairsUsed;  // Wilcoxon: nonzero differences; sign test: pairs of known order
  const char* note;   // why the test was not made, nullptr when it was
};

// The series `series` against `reference` (indices of the Series table).
struct GroupComparison {
  int32_t series;
  int32_t reference;
  int32_t block;  // comparisons of one block share the Holm adjustment
  bool paired;
  int32_t count;           // values of the compared series, or pairs
  int32_t referenceCount;  // values of the reference (unpaired); pairs again when paired
  GroupTestResult t;
  GroupTestResult rank;
};

// Working space of one comparison: the two samples (or the differences) and their ranks.
struct GroupTestScratch {
  double x[MaxRows];
  double y[MaxRows];
  double pooled[2 * MaxRows];
  double ranks[2 * MaxRows];
  double signedRankCounts[MaxSignedRankSum + 1];
};

// Every comparison of one table, and the scratch they are computed in. Caller-owned; large.
struct GroupComparisonTable {
  int32_t count;
  GroupComparison comparisons[MaxSeries];
  GroupTestScratch scratch;
};

// Fills `out` with the comparisons of `table` (built and ranked over `grid`). `logScale`: the
// chart's logarithmic axis is asked for, so the t-tests are made on the natural logarithms of
// the values (and not made where a value is <= 0). Nothing is allocated.
void CompareGroups(const SeriesTable& table, const WorksheetGrid& grid, bool logScale,
                   GroupComparisonTable& out);

// The comparison in which series s is the compared one, or nullptr when s is a reference or not
// compared.
const GroupComparison* ComparisonOfSeries(const GroupComparisonTable& table, int32_t s);

// The p-value a chart shows for a comparison: the t-test's where it was made, else the rank
// test's; negative when neither was made.
double ShownP(const GroupComparison& comparison);

// The test's name in quillmap-cli's JSON: "welch-t", "paired-t", "mann-whitney-u",
// "wilcoxon", "sign" ("none" for a test not made).
const char* GroupTestName(GroupTest test);

}  // namespace qm
