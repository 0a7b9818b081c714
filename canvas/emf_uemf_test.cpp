// An independent reading of the recorded metafiles: every record of every test picture must
// pass libUEMF's record-size and record-safety checks, the ones its readers apply before they
// look at a record.
#include <gtest/gtest.h>
#include <uemf.h>
#include <uemf_endian.h>
#include <uemf_safe.h>

#include <functional>
#include <string>

#include "canvas/emf_canvas.h"
#include "plot/placeholder.h"
#include "plot/plot_run.h"
#include "testsupport/emf_check.h"

namespace qm {
namespace {

void MapChart(Canvas& c) {
  c.SetMapMode(MapModeIsotropic);
  c.SetWindowExtent(14400, 10800);
  c.SetViewportExtent(800, 600);
}

struct Picture {
  const char* name;
  std::function<void(Canvas&)> draw;
};

const Picture kPictures[] = {
    {"empty", [](Canvas&) {}},
    {"placeholder",
     [](Canvas& c) {
       PrepareChartCanvas(c, PlotSettings{});
       DrawPlaceholder(c);
     }},
    {"chart parts",
     [](Canvas& c) {
       MapChart(c);
       CanvasObject upright = c.CreateChartFont(FontKind::Upright);
       CanvasObject rotated = c.CreateChartFont(FontKind::Rotated);
       c.SelectObject(c.CreateSolidBrush(0x780000));
       c.SelectStockObject(StockWhitePen);
       CanvasObject pen = c.CreatePen(PenSolid, 5, 0);
       c.SelectObject(pen);
       c.SelectObject(rotated);
       c.DrawTextAt(100, 4170, "Caption \x80\xe9", 10);
       c.SelectObject(upright);
       c.Rectangle(1620, 510, 9690, 6630);
       for (int k = 0; k < 5; k++) {
         c.MoveTo(1620, 510 + 1224 * k);
         c.LineTo(1875, 510 + 1224 * k);
         c.DrawTextInBox("100.5", Rect{820, 310 + 1224 * k, 1520, 710 + 1224 * k}, TextBoxRight);
       }
       c.DrawTextInBox("Group A\r\nsecond line", Rect{1875, 6850, 3765, 7550},
                       TextBoxCenter | TextBoxBottom);
       c.SelectObject(c.CreateHollowBrush());
       for (int i = 0; i < 20; i++) c.Ellipse(2000 + 100 * i, 3000, 2090 + 100 * i, 3090);
       Point box[16];
       for (int i = 0; i < 16; i++) box[i] = {2190 + 80 * i, 1000 + (i % 2) * 500};
       c.Polygon(box, 16);
       c.SelectStockObject(StockWhiteBrush);
       c.SelectStockObject(StockBlackPen);
       c.DeleteObject(pen);
     }},
    {"large coordinates and odd texts",
     [](Canvas& c) {
       Point far[3] = {{-100000, 5}, {0, 70000}, {100000, -70000}};
       c.Polygon(far, 3);
       c.Polyline(far, 3);
       c.DrawTextAt(0, 0, "x", 1);
       c.DrawTextAt(0, 0, "odd", 3);
       std::string text(300, 'W');
       c.DrawTextInBox(text.c_str(), Rect{0, 0, 100, 100}, 0);
       c.DrawTextInBox("&<>\"'\t\x01\xff", Rect{0, 0, 1000, 1000}, TextBoxCenter);
     }},
};

std::vector<uint8_t> Record(const Picture& p) {
  EmfCanvas canvas;
  p.draw(canvas);
  return canvas.Finish();
}

// The problem libUEMF finds with the first record it refuses, or "" when it accepts them all.
std::string UemfProblem(const std::vector<uint8_t>& bytes) {
  const char* data = reinterpret_cast<const char*>(bytes.data());
  const char* limit = data + bytes.size();
  const char* record = data;
  while (record < limit) {
    uint32_t size = 0, type = 0;
    if (!U_emf_record_sizeok(record, limit, &size, &type, 1)) {
      return "size of record at " + std::to_string(record - data);
    }
    if (!U_emf_record_safe(record)) return "record at " + std::to_string(record - data);
    record += size;
    if (type == U_EMR_EOF) break;
  }
  return record == limit ? "" : "data after EmrEof";
}

TEST(EmfUemf, EveryRecordOfEveryPictureIsAccepted) {
  for (const Picture& p : kPictures) {
    std::vector<uint8_t> bytes = Record(p);
    std::string problem;
    EXPECT_TRUE(CheckEmf(bytes.data(), bytes.size(), problem)) << p.name << ": " << problem;
    EXPECT_EQ(UemfProblem(bytes), "") << p.name;
  }
}

TEST(EmfUemf, RefusesATextRecordWhoseCharactersLeaveIt) {
  // The same reading notices a fault, so acceptance above means something.
  std::vector<uint8_t> bytes = Record(kPictures[3]);
  for (const EmfRecordView& r : ListEmfRecords(bytes.data(), bytes.size())) {
    if (r.type != U_EMR_EXTTEXTOUTW) continue;
    bytes[r.offset + 44] = 0xFF;  // nChars far beyond the record
    bytes[r.offset + 45] = 0xFF;
    break;
  }
  EXPECT_NE(UemfProblem(bytes), "");
}

}  // namespace
}  // namespace qm
