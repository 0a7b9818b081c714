// The Options dialog: always opens on "No Error Bar", whatever was chosen before.
#include "app/options_dialog.h"

#include <QAbstractButton>

#include "app/dialog_builder.h"
#include "dialogs/dialog_choices.h"

namespace qm {

OptionsDialog::OptionsDialog(int32_t& errorBarStyle, QWidget* parent)
    : QDialog(parent), errorBarStyle_(errorBarStyle) {
  errorBarStyle_ = ErrorBarCancelled;
  BuildDialog(*this, OptionsDialogTable(), QIcon());
  CheckRadioButton(*this, FirstErrorBarButton, LastErrorBarButton, FirstErrorBarButton);
  connect(FindButton(*this, OkButton), &QAbstractButton::clicked, this, [this] { OnOk(); });
  connect(FindButton(*this, CancelButton), &QAbstractButton::clicked, this, &QDialog::reject);
}

void OptionsDialog::SetCheckBoxes(const DialogChoices& choices) {
  for (const ChoiceFlagBox& box : OptionsDialogFlagBoxes)
    FindButton(*this, box.id)->setChecked(choices.*box.flag);
}

void OptionsDialog::ReadCheckBoxes(DialogChoices& choices) const {
  for (const ChoiceFlagBox& box : OptionsDialogFlagBoxes)
    choices.*box.flag = IsDlgButtonChecked(*this, box.id);
}

void OptionsDialog::OnOk() {
  errorBarStyle_ = GetCheckedRadioButton(*this, FirstErrorBarButton, LastErrorBarButton);
  accept();
}

}  // namespace qm
