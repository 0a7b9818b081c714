// The main dialog (dialog 102): the plot type, the drawing flags and the split mode, the Options
// button and, in its system menu, the About box. Its OK is the plot run. Beside the controls a
// preview shows the chart OK would draw; with a store of choices the dialog opens on the choices
// of the last chart drawn, and "Defaults" brings back those of a first start.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/choice_store.h"
#include "dialogs/dialog_choices.h"
#include "dialogs/success_message.h"
#include "import/grid.h"
#include "import/import_notes.h"
#include "plot/plot_types.h"
#include "win32/desktop_output.h"
#include "win32/dialog_window.h"
#include "win32/message_boxes.h"

namespace qm {

// The application icon in the sizes the system shows: title bar and task bar.
struct DialogIcons {
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
};

class MainDialog : public DialogWindow {
 public:
  // The dialog reads the grid, runs the plot in `tables`, shows its messages on `messages` (whose
  // boxes it owns while it is open); `output` takes the chart.
  MainDialog(const WorksheetGrid& grid, PlotTables& tables, Win32MessageSink& messages,
             Win32DesktopOutput& output, DialogIcons icons);
  ~MainDialog() override;

  // Runs the dialog as the program's window, modally.
  INT_PTR DoModal() { return RunModal(nullptr, MainDialogTable(), DialogRole::Main); }

  // The choices of the controls, with the Options dialog's error-bar style and check box.
  DialogChoices CaptureChoices() const;
  int32_t errorBarStyle() const { return errorBarStyle_; }
  // What the import could not keep as it was: told, with the chart's own notes, one line each
  // under the success message.
  void SetImportNotes(const ImportNotes& notes) { importNotes_ = notes; }

  // Remembers the choices of every chart drawn in `store` (which must outlive the dialog) and
  // shows the ones it holds, now or when the dialog opens.
  void UseChoiceStore(ChoiceStore* store);
  // Sets the controls (and the Options dialog's choices) to `choices` and redraws the preview.
  void ApplyChoices(const DialogChoices& choices);

  // Draws the preview for the current choices: the chart, or the run's message in its place.
  void UpdatePreview();
  // The text shown instead of a chart; "" while the chart is shown.
  const std::string& previewMessage() const { return previewMessage_; }

  void OnOk();
  void OnOptions();
  // The first start's choices again, and nothing remembered any more.
  void OnDefaults();
  // A command of the system menu: AboutCommand opens the About box; false for the others,
  // which the system handles.
  bool OnSysCommand(WPARAM id);

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs a dialog of this one modally; tests drive it instead.
  virtual void RunChild(DialogWindow& child, const DialogTable& table);

 private:
  void OnInitDialog();
  // Fits the preview to the chart's proportions and puts the message's static over it.
  void PlacePreview();
  // Gives the pane `chart` (nullptr for none) and deletes the metafile it held.
  void SetPreviewChart(HENHMETAFILE chart);

  const WorksheetGrid& grid_;
  PlotTables& tables_;
  Win32MessageSink& messages_;
  Win32DesktopOutput& output_;
  DialogIcons icons_;
  int32_t errorBarStyle_ = ErrorBarNeverChosen;
  bool markLimitValues_ = false;
  ImportNotes importNotes_;
  ChoiceStore* store_ = nullptr;
  HWND previewText_ = nullptr;  // a centred static over the pane, shown instead of the chart
  HENHMETAFILE previewChart_ = nullptr;  // the pane's metafile, ours to delete
  std::string previewMessage_;
};

}  // namespace qm
