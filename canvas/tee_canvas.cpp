// Passing canvas calls on to two back ends, translating object handles for the second.
#include "canvas/tee_canvas.h"

namespace qm {

CanvasObject TeeCanvas::Pair(CanvasObject first, CanvasObject second) {
  if (first == 0) {
    if (second != 0) second_.DeleteObject(second);
    return 0;
  }
  secondOf_[first] = second;
  return first;
}

CanvasObject TeeCanvas::Second(CanvasObject object) const {
  if (IsStockObject(object)) return object;
  auto found = secondOf_.find(object);
  return found == secondOf_.end() ? 0 : found->second;
}

CanvasObject TeeCanvas::CreatePen(int32_t style, int32_t width, Color color) {
  CanvasObject first = first_.CreatePen(style, width, color);
  return Pair(first, second_.CreatePen(style, width, color));
}

CanvasObject TeeCanvas::CreateSolidBrush(Color color) {
  CanvasObject first = first_.CreateSolidBrush(color);
  return Pair(first, second_.CreateSolidBrush(color));
}

CanvasObject TeeCanvas::CreateHollowBrush() {
  CanvasObject first = first_.CreateHollowBrush();
  return Pair(first, second_.CreateHollowBrush());
}

CanvasObject TeeCanvas::CreateChartFont(FontKind kind) {
  CanvasObject first = first_.CreateChartFont(kind);
  return Pair(first, second_.CreateChartFont(kind));
}

CanvasObject TeeCanvas::SelectObject(CanvasObject object) {
  CanvasObject replaced = first_.SelectObject(object);
  second_.SelectObject(Second(object));
  return replaced;
}

CanvasObject TeeCanvas::SelectStockObject(int32_t index) {
  CanvasObject replaced = first_.SelectStockObject(index);
  second_.SelectStockObject(index);
  return replaced;
}

void TeeCanvas::DeleteObject(CanvasObject object) {
  first_.DeleteObject(object);
  second_.DeleteObject(Second(object));
}

void TeeCanvas::SetMapMode(int32_t mode) {
  first_.SetMapMode(mode);
  second_.SetMapMode(mode);
}

void TeeCanvas::SetWindowExtent(int32_t cx, int32_t cy) {
  first_.SetWindowExtent(cx, cy);
  second_.SetWindowExtent(cx, cy);
}

void TeeCanvas::SetViewportExtent(int32_t cx, int32_t cy) {
  first_.SetViewportExtent(cx, cy);
  second_.SetViewportExtent(cx, cy);
}

void TeeCanvas::MoveTo(int32_t x, int32_t y) {
  first_.MoveTo(x, y);
  second_.MoveTo(x, y);
}

void TeeCanvas::LineTo(int32_t x, int32_t y) {
  first_.LineTo(x, y);
  second_.LineTo(x, y);
}

void TeeCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  first_.Rectangle(left, top, right, bottom);
  second_.Rectangle(left, top, right, bottom);
}

void TeeCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  first_.Ellipse(left, top, right, bottom);
  second_.Ellipse(left, top, right, bottom);
}

void TeeCanvas::Polygon(const Point* points, int32_t count) {
  first_.Polygon(points, count);
  second_.Polygon(points, count);
}

void TeeCanvas::Polyline(const Point* points, int32_t count) {
  first_.Polyline(points, count);
  second_.Polyline(points, count);
}

void TeeCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  first_.DrawTextAt(x, y, text, length);
  second_.DrawTextAt(x, y, text, length);
}

void TeeCanvas::DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                  const Rect& clip) {
  first_.DrawClippedTextAt(x, y, text, length, clip);
  second_.DrawClippedTextAt(x, y, text, length, clip);
}

void TeeCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  first_.DrawTextInBox(text, rect, flags);
  second_.DrawTextInBox(text, rect, flags);
}

}  // namespace qm
