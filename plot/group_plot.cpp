// The group plot ("Ttest"): a binned dot plot of every series in its own slot against one value
// axis, with slot names, block headings for split groups, optional connecting lines, a line at
// 0 (or 1) and the summary marks. It draws from its own copy of the values, so the imported grid
// stays as it was and the same grid plotted twice gives the same picture.
#include "plot/group_plot.h"

#include <cmath>
#include <cstring>

#include "plot/axis.h"
#include "plot/chart_frame.h"
#include "plot/chart_key.h"
#include "plot/mark_extent.h"
#include "plot/summary_marks.h"
#include "plot/test_lines.h"

namespace qm {
namespace {

constexpr int32_t DrawnBins = 26;  // bins 0..25 lie inside the frame
constexpr int32_t PointSize = 210;

struct GroupPlotObjects {
  CanvasObject outlinePen;
  CanvasObject hollowBrush;
  CanvasObject markFillBrush;
  CanvasObject frameBrush;    // 0 without the blue background
  CanvasObject estimateFill;  // 0 unless limit values are marked
};

// The points' bins and spacing, shared by the drawing steps of one call.
struct PointLayout {
  double binWidth;
  double binHeight;
  int32_t binY[DrawnBins];
  int32_t maxBinCount;
  double dotStep;
};

int32_t ClampedRows(const WorksheetGrid& grid) {
  return grid.RowCount < 0 ? 0 : (grid.RowCount > MaxRows ? MaxRows : grid.RowCount);
}

int32_t ClampedColumns(const WorksheetGrid& grid) {
  return grid.ColumnCount < 0 ? 0 : (grid.ColumnCount > MaxColumns ? MaxColumns : grid.ColumnCount);
}

GroupPlotObjects CreateObjects(Canvas& canvas, const PlotSettings& settings) {
  GroupPlotObjects objects;
  objects.outlinePen = canvas.CreatePen(
      PenSolid, settings.BoldLines != 0 ? BoldOutlinePenWidth : OutlinePenWidth, Rgb(0, 0, 0));
  objects.hollowBrush = canvas.CreateHollowBrush();
  objects.markFillBrush =
      canvas.CreateSolidBrush(settings.BlueBackground != 0 ? Rgb(255, 255, 0) : Rgb(127, 127, 127));
  objects.frameBrush = settings.BlueBackground != 0 ? canvas.CreateSolidBrush(Rgb(0, 0, 180)) : 0;
  // Created only when asked for, so that the picture without it stays as it was.
  objects.estimateFill = settings.MarkLimitValues != 0 ? canvas.CreateSolidBrush(EstimateFill) : 0;
  return objects;
}

// The plot's own copy of the cells, with limit markers (and, on a logarithmic axis, values
// without a logarithm) replaced by the estimates the series carries for them; Estimated tells
// which cells were replaced.
void ReplaceLimitMarkers(const ChartContext& chart, int32_t logScale) {
  const WorksheetGrid& grid = chart.grid;
  const SeriesTable& table = chart.tables.series;
  GroupPlotScratch& scratch = chart.tables.group;
  const int32_t rows = ClampedRows(grid);
  const int32_t columns = ClampedColumns(grid);
  for (int32_t r = 0; r < rows; r++) {
    std::memcpy(scratch.Values[r], grid.Values[r], sizeof(double) * size_t(columns));
    std::memset(scratch.Estimated[r], 0, size_t(columns));
  }
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const Series& series = table.series[s];
    const SeriesRows member = RowsOfSeries(table, s, rows);
    for (int32_t k = 0; k < member.count; k++) {
      // A row of the series holds its value in the series' column.
      double& cell = scratch.Values[member[k]][series.column];
      const double v = cell;
      if (v == MissingValue) continue;
      bool below = false;
      bool above = false;
      if (logScale != 0) {
        below = v == BelowLimitMarker || v <= 0;
        above = !below && v == AboveLimitMarker;
        if (below) cell = series.logBelowLimitEstimate;
        if (above) cell = series.logAboveLimitEstimate;
      } else {
        below = v == BelowLimitMarker;
        above = v == AboveLimitMarker;
        if (below) cell = series.belowLimitEstimate;
        if (above) cell = series.aboveLimitEstimate;
      }
      if (below || above) scratch.Estimated[member[k]][series.column] = 1;
    }
  }
}

// The data range over all series, made drawable: a default range without data, a range of
// one unit for equal values, and zero as the start of a linear axis of positive data. A value
// beyond a limit marker sends it to the default range too; the result says so.
AxisFallback ChooseAxisRange(const SeriesTable& table, int32_t logScale, double& low,
                             double& high) {
  low = AboveLimitMarker;
  high = BelowLimitMarker;
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    if (table.series[s].minimum < low) low = table.series[s].minimum;
    if (table.series[s].maximum > high) high = table.series[s].maximum;
  }
  const AxisFallback fallback = low < BelowLimitMarker || high > AboveLimitMarker
                                    ? AxisFallback::ValueBeyondMarker
                                    : AxisFallback::None;
  if (table.SeriesCount < 1 || low <= BelowLimitMarker || low >= AboveLimitMarker) low = 0.5;
  if (high <= low || high >= AboveLimitMarker) high = low + 1;
  if (low > 0 && logScale == 0) low = 0;
  return fallback;
}

