// The box plot: every series side by side in equal slots against one value axis, drawn as a
// notched box with whiskers, or as a minimum-maximum line with a median bar for a small series.
#include "plot/box_plot.h"

#include <cmath>
#include <cstring>

namespace qm {

namespace {

// Ten fill colours per background; index 1 is the fill without a split column.
constexpr Color NormalPalette[10] = {0xFFFFFF, 0x7F7F7F, 0x000000, 0x0000FF, 0xFF0000,
                                     0x00FF00, 0x00A0FF, 0xA000A0, 0xFFA050, 0x3870A8};
constexpr Color BluePalette[10] = {0xFFFFFF, 0x00FFFF, 0x7FFF7F, 0xFFFFB4, 0xB400B4,
                                   0x5050FF, 0x50B4FF, 0x72AFCE, 0xC49EDE, 0xC8C8C8};
constexpr int32_t PaletteSize = 10;
constexpr Color BlueFrameColor = 0xB40000;

// Layout of the plot area, in logical units.
constexpr int32_t FrameTop = 510;
constexpr int32_t FrameBottom = 6630;
constexpr int32_t FrameRight = 9690;
constexpr int32_t SlotsRight = 9180;  // slots end 255 before the frame's right edge
constexpr int32_t TickLength = 255;
constexpr int32_t AxisShift = 1020;
constexpr double AxisHeight = 6120.0;

// Marks far outside the picture are pulled in to this distance, so that no conversion of a
// real overflows and no reader has to transform huge coordinates.
constexpr double FarOutside = 1000000.0;

bool IsMeasured(double v) {
  return v > BelowLimitMarker && v < AboveLimitMarker;
}

// Truncation toward zero, pulled into +-FarOutside (NaN goes to 0).
int32_t TruncateToCoordinate(double v) {
  if (!(v == v)) return 0;
  if (v > FarOutside) return int32_t(FarOutside);
  if (v < -FarOutside) return -int32_t(FarOutside);
  return int32_t(v);
}

// Where a mark goes, around ValueToY: the value, or the substitute when the value cannot be
// drawn. A value with no logarithm whose substitute has none either lies below every positive
// axis value and sits on the frame's bottom edge; when neither is a number at all (Missing
// value, limit markers) the mark has no position.
struct Axis {
  double low;
  double scale;
  int32_t flag;

