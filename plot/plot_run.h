// The plot run: settings and grid in, series and statistics computed, the chart recorded on
// the canvas an output opens, the outcome out. The desktop program and quillmap-cli both call
// it; where the picture goes (file, clipboard) is the output's business.
#pragma once

#include <cstdint>
#include <string>

#include "import/grid.h"
#include "import/message_sink.h"
#include "plot/canvas.h"
#include "plot/plot_types.h"
#include "plot/run_notes.h"

namespace qm {

enum class PlotOutcome { Published, NoSplitColumn, MetafileFailure };

constexpr const char* MetafileProblemMessage = "Problem creating Metafile";

class PlotOutput {
 public:
  virtual ~PlotOutput() = default;
  // Prepares the destination and returns the canvas to record into, one that has recorded
  // nothing yet (a fresh one for every run); nullptr when the picture cannot be created (for
  // instance its folder is missing). Called at most once per run.
  virtual Canvas* Open() = 0;
  // Ends the recording and puts the picture where it goes. False when it could not be kept
  // there (the disk is full, say): the run then ends as for a picture that cannot be created.
  virtual bool Close() = 0;
  // After Open or Close failed: where the picture was to go and the system's reason, in one line
  // ("cannot write /home/u/Desktop/quilpic.emf: No space left on device"); "" when unknown.
  virtual std::string FailureReason() const { return ""; }
};

// What a chart starts with: the objects of the run that PrepareChartCanvas creates.
struct ChartCanvas {
  CanvasObject upright;
  CanvasObject rotated;
  CanvasObject background;  // the blue brush, or 0
};

// The canvas as every chart expects it on entry: the metafile's mapping, the two fonts created
// (UprightFont selected), and the background's pen and brush selected.
ChartCanvas PrepareChartCanvas(Canvas& canvas, const PlotSettings& settings);
// Releases what PrepareChartCanvas created; one still selected stays in effect until replaced.
void ReleaseChartCanvas(Canvas& canvas, const ChartCanvas& objects);

// One run over `tables` (allocated once by the caller and reused). "No SPLIT-column found\n"
// and "Problem creating Metafile" (with the output's FailureReason as a second line) are shown on
// `messages`; the success message is the caller's. `notes`, when given, receives in its `plot`
// part what the chart could not draw as asked; its `import` part is left as the caller set it.
PlotOutcome RunPlot(const PlotSettings& settings, const WorksheetGrid& grid, PlotTables& tables,
                    MessageSink& messages, PlotOutput& output, RunNotes* notes = nullptr);

}  // namespace qm
