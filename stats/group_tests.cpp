// The comparisons of a series table. Samples are copied into the caller's scratch and sorted
// there; tie groups come from the sorted order.
#include "stats/group_tests.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

constexpr const char* LimitValuesNote = "limit values";
constexpr const char* FewValuesNote = "fewer than 2 values";
constexpr const char* NoPairsNote = "no pairs";
constexpr const char* NoVarianceNote = "no variance";
constexpr const char* LogAxisNote = "values \xE2\x89\xA4 0 on a log axis";  // UTF-8 "<="
// The normal approximation of the Mann-Whitney U moves its statistic this far toward the mean.
constexpr double ContinuityCorrection = 0.5;

// A non-missing value outside the measuring range: a marker, or a value between a marker and
// the Missing value.
bool IsLimitValue(double v) {
  return v != MissingValue && !IsMeasured(v);
}

GroupTestResult NotMade(const char* note) {
  return GroupTestResult{GroupTest::None, 0.0, 0.0, 0.0, 0.0, 0, note};
}

GroupTestResult Made(GroupTest test, double statistic, double df, double p) {
  return GroupTestResult{test, statistic, df, p, p, 0, nullptr};
}

bool AllEqual(const double* v, int32_t n) {
  for (int32_t i = 1; i < n; i++) {
    if (v[i] != v[0]) return false;
  }
  return true;
}

bool AnyAtOrBelowZero(const double* v, int32_t n) {
  for (int32_t i = 0; i < n; i++) {
    if (v[i] <= 0.0) return true;
  }
  return false;
}

void TakeLogarithms(double* v, int32_t n) {
  for (int32_t i = 0; i < n; i++) v[i] = std::log(v[i]);
}

double Mean(const double* v, int32_t n) {
  double sum = 0.0;
  for (int32_t i = 0; i < n; i++) sum += v[i];
  return sum / n;
}

// The sample variance, from the deviations about the mean.
double Variance(const double* v, int32_t n, double mean) {
  double sum = 0.0;
  for (int32_t i = 0; i < n; i++) sum += (v[i] - mean) * (v[i] - mean);
  return sum / (n - 1);
}

// The non-missing values of series s, in row order; their number.
int32_t SeriesValues(const SeriesTable& table, int32_t rowCount, int32_t s, double* out) {
  const SeriesRows rows = RowsOfSeries(table, s, rowCount);
  int32_t n = 0;
  for (int32_t k = 0; k < rows.count; k++) {
    const double v = SeriesValue(table, rows[k], s);
    if (v != MissingValue) out[n++] = v;
  }
  return n;
}

bool AnyLimitValue(const double* v, int32_t n) {
  for (int32_t i = 0; i < n; i++) {
    if (IsLimitValue(v[i])) return true;
  }
  return false;
}

// Welch's t-test of x against y; x and y are overwritten by their logarithms on a log axis.
GroupTestResult WelchTest(double* x, int32_t nx, double* y, int32_t ny, bool logScale) {
  if (AnyLimitValue(x, nx) || AnyLimitValue(y, ny)) return NotMade(LimitValuesNote);
  if (nx < 2 || ny < 2) return NotMade(FewValuesNote);
  if (logScale && (AnyAtOrBelowZero(x, nx) || AnyAtOrBelowZero(y, ny))) {
    return NotMade(LogAxisNote);
  }
  if (AllEqual(x, nx) && AllEqual(y, ny)) return NotMade(NoVarianceNote);
  if (logScale) {
    TakeLogarithms(x, nx);
    TakeLogarithms(y, ny);
  }
  const double mx = Mean(x, nx);
  const double my = Mean(y, ny);
  const double vx = Variance(x, nx, mx) / nx;
  const double vy = Variance(y, ny, my) / ny;
  const double t = (mx - my) / std::sqrt(vx + vy);
  const double df = (vx + vy) * (vx + vy) / (vx * vx / (nx - 1) + vy * vy / (ny - 1));
  return Made(GroupTest::WelchT, t, df, StudentTwoSidedP(t, df));
}

// The Mann-Whitney U of x against y, mid-ranks over both samples; sorts x and y in place.
GroupTestResult MannWhitneyTest(double* x, int32_t nx, double* y, int32_t ny) {
  if (nx < 1 || ny < 1) return NotMade(FewValuesNote);
  std::sort(x, x + nx);
  std::sort(y, y + ny);
  // Walk both sorted samples one group of equal values at a time.
  double rankSumX = 0.0;
  double tieTerm = 0.0;  // sum of t^3 - t over the tie groups
  int32_t i = 0;
  int32_t j = 0;
  int32_t below = 0;  // values ranked before the group
  while (i < nx || j < ny) {
    const double v = j >= ny || (i < nx && x[i] <= y[j]) ? x[i] : y[j];
    int32_t inX = 0;
    int32_t inY = 0;
    while (i < nx && x[i] == v) i++, inX++;
    while (j < ny && y[j] == v) j++, inY++;
    const double tied = inX + inY;
    rankSumX += inX * (below + (tied + 1.0) / 2.0);
    tieTerm += tied * tied * tied - tied;
    below += inX + inY;
  }
  const double u = rankSumX - nx * (nx + 1.0) / 2.0;
  if (nx <= MaxExactRankSumSide && ny <= MaxExactRankSumSide && tieTerm == 0.0) {
    return Made(GroupTest::MannWhitney, u, 0.0, ExactMannWhitneyP(u, nx, ny));
  }
  const double n = nx + ny;
  const double variance = nx * double(ny) / 12.0 * ((n + 1.0) - tieTerm / (n * (n - 1.0)));
  if (!(variance > 0.0)) return NotMade(NoVarianceNote);
  const double z =
      (std::fabs(u - nx * double(ny) / 2.0) - ContinuityCorrection) / std::sqrt(variance);
  return Made(GroupTest::MannWhitney, u, 0.0, std::min(1.0, 2.0 * NormalUpperTail(z)));
}

