// The distributions the group comparisons take their p-values from: Student's t, the standard
// normal tail, the exact null distributions of the Mann-Whitney U and the Wilcoxon signed-rank
// statistic (by counting arrangements), and the binomial with probability 1/2. Every function is
// two-sided where it returns a p-value and caps it at 1.
#pragma once

#include <cstdint>

namespace qm {

// The largest sample of each side for which the exact Mann-Whitney distribution is counted, and
// the most nonzero differences for the exact Wilcoxon distribution.
constexpr int32_t MaxExactRankSumSide = 8;
constexpr int32_t MaxExactSignedRanks = 50;
constexpr int32_t MaxSignedRankSum = MaxExactSignedRanks * (MaxExactSignedRanks + 1) / 2;

// The regularized incomplete beta function I_x(a, b) for a, b > 0 and 0 <= x <= 1, where
// `oneMinusX` is 1 - x computed by the caller without cancellation.
double RegularizedIncompleteBeta(double a, double b, double x, double oneMinusX);

// P(|T| >= |t|) for Student's t with `df` > 0 degrees of freedom.
double StudentTwoSidedP(double t, double df);

// P(Z >= z) for a standard normal Z.
double NormalUpperTail(double z);

// Two-sided exact p of a Mann-Whitney U statistic `u` (an integer: no ties) for samples of sizes
// nx, ny, each 1..MaxExactRankSumSide.
double ExactMannWhitneyP(double u, int32_t nx, int32_t ny);

// Two-sided exact p of a Wilcoxon signed-rank statistic `w` (the smaller rank sum, an integer: no
// ties) over n = 1..MaxExactSignedRanks nonzero differences. `counts` is caller-owned scratch
// of MaxSignedRankSum + 1 entries.
double ExactSignedRankP(double w, int32_t n, double* counts);

// Two-sided exact p of k successes in n trials with probability 1/2: the probability of an
// outcome at least as far from n/2 as k.
double BinomialHalfTwoSidedP(int32_t k, int32_t n);

}  // namespace qm
