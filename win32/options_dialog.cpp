// The Options dialog and the About box.
#include "win32/options_dialog.h"

#include "dialogs/dialog_choices.h"
#include "win32/dialog_controls.h"

namespace qm {

OptionsDialog::OptionsDialog(DialogChoices& options) : options_(options) {
  options_.errorBarStyle = ErrorBarCancelled;
}

INT_PTR OptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(hwnd(), FirstErrorBarButton, LastErrorBarButton, FirstErrorBarButton);
      for (const ChoiceFlagBox& box : OptionsDialogFlagBoxes)
        CheckDlgButton(hwnd(), box.id, options_.*box.flag ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == OkButton) {
        options_.errorBarStyle =
            GetCheckedRadioButton(hwnd(), FirstErrorBarButton, LastErrorBarButton);
        for (const ChoiceFlagBox& box : OptionsDialogFlagBoxes)
          options_.*box.flag = IsDlgButtonChecked(hwnd(), box.id) == BST_CHECKED;
        End(IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == CancelButton) {
        End(IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == OkButton || LOWORD(wParam) == CancelButton)) {
    End(LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace qm
