// Tests of the WK1 decoder: result codes, the cursor rule, grid positions from the minima, the
// range's counts and pre-fill, the value bounds, the header labels and the protection against
// reading past the buffer or writing past the grid.
#include "import/decode_wk1.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>

#include "testsupport/wk1_test_streams.h"

namespace qm {
namespace {

using namespace qm::test;

class DecodeWk1Test : public ::testing::Test {
 protected:
  int32_t Decode(const Bytes& bytes) {
    return int32_t(DecodeWk1(*grid, bytes.data(), bytes.size()));
  }
  uint64_t Bits(int32_t row, int32_t column) const {
    return std::bit_cast<uint64_t>(grid->Values[row][column]);
  }
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
};

constexpr uint64_t MissingBits = 0xC12E847FFF7CED91;

TEST(MissingValueTest, HasItsBitPattern) {
  EXPECT_EQ(std::bit_cast<uint64_t>(MissingValue), MissingBits);
}

struct CodeCase {
  const char* name;
  Bytes bytes;
  int32_t code;
};

TEST_F(DecodeWk1Test, ResultCodes) {
  const Bytes header9{9, 0, 0, 0};
  const CodeCase cases[] = {
      {"BOF 1030 and EOF", Join({Bof(0x0406), Eof()}), 0},
      {"BOF 1028", Join({Bof(0x0404), Eof()}), 0},
      {"no BOF at all", Join({Range(0, 0, 0, 1), Eof()}), 0},
      {"BOF 1029", Join({Bof(0x0405), Eof()}), 2},
      {"BOF 0", Join({Bof(0), Eof()}), 2},
      {"type 9 with body length 0", Join({Bof(), header9, Eof()}), 1},
      {"RANGE with body length 0", Join({Bof(), Bytes{6, 0, 0, 0}, Eof()}), 1},
      {"EOF length never read", Join({Bof(), Bytes{1, 0, 0x34, 0x12}}), 0},
      {"EOF of its type alone", Join({Bof(), Bytes{1, 0}}), 0},
      {"body past the end", Join({Bof(), Bytes{9, 0, 5, 0, 1, 2, 3, 4}}), -1},
      {"last body reaching exactly the end", Join({Bof(), Eof(), Bytes{9, 0, 1, 0, 7}}), 0},
      {"empty buffer", Bytes{}, -1},
      {"one byte", Bytes{0}, -1},
      {"header cut after the type", Join({Bof(), Bytes{9, 0}}), -1},
      {"header cut inside the length", Join({Bof(), Bytes{9, 0, 1}}), -1},
      {"no EOF", Join({Bof(), Range(0, 0, 1, 3), Number(0, 0, 1.5)}), -1},
      {"BOF shorter than its version", Join({Record(0, {6}), Eof()}), -1},
      {"RANGE shorter than its fields", Join({Record(6, Bytes(7, 0)), Eof()}), -1},
      {"INTEGER shorter than its fields", Join({Record(13, Bytes(6, 0)), Eof()}), -1},
      {"NUMBER shorter than its fields", Join({Record(14, Bytes(12, 0)), Eof()}), -1},
      {"FORMULA shorter than its fields", Join({Record(16, Bytes(14, 0)), Eof()}), -1},
      {"FORMULA bytes past its body",
       Join({Record(16, Join({CellFields(0, 0), Bytes(8, 0), Bytes{4, 0, 1, 2}})), Eof()}), -1},
      {"LABEL shorter than its fields", Join({Record(15, Bytes(5, 0)), Eof()}), -1},
      {"error in a record after EOF is never seen", Join({Bof(), Eof(), header9}), 0},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(Decode(c.bytes), c.code) << c.name;
  }
}

TEST_F(DecodeWk1Test, NullBufferIsAnEmptyStream) {
  EXPECT_EQ(DecodeWk1(*grid, nullptr, 0), Wk1DecodeStatus::PastTheEnd);
  EXPECT_EQ(DecodeWk1(*grid, nullptr, 100), Wk1DecodeStatus::PastTheEnd);
}

TEST_F(DecodeWk1Test, OtherRecordTypesChangeNothing) {
  const Bytes plain = Join({Bof(), Range(0, 0, 1, 2), Label(0, 0, "a"), Number(1, 2, 4.25)});
  auto expected = std::make_unique<WorksheetGrid>();
  ASSERT_EQ(DecodeWk1(*expected, Join({plain, Eof()}).data(), Join({plain, Eof()}).size()),
            Wk1DecodeStatus::Ok);
  for (uint16_t type : {2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 17, 18, 100, 0xFFFF}) {
    // A body shaped like a NUMBER at A1, so a mistaken decode would show.
    Bytes other = Record(type, Join({CellFields(0, 0), Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}}));
    ASSERT_EQ(Decode(Join({Bof(), other, Range(0, 0, 1, 2), other, Label(0, 0, "a"),
                           Number(1, 2, 4.25), other, Eof()})),
              0)
        << type;
    EXPECT_EQ(std::memcmp(grid.get(), expected.get(), sizeof(WorksheetGrid)), 0) << type;
  }
}

TEST_F(DecodeWk1Test, CursorMovesByTheFieldsReadNotTheBodyLength) {
  // An INTEGER whose body is 4 bytes longer than its fields: those 4 bytes are read as the next
  // record header, here an EOF, so the NUMBER after it is never seen.
  Bytes integer = Join({CellFields(0, 2), Bytes{7, 0}, Eof()});
  ASSERT_EQ(Decode(Join({Range(0, 0, 0, 3), Label(0, 0, "x"), Record(13, integer),
                         Number(0, 3, 2.5), Eof()})),
            0);
  EXPECT_EQ(grid->Values[2][0], 7.0);
  EXPECT_EQ(Bits(3, 0), MissingBits);
}

TEST_F(DecodeWk1Test, FormulaBytesAreSkippedWhateverTheyHold) {
  // The formula bytes look like records (a zero-length one and a BOF 1029).
  Bytes formula = Join({Bytes{9, 0, 0, 0}, Bof(0x0405)});
  ASSERT_EQ(Decode(Join({Range(0, 0, 1, 2), Label(0, 0, "x"), Formula(0, 2, 17.5, formula),
                         Integer(1, 2, 3), Eof()})),
            0);
  EXPECT_EQ(grid->Values[2][0], 17.5);
  EXPECT_EQ(grid->Values[2][1], 3.0);
}

struct ValueCase {
  const char* name;
  Bytes record;  // a cell at worksheet A3
  double stored;
};

TEST_F(DecodeWk1Test, StoredValues) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const ValueCase cases[] = {
      {"999999.998 kept", Number(0, 2, 999999.998), 999999.998},
      {"-999999.998 kept", Number(0, 2, -999999.998), -999999.998},
      {"999999.999 missing", Number(0, 2, 999999.999), MissingValue},
      {"1000000 missing", Number(0, 2, 1000000.0), MissingValue},
      {"-999999.999 missing", Number(0, 2, -999999.999), MissingValue},
      {"-1e300 missing", Number(0, 2, -1e300), MissingValue},
      {"NaN missing", Number(0, 2, nan), MissingValue},
      {"infinity missing", Number(0, 2, inf), MissingValue},
      {"-infinity missing", Number(0, 2, -inf), MissingValue},
      {"below-limit marker kept", Number(0, 2, BelowLimitMarker), BelowLimitMarker},
      {"above-limit marker kept", Number(0, 2, AboveLimitMarker), AboveLimitMarker},
      {"smallest subnormal kept", Number(0, 2, 5e-324), 5e-324},
      {"INTEGER 0xFFFB is -5", Integer(0, 2, 0xFFFB), -5.0},
      {"INTEGER 0x7FFF", Integer(0, 2, 0x7FFF), 32767.0},
      {"INTEGER 0x8000", Integer(0, 2, 0x8000), -32768.0},
      {"FORMULA value kept", Formula(0, 2, 0.125, {1, 2, 3}), 0.125},
      {"FORMULA value 1e6 missing", Formula(0, 2, 1e6, {}), MissingValue},
      {"FORMULA NaN missing", Formula(0, 2, nan, {0x03}), MissingValue},
  };
  for (const ValueCase& c : cases) {
    // A label at A1 pins the range's top-left corner.
    ASSERT_EQ(Decode(Join({Bof(), Range(0, 0, 0, 2), Label(0, 0, "x"), c.record, Eof()})), 0)
        << c.name;
    EXPECT_EQ(Bits(2, 0), std::bit_cast<uint64_t>(c.stored)) << c.name;
  }
}

