// The placeholder figure: its exact drawing, and the pen and brush it leaves behind.
#include "plot/placeholder.h"

#include <gtest/gtest.h>

#include "canvas/trace_canvas.h"

namespace qm {
namespace {

TEST(Placeholder, DrawsEllipseAndFrameWithItsOwnPenAndBrush) {
  TraceCanvas canvas;
  EXPECT_EQ(DrawPlaceholder(canvas), 0);
  EXPECT_EQ(canvas.trace(),
            "Pen 0 15 0xFF0000\n"
            "Brush solid 0x0000FF\n"
            "Ellipse 10 10 10200 7650\n"
            "Polyline 10 10 10 7640 10190 7640 10190 10 10 10\n"
            "Stock 7\n"    // a new canvas's black pen, selected again
            "Stock 0\n");  // and its white brush
}

TEST(Placeholder, RestoresTheCallersObjectsAndReleasesItsOwn) {
  TraceCanvas canvas;
  CanvasObject brush = canvas.CreateSolidBrush(0x780000);
  canvas.SelectObject(brush);
  canvas.SelectStockObject(StockWhitePen);
  DrawPlaceholder(canvas);
  // Later drawing uses the caller's pen and brush again.
  EXPECT_EQ(canvas.SelectStockObject(StockBlackPen), StockObject(StockWhitePen));
  EXPECT_EQ(canvas.SelectStockObject(StockWhiteBrush), brush);
  // Its pen and brush are gone: their slots are free for the next objects.
  EXPECT_EQ(canvas.CreatePen(PenSolid, 1, 0), brush + 1);
  EXPECT_EQ(canvas.CreatePen(PenSolid, 1, 0), brush + 2);
}

}  // namespace
}  // namespace qm
