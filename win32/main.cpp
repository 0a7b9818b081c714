// quillmap.exe: reads the range copied from a spreadsheet off the clipboard, lets the user
// choose a chart, and leaves it as quilpic.emf on the Desktop and on the clipboard. No options;
// the choices of the last chart drawn are kept under HKEY_CURRENT_USER for the next start.
#include "base/windows_api.h"
#include "win32/clipboard_reader.h"
#include "win32/desktop_folder.h"
#include "win32/desktop_output.h"
#include "win32/plot_app.h"
#include "win32/registry_choice_store.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The system's visual style for the dialogs' controls (the manifest asks for version 6).
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const std::unique_ptr<qm::WorksheetClipboard> clipboard = qm::NewWindowsClipboardReader();
  qm::Win32MessageSink messages;
  qm::Win32DesktopOutput output(qm::DesktopFolder());
  qm::PlotApp app(*clipboard, messages, output, qm::LoadApplicationIcons());
  bool storeLate = false;
  app.InitInstance([&storeLate](qm::MainDialog& dialog) {
    dialog.flow().UseChoiceStore(qm::Win32ChoiceStoreOpener());
    dialog.DoModal();
    storeLate = dialog.flow().storeLate();
  });
  // A store that never answered still has its thread: end without waiting for it.
  if (storeLate) ExitProcess(0);
  return 0;
}
