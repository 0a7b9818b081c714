// Tests of text ranges: a text range gives the grid of the WK1 range it stands for, with the WK1
// import's limits, codes and warning; characters arrive as Windows-1252; bad input gives a defined
// grid.
#include "import/text_range.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "import/decode_wk1.h"
#include "import/write_wk1.h"
#include "testsupport/recording_messages.h"

namespace qm {
namespace {

using testing::RecordingMessages;

constexpr uint64_t MissingBits = 0xC12E847FFF7CED91;
const std::string ValuesWarning = "Warning: rows 1/2 contain VALUES\n";

class TextRangeTest : public ::testing::Test {
 protected:
  int32_t Import(const std::string& text, TextRangeKind kind = TextRangeKind::TabSeparated,
                 DecimalMark locale = DecimalMark::Unknown) {
    messages.Clear();
    const ImportResult result = ImportTextRange(
        *grid, reinterpret_cast<const uint8_t*>(text.data()), text.size(), kind, locale);
    notes = result.notes;
    return testing::ShowImport(result, messages);
  }
  uint64_t Bits(int32_t row, int32_t column) const {
    return std::bit_cast<uint64_t>(grid->Values[row][column]);
  }
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  RecordingMessages messages;
  ImportNotes notes;
};

std::string Shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The tab-separated text a spreadsheet would copy for the grid: two header rows of labels, then
// the numbers, with an empty field for the Missing value.
std::string GridAsText(const WorksheetGrid& grid, const char* lineEnd) {
  std::string text;
  for (int32_t r = 0; r < grid.RowCount; r++) {
    for (int32_t c = 0; c < grid.ColumnCount; c++) {
      if (c > 0) text += '\t';
      if (r == 0) {
        text += grid.HeaderRow1Text[c];
      } else if (r == 1) {
        text += grid.HeaderRow2Text[c];
      } else if (std::bit_cast<uint64_t>(grid.Values[r][c]) != MissingBits) {
        text += Shortest(grid.Values[r][c]);
      }
    }
    text += lineEnd;
  }
  return text;
}

void FillSampleGrid(WorksheetGrid& grid, int32_t rows, int32_t columns) {
  ClearGrid(grid);
  grid.RowCount = rows;
  grid.ColumnCount = columns;
  for (int32_t c = 0; c < columns; c++) {
    std::snprintf(grid.HeaderRow1Text[c], HeaderTextSize,
                  "Gr\xF6\xDF"
                  "e %d \xB5g/L",
                  c);
    if (c % 3 != 1) std::snprintf(grid.HeaderRow2Text[c], HeaderTextSize, "0=ctrl 1=\x80%d", c);
  }
  uint64_t state = 12345;
  for (int32_t r = 0; r < rows; r++) {
    for (int32_t c = 0; c < columns; c++) {
      state = state * 6364136223846793005ull + 1442695040888963407ull;
      double value = double(int64_t(state >> 20) % 2000001 - 1000000) / 997.0;
      if ((state >> 58) == 7) value = (state & 1) ? AboveLimitMarker : BelowLimitMarker;
      if (r < 2 || (state >> 60) == 0) value = MissingValue;
      grid.Values[r][c] = value;
    }
  }
}

TEST_F(TextRangeTest, SameGridAsTheWk1OfTheRange) {
  struct Case {
    int32_t rows, columns;
    const char* lineEnd;
  } cases[] = {{2, 1, "\n"}, {12, 3, "\r\n"}, {40, 7, "\r"}, {1024, 25, "\n"}};
  for (const Case& c : cases) {
    auto source = std::make_unique<WorksheetGrid>();
    FillSampleGrid(*source, c.rows, c.columns);
    auto fromWk1 = std::make_unique<WorksheetGrid>();
    std::vector<uint8_t> wk1 = WriteWk1(*source);
    ASSERT_EQ(DecodeWk1(*fromWk1, wk1.data(), wk1.size()), Wk1DecodeStatus::Ok);
    // The text is written as a spreadsheet writes it: Windows-1252 letters as UTF-8.
    std::string text;
    for (char ch : GridAsText(*source, c.lineEnd)) {
      unsigned char byte = (unsigned char)ch;
      if (byte < 0x80) {
        text += ch;
      } else if (byte == 0x80) {
        text += "\xE2\x82\xAC";
      } else {
        text += char(0xC0 | (byte >> 6));
        text += char(0x80 | (byte & 0x3F));
      }
    }
    ASSERT_EQ(Import(text), 0) << c.rows << "x" << c.columns;
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(std::memcmp(fromWk1.get(), grid.get(), sizeof(WorksheetGrid)), 0)
        << c.rows << "x" << c.columns;
  }
}

TEST_F(TextRangeTest, NumbersLabelsAndEmptyCells) {
  ASSERT_EQ(Import("Dose\tWeight\tNote\n0=ctrl\tkg\t\n1\t2,5\tgood\n\t-3e2\t \n"), 0);
  EXPECT_EQ(grid->RowCount, 4);
  EXPECT_EQ(grid->ColumnCount, 3);
  EXPECT_STREQ(grid->HeaderRow1Text[1], "Weight");
  EXPECT_STREQ(grid->HeaderRow2Text[0], "0=ctrl");
  EXPECT_STREQ(grid->HeaderRow2Text[2], "");
  EXPECT_EQ(grid->Values[2][0], 1.0);
  EXPECT_EQ(grid->Values[2][1], 2.5);
  EXPECT_EQ(Bits(2, 2), MissingBits);  // a label below the header rows
  EXPECT_EQ(Bits(3, 0), MissingBits);  // an empty field
  EXPECT_EQ(grid->Values[3][1], -300.0);
  EXPECT_EQ(Bits(3, 2), MissingBits);  // a blank field
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(TextRangeTest, ValueBoundsAndMarkers) {
  struct Case {
    const char* field;
    uint64_t bits;
  } cases[] = {
      {"999999.998", std::bit_cast<uint64_t>(999999.998)},
      {"-999999.998", std::bit_cast<uint64_t>(-999999.998)},
      {"999998.999", std::bit_cast<uint64_t>(AboveLimitMarker)},
      {"-999998.999", std::bit_cast<uint64_t>(BelowLimitMarker)},
      {"-999998,999", std::bit_cast<uint64_t>(BelowLimitMarker)},
      {"999999.999", MissingBits},
      {"1000000", MissingBits},
      {"-999999.999", MissingBits},
      {"-1e400", MissingBits},
      {"1e-400", 0},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Import(std::string("a\nb\n") + c.field + "\n"), 0) << c.field;
    EXPECT_EQ(Bits(2, 0), c.bits) << c.field;
  }
}

// A marker cell copied as the spreadsheet shows it, rounded and grouped, is still the marker;
// one note per marker tells how many were read so. Numbers 0.5 away or more stay as they are.
TEST_F(TextRangeTest, RoundedLimitMarkers) {
  const std::string Below = " read as the below-limit marker -999998.999";
  const std::string Above = " read as the above-limit marker 999998.999";
  struct Case {
    const char* fields;  // the column's values, one a line
    double first;        // the first value as read
    std::vector<std::string> notes;
  } cases[] = {
      {"-999,999.00\n0.5\n-999998.999",
       BelowLimitMarker,
       {"1 value such as -999,999.00 was" + Below}},
      {"-999999\n-999998.6\n-999998.999",
       BelowLimitMarker,
       {"2 values such as -999999 were" + Below}},
      {"-999.999,00\n1,5", BelowLimitMarker, {"1 value such as -999.999,00 was" + Below}},
      {"999,999.00\n999998.51\n-999999.4",
       AboveLimitMarker,
       {"1 value such as -999999.4 was" + Below, "2 values such as 999,999.00 were" + Above}},
      {"-999998.5\n-999999.5\n999998.5\n999999.5", -999998.5, {}},
      {"-999998.999\n999998.999", BelowLimitMarker, {}},
  };
  for (const Case& c : cases) {
    std::string text = std::string("Cd\nug/L\n") + c.fields + "\n";
    ASSERT_EQ(Import(text), 0) << c.fields;
    EXPECT_EQ(grid->Values[2][0], c.first) << c.fields;
    EXPECT_EQ(ImportNoteLines(notes, *grid), c.notes) << c.fields;
  }
  // The desktop program's clipboard text gives the same notes.
  const std::string copied = "Cd\nug/L\n-999,999.00\n";
  ImportNotes conversion;
  std::vector<uint8_t> wk1;
  ASSERT_TRUE(
      ClipboardTextToWk1(copied.data(), copied.size(), wk1, DecimalMark::Unknown, &conversion));
  EXPECT_EQ(conversion.roundedMarkers[0], 1);
}

// A note that quotes a cell shows its control characters escaped: a line feed cannot break the
// note, nor an escape character reach the user's terminal.
TEST_F(TextRangeTest, NotesShowControlCharactersEscaped) {
  struct Case {
    const char* text;
    TextRangeKind kind;
    const char* note;
  } cases[] = {
      {"A\x1b"
       "B\nu\n1\nx\x1b[2J\n",
       TextRangeKind::TabSeparated,
       "1 text in a column of numbers was read as Missing (\"x\\x1b[2J\", row 4, column "
       "\"A\\x1b"
       "B\")"},
      {"\"A\nB\"\nu\n1\n\"p\tq\r\x7f\"\n", TextRangeKind::Csv,
       "1 text in a column of numbers was read as Missing (\"p\\tq\\r\\x7f\", row 4, column "
       "\"A\\nB\")"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Import(c.text, c.kind), 0) << c.text;
    EXPECT_EQ(ImportNoteLines(notes, *grid), std::vector<std::string>{c.note}) << c.text;
  }
}

// How numbers are read from text: the decimal mark decided for the whole range, grouped digits,
// one-column CSV files, line ends converted twice, and typeset minus signs and spaces.
TEST_F(TextRangeTest, NumbersReadFromText) {
  const DecimalMark U = DecimalMark::Unknown, P = DecimalMark::Point, C = DecimalMark::Comma;
  const TextRangeKind Tsv = TextRangeKind::TabSeparated, Csv = TextRangeKind::Csv;
  struct Case {
    const char* name;
    std::string text;  // a header row, a second one, then the values
    TextRangeKind kind;
    DecimalMark locale;
    int32_t columns;
    std::vector<double> values;  // column 0 from row 2 on
    int32_t eitherWay;           // numbers that read either way
    char mark;                   // and the mark they were read with
  } cases[] = {
      {"US thousands", "A\nx\n1,234\n1,020\n1,100.5\n", Tsv, C, 1, {1234, 1020, 1100.5}, 2, '.'},
      // Millions lie beyond the import's bounds: read right, then kept as the Missing value.
      {"US grouping",
       "A\nx\n1,234,567.5\n12,345.5\n1,234\n",
       Tsv,
       C,
       1,
       {MissingValue, 12345.5, 1234},
       1,
       '.'},
      {"German grouping",
       "A\nx\n1.234.567,5\n12.345,5\n1.234\n",
       Tsv,
       P,
       1,
       {MissingValue, 12345.5, 1234},
       1,
       ','},
      {"a comma not before three digits", "A\nx\n1,5\n1.234\n", Tsv, P, 1, {1.5, 1234}, 1, ','},
      {"the locale decides", "A\nx\n1,234\n", Tsv, C, 1, {1.234}, 1, ','},
      {"the locale decides the other way", "A\nx\n1,234\n", Tsv, P, 1, {1234}, 1, '.'},
      {"without a locale the point", "A\nx\n1.234\n2,500\n", Tsv, U, 1, {1.234, 2500}, 2, '.'},
      {"more numbers outvote fewer",
       "A\nx\n1,5\n2,5\n3.5\n4,000\n",
       Tsv,
       P,
       1,
       {1.5, 2.5, 3.5, 4},
       1,
       ','},
      {"one-column CSV with decimal commas",
       "Gewicht\nkg\n1,5\n2,25\n",
       Csv,
       U,
       1,
       {1.5, 2.25},
       0,
       ','},
      {"quoted US numbers in a CSV", "A\nx\n\"1,234\"\n\"2.5\"\n", Csv, C, 1, {1234, 2.5}, 1, '.'},
      {"decimals the range shows are not noted",
       "A\nx\n60.245\n4.2\n",
       Tsv,
       C,
       1,
       {60.245, 4.2},
       0,
       '.'},
      {"commas part the fields", "A,B\nx,y\n1.234,2\n", Csv, C, 2, {1.234}, 1, '.'},
      {"CR LF converted twice", "A\r\r\nx\r\r\n1\r\r\n2\r\r\n", Tsv, U, 1, {1, 2}, 0, '.'},
      {"LF CR", "A\n\rx\n\r1\n\r2\n\r", Tsv, U, 1, {1, 2}, 0, '.'},
      {"typeset minus and spaces",
       "A\nx\n\xE2\x88\x92"
       "5\n1\xC2\xA0"
       "000\n\xE2\x88\x92"
       "1\xE2\x80\xAF"
       "000,5\n",
       Tsv,
       U,
       1,
       {-5, 1000, -1000.5},
       0,
       ','},
      {"percent and currency stay texts",
       "A\nx\n5%\n$5\n5\n",
       Tsv,
       U,
       1,
       {MissingValue, MissingValue, 5},
       0,
       '.'},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Import(c.text, c.kind, c.locale), 0) << c.name;
    EXPECT_EQ(grid->ColumnCount, c.columns) << c.name;
    ASSERT_EQ(grid->RowCount, 2 + int32_t(c.values.size())) << c.name;
    for (size_t k = 0; k < c.values.size(); k++) {
      EXPECT_EQ(grid->Values[2 + k][0], c.values[k]) << c.name << ", value " << k;
    }
    EXPECT_EQ(notes.eitherWayNumbers, c.eitherWay) << c.name;
    if (c.eitherWay > 0) {
      EXPECT_EQ(notes.decimalMark, c.mark) << c.name;
    }
  }
}

TEST_F(TextRangeTest, HeaderLabelsCutAt255Characters) {
  std::string name(300, 'n');
  std::string second(255, 's');
  ASSERT_EQ(Import(name + "\t" + second + "x\n" + second + "\n1\t2\n"), 0);
  EXPECT_EQ(std::string(grid->HeaderRow1Text[0]), std::string(255, 'n'));
  EXPECT_EQ(std::string(grid->HeaderRow1Text[1]), second);
  EXPECT_EQ(std::string(grid->HeaderRow2Text[0]), second);
  // A label of 100,000 characters is still one LABEL record that fits its 16-bit length.
  ASSERT_EQ(Import(std::string(100'000, 'L') + "\n"), 0);
  EXPECT_EQ(std::strlen(grid->HeaderRow1Text[0]), 255u);
}

TEST_F(TextRangeTest, WarnsAboutNumbersInTheHeaderRows) {
  struct Case {
    const char* text;
    bool warns;
  } cases[] = {
      {"A\tB\nx\ty\n1\t2\n", false},
      {"2019\tB\nx\ty\n1\t2\n", true},
      {"A\tB\nx\t7\n1\t2\n", true},
      {"A\tB\n\t\n1\t2\n", false},
      {"A\tB\n", false},
      {"5\n", true},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Import(c.text), 0) << c.text;
    std::vector<std::string> expected;
    if (c.warns) expected.push_back(ValuesWarning);
    EXPECT_EQ(messages.texts, expected) << c.text;
  }
}

TEST_F(TextRangeTest, RangeStartsAtTheFirstLineAndField) {
  // An empty first field or an empty first line still belongs to the range; the empty LABEL that
  // keeps it there reads as the Missing value with an empty header.
  ASSERT_EQ(Import("\tB\n\ty\n\t5\n"), 0);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "");
  EXPECT_STREQ(grid->HeaderRow1Text[1], "B");
  EXPECT_EQ(Bits(2, 0), MissingBits);
  EXPECT_EQ(grid->Values[2][1], 5.0);

  ASSERT_EQ(Import("\nA\n1\n"), 0);
  EXPECT_EQ(grid->RowCount, 3);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "");
  EXPECT_STREQ(grid->HeaderRow2Text[0], "A");
  EXPECT_EQ(grid->Values[2][0], 1.0);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(TextRangeTest, LimitsOfTheGrid) {
  std::string text;
  for (int r = 0; r < 1100; r++) {
    for (int c = 0; c < 30; c++) {
      if (c > 0) text += '\t';
      text += r < 2 ? "h" : std::to_string(r * 100 + c);
    }
    text += '\n';
  }
  TextRangeSize size;
  std::vector<uint8_t> wk1 = WriteTextRangeWk1(reinterpret_cast<const uint8_t*>(text.data()),
                                               text.size(), TextRangeKind::TabSeparated, &size);
  EXPECT_EQ(size.rows, 1100);
  EXPECT_EQ(size.columns, 30);
  // Only cells inside 1024 x 25 get records: BOF, RANGE, 50 labels, 1022 x 25 numbers, EOF.
  EXPECT_EQ(wk1.size(), 6u + 12u + 50u * 12u + 1022u * 25u * 17u + 4u);
  ASSERT_EQ(Import(text), 0);
  EXPECT_EQ(grid->RowCount, 1024);
  EXPECT_EQ(grid->ColumnCount, 25);
  EXPECT_EQ(grid->Values[1023][24], 102324.0);
  EXPECT_EQ(grid->Values[2][0], 200.0);

  // Numbers in the lines past the grid do not decide the decimal mark.
  ASSERT_EQ(Import("A\nx\n1,5\n1,234\n" + std::string(1020, '\n') + "2.5\n2.5\n"), 0);
  EXPECT_EQ(grid->Values[3][0], 1.234);

  // More lines than a RANGE record can count: the counts are capped all the same.
  ASSERT_EQ(Import(std::string(70'000, '\n') + "end"), 0);
  EXPECT_EQ(grid->RowCount, 1024);
  EXPECT_EQ(grid->ColumnCount, 1);
  ASSERT_EQ(Import("a" + std::string(70'000, '\t') + "z\n"), 0);
  EXPECT_EQ(grid->ColumnCount, 25);
  EXPECT_EQ(grid->RowCount, 1);
}

TEST_F(TextRangeTest, CsvFiles) {
  ASSERT_EQ(Import("Name,\"Dose, mg\"\r\n,\r\n1.5,\"1,234\"\r\n\"2\",3\r\n", TextRangeKind::Csv),
            0);
  EXPECT_STREQ(grid->HeaderRow1Text[1], "Dose, mg");
  EXPECT_EQ(grid->Values[2][0], 1.5);
  EXPECT_EQ(grid->Values[2][1], 1234.0);  // "1.5" shows the decimal point: the comma groups
  EXPECT_EQ(grid->Values[3][0], 2.0);     // a quoted number is a number
  EXPECT_EQ(grid->Values[3][1], 3.0);

  ASSERT_EQ(Import("Name;Gr\xC3\xB6\xC3\x9F"
                   "e\n;cm\n1,5;2,25\n-0,5;1e3\n",
                   TextRangeKind::Csv),
            0);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_STREQ(grid->HeaderRow1Text[1],
               "Gr\xF6\xDF"
               "e");
  EXPECT_EQ(grid->Values[2][0], 1.5);
  EXPECT_EQ(grid->Values[2][1], 2.25);
  EXPECT_EQ(grid->Values[3][0], -0.5);
  EXPECT_EQ(grid->Values[3][1], 1000.0);

  // Excel's "Unicode text": UTF-16LE with its mark, tab-separated.
  std::u16string utf16 = u"\uFEFF\u00B5g/L\t\u20AC\r\nx\ty\r\n1\t2\r\n";
  std::string bytes;
  for (char16_t unit : utf16) bytes += {char(unit & 0xFF), char(unit >> 8)};
  ASSERT_EQ(Import(bytes), 0);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "\xB5g/L");
  EXPECT_STREQ(grid->HeaderRow1Text[1], "\x80");
  EXPECT_EQ(grid->Values[2][1], 2.0);
}

TEST_F(TextRangeTest, TextWithoutCellsIsNoData) {
  for (const char* text : {"", "\n", "\t\t\r\n", "   \n \t ", "\xEF\xBB\xBF", "\xE2\x80\x8B\n"}) {
    grid->RowCount = 77;
    EXPECT_EQ(Import(text), 3) << text;
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(grid->RowCount, 77);  // untouched, as for a clipboard without "Wk1" data
  }
  TextRangeSize size;
  std::vector<uint8_t> wk1 = WriteTextRangeWk1(nullptr, 0, TextRangeKind::Csv, &size);
  EXPECT_EQ(wk1, (std::vector<uint8_t>{0, 0, 2, 0, 6, 4, 1, 0, 0, 0}));
  EXPECT_EQ(size.rows, 0);
}

TEST(ClipboardTextTest, WhichTextIsARange) {
  struct Case {
    const char* text;
    bool range;
    int32_t code;
  } cases[] = {
      {"a\tb", true, 0},        {"1\n", true, 0}, {"x\r", true, 0}, {"Name\n5\n", true, 0},
      {"just words", false, 3}, {"", false, 3},   {"\n", true, 3},  {"\t", true, 3},
  };
  auto grid = std::make_unique<WorksheetGrid>();
  for (const auto& c : cases) {
    size_t length = std::strlen(c.text);
    EXPECT_EQ(ClipboardTextIsRange(c.text, length), c.range) << c.text;
    RecordingMessages messages;
    EXPECT_EQ(testing::ShowImport(ImportClipboardText(*grid, c.text, length), messages), c.code)
        << c.text;
    std::vector<uint8_t> wk1{1, 2, 3};
    EXPECT_EQ(ClipboardTextToWk1(c.text, length, wk1), c.code == 0) << c.text;
    if (c.code == 0) {
      EXPECT_EQ(DecodeWk1(*grid, wk1.data(), wk1.size()), Wk1DecodeStatus::Ok) << c.text;
    } else {
      EXPECT_TRUE(wk1.empty()) << c.text;
    }
  }
  EXPECT_FALSE(ClipboardTextIsRange(nullptr, 5));
}

TEST(BytesAreTextTest, NulBytesMarkBinaryData) {
  std::vector<uint8_t> wk1 = {0, 0, 2, 0, 6, 4, 1, 0, 0, 0};
  EXPECT_FALSE(BytesAreText(wk1.data(), wk1.size()));
  const uint8_t utf16[] = {0xFF, 0xFE, 'a', 0};
  EXPECT_TRUE(BytesAreText(utf16, sizeof utf16));
  const uint8_t plain[] = {'a', '\t', 0xB5, '\n'};
  EXPECT_TRUE(BytesAreText(plain, sizeof plain));
  EXPECT_TRUE(BytesAreText(nullptr, 0));
}

TEST_F(TextRangeTest, BadInputGivesADefinedGrid) {
  // Binary data: the WK1 stream the text becomes always decodes.
  std::string binary;
  uint64_t state = 99;
  for (int i = 0; i < 200'000; i++) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    binary += char(state >> 56);
  }
  for (TextRangeKind kind : {TextRangeKind::TabSeparated, TextRangeKind::Csv}) {
    int32_t code = Import(binary, kind);
    EXPECT_EQ(code, 0);
    EXPECT_LE(grid->RowCount, MaxRows);
    EXPECT_LE(grid->ColumnCount, MaxColumns);
    for (int32_t c = 0; c < grid->ColumnCount; c++) {
      EXPECT_LE(std::strlen(grid->HeaderRow1Text[c]), 255u);
    }
  }
  // Ragged rows: the widest line sets the columns; missing fields are empty cells.
  ASSERT_EQ(Import("a\nb\tc\td\n1\n"), 0);
  EXPECT_EQ(grid->ColumnCount, 3);
  EXPECT_EQ(Bits(2, 2), MissingBits);
  // A 10 MB line of one field and one of many fields.
  ASSERT_EQ(Import(std::string(10'000'000, 'x') + "\n1\n2"), 0);
  EXPECT_EQ(grid->RowCount, 3);
  EXPECT_EQ(std::strlen(grid->HeaderRow1Text[0]), 255u);
  std::string manyFields;
  for (int i = 0; i < 2'000'000; i++) manyFields += "12\t";
  ASSERT_EQ(Import(manyFields), 0);
  EXPECT_EQ(grid->ColumnCount, 25);
  EXPECT_EQ(messages.texts, std::vector<std::string>{ValuesWarning});
  // An opening quote that is never closed.
  ASSERT_EQ(Import("\"Name\tB\n\"\"x\"\"\ty\n1\t2\n", TextRangeKind::TabSeparated), 0);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "\"Name");
  EXPECT_EQ(grid->Values[2][1], 2.0);
}

}  // namespace
}  // namespace qm
