// FormatFixed gives the very text of snprintf's "%.*lf" in the C locale: chosen cases (ties,
// negative zero, the extremes, a field too short) and a large random sample of doubles and of
// the single-precision tick values, at every decimal count an axis can ask for.
#include "plot/format_fixed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace qm {
namespace {

// The length returned and the text written into a field of `size` characters.
std::string Printed(double value, int32_t decimals, size_t size) {
  char out[512];
  std::memset(out, '#', sizeof out);
  const size_t field = std::min(size, sizeof out);
  int length = std::snprintf(out, field, "%.*lf", int(decimals), value);
  return std::to_string(length) + ":" + std::string(out, field > 0 ? std::strlen(out) : 0);
}

std::string Formatted(double value, int32_t decimals, size_t size) {
  char out[512];
  std::memset(out, '#', sizeof out);
  const size_t field = std::min(size, sizeof out);
  size_t length = FormatFixed(value, decimals, out, field);
  return std::to_string(length) + ":" + std::string(out, field > 0 ? std::strlen(out) : 0);
}

struct FixedCase {
  double value;
  int32_t decimals;
  size_t size;  // the field, as LabelTicks passes it
};

TEST(FormatFixedTest, SameTextAsPrintfInTheCLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  const FixedCase cases[] = {
      {0.5, 0, 40},
      {1.5, 0, 40},
      {2.5, 0, 40},
      {-0.5, 0, 40},
      {0.125, 2, 40},
      {0.375, 2, 40},
      {1e23, 0, 40},
      {0.1, 20, 40},
      {-0.0, 0, 40},
      {-0.0, 3, 40},
      {-0.04, 1, 40},
      {0.0, 41, 40},
      {DBL_MAX, 0, 400},
      {-DBL_MAX, 2, 400},
      {DBL_MIN, 330, 400},
      {4.9e-324, 340, 400},
      {1e37, 0, 40},
      {3.4028234663852886e38, 1, 40},
      {123.456, 2, 4},
      {123.456, 2, 1},
      {7.0, 1, 0},
      {HUGE_VAL, 2, 40},
      {-HUGE_VAL, 0, 40},
      {double(float(0.3)), 1, 40},
      {double(float(2.675)), 2, 40},
      {double(float(1e-30)), 45, 40},
      {999999.999, 3, 40},
      {-999998.999, 2, 40},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(Formatted(c.value, c.decimals, c.size), Printed(c.value, c.decimals, c.size))
        << c.value << " with " << c.decimals;
  }

  // Random bit patterns cover every magnitude; random floats are what the axis labels; decimal
  // ties (n + 0.5) / 10^k test the rounding of halfway values that are exactly representable.
  std::mt19937_64 random(20240611);
  int compared = 0;
  for (int i = 0; i < 60000; i++) {
    const double any = std::bit_cast<double>(random());
    if (std::isnan(any)) continue;
    const double tick = double(std::bit_cast<float>(uint32_t(random())));
    if (std::isnan(tick)) continue;
    const int32_t k = int32_t(random() % 4);
    const double tie = (double(int64_t(random() % 2000001) - 1000000) + 0.5) / std::pow(2.0, k);
    const int32_t decimals = int32_t(random() % 48);
    const size_t size = i % 2 == 0 ? 40 : 400;
    ASSERT_EQ(Formatted(any, decimals, size), Printed(any, decimals, size)) << any;
    ASSERT_EQ(Formatted(tick, decimals, size), Printed(tick, decimals, size)) << tick;
    ASSERT_EQ(Formatted(tie, k, size), Printed(tie, k, size)) << tie;
    compared += 3;
  }
  EXPECT_GT(compared, 170000);
}

}  // namespace
}  // namespace qm
