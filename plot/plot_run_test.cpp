// The plot run: outcomes, messages, the canvas set-up every chart starts from, the placeholder
// run as a whole, and repeated runs over the same tables.
#include "plot/plot_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas/trace_canvas.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"

namespace qm {
namespace {

using testing::RecordingMessages;

// A trace that also notes the mapping calls, which the trace itself leaves out.
class MappingTraceCanvas : public TraceCanvas {
 public:
  void SetMapMode(int32_t mode) override { Note("SetMapMode", mode, 0); }
  void SetWindowExtent(int32_t cx, int32_t cy) override { Note("SetWindowExtent", cx, cy); }
  void SetViewportExtent(int32_t cx, int32_t cy) override { Note("SetViewportExtent", cx, cy); }
  std::string mapping;

 private:
  void Note(const char* name, int32_t a, int32_t b) {
    mapping += std::string(name) + ' ' + std::to_string(a) + ' ' + std::to_string(b) + " after " +
               std::to_string(trace().size()) + " bytes of trace\n";
  }
};

// Opens a fresh trace per run, or nothing when told to fail.
using TraceOutput = testing::CanvasOutput<MappingTraceCanvas>;
using EmfOutput = testing::CanvasOutput<EmfCanvas>;

// Two data columns and, when asked, a split column with the groups 0 and 1.
std::unique_ptr<WorksheetGrid> MakeGrid(bool withSplit) {
  testing::SheetColumn control{"Control", "", {}}, dose{"Dose 1", "", {}};
  testing::SheetColumn split{"split", "0=control;1=treated", {}};
  for (int32_t r = 2; r < 12; r++) {
    control.values.push_back(3 + r * 1.5);
    dose.values.push_back(r % 4 == 0 ? BelowLimitMarker : 40 - r * 2.25);
    split.values.push_back(r % 2);
  }
  if (!withSplit) return testing::MakeSheet({control, dose});
  return testing::MakeSheet({control, dose, split});
}

struct RunResult {
  PlotOutcome outcome;
  std::vector<std::string> messages;
  std::string trace;
  std::string mapping;
  int opens;
  int closes;
};

RunResult RunWith(const PlotSettings& settings, const WorksheetGrid& grid, PlotTables& tables,
                  bool failOpen = false) {
  RecordingMessages messages;
  TraceOutput output;
  output.failOpen = failOpen;
  RunResult run;
  run.outcome = RunPlot(settings, grid, tables, messages, output);
  run.messages = messages.shown;
  run.trace = output.canvas ? output.canvas->trace() : "";
  run.mapping = output.canvas ? output.canvas->mapping : "";
  run.opens = output.opens;
  run.closes = output.closes;
  return run;
}

const char* const PlaceholderFigure =
    "Pen 0 15 0xFF0000\n"
    "Brush solid 0x0000FF\n"
    "Ellipse 10 10 10200 7650\n"
    "Polyline 10 10 10 7640 10190 7640 10190 10 10 10\n";

TEST(PlotRun, PlaceholderOnPlainBackground) {
  auto grid = MakeGrid(false);
  auto tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  {
    settings.Chart = ChartKind::Placeholder;
    RunResult run = RunWith(settings, *grid, *tables);
    EXPECT_EQ(run.outcome, PlotOutcome::Published);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.opens, 1);
    EXPECT_EQ(run.closes, 1);
    EXPECT_EQ(run.trace, std::string("Font upright\n"
                                     "Stock 7\n"
                                     "Stock 0\n") +
                             PlaceholderFigure +
                             "Stock 7\n"
                             "Stock 0\n");
  }
}

TEST(PlotRun, PlaceholderOnBlueBackground) {
  auto grid = MakeGrid(false);
  auto tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  settings.BlueBackground = 1;
  RunResult run = RunWith(settings, *grid, *tables);
  EXPECT_EQ(run.outcome, PlotOutcome::Published);
  EXPECT_EQ(run.trace, std::string("Font upright\n"
                                   "Brush solid 0x780000\n"
                                   "Stock 6\n") +
                           PlaceholderFigure +
                           "Stock 6\n"
                           "Brush solid 0x780000\n");
}

TEST(PlotRun, MappingIsSetBeforeAnythingIsDrawn) {
  auto grid = MakeGrid(false);
  auto tables = std::make_unique<PlotTables>();
  RunResult run = RunWith(PlotSettings{}, *grid, *tables);
  EXPECT_EQ(run.mapping,
            "SetMapMode 7 0 after 0 bytes of trace\n"
            "SetWindowExtent 14400 10800 after 0 bytes of trace\n"
            "SetViewportExtent 800 600 after 0 bytes of trace\n");
}

TEST(PlotRun, NoSplitColumnEndsBeforeTheCanvasOpens) {
  auto grid = MakeGrid(false);
  auto tables = std::make_unique<PlotTables>();
  for (SplitMode splitMode : {SplitMode::Paired, SplitMode::NonPaired}) {
    PlotSettings settings;
    settings.Split = splitMode;
    RunResult run = RunWith(settings, *grid, *tables);
    EXPECT_EQ(run.outcome, PlotOutcome::NoSplitColumn);
    EXPECT_EQ(run.messages, std::vector<std::string>{"framework: No SPLIT-column found\n"});
    EXPECT_EQ(run.opens, 0);
    EXPECT_EQ(run.closes, 0);
  }
}

TEST(PlotRun, SplitColumnFoundDraws) {
  auto grid = MakeGrid(true);
  auto tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  settings.Split = SplitMode::Paired;
  RunResult run = RunWith(settings, *grid, *tables);
  EXPECT_EQ(run.outcome, PlotOutcome::Published);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(tables->series.SeriesCount, 4);
}

TEST(PlotRun, CanvasThatCannotOpenShowsTheMessageAndDrawsNothing) {
  auto grid = MakeGrid(false);
  auto tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  settings.Chart = ChartKind::GroupPlot;
  RunResult failed = RunWith(settings, *grid, *tables, true);
  EXPECT_EQ(failed.outcome, PlotOutcome::MetafileFailure);
  EXPECT_EQ(failed.messages, std::vector<std::string>{"own: Problem creating Metafile"});
  EXPECT_EQ(failed.opens, 1);
  EXPECT_EQ(failed.closes, 0);
  EXPECT_EQ(failed.trace, "");

  // OK again: the whole run is repeated and draws what a first run draws.
  RunResult again = RunWith(settings, *grid, *tables);
  auto freshTables = std::make_unique<PlotTables>();
  RunResult fresh = RunWith(settings, *grid, *freshTables);
  EXPECT_EQ(again.outcome, PlotOutcome::Published);
  EXPECT_EQ(again.trace, fresh.trace);
}

// A picture that was drawn but could not be kept (the disk is full, say) is no success.
TEST(PlotRun, OutputThatCannotKeepThePictureShowsTheMessage) {
  testing::CanvasOutput<TraceCanvas> output;
  output.failClose = true;
  auto grid = MakeGrid(false);
  auto tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  settings.Chart = ChartKind::BoxPlot;
  RecordingMessages messages;
  EXPECT_EQ(RunPlot(settings, *grid, *tables, messages, output), PlotOutcome::MetafileFailure);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"own: Problem creating Metafile"});
}

