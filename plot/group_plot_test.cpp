// The group plot's geometry, checked on the trace canvas: worksheets built in code go through
// the series table and the statistics, and the expected coordinates follow from the layout
// rules (frame, slots, bins, spacing) with the axis the tick choice returned.
#include "plot/group_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"
#include "testsupport/trace_ops.h"

namespace qm {
namespace {

constexpr double M = MissingValue;

using Column = testing::SheetColumn;
using Op = testing::TraceOp;
using testing::ParseTrace;

struct Segment {
  int32_t x1, y1, x2, y2;
};

// MoveTo + LineTo pairs in drawing order.
std::vector<Segment> Segments(const std::vector<Op>& ops) {
  std::vector<Segment> segments;
  for (size_t i = 0; i + 1 < ops.size(); i++) {
    if (ops[i].name == "MoveTo" && ops[i + 1].name == "LineTo") {
      segments.push_back({ops[i].args[0], ops[i].args[1], ops[i + 1].args[0], ops[i + 1].args[1]});
    }
  }
  return segments;
}

struct Centre {
  int32_t x, y;
  bool operator==(const Centre& o) const { return x == o.x && y == o.y; }
};

std::vector<Centre> EllipseCentres(const std::vector<Op>& ops) {
  std::vector<Centre> centres;
  for (const Op& op : ops) {
    if (op.name != "Ellipse") continue;
    EXPECT_EQ(op.args[2] - op.args[0], 210);
    EXPECT_EQ(op.args[3] - op.args[1], 210);
    centres.push_back({op.args[0] + 105, op.args[1] + 105});
  }
  return centres;
}

std::vector<std::string> DrawnTexts(const std::vector<Op>& ops) {
  std::vector<std::string> texts;
  for (const Op& op : ops) {
    if (op.name == "DrawText") texts.push_back(op.text);
  }
  return texts;
}

size_t IndexOf(const std::vector<Op>& ops, const std::string& name, size_t from = 0) {
  for (size_t i = from; i < ops.size(); i++) {
    if (ops[i].name == name) return i;
  }
  return ops.size();
}

// The layout rules, evaluated with the axis the chart computed.
struct Expected {
  double low, high, scale, binWidth, binHeight;
  int32_t axisX, slotWidth, half;

  int32_t Cx(int32_t s) const { return axisX + 255 + half + s * slotWidth; }
  int32_t SlotLeft(int32_t s) const { return axisX + 255 + s * slotWidth; }
  int32_t BinY(int32_t b) const { return 6630 - int32_t(b * binHeight); }
  int32_t Bin(double v, bool log = false) const {
    return int32_t(((log ? std::log(v) : v) - low) / binWidth);
  }
};

class GroupPlotTest : public ::testing::Test {
 protected:
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  std::unique_ptr<PlotTables> tables = std::make_unique<PlotTables>();
  PlotSettings settings;

  void SetGrid(const std::vector<Column>& columns) { testing::SetColumns(*grid, columns); }

  // The plot run up to the chart: series, statistics, fonts and background, then the chart.
  std::string Draw() {
    testing::QuietMessages sink;
    EXPECT_TRUE(BuildSeriesTable(tables->series, *grid, settings.Split, sink));
    RankAllSeries(tables->series, tables->ranks);
    return DrawAgain();
  }

  // The chart alone, over the series and statistics already computed.
  std::string DrawAgain() {
    TraceCanvas canvas;
    CanvasObject upright = canvas.CreateChartFont(FontKind::Upright);
    CanvasObject rotated = canvas.CreateChartFont(FontKind::Rotated);
    canvas.SelectObject(upright);
    canvas.SelectStockObject(StockBlackPen);
    canvas.SelectStockObject(StockWhiteBrush);
    ChartContext chart{canvas, settings, *grid, *tables, upright, rotated};
    EXPECT_EQ(DrawGroupPlot(chart, settings.LogFlag, settings.Mark), settings.LogFlag);
    return canvas.trace();
  }

  int32_t LabelWidth() const {
    size_t longest = 0;
    for (const AxisTick& tick : tables->ticks.entries) {
      longest = std::max(longest, std::strlen(tick.text));
    }
    return 200 * int32_t(longest);
  }

