// The value axis: tick choice and labels, heights, text widths, point marks, decimal helpers.
#include "plot/axis.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"

namespace qm {
namespace {

struct Axis {
  AxisTickTable table;
  int32_t tickCount = -1;
  double low;
  double high;
  int32_t flag;
};

Axis Compute(double low, double high, int32_t logScale, int32_t withLabels = 1) {
  Axis axis;
  std::memset(&axis.table, 0x55, sizeof axis.table);  // stale content the call must reset
  axis.low = low;
  axis.high = high;
  axis.flag =
      ComputeAxisTicks(axis.table, axis.tickCount, axis.low, axis.high, logScale, withLabels);
  return axis;
}

std::vector<std::string> Texts(const Axis& axis) {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < axis.tickCount; i++) texts.push_back(axis.table.entries[i].text);
  return texts;
}

void ExpectRestReset(const Axis& axis) {
  for (int32_t i = axis.tickCount; i < MaxAxisTicks; i++) {
    EXPECT_STREQ(axis.table.entries[i].text, "") << "entry " << i;
    EXPECT_EQ(axis.table.entries[i].value, -999.0f) << "entry " << i;
  }
}

struct LinearCase {
  double low, high;
  std::vector<std::string> texts;  // the tick values are the texts read back as numbers
};

class LinearAxis : public testing::TestWithParam<LinearCase> {};

TEST_P(LinearAxis, TicksTextsAndBounds) {
  const LinearCase& c = GetParam();
  Axis axis = Compute(c.low, c.high, 0);
  EXPECT_EQ(axis.flag, 0);
  ASSERT_EQ(Texts(axis), c.texts);
  for (int32_t i = 0; i < axis.tickCount; i++) {
    EXPECT_EQ(axis.table.entries[i].value, float(std::strtod(c.texts[i].c_str(), nullptr)));
  }
  // The bounds come back as the end ticks, rounded to single precision.
  EXPECT_EQ(axis.low, double(axis.table.entries[0].value));
  EXPECT_EQ(axis.high, double(axis.table.entries[axis.tickCount - 1].value));
  ExpectRestReset(axis);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, LinearAxis,
    testing::Values(LinearCase{3, 47, {"0", "10", "20", "30", "40", "50"}},
                    LinearCase{0, 7, {"0", "2", "4", "6", "8"}},
                    LinearCase{0, 1, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
                    // Steps of 2.5 carry one decimal more than steps of 2 or 5.
                    LinearCase{0, 14, {"0.0", "2.5", "5.0", "7.5", "10.0", "12.5", "15.0"}},
                    LinearCase{-47, -3, {"-50", "-40", "-30", "-20", "-10", "0"}},
                    LinearCase{-3, -1, {"-3.0", "-2.5", "-2.0", "-1.5", "-1.0"}},
                    LinearCase{0.001, 0.0047, {"0.001", "0.002", "0.003", "0.004", "0.005"}}));

// A bound that lies on a tick stays the end tick: the inward moves keep it from adding a step.
INSTANTIATE_TEST_SUITE_P(BoundsOnTicks, LinearAxis,
                         testing::Values(LinearCase{10, 50, {"10", "20", "30", "40", "50"}},
                                         LinearCase{-50, -10, {"-50", "-40", "-30", "-20", "-10"}},
                                         LinearCase{0.2, 1, {"0.2", "0.4", "0.6", "0.8", "1.0"}}));

struct LogCase {
  double low, high;
  std::vector<std::string> texts;
};

class LogAxis : public testing::TestWithParam<LogCase> {};

TEST_P(LogAxis, TicksAreLogarithmsOfTheirTexts) {
  const LogCase& c = GetParam();
  Axis axis = Compute(c.low, c.high, 1);
  EXPECT_EQ(axis.flag, 1);
  ASSERT_EQ(Texts(axis), c.texts);
  for (int32_t i = 0; i < axis.tickCount; i++) {
    double data = std::strtod(c.texts[i].c_str(), nullptr);
    EXPECT_FLOAT_EQ(axis.table.entries[i].value, float(std::log(data))) << c.texts[i];
  }
  EXPECT_NEAR(axis.low, std::log(std::strtod(c.texts.front().c_str(), nullptr)), 1e-6);
  EXPECT_NEAR(axis.high, std::log(std::strtod(c.texts.back().c_str(), nullptr)), 1e-6);
  ExpectRestReset(axis);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, LogAxis,
    testing::Values(
        // Ratio about 500: two ticks a decade.
        LogCase{1, 500, {"1", "3", "10", "30", "100", "300", "1000"}},
        // Ratio about 2000: one tick a decade, each label with the decimals of its decade.
        LogCase{0.5, 1000, {"0.1", "1", "10", "100", "1000"}},
        // Ratio below 51: three ticks a decade.
        LogCase{2, 20, {"2", "5", "10", "20"}}, LogCase{1, 2, {"1", "2"}}));

TEST(LogAxisRefused, LowBoundNotAboveZeroGivesTheLinearAxis) {
  for (double low : {0.0, -5.0}) {
    Axis log = Compute(low, 47, 1);
    Axis linear = Compute(low, 47, 0);
    EXPECT_EQ(log.flag, 0) << low;
    EXPECT_EQ(Texts(log), Texts(linear)) << low;
    EXPECT_EQ(log.low, linear.low);
    EXPECT_EQ(log.high, linear.high);
  }
  EXPECT_EQ(Texts(Compute(0, 47, 1)),
            (std::vector<std::string>{"0", "10", "20", "30", "40", "50"}));
}

TEST(AxisWithoutLabels, NoTextsAndDataValuesStay) {
  Axis axis = Compute(1, 500, 1, 0);
  EXPECT_EQ(axis.flag, 1);
  ASSERT_EQ(axis.tickCount, 7);
  EXPECT_STREQ(axis.table.entries[0].text, "");
  EXPECT_EQ(axis.table.entries[1].value, 3.0f);
  EXPECT_EQ(axis.low, 1.0);
  EXPECT_EQ(axis.high, 1000.0);
}

// Ranges the step search could not handle as they are: they must end with a usable axis that
// still contains the data.
struct OddRange {
  double low, high;
  int32_t logScale;
};

class OddRangeAxis : public testing::TestWithParam<OddRange> {};

TEST_P(OddRangeAxis, EndsWithAscendingTicksAroundTheData) {
  const OddRange& c = GetParam();
  Axis axis = Compute(c.low, c.high, c.logScale);
  ASSERT_GE(axis.tickCount, 2);
  ASSERT_LE(axis.tickCount, MaxAxisTicks);
  for (int32_t i = 1; i < axis.tickCount; i++) {
    EXPECT_LT(axis.table.entries[i - 1].value, axis.table.entries[i].value) << i;
  }
  EXPECT_LT(axis.low, axis.high);
  EXPECT_TRUE(std::isfinite(6120 / (axis.high - axis.low)));
  if (std::isfinite(c.low) && std::isfinite(c.high) && std::fabs(c.low) < 1e30 && !axis.flag) {
    EXPECT_LE(axis.low, std::fmin(c.low, c.high));
    EXPECT_GE(axis.high, std::fmax(c.low, c.high));
  }
  for (int32_t i = 0; i < axis.tickCount; i++) {
    EXPECT_STRNE(axis.table.entries[i].text, "") << i;
  }
}

INSTANTIATE_TEST_SUITE_P(NarrowAndOdd, OddRangeAxis,
                         testing::Values(OddRange{100000, 100000, 0}, OddRange{100000, 100001, 0},
                                         OddRange{100000, 100001, 1}, OddRange{1e7, 1e7 + 1, 0},
                                         OddRange{5, 5, 0}, OddRange{0, 0, 0}, OddRange{-3, -3, 0},
                                         OddRange{10, 5, 0}, OddRange{10, 10, 1},
                                         OddRange{0, 1e-320, 0}, OddRange{1e300, 1e300, 0},
                                         OddRange{-1e300, 1e300, 0}, OddRange{NAN, 1, 0},
                                         OddRange{-INFINITY, INFINITY, 1}));

// Ranges of every magnitude and width: a linear axis holds the data within its eight ticks, up
// to the inward moves (a bound that close above a tick counts as on it); every axis ascends, has
// a width, and labels every tick.
TEST(AxisProperties, RandomRanges) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int32_t n = 0; n < 20000; n++) {
    double magnitude = std::pow(10, std::floor(unit(random) * 24) - 12);
    double a = (unit(random) * 2 - 0.5) * magnitude;
    double b = a + unit(random) * unit(random) * magnitude;
    int32_t logScale = int32_t(n % 2);
    Axis axis = Compute(a, b, logScale);
    ASSERT_GE(axis.tickCount, 1) << a << ' ' << b;
    ASSERT_LE(axis.tickCount, MaxAxisTicks) << a << ' ' << b;
    for (int32_t i = 1; i < axis.tickCount; i++) {
      ASSERT_LT(axis.table.entries[i - 1].value, axis.table.entries[i].value) << a << ' ' << b;
    }
    ASSERT_LT(axis.low, axis.high) << a << ' ' << b;
    for (int32_t i = 0; i < axis.tickCount; i++) {
      ASSERT_STRNE(axis.table.entries[i].text, "") << a << ' ' << b << ' ' << i;
    }
    if (!axis.flag) {
      ASSERT_LE(axis.low, a + 1.01e-5 * std::fabs(a)) << a << ' ' << b;
      ASSERT_GE(axis.high, b - 1.01e-5 * std::fabs(b)) << a << ' ' << b;
    }
  }
}