  bool Y(double value, double substitute, int32_t& y) const {
    const double candidates[2] = {value, substitute};
    bool anyMeasured = false;
    for (double v : candidates) {
      if (!IsMeasured(v)) continue;
      anyMeasured = true;
      if (flag != 0 && v <= 0) continue;
      const double t = scale * ((flag != 0 ? std::log(v) : v) - low) + AxisShift;
      const double predicted = 7650.0 - t;
      if (predicted > FarOutside || predicted < -FarOutside || !(predicted == predicted)) {
        y = TruncateToCoordinate(predicted);
      } else {
        y = ValueToY(value, substitute, low, flag, AxisShift, scale);
      }
      return true;
    }
    if (!anyMeasured) return false;
    y = FrameBottom;
    return true;
  }
};

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

const char* ColumnText(const char (*texts)[HeaderTextSize], const WorksheetGrid& grid,
                       int32_t column) {
  if (column < 0 || column >= MaxColumns || column >= grid.ColumnCount) return "";
  return texts[column];
}

void Line(Canvas& canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

// The range that the boxes and lines of all series span.
void AxisRange(const SeriesTable& table, int32_t logFlag, double& low, double& high) {
  low = AboveLimitMarker;
  high = BelowLimitMarker;
  for (int32_t k = 0; k < table.SeriesCount; k++) {
    const Series& s = table.series[k];
    if (s.count < 1) continue;
    double lo = s.minimum, hi = s.maximum;
    if (s.count >= 9) {
      lo = s.quantile10;
      hi = s.quantile90;
    } else if (s.count >= 5) {
      lo = s.quantile25;
      hi = s.quantile75;
    }
    if (lo < low) low = lo;
    if (hi > high) high = hi;
  }
  if (table.SeriesCount < 1 || low <= BelowLimitMarker || low >= AboveLimitMarker) low = 0.5;
  if (high <= low || high >= AboveLimitMarker) high = low + 1;
  if (low > 0 && logFlag == 0) low = 0;
}

// The notched box of a series of 6 or more values. The whisker ends and quartiles
// fall back to the median when they cannot be drawn, the upper whisker end to the upper
// quartile first. Without a drawable median the shape has no centre and is left out.
void DrawNotchedBox(Canvas& canvas, const Axis& axis, const Series& s, int32_t x, int32_t t) {
  int32_t m;
  if (!axis.Y(s.median, s.median, m)) return;
  int32_t q10 = m, q25 = m, q75 = m, q90, nu = m, nl = m;
  axis.Y(s.quantile10, s.median, q10);
  axis.Y(s.quantile25, s.median, q25);
  axis.Y(s.quantile75, s.median, q75);
  if (!axis.Y(s.quantile90, s.quantile75, q90)) q90 = m;
  axis.Y(s.medianUpper, s.median, nu);
  axis.Y(s.medianLower, s.median, nl);
  const Point outline[16] = {
      {x, q90}, {x, q75}, {x - t, q75}, {x - t, nu}, {x, m}, {x - t, nl}, {x - t, q25}, {x, q25},
      {x, q10}, {x, q25}, {x + t, q25}, {x + t, nl}, {x, m}, {x + t, nu}, {x + t, q75}, {x, q75}};
  canvas.Polygon(outline, 16);
}

// A series of 1 to 5 values: median bar, then the minimum-maximum line.
void DrawMinMaxLine(Canvas& canvas, const Axis& axis, const Series& s, int32_t x, int32_t third) {
  int32_t y;
  if (s.median > BelowLimitMarker && axis.Y(s.median, s.median, y)) {
    Line(canvas, x - third, y, x + third, y);
  }
  int32_t yMin, yMax;
  // A series of limit markers only has no minimum or maximum to join.
  if (axis.Y(s.minimum, s.minimum, yMin) && axis.Y(s.maximum, s.maximum, yMax)) {
    Line(canvas, x, yMin, x, yMax);
  }
}

}  // namespace

int32_t DrawBoxPlot(ChartContext& chart, int32_t logFlag) {
  Canvas& canvas = chart.canvas;
  const PlotSettings& settings = chart.settings;
  const WorksheetGrid& grid = chart.grid;
  const SeriesTable& table = chart.tables.series;
  AxisTickTable& ticks = chart.tables.ticks;

  BoxPalette palette;
  CreatePalette(canvas, settings.BlueBackground != 0, palette);

  double low, high;
  AxisRange(table, logFlag, low, high);

  int32_t tickCount = 0;
  const int32_t flag = ComputeAxisTicks(ticks, tickCount, low, high, logFlag, 1);
  if (tickCount < 0) tickCount = 0;
  if (tickCount > MaxAxisTicks) tickCount = MaxAxisTicks;
  chart.tables.AxisLow = low;
  chart.tables.AxisHigh = high;

  int32_t labelWidth = 0;
  for (int32_t i = 0; i < tickCount; i++) {
    const int32_t width = TextWidth(ticks.entries[i].text);
    if (width > labelWidth) labelWidth = width;
  }
  const int32_t axisX = labelWidth + 1020;
  const double span = high - low;
  const double scale = span > 0 ? AxisHeight / span : AxisHeight;
  const Axis axis{low, scale, flag};

  // Slots need at least one series, and in the split modes at least one group.
  const int32_t seriesCount = table.SeriesCount;
  const int32_t splitMode = int32_t(settings.Split);
  const int32_t groupCount = table.GroupCount;
  const bool haveSlots =
      seriesCount >= 1 && (splitMode == 0 || (groupCount >= 1 && seriesCount >= groupCount));
  const int32_t slotWidth = haveSlots ? (SlotsRight - axisX) / seriesCount : 0;
  const int32_t half = slotWidth / 2;
  const int32_t third = slotWidth / 3;
  const int32_t blockSize = haveSlots && splitMode != 0 ? seriesCount / groupCount : 0;
  int32_t groupWidth = 0;
  if (splitMode == 1) groupWidth = blockSize * slotWidth;
  if (splitMode == 2) groupWidth = slotWidth * groupCount;

  if (settings.BlueBackground != 0) {
    // Released right away: it stays in effect while selected, so the frame is still blue.
    const CanvasObject frameBrush = canvas.CreateSolidBrush(BlueFrameColor);
    canvas.SelectObject(frameBrush);
    canvas.DeleteObject(frameBrush);
  }

  canvas.SelectObject(chart.RotatedFont);
  const int32_t captionColumn = seriesCount >= 1 ? table.series[0].column : 0;
  const char* caption = ColumnText(grid.HeaderRow2Text, grid, captionColumn);
  canvas.DrawTextAt(100, 3570 + TextWidth(caption) / 2, caption, int32_t(std::strlen(caption)));

  canvas.SelectObject(chart.UprightFont);
  canvas.Rectangle(axisX, FrameTop, FrameRight, FrameBottom);

  for (int32_t i = 0; i < tickCount; i++) {
    const AxisTick& tick = ticks.entries[i];
    const int32_t y = FrameBottom - TruncateToCoordinate((double(tick.value) - low) * scale);
    if (i > 0 && i < tickCount - 1) Line(canvas, axisX, y, axisX + TickLength, y);
    canvas.DrawTextInBox(tick.text, Rect{axisX - labelWidth - 200, y - 200, axisX - 100, y + 200},
                         TextBoxRight);
  }

  // Only where 0 (ln 1 on a logarithmic axis) lies on the axis: all-negative data would put
  // the line above the frame.
  if (low < 0 && high >= 0 && settings.LineAt01 != 0) {
    const int32_t y0 = FrameBottom + TruncateToCoordinate(scale * low);
    Line(canvas, axisX + TickLength, y0, FrameRight, y0);
  }

  if (haveSlots && (splitMode == 1 || splitMode == 2)) {
    const int32_t q = groupWidth / 4;
    const int32_t blocks = splitMode == 1 ? groupCount : blockSize;
    for (int32_t j = 0; j < blocks; j++) {
      const int32_t xj = axisX + 255 + groupWidth / 2 + j * groupWidth;
      if (splitMode == 1) {
        const int32_t record = j * seriesCount / groupCount;
        canvas.DrawTextInBox(table.series[record].label, Rect{xj - q, 20, xj + q, 720},
                             TextBoxCenter | TextBoxBottom);
      } else {
        const int32_t column = table.series[j * groupCount].column;
        canvas.DrawTextInBox(ColumnText(grid.HeaderRow1Text, grid, column),
                             Rect{xj - q, 30, xj + q, 730}, TextBoxCenter | TextBoxBottom);
      }
    }
  }

  const int32_t dataColumns = grid.ColumnCount - 1;
  for (int32_t k = 0; haveSlots && k < seriesCount; k++) {
    const Series& s = table.series[k];
    const int32_t x = axisX + 255 + half + k * slotWidth;

    int32_t colour = 1;
    if (splitMode == 1) colour = k % blockSize;
    if (splitMode == 2) colour = s.groupCode;
    canvas.SelectObject(palette.brushes[PaletteIndex(colour)]);

    bool divider = false;
    if (splitMode == 2) divider = k > 0 && k % groupCount == 0;
    if (splitMode == 1) divider = k > 0 && dataColumns > 0 && k % dataColumns == 0;
    if (splitMode == 0) divider = s.count == 0;
    if (divider) Line(canvas, x - half, 6615, x - half, FrameTop);

    if (s.count <= 0) continue;

    const char* name = splitMode == 2 ? s.label : ColumnText(grid.HeaderRow1Text, grid, s.column);
    canvas.DrawTextInBox(name, Rect{x - half, 6850, x + half, 7550}, TextBoxCenter | TextBoxBottom);

    if (s.count <= 5) {
      DrawMinMaxLine(canvas, axis, s, x, third);
    } else {
      DrawNotchedBox(canvas, axis, s, x, third);
    }
  }

  canvas.SelectStockObject(StockWhiteBrush);
  canvas.SelectStockObject(StockBlackPen);
  for (CanvasObject brush : palette.brushes) canvas.DeleteObject(brush);
  return flag;
}

}  // namespace qm