  Expected Layout(int32_t seriesCount) const {
    Expected e;
    e.low = tables->AxisLow;
    e.high = tables->AxisHigh;
    e.axisX = LabelWidth() + 1020;
    e.scale = 6120 / (e.high - e.low);
    e.binWidth = (e.high - e.low) * 0.04;
    e.binHeight = e.binWidth * e.scale;
    e.slotWidth = (9180 - e.axisX) / seriesCount;
    e.half = e.slotWidth / 2;
    return e;
  }
};

// The x positions of n points of one bin, rightmost (earliest row) first.
std::vector<int32_t> RowOfPoints(int32_t cx, int32_t n, double step) {
  std::vector<int32_t> xs;
  for (int32_t j = 0; j < n; j++) xs.push_back(cx - int32_t((j - (n - 1) * 0.5) * step));
  return xs;
}

// Connecting lines are the segments that are neither tick marks nor dividers.
std::vector<Segment> ConnectingLines(const std::vector<Op>& ops, const Expected& e) {
  std::vector<Segment> lines;
  for (const Segment& s : Segments(ops)) {
    bool tick = s.x1 == e.axisX && s.x2 == e.axisX + 255 && s.y1 == s.y2;
    bool divider = s.x1 == s.x2 && s.y1 == 6615 && s.y2 == 510;
    if (!tick && !divider) lines.push_back(s);
  }
  return lines;
}

TEST_F(GroupPlotTest, ThreeEqualValuesStandSideBySideInOneBin) {
  SetGrid({{"A", "mg/l", {1, 1, 1}}});
  auto ops = ParseTrace(Draw());
  // All values 1 on a linear axis: range 0..2, labels "0.0" .. "2.0".
  EXPECT_EQ(tables->AxisLow, 0.0);
  EXPECT_EQ(tables->AxisHigh, 2.0);
  EXPECT_EQ(LabelWidth(), 600);
  Expected e = Layout(1);
  int32_t y = e.BinY(e.Bin(1));
  std::vector<Centre> expected;
  for (int32_t x : RowOfPoints(e.Cx(0), 3, 262.5)) expected.push_back({x, y});
  EXPECT_EQ(EllipseCentres(ops), expected);
  EXPECT_EQ(expected[0].x - expected[1].x, 262);  // trunc(262.5)
}

TEST_F(GroupPlotTest, CrowdedBinsNarrowTheStepThenTurnIntoStrokes) {
  struct Case {
    int32_t count;
    double step;  // from the spacing rule with the slot of one series (7560 wide)
    bool strokes;
  };
  const Case cases[] = {
      {25, 262.5, false},              // 25 x 262.5 = 6562.5 fits into 0.9 x 7560 = 6804
      {26, 105, false},                // 26 x 262.5 = 6825 does not: step 105
      {200, 0.95 * 7560 / 200, true},  // 200 x 105 > 7182: 35.91 <= 42, strokes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    SetGrid({{"A", "", std::vector<double>(size_t(c.count), 1.0)}});
    auto ops = ParseTrace(Draw());
    Expected e = Layout(1);
    ASSERT_EQ(e.slotWidth, 7560);
    double step = 262.5;
    if (0.9 * e.slotWidth < 262.5 * c.count) step = 105;
    if (c.count * step > 0.95 * e.slotWidth) step = 0.95 * e.slotWidth / c.count;
    EXPECT_EQ(step, c.step);
    int32_t y = e.BinY(e.Bin(1));
    std::vector<int32_t> xs = RowOfPoints(e.Cx(0), c.count, step);
    if (!c.strokes) {
      std::vector<Centre> expected;
      for (int32_t x : xs) expected.push_back({x, y});
      EXPECT_EQ(EllipseCentres(ops), expected);
    } else {
      EXPECT_TRUE(EllipseCentres(ops).empty());
      std::vector<Segment> strokes;
      for (const Segment& s : Segments(ops)) {
        if (s.x1 == s.x2 && s.y1 == y - 105 && s.y2 == y + 105) strokes.push_back(s);
      }
      ASSERT_EQ(strokes.size(), xs.size());
      for (size_t j = 0; j < xs.size(); j++) EXPECT_EQ(strokes[j].x1, xs[j]);
    }
  }
}

TEST_F(GroupPlotTest, LinearAxisOfPositiveDataStartsAtZeroLogAxisAtTheTickBelow) {
  SetGrid({{"A", "", {3, 20, 47}}});
  auto ops = ParseTrace(Draw());
  EXPECT_EQ(tables->AxisLow, 0.0);
  EXPECT_EQ(tables->AxisHigh, 50.0);
  // Labels "0" .. "50": two characters, frame at 400 + 1020.
  size_t frame = IndexOf(ops, "Rectangle");
  ASSERT_LT(frame, ops.size());
  EXPECT_EQ(ops[frame].args, (std::vector<int32_t>{1420, 510, 9690, 6630}));

  settings.LogFlag = 1;
  ops = ParseTrace(Draw());
  EXPECT_DOUBLE_EQ(tables->AxisLow, std::log(2.0));  // ticks 2, 5, 10, 20, 50
  Expected e = Layout(1);
  std::vector<Centre> centres = EllipseCentres(ops);
  ASSERT_EQ(centres.size(), 3u);
  EXPECT_EQ(centres[0].y, e.BinY(e.Bin(3, true)));
  EXPECT_EQ(centres[2].y, e.BinY(e.Bin(47, true)));
}

TEST_F(GroupPlotTest, LineAtZeroOrOneOnlyWhereTheAxisHoldsIt) {
  struct Case {
    std::vector<double> values;
    int32_t log;
    bool line;
  };
  const Case cases[] = {
      {{-2, 0.5, 3}, 0, true},   // the line at 0
      {{1, 2, 3}, 0, false},     // the axis starts at 0: no line
      {{0.5, 2, 8}, 1, true},    // the line at 1 on a logarithmic axis
      {{-5, -3, -1}, 0, false},  // 0 lies above the axis top: no line outside the frame
      {{-5, -3, 0}, 0, true},    // the axis top is 0: the line runs along it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.values[0]);
    SetGrid({{"A", "", c.values}});
    settings.LineAt01 = 1;
    settings.LogFlag = c.log;
    auto ops = ParseTrace(Draw());
    Expected e = Layout(1);
    std::vector<Segment> lines;
    for (const Segment& s : Segments(ops)) {
      if (s.x2 == 9690) lines.push_back(s);
    }
    if (!c.line) {
      EXPECT_TRUE(lines.empty());
      continue;
    }
    ASSERT_EQ(lines.size(), 1u);
    int32_t y0 = 6630 + int32_t(e.scale * e.low);
    EXPECT_EQ(lines[0].x1, e.axisX + 255);
    EXPECT_EQ(lines[0].y1, y0);
    EXPECT_EQ(lines[0].y2, y0);
    // The height of 0 (of ln 1) by the value mapping.
    EXPECT_EQ(y0, 7650 - int32_t(e.scale * (0 - e.low) + 1020));
  }
  // The line is drawn before the points.
  SetGrid({{"A", "", {-2, 0.5, 3}}});
  settings.LogFlag = 0;
  auto ops = ParseTrace(Draw());
  size_t line = 0;
  for (size_t i = 0; i < ops.size(); i++) {
    if (ops[i].name == "LineTo" && ops[i].args[0] == 9690) line = i;
  }
  EXPECT_LT(line, IndexOf(ops, "Ellipse"));
}

TEST_F(GroupPlotTest, LimitMarkersAreDrawnAtTheirEstimatesOnBothAxes) {
  // Column B widens the axis so that the estimates of A lie inside it.
  const std::vector<Column> columns = {
      {"A", "", {BelowLimitMarker, 11, 12, 13, 14, 15, AboveLimitMarker}}, {"B", "", {1, 40}}};
  for (int32_t log = 0; log <= 1; log++) {
    SCOPED_TRACE(log);
    SetGrid(columns);
    settings.LogFlag = log;
    auto ops = ParseTrace(Draw());
    const Series& a = tables->series.series[0];
    Expected e = Layout(2);
    double below = log ? a.logBelowLimitEstimate : a.belowLimitEstimate;
    double above = log ? a.logAboveLimitEstimate : a.aboveLimitEstimate;
    ASSERT_GT(below, 1.0);
    ASSERT_LT(above, 40.0);
    int32_t belowBin = e.Bin(below, log);
    int32_t aboveBin = e.Bin(above, log);
    std::vector<Centre> centres = EllipseCentres(ops);
    // Slot 0 holds seven points; the markers' bins hold one point each here.
    int32_t inSlot0 = 0;
    for (const Centre& c : centres) inSlot0 += c.x < e.SlotLeft(1) ? 1 : 0;
    EXPECT_EQ(inSlot0, 7);
    for (double v : {11.0, 12.0, 13.0, 14.0, 15.0}) {
      ASSERT_NE(e.Bin(v, log), belowBin);
      ASSERT_NE(e.Bin(v, log), aboveBin);
    }
    auto has = [&](Centre c) {
      return std::find(centres.begin(), centres.end(), c) != centres.end();
    };
    EXPECT_TRUE(has({e.Cx(0), e.BinY(belowBin)}));
    EXPECT_TRUE(has({e.Cx(0), e.BinY(aboveBin)}));
    // The grid still holds the markers; only the plot's copy holds the estimates.
    EXPECT_EQ(grid->Values[2][0], BelowLimitMarker);
    EXPECT_EQ(grid->Values[8][0], AboveLimitMarker);
    EXPECT_EQ(tables->group.Values[2][0], below);
  }
}

// Marked, the estimated points are drawn again as filled grey dots over their open circles, and
// the key under the frame names the mark and that dot; unmarked, neither appears. With points as
// strokes the estimate is the stroke crossed by a short bar.
TEST_F(GroupPlotTest, MarkedLimitValuesAreFilledDotsNamedInTheKey) {
  for (int32_t marked = 0; marked <= 1; marked++) {
    SCOPED_TRACE(marked);
    SetGrid({{"A", "", {BelowLimitMarker, 11, 12, 13, 14, 15, AboveLimitMarker}},
             {"B", "", {1, 40, 20}}});
    settings.Mark = SummaryMark::Sd;
    settings.MarkLimitValues = marked;
    const std::string trace = Draw();
    const std::vector<Op> ops = ParseTrace(trace);
    const Series& a = tables->series.series[0];
    Expected e = Layout(2);
    const Centre below{e.Cx(0), e.BinY(e.Bin(a.belowLimitEstimate))};
    const Centre above{e.Cx(0), e.BinY(e.Bin(a.aboveLimitEstimate))};
    const Centre keyDot{9690 - 105, 7095 + 125};
    // The dots drawn while the grey fill is selected.
    std::vector<Centre> filled;
    std::istringstream lines(trace);
    bool grey = false;
    for (const Op& op : ops) {
      std::string line;
      std::getline(lines, line);
      if (op.name == "Brush") grey = line == "Brush solid 0x808080";
      if (op.name == "Ellipse" && grey) filled.push_back({op.args[0] + 105, op.args[1] + 105});
    }
    const std::vector<std::string> texts = DrawnTexts(ops);
    const bool keyed =
        std::find(texts.begin(), texts.end(), "\"Mean \u00b1 SD\"") != texts.end() &&
        std::find(texts.begin(), texts.end(), "\"estimated (below/above a limit)\"") != texts.end();
    if (marked) {
      EXPECT_EQ(filled, (std::vector<Centre>{below, above, keyDot}));
      EXPECT_TRUE(keyed);
      EXPECT_NE(trace.find("DrawText 100 7095 9690 7344 0 \"Mean"), std::string::npos);
      // The words end a gap short of the dot's left edge.
      EXPECT_NE(trace.find("DrawText 100 7095 9380 7344 2 \"estimated"), std::string::npos);
    } else {
      EXPECT_TRUE(filled.empty());
      EXPECT_FALSE(keyed);
      EXPECT_EQ(trace.find("0x808080"), std::string::npos);
    }
  }
}

// The key names the mark as drawn: on a logarithmic axis the mean is that of the logarithms.
TEST_F(GroupPlotTest, KeyNamesTheMarkOnEitherAxis) {
  const struct {
    SummaryMark mark;
    int32_t log;
    const char* key;
  } cases[] = {
      {SummaryMark::Mean, 0, "\"Mean\""},
      {SummaryMark::Mean, 1, "\"Mean of logs\""},
      {SummaryMark::Sem, 0, "\"Mean \u00b1 SEM\""},
      {SummaryMark::Sem, 1, "\"Mean of logs \u00b1 SEM\""},
      {SummaryMark::Sd, 0, "\"Mean \u00b1 SD\""},
      {SummaryMark::Sd, 1, "\"Mean of logs \u00b1 SD\""},
      {SummaryMark::Median, 1, "\"Median\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    SetGrid({{"A", "", {1, 2, 4, 8}}});
    settings.Mark = c.mark;
    settings.LogFlag = c.log;
    settings.MarkLimitValues = 1;
    const std::vector<std::string> texts = DrawnTexts(ParseTrace(Draw()));
    EXPECT_NE(std::find(texts.begin(), texts.end(), c.key), texts.end());
  }
}

TEST_F(GroupPlotTest, MarkedEstimateAmongStrokesIsCrossedByABar) {
  // 24 slots with eight equal values each: the points are strokes. Column A holds an Above-limit
  // marker whose estimate lies inside the axis.
  std::vector<Column> columns(24, Column{"C", "", std::vector<double>(8, 5.0)});
  columns[0].values = {AboveLimitMarker, 5, 5, 5, 5, 5, 5, 5, 5, 1, 2, 3, 4, 6, 7, 8, 9};
  columns[1].values.push_back(40);
  SetGrid(columns);
  settings.MarkLimitValues = 1;
  const std::string trace = Draw();
  const size_t greyAt = trace.find("Brush solid 0x808080");
  ASSERT_NE(greyAt, std::string::npos);
  const std::vector<Op> after = ParseTrace(trace.substr(greyAt));
  const std::vector<Segment> strokes = Segments(after);
  ASSERT_GE(strokes.size(), 4u);
  Expected e = Layout(24);
  const int32_t y = e.BinY(e.Bin(tables->series.series[0].aboveLimitEstimate));
  const Segment& tick = strokes[0];
  const Segment& bar = strokes[1];
  EXPECT_EQ(tick.x1, tick.x2);
  EXPECT_EQ(tick.y1, y - 105);
  EXPECT_EQ(tick.y2, y + 105);
  EXPECT_LT(std::abs(tick.x1 - e.Cx(0)), e.half);
  EXPECT_EQ(bar.x1, tick.x1 - 42);
  EXPECT_EQ(bar.x2, tick.x1 + 42);
  EXPECT_EQ(bar.y1, y);
  EXPECT_EQ(bar.y2, y);
  // The key shows the same marker: no summary mark, so the words for the estimate only.
  EXPECT_EQ(strokes.back().y1, 7095 + 125);
  EXPECT_EQ(strokes.back().x2, 9690 - 105 + 42);
  EXPECT_EQ(DrawnTexts(after).back(), "\"estimated (below/above a limit)\"");
  EXPECT_EQ(trace.find("Mean"), std::string::npos);
}

TEST_F(GroupPlotTest, EmptyThirdColumnAmongFiveLeavesItsSlotBehindADivider) {
  SetGrid(
      {{"A", "", {1, 2}}, {"B", "", {2, 3}}, {"C", "", {}}, {"D", "", {3, 4}}, {"E", "", {4, 5}}});
  auto ops = ParseTrace(Draw());
  Expected e = Layout(5);
  std::vector<Centre> centres = EllipseCentres(ops);
  ASSERT_EQ(centres.size(), 8u);
  const int32_t slots[] = {0, 0, 1, 1, 3, 3, 4, 4};
  for (size_t i = 0; i < centres.size(); i++) EXPECT_EQ(centres[i].x, e.Cx(slots[i]));
  std::vector<Segment> dividers;
  for (const Segment& s : Segments(ops)) {
    if (s.x1 == s.x2 && s.y1 == 6615 && s.y2 == 510) dividers.push_back(s);
  }
  ASSERT_EQ(dividers.size(), 1u);
  EXPECT_EQ(dividers[0].x1, e.SlotLeft(2));
  std::vector<std::string> texts = DrawnTexts(ops);
  std::vector<std::string> names(texts.end() - 4, texts.end());
  EXPECT_EQ(names, (std::vector<std::string>{"\"A\"", "\"B\"", "\"D\"", "\"E\""}));
}

TEST_F(GroupPlotTest, NonPairedSplitGivesHeadingsPerColumnAndLabelsPerGroup) {
  SetGrid({{"split", "0=ctrl;1=dose", {0, 1, 0, 1}},
           {"A", "", {1, 2, 3, 4}},
           {"B", "", {2, 3, 4, 5}},
           {"C", "", {3, 4, 5, 6}}});
  settings.Split = SplitMode::NonPaired;
  settings.ConnectingLines = 1;
  auto ops = ParseTrace(Draw());
  ASSERT_EQ(tables->series.SeriesCount, 6);
  Expected e = Layout(6);
  const int32_t groupWidth = e.slotWidth * 2;
  std::vector<Op> texts;
  for (const Op& op : ops) {
    if (op.name == "DrawText" && op.args[1] == 30) texts.push_back(op);
  }
  ASSERT_EQ(texts.size(), 3u);
  const char* headings[] = {"\"A\"", "\"B\"", "\"C\""};
  for (int32_t c = 0; c < 3; c++) {
    int32_t xg = e.axisX + 255 + groupWidth / 2 + c * groupWidth;
    EXPECT_EQ(texts[c].text, headings[c]);
    EXPECT_EQ(texts[c].args, (std::vector<int32_t>{xg - groupWidth / 4, 30, xg + groupWidth / 4,
                                                   730, int32_t(TextBoxCenter | TextBoxBottom)}));
  }
  std::vector<std::string> names;
  for (const Op& op : ops) {
    if (op.name == "DrawText" && op.args[1] == 6850) names.push_back(op.text);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"\"ctrl\"", "\"dose\"", "\"ctrl\"", "\"dose\"",
                                             "\"ctrl\"", "\"dose\""}));
  std::vector<Segment> lines = ConnectingLines(ops, e);
  std::vector<int32_t> dividerXs;
  for (const Segment& s : Segments(ops)) {
    if (s.x1 == s.x2 && s.y1 == 6615 && s.y2 == 510) dividerXs.push_back(s.x1);
  }
  EXPECT_EQ(dividerXs, (std::vector<int32_t>{e.SlotLeft(2), e.SlotLeft(4)}));
  EXPECT_TRUE(lines.empty());
}

TEST_F(GroupPlotTest, PairedConnectingLinesStayInsideTheirGroupBlock) {
  // Rows alternate between groups 0 and 1; every value lies in a bin of its own.
  SetGrid({{"split", "", {0, 1, 0, 1}}, {"A", "", {1, 2, 3, 4}}, {"B", "", {9, 8, 7, 6}}});
  settings.Split = SplitMode::Paired;
  settings.ConnectingLines = 1;
  auto ops = ParseTrace(Draw());
  ASSERT_EQ(tables->series.SeriesCount, 4);  // A/0, B/0, A/1, B/1
  Expected e = Layout(4);
  std::vector<Segment> expected;
  const double a[] = {1, 2, 3, 4};
  const double b[] = {9, 8, 7, 6};
  for (int32_t r = 0; r < 4; r++) {
    int32_t g = r % 2;
    expected.push_back({e.Cx(2 * g), e.BinY(e.Bin(a[r])), e.Cx(2 * g + 1), e.BinY(e.Bin(b[r]))});
  }
  std::vector<Segment> lines = ConnectingLines(ops, e);
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); i++) {
    EXPECT_EQ(lines[i].x1, expected[i].x1);
    EXPECT_EQ(lines[i].y1, expected[i].y1);
    EXPECT_EQ(lines[i].x2, expected[i].x2);
    EXPECT_EQ(lines[i].y2, expected[i].y2);
  }
  // One divider, before the block of group 1.
  std::vector<int32_t> dividerXs;
  for (const Segment& s : Segments(ops)) {
    if (s.x1 == s.x2 && s.y1 == 6615 && s.y2 == 510) dividerXs.push_back(s.x1);
  }
  EXPECT_EQ(dividerXs, (std::vector<int32_t>{e.SlotLeft(2)}));
}

