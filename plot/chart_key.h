// The one-line key under a chart, drawn when limit values are to be marked: on the left what the
// summary marks (or the box plot's shapes) show, on the right the marker of a value estimated for
// a limit marker. Also the marker itself, which the group plot draws for those values.
#pragma once

#include <cstdint>

#include "plot/canvas.h"
#include "plot/chart_frame.h"
#include "plot/plot_types.h"

namespace qm {

// The key's line: below the slot names and above the bottom of the picture that the metafile's
// frame shows (logical y 7347), from the caption's column to the frame's right edge.
constexpr int32_t KeyTop = 7095;
constexpr int32_t KeyBottom = 7344;
constexpr int32_t KeyLeft = CaptionX;
constexpr int32_t KeyRight = FrameRight;

// The fill of an estimated point: a filled dot where measured points are open circles, so the two
// differ in print and in black and white.
constexpr Color EstimateFill = Rgb(128, 128, 128);

// What a group plot's summary mark shows, in the picture's characters (Windows-1252); on a
// logarithmic axis the mean-based marks are those of the logarithms. nullptr for no mark.
const char* SummaryMarkKey(SummaryMark mark, bool logAxis);
// What the box plot's shapes show; `smallSeries` adds the shape of a series of up to 5 values.
const char* BoxPlotKey(bool smallSeries);

// An estimated point at (x, y), with the estimate fill and the outline pen selected: a filled dot
// the size of a measured one, or, where points are drawn as strokes, the stroke crossed by a short
// bar.
void DrawEstimatedPoint(Canvas& canvas, int32_t x, int32_t y, bool asStroke);

// The key's line: `markWords` (nullptr for none) from the left; with `estimates`, the words for
// an estimated point (shorter `besideTests`, where the line holds the tests' words too) at the
// right end followed by its marker, drawn with `estimateFill` (the outline pen selected). Leaves
// `estimateFill` selected when it draws the marker.
void DrawChartKey(Canvas& canvas, const char* markWords, bool estimates, bool asStroke,
                  CanvasObject estimateFill, bool besideTests = false);

}  // namespace qm
