// The summary marks on the trace canvas: series built in code get their real statistics, the
// marks are drawn on a fixed axis and slot layout, and every vertex is checked against the
// mappings evaluated with the numbers of the series.
#include "plot/summary_marks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"
#include "plot/axis.h"
#include "plot/plot_types.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"
#include "testsupport/trace_ops.h"

namespace qm {
namespace {

constexpr double M = MissingValue;

using Op = testing::TraceOp;
using testing::ParseTrace;

std::vector<int32_t> Flatten(const std::vector<Point>& points) {
  std::vector<int32_t> out;
  for (const Point& p : points) {
    out.push_back(p.x);
    out.push_back(p.y);
  }
  return out;
}

std::vector<int32_t> DiamondPoints(int32_t x, int32_t y1, int32_t y2, int32_t y3) {
  return Flatten({{x, y2},
                  {x - 200, y1},
                  {x - 400, y1},
                  {x - 200, y1},
                  {x, y3},
                  {x + 200, y1},
                  {x + 400, y1},
                  {x + 200, y1}});
}

std::vector<int32_t> BarPoints(int32_t x, int32_t y1, int32_t y2, int32_t y3) {
  return Flatten({{x - 50, y2},
                  {x + 50, y2},
                  {x, y2},
                  {x, y1},
                  {x - 100, y1},
                  {x + 100, y1},
                  {x, y1},
                  {x, y3},
                  {x - 50, y3},
                  {x + 50, y3},
                  {x, y3},
                  {x, y2}});
}

class SummaryMarksTest : public ::testing::Test {
 protected:
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  std::unique_ptr<PlotTables> tables = std::make_unique<PlotTables>();
  // The axis and slots the marks are drawn on, set by SetAxis.
  struct Layout {
    double low, high;
    int32_t flag;
    double scale;
    int32_t axisX, slotWidth, half;
  } layout{};
  PlotSettings settings;

  // One column per series; the statistics are computed as in a plot run.
  void SetSeries(const std::vector<std::vector<double>>& columns) {
    std::vector<testing::SheetColumn> sheet;
    for (const auto& values : columns) sheet.push_back({"", "", values});
    testing::SetColumns(*grid, sheet);
    testing::QuietMessages sink;
    ASSERT_TRUE(BuildSeriesTable(tables->series, *grid, SplitMode::None, sink));
    RankAllSeries(tables->series, tables->ranks);
    SetAxis(0, 10, 0);
  }

  void SetAxis(double low, double high, int32_t flag) {
    layout.low = low;
    layout.high = high;
    layout.flag = flag;
    layout.scale = 6120 / (high - low);
    layout.axisX = 1420;
    layout.slotWidth = (9180 - layout.axisX) / std::max(1, tables->series.SeriesCount);
    layout.half = layout.slotWidth / 2;
  }

  const Series& S(int32_t s) const { return tables->series.series[s]; }

  // The direct mapping and ValueToY's rule, with the numbers of the test.
  int32_t Y0(double v) const { return 7650 - int32_t((v - layout.low) * layout.scale + 1020); }
  int32_t Y(double v) const {
    double at = layout.flag ? std::log(v) : v;
    return 7650 - int32_t(layout.scale * (at - layout.low) + 1020);
  }
  int32_t SlotLeft(int32_t s) const { return layout.axisX + 255 + s * layout.slotWidth; }
  int32_t SlotRight(int32_t s) const { return SlotLeft(s) + layout.slotWidth; }

  std::vector<Op> Draw(SummaryMark style) {
    TraceCanvas canvas;
    const CanvasObject fill = canvas.CreateSolidBrush(Rgb(127, 127, 127));
    const ChartContext chart{canvas, settings, *grid, *tables, 0, 0};
    ValueAxis axis{};
    axis.low = layout.low;
    axis.high = layout.high;
    axis.logScale = layout.flag;
    axis.scale = layout.scale;
    axis.left = layout.axisX;
    axis.reach = GroupPlotReach;
    axis.bottom = FrameBottom;
    SlotLayout slots{};
    slots.exists = true;
    slots.count = tables->series.SeriesCount;
    slots.width = layout.slotWidth;
    slots.half = layout.half;
    const ChartFrame frame{chart, axis, slots};
    DrawSummaryMarks(frame, style, fill);
    trace = canvas.trace();
    return ParseTrace(trace);
  }

