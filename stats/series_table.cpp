// Laying out the series table and reading a series' values.
#include "stats/series_table.h"

#include <algorithm>
#include <cstring>

#include "stats/split_groups.h"

namespace qm {

namespace {

void SetLabel(Series& record, const char* groupLabel, int32_t code) {
  if (groupLabel[0] == '\0') {
    record.label[0] = static_cast<char>('0' + code);  // the digit itself names an unnamed group
    record.label[1] = '\0';
    return;
  }
  std::strncpy(record.label, groupLabel, MaxGroupLabel);
  record.label[MaxGroupLabel] = '\0';
}

void LayOutSplitSeries(SeriesTable& table, int32_t columns) {
  const int32_t dataColumns = columns - 1;
  table.SeriesCount = std::max(0, table.GroupCount * dataColumns);
  int32_t h = 0;
  for (int32_t c = 0; c < columns; ++c) {
    if (c == table.SplitColumn) continue;
    for (int32_t j = 0; j < table.GroupCount; ++j) {
      const int32_t index = table.SplitMode == 1 ? j * dataColumns + h : h * table.GroupCount + j;
      Series& record = table.series[index];
      const int32_t code = table.GroupCodes[j] - '0';
      record.column = c;
      record.groupCode = code;
      SetLabel(record, table.GroupLabels[code], code);
    }
    ++h;
  }
}

}  // namespace

bool BuildSeriesTable(SeriesTable& table, const WorksheetGrid& grid, int32_t splitMode,
                      MessageSink& messages) {
  table.grid = &grid;
  table.SplitMode = splitMode;
  const int32_t columns = std::min(grid.ColumnCount, MaxColumns);
  if (splitMode == 0) {
    // Every column is a series; group codes, labels and the group state stay as they are.
    table.SeriesCount = std::max(0, columns);
    for (int32_t i = 0; i < table.SeriesCount; ++i) table.series[i].column = i;
    return true;
  }
  table.SplitColumn = FindSplitColumn(grid);
  if (table.SplitColumn < 0) {
    // No stale record may point at a column through a split column that is not there.
    table.SeriesCount = 0;
    messages.ShowFrameworkBox("No SPLIT-column found\n");
    return false;
  }
  ScanGroupLabels(grid.HeaderRow2Text[table.SplitColumn], table.GroupLabels);
  table.GroupCount = FindGroupCodes(grid, table.SplitColumn, table.GroupCodes);
  LayOutSplitSeries(table, columns);
  return true;
}

double SeriesValueIn(const SeriesTable& table, const double (*values)[MaxColumns], int32_t row,
                     int32_t s) {
  if (table.SplitMode == 0) return values[row][s];
  const Series& record = table.series[s];
  const double split = values[row][table.SplitColumn];
  // Truncation toward zero: only cells in (-1, 10) can name one of the codes 0..9.
  if (split > -1.0 && split < 10.0 && static_cast<int32_t>(split) == record.groupCode) {
    return values[row][record.column];
  }
  return MissingValue;
}

double SortedSeriesValue(const SeriesTable& table, int32_t place, int32_t s) {
  return SeriesValue(table, table.series[s].order[place], s);
}

}  // namespace qm
