// The worksheet's capacities and the three special cell values. The series limits are in
// stats/series_table.h and the chart limits in plot/axis.h, each beside the tables they size,
// so a plot run never allocates per cell or per series.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

// Rows of an imported range, the two header rows included; a larger range is cut here.
constexpr int32_t MaxRows = 1024;
// Columns of an imported range; 24 data columns beside one split column.
constexpr int32_t MaxColumns = 25;
// The most bytes of worksheet data the programs take in (a file, standard input, the
// clipboard). A range of MaxRows x MaxColumns cells needs far less, as text or as WK1 records
// (a whole 8192 x 256 WK1 worksheet of numbers is 36 MB); the bound keeps a wrong file or a
// device that never ends (/dev/zero) from taking all memory.
constexpr size_t MaxInputBytes = size_t(64) << 20;
constexpr const char* MaxInputText = "64 MB";
// A header text keeps at most 255 characters; its field holds them and the NUL.
constexpr int32_t MaxHeaderText = 255;
constexpr int32_t HeaderTextSize = 257;

// An empty or unusable cell; bit pattern 0xC12E847FFF7CED91.
constexpr double MissingValue = -999999.999;
// Typed by a user for a result below a detection limit, or above an upper limit.
constexpr double BelowLimitMarker = -999998.999;
constexpr double AboveLimitMarker = 999998.999;

// A measured value: strictly between the two limit markers (the Missing value and the markers
// themselves are not).
inline bool IsMeasured(double v) {
  return v > BelowLimitMarker && v < AboveLimitMarker;
}

}  // namespace qm
