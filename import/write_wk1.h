// Writing WK1 worksheet records: small appenders for single records at a worksheet column and row,
// and a whole grid as a stream that DecodeWk1 reads back into the same grid. The text import
// builds its WK1 stream with the same appenders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "import/grid.h"

namespace qm {

// The longest LABEL text whose body (fields, prefix, text, NUL) still fits a 16-bit length.
constexpr size_t MaxWk1LabelText = 0xFFFF - 7;

// BOF with version 0x0406.
void AppendWk1Bof(std::vector<uint8_t>& bytes);
void AppendWk1Range(std::vector<uint8_t>& bytes, uint16_t firstColumn, uint16_t firstRow,
                    uint16_t lastColumn, uint16_t lastRow);
void AppendWk1Integer(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, int16_t value);
void AppendWk1Number(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, double value);
// An INTEGER record for a whole number in the signed 16-bit range (negative zero excepted, so
// the value reads back bit for bit), a NUMBER record otherwise.
void AppendWk1Value(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, double value);
// A left-aligned LABEL ("'" prefix) with `length` bytes of text and a closing NUL; a longer text
// is cut at MaxWk1LabelText bytes.
void AppendWk1Label(std::vector<uint8_t>& bytes, uint16_t column, uint16_t row, const char* text,
                    size_t length);
void AppendWk1Eof(std::vector<uint8_t>& bytes);

// The grid as a WK1 stream at worksheet cell A1: BOF, RANGE, the header texts as labels in rows 0
// and 1, every value other than the Missing value, EOF. Every column gets a row-0 label, empty
// or not, so the decoder finds the range's top-left corner at A1. A grid without rows or columns
// gives BOF and EOF only.
std::vector<uint8_t> WriteWk1(const WorksheetGrid& grid);

}  // namespace qm
