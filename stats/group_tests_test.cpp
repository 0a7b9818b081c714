// Tests of the group comparisons: which series meet, when each test is made or why not, where
// the exact distributions give way to the normal approximations and the sign test's order of
// limit values. The numbers of every test, the distributions and Holm's adjustment within blocks
// are checked against an independent implementation: scripts/check_group_tests.py.
#include "stats/group_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "stats/test_grid.h"

namespace qm {
namespace {

using testing::TestRun;

constexpr double M = MissingValue;
constexpr double B = BelowLimitMarker;
constexpr double A = AboveLimitMarker;

struct Compared {
  std::unique_ptr<TestRun> run;
  std::unique_ptr<GroupComparisonTable> out;
};

// Columns x and y (and a split column of `split` codes when given), compared as `mode` asks.
Compared Compare(const std::vector<std::vector<double>>& columns, int32_t mode, bool log = false,
                 const std::vector<double>& split = {}) {
  size_t rows = split.size();
  for (const auto& c : columns) rows = std::max(rows, c.size());
  Compared c{std::make_unique<TestRun>(2 + int32_t(rows)),
             std::make_unique<GroupComparisonTable>()};
  for (size_t i = 0; i < columns.size(); i++) {
    c.run->AddColumn(("c" + std::to_string(i)).c_str(), columns[i]);
  }
  if (!split.empty()) c.run->AddColumn("split", "0=a;1=b", split);
  c.run->Run(mode);
  CompareGroups(*c.run->table, *c.run->grid, log, *c.out);
  return c;
}

std::string Pairs(const GroupComparisonTable& t) {
  std::string out;
  for (int32_t i = 0; i < t.count; i++) {
    const GroupComparison& c = t.comparisons[i];
    out += std::to_string(c.series) + "-" + std::to_string(c.reference) + "/" +
           std::to_string(c.block) + " ";
  }
  return out;
}

TEST(GroupTests, WhichSeriesMeet) {
  const std::vector<double> v = {1, 2, 3, 4};
  struct Case {
    int32_t mode;
    int32_t dataColumns;
    std::vector<double> split;
    const char* pairs;
  } cases[] = {
      {0, 3, {}, "1-0/0 2-0/0 "},
      {0, 1, {}, ""},
      // Paired: blocks by group (columns side by side); non-paired: blocks by column.
      {1, 3, {0, 1, 0, 1}, "1-0/0 2-0/0 4-3/1 5-3/1 "},
      {2, 2, {0, 1, 2, 2}, "1-0/0 2-0/0 4-3/1 5-3/1 "},
      {2, 3, {0, 0, 0, 0}, ""},
      {1, 2, {M, M, M, M}, ""},
  };
  for (const Case& c : cases) {
    const auto r =
        Compare(std::vector<std::vector<double>>(size_t(c.dataColumns), v), c.mode, false, c.split);
    EXPECT_EQ(Pairs(*r.out), c.pairs) << c.mode << " " << c.dataColumns;
  }
}

// A test's name, or its note when it was not made.
std::string Outcome(const GroupTestResult& r) {
  return r.test == GroupTest::None ? r.note : GroupTestName(r.test);
}

TEST(GroupTests, WhenEachTestIsMade) {
  const std::string log0 = "values \xE2\x89\xA4 0 on a log axis";
  const std::string few = "fewer than 2 values";
  struct Case {
    bool paired, log;
    std::vector<double> x, y;
    std::string t, rank;
    int32_t count;
  } cases[] = {
      {false, false, {1, 2, 3}, {2, 3, 5}, "welch-t", "mann-whitney-u", 3},
      {false, false, {1, B, 3}, {2, 3, 5}, "limit values", "mann-whitney-u", 3},
      {false, false, {1, 2, -999999.5}, {2, 3, 5}, "limit values", "mann-whitney-u", 3},
      {false, false, {1, M, M}, {2, 3, 5}, few, "mann-whitney-u", 1},
      {false, false, {M, M, M}, {2, 3, 5}, few, few, 0},
      {false, true, {1, 0, 3}, {2, 3, 5}, log0, "mann-whitney-u", 3},
      {false, false, {1, 0, 3}, {2, 3, 5}, "welch-t", "mann-whitney-u", 3},
      {false, false, {4, 4, 4}, {2, 2, 2}, "no variance", "mann-whitney-u", 3},
      {false, false, {4, 4, 4}, {2, 2, 3}, "welch-t", "mann-whitney-u", 3},
      {false, false, {5, 5, 5, 5}, {5, 5, 5, 5}, "no variance", "no variance", 4},
      // Paired: only rows where both values are present.
      {true, false, {1, 2, 4, M}, {2, 3, 7, 1}, "paired-t", "wilcoxon", 3},
      {true, false, {1, M}, {M, 2}, "no pairs", "no pairs", 0},
      {true, false, {1, 2}, {M, 2}, few, "no variance", 1},
      {true, false, {1, A, 3}, {2, 3, 4}, "limit values", "sign", 3},
      {true, false, {B, B}, {B, B}, "limit values", "no pairs", 2},
      {true, false, {2, 3, 4}, {1, 2, 3}, "no variance", "wilcoxon", 3},
      {true, true, {2, 3, -1}, {1, 2, 3}, log0, "wilcoxon", 3},
      // Differences 1, 1, 1 are equal; their ratios are not.
      {true, true, {2, 3, 4}, {1, 2, 3}, "paired-t", "wilcoxon", 3},
  };
  for (const Case& c : cases) {
    const auto r = c.paired ? Compare({c.y, c.x}, 1, c.log, std::vector<double>(c.x.size(), 0))
                            : Compare({c.y, c.x}, 0, c.log);
    ASSERT_EQ(r.out->count, 1);
    const GroupComparison& g = r.out->comparisons[0];
    const std::string where = ::testing::PrintToString(c.x);
    EXPECT_EQ(g.paired, c.paired) << where;
    EXPECT_EQ(g.count, c.count) << where;
    EXPECT_EQ(Outcome(g.t), c.t) << where;
    EXPECT_EQ(Outcome(g.rank), c.rank) << where;
  }
}

std::vector<double> Ramp(double from, int32_t n) {
  std::vector<double> v;
  for (int32_t i = 0; i < n; i++) v.push_back(from + i);
  return v;
}

TEST(GroupTests, ExactDistributionsUpToTheirLimits) {
  // Separated samples: the exact p is 2 / C(nx + ny, nx) up to 8 values a side.
  auto r = Compare({Ramp(100, 8), Ramp(0, 8)}, 0);
  ASSERT_EQ(r.out->comparisons[0].rank.test, GroupTest::MannWhitney);
  EXPECT_EQ(r.out->comparisons[0].rank.statistic, 0.0);
  EXPECT_DOUBLE_EQ(r.out->comparisons[0].rank.p, 2.0 / 12870.0);
  r = Compare({Ramp(100, 8), Ramp(0, 9)}, 0);
  const double z = (9 * 8 / 2.0 - 0.5) / std::sqrt(9 * 8 * 18 / 12.0);
  EXPECT_DOUBLE_EQ(r.out->comparisons[0].rank.p, std::erfc(z / std::sqrt(2.0)));
  // All 50 differences positive: exact 2 / 2^50; with 51 the normal approximation.
  std::vector<double> spread = Ramp(0, 50);
  for (double& v : spread) v = v * 1.001 + 1;  // differences 1, 1.001, 1.002, ...
  r = Compare({Ramp(0, 50), spread}, 1, false, std::vector<double>(50, 0));
  EXPECT_EQ(r.out->comparisons[0].rank.test, GroupTest::Wilcoxon);
  EXPECT_EQ(r.out->comparisons[0].rank.p, std::ldexp(2.0, -50));
  spread = Ramp(0, 51);
  for (double& v : spread) v = v * 1.001 + 1;
  r = Compare({Ramp(0, 51), spread}, 1, false, std::vector<double>(51, 0));
  EXPECT_GT(r.out->comparisons[0].rank.p, std::ldexp(2.0, -51));
  EXPECT_EQ(r.out->comparisons[0].rank.pairsUsed, 51);
}

TEST(GroupTests, SignTestOrdersLimitValues) {
  // x above y: (A, 5), (A, B), (6, B); below: (B, 1); tied and left out: (B, B), (A, A), (2, 2).
  const auto r =
      Compare({{5, B, B, 1, B, A, 2}, {A, A, 6, B, B, A, 2}}, 1, false, std::vector<double>(7, 0));
  const GroupTestResult& sign = r.out->comparisons[0].rank;
  EXPECT_EQ(sign.test, GroupTest::Sign);
  EXPECT_EQ(sign.statistic, 3.0);
  EXPECT_EQ(sign.pairsUsed, 4);
  EXPECT_DOUBLE_EQ(sign.p, 2.0 * 5.0 / 16.0);
}

}  // namespace
}  // namespace qm
