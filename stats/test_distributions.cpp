// Student's t through the regularized incomplete beta function (a continued fraction), the
// normal tail through erfc, and the exact rank distributions by counting the arrangements that
// give each statistic.
#include "stats/test_distributions.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

constexpr int32_t MaxFractionTerms = 10000;
constexpr double FractionTolerance = 1e-16;
// Keeps the continued fraction's denominators away from zero (the modified Lentz method).
constexpr double Tiny = 1e-300;

// The continued fraction of I_x(a, b) / (x^a (1 - x)^b / (a B(a, b))), which converges fast for
// x < (a + 1) / (a + b + 2).
double BetaFraction(double a, double b, double x) {
  double c = 1.0;
  double d = 1.0 - (a + b) * x / (a + 1.0);
  if (std::fabs(d) < Tiny) d = Tiny;
  d = 1.0 / d;
  double result = d;
  for (int32_t m = 1; m <= MaxFractionTerms; m++) {
    // The even step, then the odd step of the fraction.
    double term = m * (b - m) * x / ((a + 2.0 * m - 1.0) * (a + 2.0 * m));
    d = 1.0 + term * d;
    if (std::fabs(d) < Tiny) d = Tiny;
    c = 1.0 + term / c;
    if (std::fabs(c) < Tiny) c = Tiny;
    d = 1.0 / d;
    result *= d * c;
    term = -(a + m) * (a + b + m) * x / ((a + 2.0 * m) * (a + 2.0 * m + 1.0));
    d = 1.0 + term * d;
    if (std::fabs(d) < Tiny) d = Tiny;
    c = 1.0 + term / c;
    if (std::fabs(c) < Tiny) c = Tiny;
    d = 1.0 / d;
    const double step = d * c;
    result *= step;
    if (std::fabs(step - 1.0) < FractionTolerance) break;
  }
  return result;
}

}  // namespace

double RegularizedIncompleteBeta(double a, double b, double x, double oneMinusX) {
  if (x <= 0.0) return 0.0;
  if (oneMinusX <= 0.0) return 1.0;
  const double logFront = a * std::log(x) + b * std::log(oneMinusX) + std::lgamma(a + b) -
                          std::lgamma(a) - std::lgamma(b);
  if (x < (a + 1.0) / (a + b + 2.0)) return std::exp(logFront) * BetaFraction(a, b, x) / a;
  return 1.0 - std::exp(logFront) * BetaFraction(b, a, oneMinusX) / b;
}

double StudentTwoSidedP(double t, double df) {
  const double t2 = t * t;
  if (!std::isfinite(t2)) return 0.0;
  const double p = RegularizedIncompleteBeta(df / 2.0, 0.5, df / (df + t2), t2 / (df + t2));
  return std::min(p, 1.0);
}

double NormalUpperTail(double z) {
  return 0.5 * std::erfc(z / std::sqrt(2.0));
}

double ExactMannWhitneyP(double u, int32_t nx, int32_t ny) {
  constexpr int32_t Side = MaxExactRankSumSide + 1;
  constexpr int32_t Sums = MaxExactRankSumSide * MaxExactRankSumSide + 1;
  // ways[m][n][v]: orderings of m values of x and n of y in which the pairs with x above y
  // number v. The largest value is an x (above all n values of y) or a y.
  static_assert(Side * Side * Sums * sizeof(double) < 64 * 1024, "counted on the stack");
  double ways[Side][Side][Sums] = {};
  for (int32_t m = 0; m <= nx; m++) {
    for (int32_t n = 0; n <= ny; n++) {
      for (int32_t v = 0; v <= m * n; v++) {
        if (m == 0 || n == 0) {
          ways[m][n][v] = v == 0 ? 1.0 : 0.0;
          continue;
        }
        ways[m][n][v] = (v >= n ? ways[m - 1][n][v - n] : 0.0) + ways[m][n - 1][v];
      }
    }
  }
  double below = 0.0;  // arrangements with U <= u
  double above = 0.0;  // with U >= u
  double total = 0.0;
  for (int32_t v = 0; v <= nx * ny; v++) {
    const double w = ways[nx][ny][v];
    total += w;
    if (v <= u) below += w;
    if (v >= u) above += w;
  }
  return std::min(1.0, 2.0 * std::min(below, above) / total);
}

double ExactSignedRankP(double w, int32_t n, double* counts) {
  // counts[s]: subsets of the ranks 1..k whose sum is s, extended one rank at a time.
  const int32_t maxSum = n * (n + 1) / 2;
  std::fill(counts, counts + maxSum + 1, 0.0);
  counts[0] = 1.0;
  for (int32_t k = 1; k <= n; k++) {
    for (int32_t s = k * (k + 1) / 2; s >= k; s--) counts[s] += counts[s - k];
  }
  double atMost = 0.0;
  double atLeast = 0.0;
  for (int32_t s = 0; s <= maxSum; s++) {
    if (s <= w) atMost += counts[s];
    if (s >= w) atLeast += counts[s];
  }
  return std::min(1.0, std::ldexp(2.0 * std::min(atMost, atLeast), -n));
}

double BinomialHalfTwoSidedP(int32_t k, int32_t n) {
  const int32_t j = std::min(k, n - k);
  if (2 * j == n) return 1.0;
  // C(n, j) as a product of exact integers while they fit in a double; up to n = 1024 (every
  // pair a worksheet holds) it stays below the largest double.
  double binomial = 1.0;
  for (int32_t i = 1; i <= j; i++) binomial = binomial * double(n - j + i) / double(i);
  // P(X <= j) = pmf(j) (1 + pmf(j-1)/pmf(j) + ...), each ratio pmf(i-1)/pmf(i) = i / (n - i + 1).
  double ratio = 1.0;
  double sum = 1.0;
  for (int32_t i = j; i >= 1; i--) {
    ratio *= double(i) / double(n - i + 1);
    sum += ratio;
    if (ratio < 1e-18 * sum) break;
  }
  return std::min(1.0, std::ldexp(2.0 * binomial * sum, -n));
}

}  // namespace qm