TEST_F(DecodeWk1Test, TopLeftCellLandsAtGridOrigin) {
  // A range whose top-left cell is D6 (column 3, row 5).
  ASSERT_EQ(Decode(Join({Bof(), Range(3, 5, 5, 8), Label(3, 5, "Dose"), Label(4, 6, "mg"),
                         Number(3, 7, 1.5), Integer(5, 8, 9), Eof()})),
            0);
  EXPECT_EQ(grid->RowCount, 4);
  EXPECT_EQ(grid->ColumnCount, 3);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "Dose");
  EXPECT_STREQ(grid->HeaderRow2Text[1], "mg");
  EXPECT_EQ(grid->Values[2][0], 1.5);
  EXPECT_EQ(grid->Values[3][2], 9.0);
  EXPECT_EQ(Bits(3, 1), MissingBits);
}

TEST_F(DecodeWk1Test, PositionsUseTheFinalMinimaWhateverTheRecordOrder) {
  // The first cell record is C9; the smallest row (5) and column (1) come later.
  ASSERT_EQ(Decode(Join({Bof(), Range(1, 5, 2, 8), Number(2, 8, 4.0), Label(2, 5, "Second"),
                         Label(1, 6, "unit"), Integer(1, 7, 2), Label(1, 5, "First"), Eof()})),
            0);
  EXPECT_EQ(grid->RowCount, 4);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "First");
  EXPECT_STREQ(grid->HeaderRow1Text[1], "Second");
  EXPECT_STREQ(grid->HeaderRow2Text[0], "unit");
  EXPECT_STREQ(grid->HeaderRow2Text[1], "");
  EXPECT_EQ(grid->Values[2][0], 2.0);
  EXPECT_EQ(grid->Values[3][1], 4.0);
}

