// The SVG back end: documents are well-formed XML whatever the texts hold, and shapes, pens,
// brushes and texts come out as the metafile draws them.
#include "canvas/svg_canvas.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import/codepage.h"
#include "plot/text_layout.h"

namespace qm {
namespace {

struct Element {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;
  std::vector<std::string> ancestors;  // names, innermost first
  std::string Attr(const std::string& key) const {
    for (const auto& a : attributes) {
      if (a.first == key) return a.second;
    }
    return "<none>";
  }
};

// Parses with libxml2 (no network, no entity loading); empty on a well-formedness error.
struct Parsed {
  bool ok = false;
  std::vector<Element> elements;  // document order
};

void Walk(xmlNode* node, std::vector<std::string> ancestors, std::vector<Element>& out) {
  for (xmlNode* n = node; n != nullptr; n = n->next) {
    if (n->type != XML_ELEMENT_NODE) continue;
    Element e;
    e.name = reinterpret_cast<const char*>(n->name);
    for (xmlAttr* a = n->properties; a != nullptr; a = a->next) {
      xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNode*>(a));
      std::string key = reinterpret_cast<const char*>(a->name);
      if (a->ns != nullptr && a->ns->prefix != nullptr) {
        key = std::string(reinterpret_cast<const char*>(a->ns->prefix)) + ":" + key;
      }
      e.attributes.push_back({key, reinterpret_cast<const char*>(value)});
      xmlFree(value);
    }
    xmlChar* text = xmlNodeGetContent(n);
    e.text = reinterpret_cast<const char*>(text);
    xmlFree(text);
    e.ancestors = ancestors;
    out.push_back(e);
    std::vector<std::string> inner = ancestors;
    inner.insert(inner.begin(), e.name);
    Walk(n->children, inner, out);
  }
}

Parsed Parse(const std::string& svg) {
  Parsed parsed;
  xmlDoc* doc = xmlReadMemory(svg.data(), int(svg.size()), "picture.svg", nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr) return parsed;
  parsed.ok = true;
  Walk(xmlDocGetRootElement(doc), {}, parsed.elements);
  xmlFreeDoc(doc);
  return parsed;
}

// The elements every document starts with: the root, the group that maps logical units to the
// page, and the frame's unpainted rectangle.
constexpr size_t PageElements = 3;

// The drawing's own elements, after the page's.
Parsed Draw(const std::function<void(SvgCanvas&)>& draw) {
  SvgCanvas canvas;
  draw(canvas);
  Parsed parsed = Parse(canvas.Finish());
  EXPECT_TRUE(parsed.ok) << canvas.Finish();
  if (parsed.elements.size() >= PageElements) {
    parsed.elements.erase(parsed.elements.begin(), parsed.elements.begin() + PageElements);
  }
  return parsed;
}

std::vector<Element> Named(const Parsed& p, const std::string& name) {
  std::vector<Element> out;
  for (const Element& e : p.elements) {
    if (e.name == name) out.push_back(e);
  }
  return out;
}

// What decides the size in a reader: millimetres on the root over a viewBox of CSS pixels, and
// one group (what a paste takes) scaling logical units to those pixels and spanning the frame.
TEST(SvgCanvas, PageShowsTheMetafileFrameAndAPasteKeepsItsSize) {
  SvgCanvas canvas;
  Parsed p = Parse(canvas.Finish());
  ASSERT_EQ(p.elements.size(), PageElements);
  const Element& root = p.elements[0];
  EXPECT_EQ(root.name, "svg");
  EXPECT_EQ(root.Attr("width"), "144mm");
  EXPECT_EQ(root.Attr("height"), "108mm");
  // 144 mm x 108 mm at 96 CSS pixels to the inch.
  EXPECT_EQ(root.Attr("viewBox"), "0 0 544.25197 408.18898");
  EXPECT_EQ(root.attributes.size(), 3u);  // and the namespace: nothing that a paste drops
  const Element& page = p.elements[1];
  EXPECT_EQ(page.name, "g");
  EXPECT_EQ(page.Attr("transform"), "scale(0.055555556)");  // 18 logical units to a pixel
  EXPECT_EQ(page.Attr("stroke-linecap"), "round");
  EXPECT_EQ(page.Attr("stroke-linejoin"), "round");
  EXPECT_EQ(page.Attr("fill-rule"), "evenodd");
  const Element& frame = p.elements[2];
  EXPECT_EQ(frame.name, "rect");
  EXPECT_EQ(frame.ancestors, (std::vector<std::string>{"g", "svg"}));
  // The frame in logical units, 144 mm x 108 mm once scaled.
  EXPECT_NEAR(std::stod(frame.Attr("width")) / 18 * 25.4 / 96, 144.0, 0.001);
  EXPECT_NEAR(std::stod(frame.Attr("height")) / 18 * 25.4 / 96, 108.0, 0.001);
  EXPECT_EQ(frame.Attr("fill"), "none");
  EXPECT_EQ(frame.Attr("stroke"), "none");
}

TEST(SvgCanvas, PlaceholderShapesPensAndBrushes) {
  Parsed p = Draw([](SvgCanvas& c) {
    CanvasObject pen = c.CreatePen(PenSolid, 15, 0xFF0000);
    CanvasObject brush = c.CreateSolidBrush(0x0000FF);
    c.SelectObject(pen);
    c.SelectObject(brush);
    c.Ellipse(10, 10, 10200, 7651);
    c.Ellipse(-1, -4, 0, 1);  // centres left of and above 0 by half a unit and more
    Point frame[5] = {{10, 10}, {10, 7640}, {10190, 7640}, {10190, 10}, {10, 10}};
    c.Polyline(frame, 5);
    c.SelectStockObject(StockBlackPen);
    c.SelectObject(c.CreateHollowBrush());
    c.Rectangle(300, 400, 100, 200);  // corners in either order
    c.SelectStockObject(StockWhitePen);
    c.SelectStockObject(StockWhiteBrush);
    Point triangle[3] = {{0, 0}, {50, 0}, {0, 50}};
    c.Polygon(triangle, 3);
    c.MoveTo(1, 2);
    c.LineTo(3, 4);
    c.LineTo(5, 6);
  });
  std::vector<Element> ellipse = Named(p, "ellipse");
  ASSERT_EQ(ellipse.size(), 2u);
  EXPECT_EQ(ellipse[1].Attr("cx"), "-0.5");
  EXPECT_EQ(ellipse[1].Attr("cy"), "-1.5");
  EXPECT_EQ(ellipse[0].Attr("cx"), "5105");
  EXPECT_EQ(ellipse[0].Attr("cy"), "3830.5");
  EXPECT_EQ(ellipse[0].Attr("rx"), "5095");
  EXPECT_EQ(ellipse[0].Attr("ry"), "3820.5");
  EXPECT_EQ(ellipse[0].Attr("fill"), "#FF0000");  // COLORREF 0x0000FF is red
  EXPECT_EQ(ellipse[0].Attr("stroke"), "#0000FF");
  EXPECT_EQ(ellipse[0].Attr("stroke-width"), "15");
  std::vector<Element> polyline = Named(p, "polyline");
  ASSERT_EQ(polyline.size(), 1u);
  EXPECT_EQ(polyline[0].Attr("points"), "10,10 10,7640 10190,7640 10190,10 10,10");
  EXPECT_EQ(polyline[0].Attr("fill"), "none");
  std::vector<Element> rect = Named(p, "rect");
  ASSERT_EQ(rect.size(), 1u);
  EXPECT_EQ(rect[0].Attr("x"), "100");
  EXPECT_EQ(rect[0].Attr("y"), "200");
  EXPECT_EQ(rect[0].Attr("width"), "200");
  EXPECT_EQ(rect[0].Attr("height"), "200");
  EXPECT_EQ(rect[0].Attr("fill"), "none");  // hollow brush
  EXPECT_EQ(rect[0].Attr("stroke"), "#000000");
  EXPECT_EQ(rect[0].Attr("stroke-width"), "18");  // stock pen: one reference pixel
  std::vector<Element> polygon = Named(p, "polygon");
  ASSERT_EQ(polygon.size(), 1u);
  EXPECT_EQ(polygon[0].Attr("fill"), "#FFFFFF");
  EXPECT_EQ(polygon[0].Attr("stroke"), "#FFFFFF");
  // Lines one after another with one pen: one path, a continued line without a new move.
  std::vector<Element> path = Named(p, "path");
  ASSERT_EQ(path.size(), 1u);
  EXPECT_EQ(path[0].Attr("d"), "M1 2L3 4L5 6");
  EXPECT_EQ(path[0].Attr("fill"), "none");
  EXPECT_EQ(path[0].Attr("stroke"), "#FFFFFF");
}

TEST(SvgCanvas, LinesShareAPathUntilThePenOrAShapeChanges) {
  Parsed p = Draw([](SvgCanvas& c) {
    c.SelectObject(c.CreatePen(PenSolid, 5, 0x000000));
    c.MoveTo(0, 0);
    c.LineTo(10, 0);
    c.MoveTo(0, 5);  // a move starts a new subpath
    c.LineTo(10, 5);
    c.SelectObject(c.CreatePen(PenSolid, 18, 0x000000));
    c.LineTo(10, 9);
    c.SelectObject(c.CreateChartFont(FontKind::Upright));  // not a pen: the path goes on
    c.LineTo(0, 9);
    c.Rectangle(0, 0, 1, 1);
    c.LineTo(1, 1);
  });
  std::vector<Element> path = Named(p, "path");
  ASSERT_EQ(path.size(), 3u);
  EXPECT_EQ(path[0].Attr("d"), "M0 0L10 0M0 5L10 5");
  EXPECT_EQ(path[0].Attr("stroke-width"), "5");
  EXPECT_EQ(path[1].Attr("d"), "M10 5L10 9L0 9");
  EXPECT_EQ(path[1].Attr("stroke-width"), "18");
  EXPECT_EQ(path[2].Attr("d"), "M0 9L1 1");
  ASSERT_EQ(p.elements.size(), 4u);
  EXPECT_EQ(p.elements[2].name, "rect");  // drawn between the paths, in order
}

TEST(SvgCanvas, DrawTextLinesAnchorsAndClips) {
  struct Case {
    const char* text;
    uint32_t flags;
    const char* anchor;
    const char* x;
    std::vector<std::string> lines;
  };
  const Rect rect{1000, 2000, 1600, 2400};
  const Case cases[] = {
      {"12.5", TextBoxRight, "end", "1600", {"12.5"}},
      {"Group", TextBoxCenter | TextBoxBottom, "middle", "1300", {"Group"}},
      {"left", 0, "start", "1000", {"left"}},
      {"a\r\nb\n\nc", TextBoxCenter, "middle", "1300", {"a", "b", "", "c"}},
  };
  for (const Case& k : cases) {
    Parsed p = Draw([&](SvgCanvas& c) { c.DrawTextInBox(k.text, rect, k.flags); });
    std::vector<Element> clip = Named(p, "clipPath");
    ASSERT_EQ(clip.size(), 1u) << k.text;
    std::vector<Element> texts = Named(p, "text");
    size_t n = 0;
    for (size_t i = 0; i < k.lines.size(); i++) {
      if (k.lines[i].empty()) continue;
      ASSERT_LT(n, texts.size());
      const Element& t = texts[n++];
      EXPECT_EQ(t.text, k.lines[i]);
      EXPECT_EQ(t.Attr("text-anchor"), k.anchor);
      EXPECT_EQ(t.Attr("x"), k.x);
      // The top of the cell is at the line's top: the baseline is one ascent lower.
      EXPECT_EQ(t.Attr("y"), std::to_string(2000 + 216 * int(i) + FontAscent));
      EXPECT_EQ(t.Attr("xml:space"), "preserve");
      // The font on the text itself, where a paste still finds it.
      EXPECT_NE(t.Attr("font-family").find("Verdana"), std::string::npos);
      EXPECT_EQ(t.Attr("font-size"), std::to_string(FontEmHeight));
      EXPECT_EQ(t.Attr("font-weight"), "400");
    }
    EXPECT_EQ(n, texts.size()) << k.text;
    std::vector<Element> rects = Named(p, "rect");
    ASSERT_EQ(rects.size(), 1 + n);
    EXPECT_EQ(rects[0].ancestors.at(0), "clipPath");
    EXPECT_EQ(rects[0].Attr("x") + " " + rects[0].Attr("y") + " " + rects[0].Attr("width") + " " +
                  rects[0].Attr("height"),
              "1000 2000 600 400");
    // Every text is drawn inside the clipped group.
    for (const Element& e : p.elements) {
      if (e.name != "g" || e.Attr("clip-path") == "<none>") continue;
      EXPECT_EQ(e.Attr("clip-path"), "url(#" + clip[0].Attr("id") + ")");
    }
  }
}

TEST(SvgCanvas, TextHasAnOpaqueWhiteCellSizedByTheWidthTable) {
  Parsed p = Draw([](SvgCanvas& c) {
    c.DrawTextAt(500, 600, "AB", 2);
    c.DrawTextInBox("AB", Rect{0, 0, 1000, 1000}, TextBoxRight);
  });
  std::vector<Element> rects = Named(p, "rect");
  ASSERT_EQ(rects.size(), 3u);  // cell, clip rectangle, cell
  int32_t width = CharAdvance('A') + CharAdvance('B');
  EXPECT_EQ(rects[0].Attr("x"), "500");
  EXPECT_EQ(rects[0].Attr("y"), "600");
  EXPECT_EQ(rects[0].Attr("width"), std::to_string(width));
  EXPECT_EQ(rects[0].Attr("height"), std::to_string(FontCellHeight));
  EXPECT_EQ(rects[0].Attr("fill"), "#FFFFFF");
  EXPECT_EQ(rects[2].Attr("x"), std::to_string(1000 - width));  // right-aligned
}

TEST(SvgCanvas, ClippedTextStaysInItsRectangle) {
  Parsed p = Draw([](SvgCanvas& c) {
    c.DrawClippedTextAt(500, 600, "AB", 2, Rect{480, 100, 700, 650});
  });
  std::vector<Element> clip = Named(p, "clipPath");
  ASSERT_EQ(clip.size(), 1u);
  std::vector<Element> rects = Named(p, "rect");
  ASSERT_EQ(rects.size(), 2u);  // the clip rectangle, the cell
  EXPECT_EQ(rects[0].Attr("x") + " " + rects[0].Attr("y") + " " + rects[0].Attr("width") + " " +
                rects[0].Attr("height"),
            "480 100 220 550");
  std::vector<Element> texts = Named(p, "text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Attr("x"), "500");
  std::vector<Element> groups = Named(p, "g");
  ASSERT_FALSE(groups.empty());
  EXPECT_EQ(groups[0].Attr("clip-path"), "url(#" + clip[0].Attr("id") + ")");
}

TEST(SvgCanvas, RotatedTextTurnsAboutItsReferencePoint) {
  Parsed p = Draw([](SvgCanvas& c) {
    c.SelectObject(c.CreateChartFont(FontKind::Rotated));
    c.DrawTextAt(100, 4170, "Caption", 7);
  });
  std::vector<Element> texts = Named(p, "text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Attr("x"), "100");
  EXPECT_EQ(texts[0].Attr("y"), std::to_string(4170 + FontAscent));
  std::vector<Element> groups = Named(p, "g");
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].Attr("transform"), "rotate(-90 100 4170)");
}

TEST(SvgCanvas, AnyLabelGivesWellFormedXml) {
  std::string all;
  for (int c = 1; c < 256; c++) all += char(c);
  const std::string labels[] = {all,
                                "<b>&amp;</b>",
                                "\"quoted\" 'single'",
                                "]]>",
                                "\x01\x1f\x7f",
                                "\x80\x81\x8d\x8f\x90\x9d\xff",
                                std::string(2000, '&')};
  for (const std::string& label : labels) {
    Parsed p = Draw([&](SvgCanvas& c) {
      c.DrawTextAt(0, 0, label.data(), int32_t(label.size()));
      c.DrawTextInBox(label.c_str(), Rect{0, 0, 9000, 9000}, TextBoxCenter);
    });
    ASSERT_TRUE(p.ok);
    std::vector<Element> texts = Named(p, "text");
    ASSERT_FALSE(texts.empty());
    // Markup comes back as the characters it was; controls XML cannot hold become U+FFFD.
    std::string expected;
    for (unsigned char c : label) {
      if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
        AppendUtf8(expected, U'\uFFFD');
      } else {
        AppendUtf8(expected, Cp1252ToUnicode(c));
      }
    }
    std::string got = texts[0].text;
    // The parser normalises a CR LF pair and a lone CR to LF.
    std::string normalized;
    for (size_t i = 0; i < expected.size(); i++) {
      if (expected[i] == '\r') {
        normalized += '\n';
        if (i + 1 < expected.size() && expected[i + 1] == '\n') i++;
      } else {
        normalized += expected[i];
      }
    }
    EXPECT_EQ(got, normalized);
  }
}

TEST(SvgCanvas, EmptyTextsAndDegenerateShapesDrawNothing) {
  Parsed p = Draw([](SvgCanvas& c) {
    c.DrawTextInBox("", Rect{0, 0, 10, 10}, 0);
    c.DrawTextInBox("\r\n", Rect{0, 0, 10, 10}, 0);
    c.DrawTextAt(0, 0, "x", 0);
    Point one[1] = {{1, 1}};
    c.Polygon(one, 1);
    c.Polyline(nullptr, 3);
  });
  EXPECT_EQ(p.elements.size(), 0u);
}

TEST(SvgCanvas, FinishClosesOnceAndIgnoresLaterDrawing) {
  SvgCanvas c;
  std::string first = c.Finish();
  c.Rectangle(0, 0, 1, 1);
  EXPECT_EQ(c.Finish(), first);
  EXPECT_EQ(first.substr(first.size() - 7), "</svg>\n");
}

}  // namespace
}  // namespace qm
