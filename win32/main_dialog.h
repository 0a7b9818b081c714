// The main dialog (dialog 102): the plot type, the drawing flags and the split mode, the Options
// button and, in its system menu, the About box. Its OK is the plot run.
#pragma once

#include <cstdint>

#include "dialogs/dialog_choices.h"
#include "import/grid.h"
#include "plot/plot_types.h"
#include "win32/desktop_output.h"
#include "win32/dialog_window.h"
#include "win32/message_boxes.h"

namespace qm {

constexpr const char* PublishedMessage = "Quillmap.emf on clipboard: use Edit/Paste or CTRL-V";

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

  // The choices of the controls, with the error-bar style of the Options dialog.
  DialogChoices CaptureChoices() const;
  int32_t errorBarStyle() const { return errorBarStyle_; }

  void OnOk();
  void OnOptions();
  // A command of the system menu: AboutCommand opens the About box; false for the others,
  // which the system handles.
  bool OnSysCommand(WPARAM id);

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs a dialog of this one modally; tests drive it instead.
  virtual void RunChild(DialogWindow& child, const DialogTable& table);

 private:
  void OnInitDialog();

  const WorksheetGrid& grid_;
  PlotTables& tables_;
  Win32MessageSink& messages_;
  Win32DesktopOutput& output_;
  DialogIcons icons_;
  int32_t errorBarStyle_ = ErrorBarNeverChosen;
};

}  // namespace qm
