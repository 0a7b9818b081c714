// A text range turned into WK1 records and imported through the WK1 path.
#include "import/text_range.h"

#include <algorithm>
#include <string>
#include <utility>

#include "import/import_worksheet.h"
#include "import/limits.h"
#include "import/text_encoding.h"
#include "import/text_fields.h"
#include "import/text_number.h"
#include "import/write_wk1.h"

namespace qm {

namespace {

bool IsBlankField(std::string_view field, bool tabIsBlank) {
  for (char c : field) {
    if (c != ' ' && !(tabIsBlank && c == '\t')) return false;
  }
  return true;
}

// A RANGE field holds at most the largest 16-bit number; the decoder caps the counts anyway.
uint16_t RangeEnd(int64_t count) {
  return uint16_t(std::min<int64_t>(count - 1, 0xFFFF));
}

bool InsideGrid(const TextField& field) {
  return field.row < MaxRows && field.column < MaxColumns;
}

// Keeps a field as an example, its blanks left out.
void KeepField(NotedCell& cell, const TextField& field) {
  std::string_view text = field.text;
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  cell.Keep(int32_t(field.row), int32_t(field.column), text.data(), text.size());
}

// The decimal mark of the range's numbers (a first pass over its fields), with `notes` told how
// it was decided: the mark that more numbers show, one of them kept as `shownBy`; where the
// numbers leave it open, the point when commas part the fields (a decimal comma would have to
// be quoted), else the locale's, else the point. `contested` tells that numbers show both.
DecimalMark DecideDecimalMark(std::string_view text, char separator, bool tabIsBlank,
                              DecimalMark localeMark, ImportNotes& notes, bool& contested) {
  int64_t points = 0;
  int64_t commas = 0;
  NotedCell firstPoint;
  NotedCell firstComma;
  TextFieldReader reader(text, separator);
  TextField field{};
  while (reader.Next(field)) {
    if (!InsideGrid(field)) continue;
    switch (ShapeOfTextNumber(field.text, tabIsBlank)) {
      case NumberShape::PointOnly:
        if (points++ == 0) KeepField(firstPoint, field);
        break;
      case NumberShape::CommaOnly:
        if (commas++ == 0) KeepField(firstComma, field);
        break;
      default:
        break;
    }
  }
  contested = points > 0 && commas > 0;
  DecimalMark mark = points > commas ? DecimalMark::Point : DecimalMark::Comma;
  notes.markSource = DecimalMarkSource::Shown;
  if (points == commas) {
    mark = DecimalMark::Point;
    if (separator == ',') {
      notes.markSource = DecimalMarkSource::Separator;
    } else if (localeMark != DecimalMark::Unknown) {
      notes.markSource = DecimalMarkSource::Locale;
      mark = localeMark;
    } else {
      notes.markSource = DecimalMarkSource::Default;
    }
  }
  notes.decimalMark = mark == DecimalMark::Comma ? ',' : '.';
  notes.shownBy = mark == DecimalMark::Comma ? firstComma : firstPoint;
  // Where as many numbers show one mark as the other, the note names one that shows the mark
  // taken.
  if (points == commas && notes.shownBy.exists()) notes.markSource = DecimalMarkSource::Shown;
  return mark;
}

// A spreadsheet copies cells as it shows them: a limit marker formatted with two decimals and
// grouping arrives as "-999,999.00", with none as "-999999". A number that rounds to a marker's
// whole number (-999999 or 999999) is that marker; the result tells which (0 below, 1 above), or
// -1 for any other number.
int32_t RoundedMarker(double value) {
  if (value > -999999.5 && value < -999998.5) return 0;
  if (value > 999998.5 && value < 999999.5) return 1;
  return -1;
}

}  // namespace

bool ClipboardTextIsRange(const char* text, size_t length) {
  if (text == nullptr) return false;
  return std::find_if(text, text + length,
                      [](char c) { return c == '\t' || c == '\n' || c == '\r'; }) != text + length;
}

bool BytesAreText(const uint8_t* bytes, size_t length) {
  if (bytes == nullptr) return length == 0;
  if (length >= 2 &&
      ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    return true;
  }
  return std::find(bytes, bytes + length, uint8_t(0)) == bytes + length;
}

std::vector<uint8_t> WriteTextRangeWk1(const uint8_t* bytes, size_t length, TextRangeKind kind,
                                       TextRangeSize* size, DecimalMark localeMark) {
  const std::string text = TextToCp1252(bytes, length);
  const char separator = kind == TextRangeKind::Csv ? DetectCsvSeparator(text) : '\t';
  const bool tabIsBlank = separator != '\t';

  TextRangeSize found;
  ImportNotes& notes = found.notes;
  bool contested = false;
  const DecimalMark decimal =
      DecideDecimalMark(text, separator, tabIsBlank, localeMark, notes, contested);
  // A number that reads either way is told of where its reading rests on anything but the
  // range's numbers agreeing, and wherever its mark is taken for grouping: that reading is a
  // thousandfold of the other, never to be made without a word. "60.245" beside "4.2" is not.
  const char groupingMark = decimal == DecimalMark::Comma ? '.' : ',';
  const bool noteEveryReading = notes.markSource != DecimalMarkSource::Shown || contested;
  bool anchored = false;
  std::vector<uint8_t> cells;
  std::string scratch;
  TextFieldReader reader(text, separator);
  TextField field{};
  while (reader.Next(field)) {
    found.rows = std::max(found.rows, field.row + 1);
    found.columns = std::max(found.columns, field.column + 1);
    if (IsBlankField(field.text, tabIsBlank)) continue;
    found.holdsCell = true;
    if (field.row >= MaxRows) notes.rangeRows = std::max(notes.rangeRows, field.row + 1);
    if (field.column >= MaxColumns) {
      notes.rangeColumns = std::max(notes.rangeColumns, field.column + 1);
    }
    if (field.row >= MaxRows || field.column >= MaxColumns) continue;
    uint16_t row = uint16_t(field.row);
    uint16_t column = uint16_t(field.column);
    double value = 0.0;
    NumberShape shape = NumberShape::NotANumber;
    if (ParseTextNumber(field.text, decimal, tabIsBlank, value, scratch, &shape)) {
      const int32_t marker = RoundedMarker(value);
      const double markerValue = marker == 0 ? BelowLimitMarker : AboveLimitMarker;
      if (marker >= 0 && value != markerValue) {
        if (notes.roundedMarkers[marker]++ == 0) KeepField(notes.firstRoundedMarker[marker], field);
        value = markerValue;
      }
      AppendWk1Number(cells, column, row, value);
      const bool noted =
          shape == NumberShape::Either &&
          (noteEveryReading || field.text.find(groupingMark) != std::string_view::npos);
      if (noted && notes.eitherWayNumbers++ == 0) {
        KeepField(notes.firstEitherWayNumber, field);
        notes.firstEitherWayValue = value;
      }
    } else {
      size_t kept = std::min(field.text.size(), size_t(MaxHeaderText));
      AppendWk1Label(cells, column, row, field.text.data(), kept);
    }
    if (row == 0 && column == 0) anchored = true;
  }

  std::vector<uint8_t> wk1;
  wk1.reserve(cells.size() + 32);
  AppendWk1Bof(wk1);
  if (found.rows > 0) {
    AppendWk1Range(wk1, 0, 0, RangeEnd(found.columns), RangeEnd(found.rows));
    // The decoder places the range at the smallest row and column of any cell.
    if (!anchored) AppendWk1Label(wk1, 0, 0, "", 0);
  }
  wk1.insert(wk1.end(), cells.begin(), cells.end());
  AppendWk1Eof(wk1);
  if (size != nullptr) *size = found;
  return wk1;
}

ImportResult ImportTextRange(WorksheetGrid& grid, const uint8_t* bytes, size_t length,
                             TextRangeKind kind, DecimalMark localeMark) {
  TextRangeSize size;
  const std::vector<uint8_t> wk1 = WriteTextRangeWk1(bytes, length, kind, &size, localeMark);
  if (!size.holdsCell) {
    ImportResult none;
    none.status = ImportStatus::NoRange;
    return none;
  }
  ImportResult result = ImportWk1Bytes(grid, wk1.data(), wk1.size());
  AddConversionNotes(result.notes, size.notes);
  return result;
}

bool ClipboardTextToWk1(const char* utf8, size_t length, std::vector<uint8_t>& wk1,
                        DecimalMark localeMark, ImportNotes* notes) {
  wk1.clear();
  if (notes != nullptr) *notes = ImportNotes{};
  if (!ClipboardTextIsRange(utf8, length)) return false;
  TextRangeSize size;
  wk1 = WriteTextRangeWk1(reinterpret_cast<const uint8_t*>(utf8), length,
                          TextRangeKind::TabSeparated, &size, localeMark);
  if (!size.holdsCell) wk1.clear();
  if (notes != nullptr && size.holdsCell) *notes = size.notes;
  return size.holdsCell;
}

ImportResult ImportClipboardText(WorksheetGrid& grid, const char* utf8, size_t length,
                                 DecimalMark localeMark) {
  std::vector<uint8_t> wk1;
  ImportNotes conversion;
  if (!ClipboardTextToWk1(utf8, length, wk1, localeMark, &conversion)) {
    ImportResult none;
    none.status = ImportStatus::NoRange;
    return none;
  }
  ImportResult result = ImportWk1Bytes(grid, wk1.data(), wk1.size());
  AddConversionNotes(result.notes, conversion);
  return result;
}

}  // namespace qm
