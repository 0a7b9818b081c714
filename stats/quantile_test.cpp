// Tests of the series quantiles: the small-sample rules by n, interpolation between order
// statistics, and the marker checks on both neighbours.
#include "stats/quantile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/test_grid.h"

namespace qm {
namespace {

using testing::TestRun;

// A series holding 1, 2, ..., n in shuffled rows.
std::unique_ptr<TestRun> RunOfFirstIntegers(int32_t n) {
  auto run = std::make_unique<TestRun>(2 + n);
  std::vector<double> values(n);
  for (int32_t i = 0; i < n; ++i) values[i] = (i * 7) % n + 1;  // 7 is prime to every n used
  run->AddColumn("v", values);
  run->Run(0);
  return run;
}

TEST(SeriesQuantile, SmallSampleRulesByN) {
  const struct {
    int32_t n;
    double p;
    bool allowed;
  } cases[] = {
      {1, 0.5, false},  {2, 0.5, false},   {3, 0.5, true},    {3, 0.3, true},   {3, 0.29, false},
      {4, 0.7, true},   {4, 0.71, false},  {4, 0.25, false},  {5, 0.2, true},   {5, 0.1, false},
      {5, 0.25, true},  {8, 0.8, true},    {8, 0.19, false},  {8, 0.81, false}, {9, 0.1, true},
      {9, 0.05, false}, {17, 0.9, true},   {17, 0.91, false}, {18, 0.05, true}, {18, 0.95, true},
      {100, 0.0, true}, {100, 0.99, true},
  };
  for (const auto& c : cases) {
    const auto run = RunOfFirstIntegers(c.n);
    const double q = SeriesQuantile(*run->table, 0, c.p);
    if (!c.allowed) {
      EXPECT_EQ(q, MissingValue) << "n " << c.n << " p " << c.p;
      continue;
    }
    // Values 1..n: the order statistic at 0-based position h is 1 + h.
    const double h = (c.n - 1) * c.p;
    const double j = std::floor(h);
    EXPECT_EQ(q, (j + 1) + ((j + 2) - (j + 1)) * (h - j)) << "n " << c.n << " p " << c.p;
  }
}

TEST(SeriesQuantile, FiveValues) {
  const auto run = RunOfFirstIntegers(5);
  EXPECT_EQ(SeriesQuantile(*run->table, 0, 0.5), 3.0);
  EXPECT_EQ(SeriesQuantile(*run->table, 0, 0.25), 2.0);
  EXPECT_EQ(SeriesQuantile(*run->table, 0, 0.1), MissingValue);
}

TEST(SeriesQuantile, MarkerBesideTheInterpolationPointIsMissing) {
  const struct {
    std::vector<double> values;
    double p;
    double expected;
  } cases[] = {
      // n = 9, p = 0.5: h = 4 exactly, yet the sixth value is read too.
      {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 0.5, 5},
      {{1, 2, 3, 4, 5, AboveLimitMarker, AboveLimitMarker, AboveLimitMarker, AboveLimitMarker},
       0.5,
       MissingValue},
      {{BelowLimitMarker, BelowLimitMarker, 1.5, 2, 3, 4, 6, 8, AboveLimitMarker}, 0.25, 1.5},
      {{BelowLimitMarker, BelowLimitMarker, 1.5, 2, 3, 4, 6, 8, AboveLimitMarker},
       0.2,
       MissingValue},
      {{BelowLimitMarker, BelowLimitMarker, 1.5, 2, 3, 4, 6, 8, AboveLimitMarker}, 0.8, 6.8},
      {{BelowLimitMarker, BelowLimitMarker, 1.5, 2, 3, 4, 6, 8, AboveLimitMarker},
       0.9,
       MissingValue},
      {{BelowLimitMarker, 1, 2, 3, 4, 5}, 0.5, 2.5},
      {{BelowLimitMarker, BelowLimitMarker, 2, 3, 4, 5}, 0.2, MissingValue},
      // A value beyond a marker is no measured value either.
      {{-999999.5, -999999.4, 2, 3, 4, 5}, 0.2, MissingValue},
  };
  for (const auto& c : cases) {
    TestRun run(2 + static_cast<int32_t>(c.values.size()));
    run.AddColumn("v", c.values);
    ASSERT_TRUE(run.Run(0));
    EXPECT_NEAR(SeriesQuantile(*run.table, 0, c.p), c.expected, 1e-12) << "p " << c.p;
  }
}

TEST(SeriesQuantile, ProbabilityOutsideTheUnitIntervalIsMissing) {
  const auto run = RunOfFirstIntegers(40);
  for (double p : {-0.1, 1.0, 1.5, std::nan("")}) {
    EXPECT_EQ(SeriesQuantile(*run->table, 0, p), MissingValue) << p;
  }
}

}  // namespace
}  // namespace qm
