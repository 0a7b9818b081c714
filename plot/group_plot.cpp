// The group plot ("Ttest"): a binned dot plot of every series in its own slot against one value
// axis, with slot names, block headings for split groups, optional connecting lines, a line at
// 0 (or 1) and the summary marks. It draws from its own copy of the values, so the imported grid
// stays as it was and the same grid plotted twice gives the same picture.
#include "plot/group_plot.h"

#include <cmath>
#include <cstring>

#include "plot/axis.h"
#include "plot/summary_marks.h"

namespace qm {
namespace {

constexpr int32_t DrawnBins = 26;  // bins 0..25 lie inside the frame
constexpr int32_t PointSize = 210;

struct GroupPlotObjects {
  CanvasObject outlinePen;
  CanvasObject hollowBrush;
  CanvasObject markFillBrush;
  CanvasObject frameBrush;  // 0 without the blue background
};

// Everything the drawing steps share within one call.
struct GroupPlotState {
  GroupPlotLayout layout;
  int32_t splitMode;
  int32_t tickCount;
  int32_t labelWidth;
  double binWidth;
  double binHeight;
  int32_t binY[DrawnBins];
  int32_t maxBinCount;
  double dotStep;
  int32_t groupWidth;
};

int32_t ClampedRows(const WorksheetGrid& grid) {
  return grid.RowCount < 0 ? 0 : (grid.RowCount > MaxRows ? MaxRows : grid.RowCount);
}

int32_t ClampedColumns(const WorksheetGrid& grid) {
  return grid.ColumnCount < 0 ? 0 : (grid.ColumnCount > MaxColumns ? MaxColumns : grid.ColumnCount);
}

GroupPlotObjects CreateObjects(Canvas& canvas, const PlotSettings& settings) {
  GroupPlotObjects objects;
  objects.outlinePen = canvas.CreatePen(PenSolid, 5, Rgb(0, 0, 0));
  objects.hollowBrush = canvas.CreateHollowBrush();
  objects.markFillBrush =
      canvas.CreateSolidBrush(settings.BlueBackground != 0 ? Rgb(255, 255, 0) : Rgb(127, 127, 127));
  objects.frameBrush = settings.BlueBackground != 0 ? canvas.CreateSolidBrush(Rgb(0, 0, 180)) : 0;
  return objects;
}

// The plot's own copy of the cells, with limit markers (and, on a logarithmic axis, values
// without a logarithm) replaced by the estimates the series carries for them.
void ReplaceLimitMarkers(const ChartContext& chart, int32_t logScale) {
  const WorksheetGrid& grid = chart.grid;
  const SeriesTable& table = chart.tables.series;
  GroupPlotScratch& scratch = chart.tables.group;
  const int32_t rows = ClampedRows(grid);
  const int32_t columns = ClampedColumns(grid);
  for (int32_t r = 0; r < rows; r++) {
    std::memcpy(scratch.Values[r], grid.Values[r], sizeof(double) * size_t(columns));
  }
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const Series& series = table.series[s];
    const SeriesRows member = RowsOfSeries(table, s, rows);
    for (int32_t k = 0; k < member.count; k++) {
      // A row of the series holds its value in the series' column.
      double& cell = scratch.Values[member[k]][series.column];
      const double v = cell;
      if (v == MissingValue) continue;
      if (logScale != 0) {
        if (v == BelowLimitMarker || v <= 0) {
          cell = series.logBelowLimitEstimate;
        } else if (v == AboveLimitMarker) {
          cell = series.logAboveLimitEstimate;
        }
      } else if (v == BelowLimitMarker) {
        cell = series.belowLimitEstimate;
      } else if (v == AboveLimitMarker) {
        cell = series.aboveLimitEstimate;
      }
    }
  }
}

// The data range over all series, made drawable: a default range without data, a range of
// one unit for equal values, and zero as the start of a linear axis of positive data.
void ChooseAxisRange(const SeriesTable& table, int32_t logScale, double& low, double& high) {
  low = AboveLimitMarker;
  high = BelowLimitMarker;
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    if (table.series[s].minimum < low) low = table.series[s].minimum;
    if (table.series[s].maximum > high) high = table.series[s].maximum;
  }
  if (table.SeriesCount < 1 || low <= BelowLimitMarker || low >= AboveLimitMarker) low = 0.5;
  if (high <= low || high >= AboveLimitMarker) high = low + 1;
  if (low > 0 && logScale == 0) low = 0;
}

int32_t TickY(const GroupPlotState& state, float value) {
  int32_t t = 0;
  TruncateCoordinate((double(value) - state.layout.low) * state.layout.scale, t);
  return 6630 - t;
}

void DrawCaption(const ChartContext& chart) {
  const SeriesTable& table = chart.tables.series;
  // Without a series there is nothing to name: the caption stays empty.
  const char* caption =
      table.SeriesCount > 0 ? chart.grid.HeaderRow2Text[table.series[0].column] : "";
  chart.canvas.SelectObject(chart.RotatedFont);
  chart.canvas.DrawTextAt(100, 3570 + TextWidth(caption) / 2, caption,
                          int32_t(std::strlen(caption)));
}

