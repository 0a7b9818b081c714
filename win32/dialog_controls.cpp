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

}  // namespace qm
