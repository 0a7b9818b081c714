// The value axis shared by both charts: tick choice on tenfold working values, labels, the
// mapping of values to heights, and the decimal helpers behind them.
#include "plot/axis.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "plot/format_fixed.h"

namespace qm {

namespace {

// Step multipliers; row r is walked cyclically over its first r + 1 entries. Rows 0 to 2 serve a
// logarithmic axis (one, two or three ticks a decade), row 3 a linear one in tenfold units.
constexpr int32_t TickStepTable[4][4] = {
    {1, 0, 0, 0}, {1, 3, 0, 0}, {1, 2, 5, 0}, {10, 20, 25, 50}};
constexpr int32_t LinearRow = 3;

constexpr double Log2Of10 = 3.32192809488736234787;

// Bounds on loops that plain arithmetic would end anyway; they only keep odd input (a span lost
// to rounding, an underflowing step) from spinning.
constexpr int32_t MaxStepSearch = 2000;
constexpr int32_t MaxWidenings = 200;

// A step walk: multiplier index and decimal exponent, advanced cyclically along a row.
struct RowWalk {
  int32_t row;
  int32_t idx;
  int32_t exponent;

  int32_t length() const { return row + 1; }
  double Multiplier() const { return TickStepTable[row][idx]; }
  void Advance() {
    idx = (idx + 1) % length();
    if (idx == 0) exponent++;
  }
};

double WorkingLow(double low) {
  return 10 * low + 0.0001 * std::fabs(low);
}
double WorkingHigh(double high) {
  return 10 * high - 0.0001 * std::fabs(high);
}

// Ticks are chosen in double precision and kept in single precision where it holds them. The
// step search needs a working span of at least MinWidth, which leaves the powers of ten below it
// normal doubles; bounds beyond MaxBound could not be told apart from infinity.
constexpr double MaxBound = 1e37;
constexpr double MinWidth = 1e-300;

// Single precision holds x: zero, or a normal finite number.
bool FitsSingle(double x) {
  const double m = std::fabs(x);
  return m == 0 || (m >= double(FLT_MIN) && m <= double(FLT_MAX));
}

// A tick value as the table keeps it: rounded to single precision where that holds it.
double Kept(double x) {
  return FitsSingle(x) ? double(float(x)) : x;
}

// The step search needs a working span that is positive after the inward moves and wide enough
// for the ticks to differ.
bool RangeHasSteps(double low, double high) {
  double lo = WorkingLow(low);
  double hi = WorkingHigh(high);
  double span = hi - lo;
  return span > MinWidth && span > 1e-5 * std::fmax(std::fabs(lo), std::fabs(hi));
}

// An empty, reversed or too narrow range (all values near 100000, say) has no tick step: widen
// it about its centre, doubling, until it has one. Ranges that have a step are left as they are.
// A positive range asked for on a logarithmic axis that this would take to 0 or below is widened
// by factors about its geometric centre instead, so that it stays positive.
void WidenNarrowRange(double& low, double& high, int32_t logScale) {
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0;
    high = 1;
  }
  low = std::fmin(std::fmax(low, -MaxBound), MaxBound);
  high = std::fmin(std::fmax(high, -MaxBound), MaxBound);
  if (RangeHasSteps(low, high)) return;
  const double givenLow = low;
  const double givenHigh = high;
  double centre = low / 2 + high / 2;
  double half = std::fmax(std::fabs(high - low) / 2,
                          1e-6 * std::fmax(1.0, std::fmax(std::fabs(low), std::fabs(high))));
  for (int32_t i = 0; i < MaxWidenings; i++) {
    low = centre - half;
    high = centre + half;
    if (RangeHasSteps(low, high)) break;
    half *= 2;
  }
  if (!RangeHasSteps(low, high)) {
    low = 0;
    high = 1;
  }
  if (logScale == 0 || !(givenLow > 0) || low > 0) return;
  const double geometricCentre = std::sqrt(givenLow) * std::sqrt(std::fmax(givenHigh, givenLow));
  double factor = 2;
  for (int32_t i = 0; i < MaxWidenings; i++) {
    low = geometricCentre / factor;
    high = geometricCentre * factor;
    if (RangeHasSteps(low, high)) return;
    factor *= 2;
  }
}

int32_t ChooseRow(double workLow, double workHigh, int32_t& logScale) {
  if (workHigh <= 0 || workLow <= 0) {
    logScale = 0;
    return LinearRow;
  }
  if (!logScale) return LinearRow;
  double ratio = workHigh / workLow;
  if (ratio < 51) return 2;
  if (ratio < 501) return 1;
  return 0;
}

void ResetTicks(AxisTickTable& table) {
  for (AxisTick& tick : table.entries) {
    tick.text[0] = '\0';
    tick.value = -999.0f;
    tick.position = -999.0;
  }
}

// Keeps a tick's value in the table, rounded as the table holds it.
void KeepTick(AxisTick& tick, double value) {
  tick.value = float(value);
  tick.position = Kept(value);
}

// Linear walk: the smallest step of 10, 20, 25 or 50 times a power of ten that is at least
// span / 6, the working low rounded down to it, and the ticks up to the working high.
void LinearTicks(AxisTickTable& table, int32_t exponents[], double labelValues[],
                 int32_t& tickCount, int32_t& extra, double& workLow, double& workHigh, double step,
                 int32_t searchStart) {
  double span = workHigh - workLow;
  RowWalk walk{LinearRow, 0, searchStart};
  for (int32_t i = 0; i < MaxStepSearch && 6 * step < span; i++) {
    walk.Advance();
    step = ScaleByPowerOfTen(walk.Multiplier(), walk.exponent);
  }
  extra = TickStepTable[LinearRow][walk.idx] == 25 ? 1 : 0;
  double quotient = workLow / step;
  if (quotient != std::floor(quotient)) workLow = std::floor(quotient) * step;
  for (int32_t i = 0; i < MaxAxisTicks; i++) {
    AxisTick& tick = table.entries[i];
    KeepTick(tick, (workLow + i * step) / 10);
    labelValues[i] = tick.position;
    exponents[i] = walk.exponent;
    // The table ends at MaxAxisTicks: the last one it holds becomes the top.
    if (tick.position >= workHigh * 0.1 || i == MaxAxisTicks - 1) {
      tickCount = i + 1;
      workHigh = tick.position * 10;
      break;
    }
  }
}

// A decade step of 2, 5, 10, 20, 50, ... decades: the `n`th of them, counted from 0.
int32_t DecadeStep(int32_t n) {
  constexpr int32_t Multipliers[3] = {2, 5, 10};
  int32_t step = Multipliers[n % 3];
  for (int32_t k = 0; k < n / 3 && step < MaxStepSearch; k++) step *= 10;
  return step;
}

// The largest multiple of `step` at or below `exponent`.
int32_t MultipleBelow(int32_t exponent, int32_t step) {
  const int32_t q = exponent / step;
  return (exponent % step != 0 && exponent < 0) ? (q - 1) * step : q * step;
}

// Ticks several decades apart, for a range that one tick a decade would need more than
// MaxAxisTicks for: the fewest decades a step (2, 5, 10, 20, ...) whose ticks, at multiples of
// the step from the one at or below the decade `lowDecade`, reach the working high.
void DecadeTicks(AxisTickTable& table, int32_t exponents[], double labelValues[],
                 int32_t& tickCount, int32_t lowDecade, double& workLow, double& workHigh) {
  int32_t top = lowDecade;
  while (top < lowDecade + MaxStepSearch && Kept(PowerOfTen(top)) < workHigh * 0.1) top++;
  int32_t step = 1;
  int32_t first = lowDecade;
  for (int32_t n = 0; n < 30; n++) {
    step = DecadeStep(n);
    first = MultipleBelow(lowDecade, step);
    if ((top - first + step - 1) / step + 1 <= MaxAxisTicks) break;
  }
  workLow = PowerOfTen(first + 1);
  for (int32_t i = 0; i < MaxAxisTicks; i++) {
    AxisTick& tick = table.entries[i];
    exponents[i] = first + i * step;
    KeepTick(tick, PowerOfTen(exponents[i]));
    labelValues[i] = PowerOfTen(exponents[i]);
    if (exponents[i] >= top || i == MaxAxisTicks - 1) {
      tickCount = i + 1;
      workHigh = tick.position * 10;
      break;
    }
  }
}

// Logarithmic walk: the largest row value below the working low, then row values up to the
// working high; ticks several decades apart where that would take more than the table holds.
void LogTicks(AxisTickTable& table, int32_t exponents[], double labelValues[], int32_t& tickCount,
              int32_t row, double& workLow, double& workHigh, int32_t searchStart) {
  RowWalk walk{row, 0, searchStart};
  RowWalk previous = walk;
  for (int32_t i = 0; i < MaxStepSearch; i++) {
    if (ScaleByPowerOfTen(walk.Multiplier(), walk.exponent + 1) >= workLow) break;
    previous = walk;
    walk.Advance();
  }
  workLow = ScaleByPowerOfTen(previous.Multiplier(), previous.exponent + 1);
  walk = previous;
  for (int32_t i = 0; i < MaxAxisTicks; i++) {
    AxisTick& tick = table.entries[i];
    KeepTick(tick, ScaleByPowerOfTen(walk.Multiplier(), walk.exponent));
    labelValues[i] = tick.position;
    exponents[i] = walk.exponent;
    walk.Advance();
    if (tick.position >= workHigh * 0.1) {
      tickCount = i + 1;
      workHigh = tick.position * 10;
      return;
    }
  }
  DecadeTicks(table, exponents, labelValues, tickCount, previous.exponent, workLow, workHigh);
}

// Whether a fixed label shows its number: a nonzero value needs a nonzero digit.
bool ShowsValue(const char* text, double value) {
  if (value == 0) return true;
  for (const char* p = text; *p != '\0'; p++) {
    if (*p >= '1' && *p <= '9') return true;
  }
  return false;
}

// The short exponent form of `value`: the fewest significant digits that give it back to single
// precision, and the exponent without "+" or leading zeros ("1e-12", "2.5e20").
void FormatShortExponent(double value, char* out, size_t size) {
  if (value == 0) {
    std::snprintf(out, size, "0");
    return;
  }
  char buffer[64];
  std::to_chars_result result{buffer, std::errc()};
  for (int32_t digits = 0; digits <= 16; digits++) {
    result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits);
    double back = 0;
    std::from_chars(buffer, result.ptr, back);
    if (std::fabs(back - value) <= 1e-7 * std::fabs(value)) break;
  }
  std::string text(buffer, result.ptr);
  const size_t e = text.find('e');
  if (e != std::string::npos) {
    std::string exponent = text.substr(e + 1);
    const bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.erase(0, 1);
    while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
    text = text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
  }
  const size_t kept = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), kept);
  out[kept] = '\0';
}