TEST_F(GroupPlotTest, ConnectingLinesJoinNeighboursAndSkipAMissingMiddleValue) {
  SetGrid({{"A", "", {1, 2, 3}}, {"B", "", {4, M, 6}}, {"C", "", {7, 8, 9}}});
  settings.ConnectingLines = 1;
  auto ops = ParseTrace(Draw());
  Expected e = Layout(3);
  std::vector<Segment> lines = ConnectingLines(ops, e);
  // Rows 1 and 3 give two lines each; row 2 gives none.
  ASSERT_EQ(lines.size(), 4u);
  const double rows[2][3] = {{1, 4, 7}, {3, 6, 9}};
  for (int32_t i = 0; i < 2; i++) {
    for (int32_t s = 0; s < 2; s++) {
      const Segment& l = lines[size_t(2 * i + s)];
      EXPECT_EQ(l.x1, e.Cx(s));
      EXPECT_EQ(l.y1, e.BinY(e.Bin(rows[i][s])));
      EXPECT_EQ(l.x2, e.Cx(s + 1));
      EXPECT_EQ(l.y2, e.BinY(e.Bin(rows[i][s + 1])));
    }
  }
}

TEST_F(GroupPlotTest, ConnectingLineEndsAtTheDrawnPointOfACrowdedBin) {
  // Rows 1 and 2 of A share a bin: row 1 stands right, row 2 left of the centre.
  SetGrid({{"A", "", {5, 5}}, {"B", "", {1, 9}}});
  settings.ConnectingLines = 1;
  auto ops = ParseTrace(Draw());
  Expected e = Layout(2);
  std::vector<int32_t> xs = RowOfPoints(e.Cx(0), 2, 262.5);
  std::vector<Segment> lines = ConnectingLines(ops, e);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].x1, xs[0]);
  EXPECT_EQ(lines[1].x1, xs[1]);
  EXPECT_EQ(lines[0].y2, e.BinY(e.Bin(1)));
  EXPECT_EQ(lines[1].y2, e.BinY(e.Bin(9)));
}

