// The About box: built from its table; OK closes it.
#include "app/about_dialog.h"

#include <QAbstractButton>

#include "app/dialog_builder.h"

namespace qm {

AboutDialog::AboutDialog(const QIcon& icon, QWidget* parent) : QDialog(parent) {
  BuildDialog(*this, AboutDialogTable(), icon);
  connect(FindButton(*this, OkButton), &QAbstractButton::clicked, this, &QDialog::accept);
}

}  // namespace qm
