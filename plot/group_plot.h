// The group plot: every value of every series as a point, stacked side by side within value
// bins, names under the slots, optional connecting lines and summary marks.
#pragma once

#include <cstdint>

#include "plot/plot_types.h"

namespace qm {

// Returns logScale unchanged.
int32_t DrawGroupPlot(ChartContext& chart, int32_t logScale, SummaryMark mark);

}  // namespace qm