TEST_F(GroupPlotTest, HugeNumbersBeyondTheMarkersAreNeitherDrawnNorJoined) {
  // They collapse the range to the fallback 0 .. 1.5 and lie far outside every bin.
  SetGrid({{"A", "", {0.2, 0.4, 1e300, 0.6}}, {"B", "", {0.2, 0.4, 0.6, -1e300}}});
  settings.ConnectingLines = 1;
  auto ops = ParseTrace(Draw());
  EXPECT_EQ(tables->AxisLow, 0.0);
  EXPECT_EQ(tables->AxisHigh, 1.5);
  Expected e = Layout(2);
  EXPECT_EQ(EllipseCentres(ops).size(), 6u);
  std::vector<Segment> lines = ConnectingLines(ops, e);
  EXPECT_EQ(lines.size(), 2u);  // rows 1 and 2 only
}

TEST_F(GroupPlotTest, AnEstimateAboveTheDataWidensTheAxis) {
  // The Above-limit estimate of A lies above every value: the axis widens to hold it, so it is
  // drawn and joined like the others.
  SetGrid({{"A", "", {1, 2, 3, 4, 5, AboveLimitMarker}}, {"B", "", {1, 2, 3, 4, 5, 5}}});
  settings.ConnectingLines = 1;
  auto ops = ParseTrace(Draw());
  Expected e = Layout(2);
  const double estimate = tables->series.series[0].aboveLimitEstimate;
  ASSERT_GT(estimate, 5);
  EXPECT_GE(tables->AxisHigh, estimate);
  EXPECT_EQ(tables->group.PointBin[7][0], e.Bin(estimate));
  EXPECT_EQ(EllipseCentres(ops).size(), 12u);
  EXPECT_EQ(ConnectingLines(ops, e).size(), 6u);
}

