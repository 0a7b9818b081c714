// A canvas that paints the chart with QPainter into an image or onto another paint device (a
// PDF page): the same drawing operations as the metafile recorder, mapped the same way (the
// picture shows the metafile's frame, logical 0..9796.5 x 0..7347.4), with texts placed by the
// shared line layout. The desktop program offers the image as PNG beside the metafile;
// quillmap-cli writes PNG and PDF through the render module (render_module.h).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPointF>

#include "canvas/table_canvas.h"
#include "plot/canvas.h"

namespace qm {

// The metafile's frame, 144 mm x 108 mm, in logical units: millimetres at the 96 dpi of the
// reference screen, 18 logical units per pixel (window 14400 over viewport 800).
constexpr double FrameLogicalWidth = 14400.0 * 96.0 / 2540.0 * 18.0;
constexpr double FrameLogicalHeight = 10800.0 * 96.0 / 2540.0 * 18.0;
// Two image pixels per pixel of the reference screen.
constexpr int DefaultImageWidth = 1088;
// A device at this resolution has one dot per logical unit: 96 dpi, 18 units per pixel.
constexpr int LogicalUnitsPerInch = 96 * 18;

// Makes sure a Qt GUI application exists (fonts need one). A program without one, as
// quillmap-cli's render module, gets one on the offscreen platform: it needs no display.
void EnsureQtGui();

class QtPainterCanvas : public TableCanvas {
 public:
  // Paints on a white image `imageWidth` pixels wide.
  explicit QtPainterCanvas(int imageWidth = DefaultImageWidth);
  // Paints on `device`, which must outlive the canvas, at the device's resolution (a PDF page of
  // the frame's size shows the whole frame). The device is ended by Finish().
  explicit QtPainterCanvas(QPaintDevice& device);
  ~QtPainterCanvas() override;

  // Ends the painting; later calls give the same image (a null image for a canvas on a device).
  const QImage& Finish();
  // The finished image as PNG bytes.
  QByteArray Png();

  // The mapping is fixed, as the metafile's: these change nothing.
  void SetMapMode(int32_t) override {}
  void SetWindowExtent(int32_t, int32_t) override {}
  void SetViewportExtent(int32_t, int32_t) override {}
  void MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void Polygon(const Point* points, int32_t count) override;
  void Polyline(const Point* points, int32_t count) override;
  void DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) override;
  void DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                         const Rect& clip) override;
  void DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) override;

 private:
  void Begin(QPaintDevice& device, double scale);
  void UsePenAndBrush();
  void Text(double x, double y, const char* text, size_t length);

  QImage image_;
  QPainter painter_;
  QPointF position_{0, 0};
  bool finished_ = false;
};

}  // namespace qm
