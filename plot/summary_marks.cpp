// The summary marks of the group plot. A mark is built around its centre (mean or median);
// an end whose statistic is missing collapses onto its fallback height, and a mark without a
// centre is left out, so no vertex ever stands at the height of the Missing value.
#include "plot/summary_marks.h"

#include <cmath>

#include "import/limits.h"
#include "plot/axis.h"
#include "plot/plot_types.h"

namespace qm {
namespace {

// A statistic that was computed: above the Missing value and a real number.
bool Available(double v) {
  return std::isfinite(v) && v > MissingValue;
}

// The direct mapping for means, deviations and SEM bands (log statistics are logarithms
// already). False when v has no position.
bool DirectY(const GroupPlotLayout& layout, double v, int32_t& y) {
  int32_t t;
  if (!Available(v) || !TruncateCoordinate((v - layout.low) * layout.scale + 1020, t)) {
    return false;
  }
  y = 7650 - t;
  return true;
}

int32_t DirectYOr(const GroupPlotLayout& layout, double v, int32_t fallback) {
  int32_t y;
  return DirectY(layout, v, y) ? y : fallback;
}

// What ValueToY places without substituting: a value between the markers, positive on a
// logarithmic axis.
bool Placeable(double v, int32_t flag) {
  return v > BelowLimitMarker && v < AboveLimitMarker && (flag == 0 || v > 0);
}

// ValueToY(v, substitute) for medians and quantiles; false when neither v nor its substitute
// has a position (a substitute without a logarithm included).
bool MappedY(const GroupPlotLayout& layout, double v, double substitute, int32_t& y) {
  double placed = Placeable(v, layout.flag) ? v : substitute;
  if (!Placeable(placed, layout.flag)) return false;
  double at = layout.flag != 0 ? std::log(placed) : placed;
  int32_t unused;
  if (!TruncateCoordinate(layout.scale * (at - layout.low) + 1020, unused)) return false;
  y = ValueToY(placed, placed, layout.low, layout.flag, 1020, layout.scale);
  return true;
}

int32_t MappedYOr(const GroupPlotLayout& layout, double v, double substitute, int32_t fallback) {
  int32_t y;
  return MappedY(layout, v, substitute, y) ? y : fallback;
}

// Diamonds, bars and boxes: with an odd number of series 400 left of the slot's right edge;
// with an even number, pairs of slots face each other across their common border.
int32_t MarkX(const GroupPlotLayout& layout, int32_t s, int32_t seriesCount) {
  int32_t left = layout.axisX + 255 + s * layout.slotWidth;
  int32_t right = left + layout.slotWidth;
  if (seriesCount % 2 != 0) return right - 400;
  return s % 2 == 0 ? right - 200 : left + 200;
}

void DrawCentreLine(Canvas& canvas, const GroupPlotLayout& layout, int32_t s, int32_t y) {
  int32_t cx = SlotCentre(layout, s);
  int32_t w = 39 * layout.slotWidth / 80;
  canvas.MoveTo(cx - w, y);
  canvas.LineTo(cx + w, y);
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

// The notched box with whiskers; nothing without a median.
void DrawNotchedBox(Canvas& canvas, const GroupPlotLayout& layout, const Series& series,
                    int32_t x) {
  int32_t median;
  if (!MappedY(layout, series.median, series.median, median)) return;
  int32_t q75 = MappedYOr(layout, series.quantile75, series.median, median);
  int32_t q90 = MappedYOr(layout, series.quantile90, series.quantile75, q75);
  int32_t upper = MappedYOr(layout, series.medianUpper, series.median, median);
  int32_t lower = MappedYOr(layout, series.medianLower, series.median, median);
  int32_t q25 = MappedYOr(layout, series.quantile25, series.median, median);
  int32_t q10 = MappedYOr(layout, series.quantile10, series.median, median);
  const Point points[16] = {{x, q90},    {x, q75},         {x - 100, q75}, {x - 100, upper},
                            {x, median}, {x - 100, lower}, {x - 100, q25}, {x, q25},
                            {x, q10},    {x, q25},         {x + 100, q25}, {x + 100, lower},
                            {x, median}, {x + 100, upper}, {x + 100, q75}, {x, q75}};
  canvas.Polygon(points, 16);
}

void DrawMark(Canvas& canvas, const GroupPlotLayout& layout, const Series& series, int32_t s,
              int32_t seriesCount, SummaryMark mark) {
  const bool log = layout.flag != 0;
  const double mean = log ? series.logMean : series.mean;
  const int32_t x = MarkX(layout, s, seriesCount);
  int32_t y1;
  switch (mark) {
    case SummaryMark::Mean:
      if (DirectY(layout, mean, y1)) DrawCentreLine(canvas, layout, s, y1);
      break;
    case SummaryMark::Median:
      if (MappedY(layout, series.median, series.median, y1)) DrawCentreLine(canvas, layout, s, y1);
      break;
    case SummaryMark::Sem: {
      if (!DirectY(layout, mean, y1)) break;
      int32_t y2 = DirectYOr(layout, log ? series.logMeanMinusSem : series.meanMinusSem, y1);
      int32_t y3 = DirectYOr(layout, log ? series.logMeanPlusSem : series.meanPlusSem, y1);
      DrawDiamond(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::MedianSe: {
      if (!MappedY(layout, series.median, series.median, y1)) break;
      int32_t y2 = MappedYOr(layout, series.medianLower, series.medianLower, y1);
      int32_t y3 = MappedYOr(layout, series.medianUpper, series.medianUpper, y1);
      DrawDiamond(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::Sd: {
      if (!DirectY(layout, mean, y1)) break;
      const double sd = log ? series.logSd : series.sd;
      int32_t y2 = y1;
      int32_t y3 = y1;
      if (Available(sd)) {
        y2 = DirectYOr(layout, mean - sd, y1);
        y3 = DirectYOr(layout, mean + sd, y1);
      }
      DrawErrorBar(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::Iqr: {
      if (!MappedY(layout, series.median, series.median, y1)) break;
      int32_t y2 = MappedYOr(layout, series.quantile25, series.median, y1);
      int32_t y3 = MappedYOr(layout, series.quantile75, series.median, y1);
      DrawErrorBar(canvas, x, y1, y2, y3);
      break;
    }
    case SummaryMark::BoxPlot:
      DrawNotchedBox(canvas, layout, series, x);
      break;
    case SummaryMark::None:
      break;
  }
}

}  // namespace

void DrawSummaryMarks(Canvas& canvas, const SeriesTable& table, const GroupPlotLayout& layout,
                      SummaryMark mark) {
  if (mark == SummaryMark::None) return;
  canvas.SelectObject(layout.markFillBrush);
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const Series& series = table.series[s];
    if (series.count < 1) continue;
    DrawMark(canvas, layout, series, s, table.SeriesCount, mark);
  }
}

}  // namespace qm
