// What a run tells the user beside its chart: what the import could not keep as it was, and what
// the chart could not draw as asked. The charts fall back to a linear axis or a default range and
// draw what they can, as they must; these notes see to it that the user hears of it, one line
// each (quillmap-cli on standard error, the desktop program in its success box).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/grid.h"
#include "import/import_notes.h"

namespace qm {

// Why a chart's axis fell back to its default range (0.5 to 1.5, from 0 on a linear axis).
enum class AxisFallback : int32_t {
  None,
  ValueBeyondMarker,  // a value below -999998.999 or above 999998.999 (and not Missing)
};

struct PlotNotes {
  bool logAxisRefused = false;  // a logarithmic axis asked for; values <= 0 gave a linear one
  // The axis refused was asked for over positive values: their logarithms, not their signs,
  // could not be used.
  bool logOfPositiveRange = false;
  AxisFallback axisFallback = AxisFallback::None;
  bool nothingToDraw = false;  // no series with a value: the frame alone
};

struct RunNotes {
  ImportNotes import;
  PlotNotes plot;
};

// One line per note of the chart, in plain words.
std::vector<std::string> PlotNoteLines(const PlotNotes& notes);

// The import's lines (ImportNoteLines), then the chart's.
std::vector<std::string> NoteLines(const RunNotes& notes, const WorksheetGrid& grid);

}  // namespace qm
