// The WK1 record decoder: walks a buffer of WK1 worksheet records twice and fills the worksheet
// grid. Needs nothing of the platform, so it runs on clipboard data, files and fuzz input alike.
#pragma once

#include <cstddef>
#include <cstdint>

#include "import/grid.h"
#include "import/import_notes.h"

namespace qm {

// WK1 record types the decoder reads; every other type is skipped by its body length.
enum Wk1RecordType : uint16_t {
  Wk1Bof = 0,
  Wk1Eof = 1,
  Wk1Range = 6,
  Wk1Integer = 13,
  Wk1Number = 14,
  Wk1Label = 15,
  Wk1Formula = 16,
};

// The two BOF versions accepted.
constexpr uint16_t Wk1Version1028 = 0x0404;
constexpr uint16_t Wk1Version1030 = 0x0406;

// How a decode ended. The numbers are the decoder's codes, which the import's code carries.
enum class Wk1DecodeStatus : int32_t {
  Ok = 0,
  EmptyRecord = 1,   // a record other than EOF has body length 0
  OtherVersion = 2,  // a BOF record carries a version other than the two accepted
  // The stream would be read past its end: a body, a record header or a handled record's
  // fields running past the buffer or the record's body, or no EOF record.
  PastTheEnd = -1,
};

// Resets the grid and decodes `length` bytes of WK1 records into it. `notes`, when given, learns
// what the grid could not keep: numbers beyond the bounds, rows and columns beyond the grid, texts
// below the header rows of columns that hold numbers (ImportNotes).
Wk1DecodeStatus DecodeWk1(WorksheetGrid& grid, const uint8_t* buffer, size_t length,
                          ImportNotes* notes = nullptr);

}  // namespace qm
