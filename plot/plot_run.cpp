// The plot run: series table, ranks and statistics from the grid, then the chart of the chosen
// plot type recorded on the canvas the output opens, in the metafile's mapping and fonts.
#include "plot/plot_run.h"

#include "plot/box_plot.h"
#include "plot/group_plot.h"
#include "plot/placeholder.h"
#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

namespace {

constexpr Color BlueBackgroundColor = Rgb(0, 0, 120);

void DrawChart(ChartContext& chart) {
  const PlotSettings& settings = chart.settings;
  switch (settings.PlotType) {
    case PlotTypeGroup:
      DrawGroupPlot(chart, settings.LogFlag, settings.ErrorBarStyle);
      break;
    case PlotTypeBox:
      DrawBoxPlot(chart, settings.LogFlag);
      break;
    default:
      DrawPlaceholder(chart.canvas);
  }
}

}  // namespace

PlotOutcome RunPlot(const PlotSettings& settings, const WorksheetGrid& grid, PlotTables& tables,
                    MessageSink& messages, PlotOutput& output) {
  if (!BuildSeriesTable(tables.series, grid, settings.SplitMode, messages)) {
    return PlotOutcome::NoSplitColumn;
  }
  RankAllSeries(tables.series, tables.ranks);

  Canvas* canvas = output.Open();
  if (canvas == nullptr) {
    messages.ShowOwnBox(MetafileProblemMessage);
    return PlotOutcome::MetafileFailure;
  }
  canvas->SetMapMode(MM_ISOTROPIC);
  canvas->SetWindowExtent(14400, 10800);
  canvas->SetViewportExtent(800, 600);

  CanvasObject upright = canvas->CreateFont(FontKind::Upright);
  CanvasObject rotated = canvas->CreateFont(FontKind::Rotated);
  canvas->SelectObject(upright);

  CanvasObject background = 0;
  if (settings.BlueBackground) {
    background = canvas->CreateSolidBrush(BlueBackgroundColor);
    canvas->SelectObject(background);
    canvas->SelectStockObject(WHITE_PEN);
  } else {
    canvas->SelectStockObject(BLACK_PEN);
    canvas->SelectStockObject(WHITE_BRUSH);
  }

  ChartContext chart{*canvas, settings, grid, tables, upright, rotated};
  DrawChart(chart);

  // The run's own objects go with the run. One still selected stays in effect until replaced,
  // so releasing it here changes nothing drawn.
  if (background != 0) canvas->DeleteObject(background);
  canvas->DeleteObject(rotated);
  canvas->DeleteObject(upright);
  if (!output.Close()) {
    messages.ShowOwnBox(MetafileProblemMessage);
    return PlotOutcome::MetafileFailure;
  }
  return PlotOutcome::Published;
}

}  // namespace qm
