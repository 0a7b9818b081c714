// The measuring canvas and the widening of a data range to hold its marks.
#include "plot/mark_extent.h"

#include <cmath>

namespace qm {

void MarkExtentCanvas::Hold(int32_t y) {
  if (!any || y < top) top = y;
  if (!any || y > bottom) bottom = y;
  any = true;
}

void MarkExtentCanvas::Ellipse(int32_t, int32_t upper, int32_t, int32_t lower) {
  // A circle's centre is its mark: its outline reaches half a point beyond.
  Hold(upper + (lower - upper) / 2);
}

void MarkExtentCanvas::Polygon(const Point* points, int32_t count) {
  for (int32_t i = 0; i < count; i++) Hold(points[i].y);
}

void MarkExtentCanvas::Polyline(const Point* points, int32_t count) {
  Polygon(points, count);
}

bool MarkExtentCanvas::OutsideFrame(const ValueAxis& axis) const {
  return any && (top < FrameTop - FrameSlack || bottom > axis.bottom + FrameSlack);
}

void WidenToHold(const ValueAxis& axis, const MarkExtentCanvas& extent, double& low, double& high) {
  if (!extent.any) return;
  // A height back in axis units: truncation and pinning put it at most one unit nearer the
  // frame, and a further round sees what remains.
  const double lowest = axis.low + (axis.bottom - extent.bottom) / axis.scale;
  const double highest = axis.low + (axis.bottom - extent.top) / axis.scale;
  // On a logarithmic axis a round reaches at most to the logarithms of the double range.
  constexpr double MaxLog = 700;
  const double lowValue = axis.logScale != 0 ? std::exp(std::fmax(lowest, -MaxLog)) : lowest;
  const double highValue = axis.logScale != 0 ? std::exp(std::fmin(highest, MaxLog)) : highest;
  if (std::isfinite(lowValue) && lowValue < low) low = lowValue;
  if (std::isfinite(highValue) && highValue > high) high = highValue;
}

}  // namespace qm
