// Byte-level checks of the metafile recorder: header, every record kind, object slots,
// text layout and the bounds.
#include "canvas/emf_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "base/little_endian.h"
#include "canvas/emf_format.h"
#include "import/codepage.h"
#include "plot/placeholder.h"
#include "plot/plot_run.h"
#include "plot/text_layout.h"
#include "testsupport/emf_check.h"

namespace qm {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return LoadU32(b.data() + at);
}
int32_t I32(const std::vector<uint8_t>& b, size_t at) {
  return LoadI32(b.data() + at);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return LoadU16(b.data() + at);
}

// The records after the header and before EmrEof.
std::vector<EmfRecordView> Body(const std::vector<uint8_t>& bytes) {
  std::vector<EmfRecordView> all = ListEmfRecords(bytes.data(), bytes.size());
  EXPECT_GE(all.size(), 2u);
  EXPECT_EQ(all.front().type, EmrHeader);
  EXPECT_EQ(all.back().type, EmrEof);
  return std::vector<EmfRecordView>(all.begin() + 1, all.end() - 1);
}

// Records as type followed by their 32-bit fields, for records made only of 32-bit fields.
std::vector<int32_t> Fields(const std::vector<uint8_t>& bytes, const EmfRecordView& r) {
  std::vector<int32_t> out{int32_t(r.type)};
  for (size_t at = r.offset + 8; at < r.offset + r.size; at += 4) out.push_back(I32(bytes, at));
  return out;
}

std::vector<uint8_t> Record(const std::function<void(EmfCanvas&)>& draw) {
  EmfCanvas canvas;
  draw(canvas);
  std::vector<uint8_t> bytes = canvas.Finish();
  std::string problem;
  EXPECT_TRUE(CheckEmf(bytes.data(), bytes.size(), problem)) << problem;
  return bytes;
}

void MapChart(Canvas& c) {
  c.SetMapMode(MapModeIsotropic);
  c.SetWindowExtent(14400, 10800);
  c.SetViewportExtent(800, 600);
}

TEST(EmfHeader, EveryFieldOfAnEmptyPicture) {
  std::vector<uint8_t> b = Record([](EmfCanvas&) {});
  ASSERT_EQ(b.size(), 120u + 20u);
  EXPECT_EQ(U32(b, 0), EmrHeader);
  EXPECT_EQ(U32(b, 4), 120u);  // 108 + "nib\0\0" (10 bytes) padded to 4
  // Nothing drawn: empty bounds.
  EXPECT_EQ(I32(b, 8), 0);
  EXPECT_EQ(I32(b, 12), 0);
  EXPECT_EQ(I32(b, 16), -1);
  EXPECT_EQ(I32(b, 20), -1);
  // Frame in 0.01 mm.
  EXPECT_EQ(I32(b, 24), 0);
  EXPECT_EQ(I32(b, 28), 0);
  EXPECT_EQ(I32(b, 32), 14400);
  EXPECT_EQ(I32(b, 36), 10800);
  EXPECT_EQ(U32(b, 40), 0x464D4520u);
  EXPECT_EQ(U32(b, 44), 0x10000u);
  EXPECT_EQ(U32(b, 48), b.size());
  EXPECT_EQ(U32(b, 52), 2u);
  EXPECT_EQ(U16(b, 56), 1u);
  EXPECT_EQ(U16(b, 58), 0u);
  EXPECT_EQ(U32(b, 60), 5u);
  EXPECT_EQ(U32(b, 64), 108u);
  EXPECT_EQ(U32(b, 68), 0u);
  // A 96-dpi reference screen: 1920 pixels are 508 mm.
  EXPECT_EQ(I32(b, 72), 1920);
  EXPECT_EQ(I32(b, 76), 1440);
  EXPECT_EQ(I32(b, 80), 508);
  EXPECT_EQ(I32(b, 84), 381);
  EXPECT_EQ(U32(b, 88), 0u);
  EXPECT_EQ(U32(b, 92), 0u);
  EXPECT_EQ(U32(b, 96), 0u);
  EXPECT_EQ(I32(b, 100), 508000);
  EXPECT_EQ(I32(b, 104), 381000);
  const uint8_t nib[12] = {'n', 0, 'i', 0, 'b', 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(b.data() + 108, nib, 12), 0);
  // EmrEof: no palette, offPalEntries 16, nSizeLast 20.
  EXPECT_EQ(Fields(b, {EmrEof, 120, 20}), (std::vector<int32_t>{14, 0, 16, 20}));
}

TEST(EmfHeader, TotalsFollowTheRecords) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    MapChart(c);
    CanvasObject a = c.CreatePen(PenSolid, 5, 0);
    c.CreateSolidBrush(0x7F7F7F);
    c.SelectObject(a);
    c.Rectangle(0, 0, 100, 100);
  });
  std::vector<EmfRecordView> all = ListEmfRecords(b.data(), b.size());
  EXPECT_EQ(U32(b, 52), all.size());
  EXPECT_EQ(all.size(), 1u + 3 + 2 + 1 + 1 + 1);
  EXPECT_EQ(U32(b, 48), b.size());
  EXPECT_EQ(U16(b, 56), 3u);  // two objects at once
}

TEST(EmfHeader, FinishTwiceGivesTheSameBytesAndDrawingAfterIsIgnored) {
  EmfCanvas canvas;
  canvas.Rectangle(0, 0, 10, 10);
  std::vector<uint8_t> first = canvas.Finish();
  canvas.Rectangle(0, 0, 20, 20);
  EXPECT_EQ(canvas.CreatePen(0, 1, 0), 0u);
  EXPECT_EQ(canvas.Finish(), first);
}

TEST(EmfHeader, BoundsAreTheDrawnAreaInReferencePixels) {
  struct Case {
    const char* name;
    std::function<void(EmfCanvas&)> draw;
    int32_t left, top, right, bottom;
  };
  const Case cases[] = {
      // Without a mapping a logical unit is a pixel. The bounds reach back to the origin.
      {"unmapped rectangle", [](EmfCanvas& c) { c.Rectangle(10, 20, 110, 220); }, 0, 0, 110, 220},
      {"left of and above the origin", [](EmfCanvas& c) { c.Rectangle(-100, -50, -10, -5); }, -100,
       -50, -10, -5},
      // The chart mapping divides by 18; the stock pen has no width.
      {"mapped rectangle",
       [](EmfCanvas& c) {
         MapChart(c);
         c.Rectangle(1800, 900, 3600, 9000);
       },
       0, 0, 200, 500},
      // Whole pixels outward.
      {"rounding outward",
       [](EmfCanvas& c) {
         MapChart(c);
         c.Rectangle(-1801, -17, 3601, 9001);
       },
       -101, -1, 201, 501},
      // A pen of width 36 adds 18 units on every side: one pixel.
      {"wide pen",
       [](EmfCanvas& c) {
         MapChart(c);
         c.SelectObject(c.CreatePen(PenSolid, 36, 0));
         c.Ellipse(-3600, 1800, 3600, 3600);
       },
       -201, 0, 201, 201},
      // A move draws nothing; the line runs from the last position.
      {"line",
       [](EmfCanvas& c) {
         MapChart(c);
         c.MoveTo(1800, 3600);
         c.LineTo(-180, 360);
         c.MoveTo(9000, 9000);
       },
       -10, 0, 100, 200},
      {"union of two shapes",
       [](EmfCanvas& c) {
         c.Rectangle(10, -10, 20, 20);
         Point p[3] = {{-5, 40}, {30, 50}, {0, 60}};
         c.Polygon(p, 3);
       },
       -5, -10, 30, 60},
      // Upright text: the cell lies right of and below the reference point.
      {"text", [](EmfCanvas& c) { c.DrawTextAt(-100, 200, "AB", 2); }, -100, 0,
       -100 + CharAdvance('A') + CharAdvance('B'), 200 + FontCellHeight},
      // Rotated text runs upward: the cell lies right of the point and above it.
      {"rotated text",
       [](EmfCanvas& c) {
         c.SelectObject(c.CreateChartFont(FontKind::Rotated));
         c.DrawTextAt(-100, -500, "AB", 2);
       },
       -100, -500 - CharAdvance('A') - CharAdvance('B'), -100 + FontCellHeight, -500},
      // Clipped, it keeps to its rectangle, cell and all.
      {"clipped rotated text",
       [](EmfCanvas& c) {
         c.SelectObject(c.CreateChartFont(FontKind::Rotated));
         c.DrawClippedTextAt(-100, -500, "AB", 2, Rect{-60, -800, 0, -510});
       },
       -60, -500 - CharAdvance('A') - CharAdvance('B'), 0, -510},
      // Clipped text stays within its rectangle.
      {"clipped text",
       [](EmfCanvas& c) {
         c.DrawTextInBox("a long label", Rect{-100, -100, -50, 400}, 0);
       },
       -100, -100, -50, -100 + FontCellHeight},
      // Text wholly clipped away draws nothing.
      {"invisible text",
       [](EmfCanvas& c) {
         c.DrawTextInBox("gone", Rect{100, 100, 100, 400}, 0);
       },
       0, 0, -1, -1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = Record(c.draw);
    EXPECT_EQ(I32(b, 8), c.left) << c.name;
    EXPECT_EQ(I32(b, 12), c.top) << c.name;
    EXPECT_EQ(I32(b, 16), c.right) << c.name;
    EXPECT_EQ(I32(b, 20), c.bottom) << c.name;
  }
}

TEST(EmfRecords, FixedSizeRecords) {
  struct Case {
    const char* name;
    std::function<void(EmfCanvas&)> draw;
    std::vector<int32_t> fields;  // type, then the fields after the size
  };
  const Case cases[] = {
      {"map mode", [](EmfCanvas& c) { c.SetMapMode(7); }, {17, 7}},
      {"window", [](EmfCanvas& c) { c.SetWindowExtent(14400, 10800); }, {9, 14400, 10800}},
      {"viewport", [](EmfCanvas& c) { c.SetViewportExtent(800, 600); }, {11, 800, 600}},
      {"move", [](EmfCanvas& c) { c.MoveTo(-3, 70000); }, {27, -3, 70000}},
      {"line", [](EmfCanvas& c) { c.LineTo(5, 6); }, {54, 5, 6}},
      {"rectangle", [](EmfCanvas& c) { c.Rectangle(1, 2, 3, 4); }, {43, 1, 2, 3, 4}},
      {"ellipse", [](EmfCanvas& c) { c.Ellipse(10, 10, 10200, 7650); }, {42, 10, 10, 10200, 7650}},
      // LOGPEN: style, width as a point (width, 0), colour.
      {"pen",
       [](EmfCanvas& c) { c.CreatePen(PenSolid, 15, 0xFF0000); },
       {38, 1, 0, 15, 0, 0xFF0000}},
      {"pen colour keeps 24 bits",
       [](EmfCanvas& c) { c.CreatePen(PenSolid, 5, 0x01123456); },
       {38, 1, 0, 5, 0, 0x123456}},
      // LOGBRUSH32: style (EmfBrushSolid 0 / EmfBrushNull 1), colour, hatch.
      {"solid brush", [](EmfCanvas& c) { c.CreateSolidBrush(0x780000); }, {39, 1, 0, 0x780000, 0}},
      {"hollow brush", [](EmfCanvas& c) { c.CreateHollowBrush(); }, {39, 1, 1, 0, 0}},
      {"stock object",
       [](EmfCanvas& c) { c.SelectStockObject(StockWhitePen); },
       {37, int32_t(0x80000006)}},
      {"text align",
       [](EmfCanvas& c) {
         c.DrawTextInBox("x", Rect{0, 0, 9, 9}, TextBoxRight);
       },
       {22, 2}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = Record(c.draw);
    std::vector<EmfRecordView> body = Body(b);
    ASSERT_FALSE(body.empty()) << c.name;
    EXPECT_EQ(body[0].size, 4 * c.fields.size() + 4) << c.name;
    EXPECT_EQ(Fields(b, body[0]), c.fields) << c.name;
  }
}

TEST(EmfRecords, FontIsALogFontOfVerdana) {
  for (FontKind kind : {FontKind::Upright, FontKind::Rotated}) {
    std::vector<uint8_t> b = Record([kind](EmfCanvas& c) { c.CreateChartFont(kind); });
    std::vector<EmfRecordView> body = Body(b);
    ASSERT_EQ(body.size(), 1u);
    size_t at = body[0].offset;
    EXPECT_EQ(body[0].type, EmrExtCreateFontIndirectW);
    EXPECT_EQ(body[0].size, 12u + 92u);
    EXPECT_EQ(U32(b, at + 8), 1u);  // ihFont
    int32_t angle = kind == FontKind::Rotated ? 900 : 0;
    EXPECT_EQ(I32(b, at + 12), -213);  // em height: 1600 tenths of a point at 96 dpi
    EXPECT_EQ(I32(b, at + 16), 0);
    EXPECT_EQ(I32(b, at + 20), angle);
    EXPECT_EQ(I32(b, at + 24), angle);
    EXPECT_EQ(I32(b, at + 28), 400);
    EXPECT_EQ(U32(b, at + 32), 0u);  // italic, underline, strike-out, charset
    EXPECT_EQ(U32(b, at + 36), 0u);  // precisions, quality, pitch and family
    const char* face = "Verdana";
    for (size_t i = 0; i < 32; i++) {
      EXPECT_EQ(U16(b, at + 40 + 2 * i), i < 7 ? uint16_t(face[i]) : 0) << i;
    }
  }
}

TEST(EmfRecords, PointsUseSixteenBitsOnlyWhenEveryCoordinateFits) {
  struct Case {
    int32_t x, y;
    bool small;
  };
  const Case cases[] = {{0, 0, true},       {32767, -32768, true}, {32768, 0, false},
                        {0, -32769, false}, {-40000, 5, false},    {10200, 7650, true}};
  for (const Case& k : cases) {
    for (bool polygon : {true, false}) {
      Point p[3] = {{10, 10}, {k.x, k.y}, {20, 30}};
      std::vector<uint8_t> b =
          Record([&](EmfCanvas& c) { polygon ? c.Polygon(p, 3) : c.Polyline(p, 3); });
      std::vector<EmfRecordView> body = Body(b);
      ASSERT_EQ(body.size(), 1u);
      const EmfRecordView& r = body[0];
      uint32_t type =
          polygon ? (k.small ? EmrPolygon16 : EmrPolygon) : (k.small ? EmrPolyline16 : EmrPolyline);
      EXPECT_EQ(r.type, type) << k.x << ' ' << k.y;
      EXPECT_EQ(r.size, 28u + 3 * (k.small ? 4 : 8));
      // Bounds of the points, inclusive, in logical units.
      EXPECT_EQ(I32(b, r.offset + 8), std::min(10, k.x));
      EXPECT_EQ(I32(b, r.offset + 12), std::min(10, k.y));
      EXPECT_EQ(I32(b, r.offset + 16), std::max(20, k.x));
      EXPECT_EQ(I32(b, r.offset + 20), std::max(30, k.y));
      EXPECT_EQ(U32(b, r.offset + 24), 3u);
      for (int i = 0; i < 3; i++) {
        int32_t x =
            k.small ? int16_t(U16(b, r.offset + 28 + 4 * i)) : I32(b, r.offset + 28 + 8 * i);
        int32_t y =
            k.small ? int16_t(U16(b, r.offset + 30 + 4 * i)) : I32(b, r.offset + 32 + 8 * i);
        EXPECT_EQ(x, p[i].x);
        EXPECT_EQ(y, p[i].y);
      }
    }
  }
}

TEST(EmfRecords, FewerThanTwoPointsRecordNothing) {
  Point p[1] = {{1, 1}};
  std::vector<uint8_t> b = Record([&](EmfCanvas& c) {
    c.Polygon(p, 1);
    c.Polyline(p, 0);
    c.Polygon(nullptr, 5);
  });
  EXPECT_TRUE(Body(b).empty());
}

TEST(EmfObjects, NewObjectsTakeTheLowestFreeSlot) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    EXPECT_EQ(c.CreatePen(0, 5, 0), 1u);
    EXPECT_EQ(c.CreateSolidBrush(0), 2u);
    EXPECT_EQ(c.CreateHollowBrush(), 3u);
    c.DeleteObject(1);
    c.DeleteObject(3);
    EXPECT_EQ(c.CreateChartFont(FontKind::Upright), 1u);
    EXPECT_EQ(c.CreateChartFont(FontKind::Rotated), 3u);
    EXPECT_EQ(c.CreatePen(0, 1, 0), 4u);
  });
  std::vector<EmfRecordView> body = Body(b);
  std::vector<uint32_t> types, indices;
  for (const EmfRecordView& r : body) {
    types.push_back(r.type);
    indices.push_back(U32(b, r.offset + 8));
  }
  EXPECT_EQ(types, (std::vector<uint32_t>{38, 39, 39, 40, 40, 82, 82, 38}));
  EXPECT_EQ(indices, (std::vector<uint32_t>{1, 2, 3, 1, 3, 1, 3, 4}));
  EXPECT_EQ(U16(b, 56), 5u);  // four objects at once at the end
}

TEST(EmfObjects, DeletingASelectedObjectWaitsUntilItIsReplaced) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    CanvasObject pen = c.CreatePen(0, 15, 0xFF0000);
    EXPECT_EQ(c.SelectObject(pen), StockObject(StockBlackPen));
    c.DeleteObject(pen);  // still selected: nothing recorded yet
    c.LineTo(5, 5);
    EXPECT_EQ(c.SelectStockObject(StockBlackPen), pen);
    // The slot is free again.
    EXPECT_EQ(c.CreateSolidBrush(0xFF), pen);
  });
  std::vector<EmfRecordView> body = Body(b);
  std::vector<std::vector<int32_t>> records;
  for (const EmfRecordView& r : body) records.push_back(Fields(b, r));
  std::vector<std::vector<int32_t>> expected = {
      {38, 1, 0, 15, 0, 0xFF0000}, {37, 1}, {54, 5, 5},
      {37, int32_t(0x80000007)},   {40, 1}, {39, 1, 0, 0xFF, 0}};
  EXPECT_EQ(records, expected);
}

TEST(EmfObjects, UnknownObjectsRecordNothing) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    EXPECT_EQ(c.SelectObject(5), 0u);
    EXPECT_EQ(c.SelectStockObject(3), 0u);       // not one of the stock objects the charts use
    EXPECT_EQ(c.SelectObject(0x80000106u), 0u);  // not a stock handle, though it ends in 6
    EXPECT_EQ(c.SelectStockObject(0x106), 0u);
    c.DeleteObject(7);
    c.DeleteObject(StockObject(StockWhiteBrush));
  });
  EXPECT_TRUE(Body(b).empty());
}

TEST(EmfObjects, AFullTableCreatesNothing) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    for (int i = 0; i < ObjectTable::MaxObjects; i++) EXPECT_NE(c.CreateHollowBrush(), 0u);
    EXPECT_EQ(c.CreatePen(0, 1, 0), 0u);
  });
  EXPECT_EQ(Body(b).size(), size_t(ObjectTable::MaxObjects));
  EXPECT_EQ(U16(b, 56), ObjectTable::MaxObjects + 1);
}

// A text record's fields.
struct TextRecord {
  int32_t x, y;
  std::vector<uint16_t> chars;
  std::vector<int32_t> dx;
  uint32_t options;
  int32_t clip[4];
};

TextRecord ReadText(const std::vector<uint8_t>& b, const EmfRecordView& r) {
  EXPECT_EQ(r.type, EmrExtTextOutW);
  size_t at = r.offset;
  EXPECT_EQ(U32(b, at + 24), 1u);  // EmfGraphicsModeCompatible
  EXPECT_EQ(U32(b, at + 28), 0u);  // exScale
  EXPECT_EQ(U32(b, at + 32), 0u);  // eyScale
  TextRecord t;
  t.x = I32(b, at + 36);
  t.y = I32(b, at + 40);
  uint32_t n = U32(b, at + 44);
  uint32_t offString = U32(b, at + 48);
  t.options = U32(b, at + 52);
  for (int i = 0; i < 4; i++) t.clip[i] = I32(b, at + 56 + 4 * i);
  uint32_t offDx = U32(b, at + 72);
  EXPECT_EQ(offString, 76u);
  EXPECT_EQ(offDx, 76u + (2 * n + 3) / 4 * 4);
  EXPECT_EQ(r.size, offDx + 4 * n);
  for (uint32_t i = 0; i < n; i++) t.chars.push_back(U16(b, at + offString + 2 * i));
  for (uint32_t i = 0; i < n; i++) t.dx.push_back(I32(b, at + offDx + 4 * i));
  return t;
}