struct CountCase {
  const char* name;
  uint16_t lastColumn, lastRow;
  int32_t columnCount, rowCount;
};

TEST_F(DecodeWk1Test, RangeCountsAreCapped) {
  const CountCase cases[] = {
      {"two rows of names", 0, 1, 1, 2},      {"2000 rows", 2, 1999, 3, 1024},
      {"1025 rows", 0, 1024, 1, 1024},        {"1024 rows", 0, 1023, 1, 1024},
      {"26 columns", 25, 3, 25, 4},           {"25 columns", 24, 3, 25, 4},
      {"last row 65535", 0, 0xFFFF, 1, 1024},
  };
  for (const CountCase& c : cases) {
    ASSERT_EQ(Decode(Join({Bof(), Range(0, 0, c.lastColumn, c.lastRow), Label(0, 0, "a"), Eof()})),
              0)
        << c.name;
    EXPECT_EQ(grid->ColumnCount, c.columnCount) << c.name;
    EXPECT_EQ(grid->RowCount, c.rowCount) << c.name;
    EXPECT_EQ(Bits(c.rowCount - 1, c.columnCount - 1), MissingBits) << c.name;
    if (c.rowCount < MaxRows) {
      EXPECT_EQ(Bits(c.rowCount, 0), 0u) << c.name;
    }
    if (c.columnCount < MaxColumns) {
      EXPECT_EQ(Bits(0, c.columnCount), 0u) << c.name;
    }
  }
}

