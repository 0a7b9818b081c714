// Tests of the clipboard step of the import: every result code with its message, the clipboard
// left closed and unlocked on every path, and the warning about numbers in the header rows.
#include "import/import_worksheet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "import/limits.h"
#include "testsupport/memory_clipboard.h"
#include "testsupport/recording_messages.h"
#include "testsupport/wk1_test_streams.h"

namespace qm {
namespace {

using namespace qm::test;

// A clipboard whose every step can be made to fail; it records opening and lending.
class FakeClipboard : public WorksheetClipboard {
 public:
  ClipboardOpening Open() override {
    if (registerFails) return ClipboardOpening::FormatNotRegistered;
    if (openFails) return ClipboardOpening::NotOpened;
    open = true;
    return ClipboardOpening::Opened;
  }
  Wk1Offer TakeWk1(size_t& size) override {
    if (!hasFormat) return Wk1Offer::None;
    if (handleFails) return Wk1Offer::NotHanded;
    size = sizeOverride ? *sizeOverride : data.size();
    return Wk1Offer::Handed;
  }
  const uint8_t* LendWk1() override {
    if (lockFails) return nullptr;
    locked = true;
    return data.data();
  }
  std::u16string_view LendText() override { return text; }
  bool Close(uint32_t& systemError) override {
    open = false;
    locked = false;
    systemError = 1418;
    return !closeFails;
  }

