// Series statistics from the ranked values of one series.
#include "stats/statistics.h"

#include <algorithm>
#include <cmath>

#include "stats/normal.h"
#include "stats/quantile.h"

namespace qm {

namespace {

// Sums over the Measured values (all of them, or the positive ones with l = ln v).
struct Sums {
  int32_t count = 0;
  double z = 0.0;
  double zz = 0.0;
  double v = 0.0;
  double vv = 0.0;
  double zv = 0.0;
  bool scoresTied = true;  // every normal score so far equals the first
  double firstZ = 0.0;

  void Add(double score, double value) {
    if (count == 0) firstZ = score;
    if (score != firstZ) scoresTied = false;
    ++count;
    z += score;
    zz += score * score;
    v += value;
    vv += value * value;
    zv += score * value;
  }
};

// The standard errors and bands need a spread "greater than the Missing value".
bool Available(double value) {
  return value > MissingValue;
}

// A regression result exists unless it is the Missing value itself: an intercept far below
// -999999.999 (large negative values beside limit markers) is still a real intercept, and the
// estimates built on it are due.
bool Exists(double value) {
  return value != MissingValue;
}

// Mean and standard deviation of the summed values; Missing where too few values allow none.
void OrdinaryMeanAndSd(const Sums& sums, double& mean, double& sd) {
  const int32_t m = sums.count;
  mean = m >= 1 ? sums.v / m : MissingValue;
  if (m < 2) {
    sd = MissingValue;
    return;
  }
  const double radicand = (m * sums.vv - sums.v * sums.v) / ((m - 1) * m);
  sd = radicand < 0.0 ? 0.0 : std::sqrt(radicand);  // all values equal, up to rounding
}

// Intercept and slope of the values on their normal scores. With fewer than two values, or
// all of them at one normal score, there is no slope: D is 0 in exact arithmetic even where
// rounding leaves a tiny D.
void RegressionMeanAndSd(const Sums& sums, double& mean, double& sd) {
  const int32_t m = sums.count;
  const double d = m * sums.zz - sums.z * sums.z;
  if (m < 2 || sums.scoresTied || !(d > 0.0)) {
    mean = MissingValue;
    sd = MissingValue;
    return;
  }
  sd = (m * sums.zv - sums.v * sums.z) / d;
  mean = (sums.v * sums.zz - sums.zv * sums.z) / d;
  if (!std::isfinite(sd) || !std::isfinite(mean)) {
    mean = MissingValue;
    sd = MissingValue;
  }
}

// score * sd + mean on the linear scale; Missing when the regression gave none.
double LinearEstimate(double score, double mean, double sd) {
  if (!Exists(mean) || !Exists(sd) || !Exists(score)) return MissingValue;
  return score * sd + mean;
}

// The value (not its logarithm) of score * logSd + logMean; Missing when the regression gave
// none or the value does not fit a double.
double LogEstimate(double score, double logMean, double logSd) {
  if (!Exists(logMean) || !Exists(logSd) || !Exists(score)) return MissingValue;
  const double value = std::exp(score * logSd + logMean);
  return std::isfinite(value) ? value : MissingValue;
}

// What the first pass counts over the rows of a series, and its Measured extremes.
struct SeriesCounts {
  int32_t n = 0;
  int32_t positiveCount = 0;
  int32_t belowLimitCount = 0;
  int32_t nonPositiveCount = 0;
  int32_t aboveLimitCount = 0;
  double minimum = AboveLimitMarker;
  double maximum = BelowLimitMarker;
};

// First pass: counts and extremes, over the rows of the series (the others are missing).
SeriesCounts CountSeries(const RankEntry* rows, const SeriesRows& member) {
  SeriesCounts counts;
  for (int32_t k = 0; k < member.count; ++k) {
    const double v = rows[member[k]].value;
    if (v == MissingValue) continue;
    ++counts.n;
    if (v > 0.0) ++counts.positiveCount;
    if (v == BelowLimitMarker) {
      ++counts.belowLimitCount;
      ++counts.nonPositiveCount;
      continue;
    }
    if (v <= 0.0) ++counts.nonPositiveCount;
    if (v == AboveLimitMarker) {
      ++counts.aboveLimitCount;
      continue;
    }
    if (v < counts.minimum) counts.minimum = v;
    if (v > counts.maximum) counts.maximum = v;
  }
  return counts;
}

// Second pass: rank the rows of the series, then sum over the Measured values in row order;
// `positive` holds ln v.
void RankAndSum(const Series& record, const SeriesRows& member, int32_t rowCount, int32_t n,
                RankTable& ranks, Sums& all, Sums& positive) {
  RankEntry* rows = ranks.rows;
  AssignMidRanks(record.order, rowCount, n, ranks);
  const double plottingConstant = n >= 1 ? PlottingConstant(n) : 0.0;
  for (int32_t k = 0; k < member.count; ++k) {
    RankEntry& entry = rows[member[k]];
    const double v = entry.value;
    if (v == MissingValue) {
      entry.midRank = 0.0;
      entry.plottingPosition = 0.0;
      entry.normalScore = MissingValue;
      continue;
    }
    entry.plottingPosition = PlottingPositionFrom(entry.midRank, n, plottingConstant);
    entry.normalScore =
        entry.plottingPosition > 0.0 ? InverseNormal(entry.plottingPosition) : MissingValue;
    if (v > BelowLimitMarker && v < AboveLimitMarker) {
      const double z = entry.normalScore;
      all.Add(z, v);
      if (v > 0.0) positive.Add(z, std::log(v));
    }
  }
}

// The quantiles of the series and the notch around its median (read from the table, whose
// record already holds the counts).
void StoreQuantiles(SeriesTable& table, int32_t s, int32_t n) {
  Series& record = table.series[s];
  record.quantile10 = SeriesQuantile(table, s, 0.1);
  record.quantile25 = SeriesQuantile(table, s, 0.25);
  record.median = SeriesQuantile(table, s, 0.5);
  record.quantile75 = SeriesQuantile(table, s, 0.75);
  record.quantile90 = SeriesQuantile(table, s, 0.9);
  if (n >= 6) {
    const double halfBand = std::sqrt(n / 4.0) / n;  // one standard error of rank, as a fraction
    record.medianLower = SeriesQuantile(table, s, 0.5 - halfBand);
    record.medianUpper = SeriesQuantile(table, s, 0.5 + halfBand + 1.0 / n);
  } else {
    record.medianLower = MissingValue;
    record.medianUpper = MissingValue;
  }
}

// Mean and SD, plain and of the logarithms: ordinary without limit values, else from the
// regression on the normal scores with estimates for the values at the limits.
void StoreMeansAndSds(const Sums& all, const Sums& positive, const SeriesCounts& counts,
                      Series& record) {
  const int32_t n = counts.n;
  if (counts.belowLimitCount + counts.aboveLimitCount == 0) {
    OrdinaryMeanAndSd(all, record.mean, record.sd);
    OrdinaryMeanAndSd(positive, record.logMean, record.logSd);
    return;
  }
  RegressionMeanAndSd(all, record.mean, record.sd);
  record.belowLimitEstimate =
      counts.belowLimitCount >= 1
          ? LinearEstimate(MeanLowNormalScore(counts.belowLimitCount, n), record.mean, record.sd)
          : 0.0;
  record.aboveLimitEstimate =
      counts.aboveLimitCount >= 1
          ? LinearEstimate(MeanHighNormalScore(counts.aboveLimitCount, n), record.mean, record.sd)
          : 0.0;
  RegressionMeanAndSd(positive, record.logMean, record.logSd);
  record.logBelowLimitEstimate =
      counts.nonPositiveCount >= 1
          ? LogEstimate(MeanLowNormalScore(counts.nonPositiveCount, counts.positiveCount),
                        record.logMean, record.logSd)
          : 0.0;
  record.logAboveLimitEstimate =
      counts.aboveLimitCount >= 1
          ? LogEstimate(MeanHighNormalScore(counts.aboveLimitCount, counts.positiveCount),
                        record.logMean, record.logSd)
          : 0.0;
}

// The standard errors of the means and the bands one standard error around them.
void StoreStandardErrors(int32_t m, int32_t mp, Series& record) {
  const bool sdAvailable = Available(record.sd);
  record.sem = sdAvailable && m >= 2 ? record.sd / std::sqrt(m) : MissingValue;
  const bool meanBand = sdAvailable && m >= 3;
  record.meanPlusSem = meanBand ? record.mean + record.sem : MissingValue;
  record.meanMinusSem = meanBand ? record.mean - record.sem : MissingValue;
  const bool logSdAvailable = Available(record.logSd);
  record.logSem = logSdAvailable && mp >= 2 ? record.logSd / std::sqrt(mp) : MissingValue;
  const bool logBand = logSdAvailable && mp >= 3;
  record.logMeanPlusSem = logBand ? record.logMean + record.logSem : MissingValue;
  record.logMeanMinusSem = logBand ? record.logMean - record.logSem : MissingValue;
}

}  // namespace

void ComputeSeriesStatistics(SeriesTable& table, RankTable& ranks, int32_t s) {
  Series& record = table.series[s];
  const int32_t rowCount = std::clamp(table.grid->RowCount, 0, MaxRows);
  const SeriesRows member = RowsOfSeries(table, s, rowCount);
  const SeriesCounts counts = CountSeries(ranks.rows, member);
  Sums all;
  Sums positive;
  RankAndSum(record, member, rowCount, counts.n, ranks, all, positive);

  record.count = counts.n;
  record.positiveCount = counts.positiveCount;
  record.measuredCount = all.count;
  record.measuredPositiveCount = positive.count;
  record.belowLimitCount = counts.belowLimitCount;
  record.nonPositiveCount = counts.nonPositiveCount;
  record.aboveLimitCount = counts.aboveLimitCount;
  StoreQuantiles(table, s, counts.n);
  record.minimum = counts.minimum;
  record.maximum = counts.maximum;
  StoreMeansAndSds(all, positive, counts, record);
  StoreStandardErrors(all.count, positive.count, record);
}

}  // namespace qm
