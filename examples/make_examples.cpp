// Writes the bundled example worksheets (examples/*.wk1) with the WK1 writer. Not part of the
// build; see examples/README.md for the command that rebuilds the files.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "import/grid.h"
#include "import/limits.h"
#include "import/write_wk1.h"

namespace {

struct Column {
  const char* name;    // row 0, Windows-1252
  const char* second;  // row 1, Windows-1252
  std::vector<double> values;
};

// Columns of unequal length leave the Missing value below their last observation.
std::unique_ptr<qm::WorksheetGrid> MakeGrid(std::initializer_list<Column> columns) {
  auto grid = std::make_unique<qm::WorksheetGrid>();
  qm::ClearGrid(*grid);
  int32_t rows = 2;
  for (const Column& column : columns) rows = std::max(rows, int32_t(column.values.size()) + 2);
  grid->RowCount = rows;
  grid->ColumnCount = int32_t(columns.size());
  for (int32_t r = 0; r < rows; r++) {
    for (int32_t c = 0; c < grid->ColumnCount; c++) grid->Values[r][c] = qm::MissingValue;
  }
  int32_t c = 0;
  for (const Column& column : columns) {
    std::strncpy(grid->HeaderRow1Text[c], column.name, qm::MaxHeaderText);
    std::strncpy(grid->HeaderRow2Text[c], column.second, qm::MaxHeaderText);
    for (size_t r = 0; r < column.values.size(); r++) grid->Values[r + 2][c] = column.values[r];
    c++;
  }
  return grid;
}

bool Write(const std::string& folder, const char* name, const qm::WorksheetGrid& grid) {
  std::vector<uint8_t> bytes = qm::WriteWk1(grid);
  std::string path = folder + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
  return true;
}

constexpr double Below = qm::BelowLimitMarker;
constexpr double Above = qm::AboveLimitMarker;

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "examples";

  // Lead in serum after three treatments; one control sample below the detection limit.
  auto treatment = MakeGrid({
      {"Control",
       "Concentration (\xB5g/L)",
       {12.4, 15.1, 9.8, 11.2, 14.6, 13.3, Below, 10.9, 12.0, 16.2, 11.7, 13.9, 10.4, 12.8, 14.1}},
      {"Dose 1",
       "",
       {18.2, 21.5, 17.9, 24.3, 19.6, 22.8, 20.1, 16.7, 23.4, 19.0, 21.1, 18.8, 25.6, 20.4, 22.0,
        17.3}},
      {"Dose 2", "", {27.5, 31.2, 29.8, 35.4, 26.1, 33.7, 30.5, 28.9, 36.8, 32.2, 29.1, 34.0}},
      {"Dose 3",
       "",
       {41.3, 38.6, 45.2, 43.9, 39.7, 47.1, 44.5, 40.8, 46.3, 42.2, 48.9, 37.5, 44.0, 43.1}},
  });

  // Body weight and length of mice; the split column holds the group code of each animal.
  auto split = MakeGrid({
      {"split", "0=control;1=treated", {0, 1, 0, 1, 1, 0, 0, 1, 0, 1,
                                        1, 0, 1, 0, 0, 1, 0, 1, 1, 0}},
      {"Weight (g)", "", {24.1, 27.8, 23.5, 28.4, 26.9, 22.8, 25.0, 29.3, 24.6, 27.1,
                          28.0, 23.9, 26.5, 25.3, 22.4, 27.6, 24.8, 29.0, 26.2, 23.1}},
      {"Length (mm)", "", {92,  98, 90, 101, 97, 89, 93, 103, 91, 99,
                           100, 92, 96, 94,  88, 98, 93, 102, 97, 90}},
      {"Hb (g/dL)", "", {14.2, 12.9, 14.8, 12.4, 13.1, 15.0, 14.5, 12.2, 14.0, 12.8,
                         13.3, 14.6, 12.6, 14.3, 15.2, 13.0, 14.1, 12.5, 13.4, 14.7}},
  });

  // Viral loads and bacterial counts over several decades, for logarithmic axes; one sample
  // above the upper limit of quantification.
  auto ranges = MakeGrid({
      {"Viral load",
       "copies/mL",
       {120, 850, 3400, 15000, 2.7e4, 9.1e4, 2.3e5, 640, 48, 7.8e3, 1.9e5, Above}},
      {"Bacteria",
       "CFU/mL",
       {35, 410, 2200, 1.8e4, 6.5e4, 950, 12, 3.1e5, 5.6e3, 780, 4.4e4, 160, 2.6e3, 8.8e5}},
      {"Endotoxin", "EU/mL", {0.05, 0.12, 0.48, 1.7, 6.3, 0.9, 0.21, 14.5, 3.8, 0.07}},
  });

  bool ok = Write(folder, "treatment.wk1", *treatment) && Write(folder, "split.wk1", *split) &&
            Write(folder, "ranges.wk1", *ranges);
  return ok ? 0 : 1;
}
