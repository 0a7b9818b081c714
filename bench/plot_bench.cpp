// Speed of every step of a plot run on the largest range: the import, the series table with
// ranks and statistics in each split mode, each chart recorded to EMF bytes, and the whole run.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/make_grid.h"
#include "canvas/emf_canvas.h"
#include "import/decode_wk1.h"
#include "import/write_wk1.h"
#include "plot/box_plot.h"
#include "plot/group_plot.h"
#include "plot/plot_run.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "stats/series_table.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/recording_messages.h"

namespace qm {
namespace {

using QuietSink = testing::QuietMessages;

// Everything a benchmark needs, allocated once.
struct Fixture {
  WorksheetGrid grid;
  WorksheetGrid decoded;
  PlotTables tables;
};

Fixture& Shared(int32_t groups) {
  static std::unique_ptr<Fixture> fixtures[11];
  std::unique_ptr<Fixture>& fixture = fixtures[groups];
  if (!fixture) {
    fixture = std::make_unique<Fixture>();
    MakeLargeGrid(fixture->grid, groups, 12345);
  }
  return *fixture;
}

// Close() finishes the metafile, as the desktop program's output does before it writes.
using EmfOutput = testing::CanvasOutput<EmfCanvas>;

void BM_DecodeWk1(benchmark::State& state) {
  Fixture& f = Shared(10);
  std::vector<uint8_t> bytes = WriteWk1(f.grid);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeWk1(f.decoded, bytes.data(), bytes.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_DecodeWk1)->Unit(benchmark::kMicrosecond);

// Split mode 0: 25 series of 1022 values; 1 and 2: 240 series, ten groups.
void BM_SeriesAndRanks(benchmark::State& state) {
  Fixture& f = Shared(10);
  QuietSink sink;
  const SplitMode split = SplitMode(state.range(0));
  for (auto _ : state) {
    BuildSeriesTable(f.tables.series, f.grid, split, sink);
    RankAllSeries(f.tables.series, f.tables.ranks);
  }
  state.counters["series"] = f.tables.series.SeriesCount;
}
BENCHMARK(BM_SeriesAndRanks)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// One chart alone into EMF bytes, the series already computed.
size_t DrawChart(Fixture& f, const PlotSettings& settings) {
  EmfCanvas canvas;
  const ChartCanvas objects = PrepareChartCanvas(canvas, settings);
  ChartContext chart{canvas, settings, f.grid, f.tables, objects.upright, objects.rotated};
  if (settings.Chart == ChartKind::BoxPlot) {
    DrawBoxPlot(chart, settings.LogFlag);
  } else {
    DrawGroupPlot(chart, settings.LogFlag, settings.Mark);
  }
  return canvas.Finish().size();
}

void BM_GroupPlot(benchmark::State& state) {
  Fixture& f = Shared(10);
  QuietSink sink;
  PlotSettings settings;
  settings.Chart = ChartKind::GroupPlot;
  settings.Split = SplitMode::Paired;
  settings.ConnectingLines = 1;
  settings.Mark = SummaryMark(state.range(0));
  BuildSeriesTable(f.tables.series, f.grid, settings.Split, sink);
  RankAllSeries(f.tables.series, f.tables.ranks);
  size_t size = 0;
  for (auto _ : state) size = DrawChart(f, settings);
  state.counters["emfBytes"] = double(size);
}
// Argument: the summary mark, 0 (none) to 7 (BoxPlot).
BENCHMARK(BM_GroupPlot)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

void BM_BoxPlot(benchmark::State& state) {
  Fixture& f = Shared(10);
  QuietSink sink;
  PlotSettings settings;
  settings.Chart = ChartKind::BoxPlot;
  settings.Split = SplitMode::NonPaired;
  BuildSeriesTable(f.tables.series, f.grid, settings.Split, sink);
  RankAllSeries(f.tables.series, f.tables.ranks);
  size_t size = 0;
  for (auto _ : state) size = DrawChart(f, settings);
  state.counters["emfBytes"] = double(size);
}
BENCHMARK(BM_BoxPlot)->Unit(benchmark::kMicrosecond);

// The target: grid to EMF bytes, 240 series, group plot with the BoxPlot mark.
void BM_WholePlotRun(benchmark::State& state) {
  Fixture& f = Shared(10);
  QuietSink sink;
  PlotSettings settings;
  settings.Chart = ChartKind(state.range(0));
  settings.Split = SplitMode::Paired;
  settings.ConnectingLines = 1;
  settings.Mark = SummaryMark::BoxPlot;
  EmfOutput output;
  for (auto _ : state) RunPlot(settings, f.grid, f.tables, sink, output);
  state.counters["emfBytes"] = double(output.canvas ? output.canvas->Finish().size() : 0);
}
// Argument: 0 the group plot, 1 the box plot.
BENCHMARK(BM_WholePlotRun)
    ->Arg(int64_t(ChartKind::GroupPlot))
    ->Arg(int64_t(ChartKind::BoxPlot))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