// Labels the ticks with `labelValues`: the kept tick values, or the exact powers of ten of ticks
// several decades apart (whose single-precision values would show rounding digits).
void LabelTicks(AxisTickTable& table, const int32_t exponents[], const double labelValues[],
                int32_t tickCount, bool linear, int32_t extra, double high) {
  double limit = high > 0 ? high * 1.0001 : high * 0.9999;
  for (int32_t i = 0; i < tickCount; i++) {
    AxisTick& tick = table.entries[i];
    if (tick.position > limit) break;
    int32_t decimals = linear ? extra - exponents[i] : -exponents[i];
    if (decimals < 0) decimals = 0;
    // The point is a point in every locale, so that every back end draws the same label. A
    // label that fixed notation cannot show, all its digits zero or longer than the field,
    // takes the short exponent form.
    const double label = labelValues[i];
    const size_t length = FormatFixed(label, decimals, tick.text, sizeof tick.text);
    if (length >= sizeof tick.text || !ShowsValue(tick.text, label)) {
      FormatShortExponent(label, tick.text, sizeof tick.text);
    }
  }
}

}  // namespace

int32_t ComputeAxisTicks(AxisTickTable& table, int32_t& tickCount, double& low, double& high,
                         int32_t logScale, int32_t withLabels) {
  tickCount = 0;
  WidenNarrowRange(low, high, logScale);

  double mantissa;
  int32_t exponent;
  SplitDecimal(logScale ? low : high, mantissa, exponent);
  double workLow = WorkingLow(low);
  double workHigh = WorkingHigh(high);
  ResetTicks(table);
  int32_t row = ChooseRow(workLow, workHigh, logScale);

  double span = workHigh - workLow;
  double step = 0;
  for (int32_t i = 0; i < MaxStepSearch; i++) {
    exponent--;
    step = ScaleByPowerOfTen(TickStepTable[row][0], exponent);
    if (3 * step < span) break;
  }

  int32_t exponents[MaxAxisTicks] = {};
  double labelValues[MaxAxisTicks] = {};
  int32_t extra = 0;
  if (row == LinearRow) {
    LinearTicks(table, exponents, labelValues, tickCount, extra, workLow, workHigh, step, exponent);
  } else {
    LogTicks(table, exponents, labelValues, tickCount, row, workLow, workHigh, exponent);
  }
  low = Kept(workLow / 10);
  high = Kept(workHigh / 10);

  if (withLabels) {
    LabelTicks(table, exponents, labelValues, tickCount, row == LinearRow, extra, high);
    if (logScale) {
      for (int32_t i = 0; i < tickCount; i++) {
        AxisTick& tick = table.entries[i];
        tick.value = float(std::log(tick.position));
        tick.position = double(tick.value);
      }
      low = std::log(low);
      high = std::log(high);
    }
  }
  return logScale;
}

