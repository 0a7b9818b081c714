// The trace parser: which words of a line become numbers, and where a text starts.
#include "testsupport/trace_ops.h"

#include <gtest/gtest.h>

#include "canvas/trace_canvas.h"

namespace qm::testing {
namespace {

TEST(ParseTrace, NamesNumbersAndTexts) {
  const struct {
    const char* line;
    TraceOp op;
  } cases[] = {
      {"MoveTo -5 7", {"MoveTo", {-5, 7}, ""}},
      {"Pen 0 15 0xFF0000", {"Pen", {0, 15, 0xFF0000}, ""}},
      {"Brush solid 0x7F7F7F", {"Brush", {0x7F7F7F}, ""}},
      {"Brush null", {"Brush", {}, ""}},
      {"Font rotated", {"Font", {}, ""}},
      {"TextOut 100 3970 \"mg/l\"", {"TextOut", {100, 3970}, "\"mg/l\""}},
      {"DrawText 1 2 3 4 2 \"a 5 \\\"b\\\"\"", {"DrawText", {1, 2, 3, 4, 2}, "\"a 5 \\\"b\\\"\""}},
  };
  for (const auto& c : cases) {
    const std::vector<TraceOp> ops = ParseTrace(std::string(c.line) + "\n");
    ASSERT_EQ(ops.size(), 1u) << c.line;
    EXPECT_EQ(ops[0].name, c.op.name) << c.line;
    EXPECT_EQ(ops[0].args, c.op.args) << c.line;
    EXPECT_EQ(ops[0].text, c.op.text) << c.line;
  }
}

TEST(ParseTrace, ReadsWhatTheTraceCanvasWrites) {
  TraceCanvas canvas;
  canvas.SelectObject(canvas.CreatePen(PenSolid, 5, Rgb(1, 2, 3)));
  const Point points[] = {{1, -2}, {30, 40}};
  canvas.Polyline(points, 2);
  canvas.DrawTextAt(9, 8, "x y", 3);
  const std::vector<TraceOp> ops = ParseTrace(canvas.trace());
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].args, (std::vector<int32_t>{PenSolid, 5, int32_t(Rgb(1, 2, 3))}));
  EXPECT_EQ(ops[1].name, "Polyline");
  EXPECT_EQ(ops[1].args, (std::vector<int32_t>{1, -2, 30, 40}));
  EXPECT_EQ(ops[2].text, "\"x y\"");
}

}  // namespace
}  // namespace qm::testing
