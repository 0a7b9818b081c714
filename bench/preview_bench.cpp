// Speed of the main dialog's preview: one redraw after a change of a choice, on the largest
// range, through the dialog itself (the plot run painted with QPainter into an image of the
// pane's size, then handed to the pane). The target is a redraw under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "app/main_dialog.h"
#include "app/preview_pane.h"
#include "bench/make_grid.h"

namespace qm {
namespace {

class NoOutput : public PlotOutput {
 public:
  Canvas* Open() override { return nullptr; }
  bool Close() override { return false; }
};

// The choices of each benchmark argument: the group plot with everything that costs (paired
// split, connecting lines, the BoxPlot mark, marked limit values), and the box plot non-paired.
DialogChoices ChoicesOf(int64_t argument) {
  DialogChoices choices = DefaultChoices();
  if (argument == 0) {
    choices.splitButton = 1016;
    choices.connectingLines = true;
    choices.errorBarStyle = 1107;
    choices.markLimitValues = true;
  } else {
    choices.plotTypeButton = 1001;
    choices.splitButton = 1017;
  }
  return choices;
}

void BM_PreviewRedraw(benchmark::State& state) {
  auto grid = std::make_unique<WorksheetGrid>();
  auto tables = std::make_unique<PlotTables>();
  MakeLargeGrid(*grid, 10, 12345);
  QtMessageSink messages;
  NoOutput output;
  MainDialog dialog(*grid, *tables, messages, output, QIcon());
  const DialogChoices choices = ChoicesOf(state.range(0));
  for (auto _ : state) {
    dialog.flow().ApplyChoices(choices);  // what a click does: the preview is out of date
    dialog.UpdatePreview();
  }
  const QSize size = dialog.preview().picture().size();
  state.counters["width"] = size.width();
  state.counters["height"] = size.height();
  state.counters["series"] = tables->series.SeriesCount;
}
BENCHMARK(BM_PreviewRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
