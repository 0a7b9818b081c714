// The last layer of the group plot: one summary mark per series (centre line, diamond, error
// bar or notched box) over its points, on the chart's frame.
#pragma once

#include "plot/canvas.h"
#include "plot/chart_frame.h"
#include "plot/plot_types.h"

namespace qm {

// Draws the marks of every series with values, with the outline pen already selected and
// `fillBrush` for the interiors of diamonds and boxes; SummaryMark::None draws nothing and
// selects nothing.
void DrawSummaryMarks(const ChartFrame& frame, SummaryMark mark, CanvasObject fillBrush);

}  // namespace qm
