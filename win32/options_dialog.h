// The Options dialog (dialog 129) and the About box (dialog 100).
#pragma once

#include <cstdint>

#include "dialogs/dialog_choices.h"
#include "win32/dialog_window.h"

namespace qm {

// Chooses the error-bar style and the options' check boxes (OptionsDialogFlagBoxes). Opening it
// sets the style to ErrorBarCancelled, which stays when it is cancelled; its OK sets the checked
// button's identifier and the boxes' fields of `options`. It always opens on "No Error Bar",
// whatever was chosen before, and with the boxes as `options` has them.
class OptionsDialog : public DialogWindow {
 public:
  explicit OptionsDialog(DialogChoices& options);

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DialogChoices& options_;
};

// OK (or the close box) closes it.
class AboutDialog : public DialogWindow {
 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm
