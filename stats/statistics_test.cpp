// Tests of the series statistics: the worked series, the rules for too few values and tied
// normal scores, and every field against a plain transcription of the rules on random series.
#include "stats/statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "stats/normal.h"
#include "stats/test_grid.h"

namespace qm {
namespace {

using testing::TestRun;

constexpr double M = MissingValue;
constexpr double B = BelowLimitMarker;
constexpr double A = AboveLimitMarker;

std::unique_ptr<TestRun> RunSeries(const std::vector<double>& values) {
  auto run = std::make_unique<TestRun>(2 + static_cast<int32_t>(values.size()));
  run->AddColumn("v", values);
  run->Run(0);
  return run;
}

TEST(Statistics, OrdinarySeries) {
  const auto run = RunSeries({2, 4, 4, 4, 5, 5, 7, 9});
  const Series& s = run->series(0);
  EXPECT_EQ(s.count, 8);
  EXPECT_EQ(s.measuredCount, 8);
  EXPECT_EQ(s.measuredPositiveCount, 8);
  EXPECT_EQ(s.mean, 5.0);
  EXPECT_NEAR(s.sd, 2.13809, 5e-6);
  EXPECT_EQ(s.sd, std::sqrt((8 * 232.0 - 40.0 * 40.0) / (7 * 8)));
  EXPECT_NEAR(s.sem, 0.755929, 5e-7);
  EXPECT_NEAR(s.meanPlusSem, 5.755929, 5e-7);
  EXPECT_NEAR(s.logMean, 1.526755, 5e-7);
  EXPECT_NEAR(s.logSd, 0.446091, 5e-7);
  EXPECT_EQ(s.median, 4.5);
  EXPECT_EQ(s.quantile25, 4.0);
  EXPECT_EQ(s.quantile75, 5.5);
  EXPECT_EQ(s.quantile10, M);  // n <= 8
  EXPECT_EQ(s.quantile90, M);
  EXPECT_EQ(s.medianLower, 4.0);  // p = 0.3232
  EXPECT_EQ(s.medianUpper, M);    // p = 0.8018 exceeds 0.8
  EXPECT_EQ(s.minimum, 2.0);
  EXPECT_EQ(s.maximum, 9.0);
  // Without markers the estimates are not computed.
  EXPECT_EQ(s.belowLimitEstimate, 0.0);
  EXPECT_EQ(s.logAboveLimitEstimate, 0.0);
}

TEST(Statistics, BelowLimitSeries) {
  const auto run = RunSeries({B, 1, 2, 3, 4, 5});
  const Series& s = run->series(0);
  EXPECT_EQ(s.count, 6);
  EXPECT_EQ(s.measuredCount, 5);
  EXPECT_EQ(s.measuredPositiveCount, 5);
  EXPECT_EQ(s.belowLimitCount, 1);
  EXPECT_EQ(s.nonPositiveCount, 1);
  EXPECT_EQ(s.positiveCount, 5);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(run->ranks->rows[2 + i].midRank, i + 1.0);
  EXPECT_NEAR(s.mean, 2.4596, 5e-5);
  EXPECT_NEAR(s.sd, 2.1272, 5e-5);
  EXPECT_NEAR(s.belowLimitEstimate, -0.2424, 5e-5);
  EXPECT_NEAR(s.logMean, 0.7492, 5e-5);
  EXPECT_NEAR(s.logSd, 0.8200, 5e-5);
  EXPECT_NEAR(s.logBelowLimitEstimate, 0.8137, 5e-5);
  EXPECT_EQ(s.aboveLimitEstimate, 0.0);
  EXPECT_EQ(s.logAboveLimitEstimate, 0.0);
  EXPECT_EQ(s.median, 2.5);
  EXPECT_EQ(s.quantile25, 1.25);
}

TEST(Statistics, TwoMarkerSeries) {
  const auto run = RunSeries({B, B, 1.5, 2, 3, 4, 6, 8, A});
  const Series& s = run->series(0);
  EXPECT_EQ(run->ranks->rows[2].midRank, 1.5);
  EXPECT_EQ(run->ranks->rows[3].midRank, 1.5);
  EXPECT_EQ(s.belowLimitCount, 2);
  EXPECT_EQ(s.aboveLimitCount, 1);
  EXPECT_EQ(s.positiveCount, 7);
  EXPECT_NEAR(s.aboveLimitEstimate, 9.989, 5e-4);
  EXPECT_NEAR(s.logAboveLimitEstimate, 13.87, 5e-3);
  EXPECT_EQ(s.quantile25, 1.5);
  EXPECT_NEAR(s.medianUpper, 6.4444, 5e-5);
  EXPECT_EQ(s.minimum, 1.5);
  EXPECT_EQ(s.maximum, 8.0);
}

// Few values: what is computed and what is missing.
TEST(Statistics, FewMeasuredValues) {
  const struct {
    std::vector<double> values;
    bool mean, sd, sem, band;
  } cases[] = {
      {{}, false, false, false, false},
      {{M, M}, false, false, false, false},
      {{3.5}, true, false, false, false},
      {{3.5, 4.5}, true, true, true, false},
      {{3.5, 4.5, 6}, true, true, true, true},
      // Markers: no Measured value, one, or all at one normal score give no regression.
      {{B, A}, false, false, false, false},
      {{B, 2}, false, false, false, false},
      {{B, 2, 2, 2}, false, false, false, false},
      {{2, 2, 2, A, A}, false, false, false, false},
      {{B, 2, 3}, true, true, true, false},
      {{B, 2, 3, 4}, true, true, true, true},
  };
  for (const auto& c : cases) {
    const auto run = RunSeries(c.values);
    const Series& s = run->series(0);
    const std::string name = "values " + std::to_string(c.values.size());
    EXPECT_EQ(s.mean > M, c.mean) << name;
    EXPECT_EQ(s.sd > M, c.sd) << name;
    EXPECT_EQ(s.sem > M, c.sem) << name;
    EXPECT_EQ(s.meanPlusSem > M, c.band) << name;
    EXPECT_EQ(s.meanMinusSem > M, c.band) << name;
    if (c.mean && s.belowLimitCount + s.aboveLimitCount == 0 && c.values.size() == 1) {
      EXPECT_EQ(s.mean, c.values[0]);
    }
    if (s.belowLimitCount > 0) {
      EXPECT_EQ(s.belowLimitEstimate > M, c.sd) << name;
    }
    if (s.aboveLimitCount > 0) {
      EXPECT_EQ(s.aboveLimitEstimate > M, c.sd) << name;
    }
  }
}

TEST(Statistics, TiedMeasuredValuesWithMarkersHaveNoRegression) {
  const auto run = RunSeries({B, B, 4, 4, 4, 4, 4, A});
  const Series& s = run->series(0);
  EXPECT_EQ(s.measuredCount, 5);
  for (double field : {s.mean, s.sd, s.sem, s.meanPlusSem, s.meanMinusSem, s.belowLimitEstimate,
                       s.aboveLimitEstimate, s.logMean, s.logSd, s.logSem, s.logMeanPlusSem,
                       s.logMeanMinusSem, s.logBelowLimitEstimate, s.logAboveLimitEstimate}) {
    EXPECT_EQ(field, M);
  }
  // Without markers the same values have spread 0.
  const auto plain = RunSeries({4, 4, 4, 4, 4});
  EXPECT_EQ(plain->series(0).sd, 0.0);
  EXPECT_EQ(plain->series(0).mean, 4.0);
}

TEST(Statistics, EqualValuesGiveNoRootOfANegativeNumber) {
  for (double v : {0.1, 0.7, 1e-7, 123456.789, 3.3}) {
    for (int32_t count : {2, 3, 7, 100, 1000}) {
      const auto run = RunSeries(std::vector<double>(count, v));
      // 0, or what rounding leaves of it; never the root of a negative number.
      const Series& s = run->series(0);
      EXPECT_GE(s.sd, 0.0) << v << " x " << count;
      EXPECT_LT(s.sd, 1e-6 * v) << v << " x " << count;
      EXPECT_GE(s.logSd, 0.0) << v << " x " << count;
      EXPECT_TRUE(std::isfinite(s.sem) && std::isfinite(s.logSem)) << v << " x " << count;
    }
  }
}

TEST(Statistics, NonPositiveValuesWithoutMarkers) {
  auto run = std::make_unique<TestRun>(7);
  run->AddColumn("v", {-2, 0, 1, std::exp(1.0), std::exp(2.0)});
  run->table->series[0].logBelowLimitEstimate = 17.0;  // left by an earlier run
  run->Run(0);
  const Series& s = run->series(0);
  EXPECT_EQ(s.nonPositiveCount, 2);
  EXPECT_EQ(s.positiveCount, 3);
  EXPECT_EQ(s.measuredPositiveCount, 3);
  EXPECT_NEAR(s.logMean, 1.0, 1e-15);
  EXPECT_NEAR(s.logSd, 1.0, 1e-15);
  EXPECT_EQ(s.logBelowLimitEstimate, 17.0);  // not computed
  EXPECT_EQ(s.minimum, -2.0);
}

TEST(Statistics, OnlyMarkers) {
  const auto run = RunSeries({B, A, A});
  const Series& s = run->series(0);
  EXPECT_EQ(s.minimum, A);
  EXPECT_EQ(s.maximum, B);
  EXPECT_EQ(s.count, 3);
  EXPECT_EQ(s.measuredCount, 0);
  EXPECT_EQ(s.positiveCount, 2);
  EXPECT_EQ(s.belowLimitEstimate, M);
  EXPECT_EQ(s.logAboveLimitEstimate, M);
}

// A regression intercept below -999999.999 is a real intercept: the estimates and bands built on
// it exist, and are the plain formulas.
TEST(Statistics, EstimatesBesideAnInterceptBelowTheMissingValue) {
  const struct {
    std::vector<double> values;
  } cases[] = {
      {{B, B, B, B, -392388, 642544, A}},
      {{B, B, B, B, B, -900000, -100000, A}},
      {{B, B, B, B, B, B, -999000, -500000, 1000, A}},
  };
  for (const auto& c : cases) {
    const auto run = RunSeries(c.values);
    const Series& s = run->series(0);
    const std::string name = "values " + std::to_string(c.values.front()) + ", " +
                             std::to_string(c.values[c.values.size() / 2]);
    ASSERT_LT(s.mean, M) << name;
    ASSERT_GT(s.sd, 0.0) << name;
    EXPECT_EQ(s.belowLimitEstimate, MeanLowNormalScore(s.belowLimitCount, s.count) * s.sd + s.mean)
        << name;
    EXPECT_EQ(s.aboveLimitEstimate, MeanHighNormalScore(s.aboveLimitCount, s.count) * s.sd + s.mean)
        << name;
    EXPECT_EQ(s.sem, s.sd / std::sqrt(s.measuredCount)) << name;
    if (s.measuredCount >= 3) {
      EXPECT_EQ(s.meanPlusSem, s.mean + s.sem) << name;
    }
  }
}

// ---- Every field against the rules written out plainly ----

struct Reference {
  int32_t n = 0, positive = 0, below = 0, nonPositive = 0, above = 0, m = 0, mp = 0;
  double minimum = A, maximum = B;
  double mean = M, sd = M, logMean = M, logSd = M;
  double belowEst = 0, aboveEst = 0, logBelowEst = 0, logAboveEst = 0;
  double sem = M, plus = M, minus = M, logSem = M, logPlus = M, logMinus = M;
  double quantiles[5] = {M, M, M, M, M};
  double lower = M, upper = M;
};

double ReferenceQuantile(const std::vector<double>& sorted, double p) {
  const int32_t n = static_cast<int32_t>(sorted.size());
  if (n < 3) return M;
  if (n <= 4 && (p < 0.3 || p > 0.7)) return M;
  if (n <= 8 && (p < 0.2 || p > 0.8)) return M;
  if (n <= 17 && (p < 0.1 || p > 0.9)) return M;
  const double h = (n - 1) * p;
  const int32_t j = static_cast<int32_t>(std::floor(h));
  const double lo = sorted[j];
  const double hi = sorted[j + 1];
  if (!(lo > B && lo < A && hi > B && hi < A)) return M;
  return lo + (hi - lo) * (h - j);
}

Reference ComputeReference(const std::vector<double>& rows) {
  Reference r;
  std::vector<double> sorted;
  for (double v : rows) {
    if (v == M) continue;
    sorted.push_back(v);
    ++r.n;
    if (v > 0) ++r.positive;
    if (v == B) {
      ++r.below;
      ++r.nonPositive;
      continue;
    }
    if (v <= 0) ++r.nonPositive;
    if (v == A) {
      ++r.above;
      continue;
    }
    r.minimum = std::min(r.minimum, v);
    r.maximum = std::max(r.maximum, v);
  }
  std::sort(sorted.begin(), sorted.end());
  double sz = 0, szz = 0, sv = 0, svv = 0, szv = 0, pz = 0, pzz = 0, sl = 0, sll = 0, szl = 0;
  std::vector<double> scores, positiveScores;
  for (double v : rows) {
    if (v == M) continue;
    int32_t lower = 0, higher = 0;
    for (double w : rows) {
      if (w == M) continue;
      lower += w < v;
      higher += w > v;
    }
    const double z = InverseNormal(PlottingPosition((lower + 1.0 + r.n - higher) / 2, r.n));
    if (v > B && v < A) {
      ++r.m;
      scores.push_back(z);
      sz += z, szz += z * z, sv += v, svv += v * v, szv += z * v;
      if (v > 0) {
        const double l = std::log(v);
        ++r.mp;
        positiveScores.push_back(z);
        pz += z, pzz += z * z, sl += l, sll += l * l, szl += z * l;
      }
    }
  }
  const double ps[5] = {0.1, 0.25, 0.5, 0.75, 0.9};
  for (int i = 0; i < 5; ++i) r.quantiles[i] = ReferenceQuantile(sorted, ps[i]);
  if (r.n >= 6) {
    r.lower = ReferenceQuantile(sorted, 0.5 - std::sqrt(r.n / 4.0) / r.n);
    r.upper = ReferenceQuantile(sorted, 0.5 + std::sqrt(r.n / 4.0) / r.n + 1.0 / r.n);
  }
  auto tied = [](const std::vector<double>& z) {
    return std::all_of(z.begin(), z.end(), [&](double x) { return x == z[0]; });
  };
  if (r.below + r.above == 0) {
    if (r.m >= 1) r.mean = sv / r.m;
    if (r.m >= 2) r.sd = std::sqrt(std::max(0.0, (r.m * svv - sv * sv) / ((r.m - 1) * r.m)));
    if (r.mp >= 1) r.logMean = sl / r.mp;
    if (r.mp >= 2) r.logSd = std::sqrt(std::max(0.0, (r.mp * sll - sl * sl) / ((r.mp - 1) * r.mp)));
  } else {
    if (r.m >= 2 && !tied(scores)) {
      const double d = r.m * szz - sz * sz;
      r.sd = (r.m * szv - sv * sz) / d;
      r.mean = (sv * szz - szv * sz) / d;
    }
    if (r.mp >= 2 && !tied(positiveScores)) {
      const double d = r.mp * pzz - pz * pz;
      r.logSd = (r.mp * szl - sl * pz) / d;
      r.logMean = (sl * pzz - szl * pz) / d;
    }
    const bool linear = r.sd > M;
    const bool log = r.logSd > M;
    if (r.below >= 1) r.belowEst = linear ? MeanLowNormalScore(r.below, r.n) * r.sd + r.mean : M;
    if (r.above >= 1) r.aboveEst = linear ? MeanHighNormalScore(r.above, r.n) * r.sd + r.mean : M;
    if (r.nonPositive >= 1) {
      r.logBelowEst =
          log ? std::exp(MeanLowNormalScore(r.nonPositive, r.positive) * r.logSd + r.logMean) : M;
    }
    if (r.above >= 1) {
      r.logAboveEst =
          log ? std::exp(MeanHighNormalScore(r.above, r.positive) * r.logSd + r.logMean) : M;
    }
  }
  if (r.sd > M && r.m >= 2) r.sem = r.sd / std::sqrt(r.m);
  if (r.sd > M && r.m >= 3) r.plus = r.mean + r.sem, r.minus = r.mean - r.sem;
  if (r.logSd > M && r.mp >= 2) r.logSem = r.logSd / std::sqrt(r.mp);
  if (r.logSd > M && r.mp >= 3) r.logPlus = r.logMean + r.logSem, r.logMinus = r.logMean - r.logSem;
  return r;
}

void ExpectSame(double actual, double expected, const char* field, int32_t s) {
  EXPECT_EQ(std::bit_cast<uint64_t>(actual), std::bit_cast<uint64_t>(expected))
      << field << " of series " << s << ": " << actual << " vs " << expected;
  EXPECT_TRUE(std::isfinite(actual)) << field << " of series " << s;
}

TEST(Statistics, EveryFieldAsTheRulesGiveIt) {
  std::mt19937 random(3);
  for (int32_t trial = 0; trial < 6; ++trial) {
    const int32_t rows = trial == 0 ? MaxRows : 2 + static_cast<int32_t>(random() % 120);
    TestRun run(rows);
    std::vector<double> split(rows - 2);
    for (double& cell : split) cell = random() % 4;
    run.AddColumn("split", split);
    for (int32_t c = 0; c < 6; ++c) {
      std::vector<double> values(rows - 2);
      for (double& v : values) {
        const uint32_t pick = random() % 40;
        v = pick == 0   ? B
            : pick == 1 ? A
            : pick < 6  ? M
            : pick < 8  ? -(random() % 3)
                        : 0.25 * (random() % (3 + 4 * c));
      }
      run.AddColumn("v", values);
    }
    ASSERT_TRUE(run.Run(1 + trial % 2));
    for (int32_t s = 0; s < run.table->SeriesCount; ++s) {
      std::vector<double> values(rows);
      for (int32_t r = 0; r < rows; ++r) values[r] = SeriesValue(*run.table, r, s);
      const Reference e = ComputeReference(values);
      const Series& a = run.series(s);
      EXPECT_EQ(a.count, e.n);
      EXPECT_EQ(a.positiveCount, e.positive);
      EXPECT_EQ(a.measuredCount, e.m);
      EXPECT_EQ(a.measuredPositiveCount, e.mp);
      EXPECT_EQ(a.belowLimitCount, e.below);
      EXPECT_EQ(a.nonPositiveCount, e.nonPositive);
      EXPECT_EQ(a.aboveLimitCount, e.above);
      const struct {
        const char* name;
        double actual, expected;
      } fields[] = {
          {"minimum", a.minimum, e.minimum},
          {"maximum", a.maximum, e.maximum},
          {"mean", a.mean, e.mean},
          {"logMean", a.logMean, e.logMean},
          {"belowLimitEstimate", a.belowLimitEstimate, e.belowEst},
          {"logBelowLimitEstimate", a.logBelowLimitEstimate, e.logBelowEst},
          {"aboveLimitEstimate", a.aboveLimitEstimate, e.aboveEst},
          {"logAboveLimitEstimate", a.logAboveLimitEstimate, e.logAboveEst},
          {"sd", a.sd, e.sd},
          {"logSd", a.logSd, e.logSd},
          {"sem", a.sem, e.sem},
          {"logSem", a.logSem, e.logSem},
          {"meanPlusSem", a.meanPlusSem, e.plus},
          {"logMeanPlusSem", a.logMeanPlusSem, e.logPlus},
          {"meanMinusSem", a.meanMinusSem, e.minus},
          {"logMeanMinusSem", a.logMeanMinusSem, e.logMinus},
          {"quantile10", a.quantile10, e.quantiles[0]},
          {"quantile25", a.quantile25, e.quantiles[1]},
          {"median", a.median, e.quantiles[2]},
          {"quantile75", a.quantile75, e.quantiles[3]},
          {"quantile90", a.quantile90, e.quantiles[4]},
          {"medianUpper", a.medianUpper, e.upper},
          {"medianLower", a.medianLower, e.lower},
      };
      for (const auto& f : fields) ExpectSame(f.actual, f.expected, f.name, s);
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace qm
