// The Windows clipboard behind the import: the "Wk1" data a spreadsheet offers, read as they
// are, and the clipboard's Unicode text.
#pragma once

#include <memory>

#include "import/worksheet_clipboard.h"

namespace qm {

// The system's clipboard, read with RegisterClipboardFormatW, OpenClipboard, GetClipboardData
// (the "Wk1" format and CF_UNICODETEXT), GlobalSize, GlobalLock and CloseClipboard.
std::unique_ptr<WorksheetClipboard> NewWindowsClipboardReader();

}  // namespace qm
