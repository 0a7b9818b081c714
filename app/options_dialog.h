// The Options dialog (dialog 129): chooses the error-bar style of the group plot. Opening it
// sets the style to -1; its OK stores the checked style; Cancel leaves -1. Its check box
// "Mark limit values" opens as the caller sets it and is read by the caller after an OK.
#pragma once

#include <QDialog>
#include <cstdint>

namespace qm {

class OptionsDialog : public QDialog {
 public:
  OptionsDialog(int32_t& errorBarStyle, QWidget* parent);

  void OnOk();

  void SetMarkLimitValues(bool checked);
  bool markLimitValues() const;

 private:
  int32_t& errorBarStyle_;
};

}  // namespace qm
