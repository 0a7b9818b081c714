// The box plot: every series side by side in equal slots against one value axis, drawn as a
// notched box with whiskers, or as a minimum-maximum line with a median bar for a small series.
#include "plot/box_plot.h"

#include "plot/chart_frame.h"
#include "plot/chart_key.h"
#include "plot/mark_extent.h"
#include "plot/test_lines.h"

namespace qm {

namespace {

// Ten fill colours per background; index 1 is the fill without a split column.
constexpr Color NormalPalette[10] = {0xFFFFFF, 0x7F7F7F, 0x000000, 0x0000FF, 0xFF0000,
                                     0x00FF00, 0x00A0FF, 0xA000A0, 0xFFA050, 0x3870A8};
constexpr Color BluePalette[10] = {0xFFFFFF, 0x00FFFF, 0x7FFF7F, 0xFFFFB4, 0xB400B4,
                                   0x5050FF, 0x50B4FF, 0x72AFCE, 0xC49EDE, 0xC8C8C8};
constexpr int32_t PaletteSize = 10;
constexpr Color BlueFrameColor = 0xB40000;

// Where a mark goes: the value, or the substitute when the value cannot be placed. A value with
// no logarithm whose substitute has none either lies below every positive axis value and sits on
// the frame's bottom edge; when neither is a number at all (Missing value, limit markers) the
// mark has no position.
bool MarkY(const ValueAxis& axis, double value, double substitute, int32_t& y) {
  if (axis.ValueY(value, substitute, y)) return true;
  if (!IsMeasured(value) && !IsMeasured(substitute)) return false;
  y = axis.bottom;
  return true;
}

struct BoxPalette {
  CanvasObject brushes[PaletteSize];
};

void CreatePalette(Canvas& canvas, bool blue, BoxPalette& palette) {
  const Color* colors = blue ? BluePalette : NormalPalette;
  for (int32_t i = 0; i < PaletteSize; i++) palette.brushes[i] = canvas.CreateSolidBrush(colors[i]);
}

int32_t PaletteIndex(int32_t index) {
  return ((index % PaletteSize) + PaletteSize) % PaletteSize;
}

// A range value that is a limit marker or the Missing value stands for no height: the box is
// drawn at its substitute there, the first substitute that is neither (the Missing value when
// there is none).
double DrawnInPlace(double value, double substitute1, double substitute2) {
  auto isNoHeight = [](double v) {
    return v == MissingValue || v == BelowLimitMarker || v == AboveLimitMarker;
  };
  if (!isNoHeight(value)) return value;
  if (!isNoHeight(substitute1)) return substitute1;
  return isNoHeight(substitute2) ? MissingValue : substitute2;
}

// The range that the boxes and lines of all series span; a quantile that is a marker or the
// Missing value counts where the box draws it instead. An end beyond a limit marker sends it to
// the default range; the result says so.
AxisFallback AxisRange(const SeriesTable& table, int32_t logFlag, double& low, double& high) {
  low = AboveLimitMarker;
  high = BelowLimitMarker;
  AxisFallback fallback = AxisFallback::None;
  for (int32_t k = 0; k < table.SeriesCount; k++) {
    const Series& s = table.series[k];
    if (s.count < 1) continue;
    double lo = s.minimum, hi = s.maximum;
    if (s.count >= 9) {
      lo = DrawnInPlace(s.quantile10, s.median, s.median);
      hi = DrawnInPlace(s.quantile90, s.quantile75, s.median);
    } else if (s.count >= 5) {
      lo = DrawnInPlace(s.quantile25, s.median, s.median);
      hi = DrawnInPlace(s.quantile75, s.median, s.median);
    }
    // A series whose median is no height either draws nothing.
    if (lo == MissingValue || hi == MissingValue) continue;
    if (lo < low) low = lo;
    if (hi > high) high = hi;
    if (s.minimum < BelowLimitMarker || s.maximum > AboveLimitMarker) {
      fallback = AxisFallback::ValueBeyondMarker;
    }
  }
  if (!(low < BelowLimitMarker || high > AboveLimitMarker)) fallback = AxisFallback::None;
  if (table.SeriesCount < 1 || low <= BelowLimitMarker || low >= AboveLimitMarker) low = 0.5;
  if (high <= low || high >= AboveLimitMarker) high = low + 1;
  if (low > 0 && logFlag == 0) low = 0;
  return fallback;
}

// The notched box of a series of 6 or more values, a third of the slot to each side. The whisker
// ends and quartiles fall back to the median when they cannot be drawn, the upper whisker end to
// the upper quartile first. Without a drawable median the shape has no centre and is left out.
void DrawBox(Canvas& canvas, const ValueAxis& axis, const Series& s, int32_t x, int32_t third) {
  NotchedBoxHeights box;
  if (!MarkY(axis, s.median, s.median, box.median)) return;
  const int32_t m = box.median;
  box.quantile10 = box.quantile25 = box.quantile75 = box.medianUpper = box.medianLower = m;
  MarkY(axis, s.quantile10, s.median, box.quantile10);
  MarkY(axis, s.quantile25, s.median, box.quantile25);
  MarkY(axis, s.quantile75, s.median, box.quantile75);
  if (!MarkY(axis, s.quantile90, s.quantile75, box.quantile90)) box.quantile90 = m;
  MarkY(axis, s.medianUpper, s.median, box.medianUpper);
  MarkY(axis, s.medianLower, s.median, box.medianLower);
  DrawNotchedBox(canvas, x, third, box);
}

void Line(Canvas& canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

// A series of 1 to 5 values: median bar, then the minimum-maximum line.
void DrawMinMaxLine(Canvas& canvas, const ValueAxis& axis, const Series& s, int32_t x,
                    int32_t third) {
  int32_t y;
  if (s.median > BelowLimitMarker && MarkY(axis, s.median, s.median, y)) {
    Line(canvas, x - third, y, x + third, y);
  }
  int32_t yMin, yMax;
  // A series of limit markers only has no minimum or maximum to join.
  if (MarkY(axis, s.minimum, s.minimum, yMin) && MarkY(axis, s.maximum, s.maximum, yMax)) {
    Line(canvas, x, yMin, x, yMax);
  }
}

// The marks of series s in slot k: a minimum-maximum line for 1 to 5 values, else the box.
void DrawSeriesMarks(Canvas& canvas, const ChartFrame& frame, const Series& s, int32_t k) {
  const int32_t third = frame.slots.width / 3;
  const int32_t x = frame.SlotCentre(k);
  if (s.count <= 5) {
    DrawMinMaxLine(canvas, frame.axis, s, x, third);
  } else {
    DrawBox(canvas, frame.axis, s, x, third);
  }
}

// Widens the data range [low, high] until every mark stands in the frame; a range whose marks
// fit stays as it is.
void WidenToHoldMarks(ChartContext& chart, int32_t logFlag, AxisFallback fallback, double& low,
                      double& high) {
  const SeriesTable& table = chart.tables.series;
  for (int32_t round = 0; round < MaxWidenRounds; round++) {
    const ChartFrame frame = FrameOnAxis(chart, low, high, logFlag, BoxPlotReach, fallback);
    if (!frame.slots.exists) return;
    MarkExtentCanvas extent;
    for (int32_t k = 0; k < frame.slots.count; k++) {
      if (table.series[k].count > 0) DrawSeriesMarks(extent, frame, table.series[k], k);
    }
    if (!extent.OutsideFrame(frame.axis)) return;
    WidenToHold(frame.axis, extent, low, high);
  }
}

// The colour of slot k: one per column in a paired block, one per group non-paired.
int32_t SlotColour(const ChartFrame& frame, int32_t k) {
  switch (frame.chart.settings.Split) {
    case SplitMode::None:
      return 1;
    case SplitMode::Paired:
      return k % (frame.slots.count / frame.chart.tables.series.GroupCount);
    case SplitMode::NonPaired:
      return frame.chart.tables.series.series[k].groupCode;
  }
  return 1;
}

}  // namespace

int32_t DrawBoxPlot(ChartContext& chart, int32_t logFlag) {
  Canvas& canvas = chart.canvas;
  const SeriesTable& table = chart.tables.series;

  BoxPalette palette;
  CreatePalette(canvas, chart.settings.BlueBackground != 0, palette);

  double low, high;
  const AxisFallback fallback = AxisRange(table, logFlag, low, high);
  WidenToHoldMarks(chart, logFlag, fallback, low, high);
  const ChartFrame frame = FrameOnAxis(chart, low, high, logFlag, BoxPlotReach, fallback);
  const ValueAxis& axis = frame.axis;

  if (chart.settings.BlueBackground != 0) {
    // Released right away: it stays in effect while selected, so the frame is still blue.
    const CanvasObject frameBrush = canvas.CreateSolidBrush(BlueFrameColor);
    canvas.SelectObject(frameBrush);
    canvas.DeleteObject(frameBrush);
  }
  // Without a series the caption is the first column's.
  const int32_t captionColumn = table.SeriesCount >= 1 ? table.series[0].column : 0;
  const bool captionExists = captionColumn < chart.grid.ColumnCount && captionColumn < MaxColumns;
  frame.DrawFrameAndAxis(captionExists ? chart.grid.HeaderRow2Text[captionColumn] : "");
  frame.DrawLineAt01();

  if (frame.slots.exists) {
    frame.DrawBlockHeadings();
    bool smallSeries = false;
    for (int32_t k = 0; k < frame.slots.count; k++) {
      const Series& s = table.series[k];
      canvas.SelectObject(palette.brushes[PaletteIndex(SlotColour(frame, k))]);
      if (frame.SlotHasDivider(k)) frame.DrawDivider(k);
      if (s.count <= 0) continue;
      frame.DrawSlotName(k);
      DrawSeriesMarks(canvas, frame, s, k);
      if (s.count <= 5) smallSeries = true;
    }
    DrawTestRowNames(frame);
    // The box plot draws no points: the key names its shapes only.
    if (chart.settings.MarkLimitValues != 0 || chart.settings.ShowTests != 0) {
      // The shapes are named where limit values are marked, as without the tests.
      const char* shapes = chart.settings.MarkLimitValues != 0 ? BoxPlotKey(smallSeries) : nullptr;
      char words[KeyWordsSize];
      DrawChartKey(canvas, ChartKeyWords(chart, shapes, words, sizeof words), false, false, 0);
    }
  }

  canvas.SelectStockObject(StockWhiteBrush);
  canvas.SelectStockObject(StockBlackPen);
  for (CanvasObject brush : palette.brushes) canvas.DeleteObject(brush);
  return axis.logScale;
}

}  // namespace qm