int32_t ValueToY(double value, double substitute, double low, int32_t logScale, int32_t shift,
                 double scale) {
  double v = value;
  if (v <= BelowLimitMarker || v >= AboveLimitMarker || (logScale && v <= 0)) v = substitute;
  if (logScale) v = std::log(v);
  double t = scale * (v - low) + shift;
  // Heights far off the canvas (or no number at all) are pinned 2^26 units away: still off the
  // canvas, and small enough for readers that hold coordinates in 32-bit fixed point.
  constexpr double MaxOffset = 67108864;
  if (std::isnan(t)) t = 0;
  if (t > MaxOffset) t = MaxOffset;
  if (t < -MaxOffset) t = -MaxOffset;
  return 7650 - int32_t(t);
}

int32_t TextWidth(const char* text) {
  size_t length = std::strlen(text);
  constexpr size_t MaxLength = INT32_MAX / 200;
  return 200 * int32_t(length < MaxLength ? length : MaxLength);
}

void DrawDot(Canvas& canvas, int32_t x, int32_t y, int32_t diameter) {
  int32_t h = diameter / 2;
  canvas.Ellipse(x - h, y - h, x + h, y + h);
}

void DrawVerticalTick(Canvas& canvas, int32_t x, int32_t y, int32_t length) {
  int32_t h = length / 2;
  canvas.MoveTo(x, y - h);
  canvas.LineTo(x, y + h);
}

double SplitDecimal(double x, double& mantissa, int32_t& exponent) {
  if (x == 0) {
    mantissa = 0;
    exponent = -1;
    return mantissa;
  }
  if (!std::isfinite(x)) {  // no decimal exponent: keep x as it is
    mantissa = x;
    exponent = 0;
    return mantissa;
  }
  double magnitude = std::log10(std::fabs(x));
  exponent = int32_t(magnitude) - 1;
  if (std::fabs(x) < 1) exponent--;
  mantissa = TenToThe(magnitude - exponent);
  if (x < 0) mantissa = -mantissa;
  return mantissa;
}

double PowerOfTen(int32_t n) {
  // Repeated multiplication; past the double range the result no longer changes.
  double result = 1;
  double factor = n > 0 ? 10 : 0.1;
  int64_t count = n > 0 ? int64_t(n) : -int64_t(n);
  for (int64_t i = 0; i < count && result != 0 && !std::isinf(result); i++) result *= factor;
  return result;
}

double TenToThe(double x) {
  return std::exp2(x * Log2Of10);
}

double ScaleByPowerOfTen(double x, int32_t n) {
  return PowerOfTen(n) * x;
}

}  // namespace qm