std::vector<uint16_t> Utf16(const char* text) {
  std::vector<uint16_t> out;
  for (const char* p = text; *p; p++) out.push_back(uint16_t(Cp1252ToUnicode((unsigned char)*p)));
  return out;
}

TEST(EmfText, TextOutIsUtf16WithAdvances) {
  const char text[] = "A\x80\xe9\x96\x9f\xff& ";
  std::vector<uint8_t> b = Record([&](EmfCanvas& c) { c.DrawTextAt(100, 3570, text, 8); });
  std::vector<EmfRecordView> body = Body(b);
  ASSERT_EQ(body.size(), 1u);
  TextRecord t = ReadText(b, body[0]);
  EXPECT_EQ(t.x, 100);
  EXPECT_EQ(t.y, 3570);
  EXPECT_EQ(t.chars, (std::vector<uint16_t>{0x41, 0x20AC, 0xE9, 0x2013, 0x178, 0xFF, '&', ' '}));
  std::vector<int32_t> dx;
  for (int i = 0; i < 8; i++) dx.push_back(CharAdvance((unsigned char)text[i]));
  EXPECT_EQ(t.dx, dx);
  EXPECT_EQ(t.options, 0u);
  EXPECT_EQ(std::vector<int32_t>(t.clip, t.clip + 4), (std::vector<int32_t>{0, 0, -1, -1}));
}

