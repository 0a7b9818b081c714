// The series table: one record per data column, or per data column and split group, with the
// statistics the charts draw. BuildSeriesTable lays it out; the values are read through
// SeriesValue and SortedSeriesValue.
#pragma once

#include <cstdint>

#include "import/grid.h"
#include "import/limits.h"
#include "import/message_sink.h"

namespace qm {

// Group codes are the digits 0..9.
constexpr int32_t MaxGroups = 10;
// A group label keeps at most 256 characters.
constexpr int32_t MaxGroupLabel = 256;
// 10 groups x 24 data columns = 240 series at most; 250 leaves room.
constexpr int32_t MaxSeries = 250;

// How a split column divides the rows: not at all (one series per column), "paired 00-11"
// (all columns of the first group, then all of the next), "non-paired 01-01" (all groups of the
// first column, then all of the next).
enum class SplitMode : int32_t { None = 0, Paired = 1, NonPaired = 2 };

struct Series {
  int32_t column;                 // worksheet column whose cells are the series' values
  int32_t groupCode;              // 0..9; stays 0 without a split column
  char label[MaxGroupLabel + 1];  // group name; empty without a split column
  int32_t order[MaxRows];         // grid rows in ascending order of value, missing rows last

  int32_t count;                  // non-missing values, markers included (n)
  int32_t positiveCount;          // non-missing values > 0, Above-limit markers included
  int32_t measuredCount;          // Measured values (m)
  int32_t measuredPositiveCount;  // Measured values > 0 (mp)
  int32_t belowLimitCount;
  int32_t nonPositiveCount;  // Below-limit markers plus other non-missing values <= 0
  int32_t aboveLimitCount;

  double minimum;
  double maximum;
  double mean;
  double logMean;
  double belowLimitEstimate;
  double logBelowLimitEstimate;
  double aboveLimitEstimate;
  double logAboveLimitEstimate;
  double sd;
  double logSd;
  double sem;
  double logSem;
  double meanPlusSem;
  double logMeanPlusSem;
  double meanMinusSem;
  double logMeanMinusSem;
  double quantile10;
  double quantile25;
  double median;
  double quantile75;
  double quantile90;
  double medianUpper;
  double medianLower;
};

// Everything one plot run knows about its series. Zero-initialise before the first build
// (the state a program starts with); a later build over the same grid rewrites what it lays out.
struct SeriesTable {
  const WorksheetGrid* grid;  // set by BuildSeriesTable; read by the accessors
  SplitMode Split;

  int32_t SplitColumn;  // -1 when there is none
  char GroupLabels[MaxGroups][MaxGroupLabel + 1];
  char GroupCodes[MaxGroups + 1];  // codes present, as digits in ascending order
  int32_t GroupCount;              // characters in GroupCodes

  int32_t SeriesCount;
  Series series[MaxSeries];

  // The grid rows of each group code in ascending order, for the split modes: those of code g
  // are GroupRows[GroupRowStart[g] .. GroupRowStart[g + 1] - 1]. A pass over one series reads
  // only these instead of every row.
  int32_t GroupRowStart[MaxGroups + 1];
  int32_t GroupRows[MaxRows];
};

// The rows that can hold a value of a series, ascending: every row without a split column,
// else the rows of the series' group.
struct SeriesRows {
  const int32_t* rows;  // nullptr: every row 0 .. count - 1
  int32_t count;
  int32_t operator[](int32_t k) const { return rows != nullptr ? rows[k] : k; }
};

// Lays out the table for `split`. False (after "No SPLIT-column found\n" in the framework's
// box) when a split column is required and there is none.
bool BuildSeriesTable(SeriesTable& table, const WorksheetGrid& grid, SplitMode split,
                      MessageSink& messages);

// The value of series s in grid row `row`, read from `values` (the grid's own Values, or a
// chart's copy of them), or MissingValue for a row of another group.
inline double SeriesValueIn(const SeriesTable& table, const double (*values)[MaxColumns],
                            int32_t row, int32_t s) {
  if (table.Split == SplitMode::None) return values[row][s];
  const Series& record = table.series[s];
  const double split = values[row][table.SplitColumn];
  // Truncation toward zero: only cells in (-1, 10) can name one of the codes 0..9.
  if (split > -1.0 && split < 10.0 && static_cast<int32_t>(split) == record.groupCode) {
    return values[row][record.column];
  }
  return MissingValue;
}
inline double SeriesValue(const SeriesTable& table, int32_t row, int32_t s) {
  return SeriesValueIn(table, table.grid->Values, row, s);
}

// The rows of series s among the grid's first rowCount rows (the grid's own count, clamped).
SeriesRows RowsOfSeries(const SeriesTable& table, int32_t s, int32_t rowCount);

// The value of series s at 0-based place `place` of its ascending order.
double SortedSeriesValue(const SeriesTable& table, int32_t place, int32_t s);

}  // namespace qm
