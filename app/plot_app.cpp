// Start-up of the desktop program.
#include "app/plot_app.h"

#include "app/qt_clipboard_reader.h"

namespace qm {

PlotApp::PlotApp(WorksheetClipboard& clipboard, QtMessageSink& messages, PlotOutput& output,
                 QIcon icon)
    : clipboard_(clipboard), messages_(messages), output_(output), icon_(std::move(icon)) {}

PlotApp::~PlotApp() = default;

int32_t PlotApp::InitInstance(const std::function<void(MainDialog&)>& runDialog) {
  messages_.SetOwner(nullptr);  // no window exists yet
  if (!start_.ImportClipboard(clipboard_, messages_, SystemDecimalMark()))
    return start_.importCode();
  MainDialog dialog(start_.grid(), start_.tables(), messages_, output_, icon_);
  dialog.flow().SetImportNotes(start_.notes());
  runDialog(dialog);
  return 0;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/quillmap/quillmap-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

const char* PreferredPlatform(const char* qtPlatform, const char* waylandDisplay,
                              const char* display) {
  auto set = [](const char* value) { return value != nullptr && value[0] != '\0'; };
  if (set(qtPlatform)) return nullptr;
  if (set(waylandDisplay) && set(display)) return "xcb";
  return nullptr;
}

}  // namespace qm
