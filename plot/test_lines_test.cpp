// Tests of the group comparisons on the charts: the p-value's text, which slots get which lines
// and where, the key's words and place, the bare numbers in narrow slots, and both charts.
#include "plot/test_lines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"
#include "plot/box_plot.h"
#include "plot/group_plot.h"
#include "plot/text_layout.h"
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
  std::vector<int32_t> args;  // DrawText: the box; TextOutClipped: the point, then the clip
  bool upward;                // drawn in the rotated font, clipped
};

class TestLinesChart : public ::testing::Test {
 protected:
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  std::unique_ptr<PlotTables> tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  int32_t frameBottom = 0;

  // The tables of the sheet, with the comparisons and the tests shown.
  void Prepare(const std::vector<Column>& columns) {
    testing::SetColumns(*grid, columns);
    testing::QuietMessages sink;
    EXPECT_TRUE(BuildSeriesTable(tables->series, *grid, settings.Split, sink));
    RankAllSeries(tables->series, tables->ranks);
    CompareGroups(tables->series, *grid, settings.LogFlag != 0, tables->comparisons);
    settings.ShowTests = 1;
  }

  // The chart's texts, as the plot run draws it with the tests shown; keeps the frame's bottom.
  std::vector<Drawn> Draw(const std::vector<Column>& columns, ChartKind chart) {
    Prepare(columns);
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
    std::istringstream lines(canvas.trace());
    std::string line;
    bool rotatedFont = false;
    frameBottom = 0;
    for (const testing::TraceOp& op : testing::ParseTrace(canvas.trace())) {
      std::getline(lines, line);
      if (op.name == "Font") rotatedFont = line == "Font rotated";
      if (op.name == "Rectangle" && frameBottom == 0) frameBottom = op.args[3];
      if (op.name != "DrawText" && op.name != "TextOutClipped") continue;
      const bool upward = op.name == "TextOutClipped";
      EXPECT_EQ(rotatedFont, upward) << line;
      texts.push_back({op.text.substr(1, op.text.size() - 2), op.args, upward});
    }
    return texts;
  }

