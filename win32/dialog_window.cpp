// Running a dialog from its template, with the object as the dialog procedure's state.
#include "win32/dialog_window.h"

#include <vector>

namespace qm {

DialogWindow::~DialogWindow() {
  if (!modal_ && hwnd_ != nullptr) DestroyWindow(hwnd_);
}

INT_PTR DialogWindow::RunModal(HWND parent, const DialogTable& table, DialogRole role) {
  const std::vector<uint16_t> units = BuildDialogTemplate(table, role);
  modal_ = true;
  ended_ = false;
  const INT_PTR result = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(units.data()), parent,
      &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result;
}

HWND DialogWindow::CreateModeless(HWND parent, const DialogTable& table, DialogRole role) {
  const std::vector<uint16_t> units = BuildDialogTemplate(table, role);
  modal_ = false;
  ended_ = false;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                    reinterpret_cast<const DLGTEMPLATE*>(units.data()), parent,
                                    &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
}

void DialogWindow::End(INT_PTR result) {
  ended_ = true;
  result_ = result;
  if (modal_) {
    EndDialog(hwnd_, result);
  } else {
    HWND window = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(window);
  }
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<DialogWindow*>(lParam)->hwnd_ = window;
  }
  auto* dialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr || dialog->hwnd_ != window) return FALSE;
  return dialog->OnMessage(message, wParam, lParam);
}

}  // namespace qm
