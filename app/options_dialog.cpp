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

void OptionsDialog::SetMarkLimitValues(bool checked) {
  FindButton(*this, MarkLimitValuesBox)->setChecked(checked);
}

bool OptionsDialog::markLimitValues() const {
  return IsDlgButtonChecked(*this, MarkLimitValuesBox);
}

void OptionsDialog::OnOk() {
  errorBarStyle_ = GetCheckedRadioButton(*this, FirstErrorBarButton, LastErrorBarButton);
  accept();
}

}  // namespace qm
