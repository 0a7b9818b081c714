// The lines of a run's notes.
#include "plot/run_notes.h"

namespace qm {

std::vector<std::string> PlotNoteLines(const PlotNotes& notes) {
  std::vector<std::string> lines;
  if (notes.logAxisRefused && notes.logOfPositiveRange) {
    lines.push_back(
        "No logarithmic axis: the logarithms of the values could not be used, so the axis is "
        "linear");
  } else if (notes.logAxisRefused) {
    lines.push_back("No logarithmic axis: some values are 0 or below, so the axis is linear");
  }
  switch (notes.axisFallback) {
    case AxisFallback::None:
      break;
    case AxisFallback::ValueBeyondMarker:
      lines.push_back(
          "A value below -999998.999 or above 999998.999 sent the axis to its default range: "
          "most values lie outside it");
      break;
  }
  if (notes.nothingToDraw) lines.push_back("No series holds a value: only the frame was drawn");
  return lines;
}

std::vector<std::string> NoteLines(const RunNotes& notes, const WorksheetGrid& grid) {
  std::vector<std::string> lines = ImportNoteLines(notes.import, grid);
  for (std::string& line : PlotNoteLines(notes.plot)) lines.push_back(std::move(line));
  return lines;
}

}  // namespace qm
