// quillmap: reads the range copied from a spreadsheet off the clipboard, lets the user choose a
// chart, and leaves it as quilpic.emf on the desktop and on the clipboard. No options, no
// settings file: every run starts from the same defaults.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/chart_publisher.h"
#include "app/desktop_folder.h"
#include "app/desktop_output.h"
#include "app/display_check.h"
#include "app/plot_app.h"
#include "app/qt_clipboard_source.h"

int main(int argc, char** argv) {
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
  QApplication::setApplicationName(QStringLiteral("Quillmap"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
  QApplication::setDesktopFileName(QStringLiteral("quillmap"));
  const QIcon icon = qm::ApplicationIcon();
  QApplication::setWindowIcon(icon);

  qm::QtClipboardSource clipboard;
  qm::QtMessageSink messages;
  std::unique_ptr<qm::ChartPublisher> publisher = qm::MakeChartPublisher();
  qm::DesktopOutput output(qm::DesktopFolder(), *publisher);
  qm::PlotApp app(clipboard, messages, output, icon);
  app.InitInstance([](qm::MainDialog& dialog) { dialog.exec(); });
  return 0;
}