TEST_F(GroupPlotTest, LogAxisLeavesOutValuesWithoutALogarithm) {
  // -1e300 counts as a value below the markers: the range falls back to 0.5 .. 3, and on a
  // logarithmic axis the cell takes the estimate 0 (no markers), which has no logarithm.
  SetGrid({{"A", "", {-1e300, 1, 2, 3}}});
  settings.LogFlag = 1;
  auto ops = ParseTrace(Draw());
  EXPECT_EQ(EllipseCentres(ops).size(), 3u);
  EXPECT_EQ(tables->group.PointBin[2][0], -1);
}

TEST_F(GroupPlotTest, RefusedLogAxisDrawsLinearlyWithTheLogEstimatesInPlace) {
  // A 0 among the values refuses the logarithmic axis; the marker and the 0 still take the
  // log-scale estimate and stand there on the linear axis.
  SetGrid({{"A", "", {BelowLimitMarker, 0, 1, 2, 3, 4, 5}}});
  settings.LogFlag = 1;
  auto ops = ParseTrace(Draw());
  EXPECT_EQ(tables->AxisLow, 0.0);
  const double estimate = tables->series.series[0].logBelowLimitEstimate;
  ASSERT_GT(estimate, 0.0);
  Expected e = Layout(1);
  EXPECT_EQ(tables->group.Values[2][0], estimate);
  EXPECT_EQ(tables->group.Values[3][0], estimate);
  EXPECT_EQ(tables->group.PointBin[2][0], e.Bin(estimate));
  EXPECT_EQ(tables->group.PointBin[3][0], e.Bin(estimate));
  EXPECT_EQ(tables->group.PointBinOrder[3][0], 2);
  EXPECT_EQ(EllipseCentres(ops).size(), 7u);
}

