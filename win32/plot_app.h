// The Windows program's start-up: the clipboard is imported before any window exists; without
// data the program says "No data on Clipboard\n" and ends, otherwise the main dialog runs
// modally and the program ends when it closes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "dialogs/dialog_flow.h"
#include "import/grid.h"
#include "import/worksheet_clipboard.h"
#include "plot/plot_types.h"
#include "win32/desktop_output.h"
#include "win32/main_dialog.h"
#include "win32/message_boxes.h"

namespace qm {

class PlotApp {
 public:
  PlotApp(WorksheetClipboard& clipboard, Win32MessageSink& messages, Win32DesktopOutput& output,
          DialogIcons icons);
  ~PlotApp();

  // The whole program: the import, then the main dialog through `runDialog` (which runs it
  // modally). True when the dialog ran.
  bool InitInstance(const std::function<void(MainDialog&)>& runDialog);

  const WorksheetGrid& grid() const { return start_.grid(); }

 private:
  WorksheetClipboard& clipboard_;
  Win32MessageSink& messages_;
  Win32DesktopOutput& output_;
  DialogIcons icons_;
  ProgramStart start_{DataProblemReport::ImportBox};  // no console to explain on
};

// The application icon (icon 128 of the program's resources) at the system's sizes.
DialogIcons LoadApplicationIcons();

}  // namespace qm
