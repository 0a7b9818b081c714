// The summary marks of the group plot. A mark is built around its centre (mean or median);
// an end whose statistic is missing collapses onto its fallback height, and a mark without a
// centre is left out, so no vertex ever stands at the height of the Missing value.
#include "plot/summary_marks.h"

#include <cmath>

#include "import/limits.h"

namespace qm {
namespace {

// A statistic that was computed: above the Missing value and a real number.
bool Available(double v) {
  return std::isfinite(v) && v > MissingValue;
}

// Means, deviations and SEM bands are placed directly (log statistics are logarithms already).
// False when v has no position.
bool DirectY(const ValueAxis& axis, double v, int32_t& y) {
  return Available(v) && axis.AxisUnitY(v, y);
}

int32_t DirectYOr(const ValueAxis& axis, double v, int32_t fallback) {
  int32_t y;
  return DirectY(axis, v, y) ? y : fallback;
}

// Medians and quantiles are placed as ValueToY places them.
int32_t MappedYOr(const ValueAxis& axis, double v, double substitute, int32_t fallback) {
  int32_t y;
  return axis.ValueY(v, substitute, y) ? y : fallback;
}

// Diamonds, bars and boxes: with an odd number of series 400 left of the slot's right edge;
// with an even number, pairs of slots face each other across their common border.
int32_t MarkX(const ChartFrame& frame, int32_t s) {
  const int32_t left = frame.SlotLeft(s);
  const int32_t right = left + frame.slots.width;
  if (frame.slots.count % 2 != 0) return right - 400;
  return s % 2 == 0 ? right - 200 : left + 200;
}

void DrawCentreLine(const ChartFrame& frame, int32_t s, int32_t y) {
  const int32_t cx = frame.SlotCentre(s);
  const int32_t w = 39 * frame.slots.width / 80;
  frame.chart.canvas.MoveTo(cx - w, y);
  frame.chart.canvas.LineTo(cx + w, y);
}

// A filled diamond from y2 up to y3 with a stroke across its centre height y1.
void DrawDiamond(Canvas& canvas, int32_t x, int32_t y1, int32_t y2, int32_t y3) {
  const Point points[8] = {{x, y2}, {x - 200, y1}, {x - 400, y1}, {x - 200, y1},
                           {x, y3}, {x + 200, y1}, {x + 400, y1}, {x + 200, y1}};
  canvas.Polygon(points, 8);
}

// A vertical bar from y2 to y3 with caps at both ends and a wider stroke at y1.
void DrawErrorBar(Canvas& canvas, int32_t x, int32_t y1, int32_t y2, int32_t y3) {
  const Point points[12] = {{x - 50, y2},  {x + 50, y2},  {x, y2}, {x, y1},
                            {x - 100, y1}, {x + 100, y1}, {x, y1}, {x, y3},
                            {x - 50, y3},  {x + 50, y3},  {x, y3}, {x, y2}};
  canvas.Polygon(points, 12);
}

// The notched box with whiskers, 100 units to each side; nothing without a median. An end that
// cannot be placed falls back to the median, the upper whisker's to the upper quartile.
void DrawBoxMark(const ChartFrame& frame, const Series& series, int32_t x) {
  const ValueAxis& axis = frame.axis;
  NotchedBoxHeights box;
  if (!axis.ValueY(series.median, series.median, box.median)) return;
  box.quantile75 = MappedYOr(axis, series.quantile75, series.median, box.median);
  box.quantile90 = MappedYOr(axis, series.quantile90, series.quantile75, box.quantile75);
  box.medianUpper = MappedYOr(axis, series.medianUpper, series.median, box.median);
  box.medianLower = MappedYOr(axis, series.medianLower, series.median, box.median);
  box.quantile25 = MappedYOr(axis, series.quantile25, series.median, box.median);
  box.quantile10 = MappedYOr(axis, series.quantile10, series.median, box.median);
  DrawNotchedBox(frame.chart.canvas, x, 100, box);
}

void DrawMark(const ChartFrame& frame, const Series& series, int32_t s, SummaryMark mark) {
  const ValueAxis& axis = frame.axis;
  Canvas& canvas = frame.chart.canvas;
  const bool log = axis.logScale != 0;
  const double mean = log ? series.logMean : series.mean;
  const int32_t x = MarkX(frame, s);
  int32_t y1;
  switch (mark) {
    case SummaryMark::Mean:
      if (DirectY(axis, mean, y1)) DrawCentreLine(frame, s, y1);
      break;
    case SummaryMark::Median:
      if (axis.ValueY(series.median, series.median, y1)) DrawCentreLine(frame, s, y1);
      break;
    case SummaryMark::Sem: {
      if (!DirectY(axis, mean, y1)) break;
      const int32_t y2 = DirectYOr(axis, log ? series.logMeanMinusSem : series.meanMinusSem, y1);
      const int32_t y3 = DirectYOr(axis, log ? series.logMeanPlusSem : series.meanPlusSem, y1);
      DrawDiamond(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::MedianSe: {
      if (!axis.ValueY(series.median, series.median, y1)) break;
      const int32_t y2 = MappedYOr(axis, series.medianLower, series.medianLower, y1);
      const int32_t y3 = MappedYOr(axis, series.medianUpper, series.medianUpper, y1);
      DrawDiamond(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::Sd: {
      if (!DirectY(axis, mean, y1)) break;
      const double sd = log ? series.logSd : series.sd;
      int32_t y2 = y1;
      int32_t y3 = y1;
      if (Available(sd)) {
        y2 = DirectYOr(axis, mean - sd, y1);
        y3 = DirectYOr(axis, mean + sd, y1);
      }
      DrawErrorBar(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::Iqr: {
      if (!axis.ValueY(series.median, series.median, y1)) break;
      const int32_t y2 = MappedYOr(axis, series.quantile25, series.median, y1);
      const int32_t y3 = MappedYOr(axis, series.quantile75, series.median, y1);
      DrawErrorBar(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::BoxPlot:
      DrawBoxMark(frame, series, x);
      break;
    case SummaryMark::None:
      break;
  }
}

}  // namespace

void DrawSummaryMarks(const ChartFrame& frame, SummaryMark mark, CanvasObject fillBrush) {
  if (mark == SummaryMark::None) return;
  const SeriesTable& table = frame.chart.tables.series;
  frame.chart.canvas.SelectObject(fillBrush);
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const Series& series = table.series[s];
    if (series.count < 1) continue;
    DrawMark(frame, series, s, mark);
  }
}

}  // namespace qm
