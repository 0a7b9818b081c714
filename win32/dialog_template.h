// The Win32 builder of the dialog tables: an in-memory dialog template in dialog units, so the
// system lays the dialogs out exactly as the tables say, with the identifiers the program
// refers to on every control.
#pragma once

#include <cstdint>
#include <vector>

#include "dialogs/dialog_tables.h"

namespace qm {

// The dialog's font, as the tables' positions and sizes are measured in its dialog units.
constexpr const wchar_t* DialogFontName = L"MS Sans Serif";
constexpr uint16_t DialogFontPoints = 8;

// The icon resource the About box and the main dialog show.
constexpr uint16_t ApplicationIconId = 128;

enum class DialogRole {
  Main,   // the program's window: shown in the task bar, visible from creation
  Child,  // a dialog opened over the main dialog
};

// A DLGTEMPLATE (with DS_SETFONT) for the table, as 16-bit units in the layout the system reads:
// caption, font, then each control DWORD-aligned with its class, text and identifier. An icon
// control shows icon ApplicationIconId of the module that creates the dialog.
std::vector<uint16_t> BuildDialogTemplate(const DialogTable& table, DialogRole role);

}  // namespace qm
