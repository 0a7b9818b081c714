// quillmap: reads the range copied from a spreadsheet off the clipboard, lets the user choose a
// chart, and leaves it as quilpic.emf on the desktop and on the clipboard. The choices of the
// last chart drawn are kept in the user's settings (QSettings) for the next start. The one
// option, --version, prints the version.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/chart_publisher.h"
#include "app/desktop_folder.h"
#include "app/desktop_output.h"
#include "app/display_check.h"
#include "app/plot_app.h"
#include "app/qt_choice_store.h"
#include "app/qt_clipboard_reader.h"
#include "quillmap_version.h"

namespace {

bool AsksForVersion(int argc, char** argv) {
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--version") == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that it needs no display and leaves the clipboard alone.
  if (AsksForVersion(argc, argv)) {
    const bool written = std::printf("quillmap %s\n", QUILLMAP_VERSION) > 0;
    return written && std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (const char* platform = qm::PreferredPlatform(
          std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"))) {
    qputenv("QT_QPA_PLATFORM", platform);
  }
  const std::string missing = qm::MissingDisplay(qm::CurrentDisplayEnvironment());
  if (!missing.empty()) {
    std::fputs(qm::NoDisplayMessage(missing).c_str(), stderr);
    return 1;
  }
  qm::WatchPlatformStart();
  QApplication application(argc, argv);
  qm::EndWatchingPlatformStart();
  QApplication::setOrganizationName(QStringLiteral("Quillmap"));
  QApplication::setApplicationName(QStringLiteral("Quillmap"));
  QApplication::setApplicationVersion(QStringLiteral(QUILLMAP_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("quillmap"));
  const QIcon icon = qm::ApplicationIcon();
  QApplication::setWindowIcon(icon);

  qm::QtClipboardReader clipboard;
  qm::QtMessageSink messages;
  std::unique_ptr<qm::ChartPublisher> publisher = qm::MakeChartPublisher();
  qm::DesktopOutput output(qm::DesktopFolder(), *publisher);
  qm::PlotApp app(clipboard, messages, output, icon);
  bool storeLate = false;
  app.InitInstance([&](qm::MainDialog& dialog) {
    dialog.flow().UseChoiceStore(qm::QtChoiceStoreOpener());
    dialog.flow().OnOpen();
    dialog.SetPicturePath(output.path());
    dialog.exec();
    storeLate = dialog.flow().storeLate();
  });
  // A store that never answered still has its thread, maybe inside QSettings: end without
  // running the destructors it may be using.
  if (storeLate) {
    std::fflush(nullptr);
    std::_Exit(0);
  }
  return 0;
}
