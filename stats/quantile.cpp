// Interpolated quantiles of a series.
#include "stats/quantile.h"

#include <cmath>

namespace qm {

double SeriesQuantile(const SeriesTable& table, int32_t s, double p) {
  const int32_t n = table.series[s].count;
  if (n < 3) return MissingValue;
  // The smaller the series, the closer to its middle a quantile must stay.
  if (n <= 4 && !(p >= 0.3 && p <= 0.7)) return MissingValue;
  if (n <= 8 && !(p >= 0.2 && p <= 0.8)) return MissingValue;
  if (n <= 17 && !(p >= 0.1 && p <= 0.9)) return MissingValue;
  // Both neighbours must be among the n values: 0 <= p < 1.
  if (!(p >= 0.0 && p < 1.0)) return MissingValue;
  const double h = (n - 1) * p;
  const double j = std::floor(h);
  const double f = h - j;
  const int32_t place = static_cast<int32_t>(j);
  const double lo = SortedSeriesValue(table, place, s);
  const double hi = SortedSeriesValue(table, place + 1, s);
  if (!IsMeasured(lo) || !IsMeasured(hi)) return MissingValue;
  return lo + (hi - lo) * f;
}

}  // namespace qm
