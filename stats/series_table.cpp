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
      const int32_t index =
          table.Split == SplitMode::Paired ? j * dataColumns + h : h * table.GroupCount + j;
      Series& record = table.series[index];
      const int32_t code = table.GroupCodes[j] - '0';
      record.column = c;
      record.groupCode = code;
      SetLabel(record, table.GroupLabels[code], code);
    }
    ++h;
  }
}

// Sorts the rows by the code their split cell names (as SeriesValueIn reads it), keeping row
// order within a code; rows naming no code are left out.
void ListGroupRows(SeriesTable& table, const WorksheetGrid& grid) {
  const int32_t rows = std::clamp(grid.RowCount, 0, MaxRows);
  int8_t codeOfRow[MaxRows];
  int32_t counts[MaxGroups] = {};
  for (int32_t r = 0; r < rows; ++r) {
    const double split = grid.Values[r][table.SplitColumn];
    codeOfRow[r] = split > -1.0 && split < 10.0 ? static_cast<int8_t>(split) : -1;
    if (codeOfRow[r] >= 0) ++counts[codeOfRow[r]];
  }
  table.GroupRowStart[0] = 0;
  for (int32_t g = 0; g < MaxGroups; ++g) {
    table.GroupRowStart[g + 1] = table.GroupRowStart[g] + counts[g];
  }
  int32_t next[MaxGroups];
  std::copy(table.GroupRowStart, table.GroupRowStart + MaxGroups, next);
  for (int32_t r = 0; r < rows; ++r) {
    if (codeOfRow[r] >= 0) table.GroupRows[next[codeOfRow[r]]++] = r;
  }
}

}  // namespace

bool BuildSeriesTable(SeriesTable& table, const WorksheetGrid& grid, SplitMode split,
                      MessageSink& messages) {
  table.grid = &grid;
  table.Split = split;
  const int32_t columns = std::min(grid.ColumnCount, MaxColumns);
  if (split == SplitMode::None) {
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
  ListGroupRows(table, grid);
  return true;
}

SeriesRows RowsOfSeries(const SeriesTable& table, int32_t s, int32_t rowCount) {
  if (table.Split == SplitMode::None) return {nullptr, rowCount};
  const int32_t code = table.series[s].groupCode;
  if (code < 0 || code >= MaxGroups) return {nullptr, 0};
  const int32_t start = table.GroupRowStart[code];
  return {table.GroupRows + start, table.GroupRowStart[code + 1] - start};
}

double SortedSeriesValue(const SeriesTable& table, int32_t place, int32_t s) {
  return SeriesValue(table, table.series[s].order[place], s);
}

}  // namespace qm
