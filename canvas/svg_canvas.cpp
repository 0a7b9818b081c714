// The SVG back end: one element per shape, texts in groups carrying their clip rectangle.
#include "canvas/svg_canvas.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "import/codepage.h"
#include "plot/text_layout.h"

namespace qm {

namespace {

// A device pixel of the 96-dpi reference screen in logical units: the width of a pen of
// width 0 (the stock pens).
constexpr int32_t HairlineWidth = 18;

// The page in CSS pixels (144 mm x 108 mm at 96 per inch) and the frame in logical units.
constexpr const char* PageViewBox = "0 0 544.25197 408.18898";
constexpr const char* FrameWidth = "9796.54";
constexpr const char* FrameHeight = "7347.4";
constexpr const char* LogicalToPixel = "scale(0.055555556)";  // 1/18
// The chart font as the metafile names it, with the faces that stand in for it where it is
// missing.
constexpr const char* FontAttributes =
    " font-family=\"Verdana, 'DejaVu Sans', sans-serif\" font-weight=\"400\" font-size=\"";

std::string Hex(Color color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return buffer;
}

}  // namespace

std::string XmlText(const char* text, size_t length) {
  std::string out;
  for (size_t i = 0; i < length; i++) {
    unsigned char c = (unsigned char)text[i];
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\t':
      case '\n':
      case '\r':
        out += char(c);
        break;
      default:
        if (c < 0x20) {
          AppendUtf8(out, U'\uFFFD');
        } else {
          AppendUtf8(out, Cp1252ToUnicode(c));
        }
    }
  }
  return out;
}

SvgCanvas::SvgCanvas() {
  svg_.reserve(1 << 16);
  // GDI pens made by CreatePen have round ends and joins; polygons fill alternately.
  svg_ =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"144mm\" height=\"108mm\" viewBox=\"";
  svg_ += PageViewBox;
  svg_ += "\">\n<g transform=\"";
  svg_ += LogicalToPixel;
  svg_ += "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" fill-rule=\"evenodd\"";
  svg_ += FontAttributes;
  Int(FontEmHeight);
  svg_ += "\">\n<rect width=\"";
  svg_ += FrameWidth;
  svg_ += "\" height=\"";
  svg_ += FrameHeight;
  svg_ += "\" fill=\"none\" stroke=\"none\"/>\n";
  TakeStyle();
}

const std::string& SvgCanvas::Finish() {
  if (!finished_) {
    EndPath();
    svg_ += "</g>\n</svg>\n";
    finished_ = true;
  }
  return svg_;
}

void SvgCanvas::Selected(CanvasObject) {
  TakeStyle();
}

void SvgCanvas::TakeStyle() {
  const GdiObject* pen = objects_.Find(objects_.currentPen());
  std::string stroke = " stroke=\"none\"";
  if (pen != nullptr && pen->style != PenNull) {
    stroke = " stroke=\"" + Hex(pen->color) + "\" stroke-width=\"" +
             std::to_string(pen->width == 0 ? HairlineWidth : pen->width) + '"';
  }
  if (stroke != stroke_) {
    EndPath();
    stroke_ = stroke;
  }
  const GdiObject* brush = objects_.Find(objects_.currentBrush());
  fill_ = brush == nullptr || brush->style == 1 ? " fill=\"none\""
                                                : " fill=\"" + Hex(brush->color) + '"';
}

void SvgCanvas::Int(int64_t v) {
  char buffer[24];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  svg_.append(buffer, size_t(end - buffer));
}

void SvgCanvas::Attr(const char* name, int64_t v) {
  svg_ += ' ';
  svg_ += name;
  svg_ += "=\"";
  Int(v);
  svg_ += '"';
}

void SvgCanvas::EndPath() {
  if (!pathOpen_) return;
  svg_ += "\"/>\n";
  pathOpen_ = false;
}

void SvgCanvas::MoveTo(int32_t x, int32_t y) {
  position_ = {x, y};
}

void SvgCanvas::LineTo(int32_t x, int32_t y) {
  if (finished_) return;
  if (!pathOpen_) {
    svg_ += "<path fill=\"none\"";
    svg_ += stroke_;
    svg_ += " d=\"";
    pathOpen_ = true;
  } else if (position_.x == pathEnd_.x && position_.y == pathEnd_.y) {
    // Continues the last segment: round joins draw what two round-capped lines draw.
    svg_ += 'L';
    Int(x);
    svg_ += ' ';
    Int(y);
    position_ = pathEnd_ = {x, y};
    return;
  }
  svg_ += 'M';
  Int(position_.x);
  svg_ += ' ';
  Int(position_.y);
  svg_ += 'L';
  Int(x);
  svg_ += ' ';
  Int(y);
  position_ = pathEnd_ = {x, y};
}

void SvgCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  EndPath();
  int64_t l = std::min(left, right), t = std::min(top, bottom);
  svg_ += "<rect";
  Attr("x", l);
  Attr("y", t);
  Attr("width", std::max(left, right) - l);
  Attr("height", std::max(top, bottom) - t);
  svg_ += fill_;
  svg_ += stroke_;
  svg_ += "/>\n";
}

void SvgCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  EndPath();
  // Centre and radii in half units, written with one decimal when odd.
  auto half = [this](const char* name, int64_t twice) {
    svg_ += ' ';
    svg_ += name;
    svg_ += "=\"";
    if (twice < 0 && twice / 2 == 0) svg_ += '-';
    Int(twice / 2);
    if (twice % 2 != 0) svg_ += ".5";
    svg_ += '"';
  };
  int64_t w = int64_t(right) - left, h = int64_t(bottom) - top;
  svg_ += "<ellipse";
  half("cx", int64_t(left) + right);
  half("cy", int64_t(top) + bottom);
  half("rx", w < 0 ? -w : w);
  half("ry", h < 0 ? -h : h);
  svg_ += fill_;
  svg_ += stroke_;
  svg_ += "/>\n";
}

void SvgCanvas::Points(const Point* points, int32_t count) {
  svg_ += " points=\"";
  for (int32_t i = 0; i < count; i++) {
    if (i > 0) svg_ += ' ';
    Int(points[i].x);
    svg_ += ',';
    Int(points[i].y);
  }
  svg_ += '"';
}

void SvgCanvas::Polygon(const Point* points, int32_t count) {
  if (finished_ || points == nullptr || count < 2) return;
  EndPath();
  svg_ += "<polygon";
  Points(points, count);
  svg_ += fill_;
  svg_ += stroke_;
  svg_ += "/>\n";
}

void SvgCanvas::Polyline(const Point* points, int32_t count) {
  if (finished_ || points == nullptr || count < 2) return;
  EndPath();
  svg_ += "<polyline";
  Points(points, count);
  svg_ += " fill=\"none\"";
  svg_ += stroke_;
  svg_ += "/>\n";
}

// align: 0 left, 1 centre, 2 right of the reference point.
void SvgCanvas::Text(int32_t x, int32_t y, const char* text, size_t length, int align) {
  int64_t width = TextAdvance(text, length);
  int64_t before = align == 1 ? width / 2 : align == 2 ? width : 0;
  const GdiObject* font = objects_.Find(objects_.currentFont());
  bool rotated = font != nullptr && font->font == FontKind::Rotated;
  // Laid out upright from the top-left of the cell, then turned about the reference point.
  svg_ += "<g";
  if (rotated) {
    svg_ += " transform=\"rotate(-90 ";
    Int(x);
    svg_ += ' ';
    Int(y);
    svg_ += ")\"";
  }
  // The opaque white text background of a new device context.
  svg_ += "><rect";
  Attr("x", x - before);
  Attr("y", y);
  Attr("width", width);
  Attr("height", FontCellHeight);
  svg_ += " fill=\"#FFFFFF\" stroke=\"none\"/>";
  static const char* const anchors[] = {"start", "middle", "end"};
  svg_ += "<text xml:space=\"preserve\"";
  Attr("x", x);
  Attr("y", int64_t(y) + FontAscent);
  svg_ += FontAttributes;
  Int(FontEmHeight);
  svg_ += "\" text-anchor=\"";
  svg_ += anchors[align];
  svg_ += "\" fill=\"#000000\" stroke=\"none\">";
  svg_ += XmlText(text, length);
  svg_ += "</text></g>\n";
}

void SvgCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  if (finished_ || text == nullptr || length <= 0) return;
  EndPath();
  Text(x, y, text, size_t(length), 0);
}

void SvgCanvas::OpenClip(const Rect& rect) {
  int64_t w = std::max<int64_t>(0, int64_t(rect.right) - rect.left);
  int64_t h = std::max<int64_t>(0, int64_t(rect.bottom) - rect.top);
  svg_ += "<clipPath id=\"c";
  Int(++clipCount_);
  svg_ += "\"><rect";
  Attr("x", rect.left);
  Attr("y", rect.top);
  Attr("width", w);
  Attr("height", h);
  svg_ += "/></clipPath>\n<g clip-path=\"url(#c";
  Int(clipCount_);
  svg_ += ")\">\n";
}

void SvgCanvas::DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                  const Rect& clip) {
  if (finished_ || text == nullptr || length <= 0) return;
  EndPath();
  OpenClip(clip);
  Text(x, y, text, size_t(length), 0);
  svg_ += "</g>\n";
}

void SvgCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  if (finished_ || text == nullptr) return;
  std::vector<TextLine> lines = LayoutTextBox(text, rect, flags);
  bool any = false;
  for (const TextLine& line : lines) any = any || line.length > 0;
  if (!any) return;
  EndPath();
  TextAlign align = DrawTextAlign(flags);
  OpenClip(rect);
  for (const TextLine& line : lines) {
    if (line.length == 0) continue;
    Text(line.x, line.y, text + line.begin, line.length,
         align == TextAlign::Center  ? 1
         : align == TextAlign::Right ? 2
                                     : 0);
  }
  svg_ += "</g>\n";
}

}  // namespace qm
