// The metafile checker accepts what the recorder writes and rejects corrupted copies of it.
#include "testsupport/emf_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/little_endian.h"
#include "canvas/emf_canvas.h"
#include "canvas/emf_format.h"

namespace qm {
namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  StoreU32(b.data() + at, v);
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return LoadU32(b.data() + at);
}

// A picture with every record kind the recorder writes.
std::vector<uint8_t> GoodPicture() {
  EmfCanvas c;
  c.SetMapMode(MapModeIsotropic);
  c.SetWindowExtent(14400, 10800);
  c.SetViewportExtent(800, 600);
  CanvasObject upright = c.CreateChartFont(FontKind::Upright);
  CanvasObject rotated = c.CreateChartFont(FontKind::Rotated);
  c.SelectObject(upright);
  CanvasObject pen = c.CreatePen(PenSolid, 5, 0);
  CanvasObject hollow = c.CreateHollowBrush();
  c.SelectObject(pen);
  c.SelectObject(hollow);
  c.Rectangle(1620, 510, 9690, 6630);
  c.Ellipse(2000, 2000, 2200, 2200);
  c.MoveTo(1620, 3000);
  c.LineTo(1875, 3000);
  Point small[3] = {{10, 10}, {200, 300}, {400, 10}};
  c.Polygon(small, 3);
  Point large[2] = {{0, 0}, {40000, 5}};
  c.Polyline(large, 2);
  c.DrawTextInBox("12.5", Rect{820, 2800, 1520, 3200}, TextBoxRight);
  c.SelectObject(rotated);
  c.DrawTextAt(100, 4000, "Caption", 7);
  c.SelectObject(upright);
  c.DeleteObject(hollow);
  c.SelectStockObject(StockWhiteBrush);
  c.SelectStockObject(StockBlackPen);
  c.DeleteObject(pen);
  return c.Finish();
}

// The offset of the n-th record of a type (0 for the first).
size_t Find(const std::vector<uint8_t>& b, uint32_t type, int n = 0) {
  for (const EmfRecordView& r : ListEmfRecords(b.data(), b.size())) {
    if (r.type == type && n-- == 0) return r.offset;
  }
  ADD_FAILURE() << "no record of type " << type;
  return 0;
}

// Appends a record before EmrEof and fixes the header's totals.
void Insert(std::vector<uint8_t>& b, std::vector<uint32_t> fields) {
  size_t eof = Find(b, EmrEof);
  std::vector<uint8_t> record;
  for (uint32_t f : fields) {
    for (int i = 0; i < 4; i++) record.push_back(uint8_t(f >> (8 * i)));
  }
  b.insert(b.begin() + long(eof), record.begin(), record.end());
  Put32(b, 48, uint32_t(b.size()));
  Put32(b, 52, Get32(b, 52) + 1);
}

TEST(EmfCheck, AcceptsRecordedPictures) {
  std::string problem;
  std::vector<uint8_t> good = GoodPicture();
  EXPECT_TRUE(CheckEmf(good.data(), good.size(), problem)) << problem;
  EmfCanvas empty;
  const std::vector<uint8_t>& bytes = empty.Finish();
  EXPECT_TRUE(CheckEmf(bytes.data(), bytes.size(), problem)) << problem;
}

