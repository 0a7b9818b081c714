// Normal scores and plotting positions.
#include "stats/normal.h"

#include <cmath>
#include <utility>

#include "import/limits.h"
#include "stats/normal_table.h"

namespace qm {

namespace {

// Abramowitz and Stegun, formula 26.2.23.
constexpr double C0 = 2.515517;
constexpr double C1 = 0.802853;
constexpr double C2 = 0.010328;
constexpr double D1 = 1.432788;
constexpr double D2 = 0.189269;
constexpr double D3 = 0.001308;

}  // namespace

double InverseNormal(double p) {
  if (!(p > 0.0 && p < 1.0)) return MissingValue;
  if (p >= 0.001 && p < 0.999) {
    // 1000p to the nearest step, an exact half rounded down: the table is a step function.
    const int32_t k = static_cast<int32_t>(1000.0 * p + 0.499);
    if (k <= NormalTableSize) return -NormalQuantileTable[k];
    return NormalQuantileTable[1000 - k];
  }
  const double q = p <= 0.5 ? p : 1.0 - p;
  const double t = std::sqrt(std::log(1.0 / (q * q)));
  const double x = t - (C0 + C1 * t + C2 * t * t) / (1.0 + D1 * t + D2 * t * t + D3 * t * t * t);
  return p > 0.5 ? x : -x;
}

double PlottingConstant(int32_t n) {
  return 0.32749 + 0.016178 * std::log(n);
}

double PlottingPositionFrom(double r, int32_t n, double a) {
  return (r - a) / (n + 1 - 2 * a);
}

double PlottingPosition(double r, int32_t n) {
  if (r == 0.0 || n < 1) return MissingValue;
  return PlottingPositionFrom(r, n, PlottingConstant(n));
}

double MeanLowNormalScore(int32_t k, int32_t n) {
  if (k > n) std::swap(k, n);
  if (k < 1) return MissingValue;
  const double a = PlottingConstant(n);
  double sum = 0.0;
  for (int32_t i = 1; i <= k; ++i) sum += InverseNormal(PlottingPositionFrom(i, n, a));
  return sum / k;
}

double MeanHighNormalScore(int32_t k, int32_t n) {
  if (k > n) std::swap(k, n);
  if (k < 1) return MissingValue;
  const double a = PlottingConstant(n);
  double sum = 0.0;
  for (int32_t i = n - k + 1; i <= n; ++i) sum += InverseNormal(PlottingPositionFrom(i, n, a));
  return sum / k;
}

}  // namespace qm
