// The SVG back end: one element per shape, texts in groups carrying their clip rectangle.
#include "canvas/svg_canvas.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "canvas/text_layout.h"
#include "import/codepage.h"

namespace qm {

namespace {

// A device pixel of the 96-dpi reference screen in logical units: the width of a pen of
// width 0 (the stock pens).
constexpr int32_t HairlineWidth = 18;

std::string Hex(Color color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return buffer;
}

std::string Num(int64_t v) {
  return std::to_string(v);
}

std::string Attr(const char* name, int64_t v) {
  return std::string(" ") + name + "=\"" + Num(v) + '"';
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
  // GDI pens made by CreatePen have round ends and joins; polygons fill alternately.
  svg_ =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"144mm\" height=\"108mm\" "
      "viewBox=\"0 0 9796.5 7347.4\" stroke-linecap=\"round\" stroke-linejoin=\"round\" "
      "fill-rule=\"evenodd\" font-family=\"Verdana, 'DejaVu Sans', sans-serif\" "
      "font-size=\"" +
      Num(FontEmHeight) + "\">\n";
}

const std::string& SvgCanvas::Finish() {
  if (!finished_) {
    svg_ += "</svg>\n";
    finished_ = true;
  }
  return svg_;
}

std::string SvgCanvas::Stroke() const {
  const GdiObject* pen = objects_.Find(objects_.currentPen());
  if (pen == nullptr || pen->style == PenNull) return " stroke=\"none\"";
  return " stroke=\"" + Hex(pen->color) + '"' +
         Attr("stroke-width", pen->width == 0 ? HairlineWidth : pen->width);
}

std::string SvgCanvas::Fill() const {
  const GdiObject* brush = objects_.Find(objects_.currentBrush());
  if (brush == nullptr || brush->style == 1) return " fill=\"none\"";
  return " fill=\"" + Hex(brush->color) + '"';
}

void SvgCanvas::MoveTo(int32_t x, int32_t y) {
  position_ = {x, y};
}

void SvgCanvas::LineTo(int32_t x, int32_t y) {
  if (finished_) return;
  svg_ += "<line" + Attr("x1", position_.x) + Attr("y1", position_.y) + Attr("x2", x) +
          Attr("y2", y) + Stroke() + "/>\n";
  position_ = {x, y};
}

void SvgCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  int64_t l = std::min(left, right), t = std::min(top, bottom);
  svg_ += "<rect" + Attr("x", l) + Attr("y", t) + Attr("width", std::max(left, right) - l) +
          Attr("height", std::max(top, bottom) - t) + Fill() + Stroke() + "/>\n";
}

void SvgCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  // Centre and radii in half units, written with one decimal when odd.
  auto half = [](int64_t twice) {
    std::string s = Num(twice / 2);
    if (twice % 2 != 0) s = (twice < 0 && twice / 2 == 0 ? "-" : "") + s + ".5";
    return s;
  };
  int64_t w = int64_t(right) - left, h = int64_t(bottom) - top;
  svg_ += "<ellipse cx=\"" + half(int64_t(left) + right) + "\" cy=\"" +
          half(int64_t(top) + bottom) + "\" rx=\"" + half(w < 0 ? -w : w) + "\" ry=\"" +
          half(h < 0 ? -h : h) + '"' + Fill() + Stroke() + "/>\n";
}

static std::string PointList(const Point* points, int32_t count) {
  std::string out;
  for (int32_t i = 0; i < count; i++) {
    if (i > 0) out += ' ';
    out += Num(points[i].x) + ',' + Num(points[i].y);
  }
  return out;
}

void SvgCanvas::Polygon(const Point* points, int32_t count) {
  if (finished_ || points == nullptr || count < 2) return;
  svg_ += "<polygon points=\"" + PointList(points, count) + '"' + Fill() + Stroke() + "/>\n";
}

void SvgCanvas::Polyline(const Point* points, int32_t count) {
  if (finished_ || points == nullptr || count < 2) return;
  svg_ += "<polyline points=\"" + PointList(points, count) + "\" fill=\"none\"" + Stroke() + "/>\n";
}

// align: 0 left, 1 centre, 2 right of the reference point.
void SvgCanvas::Text(int32_t x, int32_t y, const char* text, size_t length, int align) {
  int64_t width = TextAdvance(text, length);
  int64_t before = align == 1 ? width / 2 : align == 2 ? width : 0;
  const GdiObject* font = objects_.Find(objects_.currentFont());
  bool rotated = font != nullptr && font->font == FontKind::Rotated;
  // Laid out upright from the top-left of the cell, then turned about the reference point.
  std::string g = "<g";
  if (rotated) g += " transform=\"rotate(-90 " + Num(x) + ' ' + Num(y) + ")\"";
  svg_ += g + ">";
  // The opaque white text background of a new device context.
  svg_ += "<rect" + Attr("x", x - before) + Attr("y", y) + Attr("width", width) +
          Attr("height", FontCellHeight) + " fill=\"#FFFFFF\" stroke=\"none\"/>";
  static const char* const anchors[] = {"start", "middle", "end"};
  svg_ += "<text xml:space=\"preserve\"" + Attr("x", x) + Attr("y", int64_t(y) + FontAscent) +
          " text-anchor=\"" + anchors[align] + "\" fill=\"#000000\">" + XmlText(text, length) +
          "</text></g>\n";
}

void SvgCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  if (finished_ || text == nullptr || length <= 0) return;
  Text(x, y, text, size_t(length), 0);
}

void SvgCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  if (finished_ || text == nullptr) return;
  std::vector<TextLine> lines = LayoutTextBox(text, rect, flags);
  bool any = false;
  for (const TextLine& line : lines) any = any || line.length > 0;
  if (!any) return;
  TextAlign align = DrawTextAlign(flags);
  std::string id = "c" + Num(++clipCount_);
  int64_t w = std::max<int64_t>(0, int64_t(rect.right) - rect.left);
  int64_t h = std::max<int64_t>(0, int64_t(rect.bottom) - rect.top);
  svg_ += "<clipPath id=\"" + id + "\"><rect" + Attr("x", rect.left) + Attr("y", rect.top) +
          Attr("width", w) + Attr("height", h) + "/></clipPath>\n<g clip-path=\"url(#" + id +
          ")\">\n";
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
