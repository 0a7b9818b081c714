// The program's start-up: the clipboard is imported before any window exists; without data
// the program says "No data on Clipboard\n" and ends, otherwise the main dialog runs modally
// and the program ends when it closes.
#pragma once

#include <QIcon>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/main_dialog.h"
#include "app/message_boxes.h"
#include "dialogs/dialog_flow.h"
#include "import/grid.h"
#include "import/worksheet_clipboard.h"
#include "plot/plot_run.h"
#include "plot/plot_types.h"

namespace qm {

class PlotApp {
 public:
  PlotApp(WorksheetClipboard& clipboard, QtMessageSink& messages, PlotOutput& output, QIcon icon);
  ~PlotApp();

  // The whole program: the import, then the main dialog through `runDialog` (which sets its
  // store and runs it modally). Gives the import's code; 0 when the dialog ran.
  int32_t InitInstance(const std::function<void(MainDialog&)>& runDialog);

  const WorksheetGrid& grid() const { return start_.grid(); }

 private:
  WorksheetClipboard& clipboard_;
  QtMessageSink& messages_;
  PlotOutput& output_;
  QIcon icon_;
  ProgramStart start_;
};

// The application icon (icon 128), in the sizes a window manager asks for.
QIcon ApplicationIcon();

// The Qt platform to run on when none was chosen: on Wayland with XWayland, X11, because a
// Wayland client cannot read the clipboard before it has a focused window. nullptr to leave
// the choice to Qt.
const char* PreferredPlatform(const char* qtPlatform, const char* waylandDisplay,
                              const char* display);

}  // namespace qm