TEST_F(GroupPlotTest, SevenCharacterLabelsPutTheFrameAt2420) {
  SetGrid({{"A", "", {-1000.5, -1000.3, -1000.1}}});
  auto ops = ParseTrace(Draw());
  ASSERT_EQ(LabelWidth(), 1400);  // "-1000.5"
  size_t frame = IndexOf(ops, "Rectangle");
  EXPECT_EQ(ops[frame].args, (std::vector<int32_t>{2420, 510, 9690, 6630}));
  Expected e = Layout(1);
  int32_t labels = 0;
  for (const Op& op : ops) {
    if (op.name != "DrawText" || op.args[4] != int32_t(TextBoxRight)) continue;
    EXPECT_EQ(op.args[0], 2420 - 1400 - 200);
    EXPECT_EQ(op.args[2], 2320);
    labels++;
  }
  EXPECT_EQ(labels, 5);
  // Inner ticks from the axis 255 inward; the end ticks lie on the frame and are not drawn.
  int32_t ticks = 0;
  for (const Segment& s : Segments(ops)) {
    if (s.x1 == 2420 && s.x2 == 2420 + 255) {
      ticks++;
      EXPECT_GT(s.y1, 510);
      EXPECT_LT(s.y1, 6630);
    }
  }
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(e.axisX, 2420);
}