// The paired t-test of the differences d (their logarithms' differences on a log axis, already
// taken by the caller).
GroupTestResult PairedTTest(const double* d, int32_t n) {
  if (AllEqual(d, n)) return NotMade(NoVarianceNote);
  const double mean = Mean(d, n);
  const double t = mean / std::sqrt(Variance(d, n, mean) / n);
  const double df = n - 1.0;
  return Made(GroupTest::PairedT, t, df, StudentTwoSidedP(t, df));
}

// The Wilcoxon signed-rank test of the differences d (zero differences dropped); reorders d.
GroupTestResult WilcoxonTest(double* d, int32_t n, double* counts) {
  int32_t nonzero = 0;
  for (int32_t i = 0; i < n; i++) {
    if (d[i] != 0.0) d[nonzero++] = d[i];
  }
  if (nonzero == 0) return NotMade(NoVarianceNote);
  std::sort(d, d + nonzero, [](double a, double b) { return std::fabs(a) < std::fabs(b); });
  double positiveSum = 0.0;
  double tieTerm = 0.0;
  for (int32_t start = 0; start < nonzero;) {
    int32_t end = start;
    int32_t positive = 0;
    while (end < nonzero && std::fabs(d[end]) == std::fabs(d[start])) {
      if (d[end] > 0.0) positive++;
      end++;
    }
    const double tied = end - start;
    positiveSum += positive * (start + (tied + 1.0) / 2.0);
    tieTerm += tied * tied * tied - tied;
    start = end;
  }
  const double m = nonzero;
  const double negativeSum = m * (m + 1.0) / 2.0 - positiveSum;
  const double w = std::min(positiveSum, negativeSum);
  GroupTestResult result;
  if (nonzero <= MaxExactSignedRanks && tieTerm == 0.0) {
    result = Made(GroupTest::Wilcoxon, w, 0.0, ExactSignedRankP(w, nonzero, counts));
  } else {
    const double variance = m * (m + 1.0) * (2.0 * m + 1.0) / 24.0 - tieTerm / 48.0;
    if (!(variance > 0.0)) return NotMade(NoVarianceNote);
    const double z = (w - m * (m + 1.0) / 4.0) / std::sqrt(variance);
    result = Made(GroupTest::Wilcoxon, w, 0.0, std::min(1.0, 2.0 * NormalUpperTail(std::fabs(z))));
  }
  result.pairsUsed = nonzero;
  return result;
}

// -1 below the measuring range, 1 above it, 0 a measured value.
int32_t LimitSide(double v) {
  return v <= BelowLimitMarker ? -1 : (v >= AboveLimitMarker ? 1 : 0);
}

// The sign test over pairs whose order the values tell: a value below a limit lies below every
// measured one, above a limit above; two values beyond the same limit are a tie.
GroupTestResult SignTest(const double* x, const double* y, int32_t n) {
  int32_t above = 0;
  int32_t known = 0;
  for (int32_t i = 0; i < n; i++) {
    const int32_t sx = LimitSide(x[i]);
    const int32_t sy = LimitSide(y[i]);
    int32_t order = sx - sy;  // sides differ: the sides tell the order
    if (sx == sy) order = sx != 0 ? 0 : (x[i] > y[i]) - (x[i] < y[i]);
    if (order == 0) continue;
    known++;
    if (order > 0) above++;
  }
  if (known == 0) return NotMade(NoPairsNote);
  GroupTestResult result = Made(GroupTest::Sign, above, 0.0, BinomialHalfTwoSidedP(above, known));
  result.pairsUsed = known;
  return result;
}

void CompareUnpaired(const SeriesTable& table, int32_t rowCount, GroupComparison& c, bool logScale,
                     GroupTestScratch& scratch) {
  const int32_t nx = SeriesValues(table, rowCount, c.series, scratch.x);
  const int32_t ny = SeriesValues(table, rowCount, c.reference, scratch.y);
  c.count = nx;
  c.referenceCount = ny;
  c.rank = MannWhitneyTest(scratch.x, nx, scratch.y, ny);
  // The rank test left the samples sorted, which the t-test does not mind.
  c.t = WelchTest(scratch.x, nx, scratch.y, ny, logScale);
}

void ComparePaired(const SeriesTable& table, int32_t rowCount, GroupComparison& c, bool logScale,
                   GroupTestScratch& scratch) {
  const SeriesRows rows = RowsOfSeries(table, c.series, rowCount);
  int32_t n = 0;
  bool limits = false;
  for (int32_t k = 0; k < rows.count; k++) {
    const double x = SeriesValue(table, rows[k], c.series);
    const double y = SeriesValue(table, rows[k], c.reference);
    if (x == MissingValue || y == MissingValue) continue;
    scratch.x[n] = x;
    scratch.y[n] = y;
    limits = limits || IsLimitValue(x) || IsLimitValue(y);
    n++;
  }
  c.count = n;
  c.referenceCount = n;
  if (n == 0) {
    c.t = NotMade(NoPairsNote);
    c.rank = NotMade(NoPairsNote);
    return;
  }
  if (limits) {
    c.t = NotMade(LimitValuesNote);
    c.rank = SignTest(scratch.x, scratch.y, n);
    return;
  }
  double* d = scratch.pooled;
  for (int32_t i = 0; i < n; i++) d[i] = scratch.x[i] - scratch.y[i];
  if (n < 2) {
    c.t = NotMade(FewValuesNote);
  } else if (logScale && (AnyAtOrBelowZero(scratch.x, n) || AnyAtOrBelowZero(scratch.y, n))) {
    c.t = NotMade(LogAxisNote);
  } else {
    double* logD = scratch.ranks;
    for (int32_t i = 0; i < n; i++) {
      logD[i] = logScale ? std::log(scratch.x[i]) - std::log(scratch.y[i]) : d[i];
    }
    c.t = PairedTTest(logD, n);
  }
  c.rank = WilcoxonTest(d, n, scratch.signedRankCounts);
}

// Holm's step-down adjustment of the made tests among comparisons first .. last - 1, of the
// kind that `pick` selects.
void AdjustHolm(GroupComparison* comparisons, int32_t first, int32_t last,
                GroupTestResult GroupComparison::*pick) {
  int32_t made[MaxSeries];
  int32_t m = 0;
  for (int32_t i = first; i < last; i++) {
    if ((comparisons[i].*pick).test != GroupTest::None) made[m++] = i;
  }
  std::stable_sort(made, made + m, [&](int32_t a, int32_t b) {
    return (comparisons[a].*pick).p < (comparisons[b].*pick).p;
  });
  double running = 0.0;
  for (int32_t k = 0; k < m; k++) {
    GroupTestResult& result = comparisons[made[k]].*pick;
    running = std::max(running, std::min(1.0, (m - k) * result.p));
    result.pHolm = running;
  }
}

}  // namespace

void CompareGroups(const SeriesTable& table, const WorksheetGrid& grid, bool logScale,
                   GroupComparisonTable& out) {
  out.count = 0;
  const int32_t rowCount = std::clamp(grid.RowCount, 0, MaxRows);
  const int32_t seriesCount = std::clamp(table.SeriesCount, 0, MaxSeries);
  // Blocks of `perBlock` series, each compared with the block's first.
  int32_t perBlock = seriesCount;
  if (table.Split != SplitMode::None) {
    if (table.GroupCount <= 0) return;
    perBlock = table.Split == SplitMode::Paired ? seriesCount / table.GroupCount : table.GroupCount;
  }
  if (perBlock <= 0) return;
  const bool paired = table.Split == SplitMode::Paired;
  for (int32_t first = 0, block = 0; first + perBlock <= seriesCount; first += perBlock, block++) {
    const int32_t blockStart = out.count;
    for (int32_t s = first + 1; s < first + perBlock; s++) {
      GroupComparison& c = out.comparisons[out.count++];
      c = GroupComparison{};
      c.series = s;
      c.reference = first;
      c.block = block;
      c.paired = paired;
      if (paired) {
        ComparePaired(table, rowCount, c, logScale, out.scratch);
      } else {
        CompareUnpaired(table, rowCount, c, logScale, out.scratch);
      }
    }
    AdjustHolm(out.comparisons, blockStart, out.count, &GroupComparison::t);
    AdjustHolm(out.comparisons, blockStart, out.count, &GroupComparison::rank);
  }
}

const GroupComparison* ComparisonOfSeries(const GroupComparisonTable& table, int32_t s) {
  for (int32_t i = 0; i < table.count; i++) {
    if (table.comparisons[i].series == s) return &table.comparisons[i];
  }
  return nullptr;
}

double ShownP(const GroupComparison& comparison) {
  if (comparison.t.test != GroupTest::None) return comparison.t.p;
  if (comparison.rank.test != GroupTest::None) return comparison.rank.p;
  return -1.0;
}

const char* GroupTestName(GroupTest test) {
  switch (test) {
    case GroupTest::None:
      return "none";
    case GroupTest::WelchT:
      return "welch-t";
    case GroupTest::PairedT:
      return "paired-t";
    case GroupTest::MannWhitney:
      return "mann-whitney-u";
    case GroupTest::Wilcoxon:
      return "wilcoxon";
    case GroupTest::Sign:
      return "sign";
  }
  return "none";
}

}  // namespace qm
