// The object calls of the back ends, over one ObjectTable.
#include "canvas/table_canvas.h"

namespace qm {

CanvasObject TableCanvas::Create(const GdiObject& object) {
  if (!Accepting()) return 0;
  const CanvasObject handle = objects_.Add(object);
  if (handle != 0) Created(handle, object);
  return handle;
}

CanvasObject TableCanvas::CreatePen(int32_t style, int32_t width, Color color) {
  if (width < 0) width = 0;
  return Create({GdiKind::Pen, style, width, color & 0xFFFFFF, FontKind::Upright, false});
}

CanvasObject TableCanvas::CreateSolidBrush(Color color) {
  return Create({GdiKind::Brush, 0, 0, color & 0xFFFFFF, FontKind::Upright, false});
}

CanvasObject TableCanvas::CreateHollowBrush() {
  return Create({GdiKind::Brush, 1, 0, 0, FontKind::Upright, false});
}

CanvasObject TableCanvas::CreateChartFont(FontKind kind) {
  return Create({GdiKind::Font, 0, 0, 0, kind, false});
}

CanvasObject TableCanvas::SelectObject(CanvasObject object) {
  // The table knows a stock object by its low byte; only the exact stock handle is one.
  if (IsStockObject(object) && object != StockObject(int32_t(object & 0xFF))) return 0;
  if (!Accepting()) return 0;
  const GdiObject* found = objects_.Find(object);
  if (found == nullptr) return 0;
  Selecting(object, *found);
  CanvasObject freed = 0;
  const CanvasObject previous = objects_.Select(object, &freed);
  Selected(freed);
  return previous;
}

CanvasObject TableCanvas::SelectStockObject(int32_t index) {
  if (index < 0 || index > 0xFF) return 0;
  return SelectObject(StockObject(index));
}

void TableCanvas::DeleteObject(CanvasObject object) {
  if (!Accepting()) return;
  if (objects_.Delete(object)) Deleted(object);
}

}  // namespace qm
