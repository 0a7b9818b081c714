// How far the marks of a chart reach: the charts draw their marks once on a canvas that only
// measures, and widen the axis when a mark would stand outside the frame. When every mark fits,
// the frame stays exactly as it was chosen.
#pragma once

#include <cstdint>

#include "plot/canvas.h"
#include "plot/chart_frame.h"

namespace qm {

// A mark this close to the frame's edge is on it: ticks kept in single precision can sit a hair
// off the data they round, and the pen is wider than that.
constexpr int32_t FrameSlack = 2;

// Rounds of widening a chart allows: a mark far off the canvas is pinned to its reach, so one
// round may not see how far it lies.
constexpr int32_t MaxWidenRounds = 8;

// A canvas that draws nothing and keeps the highest and lowest height of the lines, polygons and
// circles drawn on it. Texts, frames and objects are ignored.
class MarkExtentCanvas : public Canvas {
 public:
  CanvasObject CreatePen(int32_t, int32_t, Color) override { return 0; }
  CanvasObject CreateSolidBrush(Color) override { return 0; }
  CanvasObject CreateHollowBrush() override { return 0; }
  CanvasObject CreateChartFont(FontKind) override { return 0; }
  CanvasObject SelectObject(CanvasObject) override { return 0; }
  CanvasObject SelectStockObject(int32_t) override { return 0; }
  void DeleteObject(CanvasObject) override {}
  void SetMapMode(int32_t) override {}
  void SetWindowExtent(int32_t, int32_t) override {}
  void SetViewportExtent(int32_t, int32_t) override {}
  void MoveTo(int32_t, int32_t y) override { Hold(y); }
  void LineTo(int32_t, int32_t y) override { Hold(y); }
  void Rectangle(int32_t, int32_t, int32_t, int32_t) override {}
  void Ellipse(int32_t, int32_t top, int32_t, int32_t bottom) override;
  void Polygon(const Point* points, int32_t count) override;
  void Polyline(const Point* points, int32_t count) override;
  void DrawTextAt(int32_t, int32_t, const char*, int32_t) override {}
  void DrawClippedTextAt(int32_t, int32_t, const char*, int32_t, const Rect&) override {}
  void DrawTextInBox(const char*, const Rect&, uint32_t) override {}

  bool any = false;
  int32_t top = 0;     // the smallest y held
  int32_t bottom = 0;  // the largest y held

  // Whether a mark stands above or below the frame of `axis` by more than FrameSlack.
  bool OutsideFrame(const ValueAxis& axis) const;

 private:
  void Hold(int32_t y);
};

// The data range [low, high] (data values, not logarithms) widened to hold the heights that
// `extent` measured on `axis`.
void WidenToHold(const ValueAxis& axis, const MarkExtentCanvas& extent, double& low, double& high);

}  // namespace qm
