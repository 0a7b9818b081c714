// Text layout shared by the charts and the picture back ends (EMF, SVG, Qt painter): the built-in
// advance widths of the chart font, and how DrawTextInBox splits and places its lines. Everything
// here is fixed so that the recorded bytes do not depend on the fonts installed where the program
// runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plot/canvas.h"

namespace qm {

// The chart font: 1600 tenths of a point at 96 dpi is an em of 213 logical units.
constexpr int32_t FontEmHeight = 213;
constexpr int32_t FontAscent = 198;  // top of the cell to the baseline
constexpr int32_t FontDescent = 51;  // baseline to the bottom of the cell
constexpr int32_t FontCellHeight = FontAscent + FontDescent;
// DrawTextInBox starts each line of a text this much below the one before.
constexpr int32_t TextLineHeight = 216;

// The advance width of one Windows-1252 character in logical units (controls: a space).
int32_t CharAdvance(unsigned char byte);
// The advance width of a text: the sum of its characters' advances.
int64_t TextAdvance(const char* text, size_t length);

enum class TextAlign { Left, Center, Right };

// One line of a DrawTextInBox text: its bytes (no line break), the reference point and alignment.
struct TextLine {
  size_t begin;
  size_t length;
  int32_t x;
  int32_t y;
};

// TextBoxCenter wins over TextBoxRight, as in the framework; TextBoxBottom has no effect, since
// the charts never ask for a single line.
TextAlign DrawTextAlign(uint32_t flags);

// The lines of a NUL-terminated text laid out in rect: a line break is CR, LF or CR LF; line i
// starts at rect.top + 216 i; the reference x is the left edge, the centre or the right edge.
// An empty text has no lines; empty lines between breaks are kept (with length 0).
std::vector<TextLine> LayoutTextBox(const char* text, const Rect& rect, uint32_t flags);

}  // namespace qm
