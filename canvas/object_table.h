// Bookkeeping of pens, brushes and fonts shared by the canvas back ends: what each handle
// is, which objects are current, and the slot rule of a recorded metafile (a new object takes
// the lowest free slot; a handle is its slot + 1). A deleted object that is still selected
// stays alive until it is replaced.
#pragma once

#include <cstdint>

#include "plot/canvas.h"

namespace qm {

enum class GdiKind : uint8_t { Free, Pen, Brush, Font };

struct GdiObject {
  GdiKind kind;
  int32_t style;  // pen style, or for a brush 0 solid / 1 hollow (EmfBrushNull)
  int32_t width;  // pen width in logical units (0 for the stock pens: one device pixel)
  Color color;
  FontKind font;
  bool deletePending;
};

class ObjectTable {
 public:
  static constexpr int32_t MaxObjects = 64;

  ObjectTable();

  // A new object in the lowest free slot; 0 when the table is full.
  CanvasObject Add(const GdiObject& object);
  // The description of a created or stock object; nullptr for anything else.
  const GdiObject* Find(CanvasObject handle) const;
  // Makes handle current for its kind and returns the object it replaces (0 when the handle is
  // unknown: nothing changes). When the replaced object was deleted while selected, *freed is
  // set to it and its slot is free again; otherwise *freed is 0.
  CanvasObject Select(CanvasObject handle, CanvasObject* freed);
  // True when the object is gone now; false when it is still selected (freed when replaced) or
  // unknown.
  bool Delete(CanvasObject handle);

  CanvasObject currentPen() const { return current_[0]; }
  CanvasObject currentBrush() const { return current_[1]; }
  CanvasObject currentFont() const { return current_[2]; }
  // 1 + the most slots in use at once (a metafile header's nHandles).
  int32_t handleCount() const { return 1 + mostInUse_; }

 private:
  GdiObject slots_[MaxObjects];
  GdiObject stock_[3];       // white brush, white pen, black pen
  CanvasObject current_[3];  // pen, brush, font
  int32_t inUse_ = 0;
  int32_t mostInUse_ = 0;
};

}  // namespace qm
