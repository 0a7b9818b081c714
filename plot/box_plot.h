// The box plot: a notched box with whiskers per series, or a minimum-maximum line for a
// small series.
#pragma once

#include <cstdint>

#include "plot/plot_types.h"

namespace qm {

// Returns the logarithmic flag in effect (0 when the axis could not be logarithmic).
int32_t DrawBoxPlot(ChartContext& chart, int32_t logFlag);

}  // namespace qm
