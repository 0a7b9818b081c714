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

DialogChoices ReadMainDialogChoices(HWND dialog, int32_t errorBarStyle) {
  auto checked = [dialog](int32_t id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; };
  DialogChoices choices;
  choices.plotTypeButton = GetCheckedRadioButton(dialog, FirstPlotTypeButton, LastPlotTypeButton);
  choices.splitButton = GetCheckedRadioButton(dialog, FirstSplitButton, LastSplitButton);
  choices.logFlag = checked(LogFlagBox);
  choices.blueBackground = checked(BlueBackgroundBox);
  choices.lineAt01 = checked(LineAt01Box);
  choices.connectingLines = checked(ConnectingLinesBox);
  choices.errorBarStyle = errorBarStyle;
  return choices;
}

void SetMainDialogChoices(HWND dialog, const DialogChoices& choices) {
  CheckRadioButton(dialog, FirstPlotTypeButton, LastPlotTypeButton, choices.plotTypeButton);
  CheckRadioButton(dialog, FirstSplitButton, LastSplitButton, choices.splitButton);
  auto check = [dialog](int32_t id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
  };
  check(LogFlagBox, choices.logFlag);
  check(LineAt01Box, choices.lineAt01);
  check(BlueBackgroundBox, choices.blueBackground);
  check(ConnectingLinesBox, choices.connectingLines);
}

}  // namespace qm
