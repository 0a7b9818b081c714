// The p-value and count lines under the slots, and the key's words for the tests.
#include "plot/test_lines.h"

#include <cstdio>
#include <cstring>

#include "plot/chart_key.h"
#include "plot/format_fixed.h"

namespace qm {

namespace {

// Below this the p-value is only said to be small.
constexpr double SmallestShownP = 0.001;
// About the width of a digit, a space or a sign of the upright font (Verdana's are 0.55 to
// 0.64 em, and its em is about 205 units): whether a text fits its slot.
constexpr int32_t TestCharWidth = 140;
constexpr size_t TestTextSize = 32;

int32_t EstimatedWidth(const char* text) {
  return int32_t(std::strlen(text)) * TestCharWidth;
}

void DrawCentred(const ChartFrame& frame, int32_t s, int32_t top, const char* text) {
  const int32_t x = frame.SlotCentre(s);
  frame.chart.canvas.DrawTextInBox(
      text, Rect{x - frame.slots.half, top, x + frame.slots.half, top + TestLineHeight},
      TextBoxCenter);
}

void Append(char* out, size_t size, const char* text) {
  const size_t used = std::strlen(out);
  if (used + 1 < size) std::snprintf(out + used, size - used, "%s", text);
}

}  // namespace

void FormatPValue(double p, bool compact, char* out, size_t size) {
  if (p < SmallestShownP) {
    std::snprintf(out, size, "%s", compact ? "<0.001" : "p < 0.001");
    return;
  }
  // Three significant digits: three decimals from 0.1 up, one more for each decade below.
  int32_t decimals = 3;
  for (double decade = 0.1; p < decade && decimals < 5; decade /= 10.0) decimals++;
  char number[TestTextSize];
  FormatFixed(p, decimals, number, sizeof number);
  // Trailing zeros say nothing here: 0.0120 is written 0.012, 1.000 is written 1.
  size_t length = std::strlen(number);
  while (length > 0 && number[length - 1] == '0') number[--length] = '\0';
  if (length > 0 && number[length - 1] == '.') number[--length] = '\0';
  std::snprintf(out, size, "%s%s", compact ? "" : "p = ", number);
}

void DrawTestLines(const ChartFrame& frame, int32_t s) {
  const GroupComparisonTable& comparisons = frame.chart.tables.comparisons;
  const int32_t count = frame.chart.tables.series.series[s].count;
  // The full texts where the widest of them fits the slot, else the bare numbers.
  char full[TestTextSize];
  std::snprintf(full, sizeof full, "n = %d", count);
  const bool compact = EstimatedWidth("p = 0.0123") > frame.slots.width;
  const GroupComparison* comparison = ComparisonOfSeries(comparisons, s);
  if (comparison != nullptr) {
    char p[TestTextSize];
    const double shown = ShownP(*comparison);
    if (shown < 0.0) {
      std::snprintf(p, sizeof p, "%s", compact ? "-" : "no test");
    } else {
      FormatPValue(shown, compact, p, sizeof p);
    }
    DrawCentred(frame, s, TestPLineTop, p);
  }
  char n[TestTextSize];
  std::snprintf(n, sizeof n, compact ? "%d" : "n = %d", count);
  DrawCentred(frame, s, TestCountLineTop, n);
}

void TestKeyWords(const GroupComparisonTable& comparisons, SplitMode split, char* out,
                  size_t size) {
  // The tests whose p-values the chart shows, each named once, t-tests first.
  bool used[6] = {};
  for (int32_t i = 0; i < comparisons.count; i++) {
    const GroupComparison& c = comparisons.comparisons[i];
    if (c.t.test != GroupTest::None) {
      used[int32_t(c.t.test)] = true;
    } else if (c.rank.test != GroupTest::None) {
      used[int32_t(c.rank.test)] = true;
    }
  }
  struct Named {
    GroupTest test;
    const char* words;
  };
  constexpr Named names[] = {{GroupTest::WelchT, "Welch t-test"},
                             {GroupTest::PairedT, "paired t-test"},
                             {GroupTest::MannWhitney, "Mann-Whitney U"},
                             {GroupTest::Wilcoxon, "Wilcoxon signed-rank"},
                             {GroupTest::Sign, "sign test"}};
  std::snprintf(out, size, "%s",
                split == SplitMode::None ? "p vs. first slot" : "p vs. first slot of block");
  const char* separator = ": ";
  for (const Named& name : names) {
    if (!used[int32_t(name.test)]) continue;
    Append(out, size, separator);
    Append(out, size, name.words);
    separator = ", ";
  }
  if (std::strcmp(separator, ": ") == 0) Append(out, size, ": no test possible");
}

const char* ChartKeyWords(const ChartContext& chart, const char* markWords, char* buffer,
                          size_t size) {
  if (chart.settings.ShowTests == 0) return markWords;
  TestKeyWords(chart.tables.comparisons, chart.settings.Split, buffer, size);
  if (markWords != nullptr) {
    Append(buffer, size, "; ");
    Append(buffer, size, markWords);
  }
  return buffer;
}

int32_t ChartKeyTop(const PlotSettings& settings) {
  return settings.ShowTests != 0 ? TestKeyTop : KeyTop;
}

}  // namespace qm
