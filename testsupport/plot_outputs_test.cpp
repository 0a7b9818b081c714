// The fake plot output through a real plot run: a fresh canvas per run, the failures a run
// reports, a finished metafile after Close, and the coordinate canvas keeping what it traced.
#include "testsupport/plot_outputs.h"

#include <gtest/gtest.h>

#include "canvas/emf_canvas.h"
#include "canvas/trace_canvas.h"
#include "testsupport/coordinate_canvas.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"
#include "testsupport/trace_ops.h"

namespace qm::testing {
namespace {

TEST(CanvasOutput, FailuresEndTheRunAsTheProgramsOutputsDo) {
  auto grid = MakeSheet({{"A", "", {1, 2, 3}}});
  auto tables = std::make_unique<PlotTables>();
  const struct {
    bool failOpen, failClose;
    PlotOutcome outcome;
    int32_t closes;
  } cases[] = {{false, false, PlotOutcome::Published, 1},
               {true, false, PlotOutcome::MetafileFailure, 0},
               {false, true, PlotOutcome::MetafileFailure, 1}};
  for (const auto& c : cases) {
    CanvasOutput<EmfCanvas> output;
    output.failOpen = c.failOpen;
    output.failClose = c.failClose;
    RecordingMessages messages;
    EXPECT_EQ(RunPlot(PlotSettings{}, *grid, *tables, messages, output), c.outcome);
    EXPECT_EQ(output.opens, 1);
    EXPECT_EQ(output.closes, c.closes);
    EXPECT_EQ(output.canvas == nullptr, c.failOpen);
    if (output.canvas) EXPECT_TRUE(output.canvas->finished());
  }
}

TEST(CanvasOutput, FreshCanvasPerRunAndEveryCoordinateKept) {
  auto grid = MakeSheet({{"A", "", {1, 2, 3}}, {"B", "", {4, 5}}});
  auto tables = std::make_unique<PlotTables>();
  QuietMessages messages;
  CanvasOutput<CoordinateCanvas> output;
  RunPlot(PlotSettings{}, *grid, *tables, messages, output);
  const std::string first = output.canvas->trace();
  RunPlot(PlotSettings{}, *grid, *tables, messages, output);
  EXPECT_EQ(output.canvas->trace(), first);

  // The numbers of every drawing line are its coordinates, in order, but for a boxed text's
  // flags; selections have none.
  std::vector<int32_t> traced;
  for (const TraceOp& op : ParseTrace(first)) {
    const bool selection =
        op.name == "Pen" || op.name == "Brush" || op.name == "Stock" || op.name == "Font";
    const size_t count = selection ? 0 : op.name == "DrawText" ? 4 : op.args.size();
    traced.insert(traced.end(), op.args.begin(), op.args.begin() + ptrdiff_t(count));
  }
  std::vector<int32_t> kept;
  for (const Point& p : output.canvas->points) {
    kept.push_back(p.x);
    kept.push_back(p.y);
    EXPECT_TRUE(WithinReaderReach(p));
  }
  EXPECT_EQ(kept, traced);
  EXPECT_FALSE(WithinReaderReach({0, int32_t(MaxReaderCoordinate)}));
  EXPECT_TRUE(WithinReaderReach({int32_t(1 - MaxReaderCoordinate), 0}));
}

}  // namespace
}  // namespace qm::testing
