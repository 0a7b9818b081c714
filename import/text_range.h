// Spreadsheet ranges as text: the tab-separated text every spreadsheet puts on the clipboard when
// it copies cells, and CSV/TSV files. The text becomes a WK1 stream of the same range, which the
// WK1 import then reads, so that a text range obeys every rule of a "Wk1" range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "import/grid.h"
#include "import/import_notes.h"
#include "import/import_worksheet.h"
#include "import/text_number.h"

namespace qm {

enum class TextRangeKind {
  TabSeparated,  // clipboard text, .tsv and .txt files
  Csv,           // comma-, semicolon- (or tab-) separated, as DetectCsvSeparator finds
};

// What the text held, whatever the grid can keep of it.
struct TextRangeSize {
  int64_t rows = 0;        // lines
  int64_t columns = 0;     // the most fields of any line
  bool holdsCell = false;  // some field is neither empty nor blank
  ImportNotes notes;       // the numbers read either way, the size where the grid cuts it
};

// Whether clipboard text is to be read as a range: it holds a tab or a line break. A lone word
// copied from a document is not a range.
bool ClipboardTextIsRange(const char* text, size_t length);

// Whether bytes of unknown kind are to be read as text: they open with a UTF-16 byte order mark
// or hold no NUL byte (other binary data, a WK1 stream among them, nearly always does).
bool BytesAreText(const uint8_t* bytes, size_t length);

// The WK1 stream of a text range: BOF, RANGE from the first line and field to the last line and
// the widest line, a NUMBER record for every number field and a LABEL record (cut at 255
// characters) for every other non-blank field at worksheet row = line index and column = field
// index, EOF. Fields beyond MaxRows lines or MaxColumns fields get no record. When the range's
// first field is empty, an empty LABEL stands there so that the range still starts at it (it
// reads as the Missing value, as an empty cell does). A text without lines gives BOF and EOF.
//
// The decimal mark is decided once for the whole range, from the numbers whose shape allows only
// one (ShapeOfTextNumber): the mark more of them show. Where they show none, or as many of one
// as of the other, it is the point when commas part the fields, else `localeMark` (the user's
// locale's), else the point. It settles only the numbers that read either way ("1,234");
// `size->notes` tells of them.
//
// A number within 0.5 of a limit marker's whole number, -999999 or 999999 (a marker cell as the
// spreadsheet shows it, rounded: "-999,999.00"), is written as that marker, and `size->notes`
// counts it.
std::vector<uint8_t> WriteTextRangeWk1(const uint8_t* bytes, size_t length, TextRangeKind kind,
                                       TextRangeSize* size = nullptr,
                                       DecimalMark localeMark = DecimalMark::Unknown);

// Imports a text range the way the "Wk1" data of a clipboard are imported, with the same results
// and warning, and with the notes of the text's conversion added; NoRange when the text holds no
// cell at all.
ImportResult ImportTextRange(WorksheetGrid& grid, const uint8_t* bytes, size_t length,
                             TextRangeKind kind, DecimalMark localeMark = DecimalMark::Unknown);

// The desktop program's fallback when the clipboard holds no "Wk1" data: true, with `wk1` set to
// the WK1 stream to import as if it were the "Wk1" data, when the clipboard's text (UTF-8) is a
// range (ClipboardTextIsRange) that holds at least one cell; false when the import is to end with
// NoRange as before. `notes`, when given, receives the notes of the conversion.
bool ClipboardTextToWk1(const char* utf8, size_t length, std::vector<uint8_t>& wk1,
                        DecimalMark localeMark = DecimalMark::Unknown,
                        ImportNotes* notes = nullptr);

// ImportWk1Bytes over ClipboardTextToWk1's stream with its notes added, or NoRange when it gives
// none.
ImportResult ImportClipboardText(WorksheetGrid& grid, const char* utf8, size_t length,
                                 DecimalMark localeMark = DecimalMark::Unknown);

}  // namespace qm