// The axis reaches every value: ticks several decades apart where one a decade would need more
// than the table holds, ticks of the tiniest ranges apart, and the short exponent form for a
// label that fixed notation cannot show (all digits zero, or longer than the field).
TEST(AxisReach, EveryValueOnTheAxis) {
  struct Case {
    double low, high;
    int32_t log;
    std::vector<std::string> texts;
  } cases[] = {
      {1e-3, 5e4, 1, {"0.0001", "0.01", "1", "100", "10000", "1000000"}},
      {1e-12,
       10,
       1,
       {"0.000000000001", "0.0000000001", "0.00000001", "0.000001", "0.0001", "0.01", "1", "100"}},
      {1e-40,
       1,
       1,
       {"1e-40", "0.000000000000000000000000000001", "0.00000000000000000001", "0.0000000001",
        "1"}},
      {1e-300, 10, 1, {"1e-300", "1e-250", "1e-200", "1e-150", "1e-100", "1e-50", "1", "1e50"}},
      {1e-300, 3e-300, 1, {"1e-300", "2e-300", "5e-300"}},
      {0, 3e-300, 0, {"0", "5e-301", "1e-300", "1.5e-300", "2e-300", "2.5e-300", "3e-300"}},
      {1, 1e12, 1, {"1", "100", "10000", "1000000", "100000000", "10000000000", "1000000000000"}},
  };
  for (const Case& c : cases) {
    Axis axis = Compute(c.low, c.high, c.log);
    EXPECT_EQ(axis.flag, c.log) << c.low << ' ' << c.high;
    EXPECT_EQ(Texts(axis), c.texts) << c.low << ' ' << c.high;
    const double low = c.log ? std::exp(axis.low) : axis.low;
    const double high = c.log ? std::exp(axis.high) : axis.high;
    EXPECT_LE(low, c.low * (1 + 1e-7)) << c.low << ' ' << c.high;
    EXPECT_GE(high, c.high * (1 - 1e-7)) << c.low << ' ' << c.high;
    for (int32_t i = 1; i < axis.tickCount; i++) {
      EXPECT_LT(axis.table.entries[i - 1].position, axis.table.entries[i].position);
    }
  }
}