TEST_F(DecodeWk1Test, CountsAtOrBelowZeroAreStoredAndNothingIsFilled) {
  // The range ends above and left of the first cell.
  ASSERT_EQ(Decode(Join({Bof(), Range(0, 0, 2, 3), Number(4, 5, 1.0), Eof()})), 0);
  EXPECT_EQ(grid->RowCount, -1);
  EXPECT_EQ(grid->ColumnCount, -1);
  EXPECT_EQ(grid->Values[0][0], 1.0);
  EXPECT_EQ(Bits(1, 1), 0u);
  // No cell record at all: the minima stay 0xFFFF.
  ASSERT_EQ(Decode(Join({Bof(), Range(0, 0, 3, 9), Eof()})), 0);
  EXPECT_EQ(grid->RowCount, 9 - 0xFFFF + 1);
  EXPECT_EQ(grid->ColumnCount, 3 - 0xFFFF + 1);
  EXPECT_EQ(Bits(0, 0), 0u);
}

TEST_F(DecodeWk1Test, EmptyCellsAndLowLabelsReadAsMissing) {
  ASSERT_EQ(
      Decode(Join({Bof(), Range(0, 0, 1, 5), Label(0, 0, "A"), Label(1, 0, "B"), Number(0, 2, 1.0),
                   Number(0, 4, 3.0), Label(0, 3, "n.d."), Number(1, 5, 6.0), Eof()})),
      0);
  EXPECT_EQ(Bits(3, 0), MissingBits);  // a label below the header rows
  EXPECT_EQ(Bits(5, 0), MissingBits);  // an empty cell
  EXPECT_EQ(Bits(0, 0), MissingBits);  // the cells of the header labels
  EXPECT_EQ(Bits(0, 1), MissingBits);
  EXPECT_EQ(Bits(2, 1), MissingBits);
  EXPECT_EQ(grid->Values[4][0], 3.0);
  EXPECT_STREQ(grid->HeaderRow2Text[0], "");
}

TEST_F(DecodeWk1Test, RangeAfterCellsOverwritesThem) {
  ASSERT_EQ(Decode(Join({Bof(), Label(0, 0, "A"), Number(0, 2, 5.0), Range(0, 0, 0, 2), Eof()})),
            0);
  EXPECT_EQ(Bits(2, 0), MissingBits);
}

struct LabelCase {
  const char* name;
  std::string text;  // what the record carries before its closing NUL
  std::string stored;
};

TEST_F(DecodeWk1Test, HeaderLabels) {
  const std::string long300(300, 'w');
  const std::string exact255(255, 'e');
  const LabelCase cases[] = {
      {"plain", "Control", "Control"},
      {"Windows-1252 bytes kept", "Conc. (\xB5g/L)", "Conc. (\xB5g/L)"},
      {"300 characters cut to 255", long300, long300.substr(0, 255)},
      {"255 characters and NUL", exact255, exact255},
      {"254 characters and NUL", exact255.substr(1), exact255.substr(1)},
      {"own NUL ends the text", std::string("ab\0cd", 5), "ab"},
      {"empty", "", ""},
  };
  for (const LabelCase& c : cases) {
    ASSERT_EQ(
        Decode(Join({Bof(), Range(0, 0, 1, 2), Label(0, 0, c.text), Label(1, 1, c.text), Eof()})),
        0)
        << c.name;
    EXPECT_EQ(std::string(grid->HeaderRow1Text[0]), c.stored) << c.name;
    EXPECT_EQ(std::string(grid->HeaderRow2Text[1]), c.stored) << c.name;
    EXPECT_EQ(grid->HeaderRow1Text[0][HeaderTextSize - 1], 0) << c.name;
  }
}

TEST_F(DecodeWk1Test, LabelWithoutNulOrTextCopiesOnlyItsOwnBytes) {
  // Bodies of 6 bytes (no text) and 9 bytes (three text bytes, no NUL), followed by records
  // whose bytes must not leak into the texts.
  Bytes noText = Record(15, Join({CellFields(0, 0), Bytes{'\''}}));
  Bytes noNul = Record(15, Join({CellFields(1, 0), Bytes{'\'', 'a', 'b', 'c'}}));
  ASSERT_EQ(Decode(Join({Bof(), Range(0, 0, 1, 1), noText, noNul, Label(2, 9, "zzzz"), Eof()})), 0);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "");
  EXPECT_STREQ(grid->HeaderRow1Text[1], "abc");
}

