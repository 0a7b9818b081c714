// The plot run: series table, ranks and statistics from the grid, then the chart of the chosen
// plot type recorded on the canvas the output opens, in the metafile's mapping and fonts.
#include "plot/plot_run.h"

#include "plot/box_plot.h"
#include "plot/group_plot.h"
#include "plot/placeholder.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

namespace {

constexpr Color BlueBackgroundColor = Rgb(0, 0, 120);

void DrawChart(ChartContext& chart) {
  const PlotSettings& settings = chart.settings;
  switch (settings.Chart) {
    case ChartKind::GroupPlot:
      DrawGroupPlot(chart, settings.LogFlag, settings.Mark);
      break;
    case ChartKind::BoxPlot:
      DrawBoxPlot(chart, settings.LogFlag);
      break;
    case ChartKind::Placeholder:
      DrawPlaceholder(chart.canvas);
  }
}

// "Problem creating Metafile", and on a second line where the picture was to go and why not.
std::string MetafileProblem(const PlotOutput& output) {
  const std::string reason = output.FailureReason();
  return reason.empty() ? MetafileProblemMessage : MetafileProblemMessage + ("\n" + reason);
}

}  // namespace

ChartCanvas PrepareChartCanvas(Canvas& canvas, const PlotSettings& settings) {
  canvas.SetMapMode(MapModeIsotropic);
  canvas.SetWindowExtent(14400, 10800);
  canvas.SetViewportExtent(800, 600);

  ChartCanvas objects{};
  objects.upright = canvas.CreateChartFont(FontKind::Upright);
  objects.rotated = canvas.CreateChartFont(FontKind::Rotated);
  canvas.SelectObject(objects.upright);

  if (settings.BlueBackground) {
    objects.background = canvas.CreateSolidBrush(BlueBackgroundColor);
    canvas.SelectObject(objects.background);
    canvas.SelectStockObject(StockWhitePen);
  } else {
    canvas.SelectStockObject(StockBlackPen);
    canvas.SelectStockObject(StockWhiteBrush);
  }
  return objects;
}

// The run's own objects go with the run.
void ReleaseChartCanvas(Canvas& canvas, const ChartCanvas& objects) {
  if (objects.background != 0) canvas.DeleteObject(objects.background);
  canvas.DeleteObject(objects.rotated);
  canvas.DeleteObject(objects.upright);
}

PlotOutcome RunPlot(const PlotSettings& settings, const WorksheetGrid& grid, PlotTables& tables,
                    MessageSink& messages, PlotOutput& output, RunNotes* notes) {
  tables.notes = PlotNotes{};
  if (notes != nullptr) notes->plot = PlotNotes{};
  if (!BuildSeriesTable(tables.series, grid, settings.Split, messages)) {
    return PlotOutcome::NoSplitColumn;
  }
  RankAllSeries(tables.series, tables.ranks);
  tables.comparisons.count = 0;
  if (settings.ShowTests != 0) {
    CompareGroups(tables.series, grid, settings.LogFlag != 0, tables.comparisons);
  }

  Canvas* canvas = output.Open();
  if (canvas == nullptr) {
    messages.ShowOwnBox(MetafileProblem(output));
    return PlotOutcome::MetafileFailure;
  }
  const ChartCanvas objects = PrepareChartCanvas(*canvas, settings);
  ChartContext chart{*canvas, settings, grid, tables, objects.upright, objects.rotated};
  DrawChart(chart);
  ReleaseChartCanvas(*canvas, objects);
  if (notes != nullptr) notes->plot = tables.notes;
  if (!output.Close()) {
    messages.ShowOwnBox(MetafileProblem(output));
    return PlotOutcome::MetafileFailure;
  }
  return PlotOutcome::Published;
}

}  // namespace qm
