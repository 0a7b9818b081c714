// The About box (dialog 100): the application icon, the version line and one more line.
#pragma once

#include <QDialog>

namespace qm {

class AboutDialog : public QDialog {
 public:
  AboutDialog(const QIcon& icon, QWidget* parent);
};

}  // namespace qm
