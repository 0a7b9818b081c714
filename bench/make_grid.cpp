// The benchmark ranges: a small xorshift generator keeps them identical on every machine.
#include "bench/make_grid.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "import/limits.h"

namespace qm {

namespace {

struct Random {
  uint32_t state;
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  double Uniform() { return (Next() >> 8) * (1.0 / 16777216.0); }
};

}  // namespace

void MakeLargeGrid(WorksheetGrid& grid, int32_t groups, uint32_t seed) {
  ClearGrid(grid);
  Random random{seed == 0 ? 2463534242u : seed};
  grid.RowCount = MaxRows;
  grid.ColumnCount = MaxColumns;
  std::strcpy(grid.HeaderRow1Text[0], "split");
  char* labels = grid.HeaderRow2Text[0];
  labels[0] = '\0';
  for (int32_t g = 0; g < groups; g++) {
    char item[32];
    std::snprintf(item, sizeof item, "%d=group %d;", g, g);
    std::strcat(labels, item);
  }
  for (int32_t c = 1; c < MaxColumns; c++) {
    std::snprintf(grid.HeaderRow1Text[c], HeaderTextSize, "Sample %d", c);
    std::snprintf(grid.HeaderRow2Text[c], HeaderTextSize, "Concentration (\xB5g/L)");
  }
  for (int32_t r = 0; r < MaxRows; r++) {
    for (int32_t c = 0; c < MaxColumns; c++) grid.Values[r][c] = MissingValue;
  }
  for (int32_t r = 2; r < MaxRows; r++) {
    grid.Values[r][0] = groups > 0 ? double(random.Next() % uint32_t(groups)) : 0.0;
    for (int32_t c = 1; c < MaxColumns; c++) {
      double u = random.Uniform();
      double value;
      if (u < 0.03) {
        value = MissingValue;
      } else if (u < 0.05) {
        value = BelowLimitMarker;
      } else if (u < 0.06) {
        value = AboveLimitMarker;
      } else {
        // Sum of uniforms: roughly normal, then exp for a lab-like skew; one decimal gives ties.
        double z = random.Uniform() + random.Uniform() + random.Uniform() - 1.5;
        value = std::round(std::exp(1.5 + z + 0.1 * c) * 10.0) / 10.0;
      }
      grid.Values[r][c] = value;
    }
  }
}

}  // namespace qm