  std::vector<std::vector<int32_t>> Polygons(SummaryMark style) {
    std::vector<std::vector<int32_t>> polygons;
    for (const Op& op : Draw(style)) {
      if (op.name == "Polygon") polygons.push_back(op.args);
    }
    return polygons;
  }

  std::string trace;
};

std::vector<double> TenValuesFrom(double base) {
  std::vector<double> values;
  for (int32_t i = 0; i < 10; i++) values.push_back(base + 0.5 * i);
  return values;
}

TEST_F(SummaryMarksTest, MarksStandLeftOfTheSlotEdgeOrFacePairwise) {
  for (int32_t count : {5, 4}) {
    SCOPED_TRACE(count);
    std::vector<std::vector<double>> columns;
    for (int32_t s = 0; s < count; s++) columns.push_back(TenValuesFrom(1 + s));
    SetSeries(columns);
    auto polygons = Polygons(SummaryMark::Sd);
    ASSERT_EQ(polygons.size(), size_t(count));
    for (int32_t s = 0; s < count; s++) {
      int32_t x = polygons[size_t(s)][0] + 50;  // first vertex: (X - 50, y2)
      if (count % 2 == 1) {
        EXPECT_EQ(x, SlotRight(s) - 400);
      } else if (s % 2 == 0) {
        EXPECT_EQ(x, SlotRight(s) - 200);
      } else {
        EXPECT_EQ(x, SlotLeft(s) + 200);
      }
    }
    if (count == 4) {
      // Slots 0 and 1 face each other 200 on either side of their border.
      EXPECT_EQ(polygons[1][0] + 50 - (polygons[0][0] + 50), 400);
    }
  }
}

TEST_F(SummaryMarksTest, CentreLinesSpan39FortiethsOfTheSlot) {
  SetSeries({{1, 2, 3, 4, 5}, {2, 4, 6}, {7, 8, 9}});
  std::vector<Op> ops = Draw(SummaryMark::Mean);
  ASSERT_EQ(ops.size(), 1u + 2 * 3);  // the fill brush, then a line per series
  EXPECT_EQ(trace.substr(0, trace.find('\n')), "Brush solid 0x7F7F7F");
  const int32_t w = 39 * layout.slotWidth / 80;
  const double means[] = {3, 4, 8};
  for (int32_t s = 0; s < 3; s++) {
    int32_t cx = layout.axisX + 255 + layout.half + s * layout.slotWidth;
    EXPECT_EQ(ops[size_t(1 + 2 * s)].args, (std::vector<int32_t>{cx - w, Y0(means[s])}));
    EXPECT_EQ(ops[size_t(2 + 2 * s)].args, (std::vector<int32_t>{cx + w, Y0(means[s])}));
  }
}

TEST_F(SummaryMarksTest, MeanOnALogAxisStandsAtTheGeometricMeanMedianAtItsLogarithm) {
  const std::vector<double> values = {1, 2, 4, 8, 16, 100};
  SetSeries({values});
  SetAxis(0, std::log(1000.0), 1);
  double sum = 0;
  for (double v : values) sum += std::log(v);
  const double logMean = sum / 6;
  std::vector<Op> mean = Draw(SummaryMark::Mean);
  ASSERT_EQ(mean.size(), 3u);
  EXPECT_EQ(mean[1].args[1], Y0(logMean));
  EXPECT_EQ(mean[1].args[1], Y(std::exp(logMean)));  // the geometric mean's height
  std::vector<Op> median = Draw(SummaryMark::Median);
  ASSERT_EQ(median.size(), 3u);
  EXPECT_EQ(median[1].args[1], Y(6.0));  // halfway between 4 and 8
}

TEST_F(SummaryMarksTest, SdBarRunsOneStandardDeviationEitherSideOfTheMean) {
  SetSeries({{2, 4, 4, 4, 5, 5, 7, 9}});
  const double sd = std::sqrt((8 * 232.0 - 40.0 * 40.0) / (7 * 8));  // 2.13809
  auto polygons = Polygons(SummaryMark::Sd);
  ASSERT_EQ(polygons.size(), 1u);
  const int32_t x = SlotRight(0) - 400;
  EXPECT_EQ(polygons[0], BarPoints(x, Y0(5), Y0(5 - sd), Y0(5 + sd)));

  SetAxis(0, std::log(10.0), 1);
  polygons = Polygons(SummaryMark::Sd);
  ASSERT_EQ(polygons.size(), 1u);
  const Series& s = S(0);
  EXPECT_EQ(polygons[0],
            BarPoints(x, Y0(s.logMean), Y0(s.logMean - s.logSd), Y0(s.logMean + s.logSd)));
}

TEST_F(SummaryMarksTest, NotchedBoxOfEightValuesCollapsesItsWhiskers) {
  // Median 4.5, quartiles 4 and 5.5, medianLower 4; no 10 % or 90 % quantile and no
  // medianUpper at eight values.
  SetSeries({{2, 4, 4, 4, 5, 5, 7, 9}});
  auto polygons = Polygons(SummaryMark::BoxPlot);
  ASSERT_EQ(polygons.size(), 1u);
  const int32_t x = SlotRight(0) - 400;
  const int32_t med = Y(4.5), q25 = Y(4), q75 = Y(5.5), lower = Y(4);
  EXPECT_EQ(polygons[0], Flatten({{x, q75},
                                  {x, q75},
                                  {x - 100, q75},
                                  {x - 100, med},
                                  {x, med},
                                  {x - 100, lower},
                                  {x - 100, q25},
                                  {x, q25},
                                  {x, med},
                                  {x, q25},
                                  {x + 100, q25},
                                  {x + 100, lower},
                                  {x, med},
                                  {x + 100, med},
                                  {x + 100, q75},
                                  {x, q75}}));
}

TEST_F(SummaryMarksTest, FullMarksUseEveryStatisticOfALargeSeries) {
  std::vector<double> values;
  for (int32_t i = 1; i <= 20; i++) values.push_back(i * 0.45);
  SetSeries({values});
  const Series& s = S(0);
  ASSERT_GT(s.quantile10, M);
  ASSERT_GT(s.medianUpper, M);
  ASSERT_GT(s.meanPlusSem, M);
  const int32_t x = SlotRight(0) - 400;
  struct Case {
    SummaryMark style;
    std::vector<int32_t> points;
  };
  const Case cases[] = {
      {SummaryMark::Sem, DiamondPoints(x, Y0(s.mean), Y0(s.meanMinusSem), Y0(s.meanPlusSem))},
      {SummaryMark::MedianSe, DiamondPoints(x, Y(s.median), Y(s.medianLower), Y(s.medianUpper))},
      {SummaryMark::Iqr, BarPoints(x, Y(s.median), Y(s.quantile25), Y(s.quantile75))},
      {SummaryMark::BoxPlot, Flatten({{x, Y(s.quantile90)},
                                      {x, Y(s.quantile75)},
                                      {x - 100, Y(s.quantile75)},
                                      {x - 100, Y(s.medianUpper)},
                                      {x, Y(s.median)},
                                      {x - 100, Y(s.medianLower)},
                                      {x - 100, Y(s.quantile25)},
                                      {x, Y(s.quantile25)},
                                      {x, Y(s.quantile10)},
                                      {x, Y(s.quantile25)},
                                      {x + 100, Y(s.quantile25)},
                                      {x + 100, Y(s.medianLower)},
                                      {x, Y(s.median)},
                                      {x + 100, Y(s.medianUpper)},
                                      {x + 100, Y(s.quantile75)},
                                      {x, Y(s.quantile75)}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int32_t(c.style));
    auto polygons = Polygons(c.style);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0], c.points);
  }
}

TEST_F(SummaryMarksTest, NoStyleDrawsNothingAndSelectsNothing) {
  SetSeries({{1, 2, 3, 4, 5}});
  EXPECT_TRUE(Draw(SummaryMark::None).empty());
}

TEST_F(SummaryMarksTest, MissingStatisticsShrinkTheMarkOntoItsCentre) {
  // Series: two values (no SEM band), one value (no SD), eight values (no medianUpper),
  // no value at all, four values (no quartiles).
  SetSeries({{3, 5}, {3}, {2, 4, 4, 4, 5, 5, 7, 9}, {}, {1, 2, 3, 4}});
  auto x = [&](int32_t s) { return SlotRight(s) - 400; };  // five series: odd

  auto sem = Polygons(SummaryMark::Sem);  // series 3 has no value and no mark
  ASSERT_EQ(sem.size(), 4u);
  EXPECT_EQ(sem[0], DiamondPoints(x(0), Y0(4), Y0(4), Y0(4)));
  EXPECT_EQ(sem[1], DiamondPoints(x(1), Y0(3), Y0(3), Y0(3)));

  auto sd = Polygons(SummaryMark::Sd);
  ASSERT_EQ(sd.size(), 4u);
  EXPECT_EQ(sd[1], BarPoints(x(1), Y0(3), Y0(3), Y0(3)));

  // Median/SE: the band exists only from six values on; eight values have medianLower 4.
  auto medianSe = Polygons(SummaryMark::MedianSe);
  ASSERT_EQ(medianSe.size(), 2u);  // series 0 and 1 have no median
  EXPECT_EQ(medianSe[0], DiamondPoints(x(2), Y(4.5), Y(4), Y(4.5)));
  EXPECT_EQ(medianSe[1], DiamondPoints(x(4), Y(2.5), Y(2.5), Y(2.5)));

  // IQR: a missing quartile is replaced by the median.
  auto iqr = Polygons(SummaryMark::Iqr);
  ASSERT_EQ(iqr.size(), 2u);
  EXPECT_EQ(iqr[1], BarPoints(x(4), Y(2.5), Y(2.5), Y(2.5)));

  // Median: no centre line without a median.
  std::vector<Op> median = Draw(SummaryMark::Median);
  int32_t lines = 0;
  for (const Op& op : median) lines += op.name == "LineTo" ? 1 : 0;
  EXPECT_EQ(lines, 2);

  // No vertex anywhere off the canvas.
  for (SummaryMark style :
       {SummaryMark::Mean, SummaryMark::Median, SummaryMark::Sem, SummaryMark::MedianSe,
        SummaryMark::Sd, SummaryMark::Iqr, SummaryMark::BoxPlot}) {
    for (const Op& op : Draw(style)) {
      for (size_t i = 1; i < op.args.size(); i += 2) {
        EXPECT_GE(op.args[i], 0) << int32_t(style);
        EXPECT_LE(op.args[i], 10800) << int32_t(style);
      }
    }
  }
}

TEST_F(SummaryMarksTest, ValuesWithoutALogarithmTakeTheirSubstituteOrAreLeftOut) {
  // Median -1 has no logarithm and is its own substitute: no IQR, Median or box mark.
  // Quartile 25 of the second series is -0.5: its bar end falls back to the median.
  SetSeries({{-3, -2, -1, 2, 3}, {-1, 0, 1, 2, 3}});
  SetAxis(std::log(0.1), std::log(10.0), 1);
  const Series& second = S(1);
  ASSERT_EQ(S(0).median, -1.0);
  ASSERT_EQ(second.quantile25, 0.0);
  ASSERT_EQ(second.median, 1.0);
  const int32_t x = SlotLeft(1) + 200;
  for (SummaryMark style :
       {SummaryMark::Median, SummaryMark::Iqr, SummaryMark::BoxPlot, SummaryMark::MedianSe}) {
    SCOPED_TRACE(int32_t(style));
    std::vector<Op> ops = Draw(style);
    int32_t marks = 0;
    for (const Op& op : ops) marks += op.name == "Polygon" || op.name == "MoveTo" ? 1 : 0;
    EXPECT_EQ(marks, 1);  // the second series only
  }
  auto iqr = Polygons(SummaryMark::Iqr);
  ASSERT_EQ(iqr.size(), 1u);
  EXPECT_EQ(iqr[0], BarPoints(x, Y(1), Y(1), Y(second.quantile75)));
}

}  // namespace
}  // namespace qm