TEST_F(DecodeWk1Test, CellsOutsideTheGridAreDropped) {
  ASSERT_EQ(
      Decode(Join({Bof(), Range(0, 0, 30, 2000), Label(0, 0, "A"), Number(0, 1023, 1.0),
                   Number(24, 1, 2.0), Number(0, 1024, 3.0), Number(25, 2, 4.0),
                   Integer(40, 1500, 5), Label(25, 0, "beyond"), Label(30, 1, "beyond"), Eof()})),
      0);
  EXPECT_EQ(grid->RowCount, 1024);
  EXPECT_EQ(grid->ColumnCount, 25);
  EXPECT_EQ(grid->Values[1023][0], 1.0);
  EXPECT_EQ(grid->Values[1][24], 2.0);
  // Row 1024 and column 25 would alias cells inside the grid if they were written.
  EXPECT_EQ(Bits(1023, 1), MissingBits);
  EXPECT_EQ(Bits(3, 0), MissingBits);
}

TEST_F(DecodeWk1Test, EachCallStartsFromTheProgramStartState) {
  ASSERT_EQ(Decode(Join({Bof(), Range(0, 0, 2, 4), Label(0, 0, "Old"), Label(2, 1, "old unit"),
                         Number(2, 4, 8.0), Eof()})),
            0);
  // The second stream's minima (row 10, column 5) are its own.
  ASSERT_EQ(
      Decode(Join({Bof(), Range(5, 10, 5, 12), Label(5, 10, "New"), Number(5, 12, 1.0), Eof()})),
      0);
  EXPECT_EQ(grid->RowCount, 3);
  EXPECT_EQ(grid->ColumnCount, 1);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "New");
  EXPECT_STREQ(grid->HeaderRow2Text[2], "");
  EXPECT_EQ(grid->Values[2][0], 1.0);
  EXPECT_EQ(Bits(4, 2), 0u);
}

TEST_F(DecodeWk1Test, LiteralStreamFromASpreadsheet) {
  // BOF 1030, RANGE A1..B3, labels "X" and "'g", NUMBER 2.5 at A3, INTEGER -5 at B3, EOF.
  const Bytes bytes = {
      0x00, 0x00, 0x02, 0x00, 0x06, 0x04,                                               // BOF
      0x06, 0x00, 0x08, 0x00, 0,    0,    0, 0, 1, 0,    2,    0,                       // RANGE
      0x0F, 0x00, 0x08, 0x00, 0xFF, 0,    0, 0, 0, '\'', 'X',  0,                       // LABEL A1
      0x0F, 0x00, 0x08, 0x00, 0xFF, 1,    0, 1, 0, '"',  'g',  0,                       // LABEL B2
      0x0E, 0x00, 0x0D, 0x00, 0xFF, 0,    0, 2, 0, 0,    0,    0, 0, 0, 0, 0x04, 0x40,  // NUMBER A3
      0x0D, 0x00, 0x07, 0x00, 0xFF, 1,    0, 2, 0, 0xFB, 0xFF,  // INTEGER B3
      0x01, 0x00, 0x00, 0x00,                                   // EOF
  };
  ASSERT_EQ(Decode(bytes), 0);
  EXPECT_EQ(grid->RowCount, 3);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "X");
  EXPECT_STREQ(grid->HeaderRow2Text[1], "g");
  EXPECT_EQ(grid->Values[2][0], 2.5);
  EXPECT_EQ(grid->Values[2][1], -5.0);
}

TEST_F(DecodeWk1Test, CurveFitReportSample) {
  const std::string path = QUILLMAP_SOURCE_DIR "/../shared/samples/curve-fit-report.wk1";
  std::ifstream file(path, std::ios::binary);
  if (!file) GTEST_SKIP() << "sample not found: " << path;
  Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_EQ(Decode(bytes), 0);
  EXPECT_EQ(grid->RowCount, 1024);
  EXPECT_EQ(grid->ColumnCount, 25);
}

}  // namespace
}  // namespace qm
