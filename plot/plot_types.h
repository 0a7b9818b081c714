// What a plot run works with: the settings of the dialog, the tables one run owns, and the
// context a chart draws in.
#pragma once

#include <cstdint>

#include "import/grid.h"
#include "import/limits.h"
#include "plot/axis.h"
#include "plot/canvas.h"
#include "plot/run_notes.h"
#include "stats/group_tests.h"
#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

// The charts a run can draw; a plot type without a chart of its own draws the placeholder.
enum class ChartKind : int32_t { GroupPlot, BoxPlot, Placeholder };

// The summary mark the group plot draws for each series over its points.
enum class SummaryMark : int32_t {
  None,
  Mean,      // a line across the slot at the mean
  Median,    // a line across the slot at the median
  Sem,       // a diamond from mean - SEM to mean + SEM
  MedianSe,  // a diamond over the median's band
  Sd,        // a capped bar from mean - SD to mean + SD
  Iqr,       // a capped bar from the 25 % to the 75 % quantile
  BoxPlot,   // a notched box with whiskers at the 10 % and 90 % quantiles
};

// What one run draws: the chart, the split layout, the four drawing flags (0 or 1) and the
// group plot's summary mark. MarkLimitValues (0 or 1) draws the values estimated for limit
// markers apart from measured ones and puts a key under the frame; with 0 the picture is the
// one drawn without it, byte for byte. BoldLines (0 or 1) draws the outline pen of 5 units at
// 18 (0.18 mm, about 0.5 pt, as print asks); other pens and the texts stay; with 0 the picture is
// the one drawn without it, byte for byte.
struct PlotSettings {
  ChartKind Chart = ChartKind::Placeholder;
  SplitMode Split = SplitMode::None;
  int32_t LogFlag = 0;
  int32_t LineAt01 = 0;
  int32_t BlueBackground = 0;
  int32_t ConnectingLines = 0;
  SummaryMark Mark = SummaryMark::None;
  int32_t MarkLimitValues = 0;
  // 1: the group comparisons under the slots (p-value and count) and their tests in the key;
  // with 0 the picture is the one drawn without it, byte for byte.
  int32_t ShowTests = 0;
  // 1: the group plot's outline pen drawn bold (BoldOutlinePenWidth); 0 keeps the picture.
  int32_t BoldLines = 0;
};

// The outline pen's width in logical units, fine or bold.
constexpr int32_t OutlinePenWidth = 5;
constexpr int32_t BoldOutlinePenWidth = 18;

// Value bins of the group plot: 25 drawn ones and room above them for values beyond the top.
constexpr int32_t MaxBins = 101;

// The group plot's working tables: its own copy of the values (limit markers replaced there,
// never in the grid), which of its cells hold such an estimate (1) rather than a measured value
// (0), and the bin bookkeeping of every point.
struct GroupPlotScratch {
  double Values[MaxRows][MaxColumns];
  uint8_t Estimated[MaxRows][MaxColumns];
  int32_t PointBin[MaxRows][MaxColumns];
  int32_t PointBinOrder[MaxRows][MaxColumns];
  int32_t BinCounts[MaxBins][MaxSeries];
};

// Every table one plot run owns. Large: allocate it once and reuse it for every run.
struct PlotTables {
  SeriesTable series;
  RankTable ranks;
  AxisTickTable ticks;
  double AxisLow;
  double AxisHigh;
  GroupPlotScratch group;
  PlotNotes notes;                   // what the chart of the run could not draw as asked
  GroupComparisonTable comparisons;  // filled when the tests are shown
};

// What a chart draws with. On entry UprightFont is selected and the pen and brush are those
// of the background choice.
struct ChartContext {
  Canvas& canvas;
  const PlotSettings& settings;
  const WorksheetGrid& grid;
  PlotTables& tables;
  CanvasObject UprightFont;
  CanvasObject RotatedFont;
};

}  // namespace qm
