// The dialogs' buttons map onto the plot settings through one table.
#include "dialogs/dialog_choices.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(DialogChoices, ButtonsMapOntoChartKindsSplitModesAndMarks) {
  struct Case {
    DialogChoices choices;
    ChartKind chart;
    SplitMode split;
    SummaryMark mark;
  };
  const Case cases[] = {
      {{1000, 1015, false, false, false, false, 0},
       ChartKind::GroupPlot,
       SplitMode::None,
       SummaryMark::None},
      {{1001, 1016, false, false, false, false, -1},
       ChartKind::BoxPlot,
       SplitMode::Paired,
       SummaryMark::None},
      {{1002, 1017, false, false, false, false, 1100},
       ChartKind::Placeholder,
       SplitMode::NonPaired,
       SummaryMark::None},
      {{1003, 0, false, false, false, false, 1101},
       ChartKind::Placeholder,
       SplitMode::None,
       SummaryMark::Mean},
      {{0, 1015, false, false, false, false, 1104},
       ChartKind::Placeholder,
       SplitMode::None,
       SummaryMark::MedianSe},
      {{1000, 1015, false, false, false, false, 1107},
       ChartKind::GroupPlot,
       SplitMode::None,
       SummaryMark::BoxPlot},
      {{1000, 1015, false, false, false, false, 1108},
       ChartKind::GroupPlot,
       SplitMode::None,
       SummaryMark::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choices.plotTypeButton);
    const PlotSettings settings = SettingsFromChoices(c.choices);
    EXPECT_EQ(settings.Chart, c.chart);
    EXPECT_EQ(settings.Split, c.split);
    EXPECT_EQ(settings.Mark, c.mark);
  }
}

TEST(DialogChoices, CheckBoxesBecomeTheFourFlags) {
  const PlotSettings settings = SettingsFromChoices({1000, 1015, true, false, true, false, 0});
  EXPECT_EQ(settings.LogFlag, 1);
  EXPECT_EQ(settings.LineAt01, 0);
  EXPECT_EQ(settings.BlueBackground, 1);
  EXPECT_EQ(settings.ConnectingLines, 0);
}

}  // namespace
}  // namespace qm
