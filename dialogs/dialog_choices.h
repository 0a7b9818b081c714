// What the dialogs' controls hold, in their own terms (checked button identifiers, check boxes,
// the Options dialog's error-bar style), and the one table that maps them onto the plot run's
// settings. Every front end reads its controls into DialogChoices and asks for the settings
// here, so no control identifier reaches the core.
#pragma once

#include <cstdint>

#include "plot/plot_types.h"

namespace qm {

// The error-bar style before the Options dialog is first opened, and after it was cancelled.
constexpr int32_t ErrorBarNeverChosen = 0;
constexpr int32_t ErrorBarCancelled = -1;

struct DialogChoices {
  int32_t plotTypeButton = 0;  // checked button among 1000..1003, 0 when none is checked
  int32_t splitButton = 0;     // checked button among 1015..1017, 0 when none is checked
  bool logFlag = false;
  bool lineAt01 = false;
  bool blueBackground = false;
  bool connectingLines = false;
  int32_t errorBarStyle = ErrorBarNeverChosen;  // or ErrorBarCancelled, or 1100..1107
  bool markLimitValues = false;                 // the Options dialog's check boxes
  bool boldLines = false;
  bool showTests = false;
};

// The main dialog's check boxes that stand for the four drawing flags.
struct ChoiceFlagBox {
  int32_t id;
  bool DialogChoices::*flag;
};
constexpr int32_t MainDialogFlagBoxCount = 4;
extern const ChoiceFlagBox MainDialogFlagBoxes[MainDialogFlagBoxCount];
// The Options dialog's check boxes, in the dialog's order.
constexpr int32_t OptionsDialogFlagBoxCount = 3;
extern const ChoiceFlagBox OptionsDialogFlagBoxes[OptionsDialogFlagBoxCount];

// The settings the choices stand for: a plot type without a chart of its own draws the
// placeholder; no checked split button means no split; an error-bar style other than
// 1101..1107 draws no summary mark.
PlotSettings SettingsFromChoices(const DialogChoices& choices);

// The choices a first start shows: "Ttest", split "none", every box clear, the Options dialog
// never opened.
DialogChoices DefaultChoices();

}  // namespace qm
