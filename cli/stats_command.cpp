// quillmap-cli stats: the series of a worksheet range with every statistic a plot run
// computes, as one JSON object.
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/common.h"
#include "cli/option_words.h"
#include "stats/group_tests.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "stats/series_table.h"

namespace qm {

namespace {

// The tables of one run: large, so they live on the heap, zeroed like a program start.
struct StatsTables {
  WorksheetGrid grid;
  SeriesTable series;
  RankTable ranks;
  GroupComparisonTable comparisons;
};

Json SeriesJson(const Series& record, int32_t rowCount) {
  Json order = Json::array();
  for (int32_t place = 0; place < rowCount; ++place) order.push_back(record.order[place]);
  Json out = Json::object();
  out["column"] = record.column;
  out["groupCode"] = record.groupCode;
  out["label"] = GridText(record.label);
  out["order"] = std::move(order);
  out["count"] = record.count;
  out["positiveCount"] = record.positiveCount;
  out["measuredCount"] = record.measuredCount;
  out["measuredPositiveCount"] = record.measuredPositiveCount;
  out["belowLimitCount"] = record.belowLimitCount;
  out["nonPositiveCount"] = record.nonPositiveCount;
  out["aboveLimitCount"] = record.aboveLimitCount;
  out["minimum"] = record.minimum;
  out["maximum"] = record.maximum;
  out["mean"] = record.mean;
  out["logMean"] = record.logMean;
  out["belowLimitEstimate"] = record.belowLimitEstimate;
  out["logBelowLimitEstimate"] = record.logBelowLimitEstimate;
  out["aboveLimitEstimate"] = record.aboveLimitEstimate;
  out["logAboveLimitEstimate"] = record.logAboveLimitEstimate;
  out["sd"] = record.sd;
  out["logSd"] = record.logSd;
  out["sem"] = record.sem;
  out["logSem"] = record.logSem;
  out["meanPlusSem"] = record.meanPlusSem;
  out["logMeanPlusSem"] = record.logMeanPlusSem;
  out["meanMinusSem"] = record.meanMinusSem;
  out["logMeanMinusSem"] = record.logMeanMinusSem;
  out["quantile10"] = record.quantile10;
  out["quantile25"] = record.quantile25;
  out["median"] = record.median;
  out["quantile75"] = record.quantile75;
  out["quantile90"] = record.quantile90;
  out["medianUpper"] = record.medianUpper;
  out["medianLower"] = record.medianLower;
  return out;
}

Json TableJson(const SeriesTable& table, int32_t rowCount) {
  const bool split = table.Split != SplitMode::None;
  Json labels = Json::array();
  for (int32_t code = 0; code < MaxGroups; ++code) {
    labels.push_back(split ? GridText(table.GroupLabels[code]) : Json(""));
  }
  Json series = Json::array();
  for (int32_t s = 0; s < table.SeriesCount; ++s) {
    series.push_back(SeriesJson(table.series[s], rowCount));
  }
  Json out = Json::object();
  out["splitColumn"] = split ? table.SplitColumn : -1;
  out["groupCount"] = split ? table.GroupCount : 0;
  out["groupCodes"] = split ? GridText(table.GroupCodes) : Json("");
  out["groupLabels"] = std::move(labels);
  out["seriesCount"] = table.SeriesCount;
  out["series"] = std::move(series);
  return out;
}

// One test of a comparison: its object, or null beside a note of why it was not made.
void AddTestJson(Json& out, const char* key, const char* noteKey, const GroupTestResult& result,
                 bool withDf) {
  if (result.test == GroupTest::None) {
    out[key] = nullptr;
    out[noteKey] = result.note;
    return;
  }
  Json test = Json::object();
  test["test"] = GroupTestName(result.test);
  test["statistic"] = result.statistic;
  if (withDf) test["df"] = result.df;
  test["p"] = result.p;
  test["pHolm"] = result.pHolm;
  // The rank tests that leave pairs out say how many they used.
  if (result.test == GroupTest::Wilcoxon || result.test == GroupTest::Sign) {
    test["pairs"] = result.pairsUsed;
  }
  out[key] = std::move(test);
}

Json ComparisonsJson(const GroupComparisonTable& table) {
  Json out = Json::array();
  for (int32_t i = 0; i < table.count; i++) {
    const GroupComparison& c = table.comparisons[i];
    Json item = Json::object();
    item["series"] = c.series;
    item["reference"] = c.reference;
    item["paired"] = c.paired;
    item["n"] = c.paired ? Json(c.count) : Json::array({c.count, c.referenceCount});
    AddTestJson(item, "t", "tNote", c.t, true);
    AddTestJson(item, "rank", "rankNote", c.rank, false);
    out.push_back(std::move(item));
  }
  return out;
}

int RunStats(const std::string& input, SplitMode splitMode, bool logScale, bool tests) {
  auto tables = std::make_unique<StatsTables>();  // value-initialised: all zero
  StderrSink messages;
  const LoadedInput loaded = LoadWorksheet(input, tables->grid);
  if (!loaded.read) {
    std::cerr << "quillmap-cli stats: " << loaded.error << '\n';
    return 2;
  }
  ShowInputMessages(loaded, input, "quillmap-cli stats", messages);
  if (!loaded.import.ok()) return 1;
  PrintNotes(ImportNoteLines(loaded.import.notes, tables->grid));
  if (!BuildSeriesTable(tables->series, tables->grid, splitMode, messages)) return 1;
  RankAllSeries(tables->series, tables->ranks);
  const int32_t rowCount = std::clamp(tables->grid.RowCount, 0, MaxRows);
  Json out = TableJson(tables->series, rowCount);
  // Only on request, so that the output without it stays as it was.
  if (tests) {
    CompareGroups(tables->series, tables->grid, logScale, tables->comparisons);
    out["comparisons"] = ComparisonsJson(tables->comparisons);
  }
  const std::string json = DumpJson(out) + '\n';
  return WriteStandardOutput(json, "quillmap-cli stats") ? 0 : 1;
}

}  // namespace

void AddStatsCommand(CLI::App& app, int& status) {
  struct Options {
    std::string input;
    std::string split = "none";
    bool log = false;
    bool tests = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "stats", "Print the series of INPUT with every statistic of a plot run, as JSON.");
  // The same options on every system: a path such as /data/x.wk1 is an input, not an option.
  command->allow_windows_style_options(false);
  command
      ->add_option("INPUT", options->input,
                   "worksheet file (.wk1, .csv, .tsv or .txt), or - for standard input")
      ->required();
  command->add_option("--split", options->split, "split mode")
      ->check(CLI::IsMember(WordsOf(SplitModeWords)))
      ->capture_default_str();
  command->add_flag("--log", options->log,
                    "the chart's axis is logarithmic: t-tests on the logarithms of the values");
  command->add_flag("--tests", options->tests,
                    "add the group comparisons (t-tests and rank tests) as \"comparisons\"");
  command->callback([options, &status] {
    status = RunStats(options->input, ValueOfWord(SplitModeWords, options->split), options->log,
                      options->tests);
  });
}

}  // namespace qm
