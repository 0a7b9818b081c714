// Tests of quillmap-cli stats: the JSON object it prints for a WK1 file in each split mode,
// that its numbers are those of the statistics core, and its exit statuses.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "stats/series_table.h"
#include "testsupport/cli_command_run.h"

namespace qm {
namespace {

using testing::CommandRun;

// Runs "quillmap-cli stats ARGS..." in this process, capturing standard output and error.
CommandRun RunStats(std::vector<std::string> args) {
  args.insert(args.begin(), "stats");
  return testing::RunCliCommand(AddStatsCommand, args);
}

const std::string splitExample = QUILLMAP_SOURCE_DIR "/examples/split.wk1";
const std::string treatmentExample = QUILLMAP_SOURCE_DIR "/examples/treatment.wk1";

const std::vector<std::string> seriesKeys = {
    "column",
    "groupCode",
    "label",
    "order",
    "count",
    "positiveCount",
    "measuredCount",
    "measuredPositiveCount",
    "belowLimitCount",
    "nonPositiveCount",
    "aboveLimitCount",
    "minimum",
    "maximum",
    "mean",
    "logMean",
    "belowLimitEstimate",
    "logBelowLimitEstimate",
    "aboveLimitEstimate",
    "logAboveLimitEstimate",
    "sd",
    "logSd",
    "sem",
    "logSem",
    "meanPlusSem",
    "logMeanPlusSem",
    "meanMinusSem",
    "logMeanMinusSem",
    "quantile10",
    "quantile25",
    "median",
    "quantile75",
    "quantile90",
    "medianUpper",
    "medianLower",
};

std::vector<std::string> Keys(const Json& object) {
  std::vector<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.push_back(it.key());
  return keys;
}

// The doubles of one record in output order.
std::vector<double> Reals(const Series& s) {
  return {s.minimum,
          s.maximum,
          s.mean,
          s.logMean,
          s.belowLimitEstimate,
          s.logBelowLimitEstimate,
          s.aboveLimitEstimate,
          s.logAboveLimitEstimate,
          s.sd,
          s.logSd,
          s.sem,
          s.logSem,
          s.meanPlusSem,
          s.logMeanPlusSem,
          s.meanMinusSem,
          s.logMeanMinusSem,
          s.quantile10,
          s.quantile25,
          s.median,
          s.quantile75,
          s.quantile90,
          s.medianUpper,
          s.medianLower};
}

// --tests adds "comparisons" and changes nothing else; --log reaches only the t-tests. Each
// comparison names its tests, or says why one was not made.
TEST(StatsCommand, TestsAddOnlyTheComparisons) {
  const struct {
    const char* split;
    bool paired;
  } cases[] = {{"none", false}, {"paired", true}, {"non-paired", false}};
  for (const auto& c : cases) {
    const CommandRun plain = RunStats({splitExample, "--split", c.split});
    for (const char* log : {"", "--log"}) {
      std::vector<std::string> args = {splitExample, "--split", c.split, "--tests"};
      if (*log != '\0') args.push_back(log);
      const CommandRun run = RunStats(args);
      ASSERT_EQ(run.status, 0) << run.err;
      Json json = Json::parse(run.out);
      const Json comparisons = json["comparisons"];
      json.erase("comparisons");
      EXPECT_EQ(json, Json::parse(plain.out)) << c.split;
      ASSERT_FALSE(comparisons.empty()) << c.split;
      for (const Json& item : comparisons) {
        EXPECT_EQ(item["paired"], c.paired);
        EXPECT_EQ(item["n"].is_array(), !c.paired);
        for (const char* key : {"t", "rank"}) {
          const std::string note = std::string(key) + "Note";
          if (item[key].is_null()) {
            EXPECT_TRUE(item[note].is_string()) << item.dump();
            continue;
          }
          EXPECT_FALSE(item.contains(note));
          EXPECT_GE(item[key]["pHolm"].get<double>(), item[key]["p"].get<double>());
          EXPECT_EQ(item[key].contains("df"), std::string(key) == "t");
        }
      }
    }
  }
}

TEST(StatsCommand, EverySplitModeAgreesWithTheCore) {
  const struct {
    const char* option;
    int32_t mode;
    std::string input;
  } cases[] = {
      {"none", 0, splitExample},
      {"paired", 1, splitExample},
      {"non-paired", 2, splitExample},
      {"none", 0, treatmentExample},
  };
  for (const auto& c : cases) {
    const CommandRun run = RunStats({c.input, "--split", c.option});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(run.out.back(), '\n');
    const Json json = Json::parse(run.out);
    EXPECT_EQ(Keys(json), (std::vector<std::string>{"splitColumn", "groupCount", "groupCodes",
                                                    "groupLabels", "seriesCount", "series"}));

    // The same run through the core.
    auto grid = std::make_unique<WorksheetGrid>();
    auto table = std::make_unique<SeriesTable>();
    auto ranks = std::make_unique<RankTable>();
    RecordingSink messages;
    const LoadedInput loaded = LoadWorksheet(c.input, *grid);
    ASSERT_TRUE(loaded.read && loaded.import.ok());
    ASSERT_TRUE(BuildSeriesTable(*table, *grid, SplitMode(c.mode), messages));
    RankAllSeries(*table, *ranks);

    ASSERT_EQ(json["seriesCount"], table->SeriesCount);
    ASSERT_EQ(json["series"].size(), static_cast<size_t>(table->SeriesCount));
    ASSERT_EQ(json["groupLabels"].size(), 10u);
    if (c.mode == 0) {
      EXPECT_EQ(json["splitColumn"], -1);
      EXPECT_EQ(json["groupCount"], 0);
      EXPECT_EQ(json["groupCodes"], "");
      for (const Json& label : json["groupLabels"]) EXPECT_EQ(label, "");
    } else {
      EXPECT_EQ(json["splitColumn"], table->SplitColumn);
      EXPECT_EQ(json["groupCount"], table->GroupCount);
      EXPECT_EQ(json["groupCodes"], table->GroupCodes);
      EXPECT_EQ(json["groupLabels"][0], "control");
      EXPECT_EQ(json["groupLabels"][1], "treated");
    }
    for (int32_t s = 0; s < table->SeriesCount; ++s) {
      const Json& out = json["series"][s];
      const Series& record = table->series[s];
      ASSERT_EQ(Keys(out), seriesKeys);
      EXPECT_EQ(out["column"], record.column);
      EXPECT_EQ(out["groupCode"], record.groupCode);
      EXPECT_EQ(out["label"], std::string(record.label));
      ASSERT_EQ(out["order"].size(), static_cast<size_t>(grid->RowCount));
      for (int32_t place = 0; place < grid->RowCount; ++place) {
        EXPECT_EQ(out["order"][place], record.order[place]);
      }
      EXPECT_TRUE(out["count"].is_number_integer());
      EXPECT_EQ(out["count"], record.count);
      EXPECT_EQ(out["aboveLimitCount"], record.aboveLimitCount);
      const std::vector<double> reals = Reals(record);
      for (size_t f = 0; f < reals.size(); ++f) {
        const Json& value = out[seriesKeys[11 + f]];
        EXPECT_TRUE(value.is_number()) << seriesKeys[11 + f];
        EXPECT_EQ(value.get<double>(), reals[f]) << seriesKeys[11 + f] << " of series " << s;
      }
    }
  }
}

TEST(StatsCommand, NoSplitColumn) {
  for (const char* option : {"paired", "non-paired"}) {
    const CommandRun run = RunStats({treatmentExample, "--split", option});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "No SPLIT-column found\n");
  }
}

TEST(StatsCommand, DefaultSplitIsNone) {
  const CommandRun run = RunStats({splitExample});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json json = Json::parse(run.out);
  EXPECT_EQ(json["splitColumn"], -1);
  EXPECT_EQ(json["seriesCount"], 4);  // the split column is a series like the others
}

TEST(StatsCommand, UnreadableOrRejectedInput) {
  const CommandRun missing = RunStats({::testing::TempDir() + "no such file.wk1"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err, "");

  const std::string path = ::testing::TempDir() + "stats_rejected.wk1";
  std::ofstream(path, std::ios::binary) << "not a worksheet";
  const CommandRun rejected = RunStats({path});
  EXPECT_EQ(rejected.status, 1);
  EXPECT_EQ(rejected.out, "");
  EXPECT_NE(rejected.err, "");
}

}  // namespace
}  // namespace qm
