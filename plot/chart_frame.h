// The frame both charts draw on: one value axis (its ticks, their labels and the mapping of values
// to heights), the frame rectangle, the caption, the line at 0 (or 1), and the slots, one per
// series, with their block headings, dividers and names. A chart sets the frame up, draws the
// parts it wants in the order it wants them, and adds only its own marks.
#pragma once

#include <cstdint>

#include "plot/axis.h"
#include "plot/canvas.h"
#include "plot/plot_types.h"

namespace qm {

// The layout of a chart in the picture's logical units (14400 x 10800, y growing downward).
constexpr int32_t FrameTop = 510;
constexpr int32_t FrameBottom = 6630;
constexpr int32_t FrameRight = 9690;
// ValueToY measures heights up from this line: the frame's bottom + ValueShift (7650 for a
// frame ending at FrameBottom).
constexpr int32_t ValueShift = 1020;
// Room left of the tick labels (the caption stands there): the frame's left edge is the widest
// tick label plus this.
constexpr int32_t AxisLabelRoom = 1020;
// Inner ticks reach this far into the frame, and the slots begin as far right of its left edge.
constexpr int32_t TickLength = 255;
// The slots end this far left of the frame's right edge.
constexpr int32_t SlotsRight = 9180;
// A tick label's box: from the widest label plus LabelPad left of the frame to LabelGap left of
// it, LabelHalfHeight above and below the tick.
constexpr int32_t LabelPad = 200;
constexpr int32_t LabelGap = 100;
constexpr int32_t LabelHalfHeight = 200;
// The caption runs upward, its middle at the frame's middle height.
constexpr int32_t CaptionX = 100;
// Block headings stand in a box this high, from HeadingTopPaired or HeadingTopNonPaired down.
constexpr int32_t HeadingTopPaired = 20;
constexpr int32_t HeadingTopNonPaired = 30;
constexpr int32_t HeadingHeight = 700;
// Dividers between blocks run from this far above the frame's bottom edge to its top.
constexpr int32_t DividerInset = 15;
// Slot names stand in a box below the frame.
constexpr int32_t NamesTop = 6850;
constexpr int32_t NamesBottom = 7550;

// How far off the canvas a mark may stand: the group plot pins marks 2^26 units from the value
// origin (as ValueToY does), the box plot 1000000 units from the picture's origin. Both keep
// every conversion of a real in range and every coordinate within what readers can hold.
struct MarkReach {
  int32_t minY;
  int32_t maxY;
};
constexpr MarkReach GroupPlotReach = {FrameBottom + ValueShift - 67108864,
                                      FrameBottom + ValueShift + 67108864};
constexpr MarkReach BoxPlotReach = {-1000000, 1000000};

// A height in logical units truncated toward zero after being pinned 2^26 units away, as the
// group plot pins its marks; NaN is no height: false, and `out` is left as it was.
bool TruncatePinned(double x, int32_t& out);

// The value axis of a chart once its ticks are chosen.
struct ValueAxis {
  double low;        // the bottom tick; its natural logarithm on a logarithmic axis
  double high;       // the top tick, likewise
  int32_t logScale;  // the logarithmic flag in effect (0 when the data did not allow one)
  double scale;      // logical units per axis unit: (bottom - FrameTop) / (high - low)
  int32_t tickCount;
  int32_t labelWidth;  // the widest tick label
  int32_t left;        // the frame's left edge
  int32_t bottom;      // the frame's bottom edge, where the axis begins
  MarkReach reach;

