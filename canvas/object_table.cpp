// Handle bookkeeping for the canvas back ends.
#include "canvas/object_table.h"

namespace qm {

namespace {

int KindIndex(GdiKind kind) {
  return kind == GdiKind::Pen ? 0 : kind == GdiKind::Brush ? 1 : 2;
}

}  // namespace

ObjectTable::ObjectTable() : slots_{}, stock_{}, current_{} {
  stock_[0] = {GdiKind::Brush, 0, 0, 0xFFFFFF, FontKind::Upright, false};
  stock_[1] = {GdiKind::Pen, PenSolid, 0, 0xFFFFFF, FontKind::Upright, false};
  stock_[2] = {GdiKind::Pen, PenSolid, 0, 0x000000, FontKind::Upright, false};
  // A new device context starts with the white brush and the black pen.
  current_[0] = StockObject(StockBlackPen);
  current_[1] = StockObject(StockWhiteBrush);
}

CanvasObject ObjectTable::Add(const GdiObject& object) {
  for (int32_t i = 0; i < MaxObjects; i++) {
    if (slots_[i].kind != GdiKind::Free) continue;
    slots_[i] = object;
    slots_[i].deletePending = false;
    if (++inUse_ > mostInUse_) mostInUse_ = inUse_;
    return CanvasObject(i + 1);
  }
  return 0;
}

const GdiObject* ObjectTable::Find(CanvasObject handle) const {
  if (IsStockObject(handle)) {
    switch (handle & 0xFF) {
      case StockWhiteBrush:
        return &stock_[0];
      case StockWhitePen:
        return &stock_[1];
      case StockBlackPen:
        return &stock_[2];
      default:
        return nullptr;
    }
  }
  if (handle < 1 || handle > CanvasObject(MaxObjects)) return nullptr;
  const GdiObject& object = slots_[handle - 1];
  return object.kind == GdiKind::Free ? nullptr : &object;
}

CanvasObject ObjectTable::Select(CanvasObject handle, CanvasObject* freed) {
  *freed = 0;
  const GdiObject* object = Find(handle);
  if (object == nullptr) return 0;
  CanvasObject& current = current_[KindIndex(object->kind)];
  CanvasObject previous = current;
  current = handle;
  if (previous != handle && !IsStockObject(previous) && previous != 0 &&
      slots_[previous - 1].deletePending) {
    slots_[previous - 1] = GdiObject{};
    inUse_--;
    *freed = previous;
  }
  return previous;
}

bool ObjectTable::Delete(CanvasObject handle) {
  if (IsStockObject(handle) || Find(handle) == nullptr) return false;
  GdiObject& object = slots_[handle - 1];
  if (current_[KindIndex(object.kind)] == handle) {
    object.deletePending = true;
    return false;
  }
  object = GdiObject{};
  inUse_--;
  return true;
}

}  // namespace qm
