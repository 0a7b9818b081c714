// The split column and its groups: which column divides the rows into groups, the group
// names written in its second header text, and the group codes 0..9 that occur in it.
#pragma once

#include <cstdint>

#include "import/grid.h"
#include "stats/series_table.h"

namespace qm {

// The first column whose first header text is "split" in any letter case, or -1.
int32_t FindSplitColumn(const WorksheetGrid& grid);

// Reads group definitions such as "0=control;1=treated" from `text` into `labels`. Only the
// codes defined in the text are rewritten; the others keep their labels.
void ScanGroupLabels(const char* text, char (&labels)[MaxGroups][MaxGroupLabel + 1]);

// Writes the codes 0..9 that occur in grid column `column` (by truncation) as ascending digits
// into `codes`, NUL-terminated, and returns their number.
int32_t FindGroupCodes(const WorksheetGrid& grid, int32_t column, char (&codes)[MaxGroups + 1]);

}  // namespace qm
