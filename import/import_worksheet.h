// The import of a worksheet range: WK1 bytes (a file's, or a text range's stream) decoded into
// the grid, and the clipboard step that fetches the "Wk1" bytes first. Both return an
// ImportResult; the texts the program shows for it come from ImportMessage and ImportWarning, so
// the caller decides where they go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/decode_wk1.h"
#include "import/grid.h"
#include "import/import_notes.h"
#include "import/message_sink.h"
#include "import/text_number.h"
#include "import/worksheet_clipboard.h"

namespace qm {

// The clipboard format a spreadsheet offers a copied range in.
constexpr const char* Wk1FormatName = "Wk1";

// How an import ended. The numbers are the import's codes (quillmap-cli reports them).
enum class ImportStatus : int32_t {
  Ok = 0,
  FormatNotRegistered = 1,
  ClipboardNotOpened = 2,
  NoRange = 3,  // no "Wk1" data on the clipboard; a text holding no cell
  NoDataHandle = 4,
  TooShort = 5,  // fewer than 2 bytes
  OutOfMemory = 6,
  NotLocked = 7,
  DecodeFailed = 8,
  ClipboardNotClosed = 9,
};

struct ImportResult {
  ImportStatus status = ImportStatus::Ok;
  Wk1DecodeStatus decoded = Wk1DecodeStatus::Ok;  // the decoder's status, for DecodeFailed
  size_t dataSize = 0;                            // the data's size, for TooShort
  uint32_t systemError = 0;                       // the system's code, for ClipboardNotClosed
  ClipboardDataProblem dataProblem = ClipboardDataProblem::None;  // for NoDataHandle
  bool headerRowsHoldValues = false;  // Ok, with numbers in rows 1 and 2
  ImportNotes notes;                  // Ok: what the grid could not keep as it was

  bool ok() const { return status == ImportStatus::Ok; }
  // The import's code: 0 on success, 1 to 7 and 9 for the clipboard's failures, and 108, 208
  // or -92 for a failed decode (the decoder's code times 100 plus 8).
  int32_t Code() const;
};

// The text of the program's own box for a failed import ("Problem opening Clipboard", "Error 1
// reading wk1-data", ...); empty for a result that shows none (success, no range, a format that
// cannot be registered).
std::string ImportMessage(const ImportResult& result);
// The framework box's warning of a successful import whose header rows hold numbers ("Warning:
// rows 1/2 contain VALUES\n"); empty otherwise.
std::string ImportWarning(const ImportResult& result);
// Shows ImportMessage in the program's own box and ImportWarning in the framework's, where
// they are not empty.
void ShowImportMessages(const ImportResult& result, MessageSink& messages);

// Decodes `size` bytes of WK1 records into the grid and checks the header rows for numbers.
ImportResult ImportWk1Bytes(WorksheetGrid& grid, const uint8_t* bytes, size_t size);

// The clipboard step: fetches the "Wk1" data (a private copy of it) and decodes it with
// ImportWk1Bytes, then closes the clipboard. Without "Wk1" data, or when they cannot be had, the
// clipboard's text stands in for them when it holds a range (every spreadsheet copies cells as
// tab-separated text), read as ImportClipboardText reads it with `localeMark`; text larger than
// MaxInputBytes as UTF-8, and "Wk1" data larger than that, are not taken (NoDataHandle, with
// dataProblem saying why).
ImportResult ImportWorksheet(WorksheetGrid& grid, WorksheetClipboard& clipboard,
                             DecimalMark localeMark = DecimalMark::Unknown);

}  // namespace qm