// Whether a point at `v` (a value, or its logarithm on a logarithmic axis) lands in a drawn bin:
// less than one bin below the axis, less than one above it.
bool InDrawnBin(double v, const ValueAxis& axis, double binWidth) {
  const double place = (v - axis.low) / binWidth;
  return place > -1.0 && place < double(DrawnBins);
}

// Widens the data range [low, high] until every point lands in a drawn bin and every summary
// mark stands in the frame; a range whose points and marks fit stays as it is. Values beyond the
// limit markers are left to the default range.
void WidenToHoldMarks(ChartContext& chart, int32_t logScale, SummaryMark mark,
                      AxisFallback fallback, double& low, double& high) {
  const SeriesTable& table = chart.tables.series;
  const GroupPlotScratch& scratch = chart.tables.group;
  const int32_t rows = ClampedRows(chart.grid);
  for (int32_t round = 0; round < MaxWidenRounds; round++) {
    const ChartFrame frame = FrameOnAxis(chart, low, high, logScale, GroupPlotReach, fallback);
    if (!frame.slots.exists) return;
    const ValueAxis& axis = frame.axis;
    const double binWidth = (axis.high - axis.low) * 0.04;
    bool widened = false;
    for (int32_t s = 0; s < table.SeriesCount; s++) {
      const SeriesRows member = RowsOfSeries(table, s, rows);
      for (int32_t k = 0; k < member.count; k++) {
        const double v = scratch.Values[member[k]][table.series[s].column];
        if (!IsMeasured(v) || (axis.logScale != 0 && !(v > 0))) continue;
        if (InDrawnBin(axis.logScale != 0 ? std::log(v) : v, axis, binWidth)) continue;
        low = std::fmin(low, v);
        high = std::fmax(high, v);
        widened = true;
      }
    }
    MarkExtentCanvas extent;
    ChartContext measuring{extent, chart.settings, chart.grid, chart.tables, 0, 0};
    DrawSummaryMarks(ChartFrame{measuring, frame.axis, frame.slots}, mark, 0);
    if (extent.OutsideFrame(axis)) {
      WidenToHold(axis, extent, low, high);
      widened = true;
    }
    if (!widened) return;
  }
}

