// The statistics of one series: counts, extremes, mean and spread (ordinary, or by regression
// on normal scores when limit markers occur) on the linear and natural-log scale, the values
// drawn in place of limit markers, standard errors, quantiles and the median band.
#pragma once

#include <cstdint>

#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

// Fills the statistics fields of series s and the midRank, plottingPosition and normalScore
// of every row of `ranks`. Needs ranks.rows[r].value = SeriesValue(r, s) for every grid row,
// the whole entry of a missing row (value Missing, ranks 0, normal score Missing) in every row
// outside the series' group, and the series' `order` (RankAllSeries provides all three). A
// statistic that cannot be computed is MissingValue; without markers the four limit estimates are
// left as they were.
void ComputeSeriesStatistics(SeriesTable& table, RankTable& ranks, int32_t s);

}  // namespace qm
