// A dialog built from its table and run by the system's dialog manager, modally (the program)
// or modeless (the tests, which then press its buttons with messages). Subclasses handle the
// messages.
#pragma once

#include "base/windows_api.h"
#include "dialogs/dialog_tables.h"
#include "win32/dialog_template.h"

namespace qm {

class DialogWindow {
 public:
  DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  virtual ~DialogWindow();

  // Runs the dialog modally over `parent`; the value it ended with, or -1 when it could not be
  // created.
  INT_PTR RunModal(HWND parent, const DialogTable& table, DialogRole role);
  // Creates the dialog and returns at once; nullptr when it could not be created. The window
  // is destroyed when the dialog ends, or with this object.
  HWND CreateModeless(HWND parent, const DialogTable& table, DialogRole role);

  HWND hwnd() const { return hwnd_; }
  bool ended() const { return ended_; }
  INT_PTR result() const { return result_; }

 protected:
  // The dialog procedure's work: the value it returns (FALSE for the default handling).
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Closes the dialog with `result`.
  void End(INT_PTR result);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace qm