TEST(EmfCheck, RejectsCorruptedPictures) {
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> corrupt;
    const char* problem;  // part of the message
  };
  const Case cases[] = {
      {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, "too short"},
      {"truncated", [](std::vector<uint8_t>& b) { b.resize(b.size() - 4); }, "nBytes"},
      {"truncated with nBytes fixed",
       [](std::vector<uint8_t>& b) {
         b.resize(b.size() - 4);
         Put32(b, 48, uint32_t(b.size()));
       },
       "record"},
      {"odd size", [](std::vector<uint8_t>& b) { b.push_back(0); }, "multiple of 4"},
      {"not a header", [](std::vector<uint8_t>& b) { Put32(b, 0, 2); }, "header"},
      {"signature", [](std::vector<uint8_t>& b) { b[40] = 'X'; }, "signature"},
      {"nBytes", [](std::vector<uint8_t>& b) { Put32(b, 48, Get32(b, 48) + 4); }, "nBytes"},
      {"nRecords", [](std::vector<uint8_t>& b) { Put32(b, 52, Get32(b, 52) - 1); }, "nRecords"},
      {"nHandles too small", [](std::vector<uint8_t>& b) { b[56] = 2; }, "nHandles"},
      {"nHandles zero", [](std::vector<uint8_t>& b) { b[56] = 0; }, "handle"},
      {"description", [](std::vector<uint8_t>& b) { b[108] = 'm'; }, "description"},
      {"description length", [](std::vector<uint8_t>& b) { Put32(b, 60, 4); }, "description"},
      {"description outside header", [](std::vector<uint8_t>& b) { Put32(b, 64, 116); },
       "description"},
      {"frame", [](std::vector<uint8_t>& b) { Put32(b, 32, 14399); }, "frame"},
      {"header size", [](std::vector<uint8_t>& b) { Put32(b, 4, 100); }, "header size"},
      {"record size not a multiple of 4",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrRectangle) + 4, 22); }, "size"},
      {"record size zero", [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrLineTo) + 4, 0); },
       "size"},
      {"record beyond the file", [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrEof) + 4, 24); },
       "size"},
      {"wrong size for the type",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrSetMapMode) + 4, 16); }, "size"},
      {"no end-of-file record", [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrEof), 70); },
       "end-of-file"},
      {"data after the end",
       [](std::vector<uint8_t>& b) {
         for (uint32_t f : {EmrEof, 20u, 0u, 16u, 20u}) {
           for (int i = 0; i < 4; i++) b.push_back(uint8_t(f >> (8 * i)));
         }
         Put32(b, 48, uint32_t(b.size()));
         Put32(b, 52, Get32(b, 52) + 1);
       },
       "after the end"},
      {"end-of-file record early",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrEof, 20, 0, 16, 20});
       },
       "after the end"},
      {"second header",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrHeader, 8});
       },
       "header"},
      {"select before create",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrSelectObject) + 8, 4); },
       "does not exist"},
      {"select after delete",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrSelectObject, 12, 4});
       },
       "does not exist"},
      {"delete twice",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrDeleteObject, 12, 3});
       },
       "does not exist"},
      {"delete a stock object",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrDeleteObject, 12, 0x80000000});
       },
       "stock"},
      {"unknown stock object",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrSelectObject, 12, 0x80000009});
       },
       "stock"},
      {"index reused while alive",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrCreatePen) + 8, 1); }, "in use"},
      {"index zero",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrCreateBrushIndirect) + 8, 0); }, "index"},
      {"index beyond nHandles",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrCreateBrushIndirect, 24, 60000, 0, 0, 0});
       },
       "nHandles"},
      {"short font record",
       [](std::vector<uint8_t>& b) {
         Insert(b, {EmrExtCreateFontIndirectW, 12, 4});
       },
       "font"},
      {"16-bit record holding a cut coordinate",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrPolygon16) + 16, 40000); }, "16"},
      {"point outside the bounds",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrPolygon16) + 16, 300); }, "bounds"},
      {"32-bit point outside the bounds",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrPolyline) + 16, 39999); }, "bounds"},
      {"too many points", [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrPolygon16) + 24, 4); },
       "points"},
      {"huge point count",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrPolyline) + 24, 0xFFFFFFFF); }, "points"},
      {"text offset beyond the record",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrExtTextOutW) + 48, 200); }, "text"},
      {"text offset inside the fixed part",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrExtTextOutW) + 48, 40); }, "text"},
      {"character count too large",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrExtTextOutW) + 44, 0x80000000); }, "text"},
      {"spacing beyond the record",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrExtTextOutW, 1) + 72, 96); }, "spacing"},
      {"spacing over the text",
       [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrExtTextOutW) + 72, 78); }, "spacing"},
      {"graphics mode", [](std::vector<uint8_t>& b) { Put32(b, Find(b, EmrExtTextOutW) + 24, 0); },
       "graphics"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = GoodPicture();
    c.corrupt(bytes);
    std::string problem;
    EXPECT_FALSE(CheckEmf(bytes.data(), bytes.size(), problem)) << c.name;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
  }
}

TEST(EmfCheck, SurvivesRandomCorruption) {
  // Deterministic pseudo-random damage: whatever the checker accepts keeps the invariants a
  // reader relies on (sizes add up to the file, the last record is EmrEof).
  const std::vector<uint8_t> good = GoodPicture();
  uint32_t state = 12345;
  auto next = [&state]() {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  int accepted = 0;
  for (int round = 0; round < 3000; round++) {
    std::vector<uint8_t> b = good;
    int changes = 1 + int(next() % 4);
    for (int i = 0; i < changes; i++) {
      size_t at = next() % b.size();
      switch (next() % 3) {
        case 0:
          b[at] = uint8_t(next());
          break;
        case 1:
          b[at] ^= uint8_t(1u << (next() % 8));
          break;
        default:
          b.resize(at - at % 4);
          break;
      }
      if (b.empty()) break;
    }
    std::string problem;
    if (!CheckEmf(b.data(), b.size(), problem)) {
      EXPECT_FALSE(problem.empty());
      continue;
    }
    accepted++;
    std::vector<EmfRecordView> records = ListEmfRecords(b.data(), b.size());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().offset + records.back().size, b.size());
    EXPECT_EQ(records.back().type, EmrEof);
    EXPECT_EQ(records.size(), Get32(b, 52));
  }
  // Damage to coordinates, colours or bounds leaves a well-formed file.
  EXPECT_GT(accepted, 0);
}

TEST(EmfCheck, ListsRecordsUpToTheFirstBadOne) {
  std::vector<uint8_t> b = GoodPicture();
  std::vector<EmfRecordView> all = ListEmfRecords(b.data(), b.size());
  EXPECT_EQ(all.size(), Get32(b, 52));
  size_t line = Find(b, EmrLineTo);
  Put32(b, line + 4, 4);
  std::vector<EmfRecordView> cut = ListEmfRecords(b.data(), b.size());
  ASSERT_FALSE(cut.empty());
  EXPECT_EQ(cut.back().offset + cut.back().size, line);
  EXPECT_TRUE(ListEmfRecords(nullptr, 100).empty());
}

}  // namespace
}  // namespace qm
