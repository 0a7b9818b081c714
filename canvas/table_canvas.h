// The object calls every back end shares: pens, brushes and fonts kept in an ObjectTable,
// created, selected and deleted by the same rules whatever the back end makes of them. A back end
// that records these calls (the trace, the metafile) hears of each through the hooks.
#pragma once

#include <cstdint>

#include "canvas/object_table.h"
#include "plot/canvas.h"

namespace qm {

class TableCanvas : public Canvas {
 public:
  // A negative pen width is 0 (one device pixel); colours keep their low 24 bits.
  CanvasObject CreatePen(int32_t style, int32_t width, Color color) final;
  CanvasObject CreateSolidBrush(Color color) final;
  CanvasObject CreateHollowBrush() final;
  CanvasObject CreateChartFont(FontKind kind) final;
  // Only a created object that still exists, or a stock object by its exact handle, is selected;
  // anything else returns 0 and changes nothing.
  CanvasObject SelectObject(CanvasObject object) final;
  CanvasObject SelectStockObject(int32_t index) final;
  void DeleteObject(CanvasObject object) final;

 protected:
  // False once the back end takes no more calls (a finished metafile).
  virtual bool Accepting() const { return true; }
  // After an object was created in the table.
  virtual void Created(CanvasObject /*handle*/, const GdiObject& /*object*/) {}
  // Before the table selects an object, and after, with the object deleted while it was
  // selected that is gone now (or 0).
  virtual void Selecting(CanvasObject /*handle*/, const GdiObject& /*object*/) {}
  virtual void Selected(CanvasObject /*freed*/) {}
  // After an object left the table.
  virtual void Deleted(CanvasObject /*handle*/) {}

  ObjectTable objects_;

 private:
  CanvasObject Create(const GdiObject& object);
};

}  // namespace qm