void DrawAxisTicks(const ChartContext& chart, const GroupPlotState& state) {
  const int32_t axisX = state.layout.axisX;
  for (int32_t k = 0; k < state.tickCount; k++) {
    const AxisTick& tick = chart.tables.ticks.entries[k];
    int32_t y = TickY(state, tick.value);
    if (k > 0 && k < state.tickCount - 1) {
      chart.canvas.MoveTo(axisX, y);
      chart.canvas.LineTo(axisX + 255, y);
    }
    chart.canvas.DrawTextInBox(tick.text,
                               Rect{axisX - state.labelWidth - 200, y - 200, axisX - 100, y + 200},
                               TextBoxRight);
  }
}

// Counts every drawable value into its bin; PointBin stays -1 for a cell without a point.
void BinValues(const ChartContext& chart, GroupPlotState& state) {
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
  state.binWidth = (state.layout.high - state.layout.low) * 0.04;
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const int32_t column = table.series[s].column;
    const SeriesRows member = RowsOfSeries(table, s, rows);
    for (int32_t k = 0; k < member.count; k++) {
      const int32_t r = member[k];
      double v = scratch.Values[r][column];  // a row of the series: its value
      if (v == MissingValue) continue;
      if (state.layout.flag != 0) {
        if (!(v > 0)) continue;  // no logarithm, no point
        v = std::log(v);
      }
      // Compared as a real first: a value far off the axis must not reach the conversion.
      double place = (v - state.layout.low) / state.binWidth;
      if (!(place > -1.0 && place < double(MaxBins))) continue;
      int32_t b = int32_t(place);
      int32_t order = ++scratch.BinCounts[b][s];
      scratch.PointBin[r][column] = b;
      scratch.PointBinOrder[r][column] = order;
    }
  }
  state.maxBinCount = 0;
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    for (int32_t b = 0; b < DrawnBins; b++) {
      if (scratch.BinCounts[b][s] > state.maxBinCount) state.maxBinCount = scratch.BinCounts[b][s];
    }
  }
}

void ChooseSpacing(const ChartContext& chart, GroupPlotState& state) {
  const SeriesTable& table = chart.tables.series;
  GroupPlotLayout& layout = state.layout;
  layout.slotWidth = (9180 - layout.axisX) / table.SeriesCount;
  layout.half = layout.slotWidth / 2;
  state.binHeight = state.binWidth * layout.scale;
  for (int32_t b = 0; b < DrawnBins; b++) state.binY[b] = 6630 - int32_t(b * state.binHeight);
  if (state.splitMode == 1) {
    state.groupWidth = (table.SeriesCount / table.GroupCount) * layout.slotWidth;
  } else if (state.splitMode == 2) {
    state.groupWidth = layout.slotWidth * table.GroupCount;
  } else {
    state.groupWidth = layout.slotWidth;
  }
  state.dotStep = 262.5;
  if (0.9 * layout.slotWidth < 262.5 * state.maxBinCount) state.dotStep = 105;
  if (state.maxBinCount * state.dotStep > 0.95 * layout.slotWidth) {
    state.dotStep = 0.95 * layout.slotWidth / state.maxBinCount;
  }
}

// A line at the height of 0 (of ln 1 on a logarithmic axis), only where that height lies on
// the axis.
void DrawLineAt01(const ChartContext& chart, const GroupPlotState& state) {
  const GroupPlotLayout& layout = state.layout;
  if (chart.settings.LineAt01 == 0 || !(layout.low < 0) || layout.high < 0) return;
  int32_t y0 = 6630 + int32_t(layout.scale * layout.low);
  chart.canvas.MoveTo(layout.axisX + 255, y0);
  chart.canvas.LineTo(9690, y0);
}

void DrawBlockHeadings(const ChartContext& chart, const GroupPlotState& state) {
  const SeriesTable& table = chart.tables.series;
  const int32_t blocks =
      state.splitMode == 1 ? table.GroupCount : table.SeriesCount / table.GroupCount;
  const int32_t top = state.splitMode == 1 ? 20 : 30;
  for (int32_t block = 0; block < blocks; block++) {
    const char* text =
        state.splitMode == 1
            ? table.series[(block * table.SeriesCount) / table.GroupCount].label
            : chart.grid.HeaderRow1Text[table.series[block * table.GroupCount].column];
    int32_t xg = state.layout.axisX + 255 + state.groupWidth / 2 + block * state.groupWidth;
    chart.canvas.DrawTextInBox(
        text, Rect{xg - state.groupWidth / 4, top, xg + state.groupWidth / 4, top + 700},
        TextBoxCenter | TextBoxBottom);
  }
}

void DrawDivider(Canvas& canvas, int32_t x) {
  canvas.MoveTo(x, 6615);
  canvas.LineTo(x, 510);
}

bool StartsBlock(const ChartContext& chart, const GroupPlotState& state, int32_t s) {
  if (s == 0) return false;
  if (state.splitMode == 2) return s % chart.tables.series.GroupCount == 0;
  if (state.splitMode == 1) {
    const int32_t perBlock = chart.grid.ColumnCount - 1;
    return perBlock > 0 && s % perBlock == 0;
  }
  return false;
}

