// Drawing the main dialog's preview: the same plot run as OK, recorded as a metafile in memory
// instead of the file and the clipboard. Its messages are kept, not shown: the pane shows them.
#pragma once

#include <string>

#include "import/grid.h"
#include "plot/plot_types.h"
#include "win32/windows_api.h"

namespace qm {

struct PreviewChart {
  HENHMETAFILE metafile = nullptr;  // the chart, the caller's to delete; nullptr when none
  std::string message;              // what the run would have said instead, without line feeds
};

// One plot run with the settings over the grid, in `tables`.
PreviewChart DrawPreviewChart(const PlotSettings& settings, const WorksheetGrid& grid,
                              PlotTables& tables);

}  // namespace qm
