// Start-up of the Windows program on the real clipboard: "Wk1" data, a text range in the
// Unicode text, or nothing usable, which ends the program with "No data on Clipboard\n".
#include "win32/plot_app.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "io/wide_text.h"
#include "testsupport/memory_clipboard.h"
#include "win32/clipboard_reader.h"
#include "win32/core_calls.h"
#include "win32/test_support.h"

namespace qm {
namespace {

bool SameGrid(const WorksheetGrid& a, const WorksheetGrid& b) {
  return a.RowCount == b.RowCount && a.ColumnCount == b.ColumnCount &&
         std::memcmp(a.HeaderRow1Text, b.HeaderRow1Text, sizeof a.HeaderRow1Text) == 0 &&
         std::memcmp(a.HeaderRow2Text, b.HeaderRow2Text, sizeof a.HeaderRow2Text) == 0 &&
         std::memcmp(a.Values, b.Values, sizeof a.Values) == 0;
}

std::wstring Utf16Of(const std::vector<uint8_t>& utf8) {
  return WideFromUtf8(std::string(utf8.begin(), utf8.end()));
}

struct StartCase {
  const char* name;
  std::function<void()> putOnClipboard;
  bool dialogRuns;
};

TEST(PlotAppTest, StartsFromWk1DataOrATextRangeAndEndsWithoutData) {
  // The grid the "Wk1" bytes of the treatment example give.
  auto expected = std::make_unique<WorksheetGrid>();
  ClearGrid(*expected);
  MemoryClipboard treatment(ExampleBytes("treatment.wk1"));
  RecordingBoxes quiet;
  ASSERT_TRUE(ImportClipboard(*expected, treatment, quiet));

  const StartCase cases[] = {
      {"Wk1 data", [] { PutOnClipboard(Wk1ClipboardFormat(), ExampleBytes("treatment.wk1")); },
       true},
      // The same range copied as text imports to the same grid.
      {"text range", [] { PutTextOnClipboard(Utf16Of(ExampleBytes("treatment.tsv"))); }, true},
      {"a lone word", [] { PutTextOnClipboard(L"Concentration"); }, false},
      {"empty clipboard", [] { EmptyTheClipboard(); }, false},
      {"cut Wk1 data",
       [] {
         PutOnClipboard(Wk1ClipboardFormat(), {0, 0, 2, 0, 4});
       },
       false},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.putOnClipboard();
    const std::unique_ptr<WorksheetClipboard> clipboard = NewWindowsClipboardReader();
    RecordingBoxes boxes;
    Win32DesktopOutput output("");
    PlotApp app(*clipboard, boxes, output, DialogIcons{});
    bool ran = false;
    EXPECT_EQ(app.InitInstance([&](MainDialog&) { ran = true; }), c.dialogRuns);
    EXPECT_EQ(ran, c.dialogRuns);
    if (c.dialogRuns) {
      EXPECT_TRUE(SameGrid(app.grid(), *expected));
      EXPECT_TRUE(boxes.texts.empty());
    } else {
      ASSERT_FALSE(boxes.texts.empty());
      EXPECT_EQ(boxes.texts.back(), "framework: No data on Clipboard\n");
    }
    // The clipboard is closed again: another program can open it.
    EXPECT_TRUE(OpenClipboard(nullptr));
    CloseClipboard();
  }
}

// The 64 MB limit holds for the text as UTF-8, as on Linux: 52 MB of text (105 MB as UTF-16) is
// read; more, and a "Wk1" block of more, gives the reason under the import's message.
TEST(PlotAppTest, TheSizeLimitIsTheTextsAsOnLinuxAndTheBoxSaysWhy) {
  const std::string tooLarge =
      "Problem getting memory handle\n" + ClipboardDataProblemText(ClipboardDataProblem::TooLarge);
  struct Case {
    const char* name;
    size_t rows;  // of "1\t2\r\n", under a header of two rows
    bool asWk1;   // the bytes as a "Wk1" block instead of text
    bool runs;
  } cases[] = {
      {"52 MB of text, 105 MB as UTF-16", 40u << 18, false, true},
      {"91 MB of text", 70u << 18, false, false},
      {"a 70 MB Wk1 block", 70u << 20, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.asWk1) {
      PutOnClipboard(Wk1ClipboardFormat(), std::vector<uint8_t>(c.rows, 0));
    } else {
      std::wstring text = L"Dose\tControl\r\nmg\tmg\r\n";
      text.reserve(text.size() + c.rows * 6);
      for (size_t row = 0; row < c.rows; row++) text += L"1\t2\r\n";
      PutTextOnClipboard(text);
    }
    const std::unique_ptr<WorksheetClipboard> clipboard = NewWindowsClipboardReader();
    RecordingBoxes boxes;
    Win32DesktopOutput output("");
    PlotApp app(*clipboard, boxes, output, DialogIcons{});
    EXPECT_EQ(app.InitInstance([](MainDialog&) {}), c.runs);
    if (!c.runs) {
      EXPECT_EQ(boxes.texts, (std::vector<std::string>{"own: " + tooLarge,
                                                       "framework: No data on Clipboard\n"}));
    }
  }
  EmptyTheClipboard();
}

}  // namespace
}  // namespace qm
