// The clipboard step of the import: fetches the "Wk1" bytes, decodes them into the worksheet grid,
// turns every failure into a message and a code, and warns when the header rows hold numbers.
#pragma once

#include <cstdint>

#include "import/clipboard_source.h"
#include "import/grid.h"
#include "import/message_sink.h"

namespace qm {

// The clipboard format a spreadsheet offers a copied range in.
constexpr const char* Wk1FormatName = "Wk1";

// 0 on success; 1 to 7 and 9 for the clipboard's failures; 108, 208 or -92 when the decoder
// returns 1, 2 or -1 (its code times 100 plus 8).
int32_t ImportWorksheet(WorksheetGrid& grid, ClipboardSource& clipboard, MessageSink& messages);

}  // namespace qm
