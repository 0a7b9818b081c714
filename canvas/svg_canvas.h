// The chart as an SVG document: the same picture as the recorded metafile, for viewing, for the
// clipboard and for tests. The page is 144 mm x 108 mm and shows the same logical area as the
// metafile's frame (0..9796.5 x 0..7347.4); texts use the metafile's font, alignment, clipping and
// opaque white background, sized with the same built-in advance widths.
//
// Programs that paste an SVG take the root's children and place them in CSS pixels, leaving the
// root's viewBox and attributes behind. So the viewBox is the page in CSS pixels, and one group,
// the root's only drawing child, maps the logical units into it (18 to a pixel, as the metafile's
// 96-dpi reference device has) and carries the document's pen ends, joins and fill rule; every
// text carries its own font family, size and weight; an unpainted rectangle spans the whole
// frame, so that a pasted chart is the frame's size.
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
  void DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                         const Rect& clip) override;
  void DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) override;

 protected:
  void Selected(CanvasObject freed) override;

 private:
  // The current pen and brush as attributes, kept from one selection to the next.
  void TakeStyle();
  // Lines drawn one after another with one pen become one path; anything else ends it.
  void EndPath();
  void Int(int64_t v);
  void Attr(const char* name, int64_t v);
  void Points(const Point* points, int32_t count);
  void Text(int32_t x, int32_t y, const char* text, size_t length, int align);
  // Opens a group clipped to `rect`; the caller closes it with "</g>".
  void OpenClip(const Rect& rect);

  std::string svg_;
  std::string stroke_;  // ` stroke="#RRGGBB" stroke-width="N"`, or ` stroke="none"`
  std::string fill_;    // ` fill="#RRGGBB"` or ` fill="none"`
  Point position_{0, 0};
  bool pathOpen_ = false;
  Point pathEnd_{0, 0};  // where the open path's last segment ends
  int32_t clipCount_ = 0;
  bool finished_ = false;
};

// Text for XML character data or attribute values from Windows-1252 bytes: markup characters
// escaped, control characters that XML 1.0 does not allow replaced by U+FFFD.
std::string XmlText(const char* text, size_t length);

}  // namespace qm
