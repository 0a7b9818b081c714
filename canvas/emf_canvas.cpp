// The EMF recorder: little-endian records, each a multiple of 4 bytes, in drawing order.
#include "canvas/emf_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/little_endian.h"
#include "canvas/emf_format.h"
#include "import/codepage.h"
#include "plot/text_layout.h"

namespace qm {

namespace {

constexpr uint32_t Pad4(uint64_t n) {
  return uint32_t((n + 3) & ~uint64_t(3));
}

bool Fits16(int32_t v) {
  return v >= -32768 && v <= 32767;
}

int32_t Clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Texts longer than this are cut so that a record's size stays far inside 32 bits.
constexpr size_t MaxTextChars = 1 << 24;

// Room for all records of the largest chart (about 1.6 MB): the bytes are never moved while
// recording. Only the pages written to take memory.
constexpr size_t InitialCapacity = size_t(2) << 20;
// The byte vector is lengthened (and zeroed) this much at a time, ahead of the records.
constexpr size_t GrowStep = size_t(64) << 10;

}  // namespace

EmfCanvas::EmfCanvas() {
  bytes_.reserve(InitialCapacity);
  // EmrHeader; bounds, totals and handle count are filled in by Finish().
  size_t start = BeginRecord(EmrHeader);
  for (int32_t v : {0, 0, -1, -1, 0, 0, EmfFrameRight, EmfFrameBottom}) Put32(uint32_t(v));
  Put32(EmfSignature);
  Put32(EmfVersion);
  Put32(0);  // nBytes
  Put32(0);  // nRecords
  Put16(0);  // nHandles
  Put16(0);  // sReserved
  Put32(EmfDescriptionLength);
  Put32(EmfHeaderSize);  // offDescription
  Put32(0);              // nPalEntries
  Put32(EmfDevicePixelsX);
  Put32(EmfDevicePixelsY);
  Put32(EmfDeviceMillimetersX);
  Put32(EmfDeviceMillimetersY);
  Put32(0);  // cbPixelFormat
  Put32(0);  // offPixelFormat
  Put32(0);  // bOpenGL
  Put32(EmfDeviceMillimetersX * 1000);
  Put32(EmfDeviceMillimetersY * 1000);
  for (char16_t c : u"nib\0") Put16(uint16_t(c));  // "nib", its NUL and the final NUL
  EndRecord(start);
}

// count more zero bytes at the end of the recording; returns where they start.
inline uint8_t* EmfCanvas::Grow(size_t count) {
  const size_t start = used_;
  if (bytes_.size() - used_ < count) bytes_.resize(used_ + std::max(count, GrowStep));
  used_ += count;
  return bytes_.data() + start;
}

void EmfCanvas::Put32(uint32_t value) {
  StoreU32(Grow(4), value);
}

void EmfCanvas::Put16(uint16_t value) {
  StoreU16(Grow(2), value);
}

void EmfCanvas::Patch32(size_t offset, uint32_t value) {
  StoreU32(bytes_.data() + offset, value);
}

size_t EmfCanvas::BeginRecord(uint32_t type) {
  size_t start = used_;
  Put32(type);
  Put32(0);
  return start;
}

void EmfCanvas::EndRecord(size_t start) {
  Grow((4 - used_ % 4) % 4);
  Patch32(start + 4, uint32_t(used_ - start));
  records_++;
}

// A record of a type and 32-bit values, written in one piece.
inline void EmfCanvas::Record(uint32_t type, const int32_t* values, size_t count) {
  const size_t size = 8 + 4 * count;
  uint8_t* p = Grow(size);
  StoreU32(p, type);
  StoreU32(p + 4, uint32_t(size));
  for (size_t i = 0; i < count; i++) StoreU32(p + 8 + 4 * i, uint32_t(values[i]));
  records_++;
}

inline void EmfCanvas::Simple(uint32_t type, std::initializer_list<int32_t> values) {
  if (finished_) return;
  Record(type, values.begin(), values.size());
}

const std::vector<uint8_t>& EmfCanvas::Finish() {
  if (finished_) return bytes_;
  Simple(EmrEof, {0, 16, 20});  // no palette; offPalEntries, nSizeLast
  finished_ = true;
  SettleBounds();
  Box b = drawn_ ? bounds_ : Box{0, 0, -1, -1};
  // Some readers place the picture by the bounds' top left corner rather than by the frame;
  // the bounds therefore always reach back to the frame's origin, where the charts start.
  if (drawn_) {
    b.left = std::min<int64_t>(b.left, 0);
    b.top = std::min<int64_t>(b.top, 0);
  }
  Patch32(8, uint32_t(Clamp32(b.left)));
  Patch32(12, uint32_t(Clamp32(b.top)));
  Patch32(16, uint32_t(Clamp32(b.right)));
  Patch32(20, uint32_t(Clamp32(b.bottom)));
  Patch32(48, uint32_t(used_));
  bytes_.resize(used_);
  Patch32(52, records_);
  Patch32(56, uint32_t(objects_.handleCount()));  // nHandles and a zero sReserved
  return bytes_;
}

// Objects.

// A created object is recorded at once, under its handle.
void EmfCanvas::Created(CanvasObject handle, const GdiObject& object) {
  switch (object.kind) {
    case GdiKind::Pen:
      Simple(EmrCreatePen, {int32_t(handle), object.style, object.width, 0, int32_t(object.color)});
      break;
    case GdiKind::Brush:
      if (object.style == 1) {
        Simple(EmrCreateBrushIndirect, {int32_t(handle), int32_t(EmfBrushNull), 0, 0});
      } else {
        Simple(EmrCreateBrushIndirect,
               {int32_t(handle), int32_t(EmfBrushSolid), int32_t(object.color), 0});
      }
      break;
    case GdiKind::Font: {
      const int32_t angle = object.font == FontKind::Rotated ? 900 : 0;
      size_t start = BeginRecord(EmrExtCreateFontIndirectW);
      Put32(handle);
      // LOGFONTW: height (negative: the em height), width, escapement, orientation, weight, then
      // eight zero bytes (italic .. pitch and family) and the face name in 32 UTF-16 units.
      for (int32_t v : {-FontEmHeight, 0, angle, angle, 400, 0, 0}) Put32(uint32_t(v));
      const char16_t face[] = u"Verdana";
      for (size_t i = 0; i < 32; i++) Put16(i < 7 ? uint16_t(face[i]) : 0);
      EndRecord(start);
      break;
    }
    case GdiKind::Free:
      break;
  }
}

void EmfCanvas::Selecting(CanvasObject handle, const GdiObject&) {
  Simple(EmrSelectObject, {int32_t(handle)});
}

void EmfCanvas::Selected(CanvasObject freed) {
  const GdiObject* pen = objects_.Find(objects_.currentPen());
  penMargin_ = pen == nullptr ? 0 : (int64_t(pen->width) + 1) / 2;
  // An object deleted while it was selected goes now that it has been replaced.
  if (freed != 0) Simple(EmrDeleteObject, {int32_t(freed)});
}

void EmfCanvas::Deleted(CanvasObject handle) {
  Simple(EmrDeleteObject, {int32_t(handle)});
}

// Mapping.

void EmfCanvas::SetMapMode(int32_t mode) {
  if (finished_) return;
  SettleBounds();
  mapMode_ = mode;
  Simple(EmrSetMapMode, {mode});
}

void EmfCanvas::SetWindowExtent(int32_t cx, int32_t cy) {
  if (finished_) return;
  SettleBounds();
  windowX_ = cx;
  windowY_ = cy;
  Simple(EmrSetWindowExtEx, {cx, cy});
}

void EmfCanvas::SetViewportExtent(int32_t cx, int32_t cy) {
  if (finished_) return;
  SettleBounds();
  viewportX_ = cx;
  viewportY_ = cy;
  Simple(EmrSetViewportExtEx, {cx, cy});
}

// Bounds.

EmfCanvas::Box EmfCanvas::ToDevice(const Box& box) const {
  double sx = 1, sy = 1;
  constexpr int32_t MM_ANISOTROPIC = 8;
  if ((mapMode_ == MapModeIsotropic || mapMode_ == MM_ANISOTROPIC) && windowX_ != 0 &&
      windowY_ != 0) {
    sx = double(viewportX_) / windowX_;
    sy = double(viewportY_) / windowY_;
    if (mapMode_ == MapModeIsotropic) {
      // Both axes take the smaller scale, each keeping its direction.
      double s = std::min(std::fabs(sx), std::fabs(sy));
      sx = sx < 0 ? -s : s;
      sy = sy < 0 ? -s : s;
    }
  }
  double x0 = double(box.left) * sx, x1 = double(box.right) * sx;
  double y0 = double(box.top) * sy, y1 = double(box.bottom) * sy;
  // Outward to whole pixels: a reader may round either way.
  return {int64_t(std::floor(std::min(x0, x1))), int64_t(std::floor(std::min(y0, y1))),
          int64_t(std::ceil(std::max(x0, x1))), int64_t(std::ceil(std::max(y0, y1)))};
}

// Boxes are collected in logical units while the mapping stays. A mapping scales each axis by
// one factor, and rounding a product is monotone, so the device box of their union is the union
// of their device boxes.
void EmfCanvas::AddDrawn(const Box& box) {
  if (!pending_) {
    logicalBounds_ = box;
    pending_ = true;
    return;
  }
  logicalBounds_.left = std::min(logicalBounds_.left, box.left);
  logicalBounds_.top = std::min(logicalBounds_.top, box.top);
  logicalBounds_.right = std::max(logicalBounds_.right, box.right);
  logicalBounds_.bottom = std::max(logicalBounds_.bottom, box.bottom);
}

// Adds what was drawn under the current mapping to the bounds in device pixels.
void EmfCanvas::SettleBounds() {
  if (!pending_) return;
  pending_ = false;
  Box d = ToDevice(logicalBounds_);
  if (!drawn_) {
    bounds_ = d;
    drawn_ = true;
    return;
  }
  bounds_.left = std::min(bounds_.left, d.left);
  bounds_.top = std::min(bounds_.top, d.top);
  bounds_.right = std::max(bounds_.right, d.right);
  bounds_.bottom = std::max(bounds_.bottom, d.bottom);
}

static EmfCanvas::Box Normalized(int64_t l, int64_t t, int64_t r, int64_t b, int64_t margin) {
  return {std::min(l, r) - margin, std::min(t, b) - margin, std::max(l, r) + margin,
          std::max(t, b) + margin};
}

// Shapes.

void EmfCanvas::MoveTo(int32_t x, int32_t y) {
  if (finished_) return;
  position_ = {x, y};
  Simple(EmrMoveToEx, {x, y});
}

void EmfCanvas::LineTo(int32_t x, int32_t y) {
  if (finished_) return;
  AddDrawn(Normalized(position_.x, position_.y, x, y, penMargin_));
  position_ = {x, y};
  Simple(EmrLineTo, {x, y});
}

void EmfCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  AddDrawn(Normalized(left, top, right, bottom, penMargin_));
  Simple(EmrRectangle, {left, top, right, bottom});
}

void EmfCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  AddDrawn(Normalized(left, top, right, bottom, penMargin_));
  Simple(EmrEllipse, {left, top, right, bottom});
}

void EmfCanvas::Points(uint32_t type16, uint32_t type32, const Point* points, int32_t count) {
  // The system draws nothing for fewer than two points and records nothing.
  if (finished_ || points == nullptr || count < 2 || count > (1 << 24)) return;
  int32_t l = points[0].x, t = points[0].y, r = l, b = t;
  bool small = true;
  for (int32_t i = 0; i < count; i++) {
    l = std::min(l, points[i].x);
    r = std::max(r, points[i].x);
    t = std::min(t, points[i].y);
    b = std::max(b, points[i].y);
    small = small && Fits16(points[i].x) && Fits16(points[i].y);
  }
  AddDrawn(Normalized(l, t, r, b, penMargin_));
  const size_t size = 28 + size_t(count) * (small ? 4 : 8);
  uint8_t* p = Grow(size);
  StoreU32(p, small ? type16 : type32);
  StoreU32(p + 4, uint32_t(size));
  const int32_t header[5] = {l, t, r, b, count};
  for (size_t i = 0; i < 5; i++) StoreU32(p + 8 + 4 * i, uint32_t(header[i]));
  p += 28;
  for (int32_t i = 0; i < count; i++) {
    if (small) {
      StoreU16(p, uint16_t(points[i].x));
      StoreU16(p + 2, uint16_t(points[i].y));
      p += 4;
    } else {
      StoreU32(p, uint32_t(points[i].x));
      StoreU32(p + 4, uint32_t(points[i].y));
      p += 8;
    }
  }
  records_++;
}

