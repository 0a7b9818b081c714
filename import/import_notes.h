// What an import read in a way the user may not expect, or left out of the grid: numbers beyond
// the import's bounds, rows and columns beyond the grid, texts among numbers, numbers whose
// decimal mark had to be decided. The import keeps what it is bound to keep; these notes make
// sure the user hears of the rest, one line each. Counts and one example: nothing is allocated
// per cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/grid.h"

namespace qm {

// A cell kept as an example: where it stands in the grid and what it held, cut to fit.
struct NotedCell {
  int32_t row = -1;  // grid row; -1 when there is no example
  int32_t column = -1;
  char text[40] = {};  // Windows-1252, NUL-terminated

  bool exists() const { return row >= 0; }
  // Keeps the cell at (row, column) and the first bytes of its text.
  void Keep(int32_t atRow, int32_t atColumn, const char* bytes, size_t length);
};

// What decided the decimal mark of a text range.
enum class DecimalMarkSource : uint8_t {
  Shown,  // numbers whose shape allows only that mark ("1.5", "1,100.5"), more than of the other
  Separator,  // the fields are parted by commas, so the point
  Locale,     // the user's locale
  Default,    // nothing: the point
};

struct ImportNotes {
  // Numbers at or beyond the bounds -999999.999 and 999999.999 (a value that is no number
  // included): read as the Missing value.
  int32_t valuesOutOfBounds = 0;
  NotedCell firstValueOutOfBounds;  // the value in its shortest form
  // How far the range's cells reach, in rows and columns, where they reach beyond the grid (0
  // where they fit): the cells beyond were cut. A range copied by whole columns has empty rows
  // to its end, which lose nothing.
  int64_t rangeRows = 0;
  int64_t rangeColumns = 0;
  // Texts below the two header rows in columns that hold numbers: read as the Missing value.
  int32_t textsAmongNumbers = 0;
  NotedCell firstTextAmongNumbers;
  // Numbers of a text range that read one way with a decimal point and another with a decimal
  // comma ("1,234"), all read with `decimalMark` as `markSource` decided it: those whose mark was
  // taken for grouping, and all of them where the range's numbers did not agree on the mark.
  int32_t eitherWayNumbers = 0;
  NotedCell firstEitherWayNumber;
  double firstEitherWayValue = 0.0;
  char decimalMark = '.';
  DecimalMarkSource markSource = DecimalMarkSource::Default;
  NotedCell shownBy;  // Shown: one of the numbers that show the mark
  // Numbers of a text range within 0.5 of a limit marker, as a spreadsheet shows a marker cell
  // rounded ("-999,999.00", "999999"): read as that marker. Index 0 the below-limit marker,
  // 1 the above-limit one.
  int32_t roundedMarkers[2] = {0, 0};
  NotedCell firstRoundedMarker[2];
};

// Adds what turning a text into WK1 records noted to what the decode of those records noted:
// the numbers read either way, and the text's own size where the records could not count it.
void AddConversionNotes(ImportNotes& notes, const ImportNotes& conversion);

// One line per note, in plain words, naming columns by their header text where they have one.
std::vector<std::string> ImportNoteLines(const ImportNotes& notes, const WorksheetGrid& grid);

}  // namespace qm