// Counts every drawable value into its bin; PointBin stays -1 for a cell without a point.
void BinValues(const ChartFrame& frame, PointLayout& points) {
  const ChartContext& chart = frame.chart;
  const ValueAxis& axis = frame.axis;
  const SeriesTable& table = chart.tables.series;
  GroupPlotScratch& scratch = chart.tables.group;
  const int32_t rows = ClampedRows(chart.grid);
  const int32_t columns = ClampedColumns(chart.grid);
  for (int32_t b = 0; b < MaxBins; b++) {
    for (int32_t s = 0; s < table.SeriesCount; s++) scratch.BinCounts[b][s] = 0;
  }
  for (int32_t r = 0; r < rows; r++) {
    for (int32_t c = 0; c < columns; c++) {
      scratch.PointBin[r][c] = -1;
      scratch.PointBinOrder[r][c] = 0;
    }
  }
  points.binWidth = (axis.high - axis.low) * 0.04;
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const int32_t column = table.series[s].column;
    const SeriesRows member = RowsOfSeries(table, s, rows);
    for (int32_t k = 0; k < member.count; k++) {
      const int32_t r = member[k];
      double v = scratch.Values[r][column];  // a row of the series: its value
      if (v == MissingValue) continue;
      if (axis.logScale != 0) {
        if (!(v > 0)) continue;  // no logarithm, no point
        v = std::log(v);
      }
      // Compared as a real first: a value far off the axis must not reach the conversion.
      double place = (v - axis.low) / points.binWidth;
      if (!(place > -1.0 && place < double(MaxBins))) continue;
      int32_t b = int32_t(place);
      int32_t order = ++scratch.BinCounts[b][s];
      scratch.PointBin[r][column] = b;
      scratch.PointBinOrder[r][column] = order;
    }
  }
  points.maxBinCount = 0;
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    for (int32_t b = 0; b < DrawnBins; b++) {
      if (scratch.BinCounts[b][s] > points.maxBinCount)
        points.maxBinCount = scratch.BinCounts[b][s];
    }
  }
}

// Bin heights, and the spacing of the points of one bin side by side in a slot.
void ChooseSpacing(const ChartFrame& frame, PointLayout& points) {
  const int32_t slotWidth = frame.slots.width;
  points.binHeight = points.binWidth * frame.axis.scale;
  // An axis whose span is next to nothing can scale a bin beyond any coordinate (or to NaN).
  for (int32_t b = 0; b < DrawnBins; b++) {
    int32_t height = 0;
    TruncatePinned(b * points.binHeight, height);
    points.binY[b] = frame.axis.bottom - height;
  }
  points.dotStep = 262.5;
  if (0.9 * slotWidth < 262.5 * points.maxBinCount) points.dotStep = 105;
  if (points.maxBinCount * points.dotStep > 0.95 * slotWidth) {
    points.dotStep = 0.95 * slotWidth / points.maxBinCount;
  }
}

// Draws the estimated points of series s again, over the open circles drawn for them, with the
// estimate fill; leaves the hollow brush selected. Returns how many it drew.
int32_t DrawEstimatedPoints(const ChartFrame& frame, const PointLayout& points, int32_t s,
                            CanvasObject hollowBrush, CanvasObject estimateFill) {
  const ChartContext& chart = frame.chart;
  const GroupPlotScratch& scratch = chart.tables.group;
  const int32_t column = chart.tables.series.series[s].column;
  const SeriesRows member = RowsOfSeries(chart.tables.series, s, ClampedRows(chart.grid));
  int32_t drawn = 0;
  for (int32_t k = 0; k < member.count; k++) {
    const int32_t r = member[k];
    const int32_t b = scratch.PointBin[r][column];
    if (scratch.Estimated[r][column] == 0 || b < 0 || b >= DrawnBins) continue;
    // Where the points' loop drew this cell: the order-th point of its bin, as the connecting
    // lines find it.
    const int32_t order = scratch.PointBinOrder[r][column];
    const int32_t n = scratch.BinCounts[b][s];
    const int32_t px = frame.SlotCentre(s) - int32_t((order - (n + 1) * 0.5) * points.dotStep);
    if (drawn == 0) chart.canvas.SelectObject(estimateFill);
    DrawEstimatedPoint(chart.canvas, px, points.binY[b], !(points.dotStep > 42));
    drawn++;
  }
  if (drawn > 0) chart.canvas.SelectObject(hollowBrush);
  return drawn;
}

