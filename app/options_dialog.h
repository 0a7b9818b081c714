// The Options dialog (dialog 129): chooses the error-bar style of the group plot. Opening it
// sets the style to -1; its OK stores the checked style; Cancel leaves -1. Its check boxes
// ("Mark limit values", "Bold lines", "Show tests") open as the caller sets them and are read by
// the caller after an OK.
#pragma once

#include <QDialog>
#include <cstdint>

#include "dialogs/dialog_choices.h"

namespace qm {

class OptionsDialog : public QDialog {
 public:
  OptionsDialog(int32_t& errorBarStyle, QWidget* parent);

  void OnOk();

  // The check boxes from and to the fields OptionsDialogFlagBoxes name.
  void SetCheckBoxes(const DialogChoices& choices);
  void ReadCheckBoxes(DialogChoices& choices) const;

 private:
  int32_t& errorBarStyle_;
};

}  // namespace qm
