// Advance widths and DrawText line layout for the picture back ends.
#include "plot/text_layout.h"

namespace qm {

namespace {

// Advance widths of the Windows-1252 characters 0x20..0xFF at an em of 213 logical units:
// the horizontal advances of DejaVu Sans (a Verdana-like face), read unhinted with FreeType
// (FT_LOAD_NO_SCALE) and rounded as round(advance * 213 / 2048). The unassigned bytes 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D have the width of the missing-glyph box.
constexpr uint16_t kAdvance[224] = {
    68,  85,  98,  178, 136, 202, 166, 59,  83,  83,  107, 178, 68,  77,  68,  72,  136, 136, 136,
    136, 136, 136, 136, 136, 136, 136, 72,  72,  178, 178, 178, 113, 213, 146, 146, 149, 164, 135,
    123, 165, 160, 63,  63,  140, 119, 184, 159, 168, 128, 168, 148, 135, 130, 156, 146, 211, 146,
    130, 146, 83,  72,  83,  178, 107, 107, 131, 135, 117, 135, 131, 75,  135, 135, 59,  59,  123,
    59,  207, 135, 130, 135, 135, 88,  111, 84,  135, 126, 174, 126, 126, 112, 136, 72,  136, 178,
    128, 136, 128, 68,  75,  110, 213, 107, 107, 107, 286, 135, 85,  228, 128, 146, 128, 128, 68,
    68,  110, 110, 126, 107, 213, 107, 213, 111, 85,  218, 128, 112, 130, 68,  85,  136, 136, 136,
    136, 72,  107, 107, 213, 100, 130, 178, 77,  213, 107, 107, 178, 85,  85,  107, 136, 136, 68,
    107, 85,  100, 130, 206, 206, 206, 113, 146, 146, 146, 146, 146, 146, 207, 149, 135, 135, 135,
    135, 63,  63,  63,  63,  165, 159, 168, 168, 168, 168, 168, 178, 168, 156, 156, 156, 156, 130,
    129, 134, 131, 131, 131, 131, 131, 131, 209, 117, 131, 131, 131, 131, 59,  59,  59,  59,  130,
    135, 130, 130, 130, 130, 130, 178, 130, 135, 135, 135, 135, 126, 135, 126,
};

}  // namespace

int32_t CharAdvance(unsigned char byte) {
  return byte < 0x20 ? kAdvance[0] : kAdvance[byte - 0x20];
}

int64_t TextAdvance(const char* text, size_t length) {
  int64_t width = 0;
  for (size_t i = 0; i < length; i++) width += CharAdvance((unsigned char)text[i]);
  return width;
}

TextAlign DrawTextAlign(uint32_t flags) {
  if (flags & TextBoxCenter) return TextAlign::Center;
  if (flags & TextBoxRight) return TextAlign::Right;
  return TextAlign::Left;
}

std::vector<TextLine> LayoutTextBox(const char* text, const Rect& rect, uint32_t flags) {
  std::vector<TextLine> lines;
  if (text == nullptr || text[0] == '\0') return lines;
  int32_t x = rect.left;
  switch (DrawTextAlign(flags)) {
    case TextAlign::Center:
      x = int32_t((int64_t(rect.left) + rect.right) / 2);
      break;
    case TextAlign::Right:
      x = rect.right;
      break;
    case TextAlign::Left:
      break;
  }
  int64_t y = rect.top;
  size_t begin = 0;
  size_t i = 0;
  for (;;) {
    char c = text[i];
    if (c == '\0' || c == '\r' || c == '\n') {
      // Lines far below any picture are not laid out: the coordinate would not fit.
      if (y > INT32_MAX) break;
      lines.push_back({begin, i - begin, x, int32_t(y)});
      if (c == '\0') break;
      if (c == '\r' && text[i + 1] == '\n') i++;
      begin = ++i;
      y += TextLineHeight;
      continue;
    }
    i++;
  }
  return lines;
}

}  // namespace qm
