// The mapping of the dialogs' buttons onto chart kinds, split modes and summary marks.
#include "dialogs/dialog_choices.h"

#include "dialogs/dialog_tables.h"

namespace qm {

namespace {

struct ChartButton {
  int32_t id;
  ChartKind chart;
};
struct SplitButton {
  int32_t id;
  SplitMode split;
};
struct MarkButton {
  int32_t id;
  SummaryMark mark;
};

// Plot types 1002 ("DotMatrix") and 1003 ("Dendrogram") have no chart: the placeholder.
constexpr ChartButton ChartButtons[] = {
    {TtestButton, ChartKind::GroupPlot},  // "Ttest"
    {BoxPlotButton, ChartKind::BoxPlot},  // "BoxPLot"
};
constexpr SplitButton SplitButtons[] = {
    {SplitNoneButton, SplitMode::None},            // "none"
    {SplitPairedButton, SplitMode::Paired},        // "paired 00-11"
    {SplitNonPairedButton, SplitMode::NonPaired},  // "non-paired 01-01"
};
constexpr MarkButton MarkButtons[] = {
    {NoErrorBarButton, SummaryMark::None},      // "No Error Bar"
    {MeanButton, SummaryMark::Mean},            // "Mean"
    {MedianButton, SummaryMark::Median},        // "Median"
    {SemButton, SummaryMark::Sem},              // "SEM"
    {MedianSeButton, SummaryMark::MedianSe},    // "Median/SE"
    {SdButton, SummaryMark::Sd},                // "SD"
    {IqrButton, SummaryMark::Iqr},              // "IQR"
    {BoxPlotMarkButton, SummaryMark::BoxPlot},  // "BoxPlot"
};

}  // namespace

const ChoiceFlagBox MainDialogFlagBoxes[MainDialogFlagBoxCount] = {
    {LogFlagBox, &DialogChoices::logFlag},
    {LineAt01Box, &DialogChoices::lineAt01},
    {BlueBackgroundBox, &DialogChoices::blueBackground},
    {ConnectingLinesBox, &DialogChoices::connectingLines},
};

const ChoiceFlagBox OptionsDialogFlagBoxes[OptionsDialogFlagBoxCount] = {
    {MarkLimitValuesBox, &DialogChoices::markLimitValues},
    {BoldLinesBox, &DialogChoices::boldLines},
    {ShowTestsBox, &DialogChoices::showTests},
};

PlotSettings SettingsFromChoices(const DialogChoices& choices) {
  PlotSettings settings;
  settings.Chart = ChartKind::Placeholder;
  for (const ChartButton& row : ChartButtons) {
    if (row.id == choices.plotTypeButton) settings.Chart = row.chart;
  }
  for (const SplitButton& row : SplitButtons) {
    if (row.id == choices.splitButton) settings.Split = row.split;
  }
  for (const MarkButton& row : MarkButtons) {
    if (row.id == choices.errorBarStyle) settings.Mark = row.mark;
  }
  settings.LogFlag = choices.logFlag ? 1 : 0;
  settings.LineAt01 = choices.lineAt01 ? 1 : 0;
  settings.BlueBackground = choices.blueBackground ? 1 : 0;
  settings.ConnectingLines = choices.connectingLines ? 1 : 0;
  settings.MarkLimitValues = choices.markLimitValues ? 1 : 0;
  settings.BoldLines = choices.boldLines ? 1 : 0;
  settings.ShowTests = choices.showTests ? 1 : 0;
  return settings;
}

DialogChoices DefaultChoices() {
  DialogChoices choices;
  choices.plotTypeButton = FirstPlotTypeButton;
  choices.splitButton = FirstSplitButton;
  return choices;
}

}  // namespace qm