  Bytes data;
  std::u16string text;
  bool registerFails = false, openFails = false, hasFormat = true, handleFails = false;
  bool lockFails = false, closeFails = false;
  std::unique_ptr<size_t> sizeOverride;
  bool open = false, locked = false;
};

using Sink = testing::RecordingMessages;

const Bytes& GoodStream() {
  static const Bytes bytes = Join({Bof(), Range(0, 0, 1, 3), Label(0, 0, "A"), Label(1, 0, "B"),
                                   Number(0, 2, 1.5), Integer(1, 3, 4), Eof()});
  return bytes;
}

struct CodeCase {
  const char* name;
  void (*setUp)(FakeClipboard&);
  int32_t code;
  std::vector<std::string> own;
};

TEST(ImportWorksheetTest, CodesAndMessages) {
  const CodeCase cases[] = {
      {"success", [](FakeClipboard&) {}, 0, {}},
      {"format not registered", [](FakeClipboard& c) { c.registerFails = true; }, 1, {}},
      {"clipboard not opened",
       [](FakeClipboard& c) { c.openFails = true; },
       2,
       {"Problem opening Clipboard"}},
      {"no Wk1 data", [](FakeClipboard& c) { c.hasFormat = false; }, 3, {}},
      {"no handle",
       [](FakeClipboard& c) { c.handleFails = true; },
       4,
       {"Problem getting memory handle"}},
      {"no bytes", [](FakeClipboard& c) { c.data.clear(); }, 5, {"empty clipboard?? len=0 "}},
      {"one byte", [](FakeClipboard& c) { c.data = {1}; }, 5, {"empty clipboard?? len=1 "}},
      {"not locked", [](FakeClipboard& c) { c.lockFails = true; }, 7, {"GlobalLock problem"}},
      {"decoder code 1",
       [](FakeClipboard& c) {
         c.data = Join({Bof(), Bytes{9, 0, 0, 0}, Eof()});
       },
       108,
       {"Error 1 reading wk1-data"}},
      {"decoder code 2",
       [](FakeClipboard& c) {
         c.data = Join({Bof(0x0405), Eof()});
       },
       208,
       {"Error 2 reading wk1-data"}},
      {"decoder code -1",
       [](FakeClipboard& c) {
         c.data = Join({Bof(), Bytes{9, 0, 9, 0, 1}});
       },
       -92,
       {"Error -1 reading wk1-data"}},
      {"Wk1 data over the bound",
       [](FakeClipboard& c) { c.sizeOverride = std::make_unique<size_t>(MaxInputBytes + 1); },
       4,
       {"Problem getting memory handle"}},
      {"text range standing in",
       [](FakeClipboard& c) {
         c.hasFormat = false;
         c.text = u"A\tB\n\u00b5g\tmg\n1\t2\n";
       },
       0,
       {}},
      {"text range standing in for data without a handle",
       [](FakeClipboard& c) {
         c.handleFails = true;
         c.text = u"A\tB\n\n1\t2\n";
       },
       0,
       {}},
      {"a lone word without Wk1 data",
       [](FakeClipboard& c) {
         c.hasFormat = false;
         c.text = u"word";
       },
       3,
       {}},
      {"a lone word and data without a handle",
       [](FakeClipboard& c) {
         c.handleFails = true;
         c.text = u"word";
       },
       4,
       {"Problem getting memory handle"}},
      {"clipboard not closed",
       [](FakeClipboard& c) { c.closeFails = true; },
       9,
       {"error code: 1418"}},
  };
  auto grid = std::make_unique<WorksheetGrid>();
  for (const CodeCase& c : cases) {
    FakeClipboard clipboard;
    clipboard.data = GoodStream();
    c.setUp(clipboard);
    Sink sink;
    EXPECT_EQ(testing::ShowImport(ImportWorksheet(*grid, clipboard), sink), c.code) << c.name;
    EXPECT_EQ(sink.own, c.own) << c.name;
    EXPECT_TRUE(sink.framework.empty()) << c.name;
    EXPECT_FALSE(clipboard.open) << c.name;
    EXPECT_FALSE(clipboard.locked) << c.name;
  }
}

TEST(ImportWorksheetTest, SuccessFillsTheGrid) {
  auto grid = std::make_unique<WorksheetGrid>();
  MemoryClipboard clipboard(GoodStream());
  Sink sink;
  ASSERT_EQ(testing::ShowImport(ImportWorksheet(*grid, clipboard), sink), 0);
  EXPECT_EQ(grid->RowCount, 4);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_STREQ(grid->HeaderRow1Text[1], "B");
  EXPECT_EQ(grid->Values[2][0], 1.5);
  EXPECT_EQ(grid->Values[3][1], 4.0);
}

TEST(ImportWorksheetTest, MemoryClipboardWithoutDataGivesCode3) {
  auto grid = std::make_unique<WorksheetGrid>();
  MemoryClipboard clipboard;
  Sink sink;
  EXPECT_EQ(testing::ShowImport(ImportWorksheet(*grid, clipboard), sink), 3);
  EXPECT_TRUE(sink.own.empty());
  // The same clipboard can be opened again: the failed import closed it.
  EXPECT_EQ(clipboard.Open(), ClipboardOpening::Opened);
}

// The text stands in as UTF-8: characters beyond ASCII, a surrogate pair and a lone surrogate
// reach the grid's code page; the bound holds for the UTF-8, not the UTF-16 units.
TEST(ImportWorksheetTest, TextStandsInAsUtf8WithinTheBound) {
  auto grid = std::make_unique<WorksheetGrid>();
  MemoryClipboard clipboard(std::u16string(u"\u00b5g\t\U0001F600x\tn\xD800\nmg\t\t\n1\t2\t3\n"));
  const ImportResult result = ImportWorksheet(*grid, clipboard);
  ASSERT_TRUE(result.ok());
  EXPECT_STREQ(grid->HeaderRow1Text[0], "\xB5g");
  EXPECT_STREQ(grid->HeaderRow1Text[1], "?x");
  EXPECT_STREQ(grid->HeaderRow1Text[2], "n?");
  EXPECT_EQ(grid->Values[2][2], 3.0);

  // Half the bound in units of two UTF-8 bytes each, and one more, is too large.
  std::u16string large(MaxInputBytes / 2 + 1, u'\u00e9');
  large[0] = u'\t';
  MemoryClipboard tooLarge(std::move(large));
  const ImportResult refused = ImportWorksheet(*grid, tooLarge);
  EXPECT_EQ(refused.status, ImportStatus::NoDataHandle);
  EXPECT_EQ(refused.dataProblem, ClipboardDataProblem::TooLarge);
  uint32_t error = 0;
  EXPECT_FALSE(tooLarge.Close(error));  // the import closed it
}

struct WarningCase {
  const char* name;
  Bytes stream;
  bool warns;
};

TEST(ImportWorksheetTest, WarningAboutNumbersInTheHeaderRows) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const WarningCase cases[] = {
      {"labels only", GoodStream(), false},
      {"number in row 1", Join({Range(0, 0, 1, 3), Label(0, 0, "A"), Number(1, 0, 2.0), Eof()}),
       true},
      {"number in row 2", Join({Range(0, 0, 1, 3), Label(0, 0, "A"), Integer(0, 1, 7), Eof()}),
       true},
      {"missing value in row 1 is no number",
       Join({Range(0, 0, 1, 3), Label(0, 0, "A"), Number(1, 0, nan), Eof()}), false},
      {"number in row 1 beyond the columns",
       Join({Range(0, 0, 0, 3), Label(0, 0, "A"), Number(1, 0, 2.0), Eof()}), false},
      {"range of one row: its second row is not checked",
       Join({Range(0, 0, 1, 0), Label(0, 0, "A"), Label(1, 0, "B"), Number(0, 1, 2.0), Eof()}),
       false},
      {"number in the only row", Join({Range(0, 0, 1, 0), Number(0, 0, 2.0), Eof()}), true},
      {"number in row 3", Join({Range(0, 0, 1, 3), Label(0, 0, "A"), Number(0, 2, 2.0), Eof()}),
       false},
  };
  auto grid = std::make_unique<WorksheetGrid>();
  for (const WarningCase& c : cases) {
    MemoryClipboard clipboard(c.stream);
    Sink sink;
    EXPECT_EQ(testing::ShowImport(ImportWorksheet(*grid, clipboard), sink), 0) << c.name;
    EXPECT_TRUE(sink.own.empty()) << c.name;
    std::vector<std::string> expected;
    if (c.warns) expected.push_back("Warning: rows 1/2 contain VALUES\n");
    EXPECT_EQ(sink.framework, expected) << c.name;
  }
}

}  // namespace
}  // namespace qm
