// The drawing surface the charts draw on: the device-context operations of a recorded
// metafile, in logical units (14400 x 10800, origin top left, y growing downward).
// Back ends (EMF recorder, SVG, trace, Qt painter) translate these calls and nothing more.
#pragma once

#include <cstdint>

namespace qm {

using Color = uint32_t;  // COLORREF: 0x00BBGGRR

constexpr Color Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

struct Point {
  int32_t x;
  int32_t y;
};

struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// A created pen, brush or font, or a stock object. 0 is no object.
using CanvasObject = uint32_t;

// Stock objects keep the drawing system's indices: 0 white brush, 6 white pen, 7 black pen.
constexpr int32_t StockWhiteBrush = 0;
constexpr int32_t StockWhitePen = 6;
constexpr int32_t StockBlackPen = 7;
constexpr CanvasObject StockObject(int32_t index) {
  return 0x80000000u | uint32_t(index);
}
constexpr bool IsStockObject(CanvasObject object) {
  return (object & 0x80000000u) != 0;
}

constexpr int32_t PenSolid = 0;
constexpr int32_t PenNull = 5;  // draws no line
constexpr int32_t MapModeIsotropic = 7;

// DrawTextInBox formats the charts use (never the single-line one).
constexpr uint32_t TextBoxCenter = 1;
constexpr uint32_t TextBoxRight = 2;
constexpr uint32_t TextBoxBottom = 8;

// The two fonts of a plot run: Verdana, 1600 tenths of a point (213 logical units at
// 96 dpi), weight 400, escapement 0 (upright) or 900 (text runs upward).
enum class FontKind { Upright, Rotated };

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual CanvasObject CreatePen(int32_t style, int32_t width, Color color) = 0;
  virtual CanvasObject CreateSolidBrush(Color color) = 0;
  virtual CanvasObject CreateHollowBrush() = 0;  // draws no interior
  virtual CanvasObject CreateChartFont(FontKind kind) = 0;
  // Makes the object current for its kind; returns the object of that kind it replaces.
  virtual CanvasObject SelectObject(CanvasObject object) = 0;
  virtual CanvasObject SelectStockObject(int32_t index) = 0;
  // Releases a created object. An object that is still selected stays in effect until it is
  // replaced, so no reader draws with anything else.
  virtual void DeleteObject(CanvasObject object) = 0;

  // The mapping of a recorded metafile; back ends that draw directly may ignore it.
  virtual void SetMapMode(int32_t mode) = 0;
  virtual void SetWindowExtent(int32_t cx, int32_t cy) = 0;
  virtual void SetViewportExtent(int32_t cx, int32_t cy) = 0;

  virtual void MoveTo(int32_t x, int32_t y) = 0;
  virtual void LineTo(int32_t x, int32_t y) = 0;
  virtual void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  virtual void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  virtual void Polygon(const Point* points, int32_t count) = 0;
  virtual void Polyline(const Point* points, int32_t count) = 0;

  // Texts are the grid's 8-bit characters (Windows-1252).
  virtual void DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) = 0;
  // As DrawTextAt, with the text and its white cell clipped to `clip` (an ExtTextOut with
  // ETO_CLIPPED), so that texts standing closer than their cells leave each other whole.
  virtual void DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                 const Rect& clip) = 0;
  // A NUL-terminated text laid out in `rect`: lines start at the top, line breaks (CR, LF,
  // CR LF) start a new line 216 units lower, TextBoxRight or TextBoxCenter aligns each line, the
  // text is clipped to the rectangle; '&' is shown as itself. An empty text draws nothing.
  virtual void DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) = 0;
};

}  // namespace qm
