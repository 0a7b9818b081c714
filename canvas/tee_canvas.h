// A canvas that passes every call on to two others, so one plot run can be recorded by two
// back ends at once (a picture and its trace, say). Handles are the first canvas's; the second
// canvas's handle for each created object is looked up on the way through.
#pragma once

#include <map>

#include "plot/canvas.h"

namespace qm {

class TeeCanvas : public Canvas {
 public:
  TeeCanvas(Canvas& first, Canvas& second) : first_(first), second_(second) {}

  CanvasObject CreatePen(int32_t style, int32_t width, Color color) override;
  CanvasObject CreateSolidBrush(Color color) override;
  CanvasObject CreateHollowBrush() override;
  CanvasObject CreateChartFont(FontKind kind) override;
  CanvasObject SelectObject(CanvasObject object) override;
  CanvasObject SelectStockObject(int32_t index) override;
  void DeleteObject(CanvasObject object) override;
  void SetMapMode(int32_t mode) override;
  void SetWindowExtent(int32_t cx, int32_t cy) override;
  void SetViewportExtent(int32_t cx, int32_t cy) override;
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
  // Pairs the two handles of one new object; 0 when the first canvas could not create it.
  CanvasObject Pair(CanvasObject first, CanvasObject second);
  // The second canvas's handle for a first-canvas handle; stock objects are the same on both.
  CanvasObject Second(CanvasObject object) const;

  Canvas& first_;
  Canvas& second_;
  // Slots are reused after a delete, so a pairing lives until its handle is created again.
  std::map<CanvasObject, CanvasObject> secondOf_;
};

}  // namespace qm
