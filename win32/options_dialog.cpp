// The Options dialog and the About box.
#include "win32/options_dialog.h"

#include "dialogs/dialog_choices.h"
#include "win32/dialog_controls.h"

namespace qm {

OptionsDialog::OptionsDialog(int32_t& errorBarStyle) : errorBarStyle_(errorBarStyle) {
  errorBarStyle_ = ErrorBarCancelled;
}

INT_PTR OptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(hwnd(), FirstErrorBarButton, LastErrorBarButton, FirstErrorBarButton);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == OkButton) {
        errorBarStyle_ = GetCheckedRadioButton(hwnd(), FirstErrorBarButton, LastErrorBarButton);
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