TEST(PlotRun, RepeatedRunsOverTheSameTablesDrawTheSamePicture) {
  for (bool withSplit : {false, true}) {
    auto grid = MakeGrid(withSplit);
    auto tables = std::make_unique<PlotTables>();
    for (ChartKind plotType : {ChartKind::GroupPlot, ChartKind::BoxPlot, ChartKind::Placeholder}) {
      for (int32_t logFlag : {0, 1}) {
        PlotSettings settings;
        settings.Chart = plotType;
        settings.Split = withSplit ? SplitMode::NonPaired : SplitMode::None;
        settings.LogFlag = logFlag;
        settings.Mark = SummaryMark::BoxPlot;
        settings.ConnectingLines = 1;
        RunResult first = RunWith(settings, *grid, *tables);
        RunResult second = RunWith(settings, *grid, *tables);
        EXPECT_EQ(first.outcome, PlotOutcome::Published);
        EXPECT_EQ(second.trace, first.trace)
            << int32_t(plotType) << ' ' << logFlag << ' ' << withSplit;

        RecordingMessages messages;
        EmfOutput emfFirst;
        EmfOutput emfSecond;
        RunPlot(settings, *grid, *tables, messages, emfFirst);
        RunPlot(settings, *grid, *tables, messages, emfSecond);
        EXPECT_FALSE(emfFirst.canvas->Finish().empty());
        EXPECT_EQ(emfSecond.canvas->Finish(), emfFirst.canvas->Finish())
            << int32_t(plotType) << ' ' << logFlag;
      }
    }
  }
}

// Bold lines widen the outline pen of 5 units to 18 and change nothing else in any chart.
TEST(PlotRun, BoldLinesWidenOnlyTheFineOutlinePen) {
  for (bool withSplit : {false, true}) {
    auto grid = MakeGrid(withSplit);
    auto tables = std::make_unique<PlotTables>();
    for (ChartKind plotType : {ChartKind::GroupPlot, ChartKind::BoxPlot, ChartKind::Placeholder}) {
      for (int32_t variant = 0; variant < 4; variant++) {
        PlotSettings settings;
        settings.Chart = plotType;
        settings.Split = withSplit ? SplitMode::Paired : SplitMode::None;
        settings.LogFlag = variant & 1;
        settings.BlueBackground = variant >> 1;
        settings.MarkLimitValues = variant & 1;
        settings.ConnectingLines = 1;
        settings.Mark = variant == 2 ? SummaryMark::Sem : SummaryMark::BoxPlot;
        const std::string fine = RunWith(settings, *grid, *tables).trace;
        settings.BoldLines = 1;
        const std::string bold = RunWith(settings, *grid, *tables).trace;
        std::string widened;
        size_t fivePens = 0;
        for (size_t at = 0, end; at < fine.size(); at = end + 1) {
          end = fine.find('\n', at);
          std::string line = fine.substr(at, end - at);
          if (line.rfind("Pen 0 5 ", 0) == 0) {
            line = "Pen 0 18 " + line.substr(8);
            fivePens++;
          }
          widened += line + '\n';
        }
        EXPECT_EQ(bold, widened) << int32_t(plotType) << ' ' << variant << ' ' << withSplit;
        EXPECT_EQ(fivePens, plotType == ChartKind::GroupPlot ? 1u : 0u);
      }
    }
  }
}

TEST(PlotRun, GridIsLeftAsItWas) {
  auto grid = MakeGrid(true);
  auto copy = std::make_unique<WorksheetGrid>(*grid);
  auto tables = std::make_unique<PlotTables>();
  for (ChartKind plotType : {ChartKind::GroupPlot, ChartKind::BoxPlot}) {
    PlotSettings settings;
    settings.Chart = plotType;
    settings.Split = SplitMode::Paired;
    RunWith(settings, *grid, *tables);
  }
  EXPECT_EQ(std::memcmp(grid.get(), copy.get(), sizeof(WorksheetGrid)), 0);
}

}  // namespace
}  // namespace qm
