// The chart as an SVG document: the same picture as the recorded metafile, for viewing and for
// tests. The page is 144 mm x 108 mm and shows the same logical area as the metafile's frame
// (0..9796.5 x 0..7347.4); texts use the metafile's font, alignment, clipping and opaque white
// background, sized with the same built-in advance widths.
#pragma once

#include <cstdint>
#include <string>

#include "canvas/table_canvas.h"
#include "plot/canvas.h"

namespace qm {

class SvgCanvas : public TableCanvas {
 public:
  SvgCanvas();

  // Closes the document and gives it; later calls give the same text, drawing after it is
  // ignored.
  const std::string& Finish();

  // The page always shows the metafile's frame; the mapping calls change nothing.
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
  void DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) override;

 private:
  std::string Stroke() const;
  std::string Fill() const;
  void Text(int32_t x, int32_t y, const char* text, size_t length, int align);

  std::string svg_;
  Point position_{0, 0};
  int32_t clipCount_ = 0;
  bool finished_ = false;
};

// Text for XML character data or attribute values from Windows-1252 bytes: markup characters
// escaped, control characters that XML 1.0 does not allow replaced by U+FFFD.
std::string XmlText(const char* text, size_t length);

}  // namespace qm