  // The height of a tick at `value` (an axis unit).
  int32_t TickY(double value) const;
  // The height of `at` in axis units (a value, or its logarithm on a logarithmic axis), pinned
  // to the reach. False for a height that is no number.
  bool AxisUnitY(double at, int32_t& y) const;
  // Where ValueToY places `value`, or `substitute` when the value cannot be placed (a marker,
  // the Missing value, or on a logarithmic axis a value <= 0), pinned to the reach. False when
  // neither can be placed.
  bool ValueY(double value, double substitute, int32_t& y) const;
  // Moves the frame's bottom edge, where the axis begins; the ticks stay, the scale follows.
  void SetBottom(int32_t frameBottom);
};

// Chooses ticks for the data range [low, high] (logScale asks for a logarithmic axis) and fills
// `ticks`; the frame's left edge follows from the widest label. The axis runs from FrameBottom
// up to FrameTop.
ValueAxis ChooseValueAxis(AxisTickTable& ticks, double low, double high, int32_t logScale,
                          MarkReach reach);

// How the group comparisons are written under the slots: not at all; "p = 0.012" and "n = 12"
// across; the bare numbers across; the names and the bare numbers running upward (test_lines.h).
enum class TestLines { Hidden, Full, Bare, Upward };

// The tests' lines of a chart, and when they run upward the lengths of their columns: the
// names', the p-values' and the counts'.
struct TestLayout {
  TestLines lines;
  int32_t namesLength;
  int32_t pLength;
  int32_t countLength;
};

// The slots of the series in a frame: equal widths from TickLength right of the frame's left
// edge to SlotsRight, and blocks of slots for the split groups.
struct SlotLayout {
  bool exists;         // series to draw: one at least, and groups in a split layout
  int32_t count;       // slots, one per series
  int32_t width;       // of one slot
  int32_t half;        // width / 2
  int32_t blockWidth;  // of one block of slots (a group paired, a column non-paired)
  int32_t blocks;      // headings above the frame
  TestLayout tests;    // how the tests are written under the slots
};

// The name of slot s of `chart` below the frame: the group's label non-paired, else the column's
// name ("" for a column outside the grid).
const char* SlotName(const ChartContext& chart, int32_t s);

// Lays out the slots of `table` in a frame whose left edge is `left`.
SlotLayout LayOutSlots(const SeriesTable& table, SplitMode split, int32_t left);

// A chart's frame: its axis and its slots, and what it is drawn for.
struct ChartFrame {
  const ChartContext& chart;
  ValueAxis axis;
  SlotLayout slots;

  int32_t SlotLeft(int32_t s) const { return axis.left + TickLength + s * slots.width; }
  int32_t SlotCentre(int32_t s) const { return SlotLeft(s) + slots.half; }

  // The caption (in the rotated font), then in the upright font the frame rectangle with the
  // pen and brush selected, the inner ticks and every tick's label.
  void DrawFrameAndAxis(const char* caption) const;
  // The line at 0 (at 1 on a logarithmic axis) across the frame, when asked for and where that
  // height lies on the axis.
  void DrawLineAt01() const;
  // The name of every block of slots above the frame.
  void DrawBlockHeadings() const;
  // Whether a divider stands at the left edge of slot s: where a new block of slots starts, and
  // without a split column before a series without values.
  bool SlotHasDivider(int32_t s) const;
  void DrawDivider(int32_t s) const;
  // The slot's name below the frame: the group's label non-paired, else the column's name; with
  // the tests shown, its line or column and the slot's p-value and count below.
  void DrawSlotName(int32_t s) const;
};

// The frame of `chart` over the data range [low, high] (`fallback`: the default range it fell
// back to, if any): the axis chosen for `logScale` with the marks' `reach`, its ends kept in the
// tables, the slots laid out; and kept in the run's PlotNotes what the frame cannot show as
// asked: the logarithmic axis the data refused, the default range, no series with a value.
ChartFrame FrameOnAxis(ChartContext& chart, double low, double high, int32_t logScale,
                       MarkReach reach, AxisFallback fallback);

// The heights of a notched box with whiskers, from the top whisker's end down.
struct NotchedBoxHeights {
  int32_t quantile90;
  int32_t quantile75;
  int32_t medianUpper;
  int32_t median;
  int32_t medianLower;
  int32_t quantile25;
  int32_t quantile10;
};

// A notched box centred on x, `halfWidth` to each side, with its whiskers: one polygon.
void DrawNotchedBox(Canvas& canvas, int32_t x, int32_t halfWidth, const NotchedBoxHeights& box);

}  // namespace qm
