// Worksheet grids and series tables built in code for the statistics tests: a grid is filled
// column by column, and the tables of one plot run live on the heap like the program's.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "import/grid.h"
#include "import/limits.h"
#include "stats/rank_all_series.h"
#include "stats/ranks.h"
#include "stats/series_table.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"

namespace qm::testing {

// One plot run's tables over a grid of `rows` rows (the two header rows included), every cell
// missing until a column is added.
struct TestRun {
  explicit TestRun(int32_t rows = MaxRows)
      : grid(std::make_unique<WorksheetGrid>()),
        table(std::make_unique<SeriesTable>()),
        ranks(std::make_unique<RankTable>()) {
    ClearSheet(*grid, rows);
  }

  // Appends a column: its two header texts and its observations from row 2 on.
  int32_t AddColumn(const char* name, const char* row2, const std::vector<double>& values) {
    return testing::AddColumn(*grid, {name, row2, values});
  }
  int32_t AddColumn(const char* name, const std::vector<double>& values) {
    return AddColumn(name, "", values);
  }

  bool Build(int32_t splitMode) {
    return BuildSeriesTable(*table, *grid, SplitMode(splitMode), messages);
  }

  // Build, order, rank and compute every series, as a plot run does.
  bool Run(int32_t splitMode) {
    if (!Build(splitMode)) return false;
    RankAllSeries(*table, *ranks);
    return true;
  }

  const Series& series(int32_t s) const { return table->series[s]; }

  std::unique_ptr<WorksheetGrid> grid;
  std::unique_ptr<SeriesTable> table;
  std::unique_ptr<RankTable> ranks;
  RecordingMessages messages;
};

}  // namespace qm::testing
