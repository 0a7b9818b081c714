// The p-value and count lines under the slots, and the key's words for the tests.
#include "plot/test_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plot/chart_key.h"
#include "plot/format_fixed.h"

namespace qm {

namespace {

// Below this the p-value is only said to be small.
constexpr double SmallestShownP = 0.001;
constexpr size_t TestTextSize = 32;
// Room kept free between the texts of neighbouring slots.
constexpr int32_t TestTextGap = 60;

// About the width of a text of the lines in the upright font, from the font's advances at its em
// of 213 units (rounded up): digits and letters 136, the space 75, the point 77, "=" and "<" 178.
int32_t EstimatedWidth(const char* text) {
  int32_t width = 0;
  for (const char* c = text; *c != '\0'; c++) {
    switch (*c) {
      case ' ':
        width += 75;
        break;
      case '.':
        width += 77;
        break;
      case '=':
      case '<':
        width += 178;
        break;
      default:
        width += 136;
    }
  }
  return width;
}

// The texts under slot s: its p-value (empty where it is not compared) and its count.
void SlotTexts(const ChartFrame& frame, int32_t s, bool compact, char* p, char* n) {
  const int32_t count = frame.chart.tables.series.series[s].count;
  std::snprintf(n, TestTextSize, compact ? "%d" : "n = %d", count);
  p[0] = '\0';
  const GroupComparison* comparison = ComparisonOfSeries(frame.chart.tables.comparisons, s);
  if (comparison == nullptr) return;
  const double shown = ShownP(*comparison);
  if (shown < 0.0) {
    std::snprintf(p, TestTextSize, "%s", compact ? "-" : "no test");
  } else {
    FormatPValue(shown, compact, p, TestTextSize);
  }
}

// Whether the chart writes the bare numbers: where one slot's full texts do not fit it, every
// slot does, so that all slots read alike.
bool CompactTexts(const ChartFrame& frame) {
  char p[TestTextSize];
  char n[TestTextSize];
  for (int32_t s = 0; s < frame.slots.count; s++) {
    SlotTexts(frame, s, false, p, n);
    const int32_t widest = std::max(EstimatedWidth(p), EstimatedWidth(n));
    if (widest > frame.slots.width - TestTextGap) return true;
  }
  return false;
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
    std::snprintf(out, size, "%s", compact ? "<.001" : "p < 0.001");
    return;
  }
  // Three significant digits: three decimals from 0.1 up, one more for each decade below. The
  // bare number keeps three decimals and no leading zero, to fit a narrow slot.
  int32_t decimals = 3;
  for (double decade = 0.1; !compact && p < decade && decimals < 5; decade /= 10.0) decimals++;
  char number[TestTextSize];
  FormatFixed(p, decimals, number, sizeof number);
  // Trailing zeros say nothing here: 0.0120 is written 0.012, 1.000 is written 1.
  size_t length = std::strlen(number);
  while (length > 0 && number[length - 1] == '0') number[--length] = '\0';
  if (length > 0 && number[length - 1] == '.') number[--length] = '\0';
  const char* digits = compact && number[0] == '0' && number[1] == '.' ? number + 1 : number;
  std::snprintf(out, size, "%s%s", compact ? "" : "p = ", digits);
}

void DrawTestLines(const ChartFrame& frame, int32_t s) {
  char p[TestTextSize];
  char n[TestTextSize];
  SlotTexts(frame, s, CompactTexts(frame), p, n);
  if (p[0] != '\0') DrawCentred(frame, s, TestPLineTop, p);
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
                split == SplitMode::None ? "p vs. first slot" : "p vs. block's first slot");
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
