// Decoding WK1 worksheet records into the worksheet grid: a first walk finds the smallest row and
// column of any cell, a second walk stores the range, the numbers and the two header rows' labels
// relative to them.
#include "import/decode_wk1.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

struct Decoder {
  WorksheetGrid& grid;
  int pass;
  uint16_t minRow;
  uint16_t minColumn;
};

uint16_t ReadU16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}

double ReadDouble(const uint8_t* p) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; i--) bits = (bits << 8) | p[i];
  return std::bit_cast<double>(bits);
}

// The comparisons are false for a value that is not a number, so it becomes the Missing value.
double UsableValue(double value) {
  return value > MissingValue && value < UpperValueBound ? value : MissingValue;
}

// Pass 0 lowers the minima; pass 1 gives the cell's grid position, or false when it has none.
bool CellPosition(Decoder& d, const uint8_t* fields, int32_t& row, int32_t& column) {
  uint16_t sheetColumn = ReadU16(fields + 1);
  uint16_t sheetRow = ReadU16(fields + 3);
  if (d.pass == 0) {
    d.minRow = std::min(d.minRow, sheetRow);
    d.minColumn = std::min(d.minColumn, sheetColumn);
    return false;
  }
  row = int32_t(sheetRow) - int32_t(d.minRow);
  column = int32_t(sheetColumn) - int32_t(d.minColumn);
  return row >= 0 && row < MaxRows && column >= 0 && column < MaxColumns;
}

void StoreRange(Decoder& d, const uint8_t* fields) {
  WorksheetGrid& grid = d.grid;
  grid.ColumnCount = std::min(int32_t(ReadU16(fields + 4)) - int32_t(d.minColumn) + 1, MaxColumns);
  grid.RowCount = std::min(int32_t(ReadU16(fields + 6)) - int32_t(d.minRow) + 1, MaxRows);
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
int32_t HandleRecord(Decoder& d, uint16_t type, const uint8_t* body, size_t bodyLength,
                     size_t& used) {
  int32_t row = 0;
  int32_t column = 0;
  switch (type) {
    case Wk1Bof: {
      if (bodyLength < BofSize) return -1;
      uint16_t version = ReadU16(body);
      if (version != Wk1Version1028 && version != Wk1Version1030) return 2;
      used = BofSize;
      return 0;
    }
    case Wk1Range:
      if (bodyLength < RangeSize) return -1;
      if (d.pass == 1) StoreRange(d, body);
      used = RangeSize;
      return 0;
    case Wk1Integer:
      if (bodyLength < IntegerSize) return -1;
      if (CellPosition(d, body, row, column)) {
        d.grid.Values[row][column] = double(int16_t(ReadU16(body + 5)));
      }
      used = IntegerSize;
      return 0;
    case Wk1Number:
    case Wk1Formula: {
      size_t size = type == Wk1Number ? NumberSize : FormulaSize;
      if (bodyLength < size) return -1;
      if (type == Wk1Formula) {
        size += ReadU16(body + 13);
        if (bodyLength < size) return -1;
      }
      if (CellPosition(d, body, row, column)) {
        d.grid.Values[row][column] = UsableValue(ReadDouble(body + 5));
      }
      used = size;
      return 0;
    }
    case Wk1Label:
      if (bodyLength < LabelFieldsSize) return -1;
      if (CellPosition(d, body, row, column) && row <= 1) {
        char* field = row == 0 ? d.grid.HeaderRow1Text[column] : d.grid.HeaderRow2Text[column];
        StoreLabel(field, body + LabelFieldsSize, bodyLength - LabelFieldsSize);
      }
      used = bodyLength;
      return 0;
    default:
      used = bodyLength;
      return 0;
  }
}

int32_t DecodePass(Decoder& d, const uint8_t* buffer, size_t length) {
  size_t cursor = 0;
  for (;;) {
    // An EOF record is recognised by its type alone; its length is never read.
    if (length - cursor < 2) return -1;
    uint16_t type = ReadU16(buffer + cursor);
    if (type == Wk1Eof) return 0;
    if (length - cursor < 4) return -1;
    uint16_t bodyLength = ReadU16(buffer + cursor + 2);
    if (bodyLength == 0) return 1;
    cursor += 4;
    if (bodyLength > length - cursor) return -1;
    size_t used = 0;
    int32_t result = HandleRecord(d, type, buffer + cursor, bodyLength, used);
    if (result != 0) return result;
    cursor += used;
  }
}

}  // namespace

int32_t DecodeWk1(WorksheetGrid& grid, const uint8_t* buffer, size_t length) {
  ClearGrid(grid);
  if (buffer == nullptr) length = 0;
  Decoder d{grid, 0, 0xFFFF, 0xFFFF};
  for (d.pass = 0; d.pass < 2; d.pass++) {
    int32_t result = DecodePass(d, buffer, length);
    if (result != 0) return result;
  }
  return 0;
}

}  // namespace qm
