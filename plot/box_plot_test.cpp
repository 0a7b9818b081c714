// Geometry of the box plot on the trace canvas: a grid built in code, its series ranked, the
// chart drawn, and the trace lines compared with positions worked out from the layout rules.
#include "plot/box_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"
#include "plot/plot_run.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "stats/series_table.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"

namespace qm {
namespace {

constexpr double B = BelowLimitMarker;
constexpr double A = AboveLimitMarker;

using Column = testing::SheetColumn;

// One chart drawn over a grid of the given columns.
struct Drawing {
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  std::unique_ptr<PlotTables> tables = std::make_unique<PlotTables>();
  PlotSettings settings;
  TraceCanvas canvas;
  int32_t flag = -1;
  std::vector<std::string> lines;  // what DrawBoxPlot drew, one trace line each

  Drawing(const std::vector<Column>& columns, int32_t splitMode = 0, int32_t logFlag = 0) {
    settings.Chart = ChartKind::BoxPlot;
    settings.Split = SplitMode(splitMode);
    settings.LogFlag = logFlag;
    testing::SetColumns(*grid, columns);
  }

  // `adjust` edits the ranked table before drawing, for states a grid cannot produce.
  void Draw(const std::function<void(SeriesTable&)>& adjust = nullptr) {
    testing::QuietMessages sink;
    ASSERT_TRUE(BuildSeriesTable(tables->series, *grid, settings.Split, sink));
    RankAllSeries(tables->series, tables->ranks);
    if (adjust) adjust(tables->series);
    const ChartCanvas objects = PrepareChartCanvas(canvas, settings);
    const size_t start = canvas.trace().size();
    ChartContext chart{canvas, settings, *grid, *tables, objects.upright, objects.rotated};
    flag = DrawBoxPlot(chart, settings.LogFlag);
    std::istringstream in(canvas.trace().substr(start));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }

  const Series& series(int32_t k) const { return tables->series.series[k]; }

