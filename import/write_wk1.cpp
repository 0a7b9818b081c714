// WK1 record writers.
#include "import/write_wk1.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "base/little_endian.h"
#include "import/decode_wk1.h"

namespace qm {

namespace {

// The format byte of a cell: protected, default display format.
constexpr uint8_t DefaultCellFormat = 0xFF;

void AppendHeader(std::vector<uint8_t>& bytes, uint16_t type, size_t bodyLength) {
  AppendU16(bytes, type);
  AppendU16(bytes, uint16_t(bodyLength));
}

void AppendCellFields(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row) {
  bytes.push_back(DefaultCellFormat);
  AppendU16(bytes, column);
  AppendU16(bytes, row);
}

}  // namespace

void AppendWk1Bof(std::vector<uint8_t>& bytes) {
  AppendHeader(bytes, Wk1Bof, 2);
  AppendU16(bytes, Wk1Version1030);
}

void AppendWk1Range(std::vector<uint8_t>& bytes, uint16_t firstColumn, uint16_t firstRow,
                    uint16_t lastColumn, uint16_t lastRow) {
  AppendHeader(bytes, Wk1Range, 8);
  AppendU16(bytes, firstColumn);
  AppendU16(bytes, firstRow);
  AppendU16(bytes, lastColumn);
  AppendU16(bytes, lastRow);
}

void AppendWk1Integer(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, int16_t value) {
  AppendHeader(bytes, Wk1Integer, 7);
  AppendCellFields(bytes, column, row);
  AppendU16(bytes, uint16_t(value));
}

void AppendWk1Number(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, double value) {
  AppendHeader(bytes, Wk1Number, 13);
  AppendCellFields(bytes, column, row);
  AppendDouble(bytes, value);
}

void AppendWk1Value(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, double value) {
  bool whole = value >= -32768.0 && value <= 32767.0 && value == std::trunc(value);
  if (whole && !(value == 0.0 && std::signbit(value))) {
    AppendWk1Integer(bytes, column, row, int16_t(value));
  } else {
    AppendWk1Number(bytes, column, row, value);
  }
}

void AppendWk1Label(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, const char* text,
                    size_t length) {
  length = std::min(length, MaxWk1LabelText);
  AppendHeader(bytes, Wk1Label, 6 + length + 1);
  AppendCellFields(bytes, column, row);
  bytes.push_back('\'');
  bytes.insert(bytes.end(), text, text + length);
  bytes.push_back(0);
}

void AppendWk1Eof(std::vector<uint8_t>& bytes) {
  AppendHeader(bytes, Wk1Eof, 0);
}

std::vector<uint8_t> WriteWk1(const WorksheetGrid& grid) {
  std::vector<uint8_t> bytes;
  AppendWk1Bof(bytes);
  if (grid.RowCount > 0 && grid.ColumnCount > 0) {
    int32_t rows = std::min(grid.RowCount, MaxRows);
    int32_t columns = std::min(grid.ColumnCount, MaxColumns);
    AppendWk1Range(bytes, 0, 0, uint16_t(columns - 1), uint16_t(rows - 1));
    for (int32_t c = 0; c < columns; c++) {
      const char* name = grid.HeaderRow1Text[c];
      const char* second = grid.HeaderRow2Text[c];
      AppendWk1Label(bytes, uint16_t(c), 0, name, strnlen(name, MaxHeaderText));
      size_t secondLength = strnlen(second, MaxHeaderText);
      if (secondLength > 0) AppendWk1Label(bytes, uint16_t(c), 1, second, secondLength);
    }
    const uint64_t missingBits = std::bit_cast<uint64_t>(MissingValue);
    for (int32_t r = 0; r < rows; r++) {
      for (int32_t c = 0; c < columns; c++) {
        double value = grid.Values[r][c];
        if (std::bit_cast<uint64_t>(value) != missingBits) {
          AppendWk1Value(bytes, uint16_t(c), uint16_t(r), value);
        }
      }
    }
  }
  AppendWk1Eof(bytes);
  return bytes;
}

}  // namespace qm
