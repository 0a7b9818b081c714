// DrawText line layout and the built-in advance widths.
#include "plot/text_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(TextLayout, LinesBreakAtCrLfAndCrLf) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"a\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two breaks
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n", {"", ""}},
      {"end\r", {"end", ""}},
      {"x&y", {"x&y"}},
  };
  const Rect rect{10, 100, 50, 200};
  for (const Case& c : cases) {
    std::vector<TextLine> lines = LayoutTextBox(c.text, rect, 0);
    ASSERT_EQ(lines.size(), c.lines.size()) << c.text;
    for (size_t i = 0; i < lines.size(); i++) {
      EXPECT_EQ(std::string(c.text + lines[i].begin, lines[i].length), c.lines[i]) << c.text;
      EXPECT_EQ(lines[i].y, 100 + 216 * int32_t(i));
      EXPECT_EQ(lines[i].x, 10);
    }
  }
  EXPECT_TRUE(LayoutTextBox(nullptr, rect, 0).empty());
}

TEST(TextLayout, ReferenceXFollowsTheAlignment) {
  struct Case {
    Rect rect;
    uint32_t flags;
    TextAlign align;
    int32_t x;
  };
  const Case cases[] = {
      {{100, 0, 300, 10}, 0, TextAlign::Left, 100},
      {{100, 0, 300, 10}, TextBoxBottom, TextAlign::Left, 100},  // no effect without single line
      {{100, 0, 300, 10}, TextBoxRight, TextAlign::Right, 300},
      {{100, 0, 301, 10}, TextBoxCenter, TextAlign::Center, 200},
      {{100, 0, 300, 10}, TextBoxCenter | TextBoxBottom, TextAlign::Center, 200},
      {{100, 0, 300, 10}, TextBoxCenter | TextBoxRight, TextAlign::Center, 200},
      {{-301, 0, -100, 10}, TextBoxCenter, TextAlign::Center, -200},
      {{INT32_MAX - 2, 0, INT32_MAX, 10}, TextBoxCenter, TextAlign::Center, INT32_MAX - 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DrawTextAlign(c.flags), c.align);
    std::vector<TextLine> lines = LayoutTextBox("t", c.rect, c.flags);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, c.x) << c.flags;
  }
}

TEST(TextLayout, LinesBelowTheCoordinateRangeAreDropped) {
  std::vector<TextLine> lines =
      LayoutTextBox("a\nb\nc", Rect{0, INT32_MAX - 300, 10, INT32_MAX}, 0);
  EXPECT_EQ(lines.size(), 2u);
}

TEST(TextLayout, AdvancesComeFromTheTable) {
  // Digits share one width, so tick labels line up.
  for (char d = '1'; d <= '9'; d++) EXPECT_EQ(CharAdvance(d), CharAdvance('0'));
  EXPECT_LT(CharAdvance('i'), CharAdvance('m'));
  EXPECT_LT(CharAdvance('.'), CharAdvance('0'));
  EXPECT_EQ(CharAdvance('\t'), CharAdvance(' '));
  for (int c = 0x20; c < 0x100; c++) {
    EXPECT_GT(CharAdvance((unsigned char)c), 0) << c;
    EXPECT_LT(CharAdvance((unsigned char)c), 2 * FontEmHeight) << c;
  }
  const char text[] = "12.5";
  EXPECT_EQ(TextAdvance(text, 4),
            CharAdvance('1') + CharAdvance('2') + CharAdvance('.') + CharAdvance('5'));
  EXPECT_EQ(TextAdvance(text, 0), 0);
}

}  // namespace
}  // namespace qm