TEST(EmfText, ClippedTextOutRecordsItsRectangle) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    c.DrawClippedTextAt(10, 20, "ab", 2, Rect{0, 5, 30, 40});
  });
  std::vector<EmfRecordView> body = Body(b);
  ASSERT_EQ(body.size(), 1u);
  TextRecord t = ReadText(b, body[0]);
  EXPECT_EQ(t.x, 10);
  EXPECT_EQ(t.y, 20);
  EXPECT_EQ(t.options, EmfTextClipped);
  EXPECT_EQ(std::vector<int32_t>(t.clip, t.clip + 4), (std::vector<int32_t>{0, 5, 30, 40}));
}

TEST(EmfText, OddLengthsArePadded) {
  for (int n = 1; n <= 4; n++) {
    std::vector<uint8_t> b = Record([&](EmfCanvas& c) { c.DrawTextAt(0, 0, "abcd", n); });
    std::vector<EmfRecordView> body = Body(b);
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(ReadText(b, body[0]).chars.size(), size_t(n));
  }
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    c.DrawTextAt(0, 0, "abc", 0);
    c.DrawTextAt(0, 0, "abc", -1);
    c.DrawTextAt(0, 0, nullptr, 3);
  });
  EXPECT_TRUE(Body(b).empty());
}

TEST(EmfText, DrawTextLinesAlignmentAndClipping) {
  struct Line {
    int32_t x, y;
    const char* text;
  };
  struct Case {
    const char* text;
    uint32_t flags;
    int32_t align;  // 0: no alignment records
    std::vector<Line> lines;
  };
  const Rect rect{1000, 2000, 1600, 2400};
  const Case cases[] = {
      {"12.5", TextBoxRight, 2, {{1600, 2000, "12.5"}}},
      {"Group", TextBoxCenter | TextBoxBottom, 6, {{1300, 2000, "Group"}}},
      {"left", 0, 0, {{1000, 2000, "left"}}},
      {"both", TextBoxCenter | TextBoxRight, 6, {{1300, 2000, "both"}}},
      // CR, LF and CR LF each break a line; an empty line draws nothing but takes its place.
      {"a\r\nb\rc\nd",
       TextBoxRight,
       2,
       {{1600, 2000, "a"}, {1600, 2216, "b"}, {1600, 2432, "c"}, {1600, 2648, "d"}}},
      {"a\n\nb", 0, 0, {{1000, 2000, "a"}, {1000, 2432, "b"}}},
      {"\n\rx\r", TextBoxCenter, 6, {{1300, 2432, "x"}}},
      // '&' is the character itself, not a mnemonic prefix.
      {"R&D &&", TextBoxCenter, 6, {{1300, 2000, "R&D &&"}}},
  };
  for (const Case& k : cases) {
    std::vector<uint8_t> b = Record([&](EmfCanvas& c) { c.DrawTextInBox(k.text, rect, k.flags); });
    std::vector<EmfRecordView> body = Body(b);
    size_t first = 0;
    if (k.align != 0) {
      ASSERT_EQ(body.size(), k.lines.size() + 2) << k.text;
      EXPECT_EQ(Fields(b, body.front()), (std::vector<int32_t>{22, k.align}));
      EXPECT_EQ(Fields(b, body.back()), (std::vector<int32_t>{22, 0}));
      first = 1;
    } else {
      ASSERT_EQ(body.size(), k.lines.size()) << k.text;
    }
    for (size_t i = 0; i < k.lines.size(); i++) {
      TextRecord t = ReadText(b, body[first + i]);
      EXPECT_EQ(t.x, k.lines[i].x) << k.text;
      EXPECT_EQ(t.y, k.lines[i].y) << k.text;
      EXPECT_EQ(t.chars, Utf16(k.lines[i].text)) << k.text;
      EXPECT_EQ(t.options, EmfTextClipped);
      EXPECT_EQ(std::vector<int32_t>(t.clip, t.clip + 4),
                (std::vector<int32_t>{rect.left, rect.top, rect.right, rect.bottom}));
    }
  }
}

TEST(EmfText, EmptyTextsRecordNothing) {
  for (const char* text : {"", "\r\n", "\n\n\r"}) {
    std::vector<uint8_t> b = Record([&](EmfCanvas& c) {
      c.DrawTextInBox(text, Rect{0, 0, 100, 100}, TextBoxRight);
    });
    EXPECT_TRUE(Body(b).empty()) << text;
  }
}

TEST(EmfPicture, PlaceholderFigureIsAcceptedAndBounded) {
  std::vector<uint8_t> b = Record([](EmfCanvas& c) {
    PrepareChartCanvas(c, PlotSettings{});
    DrawPlaceholder(c);
  });
  // From the origin to (10200 + 8) / 18 and (7650 + 8) / 18 pixels, rounded up.
  EXPECT_EQ(I32(b, 8), 0);
  EXPECT_EQ(I32(b, 12), 0);
  EXPECT_EQ(I32(b, 16), 568);
  EXPECT_EQ(I32(b, 20), 426);
  EXPECT_EQ(U16(b, 56), 5u);
}

}  // namespace
}  // namespace qm