TEST(ValueToY, AxisEndsLandOnTheFrameEdges) {
  Axis axis = Compute(3, 47, 0);
  double scale = 6120 / (axis.high - axis.low);
  EXPECT_EQ(ValueToY(axis.low, 0, axis.low, 0, 1020, scale), 6630);
  EXPECT_EQ(ValueToY(axis.high, 0, axis.low, 0, 1020, scale), 510);
  EXPECT_EQ(ValueToY(25, 0, axis.low, 0, 1020, scale), 7650 - (3060 + 1020));
}

TEST(ValueToY, TruncatesTheOffsetBeforeSubtracting) {
  EXPECT_EQ(ValueToY(100.5, 0, 0, 0, 0, 1), 7550);
  EXPECT_EQ(ValueToY(-100.5, 0, 0, 0, 0, 1), 7750);
}

TEST(ValueToY, UndrawableValuesTakeTheSubstitute) {
  double scale = 6120.0 / 50;
  int32_t substituteY = ValueToY(20, 0, 0, 0, 1020, scale);
  for (double v : {MissingValue, BelowLimitMarker, AboveLimitMarker, -2e6, 2e6}) {
    EXPECT_EQ(ValueToY(v, 20, 0, 0, 1020, scale), substituteY) << v;
  }
  // On a logarithmic axis values of 0 or below have no logarithm; the substitute is a data value.
  double logScale = 6120 / std::log(1000.0);
  int32_t logSubstituteY = ValueToY(10, 0, 0, 1, 1020, logScale);
  EXPECT_EQ(logSubstituteY, 7650 - int32_t(logScale * std::log(10.0) + 1020));
  for (double v : {0.0, -1.0, MissingValue, AboveLimitMarker}) {
    EXPECT_EQ(ValueToY(v, 10, 0, 1, 1020, logScale), logSubstituteY) << v;
  }
  // On a linear axis 0 and negative values are drawn where they are.
  EXPECT_EQ(ValueToY(0, 20, 0, 0, 1020, scale), 6630);
}