// Returns how many estimated points were marked (none unless estimateFill is an object).
int32_t DrawPointsAndNames(const ChartFrame& frame, const PointLayout& points,
                           CanvasObject hollowBrush, CanvasObject estimateFill) {
  const ChartContext& chart = frame.chart;
  const SeriesTable& table = chart.tables.series;
  const GroupPlotScratch& scratch = chart.tables.group;
  Canvas& canvas = chart.canvas;
  int32_t estimates = 0;
  canvas.SelectObject(hollowBrush);
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    if (frame.SlotHasDivider(s)) frame.DrawDivider(s);
    // Without a split column an empty series is a gap behind its divider.
    if (chart.settings.Split == SplitMode::None && table.series[s].count == 0) continue;
    const int32_t x = frame.SlotCentre(s);
    for (int32_t b = 0; b < DrawnBins; b++) {
      const int32_t n = scratch.BinCounts[b][s];
      for (int32_t j = 0; j < n; j++) {
        int32_t px = x - int32_t((j - (n - 1) * 0.5) * points.dotStep);
        if (points.dotStep > 42) {
          DrawDot(canvas, px, points.binY[b], PointSize);
        } else {
          DrawVerticalTick(canvas, px, points.binY[b], PointSize);
        }
      }
    }
    if (estimateFill != 0) {
      estimates += DrawEstimatedPoints(frame, points, s, hollowBrush, estimateFill);
    }
    frame.DrawSlotName(s);
  }
  return estimates;
}

// Joins the points of every row from series to series: across all columns without a split
// column, across the columns of the row's own group in the paired layout. A line needs both of
// its ends drawn as points.
void DrawConnectingLines(const ChartFrame& frame, const PointLayout& points) {
  const ChartContext& chart = frame.chart;
  const SeriesTable& table = chart.tables.series;
  const GroupPlotScratch& scratch = chart.tables.group;
  const int32_t rows = ClampedRows(chart.grid);
  const bool paired = chart.settings.Split == SplitMode::Paired;
  if (paired && (table.SplitColumn < 0 || table.SplitColumn >= ClampedColumns(chart.grid))) return;
  const int32_t perBlock = paired ? table.SeriesCount / table.GroupCount : 0;
  // A paired row joins only series whose code its split cell equals; those of a code 0..9 lie
  // between the first and the last series of that code.
  int32_t firstOfCode[MaxGroups];
  int32_t lastOfCode[MaxGroups];
  for (int32_t g = 0; g < MaxGroups; g++) {
    firstOfCode[g] = table.SeriesCount;
    lastOfCode[g] = -1;
  }
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const int32_t code = table.series[s].groupCode;
    if (code < 0 || code >= MaxGroups) continue;
    if (s < firstOfCode[code]) firstOfCode[code] = s;
    lastOfCode[code] = s;
  }
  // What every row reads of each series, gathered once: a series record is large.
  struct SeriesBrief {
    int32_t column;
    int32_t groupCode;
    bool counted;  // count >= 1
  };
  SeriesBrief brief[MaxSeries];
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const Series& series = table.series[s];
    brief[s] = {series.column, series.groupCode, series.count >= 1};
  }
  for (int32_t r = 0; r < rows; r++) {
    Point p = {0, 0};
    bool pDrawn = false;
    int32_t first = 0;
    int32_t last = table.SeriesCount - 1;
    const double cell = paired ? scratch.Values[r][table.SplitColumn] : 0.0;
    if (paired && cell >= 0.0 && cell < double(MaxGroups) && cell == double(int32_t(cell))) {
      first = firstOfCode[int32_t(cell)];
      last = lastOfCode[int32_t(cell)];
    }
    for (int32_t s = first; s <= last; s++) {
      const SeriesBrief& series = brief[s];
      if (paired && double(series.groupCode) != scratch.Values[r][table.SplitColumn]) continue;
      const int32_t c = series.column;
      const int32_t b = scratch.PointBin[r][c];
      const bool qDrawn = b >= 0 && b < DrawnBins;
      Point q = {0, 0};
      if (qDrawn) {
        const int32_t k = scratch.PointBinOrder[r][c];
        const int32_t n = scratch.BinCounts[b][s];
        q.x = frame.SlotCentre(s) - int32_t((k - (n + 1) * 0.5) * points.dotStep);
        q.y = points.binY[b];
      }
      if (s > 0 && qDrawn && pDrawn && series.counted && brief[s - 1].counted &&
          IsMeasured(scratch.Values[r][c]) && IsMeasured(scratch.Values[r][brief[s - 1].column]) &&
          !(paired && s % perBlock == 0)) {
        chart.canvas.MoveTo(p.x, p.y);
        chart.canvas.LineTo(q.x, q.y);
      }
      p = q;
      pDrawn = qDrawn;
    }
  }
}

