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
    {1000, ChartKind::GroupPlot},  // "Ttest"
    {1001, ChartKind::BoxPlot},    // "BoxPLot"
};
constexpr SplitButton SplitButtons[] = {
    {1015, SplitMode::None},       // "none"
    {1016, SplitMode::Paired},     // "paired 00-11"
    {1017, SplitMode::NonPaired},  // "non-paired 01-01"
};
constexpr MarkButton MarkButtons[] = {
    {1100, SummaryMark::None},      // "No Error Bar"
    {1101, SummaryMark::Mean},      // "Mean"
    {1102, SummaryMark::Median},    // "Median"
    {1103, SummaryMark::Sem},       // "SEM"
    {1104, SummaryMark::MedianSe},  // "Median/SE"
    {1105, SummaryMark::Sd},        // "SD"
    {1106, SummaryMark::Iqr},       // "IQR"
    {1107, SummaryMark::BoxPlot},   // "BoxPlot"
};

}  // namespace

const ChoiceFlagBox MainDialogFlagBoxes[MainDialogFlagBoxCount] = {
    {LogFlagBox, &DialogChoices::logFlag},
    {LineAt01Box, &DialogChoices::lineAt01},
    {BlueBackgroundBox, &DialogChoices::blueBackground},
    {ConnectingLinesBox, &DialogChoices::connectingLines},
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
  return settings;
}

DialogChoices DefaultChoices() {
  DialogChoices choices;
  choices.plotTypeButton = FirstPlotTypeButton;
  choices.splitButton = FirstSplitButton;
  return choices;
}

}  // namespace qm
