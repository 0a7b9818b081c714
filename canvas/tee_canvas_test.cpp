// The tee canvas: both back ends record what each would record alone, whatever their handles.
#include "canvas/tee_canvas.h"

#include <gtest/gtest.h>

#include "canvas/emf_canvas.h"
#include "canvas/trace_canvas.h"

namespace qm {
namespace {

// Uses every call, deletes a selected object and reuses freed slots.
void Draw(Canvas& canvas) {
  canvas.SetMapMode(MM_ISOTROPIC);
  canvas.SetWindowExtent(14400, 10800);
  canvas.SetViewportExtent(800, 600);
  CanvasObject upright = canvas.CreateFont(FontKind::Upright);
  CanvasObject rotated = canvas.CreateFont(FontKind::Rotated);
  canvas.SelectObject(upright);
  canvas.SelectStockObject(BLACK_PEN);
  CanvasObject pen = canvas.CreatePen(PS_SOLID, 15, 0xFF0000);
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
  canvas.TextOut(100, 7000, "Dose 1", 6);
  canvas.SelectObject(upright);
  canvas.DrawText("a\nb", Rect{0, 0, 1000, 500}, DT_CENTER);
  canvas.SelectObject(keptBrush);
  canvas.DeleteObject(hollow);
  canvas.DeleteObject(brush);
  CanvasObject again = canvas.CreateSolidBrush(0x780000);
  canvas.SelectObject(again);
  canvas.Rectangle(0, 0, 10, 10);
  canvas.SelectStockObject(WHITE_BRUSH);
  canvas.DeleteObject(again);
  canvas.DeleteObject(rotated);
}

TEST(TeeCanvas, BothTracesEqualADirectTrace) {
  TraceCanvas direct;
  Draw(direct);

  TraceCanvas first;
  TraceCanvas second;
  second.CreatePen(PS_SOLID, 1, 0);  // the second canvas's handles differ from the first's
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