void ReleaseObjects(Canvas& canvas, const GroupPlotObjects& objects) {
  canvas.SelectStockObject(StockWhiteBrush);
  canvas.SelectStockObject(StockBlackPen);
  canvas.DeleteObject(objects.outlinePen);
  canvas.DeleteObject(objects.hollowBrush);
  canvas.DeleteObject(objects.markFillBrush);
  if (objects.frameBrush != 0) canvas.DeleteObject(objects.frameBrush);
  if (objects.estimateFill != 0) canvas.DeleteObject(objects.estimateFill);
}

}  // namespace

int32_t DrawGroupPlot(ChartContext& chart, int32_t logScale, SummaryMark mark) {
  Canvas& canvas = chart.canvas;
  const SeriesTable& table = chart.tables.series;

  GroupPlotObjects objects = CreateObjects(canvas, chart.settings);
  canvas.SelectObject(objects.outlinePen);

  ReplaceLimitMarkers(chart, logScale);

  double low, high;
  const AxisFallback fallback = ChooseAxisRange(table, logScale, low, high);
  WidenToHoldMarks(chart, logScale, mark, fallback, low, high);
  const ChartFrame frame = FrameOnAxis(chart, low, high, logScale, GroupPlotReach, fallback);
  const ValueAxis& axis = frame.axis;

  if (chart.settings.BlueBackground != 0) canvas.SelectObject(objects.frameBrush);
  // Without a series there is nothing to name: the caption stays empty.
  frame.DrawFrameAndAxis(table.SeriesCount > 0 ? chart.grid.HeaderRow2Text[table.series[0].column]
                                               : "");

  // Without series, or without groups in a split layout, there are no slots: frame, axis and
  // caption only.
  if (frame.slots.exists) {
    PointLayout points{};
    BinValues(frame, points);
    ChooseSpacing(frame, points);
    frame.DrawLineAt01();
    frame.DrawBlockHeadings();
    const int32_t estimates =
        DrawPointsAndNames(frame, points, objects.hollowBrush, objects.estimateFill);
    if (chart.settings.ConnectingLines != 0 && chart.settings.Split != SplitMode::NonPaired) {
      DrawConnectingLines(frame, points);
    }
    DrawSummaryMarks(frame, mark, objects.markFillBrush);
    DrawTestRowNames(frame);
    if (objects.estimateFill != 0 || chart.settings.ShowTests != 0) {
      char words[KeyWordsSize];
      DrawChartKey(
          canvas,
          ChartKeyWords(chart, SummaryMarkKey(mark, axis.logScale != 0), words, sizeof words),
          estimates > 0, !(points.dotStep > 42), objects.estimateFill,
          chart.settings.ShowTests != 0);
    }
  }

  ReleaseObjects(canvas, objects);
  return logScale;
}

}  // namespace qm