void EmfCanvas::Polygon(const Point* points, int32_t count) {
  Points(EmrPolygon16, EmrPolygon, points, count);
}

void EmfCanvas::Polyline(const Point* points, int32_t count) {
  Points(EmrPolyline16, EmrPolyline, points, count);
}

// Text.

EmfCanvas::Box EmfCanvas::TextBox(int32_t x, int32_t y, int64_t width, uint32_t align) const {
  // Along the baseline the text starts before the reference point by 0, half or all of its
  // width; across it the cell lies below (upright) or to the right (running upward).
  int64_t before = align == EmfAlignCenter ? width / 2 : align == EmfAlignRight ? width : 0;
  const GdiObject* font = objects_.Find(objects_.currentFont());
  if (font != nullptr && font->font == FontKind::Rotated) {
    return {x, y - (width - before), int64_t(x) + FontCellHeight, int64_t(y) + before};
  }
  return {x - before, y, x + (width - before), int64_t(y) + FontCellHeight};
}

void EmfCanvas::SetTextAlign(uint32_t align) {
  Simple(EmrSetTextAlign, {int32_t(align)});
}

void EmfCanvas::Text(int32_t x, int32_t y, const char* text, size_t length, uint32_t align,
                     const Rect* clip) {
  if (length == 0) return;
  length = std::min(length, MaxTextChars);
  Box box = TextBox(x, y, TextAdvance(text, length), align);
  if (clip != nullptr) {
    box.left = std::max<int64_t>(box.left, clip->left);
    box.top = std::max<int64_t>(box.top, clip->top);
    box.right = std::min<int64_t>(box.right, clip->right);
    box.bottom = std::min<int64_t>(box.bottom, clip->bottom);
  }
  bool visible = box.left < box.right && box.top < box.bottom;
  if (visible) AddDrawn(box);
  Box device = visible ? ToDevice(box) : Box{0, 0, -1, -1};

  uint32_t stringBytes = Pad4(2 * uint64_t(length));
  size_t start = BeginRecord(EmrExtTextOutW);
  for (int64_t v : {device.left, device.top, device.right, device.bottom}) {
    Put32(uint32_t(Clamp32(v)));
  }
  Put32(EmfGraphicsModeCompatible);
  Put32(0);  // exScale 0.0f
  Put32(0);  // eyScale 0.0f
  Put32(uint32_t(x));
  Put32(uint32_t(y));
  Put32(uint32_t(length));
  Put32(EmfTextHeaderSize);  // offString
  Put32(clip != nullptr ? EmfTextClipped : 0);
  if (clip != nullptr) {
    for (int32_t v : {clip->left, clip->top, clip->right, clip->bottom}) Put32(uint32_t(v));
  } else {
    for (int32_t v : {0, 0, -1, -1}) Put32(uint32_t(v));
  }
  Put32(EmfTextHeaderSize + stringBytes);  // offDx
  for (size_t i = 0; i < length; i++) Put16(uint16_t(Cp1252ToUnicode((unsigned char)text[i])));
  Grow((4 - (used_ - start) % 4) % 4);
  for (size_t i = 0; i < length; i++) Put32(uint32_t(CharAdvance((unsigned char)text[i])));
  EndRecord(start);
}

void EmfCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  if (finished_ || text == nullptr || length <= 0) return;
  Text(x, y, text, size_t(length), EmfAlignLeftTop, nullptr);
}

void EmfCanvas::DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                  const Rect& clip) {
  if (finished_ || text == nullptr || length <= 0) return;
  Text(x, y, text, size_t(length), EmfAlignLeftTop, &clip);
}

void EmfCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  if (finished_ || text == nullptr) return;
  std::vector<TextLine> lines = LayoutTextBox(text, rect, flags);
  bool any = false;
  for (const TextLine& line : lines) any = any || line.length > 0;
  if (!any) return;
  TextAlign align = DrawTextAlign(flags);
  uint32_t mode = align == TextAlign::Center  ? EmfAlignCenter
                  : align == TextAlign::Right ? EmfAlignRight
                                              : EmfAlignLeftTop;
  if (mode != EmfAlignLeftTop) SetTextAlign(mode);
  for (const TextLine& line : lines) {
    Text(line.x, line.y, text + line.begin, line.length, mode, &rect);
  }
  if (mode != EmfAlignLeftTop) SetTextAlign(EmfAlignLeftTop);
}

}  // namespace qm
