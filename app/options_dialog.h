// The Options dialog (dialog 129): chooses the error-bar style of the group plot. Opening it
// sets the style to -1; its OK stores the checked style; Cancel leaves -1.
#pragma once

#include <QDialog>
#include <cstdint>

namespace qm {

class OptionsDialog : public QDialog {
 public:
  OptionsDialog(int32_t& errorBarStyle, QWidget* parent);

  void OnOk();

 private:
  int32_t& errorBarStyle_;
};

}  // namespace qm
