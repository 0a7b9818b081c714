// The Options dialog (dialog 129) and the About box (dialog 100).
#pragma once

#include <cstdint>

#include "win32/dialog_window.h"

namespace qm {

// Chooses the error-bar style. Opening it sets the style to ErrorBarCancelled, which stays
// when it is cancelled; its OK sets the checked button's identifier. It always opens on
// "No Error Bar", whatever was chosen before.
class OptionsDialog : public DialogWindow {
 public:
  explicit OptionsDialog(int32_t& errorBarStyle);

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int32_t& errorBarStyle_;
};

// OK (or the close box) closes it.
class AboutDialog : public DialogWindow {
 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm
