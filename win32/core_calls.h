// The core's entry points as the Windows front end calls them, in one place: the import of the
// clipboard and the plot run. The rest of the front end speaks only these.
#pragma once

#include "import/grid.h"
#include "import/import_notes.h"
#include "import/message_sink.h"
#include "import/worksheet_clipboard.h"
#include "plot/plot_run.h"

namespace qm {

// Imports the worksheet from the clipboard; true when the grid holds a range. The import shows
// its own messages; "No data on Clipboard" is the caller's. `notes`, when given, receives what
// the grid could not keep as it was.
bool ImportClipboard(WorksheetGrid& grid, WorksheetClipboard& clipboard, MessageSink& messages,
                     ImportNotes* notes = nullptr);

// One plot run with the settings over the grid; `notes` as RunPlot fills them.
PlotOutcome RunChart(const PlotSettings& settings, const WorksheetGrid& grid, PlotTables& tables,
                     MessageSink& messages, PlotOutput& output, RunNotes* notes = nullptr);

}  // namespace qm
