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
#include "win32/clipboard_source.h"
#include "win32/core_calls.h"
#include "win32/desktop_folder.h"
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
  MemoryClipboardSource treatment(ExampleBytes("treatment.wk1"));
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
    Win32ClipboardSource clipboard;
    RecordingBoxes boxes;
    Win32DesktopOutput output("");
    PlotApp app(clipboard, boxes, output, DialogIcons{});
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

// What the import left out reaches the success box, after the file's path: a text among numbers
// (noted by the decode) and a number that reads either way (noted by the text's conversion).
TEST(PlotAppTest, TheImportsNotesFollowThePathInTheSuccessBox) {
  struct Case {
    const wchar_t* text;
    const char* noted;
  };
  const Case cases[] = {
      {L"Dose\tControl\nmg\tmg\n1\t2\nn/a\t3\n4\t5\n", "n/a"},
      {L"Dose\tControl\nmg\tmg\n1\t2\n1,234\t3\n4\t5\n", "1,234"},
  };
  for (const Case& c : cases) {
    PutTextOnClipboard(c.text);
    const std::string desktop = NewTemporaryFolder("notes");
    Win32ClipboardSource clipboard;
    RecordingBoxes boxes;
    Win32DesktopOutput output(desktop);
    PlotApp app(clipboard, boxes, output, DialogIcons{});
    EXPECT_TRUE(app.InitInstance([](MainDialog& dialog) {
      ASSERT_NE(dialog.CreateModeless(nullptr, MainDialogTable(), DialogRole::Main), nullptr);
      SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(OkButton, BN_CLICKED), 0);
    }));
    ASSERT_EQ(boxes.texts.size(), 1u);
    const std::string head =
        "own: " + std::string(PublishedMessage) + "\n" + MetafilePathIn(desktop) + "\n";
    EXPECT_EQ(boxes.texts[0].substr(0, head.size()), head);
    EXPECT_NE(boxes.texts[0].find(c.noted, head.size()), std::string::npos) << boxes.texts[0];
    RemoveFolder(desktop);
  }
}

}  // namespace
}  // namespace qm
