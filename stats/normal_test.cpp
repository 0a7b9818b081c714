// Tests of the normal scores: the quantile table, both branches of InverseNormal with their
// rounding, plotting positions and the mean normal scores of the lowest and highest ranks.
#include "stats/normal.h"

#include <gtest/gtest.h>

#include <cmath>

#include "import/limits.h"
#include "stats/normal_table.h"

namespace qm {
namespace {

// The standard normal distribution function, independent of the code under test.
double Phi(double x) {
  return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// Phi^-1(p) by bisection on Phi.
double ReferenceQuantile(double p) {
  double lo = -10.0;
  double hi = 10.0;
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (lo + hi);
    (Phi(mid) < p ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

TEST(NormalTable, EveryEntryIsTheUpperTailQuantile) {
  for (int32_t k = 1; k <= NormalTableSize; ++k) {
    const double z = NormalQuantileTable[k];
    // The upper tail beyond Z[k] holds k/1000 of the distribution.
    EXPECT_NEAR(Phi(-z), k / 1000.0, 1e-15 * k) << "k = " << k;
    if (k > 1) {
      EXPECT_LT(z, NormalQuantileTable[k - 1]) << "k = " << k;
    }
  }
  EXPECT_EQ(NormalQuantileTable[NormalTableSize], 0.0);
}

TEST(NormalTable, PrintedEntries) {
  const struct {
    int32_t k;
    double z;
  } cases[] = {{1, 3.090232}, {2, 2.878162}, {25, 1.959964}, {159, 0.998576}};
  for (const auto& c : cases) EXPECT_NEAR(NormalQuantileTable[c.k], c.z, 5e-7) << c.k;
}

TEST(InverseNormal, OutsideTheOpenUnitIntervalIsMissing) {
  for (double p : {0.0, 1.0, -0.2, 1.5, -0.0, std::nan("")}) {
    EXPECT_EQ(InverseNormal(p), MissingValue) << p;
  }
}

TEST(InverseNormal, TableBranchRoundsThousandthsWithHalvesDown) {
  const double* z = NormalQuantileTable;
  const struct {
    double p;
    double expected;
  } cases[] = {
      {0.5, 0.0},
      {0.001, -z[1]},
      {0.975, z[25]},
      {0.0025, -z[2]},                     // exact half: down
      {0.9975, z[3]},                      // exact half: down, so not the mirror image
      {0.00250001, -z[2]},                 // just above a half: still down (+0.499)
      {0.0025009, -z[2]},                  // 2.5009 + 0.499 < 3
      {0.002501, -z[3]},                   // 2.501 + 0.499 reaches 3
      {0.0015, -z[1]},                     // 1.5 + 0.499
      {0.4995, -z[499]},                   // 499.5 rounds to 499
      {0.5005, z[500]},                    // 500.5 rounds to 500: Z[500] = 0
      {0.5015, z[499]},                    // 501.5 rounds to 501
      {0.9985, z[2]},                      // 998.5 rounds to 998
      {0.99899999999999, z[1]},            // last step of the table
      {std::nextafter(0.999, 0.0), z[1]},  // still the table
      {0.1587, -z[159]},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InverseNormal(c.p), c.expected) << "p = " << c.p;
  }
}

TEST(InverseNormal, ApproximationBranchInTheFarTails) {
  // 0.999 is outside the table range; 0.001 inside.
  EXPECT_NEAR(InverseNormal(0.999), 3.0905, 5e-5);
  EXPECT_NEAR(InverseNormal(0.0005), -3.2908, 5e-5);
  EXPECT_NE(InverseNormal(0.999), NormalQuantileTable[1]);
  EXPECT_LT(InverseNormal(std::nextafter(0.001, 0.0)), 0.0);
  for (double p : {1e-10, 1e-6, 1e-4, 0.0005, 0.000999, 0.999, 0.9995, 0.99999, 1 - 1e-9}) {
    const double x = InverseNormal(p);
    // Formula 26.2.23 errs by less than 4.5e-4.
    EXPECT_NEAR(x, ReferenceQuantile(p), 4.5e-4) << "p = " << p;
    // Symmetric in the far tails (q is p or 1 - p); 1 - 0.999 lies in the table range.
    if (p != 0.999) {
      EXPECT_NEAR(InverseNormal(1.0 - p), -x, 1e-6) << "p = " << p;
    }
  }
}

TEST(PlottingPosition, ValuesAndSymmetry) {
  EXPECT_NEAR(PlottingPosition(1, 10), 0.061853, 5e-7);
  EXPECT_EQ(PlottingPosition(0, 10), MissingValue);
  EXPECT_EQ(PlottingPosition(1, 1), 0.5);
  EXPECT_NEAR(PlottingConstant(1), 0.32749, 1e-15);
  EXPECT_NEAR(PlottingConstant(20), 0.376, 5e-4);
  EXPECT_NEAR(PlottingConstant(1024), 0.440, 5e-4);
  for (int32_t n : {2, 3, 10, 101, 1024}) {
    for (double r = 1.0; r <= n; r += 0.5) {
      EXPECT_NEAR(PlottingPosition(r, n) + PlottingPosition(n + 1 - r, n), 1.0, 1e-15);
      // The shortcut with the constant taken once is the same double.
      EXPECT_EQ(PlottingPositionFrom(r, n, PlottingConstant(n)), PlottingPosition(r, n));
    }
  }
}

TEST(MeanNormalScore, LowestAndHighestRanks) {
  EXPECT_NEAR(MeanLowNormalScore(1, 10), -1.5382, 5e-5);
  EXPECT_NEAR(MeanLowNormalScore(2, 10), -1.2684, 5e-5);
  EXPECT_NEAR(MeanHighNormalScore(2, 10), 1.2684, 5e-5);
  EXPECT_EQ(MeanLowNormalScore(10, 2), MeanLowNormalScore(2, 10));
  EXPECT_EQ(MeanHighNormalScore(10, 2), MeanHighNormalScore(2, 10));
  // By definition: the average of the scores of the ranks.
  for (int32_t n : {1, 7, 30, 1000}) {
    for (int32_t k : {1, 2, n / 2, n}) {
      if (k < 1 || k > n) continue;
      double low = 0.0;
      for (int32_t i = 1; i <= k; ++i) low += InverseNormal(PlottingPosition(i, n));
      double high = 0.0;
      for (int32_t i = n - k + 1; i <= n; ++i) high += InverseNormal(PlottingPosition(i, n));
      EXPECT_EQ(MeanLowNormalScore(k, n), low / k) << k << " of " << n;
      EXPECT_EQ(MeanHighNormalScore(k, n), high / k) << k << " of " << n;
    }
  }
  // Nothing to average.
  EXPECT_EQ(MeanLowNormalScore(3, 0), MissingValue);
  EXPECT_EQ(MeanHighNormalScore(0, 0), MissingValue);
}

}  // namespace
}  // namespace qm
