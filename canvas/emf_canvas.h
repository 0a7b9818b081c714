// The metafile recorder: every canvas call becomes the EMF record(s) the system recorder would
// write, in memory. Finish() closes the picture: EmrEof, then the header's totals and bounds.
// The header describes a 96-dpi reference screen and the frame (0, 0)-(14400, 10800) in
// 0.01 mm with the description "nib", and bounds from the frame's origin to the far corner
// of what was drawn, in pixels of that screen; texts carry their advance widths from a built-in
// table, so the bytes are the same wherever the program runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "canvas/table_canvas.h"
#include "plot/canvas.h"

namespace qm {

class EmfCanvas : public TableCanvas {
 public:
  EmfCanvas();

  // Appends EmrEof and completes the header; the first call closes the recording, later
  // calls give the same bytes. Drawing after Finish() records nothing.
  const std::vector<uint8_t>& Finish();
  bool finished() const { return finished_; }

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

  // A rectangle in logical or device units, inclusive.
  struct Box {
    int64_t left, top, right, bottom;
  };

 protected:
  bool Accepting() const override { return !finished_; }
  void Created(CanvasObject handle, const GdiObject& object) override;
  void Selecting(CanvasObject handle, const GdiObject& object) override;
  void Selected(CanvasObject freed) override;
  void Deleted(CanvasObject handle) override;

 private:
  uint8_t* Grow(size_t count);
  size_t BeginRecord(uint32_t type);
  void EndRecord(size_t start);
  void Record(uint32_t type, const int32_t* values, size_t count);
  void Put32(uint32_t value);
  void Put16(uint16_t value);
  void Patch32(size_t offset, uint32_t value);
  void Simple(uint32_t type, std::initializer_list<int32_t> values);
  void Points(uint32_t type16, uint32_t type32, const Point* points, int32_t count);
  void Text(int32_t x, int32_t y, const char* text, size_t length, uint32_t align,
            const Rect* clip);
  void SetTextAlign(uint32_t align);

  // Bounds of the picture in device pixels of the reference screen.
  Box TextBox(int32_t x, int32_t y, int64_t width, uint32_t align) const;
  void AddDrawn(const Box& box);
  void SettleBounds();
  Box ToDevice(const Box& box) const;

  std::vector<uint8_t> bytes_;  // the recording, then zeros up to its size until Finish()
  size_t used_ = 0;             // bytes recorded
  uint32_t records_ = 0;
  bool finished_ = false;
  int32_t mapMode_ = 1;  // MM_TEXT
  int32_t windowX_ = 1, windowY_ = 1, viewportX_ = 1, viewportY_ = 1;
  Point position_{0, 0};
  int64_t penMargin_ = 0;  // half the current pen's width, kept from its selection
  bool drawn_ = false;
  Box bounds_{0, 0, -1, -1};  // device pixels
  // What was drawn since the mapping last changed, in logical units; it becomes device pixels
  // only when the mapping changes or the picture is finished.
  bool pending_ = false;
  Box logicalBounds_{0, 0, -1, -1};
};

}  // namespace qm
