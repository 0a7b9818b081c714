// The Options dialog (dialog 129) and the About box (dialog 100).
#pragma once

#include <cstdint>

#include "win32/dialog_window.h"

namespace qm {

// Chooses the error-bar style and whether limit values are marked. Opening it sets the style to
// ErrorBarCancelled, which stays when it is cancelled; its OK sets the checked button's
// identifier. It always opens on "No Error Bar", whatever was chosen before, and with "Mark limit
// values" as the caller has it.
class OptionsDialog : public DialogWindow {
 public:
  OptionsDialog(int32_t& errorBarStyle, bool markLimitValues);

  // The check box as OK left it; as it was given when the dialog was cancelled.
  bool markLimitValues() const { return markLimitValues_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int32_t& errorBarStyle_;
  bool markLimitValues_;
};

// OK (or the close box) closes it.
class AboutDialog : public DialogWindow {
 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm
