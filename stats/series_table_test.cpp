// Tests of the series table: the split column search, the group-label scanner, the codes
// present, both split layouts, the layout without a split column and the value accessors.
#include "stats/series_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/split_groups.h"
#include "stats/test_grid.h"

namespace qm {
namespace {

using testing::TestRun;

TEST(SplitColumn, FoundByNameInAnyLetterCase) {
  const struct {
    std::vector<const char*> names;
    int32_t expected;
  } cases[] = {
      {{"A", "split", "B"}, 1}, {{"SPLIT", "B"}, 0},          {{"A", "Split"}, 1},
      {{"A", "sPlIt"}, 1},      {{" split", "B"}, -1},        {{"split ", "B"}, -1},
      {{"splitx", "spli"}, -1}, {{"A", "split", "SPLIT"}, 1}, {{}, -1},
  };
  for (const auto& c : cases) {
    TestRun run(4);
    for (const char* name : c.names) run.AddColumn(name, {1.0});
    EXPECT_EQ(FindSplitColumn(*run.grid), c.expected) << (c.names.empty() ? "" : c.names[0]);
  }
}

TEST(SplitColumn, MissingSplitColumnFailsWithTheFrameworkMessage) {
  for (int32_t mode : {1, 2}) {
    TestRun run(4);
    run.AddColumn("A", {1.0, 2.0});
    run.AddColumn(" split", {0.0, 1.0});
    EXPECT_FALSE(run.Build(mode));
    ASSERT_EQ(run.messages.framework.size(), 1u);
    EXPECT_EQ(run.messages.framework[0], "No SPLIT-column found\n");
    EXPECT_TRUE(run.messages.own.empty());
    EXPECT_EQ(run.table->SplitColumn, -1);
    EXPECT_EQ(run.table->SeriesCount, 0);
  }
  TestRun empty(4);
  EXPECT_FALSE(empty.Build(1));  // no columns at all
  EXPECT_EQ(empty.messages.framework.size(), 1u);
}

TEST(GroupLabels, ScannerExamples) {
  const struct {
    const char* text;
    std::vector<std::string> labels;  // codes 0, 1, 2, ...
  } cases[] = {
      {"0=control;1=treated", {"control", "treated"}},
      {"0=low dose 1=high dose", {"lowdose", "highdose"}},
      {"1=A=B", {"", "A=B"}},
      {"2=x3=y", {"", "", "x", "y"}},
      {"0=ctrl;1=dose 10", {"ctrl", "dose10"}},
      {"x 1=a", {"", "a"}},
      {"0=a;0=b", {"b"}},               // a later definition replaces
      {"1=a 2 =b", {"", "a2=b"}},       // the '=' must follow the digit directly
      {"0=\xB5g/L\t\x01;x", {"g/Lx"}},  // 8-bit, control and ';' dropped
      {"9=last", {"", "", "", "", "", "", "", "", "", "last"}},
      {"", {}},
      {"0=", {""}},
  };
  for (const auto& c : cases) {
    char labels[MaxGroups][MaxGroupLabel + 1] = {};
    ScanGroupLabels(c.text, labels);
    for (int32_t code = 0; code < MaxGroups; ++code) {
      const std::string expected =
          code < static_cast<int32_t>(c.labels.size()) ? c.labels[code] : "";
      EXPECT_EQ(std::string(labels[code]), expected) << c.text << " code " << code;
    }
  }
}

TEST(GroupLabels, OnlyDefinedCodesAreRewritten) {
  char labels[MaxGroups][MaxGroupLabel + 1] = {};
  std::strcpy(labels[0], "old0");
  std::strcpy(labels[1], "old1");
  ScanGroupLabels("1=new", labels);
  EXPECT_STREQ(labels[0], "old0");
  EXPECT_STREQ(labels[1], "new");
}

TEST(GroupLabels, AFullHeaderFieldIsReadToItsEnd) {
  // A header field without its NUL: the scan stops at the field's end.
  char field[HeaderTextSize + 8];
  std::memset(field, 'x', sizeof field);
  field[0] = '0';
  field[1] = '=';
  char labels[MaxGroups][MaxGroupLabel + 1] = {};
  ScanGroupLabels(field, labels);
  EXPECT_EQ(std::string(labels[0]), std::string(HeaderTextSize - 2, 'x'));
}

TEST(GroupCodes, PresentByTruncation) {
  const struct {
    std::vector<double> cells;
    const char* codes;
  } cases[] = {
      {{2, 0, 2, 0}, "02"},
      {{9.7, 10, -3, MissingValue}, "9"},
      {{-0.5, 3, 7, 3}, "37"},  // -0.5 makes no code present
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9.999}, "0123456789"},
      {{10, 11, -1, BelowLimitMarker, AboveLimitMarker}, ""},
  };
  for (const auto& c : cases) {
    TestRun run(2 + static_cast<int32_t>(c.cells.size()));
    run.AddColumn("split", c.cells);
    char codes[MaxGroups + 1];
    const int32_t count = FindGroupCodes(*run.grid, 0, codes);
    EXPECT_STREQ(codes, c.codes);
    EXPECT_EQ(count, static_cast<int32_t>(std::strlen(c.codes)));
  }
}

