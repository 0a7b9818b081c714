// The chart frame: the value axis, the frame with its ticks, labels and caption, the line at 0,
// and the slots with their headings, dividers and names.
#include "plot/chart_frame.h"

#include <cmath>
#include <cstring>

#include "plot/test_lines.h"

namespace qm {

namespace {

// A header text of a column inside the grid, or "".
const char* ColumnText(const char (*texts)[HeaderTextSize], const WorksheetGrid& grid,
                       int32_t column) {
  if (column < 0 || column >= MaxColumns || column >= grid.ColumnCount) return "";
  return texts[column];
}

void Line(Canvas& canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

}  // namespace

bool TruncatePinned(double x, int32_t& out) {
  constexpr double MaxOffset = 67108864;
  if (std::isnan(x)) return false;
  out = int32_t(x < -MaxOffset ? -MaxOffset : (x > MaxOffset ? MaxOffset : x));
  return true;
}

int32_t ValueAxis::TickY(double value) const {
  int32_t t = 0;
  TruncatePinned((value - low) * scale, t);
  return bottom - t;
}

bool ValueAxis::AxisUnitY(double at, int32_t& y) const {
  const double t = (at - low) * scale + ValueShift;
  if (std::isnan(t)) return false;
  const int32_t origin = bottom + ValueShift;
  const double height = origin - t;
  if (height < reach.minY) {
    y = reach.minY;
  } else if (height > reach.maxY) {
    y = reach.maxY;
  } else {
    y = origin - int32_t(t);
  }
  return true;
}

bool ValueAxis::ValueY(double value, double substitute, int32_t& y) const {
  auto placeable = [this](double v) { return IsMeasured(v) && (logScale == 0 || v > 0); };
  const double placed = placeable(value) ? value : substitute;
  if (!placeable(placed)) return false;
  return AxisUnitY(logScale != 0 ? std::log(placed) : placed, y);
}

ValueAxis ChooseValueAxis(AxisTickTable& ticks, double low, double high, int32_t logScale,
                          MarkReach reach) {
  ValueAxis axis{};
  axis.reach = reach;
  axis.logScale = ComputeAxisTicks(ticks, axis.tickCount, low, high, logScale, 1);
  if (axis.tickCount < 0) axis.tickCount = 0;
  if (axis.tickCount > MaxAxisTicks) axis.tickCount = MaxAxisTicks;
  axis.low = low;
  axis.high = high;
  for (int32_t k = 0; k < axis.tickCount; k++) {
    const int32_t width = TextWidth(ticks.entries[k].text);
    if (width > axis.labelWidth) axis.labelWidth = width;
  }
  axis.left = axis.labelWidth + AxisLabelRoom;
  axis.SetBottom(FrameBottom);
  return axis;
}

void ValueAxis::SetBottom(int32_t frameBottom) {
  bottom = frameBottom;
  const double span = high - low;
  const double height = bottom - FrameTop;
  scale = span > 0 ? height / span : height;
}

SlotLayout LayOutSlots(const SeriesTable& table, SplitMode split, int32_t left) {
  SlotLayout slots{};
  const int32_t series = table.SeriesCount;
  const int32_t groups = table.GroupCount;
  slots.exists = series >= 1 && (split == SplitMode::None || (groups >= 1 && series >= groups));
  if (!slots.exists) return slots;
  slots.count = series;
  slots.width = (SlotsRight - left) / series;
  slots.half = slots.width / 2;
  switch (split) {
    case SplitMode::None:
      slots.blockWidth = slots.width;
      slots.blocks = 0;
      break;
    case SplitMode::Paired:  // a block holds every column of one group
      slots.blockWidth = (series / groups) * slots.width;
      slots.blocks = groups;
      break;
    case SplitMode::NonPaired:  // a block holds every group of one column
      slots.blockWidth = slots.width * groups;
      slots.blocks = series / groups;
      break;
  }
  return slots;
}

void ChartFrame::DrawFrameAndAxis(const char* caption) const {
  Canvas& canvas = chart.canvas;
  canvas.SelectObject(chart.RotatedFont);
  const int32_t middle = (FrameTop + axis.bottom) / 2;
  canvas.DrawTextAt(CaptionX, middle + TextWidth(caption) / 2, caption,
                    int32_t(std::strlen(caption)));
  canvas.SelectObject(chart.UprightFont);
  canvas.Rectangle(axis.left, FrameTop, FrameRight, axis.bottom);
  for (int32_t k = 0; k < axis.tickCount; k++) {
    const AxisTick& tick = chart.tables.ticks.entries[k];
    const int32_t y = axis.TickY(tick.position);
    if (k > 0 && k < axis.tickCount - 1) Line(canvas, axis.left, y, axis.left + TickLength, y);
    canvas.DrawTextInBox(tick.text,
                         Rect{axis.left - axis.labelWidth - LabelPad, y - LabelHalfHeight,
                              axis.left - LabelGap, y + LabelHalfHeight},
                         TextBoxRight);
  }
}

void ChartFrame::DrawLineAt01() const {
  if (chart.settings.LineAt01 == 0 || !(axis.low < 0) || axis.high < 0) return;
  int32_t t = 0;
  TruncatePinned(axis.scale * axis.low, t);
  const int32_t y = axis.bottom + t;
  Line(chart.canvas, axis.left + TickLength, y, FrameRight, y);
}

void ChartFrame::DrawBlockHeadings() const {
  const SeriesTable& table = chart.tables.series;
  const bool paired = chart.settings.Split == SplitMode::Paired;
  const int32_t top = paired ? HeadingTopPaired : HeadingTopNonPaired;
  const int32_t quarter = slots.blockWidth / 4;
  for (int32_t block = 0; block < slots.blocks; block++) {
    // Paired, a block is a group: its label; non-paired, a column: its name.
    const char* text = paired ? table.series[(block * table.SeriesCount) / table.GroupCount].label
                              : ColumnText(chart.grid.HeaderRow1Text, chart.grid,
                                           table.series[block * table.GroupCount].column);
    const int32_t x = axis.left + TickLength + slots.blockWidth / 2 + block * slots.blockWidth;
    chart.canvas.DrawTextInBox(text, Rect{x - quarter, top, x + quarter, top + HeadingHeight},
                               TextBoxCenter | TextBoxBottom);
  }
}

bool ChartFrame::SlotHasDivider(int32_t s) const {
  const SeriesTable& table = chart.tables.series;
  switch (chart.settings.Split) {
    case SplitMode::None:
      return table.series[s].count == 0;
    case SplitMode::Paired: {
      const int32_t perBlock = chart.grid.ColumnCount - 1;
      return s > 0 && perBlock > 0 && s % perBlock == 0;
    }
    case SplitMode::NonPaired:
      return s > 0 && s % table.GroupCount == 0;
  }
  return false;
}

void ChartFrame::DrawDivider(int32_t s) const {
  const int32_t x = SlotLeft(s);
  Line(chart.canvas, x, axis.bottom - DividerInset, x, FrameTop);
}

const char* SlotName(const ChartContext& chart, int32_t s) {
  const Series& series = chart.tables.series.series[s];
  return chart.settings.Split == SplitMode::NonPaired
             ? series.label
             : ColumnText(chart.grid.HeaderRow1Text, chart.grid, series.column);
}

void ChartFrame::DrawSlotName(int32_t s) const {
  const char* name = SlotName(chart, s);
  if (slots.tests.lines != TestLines::Hidden) {
    DrawNameAndTests(*this, s, name);
    return;
  }
  const int32_t x = SlotCentre(s);
  chart.canvas.DrawTextInBox(name, Rect{x - slots.half, NamesTop, x + slots.half, NamesBottom},
                             TextBoxCenter | TextBoxBottom);
}

ChartFrame FrameOnAxis(ChartContext& chart, double low, double high, int32_t logScale,
                       MarkReach reach, AxisFallback fallback) {
  ValueAxis axis = ChooseValueAxis(chart.tables.ticks, low, high, logScale, reach);
  SlotLayout slots = LayOutSlots(chart.tables.series, chart.settings.Split, axis.left);
  slots.tests = ChooseTestLayout(chart, slots);
  // The tests' lines take room from the frame; the ticks and the slots stay as they are.
  if (slots.tests.lines != TestLines::Hidden) axis.SetBottom(TestsFrameBottom(slots.tests));
  chart.tables.AxisLow = axis.low;
  chart.tables.AxisHigh = axis.high;
  ChartFrame frame{chart, axis, slots};
  const SeriesTable& table = chart.tables.series;
  PlotNotes& notes = chart.tables.notes;
  notes.logAxisRefused = logScale != 0 && frame.axis.logScale == 0;
  notes.logOfPositiveRange = low > 0 && high > 0;
  notes.axisFallback = fallback;
  bool anyValue = false;
  for (int32_t s = 0; frame.slots.exists && s < table.SeriesCount; s++) {
    anyValue = anyValue || table.series[s].count >= 1;
  }
  notes.nothingToDraw = !anyValue;
  return frame;
}

void DrawNotchedBox(Canvas& canvas, int32_t x, int32_t halfWidth, const NotchedBoxHeights& box) {
  const int32_t l = x - halfWidth;
  const int32_t r = x + halfWidth;
  const Point outline[16] = {
      {x, box.quantile90}, {x, box.quantile75},  {l, box.quantile75}, {l, box.medianUpper},
      {x, box.median},     {l, box.medianLower}, {l, box.quantile25}, {x, box.quantile25},
      {x, box.quantile10}, {x, box.quantile25},  {r, box.quantile25}, {r, box.medianLower},
      {x, box.median},     {r, box.medianUpper}, {r, box.quantile75}, {x, box.quantile75}};
  canvas.Polygon(outline, 16);
}

}  // namespace qm
