// The control tables of the main dialog, the Options dialog and the About box.
#include "dialogs/dialog_tables.h"

#include <cstddef>

#include "quillmap_version.h"

namespace qm {

namespace {

using K = ControlKind;

constexpr ControlRow kMainControls[] = {
    {OkButton, K::DefaultPushButton, "OK", 260, 7, 50, 14, true, true, true},
    {CancelButton, K::PushButton, "Cancel", 260, 23, 50, 14, true, false, true},
    {TtestButton, K::RadioButton, "Ttest", 7, 7, 32, 10, true, true, true},
    {BoxPlotButton, K::RadioButton, "BoxPLot", 7, 21, 43, 10, true, false, true},
    {DotMatrixButton, K::RadioButton, "DotMatrix", 7, 35, 46, 10, false, false, true},
    {DendrogramButton, K::RadioButton, "Dendrogram", 7, 49, 55, 10, false, false, true},
    {FrequencyButton, K::RadioButton, "Frequency", 7, 63, 49, 10, false, false, true},
    {OddsRatioButton, K::RadioButton, "Odd's Ratio", 7, 77, 53, 10, false, false, true},
    {CumulativeButton, K::RadioButton, "Cumulative", 7, 91, 51, 10, false, false, true},
    {LogFlagBox, K::CheckBox, "LogFlag", 75, 7, 41, 10, true, false, true},
    {LineAt01Box, K::CheckBox, "Line at 0/1", 75, 21, 51, 10, true, false, true},
    {BlueBackgroundBox, K::CheckBox, "Blue background", 75, 35, 70, 10, true, false, true},
    {ConnectingLinesBox, K::CheckBox, "Connecting lines", 75, 50, 68, 10, true, false, true},
    {ColorColumnBox, K::CheckBox, "\"color\" column", 75, 64, 63, 10, false, false, true},
    {SymbolColumnBox, K::CheckBox, "\"symbol\" column", 75, 78, 69, 10, false, false, true},
    {CutOffInRow3Box, K::CheckBox, "Cut-off in row 3", 75, 92, 63, 10, false, false, true},
    {OptionsButton, K::PushButton, "Options", 260, 87, 50, 14, true, false, true},
    {-1, K::GroupBox, "\"split\" column", 177, 23, 76, 49, true, false, false},
    {SplitNoneButton, K::RadioButton, "none", 181, 32, 32, 10, true, true, true},
    {SplitPairedButton, K::RadioButton, "paired 00-11", 181, 44, 55, 10, true, false, true},
    {SplitNonPairedButton, K::RadioButton, "non-paired 01-01", 181, 56, 69, 10, true, false, true},
    // Added to the first release's controls, which keep their places: the preview to their
    // right (the dialog grew to hold it) and the way back to the first choices under Options.
    {DefaultsButton, K::PushButton, "Defaults", 260, 105, 50, 14, true, false, true},
    {PreviewControl, K::Preview, "", 320, 7, 220, 180, true, false, false},
};

constexpr ControlRow kOptionsControls[] = {
    {OkButton, K::DefaultPushButton, "OK", 129, 7, 50, 14, true, true, true},
    {CancelButton, K::PushButton, "Cancel", 129, 29, 50, 14, true, false, true},
    {NoErrorBarButton, K::RadioButton, "No Error Bar", 7, 7, 55, 10, true, true, true},
    {SemButton, K::RadioButton, "SEM", 7, 26, 31, 10, true, false, true},
    {SdButton, K::RadioButton, "SD", 7, 36, 26, 10, true, false, false},
    {IqrButton, K::RadioButton, "IQR", 52, 36, 29, 10, true, false, true},
    {MedianSeButton, K::RadioButton, "Median/SE", 52, 26, 52, 10, true, false, true},
    {MedianButton, K::RadioButton, "Median", 52, 16, 39, 10, true, false, true},
    {MeanButton, K::RadioButton, "Mean", 7, 16, 34, 10, true, false, true},
    {BoxPlotMarkButton, K::RadioButton, "BoxPlot", 52, 47, 40, 10, true, false, true},
    // Added to the first release's controls: after the radio buttons, so the first starts a
    // group.
    {MarkLimitValuesBox, K::CheckBox, "Mark limit values", 7, 66, 80, 10, true, true, true},
    {BoldLinesBox, K::CheckBox, "Bold lines", 7, 80, 80, 10, true, false, true},
    {ShowTestsBox, K::CheckBox, "Show tests", 7, 94, 80, 10, true, false, true},
};

// An icon static takes the size of the icon (the system's large icon), so it has no size here.
// The first line names the release line as it always has; the second gives the build's full
// version, the one --version prints.
constexpr ControlRow kAboutControls[] = {
    {-1, K::Icon, "", 11, 17, 0, 0, true, true, false},
    {-1, K::StaticText, "Quillmap Version 1.0", 40, 10, 119, 8, true, false, false},
    {-1, K::StaticText, "Release " QUILLMAP_VERSION, 40, 25, 119, 8, true, false, false},
    {OkButton, K::DefaultPushButton, "OK", 178, 7, 50, 14, true, true, true},
};

template <size_t N>
constexpr int32_t Count(const ControlRow (&)[N]) {
  return int32_t(N);
}

// The first release's main dialog was 320 x 133; it grew by the preview and its margins.
constexpr DialogTable kMain{"Quillmap", 547, 194, kMainControls, Count(kMainControls)};
constexpr DialogTable kOptions{"Options", 186, 123, kOptionsControls, Count(kOptionsControls)};
constexpr DialogTable kAbout{"About Quillmap", 235, 55, kAboutControls, Count(kAboutControls)};

}  // namespace

const DialogTable& MainDialogTable() {
  return kMain;
}
const DialogTable& OptionsDialogTable() {
  return kOptions;
}
const DialogTable& AboutDialogTable() {
  return kAbout;
}

}  // namespace qm
