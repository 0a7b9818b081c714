// The Windows clipboard behind the import: the "Wk1" data a spreadsheet offers, read as they
// are, and the clipboard's Unicode text.
#pragma once

#include <cstdint>

#include "import/worksheet_clipboard.h"
#include "win32/windows_api.h"

namespace qm {

class Win32ClipboardReader : public WorksheetClipboard {
 public:
  ClipboardOpening Open() override;
  Wk1Offer TakeWk1(size_t& size) override;
  const uint8_t* LendWk1() override;
  std::u16string_view LendText() override;
  bool Close(uint32_t& systemError) override;

 private:
  UINT wk1Format_ = 0;
  HANDLE wk1_ = nullptr;  // the "Wk1" data
  bool wk1Locked_ = false;
  HANDLE text_ = nullptr;  // the Unicode text, while it is lent
};

}  // namespace qm
