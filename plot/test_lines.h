// The group comparisons on a chart, drawn when the settings ask for them: under every slot's name
// the p-value of its comparison with the first slot of its block (where it is compared) and its
// count of values (the bare numbers when a slot of the chart is too narrow for the texts), and the
// words of the key that name the tests.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plot/chart_frame.h"
#include "stats/group_tests.h"

namespace qm {

// With the tests shown the slot names move up to just below the frame, and two lines follow
// them: the p-value, then the count. The key then stands above the frame, below the block
// headings, as the names and lines fill the room below it.
constexpr int32_t TestNamesTop = 6640;
constexpr int32_t TestLineHeight = 249;  // one line of the upright font
constexpr int32_t TestPLineTop = TestNamesTop + TestLineHeight;
constexpr int32_t TestCountLineTop = TestPLineTop + TestLineHeight;
// A little above the frame line, so the key's white cell leaves the line as it is.
constexpr int32_t TestKeyTop = FrameTop - TestLineHeight - 4;
// Room for the key's words: the tests' and a summary mark's.
constexpr size_t KeyWordsSize = 256;

// "p = 0.012" with three significant digits, "p < 0.001" below that; `compact` writes the bare
// number with three decimals and no leading zero (".012", ".0013" as ".001", "<.001"). Writes at
// most size - 1 characters and a NUL.
void FormatPValue(double p, bool compact, char* out, size_t size);

// The p and count lines under slot s of `frame` (its name already drawn), from the run's
// comparisons: the full texts where the slot is wide enough for them, else the bare numbers.
void DrawTestLines(const ChartFrame& frame, int32_t s);

// The key's words for the tests the chart's p-values come from, in the picture's characters:
// for instance "p vs. block's first slot: Welch t-test, Mann-Whitney U".
void TestKeyWords(const GroupComparisonTable& comparisons, SplitMode split, char* out, size_t size);

// The words of the key under (or, with the tests shown, above) the frame: `markWords` alone
// without the tests, else the tests' words followed by "; " and `markWords` (when not nullptr),
// written into `buffer`. nullptr when there are no words.
const char* ChartKeyWords(const ChartContext& chart, const char* markWords, char* buffer,
                          size_t size);
// Where the key's line starts: above the frame with the tests shown, else below the names.
int32_t ChartKeyTop(const PlotSettings& settings);

}  // namespace qm
