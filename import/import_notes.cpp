// The notes of an import and their lines.
#include "import/import_notes.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "import/codepage.h"

namespace qm {

namespace {

std::string Shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// "3 values", "1 value".
std::string Count(int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "row 3, column "Dose"": rows counted from 1 as in the range, a column by its name where it
// has one.
std::string Place(const NotedCell& cell, const WorksheetGrid& grid) {
  std::string place = "row " + std::to_string(int64_t(cell.row) + 1) + ", column ";
  const bool named = cell.column >= 0 && cell.column < MaxColumns &&
                     cell.column < grid.ColumnCount && grid.HeaderRow1Text[cell.column][0] != '\0';
  if (named) return place + '"' + Cp1252ToShownUtf8(grid.HeaderRow1Text[cell.column]) + '"';
  return place + std::to_string(int64_t(cell.column) + 1);
}

std::string Escaped(const char* text) {
  return Cp1252ToShownUtf8(text);
}

std::string Quoted(const NotedCell& cell) {
  std::string quoted(1, '"');
  quoted += Escaped(cell.text);
  quoted += '"';
  return quoted;
}

std::string EitherWayLine(const ImportNotes& notes, const WorksheetGrid& grid) {
  const int32_t more = notes.eitherWayNumbers - 1;
  std::string line =
      Quoted(notes.firstEitherWayNumber) + " (" + Place(notes.firstEitherWayNumber, grid) + ")" +
      (more > 0 ? " and " + Count(more, "more number", "more numbers") : "") +
      (more > 0 ? " were" : " was") + " read as " + Shortest(notes.firstEitherWayValue) + ": ";
  const char* mark = notes.decimalMark == ',' ? "comma" : "point";
  switch (notes.markSource) {
    case DecimalMarkSource::Shown:
      return line + "the decimal mark is a " + mark + ", as " + Quoted(notes.shownBy) + " (" +
             Place(notes.shownBy, grid) + ") shows";
    case DecimalMarkSource::Separator:
      return line + "commas part the fields, so the decimal mark is taken to be a point";
    case DecimalMarkSource::Locale:
      return line +
             "nothing in the range shows whether the decimal mark is a point or a comma, and "
             "the user's locale has a " +
             mark;
    case DecimalMarkSource::Default:
      break;
  }
  return line +
         "nothing in the range shows whether the decimal mark is a point or a comma, so it is "
         "taken to be a point";
}

}  // namespace

void NotedCell::Keep(int32_t atRow, int32_t atColumn, const char* bytes, size_t length) {
  row = atRow;
  column = atColumn;
  const size_t kept = std::min(length, sizeof text - 1);
  std::memcpy(text, bytes, kept);
  text[kept] = '\0';
}

void AddConversionNotes(ImportNotes& notes, const ImportNotes& conversion) {
  notes.rangeRows = std::max(notes.rangeRows, conversion.rangeRows);
  notes.rangeColumns = std::max(notes.rangeColumns, conversion.rangeColumns);
  notes.eitherWayNumbers = conversion.eitherWayNumbers;
  notes.firstEitherWayNumber = conversion.firstEitherWayNumber;
  notes.firstEitherWayValue = conversion.firstEitherWayValue;
  notes.decimalMark = conversion.decimalMark;
  notes.shownBy = conversion.shownBy;
  notes.markSource = conversion.markSource;
  for (int32_t k = 0; k < 2; k++) {
    notes.roundedMarkers[k] = conversion.roundedMarkers[k];
    notes.firstRoundedMarker[k] = conversion.firstRoundedMarker[k];
  }
}

std::vector<std::string> ImportNoteLines(const ImportNotes& notes, const WorksheetGrid& grid) {
  std::vector<std::string> lines;
  if (notes.rangeRows > MaxRows) {
    lines.push_back("The range has cells in " + std::to_string(notes.rangeRows) +
                    " rows: only the first " + std::to_string(MaxRows) + " were read");
  }
  if (notes.rangeColumns > MaxColumns) {
    lines.push_back("The range has cells in " + std::to_string(notes.rangeColumns) +
                    " columns: only the first " + std::to_string(MaxColumns) + " were read");
  }
  if (notes.valuesOutOfBounds > 0) {
    const NotedCell& first = notes.firstValueOutOfBounds;
    lines.push_back(Count(notes.valuesOutOfBounds, "value", "values") +
                    " outside -999999.999 to 999999.999 " +
                    (notes.valuesOutOfBounds == 1 ? "was" : "were") + " read as Missing (" +
                    (notes.valuesOutOfBounds == 1 ? "" : "the first: ") +
                    Cp1252ToShownUtf8(first.text) + ", " + Place(first, grid) + ")");
  }
  if (notes.textsAmongNumbers > 0) {
    const NotedCell& first = notes.firstTextAmongNumbers;
    const bool one = notes.textsAmongNumbers == 1;
    lines.push_back(Count(notes.textsAmongNumbers, "text", "texts") +
                    (one ? " in a column of numbers was" : " in columns of numbers were") +
                    " read as Missing (" + (one ? "" : "the first: ") + Quoted(first) + ", " +
                    Place(first, grid) + ")");
  }
  if (notes.eitherWayNumbers > 0) lines.push_back(EitherWayLine(notes, grid));
  for (int32_t k = 0; k < 2; k++) {
    const int32_t n = notes.roundedMarkers[k];
    if (n == 0) continue;
    lines.push_back(Count(n, "value", "values") + " such as " +
                    Escaped(notes.firstRoundedMarker[k].text) + (n == 1 ? " was" : " were") +
                    (k == 0 ? " read as the below-limit marker -999998.999"
                            : " read as the above-limit marker 999998.999"));
  }
  return lines;
}

}  // namespace qm