struct Expected {
  int32_t column;
  int32_t groupCode;
  const char* label;
};

void ExpectLayout(const TestRun& run, const std::vector<Expected>& expected) {
  ASSERT_EQ(run.table->SeriesCount, static_cast<int32_t>(expected.size()));
  for (size_t s = 0; s < expected.size(); ++s) {
    EXPECT_EQ(run.series(s).column, expected[s].column) << "series " << s;
    EXPECT_EQ(run.series(s).groupCode, expected[s].groupCode) << "series " << s;
    EXPECT_STREQ(run.series(s).label, expected[s].label) << "series " << s;
  }
}

TEST(SplitLayout, WorkedExampleBothModes) {
  const struct {
    int32_t mode;
    std::vector<Expected> layout;
  } cases[] = {
      {1, {{0, 0, "none"}, {2, 0, "none"}, {0, 2, "two"}, {2, 2, "two"}}},
      {2, {{0, 0, "none"}, {0, 2, "two"}, {2, 0, "none"}, {2, 2, "two"}}},
  };
  for (const auto& c : cases) {
    TestRun run(6);
    run.AddColumn("A", {1, 2, 3, 4});
    run.AddColumn("split", "0=none;2=two", {2, 0, 2, 0});
    run.AddColumn("B", {5, 6, 7, 8});
    ASSERT_TRUE(run.Build(c.mode));
    EXPECT_EQ(run.table->SplitColumn, 1);
    EXPECT_STREQ(run.table->GroupCodes, "02");
    EXPECT_EQ(run.table->GroupCount, 2);
    EXPECT_EQ(run.table->Split, SplitMode(c.mode));
    EXPECT_EQ(run.table->grid, run.grid.get());
    ExpectLayout(run, c.layout);
  }
}

TEST(SplitLayout, ThreeDataColumnsAndDigitLabels) {
  const struct {
    int32_t mode;
    std::vector<Expected> layout;
  } cases[] = {
      {1, {{1, 3, "3"}, {2, 3, "3"}, {3, 3, "3"}, {1, 7, "7"}, {2, 7, "7"}, {3, 7, "7"}}},
      {2, {{1, 3, "3"}, {1, 7, "7"}, {2, 3, "3"}, {2, 7, "7"}, {3, 3, "3"}, {3, 7, "7"}}},
  };
  for (const auto& c : cases) {
    TestRun run(5);
    run.AddColumn("Split", {3, 7, 7});
    run.AddColumn("a", {1, 2, 3});
    run.AddColumn("b", {1, 2, 3});
    run.AddColumn("c", {1, 2, 3});
    ASSERT_TRUE(run.Build(c.mode));
    ExpectLayout(run, c.layout);
  }
}

TEST(SplitLayout, NoCodesOrNoDataColumnsGiveNoSeries) {
  TestRun noCodes(4);
  noCodes.AddColumn("a", {1, 2});
  noCodes.AddColumn("split", {10, -2});
  ASSERT_TRUE(noCodes.Run(1));
  EXPECT_EQ(noCodes.table->SeriesCount, 0);
  EXPECT_EQ(noCodes.table->GroupCount, 0);

  TestRun onlySplit(4);
  onlySplit.AddColumn("split", {0, 1});
  ASSERT_TRUE(onlySplit.Run(2));
  EXPECT_EQ(onlySplit.table->GroupCount, 2);
  EXPECT_EQ(onlySplit.table->SeriesCount, 0);
}

