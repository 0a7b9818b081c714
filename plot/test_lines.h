// The group comparisons on a chart, drawn when the settings ask for them: under every slot's name
// the p-value of its comparison with the first slot of its block (where it is compared) and its
// count of values, and the words of the key that name the tests. Narrow slots get the bare
// numbers, with "p" and "n" left of the first slot; slots too narrow for those across get them
// running upward, one column per slot, under a shorter frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plot/chart_frame.h"
#include "plot/chart_key.h"
#include "stats/group_tests.h"

namespace qm {

// With the tests shown the frame ends higher, the slot names move up to just below it, and the
// tests' lines follow them, above the key's line (KeyTop).
constexpr int32_t TestNamesGap = 10;     // from the frame's bottom edge to the names
constexpr int32_t TestLineHeight = 249;  // one line of the upright font
// Across: the names, the p-values, the counts, one line each.
constexpr int32_t AcrossTestsFrameBottom = KeyTop - 3 * TestLineHeight - 2 * TestNamesGap;
constexpr int32_t TestNamesTop = AcrossTestsFrameBottom + TestNamesGap;
constexpr int32_t TestPLineTop = TestNamesTop + TestLineHeight;
constexpr int32_t TestCountLineTop = TestPLineTop + TestLineHeight;
// Upward: a column for the names, then one for the p-values and one for the counts, each as long
// as its longest text, each text hanging from its top; this far apart, and above the key.
constexpr int32_t UpwardGap = 150;
// Room for the key's words: the tests' and a summary mark's.
constexpr size_t KeyWordsSize = 256;

// "p = 0.012" with three significant digits, "p < 0.001" below that; `compact` writes the bare
// number with three decimals and no leading zero (".012", ".0013" as ".001", "<.001"). Writes at
// most size - 1 characters and a NUL.
void FormatPValue(double p, bool compact, char* out, size_t size);

// How the tests of `chart` are written under slots laid out as `slots`: Hidden without the
// tests (or the slots); else Full where every slot's texts fit across it, Bare where the bare
// numbers do, and Upward otherwise, so that all slots of a chart read alike.
TestLayout ChooseTestLayout(const ChartContext& chart, const SlotLayout& slots);

// Where the frame ends for tests written as `layout` says: FrameBottom when they are Hidden.
int32_t TestsFrameBottom(const TestLayout& layout);

// With the tests shown: slot s's `name` in one line (or its column) below the frame and the p
// and count lines under it, from the run's comparisons, written as the frame's slots.tests says.
void DrawNameAndTests(const ChartFrame& frame, int32_t s, const char* name);

// With bare numbers, "p" and "n" in the margin left of the slots, beside their lines or columns.
void DrawTestRowNames(const ChartFrame& frame);

// The key's words for the tests the chart's p-values come from, in the picture's characters:
// for instance "p vs. block's first slot: Welch t-test, Mann-Whitney U".
void TestKeyWords(const GroupComparisonTable& comparisons, SplitMode split, char* out, size_t size);

// The words of the key under the chart: `markWords` alone without the tests, else the tests'
// words followed by "; " and `markWords` (when not nullptr), written into `buffer`. nullptr when
// there are no words.
const char* ChartKeyWords(const ChartContext& chart, const char* markWords, char* buffer,
                          size_t size);

}  // namespace qm