  // Index of the first line equal to `line` at or after `from`; -1 when there is none.
  int32_t Find(const std::string& line, int32_t from = 0) const {
    for (size_t i = size_t(from); i < lines.size(); i++) {
      if (lines[i] == line) return int32_t(i);
    }
    return -1;
  }
  int32_t CountPrefix(const std::string& prefix) const {
    int32_t n = 0;
    for (const std::string& l : lines) n += l.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
  std::vector<std::string> WithPrefix(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    }
    return out;
  }
  // True when the lines follow each other directly, starting at some place.
  bool HasRun(const std::vector<std::string>& run) const {
    for (size_t i = 0; i + run.size() <= lines.size(); i++) {
      bool all = true;
      for (size_t j = 0; j < run.size() && all; j++) all = lines[i + j] == run[j];
      if (all) return true;
    }
    return false;
  }
};

// The frame's left edge: 1020 beyond 200 units per character of the longest tick text.
int32_t AxisX(const Drawing& d) {
  size_t longest = 0;
  for (const AxisTick& tick : d.tables->ticks.entries) {
    longest = std::max(longest, strnlen(tick.text, sizeof tick.text));
  }
  return 1020 + 200 * int32_t(longest);
}

// The height of a data value on an axis from low to high (logarithms on a log axis).
int32_t ExpectY(double v, double low, double high, bool log = false) {
  const double scale = 6120.0 / (high - low);
  return 7650 - int32_t(scale * ((log ? std::log(v) : v) - low) + 1020);
}

std::string Move(int32_t x, int32_t y) {
  return "MoveTo " + std::to_string(x) + " " + std::to_string(y);
}
std::string LineTo(int32_t x, int32_t y) {
  return "LineTo " + std::to_string(x) + " " + std::to_string(y);
}
std::string Text(int32_t l, int32_t t, int32_t r, int32_t b, int32_t flags, const std::string& s) {
  return "DrawText " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
         std::to_string(b) + " " + std::to_string(flags) + " \"" + s + "\"";
}
std::string Polygon(const std::vector<Point>& points) {
  std::string out = "Polygon";
  for (const Point& p : points) out += " " + std::to_string(p.x) + " " + std::to_string(p.y);
  return out;
}

// The notched outline around centre x, half-width t, from the seven heights.
std::string Outline(int32_t x, int32_t t, int32_t q10, int32_t q25, int32_t nl, int32_t m,
                    int32_t nu, int32_t q75, int32_t q90) {
  return Polygon({{x, q90},
                  {x, q75},
                  {x - t, q75},
                  {x - t, nu},
                  {x, m},
                  {x - t, nl},
                  {x - t, q25},
                  {x, q25},
                  {x, q10},
                  {x, q25},
                  {x + t, q25},
                  {x + t, nl},
                  {x, m},
                  {x + t, nu},
                  {x + t, q75},
                  {x, q75}});
}

std::vector<double> Range(double from, double step, int32_t n) {
  std::vector<double> v;
  for (int32_t i = 0; i < n; i++) v.push_back(from + step * i);
  return v;
}

// Four series of nine values in 100..470: ticks 0..500 by 100, so the longest tick text has
// three characters.
TEST(BoxPlotLayout, FourSeriesSlotsAndFirstBox) {
  Drawing d({{"A", "mg/l", {100, 150, 200, 250, 300, 350, 400, 450, 470}},
             {"B", "", Range(120, 40, 9)},
             {"C", "", Range(110, 30, 9)},
             {"D", "", Range(200, 20, 9)}});
  d.Draw();
  EXPECT_EQ(d.flag, 0);
  EXPECT_EQ(d.tables->AxisLow, 0.0);
  EXPECT_EQ(d.tables->AxisHigh, 500.0);

  const int32_t labelWidth = 600, axisX = 1620, slotWidth = (9180 - axisX) / 4;
  ASSERT_EQ(slotWidth, 1890);
  const int32_t half = slotWidth / 2, third = slotWidth / 3;

  // Caption, frame, then ticks: marks only between the end ticks, labels for all.
  const int32_t caption = d.Find("TextOut 100 3970 \"mg/l\"");
  const int32_t frame = d.Find("Rectangle 1620 510 9690 6630");
  ASSERT_GE(caption, 1);
  EXPECT_EQ(d.lines[caption - 1], "Font rotated");
  EXPECT_EQ(d.lines[caption + 1], "Font upright");
  EXPECT_EQ(frame, caption + 2);
  for (int32_t i = 0; i <= 5; i++) {
    const int32_t y = 6630 - int32_t(i * 100 * (6120.0 / 500));
    const std::string label =
        Text(axisX - labelWidth - 200, y - 200, axisX - 100, y + 200, 2, std::to_string(i * 100));
    EXPECT_GT(d.Find(label), frame) << label;
    const bool marked = d.HasRun({Move(axisX, y), LineTo(axisX + 255, y)});
    EXPECT_EQ(marked, i > 0 && i < 5) << i;
  }
  EXPECT_EQ(d.CountPrefix("MoveTo"), 4);  // tick marks only: boxes are polygons

  for (int32_t k = 0; k < 4; k++) {
    const Series& s = d.series(k);
    const int32_t x = axisX + 255 + half + k * slotWidth;
    auto y = [](double v) { return ExpectY(v, 0, 500); };
    const int32_t m = y(s.median);
    const std::string outline =
        Outline(x, third, y(s.quantile10), y(s.quantile25), y(s.medianLower), m, y(s.medianUpper),
                y(s.quantile75), y(s.quantile90));
    const std::string name = Text(x - half, 6850, x + half, 7550, 9, std::string(1, 'A' + k));
    EXPECT_TRUE(d.HasRun({"Brush solid 0x7F7F7F", name, outline})) << k;
  }
  // The first box: 2190 to 3450 around 2820, its name in (1875, 6850)-(3765, 7550).
  EXPECT_GE(d.Find(Text(1875, 6850, 3765, 7550, 9, "A")), 0);
  const std::vector<std::string> polygons = d.WithPrefix("Polygon");
  ASSERT_EQ(polygons.size(), 4u);
  EXPECT_NE(polygons[0].find(" 2190 "), std::string::npos);
  EXPECT_NE(polygons[0].find(" 3450 "), std::string::npos);
  EXPECT_EQ(polygons[0].rfind("Polygon 2820 ", 0), 0u);

  // Released to the stock objects at the very end.
  ASSERT_GE(d.lines.size(), 2u);
  EXPECT_EQ(d.lines[d.lines.size() - 2], "Stock 0");
  EXPECT_EQ(d.lines.back(), "Stock 7");
}

// With values 3..47 a linear axis starts at 0; a log axis at the tick 2 below the smallest value.
TEST(BoxPlotAxis, AllPositiveStartsAtZeroOrAtTickBelow) {
  Drawing linear({{"A", "", {3, 10, 20, 47}}});
  linear.Draw();
  EXPECT_EQ(linear.flag, 0);
  EXPECT_EQ(linear.tables->AxisLow, 0.0);
  EXPECT_EQ(linear.tables->AxisHigh, 50.0);
  // Ticks 0..50 by 10: two-character labels, axis at 1420, one slot 7760 wide.
  const int32_t x = 1420 + 255 + (9180 - 1420) / 2;
  EXPECT_TRUE(linear.HasRun({Move(x, ExpectY(3, 0, 50)), LineTo(x, ExpectY(47, 0, 50))}));

  Drawing log({{"A", "", {3, 10, 20, 47}}}, 0, 1);
  log.Draw();
  EXPECT_EQ(log.flag, 1);
  const double low = log.tables->AxisLow, high = log.tables->AxisHigh;
  EXPECT_NEAR(low, std::log(2.0), 1e-6);
  EXPECT_NEAR(high, std::log(50.0), 1e-6);
  EXPECT_TRUE(
      log.HasRun({Move(x, ExpectY(3, low, high, true)), LineTo(x, ExpectY(47, low, high, true))}));
  EXPECT_GE(log.Find(Text(1420 - 400 - 200, 6630 - 200, 1320, 6630 + 200, 2, "2")), 0);
}

// A value of 0 or below refuses the log axis: linear ticks -2..8 and the returned flag 0. With
// LineAt01 the zero line runs from the tick marks' end to the frame's right edge.
TEST(BoxPlotAxis, LogRefusedByNonPositiveValueAndZeroLine) {
  Drawing d({{"A", "", {-2, 5, 8}}}, 0, 1);
  d.settings.LineAt01 = 1;
  d.Draw();
  EXPECT_EQ(d.flag, 0);
  EXPECT_EQ(d.tables->AxisLow, -2.0);
  EXPECT_EQ(d.tables->AxisHigh, 8.0);
  const int32_t axisX = 1020 + 400;  // "-2" is the longest label
  const int32_t y0 = 6630 + int32_t(6120.0 / 10 * -2);
  EXPECT_TRUE(d.HasRun({Move(axisX + 255, y0), LineTo(9690, y0)}));
  EXPECT_GE(d.Find(Text(axisX - 600, 6630 - 200, axisX - 100, 6630 + 200, 2, "-2")), 0);

  // Without LineAt01 there is no zero line.
  Drawing plain({{"A", "", {-2, 5, 8}}});
  plain.Draw();
  EXPECT_FALSE(plain.HasRun({Move(axisX + 255, y0), LineTo(9690, y0)}));
}

// All-negative data: 0 is not on the axis, so no line is drawn above the frame.
TEST(BoxPlotAxis, NoZeroLineWhenZeroIsOffTheAxis) {
  Drawing d({{"A", "", {-9, -5, -2}}});
  d.settings.LineAt01 = 1;
  d.Draw();
  ASSERT_LT(d.tables->AxisHigh, 0.0);
  EXPECT_EQ(d.CountPrefix("LineTo 9690 "), 0);
}

// On a log axis whose low is below 1 the line marks the value 1.
TEST(BoxPlotAxis, LogZeroLineMarksOne) {
  Drawing d({{"A", "", {0.5, 3, 1000}}}, 0, 1);
  d.settings.LineAt01 = 1;
  d.Draw();
  ASSERT_EQ(d.flag, 1);
  const double low = d.tables->AxisLow, high = d.tables->AxisHigh;
  ASSERT_LT(low, 0);
  const int32_t y0 = 6630 + int32_t(6120.0 / (high - low) * low);
  EXPECT_NEAR(y0, ExpectY(1, low, high, true), 1);
  EXPECT_EQ(d.CountPrefix("LineTo 9690 " + std::to_string(y0)), 1);
}

// Five values: the quartiles 2 and 4 would set the axis 0..4, but the line runs from the minimum
// 1 to the maximum 100, so the axis widens to hold it; the median bar sits at 3.
TEST(BoxPlotMarks, FiveValuesLineWidensTheAxisToItsEnds) {
  Drawing d({{"A", "", {4, 100, 1, 3, 2}}});
  d.Draw();
  EXPECT_EQ(d.tables->AxisLow, 0.0);
  EXPECT_EQ(d.tables->AxisHigh, 100.0);
  const int32_t axisX = 1620, slotWidth = 9180 - axisX;
  const int32_t x = axisX + 255 + slotWidth / 2, third = slotWidth / 3;
  EXPECT_TRUE(d.HasRun({Move(x - third, ExpectY(3, 0, 100)), LineTo(x + third, ExpectY(3, 0, 100)),
                        Move(x, ExpectY(1, 0, 100)), LineTo(x, 510)}));
  EXPECT_EQ(d.CountPrefix("Polygon"), 0);
}

// 1 and 2 values have no median and get the line alone; 3 to 5 values get the bar 2 x third wide.
TEST(BoxPlotMarks, SmallSeriesLineAndMedianBar) {
  const struct {
    std::vector<double> values;
    bool bar;
  } cases[] = {{{7}, false},
               {{4, 9}, false},
               {{2, 5, 8}, true},
               {{1, 6, 2, 8}, true},
               {{1, 2, 6, 8, 9}, true}};
  for (const auto& c : cases) {
    Drawing d({{"A", "", c.values}});
    d.Draw();
    const double low = d.tables->AxisLow, high = d.tables->AxisHigh;
    const Series& s = d.series(0);
    const int32_t axisX = AxisX(d);
    const int32_t slotWidth = 9180 - axisX;
    const int32_t x = axisX + 255 + slotWidth / 2, third = slotWidth / 3;
    double lo = c.values[0], hi = c.values[0];
    for (double v : c.values) lo = std::min(lo, v), hi = std::max(hi, v);
    const std::vector<std::string> line = {Move(x, ExpectY(lo, low, high)),
                                           LineTo(x, ExpectY(hi, low, high))};
    EXPECT_TRUE(d.HasRun(line)) << c.values.size();
    if (c.bar) {
      const int32_t ym = ExpectY(s.median, low, high);
      EXPECT_TRUE(d.HasRun({Move(x - third, ym), LineTo(x + third, ym), line[0], line[1]}));
      EXPECT_EQ(d.CountPrefix("MoveTo " + std::to_string(x - third)), 1);
    } else {
      EXPECT_LE(s.median, MissingValue);
      EXPECT_EQ(d.CountPrefix("MoveTo " + std::to_string(x - third)), 0);
    }
    EXPECT_EQ(d.CountPrefix("Polygon"), 0);
  }
}

// Marked limit values: the box plot draws no points, so its key names its shapes only, and
// the shape of a small series where there is one; unmarked, no key.
TEST(BoxPlotMarks, MarkedLimitValuesKeyNamesTheShapes) {
  const std::string boxes = "Median \u00b1 SE notch, box 25-75 %, whiskers 10-90 %";
  const struct {
    std::vector<std::vector<double>> columns;
    int32_t marked;
    std::string key;  // "" for none
  } cases[] = {
      {{Range(1, 1, 9)}, 0, ""},
      {{Range(1, 1, 9)}, 1, boxes},
      {{Range(1, 1, 9), {2, 3}}, 1, boxes + "; up to 5 values: median, range"},
  };
  for (const auto& c : cases) {
    std::vector<Column> columns;
    for (const auto& values : c.columns) columns.push_back({"A", "", values});
    Drawing d(columns);
    d.settings.MarkLimitValues = c.marked;
    d.Draw();
    const std::vector<std::string> keys = d.WithPrefix("DrawText 100 7095 ");
    if (c.key.empty()) {
      EXPECT_TRUE(keys.empty());
    } else {
      EXPECT_EQ(keys, std::vector<std::string>{Text(100, 7095, 9690, 7344, 0, c.key)});
    }
    EXPECT_EQ(d.CountPrefix("Ellipse"), 0);  // no estimate marker without points
  }
}

// Six to eight values: no 10 % and 90 % quantiles and no upper median limit, so the upper
// whisker sits on the upper quartile and the lower whisker point and notch top on the median.
TEST(BoxPlotMarks, SixToEightValuesCollapsedWhiskers) {
  Drawing d({{"A", "", {2, 4, 4, 4, 5, 5, 7, 9}}});
  d.Draw();
  // Quartiles 4 and 5.5 give the axis 0..6 by 1.
  EXPECT_EQ(d.tables->AxisHigh, 6.0);
  auto y = [](double v) { return ExpectY(v, 0, 6); };
  const int32_t axisX = 1220, slotWidth = 9180 - axisX;
  const int32_t x = axisX + 255 + slotWidth / 2, t = slotWidth / 3;
  const int32_t m = y(4.5);
  EXPECT_EQ(d.WithPrefix("Polygon"),
            std::vector<std::string>{Outline(x, t, m, y(4), y(4), m, m, y(5.5), y(5.5))});
}

// Every value equal: high becomes low + 1 before the ticks, and the box is flat.
TEST(BoxPlotMarks, AllValuesEqual) {
  Drawing d({{"A", "", std::vector<double>(10, 5.0)}});
  d.Draw();
  EXPECT_EQ(d.tables->AxisLow, 0.0);
  EXPECT_EQ(d.tables->AxisHigh, 6.0);
  const int32_t y = ExpectY(5, 0, 6);
  const int32_t axisX = 1220, slotWidth = 9180 - axisX;
  const int32_t x = axisX + 255 + slotWidth / 2, t = slotWidth / 3;
  EXPECT_EQ(d.WithPrefix("Polygon"), std::vector<std::string>{Outline(x, t, y, y, y, y, y, y, y)});
}

// An empty column without a split column: a divider at its slot's left edge, no name, and the
// next series keeps its own slot.
TEST(BoxPlotSlots, EmptyColumnWithoutSplit) {
  Drawing d({{"A", "", {1, 2, 3}}, {"B", "", {}}, {"C", "", {2, 3, 4}}});
  d.Draw();
  const int32_t axisX = 1220, slotWidth = (9180 - axisX) / 3, half = slotWidth / 2;
  auto cx = [&](int32_t k) { return axisX + 255 + half + k * slotWidth; };
  EXPECT_TRUE(
      d.HasRun({"Brush solid 0x7F7F7F", Move(cx(1) - half, 6615), LineTo(cx(1) - half, 510),
                "Brush solid 0x7F7F7F", Text(cx(2) - half, 6850, cx(2) + half, 7550, 9, "C")}));
  EXPECT_EQ(d.Find(Text(cx(1) - half, 6850, cx(1) + half, 7550, 9, "B")), -1);
  EXPECT_EQ(d.Find(Move(cx(0) - half, 6615)), -1);  // A has values: no divider
  EXPECT_EQ(d.Find(Move(cx(2) - half, 6615)), -1);
}

// Paired split with three data columns and two groups: two blocks of three slots, one divider
// before the fourth, the group labels as headings, colours 0, 1, 2 in each block.
TEST(BoxPlotSlots, PairedSplitBlocks) {
  Drawing d({{"X", "", Range(1, 1, 6)},
             {"split", "0=ctrl;1=dose", {0, 1, 0, 1, 0, 1}},
             {"Y", "", Range(2, 1, 6)},
             {"Z", "", Range(3, 1, 6)}},
            1);
  d.Draw();
  ASSERT_EQ(d.tables->series.SeriesCount, 6);
  const int32_t axisX = 1220, slotWidth = (9180 - axisX) / 6, half = slotWidth / 2;
  const int32_t groupWidth = 3 * slotWidth, q = groupWidth / 4;
  for (int32_t j = 0; j < 2; j++) {
    const int32_t xj = axisX + 255 + groupWidth / 2 + j * groupWidth;
    EXPECT_GE(d.Find(Text(xj - q, 20, xj + q, 720, 9, j == 0 ? "ctrl" : "dose")), 0) << j;
  }
  const char* names[] = {"X", "Y", "Z"};
  const char* colours[] = {"Brush solid 0xFFFFFF", "Brush solid 0x7F7F7F", "Brush solid 0x000000"};
  EXPECT_EQ(d.CountPrefix("Brush"), 6);
  int32_t at = 0;
  for (int32_t k = 0; k < 6; k++) {
    const int32_t x = axisX + 255 + half + k * slotWidth;
    at = d.Find(colours[k % 3], at);
    ASSERT_GE(at, 0) << k;
    if (k == 3) {
      EXPECT_EQ(d.lines[at + 1], Move(x - half, 6615));
      EXPECT_EQ(d.lines[at + 2], LineTo(x - half, 510));
      at += 2;
    }
    EXPECT_EQ(d.lines[at + 1], Text(x - half, 6850, x + half, 7550, 9, names[k % 3])) << k;
  }
  EXPECT_EQ(d.CountPrefix("LineTo " + std::to_string(axisX + 255 + 3 * slotWidth) + " 510"), 1);
  int32_t dividers = 0;
  for (const std::string& l : d.WithPrefix("MoveTo")) {
    dividers += l.size() > 5 && l.compare(l.size() - 5, 5, " 6615") == 0 ? 1 : 0;
  }
  EXPECT_EQ(dividers, 1);
}

// Non-paired split with groups 0 and 2: column names over two blocks, one divider before the
// third slot, group labels under the slots, colours by group code.
TEST(BoxPlotSlots, NonPairedSplitBlocks) {
  std::vector<double> codes;
  for (int32_t i = 0; i < 12; i++) codes.push_back(i % 2 == 0 ? 0 : 2);
  Drawing d({{"A", "", Range(1, 1, 12)}, {"split", "", codes}, {"B", "", Range(2, 1, 12)}}, 2);
  d.Draw();
  ASSERT_EQ(d.tables->series.SeriesCount, 4);
  const int32_t axisX = AxisX(d), slotWidth = (9180 - axisX) / 4, half = slotWidth / 2;
  const int32_t groupWidth = slotWidth * 2, q = groupWidth / 4;
  for (int32_t j = 0; j < 2; j++) {
    const int32_t xj = axisX + 255 + groupWidth / 2 + j * groupWidth;
    EXPECT_GE(d.Find(Text(xj - q, 30, xj + q, 730, 9, j == 0 ? "A" : "B")), 0) << j;
  }
  for (int32_t k = 0; k < 4; k++) {
    const int32_t x = axisX + 255 + half + k * slotWidth;
    const std::string colour = k % 2 == 0 ? "Brush solid 0xFFFFFF" : "Brush solid 0x000000";
    const std::string name = Text(x - half, 6850, x + half, 7550, 9, k % 2 == 0 ? "0" : "2");
    if (k == 2) {
      EXPECT_TRUE(d.HasRun({colour, Move(x - half, 6615), LineTo(x - half, 510), name}));
    } else {
      EXPECT_TRUE(d.HasRun({colour, name})) << k;
    }
  }
  EXPECT_EQ(d.CountPrefix("Polygon"), 4);
}

// Twelve data columns in one paired block: the colours go round the ten brushes.
TEST(BoxPlotSlots, PairedColoursCycleBeyondTen) {
  std::vector<Column> columns = {{"split", "", std::vector<double>(3, 0)}};
  for (int32_t c = 0; c < 12; c++) columns.push_back({"c" + std::to_string(c), "", {1, 2, 3}});
  Drawing d(columns, 1);
  d.Draw();
  const std::vector<std::string> expected = {
      "Brush solid 0xFFFFFF", "Brush solid 0x7F7F7F", "Brush solid 0x000000",
      "Brush solid 0x0000FF", "Brush solid 0xFF0000", "Brush solid 0x00FF00",
      "Brush solid 0x00A0FF", "Brush solid 0xA000A0", "Brush solid 0xFFA050",
      "Brush solid 0x3870A8", "Brush solid 0xFFFFFF", "Brush solid 0x7F7F7F"};
  EXPECT_EQ(d.WithPrefix("Brush"), expected);
}

// A blue background: the frame is filled with RGB(0, 0, 180) although that brush is released
// right after its selection, and the boxes are yellow.
TEST(BoxPlotColours, BlueBackground) {
  Drawing d({{"A", "", Range(1, 1, 9)}, {"B", "", Range(2, 1, 9)}});
  d.settings.BlueBackground = 1;
  d.Draw();
  const int32_t frameBrush = d.Find("Brush solid 0xB40000");
  const int32_t frame = d.Find("Rectangle " + std::to_string(AxisX(d)) + " 510 9690 6630");
  ASSERT_GE(frameBrush, 0);
  EXPECT_GT(frame, frameBrush);
  for (int32_t i = frameBrush + 1; i < frame; i++) {
    EXPECT_EQ(d.lines[i].rfind("Brush", 0), std::string::npos) << d.lines[i];
  }
  EXPECT_EQ(d.WithPrefix("Brush"),
            (std::vector<std::string>{"Brush solid 0xB40000", "Brush solid 0x00FFFF",
                                      "Brush solid 0x00FFFF"}));
  EXPECT_EQ(d.lines.back(), "Stock 7");

  Drawing grey({{"A", "", Range(1, 1, 9)}});
  grey.Draw();
  EXPECT_EQ(grey.WithPrefix("Brush"), std::vector<std::string>{"Brush solid 0x7F7F7F"});
}

// A split column without any code 0..9: no series, so frame, axis and caption only.
TEST(BoxPlotSlots, NoSeries) {
  Drawing d({{"A", "units", {1, 2, 3}}, {"split", "", {12, -3, 15}}}, 1);
  d.Draw();
  ASSERT_EQ(d.tables->series.SeriesCount, 0);
  EXPECT_EQ(d.flag, 0);
  EXPECT_GE(d.Find("TextOut 100 4070 \"units\""), 0);
  EXPECT_EQ(d.CountPrefix("Rectangle"), 1);
  EXPECT_EQ(d.CountPrefix("Brush"), 0);
  EXPECT_EQ(d.CountPrefix("Polygon"), 0);
  for (const std::string& l : d.WithPrefix("DrawText")) {
    EXPECT_NE(l.find(" 2 \""), std::string::npos) << l;  // tick labels only
  }
  EXPECT_EQ(d.lines.back(), "Stock 7");
}

// On a log axis a minimum of 0 or below has no logarithm, nor has its substitute (itself): the
// line starts at the frame's bottom edge.
TEST(BoxPlotDecisions, LogMarkWithoutLogarithmOnBottomEdge) {
  Drawing d({{"A", "", {-1, 2, 3, 4, 5}}}, 0, 1);
  d.Draw();
  ASSERT_EQ(d.flag, 1);  // the quartiles 2 and 4 allow it
  const double low = d.tables->AxisLow, high = d.tables->AxisHigh;
  const int32_t axisX = 1220, slotWidth = 9180 - axisX;
  const int32_t x = axisX + 255 + slotWidth / 2;
  EXPECT_TRUE(d.HasRun({Move(x, 6630), LineTo(x, ExpectY(5, low, high, true))}));
}

// A median on below-limit markers leaves the box without a centre: no outline, but the name.
// Missing upper quartile and 90 % quantile put the upper whisker end on the median.
TEST(BoxPlotDecisions, MissingStatisticsNeverDrawnAtTheirHeight) {
  Drawing d({{"A", "", {B, B, B, B, 5, 6, 7}}, {"C", "", {1, 2, 3, 4, 5, 6, A, A, A}}});
  d.Draw();
  ASSERT_LE(d.series(0).median, MissingValue);
  const Series& c = d.series(1);
  ASSERT_LE(c.quantile75, MissingValue);
  ASSERT_LE(c.quantile90, MissingValue);
  ASSERT_LE(c.medianUpper, MissingValue);
  const double low = d.tables->AxisLow, high = d.tables->AxisHigh;
  // The Missing lower quartile of A pulls low to 0; C's 90 % quantile adds nothing to high.
  EXPECT_EQ(low, 0.0);
  const int32_t axisX = AxisX(d);
  const int32_t slotWidth = (9180 - axisX) / 2, half = slotWidth / 2, t = slotWidth / 3;
  const int32_t x0 = axisX + 255 + half, x1 = x0 + slotWidth;
  auto y = [&](double v) { return ExpectY(v, low, high); };
  EXPECT_GE(d.Find(Text(x0 - half, 6850, x0 + half, 7550, 9, "A")), 0);
  const int32_t m = y(c.median);
  EXPECT_EQ(d.WithPrefix("Polygon"),
            std::vector<std::string>{
                Outline(x1, t, y(c.quantile10), y(c.quantile25), y(c.medianLower), m, m, m, m)});
}

// A mark far beyond the quartiles' range (pinned to the chart's reach at first) still widens
// the axis until it stands on the frame.
TEST(BoxPlotDecisions, FarMarksWidenTheAxis) {
  Drawing d({{"A", "", {0.1, 0.2, 0.3, 0.4, 900000}}});
  d.Draw();
  EXPECT_GE(d.tables->AxisHigh, 900000);
  const std::vector<std::string> ends = d.WithPrefix("LineTo");
  ASSERT_FALSE(ends.empty());
  const std::string& last = ends.back();
  const int32_t top = std::stoi(last.substr(last.rfind(' ') + 1));
  EXPECT_GE(top, 510);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A series of limit markers only has neither minimum nor maximum: its name, but no line.
TEST(BoxPlotDecisions, MarkersOnlySeriesHasNoLine) {
  Drawing d({{"A", "", {B, B, A}}, {"C", "", {1, 2}}});
  d.Draw();
  ASSERT_GE(d.series(0).minimum, AboveLimitMarker);
  const int32_t axisX = AxisX(d), slotWidth = (9180 - axisX) / 2, half = slotWidth / 2;
  const int32_t x0 = axisX + 255 + half, x1 = x0 + slotWidth;
  const double low = d.tables->AxisLow, high = d.tables->AxisHigh;
  EXPECT_TRUE(d.HasRun({"Brush solid 0x7F7F7F", Text(x0 - half, 6850, x0 + half, 7550, 9, "A"),
                        "Brush solid 0x7F7F7F"}));
  EXPECT_EQ(d.CountPrefix("MoveTo " + std::to_string(x0) + " "), 0);
  EXPECT_TRUE(d.HasRun({Move(x1, ExpectY(1, low, high)), LineTo(x1, ExpectY(2, low, high))}));
}

// Group codes outside 0..9 still pick one of the ten brushes.
TEST(BoxPlotDecisions, GroupCodeOutsidePaletteWraps) {
  std::vector<double> codes;
  for (int32_t i = 0; i < 12; i++) codes.push_back(i % 2 == 0 ? 0 : 2);
  Drawing d({{"A", "", Range(1, 1, 12)}, {"split", "", codes}}, 2);
  d.Draw([](SeriesTable& table) {
    table.series[0].groupCode = 12;
    table.series[1].groupCode = -3;
  });
  EXPECT_EQ(d.WithPrefix("Brush"),
            (std::vector<std::string>{"Brush solid 0x000000", "Brush solid 0xA000A0"}));
}

// Series without any group in a split mode: the frame and axis, and no slot arithmetic.
TEST(BoxPlotDecisions, SplitWithoutGroupsDrawsNoSlots) {
  Drawing d({{"A", "", Range(1, 1, 6)}, {"split", "", std::vector<double>(6, 1)}}, 1);
  d.Draw([](SeriesTable& table) { table.GroupCount = 0; });
  EXPECT_EQ(d.CountPrefix("Rectangle"), 1);
  EXPECT_EQ(d.CountPrefix("Brush"), 0);
  EXPECT_EQ(d.CountPrefix("Polygon"), 0);
  EXPECT_EQ(d.lines.back(), "Stock 7");
}

}  // namespace
}  // namespace qm