void DrawPointsAndNames(const ChartContext& chart, const GroupPlotState& state,
                        CanvasObject hollowBrush) {
  const SeriesTable& table = chart.tables.series;
  const GroupPlotScratch& scratch = chart.tables.group;
  Canvas& canvas = chart.canvas;
  const int32_t half = state.layout.half;
  canvas.SelectObject(hollowBrush);
  for (int32_t s = 0; s < table.SeriesCount; s++) {
    const Series& series = table.series[s];
    const int32_t x = SlotCentre(state.layout, s);
    if (StartsBlock(chart, state, s)) DrawDivider(canvas, x - half);
    if (state.splitMode == 0 && series.count == 0) {
      DrawDivider(canvas, x - half);
      continue;
    }
    for (int32_t b = 0; b < DrawnBins; b++) {
      const int32_t n = scratch.BinCounts[b][s];
      for (int32_t j = 0; j < n; j++) {
        int32_t px = x - int32_t((j - (n - 1) * 0.5) * state.dotStep);
        if (state.dotStep > 42) {
          DrawDot(canvas, px, state.binY[b], PointSize);
        } else {
          DrawVerticalTick(canvas, px, state.binY[b], PointSize);
        }
      }
    }
    const char* name =
        state.splitMode == 2 ? series.label : chart.grid.HeaderRow1Text[series.column];
    canvas.DrawTextInBox(name, Rect{x - half, 6850, x + half, 7550}, TextBoxCenter | TextBoxBottom);
  }
}

bool IsValue(double v) {
  return v > BelowLimitMarker && v < AboveLimitMarker;
}

// Joins the points of every row from series to series: across all columns without a split
// column, across the columns of the row's own group in the paired layout. A line needs both of
// its ends drawn as points.
void DrawConnectingLines(const ChartContext& chart, const GroupPlotState& state) {
  const SeriesTable& table = chart.tables.series;
  const GroupPlotScratch& scratch = chart.tables.group;
  const int32_t rows = ClampedRows(chart.grid);
  const bool paired = state.splitMode == 1;
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
        q.x = SlotCentre(state.layout, s) - int32_t((k - (n + 1) * 0.5) * state.dotStep);
        q.y = state.binY[b];
      }
      if (s > 0 && qDrawn && pDrawn && series.counted && brief[s - 1].counted &&
          IsValue(scratch.Values[r][c]) && IsValue(scratch.Values[r][brief[s - 1].column]) &&
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
}

}  // namespace

int32_t DrawGroupPlot(ChartContext& chart, int32_t logScale, SummaryMark mark) {
  Canvas& canvas = chart.canvas;
  const SeriesTable& table = chart.tables.series;
  GroupPlotState state{};
  state.splitMode = int32_t(chart.settings.Split);

  GroupPlotObjects objects = CreateObjects(canvas, chart.settings);
  canvas.SelectObject(objects.outlinePen);

  ReplaceLimitMarkers(chart, logScale);

  double& low = chart.tables.AxisLow;
  double& high = chart.tables.AxisHigh;
  ChooseAxisRange(table, logScale, low, high);
  GroupPlotLayout& layout = state.layout;
  layout.flag = ComputeAxisTicks(chart.tables.ticks, state.tickCount, low, high, logScale, 1);
  for (int32_t k = 0; k < state.tickCount; k++) {
    int32_t width = TextWidth(chart.tables.ticks.entries[k].text);
    if (width > state.labelWidth) state.labelWidth = width;
  }
  layout.low = low;
  layout.high = high;
  layout.axisX = state.labelWidth + 1020;
  layout.scale = 6120 / (high - low);
  layout.markFillBrush = objects.markFillBrush;

  if (chart.settings.BlueBackground != 0) canvas.SelectObject(objects.frameBrush);
  DrawCaption(chart);
  canvas.SelectObject(chart.UprightFont);
  canvas.Rectangle(layout.axisX, 510, 9690, 6630);
  DrawAxisTicks(chart, state);

  // Without series, or without groups in a split layout, there are no slots (and without a
  // positive axis range no heights): frame, axis and caption only.
  const bool hasSlots = table.SeriesCount > 0 && (state.splitMode == 0 || table.GroupCount > 0) &&
                        std::isfinite(layout.scale) && layout.scale > 0;
  if (hasSlots) {
    BinValues(chart, state);
    ChooseSpacing(chart, state);
    DrawLineAt01(chart, state);
    if (state.splitMode == 1 || state.splitMode == 2) DrawBlockHeadings(chart, state);
    DrawPointsAndNames(chart, state, objects.hollowBrush);
    if (chart.settings.ConnectingLines != 0 && (state.splitMode == 0 || state.splitMode == 1)) {
      DrawConnectingLines(chart, state);
    }
    if (mark != SummaryMark::None) DrawSummaryMarks(canvas, table, layout, mark);
  }

  ReleaseObjects(canvas, objects);
  return logScale;
}

}  // namespace qm