TEST_F(GroupPlotTest, CaptionObjectsAndDrawingOrder) {
  SetGrid({{"A", "mg/l", {1, 2, 3}}, {"B", "other", {2, 3, 4}}});
  settings.ConnectingLines = 1;
  settings.Mark = SummaryMark::Sd;
  settings.BlueBackground = 1;
  const std::string trace = Draw();
  auto ops = ParseTrace(trace);
  std::vector<std::string> lines;
  std::istringstream in(trace);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), ops.size());
  // Fonts and background come first (3 lines), then the chart's outline pen.
  EXPECT_EQ(lines[3], "Pen 0 5 0x000000");
  size_t frameBrush = IndexOf(ops, "Brush");
  size_t rotated = IndexOf(ops, "Font", 4);
  size_t caption = IndexOf(ops, "TextOut");
  size_t upright = IndexOf(ops, "Font", rotated + 1);
  size_t frame = IndexOf(ops, "Rectangle");
  size_t firstLabel = IndexOf(ops, "DrawText");
  size_t hollow = IndexOf(ops, "Brush", frameBrush + 1);
  size_t firstPoint = IndexOf(ops, "Ellipse");
  size_t fill = IndexOf(ops, "Brush", hollow + 1);
  size_t mark = IndexOf(ops, "Polygon");
  EXPECT_LT(frameBrush, rotated);
  EXPECT_LT(rotated, caption);
  EXPECT_LT(caption, upright);
  EXPECT_LT(upright, frame);
  EXPECT_LT(frame, firstLabel);
  EXPECT_LT(firstLabel, hollow);
  EXPECT_LT(hollow, firstPoint);
  EXPECT_LT(firstPoint, fill);
  EXPECT_LT(fill, mark);
  EXPECT_EQ(lines[frameBrush], "Brush solid 0xB40000");
  EXPECT_EQ(lines[rotated], "Font rotated");
  EXPECT_EQ(lines[caption], "TextOut 100 3970 \"mg/l\"");  // 3570 + 800 / 2
  EXPECT_EQ(lines[hollow], "Brush null");
  EXPECT_EQ(lines[fill], "Brush solid 0x00FFFF");
  EXPECT_EQ(lines[lines.size() - 2], "Stock 0");
  EXPECT_EQ(lines[lines.size() - 1], "Stock 7");
  // Connecting lines come after the last point and before the marks.
  Expected e = Layout(2);
  std::vector<Segment> joins = ConnectingLines(ops, e);
  ASSERT_FALSE(joins.empty());
  size_t lastPoint = 0;
  for (size_t i = 0; i < ops.size(); i++) {
    if (ops[i].name == "Ellipse") lastPoint = i;
  }
  size_t firstJoin = ops.size();
  for (size_t i = lastPoint; i < ops.size(); i++) {
    if (ops[i].name == "MoveTo") {
      firstJoin = i;
      break;
    }
  }
  EXPECT_LT(lastPoint, firstJoin);
  EXPECT_LT(firstJoin, fill);
}

