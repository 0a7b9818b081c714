// Fixed capacities and the three special cell values. Every table of the program is sized
// from this one header, so a plot run never allocates per cell or per series.
#pragma once

#include <cstdint>

namespace qm {

// Rows of an imported range, the two header rows included; a larger range is cut here.
constexpr int32_t MaxRows = 1024;
// Columns of an imported range; 24 data columns beside one split column.
constexpr int32_t MaxColumns = 25;
// A header text keeps at most 255 characters; its field holds them and the NUL.
constexpr int32_t MaxHeaderText = 255;
constexpr int32_t HeaderTextSize = 257;
// Group codes are the digits 0..9.
constexpr int32_t MaxGroups = 10;
// A group label keeps at most 256 characters.
constexpr int32_t MaxGroupLabel = 256;
// 10 groups x 24 data columns = 240 series at most; 250 leaves room.
constexpr int32_t MaxSeries = 250;
// Value-axis ticks a chart can label.
constexpr int32_t MaxAxisTicks = 8;
// Value bins of the group plot: 25 drawn ones and room above them for values beyond the top.
constexpr int32_t MaxBins = 101;

// An empty or unusable cell; bit pattern 0xC12E847FFF7CED91.
constexpr double MissingValue = -999999.999;
// Typed by a user for a result below a detection limit, or above an upper limit.
constexpr double BelowLimitMarker = -999998.999;
constexpr double AboveLimitMarker = 999998.999;

}  // namespace qm
