// The Options dialog and the About box.
#include "win32/options_dialog.h"

#include "dialogs/dialog_choices.h"
#include "win32/dialog_controls.h"

namespace qm {

OptionsDialog::OptionsDialog(int32_t& errorBarStyle, bool markLimitValues)
    : errorBarStyle_(errorBarStyle), markLimitValues_(markLimitValues) {
  errorBarStyle_ = ErrorBarCancelled;
}

INT_PTR OptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(hwnd(), FirstErrorBarButton, LastErrorBarButton, FirstErrorBarButton);
      CheckDlgButton(hwnd(), MarkLimitValuesBox, markLimitValues_ ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == OkButton) {
        errorBarStyle_ = GetCheckedRadioButton(hwnd(), FirstErrorBarButton, LastErrorBarButton);
        markLimitValues_ = IsDlgButtonChecked(hwnd(), MarkLimitValuesBox) == BST_CHECKED;
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
