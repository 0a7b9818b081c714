// The display check before Qt's start-up, and the guard around it.
#include "app/display_check.h"

#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace qm {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Whether a folder of platform plugins holds one whose file name starts with `prefix`.
bool FolderHoldsPlugin(const QString& folder, const QString& prefix) {
  return !folder.isEmpty() &&
         !QDir(folder).entryList({prefix + QStringLiteral("*.so")}, QDir::Files).isEmpty();
}

bool PluginInstalled(const QString& prefix) {
  QStringList folders;
  folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
  for (const QString& path : QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH"))
                                 .split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
    folders << path + QStringLiteral("/platforms");
  }
  folders << QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH"));
  for (const QString& folder : folders) {
    if (FolderHoldsPlugin(folder, prefix)) return true;
  }
  return false;
}

QtMessageHandler previousHandler = nullptr;

// Qt reports a platform it could not start as a fatal message and then aborts; the program
// ends here first, with its own message. Other messages go where they went.
void PlatformStartHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    if (previousHandler != nullptr) previousHandler(type, context, text);
    return;
  }
  (void)context;
  (void)text;  // Qt's advice to reinstall the program would mislead; its warnings said why
  const std::string display = Variable("DISPLAY");
  const std::string wayland = Variable("WAYLAND_DISPLAY");
  const std::string where = !display.empty()   ? " (DISPLAY=" + display + ")"
                            : !wayland.empty() ? " (WAYLAND_DISPLAY=" + wayland + ")"
                                               : "";
  const std::string message = NoDisplayMessage("the display" + where + " could not be opened");
  std::fputs(message.c_str(), stderr);
  std::fflush(stderr);
  _exit(1);
}

}  // namespace

DisplayEnvironment CurrentDisplayEnvironment() {
  DisplayEnvironment environment;
  environment.qtPlatform = Variable("QT_QPA_PLATFORM");
  environment.waylandDisplay = Variable("WAYLAND_DISPLAY");
  environment.display = Variable("DISPLAY");
  environment.waylandPluginInstalled = PluginInstalled(QStringLiteral("libqwayland"));
  return environment;
}

std::string MissingDisplay(const DisplayEnvironment& environment) {
  const std::string platform = environment.qtPlatform.substr(0, environment.qtPlatform.find(':'));
  const bool x11 = platform == "xcb" || (platform.empty() && !environment.display.empty());
  const bool wayland =
      platform.rfind("wayland", 0) == 0 ||
      (platform.empty() && environment.display.empty() && !environment.waylandDisplay.empty());
  // Qt's own X11 plugin comes with Qt; a display it cannot reach is caught as Qt starts.
  if (x11)
    return environment.display.empty() ? "QT_QPA_PLATFORM is xcb but DISPLAY is not set" : "";
  if (wayland) {
    if (!environment.waylandPluginInstalled) {
      return std::string(platform.empty() ? "only WAYLAND_DISPLAY is set, and " : "") +
             "Qt's Wayland platform plugin is not installed (Debian: qt6-wayland)";
    }
    return "";
  }
  if (platform.empty()) return "neither DISPLAY nor WAYLAND_DISPLAY is set";
  return "";
}

std::string NoDisplayMessage(const std::string& missing) {
  return "quillmap: no display: " + missing +
         ".\n"
         "Quillmap shows a dialog and reads the clipboard of a desktop session: start it from "
         "the desktop, over ssh with X forwarding (ssh -X), or under a virtual X server "
         "(xvfb-run quillmap).\n";
}

void WatchPlatformStart() {
  previousHandler = qInstallMessageHandler(PlatformStartHandler);
}

void EndWatchingPlatformStart() {
  qInstallMessageHandler(previousHandler);
  previousHandler = nullptr;
}

}  // namespace qm
