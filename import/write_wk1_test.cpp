// Tests of the WK1 writer: the bytes of single records, the choice between INTEGER and NUMBER,
// and grids that read back bit for bit through the decoder.
#include "import/write_wk1.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "import/decode_wk1.h"
#include "testsupport/wk1_test_streams.h"

namespace qm {
namespace {

using namespace qm::test;

TEST(WriteWk1Test, RecordBytes) {
  struct Case {
    const char* name;
    std::function<void(Bytes&)> append;
    Bytes expected;
  };
  const Case cases[] = {
      {"BOF", [](Bytes& b) { AppendWk1Bof(b); }, {0, 0, 2, 0, 0x06, 0x04}},
      {"EOF", [](Bytes& b) { AppendWk1Eof(b); }, {1, 0, 0, 0}},
      {"RANGE",
       [](Bytes& b) { AppendWk1Range(b, 1, 2, 0x103, 0x204); },
       {6, 0, 8, 0, 1, 0, 2, 0, 3, 1, 4, 2}},
      {"INTEGER",
       [](Bytes& b) { AppendWk1Integer(b, 3, 0x105, -5); },
       {13, 0, 7, 0, 0xFF, 3, 0, 5, 1, 0xFB, 0xFF}},
      {"NUMBER",
       [](Bytes& b) { AppendWk1Number(b, 2, 9, 2.5); },
       {14, 0, 13, 0, 0xFF, 2, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x40}},
      {"LABEL",
       [](Bytes& b) { AppendWk1Label(b, 4, 1, "\xB5g", 2); },
       {15, 0, 9, 0, 0xFF, 4, 0, 1, 0, '\'', 0xB5, 'g', 0}},
      {"empty LABEL",
       [](Bytes& b) { AppendWk1Label(b, 0, 0, "", 0); },
       {15, 0, 7, 0, 0xFF, 0, 0, 0, 0, '\'', 0}},
  };
  for (const Case& c : cases) {
    Bytes bytes{0xAA};  // records are appended after what is there
    c.append(bytes);
    EXPECT_EQ(bytes, Join({Bytes{0xAA}, c.expected})) << c.name;
  }
}

TEST(WriteWk1Test, IntegerOrNumber) {
  struct Case {
    double value;
    uint16_t type;
  };
  const Case cases[] = {
      {0.0, 13},
      {7.0, 13},
      {-5.0, 13},
      {32767.0, 13},
      {-32768.0, 13},
      {32768.0, 14},
      {-32769, 14},
      {0.5, 14},
      {-0.0, 14},
      {1e6, 14},
      {std::numeric_limits<double>::quiet_NaN(), 14},
      {BelowLimitMarker, 14},
  };
  for (const Case& c : cases) {
    Bytes bytes;
    AppendWk1Value(bytes, 0, 0, c.value);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), c.type) << c.value;
    EXPECT_EQ(bytes.size(), c.type == 13 ? 11u : 17u) << c.value;
  }
}

TEST(WriteWk1Test, OverlongLabelIsCutToFitItsLength) {
  std::string text(70000, 'q');
  Bytes bytes;
  AppendWk1Label(bytes, 0, 0, text.data(), text.size());
  EXPECT_EQ(bytes.size(), 4u + 0xFFFF);
  EXPECT_EQ(bytes[2] | (bytes[3] << 8), 0xFFFF);
  EXPECT_EQ(bytes.back(), 0);
}

std::unique_ptr<WorksheetGrid> MissingGrid(int32_t rows, int32_t columns) {
  auto grid = std::make_unique<WorksheetGrid>();
  ClearGrid(*grid);
  grid->RowCount = rows;
  grid->ColumnCount = columns;
  for (int32_t r = 0; r < rows; r++) {
    for (int32_t c = 0; c < columns; c++) grid->Values[r][c] = MissingValue;
  }
  return grid;
}

