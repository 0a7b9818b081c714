// Decoding WK1 worksheet records into the worksheet grid: a first walk finds the smallest row and
// column of any cell, a second walk stores the range, the numbers and the two header rows' labels
// relative to them.
#include "import/decode_wk1.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "base/little_endian.h"

namespace qm {

namespace {

// A number is kept only strictly between the Missing value and this bound.
constexpr double UpperValueBound = 999999.999;

// Body sizes of the fixed fields; the cursor moves by exactly these for the handled types.
constexpr size_t BofSize = 2;
constexpr size_t RangeSize = 8;
constexpr size_t IntegerSize = 7;
constexpr size_t NumberSize = 13;
constexpr size_t FormulaSize = 15;  // plus the formula bytes
constexpr size_t LabelFieldsSize = 6;

// What pass 1 learns for the notes: per grid column whether it holds a number below the header
// rows, and the texts there with the first of them (by row), kept as a place in the buffer.
struct ColumnNotes {
  bool holdsNumber[MaxColumns];
  int32_t texts[MaxColumns];
  int32_t firstTextRow[MaxColumns];
  const uint8_t* firstText[MaxColumns];
  size_t firstTextLength[MaxColumns];
};

struct Decoder {
  WorksheetGrid& grid;
  int pass;
  uint16_t minRow;
  uint16_t minColumn;
  ImportNotes* notes;  // nullptr: none wanted
  ColumnNotes columns;
};

// The comparisons are false for a value that is not a number, so it becomes the Missing value.
double UsableValue(double value) {
  return value > MissingValue && value < UpperValueBound ? value : MissingValue;
}

// A number that pass 1 stores at (row, column): what the notes keep of it.
void NoteNumber(Decoder& d, int32_t row, int32_t column, double value) {
  if (d.notes == nullptr) return;
  if (row >= 2) d.columns.holdsNumber[column] = true;
  if (UsableValue(value) != MissingValue || value == MissingValue) return;
  if (d.notes->valuesOutOfBounds++ == 0) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    d.notes->firstValueOutOfBounds.Keep(row, column, text, size_t(end - text));
  }
}

// A label below the header rows that holds more than blanks, up to its NUL.
void NoteText(Decoder& d, int32_t row, int32_t column, const uint8_t* text, size_t length) {
  if (d.notes == nullptr || row < 2) return;
  const uint8_t* end = static_cast<const uint8_t*>(std::memchr(text, 0, length));
  if (end != nullptr) length = size_t(end - text);
  if (std::all_of(text, text + length, [](uint8_t c) { return c == ' '; })) return;
  ColumnNotes& columns = d.columns;
  if (columns.texts[column]++ == 0 || row < columns.firstTextRow[column]) {
    columns.firstTextRow[column] = row;
    columns.firstText[column] = text;
    columns.firstTextLength[column] = length;
  }
}

// The texts of the columns that hold numbers, the first of them by row and then column.
void NoteTextsAmongNumbers(Decoder& d) {
  const ColumnNotes& columns = d.columns;
  NotedCell& first = d.notes->firstTextAmongNumbers;
  for (int32_t c = 0; c < MaxColumns; c++) {
    if (!columns.holdsNumber[c] || columns.texts[c] == 0) continue;
    d.notes->textsAmongNumbers += columns.texts[c];
    if (!first.exists() || columns.firstTextRow[c] < first.row) {
      first.Keep(columns.firstTextRow[c], c, reinterpret_cast<const char*>(columns.firstText[c]),
                 columns.firstTextLength[c]);
    }
  }
}

// Pass 0 lowers the minima; pass 1 gives the cell's grid position, or false when it has none.
bool CellPosition(Decoder& d, const uint8_t* fields, int32_t& row, int32_t& column) {
  uint16_t sheetColumn = LoadU16(fields + 1);
  uint16_t sheetRow = LoadU16(fields + 3);
  if (d.pass == 0) {
    d.minRow = std::min(d.minRow, sheetRow);
    d.minColumn = std::min(d.minColumn, sheetColumn);
    return false;
  }
  row = int32_t(sheetRow) - int32_t(d.minRow);
  column = int32_t(sheetColumn) - int32_t(d.minColumn);
  // A cell beyond the grid is cut; the notes keep how far the range's cells reach.
  if (d.notes != nullptr && row >= MaxRows) {
    d.notes->rangeRows = std::max<int64_t>(d.notes->rangeRows, int64_t(row) + 1);
  }
  if (d.notes != nullptr && column >= MaxColumns) {
    d.notes->rangeColumns = std::max<int64_t>(d.notes->rangeColumns, int64_t(column) + 1);
  }
  return row >= 0 && row < MaxRows && column >= 0 && column < MaxColumns;
}

void StoreRange(Decoder& d, const uint8_t* fields) {
  WorksheetGrid& grid = d.grid;
  grid.ColumnCount = std::min(int32_t(LoadU16(fields + 4)) - int32_t(d.minColumn) + 1, MaxColumns);
  grid.RowCount = std::min(int32_t(LoadU16(fields + 6)) - int32_t(d.minRow) + 1, MaxRows);
  for (int32_t r = 0; r < grid.RowCount; r++) {
    for (int32_t c = 0; c < grid.ColumnCount; c++) grid.Values[r][c] = MissingValue;
  }
}

// Keeps at most MaxHeaderText bytes; the text's own NUL, copied like any byte, ends it earlier.
void StoreLabel(char* field, const uint8_t* text, size_t length) {
  size_t kept = std::min(length, size_t(MaxHeaderText));
  std::memcpy(field, text, kept);
  std::memset(field + kept, 0, HeaderTextSize - kept);
}

// Handles one record whose body lies within the buffer; `used` is how far the cursor moves.
Wk1DecodeStatus HandleRecord(Decoder& d, uint16_t type, const uint8_t* body, size_t bodyLength,
                             size_t& used) {
  int32_t row = 0;
  int32_t column = 0;
  switch (type) {
    case Wk1Bof: {
      if (bodyLength < BofSize) return Wk1DecodeStatus::PastTheEnd;
      uint16_t version = LoadU16(body);
      if (version != Wk1Version1028 && version != Wk1Version1030)
        return Wk1DecodeStatus::OtherVersion;
      used = BofSize;
      return Wk1DecodeStatus::Ok;
    }
    case Wk1Range:
      if (bodyLength < RangeSize) return Wk1DecodeStatus::PastTheEnd;
      if (d.pass == 1) StoreRange(d, body);
      used = RangeSize;
      return Wk1DecodeStatus::Ok;
    case Wk1Integer:
      if (bodyLength < IntegerSize) return Wk1DecodeStatus::PastTheEnd;
      if (CellPosition(d, body, row, column)) {
        d.grid.Values[row][column] = double(int16_t(LoadU16(body + 5)));
        NoteNumber(d, row, column, d.grid.Values[row][column]);
      }
      used = IntegerSize;
      return Wk1DecodeStatus::Ok;
    case Wk1Number:
    case Wk1Formula: {
      size_t size = type == Wk1Number ? NumberSize : FormulaSize;
      if (bodyLength < size) return Wk1DecodeStatus::PastTheEnd;
      if (type == Wk1Formula) {
        size += LoadU16(body + 13);
        if (bodyLength < size) return Wk1DecodeStatus::PastTheEnd;
      }
      if (CellPosition(d, body, row, column)) {
        const double value = LoadDouble(body + 5);
        d.grid.Values[row][column] = UsableValue(value);
        NoteNumber(d, row, column, value);
      }
      used = size;
      return Wk1DecodeStatus::Ok;
    }
    case Wk1Label:
      if (bodyLength < LabelFieldsSize) return Wk1DecodeStatus::PastTheEnd;
      if (CellPosition(d, body, row, column)) {
        if (row <= 1) {
          char* field = row == 0 ? d.grid.HeaderRow1Text[column] : d.grid.HeaderRow2Text[column];
          StoreLabel(field, body + LabelFieldsSize, bodyLength - LabelFieldsSize);
        } else {
          NoteText(d, row, column, body + LabelFieldsSize, bodyLength - LabelFieldsSize);
        }
      }
      used = bodyLength;
      return Wk1DecodeStatus::Ok;
    default:
      used = bodyLength;
      return Wk1DecodeStatus::Ok;
  }
}

Wk1DecodeStatus DecodePass(Decoder& d, const uint8_t* buffer, size_t length) {
  size_t cursor = 0;
  for (;;) {
    // An EOF record is recognised by its type alone; its length is never read.
    if (length - cursor < 2) return Wk1DecodeStatus::PastTheEnd;
    uint16_t type = LoadU16(buffer + cursor);
    if (type == Wk1Eof) return Wk1DecodeStatus::Ok;
    if (length - cursor < 4) return Wk1DecodeStatus::PastTheEnd;
    uint16_t bodyLength = LoadU16(buffer + cursor + 2);
    if (bodyLength == 0) return Wk1DecodeStatus::EmptyRecord;
    cursor += 4;
    if (bodyLength > length - cursor) return Wk1DecodeStatus::PastTheEnd;
    size_t used = 0;
    const Wk1DecodeStatus result = HandleRecord(d, type, buffer + cursor, bodyLength, used);
    if (result != Wk1DecodeStatus::Ok) return result;
    cursor += used;
  }
}

}  // namespace

Wk1DecodeStatus DecodeWk1(WorksheetGrid& grid, const uint8_t* buffer, size_t length,
                          ImportNotes* notes) {
  ClearGrid(grid);
  if (buffer == nullptr) length = 0;
  if (notes != nullptr) *notes = ImportNotes{};
  Decoder d{grid, 0, 0xFFFF, 0xFFFF, notes, {}};
  for (d.pass = 0; d.pass < 2; d.pass++) {
    const Wk1DecodeStatus result = DecodePass(d, buffer, length);
    if (result != Wk1DecodeStatus::Ok) return result;
  }
  if (notes != nullptr) NoteTextsAmongNumbers(d);
  return Wk1DecodeStatus::Ok;
}

}  // namespace qm
