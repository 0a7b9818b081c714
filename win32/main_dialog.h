// The main dialog (dialog 102): the plot type, the drawing flags and the split mode, the Options
// button and, in its system menu, the About box. Its OK is the plot run. Beside the controls a
// preview shows the chart OK would draw; with a store of choices the dialog opens on the choices
// of the last chart drawn, and "Defaults" brings back those of a first start.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/dialog_choices.h"
#include "dialogs/dialog_flow.h"
#include "import/grid.h"
#include "plot/plot_types.h"
#include "win32/chart_preview.h"
#include "win32/desktop_output.h"
#include "win32/dialog_window.h"
#include "win32/message_boxes.h"

namespace qm {

// The application icon in the sizes the system shows: title bar and task bar.
struct DialogIcons {
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
};

class MainDialog : public DialogWindow, private DialogView {
 public:
  // The dialog reads the grid, runs the plot in `tables`, shows its messages on `messages` (whose
  // boxes it owns while it is open); `output` takes the chart.
  MainDialog(const WorksheetGrid& grid, PlotTables& tables, Win32MessageSink& messages,
             Win32DesktopOutput& output, DialogIcons icons);
  ~MainDialog() override;

  // Runs the dialog as the program's window, modally; it opens on the flow's remembered choices.
  INT_PTR DoModal() { return RunModal(nullptr, MainDialogTable(), DialogRole::Main); }

  // What the dialog does, written once for every front end.
  DialogFlow& flow() { return flow_; }
  DialogChoices CaptureChoices() const { return flow_.CaptureChoices(); }
  // The text shown instead of a chart; "" while the chart is shown.
  const std::string& previewMessage() const { return previewMessage_; }

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

  // The view the flow works.
  DialogChoices ReadControls() const override;
  void SetControls(const DialogChoices& choices) override;
  void RunOptionsDialog(DialogChoices& options) override;
  void PreviewChanged() override;
  PlotOutput& PreviewOutput() override { return previewOutput_; }
  void ShowPreview(const std::string& message) override;
  PlotOutput& ChartOutput() override { return output_; }
  std::string PicturePath() const override { return output_.path(); }
  MessageSink& Messages() override { return messages_; }
  void CloseDialog() override { End(IDOK); }

  Win32MessageSink& messages_;
  Win32DesktopOutput& output_;
  DialogIcons icons_;
  DialogFlow flow_;
  PreviewMetafileOutput previewOutput_;
  HWND previewText_ = nullptr;  // a centred static over the pane, shown instead of the chart
  HENHMETAFILE previewChart_ = nullptr;  // the pane's metafile, ours to delete
  std::string previewMessage_;
};

}  // namespace qm
