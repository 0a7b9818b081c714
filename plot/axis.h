// The value axis shared by both charts: tick choice and labels (ComputeAxisTicks), the
// mapping of values to heights (ValueToY), text widths, the two point marks, and the decimal
// helpers the tick choice uses.
#pragma once

#include <cstdint>

#include "import/limits.h"
#include "plot/canvas.h"

namespace qm {

// Value-axis ticks a chart can label.
constexpr int32_t MaxAxisTicks = 8;

struct AxisTick {
  char text[40];  // "%.*lf" label, or the short exponent form ("1e-12") where that cannot show it
  float value;    // data value, or its natural logarithm on a logarithmic axis
  // `value` where single precision holds it, else the double it stands for (a tick at 1e-300):
  // where the chart draws the tick.
  double position;
};

struct AxisTickTable {
  AxisTick entries[MaxAxisTicks];
};

// Rounds [low, high] outward to ticks, fills the table, and returns the logarithmic flag in
// effect (0 when the range does not allow a logarithmic axis). low and high come back as the
// end ticks, in natural logarithms on a logarithmic axis.
int32_t ComputeAxisTicks(AxisTickTable& table, int32_t& tickCount, double& low, double& high,
                         int32_t logScale, int32_t withLabels);

// The canvas height of a value; markers, the Missing value and (on a log axis) values <= 0
// take the substitute.
int32_t ValueToY(double value, double substitute, double low, int32_t logScale, int32_t shift,
                 double scale);

// 200 per character before the NUL.
int32_t TextWidth(const char* text);

// A circle of `diameter` centred on (x, y), and a vertical stroke of `length` centred on it.
void DrawDot(Canvas& canvas, int32_t x, int32_t y, int32_t diameter);
void DrawVerticalTick(Canvas& canvas, int32_t x, int32_t y, int32_t length);

double SplitDecimal(double x, double& mantissa, int32_t& exponent);
double PowerOfTen(int32_t n);
double TenToThe(double x);
double ScaleByPowerOfTen(double x, int32_t n);

}  // namespace qm