TEST(NoSplit, OneSeriesPerColumnAndGroupStateUntouched) {
  TestRun run(4);
  run.AddColumn("a", {1, 2});
  run.AddColumn("split", "0=x", {0, 1});
  run.AddColumn("b", {3, 4});
  // What an earlier run left behind.
  run.table->SplitColumn = 7;
  run.table->GroupCount = 3;
  std::strcpy(run.table->GroupCodes, "123");
  std::strcpy(run.table->GroupLabels[0], "kept");
  for (Series& record : run.table->series) {
    record.groupCode = 5;
    std::strcpy(record.label, "earlier");
  }
  ASSERT_TRUE(run.Build(0));
  EXPECT_EQ(run.table->SeriesCount, 3);
  for (int32_t s = 0; s < 3; ++s) {
    EXPECT_EQ(run.series(s).column, s);
    EXPECT_EQ(run.series(s).groupCode, 5);
    EXPECT_STREQ(run.series(s).label, "earlier");
  }
  EXPECT_EQ(run.table->SplitColumn, 7);
  EXPECT_EQ(run.table->GroupCount, 3);
  EXPECT_STREQ(run.table->GroupCodes, "123");
  EXPECT_STREQ(run.table->GroupLabels[0], "kept");
  // The split column is a series like any other.
  EXPECT_EQ(SeriesValue(*run.table, 3, 1), 1.0);
}

TEST(NoSplit, ColumnCountBelowOneGivesNoSeries) {
  for (int32_t columns : {0, -1, -25}) {
    TestRun run(4);
    run.grid->ColumnCount = columns;
    ASSERT_TRUE(run.Run(0));
    EXPECT_EQ(run.table->SeriesCount, 0);
  }
}

TEST(SeriesValue, RowsOfOtherGroupsAreMissing) {
  TestRun run(9);
  run.AddColumn("v", {10, 11, 12, 13, 14, 15, 16});
  run.AddColumn("split", {1, 3, 1.9, -0.5, MissingValue, 3, 12});
  ASSERT_TRUE(run.Build(1));
  ASSERT_STREQ(run.table->GroupCodes, "13");
  // Series 0 is group 1, series 1 group 3.
  const struct {
    int32_t row;
    double group1;
    double group3;
  } cases[] = {
      {0, MissingValue, MissingValue},                         // header rows
      {2, 10, MissingValue},           {3, MissingValue, 11},  // a row of group 3 asked for group 1
      {4, 12, MissingValue},                                   // 1.9 truncates to 1
      {5, MissingValue, MissingValue},  // -0.5 truncates to group 0, which has no series
      {6, MissingValue, MissingValue},  // missing split cell
      {7, MissingValue, 15},           {8, MissingValue, MissingValue},  // 12 is no code
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SeriesValue(*run.table, c.row, 0), c.group1) << "row " << c.row;
    EXPECT_EQ(SeriesValue(*run.table, c.row, 1), c.group3) << "row " << c.row;
  }
}

TEST(SeriesValue, ASplitCellJustBelowZeroBelongsToGroupZero) {
  TestRun run(5);
  run.AddColumn("v", {1, 2, 3});
  run.AddColumn("split", {0, -0.5, 1});
  ASSERT_TRUE(run.Build(2));
  ASSERT_STREQ(run.table->GroupCodes, "01");
  EXPECT_EQ(SeriesValue(*run.table, 3, 0), 2.0);
  // A chart's copy of the values is read the same way.
  static double copy[MaxRows][MaxColumns];
  for (int32_t r = 0; r < 5; ++r) {
    for (int32_t c = 0; c < 2; ++c) copy[r][c] = run.grid->Values[r][c];
  }
  copy[3][0] = 42.0;
  EXPECT_EQ(SeriesValueIn(*run.table, copy, 3, 0), 42.0);
  EXPECT_EQ(SeriesValueIn(*run.table, copy, 3, 1), MissingValue);
}

TEST(SortedSeriesValue, ReadsThroughTheOrder) {
  TestRun run(7);
  run.AddColumn("v", {5, 3, 9, 1, 7});
  ASSERT_TRUE(run.Run(0));
  const double ascending[] = {1, 3, 5, 7, 9, MissingValue, MissingValue};
  for (int32_t place = 0; place < 7; ++place) {
    EXPECT_EQ(SortedSeriesValue(*run.table, place, 0), ascending[place]) << place;
  }
}

TEST(RepeatedRun, SameGridGivesTheSameTable) {
  TestRun run(6);
  run.AddColumn("split", "0=a;1=b", {0, 1, 0, 1});
  run.AddColumn("v", {1, 2, 3, 4});
  ASSERT_TRUE(run.Run(1));
  const auto first = std::make_unique<SeriesTable>();
  std::memcpy(first.get(), run.table.get(), sizeof(SeriesTable));
  ASSERT_TRUE(run.Run(1));
  EXPECT_EQ(std::memcmp(first.get(), run.table.get(), sizeof(SeriesTable)), 0);
}

}  // namespace
}  // namespace qm