void ExpectSameGrid(const WorksheetGrid& a, const WorksheetGrid& b, const char* name) {
  ASSERT_EQ(a.RowCount, b.RowCount) << name;
  ASSERT_EQ(a.ColumnCount, b.ColumnCount) << name;
  for (int32_t c = 0; c < MaxColumns; c++) {
    EXPECT_STREQ(a.HeaderRow1Text[c], b.HeaderRow1Text[c]) << name << " column " << c;
    EXPECT_STREQ(a.HeaderRow2Text[c], b.HeaderRow2Text[c]) << name << " column " << c;
  }
  for (int32_t r = 0; r < a.RowCount; r++) {
    for (int32_t c = 0; c < a.ColumnCount; c++) {
      EXPECT_EQ(std::bit_cast<uint64_t>(a.Values[r][c]), std::bit_cast<uint64_t>(b.Values[r][c]))
          << name << " row " << r << " column " << c;
    }
  }
}

TEST(WriteWk1Test, RoundTrip) {
  struct Case {
    const char* name;
    std::unique_ptr<WorksheetGrid> grid;
  };
  std::vector<Case> cases;

  auto lab = MissingGrid(8, 3);
  std::strcpy(lab->HeaderRow1Text[0], "Control");
  std::strcpy(lab->HeaderRow2Text[0], "Concentration (\xB5g/L)");
  std::strcpy(lab->HeaderRow1Text[1], "Dose 1");
  std::strcpy(lab->HeaderRow1Text[2], "Dose 2");
  const double values[] = {12.4,   -0.0,     0.0,       32767.0,          -32768.0,
                           32768,  -32769.0, 5e-324,    999999.998,       -999999.998,
                           1e-300, 0.1,      1.0 / 3.0, BelowLimitMarker, AboveLimitMarker};
  for (int i = 0; i < 15; i++) lab->Values[2 + i / 3][i % 3] = values[i];
  cases.push_back({"lab data with edge values", std::move(lab)});

  auto empty0 = MissingGrid(5, 2);  // nothing at all in column 0
  std::strcpy(empty0->HeaderRow1Text[1], "B");
  empty0->Values[4][1] = 7.0;
  cases.push_back({"empty first column", std::move(empty0)});

  auto headerNumbers = MissingGrid(3, 2);  // numbers beside texts in the header rows
  std::strcpy(headerNumbers->HeaderRow1Text[0], "A");
  headerNumbers->Values[0][0] = 1.5;
  headerNumbers->Values[1][1] = -2.0;
  cases.push_back({"numbers in the header rows", std::move(headerNumbers)});

  auto full = MissingGrid(MaxRows, MaxColumns);
  for (int32_t c = 0; c < MaxColumns; c++) {
    std::memset(full->HeaderRow1Text[c], 'a' + c % 26, MaxHeaderText);
    std::memset(full->HeaderRow2Text[c], 0x80 + c, MaxHeaderText);
    for (int32_t r = 2; r < MaxRows; r++) full->Values[r][c] = (r * 31 + c) * 0.37 - 5000.0;
  }
  cases.push_back({"full grid, full texts", std::move(full)});

  auto oneRow = MissingGrid(1, 2);
  std::strcpy(oneRow->HeaderRow1Text[0], "only");
  std::strcpy(oneRow->HeaderRow2Text[1], "second text beyond the range");
  cases.push_back({"one row", std::move(oneRow)});

  auto none = std::make_unique<WorksheetGrid>();
  ClearGrid(*none);
  cases.push_back({"no rows or columns", std::move(none)});

  auto decoded = std::make_unique<WorksheetGrid>();
  for (const Case& c : cases) {
    Bytes bytes = WriteWk1(*c.grid);
    ASSERT_EQ(DecodeWk1(*decoded, bytes.data(), bytes.size()), Wk1DecodeStatus::Ok) << c.name;
    ExpectSameGrid(*decoded, *c.grid, c.name);
  }
}

}  // namespace
}  // namespace qm
