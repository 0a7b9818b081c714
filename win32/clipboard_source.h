// The Windows clipboard behind the import. The "Wk1" data a spreadsheet offers are read as
// they are; without them, the clipboard's Unicode text stands in for them when it holds a
// range, as the WK1 records of that range (every spreadsheet copies cells as tab-separated
// text), so both go through the same import.
#pragma once

#include <cstdint>
#include <vector>

#include "import/clipboard_source.h"
#include "import/import_notes.h"
#include "win32/windows_api.h"

namespace qm {

class Win32ClipboardSource : public ClipboardSource {
 public:
  uint32_t RegisterFormat(const std::string& name) override;
  bool Open() override;
  bool IsFormatAvailable(uint32_t format) override;
  bool GetDataHandle(uint32_t format) override;
  size_t DataSize() override;
  const uint8_t* Lock() override;
  void Unlock() override;
  bool Close() override;
  uint32_t LastErrorCode() override { return GetLastError(); }
  const ImportNotes* ConversionNotes() override { return fromText_ ? &textNotes_ : nullptr; }
  ClipboardDataProblem DataProblem() override { return problem_; }

 private:
  // Whether the text on the clipboard stands in for `format`: it is the "Wk1" format, which
  // is absent, and the text holds a range, or is too large to be read as one (textProblem_ then
  // says why). Fills textRecords_ and textNotes_, once while the clipboard is open. The limit
  // is the one of the text as UTF-8, as on Linux.
  bool TextStandsIn(uint32_t format);

  uint32_t wk1Format_ = 0;
  HANDLE handle_ = nullptr;  // the data of the format itself
  bool fromText_ = false;    // or the records of the text range
  uint32_t textFormat_ = 0;  // the format textRecords_ stand in for; 0 for none
  std::vector<uint8_t> textRecords_;
  ImportNotes textNotes_;
  ClipboardDataProblem textProblem_ = ClipboardDataProblem::None;  // of the text standing in
  ClipboardDataProblem problem_ = ClipboardDataProblem::None;      // of the last GetDataHandle
};

}  // namespace qm
