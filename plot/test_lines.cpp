// The p-value and count lines under the slots, and the key's words for the tests.
#include "plot/test_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plot/format_fixed.h"
#include "plot/text_layout.h"

namespace qm {

namespace {

// Below this the p-value is only said to be small.
constexpr double SmallestShownP = 0.001;
constexpr size_t TestTextSize = 32;
// Room kept free between the texts of neighbouring slots.
constexpr int32_t TestTextGap = 60;
// Running upward, a text's cell lies right of its reference point, its baseline FontAscent from
// it; the ink of digits and small letters reaches about 155 units above the baseline. The
// reference point stands this far left of the slot's centre, so that the ink is centred.
constexpr int32_t UpwardInkMiddle = FontAscent - 155 / 2;
// The longest name column: a longer name is cut at the top.
constexpr int32_t MaxUpwardNamesLength = 1400;

int32_t Width(const char* text) {
  return int32_t(TextAdvance(text, std::strlen(text)));
}

// The texts under slot s: its p-value (empty where it is not compared) and its count.
void SlotTexts(const ChartContext& chart, int32_t s, bool compact, char* p, char* n) {
  const int32_t count = chart.tables.series.series[s].count;
  std::snprintf(n, TestTextSize, compact ? "%d" : "n = %d", count);
  p[0] = '\0';
  const GroupComparison* comparison = ComparisonOfSeries(chart.tables.comparisons, s);
  if (comparison == nullptr) return;
  const double shown = ShownP(*comparison);
  if (shown < 0.0) {
    std::snprintf(p, TestTextSize, "%s", compact ? "-" : "no test");
  } else {
    FormatPValue(shown, compact, p, TestTextSize);
  }
}

// Whether every slot's texts, full or bare, fit across it.
bool TextsFitAcross(const ChartContext& chart, const SlotLayout& slots, bool compact) {
  char p[TestTextSize];
  char n[TestTextSize];
  for (int32_t s = 0; s < slots.count; s++) {
    SlotTexts(chart, s, compact, p, n);
    if (std::max(Width(p), Width(n)) > slots.width - TestTextGap) return false;
  }
  return true;
}

// The columns of texts written upward: each as long as its longest text, and at least a line
// high, for the row's name beside it.
TestLayout UpwardLayout(const ChartContext& chart, const SlotLayout& slots) {
  TestLayout layout{TestLines::Upward, TestLineHeight, TestLineHeight, TestLineHeight};
  char p[TestTextSize];
  char n[TestTextSize];
  for (int32_t s = 0; s < slots.count; s++) {
    SlotTexts(chart, s, true, p, n);
    layout.namesLength = std::max(layout.namesLength, Width(SlotName(chart, s)));
    layout.pLength = std::max(layout.pLength, Width(p));
    layout.countLength = std::max(layout.countLength, Width(n));
  }
  layout.namesLength = std::min(layout.namesLength, MaxUpwardNamesLength);
  return layout;
}

// Where the columns of slot texts written upward begin, below the frame.
struct UpwardTops {
  int32_t names;
  int32_t p;
  int32_t count;
};

UpwardTops ColumnTops(const ChartFrame& frame) {
  const TestLayout& layout = frame.slots.tests;
  UpwardTops tops{};
  tops.names = frame.axis.bottom + TestNamesGap;
  tops.p = tops.names + layout.namesLength + UpwardGap;
  tops.count = tops.p + layout.pLength + UpwardGap;
  return tops;
}

void DrawCentred(const ChartFrame& frame, int32_t s, int32_t top, const char* text) {
  const int32_t x = frame.SlotCentre(s);
  frame.chart.canvas.DrawTextInBox(
      text, Rect{x - frame.slots.half, top, x + frame.slots.half, top + TestLineHeight},
      TextBoxCenter);
}

// A text running upward in slot s's column, the `length` units below `top`: ending at the
// column's top where it fits, else starting at its bottom and cut at the top. The column is as wide
// as the slot, and the text and its white cell stay in it, so that neighbours stay whole.
void DrawUpward(const ChartFrame& frame, int32_t s, int32_t top, int32_t length, const char* text) {
  if (text[0] == '\0') return;
  const int32_t x = frame.SlotCentre(s);
  const Rect column{x - frame.slots.half, top, x + frame.slots.half, top + length};
  frame.chart.canvas.DrawClippedTextAt(x - UpwardInkMiddle, top + std::min(Width(text), length),
                                       text, int32_t(std::strlen(text)), column);
}

// A row's name right-aligned in the margin left of the slots, in a line from `top`.
void DrawRowName(const ChartFrame& frame, int32_t top, const char* name) {
  const int32_t right = frame.axis.left - LabelGap;
  frame.chart.canvas.DrawTextInBox(
      name, Rect{right - frame.axis.labelWidth, top, right, top + TestLineHeight}, TextBoxRight);
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

TestLayout ChooseTestLayout(const ChartContext& chart, const SlotLayout& slots) {
  if (chart.settings.ShowTests == 0 || !slots.exists) return TestLayout{TestLines::Hidden, 0, 0, 0};
  if (TextsFitAcross(chart, slots, false)) return TestLayout{TestLines::Full, 0, 0, 0};
  if (TextsFitAcross(chart, slots, true)) return TestLayout{TestLines::Bare, 0, 0, 0};
  return UpwardLayout(chart, slots);
}

int32_t TestsFrameBottom(const TestLayout& layout) {
  switch (layout.lines) {
    case TestLines::Hidden:
      return FrameBottom;
    case TestLines::Full:
    case TestLines::Bare:
      return AcrossTestsFrameBottom;
    case TestLines::Upward:
      return KeyTop - TestNamesGap - layout.namesLength - layout.pLength - layout.countLength -
             3 * UpwardGap;
  }
  return FrameBottom;
}

void DrawNameAndTests(const ChartFrame& frame, int32_t s, const char* name) {
  const TestLines lines = frame.slots.tests.lines;
  char p[TestTextSize];
  char n[TestTextSize];
  SlotTexts(frame.chart, s, lines != TestLines::Full, p, n);
  if (lines != TestLines::Upward) {
    DrawCentred(frame, s, TestNamesTop, name);
    if (p[0] != '\0') DrawCentred(frame, s, TestPLineTop, p);
    DrawCentred(frame, s, TestCountLineTop, n);
    return;
  }
  const TestLayout& layout = frame.slots.tests;
  const UpwardTops tops = ColumnTops(frame);
  Canvas& canvas = frame.chart.canvas;
  canvas.SelectObject(frame.chart.RotatedFont);
  DrawUpward(frame, s, tops.names, layout.namesLength, name);
  DrawUpward(frame, s, tops.p, layout.pLength, p);
  DrawUpward(frame, s, tops.count, layout.countLength, n);
  canvas.SelectObject(frame.chart.UprightFont);
}

void DrawTestRowNames(const ChartFrame& frame) {
  switch (frame.slots.tests.lines) {
    case TestLines::Hidden:
    case TestLines::Full:
      return;
    case TestLines::Bare:
      DrawRowName(frame, TestPLineTop, "p");
      DrawRowName(frame, TestCountLineTop, "n");
      return;
    case TestLines::Upward: {
      // Beside the tops of the columns, where their texts hang.
      const UpwardTops tops = ColumnTops(frame);
      DrawRowName(frame, tops.p, "p");
      DrawRowName(frame, tops.count, "n");
      return;
    }
  }
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

}  // namespace qm