TEST_F(GroupPlotTest, NoSummaryMarkSelectsNoFillBrush) {
  SetGrid({{"A", "", {1, 2, 3}}});
  settings.Mark = SummaryMark::None;
  {
    const std::string trace = Draw();
    EXPECT_EQ(trace.find("Brush solid"), std::string::npos);
    EXPECT_EQ(trace.find("Polygon"), std::string::npos);
  }
}

TEST_F(GroupPlotTest, GridUnchangedAndTheSameGridDrawsTheSamePictureTwice) {
  SetGrid({{"A", "", {BelowLimitMarker, 1, 2, 3, 4, 5, 0, AboveLimitMarker}},
           {"B", "", {2, 2, 2, 3, 3, 4}}});
  settings.ConnectingLines = 1;
  settings.Mark = SummaryMark::BoxPlot;
  for (int32_t log = 0; log <= 1; log++) {
    SCOPED_TRACE(log);
    settings.LogFlag = log;
    auto before = std::make_unique<WorksheetGrid>(*grid);
    const std::string first = Draw();
    EXPECT_EQ(std::memcmp(before.get(), grid.get(), sizeof(WorksheetGrid)), 0);
    EXPECT_EQ(Draw(), first);
    EXPECT_EQ(DrawAgain(), first);
  }
}

TEST_F(GroupPlotTest, NoSeriesOrNoGroupDrawsFrameAxisAndCaptionOnly) {
  struct Case {
    std::vector<Column> columns;
    int32_t splitMode;
  };
  const Case cases[] = {
      {{}, 0},                                            // no column at all
      {{{"split", "0=a", {}}}, 2},                        // the split column alone
      {{{"split", "", {12, 15}}, {"A", "", {1, 2}}}, 1},  // no code 0..9 present
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.splitMode);
    SetGrid(c.columns);
    settings.Split = SplitMode(c.splitMode);
    settings.ConnectingLines = 1;
    settings.LineAt01 = 1;
    settings.Mark = SummaryMark::Mean;
    auto ops = ParseTrace(Draw());
    EXPECT_EQ(tables->series.SeriesCount, 0);
    EXPECT_EQ(IndexOf(ops, "Ellipse"), ops.size());
    EXPECT_EQ(IndexOf(ops, "Polygon"), ops.size());
    size_t caption = IndexOf(ops, "TextOut");
    ASSERT_LT(caption, ops.size());
    EXPECT_EQ(ops[caption].text, "\"\"");
    EXPECT_EQ(ops[caption].args, (std::vector<int32_t>{100, 3570}));
    size_t frame = IndexOf(ops, "Rectangle");
    ASSERT_LT(frame, ops.size());
    EXPECT_EQ(ops[frame].args[0], LabelWidth() + 1020);
    for (const Op& op : ops) {
      if (op.name == "DrawText") {
        EXPECT_EQ(op.args[4], int32_t(TextBoxRight));
      }
    }
  }
}

}  // namespace
}  // namespace qm