  static std::vector<std::string> At(const std::vector<Drawn>& texts, int32_t top) {
    std::vector<std::string> out;
    for (const Drawn& d : texts) {
      if (!d.upward && d.args[1] == top) out.push_back(d.text);
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
    EXPECT_EQ(At(texts, KeyTop),
              (std::vector<std::string>{"p vs. first slot: Welch t-test, Mann-Whitney U"}));
    EXPECT_TRUE(At(texts, NamesTop).empty());
    EXPECT_EQ(frameBottom, AcrossTestsFrameBottom);
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
  EXPECT_EQ(At(texts, KeyTop),
            (std::vector<std::string>{"p vs. block's first slot: paired t-test; Mean"}));
}

TEST_F(TestLinesChart, NarrowSlotsGetTheBareNumbersNamedOnTheLeft) {
  std::vector<Column> columns(12, Column{"C", "", {1, 2, 3, 5}});
  columns[1].values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::vector<Drawn> texts = Draw(columns, ChartKind::GroupPlot);
  std::vector<std::string> counts = At(texts, TestCountLineTop);
  ASSERT_EQ(counts.size(), 13u);
  EXPECT_EQ(counts[0], "4");
  EXPECT_EQ(counts[1], "12");
  EXPECT_EQ(counts[12], "n");
  char p[32];
  FormatPValue(tables->comparisons.comparisons[0].t.p, true, p, sizeof p);
  EXPECT_EQ(At(texts, TestPLineTop)[0], p);
  EXPECT_EQ(At(texts, TestPLineTop).back(), "p");
  EXPECT_EQ(frameBottom, AcrossTestsFrameBottom);
}

TEST_F(TestLinesChart, TheLayoutFollowsTheWidestTextOfAnySlot) {
  TraceCanvas canvas;
  const ChartContext chart{canvas, settings, *grid, *tables, 0, 0};
  auto layoutAt = [&](int32_t width) {
    SlotLayout slots{};
    slots.exists = true;
    slots.count = 3;
    slots.width = width;
    return ChooseTestLayout(chart, slots).lines;
  };
  auto width = [](const std::string& text) {
    return int32_t(TextAdvance(text.data(), text.size()));
  };
  // Slot 1's p-value is the widest text, full ("p = 0.0123"-like) and bare (".012"-like).
  std::vector<Column> columns(3, Column{"C", "", {1, 2, 3, 5}});
  columns[1].values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  Prepare(columns);
  char full[32];
  char bare[32];
  FormatPValue(ShownP(tables->comparisons.comparisons[0]), false, full, sizeof full);
  FormatPValue(ShownP(tables->comparisons.comparisons[0]), true, bare, sizeof bare);
  ASSERT_GT(width(full), width("n = 12"));
  ASSERT_GT(width(bare), width("12"));
  EXPECT_EQ(layoutAt(width(full) + 60), TestLines::Full);
  EXPECT_EQ(layoutAt(width(full) + 59), TestLines::Bare);
  EXPECT_EQ(layoutAt(width(bare) + 60), TestLines::Bare);
  EXPECT_EQ(layoutAt(width(bare) + 59), TestLines::Upward);
  settings.ShowTests = 0;
  EXPECT_EQ(layoutAt(width(full) + 60), TestLines::Hidden);
  // Where a count is the widest text, it decides: alike series, "p = 1" beside "n = 120".
  for (Column& column : columns) {
    column.values.clear();
    for (int32_t r = 0; r < 120; r++) column.values.push_back(r % 7);
  }
  Prepare(columns);
  EXPECT_EQ(layoutAt(width("n = 120") + 60), TestLines::Full);
  EXPECT_EQ(layoutAt(width("n = 120") + 59), TestLines::Bare);
}

// Forty slots: ten columns in four paired groups, one of them named too long for its column.
TEST_F(TestLinesChart, ManySlotsWriteUpwardInColumnsThatLeaveEachOtherWhole) {
  settings.Split = SplitMode::Paired;
  std::vector<Column> columns;
  for (int32_t c = 0; c < 10; c++) {
    Column column{"Marker " + std::to_string(c + 1), "", {}};
    for (int32_t r = 0; r < 16; r++) column.values.push_back(1 + (r * 7 + c * 3) % 11);
    columns.push_back(column);
  }
  columns[3].name = "A name far longer than any column can hold";
  Column split{"split", "0=a;1=b;2=c;3=d", {}};
  for (int32_t r = 0; r < 16; r++) split.values.push_back(r / 4);
  columns.push_back(split);
  for (ChartKind chart : {ChartKind::GroupPlot, ChartKind::BoxPlot}) {
    const std::vector<Drawn> texts = Draw(columns, chart);
    ASSERT_EQ(tables->series.SeriesCount, 40);
    // The columns by their tops: the names', the p-values', the counts', in this order.
    std::map<int32_t, std::vector<const Drawn*>> columnsAt;
    int32_t cut = 0;
    for (const Drawn& d : texts) {
      if (!d.upward) continue;
      const int32_t x = d.args[0], y = d.args[1], top = d.args[3], bottom = d.args[5];
      columnsAt[top].push_back(&d);
      // The ink of digits and small letters stays inside the column.
      EXPECT_LE(d.args[2], x + FontAscent - 155);
      EXPECT_GE(d.args[4], x + FontAscent);
      const int32_t width = int32_t(TextAdvance(d.text.c_str(), d.text.size()));
      if (width <= bottom - top) {
        EXPECT_EQ(y - width, top) << d.text;  // hanging from the column's top
      } else {
        EXPECT_EQ(y, bottom) << d.text;  // starting at its bottom, cut at the top
        cut++;
      }
    }
    EXPECT_EQ(cut, 4);  // the long name, once in each group
    ASSERT_EQ(columnsAt.size(), 3u);
    std::vector<int32_t> tops, bottoms;
    std::vector<size_t> counts;
    for (const auto& [top, drawn] : columnsAt) {
      tops.push_back(top);
      bottoms.push_back(drawn[0]->args[5]);
      counts.push_back(drawn.size());
      // Neighbouring slots' columns do not overlap.
      for (size_t i = 1; i < drawn.size(); i++) EXPECT_GE(drawn[i]->args[2], drawn[i - 1]->args[4]);
    }
    EXPECT_EQ(counts, (std::vector<size_t>{40, 36, 40}));
    EXPECT_LT(frameBottom, AcrossTestsFrameBottom);
    EXPECT_EQ(tops[0], frameBottom + TestNamesGap);
    EXPECT_EQ(tops[1], bottoms[0] + UpwardGap);
    EXPECT_EQ(tops[2], bottoms[1] + UpwardGap);
    EXPECT_EQ(bottoms[2] + UpwardGap, KeyTop);
    // "p" and "n" beside their columns, each line no longer than its column.
    for (size_t i : {1, 2}) {
      EXPECT_EQ(At(texts, tops[i]), std::vector<std::string>{i == 1 ? "p" : "n"});
      for (const Drawn& d : texts) {
        if (!d.upward && d.args[1] == tops[i]) EXPECT_LE(d.args[3], bottoms[i]);
      }
    }
    EXPECT_EQ(At(texts, KeyTop).size(), 1u);
  }
}

}  // namespace
}  // namespace qm
