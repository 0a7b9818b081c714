// The last layer of the group plot: one summary mark per series (centre line, diamond, error
// bar or notched box) in the error-bar style of the Options dialog, on the plot's own axis.
#pragma once

#include <cmath>
#include <cstdint>

#include "plot/canvas.h"
#include "plot/plot_types.h"
#include "stats/series_table.h"

namespace qm {

// The working values of one group plot call that the marks share with it.
struct GroupPlotLayout {
  double low;     // axis bottom, in natural logarithms when flag is set
  double high;    // axis top
  int32_t flag;   // logarithmic flag in effect
  double scale;   // 6120 / (high - low)
  int32_t axisX;  // left edge of the frame
  int32_t slotWidth;
  int32_t half;                // slotWidth / 2
  CanvasObject markFillBrush;  // the interior of diamonds and boxes
};

// The centre of slot s.
inline int32_t SlotCentre(const GroupPlotLayout& layout, int32_t s) {
  return layout.axisX + 255 + layout.half + s * layout.slotWidth;
}

// Truncates a canvas coordinate toward zero. A real far off the canvas is pinned 2^26 units
// away, as ValueToY pins its heights: still off the canvas, and small enough for readers that
// hold coordinates in 32-bit fixed point. False for a real that is no coordinate (NaN).
inline bool TruncateCoordinate(double x, int32_t& out) {
  constexpr double MaxOffset = 67108864;
  if (std::isnan(x)) return false;
  out = int32_t(x < -MaxOffset ? -MaxOffset : (x > MaxOffset ? MaxOffset : x));
  return true;
}

// Draws the marks over the points, with the outline pen already selected; SummaryMark::None
// draws nothing and selects nothing.
void DrawSummaryMarks(Canvas& canvas, const SeriesTable& table, const GroupPlotLayout& layout,
                      SummaryMark mark);

}  // namespace qm
