// The trace back end: every canvas call becomes one line of text.
#include "canvas/trace_canvas.h"

#include <cstdio>
#include <cstring>

#include "import/codepage.h"

namespace qm {

std::string JsonString(const char* text, size_t length) {
  std::string out = "\"";
  for (size_t i = 0; i < length; i++) {
    unsigned char c = (unsigned char)text[i];
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          AppendUtf8(out, Cp1252ToUnicode(c));
        }
    }
  }
  return out + "\"";
}

void TraceCanvas::Line(const std::string& line) {
  trace_ += line;
  trace_ += '\n';
}

static std::string Ints(std::initializer_list<int32_t> values) {
  std::string out;
  for (int32_t v : values) out += ' ' + std::to_string(v);
  return out;
}

void TraceCanvas::Selecting(CanvasObject handle, const GdiObject& object) {
  char line[64];
  if (IsStockObject(handle)) {
    std::snprintf(line, sizeof line, "Stock %u", handle & 0xFF);
  } else if (object.kind == GdiKind::Pen) {
    std::snprintf(line, sizeof line, "Pen %d %d 0x%06X", object.style, object.width, object.color);
  } else if (object.kind == GdiKind::Brush) {
    if (object.style == 1) {
      std::snprintf(line, sizeof line, "Brush null");
    } else {
      std::snprintf(line, sizeof line, "Brush solid 0x%06X", object.color);
    }
  } else {
    std::snprintf(line, sizeof line, "Font %s",
                  object.font == FontKind::Rotated ? "rotated" : "upright");
  }
  Line(line);
}

void TraceCanvas::MoveTo(int32_t x, int32_t y) {
  Line("MoveTo" + Ints({x, y}));
}
void TraceCanvas::LineTo(int32_t x, int32_t y) {
  Line("LineTo" + Ints({x, y}));
}

void TraceCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Line("Rectangle" + Ints({left, top, right, bottom}));
}

void TraceCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Line("Ellipse" + Ints({left, top, right, bottom}));
}

void TraceCanvas::Points(const char* name, const Point* points, int32_t count) {
  std::string line = name;
  for (int32_t i = 0; i < count; i++) line += Ints({points[i].x, points[i].y});
  Line(line);
}

void TraceCanvas::Polygon(const Point* points, int32_t count) {
  Points("Polygon", points, count);
}
void TraceCanvas::Polyline(const Point* points, int32_t count) {
  Points("Polyline", points, count);
}

void TraceCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  Line("TextOut" + Ints({x, y}) + ' ' + JsonString(text, length < 0 ? 0 : size_t(length)));
}

void TraceCanvas::DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                    const Rect& clip) {
  Line("TextOutClipped" + Ints({x, y, clip.left, clip.top, clip.right, clip.bottom}) + ' ' +
       JsonString(text, length < 0 ? 0 : size_t(length)));
}

void TraceCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  Line("DrawText" + Ints({rect.left, rect.top, rect.right, rect.bottom, int32_t(flags)}) + ' ' +
       JsonString(text, std::strlen(text)));
}

}  // namespace qm
