// Start-up of the desktop program.
#include "app/plot_app.h"

#include "import/import_worksheet.h"

namespace qm {

PlotApp::PlotApp(ClipboardSource& clipboard, QtMessageSink& messages, PlotOutput& output,
                 QIcon icon)
    : clipboard_(clipboard),
      messages_(messages),
      output_(output),
      icon_(std::move(icon)),
      grid_(std::make_unique<WorksheetGrid>()),
      tables_(std::make_unique<PlotTables>()) {
  ClearGrid(*grid_);
}

PlotApp::~PlotApp() = default;

int32_t PlotApp::InitInstance(const std::function<void(MainDialog&)>& runDialog) {
  messages_.SetOwner(nullptr);  // no window exists yet
  const ImportResult result = ImportWorksheet(*grid_, clipboard_);
  ShowImportMessages(result, messages_);
  if (!result.ok()) {
    messages_.ShowFrameworkBox(NoDataMessage);
    return result.Code();
  }
  MainDialog dialog(*grid_, *tables_, messages_, output_, icon_);
  dialog.SetImportNotes(result.notes);
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
