// The system's metafile player, a second one independent of ours, plays every bundled example
// under every chart option: the picture is never blank and nothing lands outside the bounds its
// header gives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas_gdi/gdi_picture.h"
#include "import/text_range.h"
#include "testsupport/memory_clipboard.h"
#include "win32/core_calls.h"
#include "win32/test_support.h"

namespace qm {
namespace {

// Hands the run a fresh metafile recorder and keeps its bytes.
class MemoryOutput : public PlotOutput {
 public:
  Canvas* Open() override {
    canvas_ = std::make_unique<EmfCanvas>();
    return canvas_.get();
  }
  bool Close() override {
    bytes = canvas_->Finish();
    return true;
  }
  std::vector<uint8_t> bytes;

 private:
  std::unique_ptr<EmfCanvas> canvas_;
};

// The settings of one run: every chart, every summary mark of the group plot, both axes and
// both backgrounds, with the split modes and the other two flags taking turns.
std::vector<PlotSettings> AllChartOptions() {
  std::vector<PlotSettings> all;
  const SummaryMark marks[] = {SummaryMark::None, SummaryMark::Mean,     SummaryMark::Median,
                               SummaryMark::Sem,  SummaryMark::MedianSe, SummaryMark::Sd,
                               SummaryMark::Iqr,  SummaryMark::BoxPlot};
  const SplitMode splits[] = {SplitMode::None, SplitMode::Paired, SplitMode::NonPaired};
  int32_t turn = 0;
  for (ChartKind chart : {ChartKind::GroupPlot, ChartKind::BoxPlot, ChartKind::Placeholder}) {
    for (SummaryMark mark : marks) {
      if (chart != ChartKind::GroupPlot && mark != SummaryMark::None) continue;
      for (int32_t log = 0; log < 2; log++) {
        for (int32_t blue = 0; blue < 2; blue++, turn++) {
          PlotSettings s;
          s.Chart = chart;
          s.Mark = mark;
          s.LogFlag = log;
          s.BlueBackground = blue;
          s.Split = splits[turn % 3];
          s.LineAt01 = (turn / 3) % 2;
          s.ConnectingLines = (turn / 2) % 2;
          all.push_back(s);
        }
      }
    }
  }
  return all;
}

std::unique_ptr<WorksheetGrid> Import(const std::string& example) {
  auto grid = std::make_unique<WorksheetGrid>();
  ClearGrid(*grid);
  std::vector<uint8_t> bytes = ExampleBytes(example);
  if (example.size() > 4 && example.substr(example.size() - 4) == ".tsv") {
    ImportTextRange(*grid, bytes.data(), bytes.size(), TextRangeKind::TabSeparated);
  } else {
    ImportWk1Bytes(*grid, bytes.data(), bytes.size());
  }
  return grid;
}

TEST(GdiPlaybackTest, EveryExampleUnderEveryOptionIsDrawnWithinTheFrame) {
  // The frame goes to a 640 x 480 rectangle with a margin of 80 pixels all round.
  constexpr int32_t Margin = 80, Width = 640, Height = 480;
  auto tables = std::make_unique<PlotTables>();
  int32_t played = 0;
  for (const char* example : {"treatment.wk1", "split.wk1", "ranges.wk1", "treatment.tsv"}) {
    std::unique_ptr<WorksheetGrid> grid = Import(example);
    ASSERT_GT(grid->RowCount, 2) << example;
    for (const PlotSettings& settings : AllChartOptions()) {
      SCOPED_TRACE(std::string(example) + " chart " + std::to_string(int(settings.Chart)) +
                   " mark " + std::to_string(int(settings.Mark)) + " split " +
                   std::to_string(int(settings.Split)) + " log " +
                   std::to_string(settings.LogFlag) + " blue " +
                   std::to_string(settings.BlueBackground));
      MemoryOutput output;
      RecordingBoxes boxes;
      const PlotOutcome outcome = RunChart(settings, *grid, *tables, boxes, output);
      if (outcome == PlotOutcome::NoSplitColumn) continue;  // nothing is drawn
      ASSERT_EQ(outcome, PlotOutcome::Published);
      Picture picture;
      ASSERT_TRUE(PlayMetafile(output.bytes, Width + 2 * Margin, Height + 2 * Margin, Margin,
                               Margin, Margin + Width, Margin + Height, picture));
      EXPECT_GT(InkInside(picture, Margin, Margin, Margin + Width, Margin + Height), 2000);
      // Nothing beyond the bounds the header claims. (Those may reach past the frame: the
      // placeholder figure and an SD bar far below the axis do, by their geometry.)
      const PixelBox bounds =
          HeaderBoundsInPicture(output.bytes, Margin, Margin, Margin + Width, Margin + Height);
      EXPECT_EQ(InkOutside(picture, bounds.left, bounds.top, bounds.right, bounds.bottom), 0);
      played++;
    }
  }
  EXPECT_GE(played, 80);  // the split modes need a split column
}

}  // namespace
}  // namespace qm
