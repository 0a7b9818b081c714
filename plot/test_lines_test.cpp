// Tests of the group comparisons on the charts: the p-value's text, which slots get which lines
// and where, the key's words and place, the bare numbers in narrow slots, and both charts.
#include "plot/test_lines.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"
#include "plot/box_plot.h"
#include "plot/group_plot.h"
#include "stats/rank_all_series.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"
#include "testsupport/trace_ops.h"

namespace qm {
namespace {

using Column = testing::SheetColumn;

TEST(TestLines, PValueTexts) {
  struct Case {
    double p;
    bool compact;
    const char* text;
  } cases[] = {
      {0.0123456, false, "p = 0.0123"},
      {0.012, false, "p = 0.012"},
      {0.45678, true, ".457"},
      {0.001, false, "p = 0.001"},
      {0.000999, false, "p < 0.001"},
      {0.000999, true, "<.001"},
      {1.0, false, "p = 1"},
      {0.0999996, false, "p = 0.1"},
      {0.00123456, true, ".001"},
      {0.00123456, false, "p = 0.00123"},
      {1.0, true, "1"},
  };
  for (const Case& c : cases) {
    char out[32];
    FormatPValue(c.p, c.compact, out, sizeof out);
    EXPECT_STREQ(out, c.text) << c.p;
  }
}

struct Drawn {
  std::string text;
  int32_t left, top;
};

class TestLinesChart : public ::testing::Test {
 protected:
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  std::unique_ptr<PlotTables> tables = std::make_unique<PlotTables>();
  PlotSettings settings;

  // The chart's texts, as the plot run draws it with the tests shown.
  std::vector<Drawn> Draw(const std::vector<Column>& columns, ChartKind chart) {
    testing::SetColumns(*grid, columns);
    testing::QuietMessages sink;
    EXPECT_TRUE(BuildSeriesTable(tables->series, *grid, settings.Split, sink));
    RankAllSeries(tables->series, tables->ranks);
    CompareGroups(tables->series, *grid, settings.LogFlag != 0, tables->comparisons);
    settings.ShowTests = 1;
    TraceCanvas canvas;
    const CanvasObject upright = canvas.CreateChartFont(FontKind::Upright);
    const CanvasObject rotated = canvas.CreateChartFont(FontKind::Rotated);
    canvas.SelectObject(upright);
    ChartContext context{canvas, settings, *grid, *tables, upright, rotated};
    if (chart == ChartKind::BoxPlot) {
      DrawBoxPlot(context, settings.LogFlag);
    } else {
      DrawGroupPlot(context, settings.LogFlag, settings.Mark);
    }
    std::vector<Drawn> texts;
    for (const testing::TraceOp& op : testing::ParseTrace(canvas.trace())) {
      if (op.name != "DrawText") continue;
      texts.push_back({op.text.substr(1, op.text.size() - 2), op.args[0], op.args[1]});
    }
    return texts;
  }

  static std::vector<std::string> At(const std::vector<Drawn>& texts, int32_t top) {
    std::vector<std::string> out;
    for (const Drawn& d : texts) {
      if (d.top == top) out.push_back(d.text);
    }
    return out;
  }

  std::string P(int32_t comparison, bool t) const {
    const GroupComparison& c = tables->comparisons.comparisons[comparison];
    char out[32];
    FormatPValue(t ? c.t.p : c.rank.p, false, out, sizeof out);
    return out;
  }
};

TEST_F(TestLinesChart, CountUnderEverySlotPUnderEveryComparedOne) {
  const std::vector<Column> columns = {{"A", "mg", {1, 2, 3, 4}},
                                       {"B", "mg", {2, 3, 5, 6, 8}},
                                       {"C", "mg", {1, BelowLimitMarker, 4, 5}}};
  for (ChartKind chart : {ChartKind::GroupPlot, ChartKind::BoxPlot}) {
    const std::vector<Drawn> texts = Draw(columns, chart);
    EXPECT_EQ(At(texts, TestNamesTop), (std::vector<std::string>{"A", "B", "C"}));
    // C holds a limit value: no t-test, so the rank test's p.
    EXPECT_EQ(At(texts, TestPLineTop), (std::vector<std::string>{P(0, true), P(1, false)}));
    EXPECT_EQ(At(texts, TestCountLineTop), (std::vector<std::string>{"n = 4", "n = 5", "n = 4"}));
    EXPECT_EQ(At(texts, TestKeyTop),
              (std::vector<std::string>{"p vs. first slot: Welch t-test, Mann-Whitney U"}));
    EXPECT_TRUE(At(texts, NamesTop).empty());
  }
}

TEST_F(TestLinesChart, PairedBlocksAndTheSummaryMarkInTheKey) {
  settings.Split = SplitMode::Paired;
  settings.Mark = SummaryMark::Mean;
  const std::vector<Drawn> texts = Draw({{"A", "", {1, 2, 3, 4, 5, 6}},
                                         {"B", "", {2, 4, 3, 7, 6, 8}},
                                         {"split", "0=x;1=y", {0, 0, 0, 1, 1, 1}}},
                                        ChartKind::GroupPlot);
  // One comparison per group: B against A within it.
  EXPECT_EQ(At(texts, TestPLineTop), (std::vector<std::string>{P(0, true), P(1, true)}));
  EXPECT_EQ(At(texts, TestCountLineTop),
            (std::vector<std::string>{"n = 3", "n = 3", "n = 3", "n = 3"}));
  EXPECT_EQ(At(texts, TestKeyTop),
            (std::vector<std::string>{"p vs. block's first slot: paired t-test; Mean"}));
}

TEST_F(TestLinesChart, NarrowSlotsGetTheBareNumbers) {
  std::vector<Column> columns(12, Column{"C", "", {1, 2, 3, 5}});
  columns[1].values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::vector<Drawn> texts = Draw(columns, ChartKind::GroupPlot);
  const std::vector<std::string> counts = At(texts, TestCountLineTop);
  ASSERT_EQ(counts.size(), 12u);
  EXPECT_EQ(counts[0], "4");
  EXPECT_EQ(counts[1], "12");
  char p[32];
  FormatPValue(tables->comparisons.comparisons[0].t.p, true, p, sizeof p);
  EXPECT_EQ(At(texts, TestPLineTop)[0], p);
}

}  // namespace
}  // namespace qm
