// The key under a chart and the marker of an estimated point. The words are Windows-1252 bytes:
// 0xB1 is the plus-minus sign.
#include "plot/chart_key.h"

#include "plot/axis.h"

namespace qm {

namespace {

constexpr int32_t PointSize = 210;
// The crossing bar of an estimated stroke: long enough to show between strokes that stand closer
// than a dot is wide.
constexpr int32_t EstimateBar = 84;
// The marker's centre in the key, half a dot left of the frame's right edge, and the gap between
// the words before it and the dot.
constexpr int32_t KeyMarkerX = KeyRight - PointSize / 2;
constexpr int32_t KeyMarkerGap = 100;
constexpr const char* EstimateWords = "estimated (below/above a limit)";
// Beside the tests' words the line has room for less.
constexpr const char* ShortEstimateWords = "estimated";

}  // namespace

const char* SummaryMarkKey(SummaryMark mark, bool logAxis) {
  switch (mark) {
    case SummaryMark::None:
      return nullptr;
    case SummaryMark::Mean:
      return logAxis ? "Mean of logs" : "Mean";
    case SummaryMark::Median:
      return "Median";
    case SummaryMark::Sem:
      return logAxis ? "Mean of logs \xB1 SEM" : "Mean \xB1 SEM";
    case SummaryMark::MedianSe:
      return "Median \xB1 SE";
    case SummaryMark::Sd:
      return logAxis ? "Mean of logs \xB1 SD" : "Mean \xB1 SD";
    case SummaryMark::Iqr:
      return "Median, bar 25-75 %";
    case SummaryMark::BoxPlot:
      return BoxPlotKey(false);
  }
  return nullptr;
}

const char* BoxPlotKey(bool smallSeries) {
  // The notch spans the median's band of one standard error of its rank (statistics.cpp).
  return smallSeries
             ? "Median \xB1 SE notch, box 25-75 %, whiskers 10-90 %; up to 5 values: median, range"
             : "Median \xB1 SE notch, box 25-75 %, whiskers 10-90 %";
}

void DrawEstimatedPoint(Canvas& canvas, int32_t x, int32_t y, bool asStroke) {
  if (!asStroke) {
    DrawDot(canvas, x, y, PointSize);
    return;
  }
  DrawVerticalTick(canvas, x, y, PointSize);
  canvas.MoveTo(x - EstimateBar / 2, y);
  canvas.LineTo(x + EstimateBar / 2, y);
}

void DrawChartKey(Canvas& canvas, const char* markWords, bool estimates, bool asStroke,
                  CanvasObject estimateFill, bool besideTests) {
  if (markWords != nullptr) {
    canvas.DrawTextInBox(markWords, Rect{KeyLeft, KeyTop, KeyRight, KeyBottom}, 0);
  }
  if (!estimates) return;
  const int32_t wordsRight = KeyMarkerX - PointSize / 2 - KeyMarkerGap;
  canvas.DrawTextInBox(besideTests ? ShortEstimateWords : EstimateWords,
                       Rect{KeyLeft, KeyTop, wordsRight, KeyBottom}, TextBoxRight);
  canvas.SelectObject(estimateFill);
  // Centred on the words' middle height: the text cell is 249 units high.
  DrawEstimatedPoint(canvas, KeyMarkerX, KeyTop + 125, asStroke);
}

}  // namespace qm
