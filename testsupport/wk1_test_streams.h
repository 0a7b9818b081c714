// Building WK1 byte streams record by record for the import's tests, including malformed records
// that the writer never produces.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace qm::test {

using Bytes = std::vector<uint8_t>;

// A record header with the body length the body actually has.
inline Bytes Record(uint16_t type, const Bytes& body) {
  Bytes out;
  AppendU16(out, type);
  AppendU16(out, uint16_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes CellFields(uint16_t column, uint16_t row) {
  Bytes out{0xFF};
  AppendU16(out, column);
  AppendU16(out, row);
  return out;
}

inline Bytes Bof(uint16_t version = 0x0406) {
  Bytes body;
  AppendU16(body, version);
  return Record(0, body);
}

inline Bytes Eof() {
  return Bytes{1, 0, 0, 0};
}

inline Bytes Range(uint16_t firstColumn, uint16_t firstRow, uint16_t lastColumn, uint16_t lastRow) {
  Bytes body;
  for (uint16_t v : {firstColumn, firstRow, lastColumn, lastRow}) AppendU16(body, v);
  return Record(6, body);
}

inline Bytes Integer(uint16_t column, uint16_t row, uint16_t bits) {
  Bytes body = CellFields(column, row);
  AppendU16(body, bits);
  return Record(13, body);
}

inline Bytes Number(uint16_t column, uint16_t row, double value) {
  Bytes body = CellFields(column, row);
  AppendDouble(body, value);
  return Record(14, body);
}

inline Bytes Formula(uint16_t column, uint16_t row, double value, const Bytes& formula) {
  Bytes body = CellFields(column, row);
  AppendDouble(body, value);
  AppendU16(body, uint16_t(formula.size()));
  body.insert(body.end(), formula.begin(), formula.end());
  return Record(16, body);
}

// A LABEL with the "'" prefix, the text and a closing NUL.
inline Bytes Label(uint16_t column, uint16_t row, const std::string& text) {
  Bytes body = CellFields(column, row);
  body.push_back('\'');
  body.insert(body.end(), text.begin(), text.end());
  body.push_back(0);
  return Record(15, body);
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

}  // namespace qm::test
