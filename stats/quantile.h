// Quantiles of a series: linear interpolation between order statistics, with the rules that
// keep small series and limit markers from giving a quantile that the data do not support.
#pragma once

#include <cstdint>

#include "stats/series_table.h"

namespace qm {

// The quantile at p (0 <= p < 1) of series s, from its `count` and its ascending `order`;
// MissingValue for fewer than 3 values, for a p outside the range its size allows, and when
// either neighbouring order statistic is a limit marker or missing.
double SeriesQuantile(const SeriesTable& table, int32_t s, double p);

}  // namespace qm
