// What a plot run works with: the settings of the dialog, the tables one run owns, and the
// context a chart draws in.
#pragma once

#include <cstdint>

#include "import/grid.h"
#include "import/limits.h"
#include "plot/axis.h"
#include "plot/canvas.h"
#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

constexpr int32_t PlotTypeGroup = 1000;  // "Ttest"
constexpr int32_t PlotTypeBox = 1001;    // "BoxPLot"

// Error-bar styles of the Options dialog.
constexpr int32_t NoErrorBar = 1100;
constexpr int32_t ErrorBarMean = 1101;
constexpr int32_t ErrorBarMedian = 1102;
constexpr int32_t ErrorBarSem = 1103;
constexpr int32_t ErrorBarMedianSe = 1104;
constexpr int32_t ErrorBarSd = 1105;
constexpr int32_t ErrorBarIqr = 1106;
constexpr int32_t ErrorBarBoxPlot = 1107;

struct PlotSettings {
  int32_t PlotType = 0;  // 1000, 1001, or anything else for the placeholder
  int32_t SplitMode = 0;
  int32_t LogFlag = 0;
  int32_t LineAt01 = 0;
  int32_t BlueBackground = 0;
  int32_t ConnectingLines = 0;
  int32_t ErrorBarStyle = 0;  // 0 never chosen, -1 Options cancelled, else 1100..1107
};

// The group plot's working tables: its own copy of the values (limit markers replaced there,
// never in the grid) and the bin bookkeeping of every point.
struct GroupPlotScratch {
  double Values[MaxRows][MaxColumns];
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
