// The Windows front end's calls into the core.
#include "win32/core_calls.h"

#include "import/import_worksheet.h"

namespace qm {

bool ImportClipboard(WorksheetGrid& grid, WorksheetClipboard& clipboard, MessageSink& messages,
                     ImportNotes* notes) {
  const ImportResult result = ImportWorksheet(grid, clipboard);
  ShowImportMessages(result, messages);
  if (notes != nullptr) *notes = result.notes;
  return result.ok();
}

PlotOutcome RunChart(const PlotSettings& settings, const WorksheetGrid& grid, PlotTables& tables,
                     MessageSink& messages, PlotOutput& output, RunNotes* notes) {
  return RunPlot(settings, grid, tables, messages, output, notes);
}

}  // namespace qm
