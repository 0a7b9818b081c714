// What the Windows dialogs read and set on their controls, in the terms of the dialog tables.
#pragma once

#include <cstdint>

#include "base/windows_api.h"
#include "dialogs/dialog_choices.h"

namespace qm {

// The checked button among the identifiers first..last; 0 when none is checked.
int32_t GetCheckedRadioButton(HWND dialog, int32_t first, int32_t last);

// The main dialog's controls as choices (the Options dialog's fields left at their defaults).
DialogChoices ReadMainDialogChoices(HWND dialog);
// Checks the main dialog's buttons and boxes as `choices` say; a button identifier outside its
// group checks none of the group.
void SetMainDialogChoices(HWND dialog, const DialogChoices& choices);

}  // namespace qm
