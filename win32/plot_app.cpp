// Start-up of the Windows program.
#include "win32/plot_app.h"

#include "io/user_locale.h"
#include "win32/dialog_template.h"

namespace qm {

PlotApp::PlotApp(WorksheetClipboard& clipboard, Win32MessageSink& messages,
                 Win32DesktopOutput& output, DialogIcons icons)
    : clipboard_(clipboard), messages_(messages), output_(output), icons_(icons) {}

PlotApp::~PlotApp() = default;

bool PlotApp::InitInstance(const std::function<void(MainDialog&)>& runDialog) {
  messages_.SetOwner(nullptr);  // no window exists yet
  if (!start_.ImportClipboard(clipboard_, messages_, DecimalMarkOf(UserDecimalSeparator())))
    return false;
  MainDialog dialog(start_.grid(), start_.tables(), messages_, output_, icons_);
  dialog.flow().SetImportNotes(start_.notes());
  runDialog(dialog);
  return true;
}

DialogIcons LoadApplicationIcons() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto load = [instance](int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ApplicationIconId), IMAGE_ICON,
                                         width, height, LR_DEFAULTCOLOR));
  };
  return {load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)),
          load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))};
}

}  // namespace qm
