// Reading the dialogs' controls.
#include "win32/dialog_controls.h"

#include "dialogs/dialog_tables.h"

namespace qm {

int32_t GetCheckedRadioButton(HWND dialog, int32_t first, int32_t last) {
  for (int32_t id = first; id <= last; id++) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
  }
  return 0;
}

DialogChoices ReadMainDialogChoices(HWND dialog) {
  DialogChoices choices;
  choices.plotTypeButton = GetCheckedRadioButton(dialog, FirstPlotTypeButton, LastPlotTypeButton);
  choices.splitButton = GetCheckedRadioButton(dialog, FirstSplitButton, LastSplitButton);
  for (const ChoiceFlagBox& box : MainDialogFlagBoxes) {
    choices.*box.flag = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
  }
  return choices;
}

void SetMainDialogChoices(HWND dialog, const DialogChoices& choices) {
  CheckRadioButton(dialog, FirstPlotTypeButton, LastPlotTypeButton, choices.plotTypeButton);
  CheckRadioButton(dialog, FirstSplitButton, LastSplitButton, choices.splitButton);
  for (const ChoiceFlagBox& box : MainDialogFlagBoxes) {
    CheckDlgButton(dialog, box.id, choices.*box.flag ? BST_CHECKED : BST_UNCHECKED);
  }
}

}  // namespace qm
