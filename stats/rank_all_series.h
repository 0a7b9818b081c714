// The statistics step of a plot run: every series sorted, ranked and summed up in table order.
#pragma once

#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

// For every series in table order: gather its values, sort them (SortByKey), fill `order`, and
// ComputeSeriesStatistics.
void RankAllSeries(SeriesTable& table, RankTable& ranks);

}  // namespace qm