TEST(ValueToY, OffCanvasHeightsStayInRange) {
  EXPECT_EQ(ValueToY(1, 0, 0, 0, 0, 1e300), 7650 - 67108864);
  EXPECT_EQ(ValueToY(-1, 0, 0, 0, 0, 1e300), 7650 + 67108864);
  EXPECT_EQ(ValueToY(1, 0, 0, 0, 0, INFINITY), 7650 - 67108864);
  // Just inside the pinned range heights are exact.
  EXPECT_EQ(ValueToY(1, 0, 0, 0, 0, 67108863.5), 7650 - 67108863);
  EXPECT_EQ(ValueToY(1, 0, 0, 0, 0, NAN), 7650);
  EXPECT_EQ(ValueToY(0, -1, 0, 1, 0, 1), 7650);  // a negative substitute on a log axis
}

TEST(TextWidth, TwoHundredPerCharacter) {
  EXPECT_EQ(TextWidth("abcd"), 800);
  EXPECT_EQ(TextWidth(""), 0);
  EXPECT_EQ(TextWidth("12.5"), 800);
}

TEST(PointMarks, DotAndVerticalTickHalveTowardZero) {
  TraceCanvas canvas;
  DrawDot(canvas, 100, 200, 5);
  DrawDot(canvas, 100, 200, 4);
  DrawDot(canvas, 100, 200, 0);
  DrawVerticalTick(canvas, 300, 400, 7);
  EXPECT_EQ(canvas.trace(),
            "Ellipse 98 198 102 202\n"
            "Ellipse 98 198 102 202\n"
            "Ellipse 100 200 100 200\n"
            "MoveTo 300 397\n"
            "LineTo 300 403\n");
}

struct SplitCase {
  double x;
  double mantissa;
  int32_t exponent;
};

class SplitDecimalCases : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitDecimalCases, MantissaAndExponent) {
  const SplitCase& c = GetParam();
  double mantissa = 12345;
  int32_t exponent = 12345;
  double result = SplitDecimal(c.x, mantissa, exponent);
  EXPECT_EQ(exponent, c.exponent);
  EXPECT_EQ(result, mantissa);
  EXPECT_NEAR(mantissa, c.mantissa, 1e-12 * std::fabs(c.mantissa));
}

INSTANTIATE_TEST_SUITE_P(Examples, SplitDecimalCases,
                         testing::Values(SplitCase{47, 47, 0}, SplitCase{1, 10, -1},
                                         SplitCase{0.5, 50, -2},
                                         // At exact powers of ten below 1 the mantissa is 100.
                                         SplitCase{0.1, 100, -3}, SplitCase{0, 0, -1},
                                         SplitCase{-47, -47, 0}, SplitCase{123456, 12.3456, 4},
                                         SplitCase{0.047, 47, -3}, SplitCase{7, 70, -1}));

TEST(DecimalHelpers, PowerOfTenMultipliesRepeatedly) {
  EXPECT_EQ(PowerOfTen(0), 1.0);
  EXPECT_EQ(PowerOfTen(3), 1000.0);
  EXPECT_EQ(PowerOfTen(-1), 0.1);
  EXPECT_EQ(PowerOfTen(-2), 0.1 * 0.1);  // not the double nearest 0.01
  EXPECT_EQ(PowerOfTen(-3), 0.1 * 0.1 * 0.1);
  EXPECT_EQ(PowerOfTen(400), INFINITY);
  EXPECT_EQ(PowerOfTen(-400), 0.0);
  EXPECT_EQ(PowerOfTen(INT32_MIN), 0.0);
  EXPECT_EQ(PowerOfTen(INT32_MAX), INFINITY);
}

TEST(DecimalHelpers, TenToTheAndScale) {
  EXPECT_EQ(TenToThe(0), 1.0);
  EXPECT_EQ(TenToThe(2), std::exp2(2 * 3.32192809488736234787));
  EXPECT_NEAR(TenToThe(2), 100, 1e-12);
  EXPECT_NEAR(TenToThe(-1.5), std::pow(10, -1.5), 1e-15);
  EXPECT_EQ(ScaleByPowerOfTen(25, -1), PowerOfTen(-1) * 25);
  EXPECT_EQ(ScaleByPowerOfTen(2, 2), 200.0);
}

}  // namespace
}  // namespace qm
