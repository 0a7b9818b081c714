// A text trace of the drawing operations, one line each in drawing order: the form tests read
// and `quillmap-cli plot --ops` writes. Colours are 0x and six upper-case hex digits; texts are
// JSON strings.
#pragma once

#include <string>

#include "canvas/table_canvas.h"
#include "plot/canvas.h"

namespace qm {

class TraceCanvas : public TableCanvas {
 public:
  const std::string& trace() const { return trace_; }

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
  // A selection is one line: what the selected object is.
  void Selecting(CanvasObject handle, const GdiObject& object) override;

 private:
  void Line(const std::string& line);
  void Points(const char* name, const Point* points, int32_t count);

  std::string trace_;
};

// A text as a JSON string (quoted, escaped), from Windows-1252 bytes.
std::string JsonString(const char* text, size_t length);

}  // namespace qm
