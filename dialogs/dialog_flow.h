// What the desktop programs do, written once for every front end: the start-up import, the main
// dialog's OK (the plot run, the file, the clipboard, the success box), Options, Defaults, the
// preview and the remembered choices. A front end implements DialogView (its controls, its boxes,
// its picture) and forwards its events here; it decides no policy of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/choice_store.h"
#include "dialogs/dialog_choices.h"
#include "dialogs/program_texts.h"
#include "import/grid.h"
#include "import/import_notes.h"
#include "import/message_sink.h"
#include "import/text_number.h"
#include "import/worksheet_clipboard.h"
#include "plot/plot_run.h"
#include "plot/plot_types.h"

namespace qm {

// The main dialog as the flow sees it: a front end's widgets and platform calls.
class DialogView {
 public:
  virtual ~DialogView() = default;
  // The main dialog's own controls: plot type, split and the four flag boxes (the Options
  // dialog's fields are the flow's and left at their defaults).
  virtual DialogChoices ReadControls() const = 0;
  virtual void SetControls(const DialogChoices& choices) = 0;
  // Runs the Options dialog modally. It opens on "No Error Bar" with its check boxes
  // (OptionsDialogFlagBoxes) as `options` has them; its OK sets `options.errorBarStyle` to the
  // checked button and the boxes' fields to the boxes, Cancel changes neither.
  virtual void RunOptionsDialog(DialogChoices& options) = 0;
  // The choices changed: the view calls DialogFlow::DrawPreview now, or before the preview is
  // next painted.
  virtual void PreviewChanged() = 0;
  // The output a preview run records on; ShowPreview then shows its picture (message "") or the
  // message the run gave instead.
  virtual PlotOutput& PreviewOutput() = 0;
  virtual void ShowPreview(const std::string& message) = 0;
  // Where OK's chart goes (the desktop file, then the clipboard), the path the success box names
  // ("" for none), and the boxes of the program.
  virtual PlotOutput& ChartOutput() = 0;
  virtual std::string PicturePath() const = 0;
  virtual MessageSink& Messages() = 0;
  // Closes the main dialog as accepted.
  virtual void CloseDialog() = 0;
};

// Where a front end says why data the clipboard offers were refused (too large, no memory):
// on standard error, or on a second line of the import's box where a program has no console.
enum class DataProblemReport { StandardError, ImportBox };

// The program's tables and the start-up import that fills the grid.
class ProgramStart {
 public:
  explicit ProgramStart(DataProblemReport report = DataProblemReport::StandardError);
  ~ProgramStart();

  // Imports the clipboard before any window exists. On failure the import's own message, then
  // NoDataMessage in the framework's box: false, and the program ends without a dialog.
  // `localeMark` is the user's decimal mark, for a text range's numbers that leave it open.
  bool ImportClipboard(WorksheetClipboard& clipboard, MessageSink& messages,
                       DecimalMark localeMark = DecimalMark::Unknown);
  // The import's code of the last ImportClipboard (0 when it succeeded).
  int32_t importCode() const { return importCode_; }

  const WorksheetGrid& grid() const { return *grid_; }
  PlotTables& tables() { return *tables_; }
  const ImportNotes& notes() const { return notes_; }

 private:
  // Large tables, allocated once on the heap.
  std::unique_ptr<WorksheetGrid> grid_;
  std::unique_ptr<PlotTables> tables_;
  DataProblemReport report_;
  ImportNotes notes_;
  int32_t importCode_ = 0;
};

// How long the remembered choices may take to load or save before they are skipped.
constexpr int32_t ChoiceStoreWaitMilliseconds = 1000;

class DialogFlow {
 public:
  // The flow reads the grid, runs the plot in `tables` and works `view`'s controls; all three
  // must outlive it.
  DialogFlow(const WorksheetGrid& grid, PlotTables& tables, DialogView& view);

  // Where the choices of every chart drawn are kept (a store opened per load and save); none by
  // default. `waitMilliseconds` bounds each load and save.
  void UseChoiceStore(ChoiceStoreOpener opener,
                      int32_t waitMilliseconds = ChoiceStoreWaitMilliseconds);
  // What the import could not keep as it was: told, with the chart's own notes, one line each
  // under the success message.
  void SetImportNotes(const ImportNotes& notes) { importNotes_ = notes; }

  // The dialog opens: the remembered choices (the defaults when there are none, or when the
  // store does not answer in time) go to the controls.
  void OnOpen();
  // The controls' choices with the Options dialog's.
  DialogChoices CaptureChoices() const;
  // Sets the controls and the Options dialog's fields to `choices`.
  void ApplyChoices(const DialogChoices& choices);

  // The plot run with the captured choices: published, the choices are kept, the success box
  // shown and the dialog closed; no split column closes it after the run's message; a failed
  // metafile leaves it open for another OK. An OK while a run is in progress (from a message box's
  // own loop) does nothing.
  void OnOk();
  // Opening Options sets the style to ErrorBarCancelled until its OK.
  void OnOptions();
  // The first start's choices on the controls; the store changes only with the next chart.
  void OnDefaults();
  // A choice control was clicked.
  void OnChoiceChanged() { view_.PreviewChanged(); }
  // The preview run for the current choices, shown by the view.
  void DrawPreview();

  bool runInProgress() const { return runInProgress_; }
  // A load or save of the store did not finish in time: its thread may still be inside the
  // store, so the program ends without running the destructors the store may use.
  bool storeLate() const { return storeLate_; }

 private:
  const WorksheetGrid& grid_;
  PlotTables& tables_;
  DialogView& view_;
  ChoiceStoreOpener openStore_;
  int32_t storeWaitMilliseconds_ = ChoiceStoreWaitMilliseconds;
  ImportNotes importNotes_;
  // The Options dialog's fields: errorBarStyle and OptionsDialogFlagBoxes.
  DialogChoices options_;
  bool runInProgress_ = false;
  bool storeLate_ = false;
};

}  // namespace qm
