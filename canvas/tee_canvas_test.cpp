// The tee canvas: both back ends record what each would record alone, whatever their handles.
#include "canvas/tee_canvas.h"

#include <gtest/gtest.h>

#include "canvas/emf_canvas.h"
#include "canvas/trace_canvas.h"

namespace qm {
namespace {

// Uses every call, deletes a selected object and reuses freed slots.
void Draw(Canvas& canvas) {
  canvas.SetMapMode(MapModeIsotropic);
  canvas.SetWindowExtent(14400, 10800);
  canvas.SetViewportExtent(800, 600);
  CanvasObject upright = canvas.CreateChartFont(FontKind::Upright);
  CanvasObject rotated = canvas.CreateChartFont(FontKind::Rotated);
  canvas.SelectObject(upright);
  canvas.SelectStockObject(StockBlackPen);
  CanvasObject pen = canvas.CreatePen(PenSolid, 15, 0xFF0000);
  CanvasObject brush = canvas.CreateSolidBrush(0x0000FF);
  CanvasObject keptPen = canvas.SelectObject(pen);
  CanvasObject keptBrush = canvas.SelectObject(brush);
  canvas.Rectangle(1, 2, 300, 400);
  canvas.DeleteObject(pen);  // still selected: in effect until replaced
  canvas.MoveTo(5, 6);
  canvas.LineTo(70, 80);
  canvas.SelectObject(keptPen);
  CanvasObject hollow = canvas.CreateHollowBrush();  // takes the pen's freed slot
  canvas.SelectObject(hollow);
  canvas.Ellipse(10, 10, 200, 100);
  const Point points[3] = {{1, 1}, {50, 90}, {100, 1}};
  canvas.Polygon(points, 3);
  canvas.Polyline(points, 3);
  canvas.SelectObject(rotated);
  canvas.DrawTextAt(100, 7000, "Dose 1", 6);
  canvas.DrawClippedTextAt(300, 7000, "12", 2, Rect{280, 6700, 460, 7000});
  canvas.SelectObject(upright);
  canvas.DrawTextInBox("a\nb", Rect{0, 0, 1000, 500}, TextBoxCenter);
  canvas.SelectObject(keptBrush);
  canvas.DeleteObject(hollow);
  canvas.DeleteObject(brush);
  CanvasObject again = canvas.CreateSolidBrush(0x780000);
  canvas.SelectObject(again);
  canvas.Rectangle(0, 0, 10, 10);
  canvas.SelectStockObject(StockWhiteBrush);
  canvas.DeleteObject(again);
  canvas.DeleteObject(rotated);
}

TEST(TeeCanvas, BothTracesEqualADirectTrace) {
  TraceCanvas direct;
  Draw(direct);

  TraceCanvas first;
  TraceCanvas second;
  second.CreatePen(PenSolid, 1, 0);  // the second canvas's handles differ from the first's
  TeeCanvas tee(first, second);
  Draw(tee);

  EXPECT_FALSE(direct.trace().empty());
  EXPECT_EQ(first.trace(), direct.trace());
  EXPECT_EQ(second.trace(), direct.trace());
}

TEST(TeeCanvas, MetafileBytesEqualADirectRecording) {
  EmfCanvas direct;
  Draw(direct);

  TraceCanvas trace;
  EmfCanvas metafile;
  TeeCanvas tee(trace, metafile);
  Draw(tee);
  EXPECT_EQ(metafile.Finish(), direct.Finish());

  EmfCanvas metafileFirst;
  TraceCanvas traceSecond;
  TeeCanvas teeOther(metafileFirst, traceSecond);
  Draw(teeOther);
  EXPECT_EQ(metafileFirst.Finish(), direct.Finish());
  EXPECT_EQ(traceSecond.trace(), trace.trace());
}

}  // namespace
}  // namespace qm
