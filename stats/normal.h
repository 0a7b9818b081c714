// Normal scores: the standard normal quantile as the statistics use it (a table in steps of
// 0.001 with a rational approximation in the far tails), the plotting position of a rank, and
// the mean normal score of the lowest or highest ranks, which stands for values beyond a limit.
#pragma once

#include <cstdint>

namespace qm {

// The standard normal quantile of p; MissingValue unless 0 < p < 1.
double InverseNormal(double p);

// The cumulative fraction that 1-based (mid-)rank r of n values stands for; MissingValue when
// r is 0 (a missing row) or there are no values.
double PlottingPosition(double r, int32_t n);

// The Blom-type constant a of PlottingPosition for n values. PlottingPositionFrom(r, n, a)
// gives exactly PlottingPosition(r, n) for a nonzero r without taking the logarithm again.
double PlottingConstant(int32_t n);
double PlottingPositionFrom(double r, int32_t n, double a);

// Mean normal score of the k lowest (highest) of n ranks; k and n are exchanged when k > n.
// MissingValue when no rank is left to average.
double MeanLowNormalScore(int32_t k, int32_t n);
double MeanHighNormalScore(int32_t k, int32_t n);

}  // namespace qm
