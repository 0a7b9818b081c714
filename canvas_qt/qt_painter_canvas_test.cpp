// The Qt painter canvas: the frame it shows, fills and outlines, and where texts land.
#include "canvas_qt/qt_painter_canvas.h"

#include <gtest/gtest.h>

#include "plot/text_layout.h"

namespace qm {
namespace {

// Logical units to image pixels at the default width.
constexpr double kScale = DefaultImageWidth / FrameLogicalWidth;

QRgb PixelAt(const QImage& image, double x, double y) {
  return image.pixel(int(x * kScale), int(y * kScale)) & 0xFFFFFF;
}

// Pixels darker than mid grey inside / outside a logical rectangle.
struct Ink {
  int inside = 0;
  int outside = 0;
};
Ink InkIn(const QImage& image, double left, double top, double right, double bottom) {
  Ink ink;
  for (int y = 0; y < image.height(); y++) {
    for (int x = 0; x < image.width(); x++) {
      if (qGray(image.pixel(x, y)) >= 128) continue;
      const double lx = x / kScale, ly = y / kScale;
      const bool in = lx >= left - 20 && lx <= right + 20 && ly >= top - 20 && ly <= bottom + 20;
      (in ? ink.inside : ink.outside)++;
    }
  }
  return ink;
}

TEST(QtPainterCanvas, ShowsTheMetafileFrame) {
  EXPECT_NEAR(FrameLogicalWidth, 9796.5, 0.1);
  EXPECT_NEAR(FrameLogicalHeight, 7347.4, 0.1);
  struct Case {
    int width;
    QSize size;
  } cases[] = {
      {DefaultImageWidth, QSize(1088, 816)}, {544, QSize(544, 408)}, {100, QSize(100, 75)}};
  for (const Case& c : cases) {
    QtPainterCanvas canvas(c.width);
    EXPECT_EQ(canvas.Finish().size(), c.size);
    EXPECT_EQ(canvas.Finish().pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);  // white paper
  }
}

TEST(QtPainterCanvas, FillsWithTheCurrentBrushAndOutlinesWithThePen) {
  QtPainterCanvas canvas;
  CanvasObject red = canvas.CreateSolidBrush(Rgb(255, 0, 0));
  canvas.SelectObject(red);
  canvas.SelectStockObject(StockBlackPen);
  canvas.Rectangle(1000, 1000, 3000, 2000);
  CanvasObject blue = canvas.CreateSolidBrush(Rgb(0, 0, 120));  // the blue background
  canvas.SelectObject(blue);
  canvas.Ellipse(5000, 1000, 7000, 3000);
  canvas.SelectObject(canvas.CreateHollowBrush());
  CanvasObject green = canvas.CreatePen(PenSolid, 60, Rgb(0, 255, 0));
  canvas.SelectObject(green);
  canvas.Rectangle(1000, 4000, 3000, 6000);
  const QImage& image = canvas.Finish();
  EXPECT_EQ(PixelAt(image, 2000, 1500), 0xFF0000u);
  EXPECT_EQ(PixelAt(image, 1000, 1500), 0x000000u);  // the black outline
  EXPECT_EQ(PixelAt(image, 6000, 2000), 0x000078u);  // RGB(0, 0, 120)
  EXPECT_EQ(PixelAt(image, 5050, 1050), 0xFFFFFFu);  // outside the ellipse, inside its box
  EXPECT_EQ(PixelAt(image, 2000, 5000), 0xFFFFFFu);  // hollow: the interior is not painted
  EXPECT_EQ(PixelAt(image, 2000, 4000), 0x00FF00u);  // the green outline
  EXPECT_EQ(PixelAt(image, 4000, 1500), 0xFFFFFFu);
}

TEST(QtPainterCanvas, DrawsLinesPolylinesAndPolygons) {
  QtPainterCanvas canvas;
  canvas.SelectStockObject(StockBlackPen);
  canvas.MoveTo(500, 500);
  canvas.LineTo(4500, 500);
  const Point open[] = {{500, 2000}, {4500, 2000}, {4500, 3000}};
  canvas.Polyline(open, 3);
  canvas.SelectObject(canvas.CreateSolidBrush(Rgb(0, 0, 255)));
  const Point closed[] = {{6000, 4000}, {9000, 4000}, {7500, 7000}};
  canvas.Polygon(closed, 3);
  const QImage& image = canvas.Finish();
  EXPECT_EQ(PixelAt(image, 2500, 500), 0x000000u);
  EXPECT_EQ(PixelAt(image, 2500, 2000), 0x000000u);
  EXPECT_EQ(PixelAt(image, 4500, 2500), 0x000000u);
  EXPECT_EQ(PixelAt(image, 2500, 2500), 0xFFFFFFu);  // a polyline does not close
  EXPECT_EQ(PixelAt(image, 7500, 5000), 0x0000FFu);
}

TEST(QtPainterCanvas, TextsFillTheirCellsOnly) {
  const char text[] = "Dose 1";
  const double advance = double(TextAdvance(text, 6));
  {
    QtPainterCanvas canvas;
    canvas.SelectObject(canvas.CreateChartFont(FontKind::Upright));
    canvas.DrawTextAt(2000, 3000, text, 6);
    Ink ink = InkIn(canvas.Finish(), 2000, 3000, 2000 + advance, 3000 + FontCellHeight);
    EXPECT_GT(ink.inside, 50);
    EXPECT_EQ(ink.outside, 0);
  }
  {
    // Turned 90 degrees: the text runs upward from the point, its cell to the right.
    QtPainterCanvas canvas;
    canvas.SelectObject(canvas.CreateChartFont(FontKind::Rotated));
    canvas.DrawTextAt(2000, 3000, text, 6);
    Ink ink = InkIn(canvas.Finish(), 2000, 3000 - advance, 2000 + FontCellHeight, 3000);
    EXPECT_GT(ink.inside, 50);
    EXPECT_EQ(ink.outside, 0);
  }
}

TEST(QtPainterCanvas, DrawTextAlignsAndClipsItsLines) {
  const char text[] = "10\n20";
  const double width = double(TextAdvance("10", 2));
  QtPainterCanvas canvas;
  canvas.SelectObject(canvas.CreateChartFont(FontKind::Upright));
  canvas.DrawTextInBox(text, Rect{1000, 1000, 3000, 2000}, TextBoxRight);
  // Two lines, right-aligned, 216 units apart.
  Ink ink =
      InkIn(canvas.Finish(), 3000 - width, 1000, 3000, 1000 + TextLineHeight + FontCellHeight);
  EXPECT_GT(ink.inside, 50);
  EXPECT_EQ(ink.outside, 0);

  QtPainterCanvas clipped;
  clipped.SelectObject(clipped.CreateChartFont(FontKind::Upright));
  clipped.DrawTextInBox("Concentration", Rect{1000, 1000, 1300, 1100}, 0);
  Ink cut = InkIn(clipped.Finish(), 1000, 1000, 1300, 1100);
  EXPECT_GT(cut.inside, 0);
  EXPECT_EQ(cut.outside, 0);

  // Running upward from (1000, 2000), cut to a column: nothing outside it.
  QtPainterCanvas column;
  column.SelectObject(column.CreateChartFont(FontKind::Rotated));
  column.DrawClippedTextAt(1000, 2000, "Concentration", 13, Rect{1000, 1500, 1200, 2000});
  Ink upward = InkIn(column.Finish(), 1000, 1500, 1200, 2000);
  EXPECT_GT(upward.inside, 0);
  EXPECT_EQ(upward.outside, 0);
}

TEST(QtPainterCanvas, GivesAPngAndIgnoresDrawingAfterTheEnd) {
  QtPainterCanvas canvas(200);
  const QByteArray png = canvas.Png();
  EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(png, "PNG"));
  EXPECT_EQ(decoded.size(), QSize(200, 150));
  canvas.SelectStockObject(StockBlackPen);
  canvas.Rectangle(0, 0, 5000, 5000);
  EXPECT_EQ(canvas.Png(), png);
}

}  // namespace
}  // namespace qm
