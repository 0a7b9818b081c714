// The coordinate-keeping trace: every drawing call notes its points, then traces as usual.
#include "testsupport/coordinate_canvas.h"

#include <cstdlib>

namespace qm::testing {

bool WithinReaderReach(const Point& point) {
  return std::llabs(point.x) < MaxReaderCoordinate && std::llabs(point.y) < MaxReaderCoordinate;
}

void CoordinateCanvas::Note(int32_t x, int32_t y) {
  points.push_back({x, y});
}

void CoordinateCanvas::MoveTo(int32_t x, int32_t y) {
  Note(x, y);
  TraceCanvas::MoveTo(x, y);
}

void CoordinateCanvas::LineTo(int32_t x, int32_t y) {
  Note(x, y);
  TraceCanvas::LineTo(x, y);
}

void CoordinateCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Note(left, top);
  Note(right, bottom);
  TraceCanvas::Rectangle(left, top, right, bottom);
}

void CoordinateCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Note(left, top);
  Note(right, bottom);
  TraceCanvas::Ellipse(left, top, right, bottom);
}

void CoordinateCanvas::Polygon(const Point* points, int32_t count) {
  for (int32_t i = 0; i < count; i++) Note(points[i].x, points[i].y);
  TraceCanvas::Polygon(points, count);
}

void CoordinateCanvas::Polyline(const Point* points, int32_t count) {
  for (int32_t i = 0; i < count; i++) Note(points[i].x, points[i].y);
  TraceCanvas::Polyline(points, count);
}

void CoordinateCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  Note(x, y);
  TraceCanvas::DrawTextAt(x, y, text, length);
}

void CoordinateCanvas::DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                         const Rect& clip) {
  Note(x, y);
  TraceCanvas::DrawClippedTextAt(x, y, text, length, clip);
}

void CoordinateCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  Note(rect.left, rect.top);
  Note(rect.right, rect.bottom);
  TraceCanvas::DrawTextInBox(text, rect, flags);
}

}  // namespace qm::testing
