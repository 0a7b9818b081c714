// quillmap-cli stats: the series of a worksheet range with every statistic a plot run
// computes, as one JSON object.
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/common.h"
#include "cli/option_words.h"
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

int RunStats(const std::string& input, SplitMode splitMode) {
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
  const std::string json = DumpJson(TableJson(tables->series, rowCount)) + '\n';
  return WriteStandardOutput(json, "quillmap-cli stats") ? 0 : 1;
}

}  // namespace

void AddStatsCommand(CLI::App& app, int& status) {
  struct Options {
    std::string input;
    std::string split = "none";
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
  command->callback([options, &status] {
    status = RunStats(options->input, ValueOfWord(SplitModeWords, options->split));
  });
}

}  // namespace qm
