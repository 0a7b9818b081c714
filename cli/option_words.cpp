// The option words of quillmap-cli.
#include "cli/option_words.h"

namespace qm {

const OptionWords<ChartKind> ChartKindWords = {
    {"ttest", ChartKind::GroupPlot},
    {"boxplot", ChartKind::BoxPlot},
    {"placeholder", ChartKind::Placeholder},
};

const OptionWords<SplitMode> SplitModeWords = {
    {"none", SplitMode::None},
    {"paired", SplitMode::Paired},
    {"non-paired", SplitMode::NonPaired},
};

// "unset" is the Options dialog never opened; it draws no mark, as "none" does.
const OptionWords<SummaryMark> SummaryMarkWords = {
    {"none", SummaryMark::None},
    {"mean", SummaryMark::Mean},
    {"median", SummaryMark::Median},
    {"sem", SummaryMark::Sem},
    {"median-se", SummaryMark::MedianSe},
    {"sd", SummaryMark::Sd},
    {"iqr", SummaryMark::Iqr},
    {"boxplot", SummaryMark::BoxPlot},
    {"unset", SummaryMark::None},
};

}  // namespace qm
