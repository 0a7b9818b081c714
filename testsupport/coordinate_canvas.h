// A trace canvas that also keeps every coordinate it is given, so that a run can be judged
// after the fact (the axis is known only then) or checked point by point as it draws.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/trace_canvas.h"
#include "plot/canvas.h"

namespace qm::testing {

// Document readers transform coordinates in 32-bit fixed point; at 2^27 logical units and
// beyond they overflow.
constexpr int64_t MaxReaderCoordinate = int64_t(1) << 27;

// True when a reader can place the point: both coordinates below MaxReaderCoordinate in size.
bool WithinReaderReach(const Point& point);

class CoordinateCanvas : public TraceCanvas {
 public:
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

  std::vector<Point> points;  // every coordinate in drawing order: vertices, corners, text origins

 protected:
  // Called with each coordinate before it is traced; keeps it in `points`.
  virtual void Note(int32_t x, int32_t y);
};

}  // namespace qm::testing
